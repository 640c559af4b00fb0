#include <gtest/gtest.h>

#include <cmath>

#include <QCheckBox>
#include <QFrame>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

#include "app/boite.h"
#include "impression.h"
#include "workspace/dessin.h"
#include "workspace/editeur.h"
#include "workspace/espace.h"
#include "workspace/feuillep.h"

namespace {

using namespace qm;

class Editeur : public ::testing::Test {
protected:
    QTemporaryDir dossier;
    std::unique_ptr<FeuilleP> f;
    std::vector<questionboite> questions;
    QString derriere; // the equation box's text while the first message was up
    std::vector<std::vector<lignegrille>> grilles;
    int bravos = 0;

    void SetUp() override
    {
        installerrepondeur([this](const questionboite& q) {
            if (questions.empty() && f)
                derriere = f->Text1->text();
            questions.push_back(q);
            return reponse::ok;
        });
        f = std::make_unique<FeuilleP>(dossier.path());
        f->fenetreaidequa = [this](const std::vector<lignegrille>& g) { grilles.push_back(g); };
        f->fenetrebravo = [this] { ++bravos; };
        f->show();
        f->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(f.get()));
        f->Text1->setFocus();
    }
    void TearDown() override { installerrepondeur({}); }

    void taper(const QString& touches)
    {
        for (QChar c : touches)
            QTest::keyClick(f->Text1, c.toLatin1());
    }
    void touche(Qt::Key k) { QTest::keyClick(f->Text1, k); }
    QString texte() const { return f->Text1->text(); }
    int pixels(const QColor& couleur) const
    {
        int n = 0;
        const QImage& im = f->Picture2->image;
        for (int y = 0; y < im.height(); ++y)
            for (int x = 0; x < im.width(); ++x)
                n += im.pixelColor(x, y) == couleur;
        return n;
    }
};

TEST_F(Editeur, IndicesParLesChiffres)
{
    taper("H2O");
    EXPECT_EQ(texte(), "H#2O");
    EXPECT_FALSE(f->opti->isChecked());
    EXPECT_GT(pixels(QColor(0, 0, 128)), 20);
    EXPECT_FALSE(f->valideur->isEnabled());
}

TEST_F(Editeur, CoefficientEnRouge)
{
    ASSERT_TRUE(f->COLORSTO->isChecked());
    taper("2H");
    EXPECT_EQ(texte(), "2H");
    EXPECT_GT(pixels(QColor(255, 0, 0)), 5);
    f->COLORSTO->setChecked(false);
    Text1_Change(*f);
    EXPECT_EQ(pixels(QColor(255, 0, 0)), 0);
}

TEST_F(Editeur, ChargeEmpileeSurLIndice)
{
    taper("SO4");
    touche(Qt::Key_Up);
    touche(Qt::Key_Up);
    EXPECT_TRUE(f->opte->isChecked());
    taper("2-");
    EXPECT_EQ(texte(), "SO#4*2*-");
    EXPECT_FALSE(f->opti->isChecked());
    EXPECT_FALSE(f->opte->isChecked());
}

TEST_F(Editeur, HautEtBasFontLeTour)
{
    touche(Qt::Key_Down);
    EXPECT_TRUE(f->opti->isChecked());
    touche(Qt::Key_Up);
    EXPECT_FALSE(f->opti->isChecked());
    EXPECT_FALSE(f->opte->isChecked());
    touche(Qt::Key_Up);
    EXPECT_TRUE(f->opte->isChecked());
    touche(Qt::Key_Down);
    EXPECT_FALSE(f->opte->isChecked());
}

