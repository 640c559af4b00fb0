#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

#include "impression.h"
#include "workspace/dessin.h"
#include "workspace/espace.h"
#include "workspace/feuillep.h"
#include "workspace/quantite.h"

namespace {

using namespace qm;

// Drives the next modal window, once it is open and holds the keyboard, from
// inside its own loop.
void conduire(std::function<void(QDialog&)> conduite, int essais = 100)
{
    QTimer::singleShot(10, [conduite, essais] {
        if (auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            if (QTest::qWaitForWindowActive(d))
                conduite(*d);
            else
                d->reject();
            if (!d->isHidden()) {
                ADD_FAILURE() << "la fenêtre est restée ouverte";
                d->reject();
            }
        } else if (essais > 0)
            conduire(conduite, essais - 1);
    });
}

QString texte(QDialog& d, const char* nom)
{
    return d.findChild<QLabel*>(QLatin1String(nom))->text();
}

class Quantite : public ::testing::Test {
protected:
    QTemporaryDir dossier;
    std::unique_ptr<FeuilleP> f;

    void SetUp() override
    {
        f = std::make_unique<FeuilleP>(dossier.path());
        f->show();
        QApplication::setActiveWindow(f.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(f.get()));
    }
    void tableau(const char* equation)
    {
        f->Text1->setText(QString::fromUtf8(equation));
        valideur_Click(*f);
        ASSERT_TRUE(f->Picture3->isEnabled());
    }
    // A click in the top band of a reactant column.
    void cliquer(int colonne)
    {
        const int l = f->etat.largeurcolonne;
        QTest::mouseClick(f->Picture3, Qt::LeftButton, {}, QPoint((colonne - 1) * l + l / 2, 10));
    }
};

TEST_F(Quantite, MasseSaisieCommeLaBoiteDEntree)
{
    tableau("2Mg+O#2=2MgO");
    EXPECT_EQ(f->saisiemasse->text(), "Saisir une masse ou un volume");
    EXPECT_EQ(f->saisiemasse->y(), 156);
    f->saisiemasse->setChecked(true);
    QString titre, conversion;
    conduire([&](QDialog& d) {
        titre = d.windowTitle();
        EXPECT_EQ(d.objectName(), "FeuilleQ");
        // The mass is asked first: the keyboard is in its field.
        EXPECT_EQ(d.focusWidget()->objectName(), "m");
        QTest::keyClicks(d.focusWidget(), QStringLiteral("2.40"));
        conversion = texte(d, "conversion");
        QTest::keyClick(d.focusWidget(), Qt::Key_Return);
    });
    cliquer(1);
    EXPECT_EQ(titre, "Quantité initiale de Mg");
    EXPECT_EQ(conversion, "n = m / M = 2,40 / 24,3 = 0,0988 mol");
    EXPECT_FALSE(f->Text2->isVisible());
    EXPECT_FLOAT_EQ(f->etat.quant[1], static_cast<float>(2.4 / 24.3));
    EXPECT_EQ(f->etat.tableaudemande, 0);
    const QImage parlafenetre = f->Picture3->image.copy();

    // The same amount typed in the entry box draws the same table.
    f->etat.quant[1] = 0;
    f->saisiemasse->setChecked(false);
    cliquer(1);
    ASSERT_TRUE(f->Text2->isVisible());
    QTest::keyClicks(f->Text2, QStringLiteral("0,098765432"));
    QTest::keyClick(f->Text2, Qt::Key_Return);
    EXPECT_FLOAT_EQ(f->etat.quant[1], static_cast<float>(2.4 / 24.3));
    EXPECT_EQ(f->Picture3->image, parlafenetre);
}

TEST_F(Quantite, SolutionAuClavierPuisEchap)
{
    tableau("Zn+2HCl=ZnCl#2+H#2");
    f->saisiemasse->setChecked(true);
    f->etat.quant[2] = 0.5f;
    QString titre, conversion, choix;
    bool ok = false;
    conduire([&](QDialog& d) {
        titre = d.windowTitle();
        // Tab goes from the mass to the concentration, which picks the solution.
        QTest::keyClick(d.focusWidget(), Qt::Key_Tab);
        QTest::keyClicks(d.focusWidget(), QStringLiteral("1,0"));
        QTest::keyClick(d.focusWidget(), Qt::Key_Tab);
        QTest::keyClicks(d.focusWidget(), QStringLiteral("50"));
        for (auto* b : d.findChildren<QRadioButton*>())
            if (b->isChecked())
                choix = b->objectName();
        conversion = texte(d, "conversion");
        ok = d.findChild<QWidget*>(QStringLiteral("OK"))->isEnabled();
        QTest::keyClick(d.focusWidget(), Qt::Key_Escape);
    });
    cliquer(2);
    EXPECT_EQ(titre, "Quantité initiale de HCl");
    EXPECT_EQ(choix, "choixsolution");
    EXPECT_EQ(conversion, "n = C × V = 1,0 × 0,050 = 0,050 mol");
    EXPECT_TRUE(ok);
    EXPECT_EQ(f->etat.quant[2], 0.5f);
    EXPECT_FALSE(f->Text2->isVisible());
}

} // namespace
