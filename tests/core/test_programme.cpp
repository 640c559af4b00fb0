// Equations of the secondary-school chemistry programme, checked one by one.
//
// Every row gives the equation as the pupil types it, the expected verdict,
// the coefficients of its species in order, and the count table worked out by
// hand: one row per element present, in atomic-number order, then the
// "Charge" row. The comment above each row shows the working, reactants on
// the left of "|", products on the right; "2x3" is a coefficient (or a group
// multiplier) times a subscript. For an unbalanced equation the count table is
// exactly the grid shown to the pupil; for a balanced one no grid is shown.

#include <gtest/gtest.h>

#include <array>
#include <cstddef>
#include <ostream>
#include <string>
#include <vector>

#include "core/elements.h"
#include "core/verification.h"

namespace {

using qm::lignegrille;
using qm::verdict;

constexpr verdict EQ = verdict::equilibree;
constexpr verdict DESEQ = verdict::desequilibree;

struct cas {
    const char* nom;      // unique, letters, digits and "_" only
    const char* equation; // equation text
    verdict attendu;
    std::vector<int> coef;            // coef(1..nbespeces)
    std::vector<lignegrille> comptes; // element rows by atomic number, then "Charge"
};

void PrintTo(const cas& c, std::ostream* os)
{
    *os << c.nom << " " << c.equation;
}

// clang-format off
const std::vector<cas> programme = {
    // ---- Combustions of alkanes and alcohols --------------------------------
    // CH4 + 2 O2 -> CO2 + 2 H2O
    // H: 4 | 2x2, C: 1 | 1, O: 2x2 | 2+2x1
    {"combustion_methane", "CH#4+2O#2=CO#2+2H#2O", EQ, {1, 2, 1, 2},
     {{"H", "4", "4"}, {"C", "1", "1"}, {"O", "4", "4"}, {"Charge", "0", "0"}}},
    // H: 2x6 | 6x2, C: 2x2 | 4, O: 7x2 | 4x2+6x1
    {"combustion_ethane", "2C#2H#6+7O#2=4CO#2+6H#2O", EQ, {2, 7, 4, 6},
     {{"H", "12", "12"}, {"C", "4", "4"}, {"O", "14", "14"}, {"Charge", "0", "0"}}},
    // H: 8 | 4x2, C: 3 | 3, O: 5x2 | 3x2+4
    {"combustion_propane", "C#3H#8+5O#2=3CO#2+4H#2O", EQ, {1, 5, 3, 4},
     {{"H", "8", "8"}, {"C", "3", "3"}, {"O", "10", "10"}, {"Charge", "0", "0"}}},
    // two-digit subscript and coefficients: H: 2x10 | 10x2, C: 2x4 | 8, O: 13x2 | 8x2+10
    {"combustion_butane", "2C#4H#1#0+13O#2=8CO#2+10H#2O", EQ, {2, 13, 8, 10},
     {{"H", "20", "20"}, {"C", "8", "8"}, {"O", "26", "26"}, {"Charge", "0", "0"}}},
    // H: 2x18 | 18x2, C: 2x8 | 16, O: 25x2 | 16x2+18
    {"combustion_octane", "2C#8H#1#8+25O#2=16CO#2+18H#2O", EQ, {2, 25, 16, 18},
     {{"H", "36", "36"}, {"C", "16", "16"}, {"O", "50", "50"}, {"Charge", "0", "0"}}},
    // H: 2x4 | 4x2, C: 2 | 2, O: 2x1+3x2 | 2x2+4
    {"combustion_methanol", "2CH#4O+3O#2=2CO#2+4H#2O", EQ, {2, 3, 2, 4},
     {{"H", "8", "8"}, {"C", "2", "2"}, {"O", "8", "8"}, {"Charge", "0", "0"}}},
    // H: 6 | 3x2, C: 2 | 2, O: 1+3x2 | 2x2+3
    {"combustion_ethanol", "C#2H#6O+3O#2=2CO#2+3H#2O", EQ, {1, 3, 2, 3},
     {{"H", "6", "6"}, {"C", "2", "2"}, {"O", "7", "7"}, {"Charge", "0", "0"}}},
    // H: 12 | 6x2, C: 6 | 6, O: 6+6x2 | 6x2+6
    {"combustion_glucose", "C#6H#1#2O#6+6O#2=6CO#2+6H#2O", EQ, {1, 6, 6, 6},
     {{"H", "12", "12"}, {"C", "6", "6"}, {"O", "18", "18"}, {"Charge", "0", "0"}}},
    // C: 2 | 2, O: 2 | 2x1
    {"combustion_incomplete_carbone", "2C+O#2=2CO", EQ, {2, 1, 2},
     {{"C", "2", "2"}, {"O", "2", "2"}, {"Charge", "0", "0"}}},
    // O: 2x2 | 4, Fe: 3 | 3
    {"combustion_fer", "3Fe+2O#2=Fe#3O#4", EQ, {3, 2, 1},
     {{"O", "4", "4"}, {"Fe", "3", "3"}, {"Charge", "0", "0"}}},
    // O: 2 | 2x1, Mg: 2 | 2
    {"combustion_magnesium", "2Mg+O#2=2MgO", EQ, {2, 1, 2},
     {{"O", "2", "2"}, {"Mg", "2", "2"}, {"Charge", "0", "0"}}},

    // ---- Acids and bases ------------------------------------------------------
    // H: 3+1 | 2x2, O: 1+1 | 2x1, charge: +1-1 | 0
    {"acide_base_oxonium_hydroxyde", "H#3O*++HO*-=2H#2O", EQ, {1, 1, 2},
     {{"H", "4", "4"}, {"O", "2", "2"}, {"Charge", "0", "0"}}},
    // H: 1+1 | 2, O: 1 | 1, charge: +1-1 | 0
    {"acide_base_proton_hydroxyde", "H*++HO*-=H#2O", EQ, {1, 1, 1},
     {{"H", "2", "2"}, {"O", "1", "1"}, {"Charge", "0", "0"}}},
    // water as both acid and base: H: 2x2 | 3+1, O: 2x1 | 1+1, charge: 0 | +1-1
    {"autoprotolyse_eau", "2H#2O=H#3O*++HO*-", EQ, {2, 1, 1},
     {{"H", "4", "4"}, {"O", "2", "2"}, {"Charge", "0", "0"}}},
    // CH3COOH + HO- -> CH3COO- + H2O
    // H: 3+1+1 | 3+2, C: 1+1 | 1+1, O: 1+1+1 | 1+1+1, charge: -1 | -1
    {"acide_ethanoique_hydroxyde", "CH#3COOH+HO*-=CH#3COO*-+H#2O", EQ, {1, 1, 1, 1},
     {{"H", "5", "5"}, {"C", "2", "2"}, {"O", "3", "3"}, {"Charge", "-1", "-1"}}},
    // H: 3+3 | 4+2, N: 1 | 1, O: 1 | 1, charge: +1 | +1
    {"ammoniac_oxonium", "NH#3+H#3O*+=NH#4*++H#2O", EQ, {1, 1, 1, 1},
     {{"H", "6", "6"}, {"N", "1", "1"}, {"O", "1", "1"}, {"Charge", "1", "1"}}},
    // H: 3+2 | 4+1, N: 1 | 1, O: 1 | 1, charge: 0 | +1-1
    {"ammoniac_eau", "NH#3+H#2O=NH#4*++HO*-", EQ, {1, 1, 1, 1},
     {{"H", "5", "5"}, {"N", "1", "1"}, {"O", "1", "1"}, {"Charge", "0", "0"}}},
    // limestone in acid: H: 2x3 | 3x2, C: 1 | 1, O: 3+2x1 | 2+3x1, Ca: 1 | 1,
    // charge: 2x(+1) | +2
    {"calcaire_acide", "CaCO#3+2H#3O*+=Ca*2*++CO#2+3H#2O", EQ, {1, 2, 1, 1, 3},
     {{"H", "6", "6"}, {"C", "1", "1"}, {"O", "5", "5"}, {"Ca", "1", "1"}, {"Charge", "2", "2"}}},
    // H: 1+1 | 2, O: 1 | 1, Na: 1 | 1, Cl: 1 | 1, charge: 0 | +1-1
    {"acide_chlorhydrique_soude", "HCl+NaOH=Na*++Cl*-+H#2O", EQ, {1, 1, 1, 1, 1},
     {{"H", "2", "2"}, {"O", "1", "1"}, {"Na", "1", "1"}, {"Cl", "1", "1"}, {"Charge", "0", "0"}}},

    // ---- Precipitations ---------------------------------------------------------
    // Cl: 1 | 1, Ag: 1 | 1, charge: +1-1 | 0
    {"precipite_chlorure_argent", "Ag*++Cl*-=AgCl", EQ, {1, 1, 1},
     {{"Cl", "1", "1"}, {"Ag", "1", "1"}, {"Charge", "0", "0"}}},
    // H: 2x1 | 2x1, O: 2x1 | 2x1, Cu: 1 | 1, charge: +2+2x(-1) | 0
    {"precipite_hydroxyde_cuivre", "Cu*2*++2HO*-=Cu(OH)#2", EQ, {1, 2, 1},
     {{"H", "2", "2"}, {"O", "2", "2"}, {"Cu", "1", "1"}, {"Charge", "0", "0"}}},
    // H: 3 | 3x1, O: 3 | 3x1, Fe: 1 | 1, charge: +3+3x(-1) | 0
    {"precipite_hydroxyde_fer3", "Fe*3*++3HO*-=Fe(OH)#3", EQ, {1, 3, 1},
     {{"H", "3", "3"}, {"O", "3", "3"}, {"Fe", "1", "1"}, {"Charge", "0", "0"}}},
    // H: 2 | 2x1, O: 2 | 2x1, Fe: 1 | 1, charge: +2-2 | 0
    {"precipite_hydroxyde_fer2", "Fe*2*++2HO*-=Fe(OH)#2", EQ, {1, 2, 1},
     {{"H", "2", "2"}, {"O", "2", "2"}, {"Fe", "1", "1"}, {"Charge", "0", "0"}}},
    // H: 3 | 3, O: 3 | 3, Al: 1 | 1, charge: +3-3 | 0
    {"precipite_hydroxyde_aluminium", "Al*3*++3HO*-=Al(OH)#3", EQ, {1, 3, 1},
     {{"H", "3", "3"}, {"O", "3", "3"}, {"Al", "1", "1"}, {"Charge", "0", "0"}}},
    // H: 2 | 2, O: 2 | 2, Zn: 1 | 1, charge: +2-2 | 0
    {"precipite_hydroxyde_zinc", "Zn*2*++2HO*-=Zn(OH)#2", EQ, {1, 2, 1},
     {{"H", "2", "2"}, {"O", "2", "2"}, {"Zn", "1", "1"}, {"Charge", "0", "0"}}},
    // O: 4 | 4, S: 1 | 1, Ba: 1 | 1, charge: +2-2 | 0
    {"precipite_sulfate_baryum", "Ba*2*++SO#4*2*-=BaSO#4", EQ, {1, 1, 1},
     {{"O", "4", "4"}, {"S", "1", "1"}, {"Ba", "1", "1"}, {"Charge", "0", "0"}}},
    // C: 1 | 1, O: 3 | 3, Ca: 1 | 1, charge: +2-2 | 0
    {"precipite_carbonate_calcium", "Ca*2*++CO#3*2*-=CaCO#3", EQ, {1, 1, 1},
     {{"C", "1", "1"}, {"O", "3", "3"}, {"Ca", "1", "1"}, {"Charge", "0", "0"}}},
    // I: 2x1 | 2, Pb: 1 | 1, charge: +2+2x(-1) | 0
    {"precipite_iodure_plomb", "Pb*2*++2I*-=PbI#2", EQ, {1, 2, 1},
     {{"I", "2", "2"}, {"Pb", "1", "1"}, {"Charge", "0", "0"}}},

    // ---- Redox ----------------------------------------------------------------
    // MnO4- + 5 Fe2+ + 8 H+ -> Mn2+ + 5 Fe3+ + 4 H2O
    // H: 8x1 | 4x2, O: 4 | 4x1, Mn: 1 | 1, Fe: 5 | 5,
    // charge: -1+5x2+8x1 = 17 | +2+5x3 = 17
    {"permanganate_fer2", "MnO#4*-+5Fe*2*++8H*+=Mn*2*++5Fe*3*++4H#2O", EQ, {1, 5, 8, 1, 5, 4},
     {{"H", "8", "8"}, {"O", "4", "4"}, {"Mn", "1", "1"}, {"Fe", "5", "5"}, {"Charge", "17", "17"}}},
    // Cr2O7 2- + 6 Fe2+ + 14 H+ -> 2 Cr3+ + 6 Fe3+ + 7 H2O
    // H: 14 | 7x2, O: 7 | 7x1, Cr: 2 | 2x1, Fe: 6 | 6,
    // charge: -2+6x2+14x1 = 24 | 2x3+6x3 = 24
    {"dichromate_fer2", "Cr#2O#7*2*-+6Fe*2*++14H*+=2Cr*3*++6Fe*3*++7H#2O", EQ, {1, 6, 14, 2, 6, 7},
     {{"H", "14", "14"}, {"O", "7", "7"}, {"Cr", "2", "2"}, {"Fe", "6", "6"}, {"Charge", "24", "24"}}},
    // 2 MnO4- + 5 H2C2O4 + 6 H+ -> 2 Mn2+ + 10 CO2 + 8 H2O
    // H: 5x2+6 | 8x2, C: 5x2 | 10, O: 2x4+5x4 | 10x2+8, Mn: 2 | 2,
    // charge: 2x(-1)+6 = 4 | 2x2 = 4
    {"permanganate_acide_oxalique", "2MnO#4*-+5H#2C#2O#4+6H*+=2Mn*2*++10CO#2+8H#2O", EQ, {2, 5, 6, 2, 10, 8},
     {{"H", "16", "16"}, {"C", "10", "10"}, {"O", "28", "28"}, {"Mn", "2", "2"}, {"Charge", "4", "4"}}},
    // I2 + 2 S2O3 2- -> 2 I- + S4O6 2-
    // O: 2x3 | 6, S: 2x2 | 4, I: 2 | 2x1, charge: 2x(-2) | 2x(-1)-2
    {"diiode_thiosulfate", "I#2+2S#2O#3*2*-=2I*-+S#4O#6*2*-", EQ, {1, 2, 2, 1},
     {{"O", "6", "6"}, {"S", "4", "4"}, {"I", "2", "2"}, {"Charge", "-4", "-4"}}},
    // H: 2+2 | 2x2, O: 2 | 2x1, I: 2x1 | 2, charge: 2x(-1)+2x(+1) | 0
    {"eau_oxygenee_iodure", "2I*-+H#2O#2+2H*+=I#2+2H#2O", EQ, {2, 1, 2, 1, 2},
     {{"H", "4", "4"}, {"O", "2", "2"}, {"I", "2", "2"}, {"Charge", "0", "0"}}},
    // Cl: 2 | 2x1, I: 2x1 | 2, charge: 2x(-1) | 2x(-1)
    {"dichlore_iodure", "Cl#2+2I*-=2Cl*-+I#2", EQ, {1, 2, 2, 1},
     {{"Cl", "2", "2"}, {"I", "2", "2"}, {"Charge", "-2", "-2"}}},
    // H: 2x1 | 2, Zn: 1 | 1, charge: 2x(+1) | +2
    {"zinc_acide", "Zn+2H*+=Zn*2*++H#2", EQ, {1, 2, 1, 1},
     {{"H", "2", "2"}, {"Zn", "1", "1"}, {"Charge", "2", "2"}}},
    // H: 2x1 | 2, Fe: 1 | 1, charge: 2x(+1) | +2
    {"fer_acide", "Fe+2H*+=Fe*2*++H#2", EQ, {1, 2, 1, 1},
     {{"H", "2", "2"}, {"Fe", "1", "1"}, {"Charge", "2", "2"}}},
    // H: 6x1 | 3x2, Al: 2 | 2x1, charge: 6x(+1) | 2x(+3)
    {"aluminium_acide", "2Al+6H*+=2Al*3*++3H#2", EQ, {2, 6, 2, 3},
     {{"H", "6", "6"}, {"Al", "2", "2"}, {"Charge", "6", "6"}}},
    // Cu: 1 | 1, Ag: 2x1 | 2, charge: 2x(+1) | +2
    {"cuivre_ion_argent", "Cu+2Ag*+=Cu*2*++2Ag", EQ, {1, 2, 1, 2},
     {{"Cu", "1", "1"}, {"Ag", "2", "2"}, {"Charge", "2", "2"}}},
    // Cu: 1 | 1, Zn: 1 | 1, charge: +2 | +2
    {"zinc_ion_cuivre", "Zn+Cu*2*+=Zn*2*++Cu", EQ, {1, 1, 1, 1},
     {{"Cu", "1", "1"}, {"Zn", "1", "1"}, {"Charge", "2", "2"}}},
    // H: 2x2 | 2x1+2, O: 2x1 | 2x1, Na: 2 | 2x1, charge: 0 | 2x(+1)+2x(-1)
    {"sodium_eau", "2Na+2H#2O=2Na*++2HO*-+H#2", EQ, {2, 2, 2, 2, 1},
     {{"H", "4", "4"}, {"O", "2", "2"}, {"Na", "2", "2"}, {"Charge", "0", "0"}}},

    // ---- Groups in parentheses -------------------------------------------------
    // lime water turns cloudy: H: 2x1 | 2, C: 1 | 1, O: 2x1+2 | 3+1, Ca: 1 | 1
    {"eau_de_chaux", "Ca(OH)#2+CO#2=CaCO#3+H#2O", EQ, {1, 1, 1, 1},
     {{"H", "2", "2"}, {"C", "1", "1"}, {"O", "4", "4"}, {"Ca", "1", "1"}, {"Charge", "0", "0"}}},
    // H: 2x1+2x1 | 2x2, O: 2x1 | 2x1, Cl: 2x1 | 2, Ca: 1 | 1
    {"chaux_acide_chlorhydrique", "Ca(OH)#2+2HCl=CaCl#2+2H#2O", EQ, {1, 2, 1, 2},
     {{"H", "4", "4"}, {"O", "2", "2"}, {"Cl", "2", "2"}, {"Ca", "1", "1"}, {"Charge", "0", "0"}}},
    // coefficient times group multiplier, then a second group in another species:
    // H: 3x2x1+2x3 | 6x2, O: 3x2x1+2x4 | 2x4+6x1, P: 2x1 | 2x1, Ca: 3x1 | 3
    {"phosphate_calcium", "3Ca(OH)#2+2H#3PO#4=Ca#3(PO#4)#2+6H#2O", EQ, {3, 2, 1, 6},
     {{"H", "12", "12"}, {"O", "14", "14"}, {"P", "2", "2"}, {"Ca", "3", "3"}, {"Charge", "0", "0"}}},
    // O: 3x4 | 3x4, Al: 2 | 2x1, S: 3x1 | 3x1, charge: 0 | 2x3+3x(-2)
    {"dissolution_sulfate_aluminium", "Al#2(SO#4)#3=2Al*3*++3SO#4*2*-", EQ, {1, 2, 3},
     {{"O", "12", "12"}, {"Al", "2", "2"}, {"S", "3", "3"}, {"Charge", "0", "0"}}},
    // O: 12 | 12, S: 3 | 3, Fe: 2 | 2, charge: 0 | 2x3+3x(-2)
    {"dissolution_sulfate_fer3", "Fe#2(SO#4)#3=2Fe*3*++3SO#4*2*-", EQ, {1, 2, 3},
     {{"O", "12", "12"}, {"S", "3", "3"}, {"Fe", "2", "2"}, {"Charge", "0", "0"}}},
    // group at the start of the species:
    // H: 2x4 | 2x4, N: 2x1 | 2x1, O: 4 | 4, S: 1 | 1, charge: 0 | 2x(+1)-2
    {"dissolution_sulfate_ammonium", "(NH#4)#2SO#4=2NH#4*++SO#4*2*-", EQ, {1, 2, 1},
     {{"H", "8", "8"}, {"N", "2", "2"}, {"O", "4", "4"}, {"S", "1", "1"}, {"Charge", "0", "0"}}},
    // N: 2x1 | 2x1, O: 2x3 | 2x3, Cu: 1 | 1, charge: 0 | +2+2x(-1)
    {"dissolution_nitrate_cuivre", "Cu(NO#3)#2=Cu*2*++2NO#3*-", EQ, {1, 1, 2},
     {{"N", "2", "2"}, {"O", "6", "6"}, {"Cu", "1", "1"}, {"Charge", "0", "0"}}},
    // H: 2x3x1 | 3x2, O: 2x3x1 | 3+3x1, Al: 2x1 | 2
    {"deshydratation_hydroxyde_aluminium", "2Al(OH)#3=Al#2O#3+3H#2O", EQ, {2, 1, 3},
     {{"H", "6", "6"}, {"O", "6", "6"}, {"Al", "2", "2"}, {"Charge", "0", "0"}}},
    // a group, then plain symbols: H: 2x4 | 2x4, C: 1 | 1, N: 2x1 | 2x1, O: 3 | 3,
    // charge: 0 | 2x(+1)-2
    {"dissolution_carbonate_ammonium", "(NH#4)#2CO#3=2NH#4*++CO#3*2*-", EQ, {1, 2, 1},
     {{"H", "8", "8"}, {"C", "1", "1"}, {"N", "2", "2"}, {"O", "3", "3"}, {"Charge", "0", "0"}}},

    // ---- Syntheses and decompositions -----------------------------------------
    // H: 2x2 | 2x2, O: 2 | 2x1
    {"synthese_eau", "2H#2+O#2=2H#2O", EQ, {2, 1, 2},
     {{"H", "4", "4"}, {"O", "2", "2"}, {"Charge", "0", "0"}}},
    // H: 3x2 | 2x3, N: 2 | 2x1
    {"synthese_ammoniac", "N#2+3H#2=2NH#3", EQ, {1, 3, 2},
     {{"H", "6", "6"}, {"N", "2", "2"}, {"Charge", "0", "0"}}},
    // H: 2 | 2x1, Cl: 2 | 2x1
    {"synthese_chlorure_hydrogene", "H#2+Cl#2=2HCl", EQ, {1, 1, 2},
     {{"H", "2", "2"}, {"Cl", "2", "2"}, {"Charge", "0", "0"}}},
    // CH3COOH + C2H5OH -> CH3COOC2H5 + H2O
    // H: 3+1+5+1 | 3+5+2, C: 2+2 | 2+2, O: 2+1 | 2+1
    {"esterification", "CH#3COOH+C#2H#5OH=CH#3COOC#2H#5+H#2O", EQ, {1, 1, 1, 1},
     {{"H", "10", "10"}, {"C", "4", "4"}, {"O", "3", "3"}, {"Charge", "0", "0"}}},
    // H: 6x2 | 12, C: 6 | 6, O: 6x2+6 | 6+6x2
    {"photosynthese", "6CO#2+6H#2O=C#6H#1#2O#6+6O#2", EQ, {6, 6, 1, 6},
     {{"H", "12", "12"}, {"C", "6", "6"}, {"O", "18", "18"}, {"Charge", "0", "0"}}},
    // H: 2x2 | 2x2, O: 2x2 | 2x1+2
    {"decomposition_eau_oxygenee", "2H#2O#2=2H#2O+O#2", EQ, {2, 2, 1},
     {{"H", "4", "4"}, {"O", "4", "4"}, {"Charge", "0", "0"}}},
    // C: 1 | 1, O: 3 | 1+2, Ca: 1 | 1
    {"decomposition_calcaire", "CaCO#3=CaO+CO#2", EQ, {1, 1, 1},
     {{"C", "1", "1"}, {"O", "3", "3"}, {"Ca", "1", "1"}, {"Charge", "0", "0"}}},
    // O: 2x3 | 3x2, Cl: 2 | 2, K: 2 | 2
    {"decomposition_chlorate_potassium", "2KClO#3=2KCl+3O#2", EQ, {2, 2, 3},
     {{"O", "6", "6"}, {"Cl", "2", "2"}, {"K", "2", "2"}, {"Charge", "0", "0"}}},
    // blast furnace: C: 3 | 3, O: 3+3 | 3x2, Fe: 2 | 2
    {"haut_fourneau", "Fe#2O#3+3CO=2Fe+3CO#2", EQ, {1, 3, 2, 3},
     {{"C", "3", "3"}, {"O", "6", "6"}, {"Fe", "2", "2"}, {"Charge", "0", "0"}}},
    // Na: 2x1 | 2, Cl: 2x1 | 2
    {"electrolyse_chlorure_sodium", "2NaCl=2Na+Cl#2", EQ, {2, 2, 1},
     {{"Na", "2", "2"}, {"Cl", "2", "2"}, {"Charge", "0", "0"}}},

    // ---- Deliberately unbalanced: wrong coefficient ---------------------------
    // one O2 instead of two: H: 4 | 2x2, C: 1 | 1, O: 2 | 2+2x1
    {"faux_combustion_methane", "CH#4+O#2=CO#2+2H#2O", DESEQ, {1, 1, 1, 2},
     {{"H", "4", "4"}, {"C", "1", "1"}, {"O", "2", "4"}, {"Charge", "0", "0"}}},
    // no coefficient at all: H: 2 | 2, O: 2 | 1
    {"faux_synthese_eau", "H#2+O#2=H#2O", DESEQ, {1, 1, 1},
     {{"H", "2", "2"}, {"O", "2", "1"}, {"Charge", "0", "0"}}},
    // O2 without its 5: H: 8 | 4x2, C: 3 | 3, O: 2 | 3x2+4
    {"faux_combustion_propane", "C#3H#8+O#2=3CO#2+4H#2O", DESEQ, {1, 1, 3, 4},
     {{"H", "8", "8"}, {"C", "3", "3"}, {"O", "2", "10"}, {"Charge", "0", "0"}}},
    // 2 O2 instead of 3: H: 6 | 3x2, C: 2 | 2, O: 1+2x2 | 2x2+3
    {"faux_combustion_ethanol", "C#2H#6O+2O#2=2CO#2+3H#2O", DESEQ, {1, 2, 2, 3},
     {{"H", "6", "6"}, {"C", "2", "2"}, {"O", "5", "7"}, {"Charge", "0", "0"}}},
    // H2 without its 3: H: 2 | 2x3, N: 2 | 2x1
    {"faux_synthese_ammoniac", "N#2+H#2=2NH#3", DESEQ, {1, 1, 2},
     {{"H", "2", "6"}, {"N", "2", "2"}, {"Charge", "0", "0"}}},
    // CO and CO2 without their 3: C: 1 | 1, O: 3+1 | 2, Fe: 2 | 2
    {"faux_haut_fourneau", "Fe#2O#3+CO=2Fe+CO#2", DESEQ, {1, 1, 2, 1},
     {{"C", "1", "1"}, {"O", "4", "2"}, {"Fe", "2", "2"}, {"Charge", "0", "0"}}},
    // one HO- for Cu2+: H: 1 | 2x1, O: 1 | 2x1, Cu: 1 | 1, charge: +2-1 | 0
    {"faux_hydroxyde_cuivre", "Cu*2*++HO*-=Cu(OH)#2", DESEQ, {1, 1, 1},
     {{"H", "1", "2"}, {"O", "1", "2"}, {"Cu", "1", "1"}, {"Charge", "1", "0"}}},
    // one HCl for the lime: H: 2x1+1 | 2x2, O: 2 | 2, Cl: 1 | 2, Ca: 1 | 1
    {"faux_chaux_acide_chlorhydrique", "Ca(OH)#2+HCl=CaCl#2+2H#2O", DESEQ, {1, 1, 1, 2},
     {{"H", "3", "4"}, {"O", "2", "2"}, {"Cl", "1", "2"}, {"Ca", "1", "1"}, {"Charge", "0", "0"}}},
    // one sulfate ion: O: 3x4 | 4, Al: 2 | 2, S: 3 | 1, charge: 0 | 2x3-2
    {"faux_dissolution_sulfate_aluminium", "Al#2(SO#4)#3=2Al*3*++SO#4*2*-", DESEQ, {1, 2, 1},
     {{"O", "12", "4"}, {"Al", "2", "2"}, {"S", "3", "1"}, {"Charge", "0", "4"}}},
    // one ammonium ion: H: 2x4 | 4, N: 2 | 1, O: 4 | 4, S: 1 | 1, charge: 0 | +1-2
    {"faux_dissolution_sulfate_ammonium", "(NH#4)#2SO#4=NH#4*++SO#4*2*-", DESEQ, {1, 1, 1},
     {{"H", "8", "4"}, {"N", "2", "1"}, {"O", "4", "4"}, {"S", "1", "1"}, {"Charge", "0", "-1"}}},
    // one Fe2+ and one Fe3+: H: 8 | 4x2, O: 4 | 4, Mn: 1 | 1, Fe: 1 | 1,
    // charge: -1+2+8 = 9 | +2+3 = 5
    {"faux_permanganate_fer2", "MnO#4*-+Fe*2*++8H*+=Mn*2*++Fe*3*++4H#2O", DESEQ, {1, 1, 8, 1, 1, 4},
     {{"H", "8", "8"}, {"O", "4", "4"}, {"Mn", "1", "1"}, {"Fe", "1", "1"}, {"Charge", "9", "5"}}},
    // Cr3+ without its 2: H: 14 | 14, O: 7 | 7, Cr: 2 | 1, Fe: 6 | 6,
    // charge: -2+12+14 = 24 | +3+18 = 21
    {"faux_dichromate_fer2", "Cr#2O#7*2*-+6Fe*2*++14H*+=Cr*3*++6Fe*3*++7H#2O", DESEQ, {1, 6, 14, 1, 6, 7},
     {{"H", "14", "14"}, {"O", "7", "7"}, {"Cr", "2", "1"}, {"Fe", "6", "6"}, {"Charge", "24", "21"}}},
    // one thiosulfate ion: O: 3 | 6, S: 2 | 4, I: 2 | 2, charge: -2 | 2x(-1)-2
    {"faux_diiode_thiosulfate", "I#2+S#2O#3*2*-=2I*-+S#4O#6*2*-", DESEQ, {1, 1, 2, 1},
     {{"O", "3", "6"}, {"S", "2", "4"}, {"I", "2", "2"}, {"Charge", "-2", "-4"}}},
    // one HO- in the products: H: 2x2 | 1+2, O: 2 | 1, Na: 2 | 2, charge: 0 | 2-1
    {"faux_sodium_eau", "2Na+2H#2O=2Na*++HO*-+H#2", DESEQ, {2, 2, 2, 1, 1},
     {{"H", "4", "3"}, {"O", "2", "1"}, {"Na", "2", "2"}, {"Charge", "0", "1"}}},

    // dioxygen forgotten: O only in the products. H: 4 | 2x2, C: 1 | 1, O: 0 | 2+2x1
    {"oubli_dioxygene", "CH#4=CO#2+2H#2O", DESEQ, {1, 1, 2},
     {{"H", "4", "4"}, {"C", "1", "1"}, {"O", "0", "4"}, {"Charge", "0", "0"}}},
    // dihydrogen forgotten: H only in the reactants. H: 2x1 | 0, Zn: 1 | 1,
    // charge: 2x(+1) | +2
    {"oubli_dihydrogene", "Zn+2H*+=Zn*2*+", DESEQ, {1, 2, 1},
     {{"H", "2", "0"}, {"Zn", "1", "1"}, {"Charge", "2", "2"}}},

    // ---- Deliberately unbalanced: missing charge ------------------------------
    // silver written as the metal: Cl: 1 | 1, Ag: 1 | 1, charge: -1 | 0
    {"sans_charge_argent", "Ag+Cl*-=AgCl", DESEQ, {1, 1, 1},
     {{"Cl", "1", "1"}, {"Ag", "1", "1"}, {"Charge", "-1", "0"}}},
    // sulfate written without its charge: O: 4 | 4, S: 1 | 1, Ba: 1 | 1, charge: +2 | 0
    {"sans_charge_sulfate", "Ba*2*++SO#4=BaSO#4", DESEQ, {1, 1, 1},
     {{"O", "4", "4"}, {"S", "1", "1"}, {"Ba", "1", "1"}, {"Charge", "2", "0"}}},
    // zinc ion written as the metal: H: 2 | 2, Zn: 1 | 1, charge: 2x(+1) | 0
    {"sans_charge_zinc", "Zn+2H*+=Zn+H#2", DESEQ, {1, 2, 1, 1},
     {{"H", "2", "2"}, {"Zn", "1", "1"}, {"Charge", "2", "0"}}},
    // oxonium written as H3O: H: 3+1 | 4, O: 2 | 2, charge: -1 | 0
    {"sans_charge_oxonium", "H#3O+HO*-=2H#2O", DESEQ, {1, 1, 2},
     {{"H", "4", "4"}, {"O", "2", "2"}, {"Charge", "-1", "0"}}},

    // ---- Deliberately unbalanced: wrong charge --------------------------------
    // Fe2+ where the hydroxide is Fe(OH)3: H: 3 | 3, O: 3 | 3, Fe: 1 | 1,
    // charge: +2+3x(-1) | 0
    {"fausse_charge_fer", "Fe*2*++3HO*-=Fe(OH)#3", DESEQ, {1, 3, 1},
     {{"H", "3", "3"}, {"O", "3", "3"}, {"Fe", "1", "1"}, {"Charge", "-1", "0"}}},
    // Mn3+ instead of Mn2+: elements as in the balanced one,
    // charge: -1+5x2+8 = 17 | +3+5x3 = 18
    {"fausse_charge_manganese", "MnO#4*-+5Fe*2*++8H*+=Mn*3*++5Fe*3*++4H#2O", DESEQ, {1, 5, 8, 1, 5, 4},
     {{"H", "8", "8"}, {"O", "4", "4"}, {"Mn", "1", "1"}, {"Fe", "5", "5"}, {"Charge", "17", "18"}}},
    // Ag2+: Cl: 1 | 1, Ag: 1 | 1, charge: +2-1 | 0
    {"fausse_charge_argent", "Ag*2*++Cl*-=AgCl", DESEQ, {1, 1, 1},
     {{"Cl", "1", "1"}, {"Ag", "1", "1"}, {"Charge", "1", "0"}}},
    // Ag+ with a single silver ion: Cu: 1 | 1, Ag: 1 | 1, charge: +1 | +2
    {"fausse_charge_cuivre_argent", "Cu+Ag*+=Cu*2*++Ag", DESEQ, {1, 1, 1, 1},
     {{"Cu", "1", "1"}, {"Ag", "1", "1"}, {"Charge", "1", "2"}}},
    // iodide written I2-: I: 2 | 2, Cl: 2 | 2, charge: 2x(-2) | 2x(-1)
    {"fausse_charge_iodure", "Cl#2+2I*2*-=2Cl*-+I#2", DESEQ, {1, 2, 2, 1},
     {{"Cl", "2", "2"}, {"I", "2", "2"}, {"Charge", "-4", "-2"}}},
    // wrong formula for the precipitate: H: 3 | 2, O: 3 | 2, Fe: 1 | 1, charge: +3-3 | 0
    {"faux_precipite_fer3", "Fe*3*++3HO*-=Fe(OH)#2", DESEQ, {1, 3, 1},
     {{"H", "3", "2"}, {"O", "3", "2"}, {"Fe", "1", "1"}, {"Charge", "0", "0"}}},
};
// clang-format on

class Programme : public ::testing::TestWithParam<cas> {};

int charge(const std::string& texte)
{
    return std::stoi(texte);
}

TEST_P(Programme, Bilan)
{
    const cas& c = GetParam();
    const auto& table = qm::elementsstandard();

    // The hand-written table itself: rows by increasing atomic number, the
    // "Charge" row last, and a verdict that agrees with the rows.
    ASSERT_FALSE(c.comptes.empty());
    ASSERT_EQ(c.comptes.back().symbole, "Charge");
    std::array<int, 104> reactifs{};
    std::array<int, 104> produits{};
    int precedent = 0;
    bool egal = true;
    for (std::size_t k = 0; k + 1 < c.comptes.size(); ++k) {
        const lignegrille& l = c.comptes[k];
        const int z = qm::chercheelement(table, l.symbole);
        ASSERT_GT(z, precedent) << "row " << l.symbole;
        precedent = z;
        reactifs[static_cast<std::size_t>(z)] = std::stoi(l.reactifs);
        produits[static_cast<std::size_t>(z)] = std::stoi(l.produits);
        egal = egal && l.reactifs == l.produits;
    }
    egal = egal && c.comptes.back().reactifs == c.comptes.back().produits;
    ASSERT_EQ(egal, c.attendu == verdict::equilibree) << "the table and the verdict disagree";

    // Coefficients beyond the species of this equation keep their earlier values.
    qm::tabcoef avant;
    avant.fill(77);
    const qm::verification v = qm::verifequation(c.equation, avant);

    EXPECT_EQ(v.resultat, c.attendu);
    EXPECT_EQ(v.erreur.texte, "");
    EXPECT_EQ(v.erreur.titre, "");

    ASSERT_EQ(v.nbespeces, static_cast<int>(c.coef.size()));
    for (std::size_t k = 1; k <= c.coef.size(); ++k)
        EXPECT_EQ(v.coef[k], c.coef[k - 1]) << "coef(" << k << ")";
    for (std::size_t k = c.coef.size() + 1; k < v.coef.size(); ++k)
        EXPECT_EQ(v.coef[k], 77) << "coef(" << k << ")";

    for (std::size_t z = 1; z <= 103; ++z) {
        EXPECT_EQ(v.nbreactifs[z], reactifs[z]) << "reactifs " << table.symbole[z];
        EXPECT_EQ(v.nbproduits[z], produits[z]) << "produits " << table.symbole[z];
    }
    EXPECT_EQ(v.chargereactifs, charge(c.comptes.back().reactifs));
    EXPECT_EQ(v.chargeproduits, charge(c.comptes.back().produits));

    if (c.attendu == verdict::desequilibree) {
        ASSERT_EQ(v.grille.size(), c.comptes.size());
        for (std::size_t k = 0; k < c.comptes.size(); ++k) {
            SCOPED_TRACE("grid row " + std::to_string(k + 1));
            EXPECT_EQ(v.grille[k].symbole, c.comptes[k].symbole);
            EXPECT_EQ(v.grille[k].reactifs, c.comptes[k].reactifs);
            EXPECT_EQ(v.grille[k].produits, c.comptes[k].produits);
        }
    } else {
        EXPECT_TRUE(v.grille.empty());
    }
}

INSTANTIATE_TEST_SUITE_P(Equations, Programme, ::testing::ValuesIn(programme),
                         [](const ::testing::TestParamInfo<cas>& info) {
                             return std::string(info.param.nom);
                         });

} // namespace