TEST_F(Editeur, RetourArriereEtSuppression)
{
    taper("H2");
    EXPECT_EQ(texte(), "H#2");
    touche(Qt::Key_Backspace);
    EXPECT_EQ(texte(), "H");
    taper("2O");
    EXPECT_EQ(texte(), "H#2O");
    // Left passes over a marked character as over one.
    touche(Qt::Key_Left);
    EXPECT_EQ(f->Text1->cursorPosition(), 3);
    touche(Qt::Key_Left);
    EXPECT_EQ(f->Text1->cursorPosition(), 1);
    touche(Qt::Key_Right);
    EXPECT_EQ(f->Text1->cursorPosition(), 3);
    touche(Qt::Key_Left);
    touche(Qt::Key_Delete);
    EXPECT_EQ(texte(), "HO");
    touche(Qt::Key_Home);
    touche(Qt::Key_Backspace);
    EXPECT_EQ(texte(), "HO");
}

TEST_F(Editeur, Majuscules)
{
    taper("Cl");
    EXPECT_EQ(texte(), "Cl");
    f->Text1->clear();
    taper("nacl");
    EXPECT_EQ(texte(), "NaCl");
    f->Text1->clear();
    taper("h2 &o");
    EXPECT_EQ(texte(), "H#2O");
}

TEST_F(Editeur, UnSeulEgal)
{
    taper("H=H");
    EXPECT_EQ(texte(), "H=H");
    EXPECT_FALSE(f->fleche->isEnabled());
    EXPECT_TRUE(f->valideur->isEnabled());
    taper("=");
    EXPECT_EQ(texte(), "H=H");
    QTest::mouseClick(f->fleche, Qt::LeftButton);
    EXPECT_EQ(texte(), "H=H");
    touche(Qt::Key_Home);
    touche(Qt::Key_Right);
    touche(Qt::Key_Delete);
    EXPECT_EQ(texte(), "HH");
    EXPECT_TRUE(f->fleche->isEnabled());
    QTest::mouseClick(f->fleche, Qt::LeftButton);
    EXPECT_EQ(texte(), "H=H");
}

TEST_F(Editeur, PasAssezDePlace)
{
    for (int i = 0; i < 80 && questions.empty(); ++i)
        taper("H");
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_EQ(derriere, texte() + "H");
    EXPECT_EQ(questions[0].texte, "Il n'y a pas assez de place pour cette expression");
    EXPECT_EQ(questions[0].titre, "Dépassement de capacité");
    const QString apres = texte();
    EXPECT_LT(apres.size(), 80);
    taper("H");
    EXPECT_EQ(texte(), apres);
    // A subscript at the limit: one message, its marker gone with it.
    questions.clear();
    taper("2");
    EXPECT_EQ(questions.size(), 1u);
    EXPECT_EQ(texte(), apres);
}

TEST_F(Editeur, EntreeConstruitLeTableau)
{
    taper("2H2+O2=2H2O");
    EXPECT_EQ(texte(), "2H#2+O#2=2H#2O");
    ASSERT_TRUE(f->valideur->isEnabled());
    touche(Qt::Key_Return);
    EXPECT_TRUE(f->Picture3->isEnabled());
    EXPECT_FALSE(f->outilequa->isVisible());
    EXPECT_EQ(f->etat.possep[0], 1);
    EXPECT_EQ(f->etat.possep[1], 5);
    EXPECT_EQ(f->etat.possep[2], 9);
    EXPECT_EQ(f->etat.sepegal, 2);
    EXPECT_EQ(f->etat.nbcolonnes, 3);
    EXPECT_EQ(f->etat.premierproduit, 3);
    EXPECT_EQ(f->etat.largeurcolonne, 230);
    EXPECT_EQ(f->etat.modeaffichage, 100);
    EXPECT_EQ(f->etat.coef[1], 2);
    EXPECT_EQ(f->etat.coef[3], 2);
    EXPECT_EQ(texte(), "2H#2+O#2=2H#2O");
}

TEST_F(Editeur, EntreeSansEgalNeFaitRien)
{
    taper("H2");
    touche(Qt::Key_Return);
    EXPECT_TRUE(f->outilequa->isVisible());
    EXPECT_TRUE(grilles.empty());
    EXPECT_TRUE(questions.empty());
}

