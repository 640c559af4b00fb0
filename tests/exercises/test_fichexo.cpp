#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "app/boite.h"
#include "exercises/exercice.h"
#include "exercises/fichexo.h"
#include "files/echange.h"
#include "files/enregistrements.h"
#include "files/serie.h"
#include "output/confimp.h"
#include "programme/relier.h"
#include "rtf/rtf.h"
#include "tests/pannes.h"
#include "workspace/editeur.h"
#include "workspace/espace.h"
#include "workspace/feuillep.h"
#include "workspace/onglets.h"
#include "workspace/series.h"

namespace {

using namespace qm;

// Drives the next modal window, once it is open, from inside its own loop
// (for a minute at most: a loaded machine may be slow to open it).
void conduire(std::function<void(QWidget&)> conduite, int essais = 6000)
{
    QTimer::singleShot(10, [conduite, essais] {
        if (QWidget* d = QApplication::activeModalWidget())
            conduite(*d);
        else if (essais > 0)
            conduire(conduite, essais - 1);
    });
}

// Answers the text dialog with a path.
void repondrefichier(const QString& chemin)
{
    conduire([chemin](QWidget& w) {
        auto* d = qobject_cast<QFileDialog*>(&w);
        ASSERT_NE(d, nullptr);
        // Typed into the name field, as a pupil does.
        d->setDirectory(QFileInfo(chemin).absolutePath());
        auto* nom = d->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(nom, nullptr);
        nom->setText(QFileInfo(chemin).fileName());
        static_cast<QDialog*>(d)->accept();
        EXPECT_FALSE(d->isVisible());
    });
}

void annulerdialogue()
{
    conduire([](QWidget& w) { static_cast<QDialog&>(w).reject(); });
}

QImage pixmapimage(const QLabel* l)
{
    return l->pixmap().toImage();
}

class Exercices : public ::testing::Test {
protected:
    QTemporaryDir programme;
    std::unique_ptr<FeuilleP> f;
    std::vector<questionboite> questions;
    std::deque<reponse> reponses; // answers to give, OK once they run out
    int grilles = 0;              // count grids shown for unbalanced equations

    void SetUp() override
    {
        ASSERT_TRUE(programme.isValid());
        installerrepondeur([this](const questionboite& b) {
            questions.push_back(b);
            if (reponses.empty())
                return b.b == boutons::ouinon ? reponse::oui : reponse::ok;
            const reponse r = reponses.front();
            reponses.pop_front();
            return r;
        });
        f = std::make_unique<FeuilleP>(programme.path());
        f->move(40, 30);
        relierfenetres(*f);
        f->fenetreaidequa = [this](const std::vector<lignegrille>&) { ++grilles; };
        f->show();
    }
    void TearDown() override
    {
        installerrepondeur({});
        f->etat.textemodifie = 0;
        f->hide();
    }

    QString chemin(const QString& nom) const { return programme.filePath(nom); }

