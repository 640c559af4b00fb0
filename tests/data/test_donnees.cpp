// The content shipped beside the program, read as the program reads it, and
// the refusals of the tool that builds it.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "core/nombre.h"
#include "core/verification.h"
#include "files/cp1252.h"
#include "files/enregistrements.h"
#include "files/serie.h"
#include "rtf/rtf.h"

namespace {

namespace fs = std::filesystem;

const fs::path programme = QUILMARET_DONNEES;

std::string local(std::string nom)
{
    std::replace(nom.begin(), nom.end(), '\\', '/');
    return nom;
}

std::string lire(const fs::path& p)
{
    std::ifstream f(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

// The records of a file, every one of them, as the program decodes them.
std::vector<std::string> enregistrements(const fs::path& p, int nombre)
{
    const auto r = qm::lireenregistrements(p.string(), 1, nombre);
    return r ? *r : std::vector<std::string>{};
}

struct exercice {
    std::string fichier;
    std::vector<std::string> r; // records 1..15 at r[0..14]
    bool corrige() const { return !r[2].empty(); }
};

std::vector<exercice> exercices()
{
    std::vector<exercice> e;
    for (const auto& entree : fs::directory_iterator(programme))
        if (entree.path().extension() == ".E07")
            e.push_back({entree.path().filename().string(), enregistrements(entree.path(), 15)});
    std::sort(e.begin(), e.end(), [](const exercice& a, const exercice& b) { return a.fichier < b.fichier; });
    return e;
}

// What the manifest says of each slot of each series.
struct slotattendu {
    std::string texte;
    bool equilibree = false;
    std::vector<float> quantites;
};
using seriesattendues = std::map<std::string, std::map<int, slotattendu>>;

std::string sansblancs(const std::string& s)
{
    std::string r;
    for (char c : s)
        if (c != ' ' && c != '\t')
            r += c;
    return r;
}

// A reading of the manifest of its own, to hold the built series against.
seriesattendues lireattendues(const fs::path& manifeste)
{
    seriesattendues r;
    std::ifstream f(manifeste);
    std::string courante;
    bool serie = false;
    const std::regex slot(R"(^\s*(\d+)\s*:\s*([^|]*)\|\s*([^|]*?)\s*(\|(.*))?$)");
    const std::regex fichier(R"(^\s*fichier\s*:\s*(\S+)\s*$)");
    for (std::string ligne; std::getline(f, ligne);) {
        std::smatch m;
        if (ligne.starts_with("["))
            serie = ligne.starts_with("[série]");
        else if (serie && std::regex_match(ligne, m, fichier))
            courante = m[1];
        else if (serie && std::regex_match(ligne, m, slot)) {
            slotattendu s{sansblancs(m[2]), m[3] == "équilibrée", {}};
            std::string q = m[5];
            std::replace(q.begin(), q.end(), ',', '.');
            std::istringstream nombres(q);
            for (std::string n; nombres >> n;)
                s.quantites.push_back(qm::lirenombresimple(n).value_or(-1));
            r[courante][std::stoi(m[1])] = s;
        }
    }
    return r;
}

struct document {
    bool ok = false;
    QString erreur;
    std::unique_ptr<QTextDocument> doc = std::make_unique<QTextDocument>();
};

document lirertf(const std::string& nom)
{
    document d;
    d.ok = qm::lirefichierrtf(QString::fromStdString((programme / local(nom)).string()), *d.doc, &d.erreur);
    return d;
}

// Digits written straight after a symbol or a ")" that are not set as indices
// or exponents: a formula whose \sub was forgotten.
QStringList chiffresalaligne(const QTextDocument& doc)
{
    QStringList fautes;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        const QString t = b.text();
        std::vector<bool> decale(static_cast<std::size_t>(t.size()), false);
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment fr = it.fragment();
            const bool d = fr.charFormat().verticalAlignment() != QTextCharFormat::AlignNormal;
            for (int k = 0; k < fr.length(); ++k)
                decale[static_cast<std::size_t>(fr.position() - b.position() + k)] = d;
        }
        for (qsizetype i = 1; i < t.size(); ++i) {
            if (!t[i].isDigit() || !(t[i - 1].isLetter() || t[i - 1] == ')') ||
                decale[static_cast<std::size_t>(i)])
                continue;
            qsizetype mot = i;
            while (mot > 0 && t[mot - 1].isLetter())
                --mot;
            if (mot > 0 && t[mot - 1] == '.')
                continue; // a file name's extension, such as .C02
            fautes << t.mid(std::max<qsizetype>(0, i - 8), 12);
        }
    }
    return fautes;
}

// Every text a file of the folder names, with what it is for.
std::vector<std::pair<std::string, std::string>> textesnommes()
{
    const auto pem = enregistrements(programme / "QUILMARET.PEM", 2);
    std::vector<std::pair<std::string, std::string>> t;
    if (!pem.empty())
        t.emplace_back("QUILMARET.PEM", pem[0]);
    for (const auto& e : exercices()) {
        t.emplace_back(e.fichier, e.r[0]);
        if (e.corrige())
            t.emplace_back(e.fichier + " (correction)", e.r[2]);
    }
    return t;
}

TEST(Donnees, PriseEnMain)
{
    const fs::path pem = programme / "QUILMARET.PEM";
    ASSERT_TRUE(fs::exists(pem));
    EXPECT_EQ(fs::file_size(pem), 2 * qm::tailleenregistrement);
    const auto r = enregistrements(pem, 2);
    ASSERT_EQ(r.size(), 2u);
    EXPECT_EQ(r[0], "exercices\\priseenmain.rtf");
    EXPECT_EQ(r[1], "exercices\\priseenmain.C02");

    const document d = lirertf(r[0]);
    ASSERT_TRUE(d.ok);
    EXPECT_EQ(d.doc->begin().text(), "Prise en main de Quilmaret");
    // It walks through the controls by their captions.
    const QString texte = d.doc->toPlainText().replace(QChar(0xA0), QLatin1Char(' '));
    for (const char* legende : {"Vérifier l'équation chimique", "Tableau d'avancement", "Etat final",
                                "Animation", "« Enregistrer »", "Ouvrir un exercice (énoncé + configuration)",
                                "indice", "exposant", "Colorer les nombres stœchiométriques"})
        EXPECT_TRUE(texte.contains(QString::fromUtf8(legende))) << legende;

    // Slot 1 is left for the pupil; the others are examples.
    const auto s = qm::lireserie((programme / local(r[1])).string());
    ASSERT_EQ(s.erreur, qm::erreurserie::aucune);
    EXPECT_EQ(s.contenu.eqtexte[0], "");
    EXPECT_GE(std::count_if(s.contenu.eqtexte.begin(), s.contenu.eqtexte.end(),
                            [](const std::string& t) { return !t.empty(); }),
              4);
}

TEST(Donnees, FichesDesExercices)
{
    const auto liste = exercices();
    ASSERT_GE(liste.size(), 8u);
    int numero = 0;
    for (const auto& e : liste) {
        SCOPED_TRACE(e.fichier);
        // The names sort in the order of the syllabus: "01-", "02-" and so on.
        EXPECT_EQ(std::stoi(e.fichier.substr(0, 2)), ++numero);
        EXPECT_EQ(e.fichier[2], '-');
        EXPECT_EQ(fs::file_size(programme / e.fichier), 15 * qm::tailleenregistrement);
        ASSERT_EQ(e.r.size(), 15u);
        EXPECT_FALSE(e.r[10].empty()) << "title";
        EXPECT_FALSE(e.r[0].empty()) << "statement";
        const auto etoiles = qm::lirenombre(e.r[4]);
        ASSERT_TRUE(etoiles);
        EXPECT_TRUE(*etoiles == 0 || *etoiles == 1 || *etoiles == 2 || *etoiles == 3) << e.r[4];
        EXPECT_EQ(e.r[4], qm::textenombre(*etoiles));
        for (int k : {5, 11, 12, 13})
            EXPECT_EQ(e.r[static_cast<std::size_t>(k)], "") << "record " << k + 1;
        // A correction series comes with a correction text.
        EXPECT_TRUE(e.r[3].empty() || !e.r[2].empty());

        const std::string notions = e.r[6] + e.r[7] + e.r[8] + e.r[9];
        EXPECT_FALSE(notions.empty());
        EXPECT_FALSE(notions.starts_with("\r\n") || notions.ends_with("\r\n"));
        EXPECT_EQ(notions.find("\r\n\r\n"), std::string::npos);

        for (std::size_t k : {0u, 1u, 2u, 3u, 14u}) {
            if (!e.r[k].empty()) {
                EXPECT_TRUE(fs::is_regular_file(programme / local(e.r[k]))) << e.r[k];
            }
        }
    }
}

TEST(Donnees, UnSeulExerciceSansCorrection)
{
    int sans = 0, textesseuls = 0;
    for (const auto& e : exercices()) {
        if (e.r[2].empty() && e.r[3].empty())
            ++sans;
        if (!e.r[2].empty() && e.r[3].empty())
            ++textesseuls;
    }
    EXPECT_EQ(sans, 1);
    EXPECT_GE(textesseuls, 1);
}

TEST(Donnees, TextesRtf)
{
    const auto textes = textesnommes();
    ASSERT_GE(textes.size(), 9u);
    std::map<std::string, std::string> titres;
    for (const auto& e : exercices())
        titres[e.fichier] = e.r[10];
    for (const auto& [quoi, nom] : textes) {
        SCOPED_TRACE(quoi + " : " + nom);
        const document d = lirertf(nom);
        ASSERT_TRUE(d.ok);
        EXPECT_TRUE(d.erreur.isEmpty()) << d.erreur.toStdString();
        const QString texte = d.doc->toPlainText();
        EXPECT_GT(texte.size(), 200);
        // What is left of a badly written control word.
        EXPECT_FALSE(texte.contains('\\') || texte.contains('{') || texte.contains('}'));
        const QStringList enligne = chiffresalaligne(*d.doc);
        EXPECT_TRUE(enligne.isEmpty()) << enligne.join(" | ").toStdString();
        // The statement opens on the title the browser shows.
        const std::string premiere =
            d.doc->begin().text().replace(QChar(0xA0), QLatin1Char(' ')).toStdString();
        if (titres.contains(quoi)) {
            EXPECT_EQ(premiere, titres[quoi]);
        } else if (quoi.ends_with("(correction)")) {
            EXPECT_TRUE(premiere.starts_with("Correction : ")) << premiere;
        }
    }
}

TEST(Donnees, LesFormulesSontEnIndice)
{
    // The reading of one statement, looked at closely.
    const document d = lirertf("exercices\\methane.rtf");
    ASSERT_TRUE(d.ok);
    const QTextCursor ch4 = d.doc->find(QStringLiteral("CH4"));
    ASSERT_FALSE(ch4.isNull());
    QTextCursor c(d.doc.get());
    c.setPosition(ch4.selectionEnd());
    EXPECT_EQ(c.charFormat().verticalAlignment(), QTextCharFormat::AlignSubScript);
    c.setPosition(ch4.selectionEnd() - 1);
    EXPECT_EQ(c.charFormat().verticalAlignment(), QTextCharFormat::AlignNormal);
    EXPECT_TRUE(d.doc->toPlainText().contains(QString::fromUtf8("n(CH4) = 0,010 mol")));
    EXPECT_TRUE(d.doc->toPlainText().contains(QString::fromUtf8("n° 1, CH4 + O2 → CO2 + H2O")));
}

TEST(Donnees, SeriesCommeLeManifeste)
{
    const seriesattendues attendues = lireattendues(QUILMARET_MANIFESTE);
    ASSERT_GE(attendues.size(), 10u);
    std::vector<std::string> noms{enregistrements(programme / "QUILMARET.PEM", 2).at(1)};
    for (const auto& e : exercices())
        for (std::size_t k : {1u, 3u})
            if (!e.r[k].empty())
                noms.push_back(e.r[k]);
    ASSERT_EQ(noms.size(), attendues.size()) << "every series of the manifest is named by a file";
    for (const auto& nom : noms) {
        SCOPED_TRACE(nom);
        ASSERT_TRUE(attendues.contains(nom));
        const auto& decrits = attendues.at(nom);
        const auto s = qm::lireserie((programme / local(nom)).string());
        ASSERT_EQ(s.erreur, qm::erreurserie::aucune);
        for (int k = 1; k <= 10; ++k) {
            const std::string& texte = s.contenu.eqtexte[static_cast<std::size_t>(k - 1)];
            const auto& quantites = s.contenu.eqquant[static_cast<std::size_t>(k - 1)];
            if (!decrits.contains(k)) {
                EXPECT_EQ(texte, "") << "slot " << k;
                continue;
            }
            const slotattendu& a = decrits.at(k);
            EXPECT_EQ(texte, a.texte);
            const auto v = qm::verifequation(texte, qm::tabcoef{});
            EXPECT_EQ(v.resultat, a.equilibree ? qm::verdict::equilibree : qm::verdict::desequilibree)
                << texte;
            for (std::size_t j = 1; j <= 11; ++j)
                EXPECT_EQ(quantites[j], j <= a.quantites.size() ? a.quantites[j - 1] : 0.0f)
                    << texte << " " << j;
        }
    }
}

TEST(Donnees, SeriesCorrigeesEquilibreesAvecQuantites)
{
    int corrigees = 0;
    for (const auto& e : exercices()) {
        if (e.r[3].empty())
            continue;
        SCOPED_TRACE(e.r[3]);
        ++corrigees;
        const auto s = qm::lireserie((programme / local(e.r[3])).string());
        ASSERT_EQ(s.erreur, qm::erreurserie::aucune);
        bool tableau = false;
        for (std::size_t k = 0; k < 10; ++k) {
            if (s.contenu.eqtexte[k].empty())
                continue;
            EXPECT_EQ(qm::verifequation(s.contenu.eqtexte[k], qm::tabcoef{}).resultat,
                      qm::verdict::equilibree)
                << s.contenu.eqtexte[k];
            tableau = tableau || std::any_of(s.contenu.eqquant[k].begin(), s.contenu.eqquant[k].end(),
                                             [](float q) { return q > 0; });
        }
        EXPECT_TRUE(tableau) << "no amount: the pupil sees no table";
    }
    EXPECT_GE(corrigees, 8);
}

TEST(Donnees, Images)
{
    int images = 0;
    for (const auto& e : exercices()) {
        if (e.r[14].empty())
            continue;
        SCOPED_TRACE(e.r[14]);
        ++images;
        EXPECT_TRUE(e.r[14].starts_with("images\\"));
        const QImage image(QString::fromStdString((programme / local(e.r[14])).string()));
        ASSERT_FALSE(image.isNull());
        EXPECT_LE(image.width(), 395);
        EXPECT_LE(image.height(), 195);
        // Drawn on the panel's colour, and not left blank.
        const QColor fond(240, 235, 230);
        EXPECT_EQ(image.pixelColor(0, 0), fond);
        int dessin = 0;
        for (int y = 0; y < image.height(); y += 3)
            for (int x = 0; x < image.width(); x += 3)
                dessin += image.pixelColor(x, y) != fond;
        EXPECT_GT(dessin, image.width() * image.height() / 9 / 20);
    }
    EXPECT_GE(images, 3);
}

// The tool on manifests of its own, in a folder of its own.
class Fabrique : public ::testing::Test {
protected:
    QTemporaryDir temporaire;
    fs::path source, sortie;
    std::string erreurs;

