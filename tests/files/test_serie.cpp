#include <gtest/gtest.h>

#include <random>

#include "dossiertemporaire.h"
#include "files/serie.h"

namespace {

using namespace qm;

using Serie = DossierTemporaire;

// A series file as the layout has it, built record by record.
std::string fichierattendu(const std::array<std::string, 10>& textes, const std::string& quantite12,
                           const char* colorsto, const char* conso, const char* final)
{
    std::string f = DossierTemporaire::record("QUILMARET");
    for (int k = 0; k < 10; ++k) {
        f += DossierTemporaire::record(textes[static_cast<std::size_t>(k)]);
        for (int j = 1; j <= 11; ++j)
            f += DossierTemporaire::record(k == 1 && j == 2 ? quantite12 : " 0");
    }
    f += DossierTemporaire::record("");
    f += DossierTemporaire::record(colorsto);
    f += DossierTemporaire::record(conso);
    f += DossierTemporaire::record(final);
    return f;
}

serie exemple()
{
    serie s;
    s.eqtexte[0] = "2H#2+O#2=2H#2O";
    s.eqtexte[1] = "Cu+2Ag*+=Cu*2*++2Ag";
    s.eqtexte[9] = "CH#4+2O#2=CO#2+2H#2O";
    s.eqquant[0][1] = 2;
    s.eqquant[0][2] = 0.5f;
    s.eqquant[1][2] = 12.25f;
    s.eqquant[9][1] = 0.00001f;
    s.eqquant[9][2] = 1.5e10f;
    s.eqquant[9][11] = 1.234567f;
    s.colorsto = 1;
    s.conso = 0;
    s.final = 1;
    return s;
}

TEST_F(Serie, OctetPourOctet)
{
    serie s;
    s.eqtexte[1] = "Fe*3*++3HO*-=Fe(OH)#3";
    s.eqquant[1][2] = 0.5f;
    s.colorsto = 1;
    s.final = 1;
    ASSERT_EQ(ecrireserie(chemin("a.C02"), s), erreurserie::aucune);
    const std::array<std::string, 10> textes{"", "Fe*3*++3HO*-=Fe(OH)#3"};
    const std::string attendu = fichierattendu(textes, " .5", " 1", " 0", " 1");
    ASSERT_EQ(attendu.size(), 125 * 128u);
    EXPECT_EQ(contenu(chemin("a.C02")), attendu);
}

TEST_F(Serie, TexteDesQuantites)
{
    const auto r = enregistrementsserie(exemple());
    ASSERT_EQ(r.size(), 125u);
    EXPECT_EQ(r[0], "QUILMARET");
    EXPECT_EQ(r[1], "2H#2+O#2=2H#2O"); // record 2
    EXPECT_EQ(r[2], " 2");
    EXPECT_EQ(r[3], " .5");
    EXPECT_EQ(r[13], "Cu+2Ag*+=Cu*2*++2Ag"); // record 14
    EXPECT_EQ(r[15], " 12.25");
    EXPECT_EQ(r[109], "CH#4+2O#2=CO#2+2H#2O"); // record 110
    EXPECT_EQ(r[110], " 1E-05");
    EXPECT_EQ(r[111], " 1.5E+10");
    EXPECT_EQ(r[120], " 1.234567"); // record 121
    EXPECT_EQ(r[121], "");
    EXPECT_EQ(r[122], " 1");
    EXPECT_EQ(r[123], " 0");
    EXPECT_EQ(r[124], " 1");
}

TEST_F(Serie, AllerRetour)
{
    serie s = exemple();
    s.eqquant[4][7] = 1234.567f;
    s.eqquant[5][3] = 3e-7f;
    s.conso = 1;
    s.final = 0;
    s.colorsto = 2;
    ASSERT_EQ(ecrireserie(chemin("b.C02"), s), erreurserie::aucune);
    const lectureserie l = lireserie(chemin("b.C02"));
    ASSERT_EQ(l.erreur, erreurserie::aucune);
    EXPECT_EQ(l.contenu.eqtexte, s.eqtexte);
    for (std::size_t k = 0; k < 10; ++k)
        for (std::size_t j = 1; j <= 11; ++j)
            EXPECT_EQ(l.contenu.eqquant[k][j], s.eqquant[k][j]) << k << "," << j;
    EXPECT_EQ(l.contenu.colorsto, 2);
    EXPECT_EQ(l.contenu.conso, 1);
    EXPECT_EQ(l.contenu.final, 0);

    // Accents and the other Windows-1252 characters of a text survive.
    serie accents;
    accents.eqtexte[3] = "Équation œ €";
    ASSERT_EQ(ecrireserie(chemin("c.C02"), accents), erreurserie::aucune);
    EXPECT_EQ(lireserie(chemin("c.C02")).contenu.eqtexte[3], "Équation œ €");
}

TEST_F(Serie, SeptChiffresSignificatifs)
{
    // An amount with more digits than the file keeps comes back rounded to seven.
    serie s;
    s.eqquant[2][3] = 12345679.f;
    s.eqquant[2][4] = 1.0f / 3;
    const auto r = enregistrementsserie(s);
    EXPECT_EQ(r[2 + 24 + 3 - 1], " 1.234568E+07");
    EXPECT_EQ(r[2 + 24 + 4 - 1], " .3333333");
    ASSERT_EQ(ecrireserie(chemin("sept.C02"), s), erreurserie::aucune);
    const lectureserie l = lireserie(chemin("sept.C02"));
    EXPECT_EQ(l.contenu.eqquant[2][3], 12345680.f);
    EXPECT_EQ(l.contenu.eqquant[2][4], 0.3333333f);
}

TEST_F(Serie, LectureDUnFichierConstruitALaMain)
{
    std::array<std::string, 10> textes{};
    textes[0] = "2H#2+O#2=2H#2O";
    std::string f = fichierattendu(textes, "  2.5E+00  (mol)", " 0", " 1.5", " 2.5");
    f.replace(121 * 128, 128, DossierTemporaire::record("n'importe quoi"));
    ecrire(chemin("d.C02"), f);
    const lectureserie l = lireserie(chemin("d.C02"));
    ASSERT_EQ(l.erreur, erreurserie::aucune);
    EXPECT_EQ(l.contenu.eqtexte[0], "2H#2+O#2=2H#2O");
    EXPECT_FLOAT_EQ(l.contenu.eqquant[1][2], 2.5f);
    EXPECT_EQ(l.contenu.conso, 2); // 1.5: half to the even neighbour
    EXPECT_EQ(l.contenu.final, 2); // 2.5 as well
    EXPECT_EQ(l.contenu.colorsto, 0);

    // Record 122 may hold anything, even a length no record can have.
    f.replace(121 * 128, 2, std::string("\xFF\xFF", 2));
    ecrire(chemin("d.C02"), f);
    EXPECT_EQ(lireserie(chemin("d.C02")).erreur, erreurserie::aucune);
}

TEST_F(Serie, Magie)
{
    const std::string reste = fichierattendu({}, " 0", " 0", " 0", " 0").substr(128);
    for (const char* magie : {"quilmaret", "QUILMARET ", " QUILMARET", "QUILMARE", ""}) {
        SCOPED_TRACE(magie);
        ecrire(chemin("m.C02"), DossierTemporaire::record(magie) + reste);
        EXPECT_EQ(lireserie(chemin("m.C02")).erreur, erreurserie::nonvalide);
    }
    ecrire(chemin("vide.C02"), "");
    EXPECT_EQ(lireserie(chemin("vide.C02")).erreur, erreurserie::nonvalide);
    EXPECT_EQ(lireserie(chemin("absent.C02")).erreur, erreurserie::nonvalide);
}

TEST_F(Serie, FichiersAbimes)
{
    // A short file with the magic: the missing records read as empty.
    ecrire(chemin("court.C02"), DossierTemporaire::record("QUILMARET") + DossierTemporaire::record("H=H"));
    const lectureserie court = lireserie(chemin("court.C02"));
    ASSERT_EQ(court.erreur, erreurserie::aucune);
    EXPECT_EQ(court.contenu.eqtexte[0], "H=H");
    EXPECT_EQ(court.contenu.final, 0);

    std::string f = fichierattendu({}, " 0", " 1", " 0", " 1");
    std::string coupe = f.substr(0, 50 * 128 + 5);
    coupe[50 * 128] = 100; // a text that the end of the file cuts
    ecrire(chemin("coupe.C02"), coupe);
    EXPECT_EQ(lireserie(chemin("coupe.C02")).erreur, erreurserie::lecture);

    std::string long_ = f;
    long_.replace(60 * 128, 2, std::string("\xFF\xFF", 2));
    ecrire(chemin("long.C02"), long_);
    EXPECT_EQ(lireserie(chemin("long.C02")).erreur, erreurserie::lecture);

    std::string trop = f;
    trop.replace(2 * 128, 128, DossierTemporaire::record(" 1E+39")); // beyond a single
    ecrire(chemin("trop.C02"), trop);
    EXPECT_EQ(lireserie(chemin("trop.C02")).erreur, erreurserie::lecture);

    // A negative amount: no table can show it.
    std::string negatif = f;
    negatif.replace(3 * 128, 128, DossierTemporaire::record("-5"));
    ecrire(chemin("negatif.C02"), negatif);
    EXPECT_EQ(lireserie(chemin("negatif.C02")).erreur, erreurserie::lecture);

    std::string etat = f;
    etat.replace(124 * 128, 128, DossierTemporaire::record(" 7"));
    ecrire(chemin("etat.C02"), etat);
    EXPECT_EQ(lireserie(chemin("etat.C02")).erreur, erreurserie::lecture);

    EXPECT_EQ(lireserie(dossier.string()).erreur, erreurserie::lecture);
}

TEST_F(Serie, EchecDEnregistrementSansDegat)
{
    ASSERT_EQ(ecrireserie(chemin("s.C02"), exemple()), erreurserie::aucune);
    const std::string avant = contenu(chemin("s.C02"));

    serie long_ = exemple();
    long_.eqtexte[5] = std::string(126, 'H');
    EXPECT_EQ(ecrireserie(chemin("t.C02"), long_), erreurserie::aucune);
    long_.eqtexte[5] = std::string(127, 'H');
    EXPECT_EQ(ecrireserie(chemin("s.C02"), long_), erreurserie::ecriture);
    serie fleche = exemple();
    fleche.eqtexte[2] = "H#2⟶H#2";
    EXPECT_EQ(ecrireserie(chemin("s.C02"), fleche), erreurserie::ecriture);
    EXPECT_EQ(ecrireserie(chemin("absent/s.C02"), exemple()), erreurserie::ecriture);
    EXPECT_EQ(contenu(chemin("s.C02")), avant);
    EXPECT_EQ(nombrefichiers(), 2u);
}

TEST(SerieMessages, TextesEtTitres)
{
    EXPECT_EQ(messageserie(erreurserie::nonvalide),
              (message{"Ce fichier ne correspond pas à cette application", "Fichier non valide"}));
    EXPECT_EQ(messageserie(erreurserie::lecture),
              (message{"Lecture impossible sur disque", "Erreur lors du chargement du fichier"}));
    EXPECT_EQ(messageserie(erreurserie::ecriture),
              (message{"Ecriture impossible sur disque", "Enregistrement impossible"}));
    EXPECT_EQ(messageserie(erreurserie::aucune), message{});
}

TEST_F(Serie, MutationsAleatoires)
{
    // Thousands of damaged copies of a good file: each one loads or gives one of
    // the messages, and a load gives texts that fit their records.
    ASSERT_EQ(ecrireserie(chemin("ok.C02"), exemple()), erreurserie::aucune);
    const std::string bon = contenu(chemin("ok.C02"));
    std::mt19937 hasard(20261208);
    int lues = 0;
    for (int essai = 0; essai < 3000; ++essai) {
        std::string f = bon;
        const int changements = 1 + static_cast<int>(hasard() % 8);
        for (int c = 0; c < changements; ++c) {
            switch (hasard() % 4) {
            case 0: // one byte anywhere
                f[hasard() % f.size()] = static_cast<char>(hasard());
                break;
            case 1: // a length of record
                f[(hasard() % 125) * 128 + hasard() % 2] = static_cast<char>(hasard());
                break;
            case 2: // cut the file
                f.resize(hasard() % (f.size() + 1));
                break;
            default: // garbage at the end
                f.append(hasard() % 300, static_cast<char>(hasard()));
                break;
            }
            if (f.empty())
                break;
        }
        ecrire(chemin("m.C02"), f);
        const lectureserie l = lireserie(chemin("m.C02"));
        if (l.erreur == erreurserie::aucune) {
            ++lues;
            for (const std::string& t : l.contenu.eqtexte)
                ASSERT_LE(t.size(), 2 * 126u);
        } else {
            ASSERT_TRUE(l.erreur == erreurserie::nonvalide || l.erreur == erreurserie::lecture);
        }
    }
    EXPECT_GT(lues, 0);
}

} // namespace
