#pragma once

#include <string>
#include <vector>

#include "core/avancement.h"

namespace qm {

// One species on the graph of the amounts against the advancement x: a
// straight line from x = 0 to x = xmax.
struct droiteespece {
    int colonne = 0; // 1..N
    bool reactif = false;
    double depart = 0;  // n at x = 0
    double arrivee = 0; // n at x = xmax
    double courant = 0; // n at the cursor's x
};

struct courbes {
    double xmax = 0;
    double x = 0;                      // the cursor's advancement
    double nmax = 0;                   // the largest amount drawn
    std::vector<droiteespece> droites; // in column order
};

// The lines of the N species for the cursor at p (0..10000), from the maximum
// advancement of the table's calculation. Reactants fall from their initial
// amount, products rise from 0; an amount within nmax / 10000 of zero is
// zero, so the limiting reactant's line ends on the axis.
courbes calculcourbes(int nbcolonnes, int premierproduit, const tabcoef& coef, const tabquant& quant,
                      float xmax, int p);

// The round step, 1, 2 or 5 times a power of ten, that cuts 0..etendue into
// at most `intervalles` intervals; 0 when the range is empty or not a number.
double pasgraduation(double etendue, int intervalles);

struct graduation {
    double valeur = 0;
    std::string texte; // French form: "0", "0,05", "12000"
};

// The graduations 0, pas, 2 pas ... up to `fin` (reached within rounding),
// each the nearest double to its decimal value. None for a step that is not
// positive, and at most 1000.
std::vector<graduation> graduer(double fin, double pas, char separateur = ',');

} // namespace qm
