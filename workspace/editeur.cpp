#include "workspace/editeur.h"

#include <QCheckBox>
#include <QFrame>
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
#include "core/notation.h"
#include "core/verification.h"
#include "workspace/cadre.h"
#include "workspace/dessin.h"
#include "workspace/feuillep.h"
#include "workspace/tableau.h"

namespace qm {

namespace {

bool estmarqueur(QChar c) { return c == QLatin1Char('#') || c == QLatin1Char('*'); }

QChar caractere(const QString& t, int i) { return i >= 0 && i < t.size() ? t[i] : QChar(); }

// Sets an option without letting its handler take it for the pupil's choice.
void cocher(QCheckBox* c, bool oui)
{
    if (c && c->isChecked() != oui)
        c->setChecked(oui);
}

void opt_Click(FeuilleP& f, QCheckBox* lui, QCheckBox* autre)
{
    if (f.etat.synchro == 1)
        return;
    f.etat.synchro = 2;
    if (lui->isChecked())
        cocher(autre, false);
    f.Text1->setFocus();
}

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

// The key handling of Text1, as an event filter so that a key can be cancelled
// before the box itself sees it.
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

} // namespace

// Key down: returns true when the box must not handle the key itself.
bool Text1_KeyDown(FeuilleP& f, int touche, Qt::KeyboardModifiers modifs)
{
    f.etat.debordement = 0;
    f.etat.redessine = 0;
    const bool navigation = touche == Qt::Key_Home || touche == Qt::Key_End || touche == Qt::Key_Left ||
                            touche == Qt::Key_Right || touche == Qt::Key_Up || touche == Qt::Key_Down ||
                            touche == Qt::Key_Delete;
    if (navigation && touche != Qt::Key_Up && touche != Qt::Key_Down)
        f.etat.synchro = 0;
    const QString t = f.Text1->text();
    const int c = f.Text1->cursorPosition();
    if (touche == Qt::Key_Down && c >= t.size())
        f.etat.findetexte = 1;
    // A modifier cancels the key; the caret is then left alone, so that it never
    // ends between a marker and its character.
    const bool annule = !navigation || (modifs & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier));
    bool supprime = false;
    if (!annule) {
        if (touche == Qt::Key_Left && estmarqueur(caractere(t, c - 2)))
            f.Text1->setCursorPosition(c - 1);
        if (touche == Qt::Key_Right && estmarqueur(caractere(t, c)))
            f.Text1->setCursorPosition(c + 1);
        if (touche == Qt::Key_Delete && estmarqueur(caractere(t, c))) {
            QString u = t;
            u.remove(c, 2);
            f.Text1->setText(u);
            f.Text1->setCursorPosition(c);
            supprime = true;
        }
    }
    Text1_Change(f);
    // The box's Up and Down do nothing to a one-line text: the key-up step has
    // nothing to undo.
    return annule || supprime || touche == Qt::Key_Up || touche == Qt::Key_Down;
}

namespace {

void retourarriere(FeuilleP& f)
{
    const QString t = f.Text1->text();
    const int c = f.Text1->cursorPosition();
    if (c <= 0)
        return;
    const int n = estmarqueur(caractere(t, c - 2)) ? 2 : 1;
    QString u = t;
    u.remove(c - n, n);
    f.Text1->setText(u);
    f.Text1->setCursorPosition(c - n);
}

bool caracterepermis(QChar c)
{
    return (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) || (c >= QLatin1Char('a') && c <= QLatin1Char('z')) ||
           c.isDigit() || QStringLiteral("+-()=").contains(c);
}

} // namespace

