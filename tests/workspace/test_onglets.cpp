#include <gtest/gtest.h>

#include <QCheckBox>
#include <QFontMetrics>
#include <QImage>
#include <QTest>

#include "app/initialisation.h"
#include "workspace/masses.h"
#include "workspace/onglets.h"

namespace {

using qm::choisironglet;
using qm::disposeronglets;
using qm::Onglets;

const QColor fond(210, 205, 200);
const QColor panneau(240, 235, 230);
const QColor gris(128, 128, 128);
const QColor blanc(255, 255, 255);

// Counts the strip's paints, to tell a repaint from none.
class CompteurPeintures : public QObject {
public:
    int peintures = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++peintures;
        return false;
    }
};

struct Bande {
    Onglets o;
    CompteurPeintures compteur;

    Bande()
    {
        o.setGeometry(8, 312, 409, 233);
        o.installEventFilter(&compteur);
        o.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&o));
        QTest::qWait(20);
    }
    int h() const { return o.etat().disposition.h; }
    int bord(int i) const { return o.etat().bordsonglets[static_cast<std::size_t>(i)]; }
    void cliquer(int x, int y)
    {
        QTest::mouseClick(&o, Qt::LeftButton, {}, QPoint(x, y));
        QTest::qWait(20);
    }
    QColor pixel(int x, int y) { return o.grab().toImage().pixelColor(x, y); }
};

// Widths chosen by hand so that every rounding can be checked on paper.
qm::largeurstitres largeurs()
{
    qm::largeurstitres l;
    l.h = 12;
    l.normal = {0, 40, 130, 50};
    l.gras = {0, 44, 140, 55};
    return l;
}

TEST(Onglets, BordsDesTroisOnglets)
{
    // Tab 1 selected: T = 44 + 130 + 50 = 224, g = (409 - 224) / 6.
    const auto d1 = disposeronglets(largeurs(), 409, 1);
    EXPECT_EQ(d1.T, 224);
    EXPECT_DOUBLE_EQ(d1.g, 185.0 / 6);
    EXPECT_EQ(d1.bords[0], -1);
    EXPECT_EQ(d1.bords[1], 105); // -1 + 44 + 61.67
    EXPECT_EQ(d1.bords[2], 297); // 105 + 130 + 61.67
    EXPECT_EQ(d1.bords[3], 409); // the last tab takes what is left

    // Tab 2 selected: only its caption is measured in bold.
    const auto d2 = disposeronglets(largeurs(), 409, 2);
    EXPECT_EQ(d2.T, 230);
    EXPECT_EQ(d2.bords[1], 99);  // -1 + 40 + 59.67
    EXPECT_EQ(d2.bords[2], 299); // 99 + 140 + 59.67
    EXPECT_EQ(d2.bords[3], 409);

    // A strip narrower than its captions gives overlapping tabs, not a crash.
    const auto etroit = disposeronglets(largeurs(), 100, 3);
    EXPECT_LT(etroit.g, 0);
    EXPECT_EQ(etroit.bords[3], 100);
}

TEST(Onglets, ChoixDeLOngletSousLeClic)
{
    const std::array<std::int16_t, 6> b{-1, 105, 297, 409, 0, 0};
    EXPECT_EQ(choisironglet(b, 0, 5), 1);
    EXPECT_EQ(choisironglet(b, 105, 5), 1); // a boundary belongs to the tab on its left
    EXPECT_EQ(choisironglet(b, 105.5, 5), 2);
    EXPECT_EQ(choisironglet(b, 297, 5), 2);
    EXPECT_EQ(choisironglet(b, 298, 5), 3);
    EXPECT_EQ(choisironglet(b, 409, 5), 3);
    EXPECT_EQ(choisironglet(b, 409.5, 5), 0); // released beyond every tab
    EXPECT_EQ(choisironglet(b, -1, 5), 0);
    EXPECT_EQ(choisironglet(b, 200, 0), 2);
    EXPECT_EQ(choisironglet(b, 200, 15), 2);
    EXPECT_EQ(choisironglet(b, 200, 15.5), std::nullopt);
    EXPECT_EQ(choisironglet(b, 200, 16), std::nullopt);
    EXPECT_EQ(choisironglet(b, 200, -0.5), std::nullopt);
}

TEST(Onglets, PremierAffichage)
{
    Onglets o;
    o.setGeometry(8, 312, 409, 233);
    EXPECT_EQ(o.etat().ongletcourant, 0);
    EXPECT_EQ(o.objectName(), "Onglets");
    o.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&o));
    EXPECT_EQ(o.etat().ongletcourant, 1);
    EXPECT_EQ(o.etat().titresonglets[1], "Affichage");
    EXPECT_EQ(o.etat().titresonglets[2], "Masses molaires atomiques");
    EXPECT_EQ(o.etat().titresonglets[3], "Illustration");
    EXPECT_TRUE(o.ong1->isVisible());
    EXPECT_FALSE(o.ong2->isVisible());
    EXPECT_FALSE(o.ong3->isVisible());
    EXPECT_EQ(o.ong1->objectName(), "ong1");
    EXPECT_EQ(o.ong2->objectName(), "ong2");
    EXPECT_EQ(o.ong3->objectName(), "ong3");

    // The tab row is the height of "W" in Arial 8 pt; the panel sits below it.
    const int h = QFontMetrics(qm::police("Arial", 8)).height();
    EXPECT_EQ(o.etat().disposition.h, h);
    EXPECT_EQ(o.ong1->geometry(), QRect(4, h + 5, 409 - 8, 233 - 4 - (h + 5)));
}

