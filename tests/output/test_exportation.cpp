#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QFrame>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QProcess>
#include <QScrollBar>
#include <QStandardPaths>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include "app/boite.h"
#include "output/exportation.h"
#include "output/feuillef.h"
#include "output/imagecopie.h"
#include "workspace/dessin.h"
#include "workspace/editeur.h"
#include "workspace/espace.h"
#include "workspace/etat.h"
#include "workspace/feuillep.h"
#include "workspace/tableau.h"

namespace {

using namespace qm;

// A + 2 B = C with 1 and 1 mol, the cursor half-way.
etatfeuille etatsimple(bool conso)
{
    etatfeuille e;
    e.texte = QStringLiteral("A+2B=C");
    e.coef = {0, 1, 2, 1};
    e.quant[1] = 1.0f;
    e.quant[2] = 1.0f;
    e.quant[3] = 4.0f; // a product: counts as nothing
    e.p = 5000;
    e.conso = conso ? 1 : 0;
    return e;
}

std::vector<std::string> couper(const std::string& s, const std::string& sep)
{
    std::vector<std::string> r;
    std::size_t debut = 0;
    for (std::size_t k; (k = s.find(sep, debut)) != std::string::npos; debut = k + sep.size())
        r.push_back(s.substr(debut, k - debut));
    r.push_back(s.substr(debut));
    return r;
}

std::vector<std::string> ligne(const lignetableau& l)
{
    std::vector<std::string> r{l.etat, l.avancement};
    r.insert(r.end(), l.cellules.begin(), l.cellules.end());
    return r;
}

TEST(TableauEnTextes, RowsOfAPlainState)
{
    const auto t = tableaudelafeuille(etatsimple(true));
    ASSERT_TRUE(t);
    EXPECT_EQ(t->equation, "A + 2 B → C");
    EXPECT_EQ(t->entete.cellules, (std::vector<std::string>{"A", "2 B", "C"}));
    const std::vector<std::vector<std::string>> attendu = {
        {"État initial", "0", "1,0", "1,0", "0"},
        {"En cours de transformation", "0,25", "0,75", "0,5", "0,25"},
        {"Quantité consommée", "0,25", "0,25", "0,5", ""},
        {"État final", "0,5", "0,5", "0", "0,5"},
    };
    ASSERT_EQ(t->lignes.size(), attendu.size());
    for (std::size_t i = 0; i < attendu.size(); ++i)
        EXPECT_EQ(ligne(t->lignes[i]), attendu[i]) << i;
    EXPECT_EQ(t->limitants, std::vector<std::string>{"B"});
    EXPECT_EQ(tableaudelafeuille(etatsimple(false))->lignes.size(), 3u) << "no consumed row";

    etatfeuille sansproduit = etatsimple(false);
    sansproduit.texte = QStringLiteral("A+2B");
    EXPECT_FALSE(tableaudelafeuille(sansproduit));
}

TEST(TableauEnTextes, EquationWithSubscriptsAndCharges)
{
    const struct {
        const char* equation;
        const char* texte;
        const char* html;
    } cas[] = {
        {"2H#2+O#2=2H#2O", "2 H₂ + O₂ → 2 H₂O", "2 H<sub>2</sub> + O<sub>2</sub> → 2 H<sub>2</sub>O"},
        {"Cu*2*++2HO*-=Cu(OH)#2", "Cu²⁺ + 2 HO⁻ → Cu(OH)₂",
         "Cu<sup>2+</sup> + 2 HO<sup>−</sup> → Cu(OH)<sub>2</sub>"},
    };
    for (const auto& c : cas) {
        EXPECT_EQ(equationtexte(c.equation), c.texte);
        EXPECT_EQ(equationhtml(c.equation), c.html);
    }
}

TEST(TableauEnTextes, CsvForSpreadsheets)
{
    const auto t = tableaudelafeuille(etatsimple(false));
    const std::string csv = textecsv(*t);
    ASSERT_EQ(csv.substr(0, 3), "\xEF\xBB\xBF");
    const auto lignes = couper(csv.substr(3), "\r\n");
    ASSERT_EQ(lignes.size(), 5u) << "species, three rows, and the end of the last line";
    EXPECT_EQ(couper(lignes[0], ";"), ligne(t->entete));
    for (std::size_t i = 0; i < t->lignes.size(); ++i)
        EXPECT_EQ(couper(lignes[i + 1], ";"), ligne(t->lignes[i])) << i;
    EXPECT_EQ(lignes[4], "");
}

TEST(TableauEnTextes, PythonScriptFindsWhatTheTableShows)
{
    const QString python = QStandardPaths::findExecutable(QStringLiteral("python3"));
    if (python.isEmpty())
        GTEST_SKIP() << "python3 is not installed";
    const struct {
        const char* equation;
        tabcoef coef;
        float a, b;
    } cas[] = {
        {"A+2B=C", {0, 1, 2, 1}, 1, 1},
        {"2A+B=C", {0, 2, 1, 1}, 2, 1},             // both run out
        {"A+B=2C+D", {0, 1, 1, 2, 1}, 12345, 0.3f}, // the exponent form
        {"A+B=C", {0, 1, 1, 1}, 0, 0},              // nothing entered
    };
    QTemporaryDir dossier;
    for (const auto& c : cas) {
        tabquant q{};
        q[1] = c.a;
        q[2] = c.b;
        const auto t = tableauentextes(c.equation, c.coef, q, 0, false);
        ASSERT_TRUE(t);
        const QString script = dossier.filePath(QStringLiteral("avancement.py"));
        std::ofstream(script.toStdString(), std::ios::binary) << scriptpython(*t);
        QProcess p;
        p.start(python, {script});
        ASSERT_TRUE(p.waitForFinished(30000));
        ASSERT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
        const std::string sortie = p.readAllStandardOutput().toStdString();

        std::string attendu =
            "Équation : " + t->equation + "\nAvancement maximal : xmax = " + t->xmax + " mol\n";
        std::string limitants;
        for (const std::string& l : t->limitants)
            limitants += (limitants.empty() ? "" : ", ") + l;
        attendu += (t->limitants.size() == 1 ? "Réactif limitant : " : "Réactifs limitants : ") + limitants;
        attendu += "\nÉtat final :\n";
        for (std::size_t i = 0; i < t->especes.size(); ++i)
            attendu += "  " + t->especes[i].affichage + " : " + t->lignes.back().cellules[i] + " mol\n";
        EXPECT_EQ(sortie, attendu) << c.equation;
    }
}

// The main window with a balanced equation and its table.
class Exportation : public ::testing::Test {
protected:
    QTemporaryDir dossier;
    std::unique_ptr<FeuilleP> f;
    std::vector<questionboite> questions;
    bool exportable = false; // the export entries, as the menu showed them