    void SetUp() override
    {
        ASSERT_TRUE(temporaire.isValid());
        source = fs::path(temporaire.path().toStdString()) / "source";
        sortie = fs::path(temporaire.path().toStdString()) / "sortie";
        fs::create_directories(source / "exercices");
        fs::create_directories(source / "images");
        ecrire("exercices/a.rtf", "{\\rtf1\\ansi Premier exercice\\par}");
        ecrire("exercices/a-corrige.rtf", "{\\rtf1\\ansi Correction\\par}");
        ecrire("exercices/intro.rtf", "{\\rtf1\\ansi Prise en main\\par}");
        QImage petite(40, 20, QImage::Format_RGB32);
        petite.fill(Qt::white);
        ASSERT_TRUE(petite.save(QString::fromStdString((source / "images/a.png").string())));
    }

    void ecrire(const std::string& nom, const std::string& texte)
    {
        std::ofstream f(source / nom, std::ios::binary);
        f << texte;
    }

    // Runs the tool; its exit code, stderr kept in erreurs.
    int fabriquer(const std::string& manifeste, const std::vector<std::string>& options = {})
    {
        ecrire("exercices.txt", manifeste);
        QProcess p;
        QStringList args{QString::fromStdString((source / "exercices.txt").string()),
                         QString::fromStdString(sortie.string())};
        for (const auto& o : options)
            args << QString::fromStdString(o);
        p.start(QStringLiteral(QUILMARET_FABRIQUE), args);
        EXPECT_TRUE(p.waitForFinished(30000));
        erreurs = p.readAllStandardError().toStdString();
        return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    }

