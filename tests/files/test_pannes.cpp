// Saving a series, or any record file, when the disk fails under it: the save
// says it failed, with the error the windows turn into their message, and the
// file saved before stays byte for byte, with no temporary file left beside it.

#include <gtest/gtest.h>

#include <filesystem>

#include "dossiertemporaire.h"
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

} // namespace
