#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "core/verification.h"

namespace qm {

// Initial amounts in mol per column, slots 1..11.
using tabquant = std::array<float, nombreespeces + 1>;

// Width in pixels of a text in the table's font.
using mesuretexte = std::function<int(std::string_view)>;

// One cell of the progress table: its amount and the text shown.
struct celluletab {
    double valeur = 0;
    std::string texte = "0";
};

struct colonnetab {
    bool reactif = false;
    celluletab initial;
    celluletab courant;
    celluletab consomme; // reactant columns, when the consumed amount is asked for
    celluletab final;    // when the final state is asked for
};

struct parametrestableau {
    std::int16_t nbcolonnes = 0;     // N, 1..10
    std::int16_t premierproduit = 0; // P: columns 1..P-1 are reactants
    tabcoef coef{};
    std::int16_t p = 0; // cursor, 0 (initial state) to 10000 (final state)
    bool final = false;
    bool conso = false;
    int largeurcolonne = 0;
    mesuretexte mesure; // may be empty: no width fallback then
    char separateur = ',';
};

struct tableau {
    float xmax = 0;
    float quantmax = 0;
    double seuilzero = 0;
    std::array<colonnetab, 12> colonnes{}; // column i in slot i
    std::string echellehaut = "0 -";       // quantmax
    std::string echellemilieu = "0 -";     // quantmax / 2
    std::string echellebas = "0 -";
};

// Computes every cell of the table. Zeroes the products' entries of `quant`:
// products always start from nothing.
tableau calcultableau(const parametrestableau& entree, tabquant& quant);

// The text of a cell: "0" below the zero threshold, "#####0.0####" between
// 1E-4 and 9999, "0.###E+00" otherwise, "0.##E+00" when that is wider than the
// column plus 4 pixels. The float overload compares in single precision.
std::string formatcellule(double v, double seuilzero, int largeurcolonne, const mesuretexte& mesure,
                          char separateur = ',');
std::string formatcellule(float v, double seuilzero, int largeurcolonne, const mesuretexte& mesure,
                          char separateur = ',');

// A scale figure of the caption column: the general form (seven significant
// digits) followed by " -".
std::string texteechelle(float valeur, char separateur = ',');

} // namespace qm
