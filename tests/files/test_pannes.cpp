// Saving a series, or any record file, when the disk fails under it or the
// file is not the pupil's to replace: the save says it failed, with the error
// the windows turn into their message, and the file saved before stays byte
// for byte, with no temporary file left beside it. A link is saved through, a
// file the pupil may write but does not own keeps its owner.

#include <gtest/gtest.h>

#include <filesystem>

#include <sys/stat.h>
#include <unistd.h>

#include "dossiertemporaire.h"
#include "files/disque.h"
#include "files/enregistrements.h"
#include "files/serie.h"
#include "tests/pannes.h"

namespace {

using namespace qm;
using essai::DisquePlein;
namespace fs = std::filesystem;

serie ancienne()
{
    serie s;
    s.eqtexte[0] = "2H#2+O#2=2H#2O";
    s.eqquant[0][1] = 2;
    s.colorsto = 1;
    return s;
}

serie nouvelle()
{
    serie s;
    s.eqtexte[0] = "CH#4+2O#2=CO#2+2H#2O";
    s.eqtexte[9] = "Fe*3*++3OH*-=Fe(OH)#3";
    s.eqquant[9][1] = 0.25f;
    s.final = 1;
    return s;
}

std::vector<std::string> textes(std::size_t n, const std::string& t)
{
    return std::vector<std::string>(n, t);
}

class Pannes : public DossierTemporaire {
protected:
    std::string ancien; // the bytes of the file saved before

    void SetUp() override
    {
        DossierTemporaire::SetUp();
        // As the program's start-up does: past a size limit a write fails.
        preparerecritures();
    }