TEST(Onglets, ClicsDansLaRangeeDesOnglets)
{
    Bande b;
    const int premier = b.compteur.peintures;
    ASSERT_GT(premier, 0);

    // The selected tab, and its boundary on the right: no repaint at all.
    b.cliquer(b.bord(1) / 2, 5);
    b.cliquer(b.bord(1), 5);
    EXPECT_EQ(b.o.etat().ongletcourant, 1);
    EXPECT_EQ(b.compteur.peintures, premier);

    // Y = 16 is below the tab row.
    b.cliquer(b.bord(1) + 10, 16);
    EXPECT_EQ(b.o.etat().ongletcourant, 1);
    EXPECT_EQ(b.compteur.peintures, premier);

    b.cliquer(b.bord(1) + 1, 15);
    EXPECT_EQ(b.o.etat().ongletcourant, 2);
    EXPECT_GT(b.compteur.peintures, premier);
    EXPECT_FALSE(b.o.ong1->isVisible());
    EXPECT_TRUE(b.o.ong2->isVisible());
    EXPECT_EQ(b.o.ong2->geometry(), qm::placepanneau(b.o.size(), b.h()));

    b.cliquer(b.bord(2) + 1, 0);
    EXPECT_EQ(b.o.etat().ongletcourant, 3);
    EXPECT_TRUE(b.o.ong3->isVisible());
    EXPECT_FALSE(b.o.ong2->isVisible());

    // Pressed on a tab and released beyond the strip: the first tab comes back.
    QTest::mousePress(&b.o, Qt::LeftButton, {}, QPoint(b.bord(2) + 20, 5));
    QTest::mouseRelease(&b.o, Qt::LeftButton, {}, QPoint(b.o.width() + 30, 5));
    QTest::qWait(20);
    EXPECT_EQ(b.o.etat().ongletcourant, 1);
    EXPECT_TRUE(b.o.ong1->isVisible());
    EXPECT_FALSE(b.o.ong3->isVisible());
}

TEST(Onglets, HorsDesOngletsLePremierEstChoisi)
{
    Bande b;
    b.o.specialimage();
    qm::Onglets_MouseUp(b.o, 1000, 3);
    EXPECT_EQ(b.o.etat().ongletcourant, 1);
    EXPECT_TRUE(b.o.ong1->isVisible());
    EXPECT_FALSE(b.o.ong3->isVisible());
}

TEST(Onglets, LeTitreEnGrasChangeLesLargeurs)
{
    Bande b;
    const auto l = qm::mesurertitres(b.o.etat());
    for (int i = 1; i <= 3; ++i)
        EXPECT_GT(l.gras[i], l.normal[i]) << i;

    const int b1 = b.bord(1);
    const int b2 = b.bord(2);
    EXPECT_EQ(b.o.etat().disposition.T, l.gras[1] + l.normal[2] + l.normal[3]);
    b.cliquer(b1 + 5, 5);
    EXPECT_EQ(b.o.etat().disposition.T, l.normal[1] + l.gras[2] + l.normal[3]);
    // Tab 1 lost its bold caption, so it narrows.
    EXPECT_LT(b.bord(1), b1);
    EXPECT_NE(b.bord(2), b2);
    EXPECT_EQ(b.bord(3), 409);
}

TEST(Onglets, SpecialimageMontreLIllustration)
{
    Bande b;
    const int avant = b.compteur.peintures;
    b.o.specialimage();
    QTest::qWait(20);
    EXPECT_EQ(b.o.etat().ongletcourant, 3);
    EXPECT_GT(b.compteur.peintures, avant);
    EXPECT_TRUE(b.o.ong3->isVisible());
    EXPECT_FALSE(b.o.ong1->isVisible());
    EXPECT_FALSE(b.o.ong2->isVisible());
    EXPECT_EQ(b.o.ong3->geometry(), qm::placepanneau(b.o.size(), b.h()));
}

