#include "workspace/editeur.h"

#include <QCheckBox>
#include <QFrame>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTimer>
#include <QToolButton>

#include <cmath>
#include <optional>

#include "app/boite.h"
#include "app/initialisation.h"
#include "app/sansfaute.h"
#include "workspace/cadre.h"
#include "workspace/dessin.h"
#include "workspace/feuillep.h"

namespace qm {

namespace {

QPixmap imagecurseur()
{
    QPixmap p(20, 26);
    p.fill(Qt::transparent);
    QPainter d(&p);
    d.setPen(QPen(QColor(200, 0, 0), 2));
    d.drawLine(10, 3, 10, 23);
    d.drawLine(7, 2, 13, 2);
    d.drawLine(7, 24, 13, 24);
    return p;
}

// The key handling of Text1, as an event filter: the box only holds the
// keyboard, every key goes to the editor's procedures.
class filtretext1 : public QObject {
public:
    explicit filtretext1(FeuilleP& f) : QObject(&f), f(f) {}
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    FeuilleP& f;
};

class filtreposi : public QObject {
public:
    explicit filtreposi(FeuilleP& f) : QObject(&f), f(f) {}
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    FeuilleP& f;
};

// Set while the window shows the state in the box: its own change signal is
// then no change of the equation.
bool montrant = false;

} // namespace

cadreequation cadre(const FeuilleP& f)
{
    cadreequation c;
    c.largeur = f.Picture2->width();
    c.hauteur = f.Picture2->height();
    return c;
}

void montrerediteur(FeuilleP& f)
{
    montrerediteur(f, f.etat);
}

void montrerediteur(FeuilleP& f, const etatfeuille& e)
{
    montrant = true;
    if (f.Text1->text() != e.texte)
        f.Text1->setText(e.texte);
    f.Text1->setCursorPosition(e.curseur);
    montrant = false;
    for (auto [c, coche] : {std::pair{f.opti, e.opti}, std::pair{f.opte, e.opte}}) {
        if (c->isChecked() != coche) {
            const QSignalBlocker b(c);
            c->setChecked(coche);
        }
    }
    f.fleche->setEnabled(e.fleche);
    f.valideur->setEnabled(validable(e));
    f.Picture2->effacer();
    {
        QPainter p(&f.Picture2->image);
        peindreequation(p, e.dessin);
    }
    f.posi->move(e.posi);
    f.Picture2->rafraichir();
}

void montreravantcoupe(FeuilleP& f, const effets& r)
{
    if (!r.avantcoupe)
        return;
    montrerediteur(f, *r.avantcoupe);
    for (const message& m : r.avantmessages)
        boitemessage(&f, m);
}

void appliquer(FeuilleP& f, const effets& r)
{
    montreravantcoupe(f, r);
    montrerediteur(f);
    for (const message& m : r.messages)
        boitemessage(&f, m);
    if (r.focus)
        f.Text1->setFocus();
    if (r.valider && f.tableauavancement)
        f.tableauavancement();
}

// Key down: returns true when the box must not handle the key itself.
bool Text1_KeyDown(FeuilleP& f, int touche, Qt::KeyboardModifiers modifs)
{
    effets r;
    const bool annule = toucheenfoncee(f.etat, cadre(f), touche, modifs, r);
    appliquer(f, r);
    return annule;
}

void Text1_KeyPress(FeuilleP& f, QChar k)
{
    effets r;
    touchetapee(f.etat, cadre(f), k, r);
    appliquer(f, r);
}

void Text1_KeyUp(FeuilleP& f, int touche)
{
    effets r;
    toucherelachee(f.etat, cadre(f), touche, r);
    appliquer(f, r);
}

void Text1_Change(FeuilleP& f)
{
    effets r;
    changement(f.etat, cadre(f), r);
    appliquer(f, r);
}

void mettreequation(FeuilleP& f, const QString& texte)
{
    effets r;
    mettreequation(f.etat, cadre(f), texte, r);
    appliquer(f, r);
}

bool filtretext1::eventFilter(QObject* o, QEvent* e)
{
    if (e->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(e);
        if (k->key() == Qt::Key_Tab || k->key() == Qt::Key_Backtab)
            return false; // focus moves on as usual
        sansfaute([&] {
            Text1_KeyDown(f, k->key(), k->modifiers());
            const QString texte = k->text();
            const bool caracterenav = k->key() == Qt::Key_Delete || k->key() == Qt::Key_Escape;
            if (!texte.isEmpty() && !caracterenav &&
                !(k->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
                Text1_KeyPress(f, texte[0]);
        });
        return true;
    }
    if (e->type() == QEvent::InputMethod) {
        // What an input method commits ("ê" from a dead key) is taken as
        // typed keys, through the same filter; its preview is not shown.
        const QString texte = static_cast<QInputMethodEvent*>(e)->commitString();
        sansfaute([&] {
            for (const QChar c : texte)
                Text1_KeyPress(f, c);
        });
        return true;
    }
    if (e->type() == QEvent::KeyRelease) {
        auto* k = static_cast<QKeyEvent*>(e);
        // A key held down goes up once.
        if (!k->isAutoRepeat())
            sansfaute([&] { Text1_KeyUp(f, k->key()); });
        return true;
    }
    if (e->type() == QEvent::FocusIn) {
        sansfaute([&] { Text1_GotFocus(f); });
    } else if (e->type() == QEvent::FocusOut) {
        f.posi->hide();
    }
    return QObject::eventFilter(o, e);
}

void Text1_GotFocus(FeuilleP& f)
{
    // Editing the equation puts its table out of use.
    f.etat.tableauactif = false;
    f.HScroll1->setEnabled(false);
    f.Picture2->bordure = true;
    f.Picture2->update();
    f.outilequa->show();
    for (QToolButton* b : f.Image5)
        b->unsetCursor();
    f.posi->show();
    Text1_Change(f);
}

// A click in the picture, or on the caret image, puts the caret on the character under it.
void placercurseur(FeuilleP& f, int x)
{
    effets r;
    placer(f.etat, cadre(f), x, r);
    appliquer(f, r);
}

bool filtreposi::eventFilter(QObject* o, QEvent* e)
{
    if (e->type() == QEvent::MouseButtonPress || e->type() == QEvent::MouseMove) {
        auto* m = static_cast<QMouseEvent*>(e);
        if (m->buttons() & Qt::LeftButton) {
            sansfaute([&] { placercurseur(f, static_cast<int>(m->position().x()) + f.posi->x()); });
            return true;
        }
    }
    return QObject::eventFilter(o, e);
}

void Picture2_MouseUp(FeuilleP& f, QMouseEvent* m)
{
    if (m->button() == Qt::LeftButton)
        sansfaute([&] { placercurseur(f, static_cast<int>(m->position().x())); });
}

namespace {

void construireoutils(FeuilleP& f)
{
    f.outilequa = new QFrame(&f);
    f.outilequa->setObjectName(QStringLiteral("outilequa"));
    f.outilequa->setGeometry(zoneoutilequa);
    f.outilequa->setFrameShape(QFrame::Box);
    f.outilequa->setAutoFillBackground(true);
    QPalette pal = f.outilequa->palette();
    pal.setColor(QPalette::Window, QColor(240, 235, 230));
    f.outilequa->setPalette(pal);
    f.outilequa->setAccessibleName(QStringLiteral("Outils de l'équation"));
    f.suivre(f.outilequa);

    f.Text3->setParent(f.outilequa);
    f.Text3->setGeometry(8, 8, 673, 50);

    f.opti = new QCheckBox(QStringLiteral("indice"), f.outilequa);
    f.opti->setObjectName(QStringLiteral("opti"));
    f.opti->setGeometry(16, 72, 100, 22);
    f.opte = new QCheckBox(QStringLiteral("exposant"), f.outilequa);
    f.opte->setObjectName(QStringLiteral("opte"));
    f.opte->setGeometry(16, 98, 100, 22);

    f.fleche = new QPushButton(QStringLiteral("\u27F6"), f.outilequa);
    f.fleche->setObjectName(QStringLiteral("fleche"));
    f.fleche->setToolTip(QStringLiteral("Flêche de l'équation-bilan"));
    f.fleche->setFont(police(QStringLiteral("Symbol"), 14));
    f.fleche->setGeometry(128, 72, 64, 48);
    f.fleche->setAccessibleName(QStringLiteral("Flèche"));
    f.fleche->setAccessibleDescription(QStringLiteral("Insère la flèche de l'équation-bilan"));

    f.Command14 = new QPushButton(QStringLiteral("Vérifier l'équation chimique"), f.outilequa);
    f.Command14->setObjectName(QStringLiteral("Command14"));
    f.Command14->setGeometry(212, 72, 220, 48);
    f.valideur = new QPushButton(QStringLiteral("Tableau d'avancement"), f.outilequa);
    f.valideur->setObjectName(QStringLiteral("valideur"));
    f.valideur->setGeometry(452, 72, 220, 48);
    f.valideur->setEnabled(false);
    for (QPushButton* b : {f.Command14, f.valideur})
        b->setFont(police(QStringLiteral("Arial"), 10, true));
}

} // namespace

void construireediteur(FeuilleP& f)
{
    f.Picture2 = new Dessin(&f, QStringLiteral("Picture2"), zonepicture2, QColor(192, 192, 255));
    f.Picture2->surrelache = [&f](QMouseEvent* m) { Picture2_MouseUp(f, m); };
    f.Picture2->setAccessibleName(QStringLiteral("Équation chimique"));
    f.suivre(f.Picture2);
    construireoutils(f);

    // The box only holds the keys and the caret: the pupil reads the drawing.
    f.Text1 = new QLineEdit(&f);
    f.Text1->setObjectName(QStringLiteral("Text1"));
    // Under the equation picture, which covers it: the box holds the keys,
    // the caret image posi is the caret the pupil sees.
    f.Text1->setGeometry(zonepicture2.x() + 1, zonepicture2.y() + 1, 21, 22);
    f.Text1->lower();
    f.Text1->setFrame(false);
    f.Text1->setAccessibleName(QStringLiteral("Saisie de l'équation chimique"));
    f.Text1->setAccessibleDescription(
        QStringLiteral("Les flèches haut et bas passent en indice ou en exposant ; Entrée donne le tableau "
                       "d'avancement."));
    f.Text1->installEventFilter(new filtretext1(f));

    f.posi = new QLabel(f.Picture2);
    f.posi->setObjectName(QStringLiteral("posi"));
    f.posi->setPixmap(imagecurseur());
    f.posi->resize(20, 26);
    f.posi->setAccessibleName(QStringLiteral("Curseur de l'équation"));
    f.posi->setCursor(Qt::SizeHorCursor);
    f.posi->installEventFilter(new filtreposi(f));
    f.posi->hide();

    // A text given to the box from outside the editor is a new equation.
    QObject::connect(f.Text1, &QLineEdit::textChanged, &f, [&f] {
        if (!montrant && f.Text1->text() != f.etat.texte)
            sansfaute([&f] { mettreequation(f, f.Text1->text()); });
    });
    for (auto [c, indice] : {std::pair{f.opti, true}, std::pair{f.opte, false}}) {
        QObject::connect(c, &QCheckBox::stateChanged, &f, [&f, c = c, indice = indice] {
            sansfaute([&] {
                effets r;
                cocheroption(f.etat, indice, c->isChecked(), r);
                appliquer(f, r);
            });
        });
    }
    QObject::connect(f.fleche, &QPushButton::clicked, &f, [&f] {
        sansfaute([&f] {
            effets r;
            inserer(f.etat, cadre(f), QStringLiteral("="), r);
            appliquer(f, r);
        });
    });
    // The display option that colours the coefficients lives in the
    // "Affichage" panel, built before the editor.
    QObject::connect(f.COLORSTO, &QCheckBox::stateChanged, &f,
                     [&f] { sansfaute([&f] { COLORSTO_Click(f); }); });
}

void COLORSTO_Click(FeuilleP& f)
{
    f.etat.colorsto = etatcase(f.COLORSTO);
    Text1_Change(f);
}

} // namespace qm
