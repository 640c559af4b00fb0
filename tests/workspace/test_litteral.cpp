#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QPainter>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

#include "impression.h"
#include "workspace/dessin.h"
#include "workspace/espace.h"
#include "workspace/feuillep.h"
#include "workspace/litteral.h"

namespace {

using namespace qm;

bool encre(const QImage& im, const QRect& zone, const std::function<bool(QColor)>& test)
{
    for (int y = zone.top(); y <= zone.bottom(); ++y)
        for (int x = zone.left(); x <= zone.right(); ++x)
            if (test(im.pixelColor(x, y)))
                return true;
    return false;
}

bool rougeatre(QColor c)
{
    return c.red() > 90 && c.red() - c.blue() > 60 && c.green() < 90;
}

QImage bande(const QImage& im, int haut, int bas)
{
    return im.copy(0, haut, im.width(), bas - haut + 1);
}

// Texts of the rows never leave their column, however narrow: a long
// expression shrinks, then gives way to the value alone.
TEST(Litteral, TextsStayInsideTheirColumn)
{
    const struct {
        int n;
        int largeur;
    } cas[] = {{3, 230}, {10, 69}};
    for (const auto& c : cas) {
        SCOPED_TRACE(c.n);
        entreelitteral e;
        e.nbcolonnes = c.n;
        e.premierproduit = c.n / 2 + 1;
        e.largeurcolonne = c.largeur;
        e.coef = {0, 1, 12, 3, 1, 2, 1, 10, 2, 1, 4};
        e.quant = {0, 0.5f, 1.23457f, 12345, 0.001f, 3};
        e.p = 3700;
        const dessinlitteral d = disposerlitteral(e);
        QImage im(e.taille, QImage::Format_RGB32);
        im.fill(Qt::white);
        {
            QPainter p(&im);
            peindrelitteral(p, d.lignes, d.textes);
        }
        std::vector<int> textes(static_cast<std::size_t>(c.n) + 1);
        for (const textedessin& t : d.textes) {
            if (t.colonne == 0 || t.coin.y() < 25)
                continue; // the conclusion; the initial amounts are the bars' view's
            ++textes[static_cast<std::size_t>(t.colonne)];
            const int gauche = t.coin.x();
            const int droite = gauche + QFontMetrics(t.police).horizontalAdvance(t.texte);
            EXPECT_GT(gauche, (t.colonne - 1) * c.largeur) << t.texte.toStdString();
            EXPECT_LT(droite, t.colonne * c.largeur) << t.texte.toStdString();
        }
        // Beside every boundary, inside the rows, no ink at all.
        for (int i = 1; i < c.n; ++i) {
            const int ecart = i == e.premierproduit - 1 ? 2 : 1;
            for (int x : {i * c.largeur - ecart, i * c.largeur + ecart})
                for (int y = 26; y < 113; ++y)
                    EXPECT_TRUE(y == 69 || im.pixelColor(x, y) == QColor(Qt::white)) << x << "," << y;
        }
        // The wide table writes every expression; the narrow one keeps the
        // values at least.
        for (int i = 1; i <= c.n; ++i) {
            EXPECT_GE(textes[static_cast<std::size_t>(i)], c.n == 3 ? 4 : 2) << i;
            EXPECT_LE(textes[static_cast<std::size_t>(i)], 4) << i;
        }
    }
}

// Mg + 2 H⁺ = Mg²⁺ + H₂ with amounts typed in the window: the box swaps the
// bars for the written table, which follows the cursor, keeps the entry of
// amounts, and gives the bars back untouched.
TEST(Litteral, InTheWindow)
{
    QTemporaryDir dossier;
    FeuilleP f(dossier.path());
    f.show();
    QApplication::setActiveWindow(&f);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
    f.Text1->setText(QStringLiteral("Mg+2H*+=Mg*2*++H#2"));
    valideur_Click(f);
    ASSERT_EQ(f.etat.nbcolonnes, 4);
    const int l = f.etat.largeurcolonne;
    const auto saisir = [&](int colonne, const char* texte) {
        QTest::mouseClick(f.Picture3, Qt::LeftButton, {}, QPoint((colonne - 1) * l + l / 2, 10));
        ASSERT_TRUE(f.Text2->isVisible());
        f.Text2->clear();
        QTest::keyClicks(f.Text2, QString::fromLatin1(texte));
        QTest::keyClick(f.Text2, Qt::Key_Enter);
    };
    saisir(1, "0,5");
    saisir(2, "0,5");
    f.HScroll1->setValue(5000);
    const QImage barres3 = f.Picture3->image;
    const QImage barres4 = f.Picture4->image;

    auto* graphe = new QCheckBox(&f); // the other view of the table area
    graphe->setObjectName(QStringLiteral("graphe"));
    graphe->setChecked(true);
    f.litteral->setChecked(true);
    EXPECT_EQ(f.etat.litteral, 1);
    EXPECT_FALSE(graphe->isChecked());
    const QImage& p3 = f.Picture3->image;
    // The initial amounts as in the bars' view; the rest is the written table.
    EXPECT_EQ(bande(p3, 0, 24), bande(barres3, 0, 24));
    EXPECT_NE(bande(p3, 26, 150), bande(barres3, 26, 150));
    EXPECT_FALSE(encre(p3, QRect(1, 26, 687, 124), [](QColor c) { return c == QColor(100, 150, 255); }));
    // H⁺ limits: the conclusion says so in dark red.
    EXPECT_TRUE(encre(p3, QRect(1, 114, 687, 35), rougeatre));
    // The current row and the caption's advancement follow the cursor.
    const QImage avant3 = bande(p3, 26, 68);
    const QImage avant4 = f.Picture4->image;
    f.HScroll1->setValue(10000);
    EXPECT_NE(bande(p3, 26, 68), avant3);
    EXPECT_NE(f.Picture4->image, avant4);
    // Amounts are still typed in the top band.
    saisir(1, "0,1");
    EXPECT_FLOAT_EQ(f.etat.quant[1], 0.1f);
    EXPECT_EQ(f.etat.litteral, 1);
    EXPECT_NE(bande(p3, 0, 24), bande(barres3, 0, 24));
    saisir(1, "0,5");
    f.HScroll1->setValue(5000);

    f.litteral->setChecked(false);
    // The drawing, down to the scroll bar that covers the rest.
    EXPECT_EQ(bande(f.Picture3->image, 0, 150), bande(barres3, 0, 150));
    EXPECT_EQ(f.Picture4->image, barres4);
}

} // namespace
