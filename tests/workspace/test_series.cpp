#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>

#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <vector>

#include "app/boite.h"
#include "files/serie.h"
#include "workspace/feuillep.h"
#include "workspace/series.h"

namespace {

using namespace qm;

// Ten balanced equations, one per slot.
const char* const equations[10] = {
    "H#2+Cl#2=2HCl",        "2H#2+O#2=2H#2O", "C+O#2=CO#2", "N#2+3H#2=2NH#3", "2Na+Cl#2=2NaCl",
    "CH#4+2O#2=CO#2+2H#2O", "2Mg+O#2=2MgO",   "Fe+S=FeS",   "2Cu+O#2=2CuO",   "2K+Cl#2=2KCl",
};

// Initial amounts for the reactants only: the table sets those of the products.
float quantite(std::size_t k, std::size_t j)
{
    return j <= 2 ? static_cast<float>(k) + 0.125f * static_cast<float>(j) : 0.f;
}

// Drives the next modal window, once it is open, from inside its own loop.
void conduire(std::function<void(QDialog&)> conduite, int essais = 100)
{
    QTimer::singleShot(10, [conduite, essais] {
        if (auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
            conduite(*d);
        else if (essais > 0)
            conduire(conduite, essais - 1);
    });
}

void cliquer(QDialog& d, const char* nom)
{
    d.findChild<QPushButton*>(QString::fromLatin1(nom))->click();
}
void taper(QDialog& d, const char* nom, const QString& t)
{
    d.findChild<QLineEdit*>(QString::fromLatin1(nom))->setText(t);
}

class Series : public ::testing::Test {
protected:
    QTemporaryDir programme, donnees;
    std::unique_ptr<FeuilleP> f;
    std::vector<questionboite> questions;

    void SetUp() override
    {
        ASSERT_TRUE(programme.isValid() && donnees.isValid());
        installerrepondeur([this](const questionboite& q) {
            questions.push_back(q);
            return reponse::oui;
        });
        f = nouvelle();
    }
    void TearDown() override { installerrepondeur({}); }

    std::unique_ptr<FeuilleP> nouvelle()
    {
        auto g = std::make_unique<FeuilleP>(programme.path());
        brancherseries(*g);
        return g;
    }
    // Each slot its equation and amounts, the shown one through the editor.
    void remplir(FeuilleP& g)
    {
        for (std::size_t k = 0; k < 10; ++k) {
            g.etat.eqtexte[k] = equations[k];
            for (std::size_t j = 1; j <= 11; ++j)
                g.etat.eqquant[k][j] = quantite(k, j);
        }
        const auto n = static_cast<std::size_t>(g.etat.numcourant);
        g.etat.quant = {};
        for (std::size_t j = 1; j <= 11; ++j)
            g.etat.quant[j] = g.etat.eqquant[n][j];
        g.Text1->setText(QString::fromLatin1(equations[n]));
    }
    void enregistrer(FeuilleP& g, const QString& nom)
    {
        conduire([nom](QDialog& d) {
            taper(d, "Text1", nom);
            cliquer(d, "Command1");
        });
        g.commandes[QStringLiteral("Command11")]->click();
    }
    void ouvrir(FeuilleP& g, const QString& chemin)
    {
        conduire([chemin](QDialog& d) {
            taper(d, "ficharge", chemin);
            cliquer(d, "Command1");
        });
        g.commandes[QStringLiteral("Command2")]->click();
    }
};

TEST_F(Series, EnregistrerPuisOuvrirParLesFenetres)
{
    remplir(*f);
    f->COLORSTO->setChecked(false);
    f->conso->setChecked(true);
    f->final->setChecked(false);
    // Slot 5 on display, typed but not yet stored: saving stores it first.
    f->etat.eqtexte[5] = "Fe+S=FeS";
    f->etat.eqquant[5][1] = 77;
    f->numeq[5]->click();
    f->Text1->setText(QString::fromLatin1(equations[5]));
    f->etat.quant[1] = quantite(5, 1);
    enregistrer(*f, donnees.filePath(QStringLiteral("cours.txt")));
    EXPECT_EQ(f->etat.numcourant, 5);
    const QString chemin = donnees.filePath(QStringLiteral("cours.C02"));
    EXPECT_TRUE(questions.empty());
    EXPECT_EQ(f->etat.nomfichier, chemin);
    EXPECT_EQ(f->windowTitle(), QStringLiteral("Quilmaret - ") + chemin);

    auto g = nouvelle();
    ouvrir(*g, chemin);
    EXPECT_TRUE(questions.empty());
    EXPECT_EQ(g->etat.nomfichier, chemin);
    EXPECT_EQ(g->windowTitle(), QStringLiteral("Quilmaret - ") + chemin);
    const lectureserie l = lireserie(chemin.toStdString());
    ASSERT_EQ(l.erreur, erreurserie::aucune);
    for (std::size_t k = 0; k < 10; ++k) {
        EXPECT_EQ(l.contenu.eqtexte[k], equations[k]) << k;
        EXPECT_EQ(g->etat.eqtexte[k], equations[k]) << k;
        for (std::size_t j = 1; j <= 11; ++j) {
            EXPECT_EQ(l.contenu.eqquant[k][j], quantite(k, j)) << k << "," << j;
            EXPECT_EQ(g->etat.eqquant[k][j], quantite(k, j)) << k << "," << j;
        }
    }
    EXPECT_FALSE(g->COLORSTO->isChecked());
    EXPECT_TRUE(g->conso->isChecked());
    EXPECT_FALSE(g->final->isChecked());
    EXPECT_EQ(g->etat.numcourant, 0);
    EXPECT_TRUE(g->numeq[0]->isChecked());
    EXPECT_EQ(g->Text1->text().toStdString(), g->etat.eqtexte[0]);
    EXPECT_EQ(g->etat.quant[2], quantite(0, 2));
    // Slot 0 is balanced: its table is built and the tools make way for it.
    EXPECT_TRUE(g->outilequa->isHidden());
}

TEST_F(Series, UneEquationDesequilibreeOuverteMontreSaGrilleUneFois)
{
    remplir(*f);
    f->Text1->setText(QStringLiteral("H#2+O#2=H#2O")); // slot 0, on display
    enregistrer(*f, donnees.filePath(QStringLiteral("faux")));
    auto g = nouvelle();
    int grilles = 0;
    g->fenetreaidequa = [&grilles](const std::vector<lignegrille>&) { ++grilles; };
    ouvrir(*g, donnees.filePath(QStringLiteral("faux.C02")));
    EXPECT_EQ(g->Text1->text(), "H#2+O#2=H#2O");
    EXPECT_EQ(grilles, 1);
}

TEST_F(Series, OuvrirPendantQueLEquation4EstAffichee)
{
    remplir(*f);
    enregistrer(*f, donnees.filePath(QStringLiteral("s")));
    auto g = nouvelle();
    g->numeq[4]->click();
    g->Text1->setText(QStringLiteral("Fe+S=FeS"));
    g->etat.quant[1] = 99;
    ASSERT_EQ(g->etat.numcourant, 4);
    ouvrir(*g, donnees.filePath(QStringLiteral("s.C02")));
    // Slot 4 of the file reached the editor before the switch stored it back.
    EXPECT_EQ(g->etat.eqtexte[4], f->etat.eqtexte[4]);
    EXPECT_EQ(g->etat.eqquant[4][1], f->etat.eqquant[4][1]);
    EXPECT_EQ(g->etat.numcourant, 0);
    EXPECT_EQ(g->Text1->text().toStdString(), f->etat.eqtexte[0]);
}

TEST_F(Series, EnregistrerRevientALEquationAffichee)
{
    remplir(*f);
    for (int k : {1, 0, 9, 6}) {
        const auto n = static_cast<std::size_t>(k);
        f->numeq[n]->click();
        f->Text1->setText(QStringLiteral("2Al+3Cl#2=2AlCl#3"));
        f->etat.quant[2] = 40.f + static_cast<float>(k);
        const QString tape = f->Text1->text();
        conduire([](QDialog& d) { cliquer(d, "Command2"); }); // ANNULER
        f->commandes[QStringLiteral("Command11")]->click();
        EXPECT_EQ(f->etat.numcourant, k);
        EXPECT_TRUE(f->numeq[n]->isChecked()) << k;
        EXPECT_EQ(f->Text1->text(), tape) << k;
        EXPECT_EQ(f->etat.eqtexte[n], tape.toStdString()) << k;
        EXPECT_EQ(f->etat.eqquant[n][2], 40.f + static_cast<float>(k)) << k;
        EXPECT_EQ(f->etat.quant[2], 40.f + static_cast<float>(k)) << k;
    }
    EXPECT_EQ(f->windowTitle(), QStringLiteral("Quilmaret")); // nothing was saved
}

TEST_F(Series, LectureRateeLaisseLEspaceDeTravail)
{
    remplir(*f);
    f->numeq[2]->click();
    f->conso->setChecked(true);
    f->etat.nomfichier = QStringLiteral("/ailleurs/ancien.C02");
    const auto textes = f->etat.eqtexte;
    const auto quantites = f->etat.eqquant;
    const QString affiche = f->Text1->text();

    serie s;
    s.eqtexte[0] = "C+O#2=CO#2";
    const std::string bon = donnees.filePath(QStringLiteral("bon.C02")).toStdString();
    ASSERT_EQ(ecrireserie(bon, s), erreurserie::aucune);
    std::string octets;
    {
        std::ifstream e(bon, std::ios::binary);
        octets.assign(std::istreambuf_iterator<char>(e), {});
    }
    const QString etranger = donnees.filePath(QStringLiteral("etranger.C02"));
    const QString abime = donnees.filePath(QStringLiteral("abime.C02"));
    std::ofstream(etranger.toStdString(), std::ios::binary) << std::string("\x09\0quilmaret", 11);
    octets[128 * 20] = static_cast<char>(200); // a length no record can hold
    std::ofstream(abime.toStdString(), std::ios::binary) << octets;

    ouvrir(*f, etranger);
    ouvrir(*f, abime);
    ASSERT_EQ(questions.size(), 2u);
    EXPECT_EQ(questions[0].texte, QStringLiteral("Ce fichier ne correspond pas à cette application"));
    EXPECT_EQ(questions[0].titre, QStringLiteral("Fichier non valide"));
    EXPECT_EQ(questions[1].texte, QStringLiteral("Lecture impossible sur disque"));
    EXPECT_EQ(questions[1].titre, QStringLiteral("Erreur lors du chargement du fichier"));
    EXPECT_EQ(f->etat.eqtexte, textes);
    EXPECT_EQ(f->etat.eqquant, quantites);
    EXPECT_EQ(f->etat.numcourant, 2);
    EXPECT_EQ(f->Text1->text(), affiche);
    EXPECT_TRUE(f->conso->isChecked());
    EXPECT_EQ(f->windowTitle(), QStringLiteral("Quilmaret"));
}

} // namespace
