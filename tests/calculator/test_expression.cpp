#include <gtest/gtest.h>

#include "calculator/expression.h"
#include "core/nombre.h"

#include <random>

namespace {

using qm::calculexpression;

struct cas {
    const char* nom;
    const char* expression;
    std::int16_t enradians;
    const char* resultat; // the text on success, ignored otherwise
    std::int16_t code;
};

std::string nomdecas(const testing::TestParamInfo<cas>& i)
{
    return i.param.nom;
}

class Calcul : public testing::TestWithParam<cas> {};

TEST_P(Calcul, Resultat)
{
    std::string t = GetParam().expression;
    std::int16_t code = -1;
    calculexpression(t, code, GetParam().enradians);
    EXPECT_EQ(code, GetParam().code) << t;
    if (GetParam().code == 0) {
        EXPECT_EQ(t, GetParam().resultat);
    }
}

INSTANTIATE_TEST_SUITE_P(Priorites, Calcul,
                         testing::Values(cas{"produitavantsomme", "2 + 3 * 4", 0, "14", 0},
                                         cas{"groupe", "(2 + 3) * 4", 0, "20", 0},
                                         cas{"puissancesagauche", "2 ^ 3 ^ 2", 0, "64", 0},
                                         cas{"moinsunaireetpuissance", "-2 ^ 2", 0, "4", 0},
                                         cas{"doublemoins", "2 - -3", 0, "5", 0},
                                         // "2 - 3" first, then "1 + -1".
                                         cas{"soustractionavantaddition", "1 + 2 - 3", 0, "0", 0},
                                         cas{"divisionavantproduit", "8 * 2 / 4", 0, "4", 0},
                                         cas{"soustractionsagauche", "10 - 4 - 3", 0, "3", 0},
                                         cas{"sansblancsminuscules", "2*-3", 0, "-6", 0},
                                         cas{"plusdevant", "+5", 0, "5", 0},
                                         cas{"exposantdunombre", "1E-5+2", 0, "2.00001", 0},
                                         cas{"groupesimbriques", "((1 + 2) * (3 + 4))", 0, "21", 0},
                                         cas{"parenthesesdunombre", "(1E+5)", 0, "1E+5", 0},
                                         cas{"nombreseul", "3.14159265358979", 0, "3.14159265358979", 0},
                                         cas{"horsdomaineseul", "1E400", 0, "1E400", 0},
                                         cas{"vide", "", 0, "", 0}, cas{"blancsseuls", "   ", 0, "", 0}),
                         nomdecas);

// A negative group raised to a power after "+" or "-" keeps its sign: once
// spliced back, "+ -3 ^ 2" used to become "- 3 ^ 2".
INSTANTIATE_TEST_SUITE_P(GroupeNegatif, Calcul,
                         testing::Values(cas{"exemplefenetre", "2 * sin 30 + (1 - 4) ^ 2", 0, "10", 0},
                                         cas{"apresmoins", "2 - (1 - 4) ^ 2", 0, "-7", 0},
                                         cas{"nombreentreparentheses", "2 + (-3) ^ 2", 0, "11", 0},
                                         cas{"enchaine", "2 + (1 - 4) ^ 2 ^ 3", 0, "731", 0},
                                         cas{"exposantgroupe", "2 + (1 - 4) ^ (1 + 1)", 0, "11", 0},
                                         cas{"exposantimpair", "2 + (1 - 4) ^ 3", 0, "-25", 0},
                                         cas{"racinedunegatif", "2 + (1 - 4) ^ .5", 0, "", 1},
                                         cas{"audebut", "(1 - 4) ^ 2", 0, "9", 0},
                                         cas{"apresproduit", "2 * (1 - 4) ^ 2", 0, "18", 0},
                                         cas{"basedunepuissance", "2 ^ (1 - 4) ^ 2", 0, ".015625", 0},
                                         // Without parentheses the sign still joins the operator.
                                         cas{"sansparentheses", "2 + -3 ^ 2", 0, "-7", 0}),
                         nomdecas);

INSTANTIATE_TEST_SUITE_P(Arrondi, Calcul,
                         testing::Values(cas{"tierspartrois", "1 / 3 * 3", 0, ".999999999999999", 0},
                                         cas{"deuxtiers", "2 / 3", 0, ".666666666666667", 0},
                                         cas{"grandentier", "999999999999999 + 1", 0, "1E+15", 0},
                                         cas{"petit", "1 / 100000", 0, "1E-05", 0},
                                         cas{"dixmilliemes", "1 / 10000", 0, ".0001", 0}),
                         nomdecas);

INSTANTIATE_TEST_SUITE_P(
    Fonctions, Calcul,
    testing::Values(
        cas{"sinus30degres", "sin 30", 0, ".5", 0},
        cas{"cosinus90degres", "cos 90", 0, "6.12323399573677E-17", 0},
        cas{"tangente45degres", "tan 45", 0, "1", 0}, cas{"arcsinus1degres", "invSIN 1", 0, "90", 0},
        cas{"arcsinusmoins1", "invSIN -1", 0, "-90", 0}, cas{"arccosinusdemi", "invCOS .5", 0, "60", 0},
        cas{"arctangente1", "invTAN 1", 0, "45", 0}, cas{"sinusradians", "sin 1.5707963267949", 1, "1", 0},
        cas{"arcsinusradians", "invSIN 1", 1, "1.5707963267949", 0},
        cas{"arctangenteradians", "invTAN 1", 1, ".785398163397448", 0},
        cas{"cosinusradians", "cos 0", 1, "1", 0}, cas{"ln5", "ln 5", 0, "1.6094379124341", 0},
        cas{"ln5groupe", "ln (2 + 3)", 0, "1.6094379124341", 0}, cas{"log1000", "log 1000", 0, "3", 0},
        cas{"exponentielle", "exp 1", 0, "2.71828182845905", 0},
        cas{"racine", "SQR 2", 0, "1.4142135623731", 0}, cas{"fonctiondefonction", "SQR SQR 16", 0, "2", 0},
        cas{"produitimplicite", "2 * sin 30", 0, "1", 0}, cas{"argumentnegatif", "sin -30", 0, "-.5", 0}),
    nomdecas);

INSTANTIATE_TEST_SUITE_P(
    Erreurs, Calcul,
    testing::Values(cas{"arcsinus2", "invSIN 2", 0, "", 1}, cas{"arccosinus2", "invCOS -2", 0, "", 1},
                    cas{"racinenegative", "SQR -4", 0, "", 1}, cas{"divisionparzero", "1 / 0", 0, "", 1},
                    cas{"zerosurzero", "0 / 0", 0, "", 1}, cas{"puissancetropgrande", "10 ^ 400", 0, "", 1},
                    cas{"puissanceimpossible", "-8 ^ .5", 0, "", 1},
                    cas{"zeropuissancemoins1", "0 ^ -1", 0, "", 1}, cas{"logzero", "log 0", 0, "", 1},
                    cas{"lnnegatif", "ln -1", 0, "", 1}, cas{"exponentielletropgrande", "exp 1000", 0, "", 1},
                    cas{"produittropgrand", "1E300 * 1E300", 0, "", 1},
                    cas{"argumenthorsdomaine", "sin 1E400", 0, "", 1},
                    cas{"operateursansdroite", "2 *", 0, "", 3}, cas{"deuxoperateurs", "2 *  + 3", 0, "", 3},
                    cas{"puissancesansdroite", "2 ^", 0, "", 3},
                    cas{"parenthesenonfermee", "(2 + 3", 0, "", 2},
                    cas{"parenthesesetoperateur", "(2 *", 0, "", 2}, cas{"plussansdroite", "2 +", 0, "", 1},
                    cas{"sinussansargument", "sin ", 0, "", 1}, cas{"groupevide", "2 * ()", 0, "", 1},
                    // The counts match but ")" comes first: no ")" after the last "(".
                    cas{"parenthesesinversees", ")2(", 0, "", 1}, cas{"deuxnombres", "2 3 (", 0, "", 2},
                    cas{"lettres", "SIN COS", 0, "", 1}),
    nomdecas);

struct reecriture {
    const char* nom;
    const char* entree;
    const char* sortie;
};

class Decoupage : public testing::TestWithParam<reecriture> {};

TEST_P(Decoupage, Texte)
{
    std::string t = GetParam().entree;
    qm::decouper(t);
    EXPECT_EQ(t, GetParam().sortie);
}

INSTANTIATE_TEST_SUITE_P(Calcul, Decoupage,
                         testing::Values(reecriture{"signeapresoperateur", "2*-3", " 2 * -3 "},
                                         reecriture{"signedexposant", "1E-5+2", " 1E-5 + 2 "},
                                         reecriture{"ln", "ln(2+3)", " LON (2 + 3) "},
                                         reecriture{"inverse", "invSIN .5", " ISI .5 "},
                                         reecriture{"inversecos", "invcos1", " ICO 1 "},
                                         reecriture{"plusdevantretire", "+2", " 2 "},
                                         reecriture{"moinsdevantgarde", "-2-1", " -2 - 1 "},
                                         reecriture{"moinsapresparenthese", "(-2)", " (-2) "},
                                         reecriture{"exposantD", "1D+5*2", " 1D+5 * 2 "},
                                         reecriture{"sansargument", "sin", " SIN  "},
                                         reecriture{"vide", "", "  "}),
                         [](const auto& i) { return std::string(i.param.nom); });

class Simplification : public testing::TestWithParam<reecriture> {};

TEST_P(Simplification, Texte)
{
    std::string t = GetParam().entree;
    qm::simplifier(t);
    EXPECT_EQ(t, GetParam().sortie);
}

INSTANTIATE_TEST_SUITE_P(
    Calcul, Simplification,
    testing::Values(reecriture{"doublemoins", "2--3", " 2 + 3 "}, reecriture{"plusmoins", "2+-3", " 2 - 3 "},
                    reecriture{"moinsplus", "2-+3", " 2 - 3 "}, reecriture{"plusplus", "2++3", " 2 + 3 "},
                    reecriture{"troissignes", "2---3", " 2 - 3 "}, reecriture{"plusdevant", "++2", " 2 "},
                    reecriture{"nombreentreparentheses", "(-2.5)", " -2.5 "},
                    reecriture{"videgarde", "()", " () "}, reecriture{"exposantgarde", "(1E+5)", " (1E+5) "},
                    reecriture{"imbriques", "((((-(-5)))))", " 5 "}, reecriture{"signeseul", "(-)", " - "},
                    reecriture{"basenegativegardee", "2+(-3)^2", " 2 + (-3) ^ 2 "},
                    reecriture{"basenegativeaudebut", "(-3)^2", " -3 ^ 2 "},
                    reecriture{"blancsretires", " 2 -  - 3 ", " 2 + 3 "}),
    [](const auto& i) { return std::string(i.param.nom); });

TEST(Calcul, CompteursEtVerification)
{
    std::string t = "SIN (2 + 3) * LN 4 ^ (1 - -2)";
    qm::simplifier(t);
    qm::compteurs c;
    ASSERT_TRUE(qm::compter(t, c));
    EXPECT_EQ(c.nbparentheses, 2);
    EXPECT_EQ(c.nbfonctions, 2);
    EXPECT_EQ(c.nboperateurs, 4);
    std::int16_t code = 0;
    qm::verifsaisie(t, code);
    EXPECT_EQ(code, 0);
    // Both faults: the parentheses win.
    t = " (2 *  ";
    qm::verifsaisie(t, code);
    EXPECT_EQ(code, 2);
}

TEST(Calcul, LimiteDesPasses)
{
    // Each pass nests nothing new, but the function never gets its argument:
    // the evaluation stops at the 101st pass.
    std::string t = "2 + sin (sin )";
    std::int16_t code = 0;
    calculexpression(t, code, 0);
    EXPECT_EQ(code, 1);
}

TEST(Calcul, TexteTropLong)
{
    std::string somme = "1";
    while (somme.size() < 498)
        somme += "+1";
    std::string t = somme;
    std::int16_t code = -1;
    calculexpression(t, code, 0);
    EXPECT_EQ(code, 0);
    EXPECT_EQ(t, std::to_string((somme.size() + 1) / 2));
    t = somme + "+1+1";
    calculexpression(t, code, 0);
    EXPECT_EQ(code, 1);
    EXPECT_EQ(t, somme + "+1+1");
}

// The literal clean-up, one sweep after another with the text edited in
// place, as the fast version must reproduce it.
std::string nettoyagelitteral(std::string t)
{
    std::string s;
    for (char c : t)
        if (c != ' ')
            s += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
    const auto signe = [](char c) { return c == '+' || c == '-'; };
    for (;;) {
        const std::string avant = s;
        const std::size_t n = s.size();
        for (std::size_t p = 0; p < n; ++p)
            for (const auto& [paire, par] : {std::pair{"--", "+"}, {"+-", "-"}, {"-+", "-"}, {"++", "+"}})
                if (p < s.size() && s.compare(p, 2, paire) == 0)
                    s.replace(p, 2, par);
        if (!s.empty() && s[0] == '+')
            s.erase(0, 1);
        for (std::size_t p = 0; p < s.size(); ++p) {
            if (s[p] != '(')
                continue;
            std::size_t j = p + 1;
            if (j < s.size() && signe(s[j]))
                ++j;
            while (j < s.size() && ((s[j] >= '0' && s[j] <= '9') || s[j] == '.'))
                ++j;
            const bool garde =
                p > 0 && signe(s[p - 1]) && s[p + 1] == '-' && j + 1 < s.size() && s[j + 1] == '^';
            if (j < s.size() && s[j] == ')' && j > p + 1 && !garde) {
                s.erase(j, 1);
                s.erase(p, 1);
            }
        }
        if (s == avant)
            return s;
    }
}

std::string textealeatoire(std::mt19937& g, std::size_t morceaux)
{
    static const char* const pieces[] = {
        "1",    "2.5",     "0",       ".5",      "3E+2", "-",    "+",    " * ", " / ",  " ^ ",
        "(",    ")",       "(",       ")",       "sin ", "cos ", "tan ", "ln ", "log ", "exp ",
        "SQR ", "invSIN ", "invCOS ", "invTAN ", " - ",  " + ",  "E",    "9",   "--",   "^"};
    std::string t;
    const std::size_t n = g() % morceaux;
    for (std::size_t i = 0; i < n; ++i)
        t += pieces[g() % std::size(pieces)];
    return t;
}

TEST(Calcul, NettoyageRapideCommeLitteral)
{
    std::mt19937 g(3);
    for (int i = 0; i < 3000; ++i) {
        const std::string t = textealeatoire(g, 40);
        std::string rapide = t;
        qm::simplifier(rapide);
        std::string litteral = nettoyagelitteral(t);
        qm::decouper(litteral);
        ASSERT_EQ(rapide, litteral) << "«" << t << "»";
    }
}

// Random texts end with a code from 0 to 3, and a success is a text that
// reads as a number.
TEST(Calcul, TextesAleatoires)
{
    std::mt19937 g(5);
    for (int i = 0; i < 4000; ++i) {
        std::string t = i % 4 ? textealeatoire(g, 30) : std::string(g() % 60, ' ');
        if (i % 4 == 0)
            for (char& c : t)
                c = static_cast<char>(g() % 256);
        const std::string entree = t;
        std::int16_t code = -1;
        calculexpression(t, code, static_cast<std::int16_t>(i % 2));
        ASSERT_GE(code, 0) << "«" << entree << "»";
        ASSERT_LE(code, 3) << "«" << entree << "»";
        if (code == 0) {
            EXPECT_TRUE(qm::lirenombre(t).has_value()) << "«" << entree << "» gives «" << t << "»";
            EXPECT_EQ(t.find(' '), std::string::npos);
        }
    }
}

TEST(Calcul, TextesExtremes)
{
    const std::string formes[] = {std::string(10000, '('), std::string(5000, '(') + std::string(5000, ')'),
                                  std::string(10000, '-'), std::string(10000, '9')};
    for (const std::string& f : formes) {
        std::string t = f;
        std::int16_t code = -1;
        calculexpression(t, code, 0);
        EXPECT_EQ(code, 1);
    }
}

} // namespace
