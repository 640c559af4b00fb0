#include <gtest/gtest.h>

#include "core/massemolaire.h"
#include "core/verification.h"

namespace qm {
namespace {

TEST(MasseMolaire, FormulesEtDetail)
{
    struct cas {
        const char* formule;
        const char* masse;
        const char* detail;
    };
    const cas table[] = {
        {"H2SO4", "98,1", "2 × 1,0 + 32,1 + 4 × 16,0"},
        {"Ca(OH)2", "74,1", "40,1 + 2 × 16,0 + 2 × 1,0"},
        {"Ca(OH)#2", "74,1", "40,1 + 2 × 16,0 + 2 × 1,0"},
        {"Al#2(SO#4)#3", "342,3", "2 × 27,0 + 3 × 32,1 + 12 × 16,0"},
        {"CuSO4,5H2O", "249,6", "63,5 + 32,1 + 9 × 16,0 + 10 × 1,0"},
        {"CuSO4.5H2O", "249,6", "63,5 + 32,1 + 9 × 16,0 + 10 × 1,0"},
        {"CuSO4·5H2O", "249,6", "63,5 + 32,1 + 9 × 16,0 + 10 × 1,0"},
        {"K4[Fe(CN)6]", "368,2", "4 × 39,1 + 55,8 + 6 × 12,0 + 6 × 14,0"},
        {"CH3COOH", "60,0", "2 × 12,0 + 4 × 1,0 + 2 × 16,0"},
        {"Co", "58,9", "58,9"},
        {"CO", "28,0", "12,0 + 16,0"},
        {" H 2 O ", "18,0", "2 × 1,0 + 16,0"},
        {"H₂O", "18,0", "2 × 1,0 + 16,0"},
        // Charges weigh nothing, in every notation.
        {"SO#4*2*-", "96,1", "32,1 + 4 × 16,0"},
        {"Cu*2*+", "63,5", "63,5"},
        {"SO4^2-", "96,1", "32,1 + 4 × 16,0"},
        {"NH4+", "18,0", "14,0 + 4 × 1,0"},
        {"Cu²⁺", "63,5", "63,5"},
        // Ten C6H12O6: tenths summed exactly, no 1800,0000001.
        {"C60H120O60", "1800,0", "60 × 12,0 + 120 × 1,0 + 60 × 16,0"},
    };
    for (const cas& c : table) {
        const massemolaire m = calculermasse(c.formule);
        ASSERT_TRUE(m.valide) << c.formule << " " << m.erreur.texte;
        EXPECT_EQ(m.texte, c.masse) << c.formule;
        EXPECT_EQ(m.detail, c.detail) << c.formule;
    }
    EXPECT_DOUBLE_EQ(calculermasse("H2SO4").masse, 98.1);
}

TEST(MasseMolaire, FormulesRefusees)
{
    EXPECT_EQ(calculermasse("Xy2O").erreur, msgelementinconnu("Xy"));
    EXPECT_EQ(calculermasse("Ca(OH2").erreur, msgparentheses);
    EXPECT_EQ(calculermasse("CaOH)2").erreur, msgparentheses);
    EXPECT_EQ(calculermasse("Ca(OH]2").erreur, msgparentheses);
    struct cas {
        const char* formule;
        const char* message;
    };
    const cas table[] = {
        {"", "Il faut saisir une formule chimique."},
        {"h2o", "Un symbole d'élément commence par une majuscule : « h »."},
        {"H2O%", "Caractère non compris dans la formule : « % »."},
        {"€", "Caractère non compris dans la formule : « € »."},
        {"CuSO4,", "La formule est incomplète."},
        {"Na+Cl", "Une charge se place à la fin de la formule."},
        {"H0", "Un indice nul ne convient pas."},
        {"H99999999", "Nombre trop grand dans la formule."},
    };
    for (const cas& c : table) {
        const massemolaire m = calculermasse(c.formule);
        EXPECT_FALSE(m.valide) << c.formule;
        EXPECT_EQ(m.erreur.texte, c.message) << c.formule;
        EXPECT_TRUE(m.composition.empty()) << c.formule;
    }
}

TEST(MasseMolaire, MassesDeLaTableDonnee)
{
    tableelements t;
    initelements(t);
    initmasses(t);
    t.masse[1] = 2.5;
    EXPECT_EQ(calculermasse("H2O", t).texte, "21,0");
}

} // namespace
} // namespace qm
