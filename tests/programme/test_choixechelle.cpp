#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "app/choixechelle.h"

namespace {

TEST(Echelle, AutoLaisseLaFenetreDansHuitDixiemesDeLaHauteur)
{
    const struct {
        int largeur, hauteur;
        double attendue;
    } cas[] = {
        {800, 600, 1},      {1024, 768, 1},     {1366, 768, 1},    {1280, 1024, 1.25},
        {1680, 1050, 1.25}, {1920, 1080, 1.25}, {1920, 1200, 1.5}, {2560, 1440, 1.5},
        {3840, 2160, 2},    {1080, 1920, 1},    {1280, 800, 1},    {2560, 1080, 1.25},
    };
    for (const auto& c : cas)
        EXPECT_EQ(qm::echelleauto(c.largeur, c.hauteur), c.attendue) << c.largeur << " x " << c.hauteur;
}

TEST(Echelle, TexteLuEtRelu)
{
    const struct {
        const char* texte;
        std::optional<double> lue;
    } cas[] = {
        {"auto", 0},
        {"1", 1},
        {"1.25", 1.25},
        {"1,5", 1.5},
        {"2", 2},
        {"2.0", 2},
        {"3", std::nullopt},
        {"1.3", std::nullopt},
        {"", std::nullopt},
        {"Auto", std::nullopt},
    };
    for (const auto& c : cas) {
        EXPECT_EQ(qm::lireechelle(c.texte), c.lue) << c.texte;
        if (c.lue) {
            EXPECT_EQ(qm::lireechelle(qm::texteechelle(*c.lue)), c.lue) << c.texte;
        }
    }
}

TEST(Echelle, LigneDeCommande)
{
    using d = qm::lignecommande::demande;
    const struct {
        std::vector<std::string> arguments;
        d quoi;
        std::optional<double> echelle;
    } cas[] = {
        {{}, d::lancer, std::nullopt},
        {{"-platform", "xcb"}, d::lancer, std::nullopt},
        {{"--echelle", "1.5"}, d::lancer, 1.5},
        {{"--echelle=auto"}, d::lancer, 0},
        {{"--echelle", "2", "--help"}, d::aide, 2},
        {{"-h"}, d::aide, std::nullopt},
        {{"--echelle", "4"}, d::erreur, std::nullopt},
        {{"--echelle"}, d::erreur, std::nullopt},
    };
    for (const auto& c : cas) {
        const qm::lignecommande l = qm::lireligne(c.arguments);
        EXPECT_EQ(l.quoi, c.quoi) << testing::PrintToString(c.arguments);
        EXPECT_EQ(l.echelle, c.echelle) << testing::PrintToString(c.arguments);
        EXPECT_EQ(l.message.empty(), c.quoi != d::erreur) << testing::PrintToString(c.arguments);
    }
}

} // namespace
