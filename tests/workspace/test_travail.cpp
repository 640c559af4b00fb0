#include <gtest/gtest.h>

#include <tuple>

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

TEST_F(Travail, OuvrirUneSerie)
{
    // The pupil is on equation 5 with something typed: the file replaces it all.
    e.numcourant = 5;
    mettreequation(e, c, QStringLiteral("Fe+S=FeS"), r);
    e.quant[1] = 9.f;
    serie s;
    s.eqtexte[0] = "2H#2+O#2=2H#2O";
    s.eqtexte[5] = "C+O#2=CO#2";
    s.eqquant[0][1] = 2.f;
    s.eqquant[5][2] = 4.f;
    s.colorsto = 0;
    s.conso = 1;
    s.final = 2;
    r = {};
    ouvrirserie(e, c, s, r);
    EXPECT_EQ(e.numcourant, 0);
    EXPECT_EQ(e.texte, "2H#2+O#2=2H#2O");
    EXPECT_EQ(e.quant[1], 2.f);
    EXPECT_EQ(e.eqtexte[5], "C+O#2=CO#2"); // the slot on display took the file's, not the typed text
    EXPECT_EQ(e.eqquant[5][1], 0.f);
    EXPECT_EQ(e.eqquant[5][2], 4.f);
    EXPECT_EQ(r.table, effets::tableau::construire);
    EXPECT_TRUE(r.arreteranimation && e.tableauactif);
    // Written back, it is the same series.
    const serie t = seriede(e);
    EXPECT_EQ(t.eqtexte, s.eqtexte);
    EXPECT_EQ(t.eqquant, s.eqquant);
    EXPECT_EQ(std::tuple(t.colorsto, t.conso, t.final), std::tuple(0, 1, 2));
}

} // namespace
