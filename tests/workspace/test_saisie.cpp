#include <gtest/gtest.h>

#include "workspace/saisie.h"

// The equation editor on plain state, without a window: keys in, text,
// caret, options, layout and messages out.

namespace {

using namespace qm;

// Every character 10 px wide, 6 in the small face; the arrow 30.
const mesuresequation fixes{
    [](const QString& t, faceequation f) {
        return static_cast<int>(t.size()) * (f == faceequation::petite ? 6 : 10);
    },
    [](faceequation f) { return f == faceequation::petite ? 10 : 16; },
    [](faceequation f) { return f == faceequation::petite ? 8 : 13; },
};

struct Saisie : ::testing::Test {
    etatfeuille e;
    cadreequation c{689, 41, &fixes};
    effets r;

    void taper(const char* touches)
    {
        for (const char* k = touches; *k; ++k) {
            toucheenfoncee(e, c, 0, Qt::NoModifier, r);
            touchetapee(e, c, QLatin1Char(*k), r);
            toucherelachee(e, c, 0, r);
        }
    }
    // The messages in the order the pupil sees them.
    std::vector<message> vus() const
    {
        std::vector<message> v = r.avantmessages;
        v.insert(v.end(), r.messages.begin(), r.messages.end());
        return v;
    }
    void touche(int k)
    {
        toucheenfoncee(e, c, k, Qt::NoModifier, r);
        toucherelachee(e, c, k, r);
    }
};

TEST_F(Saisie, TaperUneFormuleEtSesCharges)
{
    taper("h2o");
    EXPECT_EQ(e.texte, "H#2O");
    EXPECT_EQ(e.curseur, 4);
    ASSERT_EQ(e.dessin.caracteres.size(), 3u);
    EXPECT_EQ(e.dessin.caracteres[1].face, faceequation::petite);
    EXPECT_EQ(e.dessin.caracteres[1].coin, QPoint(30, e.dessin.caracteres[0].coin.y() + 8));

    e = {};
    taper("SO4");
    touche(Qt::Key_Up);
    touche(Qt::Key_Up);
    EXPECT_TRUE(e.opte);
    taper("2-");
    EXPECT_EQ(e.texte, "SO#4*2*-");
    EXPECT_FALSE(e.opti || e.opte);
    // The charge's sign is a true minus, drawn over the subscript's place.
    EXPECT_EQ(e.dessin.caracteres.back().texte, QString(QChar(0x2212)));
    EXPECT_TRUE(validable(e) == false && e.fleche);
    EXPECT_TRUE(r.messages.empty());
}

TEST_F(Saisie, RetourArriereEtEntree)
{
    taper("H2");
    touchetapee(e, c, QLatin1Char('\b'), r);
    EXPECT_EQ(e.texte, "H");
    taper("+O=HO");
    EXPECT_TRUE(validable(e));
    touchetapee(e, c, QLatin1Char('='), r); // a second arrow is refused
    EXPECT_EQ(e.texte.count(QLatin1Char('=')), 1);
    touchetapee(e, c, QLatin1Char('\r'), r);
    EXPECT_TRUE(r.valider);
}

TEST_F(Saisie, PasAssezDePlaceUnMessageParTouche)
{
    c.largeur = 200;              // room up to x = 190
    taper("HHHHHHHHHHHHHHHHHHH"); // the 19th would start at x = 200
    ASSERT_EQ(vus().size(), 1u);
    EXPECT_EQ(vus()[0].titre, "Dépassement de capacité");
    // Shown over the text with the character that did not fit, then cut.
    ASSERT_TRUE(r.avantcoupe);
    EXPECT_EQ(r.avantcoupe->texte, QString(19, QLatin1Char('H')));
    const QString avant = e.texte;
    EXPECT_EQ(avant, QString(18, QLatin1Char('H')));
    r = {};
    taper("2");
    EXPECT_EQ(vus().size(), 1u);
    EXPECT_EQ(e.texte, avant);
}

TEST_F(Saisie, PasPlusLongQuUnEnregistrement)
{
    // A very wide picture: only the record's 126 bytes limit the equation.
    c.largeur = 100000;
    mettreequation(e, c, QString(125, QLatin1Char('H')), r);
    taper("C");
    EXPECT_EQ(e.texte.size(), 126);
    EXPECT_TRUE(r.messages.empty());
    taper("l");
    EXPECT_EQ(e.texte.size(), 126);
    ASSERT_EQ(vus().size(), 1u);
    EXPECT_EQ(vus()[0].texte, "Il n'y a pas assez de place pour cette expression");
    r = {};
    taper("2"); // its marker would take the 127th byte
    EXPECT_EQ(e.texte.size(), 126);
    EXPECT_EQ(vus().size(), 1u);
}

TEST_F(Saisie, EspecesEnColonnes)
{
    mettreequation(e, c, QStringLiteral("2H#2+O#2=2H#2O"), r);
    etalerequation(e, c, r);
    EXPECT_EQ(e.nbcolonnes, 3);
    EXPECT_EQ(e.premierproduit, 3);
    EXPECT_EQ(e.sepegal, 2);
    EXPECT_EQ(e.largeurcolonne, 230);
    EXPECT_EQ(e.modeaffichage, 100);
    // Each species starts where it is centred in its column: "2H₂" is
    // 10 + 10 + 6 wide, "O₂" 16, "2H₂O" 36.
    const auto debut = [this](int i) { return e.dessin.caracteres[static_cast<std::size_t>(i)].coin.x(); };
    EXPECT_EQ(debut(0), 102);       // (230 - 26) / 2
    EXPECT_EQ(debut(4), 230 + 107); // O, after "2H₂" and " + "
    EXPECT_EQ(debut(7), 460 + 97);  // 2, after " ⟶ "
    EXPECT_TRUE(r.messages.empty());
}

} // namespace
