// The exercises shipped with the program, opened as a pupil opens them.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>

#include <memory>
#include <vector>

#include "app/boite.h"
#include "exercises/exercice.h"
#include "exercises/fichexo.h"
#include "files/enregistrements.h"
#include "programme/relier.h"
#include "rtf/rtf.h"
#include "workspace/feuillep.h"
#include "workspace/onglets.h"

namespace {

using namespace qm;

// The program's content, copied so that nothing the tests do reaches the build.
bool copier(const QString& source, const QString& cible)
{
    QDirIterator it(source, {"*.E07", "*.PEM", "*.hlp", "*.rtf", "*.C02", "*.png"}, QDir::Files,
                    QDirIterator::Subdirectories);
    bool tout = true;
    while (it.hasNext()) {
        const QString chemin = it.next();
        if (chemin.contains(QLatin1String("CMakeFiles")))
            continue;
        const QString destination = cible + "/" + QDir(source).relativeFilePath(chemin);
        QDir().mkpath(QFileInfo(destination).absolutePath());
        tout = QFile::copy(chemin, destination) && tout;
    }
    return tout;
}

// Types a name into the next file dialog, once it is open, and confirms.
void repondre(const QString& dossier, const QString& nom, int essais = 6000)
{
    QTimer::singleShot(10, [=] {
        auto* d = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!d) {
            if (essais > 0)
                repondre(dossier, nom, essais - 1);
            return;
        }
        d->setDirectory(dossier);
        d->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(nom);
        static_cast<QDialog*>(d)->accept();
    });
}

class Livres : public ::testing::Test {
protected:
    QTemporaryDir programme;
    std::unique_ptr<FeuilleP> f;
    std::vector<questionboite> questions;
    QString dossier; // the copy, as the browser names it

    void SetUp() override
    {
        ASSERT_TRUE(programme.isValid());
        ASSERT_TRUE(copier(QStringLiteral(QUILMARET_DONNEES), programme.path()));
        dossier = QDir(programme.path()).canonicalPath() + "/";
        installerrepondeur([this](const questionboite& b) {
            questions.push_back(b);
            return b.b == boutons::ouinon ? reponse::oui : reponse::ok;
        });
        f = std::make_unique<FeuilleP>(programme.path());
        relierfenetres(*f);
        // Equations left to balance show their count grid: counted, not shown.
        f->fenetreaidequa = [](const std::vector<lignegrille>&) {};
        f->show();
    }
    void TearDown() override
    {
        installerrepondeur({});
        f->etat.textemodifie = 0;
    }
    QStringList exercices() const
    {
        return QDir(dossier).entryList({QStringLiteral("*.E07")}, QDir::Files, QDir::Name);
    }
    static QString texterf(const QString& chemin)
    {
        QTextDocument d;
        return lirefichierrtf(chemin, d) ? d.toPlainText() : QString();
    }
};

