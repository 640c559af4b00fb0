#include "core/elements.h"

#include "core/decimal.h"

namespace qm {

namespace {

struct ligneelement {
    const char* symbole;
    const char* nom;
    double masse;
};

// One row per element, in atomic-number order. The spellings and the whole
// masses of Se, Eu and Lu are the program's own and must stay as they are.
constexpr ligneelement lignes[nombreelements] = {
    {"H", "hydrogene", 1},       // 1
    {"He", "helium", 4},         // 2
    {"Li", "lithium", 6.9},      // 3
    {"Be", "beryllium", 9},      // 4
    {"B", "bore", 10.8},         // 5
    {"C", "carbone", 12},        // 6
    {"N", "azote", 14},          // 7
    {"O", "oxygene", 16},        // 8
    {"F", "fluor", 19},          // 9
    {"Ne", "neon", 20.2},        // 10
    {"Na", "sodium", 23},        // 11
    {"Mg", "magnesium", 24.3},   // 12
    {"Al", "aluminium", 27},     // 13
    {"Si", "silicium", 28.1},    // 14
    {"P", "phosphore", 31},      // 15
    {"S", "soufre", 32.1},       // 16
    {"Cl", "chlore", 35.5},      // 17
    {"Ar", "argon", 39.9},       // 18
    {"K", "potassium", 39.1},    // 19
    {"Ca", "calcium", 40.1},     // 20
    {"Sc", "scandium", 45},      // 21
    {"Ti", "titane", 47.9},      // 22
    {"V", "vanadium", 50.9},     // 23
    {"Cr", "chrome", 52},        // 24
    {"Mn", "manganese", 54.9},   // 25
    {"Fe", "fer", 55.8},         // 26
    {"Co", "cobalt", 58.9},      // 27
    {"Ni", "nickel", 58.7},      // 28
    {"Cu", "cuivre", 63.5},      // 29
    {"Zn", "zinc", 65.4},        // 30
    {"Ga", "gallium", 69.7},     // 31
    {"Ge", "germanium", 72.6},   // 32
    {"As", "arsenic", 74.9},     // 33
    {"Se", "selenium", 79},      // 34
    {"Br", "brome", 79.9},       // 35
    {"Kr", "krypton", 83.8},     // 36
    {"Rb", "rubidium", 85.5},    // 37
    {"Sr", "strontium", 87.6},   // 38
    {"Y", "yttrium", 88.9},      // 39
    {"Zr", "zirconium", 91.2},   // 40
    {"Nb", "niobium", 92.9},     // 41
    {"Mo", "molybdene", 95.9},   // 42
    {"Tc", "technetium", 99},    // 43
    {"Ru", "ruthenium", 101.1},  // 44
    {"Rh", "rhodium", 102.9},    // 45
    {"Pd", "palladium", 106.4},  // 46
    {"Ag", "argent", 107.9},     // 47
    {"Cd", "cadmium", 112.4},    // 48
    {"In", "indium", 114.8},     // 49
    {"Sn", "etain", 118.7},      // 50
    {"Sb", "antimoine", 121.8},  // 51
    {"Te", "tellure", 127.6},    // 52
    {"I", "iode", 126.9},        // 53
    {"Xe", "xenon", 131.3},      // 54
    {"Cs", "cesium", 132.9},     // 55
    {"Ba", "baryum", 137.3},     // 56
    {"La", "lanthane", 138.9},   // 57
    {"Ce", "cerium", 140.1},     // 58
    {"Pr", "praseodyme", 140.9}, // 59
    {"Nd", "neodyme", 144.2},    // 60
    {"Pm", "promethium", 145},   // 61
    {"Sm", "samarium", 150.4},   // 62
    {"Eu", "europium", 152},     // 63
    {"Gd", "gadolinium", 157.3}, // 64
    {"Tb", "therbium", 158.9},   // 65
    {"Dy", "dysprosium", 162.5}, // 66
    {"Ho", "holmium", 164.9},    // 67
    {"Er", "erbium", 167.3},     // 68
    {"Tm", "thulium", 168.9},    // 69
    {"Yb", "ytterbium", 173},    // 70
    {"Lu", "lutetium", 175},     // 71
    {"Hf", "hafnium", 178.5},    // 72
    {"Ta", "tantale", 180.9},    // 73
    {"W", "tungstene", 183.9},   // 74
    {"Re", "rhenium", 186.2},    // 75
    {"Os", "osmium", 190.2},     // 76
    {"Ir", "iridium", 192.2},    // 77
    {"Pt", "platine", 195.1},    // 78
    {"Au", "or", 197},           // 79
    {"Hg", "mercure", 200.6},    // 80
    {"Tl", "thallium", 204.4},   // 81
    {"Pb", "plomb", 207.2},      // 82
    {"Bi", "bismuth", 209},      // 83
    {"Po", "polonium", 210},     // 84
    {"At", "astate", 210},       // 85
    {"Rn", "radon", 222},        // 86
    {"Fr", "francium", 223},     // 87
    {"Ra", "radium", 226},       // 88
    {"Ac", "actinium", 227},     // 89
    {"Th", "thorium", 232},      // 90
    {"Pa", "protactinium", 231}, // 91
    {"U", "uranium", 238},       // 92
    {"Np", "neptunium", 237},    // 93
    {"Pu", "plutonium", 242},    // 94
    {"Am", "americium", 243},    // 95
    {"Cm", "curium", 247},       // 96
    {"Bk", "berkelium", 247},    // 97
    {"Cf", "californium", 251},  // 98
    {"Es", "einsteinium", 254},  // 99
    {"Fm", "fermium", 253},      // 100
    {"Md", "mendelevium", 256},  // 101
    {"No", "nobelium", 254},     // 102
    {"Lw", "lawrencium", 257},   // 103
};

} // namespace

void initelements(tableelements& t)
{
    t.symbole[0].clear();
    t.nom[0].clear();
    for (std::size_t n = 1; n <= nombreelements; ++n) {
        t.symbole[n] = lignes[n - 1].symbole;
        t.nom[n] = lignes[n - 1].nom;
    }
}

void initmasses(tableelements& t)
{
    t.masse[0] = 0;
    for (std::size_t n = 1; n <= nombreelements; ++n)
        t.masse[n] = lignes[n - 1].masse;
}

const tableelements& elementsstandard()
{
    static const tableelements table = [] {
        tableelements t;
        initelements(t);
        initmasses(t);
        return t;
    }();
    return table;
}

int chercheelement(const tableelements& t, std::string_view symbole)
{
    if (symbole.empty() || symbole.size() > 2)
        return 0;
    for (int n = 1; n <= nombreelements; ++n)
        if (t.symbole[static_cast<std::size_t>(n)] == symbole)
            return n;
    return 0;
}

std::string textemasse(double masse, char separateur)
{
    return textefixe(masse, 1, 1, separateur);
}

} // namespace qm