TEST_F(Editeur, VerificationDesequilibree)
{
    f->Text1->setText(QStringLiteral("H#2+O#2=H#2O"));
    QTest::mouseClick(f->Command14, Qt::LeftButton);
    ASSERT_EQ(grilles.size(), 1u);
    const std::vector<lignegrille> attendu{{"H", "2", "2"}, {"O", "2", "1"}, {"Charge", "0", "0"}};
    EXPECT_EQ(grilles[0], attendu);
    EXPECT_FALSE(f->Picture3->isEnabled());
    EXPECT_FALSE(f->HScroll1->isEnabled());
    EXPECT_EQ(bravos, 0);
    // The table button checks the same way and leaves the tools on screen.
    QTest::mouseClick(f->valideur, Qt::LeftButton);
    EXPECT_EQ(grilles.size(), 2u);
    EXPECT_TRUE(f->outilequa->isVisible());
}

TEST_F(Editeur, OptionsSansTableau)
{
    // An equation that does not balance gets no table from the display options.
    f->Text1->setText(QStringLiteral("Cu#2*2*++2HO*-=Cu(OH)#2"));
    valideur_Click(*f);
    ASSERT_EQ(grilles.size(), 1u);
    f->conso->setChecked(true);
    f->final->setChecked(false);
    EXPECT_FALSE(f->Picture3->isEnabled());
    EXPECT_TRUE(f->outilequa->isVisible());
    EXPECT_NE(f->etat.modeaffichage, 100);
}

TEST_F(Editeur, VerificationEquilibree)
{
    f->Text1->setText(QStringLiteral("Cu+2Ag*+=Cu*2*++2Ag"));
    bool tableauutilisable = false; // behind the congratulation already
    f->fenetrebravo = [&] {
        ++bravos;
        tableauutilisable = f->HScroll1->isEnabled() && f->Picture3->isEnabled();
    };
    QTest::mouseClick(f->Command14, Qt::LeftButton);
    EXPECT_EQ(bravos, 1);
    EXPECT_TRUE(tableauutilisable);
    EXPECT_TRUE(grilles.empty());
    EXPECT_TRUE(f->Picture3->isEnabled());
    EXPECT_TRUE(f->HScroll1->isEnabled());
    // The table button does not congratulate.
    QTest::mouseClick(f->valideur, Qt::LeftButton);
    EXPECT_EQ(bravos, 1);
}

TEST_F(Editeur, TexteComposeRefuse)
{
    // An input method's text goes through the key filter like typed keys.
    taper(QStringLiteral("H"));
    for (const char* s : {"ê", "e"}) {
        QInputMethodEvent compose;
        compose.setCommitString(QString::fromUtf8(s));
        QCoreApplication::sendEvent(f->Text1, &compose);
    }
    EXPECT_EQ(texte(), QStringLiteral("He"));
}

TEST_F(Editeur, GrilleSansTableauQuandLeCurseurEtaitAvance)
{
    f->Text1->setText(QStringLiteral("2H#2+O#2=2H#2O"));
    valideur_Click(*f);
    f->HScroll1->setValue(5000);
    f->Text1->setFocus(); // back to the equation: the tools come over the table
    f->Text1->setText(QStringLiteral("2H#2+O#2=H#2O"));
    bool outils = false;
    f->fenetreaidequa = [&](const std::vector<lignegrille>&) { outils = f->outilequa->isVisible(); };
    valideur_Click(*f);
    EXPECT_TRUE(outils); // the equation tools, not a table laid out for it, behind the grid
    EXPECT_EQ(f->HScroll1->value(), 0);
    EXPECT_FALSE(f->Picture3->isEnabled());
}