void Text1_KeyPress(FeuilleP& f, QChar k)
{
    if (k == QLatin1Char('\r') || k == QLatin1Char('\n')) {
        if (f.valideur->isEnabled())
            valideur_Click(f);
        return;
    }
    if (k == QLatin1Char('=') && !f.fleche->isEnabled())
        return;
    if (k == QLatin1Char('-'))
        cocher(f.opte, true);
    if (k == QLatin1Char('\b')) {
        retourarriere(f);
        return;
    }
    if (k.unicode() > 127 || !caracterepermis(k))
        return;
    const QString t = f.Text1->text();
    const int c = f.Text1->cursorPosition();
    const QChar avant = caractere(t, c - 1);
    if (k >= QLatin1Char('0') && k <= QLatin1Char('9')) {
        if (!f.opti->isChecked() && !f.opte->isChecked() && avant.isLetter() && avant.unicode() < 128)
            cocher(f.opti, true);
    } else {
        cocher(f.opti, false);
        if (k != QLatin1Char('+') && k != QLatin1Char('-'))
            cocher(f.opte, false);
    }
    if (k >= QLatin1Char('a') && k <= QLatin1Char('z') && !(avant >= QLatin1Char('A') && avant <= QLatin1Char('Z')))
        k = k.toUpper();
    QString insere;
    if (f.opte->isChecked())
        insere = QStringLiteral("*");
    else if (f.opti->isChecked())
        insere = QStringLiteral("#");
    insere += k;
    f.Text1->insert(insere);
    if (k == QLatin1Char('+') || k == QLatin1Char('-')) {
        cocher(f.opti, false);
        cocher(f.opte, false);
    } else if (k == QLatin1Char(')')) {
        cocher(f.opti, true);
    }
}

void Text1_KeyUp(FeuilleP& f, int touche)
{
    if (touche == Qt::Key_Down) {
        if (!f.opte->isChecked())
            cocher(f.opti, true);
        else
            cocher(f.opte, false);
    } else if (touche == Qt::Key_Up) {
        if (!f.opti->isChecked())
            cocher(f.opte, true);
        else
            cocher(f.opti, false);
    }
    f.etat.findetexte = 0;
    Text1_Change(f);
}

