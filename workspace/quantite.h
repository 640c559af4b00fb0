#pragma once

#include <QDialog>

#include <array>
#include <optional>
#include <string_view>

#include "core/quantites.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace qm {

class FeuilleP;

// The window `FeuilleQ` that asks a reactant's initial amount from what the
// statement gives: n, a mass m, a solution's C and V, or a gas's V and Vm.
// The amount and its conversion are worked out as the values are typed.
class FeuilleQ : public QDialog {
public:
    FeuilleQ(std::string_view formule, std::string_view affichage, const tableelements& t,
             QWidget* parent = nullptr);

    feuillequantite etat;
    std::optional<double> quantite; // the amount OK was pressed with, in mol

    QLabel* masse = nullptr;              // M and its detail, or why there is none
    std::array<QRadioButton*, 4> choix{}; // in the order of `donnee`
    std::array<QLineEdit*, 4> champ{};    // the first value of each choice: n, m, C, V of the gas
    QLineEdit* V = nullptr;               // of the solution
    QComboBox* unite = nullptr;           // "mL" or "L"
    QLineEdit* Vm = nullptr;
    QLabel* conversion = nullptr;
    QPushButton* OK = nullptr;
    QPushButton* Annuler = nullptr;
};

// The controls changed: their values into the state, the amount worked out
// again and shown; OK is available only with an amount.
void FeuilleQ_Change(FeuilleQ& q);

// A click in the top band of reactant column `colsaisie` with the option
// `saisiemasse` ticked: asks for the amount in FeuilleQ. OK stores it as the
// entry box's commit does and redraws the table; Cancel changes nothing.
void saisirquantite(FeuilleP& f);

} // namespace qm
