#pragma once

#include <optional>
#include <string>
#include <string_view>

#include <QWidget>

#include "core/elements.h"

class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QPainter;
class QPushButton;

namespace qm {

// The display locale is pinned to French at start-up: every mass and total is
// written, and read back, with a comma.
inline constexpr char separateurmasses = ',';

// The list line of element n: two blanks, name, " (", symbol, ") ", then blanks
// so that the "##0.0" mass ends in column 28. Empty for n outside 1..103.
std::string lignemasse(const tableelements& t, int n, char separateur = separateurmasses);

// A total in the form "### ### ### ##0.0", without leading blanks: one decimal,
// the integer digits in groups of three ("12 345,6", "0,0").
std::string textetotal(float total, char separateur = separateurmasses);

// A total or a mass as the pupil sees it, blanks between groups allowed; no
// value for anything else (a text that is not a number, or beyond a float).
std::optional<float> liretotal(std::string_view texte, char separateur = separateurmasses);

// The "+" key: `total` plus the mass at the end of `ligne`. The total comes
// back unchanged when no line is selected (empty) or when either text cannot
// be read.
std::string ajoutermasse(const std::string& total, const std::string& ligne,
                         char separateur = separateurmasses);

// The molar-mass panel `ong2`.
class PanneauMasses : public QWidget {
public:
    explicit PanneauMasses(QWidget* parent = nullptr);

    QListWidget* List1 = nullptr;
    QFrame* Shape1 = nullptr;
    QLabel* Label3 = nullptr;
    QPushButton* Command5 = nullptr;
    QPushButton* Command3 = nullptr;
    // The molar mass of a formula typed by the pupil, shown where the
    // instructions stand while the field holds a formula.
    QLineEdit* formule = nullptr;
    QLabel* resultatformule = nullptr;
    const tableelements* elements = nullptr; // the masses the formula is weighed with

protected:
    void paintEvent(QPaintEvent* event) override;
};

// Heading and instructions, placed against the list and the frame; without
// the instructions while the formula's result takes their place.
void peindremasses(QPainter& p, QSize taille, QRect liste, QRect cadre, bool consignes = true);

// What the panel shows for a formula: "M = 98,1 g·mol⁻¹" and the detail, or
// why there is no molar mass (an unknown element: the first line of the
// checker's message); empty for an empty formula.
struct affichageformule {
    std::string masse;
    std::string detail;
};
affichageformule afficherformule(std::string_view formule, const tableelements& t);

// Start-up: fills the masses of the element table, then one list line per element.
void remplirlistemasses(PanneauMasses& ong2, tableelements& t);

void Command3_Click(PanneauMasses& ong2);
void Command5_Click(PanneauMasses& ong2);
// The formula field changed: M and its detail follow.
void formule_Change(PanneauMasses& ong2);

} // namespace qm