bool filtretext1::eventFilter(QObject* o, QEvent* e)
{
    if (e->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(e);
        if (k->key() == Qt::Key_Tab || k->key() == Qt::Key_Backtab)
            return false; // focus moves on as usual
        const bool annule = Text1_KeyDown(f, k->key(), k->modifiers());
        const QString texte = k->text();
        const bool caracterenav = k->key() == Qt::Key_Delete || k->key() == Qt::Key_Escape;
        if (!texte.isEmpty() && !caracterenav && !(k->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
            Text1_KeyPress(f, texte[0]);
        return annule;
    }
    if (e->type() == QEvent::KeyRelease) {
        auto* k = static_cast<QKeyEvent*>(e);
        // A key held down goes up once.
        if (!k->isAutoRepeat())
            Text1_KeyUp(f, k->key());
        return true;
    }
    if (e->type() == QEvent::FocusIn) {
        Text1_GotFocus(f);
    } else if (e->type() == QEvent::FocusOut) {
        f.posi->hide();
    }
    return QObject::eventFilter(o, e);
}

void Text1_GotFocus(FeuilleP& f)
{
    if (f.HScroll1)
        f.HScroll1->setEnabled(false);
    f.Picture2->bordure = true;
    f.Picture2->update();
    f.outilequa->show();
    for (QToolButton* b : f.Image5)
        if (b)
            b->unsetCursor();
    f.posi->show();
    Text1_Change(f);
}

// A click in the picture, or on the caret image, puts the caret on the character under it.
void placercurseur(FeuilleP& f, int x)
{
    f.etat.placement = 1;
    f.etat.xclic = x - 6;
    f.etat.synchro = 0;
    f.Text1->setFocus();
    Text1_Change(f);
}

bool filtreposi::eventFilter(QObject* o, QEvent* e)
{
    if (e->type() == QEvent::MouseButtonPress || e->type() == QEvent::MouseMove) {
        auto* m = static_cast<QMouseEvent*>(e);
        if (m->buttons() & Qt::LeftButton) {
            placercurseur(f, static_cast<int>(m->position().x()) + f.posi->x());
            return true;
        }
    }
    return QObject::eventFilter(o, e);
}

namespace {

// The drawing of one text into Picture2, character by character.
struct trace {
    FeuilleP& f;
    const QString t;
    QPainter p;
    QFont grand = police(QStringLiteral("Arial"), 12);
    QFont petit = police(QStringLiteral("Arial"), 8);
    QFont symbole = police(QStringLiteral("Symbol"), 12);
    int largeur = 0;
    int y0 = 0;
    int x = 20;
    int colonne = 1;
    int precclic = -1000; // start x of the previous character, for the click test
    int precchev = 0;     // and for the overlap test
    int run = 0;          // the open run: 0 none, 1 subscripts, 2 superscripts
    int debutrun = 0;
    int xdroite = 0;      // rightmost x reached
    int curseur = 0;

    trace(FeuilleP& f, const QString& t) : f(f), t(t), p(&f.Picture2->image)
    {
        largeur = f.Picture2->image.width();
        y0 = static_cast<int>(std::nearbyint((f.Picture2->image.height() - QFontMetrics(grand).height()) / 2.0));
        if (f.etat.modeaffichage == 100)
            x = f.etat.decalage[1];
        curseur = f.Text1->cursorPosition();
    }
};

bool estseparateur(const QString& t, int i) // i is 0-based
{
    return t[i] == QLatin1Char('=') || (t[i] == QLatin1Char('+') && (i <= 1 || t[i - 1] != QLatin1Char('*')));
}

void placerposi(trace& d, int x)
{
    int y = d.y0 - 5;
    if (d.f.opte->isChecked())
        y = d.y0 - 15;
    else if (d.f.opti->isChecked())
        y = d.y0 - 1;
    d.f.posi->move(x - 10, y);
}

// The options follow the character after the caret, unless the pupil chose them.
void suivreoptions(trace& d)
{
    if (d.f.etat.synchro == 2)
        return;
    const QChar apres = caractere(d.t, d.curseur);
    const std::int16_t avant = d.f.etat.synchro;
    d.f.etat.synchro = 1;
    cocher(d.f.opti, apres == QLatin1Char('#'));
    cocher(d.f.opte, apres == QLatin1Char('*'));
    d.f.etat.synchro = avant;
}

enum class suite { continuer, arreter };

// Steps 4 to 11 for the character at i (0-based), drawn as `texte`.
suite dessinercaractere(trace& d, int i, bool marque, int debutc, const QFont& police_, int y, QString texte);

suite dessiner(trace& d)
{
    etatfeuille& e = d.f.etat;
    if (d.t.isEmpty() || d.curseur == 0)
        d.f.posi->move(d.x - 10, d.y0 - 5);
    for (int i = 0; i < d.t.size(); ++i) {
        int y = d.y0;
        bool marque = false;
        int genre = 0;
        QChar c = d.t[i];
        if (estmarqueur(c) && i + 1 < d.t.size()) {
            genre = c == QLatin1Char('#') ? 1 : 2;
            ++i;
            c = d.t[i];
            marque = true;
            y = genre == 1 ? d.y0 + 8 : d.y0 - 6;
            if (d.run != 0 && d.run != genre)
                d.x = d.debutrun;
            if (d.run != genre) {
                d.run = genre;
                d.debutrun = d.x;
            }
        } else if (d.run != 0) {
            d.x = std::max(d.x, d.xdroite);
            d.run = 0;
        }
        QString texte(c);
        // A charge's sign drawn as a true minus, as wide as the plus: a
        // hyphen that small is hardly seen.
        if (genre == 2 && c == QLatin1Char('-'))
            texte = QString(QChar(0x2212));
        QFont police_ = marque ? d.petit : d.grand;
        std::optional<int> suivante; // where the next species starts, in table mode
        if (!marque && estseparateur(d.t, i)) {
            texte = c == QLatin1Char('=') ? QStringLiteral(" ⟶ ") : QStringLiteral(" + ");
            if (c == QLatin1Char('='))
                police_ = d.symbole;
            if (e.modeaffichage == 100 && d.colonne <= 10) {
                const QFontMetrics m(police_);
                d.x = d.colonne * e.largeurcolonne - static_cast<int>(std::nearbyint(m.horizontalAdvance(texte) / 2.0));
                // The next species at its own offset in its column, never
                // over the separator.
                suivante = d.colonne * e.largeurcolonne + e.decalage[static_cast<std::size_t>(d.colonne + 1)];
                ++d.colonne;
            }
        }
        if (dessinercaractere(d, i, marque, d.x, police_, y, texte) == suite::arreter)
            return suite::arreter;
        if (suivante && *suivante > d.x) {
            d.x = *suivante;
            d.xdroite = std::max(d.xdroite, d.x);
        }
    }
    return suite::continuer;
}

suite dessinercaractere(trace& d, int i, bool marque, int debutc, const QFont& police_, int y, QString texte)
{
    etatfeuille& e = d.f.etat;
    const QChar c = d.t[i];
    QColor couleur(0, 0, 128);
    const bool coefficient = c.isDigit() && !marque;
    if (coefficient && d.f.COLORSTO && d.f.COLORSTO->isChecked())
        couleur = QColor(255, 0, 0);
    if (e.placement && d.precclic < e.xclic && e.xclic <= d.x) {
        d.f.Text1->setCursorPosition(marque ? i + 1 : i);
        d.curseur = d.f.Text1->cursorPosition();
        e.placement = 0;
    }
    d.p.setFont(police_);
    d.p.setPen(couleur);
    d.p.drawText(d.x, y + QFontMetrics(police_).ascent(), texte);
    if (e.modeaffichage == 100 && d.x < d.precchev) {
        d.p.end();
        e.debordement = 1;
        e.redessine = 1;
        e.modeaffichage = 0;
        Text1_Change(d.f);
        return suite::arreter;
    }
    if (d.x > 0.95 * d.largeur) {
        d.p.end();
        if (e.modeaffichage != 0) {
            e.redessine = 1;
            e.modeaffichage = 0;
            Text1_Change(d.f);
        } else if (!e.redessine) {
            // One message for one key: while the text is being cut, a text
            // still too long is cut again without a word.
            if (e.rognage == 0)
                boitemessage(&d.f, QStringLiteral("Il n'y a pas assez de place pour cette expression"),
                             QStringLiteral("Dépassement de capacité"));
            QString u = d.f.Text1->text();
            u.chop(1);
            // A subscript or superscript goes with its marker.
            if (!u.isEmpty() && estmarqueur(u.back()))
                u.chop(1);
            const std::int16_t avant = e.rognage;
            e.rognage = 1;
            d.f.Text1->setText(u);
            e.rognage = avant;
        }
        // After a fall-back the normal drawing simply stops where the room ends.
        return suite::arreter;
    }
    d.precclic = debutc;
    d.precchev = debutc;
    d.x += QFontMetrics(police_).horizontalAdvance(texte);
    d.xdroite = std::max(d.xdroite, d.x);
    if (d.curseur == i + 1) {
        const bool indicepuisexposant = marque && i >= 1 && d.t[i - 1] == QLatin1Char('#') &&
                                        caractere(d.t, i + 1) == QLatin1Char('*');
        suivreoptions(d);
        placerposi(d, indicepuisexposant ? debutc : d.x);
    }
    return suite::continuer;
}

} // namespace

void Text1_Change(FeuilleP& f)
{
    etatfeuille& e = f.etat;
    if (e.debordement == 1 || f.Text1->text().isEmpty())
        e.modeaffichage = 0;
    if (e.occupe == 1)
        return;
    const saisie avant{f.Text1->text().toStdString(), f.Text1->cursorPosition(), f.fleche->isEnabled()};
    const saisie apres = corrigetext1(avant);
    e.occupe = 1;
    f.fleche->setEnabled(apres.fleche);
    const QString texte = QString::fromStdString(apres.texte);
    if (texte != f.Text1->text())
        f.Text1->setText(texte);
    f.Text1->setCursorPosition(apres.curseur);
    e.occupe = 0;

    f.Picture2->effacer();
    {
        trace d(f, f.Text1->text());
        const suite s = dessiner(d);
        if (s == suite::continuer) {
            if (e.placement) {
                f.Text1->setCursorPosition(d.t.size());
                e.placement = 0;
            }
            if (e.modeaffichage >= 1 && e.modeaffichage <= 10)
                e.decalage[static_cast<std::size_t>(e.modeaffichage)] = static_cast<std::int16_t>(d.x - 20);
        }
    }
    f.valideur->setEnabled(!f.fleche->isEnabled());
    f.Picture2->rafraichir();
}

namespace {

// Setting the same text again runs no change handling by itself.
void mettretexte(FeuilleP& f, const QString& t)
{
    if (f.Text1->text() == t)
        Text1_Change(f);
    else
        f.Text1->setText(t);
}

// Limits the equation on display to ten species, with its message.
void moinsde10(FeuilleP& f)
{
    const coupure c = qm::moinsde10(f.Text1->text().toStdString());
    if (!c.message)
        return;
    boitemessage(&f, msgcolonnes);
    f.Text1->setText(QString::fromStdString(c.texte));
}

void pointeurs(FeuilleP& f, bool personnalise)
{
    for (QToolButton* b : f.Image5) {
        if (!b)
            continue;
        if (personnalise)
            b->setCursor(Qt::PointingHandCursor);
        else
            b->unsetCursor();
    }
}

} // namespace

void verifequation(FeuilleP& f, bool avecbravo)
{
    ++f.etat.verifications;
    if (f.HScroll1)
        f.HScroll1->setValue(0);
    if (f.Picture3)
        f.Picture3->setEnabled(false);
    if (f.HScroll1)
        f.HScroll1->setEnabled(false);
    const verification v = qm::verifequation(f.Text1->text().toStdString(), f.etat.coef, f.etat.elements);
    f.etat.coef = v.coef;
    switch (v.resultat) {
    case verdict::rejetee:
        boitemessage(&f, v.erreur);
        break;
    case verdict::desequilibree:
        if (f.fenetreaidequa)
            f.fenetreaidequa(v.grille);
        break;
    case verdict::equilibree:
        if (f.HScroll1)
            f.HScroll1->setEnabled(true);
        if (f.Picture3)
            f.Picture3->setEnabled(true);
        if (avecbravo && f.fenetrebravo)
            f.fenetrebravo();
        break;
    }
}

void Command14_Click(FeuilleP& f)
{
    if (equationvide(f.Text1->text().toStdString())) {
        boitemessage(&f, msgequationvide);
        return;
    }
    moinsde10(f);
    verifequation(f, true);
}

void valideur_Click(FeuilleP& f)
{
    moinsde10(f);
    verifequation(f, false);
    f.etat.tableaudemande = 1;
    if (f.Picture3 && f.Picture3->isEnabled()) {
        // The table takes the keyboard (its cursor moves with the arrows):
        // left in the equation box or passed on to it as the tools hide, the
        // focus would mean editing again and disable the cursor at once.
        if (f.HScroll1)
            f.HScroll1->setFocus(Qt::OtherFocusReason);
        f.outilequa->hide();
        pointeurs(f, true);
        majtab(f);
    } else {
        f.outilequa->show();
        pointeurs(f, false);
    }
    f.outilequa->repaint();
}

void numeq_Click(FeuilleP& f, int index)
{
    if (index < 0 || index > 9)
        return;
    etatfeuille& e = f.etat;
    if (f.Timer1)
        f.Timer1->stop();
    const auto courant = static_cast<std::size_t>(e.numcourant);
    const auto choisi = static_cast<std::size_t>(index);
    e.eqtexte[courant] = f.Text1->text().toStdString();
    for (std::size_t k = 1; k <= 11; ++k) {
        e.eqquant[courant][k] = e.quant[k];
        e.quant[k] = e.eqquant[choisi][k];
    }
    f.Text1->setText(QString::fromStdString(e.eqtexte[choisi]));
    e.numcourant = static_cast<std::int16_t>(index);
    if (f.valideur->isEnabled()) {
        valideur_Click(f);
        if (f.HScroll1)
            f.HScroll1->setValue(0);
    } else {
        f.Text1->setFocus();
    }
}

void choisirequation(FeuilleP& f, int index)
{
    if (index < 0 || index > 9)
        return;
    f.numeq[static_cast<std::size_t>(index)]->setChecked(true);
    numeq_Click(f, index);
}

namespace {

// Separators of the text: an "=" or a "+" not preceded by "*", never the first character.
void separateurs(etatfeuille& e, const QString& t)
{
    e.possep.fill(0);
    e.possep[0] = 1;
    int n = 0;
    e.sepegal = 0;
    for (int p = 1; p < t.size(); ++p) {
        const bool plus = t[p] == QLatin1Char('+') && t[p - 1] != QLatin1Char('*');
        const bool egal = t[p] == QLatin1Char('=');
        if (!plus && !egal)
            continue;
        ++n;
        if (egal)
            e.premierproduit = static_cast<std::int16_t>(n + 1);
        if (n < 11) {
            e.possep[static_cast<std::size_t>(n)] = static_cast<std::int16_t>(p + 1);
            if (egal)
                e.sepegal = static_cast<std::int16_t>(n);
        }
    }
    e.nbcolonnes = static_cast<std::int16_t>(std::min(n, 10) + 1);
}

void cadretableau(FeuilleP& f, int n)
{
    if (!f.Picture3)
        return;
    etatfeuille& e = f.etat;
    QPainter p(&f.Picture3->image);
    const int w = f.Picture3->image.width();
    p.setPen(QPen(Qt::black, 1));
    p.drawRect(0, 0, w - 1, 150);
    p.drawRect(0, 25, w - 1, 100);
    for (int k = 1; k <= n; ++k) {
        p.setPen(QPen(Qt::black, k == e.sepegal ? 3 : 1));
        p.drawLine(k * e.largeurcolonne, 0, k * e.largeurcolonne, 150);
    }
    f.Picture3->rafraichir();
}

} // namespace

void etaler(FeuilleP& f)
{
    etatfeuille& e = f.etat;
    moinsde10(f);
    if (f.Picture3)
        f.Picture3->effacer();
    f.outilequa->hide();
    pointeurs(f, true);
    const QString t = f.Text1->text();
    separateurs(e, t);
    const int n = e.nbcolonnes - 1;
    e.largeurcolonne =
        static_cast<std::int16_t>(std::nearbyint(f.Picture2->image.width() / static_cast<double>(n + 1)));
    cadretableau(f, n);
    if (n >= 1) {
        for (int k = 1; k <= n + 1; ++k) {
            e.modeaffichage = static_cast<std::int16_t>(k);
            const int debut = k == 1 ? 0 : e.possep[static_cast<std::size_t>(k - 1)];
            const int fin = k <= n ? e.possep[static_cast<std::size_t>(k)] - 1 : t.size();
            mettretexte(f, t.mid(debut, std::min(fin - debut, 1000)));
        }
    }
    for (int k = 1; k <= n + 1; ++k) {
        auto& d = e.decalage[static_cast<std::size_t>(k)];
        d = static_cast<std::int16_t>(std::nearbyint((e.largeurcolonne - d) / 2.0));
    }
    e.modeaffichage = 100;
    mettretexte(f, t);
    if (e.debordement) {
        f.Text1->setText(t);
        Text1_Change(f);
        e.debordement = 0;
    }
}

void Picture2_MouseUp(FeuilleP& f, QMouseEvent* m)
{
    if (m->button() == Qt::LeftButton)
        placercurseur(f, static_cast<int>(m->position().x()));
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
    f.suivre(f.Picture2);
    construireoutils(f);

    // The box only holds the keys and the caret: the pupil reads the drawing.
    f.Text1 = new QLineEdit(&f);
    f.Text1->setObjectName(QStringLiteral("Text1"));
    // Under the equation picture, which covers it: the box holds the keys,
    // the caret image posi is the caret the pupil sees.
    f.Text1->setGeometry(zonepicture2.x() + 1, zonepicture2.y() + 1, 21, 22);
    f.Text1->lower();
    // Its raw text, markers and all, is not for the pupil's eyes.
    f.Text1->setFrame(false);
    QPalette discret = f.Text1->palette();
    discret.setColor(QPalette::Base, QColor(225, 225, 212));
    discret.setColor(QPalette::Text, QColor(225, 225, 212));
    discret.setColor(QPalette::Highlight, QColor(225, 225, 212));
    discret.setColor(QPalette::HighlightedText, QColor(225, 225, 212));
    f.Text1->setPalette(discret);
    f.Text1->installEventFilter(new filtretext1(f));

    f.posi = new QLabel(f.Picture2);
    f.posi->setObjectName(QStringLiteral("posi"));
    f.posi->setPixmap(imagecurseur());
    f.posi->resize(20, 26);
    f.posi->setCursor(Qt::SizeHorCursor);
    f.posi->installEventFilter(new filtreposi(f));
    f.posi->hide();

    QObject::connect(f.Text1, &QLineEdit::textChanged, &f, [&f] { Text1_Change(f); });
    QObject::connect(f.opti, &QCheckBox::stateChanged, &f, [&f] { opt_Click(f, f.opti, f.opte); });
    QObject::connect(f.opte, &QCheckBox::stateChanged, &f, [&f] { opt_Click(f, f.opte, f.opti); });
    QObject::connect(f.fleche, &QPushButton::clicked, &f, [&f] {
        f.Text1->insert(QStringLiteral("="));
        f.Text1->setFocus();
    });
    QObject::connect(f.Command14, &QPushButton::clicked, &f, [&f] { Command14_Click(f); });
    QObject::connect(f.valideur, &QPushButton::clicked, &f, [&f] { valideur_Click(f); });
    for (int i = 0; i < 10; ++i)
        QObject::connect(f.numeq[static_cast<std::size_t>(i)], &QRadioButton::clicked, &f,
                         [&f, i] { numeq_Click(f, i); });
}

} // namespace qm
