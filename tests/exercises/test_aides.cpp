#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include <algorithm>

#include <malloc.h>

#include "exercises/aides.h"

namespace {

using namespace qm;

struct grille {
    std::vector<std::vector<QString>> cellules;
    QString titre;
    QString explication;
    std::vector<bool> enrouge;
};

grille regarder(const std::vector<lignegrille>& lignes)
{
    grille g;
    observerfenetres([&](QDialog& d) {
        auto& a = static_cast<Aidequa&>(d);
        g.titre = a.windowTitle();
        g.explication = a.Label1->text();
        for (int r = 0; r < a.MSFlexGrid1->rowCount(); ++r) {
            std::vector<QString> ligne;
            for (int c = 0; c < 3; ++c) {
                const QTableWidgetItem* x = a.MSFlexGrid1->item(r, c);
                ligne.push_back(x ? x->text() : QStringLiteral("<vide>"));
                if (x) {
                    EXPECT_EQ(x->textAlignment(), Qt::AlignCenter);
                }
            }
            g.cellules.push_back(ligne);
            const QTableWidgetItem* x = a.MSFlexGrid1->item(r, 1);
            g.enrouge.push_back(x && x->foreground().color() == QColor(200, 0, 0));
        }
    });
    montreraidequa(nullptr, lignes);
    observerfenetres({});
    return g;
}

TEST(Aides, GrilleDesComptes)
{
    const grille g = regarder({{"H", "2", "2"}, {"O", "2", "1"}, {"Charge", "0", "0"}});
    EXPECT_EQ(g.titre, QString("La stoechiométrie n'est pas vérifiée"));
    const std::vector<std::vector<QString>> attendu{
        {"", "Réactifs", "Produits"}, {"H", "2", "2"}, {"O", "2", "1"}, {"Charge", "0", "0"}};
    EXPECT_EQ(g.cellules, attendu);
    // Only the element that differs draws the eye.
    EXPECT_EQ(g.enrouge, (std::vector<bool>{false, false, true, false}));
    EXPECT_EQ(
        g.explication,
        QString("Ce tableau montre qu'avec les nombres stœchiométriques que vous avez calculés, la "
                "stoechiométrie de l'équation chimique n'est pas ajustée.\n\nLa stœchiométrie de chaque "
                "élément chimique doit être ajustée.\n\nSi des ions sont présents, la somme de leurs "
                "charges doit être la même dans chaque membre de l'équation chimique."));
}

TEST(Aides, ChaqueOuvertureRepartDeZero)
{
    regarder({{"Fe", "1", "1"}, {"Cu", "1", "0"}, {"Na", "3", "3"}, {"Charge", "2", "3"}});
    const grille g = regarder({{"Fe", "1", "1"}, {"Charge", "2", "3"}});
    ASSERT_EQ(g.cellules.size(), 3u);
    EXPECT_EQ(g.cellules[2], (std::vector<QString>{"Charge", "2", "3"}));
    EXPECT_EQ(g.enrouge, (std::vector<bool>{false, false, true}));
}

TEST(Aides, FermetureParOK)
{
    bool ferme = false;
    observerfenetres([&](QDialog& d) {
        QTimer::singleShot(
            0, &d, [&d] { QTest::mouseClick(d.findChild<QPushButton*>("Command1"), Qt::LeftButton); });
        ferme = d.exec() == QDialog::Accepted;
    });
    montrerbravo(nullptr);
    EXPECT_TRUE(ferme);
    ferme = false;
    montreraidequa(nullptr, {{"Charge", "0", "1"}});
    EXPECT_TRUE(ferme);
    observerfenetres({});
}

// Enter and Escape close the count grid as its OK does, whatever has the keyboard.
TEST(Aides, GrilleFermeeAuClavier)
{
    for (const Qt::Key touche : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
        bool ferme = false;
        observerfenetres([&](QDialog& d) {
            QTimer::singleShot(0, &d, [&d, touche] {
                QWidget* cible = QApplication::focusWidget();
                QTest::keyClick(cible ? cible : &d, touche);
            });
            QTimer::singleShot(2000, &d, [&d] { d.done(-1); }); // a key that did nothing
            const int r = d.exec();
            ferme = r == (touche == Qt::Key_Escape ? QDialog::Rejected : QDialog::Accepted);
        });
        montreraidequa(nullptr, {{"O", "2", "1"}, {"Charge", "0", "0"}});
        EXPECT_TRUE(ferme) << touche;
    }
    observerfenetres({});
}

// The bytes the allocator has handed out and not had back, in kilobytes: unlike
// the resident size, pages touched once by whatever else runs do not count.
long memoire()
{
    const struct mallinfo2 m = ::mallinfo2();
    return static_cast<long>((m.uordblks + m.hblkhd) / 1024);
}

// The count grid shown again and again, as through a lesson, each one painted
// and closed with Enter: the memory stays where it was (each grid used to keep
// 12 KB or more of the style's pixmaps). Two rounds are measured and the smaller
// growth is judged, so that a one-off allocation elsewhere in the process cannot
// fail the test while a leak, which grows both rounds alike, still does. The
// two-hour lesson is bench/memoire.
TEST(Aides, GrillesSansCroissanceDeLaMemoire)
{
    QWidget principale;
    principale.show();
    QTimer fermeur;
    fermeur.setInterval(1);
    QObject::connect(&fermeur, &QTimer::timeout, [] {
        auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!d || !QTest::qWaitForWindowExposed(d))
            return;
        d->repaint();
        QTest::keyClick(d, Qt::Key_Return);
    });
    fermeur.start();
    const auto croissance = [&](int n) {
        const long avant = memoire();
        for (int i = 0; i < n; ++i)
            montreraidequa(&principale, {{"H", "2", "4"}, {"O", "2", "1"}, {"Charge", "0", "0"}});
        return memoire() - avant;
    };
    croissance(50); // fonts and the style's own pixmaps come in once
    const long premiere = croissance(200);
    const long seconde = croissance(200);
    EXPECT_LT(std::min(premiere, seconde), 600)
        << "Kio de plus pour 200 grilles : " << premiere << " puis " << seconde;
}

TEST(Aides, Bravo)
{
    Bravo b;
    EXPECT_EQ(b.Label1->text(),
              QString("La stœchiométrie de cette équation chimique est correctement ajustée."));
    EXPECT_TRUE(b.Label1->font().bold());
    EXPECT_TRUE(b.Command1->font().bold());
    EXPECT_EQ(b.Command1->geometry(), QRect(136, 64, 89, 25));
    EXPECT_FALSE(b.Image1->pixmap().isNull());
}

} // namespace
