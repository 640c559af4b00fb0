#pragma once

#include <array>
#include <string>
#include <string_view>

namespace qm {

// The elements the program knows, numbered 1 to 103.
inline constexpr int nombreelements = 103;

// The elements, indexed by atomic number; entry 0 stays empty.
struct tableelements {
    std::array<std::string, nombreelements + 1> symbole;
    std::array<std::string, nombreelements + 1> nom;
    std::array<double, nombreelements + 1> masse{};
};

// Fills symbole and nom for 1..103.
void initelements(tableelements& t);

// Fills masse for 1..103 (done by the molar-mass list when it is built).
void initmasses(tableelements& t);

// A table with symbols, names and masses, built once on first use.
const tableelements& elementsstandard();

// Smallest n in 1..103 whose symbol is exactly t (case-sensitive), or 0.
int chercheelement(const tableelements& t, std::string_view symbole);

// A molar mass in the pattern "##0.0": at least one integer digit, one decimal.
std::string textemasse(double masse, char separateur = ',');

} // namespace qm
