#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qm {

// The table as it is written on the board: every cell as an expression in x
// ("0,5 − 2x", "2xmax"), and the conclusion under it (the maximum
// advancement, the limiting reactants, those in excess).

// A decimal held exactly: chiffres × 10^exposant.
struct decimalexact {
    std::uint64_t chiffres = 0;
    int exposant = 0;
};

// The decimal the pupil typed for an amount kept as a float: the shortest
// text that reads back as the same float ("0,1" for 0.1f, not its binary
// image). Negative, infinite and NaN amounts count as 0.
decimalexact decimaltape(float v);

// Sign (-1, 0, 1) of a / na − b / nb, computed on integers only; na and nb
// are at least 1.
int comparerrapports(const decimalexact& a, int na, const decimalexact& b, int nb);

// One reactant: its amount in mol and its stoichiometric coefficient.
struct reactiflitteral {
    float quant = 0;
    std::int16_t coef = 1;
};

// Which reactants run out first. Indices are into the list of reactants.
struct bilanlitteral {
    bool saisi = false;                 // some reactant has an amount
    std::vector<std::size_t> limitants; // the ratio amount / coefficient is the smallest, exactly
    std::vector<std::size_t> exces;     // the others
    double xmax = 0;                    // that smallest ratio
};

// A reactant with no amount limits the reaction at x = 0; a coefficient
// below 1 counts as 1.
bilanlitteral bilanreactifs(const std::vector<reactiflitteral>& reactifs);

// A cell as pupils write it, from the amount's text: "0,5 − 2x" for a
// reactant, "2x" for a product, a coefficient 1 written "x"; in the final
// state "xmax" takes the place of x. The minus sign is U+2212.
std::string expressionlitterale(const std::string& quantite, std::int16_t coef, bool reactif, bool final);

// The conclusion under the table.
struct conclusionlitterale {
    std::string xmax;     // "xmax = 0,25 mol"; empty when nothing is entered
    std::string limitant; // "Réactif limitant : HCl", "Réactifs limitants : A et B",
                          // "Mélange stœchiométrique", or what to do when nothing is entered
    std::string exces;    // "En excès : Mg"; empty when there is none
};

// `noms` are the reactants' names in the bilan's order; the maximum
// advancement is written as the table writes an amount.
conclusionlitterale conclurelitteral(const bilanlitteral& b, const std::vector<std::string>& noms,
                                     char separateur = ',');

} // namespace qm
