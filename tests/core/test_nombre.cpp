#include <gtest/gtest.h>

#include "core/nombre.h"

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>

namespace {

using qm::formescientifique;
using qm::lirenombre;
using qm::lirenombresimple;
using qm::textenombre;

struct ecriture {
    const char* nom;
    double valeur;
    const char* texte;
};

class TexteDouble : public testing::TestWithParam<ecriture> {};

TEST_P(TexteDouble, Forme)
{
    EXPECT_EQ(textenombre(GetParam().valeur), GetParam().texte);
}

INSTANTIATE_TEST_SUITE_P(
    Nombre, TexteDouble,
    testing::Values(ecriture{"zero", 0.0, " 0"}, ecriture{"zeronegatif", -0.0, " 0"},
                    ecriture{"entier", 2.0, " 2"}, ecriture{"demi", 0.5, " .5"},
                    ecriture{"negatifsouslun", -0.25, "-.25"}, ecriture{"decimales", 12.25, " 12.25"},
                    ecriture{"negatif", -3.0, "-3"}, ecriture{"tiers", 1.0 / 3, " .333333333333333"},
                    ecriture{"arrondi15", 2.0 / 3, " .666666666666667"},
                    ecriture{"zerosfinaux", 1500.0, " 1500"},
                    // The positional form ends at 10^15 and at 1E-04.
                    ecriture{"plusgrandpositionnel", 999999999999999.0, " 999999999999999"},
                    ecriture{"bascule", 1e15, " 1E+15"},
                    ecriture{"arrondiversbascule", 999999999999999.9, " 1E+15"},
                    ecriture{"grand", 1.5e20, " 1.5E+20"},
                    ecriture{"plusgrandcoupe", 1.7976931348623157e308, " 1.79769313486231E+308"},
                    ecriture{"pluspetitpositionnel", 1e-4, " .0001"}, ecriture{"petit", 1e-5, " 1E-05"},
                    ecriture{"petitnegatif", -1.5e-7, "-1.5E-07"},
                    ecriture{"cos90", 6.123233995736766e-17, " 6.12323399573677E-17"},
                    ecriture{"infini", INFINITY, " 0"}),
    [](const auto& i) { return std::string(i.param.nom); });

class TexteSimple : public testing::TestWithParam<ecriture> {};

TEST_P(TexteSimple, Forme)
{
    EXPECT_EQ(textenombre(static_cast<float>(GetParam().valeur)), GetParam().texte);
}

INSTANTIATE_TEST_SUITE_P(
    Nombre, TexteSimple,
    testing::Values(ecriture{"zero", 0.0, " 0"}, ecriture{"demi", 0.5, " .5"},
                    ecriture{"dixieme", 0.1, " .1"}, ecriture{"quantite", 12.25, " 12.25"},
                    ecriture{"negatif", -3.0, "-3"}, ecriture{"tiers", 1.0 / 3, " .3333333"},
                    ecriture{"petit", 1e-5, " 1E-05"}, ecriture{"grand", 1.5e10, " 1.5E+10"},
                    ecriture{"plusgrandpositionnel", 9999999.0, " 9999999"},
                    ecriture{"bascule", 1e7, " 1E+07"},
                    // Floats that need more than seven digits keep seven.
                    ecriture{"huitchiffres", 12345679.0, " 1.234568E+07"},
                    ecriture{"neufchiffres", 10.0000105, " 10.00001"},
                    ecriture{"positionnelhuit", 1234567.5, " 1234568"}),
    [](const auto& i) { return std::string(i.param.nom); });

struct lecture {
    const char* nom;
    const char* texte;
    std::optional<double> valeur;
};

class Lecture : public testing::TestWithParam<lecture> {};

TEST_P(Lecture, Valeur)
{
    const std::optional<double> v = lirenombre(GetParam().texte);
    ASSERT_EQ(v.has_value(), GetParam().valeur.has_value());
    if (v) {
        EXPECT_DOUBLE_EQ(*v, *GetParam().valeur);
        EXPECT_FALSE(std::signbit(*v) && *v == 0);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Nombre, Lecture,
    testing::Values(
        lecture{"vide", "", 0.0}, lecture{"sansnombre", "Calcul impossible", 0.0},
        lecture{"blancdevant", " 14", 14.0}, lecture{"pointseul", ".", 0.0}, lecture{"signeseul", "-", 0.0},
        lecture{"moinszero", "-0", 0.0}, lecture{"suiteignoree", ".5)", 0.5},
        lecture{"deuxpoints", "1.2.3", 1.2}, lecture{"blancsinterieurs", "1 2 3", 123.0},
        lecture{"tabulationsetlignes", "\t-\n1.5e3", -1500.0}, lecture{"exposantD", "1D2", 100.0},
        lecture{"exposantminuscule", "2.5e-3", 0.0025}, lecture{"exposantsigneplus", " 1E+15", 1e15},
        lecture{"exposantsanschiffre", "1E", 1.0}, lecture{"exposantsignesanschiffre", "1E+", 1.0},
        lecture{"exposantsansmantisse", "E5", 0.0}, lecture{"plusdevant", "+7", 7.0},
        lecture{"virgulenonlue", "1,5", 1.0}, lecture{"zerosdevant", "000.000125", 0.000125},
        lecture{"longexposant", "1E-0000000000000000000000000000000000000000000005", 1e-5},
        lecture{"horsdomaine", "1E400", std::nullopt}, lecture{"horsdomainenegatif", "-1E400", std::nullopt},
        lecture{"exposantimmense", "1E99999999999999999999999", std::nullopt},
        lecture{"troppetit", "1E-400", 0.0}, lecture{"plusgranddouble", "1.7976931348623157E308", DBL_MAX}),
    [](const auto& i) { return std::string(i.param.nom); });

TEST(Nombre, LectureDeMilleChiffres)
{
    EXPECT_FALSE(lirenombre(std::string(400, '9')).has_value());
    EXPECT_DOUBLE_EQ(*lirenombre("." + std::string(400, '0') + "1E+401"), 1.0);
}

TEST(Nombre, LectureSimpleHorsDomaine)
{
    EXPECT_FALSE(lirenombresimple("1E39").has_value());
    EXPECT_FALSE(lirenombresimple("-1E39").has_value());
    EXPECT_EQ(*lirenombresimple(" 3.4028235E+38"), FLT_MAX);
    EXPECT_EQ(*lirenombresimple(" .1"), 0.1f);
}

// Double values come back within the 15-digit rounding, and writing what was
// read gives the same text, across the switch to the exponent form.
TEST(Nombre, AllerRetourDouble)
{
    std::mt19937_64 g(7);
    std::uniform_real_distribution<double> mantisse(1, 10);
    std::uniform_int_distribution<int> exposant(-30, 30);
    std::vector<double> valeurs = {1e15,
                                   999999999999999.0,
                                   999999999999999.4,
                                   1.000000000000001e15,
                                   1e-4,
                                   9.99999999999999e-5,
                                   1.00000000000001e-4,
                                   DBL_MAX,
                                   DBL_MIN,
                                   5e-324};
    for (int i = 0; i < 5000; ++i)
        valeurs.push_back((i % 2 ? -1 : 1) * mantisse(g) * std::pow(10.0, exposant(g)));
    for (double v : valeurs) {
        const std::string t = textenombre(v);
        const std::optional<double> relu = lirenombre(t);
        ASSERT_TRUE(relu.has_value()) << t;
        EXPECT_LE(std::fabs(*relu - v), std::fabs(v) * 5e-15) << t;
        EXPECT_EQ(textenombre(*relu), t);
        EXPECT_EQ(t[0], v < 0 ? '-' : ' ') << t;
        EXPECT_EQ(t.find(','), std::string::npos) << t;
    }
}

// Every single value is written with at most 7 significant digits; it comes
// back as the same float whenever 7 digits can hold it, and otherwise as the
// float of its 7-digit rounding.
TEST(Nombre, AllerRetourSimple)
{
    std::mt19937 g(11);
    std::vector<float> valeurs = {1e7f,     9999999.f, 9999999.5f, 10000001.f, 1e-4f, 9.9999997e-5f, FLT_MAX,
                                  -FLT_MAX, FLT_MIN,   1e-45f,     16777216.f, 0.1f,  0.3f};
    while (valeurs.size() < 20000) {
        const std::uint32_t bits = g();
        float f;
        std::memcpy(&f, &bits, sizeof f);
        if (std::isfinite(f))
            valeurs.push_back(f);
    }
    int exactes = 0;
    for (float f : valeurs) {
        const std::string t = textenombre(f);
        const std::optional<float> relu = lirenombresimple(t);
        ASSERT_TRUE(relu.has_value()) << t;
        std::string mantisse;
        for (char c : t.substr(0, t.find('E')))
            if (c >= '0' && c <= '9')
                mantisse += c;
        // Significant digits: the zeros that only place the point do not count.
        const std::size_t debut = mantisse.find_first_not_of('0');
        const std::size_t fin = mantisse.find_last_not_of('0');
        const std::size_t chiffres = debut == std::string::npos ? 0 : fin - debut + 1;
        EXPECT_LE(chiffres, 7u) << t;
        if (*relu == f) {
            ++exactes;
        } else {
            // Only the 7-digit rounding may lose the float: half a seventh digit
            // and half a float step at most.
            char sept[32];
            std::snprintf(sept, sizeof sept, "%.6e", static_cast<double>(f));
            EXPECT_EQ(*relu, std::strtof(sept, nullptr)) << t;
            EXPECT_LE(std::fabs(static_cast<double>(*relu) - f), 6e-7 * std::fabs(static_cast<double>(f)))
                << t;
            EXPECT_EQ(textenombre(*relu), t) << t; // and is stable from then on
        }
    }
    // Random bit patterns are mostly floats that need 8 or 9 digits.
    EXPECT_GT(exactes, 5000);
}

// An amount the pupil typed, six significant digits at most, is written as
// typed, not with the digits of its binary image (0.1 is " .1").
TEST(Nombre, QuantitesTapeesSimples)
{
    std::mt19937 g(13);
    for (int i = 0; i < 5000; ++i) {
        const long chiffres = static_cast<long>(g() % 999999) + 1;
        const int exposant = static_cast<int>(g() % 16) - 10;
        const std::string tape = std::to_string(chiffres) + "E" + std::to_string(exposant);
        const float f = *lirenombresimple(tape);
        // The same decimal value reads as the same double.
        EXPECT_EQ(*lirenombre(textenombre(f)), *lirenombre(tape)) << tape << " written " << textenombre(f);
    }
}

class Scientifique : public testing::TestWithParam<ecriture> {};

TEST_P(Scientifique, Forme)
{
    EXPECT_EQ(formescientifique(GetParam().valeur), GetParam().texte);
}

INSTANTIATE_TEST_SUITE_P(
    Nombre, Scientifique,
    testing::Values(ecriture{"deuxcentcinquante", 250.0, "2.5E+02"}, ecriture{"demi", 0.5, "5.E-01"},
                    ecriture{"negatif", -1500.0, "-1.5E+03"}, ecriture{"tiers", 1.0 / 3, "3.3333333E-01"},
                    ecriture{"arrondiretenue", 9.999999999, "1.E+01"}, ecriture{"zero", 0.0, "0.E+00"},
                    ecriture{"exposanttroischiffres", 1.5e200, "1.5E+200"},
                    ecriture{"petit", 1.2345678912e-9, "1.2345679E-09"}),
    [](const auto& i) { return std::string(i.param.nom); });

} // namespace
