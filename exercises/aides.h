#pragma once

#include <QDialog>

#include <memory>
#include <vector>

#include "core/verification.h"

class QLabel;
class QPushButton;
class QTableWidget;

namespace qm {

// The balance help window: the atom counts of each element on both sides,
// then the charges, with the rows that differ in colour.
class Aidequa : public QDialog {
public:
    explicit Aidequa(QWidget* parent = nullptr);

    // Appends one row as the checker gives it: symbol, reactants, products.
    void ajouterligne(const lignegrille& l);

    QTableWidget* MSFlexGrid1 = nullptr;
    QLabel* Label1 = nullptr;
    QPushButton* Command1 = nullptr;
};

// The congratulation window.
class Bravo : public QDialog {
public:
    explicit Bravo(QWidget* parent = nullptr);

    QLabel* Image1 = nullptr;
    QLabel* Label1 = nullptr;
    QPushButton* Command1 = nullptr;
};

// Both open modally, built anew each time, and return when closed.
void montreraidequa(QWidget* parent, const std::vector<lignegrille>& lignes);
void montrerbravo(QWidget* parent);

// Tests look at the windows instead of waiting for a pupil: while set, each
// window is handed here, already filled, instead of being shown.
void observerfenetres(std::function<void(QDialog&)> observateur);

} // namespace qm
