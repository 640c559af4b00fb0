#pragma once

#include <QSize>

#include <string>
#include <vector>

#include "core/avancement.h"
#include "workspace/tableau.h"

class QPainter;

namespace qm {

class FeuilleP;

// The progress table as it is written on the board, shown in place of the
// bars when the box "Tableau littéral" is ticked: the initial amounts along
// the top as in the bars' view, then a row "En cours" and a row "État final"
// whose cells hold the expression in x and its value, then the conclusion
// (maximum advancement, limiting reactants, reactants in excess). The caption
// column names the rows and gives the advancement of each.

// The state the written table depends on.
struct entreelitteral {
    QSize taille{689, 169};   // Picture3
    int largeurlegendes = 89; // width of Picture4
    int nbcolonnes = 0;
    int premierproduit = 0;
    int largeurcolonne = 0;
    tabcoef coef{};
    tabquant quant{};
    int p = 0;                     // cursor, 0..10000
    std::vector<std::string> noms; // species in column order, Unicode form
    char separateur = ',';
};

// What is painted: on Picture3 and on the caption column Picture4. Texts in
// a column of the table carry its number, the others 0.
struct dessinlitteral {
    std::vector<lignedessin> lignes;
    std::vector<textedessin> textes;
    std::vector<lignedessin> lignescolonne;
    std::vector<textedessin> legendes;
};

// Lays the written table out; every text of a column fits inside it.
dessinlitteral disposerlitteral(const entreelitteral& e);

// Only paints one picture's share.
void peindrelitteral(QPainter& p, const std::vector<lignedessin>& lignes,
                     const std::vector<textedessin>& textes);

// The written table of the equation on display, laid out from the window's state.
dessinlitteral litteralactuel(const FeuilleP& f);

// Draws the written table on Picture3 and its captions on Picture4, from the
// window's state; majtab calls it in place of the bars.
void majlitteral(FeuilleP& f);

// The box "Tableau littéral": the table area shows the written table or the
// bars again.
void litteral_Click(FeuilleP& f);

} // namespace qm
