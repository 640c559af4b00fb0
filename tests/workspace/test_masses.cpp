#include <gtest/gtest.h>

#include <QFontInfo>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include "app/initialisation.h"
#include "workspace/masses.h"

namespace {

using qm::ajoutermasse;
using qm::lignemasse;
using qm::liretotal;
using qm::textetotal;

const std::string hydrogene = "  hydrogene (H)          1,0";

TEST(Masses, LigneDeLHydrogene)
{
    EXPECT_EQ(lignemasse(qm::elementsstandard(), 1), hydrogene);
    EXPECT_EQ(lignemasse(qm::elementsstandard(), 0), "");
    EXPECT_EQ(lignemasse(qm::elementsstandard(), 104), "");
}

TEST(Masses, LignesDeVingtHuitCaracteresAlignees)
{
    const auto& t = qm::elementsstandard();
    for (int n = 1; n <= 103; ++n) {
        const std::string l = lignemasse(t, n);
        ASSERT_EQ(l.size(), 28u) << n << " [" << l << "]";
        const std::string debut = "  " + t.nom[n] + " (" + t.symbole[n] + ") ";
        EXPECT_EQ(l.substr(0, debut.size()), debut) << n;
        // Every mass ends in one column: the comma two places from the end.
        EXPECT_EQ(l[26], ',') << n;
        EXPECT_NE(l[25], ' ') << n;
        const auto m = liretotal(l.substr(l.size() - 5));
        ASSERT_TRUE(m) << n;
        EXPECT_NEAR(*m, t.masse[n], 1e-4) << n;
    }
    EXPECT_EQ(lignemasse(t, 91), "  protactinium (Pa)    231,0");
    EXPECT_EQ(lignemasse(t, 17), "  chlore (Cl)           35,5");
}

TEST(Masses, TexteDuTotal)
{
    EXPECT_EQ(textetotal(0), "0,0");
    EXPECT_EQ(textetotal(2), "2,0");
    EXPECT_EQ(textetotal(0.5f), "0,5");
    EXPECT_EQ(textetotal(999.9f), "999,9");
    EXPECT_EQ(textetotal(1000), "1 000,0");
    EXPECT_EQ(textetotal(12345.6f), "12 345,6");
    EXPECT_EQ(textetotal(123456.7f), "123 456,7");
    EXPECT_EQ(textetotal(1234567), "1 234 567,0");
    // A single holds seven digits: the decimal of a seven-digit total is 0.
    EXPECT_EQ(textetotal(1234567.75f), "1 234 568,0");
    EXPECT_EQ(textetotal(-12345.6f), "-12 345,6");
}

TEST(Masses, LectureDuTotal)
{
    EXPECT_EQ(liretotal("0,0"), 0.0f);
    EXPECT_EQ(liretotal("12 345,6"), 12345.6f);
    EXPECT_EQ(liretotal("  1,0"), 1.0f);
    EXPECT_EQ(liretotal("1 234 568,0"), 1234568.0f);
    EXPECT_EQ(liretotal(",5"), 0.5f);
    EXPECT_EQ(liretotal("7"), 7.0f);
    EXPECT_EQ(liretotal(""), std::nullopt);
    EXPECT_EQ(liretotal("   "), std::nullopt);
    EXPECT_EQ(liretotal(","), std::nullopt);
    EXPECT_EQ(liretotal("abc"), std::nullopt);
    EXPECT_EQ(liretotal("1,2,3"), std::nullopt);
    EXPECT_EQ(liretotal("1.5"), std::nullopt); // a point is not the pupil's separator
    EXPECT_EQ(liretotal("1e5"), std::nullopt);
    EXPECT_EQ(liretotal("3-"), std::nullopt);
    EXPECT_EQ(liretotal("1" + std::string(50, '0') + ",0"), std::nullopt); // beyond a float
}

TEST(Masses, Addition)
{
    const auto& t = qm::elementsstandard();
    EXPECT_EQ(ajoutermasse("0,0", hydrogene), "1,0");
    EXPECT_EQ(ajoutermasse(ajoutermasse("0,0", hydrogene), hydrogene), "2,0");
    // H2SO4: 2 + 32,1 + 4 x 16.
    std::string total = "0,0";
    for (int n : {1, 1, 16, 8, 8, 8, 8})
        total = ajoutermasse(total, lignemasse(t, n));
    EXPECT_EQ(total, "98,1");
    // A grouped total reads back: the additions go on past 1 000.
    EXPECT_EQ(ajoutermasse("999,5", lignemasse(t, 1)), "1 000,5");
    EXPECT_EQ(ajoutermasse("12 345,6", hydrogene), "12 346,6");
    EXPECT_EQ(ajoutermasse("12 345,6", lignemasse(t, 103)), "12 602,6");
}

TEST(Masses, AdditionSansEffet)
{
    EXPECT_EQ(ajoutermasse("3,5", ""), "3,5"); // no line selected
    EXPECT_EQ(ajoutermasse("n'importe", hydrogene), "n'importe");
    EXPECT_EQ(ajoutermasse("", hydrogene), "");
    EXPECT_EQ(ajoutermasse("4,0", "  sans masse"), "4,0");
    const std::string enorme = "340 000 000 000 000 000 000 000 000 000 000 000 000,0";
    EXPECT_EQ(ajoutermasse(enorme, hydrogene), enorme); // no float holds it
}

struct Panneau {
    qm::PanneauMasses p;
    qm::tableelements t;

