#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "calculator/machine.h"
#include "exercises/aides.h"
#include "exercises/fichexo.h"
#include "exercises/visionneuse.h"
#include "files/fenetres.h"
#include "output/confimp.h"
#include "programme/relier.h"
#include "workspace/dessin.h"
#include "workspace/espace.h"
#include "workspace/masses.h"
#include "workspace/onglets.h"
#include "workspace/quantite.h"
#include "workspace/tableau.h"

namespace {

using namespace qm;

// The main window as the program joins it, driven by the keyboard alone.
class Clavier : public ::testing::Test {
protected:
    QTemporaryDir dossier;
    std::unique_ptr<FeuilleP> f;
    void SetUp() override
    {
        f = std::make_unique<FeuilleP>(dossier.path());
        relierfenetres(*f);
        f->show();
        QApplication::setActiveWindow(f.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(f.get()));
    }
    // Shift+Tab from wherever the keyboard is until the equation box has it
    // (the text box of the exercises keeps Tab for itself).
    void allerequation()
    {
        for (int i = 0; i < 60 && !f->Text1->hasFocus(); ++i) {
            QWidget* w = QApplication::focusWidget() ? QApplication::focusWidget() : f.get();
            QTest::keyClick(w, Qt::Key_Backtab, Qt::ShiftModifier);
        }
        ASSERT_TRUE(f->Text1->hasFocus()) << "the equation box is on the Tab chain";
    }
    // 2 H2 + O2 = 2 H2O typed, then Enter: its table, the keyboard on the cursor.
    void tableau()
    {
        allerequation();
        QTest::keyClicks(f->Text1, QStringLiteral("2H2+O2=2H2O"));
        ASSERT_EQ(f->Text1->text(), "2H#2+O#2=2H#2O");
        QTest::keyClick(f->Text1, Qt::Key_Return);
        ASSERT_TRUE(f->HScroll1->hasFocus());
    }
};

TEST_F(Clavier, EquationAndAmountsWithoutAMouse)
{
    tableau();
    QTest::keyClick(f->HScroll1, Qt::Key_F2);
    ASSERT_TRUE(f->Text2->hasFocus());
    QTest::keyClicks(f->Text2, QStringLiteral("1"));
    QTest::keyClick(f->Text2, Qt::Key_Tab);
    ASSERT_TRUE(f->Text2->hasFocus()) << "the next reactant's entry";
    QTest::keyClicks(f->Text2, QStringLiteral("2"));
    QTest::keyClick(f->Text2, Qt::Key_Enter);
    EXPECT_FLOAT_EQ(f->etat.quant[1], 1.0f);
    EXPECT_FLOAT_EQ(f->etat.quant[2], 2.0f);
    EXPECT_TRUE(f->Text2->isHidden());
    EXPECT_TRUE(f->HScroll1->hasFocus());

    // What the pupil sees is the table a mouse gives for the same amounts.
    FeuilleP souris(dossier.path());
    souris.Text1->setText(QStringLiteral("2H#2+O#2=2H#2O"));
    valideur_Click(souris);
    for (const auto& [x, q] : {std::pair{100, "1"}, std::pair{330, "2"}}) {
        QTest::mouseClick(souris.Picture3, Qt::LeftButton, {}, QPoint(x, 12));
        QTest::keyClicks(souris.Text2, QString::fromLatin1(q));
        QTest::keyClick(souris.Text2, Qt::Key_Return);
    }
    EXPECT_EQ(f->Picture3->image, souris.Picture3->image);
    EXPECT_EQ(f->Picture4->image, souris.Picture4->image);
}

// Escape closes without a change; Tab and Shift+Tab commit and go on to the
// next or previous reactant, or back to the cursor past either end.
TEST_F(Clavier, EntryKeys)
{
    tableau();
    const struct {
        Qt::Key touche;
        Qt::KeyboardModifiers modifs;
        const char* tape; // typed before the key
        float q1, q2;     // the amounts after it
        int ouverte;      // the reactant whose entry is open then, 0 for none
    } pas[] = {
        {Qt::Key_F2, {}, "", 0, 0, 1},
        {Qt::Key_Escape, {}, "3", 0, 0, 0},
        {Qt::Key_Return, {}, "", 0, 0, 1},
        {Qt::Key_Tab, {}, "4", 4, 0, 2},
        {Qt::Key_Backtab, Qt::ShiftModifier, "5", 4, 5, 1},
        {Qt::Key_Backtab, Qt::ShiftModifier, "", 4, 5, 0},
        {Qt::Key_Enter, {}, "", 4, 5, 1},
        {Qt::Key_Tab, {}, "", 4, 5, 2},
        {Qt::Key_Tab, {}, "", 4, 5, 0},
    };
    int etape = 0;
    for (const auto& c : pas) {
        const std::string quoi = "step " + std::to_string(++etape);
        QWidget* cible = f->Text2->isVisible() ? static_cast<QWidget*>(f->Text2) : f->HScroll1;
        QTest::keyClicks(cible, QString::fromLatin1(c.tape));
        QTest::keyClick(cible, c.touche, c.modifs);
        EXPECT_FLOAT_EQ(f->etat.quant[1], c.q1) << quoi;
        EXPECT_FLOAT_EQ(f->etat.quant[2], c.q2) << quoi;
        EXPECT_EQ(f->Text2->isVisible(), c.ouverte != 0) << quoi;
        if (c.ouverte) {
            EXPECT_TRUE(f->Text2->hasFocus()) << quoi;
            EXPECT_EQ(f->etat.colsaisie, c.ouverte) << quoi;
        } else {
            EXPECT_TRUE(f->HScroll1->hasFocus()) << quoi;
            EXPECT_TRUE(f->commandes.at(QStringLiteral("Command4"))->isEnabled()) << quoi;
        }
    }
    // The space bar plays the animation and pauses it.
    QTest::keyClick(f->HScroll1, Qt::Key_Space);
    EXPECT_TRUE(f->Timer1->isActive());
    QTest::keyClick(f->HScroll1, Qt::Key_Space);
    EXPECT_FALSE(f->Timer1->isActive());
}

TEST_F(Clavier, AltXOpensTheExerciseMenu)
{
    QString menu;
    QTimer::singleShot(0, [&] {
        if (auto* m = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
            menu = m->objectName();
            m->close();
        }
    });
    QTest::keyClick(f.get(), Qt::Key_X, Qt::AltModifier);
    EXPECT_EQ(menu, "optionexo");
    EXPECT_TRUE(f->BTEXO->text().isEmpty()) << "its caption stays its picture";
}

TEST_F(Clavier, CtrlPageChangesTab)
{
    const QWidget* panneaux[] = {f->onglets->ong1, f->onglets->ong2, f->onglets->ong3};
    const int depart = f->onglets->etat().ongletcourant;
    for (const auto& [touche, pas] :
         {std::pair{Qt::Key_PageDown, 1}, std::pair{Qt::Key_PageDown, 2}, std::pair{Qt::Key_PageUp, 1},
          std::pair{Qt::Key_PageDown, 2}, std::pair{Qt::Key_PageDown, 3}}) {
        QTest::keyClick(f.get(), touche, Qt::ControlModifier);
        const int attendu = (depart - 1 + pas) % 3 + 1;
        EXPECT_EQ(f->onglets->etat().ongletcourant, attendu);
        for (int i = 1; i <= 3; ++i)
            EXPECT_EQ(panneaux[i - 1]->isVisible(), i == attendu);
    }
}

// ---- Every control is named for a screen reader ---------------------------------

// The widgets of a window a pupil meets, without the inner parts of Qt's own
// compound widgets (a spin box's line, a scroll area's bars), which Qt names.
void controles(QWidget* w, std::vector<QWidget*>& tous)
{
    for (QObject* o : w->children()) {
        auto* c = qobject_cast<QWidget*>(o);
        if (!c || c->isWindow() || c->objectName().startsWith(QLatin1String("qt_")))
            continue;
        tous.push_back(c);
        if (!c->inherits("QAbstractScrollArea") && !c->inherits("QAbstractSpinBox") &&
            !c->inherits("QComboBox"))
            controles(c, tous);
    }
}

QString nomaccessible(QWidget* w)
{
    if (!w->accessibleName().isEmpty())
        return w->accessibleName();
    if (auto* b = qobject_cast<QAbstractButton*>(w))
        return b->text().remove(QLatin1Char('&'));
    if (auto* l = qobject_cast<QLabel*>(w))
        return l->text();
    if (auto* g = qobject_cast<QGroupBox*>(w))
        return g->title();
    return {};
}

std::vector<QString> sansnom(QWidget* fenetre)
{
    std::vector<QWidget*> tous;
    controles(fenetre, tous);
    std::vector<QString> manquants;
    for (QWidget* w : tous)
        if (nomaccessible(w).trimmed().isEmpty())
            manquants.push_back(fenetre->objectName() + QLatin1Char('/') + w->objectName() +
                                QLatin1Char(' ') + QString::fromLatin1(w->metaObject()->className()));
    return manquants;
}

TEST_F(Clavier, EveryControlOfEveryWindowIsNamed)
{
    QString serie;
    std::vector<std::unique_ptr<QWidget>> fenetres;
    fenetres.push_back(std::make_unique<Confimp>(*f));
    fenetres.push_back(std::make_unique<Fichexo>(*f));
    fenetres.push_back(std::make_unique<Machine>(f.get()));
    fenetres.push_back(std::make_unique<Ouvrir>(f.get(), serie, [] {}));
    fenetres.push_back(std::make_unique<Enregistrer>(
        f.get(), serie, [] { return erreurserie{}; }, dossier.path()));
    fenetres.push_back(std::make_unique<Aidequa>(f.get()));
    fenetres.push_back(std::make_unique<Bravo>(f.get()));
    fenetres.push_back(construireaide(f.get(), dossier.path()));
    fenetres.push_back(std::make_unique<FeuilleQ>("Mg", "Mg", f->etat.elements, f.get()));
    std::vector<QString> manquants = sansnom(f.get());
    for (const auto& w : fenetres) {
        const std::vector<QString> m = sansnom(w.get());
        manquants.insert(manquants.end(), m.begin(), m.end());
    }
    for (const QString& m : manquants)
        ADD_FAILURE() << m.toStdString();
}

} // namespace
