#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/elements.h"
#include "core/message.h"

namespace qm {

// Atoms of one element in a formula.
struct atomes {
    int element = 0; // atomic number
    long nombre = 0;
    bool operator==(const atomes&) const = default;
};

// The molar mass of a formula and how it is made up.
struct massemolaire {
    bool valide = false;
    message erreur;                  // why not, when not valid
    std::vector<atomes> composition; // elements in order of first appearance, counts summed
    long dixiemes = 0;               // M in tenths of g/mol: masses have one decimal, the sum is exact
    double masse = 0;                // M in g/mol
    std::string texte;               // M with one decimal, "98,1"
    std::string detail;              // "2 × 1,0 + 32,1 + 4 × 16,0"
};

// The molar mass of a formula typed plainly ("H2SO4", "Ca(OH)2", "K4[Fe(CN)6]",
// a hydrate "CuSO4,5H2O", "CuSO4.5H2O" or "CuSO4·5H2O") or as the equation holds
// it ("SO#4*2*-"); Unicode subscripts are read too. A charge at the end ("*2*+",
// "^2+", "²⁺", or signs alone as in "Na+") does not weigh. Blanks are ignored.
massemolaire calculermasse(std::string_view formule, const tableelements& t = elementsstandard());

} // namespace qm
