#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <memory>

#include "output/feuillef.h"
#include "workspace/dessin.h"
#include "workspace/editeur.h"
#include "workspace/espace.h"
#include "workspace/feuillep.h"
#include "workspace/tableau.h"

namespace {

using namespace qm;

const QString equation = QStringLiteral("2H#2+O#2=2H#2O");

QImage uni(int l, int h, QColor c)
{
    QImage i(l, h, QImage::Format_RGB32);
    i.fill(c);
    return i;
}

class Copie : public ::testing::Test {
protected:
    QTemporaryDir dossier;
    std::unique_ptr<FeuilleP> f;
    QMenu* montre = nullptr;
    bool tableauactif = false; // what "and the table" looked like when its menu was up

    void SetUp() override
    {
        ASSERT_TRUE(dossier.isValid());
        textecopie.clear();
        QGuiApplication::clipboard()->clear();
        f = std::make_unique<FeuilleP>(dossier.path());
        brancherdessins(*f);
    }
    Feuillef& ff() { return feuillef(*f); }
    // The next menu popped up answers with `nom` (none: dismissed).
    void choisir(const char* nom)
    {
        ff().montrer = [this, nom](QMenu& m, const QPoint&) -> QAction* {
            montre = &m;
            tableauactif = ff().eqbietab->isEnabled();
            return nom ? m.findChild<QAction*>(QString::fromUtf8(nom)) : nullptr;
        };
    }
    QToolButton* commande(const char* nom) { return f->commandes.at(QString::fromUtf8(nom)); }
    // A balanced equation with its table and two initial amounts.
    void tableau()
    {
        f->Text1->setText(equation);
        valideur_Click(*f);
        ASSERT_TRUE(f->outilequa->isHidden());
        f->etat.quant[1] = 2.0f;
        f->etat.quant[2] = 1.5f;
        majtab(*f);
    }
};

TEST_F(Copie, MenusOfTheHiddenWindow)
{
    Feuillef& w = ff();
    EXPECT_EQ(&w, &feuillef(*f)) << "made once, then kept";
    f->show();
    EXPECT_FALSE(w.isVisible());
    ASSERT_EQ(w.menu->actions().size(), 2);
    EXPECT_EQ(w.menu->objectName(), "menu");
    EXPECT_EQ(w.menu->actions()[0], w.ceqbi);
    EXPECT_EQ(w.ceqbi->text(), "Copier l'équation-bilan");
    EXPECT_EQ(w.eqbietab->text(), "Copier l'équation-bilan et le tableau");
    ASSERT_EQ(w.nouvel->actions().size(), 2);
    EXPECT_EQ(w.nouvel->objectName(), "nouvel");
    EXPECT_EQ(w.onlyyou->text(), "Effacer l'équation affichée");
    EXPECT_EQ(w.les10->text(), "Effacer la série dees 10 équations");
    EXPECT_EQ(w.les10->objectName(), "les10");
}

TEST_F(Copie, TableEntryGreyedWhileEditing)
{
    f->Text1->setText(equation);
    ASSERT_FALSE(f->outilequa->isHidden());
    choisir("eqbietab");
    commande("Command4")->click();
    EXPECT_EQ(montre, ff().menu);
    EXPECT_FALSE(tableauactif);
    EXPECT_TRUE(textecopie.isEmpty()) << "a greyed entry copies nothing";
    EXPECT_FALSE(commande("Command13")->isEnabled());

    tableau();
    choisir(nullptr);
    commande("Command4")->click();
    EXPECT_TRUE(tableauactif);
    EXPECT_TRUE(textecopie.isEmpty()) << "dismissing the menu copies nothing";
}

TEST_F(Copie, EquationOnlyEmptiesTheCopySlot)
{
    tableau();
    f->etat.eqquant[10].fill(9.0f);
    choisir("ceqbi");
    commande("Command4")->click();
    for (std::size_t j = 0; j <= 11; ++j)
        EXPECT_EQ(f->etat.eqquant[10][j], 0.0f) << j;
    EXPECT_EQ(textecopie, equation);
    EXPECT_EQ(f->info->text(), f->etat.messagecopie);
    EXPECT_FALSE(f->etat.messagecopie.isEmpty());
    EXPECT_TRUE(commande("Command13")->isEnabled());
    EXPECT_EQ(QGuiApplication::clipboard()->image(), f->Picture2->image);
}

TEST_F(Copie, EquationAndTableKeepTheAmounts)
{
    tableau();
    f->etat.quant[3] = 7.0f; // a product: the table's calculation sets it back to 0
    majtab(*f);
    choisir("eqbietab");
    commande("Command4")->click();
    for (std::size_t j = 1; j <= 11; ++j)
        EXPECT_EQ(f->etat.eqquant[10][j], f->etat.quant[j]) << j;
    EXPECT_EQ(f->etat.eqquant[10][1], 2.0f);
    EXPECT_EQ(f->etat.eqquant[10][2], 1.5f);
    EXPECT_EQ(f->etat.eqquant[10][3], 0.0f);
    EXPECT_EQ(textecopie, equation);
    EXPECT_TRUE(commande("Command13")->isEnabled());

    const QImage attendu = assembler(f->Picture2->image, f->Picture4->image, f->Picture3->image);
    EXPECT_EQ(ff().copieur, attendu);
    const QImage presse = QGuiApplication::clipboard()->image().convertToFormat(attendu.format());
    EXPECT_EQ(presse, attendu);
}

TEST_F(Copie, AssemblyAtTheWindowsSizes)
{
    QImage table = uni(689, 169, Qt::blue);
    for (int x = 0; x < table.width(); ++x)
        table.setPixelColor(x, 0, Qt::yellow);
    const QImage a = assembler(uni(689, 41, Qt::red), uni(89, 191, Qt::green), table);
    ASSERT_EQ(a.size(), QSize(777, 189));
    const auto couleur = [&a](int x, int y) { return a.pixelColor(x, y); };
    // The frame and the line after the captions.
    for (const QPoint p :
         {QPoint(0, 0), QPoint(776, 0), QPoint(0, 188), QPoint(776, 188), QPoint(400, 0), QPoint(400, 188),
          QPoint(0, 100), QPoint(776, 100), QPoint(88, 1), QPoint(88, 100), QPoint(88, 187)})
        EXPECT_EQ(couleur(p.x(), p.y()), QColor(Qt::black)) << p.x() << "," << p.y();
    EXPECT_EQ(couleur(87, 100), QColor(Qt::green));
    EXPECT_EQ(couleur(1, 1), QColor(Qt::green));
    EXPECT_EQ(couleur(89, 38), QColor(Qt::red));
    EXPECT_EQ(couleur(775, 1), QColor(Qt::red));
    // The table's first row lies over the header's last two.
    EXPECT_EQ(couleur(89, 39), QColor(Qt::yellow));
    EXPECT_EQ(couleur(775, 39), QColor(Qt::yellow));
    EXPECT_EQ(couleur(89, 40), QColor(Qt::blue));
    EXPECT_EQ(couleur(775, 187), QColor(Qt::blue));
}

TEST_F(Copie, AssemblyOfMissingPicturesIsEmpty)
{
    EXPECT_TRUE(assembler(QImage(), QImage(), QImage()).isNull());
    EXPECT_TRUE(assembler(uni(689, 41, Qt::red), uni(1, 2, Qt::green), QImage()).isNull());
}

TEST_F(Copie, PasteGivesBackTextAndAmountsAndTheTable)
{
    tableau();
    choisir("eqbietab");
    commande("Command4")->click();
    f->Text1->setText(QStringLiteral("N#2"));
    f->etat.quant.fill(0);
    f->outilequa->show();
    f->HScroll1->setValue(f->HScroll1->maximum());

    commande("Command13")->click();
    EXPECT_EQ(f->Text1->text(), equation);
    EXPECT_EQ(f->etat.quant[1], 2.0f);
    EXPECT_EQ(f->etat.quant[2], 1.5f);
    EXPECT_TRUE(f->outilequa->isHidden()) << "the table is built again";
    EXPECT_EQ(f->HScroll1->value(), 0);
}

TEST_F(Copie, PasteOfAnEquationWithoutArrowPutsTheFocusInTheBox)
{
    f->show();
    f->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(f.get()));
    f->Text1->setText(QStringLiteral("H#2O"));
    choisir("ceqbi");
    commande("Command4")->click();
    f->Text1->setText(QString());
    f->Timer1->start();
    commande("Command13")->setFocus();
    commande("Command13")->click();
    EXPECT_FALSE(f->Timer1->isActive());
    EXPECT_EQ(f->Text1->text(), "H#2O");
    EXPECT_TRUE(f->Text1->hasFocus());
}

