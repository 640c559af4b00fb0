#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qm {

// One species of an equation, in the order of the table's columns.
struct espece {
    std::string coefficient; // the digits typed before it, "" for none
    std::string formule;     // as the equation holds it, "#2" a subscript 2, "*2*+" a charge 2+
    std::string affichage;   // for plain text: Unicode subscripts and superscripts, "Cu²⁺"
    bool produit = false;
};

// The species of an equation split as the checker splits them (at "=" and at a
// "+" that is no charge), blanks removed, coefficients apart; at most `limite`.
std::vector<espece> especes(std::string_view equation, std::size_t limite = 11);

// A formula of the equation written with Unicode subscripts and superscripts
// ("Cu(OH)#2" gives "Cu(OH)₂", "HO*-" gives "HO⁻" with the minus sign U+207B).
std::string texteunicode(std::string_view formule);

} // namespace qm