    Panneau()
    {
        qm::initelements(t);
        qm::remplirlistemasses(p, t);
        p.resize(401, 212);
        p.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&p));
    }
    void plus() { QTest::mouseClick(p.Command3, Qt::LeftButton); }
    void ac() { QTest::mouseClick(p.Command5, Qt::LeftButton); }
    QString total() const { return p.Label3->text(); }
};

TEST(Masses, ListeRemplieAuDemarrage)
{
    Panneau a;
    EXPECT_DOUBLE_EQ(a.t.masse[1], 1);
    EXPECT_DOUBLE_EQ(a.t.masse[103], 257);
    ASSERT_EQ(a.p.List1->count(), 103);
    EXPECT_EQ(a.p.List1->item(0)->text().toStdString(), hydrogene);
    EXPECT_EQ(a.p.List1->item(102)->text().toStdString(), lignemasse(a.t, 103));
    qm::remplirlistemasses(a.p, a.t);
    EXPECT_EQ(a.p.List1->count(), 103);
    EXPECT_EQ(QFontInfo(a.p.List1->font()).family(), "Liberation Mono");
    EXPECT_EQ(QFontInfo(a.p.Label3->font()).family(), "Liberation Sans");
    // The widest line fits the list without a horizontal scroll bar.
    int plusgrande = 0;
    for (int i = 0; i < a.p.List1->count(); ++i)
        plusgrande = std::max(plusgrande, a.p.List1->visualItemRect(a.p.List1->item(i)).width());
    EXPECT_LE(QFontMetrics(a.p.List1->font()).horizontalAdvance(QString(28, 'W')), plusgrande);
    EXPECT_FALSE(a.p.List1->horizontalScrollBar()->isVisible());
}

TEST(Masses, TouchesPlusEtAC)
{
    Panneau a;
    EXPECT_EQ(a.total(), "0,0");
    a.plus(); // nothing selected yet
    EXPECT_EQ(a.total(), "0,0");
    a.p.List1->setCurrentRow(0);
    a.plus();
    a.plus();
    EXPECT_EQ(a.total(), "2,0");
    a.p.List1->setCurrentRow(16); // chlore
    a.plus();
    EXPECT_EQ(a.total(), "37,5");
    a.ac();
    EXPECT_EQ(a.total(), "0,0");
    a.ac();
    EXPECT_EQ(a.total(), "0,0");

    a.p.List1->clearSelection();
    a.p.Label3->setText("5,0");
    a.plus();
    EXPECT_EQ(a.total(), "5,0");

    a.p.List1->setCurrentRow(0);
    a.p.Label3->setText("erreur");
    a.plus();
    EXPECT_EQ(a.total(), "erreur");
    a.ac();
    EXPECT_EQ(a.total(), "0,0");
}

TEST(Masses, DispositionEnPixels)
{
    Panneau a;
    EXPECT_EQ(a.p.objectName(), "ong2");
    EXPECT_EQ(a.p.List1->geometry(), QRect(16, 32, 225, 167));
    EXPECT_EQ(a.p.Shape1->geometry(), QRect(264, 136, 121, 57));
    EXPECT_EQ(a.p.Label3->geometry(), QRect(280, 144, 89, 20));
    EXPECT_EQ(a.p.Command5->geometry(), QRect(280, 168, 25, 15));
    EXPECT_EQ(a.p.Command3->geometry(), QRect(344, 168, 25, 15));
    EXPECT_EQ(a.p.Command5->text(), "AC");
    EXPECT_EQ(a.p.Command3->text(), "+");
    const QImage i = a.p.grab().toImage();
    EXPECT_EQ(i.pixelColor(264, 136), QColor(0, 0, 0)); // the frame
    EXPECT_EQ(i.pixelColor(282, 146), QColor(0, 0, 0)); // the display
    const QColor touche = i.pixelColor(283, 176);       // the face of "AC", pink under the style's shading
    EXPECT_GT(touche.red(), touche.green() + 60);
    EXPECT_NEAR(touche.green(), touche.blue(), 10);
    EXPECT_EQ(i.pixelColor(2, 2), QColor(240, 235, 230));
}

