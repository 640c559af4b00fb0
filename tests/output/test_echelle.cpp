// Run at the screen's own scale and again with the whole program scaled
// (QT_SCALE_FACTOR=2, tests/output/CMakeLists.txt).

#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QTemporaryDir>

#include "output/feuillef.h"
#include "workspace/dessin.h"
#include "workspace/espace.h"
#include "workspace/feuillep.h"
#include "workspace/tableau.h"

namespace {

using namespace qm;

// Drawn in screen pixels, copied in the window's: the equation and its table
// reach the clipboard at the size they have in the window, whatever the scale.
TEST(EchelleCopie, DrawnInScreenPixelsCopiedInWindowPixels)
{
    QTemporaryDir dossier;
    ASSERT_TRUE(dossier.isValid());
    FeuilleP f(dossier.path());
    brancherdessins(f);
    f.Text1->setText(QStringLiteral("2H#2+O#2=2H#2O"));
    valideur_Click(f);
    majtab(f);

    const qreal ratio = f.devicePixelRatioF();
    for (const Dessin* d : {f.Picture2, f.Picture3, f.Picture4})
        EXPECT_EQ(d->image.size(), d->size() * ratio) << d->objectName().toStdString();

    eqbietab_Click(f);
    const QImage copie = QGuiApplication::clipboard()->image();
    EXPECT_EQ(copie.size(), QSize(f.Picture2->width() + f.Picture4->width() - 1, f.Picture4->height() - 2));
    EXPECT_EQ(copie.devicePixelRatio(), 1);
    // The equation's navy letters are in it, where the header lies.
    const QImage entete = copie.copy(QRect(QPoint(f.Picture4->width() - 1, 0), f.Picture2->size()));
    int marine = 0;
    for (int y = 0; y < entete.height(); ++y)
        for (int x = 0; x < entete.width(); ++x)
            marine += entete.pixel(x, y) == qRgb(0, 0, 128);
    EXPECT_GT(marine, 20);
}

} // namespace
