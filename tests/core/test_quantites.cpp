#include <gtest/gtest.h>

#include "core/quantites.h"
#include "core/verification.h"

namespace qm {
namespace {

saisiequantite donnees(donnee choix, std::string a, std::string b = {}, bool litres = false)
{
    saisiequantite s;
    s.choix = choix;
    switch (choix) {
    case donnee::quantite:
        s.n = a;
        break;
    case donnee::masse:
        s.m = a;
        break;
    case donnee::solution:
        s.C = a;
        s.V = b;
        s.litres = litres;
        break;
    case donnee::gaz:
        s.Vgaz = a;
        if (!b.empty())
            s.Vm = b;
        break;
    }
    return s;
}

TEST(Quantites, Conversions)
{
    struct cas {
        const char* formule;
        saisiequantite saisie;
        std::string texte;
        double n; // -1: no amount
    };
    const cas table[] = {
        {"Mg", donnees(donnee::masse, "2,40"), "n = m / M = 2,40 / 24,3 = 0,0988 mol", 2.4 / 24.3},
        {"Mg", donnees(donnee::masse, "2.4"), "n = m / M = 2,4 / 24,3 = 0,099 mol", 2.4 / 24.3},
        {"C#6H#1#2O#6", donnees(donnee::masse, "90,0"), "n = m / M = 90,0 / 180,0 = 0,500 mol", 0.5},
        {"HCl", donnees(donnee::solution, "1,0", "50"), "n = C × V = 1,0 × 0,050 = 0,050 mol", 0.05},
        {"HCl", donnees(donnee::solution, "0,10", "0,25", true), "n = C × V = 0,10 × 0,25 = 0,025 mol",
         0.025},
        {"HCl", donnees(donnee::solution, "2", "1500"), "n = C × V = 2 × 1,500 = 3,0 mol", 3},
        {"H#2", donnees(donnee::gaz, "1,2"), "n = V / Vm = 1,2 / 24,0 = 0,050 mol", 0.05},
        {"H#2", donnees(donnee::gaz, "1,2", "22,4"), "n = V / Vm = 1,2 / 22,4 = 0,054 mol", 1.2 / 22.4},
        {"Zn", donnees(donnee::quantite, ".5"), "n = 0,5 mol", 0.5},
        {"Zn", donnees(donnee::quantite, "0"), "n = 0 mol", 0},
        // Missing, unreadable or impossible values give no amount.
        {"Mg", donnees(donnee::masse, ""), "n = m / M", -1},
        {"Mg", donnees(donnee::masse, "2,,4"), "Valeur non comprise : « 2,,4 ».", -1},
        {"HCl", donnees(donnee::solution, "1,0", ""), "n = C × V", -1},
        {"H#2", donnees(donnee::gaz, "1,2", "0"), "Le volume molaire Vm ne peut pas être nul.", -1},
        {"Zn", donnees(donnee::quantite, ""), "Saisir la quantité de matière n en mol.", -1},
        {"Zn", donnees(donnee::quantite, std::string(40, '9')), "Cette quantité est trop grande.", -1},
        {"Xy", donnees(donnee::masse, "2"), msgelementinconnu("Xy").texte, -1},
    };
    for (const cas& c : table) {
        const conversion r = convertir(c.saisie, calculermasse(c.formule));
        EXPECT_EQ(r.texte, c.texte) << c.formule;
        if (c.n < 0) {
            EXPECT_FALSE(r.n) << c.texte;
            continue;
        }
        ASSERT_TRUE(r.n) << c.texte;
        EXPECT_NEAR(*r.n, c.n, 1e-12) << c.texte;
    }
}

TEST(Quantites, TextesDesValeurs)
{
    const std::pair<const char*, const char*> litres[] = {
        {"50", "0,050"},   {"250", "0,250"},   {"1500", "1,500"},
        {"0,5", "0,0005"}, {"50,0", "0,0500"}, {"5.", "0,005"},
    };
    for (const auto& [ml, l] : litres)
        EXPECT_EQ(millilitresenlitres(ml), l) << ml;
    const std::tuple<double, int, const char*> resultats[] = {
        {0.0987654, 3, "0,0988"}, {0.05, 2, "0,050"},  {0.09996, 3, "0,100"},
        {12.345, 3, "12,3"},      {1234.5, 3, "1230"}, {0, 3, "0"},
    };
    for (const auto& [n, chiffres, texte] : resultats)
        EXPECT_EQ(texteresultat(n, chiffres), texte) << n;
    EXPECT_EQ(chiffressignificatifs("0,050"), 2);
    EXPECT_EQ(chiffressignificatifs("2,40"), 3);
    EXPECT_EQ(lirevaleur(" 1.5 "), 1.5);
    EXPECT_EQ(lirevaleur("1,5,"), std::nullopt);
    EXPECT_EQ(lirevaleur("-1"), std::nullopt);
}

TEST(Quantites, FeuilleOuverteSurUneEspece)
{
    feuillequantite f = ouvrirquantite("SO#4*2*-", "SO₄²⁻");
    EXPECT_EQ(f.titre, "Quantité initiale de SO₄²⁻");
    EXPECT_EQ(f.textemasse, "M(SO₄²⁻) = 32,1 + 4 × 16,0 = 96,1 g·mol⁻¹");
    EXPECT_FALSE(f.accepte);
    f.saisie.m = "9,61";
    majquantite(f);
    EXPECT_TRUE(f.accepte);
    EXPECT_EQ(f.resultat.texte, "n = m / M = 9,61 / 96,1 = 0,100 mol");
    EXPECT_EQ(ouvrirquantite("Mg", "Mg").textemasse, "M(Mg) = 24,3 g·mol⁻¹");
    const feuillequantite inconnu = ouvrirquantite("Xy", "Xy");
    EXPECT_EQ(inconnu.textemasse, "M(Xy) : masse molaire inconnue.");
    EXPECT_EQ(inconnu.resultat.texte, msgelementinconnu("Xy").texte);
}

} // namespace
} // namespace qm
