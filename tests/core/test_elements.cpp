#include <gtest/gtest.h>

#include "core/elements.h"

namespace {

using qm::chercheelement;
using qm::elementsstandard;

TEST(Elements, TableauComplet)
{
    const auto& t = elementsstandard();
    EXPECT_EQ(t.symbole[0], "");
    EXPECT_EQ(t.nom[0], "");
    EXPECT_EQ(t.symbole[1], "H");
    EXPECT_EQ(t.nom[1], "hydrogene");
    EXPECT_DOUBLE_EQ(t.masse[1], 1);
    EXPECT_EQ(t.nom[42], "molybdene");
    EXPECT_EQ(t.nom[65], "therbium");
    EXPECT_EQ(t.symbole[65], "Tb");
    EXPECT_EQ(t.symbole[103], "Lw");
    EXPECT_EQ(t.nom[103], "lawrencium");
    EXPECT_DOUBLE_EQ(t.masse[34], 79);
    EXPECT_DOUBLE_EQ(t.masse[63], 152);
    EXPECT_DOUBLE_EQ(t.masse[71], 175);
    EXPECT_DOUBLE_EQ(t.masse[17], 35.5);
    EXPECT_DOUBLE_EQ(t.masse[53], 126.9);
    EXPECT_DOUBLE_EQ(t.masse[103], 257);
    for (int n = 1; n <= 103; ++n) {
        const std::string& s = t.symbole[n];
        ASSERT_GE(s.size(), 1u) << n;
        ASSERT_LE(s.size(), 2u) << n;
        EXPECT_TRUE(s[0] >= 'A' && s[0] <= 'Z') << n;
        if (s.size() == 2) {
            EXPECT_TRUE(s[1] >= 'a' && s[1] <= 'z') << n;
        }
        EXPECT_FALSE(t.nom[n].empty()) << n;
        EXPECT_GT(t.masse[n], 0) << n;
        // Symbols are unique, so the look-up gives back each index.
        EXPECT_EQ(chercheelement(t, s), n) << s;
    }
}

TEST(Elements, InitSepare)
{
    qm::tableelements t;
    qm::initelements(t);
    EXPECT_EQ(t.symbole[26], "Fe");
    EXPECT_EQ(t.nom[26], "fer");
    EXPECT_DOUBLE_EQ(t.masse[26], 0); // masses come with the molar-mass list
    qm::initmasses(t);
    EXPECT_DOUBLE_EQ(t.masse[26], 55.8);
}

TEST(Elements, RechercheExacte)
{
    const auto& t = elementsstandard();
    EXPECT_EQ(chercheelement(t, "Lr"), 0);
    EXPECT_EQ(chercheelement(t, "Lw"), 103);
    EXPECT_EQ(chercheelement(t, "W"), 74);
    EXPECT_EQ(chercheelement(t, "w"), 0);
    EXPECT_EQ(chercheelement(t, "CO"), 0);
    EXPECT_EQ(chercheelement(t, "Co"), 27);
    EXPECT_EQ(chercheelement(t, "C"), 6);
    EXPECT_EQ(chercheelement(t, "Hel"), 0);
    EXPECT_EQ(chercheelement(t, ""), 0);
    EXPECT_EQ(chercheelement(t, "("), 0);
}

TEST(Elements, TexteMasse)
{
    EXPECT_EQ(qm::textemasse(1), "1,0");
    EXPECT_EQ(qm::textemasse(35.5), "35,5");
    EXPECT_EQ(qm::textemasse(257), "257,0");
    EXPECT_EQ(qm::textemasse(6.9, '.'), "6.9");
    EXPECT_EQ(qm::textemasse(0.04), "0,0");
    EXPECT_EQ(qm::textemasse(0.05), "0,1");
    EXPECT_EQ(qm::textemasse(1234.56), "1234,6");
}

} // namespace
