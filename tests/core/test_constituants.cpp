#include <gtest/gtest.h>

#include "core/constituants.h"

namespace qm {
namespace {

TEST(Especes, SplitAsTheCheckerWithCoefficientsAndCharges)
{
    const auto e = especes("Cu*2*+ + 2HO*- = Cu(OH)#2");
    ASSERT_EQ(e.size(), 3u);
    EXPECT_EQ(e[0].formule, "Cu*2*+");
    EXPECT_EQ(e[0].affichage, "Cu²⁺");
    EXPECT_FALSE(e[0].produit);
    EXPECT_EQ(e[1].coefficient, "2");
    EXPECT_EQ(e[1].affichage, "HO⁻");
    EXPECT_TRUE(e[2].produit);
    EXPECT_EQ(e[2].affichage, "Cu(OH)₂");

    // A charge's "+" does not separate; blanks go; the limit holds.
    const auto f = especes(" 2 H*+ + Zn = H#2 + Zn*2*+ ");
    ASSERT_EQ(f.size(), 4u);
    EXPECT_EQ(f[0].coefficient, "2");
    EXPECT_EQ(f[0].affichage, "H⁺");
    EXPECT_EQ(f[3].affichage, "Zn²⁺");
    EXPECT_EQ(especes("A+B+C+D", 2).size(), 2u);
    EXPECT_TRUE(especes("").empty());
}

} // namespace
} // namespace qm