    static std::string record(const std::string& utf8)
    {
        const std::string octets = *qm::verscp1252(utf8);
        std::string r(128, '\0');
        r[0] = static_cast<char>(octets.size() & 0xFF);
        r[1] = static_cast<char>(octets.size() >> 8);
        r.replace(2, octets.size(), octets);
        return r;
    }
};

const std::string introbonne = "[prise en main]\n"
                               "fichier : QUILMARET.PEM\n"
                               "énoncé : exercices\\intro.rtf\n"
                               "série : exercices\\intro.C02\n"
                               "[série]\n"
                               "fichier : exercices\\intro.C02\n"
                               "2 : H#2 + O#2 = H#2O | à équilibrer\n";

std::string exercicebon(const std::string& remplace = "", const std::string& par = "")
{
    std::string e = "[exercice]\n"
                    "fichier : 01-a.E07\n"
                    "titre : Le fer et le soufre\n"
                    "difficulté : 2\n"
                    "énoncé : exercices\\a.rtf\n"
                    "série : exercices\\a.C02\n"
                    "correction : exercices\\a-corrige.rtf\n"
                    "série corrigée : exercices\\a-corrige.C02\n"
                    "image : images\\a.png\n"
                    "notion : Réactif limitant\n"
                    "notion : Tableau d'avancement\n"
                    "[série]\n"
                    "fichier : exercices\\a.C02\n"
                    "colorer : 0\n"
                    "1 : Fe + S = FeS | équilibrée\n"
                    "3 : CH#4 + O#2 = CO#2 + H#2O | à équilibrer\n"
                    "[série]\n"
                    "fichier : exercices\\a-corrige.C02\n"
                    "consommé : 1\n"
                    "1 : Fe + S = FeS | équilibrée | 0,10 0,080\n"
                    "3 : CH#4 + 2O#2 = CO#2 + 2H#2O | équilibrée | 1.5 3\n";
    if (!remplace.empty()) {
        const auto i = e.find(remplace);
        EXPECT_NE(i, std::string::npos) << remplace;
        e.replace(i, remplace.size(), par);
    }
    return introbonne + e;
}

TEST_F(Fabrique, ManifesteBonOctetPourOctet)
{
    ASSERT_EQ(fabriquer(exercicebon()), 0) << erreurs;
    EXPECT_EQ(erreurs, "");

    std::string attendu;
    for (const char* t : {"exercices\\a.rtf", "exercices\\a.C02", "exercices\\a-corrige.rtf",
                          "exercices\\a-corrige.C02", " 2", "", "Réactif limitant\r\nTableau d'avancement",
                          "", "", "", "Le fer et le soufre", "", "", "", "images\\a.png"})
        attendu += record(t);
    EXPECT_EQ(lire(sortie / "01-a.E07"), attendu);
    EXPECT_EQ(lire(sortie / "QUILMARET.PEM"),
              record("exercices\\intro.rtf") + record("exercices\\intro.C02"));

    const auto s = qm::lireserie((sortie / "exercices/a-corrige.C02").string());
    ASSERT_EQ(s.erreur, qm::erreurserie::aucune);
    EXPECT_EQ(s.contenu.eqtexte[0], "Fe+S=FeS");
    EXPECT_EQ(s.contenu.eqtexte[1], "");
    EXPECT_EQ(s.contenu.eqtexte[2], "CH#4+2O#2=CO#2+2H#2O");
    EXPECT_EQ(s.contenu.eqquant[0][1], 0.10f);
    EXPECT_EQ(s.contenu.eqquant[0][2], 0.080f);
    EXPECT_EQ(s.contenu.eqquant[0][3], 0.0f);
    EXPECT_EQ(s.contenu.eqquant[2][1], 1.5f);
    EXPECT_EQ(s.contenu.eqquant[2][2], 3.0f);
    // The options: the program's defaults unless the section says otherwise.
    EXPECT_EQ(s.contenu.colorsto, 1);
    EXPECT_EQ(s.contenu.conso, 1);
    EXPECT_EQ(s.contenu.final, 1);
    const auto e = qm::lireserie((sortie / "exercices/a.C02").string());
    ASSERT_EQ(e.erreur, qm::erreurserie::aucune);
    EXPECT_EQ(e.contenu.colorsto, 0);
    EXPECT_EQ(e.contenu.conso, 0);

    // Texts and pictures are copied as they are.
    for (const char* nom :
         {"exercices/a.rtf", "exercices/a-corrige.rtf", "exercices/intro.rtf", "images/a.png"})
        EXPECT_EQ(lire(sortie / nom), lire(source / nom)) << nom;
}

TEST_F(Fabrique, NotionsDecoupeesEnFinDeLigne)
{
    std::string notions;
    std::vector<std::string> lignes;
    for (int i = 0; i < 6; ++i) {
        lignes.push_back("Notion n° " + std::to_string(i) + " : " + std::string(40, "abcdef"[i]) + " é");
        notions += "notion : " + lignes.back() + "\n";
    }
    const std::string m = exercicebon("notion : Réactif limitant\nnotion : Tableau d'avancement\n", notions);
    ASSERT_EQ(fabriquer(m), 0) << erreurs;
    const auto r = enregistrements(sortie / "01-a.E07", 15);
    ASSERT_EQ(r.size(), 15u);
    std::string jointes;
    for (const auto& l : lignes)
        jointes += (jointes.empty() ? "" : "\r\n") + l;
    EXPECT_EQ(r[6] + r[7] + r[8] + r[9], jointes);
    // 58 bytes a line with its end: two whole lines a record, cut after a line end.
    for (std::size_t k : {6u, 7u})
        EXPECT_TRUE(r[k].ends_with("\r\n")) << r[k];
    EXPECT_TRUE(r[7].starts_with("Notion n° 2"));
    EXPECT_TRUE(r[8].starts_with("Notion n° 4"));
    EXPECT_EQ(r[9], "");

    // More than four records' worth is refused.
    std::string trop;
    for (int i = 0; i < 5; ++i)
        trop += "notion : " + std::string(110, 'x') + "\n";
    EXPECT_NE(fabriquer(exercicebon("notion : Réactif limitant\n", trop)), 0);
    EXPECT_NE(erreurs.find("notions"), std::string::npos) << erreurs;
}

TEST_F(Fabrique, TitreDe126OctetsWindows1252)
{
    // 126 characters, 252 bytes in UTF-8 but 126 on disk: it fits.
    std::string titre;
    for (int i = 0; i < 126; ++i)
        titre += "é";
    ASSERT_EQ(fabriquer(exercicebon("Le fer et le soufre", titre)), 0) << erreurs;
    EXPECT_EQ(enregistrements(sortie / "01-a.E07", 15).at(10), titre);
}

struct refus {
    std::string nom;
    std::string remplace; // in the good manifest
    std::string par;
    std::string message; // a part of what stderr says
};

const refus refusattendus[] = {
    {"titre_trop_long", "Le fer et le soufre", std::string(126, 'x') + "é",
     ":10: titre : 127 octets, 126 au plus"},
    {"caractere_hors_windows1252", "Le fer et le soufre", "Fe + S → FeS", ":10: titre : caractère hors"},
    // Eight sucroses, four on a side: balanced, but one byte too long.
    {"equation_trop_longue", "3 : CH#4 + O#2 = CO#2 + H#2O | à équilibrer",
     "3 : C#1#2H#2#2O#1#1+C#1#2H#2#2O#1#1+C#1#2H#2#2O#1#1+C#1#2H#2#2O#1#1=C#1#2H#2#2O#1#1+C#1#2H#2#2O#1#1+"
     "C#1#2H#2#2O#1#1+C#1#2H#2#2O#1#1 | équilibrée",
     "équation 3 : 127 octets"},
    {"desequilibree_annoncee_equilibree", "3 : CH#4 + O#2 = CO#2 + H#2O | à équilibrer",
     "3 : CH#4 + O#2 = CO#2 + H#2O | équilibrée", "annoncée équilibrée mais non équilibrée"},
    {"equilibree_annoncee_a_equilibrer", "1 : Fe + S = FeS | équilibrée\n3",
     "1 : Fe + S = FeS | à équilibrer\n3", "annoncée à équilibrer mais équilibrée"},
    {"charge_non_conservee", "1 : Fe + S = FeS | équilibrée | 0,10 0,080",
     "1 : Zn + H*+ = Zn*2*+ + H#2 | équilibrée | 0,10 0,080", "mais non équilibrée"},
    {"serie_corrigee_a_equilibrer", "1 : Fe + S = FeS | équilibrée | 0,10 0,080",
     "1 : Fe + O#2 = Fe#3O#4 | à équilibrer", "série corrigée"},
    {"equation_refusee", "1 : Fe + S = FeS | équilibrée\n3", "1 : Fe + S = Xy | équilibrée\n3",
     "Je ne connais pas l'élément de symbole Xy"},
    {"enonce_absent", "énoncé : exercices\\a.rtf", "énoncé : exercices\\absent.rtf",
     "texte « exercices\\absent.rtf » introuvable"},
    {"image_absente", "image : images\\a.png", "image : images\\absente.png", "introuvable"},
    {"serie_non_decrite", "série : exercices\\a.C02", "série : exercices\\b.C02", "non décrite"},
    {"trop_de_quantites", "| 1.5 3", "| 1.5 3 1", "3 quantités pour 2 réactifs"},
    {"difficulte_hors_limites", "difficulté : 2", "difficulté : 4", ":11: la difficulté"},
    {"cle_inconnue", "difficulté : 2", "difficulte : 2\ncouleur : bleue", "clé inconnue « couleur »"},
    {"nom_hors_du_dossier", "énoncé : exercices\\a.rtf", "énoncé : ..\\a.rtf", "dossier du programme"},
};

TEST_F(Fabrique, Refus)
{
    for (const refus& r : refusattendus) {
        SCOPED_TRACE(r.nom);
        EXPECT_NE(fabriquer(exercicebon(r.remplace, r.par)), 0);
        EXPECT_NE(erreurs.find(r.message), std::string::npos) << erreurs;
        EXPECT_NE(erreurs.find("rien n'est écrit"), std::string::npos) << erreurs;
        EXPECT_FALSE(fs::exists(sortie)) << "nothing is written";
    }
}

TEST_F(Fabrique, RefusDesTextesEtDesImages)
{
    // A text that is not RTF, an accent left unescaped, a picture too large.
    ecrire("exercices/a.rtf", "Premier exercice");
    EXPECT_NE(fabriquer(exercicebon()), 0);
    EXPECT_NE(erreurs.find("n'est pas un texte RTF"), std::string::npos) << erreurs;

    ecrire("exercices/a.rtf", "{\\rtf1\\ansi\n\\par\nD\xc3\xa9 \\par}");
    EXPECT_NE(fabriquer(exercicebon()), 0);
    EXPECT_NE(erreurs.find("ligne 3 : caractère non ASCII"), std::string::npos) << erreurs;

    ecrire("exercices/a.rtf", "{\\rtf1\\ansi D\\'e9but\\par}");
    QImage grande(396, 20, QImage::Format_RGB32);
    grande.fill(Qt::white);
    ASSERT_TRUE(grande.save(QString::fromStdString((source / "images/a.png").string())));
    EXPECT_NE(fabriquer(exercicebon()), 0);
    EXPECT_NE(erreurs.find("396 x 20 pixels"), std::string::npos) << erreurs;
    EXPECT_FALSE(fs::exists(sortie));

    ecrire("images/a.png", "GIF89a, pas un PNG");
    EXPECT_NE(fabriquer(exercicebon()), 0);
    EXPECT_NE(erreurs.find("pas une image PNG"), std::string::npos) << erreurs;
    EXPECT_FALSE(fs::exists(sortie));
}

TEST_F(Fabrique, ToutesLesFautesSontDites)
{
    const std::string m =
        exercicebon("difficulté : 2", "difficulté : 9") + "[exercice]\nfichier : 02-b.E07\n";
    EXPECT_NE(fabriquer(m), 0);
    EXPECT_NE(erreurs.find(":11: la difficulté"), std::string::npos) << erreurs;
    EXPECT_NE(erreurs.find("exercice sans « titre »"), std::string::npos) << erreurs;
    EXPECT_NE(erreurs.find("exercice sans « énoncé »"), std::string::npos) << erreurs;
}

TEST_F(Fabrique, LaListeRetireCeQuiNEstPlusDecrit)
{
    const std::string liste = (fs::path(temporaire.path().toStdString()) / "liste").string();
    const std::string deux = exercicebon() + "[exercice]\nfichier : 02-b.E07\ntitre : B\ndifficulté : 1\n"
                                             "énoncé : exercices\\intro.rtf\nnotion : Rien\n";
    ASSERT_EQ(fabriquer(deux, {"--liste", liste}), 0) << erreurs;
    ASSERT_TRUE(fs::exists(sortie / "02-b.E07"));
    ecrire("../sortie/notes.txt", "les notes du professeur");

    ASSERT_EQ(fabriquer(exercicebon(), {"--liste", liste}), 0) << erreurs;
    EXPECT_FALSE(fs::exists(sortie / "02-b.E07"));
    EXPECT_TRUE(fs::exists(sortie / "01-a.E07"));
    EXPECT_TRUE(fs::exists(sortie / "exercices/intro.rtf")) << "still named by the tutorial";
    EXPECT_TRUE(fs::exists(sortie / "notes.txt")) << "a file the tool did not write stays";
    EXPECT_NE(lire(liste).find("01-a.E07\n"), std::string::npos);
    EXPECT_EQ(lire(liste).find("02-b.E07"), std::string::npos);
}

// The teacher's command on the README's example, in a folder of its own: the
// exercise written beside its texts, then a faulty manifest refused line by line.
TEST(Professeur, ExempleDuReadmeEtManifesteRefuse)
{
    QTemporaryDir temporaire;
    ASSERT_TRUE(temporaire.isValid());
    const fs::path dossier = temporaire.path().toStdString();
    for (const auto& entree : fs::directory_iterator(QUILMARET_EXEMPLE))
        fs::copy_file(entree.path(), dossier / entree.path().filename());
    auto lancer = [&dossier](std::string& erreurs) {
        QProcess p;
        p.setWorkingDirectory(QString::fromStdString(dossier.string()));
        p.start(QStringLiteral(QUILMARET_EXERCICES), {});
        EXPECT_TRUE(p.waitForFinished(30000));
        erreurs = p.readAllStandardError().toStdString();
        return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    };
    std::string erreurs;
    ASSERT_EQ(lancer(erreurs), 0) << erreurs;

    const auto r = enregistrements(dossier / "propane.E07", 15);
    ASSERT_EQ(r.size(), 15u);
    const std::vector<std::string> attendus{"propane.rtf",
                                            "propane.C02",
                                            "propane-corrige.rtf",
                                            "propane-corrige.C02",
                                            " 2",
                                            "",
                                            "Ajuster une équation de combustion\r\nRéactif limitant",
                                            "",
                                            "",
                                            "",
                                            "La combustion du propane",
                                            "",
                                            "",
                                            "",
                                            "images\\bec.png"};
    EXPECT_EQ(r, attendus);
    EXPECT_EQ(fs::file_size(dossier / "propane.E07"), 15 * qm::tailleenregistrement);
    const auto s = qm::lireserie((dossier / "propane-corrige.C02").string());
    ASSERT_EQ(s.erreur, qm::erreurserie::aucune);
    EXPECT_EQ(s.contenu.eqtexte[0], "C#3H#8+5O#2=3CO#2+4H#2O");
    EXPECT_EQ(s.contenu.eqquant[0][1], 0.10f);
    EXPECT_EQ(s.contenu.eqquant[0][2], 0.40f);
    EXPECT_EQ(qm::lireserie((dossier / "propane.C02").string()).contenu.eqtexte[0], "C#3H#8+O#2=CO#2+H#2O");
    // The statement opens in the program as the pupil will see it.
    QTextDocument enonce;
    ASSERT_TRUE(qm::lirefichierrtf(QString::fromStdString((dossier / "propane.rtf").string()), enonce));
    EXPECT_EQ(enonce.begin().text(), "La combustion du propane");

    // Two faults, each with its line; nothing is written.
    std::string m = lire(dossier / "exercices.txt");
    for (const auto& [avant, apres] :
         {std::pair<std::string, std::string>{"CO#2 + H#2O            | à équilibrer",
                                              "CO#2 + H#2O | équilibrée"},
          {"énoncé         : propane.rtf", "énoncé : propane.RTF"}})
        m.replace(m.find(avant), avant.size(), apres);
    std::ofstream(dossier / "exercices.txt", std::ios::binary | std::ios::trunc) << m;
    for (const char* nom : {"propane.E07", "propane.C02", "propane-corrige.C02"})
        fs::remove(dossier / nom);
    EXPECT_EQ(lancer(erreurs), 1);
    EXPECT_NE(
        erreurs.find("exercices.txt, ligne 18 : équation 1 « C#3H#8+O#2=CO#2+H#2O » annoncée équilibrée mais "
                     "non équilibrée"),
        std::string::npos)
        << erreurs;
    EXPECT_NE(erreurs.find("exercices.txt, ligne 8 : texte « propane.RTF » introuvable"), std::string::npos)
        << erreurs;
    EXPECT_NE(erreurs.find("rien n'est écrit"), std::string::npos) << erreurs;
    EXPECT_FALSE(fs::exists(dossier / "propane.E07"));
    EXPECT_FALSE(fs::exists(dossier / "propane.C02"));
}

} // namespace

// The RTF reader lays text out with fonts: a GUI application, offscreen.
int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
