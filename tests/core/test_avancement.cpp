#include <gtest/gtest.h>

#include <cmath>

#include "core/avancement.h"

namespace {

using qm::calcultableau;
using qm::formatcellule;
using qm::parametrestableau;
using qm::tabquant;

// A + 2 B = C and its variants: reactants first, then products.
parametrestableau equation(std::initializer_list<std::int16_t> coefs, std::int16_t premierproduit)
{
    parametrestableau e;
    e.nbcolonnes = static_cast<std::int16_t>(coefs.size());
    e.premierproduit = premierproduit;
    std::size_t i = 1;
    for (auto c : coefs)
        e.coef[i++] = c;
    e.final = true;
    e.largeurcolonne = 230;
    return e;
}

TEST(Avancement, ReactifLimitant)
{
    auto e = equation({1, 2, 1}, 3);
    tabquant q{0, 1, 1};
    const auto t = calcultableau(e, q);
    EXPECT_FLOAT_EQ(t.xmax, 0.5f);
    EXPECT_FLOAT_EQ(t.quantmax, 1);
    EXPECT_DOUBLE_EQ(t.seuilzero, 0.0001);
    EXPECT_EQ(t.colonnes[1].final.texte, "0,5");
    EXPECT_EQ(t.colonnes[2].final.texte, "0");
    EXPECT_EQ(t.colonnes[3].final.texte, "0,5");
    EXPECT_EQ(t.colonnes[1].initial.texte, "1,0");
    EXPECT_EQ(t.colonnes[3].initial.texte, "0");
    EXPECT_TRUE(t.colonnes[1].reactif);
    EXPECT_FALSE(t.colonnes[3].reactif);
    EXPECT_EQ(t.echellehaut, "1 -");
    EXPECT_EQ(t.echellemilieu, "0,5 -");
    EXPECT_EQ(t.echellebas, "0 -");
}

TEST(Avancement, ReactifsEpuisesEnsemble)
{
    auto e = equation({2, 1, 1}, 3);
    tabquant q{0, 2, 1};
    const auto t = calcultableau(e, q);
    EXPECT_FLOAT_EQ(t.xmax, 1);
    EXPECT_EQ(t.colonnes[1].final.texte, "0");
    EXPECT_EQ(t.colonnes[2].final.texte, "0");
    EXPECT_EQ(t.colonnes[3].final.texte, "1,0");
}

TEST(Avancement, ReactifAZero)
{
    auto e = equation({1, 1, 2}, 3);
    e.p = 7000;
    tabquant q{0, 0, 3};
    const auto t = calcultableau(e, q);
    EXPECT_FLOAT_EQ(t.xmax, 0);
    EXPECT_FLOAT_EQ(t.quantmax, 3);
    for (auto ligne : {&qm::colonnetab::initial, &qm::colonnetab::courant, &qm::colonnetab::final}) {
        EXPECT_EQ((t.colonnes[3].*ligne).texte, "0");
        EXPECT_EQ((t.colonnes[1].*ligne).texte, "0");
        EXPECT_EQ((t.colonnes[2].*ligne).texte, "3,0");
    }
}

TEST(Avancement, ProduitsRemisAZero)
{
    auto e = equation({1, 1}, 2);
    tabquant q{0, 2, 5, 7};
    const auto t = calcultableau(e, q);
    EXPECT_EQ(t.colonnes[2].initial.texte, "0");
    EXPECT_FLOAT_EQ(q[2], 0);
    EXPECT_FLOAT_EQ(q[1], 2);
    EXPECT_FLOAT_EQ(q[3], 7); // beyond the columns: untouched
}

TEST(Avancement, EtatCourantEtConsommation)
{
    auto e = equation({1, 2, 1}, 3);
    e.p = 5000;
    e.conso = true;
    tabquant q{0, 1, 1};
    const auto t = calcultableau(e, q);
    EXPECT_EQ(t.colonnes[1].courant.texte, "0,75");
    EXPECT_EQ(t.colonnes[2].courant.texte, "0,5");
    EXPECT_EQ(t.colonnes[3].courant.texte, "0,25");
    EXPECT_EQ(t.colonnes[1].consomme.texte, "0,25");
    EXPECT_EQ(t.colonnes[2].consomme.texte, "0,5");
    EXPECT_DOUBLE_EQ(t.colonnes[1].courant.valeur, 0.75);
    EXPECT_DOUBLE_EQ(t.colonnes[1].consomme.valeur, 0.25);

    // The final state is exact at the cursor's end.
    e.p = 10000;
    const auto fin = calcultableau(e, q);
    EXPECT_EQ(fin.colonnes[2].courant.texte, "0");
    EXPECT_EQ(fin.colonnes[3].courant.texte, "0,5");
    EXPECT_EQ(fin.colonnes[2].consomme.texte, "1,0");
}

TEST(Avancement, OptionsNonCochees)
{
    auto e = equation({1, 1}, 2);
    e.final = false;
    e.p = 10000;
    tabquant q{0, 2};
    const auto t = calcultableau(e, q);
    EXPECT_DOUBLE_EQ(t.colonnes[1].final.valeur, 0);
    EXPECT_DOUBLE_EQ(t.colonnes[1].consomme.valeur, 0);
    EXPECT_EQ(t.colonnes[2].courant.texte, "2,0");
}

TEST(Avancement, RienDeSaisi)
{
    auto e = equation({1, 2, 1}, 3);
    e.conso = true;
    e.p = 5000;
    tabquant q{};
    const auto t = calcultableau(e, q);
    EXPECT_FLOAT_EQ(t.quantmax, 0);
    for (int i = 1; i <= 3; ++i) {
        EXPECT_EQ(t.colonnes[i].initial.texte, "0");
        EXPECT_EQ(t.colonnes[i].courant.texte, "0");
        EXPECT_EQ(t.colonnes[i].final.texte, "0");
    }
    EXPECT_EQ(t.colonnes[1].consomme.texte, "0");
    EXPECT_EQ(t.echellehaut, "0 -");
    EXPECT_EQ(t.echellemilieu, "0 -");
}

TEST(Avancement, SeuilDeZero)
{
    // 3E-5 mol left is nothing next to 1 mol, but shows next to 0.1 mol.
    EXPECT_EQ(formatcellule(3e-5, 1.0 / 10000, 230, {}), "0");
    EXPECT_EQ(formatcellule(3e-5, 0.1 / 10000, 230, {}), "3,E-05");
    // A reactant left over by rounding is cleared in the current row.
    auto e = equation({3, 1}, 2);
    e.p = 10000;
    tabquant q{0, 0.3f};
    const auto t = calcultableau(e, q);
    EXPECT_EQ(t.colonnes[1].courant.texte, "0");
    EXPECT_GE(t.colonnes[1].courant.valeur, 0);
}

struct lignetexte {
    const char* nom;
    double valeur;
    const char* texte;
};

const lignetexte textes[] = {
    {"deux", 2, "2,0"},
    {"demi", 0.5, "0,5"},
    {"cinq_decimales", 1.234567, "1,23457"},
    {"arrondi_decimal", 0.123455, "0,12346"},
    {"borne_basse", 0.0001, "0,0001"},
    {"borne_haute", 9999, "9999,0"},
    {"arrondi_vers_borne", 9998.999996, "9999,0"},
    {"au_dela", 12345, "1,235E+04"},
    {"sans_decimale", 20000, "2,E+04"},
    {"petit", 0.00005, "5,E-05"},
    {"retenue_mantisse", 99995, "1,E+05"},
    {"tres_grand", 1.5e20, "1,5E+20"},
    {"exposant_trois_chiffres", 2e-300, "2,E-300"},
    {"zero", 0, "0"},
};

TEST(Avancement, TexteDesCellules)
{
    for (const lignetexte& l : textes) {
        SCOPED_TRACE(l.nom);
        EXPECT_EQ(formatcellule(l.valeur, 0, 230, {}), l.texte);
    }
    EXPECT_EQ(formatcellule(1.5, 0, 230, {}, '.'), "1.5");
    EXPECT_EQ(formatcellule(12345.0, 0, 230, {}, '.'), "1.235E+04");
}

TEST(Avancement, TexteTropLarge)
{
    // About 8 px a character: "1,235E+04" is 72 px.
    const qm::mesuretexte mesure = [](std::string_view t) { return static_cast<int>(t.size()) * 8; };
    EXPECT_EQ(formatcellule(12345.0, 0, 68, mesure), "1,235E+04");
    EXPECT_EQ(formatcellule(12345.0, 0, 67, mesure), "1,23E+04");
    EXPECT_EQ(formatcellule(1.234567, 0, 40, mesure), "1,23E+00");
    // The table passes its measure down to every cell.
    auto e = equation({1, 1}, 2);
    e.largeurcolonne = 60;
    e.mesure = mesure;
    tabquant q{0, 12345};
    EXPECT_EQ(calcultableau(e, q).colonnes[1].initial.texte, "1,23E+04");
}

TEST(Avancement, PrecisionSimpleDeLaLigneInitiale)
{
    // The initial row compares in single precision: 0.0001f sits just under the
    // double 0.0001, so the two rows write it differently.
    EXPECT_EQ(formatcellule(0.0001f, 0, 230, {}), "0,0001");
    EXPECT_EQ(formatcellule(static_cast<double>(0.0001f), 0, 230, {}), "1,E-04");
    // A float written with its own seven digits, not its binary image.
    EXPECT_EQ(formatcellule(0.3f, 0, 230, {}), "0,3");
    EXPECT_EQ(formatcellule(1.234565f, 0, 230, {}), "1,23457");
}

TEST(Avancement, Echelle)
{
    EXPECT_EQ(qm::texteechelle(1), "1 -");
    EXPECT_EQ(qm::texteechelle(0.25f), "0,25 -");
    EXPECT_EQ(qm::texteechelle(1234567), "1234567 -");
    EXPECT_EQ(qm::texteechelle(12345678), "1,234568E+07 -");
    EXPECT_EQ(qm::texteechelle(0.0001f), "0,0001 -");
    EXPECT_EQ(qm::texteechelle(0.00002f), "2E-05 -");
    EXPECT_EQ(qm::texteechelle(1.0f / 3), "0,3333333 -");
    EXPECT_EQ(qm::texteechelle(0), "0 -");
}

TEST(Avancement, EntreesImpossiblesSansPlantage)
{
    // A zero coefficient (never written by the checker) abandons the search for xmax.
    auto e = equation({0, 1, 1}, 3);
    tabquant q{0, 1, 1};
    const auto t = calcultableau(e, q);
    EXPECT_FLOAT_EQ(t.xmax, 0);

    // Products that overflow single precision leave the largest amount alone.
    auto grand = equation({1, 30000}, 2);
    tabquant enorme{0, 3e38f};
    const auto g = calcultableau(grand, enorme);
    EXPECT_TRUE(std::isfinite(g.quantmax));
    for (int i = 1; i <= 2; ++i) {
        EXPECT_EQ(g.colonnes[i].final.texte.find("inf"), std::string::npos);
        EXPECT_EQ(g.colonnes[i].courant.texte.find("nan"), std::string::npos);
    }

    // Out-of-range column counts stay inside the arrays.
    auto trop = equation({1, 1}, 2);
    trop.nbcolonnes = 40;
    trop.premierproduit = -3;
    tabquant q2{0, 1, 1};
    EXPECT_NO_FATAL_FAILURE(calcultableau(trop, q2));
    EXPECT_EQ(formatcellule(std::nan(""), 0, 230, {}), "0");
}

} // namespace