TEST_F(Editeur, OnzeEspecesCoupeesApresLeMessage)
{
    const QString onze = QStringLiteral("A+B+C+D+E+F+G+H+I+J+K=L");
    f->Text1->setText(onze);
    QTest::mouseClick(f->Command14, Qt::LeftButton);
    ASSERT_FALSE(questions.empty());
    EXPECT_EQ(questions[0].texte,
              "Il ne peut y avoir plus de 10 colonnes dans le tableau ( réactifs + produits ).");
    EXPECT_EQ(derriere, onze);
    EXPECT_EQ(texte(), QStringLiteral("A+B+C+D+E+F+G+H+I+J"));
}

TEST_F(Editeur, MessagesDeVerification)
{
    QTest::mouseClick(f->Command14, Qt::LeftButton);
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_EQ(questions[0].texte, "Il faut saisir une équation chimique");
    EXPECT_EQ(questions[0].titre, "Vérification impossible");
    f->Text1->setText(QStringLiteral("Xy#2=Xy#2"));
    QTest::mouseClick(f->Command14, Qt::LeftButton);
    ASSERT_EQ(questions.size(), 2u);
    EXPECT_EQ(questions[1].titre, "Elément inconnu");
    // Eleven species are cut to ten, with the message.
    f->Text1->setText(QStringLiteral("H+H+H+H+H=H+H+H+H+H+H"));
    QTest::mouseClick(f->Command14, Qt::LeftButton);
    ASSERT_GE(questions.size(), 3u);
    EXPECT_EQ(questions[2].titre, "Expression non valide");
    EXPECT_EQ(texte(), "H+H+H+H+H=H+H+H+H+H");
}

TEST_F(Editeur, DixEquations)
{
    f->Text1->setText(QStringLiteral("H#2+Cl#2=2HCl"));
    f->etat.quant[1] = 1.5f;
    f->etat.quant[2] = 2;
    choisirequation(*f, 3);
    EXPECT_EQ(f->etat.numcourant, 3);
    EXPECT_EQ(texte(), "");
    EXPECT_FALSE(f->valideur->isEnabled());
    EXPECT_TRUE(f->Text1->hasFocus());
    EXPECT_FLOAT_EQ(f->etat.quant[1], 0);
    choisirequation(*f, 0);
    EXPECT_EQ(texte(), "H#2+Cl#2=2HCl");
    EXPECT_FLOAT_EQ(f->etat.quant[1], 1.5f);
    EXPECT_FLOAT_EQ(f->etat.quant[2], 2);
    // A balanced equation is checked at once and its table drawn, cursor at 0.
    EXPECT_TRUE(f->Picture3->isEnabled());
    EXPECT_FALSE(f->outilequa->isVisible());
    EXPECT_EQ(f->HScroll1->value(), 0);
    EXPECT_EQ(f->etat.eqtexte[3], "");
    // Clicking the button of the equation on display stores and checks it again.
    QTest::mouseClick(f->numeq[0], Qt::LeftButton);
    EXPECT_EQ(f->etat.eqtexte[0], "H#2+Cl#2=2HCl");
    EXPECT_TRUE(f->numeq[0]->isChecked());
}

TEST_F(Editeur, ClicDansLEquation)
{
    f->Text1->setText(QStringLiteral("H#2O"));
    // Far right: the caret goes to the end; far left: before the first character.
    QTest::mouseClick(f->Picture2, Qt::LeftButton, {}, QPoint(600, 20));
    EXPECT_EQ(f->Text1->cursorPosition(), 4);
    QTest::mouseClick(f->Picture2, Qt::LeftButton, {}, QPoint(22, 20));
    EXPECT_EQ(f->Text1->cursorPosition(), 0);
    // Just after the subscript: never between the marker and its digit.
    for (int x = 20; x < 60; ++x) {
        QTest::mouseClick(f->Picture2, Qt::LeftButton, {}, QPoint(x, 20));
        EXPECT_NE(f->Text1->cursorPosition(), 2) << x;
    }
}