TEST_F(Livres, EveryShippedExerciseOpensWithoutAMessage)
{
    const QStringList noms = exercices();
    ASSERT_GE(noms.size(), 8);
    int sanscorrection = 0, images = 0;
    for (const QString& nom : noms) {
        SCOPED_TRACE(nom.toStdString());
        Fichexo w(*f);
        changerdossier(w.listes, dossier);
        const auto trouves = w.listes.File1->findItems(nom, Qt::MatchExactly);
        ASSERT_EQ(trouves.size(), 1);
        File1_Click(w, trouves.front());
        EXPECT_FALSE(w.titratexo->text().isEmpty());
        EXPECT_FALSE(w.Text1->toPlainText().isEmpty()); // the notions
        const auto r = lireenregistrements((dossier + nom).toStdString(), 1, 15);
        ASSERT_TRUE(r);
        const bool corrige = estcorrige((*r)[2], (*r)[3]);
        sanscorrection += corrige ? 0 : 1;
        EXPECT_EQ(w.Label2->text(), corrige ? textecorrige : textenoncorrige);

        ouvreur_Click(w);
        EXPECT_TRUE(questions.empty()) << (questions.empty() ? "" : questions.front().texte.toStdString());
        questions.clear();
        EXPECT_EQ(f->fich->text(), dossier + nom);
        EXPECT_EQ(f->etat.exerciceouvert, corrige ? 1 : 0);
        const QString enonce = texterf(cheminexercice(dossier, (*r)[0]));
        EXPECT_GT(enonce.size(), 100);
        EXPECT_EQ(f->supertext->toPlainText(), enonce);
        if (renseigne((*r)[1])) {
            EXPECT_EQ(f->etat.nomfichier, cheminexercice(dossier, (*r)[1]));
        }
        if (renseigne((*r)[14])) {
            ++images;
            EXPECT_FALSE(f->onglets->ong3->image().isNull());
            EXPECT_EQ(f->onglets->etat().ongletcourant, 3);
        }
        if (corrige) {
            Fichexo menu(*f);
            opencor_Click(menu);
            EXPECT_TRUE(questions.empty())
                << (questions.empty() ? "" : questions.front().texte.toStdString());
            questions.clear();
            if (renseigne((*r)[2])) {
                EXPECT_EQ(f->supertext->toPlainText(), texterf(cheminexercice(dossier, (*r)[2])));
            }
            if (renseigne((*r)[3])) {
                EXPECT_EQ(f->etat.nomfichier, cheminexercice(dossier, (*r)[3]));
            }
        }
    }
    EXPECT_EQ(sanscorrection, 1);
    EXPECT_GE(images, 3);
}

TEST_F(Livres, TutorialOpensFromTheProgramsFolder)
{
    Fichexo w(*f);
    PRISENMAIN_Click(w);
    EXPECT_TRUE(questions.empty());
    EXPECT_EQ(f->fich->text(), programme.path() + "/QUILMARET.PEM");
    EXPECT_TRUE(f->supertext->toPlainText().contains(QStringLiteral("Prise en main")));
    EXPECT_FALSE(f->etat.eqtexte[1].empty()); // its series came in
    EXPECT_EQ(f->etat.exerciceouvert, 0);
}

// A pupil's session on the limiting-reactant exercise: open it, write, save
// the answer, see the correction, and find the answer again.
TEST_F(Livres, OpenCorrectSaveAndReopenAnAnswer)
{
    QTemporaryDir eleve;
    const QStringList noms = exercices().filter(QStringLiteral("limitant"));
    ASSERT_EQ(noms.size(), 1);
    Fichexo w(*f);
    changerdossier(w.listes, dossier);
    File1_Click(w, w.listes.File1->findItems(noms.front(), Qt::MatchExactly).front());
    ouvreur_Click(w);
    ASSERT_TRUE(questions.empty());
    const std::string serie = f->etat.eqtexte[0];

    f->supertext->moveCursor(QTextCursor::End);
    f->supertext->insertPlainText(QStringLiteral("\nMa réponse : le réactif limitant est le dioxygène."));
    const QString reponse = f->supertext->toPlainText();
    EXPECT_EQ(f->etat.textemodifie, 1);

    Fichexo menu(*f);
    repondre(eleve.path(), QStringLiteral("limitant"));
    savetexte_Click(menu);
    EXPECT_TRUE(questions.empty());
    EXPECT_EQ(f->etat.textemodifie, 0);
    EXPECT_EQ(texterf(eleve.filePath("limitant.RTF")), reponse);

    opencor_Click(menu);
    EXPECT_TRUE(questions.empty());
    EXPECT_NE(f->supertext->toPlainText(), reponse);
    EXPECT_NE(f->etat.eqtexte[0], serie); // the correction's series

    repondre(eleve.path(), QStringLiteral("limitant.RTF"));
    opentexte_Click(menu);
    EXPECT_TRUE(questions.empty());
    EXPECT_EQ(f->supertext->toPlainText(), reponse);
    EXPECT_EQ(f->fich->text(), "Texte: " + eleve.filePath("limitant.RTF"));
    EXPECT_EQ(f->etat.exerciceouvert, 0);
}

} // namespace
