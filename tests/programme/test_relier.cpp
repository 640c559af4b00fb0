#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QFrame>
#include <QIcon>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "app/boite.h"
#include "programme/relier.h"
#include "workspace/dessin.h"
#include "workspace/editeur.h"
#include "workspace/espace.h"

namespace {

using namespace qm;

// The main window joined to the other windows as the program joins them.
class Relier : public ::testing::Test {
protected:
    QTemporaryDir dossier;
    std::unique_ptr<FeuilleP> f;
    void SetUp() override
    {
        f = std::make_unique<FeuilleP>(dossier.path());
        relierfenetres(*f);
    }
    void TearDown() override
    {
        observerfenetres({});
        installerrepondeur({});
    }
};

TEST_F(Relier, LaVerificationOuvreSesFenetres)
{
    std::vector<QString> ouvertes;
    observerfenetres([&](QDialog& d) { ouvertes.push_back(d.objectName()); });
    f->Text1->setText(QStringLiteral("H#2+O#2=H#2O"));
    Command14_Click(*f);
    f->Text1->setText(QStringLiteral("2H#2+O#2=2H#2O"));
    Command14_Click(*f);
    EXPECT_EQ(ouvertes, (std::vector<QString>{"aidequa", "bravo"}));
}

TEST_F(Relier, LaCalculatriceSOuvreEtSeFermeAvecLeProgramme)
{
    bool vue = false;
    QTimer::singleShot(0, [&] {
        vue = calculatriceouverte() != nullptr;
        // Closing the program closes the calculator with it.
        installerrepondeur([](const questionboite&) { return reponse::ok; });
        f->close();
    });
    QTest::mouseClick(f->commandes.at(QStringLiteral("Command8")), Qt::LeftButton);
    EXPECT_TRUE(vue);
    EXPECT_EQ(calculatriceouverte(), nullptr);
}

TEST_F(Relier, LAideSOuvreSurSonSommaire)
{
    QFile fichier(dossier.filePath(QStringLiteral("TIXU.hlp")));
    ASSERT_TRUE(fichier.open(QIODevice::WriteOnly));
    fichier.write("<html><body><h1 id=\"sommaire\">Sommaire</h1></body></html>");
    fichier.close();
    QString vue;
    QTimer::singleShot(0, [&] {
        if (QWidget* w = QApplication::activeModalWidget()) {
            vue = w->objectName();
            w->close();
        }
    });
    QTest::mouseClick(f->commandes.at(QStringLiteral("Command7")), Qt::LeftButton);
    EXPECT_EQ(vue, QString("aide"));
}

// Every window carries the program's icon, drawn from the desktop icon.
TEST(Icone, LesFenetresPortentLIconeDuProgramme)
{
    const QIcon icone = QApplication::windowIcon();
    ASSERT_FALSE(icone.isNull());
    const QImage grande = icone.pixmap(QSize(256, 256)).toImage();
    ASSERT_EQ(grande.size(), QSize(256, 256));
    // The dark-red frame at the edge's middle, the cream inside.
    EXPECT_GT(grande.pixelColor(10, 128).red(), 100);
    EXPECT_LT(grande.pixelColor(10, 128).green(), 40);
    EXPECT_EQ(grande.pixelColor(30, 40), QColor(0xff, 0xf4, 0xd0));
}

} // namespace
namespace {

// The table built by a click on "Tableau d'avancement", then an amount typed
// with Enter: the cursor and the animation buttons stay alive, the equation
// tools stay off the table (the equation box must not take the keyboard).
TEST_F(Relier, LeTableauGardeSonCurseurApresLaValidationEtLaSaisie)
{
    f->show();
    QApplication::setActiveWindow(f.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(f.get()));
    QTest::mouseClick(f->Picture2, Qt::LeftButton, {}, QPoint(300, 20));
    QTest::keyClicks(f->Text1, QStringLiteral("cu"));
    QTest::keyClick(f->Text1, Qt::Key_Up);
    QTest::keyClicks(f->Text1, QStringLiteral("2++2HO-=Cu(OH)2"));
    ASSERT_EQ(f->Text1->text(), QStringLiteral("Cu*2*++2HO*-=Cu(OH)#2"));
    QTest::mouseClick(f->valideur, Qt::LeftButton);
    EXPECT_TRUE(f->HScroll1->isEnabled());
    EXPECT_TRUE(f->outilequa->isHidden());
    EXPECT_NE(QApplication::focusWidget(), f->Text1);

    QTest::mouseClick(f->Picture3, Qt::LeftButton, {}, QPoint(115, 12));
    ASSERT_TRUE(f->Text2->hasFocus());
    QTest::keyClicks(f->Text2, QStringLiteral("0,03"));
    QTest::keyClick(f->Text2, Qt::Key_Return);
    EXPECT_FLOAT_EQ(f->etat.quant[1], 0.03f);
    EXPECT_TRUE(f->HScroll1->isEnabled());
    EXPECT_TRUE(f->outilequa->isHidden());
    QTest::mouseClick(f->Image5[1], Qt::LeftButton); // "Etat final"
    EXPECT_EQ(f->HScroll1->value(), 10000);
}

} // namespace
