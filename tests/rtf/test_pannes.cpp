// Saving a pupil's answer when the disk fails under it or the file is not the
// pupil's to replace: the writer says so, with the text the caller shows, and
// the answer saved before stays byte for byte, with no temporary file left
// beside it; it agrees with the series writer on links and read-only files.
// Reading a file that is no text at all, a special file or a huge one.

#include "outils.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTextDocument>
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include "files/disque.h"
#include "tests/pannes.h"

namespace {

using namespace qm;
using essai::DisquePlein;

QByteArray lire(const QString& chemin)
{
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// An answer long enough that its RTF is some tens of kilobytes.
void reponselongue(QTextDocument& d)
{
    QString t;
    for (int i = 0; i < 800; ++i)
        t += QStringLiteral("Ligne %1 : 2 H₂ + O₂ ⟶ 2 H₂O, la quantité de matière n = m / M\n").arg(i);
    d.setPlainText(t);
}

class Pannes : public ::testing::Test {
protected:
    QTemporaryDir dossier;
    QTextDocument ancienne;
    QTextDocument nouvelle;
    QByteArray ancien; // the bytes of the answer saved before

    void SetUp() override
    {
        // As the program's start-up does: past a size limit a write fails.
        preparerecritures();
        ASSERT_TRUE(dossier.isValid());
        ancienne.setPlainText(QStringLiteral("Première réponse."));
        reponselongue(nouvelle);
    }
    void preparer(const QString& chemin)
    {
        QString erreur;
        ASSERT_TRUE(ecrirefichierrtf(ancienne, chemin, &erreur)) << erreur.toStdString();
        ancien = lire(chemin);
        ASSERT_FALSE(ancien.isEmpty());
    }
    static QString message(const QString& chemin)
    {
        return QStringLiteral("Le fichier %1 ne peut pas être écrit.").arg(chemin);
    }
    static QStringList fichiers(const QString& d)
    {
        return QDir(d).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }
};

TEST_F(Pannes, FullDiskKeepsTheOldAnswer)
{
    const QString chemin = dossier.filePath(QStringLiteral("reponse.rtf"));
    preparer(chemin);
    ASSERT_GT(ecrirertf(nouvelle).size(), 8 * 8192);
    QString erreur;
    {
        DisquePlein plein(8192);
        ASSERT_TRUE(plein.actif());
        EXPECT_FALSE(ecrirefichierrtf(nouvelle, chemin, &erreur));
    }
    EXPECT_EQ(erreur, message(chemin));
    EXPECT_EQ(lire(chemin), ancien);
    EXPECT_EQ(fichiers(dossier.path()), QStringList{QStringLiteral("reponse.rtf")});

    // With the room back, the same save goes through.
    ASSERT_TRUE(ecrirefichierrtf(nouvelle, chemin, &erreur)) << erreur.toStdString();
    EXPECT_TRUE(erreur.isEmpty());
    EXPECT_EQ(lire(chemin), ecrirertf(nouvelle));
}

TEST_F(Pannes, ReadOnlyFolderKeepsTheOldAnswer)
{
    QString chemin;
    if (essai::parroot()) {
        // /proc takes no new file, not even from root; its version file is
        // the file already there.
        chemin = QStringLiteral("/proc/version");
        ancien = lire(chemin);
        ASSERT_FALSE(ancien.isEmpty());
    } else {
        chemin = dossier.filePath(QStringLiteral("reponse.rtf"));
        preparer(chemin);
        ASSERT_TRUE(QFile::setPermissions(dossier.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    }
    QString erreur;
    EXPECT_FALSE(ecrirefichierrtf(nouvelle, chemin, &erreur));
    EXPECT_EQ(erreur, message(chemin));
    EXPECT_EQ(lire(chemin), ancien);
    if (!essai::parroot()) {
        QFile::setPermissions(dossier.path(),
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        EXPECT_EQ(fichiers(dossier.path()), QStringList{QStringLiteral("reponse.rtf")});
    }
}

TEST_F(Pannes, VanishedFolderIsNotMadeAgain)
{
    // The answer is chosen in a folder that is then moved away...
    ASSERT_TRUE(QDir(dossier.path()).mkdir(QStringLiteral("classe")));
    const QString chemin = dossier.filePath(QStringLiteral("classe/reponse.rtf"));
    preparer(chemin);
    ASSERT_TRUE(QDir(dossier.path()).rename(QStringLiteral("classe"), QStringLiteral("ailleurs")));
    QString erreur;
    EXPECT_FALSE(ecrirefichierrtf(nouvelle, chemin, &erreur));
    EXPECT_EQ(erreur, message(chemin));
    EXPECT_FALSE(QFileInfo::exists(dossier.filePath(QStringLiteral("classe"))));
    EXPECT_EQ(lire(dossier.filePath(QStringLiteral("ailleurs/reponse.rtf"))), ancien);
    EXPECT_EQ(fichiers(dossier.filePath(QStringLiteral("ailleurs"))),
              QStringList{QStringLiteral("reponse.rtf")});

    // ... or removed with what it held.
    ASSERT_TRUE(QDir(dossier.filePath(QStringLiteral("ailleurs"))).removeRecursively());
    const QString autre = dossier.filePath(QStringLiteral("ailleurs/reponse.rtf"));
    EXPECT_FALSE(ecrirefichierrtf(nouvelle, autre, &erreur));
    EXPECT_EQ(erreur, message(autre));
    EXPECT_TRUE(fichiers(dossier.path()).isEmpty());
}

TEST_F(Pannes, LinksAndReadOnlyFilesAsForSeries)
{
    ASSERT_TRUE(QDir(dossier.path()).mkdir(QStringLiteral("partage")));
    const QString cible = dossier.filePath(QStringLiteral("partage/reponse.rtf"));
    preparer(cible);
    const QString lien = dossier.filePath(QStringLiteral("lien.rtf"));
    ASSERT_TRUE(QFile::link(QStringLiteral("partage/reponse.rtf"), lien));
    ASSERT_TRUE(ecrirefichierrtf(nouvelle, lien));
    EXPECT_TRUE(QFileInfo(lien).isSymLink());
    EXPECT_EQ(lire(cible), ecrirertf(nouvelle));

    // A link to nothing is refused and makes nothing.
    QString erreur;
    const QString perdu = dossier.filePath(QStringLiteral("perdu.rtf"));
    ASSERT_TRUE(QFile::link(QStringLiteral("partage/absent.rtf"), perdu));
    EXPECT_FALSE(ecrirefichierrtf(nouvelle, perdu, &erreur));
    EXPECT_EQ(erreur, message(perdu));
    EXPECT_EQ(fichiers(dossier.filePath(QStringLiteral("partage"))),
              QStringList{QStringLiteral("reponse.rtf")});

    // Root writes any file: the files of another user are tried with the series.
    if (!essai::parroot()) {
        ASSERT_TRUE(QFile::setPermissions(cible, QFileDevice::ReadOwner));
        EXPECT_FALSE(ecrirefichierrtf(ancienne, cible, &erreur));
        EXPECT_EQ(erreur, message(cible));
        EXPECT_EQ(lire(cible), ecrirertf(nouvelle));
    }
}

// A FIFO is no text: refused without waiting for a writer. A file that is not RTF is refused on
// its first bytes, however large; an RTF file larger than any text is refused before it is read.
TEST_F(Pannes, SpecialAndHugeFilesAreRefusedUnread)
{
    QTextDocument d;
    d.setPlainText(QStringLiteral("avant"));
    QString erreur;
    const QString tube = dossier.filePath(QStringLiteral("tube.rtf"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(tube).constData(), 0666), 0);
    {
        essai::Debloqueur garde(QFile::encodeName(tube).toStdString());
        EXPECT_FALSE(lirefichierrtf(tube, d, &erreur));
        EXPECT_FALSE(ecrirefichierrtf(nouvelle, tube, &erreur));
        EXPECT_FALSE(garde.bloque());
    }

    const auto creux = [&](const char* nom, qint64 taille, const QByteArray& debut) {
        QFile f(dossier.filePath(QLatin1String(nom)));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(debut);
        EXPECT_TRUE(f.resize(taille)); // sparse: no room taken on the disk
        return f.fileName();
    };
    const QString pasrtf = creux("trois-gigas.rtf", 3LL << 30, "PK\x03\x04");
    const QString tropgrand = creux("enorme.rtf", qint64(taillemaxrtf) + 1, "{\\rtf1\\ansi ");
    rusage avant{};
    ::getrusage(RUSAGE_SELF, &avant);
    EXPECT_FALSE(lirefichierrtf(pasrtf, d, &erreur));
    EXPECT_FALSE(lirefichierrtf(tropgrand, d, &erreur));
    rusage apres{};
    ::getrusage(RUSAGE_SELF, &apres);
    EXPECT_LT(apres.ru_maxrss - avant.ru_maxrss, 16 * 1024) << "kilo-octets pris par la lecture";
    EXPECT_EQ(d.toPlainText(), QStringLiteral("avant"));
}

} // namespace
