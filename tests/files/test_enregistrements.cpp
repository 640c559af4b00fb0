#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include "dossiertemporaire.h"
#include "files/cp1252.h"
#include "files/disque.h"
#include "files/echange.h"
#include "files/enregistrements.h"
#include "files/serie.h"
#include "tests/pannes.h"

namespace {

using namespace qm;

TEST(Cp1252, ToutOctetFaitLAllerRetour)
{
    std::string tous;
    for (int b = 0; b < 256; ++b)
        tous.push_back(static_cast<char>(b));
    const std::string utf8 = depuiscp1252(tous);
    EXPECT_EQ(verscp1252(utf8), tous);
}

TEST(Cp1252, Caracteres)
{
    EXPECT_EQ(depuiscp1252("\xE9t\xE9"), "été");
    EXPECT_EQ(depuiscp1252("\x80"), "€");
    EXPECT_EQ(depuiscp1252("st\x9C"
                           "chiom\xE9triques"),
              "stœchiométriques");
    EXPECT_EQ(verscp1252("Flêche"), "Fl\xEA"
                                    "che");
    EXPECT_EQ(verscp1252("œ€’"), "\x9C\x80\x92");
    EXPECT_EQ(verscp1252("⟶"), std::nullopt);
    EXPECT_EQ(verscp1252("Ω"), std::nullopt);
    EXPECT_EQ(verscp1252("\xC3"), std::nullopt); // malformed UTF-8
}

TEST(Enregistrement, Codage)
{
    const auto e = coderenregistrement("H#2O");
    ASSERT_TRUE(e);
    EXPECT_EQ(std::string(e->data(), e->size()), DossierTemporaire::record("H#2O"));
    // 126 bytes fit, 127 do not; the limit is in bytes on disk, not in UTF-8.
    EXPECT_TRUE(coderenregistrement(std::string(126, 'A')));
    EXPECT_FALSE(coderenregistrement(std::string(127, 'A')));
    std::string accents;
    for (int i = 0; i < 126; ++i)
        accents += "é";
    EXPECT_TRUE(coderenregistrement(accents));
    EXPECT_FALSE(coderenregistrement(accents + "é"));
    EXPECT_FALSE(coderenregistrement("→"));
}

TEST(Enregistrement, Decodage)
{
    EXPECT_EQ(decoderenregistrement(""), "");
    EXPECT_EQ(decoderenregistrement(DossierTemporaire::record("\xE9")), "é");
    EXPECT_EQ(decoderenregistrement(std::string("\x03\x00"
                                                "abc",
                                                5)),
              "abc"); // last record, unpadded
    EXPECT_EQ(decoderenregistrement(std::string("\x7E\x00", 2) + std::string(126, 'x')),
              std::string(126, 'x'));
    EXPECT_EQ(decoderenregistrement(std::string("\x7F\x00", 2) + std::string(126, 'x')), std::nullopt);
    EXPECT_EQ(decoderenregistrement(std::string("\xFF\xFF", 2) + std::string(126, 'x')), std::nullopt);
    EXPECT_EQ(decoderenregistrement(std::string("\x05\x00"
                                                "ab",
                                                4)),
              std::nullopt); // cut by the end
    EXPECT_EQ(decoderenregistrement(std::string("\x01", 1)), std::nullopt);
}

using Fichier = DossierTemporaire;

TEST_F(Fichier, LectureDesEnregistrements)
{
    ecrire(chemin("a"), record("un") + record("deux") + record("trois").substr(0, 7));
    const auto t = lireenregistrements(chemin("a"), 1, 5);
    ASSERT_TRUE(t);
    EXPECT_EQ(*t, (std::vector<std::string>{"un", "deux", "trois", "", ""}));
    EXPECT_EQ(lireenregistrements(chemin("a"), 2, 2), (std::vector<std::string>{"deux"}));
    EXPECT_EQ(lireenregistrements(chemin("a"), 40, 41), (std::vector<std::string>{"", ""}));

    EXPECT_FALSE(lireenregistrements(chemin("absent"), 1, 1));
    EXPECT_FALSE(lireenregistrements(dossier.string(), 1, 1));
    EXPECT_FALSE(lireenregistrements(chemin("a"), 0, 1));
    ecrire(chemin("b"), record("ok") + std::string("\xFF\xFF", 2) + std::string(126, 'x'));
    EXPECT_FALSE(lireenregistrements(chemin("b"), 1, 2));
    EXPECT_EQ(lireenregistrements(chemin("b"), 1, 1), (std::vector<std::string>{"ok"}));
}

TEST_F(Fichier, RemplacementComplet)
{
    ASSERT_TRUE(remplacerenregistrements(chemin("s"), {"QUILMARET", "", "é"}));
    EXPECT_EQ(contenu(chemin("s")), record("QUILMARET") + record("") + record("\xE9"));
    // A longer old file is replaced, not overwritten in part.
    ecrire(chemin("s"), std::string(1000, 'z'));
    ASSERT_TRUE(remplacerenregistrements(chemin("s"), {"a"}));
    EXPECT_EQ(contenu(chemin("s")), record("a"));
    EXPECT_EQ(nombrefichiers(), 1u);
}

TEST_F(Fichier, RemplacementEchoueSansToucherLAncien)
{
    ecrire(chemin("s"), "ancien contenu");
    EXPECT_FALSE(remplacerenregistrements(chemin("s"), {"QUILMARET", std::string(127, 'A')}));
    EXPECT_FALSE(remplacerenregistrements(chemin("s"), {"QUILMARET", "⟶"}));
    EXPECT_EQ(contenu(chemin("s")), "ancien contenu");
    EXPECT_EQ(nombrefichiers(), 1u); // no temporary file left behind

    EXPECT_FALSE(remplacerenregistrements(chemin("absent/s"), {"a"}));
    EXPECT_FALSE(remplacerenregistrements(dossier.string(), {"a"}));
    EXPECT_FALSE(remplacerenregistrements("", {"a"}));
    EXPECT_TRUE(std::filesystem::is_directory(dossier));
}

TEST_F(Fichier, RemplacementGardeLesDroits)
{
    ecrire(chemin("s"), "x");
    std::filesystem::permissions(chemin("s"), std::filesystem::perms(0640));
    ASSERT_TRUE(remplacerenregistrements(chemin("s"), {"a"}));
    EXPECT_EQ(std::filesystem::status(chemin("s")).permissions() & std::filesystem::perms::mask,
              std::filesystem::perms(0640));
}

TEST_F(Fichier, EcritureEnPlace)
{
    const std::string autres = record("un") + record("deux") + record("trois");
    ecrire(chemin("e"), autres);
    ASSERT_TRUE(ecrireenregistrement(chemin("e"), 2, "2"));
    EXPECT_EQ(contenu(chemin("e")), record("un") + record("2") + record("trois"));
    // Past the end: the file grows, what was there stays.
    ASSERT_TRUE(ecrireenregistrement(chemin("e"), 5, "cinq"));
    const std::string c = contenu(chemin("e"));
    ASSERT_EQ(c.size(), 5 * 128u);
    EXPECT_EQ(c.substr(0, 128), record("un"));
    EXPECT_EQ(c.substr(4 * 128), record("cinq"));
    EXPECT_EQ(lireenregistrements(chemin("e"), 4, 4), (std::vector<std::string>{""}));

    EXPECT_TRUE(ecrireenregistrement(chemin("neuf"), 1, "x"));
    EXPECT_EQ(contenu(chemin("neuf")), record("x"));
    EXPECT_FALSE(ecrireenregistrement(chemin("e"), 1, std::string(127, 'A')));
    EXPECT_FALSE(ecrireenregistrement(chemin("e"), 0, "x"));
    EXPECT_FALSE(ecrireenregistrement(dossier.string(), 1, "x"));
    EXPECT_EQ(contenu(chemin("e")).substr(0, 128), record("un"));
}

TEST_F(Fichier, EchangeAvecLeProgrammeCompagnon)
{
    const std::string f = cheminechange(dossier.string());
    EXPECT_EQ(f, chemin("TEMP1S.TMP"));

    // Created when missing.
    ASSERT_TRUE(marquerenfonction(dossier.string(), true));
    EXPECT_EQ(lireenregistrements(f, 9, 9), (std::vector<std::string>{"OUI"}));

    // The companion's records stay as they are.
    std::string octets;
    for (int n = 1; n <= 40; ++n)
        octets += record("r" + std::to_string(n));
    octets.replace(30 * 128, 128, record("exercices/acide.E07"));
    ecrire(f, octets);
    ASSERT_TRUE(marquerenfonction(dossier.string(), false));
    EXPECT_EQ(prendrerequete(dossier.string()), "exercices/acide.E07");
    EXPECT_EQ(prendrerequete(dossier.string()), ""); // served once
    const std::string apres = contenu(f);
    ASSERT_EQ(apres.size(), octets.size());
    for (int n = 1; n <= 40; ++n) {
        SCOPED_TRACE(n);
        const std::string attendu = n == 9    ? record("NON")
                                    : n == 31 ? record("")
                                              : record("r" + std::to_string(n));
        EXPECT_EQ(apres.substr(static_cast<std::size_t>(n - 1) * 128, 128), attendu);
    }
}

TEST_F(Fichier, RequeteSansFichier)
{
    EXPECT_EQ(prendrerequete(dossier.string()), "");
    EXPECT_EQ(contenu(cheminechange(dossier.string())).size(), 31 * 128u);
    EXPECT_EQ(prendrerequete(chemin("absent")), "");
    EXPECT_FALSE(marquerenfonction(chemin("absent"), true));
}

TEST_F(Fichier, EnregistrementsDunExercice)
{
    // An exercise file: statement, series, corrections, difficulty, notions, title, picture.
    std::string octets;
    const char* textes[15] = {"enonce.rtf",
                              "serie.C02",
                              "corr.rtf",
                              "",
                              " 2",
                              "",
                              "Les ",
                              "ions",
                              "",
                              "",
                              "Pr\xE9"
                              "cipitation",
                              "",
                              "",
                              "",
                              "images\\becher.bmp"};
    for (const char* t : textes)
        octets += record(t);
    ecrire(chemin("ex.E07"), octets);
    const auto r = lireenregistrements(chemin("ex.E07"), 1, 15);
    ASSERT_TRUE(r);
    EXPECT_EQ((*r)[0], "enonce.rtf");
    EXPECT_EQ((*r)[10], "Précipitation");
    EXPECT_EQ((*r)[14], "images\\becher.bmp");
}

// A FIFO, a device or a folder where a file is looked for is a missing file:
// never opened in a way that waits for a writer, never written into.
TEST_F(Fichier, FichiersSpeciauxCommeAbsents)
{
    const std::string tube = chemin("tube.C02");
    ASSERT_EQ(::mkfifo(tube.c_str(), 0666), 0);
    {
        essai::Debloqueur garde(tube);
        EXPECT_FALSE(lireenregistrements(tube, 1, 1));
        EXPECT_EQ(lireserie(tube).erreur, erreurserie::nonvalide);
        EXPECT_EQ(lireserie("/dev/zero").erreur, erreurserie::nonvalide);
        EXPECT_FALSE(lirefichier(tube, 1000));
        EXPECT_FALSE(remplacerenregistrements(tube, {"a"}));
        EXPECT_FALSE(ecrireenregistrement(tube, 1, "a"));
        EXPECT_FALSE(garde.bloque());
    }
    struct stat st {};
    ASSERT_EQ(::lstat(tube.c_str(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
    EXPECT_EQ(nombrefichiers(), 1u);
}

// The exchange file in the program's folder, where a pupil may leave a link:
// neither read nor written through one, nor created through one that leads
// nowhere; a special file is left alone. Each is a failure, passed over.
TEST_F(Fichier, EchangeSansLienNiFichierSpecial)
{
    std::string octets;
    for (int n = 1; n <= 31; ++n)
        octets += record("autre " + std::to_string(n));
    ecrire(chemin("autre"), octets);
    std::filesystem::create_symlink("autre", dossier / "TEMP1S.TMP");
    EXPECT_FALSE(marquerenfonction(dossier.string(), true));
    EXPECT_EQ(prendrerequete(dossier.string()), "");
    EXPECT_FALSE(marquerenfonction(dossier.string(), false));
    EXPECT_EQ(contenu(chemin("autre")), octets);
    EXPECT_TRUE(std::filesystem::is_symlink(dossier / "TEMP1S.TMP"));

    std::filesystem::remove(dossier / "TEMP1S.TMP");
    std::filesystem::create_symlink("cree-ailleurs", dossier / "TEMP1S.TMP");
    EXPECT_FALSE(marquerenfonction(dossier.string(), true));
    EXPECT_EQ(prendrerequete(dossier.string()), "");
    EXPECT_FALSE(std::filesystem::exists(chemin("cree-ailleurs")));

    std::filesystem::remove(dossier / "TEMP1S.TMP");
    ASSERT_EQ(::mkfifo(chemin("TEMP1S.TMP").c_str(), 0666), 0);
    essai::Debloqueur garde(chemin("TEMP1S.TMP"));
    EXPECT_FALSE(marquerenfonction(dossier.string(), true));
    EXPECT_EQ(prendrerequete(dossier.string()), "");
    EXPECT_FALSE(garde.bloque());
}

// Two instances of the program, the other one in a child process: the mark
// says "OUI" while either runs; the last to quit writes "NON", also when the
// other one ended without quitting (a crash).
TEST_F(Fichier, DeuxInstancesDuProgramme)
{
    const std::string d = dossier.string();
    const auto marque = [&] {
        return lireenregistrements(cheminechange(d), 9, 9).value_or(std::vector<std::string>{"?"});
    };
    const auto autreinstance = [&](bool quitte, int& ordre, pid_t& pid) {
        int pret[2], fin[2];
        ASSERT_EQ(::pipe(pret), 0);
        ASSERT_EQ(::pipe(fin), 0);
        pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            char c = 0;
            marquerenfonction(d, true);
            (void)!::write(pret[1], "p", 1);
            (void)!::read(fin[0], &c, 1);
            if (quitte)
                marquerenfonction(d, false);
            ::_exit(0);
        }
        char c = 0;
        ASSERT_EQ(::read(pret[0], &c, 1), 1);
        ordre = fin[1];
    };
    const auto finir = [](int ordre, pid_t pid) {
        (void)!::write(ordre, "f", 1);
        int statut = 0;
        ::waitpid(pid, &statut, 0);
    };

    int ordre = -1;
    pid_t pid = -1;
    autreinstance(true, ordre, pid);
    ASSERT_TRUE(marquerenfonction(d, true));
    ASSERT_TRUE(marquerenfonction(d, false));
    EXPECT_EQ(marque(), std::vector<std::string>{"OUI"});
    finir(ordre, pid);
    EXPECT_EQ(marque(), std::vector<std::string>{"NON"});

    autreinstance(false, ordre, pid);
    ASSERT_TRUE(marquerenfonction(d, true));
    finir(ordre, pid); // ends without writing its mark
    EXPECT_EQ(marque(), std::vector<std::string>{"OUI"});
    ASSERT_TRUE(marquerenfonction(d, false));
    EXPECT_EQ(marque(), std::vector<std::string>{"NON"});
}

} // namespace