    // The series saved once, as the file a later save must not spoil.
    void preparer(const std::string& chemin)
    {
        ASSERT_EQ(ecrireserie(chemin, ancienne()), erreurserie::aucune);
        ancien = contenu(chemin);
        ASSERT_EQ(ancien.size(), nombreenregistrementsserie * tailleenregistrement);
    }
};

TEST_F(Pannes, DisquePleinPendantLEnregistrement)
{
    const std::string s = chemin("serie.C02");
    const std::string r = chemin("releve.dat");
    preparer(s);
    ASSERT_TRUE(remplacerenregistrements(r, textes(3, "avant")));
    const std::string ancienreleve = contenu(r);
    {
        // Room for a few records of the new file, not for all 125.
        DisquePlein plein(4096);
        ASSERT_TRUE(plein.actif());
        EXPECT_EQ(ecrireserie(s, nouvelle()), erreurserie::ecriture);
        EXPECT_FALSE(remplacerenregistrements(r, textes(100, "après")));
        // Not even one record fits: the very first write stops short.
        DisquePlein presquerien(100);
        EXPECT_FALSE(remplacerenregistrements(r, textes(1, "après")));
    }
    EXPECT_EQ(messageserie(erreurserie::ecriture), msgecriture);
    EXPECT_EQ(contenu(s), ancien);
    EXPECT_EQ(contenu(r), ancienreleve);
    EXPECT_EQ(nombrefichiers(), 2u); // no temporary file left

    // With the room back, the same saves go through.
    EXPECT_EQ(ecrireserie(s, nouvelle()), erreurserie::aucune);
    EXPECT_EQ(lireserie(s).contenu.eqtexte, nouvelle().eqtexte);
    EXPECT_TRUE(remplacerenregistrements(r, textes(100, "après")));
    EXPECT_EQ(contenu(r).size(), 100 * tailleenregistrement);
    EXPECT_EQ(nombrefichiers(), 2u);
}

TEST_F(Pannes, DossierEnLectureSeule)
{
    std::string s;
    if (essai::parroot()) {
        // /proc takes no new file, not even from root; its version file is
        // the file already there.
        s = "/proc/version";
        ancien = contenu(s);
        ASSERT_FALSE(ancien.empty());
    } else {
        s = chemin("serie.C02");
        preparer(s);
        fs::permissions(dossier, fs::perms::owner_read | fs::perms::owner_exec);
    }
    EXPECT_EQ(ecrireserie(s, nouvelle()), erreurserie::ecriture);
    EXPECT_FALSE(remplacerenregistrements(s, textes(3, "après")));
    EXPECT_EQ(contenu(s), ancien);
    if (!essai::parroot()) {
        fs::permissions(dossier, fs::perms::owner_all);
        EXPECT_EQ(nombrefichiers(), 1u);
    }
}

TEST_F(Pannes, DossierDisparuEntreLeChoixEtLEnregistrement)
{
    // The file is chosen in a folder that is then moved away...
    fs::create_directory(dossier / "classe");
    const std::string s = chemin("classe/serie.C02");
    preparer(s);
    fs::rename(dossier / "classe", dossier / "ailleurs");
    EXPECT_EQ(ecrireserie(s, nouvelle()), erreurserie::ecriture);
    EXPECT_FALSE(remplacerenregistrements(s, textes(3, "après")));
    EXPECT_FALSE(fs::exists(dossier / "classe")); // never made again
    EXPECT_EQ(contenu(chemin("ailleurs/serie.C02")), ancien);
    EXPECT_EQ(std::distance(fs::directory_iterator(dossier / "ailleurs"), fs::directory_iterator()), 1);

    // ... or removed with what it held.
    fs::remove_all(dossier / "ailleurs");
    const std::string t = chemin("ailleurs/serie.C02");
    EXPECT_EQ(ecrireserie(t, nouvelle()), erreurserie::ecriture);
    EXPECT_FALSE(remplacerenregistrements(t, textes(3, "après")));
    EXPECT_FALSE(fs::exists(dossier / "ailleurs"));
    EXPECT_EQ(nombrefichiers(), 0u);
}

// The pupil is "nobody" in a child process; root stands for the teacher or
// another pupil, whose files share the pupil's folder.
TEST_F(Pannes, FichierQueLEleveNePeutPasEcrire)
{
    if (!essai::parroot()) {
        // Alone, only the pupil's own read-only file can be made.
        const std::string s = chemin("serie.C02");
        preparer(s);
        fs::permissions(s, fs::perms::owner_read);
        EXPECT_EQ(ecrireserie(s, nouvelle()), erreurserie::ecriture);
        EXPECT_EQ(contenu(s), ancien);
        GTEST_SKIP() << "the files of another user need root to be made";
    }
    const auto fichier = [this](const std::string& nom, uid_t proprietaire, mode_t droits) {
        const std::string s = chemin(nom);
        preparer(s);
        EXPECT_EQ(::chown(s.c_str(), proprietaire, proprietaire), 0);
        EXPECT_EQ(::chmod(s.c_str(), droits), 0);
        return s;
    };
    const auto enregistre = [](const std::string& s) {
        return essai::commepersonne([&] { return ecrireserie(s, nouvelle()) == erreurserie::aucune; });
    };
    // A folder where every pupil may create files.
    fs::permissions(dossier, fs::perms(0777));
    const std::string lectureseule = fichier("lectureseule.C02", essai::personne, 0444);
    const std::string duprofesseur = fichier("professeur.C02", 0, 0644);
    EXPECT_EQ(enregistre(lectureseule), 0);
    EXPECT_EQ(enregistre(duprofesseur), 0);
    EXPECT_EQ(contenu(lectureseule), ancien);
    EXPECT_EQ(contenu(duprofesseur), ancien);
    struct stat st {};
    ASSERT_EQ(::stat(duprofesseur.c_str(), &st), 0);
    EXPECT_EQ(st.st_uid, 0u);

    // A shared file everyone may write, in a folder where nobody may replace
    // another's file: written in place, it stays its owner's.
    fs::permissions(dossier, fs::perms(01777));
    const std::string commun = fichier("commun.C02", 0, 0666);
    EXPECT_EQ(enregistre(commun), 1);
    EXPECT_EQ(lireserie(commun).contenu.eqtexte, nouvelle().eqtexte);
    ASSERT_EQ(::stat(commun.c_str(), &st), 0);
    EXPECT_EQ(st.st_uid, 0u);
    EXPECT_EQ(st.st_mode & 07777, 0666u);
    EXPECT_EQ(nombrefichiers(), 3u);
}

TEST_F(Pannes, LiensEcritsAuTravers)
{
    fs::create_directory(dossier / "partage");
    const std::string cible = chemin("partage/serie.C02");
    preparer(cible);
    fs::create_symlink("partage/serie.C02", dossier / "lien.C02");
    ASSERT_EQ(ecrireserie(chemin("lien.C02"), nouvelle()), erreurserie::aucune);
    EXPECT_TRUE(fs::is_symlink(dossier / "lien.C02"));
    EXPECT_EQ(lireserie(cible).contenu.eqtexte, nouvelle().eqtexte);

    // Every name of a hard-linked file sees what was saved through one of them.
    fs::create_hard_link(cible, dossier / "dur.C02");
    ASSERT_EQ(ecrireserie(chemin("dur.C02"), ancienne()), erreurserie::aucune);
    EXPECT_EQ(contenu(cible), ancien);
    EXPECT_EQ(fs::hard_link_count(cible), 2u);

    // A link to nothing is refused, and makes nothing.
    fs::create_symlink("partage/absent.C02", dossier / "perdu.C02");
    EXPECT_EQ(ecrireserie(chemin("perdu.C02"), nouvelle()), erreurserie::ecriture);
    EXPECT_FALSE(fs::exists(dossier / "partage/absent.C02"));

    EXPECT_EQ(nombrefichiers(), 4u); // partage, lien, dur, perdu: no temporary file
    EXPECT_EQ(std::distance(fs::directory_iterator(dossier / "partage"), fs::directory_iterator()), 1);
}

TEST_F(Pannes, NouveauFichierSelonLeMasque)
{
    const mode_t avant = ::umask(027);
    EXPECT_EQ(ecrireserie(chemin("classe.C02"), nouvelle()), erreurserie::aucune);
    ::umask(0);
    EXPECT_EQ(ecrireserie(chemin("tous.C02"), nouvelle()), erreurserie::aucune);
    ::umask(avant);
    EXPECT_EQ(fs::status(chemin("classe.C02")).permissions() & fs::perms::mask, fs::perms(0640));
    EXPECT_EQ(fs::status(chemin("tous.C02")).permissions() & fs::perms::mask, fs::perms(0666));
}

} // namespace