    void SetUp() override
    {
        ASSERT_TRUE(dossier.isValid());
        f = std::make_unique<FeuilleP>(dossier.path());
        brancherdessins(*f);
        installerrepondeur([this](const questionboite& q) {
            questions.push_back(q);
            return q.b == boutons::ouinon ? reponse::oui : reponse::ok;
        });
    }
    void TearDown() override { installerrepondeur({}); }
    void tableau()
    {
        f->Text1->setText(QStringLiteral("2H#2+O#2=2H#2O"));
        valideur_Click(*f);
        ASSERT_TRUE(f->outilequa->isHidden());
        f->etat.quant[1] = 2.0f;
        f->etat.quant[2] = 1.5f;
        f->HScroll1->setValue(2500);
        f->etat.tableaudemande = 1; // as the entry of an amount asks: the scale too
        majtab(*f);
    }
    void copier(const char* entree)
    {
        feuillef(*f).montrer = [this, entree](QMenu& m, const QPoint&) {
            exportable = feuillef(*f).exportcsv->isEnabled() && m.actions().contains(feuillef(*f).exportcsv);
            return m.findChild<QAction*>(QString::fromUtf8(entree));
        };
        f->commandes.at(QStringLiteral("Command4"))->click();
    }
    QByteArray donnees(const char* format) { return QGuiApplication::clipboard()->mimeData()->data(format); }
};

TEST_F(Exportation, ClipboardHoldsTheTableForOtherPrograms)
{
    tableau();
    copier("eqbietab");
    const QImage copie = feuillef(*f).copieur;
    EXPECT_EQ(QGuiApplication::clipboard()->image().convertToFormat(copie.format()), copie);
    EXPECT_EQ(imagecopie(scenedelafeuille(*f, true), 1), copie) << "drawn again, the same picture";

    const QImage net = QImage::fromData(donnees("image/png"), "PNG");
    EXPECT_GE(net.width(), 3 * copie.width());
    EXPECT_GE(net.height(), 3 * copie.height());
    // More than an enlargement: the text's edges have shades the plain picture
    // would only repeat.
    const QImage agrandie = copie.scaled(net.size());
    EXPECT_NE(net.convertToFormat(agrandie.format()), agrandie);

    QSvgRenderer svg(donnees("image/svg+xml"));
    EXPECT_TRUE(svg.isValid());
    EXPECT_EQ(svg.viewBox().size(), copie.size());

    const auto t = tableaudelafeuille(f->etat);
    ASSERT_TRUE(t);
    const QString html = QGuiApplication::clipboard()->mimeData()->html();
    EXPECT_TRUE(html.contains("<table")) << html.toStdString();
    EXPECT_TRUE(html.contains("2 H<sub>2</sub>O"));
    for (const lignetableau& l : t->lignes)
        for (const std::string& c : l.cellules)
            EXPECT_TRUE(html.contains(QString::fromStdString(">" + c + "</td>"))) << c;
    // Spreadsheets outside a French locale read the value, not the comma.
    EXPECT_TRUE(html.contains("<td sdval=\"0.5\" sdnum=\"1033;0;General\">0,5</td>")) << html.toStdString();
    const auto lignes = couper(QGuiApplication::clipboard()->text().toStdString(), "\n");
    ASSERT_GE(lignes.size(), 2u);
    EXPECT_EQ(lignes[0], "2 H₂ + O₂ → 2 H₂O");
    EXPECT_EQ(couper(lignes[1], "\t"), ligne(t->entete));
}

TEST_F(Exportation, SharpCopyDrawsTheViewOnDisplay)
{
    tableau();
    for (QCheckBox* vue : {f->litteral, f->graphe}) {
        vue->setChecked(true);
        copier("eqbietab");
        const QImage copie = feuillef(*f).copieur;
        EXPECT_EQ(imagecopie(scenedelafeuille(*f, true), 1), copie) << vue->objectName().toStdString();
        vue->setChecked(false);
    }
}

TEST_F(Exportation, EquationAloneWhenOnlyTheEquationIsCopied)
{
    tableau();
    copier("ceqbi");
    EXPECT_EQ(QGuiApplication::clipboard()->image(), f->Picture2->image);
    EXPECT_EQ(QImage::fromData(donnees("image/png"), "PNG").size(), f->Picture2->image.size() * 3);
    const QString html = QGuiApplication::clipboard()->mimeData()->html();
    EXPECT_TRUE(html.contains("2 H<sub>2</sub> + O<sub>2</sub> → 2 H<sub>2</sub>O"));
    EXPECT_FALSE(html.contains("<table"));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "2 H₂ + O₂ → 2 H₂O\n");
}

