#include <gtest/gtest.h>

#include "core/courbes.h"

namespace {

using namespace qm;

// The lines follow the table's calculation: A + 2 B = C with 1 and 1 mol.
TEST(Courbes, DroitesDesEspeces)
{
    parametrestableau e;
    e.nbcolonnes = 3;
    e.premierproduit = 3;
    e.coef = {0, 1, 2, 1};
    tabquant q{0, 1, 1};
    const tableau t = calcultableau(e, q);
    const courbes c = calculcourbes(3, 3, e.coef, q, t.xmax, 5000);
    EXPECT_DOUBLE_EQ(c.xmax, 0.5);
    EXPECT_DOUBLE_EQ(c.x, 0.25);
    EXPECT_DOUBLE_EQ(c.nmax, 1);
    const struct {
        bool reactif;
        double depart, arrivee, courant;
    } attendu[] = {{true, 1, 0.5, 0.75}, {true, 1, 0, 0.5}, {false, 0, 0.5, 0.25}};
    ASSERT_EQ(c.droites.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        const droiteespece& d = c.droites[static_cast<std::size_t>(i)];
        EXPECT_EQ(d.colonne, i + 1);
        EXPECT_EQ(d.reactif, attendu[i].reactif);
        EXPECT_DOUBLE_EQ(d.depart, attendu[i].depart);
        EXPECT_DOUBLE_EQ(d.arrivee, attendu[i].arrivee);
        EXPECT_DOUBLE_EQ(d.courant, attendu[i].courant);
    }
}

TEST(Courbes, ReactifLimitantSurLAxe)
{
    // 0,1 / 3 is not exact: the limiting reactant still ends at 0.
    tabcoef coef{0, 3, 1, 2};
    tabquant q{0, 0.1f, 1};
    const courbes c = calculcourbes(3, 3, coef, q, 0.1f / 3, 10000);
    EXPECT_EQ(c.droites[0].arrivee, 0.0);
    EXPECT_EQ(c.droites[0].courant, 0.0);
    EXPECT_GT(c.droites[1].arrivee, 0.9);
}

TEST(Courbes, PasRonds)
{
    const struct {
        double etendue;
        int intervalles;
        double pas;
    } cas[] = {{1, 5, 0.2},     {0.1f, 5, 0.02}, {0.05, 5, 0.01}, {12345, 5, 5000},
               {0.05, 8, 0.01}, {1e-6, 4, 5e-7}, {7, 10, 1},      {100, 5, 20},
               {0, 5, 0},       {-1, 5, 0},      {1, 0, 0}};
    for (const auto& c : cas)
        EXPECT_DOUBLE_EQ(pasgraduation(c.etendue, c.intervalles), c.pas) << c.etendue << " " << c.intervalles;
}

TEST(Courbes, TextesDesGraduations)
{
    const struct {
        double fin, pas;
        std::vector<std::string> textes;
    } cas[] = {{0.05, 0.01, {"0", "0,01", "0,02", "0,03", "0,04", "0,05"}},
               {1, 0.2, {"0", "0,2", "0,4", "0,6", "0,8", "1"}},
               {0.3, 0.1, {"0", "0,1", "0,2", "0,3"}},
               {12345, 5000, {"0", "5000", "10000"}},
               {0.07, 0.05, {"0", "0,05"}},
               {0.02f, 0.005, {"0", "0,005", "0,01", "0,015", "0,02"}},
               {1, 0, {}}};
    for (const auto& c : cas) {
        std::vector<std::string> t;
        for (const graduation& g : graduer(c.fin, c.pas))
            t.push_back(g.texte);
        EXPECT_EQ(t, c.textes) << c.fin << " " << c.pas;
    }
    EXPECT_EQ(graduer(0.3, 0.1).back().valeur, 0.3);
}

} // namespace
