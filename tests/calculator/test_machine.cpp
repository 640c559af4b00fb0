#include <gtest/gtest.h>

#include <QGroupBox>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <cstdlib>
#include <sstream>
#include <string_view>

#include "app/initialisation.h"
#include "calculator/machine.h"

namespace {

using qm::appuyer;
using qm::etatmachine;

// Presses the keys named in `touches`, separated by blanks; true when one of
// them asked for a beep.
bool presser(etatmachine& e, const std::string& touches)
{
    std::istringstream in(touches);
    bool bip = false;
    for (std::string nom; in >> nom;)
        bip = appuyer(e, nom) || bip;
    return bip;
}

// ---------------------------------------------------------------------------
// Key sequences on the state alone.

struct sequence {
    const char* nom;
    const char* touches;
    const char* saisie;    // the expression afterwards
    const char* affichage; // the display afterwards
};

// A failing row shows its keys, not the bytes of the struct.
void PrintTo(const sequence& s, std::ostream* os)
{
    *os << '[' << s.touches << ']';
}

class Sequence : public testing::TestWithParam<sequence> {};

TEST_P(Sequence, SaisieEtAffichage)
{
    qm::memoire = 0;
    etatmachine e;
    presser(e, GetParam().touches);
    EXPECT_EQ(e.saisie, GetParam().saisie);
    EXPECT_EQ(e.affichage, GetParam().affichage);
}

std::string nomsequence(const testing::TestParamInfo<sequence>& i)
{
    return i.param.nom;
}

INSTANTIATE_TEST_SUITE_P(
    Operateurs, Sequence,
    testing::Values(sequence{"DeuxPlus", "B2 plus", "2 + ", "2 + "},
                    sequence{"ApresRazPlusFoisDiviseRienNeFont", "B2 RAZ plus multip div", "", ""},
                    sequence{"FoisApresUnResultat", "B5 EXE multip", "5 * ", "5 * "},
                    sequence{"DiviseApresUnResultat", "B5 EXE div", "5 / ", "5 / "},
                    sequence{"PlusApresUnResultat", "B5 EXE plus", "5 + ", "5 + "},
                    sequence{"MoinsApresUnResultatCommenceUnNegatif", "B5 EXE moins", "-", "-"},
                    sequence{"PuissanceApresUnResultat", "B3 EXE puissance", "3 ^ ", "3 ^ "},
                    sequence{"CarreSansReponse", "btcarre", " ^ 2", " ^ 2"},
                    sequence{"ExpPuisPlusSansBlancs", "BtoEXP plus", "E+", "E+"},
                    sequence{"MoinsApresE", "B2 BtoEXP moins", "2E-", "2E-"},
                    sequence{"MoinsApresOperateur", "B2 moins moins", "2 - -", "2 - -"},
                    sequence{"MoinsApresMoins", "B2 moins moins moins", "2 - - -", "2 - - -"},
                    sequence{"MoinsApresParenthese", "Bpo moins", "(-", "(-"},
                    sequence{"AnsAjouteLaReponse", "B4 B2 EXE B1 plus ANS", "1 + 42", "1 + 42"}),
    nomsequence);

INSTANTIATE_TEST_SUITE_P(
    Ajouts, Sequence,
    testing::Values(sequence{"KiloApresDeux", "B2 kilo", "2E+3", "2E+3"},
                    sequence{"Prefixes", "B1 mega B1 giga B1 tera B1 mil B1 micro B1 nano B1 pico",
                             "1E+61E+91E+121E-31E-61E-91E-12", "1E+61E+91E+121E-31E-61E-91E-12"},
                    sequence{"ChiffresPointParenthese", "B0 Bpoint B9 bpf", "0.9)", "0.9)"},
                    sequence{"ProduitImpliciteAvantSinus", "B2 bsin", "2 * sin ", "2 * sin "},
                    sequence{"PasDeProduitApresParenthese", "Bpo bsin", "(sin ", "(sin "},
                    sequence{"PasDeProduitApresMoins", "moins Bpo", "-(", "-("},
                    sequence{"PasDeProduitApresFonction", "Bcos Bpo", "cos (", "cos ("},
                    sequence{"ProduitApresParentheseFermee", "Bpo B1 bpf Bpo", "(1) * (", "(1) * ("},
                    sequence{"Fonctions", "invsin invcos Btoncommande3 Bln Blog Bexp racine",
                             "invSIN invCOS invTAN ln log exp SQR ", "invSIN invCOS invTAN ln log exp SQR "},
                    sequence{"DixPuissanceEtInverse", "B2 B10x B3 Command5", "2 * 10 ^ 3 * 1 / ",
                             "2 * 10 ^ 3 * 1 / "},
                    sequence{"PiApresDeux", "B2 pi", "2 * 3.14159265358979", "2 * 3.14159265358979"}),
    nomsequence);

INSTANTIATE_TEST_SUITE_P(
    Effacer, Sequence,
    testing::Values(sequence{"SurVide", "EFFACE", "", ""}, sequence{"UnChiffre", "B1 B2 EFFACE", "1", "1"},
                    sequence{"OperateurPuissance", "B1 B0 puissance EFFACE", "10", "10"},
                    sequence{"ChiffreApresPuissance", "B5 btcarre EFFACE", "5 ^ ", "5 ^ "},
                    sequence{"MotDeFonction", "B2 Bcos EFFACE", "2 * ", "2 * "},
                    sequence{"ParentheseDeSinus", "bsin Bpo EFFACE", "sin ", "sin "},
                    sequence{"SinusEntier", "bsin Bpo EFFACE EFFACE", "", ""},
                    sequence{"FonctionApresParenthese", "Bpo Bln EFFACE", "(", "("},
                    sequence{"ToutAvecAC", "B1 plus B2 RAZ", "", ""}),
    nomsequence);

INSTANTIATE_TEST_SUITE_P(
    Calculs, Sequence,
    testing::Values(sequence{"VideDonneZero", "EXE", "", " 0"},
                    sequence{"Priorites", "B2 plus B3 multip B4 EXE", "", " 14"},
                    sequence{"SinusEnDegres", "bsin B3 B0 EXE", "", " .5"},
                    sequence{"NegatifSansBlanc", "moins B2 plus B1 EXE", "", "-1"},
                    sequence{"CarreDeLaReponse", "B3 EXE btcarre EXE", "", " 9"},
                    sequence{"DivisionParZero", "B1 div B0 EXE", "1 / 0", "Calcul impossible"},
                    sequence{"OperateurSansOperande", "B2 multip EXE", "2 * ",
                             "Erreur saisie: incompréhension sur opérateurs: ^ * / + -"},
                    sequence{"Parentheses", "Bpo B2 plus B3 EXE", "(2 + 3",
                             "Erreur saisie: revoir les parenthèses"},
                    sequence{"CorrectionApresErreur", "Bpo B2 plus B3 EXE bpf EXE", "", " 5"},
                    sequence{"OperateurContinueLAncienneExpression", "Bpo B2 EXE multip", "(2 * ", "(2 * "},
                    sequence{"AnsNAjouteRienApresUneErreur", "B2 multip EXE ANS", "2 * ", "2 * "},
                    sequence{"LectureImpossible", "B1 BtoEXP B4 B0 B0 EXE", "", "Dépassement de capacité"},
                    // The overflow message is not an answer: nothing to continue from.
                    sequence{"AnsApresDepassement", "B1 BtoEXP B4 B0 B0 EXE ANS", "", ""},
                    sequence{"PuissanceApresDepassement", "B1 BtoEXP B4 B0 B0 EXE puissance", " ^ ", " ^ "}),
    nomsequence);

TEST(Exe, BipSurErreurEtDepassementSeulement)
{
    etatmachine e;
    EXPECT_FALSE(presser(e, "B2 plus B2 EXE"));
    EXPECT_EQ(e.codeerreur, 0);
    EXPECT_EQ(e.reponse, " 4");
    EXPECT_TRUE(presser(e, "Bpo B1 EXE"));
    EXPECT_EQ(e.codeerreur, 2);
    EXPECT_EQ(e.reponse, "Erreur saisie: revoir les parenthèses");
    e = {};
    EXPECT_TRUE(presser(e, "B1 BtoEXP B4 B0 B0 EXE"));
    EXPECT_EQ(e.codeerreur, 0);
    EXPECT_EQ(e.reponse, "Dépassement de capacité");
}

TEST(Exe, AnglesEnRadians)
{
    etatmachine e;
    e.radians = true;
    presser(e, "bsin B3 B0 EXE");
    EXPECT_EQ(e.affichage.substr(0, 5), "-.988"); // sin(30 rad)
    e.radians = false;
    presser(e, "invsin B1 EXE");
    EXPECT_EQ(e.affichage, " 90");
}

TEST(Exe, FormeScientifique)
{
    etatmachine e;
    e.scientifique = true;
    presser(e, "B2 B5 B0 EXE");
    EXPECT_EQ(e.affichage, "2.5E+02");
    EXPECT_EQ(e.reponse, "2.5E+02");
    // The answer continues in the form it was shown.
    presser(e, "multip B2 EXE");
    EXPECT_EQ(e.affichage, "5.E+02");
    presser(e, "B1 div B3 EXE");
    EXPECT_EQ(e.affichage, "3.3333333E-01");
}

TEST(ModeAffichage, ChangeLeResultatAffiche)
{
    etatmachine e;
    presser(e, "B1 B5 B0 B0 EXE");
    e.scientifique = true;
    qm::C_Click(e);
    EXPECT_EQ(e.affichage, "1.5E+03");
    e.scientifique = false;
    qm::C_Click(e);
    EXPECT_EQ(e.affichage, " 1500");
    EXPECT_EQ(e.saisie, "");
    EXPECT_EQ(e.reponse, " 1500");
}

TEST(ModeAffichage, SansEffetPendantLaSaisieEtSurUnDepassement)
{
    etatmachine e;
    presser(e, "B1 B5 B0 B0 EXE B2");
    e.scientifique = true;
    qm::C_Click(e);
    EXPECT_EQ(e.affichage, "2");
    // The next EXE uses the new mode.
    presser(e, "EXE");
    EXPECT_EQ(e.affichage, "2.E+00");

    presser(e, "B1 BtoEXP B4 B0 B0 EXE");
    e.scientifique = false;
    qm::C_Click(e);
    EXPECT_EQ(e.affichage, "Dépassement de capacité");
}

TEST(Effacer, OperateurTropCourtRienNeChange)
{
    etatmachine e;
    e.saisie = "* ";
    qm::EFFACE_Click(e);
    EXPECT_EQ(e.saisie, "* ");
}

TEST(Memoire, PlusMoinsRappelEffacer)
{
    qm::memoire = 0;
    etatmachine e;
    presser(e, "B2 B5 Command1");
    EXPECT_DOUBLE_EQ(qm::memoire, 25);
    EXPECT_EQ(e.saisie, "25"); // M+ leaves the expression alone
    presser(e, "EXE Command1 Command1");
    EXPECT_DOUBLE_EQ(qm::memoire, 75);
    presser(e, "B1 B0 Command2");
    EXPECT_DOUBLE_EQ(qm::memoire, 65);
    presser(e, "RAZ B2 Command3");
    EXPECT_EQ(e.saisie, "265");
    // The display is read as a number: its leading number only.
    presser(e, "RAZ B3 plus B4 Command4 Command1");
    EXPECT_DOUBLE_EQ(qm::memoire, 3);
    presser(e, "Command4");
    EXPECT_DOUBLE_EQ(qm::memoire, 0);
}

TEST(Memoire, RappelSelonLeMode)
{
    etatmachine e;
    qm::memoire = 0.25;
    presser(e, "Command3");
    EXPECT_EQ(e.saisie, ".25");
    e = {};
    e.scientifique = true;
    presser(e, "Command3");
    EXPECT_EQ(e.saisie, "2.5E-01");
    qm::memoire = -1500;
    presser(e, "RAZ Command3");
    EXPECT_EQ(e.saisie, "-1.5E+03");
    qm::memoire = 0;
}

TEST(Memoire, ResteFinie)
{
    // A display beyond the double range, or a sum that would leave it, would
    // store infinity, which has no number text: the memory keeps its value.
    etatmachine e;
    qm::memoire = 1;
    presser(e, "B1 BtoEXP B4 B0 B0 Command1");
    EXPECT_DOUBLE_EQ(qm::memoire, 1);
    qm::memoire = 1.7e308;
    presser(e, "RAZ B1 Bpoint B7 BtoEXP B3 B0 B8 Command1");
    EXPECT_DOUBLE_EQ(qm::memoire, 1.7e308);
    presser(e, "Command2");
    EXPECT_DOUBLE_EQ(qm::memoire, 0);
}

TEST(Clavier, TouchesDeLAffichage)
{
    etatmachine e;
    bool bip = false;
    for (char c : std::string("2*(3+4)"))
        EXPECT_TRUE(qm::z1_KeyPress(e, c, bip)) << c;
    EXPECT_EQ(e.saisie, "2 * (3 + 4)");
    EXPECT_TRUE(qm::z1_KeyPress(e, 13, bip));
    EXPECT_FALSE(bip);
    EXPECT_EQ(e.affichage, " 14");
    for (char c : std::string("1edD."))
        qm::z1_KeyPress(e, c, bip);
    EXPECT_EQ(e.saisie, "1EEE.");
    qm::z1_KeyPress(e, 8, bip);
    EXPECT_EQ(e.saisie, "1EEE");
    for (char c : std::string("x s\t")) {
        EXPECT_FALSE(qm::z1_KeyPress(e, c, bip)) << c;
    }
    EXPECT_EQ(e.saisie, "1EEE");
    e = {};
    for (char c : std::string("5^-2/"))
        qm::z1_KeyPress(e, c, bip);
    EXPECT_EQ(e.saisie, "5 ^ -2 / ");
    EXPECT_TRUE(qm::z1_KeyPress(e, 13, bip));
    EXPECT_TRUE(bip);
}

TEST(Clavier, ChiffreSansProduitImplicite)
{
    etatmachine e;
    bool bip = false;
    for (char c : std::string("(2)3"))
        qm::z1_KeyPress(e, c, bip);
    EXPECT_EQ(e.saisie, "(2)3");
}

// ---------------------------------------------------------------------------
// The painted background.

QColor pixel(const QImage& i, int x, int y)
{
    return i.pixelColor(x, y);
}

TEST(Fond, DegradeEtCadres)
{
    QImage i(301, 430, QImage::Format_RGB32);
    i.fill(Qt::magenta);
    {
        QPainter p(&i);
        qm::peindrefond(p);
    }
    EXPECT_EQ(pixel(i, 0, 200), QColor(200, 250, 250));
    // c = 200 - x / 2, halves to the even neighbour: 198.5 -> 198, 197.5 -> 198.
    EXPECT_EQ(pixel(i, 3, 200), QColor(198, 248, 248));
    EXPECT_EQ(pixel(i, 5, 200), QColor(198, 248, 248));
    EXPECT_EQ(pixel(i, 7, 200), QColor(196, 246, 246));
    EXPECT_EQ(pixel(i, 300, 200), QColor(50, 100, 100));
    EXPECT_EQ(pixel(i, 150, 0), QColor(125, 175, 175));
    EXPECT_EQ(pixel(i, 150, 429), QColor(125, 175, 175));
    // Outline: black on top and left, white on the right and bottom.
    EXPECT_EQ(pixel(i, 1, 200), QColor(Qt::black));
    EXPECT_EQ(pixel(i, 150, 1), QColor(Qt::black));
    EXPECT_EQ(pixel(i, 299, 200), QColor(Qt::white));
    EXPECT_EQ(pixel(i, 150, 428), QColor(Qt::white));
    // The digit frame: dark cyan inside a white one shifted by a pixel.
    const QColor cyan(0, 128, 128);
    EXPECT_EQ(pixel(i, 150, 289), cyan);
    EXPECT_EQ(pixel(i, 150, 290), QColor(Qt::white));
    EXPECT_EQ(pixel(i, 150, 420), cyan);
    EXPECT_EQ(pixel(i, 150, 421), QColor(Qt::white));
    EXPECT_EQ(pixel(i, 81, 350), cyan);
    EXPECT_EQ(pixel(i, 82, 350), QColor(Qt::white));
    EXPECT_EQ(pixel(i, 205, 350), cyan);
    EXPECT_EQ(pixel(i, 206, 350), QColor(Qt::white));
    EXPECT_NE(pixel(i, 150, 350), cyan);
}

// ---------------------------------------------------------------------------
// The window itself.

QPushButton* bouton(qm::Machine& m, const char* nom)
{
    auto* b = m.findChild<QPushButton*>(QString::fromUtf8(nom));
    EXPECT_NE(b, nullptr) << nom;
    return b;
}

void cliquer(qm::Machine& m, const std::string& touches)
{
    std::istringstream in(touches);
    for (std::string nom; in >> nom;)
        if (QPushButton* b = bouton(m, nom.c_str()))
            QTest::mouseClick(b, Qt::LeftButton);
}

struct controle {
    const char* nom;
    const char* legende;
    const char* bulle;
    QRect place;
    int pixels; // font size
    bool gras;
};

TEST(Fenetre, ControlesALeurPlace)
{
    qm::Machine m;
    EXPECT_EQ(m.windowTitle(), QStringLiteral("Machine à calculer"));
    EXPECT_EQ(m.size(), QSize(301, 430));
    EXPECT_EQ(m.findChildren<QPushButton*>().size(), 49);
    const controle attendus[] = {
        {"invsin", "INV S&IN", "Inverse sinus", {16, 192, 56, 24}, 11, false},
        {"Command1", "M+", "Ajouter à la méoire", {152, 192, 25, 25}, 11, false},
        {"Command4", "CM", "Effacer la mémoire", {256, 192, 33, 25}, 11, false},
        {"racine", "\u221A", "Racine carré", {120, 224, 23, 24}, 11, false},
        {"B10x", "", "", {256, 224, 31, 24}, 11, false},
        {"Btoncommande3", "INV T&AN", "Inverse tangente", {16, 256, 55, 24}, 11, false},
        {"pi", "\u03A0", "3.1415927", {184, 256, 24, 24}, 11, false},
        {"Bln", "l&n", "", {216, 256, 32, 24}, 11, false},
        {"micro", "µ", "micro", {16, 360, 24, 24}, 11, false},
        {"kilo", "k", "kilo", {48, 392, 24, 24}, 11, false},
        {"B7", "7", "", {88, 296, 32, 24}, 13, true},
        {"B3", "3", "", {168, 360, 32, 24}, 13, true},
        {"Bpoint", ".", "", {128, 392, 32, 24}, 13, true},
        {"BtoEXP", "EXP", "x 10ª", {168, 392, 32, 24}, 11, false},
        {"EFFACE", "\u2190", "Effacer dernier caractère", {216, 296, 32, 24}, 13, true},
        {"multip", "x", "", {216, 328, 31, 24}, 16, true},
        {"div", "\u00F7", "", {256, 328, 32, 24}, 16, true},
        {"EXE", "EXE", "Calculer", {256, 392, 31, 24}, 11, false},
    };
    for (const controle& c : attendus) {
        QPushButton* b = bouton(m, c.nom);
        ASSERT_NE(b, nullptr);
        EXPECT_EQ(b->text(), QString::fromUtf8(c.legende)) << c.nom;
        EXPECT_EQ(b->toolTip(), QString::fromUtf8(c.bulle)) << c.nom;
        EXPECT_EQ(b->geometry(), c.place) << c.nom;
        EXPECT_EQ(b->font().pixelSize(), c.pixels) << c.nom;
        EXPECT_EQ(b->font().bold(), c.gras) << c.nom;
    }
    EXPECT_EQ(m.z1->geometry(), QRect(16, 16, 273, 89));
    EXPECT_TRUE(m.z1->isReadOnly());
    EXPECT_EQ(m.Picture1->geometry(), QRect(16, 120, 273, 65));
    EXPECT_EQ(m.Frame2->title(), QStringLiteral("Angles"));
    EXPECT_EQ(m.Frame3->geometry(), QRect(136, 0, 129, 57));
    auto* degres = m.findChild<QRadioButton*>(QStringLiteral("angle_0"));
    auto* standard = m.findChild<QRadioButton*>(QStringLiteral("C_1"));
    ASSERT_TRUE(degres && standard);
    EXPECT_TRUE(degres->isChecked());
    EXPECT_EQ(degres->text(), QStringLiteral("Degrés"));
    EXPECT_TRUE(standard->isChecked());
    EXPECT_EQ(m.findChild<QRadioButton*>(QStringLiteral("C_0"))->geometry(), QRect(8, 16, 82, 16));
}

TEST(Fenetre, ImagesDesTouchesDessinees)
{
    qm::Machine m;
    for (const char* nom : {"btcarre", "puissance", "B10x", "Bexp"}) {
        QPushButton* b = bouton(m, nom);
        ASSERT_NE(b, nullptr);
        const QImage i = b->icon().pixmap(b->iconSize()).toImage();
        ASSERT_FALSE(i.isNull()) << nom;
        int encre = 0;
        for (int y = 0; y < i.height(); ++y)
            for (int x = 0; x < i.width(); ++x)
                encre += qAlpha(i.pixel(x, y)) > 128;
        EXPECT_GT(encre, 10) << nom;
    }
    // Each key its own picture.
    const auto image = [&m](const char* nom) {
        QPushButton* b = bouton(m, nom);
        return b->icon().pixmap(b->iconSize()).toImage();
    };
    EXPECT_NE(image("btcarre"), image("puissance"));
}

TEST(Fenetre, CalculAuxClicsAvecLeTexteDAttente)
{
    qm::Machine m;
    QSignalSpy textes(m.z1, &QLineEdit::textChanged);
    cliquer(m, "B2 plus B3 multip B4");
    EXPECT_EQ(m.z1->text(), QStringLiteral("2 + 3 * 4"));
    EXPECT_EQ(m.focusWidget(), m.z1);
    textes.clear();
    cliquer(m, "EXE");
    ASSERT_EQ(textes.size(), 2);
    EXPECT_EQ(textes[0][0].toString(), QStringLiteral("    Patience... Calculs en cours.     "));
    EXPECT_EQ(m.z1->text(), QStringLiteral(" 14"));
    EXPECT_EQ(m.z1->cursorPosition(), 3);
    cliquer(m, "Bpo B2 EXE");
    EXPECT_EQ(m.z1->text(), QStringLiteral("Erreur saisie: revoir les parenthèses"));
    cliquer(m, "bpf");
    EXPECT_EQ(m.z1->text(), QStringLiteral("(2)"));
}

TEST(Fenetre, OptionsAnglesEtAffichage)
{
    qm::Machine m;
    QTest::mouseClick(m.findChild<QRadioButton*>(QStringLiteral("angle_1")), Qt::LeftButton);
    EXPECT_TRUE(m.etat.radians);
    cliquer(m, "Btan B0 EXE");
    EXPECT_EQ(m.z1->text(), QStringLiteral(" 0"));
    cliquer(m, "B1 B5 B0 B0 EXE");
    QTest::mouseClick(m.C[0], Qt::LeftButton);
    EXPECT_EQ(m.z1->text(), QStringLiteral("1.5E+03"));
    QTest::mouseClick(m.C[1], Qt::LeftButton);
    EXPECT_EQ(m.z1->text(), QStringLiteral(" 1500"));
}

TEST(Fenetre, Clavier)
{
    qm::Machine m;
    QTest::keyClicks(m.z1, "2*(3+4)");
    EXPECT_EQ(m.z1->text(), QStringLiteral("2 * (3 + 4)"));
    QTest::keyClick(m.z1, Qt::Key_Backspace);
    EXPECT_EQ(m.z1->text(), QStringLiteral("2 * (3 + 4"));
    QTest::keyClicks(m.z1, "a)z");
    QTest::keyClick(m.z1, Qt::Key_Return);
    EXPECT_EQ(m.z1->text(), QStringLiteral(" 14"));
    QTest::keyClicks(m.z1, "^");
    QTest::keyClick(m.z1, Qt::Key_Enter);
    EXPECT_EQ(m.z1->text(), QStringLiteral("Erreur saisie: incompréhension sur opérateurs: ^ * / + -"));
    // Escape is one more key the display swallows: the window stays open.
    m.show();
    QTest::keyClick(m.z1, Qt::Key_Escape);
    EXPECT_TRUE(m.isVisible());
}

// A French pupil types a decimal comma, on the main keys or the keypad.
TEST(Fenetre, VirguleLueCommeUnPoint)
{
    qm::Machine m;
    QTest::keyClicks(m.z1, "0,25*2");
    EXPECT_EQ(m.z1->text(), QStringLiteral("0.25 * 2"));
    QTest::keyClick(m.z1, Qt::Key_Enter);
    EXPECT_EQ(m.z1->text(), QStringLiteral(" .5"));
    QTest::keyClick(m.z1, Qt::Key_1);
    QTest::keyClick(m.z1, Qt::Key_Comma, Qt::KeypadModifier);
    QTest::keyClick(m.z1, Qt::Key_5, Qt::KeypadModifier);
    QTest::keyClick(m.z1, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(m.z1->text(), QStringLiteral(" 1.5"));
}

// The green text of the display: how many pixels, and where.
struct encre {
    int n = 0;
    QRect boite;
};

encre encrede(const QImage& i)
{
    encre e;
    for (int y = 0; y < i.height(); ++y)
        for (int x = 0; x < i.width(); ++x) {
            const QColor c = i.pixelColor(x, y);
            if (c.green() > 128 && c.red() < 100 && c.blue() < 100) {
                ++e.n;
                e.boite |= QRect(x, y, 1, 1);
            }
        }
    return e;
}

// The same text whole, on one line of a wide black strip.
int encreentiere(const QString& t, QFont f, int pixels)
{
    f.setPixelSize(pixels);
    QImage i(1200, 80, QImage::Format_RGB32);
    i.fill(Qt::black);
    QPainter p(&i);
    p.setFont(f);
    p.setPen(QColor(0, 255, 0));
    p.drawText(4, 60, t);
    p.end();
    return encrede(i).n;
}

TEST(Fenetre, MessagesEntiersDansLAffichage)
{
    qm::Machine m;
    const QRect dedans = m.z1->rect().adjusted(2, 2, -2, -2);
    const QFont f = m.z1->font();
    // Every message in the display's own size: all its ink, inside the frame.
    for (std::string_view message : {qm::texteattente, qm::textecalculimpossible, qm::texteparentheses,
                                     qm::texteoperateurs, qm::textedepassement}) {
        const QString t = QString::fromUtf8(message.data(), static_cast<qsizetype>(message.size()));
        m.z1->setText(t);
        const encre vue = encrede(m.z1->grab().toImage());
        const int entiere = encreentiere(t, f, f.pixelSize());
        EXPECT_NEAR(vue.n, entiere, entiere / 20) << t.toStdString();
        EXPECT_TRUE(dedans.contains(vue.boite)) << t.toStdString();
    }
    // A number, and an expression too long for the box, are drawn as by a
    // plain text box.
    QLineEdit simple;
    simple.setReadOnly(true);
    simple.setFont(f);
    simple.setPalette(m.z1->palette());
    simple.resize(m.z1->size());
    for (const char* t : {" 14", "2 * sin 30 + (1 - 4) ^ 2 - 123456789 / 7"}) {
        m.z1->setText(QString::fromUtf8(t));
        simple.setText(QString::fromUtf8(t));
        EXPECT_EQ(m.z1->grab().toImage().convertToFormat(QImage::Format_RGB32),
                  simple.grab().toImage().convertToFormat(QImage::Format_RGB32))
            << t;
    }
    // In a face too large for the box the message gets smaller, still whole.
    const QString t =
        QString::fromUtf8(qm::texteoperateurs.data(), static_cast<qsizetype>(qm::texteoperateurs.size()));
    m.z1->setFont(qm::police(QStringLiteral("Courier New"), 24, true));
    m.z1->setText(t);
    const encre vue = encrede(m.z1->grab().toImage());
    EXPECT_TRUE(dedans.contains(vue.boite));
    bool entiere = false;
    for (int pixels = 6; pixels < 32 && !entiere; ++pixels)
        entiere = std::abs(vue.n - encreentiere(t, f, pixels)) <= vue.n / 20;
    EXPECT_TRUE(entiere) << vue.n;
}

// The captions of the four options are drawn whole: no ink in the option's
// last column, where a clipped caption ends, and each option inside its frame.
TEST(Fenetre, LegendesDesOptionsEntieres)
{
    qm::Machine m;
    const QImage i = m.Picture1->grab().toImage();
    for (QRadioButton* o : {m.angle[0], m.angle[1], m.C[0], m.C[1]}) {
        EXPECT_LT(o->geometry().right(), o->parentWidget()->width() - 2) << o->text().toStdString();
        const QRect r(o->mapTo(m.Picture1, QPoint(0, 0)), o->size());
        int encre = 0;
        for (int y = r.top(); y <= r.bottom(); ++y)
            encre += qGray(i.pixel(r.right(), y)) < 160;
        EXPECT_EQ(encre, 0) << o->text().toStdString();
    }
}

TEST(Fenetre, MemoireGardeeEntreDeuxOuvertures)
{
    qm::memoire = 0;
    qm::fermercalculatrice(); // none open: nothing happens
    QString vu;
    QTimer::singleShot(0, [] {
        qm::Machine* m = qm::calculatriceouverte();
        ASSERT_NE(m, nullptr);
        cliquer(*m, "B7 Command1 EXE");
        qm::fermercalculatrice();
    });
    qm::ouvrircalculatrice(nullptr);
    EXPECT_EQ(qm::calculatriceouverte(), nullptr);
    EXPECT_DOUBLE_EQ(qm::memoire, 7);
    QTimer::singleShot(0, [&vu] {
        qm::Machine* m = qm::calculatriceouverte();
        ASSERT_NE(m, nullptr);
        // A new window: nothing typed, no answer to continue from.
        vu = m->z1->text() + QLatin1Char('|');
        cliquer(*m, "ANS Command3");
        vu += m->z1->text();
        qm::fermercalculatrice();
    });
    qm::ouvrircalculatrice(nullptr);
    EXPECT_EQ(vu, QStringLiteral("|7"));
    qm::memoire = 0;
}

TEST(Fenetre, Apercu)
{
    qm::Machine m;
    cliquer(m, "B2 Bcos B4 B5");
    const QImage i = m.grab().toImage();
    EXPECT_EQ(i.size(), QSize(301, 430));
    i.save(QStringLiteral("/tmp/machine.png"));
    // The gradient shows between the keys.
    EXPECT_EQ(i.pixelColor(5, 150), QColor(198, 248, 248));
}

} // namespace