// Dark pixels in a band of rows, from x0 on.
int encre(const QImage& i, int x0, int x1, int y0, int y1)
{
    int n = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            n += qGray(i.pixel(x, y)) < 100;
    return n;
}

TEST(Masses, TitreEtConsignes)
{
    Panneau a;
    const QImage i = a.p.grab().toImage();
    const QFontMetrics dix(qm::police("Arial", 10));
    const int fin = 16 + dix.horizontalAdvance(QStringLiteral("Masses molaires atomiques (g · mol"));
    // Nothing above the heading's line but the raised exponent.
    EXPECT_EQ(encre(i, 0, fin, 0, 8), 0);
    EXPECT_GT(encre(i, fin, fin + 12, 3, 7), 0);
    EXPECT_GT(encre(i, 16, fin, 8, 7 + dix.height()), 50);

    // Six instruction lines beside the list, above the frame.
    const int ligne = QFontMetrics(qm::police("Arial", 8)).height();
    for (int k = 0; k < 6; ++k)
        EXPECT_GT(encre(i, 264, 401, 32 + k * ligne, 32 + (k + 1) * ligne), 20) << k;
    EXPECT_EQ(encre(i, 264, 401, 32 + 6 * ligne, 135), 0);
    EXPECT_EQ(encre(i, 0, 15, 0, i.height()), 0);
}

TEST(Masses, MasseDUneFormule)
{
    Panneau a;
    const QImage avant = a.p.grab().toImage();
    // The field and its result leave the design's controls and heading uncovered.
    const QFontMetrics dix(qm::police("Arial", 10));
    EXPECT_GT(a.p.formule->x(),
              16 + dix.horizontalAdvance(QStringLiteral("Masses molaires atomiques (g · mol)")));
    const QWidget* nouveaux[] = {a.p.formule, a.p.resultatformule};
    const QWidget* design[] = {a.p.List1, a.p.Shape1, a.p.Label3, a.p.Command3, a.p.Command5};
    for (const QWidget* w : nouveaux)
        for (const QWidget* d : design)
            EXPECT_FALSE(w->geometry().intersects(d->geometry())) << d->objectName().toStdString();
    EXPECT_FALSE(a.p.resultatformule->isVisible());

    const std::pair<const char*, QString> cas[] = {
        {"H2SO4", "<b>M = 98,1 g·mol⁻¹</b><br>2&nbsp;×&nbsp;1,0 + 32,1 + 4&nbsp;×&nbsp;16,0"},
        {"Mg", "<b>M = 24,3 g·mol⁻¹</b><br>"},
        {"Xy", "<b>Je ne connais pas l'élément de symbole Xy</b><br>"},
    };
    for (const auto& [formule, resultat] : cas) {
        a.p.formule->clear();
        QTest::keyClicks(a.p.formule, QString::fromUtf8(formule));
        EXPECT_EQ(a.p.resultatformule->text(), resultat) << formule;
    }
    // Over the instructions, which make way; Enter changes nothing.
    a.p.formule->setText(QStringLiteral("CuSO4,5H2O"));
    QTest::keyClick(a.p.formule, Qt::Key_Return);
    EXPECT_EQ(a.p.formule->text(), "CuSO4,5H2O");
    EXPECT_EQ(a.total(), "0,0");
    ASSERT_TRUE(a.p.resultatformule->isVisible());
    const QImage pendant = a.p.grab().toImage();
    const QRect consignes = a.p.resultatformule->geometry();
    EXPECT_NE(pendant.copy(consignes), avant.copy(consignes));
    EXPECT_GT(encre(pendant, consignes.left(), consignes.right(), consignes.top(), consignes.bottom()), 50);
    // Emptied, the panel is as it was, the field's frame apart.
    a.p.formule->clear();
    const QImage apres = a.p.grab().toImage();
    EXPECT_EQ(apres.copy(0, 30, apres.width(), apres.height() - 30),
              avant.copy(0, 30, avant.width(), avant.height() - 30));
}

} // namespace