TEST_F(Editeur, DispositionEnColonnes)
{
    f->Text1->setText(QStringLiteral("CH#4+2O#2=CO#2+2H#2O"));
    valideur_Click(*f);
    ASSERT_TRUE(f->Picture3->isEnabled());
    EXPECT_EQ(f->etat.nbcolonnes, 4);
    EXPECT_EQ(f->etat.largeurcolonne, 172);
    // Each species is centred in its column: its offset is positive and less than a column.
    for (int k = 1; k <= 4; ++k) {
        EXPECT_GT(f->etat.decalage[static_cast<std::size_t>(k)], 0) << k;
        EXPECT_LT(f->etat.decalage[static_cast<std::size_t>(k)], 172) << k;
    }
    // Something is drawn in every column of the header.
    const QImage& im = f->Picture2->image;
    for (int k = 0; k < 4; ++k) {
        bool encre = false;
        for (int x = k * 172 + 5; x < (k + 1) * 172 - 5 && !encre; ++x)
            for (int y = 0; y < im.height() && !encre; ++y)
                encre = im.pixelColor(x, y) == QColor(0, 0, 128);
        EXPECT_TRUE(encre) << k;
    }
}

// Columns of the header where something is drawn, grouped into runs that are
// more than three pixels apart: [first, last] of each.
std::vector<std::pair<int, int>> encres(const QImage& im)
{
    std::vector<std::pair<int, int>> runs;
    const QColor fond = im.pixelColor(im.width() - 2, 2);
    for (int x = 2; x < im.width() - 2; ++x) {
        bool encre = false;
        for (int y = 2; y < im.height() - 2 && !encre; ++y)
            encre = im.pixelColor(x, y) != fond;
        if (!encre)
            continue;
        if (!runs.empty() && x - runs.back().second <= 4)
            runs.back().second = x;
        else
            runs.emplace_back(x, x);
    }
    return runs;
}

TEST_F(Editeur, EspecesCentreesDansLeurColonne)
{
    f->COLORSTO->setChecked(false);
    for (const char* equation : {"2H#2+O#2=2H#2O", "CH#4+2O#2=CO#2+2H#2O", "Cu*2*++2HO*-=Cu(OH)#2"}) {
        SCOPED_TRACE(equation);
        f->Text1->setText(QString::fromLatin1(equation));
        valideur_Click(*f);
        ASSERT_EQ(f->etat.modeaffichage, 100);
        const int l = f->etat.largeurcolonne;
        const int n = f->etat.nbcolonnes;
        // What is centred on a boundary is a separator; the rest of each
        // column is its species, centred in it.
        std::vector<std::pair<int, int>> especes(static_cast<std::size_t>(n), {10000, -1});
        for (const auto& [debut, fin] : encres(f->Picture2->image)) {
            const double milieu = (debut + fin) / 2.0;
            const int k = static_cast<int>(milieu / l);
            if (std::abs(milieu - std::lround(milieu / l) * l) <= 2)
                continue;
            auto& e = especes[static_cast<std::size_t>(k)];
            e = {std::min(e.first, debut), std::max(e.second, fin)};
        }
        for (int k = 0; k < n; ++k) {
            const auto& e = especes[static_cast<std::size_t>(k)];
            EXPECT_NEAR((e.first + e.second) / 2.0, k * l + l / 2.0, 1.5) << "espèce " << k + 1;
        }
    }
}

TEST_F(Editeur, ChargeNegativeEnVraiMoins)
{
    // The charge of HO⁻ reaches as far past the O as the plus of HO⁺ does:
    // a minus of the plus's width, not a short hyphen.
    f->COLORSTO->setChecked(false);
    auto fin = [this](const char* t) {
        f->Text1->setText(QString::fromLatin1(t));
        const auto runs = encres(f->Picture2->image);
        return runs.empty() ? 0 : runs.back().second;
    };
    const int o = fin("HO");
    const int plus = fin("HO*+") - o;
    const int moins = fin("HO*-") - o;
    EXPECT_EQ(texte(), "HO*-");
    EXPECT_GT(plus, 3);
    EXPECT_GE(moins, plus);
}

} // namespace
