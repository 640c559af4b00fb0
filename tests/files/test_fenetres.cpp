#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFrame>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <vector>

#include "app/boite.h"
#include "dossiertemporaire.h"
#include "files/fenetres.h"
#include "files/serie.h"
#include "tests/pannes.h"

namespace {

using namespace qm;

QString q(const message& m)
{
    return QString::fromStdString(m.texte);
}

// Answers the boxes in turn, noting what they asked.
struct Repondeur {
    std::vector<reponse> reponses;
    std::vector<questionboite> questions;
    Repondeur()
    {
        installerrepondeur([this](const questionboite& b) {
            questions.push_back(b);
            if (reponses.empty())
                return reponse::ok;
            const reponse r = reponses.front();
            reponses.erase(reponses.begin());
            return r;
        });
    }
    ~Repondeur() { installerrepondeur({}); }
};

TEST(NomDEnregistrement, ExtensionDossierEtC02)
{
    struct cas {
        const char* saisie;
        const char* chemin;
    };
    const cas lignes[] = {
        {"serie1.txt", "/cours/serie1.C02"},
        {"  serie1  ", "/cours/serie1.C02"},
        {"a.b.c", "/cours/a.C02"},
        {"a .b", "/cours/a.C02"},
        {"/eleves/chimie", "/eleves/chimie.C02"},
        {"/eleves/chimie.C02", "/eleves/chimie.C02"},
        // The proposed name after opening this file must save over it, not to /home/jean.C02.
        {"/home/jean.dupont/series/s1.C02", "/home/jean.dupont/series/s1.C02"},
        {"sous/s2.x", "sous/s2.C02"},
    };
    for (const cas& c : lignes) {
        const nomserie n = nomenregistrement(QString::fromUtf8(c.saisie), QStringLiteral("/cours"));
        EXPECT_EQ(n.chemin, QString::fromUtf8(c.chemin)) << c.saisie;
        EXPECT_TRUE(n.erreur.texte.empty()) << c.saisie;
    }
    EXPECT_EQ(nomenregistrement(QStringLiteral("x"), QStringLiteral("/")).chemin, QStringLiteral("/x.C02"));
}

TEST(NomDEnregistrement, SansNom)
{
    for (const char* s :
         {"", "   ", ".C02", "..", "/home/jean.dupont/.C02", "/home/jean/", "/home/jean/ .x"}) {
        const nomserie n = nomenregistrement(QString::fromUtf8(s), QStringLiteral("/cours"));
        EXPECT_EQ(n.erreur, msgnomvide) << s;
        EXPECT_TRUE(n.chemin.isEmpty()) << s;
    }
}

TEST(NomDEnregistrement, ChangementDeDossier)
{
    EXPECT_EQ(nomsansdossier(QStringLiteral("/home/jean/s1.C02")), QStringLiteral("s1.C02"));
    EXPECT_EQ(nomsansdossier(QStringLiteral("s1")), QStringLiteral("s1"));
    EXPECT_EQ(nomsansdossier(QStringLiteral("/home/")), QString());
}

TEST(Lecteurs, SeulementLesVolumesDeLEleve)
{
    const QStringList montes{"/",
                             "/boot/efi",
                             "/snap/core22/1122",
                             "/run/user/1000/doc",
                             "/mnt/partage",
                             "/media/eleve/CLE",
                             "/run/media/eleve/USB",
                             "/mnt",
                             "/mediatheque",
                             "/mntx",
                             "/var/snap/lxd/common",
                             "/tmp",
                             "/home/eleve",
                             "/media/eleve/CLE",
                             "/proc",
                             "/dev/shm"};
    EXPECT_EQ(lecteursretenus(montes, QStringLiteral("/home/eleve")),
              (QStringList{"/", "/home/eleve", "/media/eleve/CLE", "/mnt", "/mnt/partage",
                           "/run/media/eleve/USB"}));
    // The home folder is offered even when it is no volume of its own.
    EXPECT_EQ(lecteursretenus({"/"}, QStringLiteral("/home/eleve")), (QStringList{"/", "/home/eleve"}));
}

class Fenetres : public DossierTemporaire {
protected:
    QString nomfichier;
    Repondeur repondeur;
    serie laserie;
    int ecritures = 0;
    QString dossierq() const { return QString::fromStdString(dossier.string()); }
    QString cheminq(const char* nom) const { return QString::fromStdString(chemin(nom)); }
    std::function<erreurserie()> ecrivain()
    {
        return [this] {
            ++ecritures;
            return ecrireserie(nomfichier.toStdString(), laserie);
        };
    }
    void SetUp() override
    {
        DossierTemporaire::SetUp();
        laserie.eqtexte[0] = "H#2+Cl#2=2HCl";
        laserie.eqquant[0][1] = 0.5f;
    }
};

TEST_F(Fenetres, EnregistrerDansLeDossierDeLaListe)
{
    Enregistrer w(nullptr, nomfichier, ecrivain());
    ASSERT_TRUE(changerdossier(w.listes, dossierq()));
    w.Text1->setText(QStringLiteral("serie1.txt"));
    Qt::CursorShape pendant = Qt::ArrowCursor;
    w.ecrire = [&] {
        pendant = w.cursor().shape();
        return ecrivain()();
    };
    QTest::mouseClick(w.Command1, Qt::LeftButton);
    EXPECT_EQ(pendant, Qt::WaitCursor);
    EXPECT_EQ(nomfichier, cheminq("serie1.C02"));
    EXPECT_EQ(w.Text1->text(), nomfichier);
    EXPECT_EQ(w.result(), QDialog::Accepted);
    EXPECT_TRUE(repondeur.questions.empty());
    const lectureserie l = lireserie(chemin("serie1.C02"));
    ASSERT_EQ(l.erreur, erreurserie::aucune);
    EXPECT_EQ(l.contenu.eqtexte[0], "H#2+Cl#2=2HCl");
    EXPECT_EQ(QDir::currentPath(), dossierq());
}

// A series that came with the program (a shipped exercise's) is proposed in
// the pupil's documents; any other keeps its place.
TEST_F(Fenetres, NomProposeHorsDuDossierDuProgramme)
{
    std::filesystem::create_directories(dossier / "prog" / "exercices");
    std::filesystem::create_directories(dossier / "prog2");
    std::filesystem::create_directory_symlink(dossier / "prog", dossier / "lien");
    const QString prog = cheminq("prog");
    struct cas {
        const char* nomfichier;
        QString propose;
    };
    const cas lignes[] = {
        {"prog/exercices/methane.C02", "/docs/methane.C02"},
        {"prog/s.C02", "/docs/s.C02"},
        {"lien/exercices/methane.C02", "/docs/methane.C02"},
        {"prog/../prog/s.C02", "/docs/s.C02"},
        {"prog2/s.C02", cheminq("prog2/s.C02")},
        {"s.C02", cheminq("s.C02")},
    };
    for (const cas& c : lignes)
        EXPECT_EQ(nompropose(cheminq(c.nomfichier), prog, QStringLiteral("/docs")), c.propose)
            << c.nomfichier;
    EXPECT_EQ(nompropose(QString(), prog, QStringLiteral("/docs")), QString());

    // In the window: proposed there, saved there, the shipped series untouched.
    std::filesystem::create_directories(dossier / "eleve" / "Documents");
    const QByteArray maison = qgetenv("HOME"), config = qgetenv("XDG_CONFIG_HOME");
    qputenv("HOME", cheminq("eleve").toUtf8());
    qputenv("XDG_CONFIG_HOME", cheminq("eleve/.config").toUtf8());
    ecrire(chemin("prog/exercices/methane.C02"), "livré");
    nomfichier = cheminq("prog/exercices/methane.C02");
    {
        Enregistrer w(nullptr, nomfichier, ecrivain(), prog);
        EXPECT_EQ(w.Text1->text(), cheminq("eleve/Documents/methane.C02"));
        EXPECT_EQ(nomfichier, cheminq("prog/exercices/methane.C02")); // until the pupil saves
        QTest::mouseClick(w.Command1, Qt::LeftButton);
        EXPECT_EQ(w.result(), QDialog::Accepted);
    }
    qputenv("HOME", maison);
    if (config.isNull())
        qunsetenv("XDG_CONFIG_HOME");
    else
        qputenv("XDG_CONFIG_HOME", config);
    EXPECT_EQ(nomfichier, cheminq("eleve/Documents/methane.C02"));
    EXPECT_EQ(lireserie(chemin("eleve/Documents/methane.C02")).erreur, erreurserie::aucune);
    EXPECT_EQ(contenu(chemin("prog/exercices/methane.C02")), "livré");
}

TEST_F(Fenetres, NomVideOuSeulementLExtension)
{
    Enregistrer w(nullptr, nomfichier, ecrivain());
    ASSERT_TRUE(changerdossier(w.listes, dossierq()));
    for (const char* s : {".C02", "   "}) {
        w.Text1->setText(QString::fromUtf8(s));
        Command1_Click(w);
        EXPECT_EQ(w.Text1->text(), QString()) << s; // trimmed and cut, as checked
    }
    ASSERT_EQ(repondeur.questions.size(), 2u);
    for (const questionboite& b : repondeur.questions) {
        EXPECT_EQ(b.texte, QStringLiteral("Il faut donner un nom au fichier!"));
        EXPECT_EQ(b.titre, QStringLiteral("Enregistrement impossible"));
        EXPECT_EQ(b.i, icone::critique);
        EXPECT_EQ(b.b, boutons::ok);
    }
    EXPECT_EQ(ecritures, 0);
    EXPECT_NE(w.result(), QDialog::Accepted);
    EXPECT_EQ(w.cursor().shape(), Qt::ArrowCursor);
    EXPECT_EQ(nombrefichiers(), 0u);
}

TEST_F(Fenetres, NonPourEcraserPuisEncore)
{
    ecrire(chemin("s1.C02"), "ancien");
    Enregistrer w(nullptr, nomfichier, ecrivain());
    ASSERT_TRUE(changerdossier(w.listes, dossierq()));
    w.Text1->setText(QStringLiteral("s1.abc"));
    repondeur.reponses = {reponse::non, reponse::oui};
    QTest::keyClick(w.Text1, Qt::Key_Return);
    ASSERT_EQ(repondeur.questions.size(), 1u);
    EXPECT_EQ(repondeur.questions[0].texte, QStringLiteral("Ecraser le fichier existant?"));
    EXPECT_EQ(repondeur.questions[0].titre, QStringLiteral("Ce fichier existe déjà!"));
    EXPECT_EQ(repondeur.questions[0].b, boutons::ouinon);
    EXPECT_EQ(repondeur.questions[0].i, icone::exclamation);
    EXPECT_EQ(repondeur.questions[0].defaut, reponse::non);
    EXPECT_EQ(w.Text1->text(), cheminq("s1.C02"));
    EXPECT_EQ(contenu(chemin("s1.C02")), "ancien");
    EXPECT_EQ(ecritures, 0);
    EXPECT_NE(w.result(), QDialog::Accepted);
    EXPECT_EQ(w.cursor().shape(), Qt::ArrowCursor);

    QTest::mouseClick(w.Command1, Qt::LeftButton);
    ASSERT_EQ(repondeur.questions.size(), 2u);
    EXPECT_EQ(repondeur.questions[1].texte, QStringLiteral("Ecraser le fichier existant?"));
    EXPECT_EQ(ecritures, 1);
    EXPECT_EQ(w.result(), QDialog::Accepted);
    EXPECT_EQ(lireserie(chemin("s1.C02")).erreur, erreurserie::aucune);
}

TEST_F(Fenetres, EchecDEcritureGardeLaFenetre)
{
    Enregistrer w(nullptr, nomfichier, ecrivain());
    ASSERT_TRUE(changerdossier(w.listes, dossierq()));
    laserie.eqtexte[3] = std::string(127, 'H'); // one byte too many for its record
    w.Text1->setText(QStringLiteral("trop"));
    Command1_Click(w);
    ASSERT_EQ(repondeur.questions.size(), 1u);
    EXPECT_EQ(repondeur.questions[0].texte, q(msgecriture));
    EXPECT_EQ(repondeur.questions[0].titre, QStringLiteral("Enregistrement impossible"));
    EXPECT_NE(w.result(), QDialog::Accepted);
    EXPECT_EQ(w.Text1->text(), cheminq("trop.C02"));
    EXPECT_EQ(w.cursor().shape(), Qt::ArrowCursor);
    EXPECT_EQ(nombrefichiers(), 0u);
}

// Under a school's file-size limit, the program (as prepared at start-up)
// lives on: the save says it failed, the old file stays, no temporary is left.
TEST_F(Fenetres, LimiteDeTailleDesFichiers)
{
    ASSERT_EQ(ecrireserie(chemin("s.C02"), serie{}), erreurserie::aucune);
    const std::string avant = contenu(chemin("s.C02"));
    Enregistrer w(nullptr, nomfichier, ecrivain());
    ASSERT_TRUE(changerdossier(w.listes, dossierq()));
    w.Text1->setText(QStringLiteral("s"));
    repondeur.reponses = {reponse::oui};
    {
        essai::DisquePlein limite(4096);
        ASSERT_TRUE(limite.actif());
        Command1_Click(w);
    }
    ASSERT_EQ(repondeur.questions.size(), 2u); // overwrite?, then the failure
    EXPECT_EQ(repondeur.questions[1].texte, q(msgecriture));
    EXPECT_NE(w.result(), QDialog::Accepted);
    EXPECT_EQ(contenu(chemin("s.C02")), avant);
    EXPECT_EQ(nombrefichiers(), 1u);
}

TEST_F(Fenetres, ListesEnAccord)
{
    ecrire(chemin("a.C02"), "x");
    ecrire(chemin("b.c02"), "x");
    ecrire(chemin("c.txt"), "x");
    std::filesystem::create_directory(dossier / "sous");
    ecrire(chemin("sous/d.C02"), "x");
    nomfichier = cheminq("ailleurs/s1.C02");
    Enregistrer w(nullptr, nomfichier, ecrivain());
    EXPECT_EQ(w.Text1->text(), nomfichier); // the last file is proposed
    ASSERT_TRUE(changerdossier(w.listes, dossierq()));
    // The folder changed: the name stays, its old folder goes.
    EXPECT_EQ(w.Text1->text(), QStringLiteral("s1.C02"));
    ASSERT_EQ(w.listes.File1->count(), 2);
    EXPECT_EQ(w.listes.File1->item(0)->text(), QStringLiteral("a.C02"));
    EXPECT_EQ(w.listes.File1->item(1)->text(), QStringLiteral("b.c02"));

    const auto sous = w.listes.Dir1->findItems(QStringLiteral("sous"), Qt::MatchEndsWith);
    ASSERT_EQ(sous.size(), 1);
    w.listes.Dir1->setCurrentItem(sous[0]);
    QTest::keyClick(w.listes.Dir1, Qt::Key_Return);
    EXPECT_EQ(w.listes.dossier, cheminq("sous"));
    ASSERT_EQ(w.listes.File1->count(), 1);
    EXPECT_EQ(w.listes.File1->item(0)->text(), QStringLiteral("d.C02"));
    // The ancestors stay listed above the folder, so the pupil can climb back.
    EXPECT_EQ(w.listes.Dir1->currentItem()->data(Qt::UserRole).toString(), cheminq("sous"));
    EXPECT_EQ(w.listes.Dir1->item(0)->data(Qt::UserRole).toString(), QStringLiteral("/"));
    EXPECT_FALSE(changerdossier(w.listes, cheminq("absent")));
    EXPECT_EQ(w.listes.dossier, cheminq("sous"));

    // Double click on a saved file: its name, then the confirm action.
    repondeur.reponses = {reponse::non};
    emit w.listes.File1->itemDoubleClicked(w.listes.File1->item(0));
    ASSERT_EQ(repondeur.questions.size(), 1u);
    EXPECT_EQ(repondeur.questions[0].texte, QStringLiteral("Ecraser le fichier existant?"));
    EXPECT_EQ(w.Text1->text(), cheminq("sous/d.C02"));
}

TEST_F(Fenetres, ChoixDuLecteur)
{
    Enregistrer w(nullptr, nomfichier, ecrivain());
    ASSERT_TRUE(changerdossier(w.listes, dossierq()));
    EXPECT_EQ(w.listes.Drive1->itemText(0), QStringLiteral("/"));
    // The drive list follows the folder list onto the drive it lies on.
    EXPECT_TRUE(dossierq().startsWith(w.listes.Drive1->currentText()));
    const int maison = w.listes.Drive1->findText(QDir::homePath());
    ASSERT_GE(maison, 0);
    w.listes.Drive1->setCurrentIndex(maison);
    EXPECT_EQ(w.listes.dossier, QDir::homePath());
    w.listes.Drive1->setCurrentIndex(0);
    EXPECT_EQ(w.listes.dossier, QStringLiteral("/"));
    EXPECT_EQ(w.listes.Drive1->currentIndex(), 0);

    // A drive that cannot be listed leaves both lists where they were.
    ASSERT_TRUE(changerdossier(w.listes, dossierq()));
    const QString avant = w.listes.Drive1->currentText();
    w.listes.Drive1->addItem(cheminq("pasprete"));
    w.listes.Drive1->setCurrentIndex(w.listes.Drive1->count() - 1);
    EXPECT_EQ(w.listes.dossier, dossierq());
    EXPECT_EQ(w.listes.Drive1->currentText(), avant);
    EXPECT_TRUE(dossierq().startsWith(avant));
}

TEST_F(Fenetres, OuvrirNomVideOuAbsent)
{
    int chargements = 0;
    Ouvrir w(nullptr, nomfichier, [&] { ++chargements; });
    ASSERT_TRUE(changerdossier(w.listes, dossierq()));
    w.ficharge->setText(QStringLiteral("   "));
    QTest::mouseClick(w.Command1, Qt::LeftButton);
    EXPECT_TRUE(repondeur.questions.empty());
    EXPECT_TRUE(nomfichier.isEmpty());

    w.ficharge->setText(cheminq("absent.C02"));
    QTest::mouseClick(w.Command1, Qt::LeftButton);
    ASSERT_EQ(repondeur.questions.size(), 1u);
    EXPECT_EQ(repondeur.questions[0].texte, QStringLiteral("Nom de fichier incorrect ou chemin non valide"));
    EXPECT_EQ(repondeur.questions[0].titre, QStringLiteral("impossible d'ouvrir ce fichier"));
    EXPECT_EQ(repondeur.questions[0].i, icone::critique);
    EXPECT_EQ(chargements, 0);
    EXPECT_NE(w.result(), QDialog::Accepted);
    EXPECT_TRUE(w.Frame1->isHidden());
    // A folder is no series file either.
    w.ficharge->setText(dossierq());
    Command1_Click(w);
    EXPECT_EQ(repondeur.questions.size(), 2u);
    EXPECT_EQ(chargements, 0);
}

TEST_F(Fenetres, OuvrirParDoubleClic)
{
    ASSERT_EQ(ecrireserie(chemin("bon.C02"), laserie), erreurserie::aucune);
    bool panneau = false;
    Ouvrir w(nullptr, nomfichier, [&] {
        panneau = w.Frame1->isVisibleTo(&w);
        w.grab().save(QStringLiteral("/tmp/quilmaret-ouvrir-patience.png"));
    });
    ASSERT_TRUE(changerdossier(w.listes, dossierq()));
    ASSERT_EQ(w.listes.File1->count(), 1);
    QDir::setCurrent(QStringLiteral("/"));
    emit w.listes.File1->itemDoubleClicked(w.listes.File1->item(0));
    EXPECT_TRUE(panneau);
    EXPECT_EQ(nomfichier, cheminq("bon.C02"));
    EXPECT_EQ(w.ficharge->text(), nomfichier);
    EXPECT_EQ(QDir::currentPath(), dossierq());
    EXPECT_EQ(w.result(), QDialog::Accepted);
}

TEST_F(Fenetres, OuvrirUnFichierEtranger)
{
    ecrire(chemin("autre.C02"), record("quilmaret"));
    Ouvrir w(nullptr, nomfichier, [&] {
        const lectureserie l = lireserie(nomfichier.toStdString());
        if (l.erreur != erreurserie::aucune)
            boitemessage(&w, messageserie(l.erreur));
    });
    w.ficharge->setText(cheminq("autre.C02"));
    Command1_Click(w);
    ASSERT_EQ(repondeur.questions.size(), 1u);
    EXPECT_EQ(repondeur.questions[0].texte,
              QStringLiteral("Ce fichier ne correspond pas à cette application"));
    EXPECT_EQ(repondeur.questions[0].titre, QStringLiteral("Fichier non valide"));
    // The window closes after the message.
    EXPECT_EQ(w.result(), QDialog::Accepted);
}

TEST_F(Fenetres, PlaceesSurLeurParentEtModales)
{
    QWidget parent;
    parent.setGeometry(100, 80, 400, 300);
    parent.show();
    QPoint ouvrir, enregistrer;
    QString titres;
    auto lire = [&](QPoint& ou) {
        QTimer::singleShot(0, [&] {
            auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!d)
                return;
            ou = d->pos();
            titres += d->windowTitle() + QLatin1Char('|');
            d->grab().save(QStringLiteral("/tmp/quilmaret-%1.png").arg(d->objectName()));
            d->findChild<QPushButton*>(QStringLiteral("Command2"))->click();
        });
    };
    lire(ouvrir);
    montrerouvrir(&parent, nomfichier, [] {});
    lire(enregistrer);
    montrerenregistrer(&parent, nomfichier, ecrivain());
    const QPoint attendu = parent.frameGeometry().topLeft() + QPoint(20, 20);
    EXPECT_EQ(ouvrir, attendu);
    EXPECT_EQ(enregistrer, attendu);
    EXPECT_EQ(titres, QStringLiteral("Ouvrir une configuration|Enregistrer les paramètres.|"));
    EXPECT_EQ(ecritures, 0);
}

} // namespace