TEST(Onglets, ContourEnRelief)
{
    Bande b;
    const int h = b.h();
    const int w = b.o.width();
    const int ht = b.o.height();
    const int milieu1 = b.bord(1) / 2;
    const int milieu2 = (b.bord(1) + b.bord(2)) / 2;
    const QImage i = b.o.grab().toImage();

    EXPECT_EQ(i.pixelColor(milieu2, 0), blanc);          // top of a tab
    EXPECT_EQ(i.pixelColor(b.bord(1) - 1, h / 2), gris); // shadow right of tab 1
    EXPECT_EQ(i.pixelColor(b.bord(1), h / 2), blanc);    // highlight left of tab 2
    EXPECT_EQ(i.pixelColor(b.bord(2) + 1, h / 2), fond); // inside tab 3, clear of its caption
    EXPECT_EQ(i.pixelColor(milieu2, h + 1), blanc);      // base line under a tab not selected
    EXPECT_EQ(i.pixelColor(milieu1, h + 1), fond);       // the selected tab opens onto the panel
    EXPECT_EQ(i.pixelColor(0, ht / 2), blanc);
    EXPECT_EQ(i.pixelColor(w - 1, ht / 2), gris);
    EXPECT_EQ(i.pixelColor(w / 2, ht - 1), gris);
    EXPECT_EQ(i.pixelColor(2, ht / 2), fond);
    EXPECT_EQ(i.pixelColor(3, ht / 2), gris); // frame just round the panel
    EXPECT_EQ(i.pixelColor(w - 4, ht / 2), gris);
    EXPECT_EQ(i.pixelColor(w / 2, ht - 4), gris);
    EXPECT_EQ(i.pixelColor(4, h + 5), panneau); // the panel's own corner

    // Another tab selected: the gap moves with it.
    b.cliquer(milieu2, 5);
    const QImage j = b.o.grab().toImage();
    EXPECT_EQ(j.pixelColor((b.bord(1) + b.bord(2)) / 2, h + 1), fond);
    EXPECT_EQ(j.pixelColor(b.bord(1) / 2, h + 1), blanc);
}

TEST(Onglets, TitreChoisiPlusBasDUnPixel)
{
    // The selected caption is drawn one pixel lower than the others: its
    // first inked row is one below theirs.
    Bande b;
    const QImage i = b.o.grab().toImage();
    auto premiereligne = [&i](int x0, int x1) {
        for (int y = 0; y < 20; ++y)
            for (int x = x0; x < x1; ++x)
                if (qGray(i.pixel(x, y)) < 80)
                    return y;
        return -1;
    };
    const int choisi = premiereligne(1, b.bord(1) - 1);
    const int autre = premiereligne(b.bord(2) + 1, b.bord(3) - 1);
    ASSERT_GE(choisi, 0);
    ASSERT_GE(autre, 0);
    EXPECT_EQ(choisi, autre + 1);
}

TEST(Onglets, PanneauAffichage)
{
    Bande b;
    auto* final = b.o.ong1->findChild<QCheckBox*>("final");
    auto* conso = b.o.ong1->findChild<QCheckBox*>("conso");
    auto* colorsto = b.o.ong1->findChild<QCheckBox*>("COLORSTO");
    ASSERT_TRUE(final && conso && colorsto);
    EXPECT_EQ(final->text(), "Afficher état final");
    EXPECT_EQ(conso->text(), "Afficher la quantité de réactif consommé");
    EXPECT_EQ(colorsto->text(), "Colorer les nombres stœchiométriques");
    EXPECT_TRUE(final->isChecked());
    EXPECT_FALSE(conso->isChecked());
    EXPECT_TRUE(colorsto->isChecked());
    for (QCheckBox* c : {final, conso, colorsto}) {
        EXPECT_TRUE(b.o.ong1->rect().contains(c->geometry())) << c->objectName().toStdString();
        EXPECT_LE(c->sizeHint().width(), c->width()) << c->objectName().toStdString();
    }
    EXPECT_EQ(b.o.ong1->grab().toImage().pixelColor(b.o.ong1->width() - 2, b.o.ong1->height() - 2), panneau);
}

// The rectangle holding every dark pixel of an image.
QRect encre(const QImage& i)
{
    QRect r;
    for (int y = 0; y < i.height(); ++y)
        for (int x = 0; x < i.width(); ++x)
            if (qGray(i.pixel(x, y)) < 80)
                r |= QRect(x, y, 1, 1);
    return r;
}

TEST(Onglets, IllustrationEtSonAbsence)
{
    Bande b;
    b.o.specialimage();
    QTest::qWait(20);
    qm::PanneauIllustration& ong3 = *b.o.ong3;
    const QRect texte = encre(ong3.grab().toImage());
    ASSERT_FALSE(texte.isEmpty());
    // Centred: the ink's middle is within a pixel or two of the panel's.
    EXPECT_NEAR(texte.center().x(), ong3.width() / 2, 2);
    EXPECT_NEAR(texte.center().y(), ong3.height() / 2, 3);
    EXPECT_EQ(ong3.grab().toImage().pixelColor(1, 1), panneau);

    QImage rouge(30, 20, QImage::Format_RGB32);
    rouge.fill(QColor(255, 0, 0));
    ong3.mettreimage(rouge);
    QTest::qWait(20);
    const QImage avecimage = ong3.grab().toImage();
    EXPECT_EQ(avecimage.pixelColor(0, 0), QColor(255, 0, 0));
    EXPECT_EQ(avecimage.pixelColor(29, 19), QColor(255, 0, 0));
    EXPECT_EQ(avecimage.pixelColor(30, 20), panneau);
    EXPECT_TRUE(encre(avecimage).isEmpty()); // no notice over a picture

    ong3.effacerimage();
    QTest::qWait(20);
    EXPECT_TRUE(ong3.image().isNull());
    EXPECT_EQ(encre(ong3.grab().toImage()), texte);
}

} // namespace
