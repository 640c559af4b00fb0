#include <gtest/gtest.h>

#include <QCheckBox>
#include <QFrame>
#include <QLineEdit>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

#include "impression.h"
#include "workspace/dessin.h"
#include "workspace/feuillep.h"
#include "workspace/graphe.h"

namespace {

using namespace qm;

// A + 2 B = C with 1 mol of A and of B, cursor at the middle.
struct exemple {
    entreedessin e;
    tableau t;
    exemple(tabquant q, int p)
    {
        e.nbcolonnes = 3;
        e.premierproduit = 3;
        e.largeurcolonne = 230;
        e.coef = {0, 1, 2, 1};
        e.p = p;
        parametrestableau c{3, 3, e.coef, static_cast<std::int16_t>(p), false, false, 230, {}};
        t = calcultableau(c, q);
        e.quant = q;
    }
};

double hauteur(const dessingraphe& d, double y)
{
    return d.zone.bottom() - y;
}

TEST(Graphe, PointsEtDroitesSuiventLesQuantites)
{
    const exemple x({0, 1, 1}, 5000);
    const dessingraphe d = disposergraphe(x.e, x.t, {"A", "B", "C"});
    ASSERT_EQ(d.droites.size(), 3u);
    ASSERT_EQ(d.points.size(), 3u);
    ASSERT_EQ(d.curseur.size(), 1u);
    // Every line runs from x = 0 to x = xmax.
    for (const traitgraphe& l : d.droites) {
        EXPECT_DOUBLE_EQ(l.ligne.x1(), d.zone.left());
        EXPECT_DOUBLE_EQ(l.ligne.x2(), d.zone.right());
    }
    // A ends at half its start, the limiting B on the axis, C rises from it.
    EXPECT_NEAR(hauteur(d, d.droites[0].ligne.y2()) / hauteur(d, d.droites[0].ligne.y1()), 0.5, 1e-9);
    EXPECT_DOUBLE_EQ(d.droites[1].ligne.y2(), d.zone.bottom());
    EXPECT_DOUBLE_EQ(d.droites[2].ligne.y1(), d.zone.bottom());
    // The cursor stands at x = xmax / 2, and each point on its line, at 0,75, 0,5 and 0,25 mol.
    const int xc = d.curseur[0].ligne.x1();
    EXPECT_LE(std::abs(2 * xc - (d.zone.left() + d.zone.right())), 1.0);
    const double n[] = {0.75, 0.5, 0.25};
    for (std::size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        const pointgraphe& p = d.points[i];
        EXPECT_EQ(p.centre.x(), xc);
        EXPECT_EQ(p.couleur, d.droites[i].couleur);
        EXPECT_NEAR(hauteur(d, p.centre.y()) / hauteur(d, d.points[0].centre.y()), n[i] / 0.75, 1e-9);
        const QLineF& l = d.droites[i].ligne;
        const double surladroite = l.y1() + (xc - l.x1()) / (l.x2() - l.x1()) * (l.y2() - l.y1());
        EXPECT_NEAR(p.centre.y(), surladroite, 1e-9);
    }
    // The legend names each species in its colour; the colours differ.
    for (int i = 1; i <= 3; ++i) {
        const auto nom = std::find_if(d.textes.begin(), d.textes.end(), [&](const textedessin& t) {
            return t.colonne == i && t.texte == QString(QChar('A' + i - 1));
        });
        ASSERT_NE(nom, d.textes.end()) << i;
        EXPECT_EQ(nom->couleur, couleurespece(i));
    }
    for (int i = 1; i <= 10; ++i)
        for (int j = 1; j < i; ++j)
            EXPECT_NE(couleurespece(i), couleurespece(j)) << i << " " << j;
    // Nothing entered: the axes and a hint, no line.
    const dessingraphe vide = disposergraphe(exemple({}, 5000).e, exemple({}, 5000).t, {"A", "B", "C"});
    EXPECT_TRUE(vide.droites.empty());
    EXPECT_TRUE(vide.points.empty());
    EXPECT_FALSE(vide.axes.empty());
    EXPECT_TRUE(std::any_of(vide.textes.begin(), vide.textes.end(),
                            [](const textedessin& t) { return t.texte.startsWith("Saisir"); }));
}

// The navy column of the cursor's mark in a row of the drawing, -1 for none.
int marque(const QImage& im, int y)
{
    for (int x = 0; x < im.width(); ++x)
        if (im.pixelColor(x, y) == QColor(0, 0, 128))
            return x;
    return -1;
}

TEST(Graphe, CaseCurseurEtRetourAuxBarres)
{
    QTemporaryDir dossier;
    FeuilleP f(dossier.path());
    f.Text1->setText(QStringLiteral("A+2B=C"));
    f.outilequa->hide();
    etatfeuille& e = f.etat;
    e.nbcolonnes = 3;
    e.premierproduit = 3;
    e.largeurcolonne = 230;
    e.coef = {0, 1, 2, 1};
    e.quant = {0, 1, 1};
    e.tableauactif = true;
    e.tableaudemande = 1;
    f.show();
    QApplication::setActiveWindow(&f);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
    majtab(f);
    const QImage barres = f.Picture3->image.copy();
    const QImage legendes = f.Picture4->image.copy();
    ASSERT_EQ(f.findChild<QCheckBox*>("graphe"), f.graphe);
    EXPECT_FALSE(f.graphe->isChecked());

    f.graphe->setChecked(true);
    EXPECT_EQ(f.etat.graphe, 1);
    const QImage& im = f.Picture3->image;
    // The top band is the bars' own; the rest is the graph.
    EXPECT_EQ(im.copy(0, 0, 689, 25), barres.copy(0, 0, 689, 25));
    EXPECT_NE(im, barres);
    EXPECT_NE(f.Picture4->image, legendes);
    const int debut = marque(im, 100);
    EXPECT_GT(debut, 0);

    // An amount typed in the top band, then the cursor moved: the mark follows.
    QTest::mouseClick(f.Picture3, Qt::LeftButton, {}, QPoint(100, 10));
    ASSERT_TRUE(f.Text2->isVisible());
    f.Text2->setText(QString());
    QTest::keyClicks(f.Text2, QStringLiteral("3"));
    QTest::keyClick(f.Text2, Qt::Key_Return);
    EXPECT_FLOAT_EQ(f.etat.quant[1], 3.0f);
    f.HScroll1->setValue(8000);
    const int fin = marque(im, 100);
    EXPECT_GT(fin, debut + 200);
    // The species' points at the mark, in their colours.
    for (int i = 1; i <= 3; ++i) {
        int n = 0;
        for (int y = 26; y < 150; ++y)
            for (int x = fin - 3; x <= fin + 3; ++x)
                n += im.pixelColor(x, y) == couleurespece(i);
        EXPECT_GT(n, 3) << i;
    }

    // The same state as at first, unticked: the bars exactly as they were.
    QTest::mouseClick(f.Picture3, Qt::LeftButton, {}, QPoint(100, 10));
    f.Text2->setText(QStringLiteral("1"));
    QTest::keyClick(f.Text2, Qt::Key_Return);
    f.HScroll1->setValue(0);
    f.graphe->setChecked(false);
    EXPECT_EQ(f.etat.graphe, 0);
    EXPECT_EQ(f.Picture3->image, barres);
    EXPECT_EQ(f.Picture4->image, legendes);
}

} // namespace