TEST_F(Copie, EraseTheEquationOnDisplay)
{
    f->show();
    f->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(f.get()));
    choisirequation(*f, 3);
    tableau();
    f->etat.eqtexte[5] = "C+O#2=CO#2";
    choisir("eqbietab");
    commande("Command4")->click();
    commande("Command12")->setFocus();

    choisir("onlyyou");
    commande("Command12")->click();
    EXPECT_EQ(montre, ff().nouvel);
    EXPECT_TRUE(f->Text1->text().isEmpty());
    for (std::size_t j = 1; j <= 11; ++j)
        EXPECT_EQ(f->etat.quant[j], 0.0f) << j;
    EXPECT_EQ(f->Picture3->image,
              uni(689, 169, f->Picture3->fond).convertToFormat(f->Picture3->image.format()));
    EXPECT_EQ(f->etat.numcourant, 3);
    EXPECT_EQ(f->etat.eqtexte[5], "C+O#2=CO#2");
    EXPECT_EQ(f->etat.eqquant[10][1], 2.0f);
    EXPECT_EQ(textecopie, equation);
    EXPECT_TRUE(f->Text1->hasFocus());
}

// An amount being typed is committed before the top row acts, not after it:
// erasing leaves no amount and no table, pasting keeps what it pasted. And
// erasing takes the scale off the caption column.
TEST_F(Copie, AnAmountBeingTypedIsCommittedBeforeTheTopRowActs)
{
    const QImage legendesvides = f->Picture4->image;
    f->show();
    f->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(f.get()));
    tableau();
    choisir("eqbietab");
    commande("Command4")->click(); // the copy slot holds 2 and 1,5
    auto taperquantite = [this](const char* t) {
        QTest::mouseClick(f->Picture3, Qt::LeftButton, {}, QPoint(100, 10));
        ASSERT_TRUE(f->Text2->isVisible());
        QTest::keyClicks(f->Text2, QString::fromLatin1(t));
    };

    taperquantite("7");
    QTest::mouseClick(commande("Command13"), Qt::LeftButton);
    EXPECT_TRUE(f->Text2->isHidden());
    EXPECT_EQ(f->etat.quant[1], 2.0f);

    taperquantite("3");
    choisir("onlyyou");
    QTest::mouseClick(commande("Command12"), Qt::LeftButton);
    EXPECT_TRUE(f->Text1->text().isEmpty());
    for (std::size_t j = 1; j <= 11; ++j)
        EXPECT_EQ(f->etat.quant[j], 0.0f) << j;
    EXPECT_EQ(f->Picture3->image,
              uni(689, 169, f->Picture3->fond).convertToFormat(f->Picture3->image.format()));
    EXPECT_EQ(f->Picture4->image, legendesvides);
}