// Types a path into the next file dialog and confirms it.
void repondre(const QString& chemin, int essais = 6000)
{
    QTimer::singleShot(10, [=] {
        auto* d = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!d) {
            if (essais > 0)
                repondre(chemin, essais - 1);
            return;
        }
        d->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(chemin);
        static_cast<QDialog*>(d)->accept();
    });
}

TEST_F(Exportation, ExportWritesTheChosenFileNeverThroughALink)
{
    namespace fs = std::filesystem;
    const fs::path ici = dossier.path().toStdString();
    f->Text1->setText(QStringLiteral("2H#2+O#2=2H#2O"));
    copier("exportcsv");
    EXPECT_FALSE(exportable) << "no table while the equation is edited";

    tableau();
    const auto t = tableaudelafeuille(f->etat);
    const auto lire = [](const fs::path& p) {
        std::ostringstream s;
        s << std::ifstream(p, std::ios::binary).rdbuf();
        return s.str();
    };
    repondre(QString::fromStdString((ici / "tableau.csv").string()));
    copier("exportcsv");
    EXPECT_TRUE(exportable);
    EXPECT_EQ(lire(ici / "tableau.csv"), textecsv(*t));

    std::ofstream(ici / "cible.py") << "gardé";
    fs::create_symlink("cible.py", ici / "lien.py");
    repondre(QString::fromStdString((ici / "lien.py").string()));
    copier("exportpython");
    EXPECT_EQ(lire(ici / "cible.py"), "gardé");
    ASSERT_EQ(questions.size(), 2u) << "replace it?, then the failure";
    EXPECT_EQ(questions[1].i, icone::critique);

    repondre(QString::fromStdString((ici / "cible.py").string()));
    copier("exportpython");
    EXPECT_EQ(lire(ici / "cible.py"), scriptpython(*t));
}

} // namespace
