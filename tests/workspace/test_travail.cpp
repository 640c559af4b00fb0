#include <gtest/gtest.h>

#include "workspace/travail.h"

// The ten equations, the check and the erasing on plain state, without a window.

namespace {

using namespace qm;

struct Travail : ::testing::Test {
    etatfeuille e;
    cadreequation c;
    effets r;
    void SetUp() override { initelements(e.elements); }
    void choisir(int i)
    {
        r = {};
        choisirequation(e, c, i, r);
    }
};

TEST_F(Travail, ChangerDEquation)
{
    mettreequation(e, c, QStringLiteral("2H#2+O#2=2H#2O"), r);
    e.quant[1] = 2.5f;
    choisir(3);
    EXPECT_TRUE(e.texte.isEmpty());
    EXPECT_EQ(e.quant[1], 0.f);
    EXPECT_TRUE(r.focus); // an empty slot: the keyboard to the box
    EXPECT_FALSE(r.verification);
    choisir(0);
    EXPECT_EQ(e.texte, "2H#2+O#2=2H#2O");
    EXPECT_EQ(e.quant[1], 2.5f);
    EXPECT_EQ(e.eqtexte[3], "");
    // Balanced: checked at once, its table built, the cursor at 0.
    EXPECT_TRUE(r.verification && e.tableauactif && r.curseurazero);
    EXPECT_EQ(r.table, effets::tableau::construire);
    EXPECT_EQ(e.tableaudemande, 1);
}

TEST_F(Travail, VerificationEtSesVerdicts)
{
    mettreequation(e, c, QStringLiteral("H#2+O#2=H#2O"), r);
    validerequation(e, c, r);
    ASSERT_TRUE(r.grille);
    EXPECT_FALSE(e.tableauactif);
    EXPECT_EQ(r.table, effets::tableau::outils);
    EXPECT_FALSE(r.bravo);

    r = {};
    mettreequation(e, c, QStringLiteral("2H#2+O#2=2H#2O"), r);
    verifierequation(e, c, r);
    EXPECT_TRUE(r.bravo && e.tableauactif && !r.grille);
    EXPECT_EQ(r.table, effets::tableau::inchange);

    r = {};
    mettreequation(e, c, QString(), r);
    verifierequation(e, c, r);
    ASSERT_EQ(r.messages.size(), 1u);
    EXPECT_EQ(r.messages[0], msgequationvide);
}

TEST_F(Travail, CollerEtEffacer)
{
    e.eqquant[10][1] = 3.f;
    coller(e, c, QStringLiteral("C+O#2=CO#2"), r);
    EXPECT_EQ(e.texte, "C+O#2=CO#2");
    EXPECT_EQ(e.quant[1], 3.f);
    EXPECT_EQ(r.table, effets::tableau::construire);

    e.numcourant = 4;
    e.eqtexte[7] = "Fe+S=FeS";
    r = {};
    effacerequation(e, c, r);
    EXPECT_TRUE(e.texte.isEmpty() && r.effacertableau && r.arreteranimation);
    EXPECT_EQ(e.quant[1], 0.f);
    EXPECT_EQ(e.eqtexte[7], "Fe+S=FeS"); // the slots stay, the copy slot too
    EXPECT_EQ(e.eqquant[10][1], 3.f);
    effacerserie(e, c, r);
    EXPECT_EQ(e.eqtexte[7], "");
    EXPECT_EQ(e.eqquant[10][1], 0.f);
    EXPECT_EQ(e.numcourant, 4);
}

} // namespace
