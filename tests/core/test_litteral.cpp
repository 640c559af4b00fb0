#include <gtest/gtest.h>

#include "core/litteral.h"

namespace qm {
namespace {

TEST(Litteral, DecimalTypedBehindTheFloat)
{
    const struct {
        float v;
        std::uint64_t chiffres;
        int exposant;
    } cas[] = {{0.1f, 1, -1},     {0.25f, 25, -2}, {12345.f, 12345, 0}, {1e-5f, 1, -5},
               {2.5e12f, 25, 11}, {0.f, 0, 0},     {-1.f, 0, 0}};
    for (const auto& c : cas) {
        const decimalexact d = decimaltape(c.v);
        EXPECT_EQ(d.chiffres, c.chiffres) << c.v;
        EXPECT_EQ(d.exposant, c.exposant) << c.v;
    }
}

TEST(Litteral, RatiosComparedExactly)
{
    const struct {
        decimalexact a;
        int na;
        decimalexact b;
        int nb;
        int signe;
    } cas[] = {
        {{1, -1}, 1, {2, -1}, 2, 0},   // 0,1 / 1 = 0,2 / 2
        {{3, -3}, 1, {9, -3}, 3, 0},   // in floats 0.003f / 1 > 0.009f / 3
        {{1, 0}, 1, {2, 0}, 1, -1},    //
        {{1, 30}, 1, {9, -30}, 7, 1},  // far apart
        {{1, -30}, 7, {9, 30}, 1, -1}, //
        {{0, 0}, 1, {1, -9}, 1, -1},   // nothing is the least
        {{0, 0}, 3, {0, 5}, 1, 0},     //
        {{10, -1}, 1, {1, 0}, 1, 0},   // 1,0 = 1
    };
    for (const auto& c : cas)
        EXPECT_EQ(comparerrapports(c.a, c.na, c.b, c.nb), c.signe)
            << c.a.chiffres << "e" << c.a.exposant << "/" << c.na << " vs " << c.b.chiffres << "e"
            << c.b.exposant << "/" << c.nb;
}

TEST(Litteral, LimitingReactantsAndConclusion)
{
    const std::vector<std::string> noms = {"A", "B", "C"};
    const struct {
        std::vector<reactiflitteral> reactifs;
        const char* xmax;
        const char* limitant;
        const char* exces;
    } cas[] = {
        {{{1, 1}, {1, 2}}, "xmax = 0,5 mol", "Réactif limitant : B", "En excès : A"},
        {{{2, 2}, {1, 1}}, "xmax = 1,0 mol", "Mélange stœchiométrique", ""},
        {{{0.1f, 1}, {0.2f, 2}}, "xmax = 0,1 mol", "Mélange stœchiométrique", ""},
        {{{0.003f, 1}, {0.009f, 3}}, "xmax = 0,003 mol", "Mélange stœchiométrique", ""},
        {{{0, 1}, {1, 2}}, "xmax = 0 mol", "Réactif limitant : A", "En excès : B"},
        {{{0.5f, 2}}, "xmax = 0,25 mol", "Réactif limitant : A", ""},
        {{{1, 1}, {1, 1}, {3, 1}}, "xmax = 1,0 mol", "Réactifs limitants : A et B", "En excès : C"},
        {{{1, 1}, {2, 1}, {3, 1}}, "xmax = 1,0 mol", "Réactif limitant : A", "En excès : B et C"},
        {{{0, 1}, {0, 2}}, "", "Saisir les quantités initiales des réactifs", ""},
    };
    for (const auto& c : cas) {
        const conclusionlitterale r = conclurelitteral(bilanreactifs(c.reactifs), noms);
        SCOPED_TRACE(c.limitant);
        EXPECT_EQ(r.xmax, c.xmax);
        EXPECT_EQ(r.limitant, c.limitant);
        EXPECT_EQ(r.exces, c.exces);
    }
}

TEST(Litteral, CellsAsPupilsWriteThem)
{
    const struct {
        std::int16_t coef;
        bool reactif;
        bool final;
        const char* attendu;
    } cas[] = {
        {2, true, false, "0,5 − 2x"},   {1, true, false, "0,5 − x"}, {2, false, false, "2x"},
        {1, false, false, "x"},         {1, false, true, "xmax"},    {3, false, true, "3xmax"},
        {2, true, true, "0,5 − 2xmax"},
    };
    for (const auto& c : cas)
        EXPECT_EQ(expressionlitterale("0,5", c.coef, c.reactif, c.final), c.attendu);
}

} // namespace
} // namespace qm