TEST_F(Copie, EraseTheSeriesKeepsTheCopiedTextOnly)
{
    tableau();
    choisir("eqbietab");
    commande("Command4")->click();
    f->etat.eqtexte[0] = "A=B";
    f->etat.eqtexte[9] = "C=D";
    f->etat.eqquant[9][11] = 4.0f;
    f->etat.numcourant = 6;

    choisir("les10");
    commande("Command12")->click();
    for (const auto& t : f->etat.eqtexte)
        EXPECT_TRUE(t.empty());
    for (const auto& ligne : f->etat.eqquant)
        for (float q : ligne)
            EXPECT_EQ(q, 0.0f);
    for (float q : f->etat.quant)
        EXPECT_EQ(q, 0.0f);
    EXPECT_TRUE(f->Text1->text().isEmpty());
    EXPECT_EQ(f->etat.numcourant, 6);
    EXPECT_EQ(textecopie, equation);

    // Pasting now gives the equation back without its amounts.
    commande("Command13")->click();
    EXPECT_EQ(f->Text1->text(), equation);
    EXPECT_EQ(f->etat.quant[1], 0.0f);
}

TEST_F(Copie, DismissedEraseMenuErasesNothing)
{
    f->Text1->setText(equation);
    choisir(nullptr);
    commande("Command12")->click();
    EXPECT_EQ(montre, ff().nouvel);
    EXPECT_EQ(f->Text1->text(), equation);
}

TEST_F(Copie, EraseStopsTheAnimation)
{
    tableau();
    f->Timer1->start();
    choisir("onlyyou");
    commande("Command12")->click();
    EXPECT_FALSE(f->Timer1->isActive()) << "its next step would draw the erased table again";
}

} // namespace