    void texte(const QString& nom, const QString& contenu)
    {
        QDir().mkpath(QFileInfo(chemin(nom)).absolutePath());
        QTextDocument d;
        d.setPlainText(contenu);
        ASSERT_TRUE(ecrirefichierrtf(d, chemin(nom)));
    }
    void serie1(const QString& nom, const char* equation, float a, float b)
    {
        serie s;
        s.eqtexte[0] = equation;
        s.eqquant[0][1] = a;
        s.eqquant[0][2] = b;
        ASSERT_EQ(ecrireserie(chemin(nom).toStdString(), s), erreurserie::aucune);
    }
    // An exercise file with the records given (1 to 15).
    void exercice(const QString& nom, std::vector<std::string> champs)
    {
        champs.resize(15);
        QDir().mkpath(QFileInfo(chemin(nom)).absolutePath());
        ASSERT_TRUE(remplacerenregistrements(chemin(nom).toStdString(), champs));
    }
    // A complete exercise in the sub-folder "exos": statement, series,
    // correction, correction series, two stars, notions, title, picture.
    void exercicecomplet()
    {
        texte("exos/enonce.rtf", QStringLiteral("Énoncé : ajuster l'équation."));
        texte("exos/corrige.rtf", QStringLiteral("Corrigé : CH4 + 2 O2 = CO2 + 2 H2O."));
        serie1("exos/serie.C02", "CH#4+O#2=CO#2+H#2O", 0, 0);
        serie1("exos/serie-corrige.C02", "CH#4+2O#2=CO#2+2H#2O", 0.5f, 2);
        QImage image(120, 60, QImage::Format_RGB32);
        image.fill(QColor(10, 200, 30));
        QDir().mkpath(chemin(QStringLiteral("images")));
        ASSERT_TRUE(image.save(chemin(QStringLiteral("images/flamme.png"))));
        exercice(QStringLiteral("exos/methane.E07"),
                 {"enonce.rtf", "serie.C02", "corrige.rtf", "serie-corrige.C02", " 2", "", "Combustion\r\n",
                  "   ", "Ajustement", "", "  Combustion du méthane  ", "", "", "", "images\\flamme.png"});
    }
    // The browser on a folder, its first file previewed as on activation.
    std::unique_ptr<Fichexo> navigateur(const QString& dossier)
    {
        auto w = std::make_unique<Fichexo>(*f);
        changerdossier(w->listes, dossier);
        Fichexo_Activate(*w);
        return w;
    }
    void choisir(Fichexo& w, const QString& nom)
    {
        const auto trouves = w.listes.File1->findItems(nom, Qt::MatchExactly);
        ASSERT_EQ(trouves.size(), 1) << nom.toStdString();
        File1_Click(w, trouves.front());
    }
    std::string plain() const { return f->supertext->toPlainText().toStdString(); }
};

TEST(Exercice, RecordsReadAsTheBrowserShowsThem)
{
    EXPECT_EQ(etoilesallumees(""), 0);
    EXPECT_EQ(etoilesallumees("0"), 0);
    EXPECT_EQ(etoilesallumees(" 1"), 1);
    EXPECT_EQ(etoilesallumees("2"), 2);
    EXPECT_EQ(etoilesallumees("2.5"), 3);
    EXPECT_EQ(etoilesallumees("5"), 3);
    EXPECT_EQ(etoilesallumees("-1"), 0);
    EXPECT_EQ(etoilesallumees("trois"), 0);
    EXPECT_EQ(etoilesallumees("1E400"), 0);

    EXPECT_FALSE(estcorrige("", "   "));
    EXPECT_TRUE(estcorrige(" c.rtf", ""));
    EXPECT_TRUE(estcorrige("", "c.C02"));

    EXPECT_EQ(cheminexercice("/ecole/", "exercices\\chimie\\a.rtf"), "/ecole/exercices/chimie/a.rtf");
    EXPECT_EQ(cheminexercice("/ecole/", " b.rtf "), "/ecole/b.rtf");
    EXPECT_EQ(avecseparateur("/ecole"), "/ecole/");
    EXPECT_EQ(avecseparateur("/ecole/"), "/ecole/");

    EXPECT_EQ(msgabsent("/ecole/", "a.rtf"),
              (message{"Le fichier /ecole/a.rtf est introuvable", "Fichier absent"}));
    EXPECT_EQ(msgecrasertexte("/home/eleve/reponse.RTF"),
              (message{"Le fichier reponse.RTF existe déjà.\nEcraser l'ancien?", "Ecraser le fichier?"}));
}

TEST(Exercice, TitleLettersFadeFromPaleYellowToWhite)
{
    EXPECT_EQ(couleurlettre(1, 18), QColor(255, 255, 161)); // 160.6
    EXPECT_EQ(couleurlettre(9, 18), QColor(255, 255, 205));
    EXPECT_EQ(couleurlettre(18, 18), QColor(255, 255, 255));
    // Halves go to the even neighbour.
    EXPECT_EQ(couleurlettre(1, 8), QColor(255, 255, 168)); // 167.5
    EXPECT_EQ(couleurlettre(3, 8), QColor(255, 255, 192)); // 192.5

    QImage strip(804, 41, QImage::Format_RGB32);
    QPainter p(&strip);
    peindretito(p, strip.size());
    p.end();
    EXPECT_EQ(strip.pixelColor(5, 5), QColor(128, 0, 0));
    // The first letters are yellowish, the last ones white: look for the
    // palest and the least blue ink left and right of the middle.
    int bleugauche = 255, bleudroite = 0;
    for (int y = 0; y < 41; ++y)
        for (int x = 0; x < 804; ++x) {
            const QColor c = strip.pixelColor(x, y);
            if (c.red() != 255 || c.green() != 255)
                continue;
            if (x < 80)
                bleugauche = std::min(bleugauche, c.blue());
            else
                bleudroite = std::max(bleudroite, c.blue());
        }
    EXPECT_LE(bleugauche, 170);
    EXPECT_EQ(bleudroite, 255);
}

TEST_F(Exercices, BrowserTakesTheMainWindowsPlaceAndOpensOnTheProgramsFolder)
{
    Fichexo w(*f);
    EXPECT_EQ(w.geometry(), f->geometry());
    EXPECT_EQ(w.fichierexo->geometry(), QRect(240, 40, f->width() - 240 + 2, 18));
    EXPECT_EQ(w.Frame1->geometry().top(), 33);
    EXPECT_EQ(w.Frame1->height(), f->height());
    EXPECT_EQ(w.Frame2->geometry().topLeft(), QPoint((f->width() - 553) / 2, (f->height() - 105) / 2));
    EXPECT_EQ(w.listes.dossier, QDir(programme.path()).canonicalPath());
    EXPECT_EQ(w.ouvreur->toolTip(), QStringLiteral("Ouvrir l'exercice sélectionné"));
    EXPECT_EQ(w.Image5->toolTip(), QStringLiteral("Fermer sans charger d'exercice"));
    EXPECT_EQ(w.Label3->pos(), w.Label2->pos() + QPoint(2, 2));
    EXPECT_EQ(w.titratexo->text(), QString());
    EXPECT_FALSE(w.Frame2->isVisibleTo(&w));

    // No exercise here: nothing is previewed and the open button does nothing.
    EXPECT_EQ(w.listes.File1->count(), 0);
    Fichexo_Activate(w);
    EXPECT_TRUE(w.intratro->isVisibleTo(&w));
    EXPECT_EQ(w.intratro->text(), QStringLiteral("Sélectionner un fichier"));
    EXPECT_FALSE(w.ouvreur->isVisibleTo(&w));
    EXPECT_FALSE(w.Label4->isVisibleTo(&w));
    const QString avant = f->supertext->toPlainText();
    ouvreur_Click(w);
    EXPECT_TRUE(questions.empty());
    EXPECT_EQ(f->supertext->toPlainText(), avant);
    EXPECT_TRUE(f->fich->text().isEmpty());
}

TEST_F(Exercices, PreviewShowsDifficultyCorrectionNotionsAndTitle)
{
    exercicecomplet();
    exercice("exos/zero.E07", {"a.rtf", "", "", "", "0"});
    exercice("exos/vide.E07", {"a.rtf"});
    exercice("exos/cinq.E07", {"a.rtf", "", "", "c.C02", "5", "", "", "", "", "", "Cinq"});
    exercice("exos/Minuscule.e07", {"a.rtf"});
    QFile::copy(chemin("exos/vide.E07"), chemin("exos/pas-un-exercice.C02"));

    auto w = navigateur(chemin("exos"));
    // The pattern lists exercises whatever the case of their extension.
    QStringList noms;
    for (int i = 0; i < w->listes.File1->count(); ++i)
        noms << w->listes.File1->item(i)->text();
    EXPECT_EQ(noms, (QStringList{"cinq.E07", "methane.E07", "Minuscule.e07", "vide.E07", "zero.E07"}));

    // Activation previewed the first file.
    const QString dossier = QDir(chemin("exos")).canonicalPath() + "/";
    EXPECT_EQ(w->fichierexo->text(), dossier + "cinq.E07");
    EXPECT_EQ(f->etat.dossierexo, QString()); // set only when an exercise is opened
    EXPECT_EQ(QDir::currentPath() + "/", dossier);
    const QImage allumee = pixmapimage(w->Imagalu), sombre = pixmapimage(w->Imagenoir);
    ASSERT_NE(allumee, sombre);
    const auto etoiles = [&] {
        int n = 0;
        for (QLabel* e : w->Image4) {
            EXPECT_TRUE(e->isVisibleTo(w.get()));
            n += pixmapimage(e) == allumee ? 1 : 0;
        }
        return n;
    };
    EXPECT_EQ(etoiles(), 3);
    EXPECT_EQ(w->Label2->text(), textecorrige); // a correction series alone is enough
    EXPECT_EQ(w->titratexo->text(), "Cinq");
    EXPECT_FALSE(w->intratro->isVisibleTo(w.get()));
    EXPECT_TRUE(w->ouvreur->isVisibleTo(w.get()));

    choisir(*w, "methane.E07");
    EXPECT_EQ(etoiles(), 2);
    EXPECT_EQ(pixmapimage(w->Image4[2]), sombre);
    EXPECT_EQ(w->Label2->text(), textecorrige);
    EXPECT_EQ(w->Label3->text(), textecorrige);
    // The pieces are joined as they are, the blank one left out.
    EXPECT_EQ(w->Text1->toPlainText(), "Combustion\nAjustement");
    EXPECT_EQ(w->titratexo->text(), QStringLiteral("Combustion du méthane"));

    choisir(*w, "zero.E07");
    EXPECT_EQ(etoiles(), 0);
    EXPECT_EQ(w->Label2->text(), textenoncorrige);
    EXPECT_EQ(w->Text1->toPlainText(), "");
    EXPECT_EQ(w->titratexo->text(), "");
    choisir(*w, "vide.E07");
    EXPECT_EQ(etoiles(), 0);
    EXPECT_TRUE(questions.empty());

    // Another folder: nothing of the last preview stays.
    changerdossier(w->listes, programme.path());
    EXPECT_EQ(w->fichierexo->text(), "");
    EXPECT_EQ(w->titratexo->text(), "");
    EXPECT_TRUE(w->intratro->isVisibleTo(w.get()));
    EXPECT_FALSE(w->ouvreur->isVisibleTo(w.get()));
}

TEST_F(Exercices, AnUnreadableExerciseSaysSoAndOpensNothing)
{
    exercice("exos/bon.E07", {"a.rtf"});
    // Record 3 claims 300 bytes.
    std::string octets(5 * 128, '\0');
    octets[2 * 128] = static_cast<char>(300 & 0xFF);
    octets[2 * 128 + 1] = static_cast<char>(300 >> 8);
    QFile abime(chemin("exos/abime.E07"));
    ASSERT_TRUE(abime.open(QIODevice::WriteOnly));
    abime.write(octets.data(), static_cast<qint64>(octets.size()));
    abime.close();

    auto w = navigateur(chemin("exos"));
    questions.clear();
    choisir(*w, "abime.E07");
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_EQ(questions[0].texte, "Vérifier:\n- le nom du fichier,\n- l'état du lecteur.");
    EXPECT_EQ(questions[0].titre, "Lecture impossible");
    EXPECT_EQ(questions[0].i, icone::critique);

    // A file that vanished after it was listed.
    w->show();
    choisir(*w, "bon.E07");
    QFile::remove(chemin("exos/bon.E07"));
    questions.clear();
    const QString avant = f->supertext->toPlainText();
    ouvreur_Click(*w);
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_EQ(questions[0].titre, "Lecture impossible");
    EXPECT_EQ(f->supertext->toPlainText(), avant);
    EXPECT_FALSE(w->Frame2->isVisibleTo(w.get()));
    EXPECT_TRUE(w->isVisible()); // the browser stays open on the same selection
    EXPECT_EQ(w->fichierexo->text().section('/', -1), "bon.E07");
    w->hide();
}

TEST_F(Exercices, OpeningFillsTextSeriesPictureAndTitle)
{
    exercicecomplet();
    f->etat.eqtexte[3] = "Fe+S=FeS";
    auto w = navigateur(chemin("exos"));
    choisir(*w, "methane.E07");
    w->show();
    ouvreur_Click(*w);
    EXPECT_TRUE(questions.empty());
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(w->result(), QDialog::Accepted);

    EXPECT_EQ(plain(), "Énoncé : ajuster l'équation.");
    EXPECT_EQ(f->fich->text(), w->fichierexo->text());
    EXPECT_EQ(f->etat.exerciceouvert, 1);
    EXPECT_EQ(f->etat.textemodifie, 0);
    EXPECT_FALSE(f->supertext->isReadOnly());
    const QString dossier = QDir(chemin("exos")).canonicalPath() + "/";
    EXPECT_EQ(f->etat.dossierexo, dossier);
    EXPECT_EQ(f->etat.nomfichier, dossier + "serie.C02");
    EXPECT_EQ(f->etat.eqtexte[0], "CH#4+O#2=CO#2+H#2O");
    EXPECT_EQ(f->etat.eqtexte[3], ""); // the whole series came in
    EXPECT_EQ(f->Text1->text(), "CH#4+O#2=CO#2+H#2O");
    EXPECT_EQ(grilles, 1); // the equation to balance is checked once
    // The picture, named with "\" from the program's folder, and its tab in front.
    EXPECT_EQ(f->onglets->ong3->image().pixelColor(5, 5), QColor(10, 200, 30));
    EXPECT_EQ(f->onglets->etat().ongletcourant, 3);

    // Saving the series proposes it in the pupil's documents, not over the exercise's own.
    QString propose;
    conduire([&](QWidget& d) {
        if (auto* nom = d.findChild<QLineEdit*>(QStringLiteral("Text1")))
            propose = nom->text();
        static_cast<QDialog&>(d).reject();
    });
    Command11_Click(*f);
    EXPECT_EQ(propose, joindre(dossierdocuments(), QStringLiteral("serie.C02")));
    EXPECT_EQ(f->etat.nomfichier, dossier + "serie.C02");

    // The pupil writes: the text now counts as changed.
    f->supertext->moveCursor(QTextCursor::End);
    f->supertext->insertPlainText(" Réponse.");
    EXPECT_EQ(f->etat.textemodifie, 1);
}

TEST_F(Exercices, OpeningWithoutSeriesOrWithMissingFiles)
{
    texte("exos/enonce.rtf", QStringLiteral("Sans série"));
    exercice("exos/sansserie.E07", {"enonce.rtf", "  "});
    exercice("exos/sansenonce.E07", {"absent.rtf", "serie.C02"});
    exercice("exos/sansfichierserie.E07", {"enonce.rtf", "exos2\\absente.C02", "x.rtf"});
    serie1("exos/serie.C02", "A+B=C", 1, 1);
    f->Text1->setText(QStringLiteral("H#2+Cl#2=2HCl"));
    f->etat.nomfichier = QStringLiteral("/ailleurs/cours.C02");
    const QString dossier = QDir(chemin("exos")).canonicalPath() + "/";

    auto w = navigateur(chemin("exos"));
    choisir(*w, "sansserie.E07");
    ouvreur_Click(*w);
    EXPECT_TRUE(questions.empty());
    EXPECT_EQ(plain(), "Sans série");
    EXPECT_EQ(f->Text1->text(), "H#2+Cl#2=2HCl"); // the workspace as it was
    EXPECT_EQ(f->etat.nomfichier, "/ailleurs/cours.C02");
    EXPECT_EQ(f->etat.exerciceouvert, 0);
    // No picture named: the illustration is cleared, its tab not brought forward.
    EXPECT_TRUE(f->onglets->ong3->image().isNull());

    auto w2 = navigateur(chemin("exos"));
    choisir(*w2, "sansenonce.E07");
    w2->show();
    ouvreur_Click(*w2);
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_EQ(questions[0].texte, "Le fichier " + dossier + "absent.rtf est introuvable");
    EXPECT_EQ(questions[0].titre, "Fichier absent");
    EXPECT_EQ(plain(), "Sans série");
    EXPECT_EQ(f->Text1->text(), "H#2+Cl#2=2HCl"); // not reloaded
    EXPECT_TRUE(w2->isVisible());
    EXPECT_FALSE(w2->Frame2->isVisibleTo(w2.get()));

    questions.clear();
    choisir(*w2, "sansfichierserie.E07");
    ouvreur_Click(*w2);
    ASSERT_EQ(questions.size(), 1u);
    // The record's "\\" is shown as the folder separator it stands for.
    EXPECT_EQ(questions[0].texte, "Le fichier " + dossier + "exos2/absente.C02 est introuvable");
    // What was loaded before the failure stays loaded.
    EXPECT_EQ(f->fich->text(), dossier + "sansfichierserie.E07");
    EXPECT_EQ(f->Text1->text(), "H#2+Cl#2=2HCl");
    EXPECT_TRUE(w2->isVisible());
    w2->hide();
}

TEST_F(Exercices, ClosingTheExerciseAsksBeforeLosingTheText)
{
    exercicecomplet();
    auto w = navigateur(chemin("exos"));
    choisir(*w, "methane.E07");
    ouvreur_Click(*w);
    f->supertext->insertPlainText("Ma réponse ");
    ASSERT_EQ(f->etat.textemodifie, 1);

    Fichexo menu(*f);
    reglermenu(menu);
    EXPECT_TRUE(menu.Closexo->isEnabled());
    EXPECT_TRUE(menu.opencor->isEnabled());
    reponses = {reponse::annuler};
    Closexo_Click(menu);
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_EQ(questions[0].texte, "Attention: perte des modifications du texte.");
    EXPECT_EQ(questions[0].titre, "Abandon des données?");
    EXPECT_EQ(questions[0].i, icone::question);
    EXPECT_EQ(questions[0].b, boutons::okannuler);
    EXPECT_TRUE(f->supertext->toPlainText().startsWith("Ma réponse"));
    EXPECT_FALSE(f->fich->text().isEmpty());
    EXPECT_TRUE(f->onglets->ong3->image().isNull()); // the picture is already gone

    Closexo_Click(menu);
    EXPECT_EQ(questions.size(), 2u);
    EXPECT_TRUE(f->fich->text().isEmpty());
    EXPECT_TRUE(f->supertext->toPlainText().startsWith("Quilmaret"));
    EXPECT_EQ(f->etat.exerciceouvert, 0);
    EXPECT_EQ(f->etat.textemodifie, 0);
    reglermenu(menu);
    EXPECT_FALSE(menu.Closexo->isEnabled());
    EXPECT_FALSE(menu.opencor->isEnabled());
}

TEST_F(Exercices, TutorialFromTheProgramsFolder)
{
    const std::string accueil = plain();
    Fichexo w(*f);
    PRISENMAIN_Click(w); // no tutorial: nothing at all
    EXPECT_TRUE(questions.empty());
    EXPECT_EQ(plain(), accueil);
    EXPECT_TRUE(f->fich->text().isEmpty());

    texte("tuto/prise.rtf", QStringLiteral("Bienvenue"));
    serie1("tuto/prise.C02", "H#2+O#2=H#2O", 2, 1);
    exercice("QUILMARET.PEM", {"tuto\\prise.rtf", "tuto\\prise.C02"});
    f->etat.exerciceouvert = 1;
    PRISENMAIN_Click(w);
    EXPECT_TRUE(questions.empty());
    EXPECT_EQ(plain(), "Bienvenue");
    EXPECT_EQ(f->fich->text(), programme.path() + "/QUILMARET.PEM");
    EXPECT_EQ(f->etat.exerciceouvert, 0);
    EXPECT_EQ(f->etat.textemodifie, 0);
    EXPECT_EQ(f->Text1->text(), "H#2+O#2=H#2O");
    EXPECT_EQ(f->etat.dossierexo, programme.path() + "/");

    // Unsaved text is not replaced without asking.
    f->supertext->insertPlainText("mes notes ");
    reponses = {reponse::annuler};
    PRISENMAIN_Click(w);
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_EQ(questions[0].titre, "Abandon des données?");
    EXPECT_TRUE(plain().find("mes notes") != std::string::npos);

    questions.clear();
    exercice("QUILMARET.PEM", {"tuto\\disparu.rtf"});
    PRISENMAIN_Click(w);
    ASSERT_EQ(questions.size(), 2u); // the loss check, then the failure
    EXPECT_EQ(questions[1].texte, "Fichier introuvable. Revoir l'installation du logiciel.");
    EXPECT_EQ(questions[1].titre, "Erreur lors du chargement");
}

TEST_F(Exercices, CorrectionReplacesTextAndSeries)
{
    exercicecomplet();
    texte("exos/corrige-seul.rtf", QStringLiteral("Corrigé sans série"));
    exercice("exos/textecorrige.E07", {"enonce.rtf", "serie.C02", "corrige-seul.rtf", ""});
    exercice("exos/sanscorrige.E07", {"enonce.rtf", "serie.C02", "absent.rtf", ""});
    auto w = navigateur(chemin("exos"));
    choisir(*w, "methane.E07");
    ouvreur_Click(*w);
    Fichexo menu(*f);

    // Unsaved changes and Cancel: everything stays.
    f->supertext->insertPlainText("brouillon ");
    reponses = {reponse::annuler};
    opencor_Click(menu);
    EXPECT_EQ(questions.size(), 1u);
    EXPECT_TRUE(plain().find("brouillon") != std::string::npos);
    EXPECT_EQ(f->etat.eqtexte[0], "CH#4+O#2=CO#2+H#2O");
    EXPECT_EQ(f->etat.textemodifie, 1);

    opencor_Click(menu);
    EXPECT_EQ(questions.size(), 2u);
    EXPECT_EQ(plain(), "Corrigé : CH4 + 2 O2 = CO2 + 2 H2O.");
    EXPECT_EQ(f->Text1->text(), "CH#4+2O#2=CO#2+2H#2O");
    EXPECT_FLOAT_EQ(f->etat.quant[1], 0.5f);
    EXPECT_EQ(f->etat.textemodifie, 0);
    EXPECT_EQ(f->cursor().shape(), Qt::ArrowCursor);
    // Still the same exercise: the correction can be asked again.
    EXPECT_TRUE(f->fich->text().endsWith("methane.E07"));

    // A correction text without a correction series leaves the workspace.
    auto w2 = navigateur(chemin("exos"));
    choisir(*w2, "textecorrige.E07");
    ouvreur_Click(*w2);
    f->Text1->setText(QStringLiteral("Fe+S=FeS"));
    opencor_Click(menu);
    EXPECT_EQ(plain(), "Corrigé sans série");
    EXPECT_EQ(f->Text1->text(), "Fe+S=FeS");

    choisir(*w2, "sanscorrige.E07");
    ouvreur_Click(*w2);
    questions.clear();
    opencor_Click(menu);
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_EQ(questions[0].titre, "Fichier absent");
    EXPECT_EQ(f->cursor().shape(), Qt::ArrowCursor);
}

// The browser previews a file as soon as it shows; closed without opening
// anything, it leaves the exercise in use where it was.
TEST_F(Exercices, BrowserClosedWithoutOpeningKeepsTheExerciseFolder)
{
    exercicecomplet();
    exercice("autre.E07", {"autre.rtf"});
    auto w = navigateur(chemin("exos"));
    choisir(*w, "methane.E07");
    ouvreur_Click(*w);
    const QString dossier = f->etat.dossierexo;

    Fichexo menu(*f);
    QString apercu;
    conduire([&](QWidget& d) {
        auto* b = dynamic_cast<Fichexo*>(&d);
        ASSERT_NE(b, nullptr);
        apercu = b->fichierexo->text();
        QTest::mouseClick(b->Image5, Qt::LeftButton);
    });
    openexo_Click(menu);
    EXPECT_EQ(apercu.section('/', -1), "autre.E07");
    EXPECT_EQ(f->etat.dossierexo, dossier);
    opencor_Click(menu);
    EXPECT_TRUE(questions.empty());
    EXPECT_EQ(plain(), "Corrigé : CH4 + 2 O2 = CO2 + 2 H2O.");
}

TEST_F(Exercices, SaveAndReopenTheAnswer)
{
    QTemporaryDir eleve;
    exercicecomplet();
    auto w = navigateur(chemin("exos"));
    choisir(*w, "methane.E07");
    ouvreur_Click(*w);
    f->supertext->moveCursor(QTextCursor::End);
    f->supertext->insertPlainText("\nCH4 + 2 O2 = CO2 + 2 H2O");
    const std::string reponse1 = plain();
    Fichexo menu(*f);

    // The default extension is added.
    repondrefichier(eleve.filePath("reponse"));
    savetexte_Click(menu);
    const QString fichier = eleve.filePath("reponse.RTF");
    ASSERT_TRUE(QFileInfo::exists(fichier));
    EXPECT_TRUE(questions.empty());
    EXPECT_EQ(f->etat.textemodifie, 0);
    QFile lu(fichier);
    ASSERT_TRUE(lu.open(QIODevice::ReadOnly));
    const QByteArray octets = lu.readAll();
    lu.close();
    EXPECT_TRUE(octets.startsWith("{\\rtf1"));

    // Over an existing file: asked, and Cancel writes nothing.
    f->supertext->insertPlainText(" et encore");
    repondrefichier(fichier);
    reponses = {reponse::annuler};
    savetexte_Click(menu);
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_EQ(questions[0].texte, "Le fichier reponse.RTF existe déjà.\nEcraser l'ancien?");
    EXPECT_EQ(questions[0].titre, "Ecraser le fichier?");
    EXPECT_EQ(questions[0].b, boutons::okannuler);
    EXPECT_EQ(f->etat.textemodifie, 1);
    ASSERT_TRUE(lu.open(QIODevice::ReadOnly));
    EXPECT_EQ(lu.readAll(), octets);
    lu.close();

    // A folder that cannot be written: the message, and the text still counts as changed.
    // (Root writes into read-only folders: /proc stops it all the same.)
    QDir().mkpath(eleve.filePath("ferme"));
    QFile::setPermissions(eleve.filePath("ferme"), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    questions.clear();
    repondrefichier(::geteuid() == 0 ? QStringLiteral("/proc/self/r.RTF") : eleve.filePath("ferme/r.RTF"));
    savetexte_Click(menu);
    QFile::setPermissions(eleve.filePath("ferme"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_EQ(questions[0].texte, "Vérifier l'état du lecteur et le nom du fichier.");
    EXPECT_EQ(questions[0].titre, "Erreur d'écriture.");
    EXPECT_EQ(f->etat.textemodifie, 1);

    // A cancelled dialog ends the action silently.
    questions.clear();
    annulerdialogue();
    savetexte_Click(menu);
    EXPECT_TRUE(questions.empty());

    // Reopening: asked first (the text changed), then the saved answer.
    repondrefichier(fichier);
    opentexte_Click(menu);
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_EQ(questions[0].titre, "Abandon des données?");
    EXPECT_EQ(plain(), reponse1);
    EXPECT_EQ(f->fich->text(), "Texte: " + fichier);
    EXPECT_EQ(f->etat.exerciceouvert, 0);
    EXPECT_EQ(f->etat.textemodifie, 0);
    reglermenu(menu);
    EXPECT_FALSE(menu.opencor->isEnabled());

    // A text that cannot be loaded: the old content stays, the new name shows.
    QFile pasrtf(eleve.filePath("faux.RTF"));
    ASSERT_TRUE(pasrtf.open(QIODevice::WriteOnly));
    pasrtf.write("ceci n'est pas du RTF");
    pasrtf.close();
    questions.clear();
    repondrefichier(eleve.filePath("faux.RTF"));
    opentexte_Click(menu);
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_EQ(questions[0].titre, "Erreur de lecture.");
    EXPECT_EQ(plain(), reponse1);
    EXPECT_EQ(f->fich->text(), "Texte: " + eleve.filePath("faux.RTF"));
}

TEST_F(Exercices, PrintsTheSelectionOrTheWholeText)
{
    QTemporaryDir sortie;
    QPrinter& p = imprimante();
    p.setOutputFormat(QPrinter::PdfFormat);
    Fichexo menu(*f);
    f->supertext->setPlainText(QStringLiteral("Premier paragraphe\nDeuxième paragraphe"));
    const auto imprimer = [&](const QString& nom) {
        p.setOutputFileName(sortie.filePath(nom));
        conduire([](QWidget& w) {
            ASSERT_NE(qobject_cast<QPrintDialog*>(&w), nullptr);
            static_cast<QDialog&>(w).accept();
        });
        imprimetexte_Click(menu);
        QProcess texte;
        texte.start(QStringLiteral("pdftotext"), {sortie.filePath(nom), QStringLiteral("-")});
        EXPECT_TRUE(texte.waitForFinished(20000));
        return QString::fromUtf8(texte.readAllStandardOutput());
    };
    const QString tout = imprimer("tout.pdf");
    EXPECT_TRUE(tout.contains("Premier paragraphe"));
    EXPECT_TRUE(tout.contains("Deuxième paragraphe"));

    QTextCursor c(f->supertext->document());
    c.movePosition(QTextCursor::NextBlock);
    c.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    f->supertext->setTextCursor(c);
    const QString selection = imprimer("selection.pdf");
    EXPECT_FALSE(selection.contains("Premier"));
    EXPECT_TRUE(selection.contains("Deuxième paragraphe"));

    // Cancelled: nothing printed.
    p.setOutputFileName(sortie.filePath("rien.pdf"));
    annulerdialogue();
    imprimetexte_Click(menu);
    EXPECT_FALSE(QFileInfo::exists(sortie.filePath("rien.pdf")));
}

// The heights of the words of a PDF, as pdftotext -bbox boxes them (the
// font's ascent plus descent, in points), the word given.
std::vector<double> hauteursmot(const QString& pdf, const QString& mot)
{
    QProcess outil;
    outil.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    EXPECT_TRUE(outil.waitForFinished(20000));
    static const QRegularExpression boite(QStringLiteral(
        "<word xMin=\"[-0-9.]+\" yMin=\"([-0-9.]+)\" xMax=\"[-0-9.]+\" yMax=\"([-0-9.]+)\">([^<]*)</word>"));
    std::vector<double> h;
    const QString sortie = QString::fromUtf8(outil.readAllStandardOutput());
    for (auto m = boite.globalMatch(sortie); m.hasNext();) {
        const auto r = m.next();
        if (r.captured(3) == mot)
            h.push_back(r.captured(2).toDouble() - r.captured(1).toDouble());
    }
    return h;
}

TEST_F(Exercices, PrintedTextKeepsItsSizeInPoints)
{
    QTemporaryDir sortie;
    QPrinter& p = imprimante();
    p.setOutputFormat(QPrinter::PdfFormat);
    const int resolution = p.resolution();
    // What a 12 pt word of the same face measures in a PDF.
    QPrinter etalon(QPrinter::HighResolution);
    etalon.setOutputFormat(QPrinter::PdfFormat);
    etalon.setOutputFileName(sortie.filePath("etalon.pdf"));
    {
        QPainter peintre(&etalon);
        QFont douze(QStringLiteral("Liberation Sans"));
        douze.setPointSize(12);
        peintre.setFont(douze);
        peintre.drawText(500, 500, QStringLiteral("Douze"));
    }
    const std::vector<double> reference = hauteursmot(sortie.filePath("etalon.pdf"), "Douze");
    ASSERT_EQ(reference.size(), 1u);
    EXPECT_NEAR(reference[0], 12 * 1.12, 12 * 0.1) << "the face's box is about 1.12 times its size";

    // A statement as the exercises have it: 12 pt in the file, 16 px on screen.
    ASSERT_TRUE(lirertf("{\\rtf1{\\fonttbl{\\f0 Arial;}}\\f0\\fs24 Douze points\\par Douze encore\\par}",
                        *f->supertext->document()));
    Fichexo menu(*f);
    const auto imprimer = [&](const QString& nom, int dpi) {
        p.setResolution(dpi);
        p.setOutputFileName(sortie.filePath(nom));
        conduire([](QWidget& w) { static_cast<QDialog&>(w).accept(); });
        imprimetexte_Click(menu);
        return hauteursmot(sortie.filePath(nom), "Douze");
    };
    for (const int dpi : {1200, 300}) {
        const std::vector<double> h = imprimer(QStringLiteral("tout%1.pdf").arg(dpi), dpi);
        ASSERT_EQ(h.size(), 2u) << dpi << " dpi";
        for (const double v : h)
            EXPECT_NEAR(v, reference[0], reference[0] * 0.05) << dpi << " dpi";
    }
    // The selection alone keeps its size too.
    QTextCursor c(f->supertext->document());
    c.movePosition(QTextCursor::NextBlock);
    c.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    f->supertext->setTextCursor(c);
    const std::vector<double> h = imprimer(QStringLiteral("selection.pdf"), 1200);
    ASSERT_EQ(h.size(), 1u);
    EXPECT_NEAR(h[0], reference[0], reference[0] * 0.05);
    p.setResolution(resolution);
}

// The page size of a PDF's first page, in points.
QSizeF pagepdf(const QString& pdf)
{
    QProcess outil;
    outil.start(QStringLiteral("pdfinfo"), {pdf});
    EXPECT_TRUE(outil.waitForFinished(20000));
    static const QRegularExpression taille(QStringLiteral("Page size:\\s+([0-9.]+) x ([0-9.]+) pts"));
    const auto m = taille.match(QString::fromUtf8(outil.readAllStandardOutput()));
    return m.hasMatch() ? QSizeF(m.captured(1).toDouble(), m.captured(2).toDouble()) : QSizeF();
}

// The table prints across the page; the printer, shared with the text print,
// keeps the upright page chosen for it.
TEST_F(Exercices, TablePrintLeavesTheChosenOrientation)
{
    QTemporaryDir sortie;
    QPrinter& p = imprimante();
    p.setOutputFormat(QPrinter::PdfFormat);
    p.setPageOrientation(QPageLayout::Portrait);
    f->Text1->setText(QStringLiteral("2H#2+O#2=2H#2O"));
    valideur_Click(*f);
    p.setOutputFileName(sortie.filePath("tableau.pdf"));
    observerconfimp([](Confimp& d) { d.Command1->click(); });
    f->commandes.at(QStringLiteral("Command10"))->click();
    observerconfimp({});
    const QSizeF tableau = pagepdf(sortie.filePath("tableau.pdf"));
    EXPECT_GT(tableau.width(), tableau.height()) << "the table across the page";
    EXPECT_EQ(p.pageLayout().orientation(), QPageLayout::Portrait);

    Fichexo menu(*f);
    p.setOutputFileName(sortie.filePath("texte.pdf"));
    conduire([](QWidget& w) { static_cast<QDialog&>(w).accept(); });
    imprimetexte_Click(menu);
    const QSizeF texte = pagepdf(sortie.filePath("texte.pdf"));
    EXPECT_LT(texte.width(), texte.height()) << "the text on an upright page";
}

TEST_F(Exercices, MenuUnderTheExerciseButton)
{
    exercicecomplet();
    QStringList legendes;
    std::vector<bool> actifs;
    QPoint place;
    QTimer::singleShot(50, [&] {
        auto* m = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(m, nullptr);
        place = m->pos();
        for (QAction* a : m->actions()) {
            legendes << (a->isSeparator() ? QStringLiteral("-") : a->text());
            actifs.push_back(a->isEnabled());
        }
        m->close();
    });
    BTEXO_Click(*f);
    EXPECT_EQ(legendes,
              (QStringList{"Prise en main", "-", "Ouvrir un exercice (énoncé + configuration)",
                           "Voir la correction", "-", "Enregistrer le contenu de la fenêtre exercice",
                           "Retrouver un texte", "Imprimer le contenu de la fenêtre exercice", "-",
                           "Fermer l'exercice"}));
    ASSERT_EQ(actifs.size(), 10u);
    EXPECT_FALSE(actifs[3]); // no correction on offer
    EXPECT_FALSE(actifs[9]); // no exercise to close
    EXPECT_TRUE(actifs[0] && actifs[2] && actifs[5] && actifs[6] && actifs[7]);
    EXPECT_EQ(place, f->BTEXO->mapToGlobal(QPoint(0, f->BTEXO->height())));

    // Through the button and the menu: open the browser, pick the exercise, open it.
    QTimer::singleShot(50, [&] {
        auto* m = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(m, nullptr);
        m->setActiveAction(m->findChild<QAction*>(QStringLiteral("openexo")));
        QTest::keyClick(m, Qt::Key_Return);
    });
    conduire([&](QWidget& d) {
        auto* w = dynamic_cast<Fichexo*>(&d);
        ASSERT_NE(w, nullptr);
        changerdossier(w->listes, chemin("exos"));
        ASSERT_EQ(w->listes.File1->count(), 1);
        EXPECT_EQ(w->fichierexo->text().section('/', -1), "methane.E07"); // previewed at once
        QTest::keyClick(w->listes.File1, Qt::Key_Return);
    });
    f->BTEXO->click();
    EXPECT_EQ(plain(), "Énoncé : ajuster l'équation.");
    EXPECT_EQ(f->etat.exerciceouvert, 1);
    EXPECT_TRUE(questions.empty());
}

TEST_F(Exercices, CompanionRequestOpensTheExercise)
{
    texte("demandes/enonce.rtf", QStringLiteral("Demandé par le cours"));
    serie1("demandes/serie.C02", "Ag*++Cl*-=AgCl", 0.01f, 0.02f);
    exercice("demandes/chlorure.E07", {"demandes\\enonce.rtf", "demandes\\serie.C02"});
    const std::string echange = chemin("TEMP1S.TMP").toStdString();

    ASSERT_TRUE(ecrireenregistrement(echange, 31, "demandes\\chlorure.E07"));
    f->demandeexercice();
    EXPECT_TRUE(questions.empty());
    EXPECT_EQ(plain(), "Demandé par le cours");
    EXPECT_EQ(f->fich->text(), programme.path() + "/demandes/chlorure.E07");
    EXPECT_EQ(f->etat.exerciceouvert, 1); // set by the request even without a correction
    EXPECT_EQ(f->Text1->text(), "Ag*++Cl*-=AgCl");
    EXPECT_FALSE(f->supertext->isReadOnly());
    EXPECT_EQ(f->etat.textemodifie, 0);
    const auto r = lireenregistrements(echange, 31, 31);
    ASSERT_TRUE(r);
    EXPECT_EQ((*r)[0], "");

    // A request for a missing exercise: its message, nothing changes.
    f->supertext->insertPlainText("notes ");
    f->etat.textemodifie = 0;
    const std::string avant = plain();
    ASSERT_TRUE(ecrireenregistrement(echange, 31, "demandes/absent.E07"));
    f->demandeexercice();
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_EQ(questions[0].titre, "Lecture impossible");
    EXPECT_EQ(plain(), avant);
    EXPECT_EQ(f->fich->text(), programme.path() + "/demandes/chlorure.E07");
}

// A FIFO named by an exercise, as its picture, statement or series, is a
// missing file: the program goes on at once, also for a companion's request.
TEST_F(Exercices, SpecialFilesOfAnExerciseAreMissing)
{
    texte("exos/enonce.rtf", QStringLiteral("Énoncé"));
    QDir().mkpath(chemin(QStringLiteral("images")));
    std::vector<std::unique_ptr<essai::Debloqueur>> gardes;
    for (const QString nom : {"images/tube.png", "exos/enonce-tube.rtf", "exos/serie-tube.C02"}) {
        ASSERT_EQ(::mkfifo(QFile::encodeName(chemin(nom)).constData(), 0666), 0);
        gardes.push_back(std::make_unique<essai::Debloqueur>(QFile::encodeName(chemin(nom)).toStdString()));
    }
    exercice("image.E07",
             {"exos\\enonce.rtf", "", "", "", "", "", "", "", "", "", "", "", "", "", "images\\tube.png"});
    exercice("exos/enonce.E07", {"enonce-tube.rtf"});
    exercice("exos/serie.E07", {"enonce.rtf", "serie-tube.C02"});

    ASSERT_TRUE(ecrireenregistrement(chemin("TEMP1S.TMP").toStdString(), 31, "image.E07"));
    f->demandeexercice();
    EXPECT_TRUE(questions.empty());
    EXPECT_EQ(plain(), "Énoncé");
    EXPECT_TRUE(f->onglets->ong3->image().isNull());

    auto w = navigateur(chemin("exos"));
    for (const char* nom : {"enonce.E07", "serie.E07"}) {
        questions.clear();
        choisir(*w, nom);
        ouvreur_Click(*w);
        ASSERT_EQ(questions.size(), 1u) << nom;
        EXPECT_EQ(questions[0].titre, "Fichier absent");
    }
    for (const auto& g : gardes)
        EXPECT_FALSE(g->bloque());
}

// Names read from an exercise stay in the exercise's folder, pictures in the
// program's, and a companion's request in the program's: another pupil's text,
// a link out, a file outside are missing files.
TEST_F(Exercices, NamesThatLeaveTheirFolderAreMissing)
{
    QTemporaryDir dehors;
    ASSERT_TRUE(dehors.isValid());
    const std::string horsprogramme = "..\\" + QFileInfo(dehors.path()).fileName().toStdString() + "\\";
    texte("eleves/paul.rtf", QStringLiteral("Réponse de Paul"));
    texte("exos/enonce.rtf", QStringLiteral("Énoncé"));
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::red);
    ASSERT_TRUE(image.save(dehors.filePath(QStringLiteral("secret.png"))));
    ASSERT_TRUE(
        QFile::link(chemin(QStringLiteral("eleves/paul.rtf")), chemin(QStringLiteral("exos/lien.rtf"))));
    exercice("exos/monte.E07", {"..\\eleves\\paul.rtf"});
    exercice("exos/lien.E07", {"lien.rtf"});
    exercice("exos/corrige.E07", {"enonce.rtf", "", "../eleves/paul.rtf"});
    exercice("exos/image.E07", {"enonce.rtf", "", "", "", "", "", "", "", "", "", "", "", "", "",
                                horsprogramme + "secret.png"});

    auto w = navigateur(chemin("exos"));
    for (const char* nom : {"monte.E07", "lien.E07"}) {
        questions.clear();
        choisir(*w, nom);
        ouvreur_Click(*w);
        ASSERT_EQ(questions.size(), 1u) << nom;
        EXPECT_EQ(questions[0].titre, "Fichier absent");
        EXPECT_NE(plain(), "Réponse de Paul");
    }
    questions.clear();
    choisir(*w, "image.E07");
    ouvreur_Click(*w);
    EXPECT_TRUE(questions.empty());
    EXPECT_EQ(plain(), "Énoncé");
    EXPECT_TRUE(f->onglets->ong3->image().isNull());

    choisir(*w, "corrige.E07");
    ouvreur_Click(*w);
    Fichexo menu(*f);
    opencor_Click(menu);
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_EQ(questions[0].titre, "Fichier absent");
    EXPECT_EQ(plain(), "Énoncé");

    // The request, which any pupil can write, for an exercise outside.
    questions.clear();
    QFile::copy(chemin(QStringLiteral("exos/enonce.rtf")), dehors.filePath(QStringLiteral("enonce.rtf")));
    ASSERT_TRUE(remplacerenregistrements(dehors.filePath(QStringLiteral("dehors.E07")).toStdString(),
                                         {"enonce.rtf"}));
    f->fich->clear();
    ASSERT_TRUE(ecrireenregistrement(chemin("TEMP1S.TMP").toStdString(), 31, horsprogramme + "dehors.E07"));
    f->demandeexercice();
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_EQ(questions[0].titre, "Lecture impossible");
    EXPECT_TRUE(f->fich->text().isEmpty());
}

} // namespace
