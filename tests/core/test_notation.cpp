#include <gtest/gtest.h>

#include "core/notation.h"

namespace {

using qm::corrigetext1;
using qm::moinsde10;
using qm::nettoieequation;
using qm::saisie;

struct ligne {
    const char* nom;
    const char* avant;
    const char* apres;
};

// Text in, normalised text out, with the caret left where the pupil was.
const ligne normalisations[] = {
    {"exposant_avant_indice", "O*2#3", "O#3*2"},
    {"deux_deplacements", "SO*2#4*-", "SO#4*2*-"},
    {"plus_en_tete", "+H#2", "H#2"},
    {"plus_apres_egal", "H#2=+O#2", "H#2=O#2"},
    {"indice_zero_seul", "2H#0", "2H"},
    {"zero_apres_chiffre", "H#1#0", "H#1#0"},
    {"coefficient_zero_en_tete", "02H#2", "2H#2"},
    {"coefficient_zero_apres_plus", "2H#2+0O#2", "2H#2+O#2"},
    {"coefficient_zero_apres_egal", "H#2=0H#2", "H#2=H#2"},
    {"coefficient_dix", "10H#2", "10H#2"},
    {"zero_apres_lettre", "H0", "H"},
    {"exposant_zero", "Fe*0*+", "Fe*+"},
    {"marqueur_en_tete", "#2H", "2H"},
    {"marqueur_apres_plus", "H#2+*2O", "H#2+2O"},
    {"marqueur_apres_egal", "H#2=#2O", "H#2=2O"},
    {"marqueur_sans_chiffre", "H#a", "Ha"},
    {"marqueur_avant_parenthese", "(OH#)#2", "(OH)#2"},
    {"charges_ioniques", "Cu+2Ag*+=Cu*2*++2Ag", "Cu+2Ag*+=Cu*2*++2Ag"},
    {"eau", "2H#2+O#2=2H#2O", "2H#2+O#2=2H#2O"},
    {"blancs_autour", "  H#2 ", "H#2"},
    {"blanc_interieur_garde", "H#2 O", "H#2 O"},
    {"caractere_hors_notation", "H#2é", "H#2é"},
    {"vide", "", ""},
};

TEST(Notation, Normalisations)
{
    for (const ligne& l : normalisations) {
        SCOPED_TRACE(l.nom);
        const saisie r = corrigetext1({l.avant, 0, true});
        EXPECT_EQ(r.texte, l.apres);
    }
}

TEST(Notation, NettoyageSansReordonner)
{
    // The clean-up pass alone leaves the item order to its caller.
    EXPECT_EQ(nettoieequation("O*2#3"), "O*2#3");
    EXPECT_EQ(nettoieequation(" +H#2=+0O#2 "), "H#2=O#2");
}

TEST(Notation, MarqueurEnAttente)
{
    // A marker at the end waits for its character: nothing changes, not even the arrow.
    for (const char* t : {"H#", "Fe*", "O*2#", "H#2 *  "}) {
        SCOPED_TRACE(t);
        for (bool fleche : {true, false}) {
            const saisie r = corrigetext1({t, 1, fleche});
            EXPECT_EQ(r.texte, t);
            EXPECT_EQ(r.curseur, 1);
            EXPECT_EQ(r.fleche, fleche);
        }
    }
}

TEST(Notation, Fleche)
{
    EXPECT_FALSE(corrigetext1({"H#2=", 4, true}).fleche);
    EXPECT_FALSE(corrigetext1({"=H", 0, true}).fleche);
    EXPECT_FALSE(corrigetext1({"2H#2+O#2=2H#2O", 3, true}).fleche);
    // Deleting the "=" gives the arrow back at the next change.
    EXPECT_TRUE(corrigetext1({"2H#2+O#22H#2O", 9, false}).fleche);
}

TEST(Notation, Curseur)
{
    // Nothing removed: the caret stays.
    EXPECT_EQ(corrigetext1({"2H#2+O#2", 3, true}).curseur, 3);
    // A reorder sends the caret to the end.
    const saisie r = corrigetext1({"O*2#3", 1, true});
    EXPECT_EQ(r.texte, "O#3*2");
    EXPECT_EQ(r.curseur, 5);
    // A shorter text keeps the caret inside it.
    EXPECT_EQ(corrigetext1({"2H#2+0O", 7, true}).curseur, 6);
    EXPECT_EQ(corrigetext1({"+H", 1, true}).curseur, 1);
    // The caret counts characters, not bytes.
    const saisie accent = corrigetext1({"é+H#0", 5, true});
    EXPECT_EQ(accent.texte, "é+H");
    EXPECT_EQ(accent.curseur, 3);
}

TEST(Notation, ReordonnementBorne)
{
    // Superscript and subscript items that keep trading places must not loop for ever.
    std::string t;
    for (int i = 0; i < 200; ++i)
        t += "*##*";
    t += "H";
    const saisie r = corrigetext1({t, 0, true});
    EXPECT_LE(r.texte.size(), t.size());
}

TEST(Notation, ReordonnementNeCoupePasLesCaracteres)
{
    // "é" is one character: the superscript item moves whole (then its marker,
    // not followed by a digit or a sign, goes).
    EXPECT_EQ(corrigetext1({"X*é#2", 0, true}).texte, "X#2é");
}

struct lignecoupure {
    const char* nom;
    const char* avant;
    const char* apres;
    bool message;
};

const lignecoupure coupures[] = {
    {"dix_especes", "A+B+C+D+E=F+G+H+I+J", "A+B+C+D+E=F+G+H+I+J", false},
    {"onze_especes", "A+B+C+D+E=F+G+H+I+J+K", "A+B+C+D+E=F+G+H+I+J", true},
    // Species longer than one character stay whole.
    {"onze_especes_longues", "Na+Cl+Ca+Fe+Cu=Zn+Ag+Au+Pt+Pb+Na", "Na+Cl+Ca+Fe+Cu=Zn+Ag+Au+Pt+Pb", true},
    {"douze_especes", "A+B+C+D+E+F+G+H+I+J+K+L", "A+B+C+D+E+F+G+H+I+J", true},
    {"charges_non_comptees", "Fe*3*++A+B+C+D+E+F+G+H=I", "Fe*3*++A+B+C+D+E+F+G+H=I", false},
    {"premier_caractere_jamais_compte", "+A+B+C+D+E+F+G+H+I+J", "+A+B+C+D+E+F+G+H+I+J", false},
    {"vide", "", "", false},
};

TEST(Notation, MoinsDe10)
{
    for (const lignecoupure& l : coupures) {
        SCOPED_TRACE(l.nom);
        const auto r = moinsde10(l.avant);
        EXPECT_EQ(r.texte, l.apres);
        EXPECT_EQ(r.message, l.message);
    }
}

TEST(Notation, Utf8)
{
    EXPECT_EQ(qm::versutf8(qm::versu32("aé€𝄞")), "aé€𝄞");
    EXPECT_EQ(qm::versu32("a\xC3").size(), 2u);    // truncated sequence
    EXPECT_EQ(qm::versu32("\xFF\xFE").size(), 2u); // invalid bytes
    EXPECT_EQ(qm::versutf8(qm::versu32("\xC3(")), "\xEF\xBF\xBD(");
}

} // namespace
