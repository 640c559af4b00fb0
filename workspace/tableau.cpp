#include "workspace/tableau.h"

#include <QCheckBox>
#include <QEvent>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QFrame>
#include <QHash>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTimer>
#include <QToolButton>

#include <algorithm>
#include <cmath>

#include "app/initialisation.h"
#include "app/sansfaute.h"
#include "core/nombre.h"
#include "workspace/cadre.h"
#include "workspace/dessin.h"
#include "workspace/espace.h"
#include "workspace/feuillep.h"
#include "workspace/graphe.h"
#include "workspace/litteral.h"
#include "workspace/quantite.h"

namespace qm {

namespace {

const QColor marine(0, 0, 128);
const QColor rouge(255, 0, 0);
const QColor bleupale(220, 240, 255);
const QColor bleu(100, 150, 255);
const QColor grisclair(192, 192, 192);

constexpr int hautbande = 25; // bottom of the initial-state band
constexpr int basbande = 125; // bottom of the bar band
constexpr int bascadre = 150; // bottom of the final-state band
constexpr int pmax = 10000;   // the cursor's final state

const QString aidecurseur = QStringLiteral("Déplacer le curseur pour modifier l'avancement de la réaction.");
const QString aideglisser = QStringLiteral("Déplacer le curseur pour") + QLatin1Char('\n') +
                            QStringLiteral("modifier l'avancement de la réaction.");
const QString aidesaisie =
    QStringLiteral("Vous devez cliquer sous un réactif pour saisir la quantité de matière initiale");

int arrondi(double v)
{
    return static_cast<int>(std::nearbyint(v));
}

// Widths in the table's two faces, remembered: the same few texts ("0",
// the initial amounts) come back at every step of a drag or an animation,
// and measuring is most of a redraw's time.
int largeurtexte(bool gras, const QString& t)
{
    static QHash<QString, int> connues[2];
    QHash<QString, int>& h = connues[gras ? 1 : 0];
    if (const auto k = h.constFind(t); k != h.constEnd())
        return *k;
    if (h.size() >= 2048)
        h.clear();
    const int l = QFontMetrics(policetableau(gras)).horizontalAdvance(t);
    h.insert(t, l);
    return l;
}

mesuretexte mesurede(bool gras)
{
    return [gras](std::string_view s) {
        return largeurtexte(gras, QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())));
    };
}

textedessin textecentre(const std::string& texte, int colonne, int y, const QFont& police,
                        const QColor& couleur, int largeurcolonne)
{
    const QString t = QString::fromStdString(texte);
    const int x = gauchecentree(colonne, largeurcolonne, largeurtexte(police.bold(), t));
    return {t, QPoint(x, y), police, couleur, colonne};
}

void disposercadre(dessintableau& d, const entreedessin& e)
{
    const int w = e.taille.width();
    d.contours.push_back(QRect(QPoint(0, 0), QPoint(w - 1, bascadre)));
    d.contours.push_back(QRect(QPoint(0, hautbande), QPoint(w - 1, basbande)));
    for (int i = 1; i < e.nbcolonnes; ++i) {
        const int x = i * e.largeurcolonne;
        d.separations.push_back({QLine(x, 0, x, bascadre), Qt::black, i == e.premierproduit - 1 ? 3 : 1});
    }
}

// The bars stop one pixel short of the column boundaries, and of the frame's
// right edge for the last column.
void ajouterbarre(dessintableau& d, const entreedessin& e, int i, double y, const QColor& couleur)
{
    const std::optional<int> haut = hautbarre(y);
    if (!haut)
        return;
    const int x1 = (i - 1) * e.largeurcolonne + 1;
    int x2 = x1 + e.largeurcolonne - 2;
    if (x2 >= e.taille.width() - 1)
        x2 = e.taille.width() - 2;
    d.barres.push_back({QRect(QPoint(x1, *haut), QPoint(x2, basbande)).normalized(), couleur, i});
}

void disposerbarres(dessintableau& d, const entreedessin& e, const tableau& t, int i)
{
    const auto k = static_cast<std::size_t>(i);
    const double avance = e.p / 10000.0 * e.coef[k] * t.xmax;
    if (i < e.premierproduit) {
        const float initial = e.quant[k] * 100 / t.quantmax;
        ajouterbarre(d, e, i, static_cast<double>(basbande - initial), bleupale);
        ajouterbarre(d, e, i, basbande - (e.quant[k] - avance) * 100 / t.quantmax, bleu);
    } else {
        ajouterbarre(d, e, i, basbande - avance * 100 / t.quantmax, bleu);
    }
}

void disposergrille(dessintableau& d, int w)
{
    for (int y = 35; y <= 115; y += 10)
        d.grille.push_back({QLine(0, y, w, y), grisclair, 1});
    d.grille.push_back({QLine(0, hautbande, w, hautbande), Qt::black, 1});
    d.grille.push_back({QLine(0, basbande, w, basbande), Qt::black, 1});
}

// The current row is written in bold, so its width fallback is measured in bold.
void disposercourants(dessintableau& d, const entreedessin& e, const tableau& t, int n)
{
    const QFont gras = policetableau(true);
    const mesuretexte mesure = mesurede(true);
    const char sep = separateurlocal();
    const auto texte = [&](double v) { return formatcellule(v, t.seuilzero, e.largeurcolonne, mesure, sep); };
    for (int i = 1; i <= n; ++i) {
        const colonnetab& c = t.colonnes[static_cast<std::size_t>(i)];
        if (e.conso && c.reactif) {
            d.courants.push_back(
                textecentre(texte(c.courant.valeur), i, 84, gras, Qt::black, e.largeurcolonne));
            d.courants.push_back(textecentre(texte(c.consomme.valeur), i, 44, gras, rouge, e.largeurcolonne));
        } else {
            d.courants.push_back(
                textecentre(texte(c.courant.valeur), i, 64, gras, Qt::black, e.largeurcolonne));
        }
    }
}

void peindretextes(QPainter& p, const std::vector<textedessin>& textes)
{
    // A row shares one font: its metrics are looked up once.
    std::optional<QFont> courante;
    int ascent = 0;
    for (const textedessin& t : textes) {
        if (!courante || *courante != t.police) {
            courante = t.police;
            p.setFont(t.police);
            ascent = QFontMetrics(t.police).ascent();
        }
        p.setPen(t.couleur);
        p.drawText(t.coin.x(), t.coin.y() + ascent, t.texte);
    }
}

} // namespace

// Lines are painted as the pixels they cover, so that a scaled painter (a
// sharper copy of the picture) widens them with everything else. The table
// has only horizontal and vertical lines; a wide one covers as many pixels
// on either side of its axis.
void peindreligne(QPainter& p, const lignedessin& l)
{
    const int demi = std::max(l.epaisseur, 1) / 2;
    const QRect r = QRect(l.ligne.p1(), l.ligne.p2()).normalized();
    p.fillRect(l.ligne.dx() == 0 ? r.adjusted(-demi, 0, demi, 0) : r.adjusted(0, -demi, 0, demi), l.couleur);
}

char separateurlocal()
{
    const QString s = QLocale().decimalPoint();
    return s.size() == 1 && s.at(0).unicode() < 128 ? static_cast<char>(s.at(0).unicode()) : ',';
}

entreedessin entreede(const etatfeuille& etat, QSize taille)
{
    entreedessin e;
    e.taille = taille;
    e.nbcolonnes = etat.nbcolonnes;
    e.premierproduit = etat.premierproduit;
    e.largeurcolonne = etat.largeurcolonne;
    e.coef = etat.coef;
    e.p = etat.p;
    e.final = etat.final == 1;
    e.conso = etat.conso == 1;
    return e;
}

tableau calculer(etatfeuille& etat, const entreedessin& e)
{
    parametrestableau c;
    c.nbcolonnes = static_cast<std::int16_t>(e.nbcolonnes);
    c.premierproduit = static_cast<std::int16_t>(e.premierproduit);
    c.coef = e.coef;
    c.p = static_cast<std::int16_t>(e.p);
    c.final = e.final;
    c.conso = e.conso;
    c.largeurcolonne = e.largeurcolonne;
    c.mesure = mesurede(false);
    c.separateur = separateurlocal();
    return calcultableau(c, etat.quant);
}

QFont policetableau(bool gras)
{
    return police(QStringLiteral("Arial"), 12, gras);
}

QFont policelegendes()
{
    return police(QStringLiteral("MS Sans Serif"), 8.25);
}

std::optional<int> largeurcolonnes(int largeurentete, int nbcolonnes)
{
    if (nbcolonnes <= 0)
        return std::nullopt;
    return arrondi(static_cast<double>(largeurentete) / nbcolonnes);
}

std::optional<int> hautbarre(double y)
{
    if (!std::isfinite(y) || std::abs(y) > 32767)
        return std::nullopt;
    return std::max(arrondi(y), hautbande);
}

int gauchecentree(int colonne, int largeurcolonne, int largeurtexte)
{
    return (colonne - 1) * largeurcolonne + arrondi((largeurcolonne - largeurtexte) / 2.0);
}

dessintableau disposertableau(const entreedessin& e, const tableau& t)
{
    dessintableau d;
    d.taille = e.taille;
    const int n = std::clamp(e.nbcolonnes, 0, nombreespeces);
    if (e.cadre)
        disposercadre(d, e);
    const QFont normal = policetableau(false);
    for (int i = 1; i <= n; ++i) {
        const colonnetab& c = t.colonnes[static_cast<std::size_t>(i)];
        d.initiaux.push_back(textecentre(c.initial.texte, i, 4, normal, marine, e.largeurcolonne));
        if (t.quantmax != 0)
            disposerbarres(d, e, t, i);
    }
    disposergrille(d, e.taille.width());
    if (e.final)
        for (int i = 1; i <= n; ++i)
            d.finaux.push_back(textecentre(t.colonnes[static_cast<std::size_t>(i)].final.texte, i, 128,
                                           normal, marine, e.largeurcolonne));
    disposercourants(d, e, t, n);
    return d;
}

void peindretableau(QPainter& p, const dessintableau& d)
{
    p.setRenderHint(QPainter::Antialiasing, false);
    for (const QRect& r : d.contours)
        for (const QLine& l : {QLine(r.topLeft(), r.topRight()), QLine(r.topRight(), r.bottomRight()),
                               QLine(r.bottomLeft(), r.bottomRight()), QLine(r.topLeft(), r.bottomLeft())})
            peindreligne(p, {l, Qt::black, 1});
    for (const lignedessin& l : d.separations)
        peindreligne(p, l);
    peindretextes(p, d.initiaux);
    for (const barredessin& b : d.barres)
        p.fillRect(b.rect, b.couleur);
    for (const lignedessin& l : d.grille)
        peindreligne(p, l);
    peindretextes(p, d.finaux);
    peindretextes(p, d.courants);
}

std::vector<textedessin> disposerlegendes(int largeur, const tableau* echelle)
{
    const QFont f = policelegendes();
    const QFontMetrics m(f);
    const auto tw = [&](const QString& s) { return m.horizontalAdvance(s); };
    std::vector<textedessin> t;
    const auto placer = [&](const QString& s, int x, int y) { t.push_back({s, QPoint(x, y), f, marine, 0}); };
    // Centred as the unaccented word would be, so the capital's accent does
    // not shift the title.
    placer(QStringLiteral("Équation"), arrondi((largeur - tw(QStringLiteral("Equation"))) / 2.0), 7);
    const QString chimique = QStringLiteral("chimique");
    placer(chimique, arrondi((largeur - tw(chimique)) / 2.0), 20);
    const QString initial = QStringLiteral("Etat initial.........");
    placer(initial, largeur - 4 - tw(initial), 46);
    placer(QStringLiteral("Au cours de la"), 4, 76);
    placer(QStringLiteral("transformation....."), 4, 89);
    placer(QStringLiteral("( en mol )"), 14, 126);
    if (echelle) {
        const auto graduation = [&](const std::string& s, int y) {
            const QString q = QString::fromStdString(s);
            placer(q, largeur - tw(q) - 2, y);
        };
        graduation(echelle->echellehaut, 57);
        graduation(echelle->echellemilieu, 107);
        graduation(echelle->echellebas, 157);
    }
    const QString final = QStringLiteral("Etat final.........");
    placer(final, largeur - 4 - tw(final), 170);
    return t;
}

void peindrelegendes(QPainter& p, const std::vector<textedessin>& textes)
{
    peindretextes(p, textes);
}

std::optional<float> lirequantite(const QString& texte)
{
    // What the box can hold: digits and one comma typed by the pupil, or the
    // exponent form it was opened with for a very large or small amount.
    static const QRegularExpression forme(QStringLiteral("^([0-9]*)(,([0-9]*))?(E[+-]?[0-9]+)?$"),
                                          QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = forme.match(texte);
    if (!m.hasMatch() || (m.captured(1).isEmpty() && m.captured(3).isEmpty()))
        return std::nullopt;
    std::string s = texte.toStdString();
    std::replace(s.begin(), s.end(), ',', '.');
    return lirenombresimple(s);
}

QString textequantite(float quantite)
{
    if (quantite == 0 || !std::isfinite(quantite))
        return {};
    QLocale l;
    l.setNumberOptions(QLocale::OmitGroupSeparator);
    return l.toString(static_cast<double>(quantite), 'G', 7);
}

std::optional<QChar> filtresaisie(const QString& texte, int curseur, QChar c)
{
    if ((c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char(','))
        return c;
    if (c == QLatin1Char('.'))
        return QLatin1Char(',');
    const QString avant = texte.left(std::clamp(curseur, 0, static_cast<int>(texte.size())));
    // An exponent, once, after the digits: 2,5E-3.
    if (c == QLatin1Char('e') || c == QLatin1Char('E')) {
        const bool chiffres = std::any_of(avant.begin(), avant.end(), [](QChar k) {
            return k >= QLatin1Char('0') && k <= QLatin1Char('9');
        });
        if (chiffres && !texte.contains(QLatin1Char('e'), Qt::CaseInsensitive))
            return c;
        return std::nullopt;
    }
    // Its sign, just after it.
    if ((c == QLatin1Char('-') || c == QLatin1Char('+')) &&
        avant.endsWith(QLatin1Char('e'), Qt::CaseInsensitive))
        return c;
    return std::nullopt;
}

QCursor pointeurtableau()
{
    static const QCursor pointeur = [] {
        QPixmap image(32, 32);
        image.fill(Qt::transparent);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        // A pen slanting up to the right, its tip at (2, 29).
        QPainterPath corps;
        corps.moveTo(2, 29);
        corps.lineTo(6, 19);
        corps.lineTo(22, 3);
        corps.lineTo(28, 9);
        corps.lineTo(12, 25);
        corps.closeSubpath();
        p.setPen(QPen(Qt::black, 1.2));
        p.setBrush(QColor(255, 220, 90));
        p.drawPath(corps);
        p.setBrush(marine);
        p.drawPolygon(QPolygonF({QPointF(2, 29), QPointF(4, 23), QPointF(8, 27)}));
        p.setBrush(QColor(230, 120, 120));
        p.drawPolygon(QPolygonF({QPointF(19, 6), QPointF(22, 3), QPointF(28, 9), QPointF(25, 12)}));
        p.end();
        return QCursor(image, 2, 29);
    }();
    return pointeur;
}

// ---- The controls and their events ------------------------------------------

namespace {

// The equation tools cover the table while the equation is edited; until
// they exist the table counts as covered.
bool outilscaches(const FeuilleP& f)
{
    return f.outilequa->isHidden();
}

void aideinfo(FeuilleP& f, const QString& texte)
{
    f.info->setText(texte);
}

void activercopie(FeuilleP& f, bool actif)
{
    const auto k = f.commandes.find(QStringLiteral("Command4"));
    if (k != f.commandes.end() && k->second)
        k->second->setEnabled(actif);
}

// Clears Picture3 and draws the frame itself when the columns are not laid
// out again; the column width follows the header's.
void preparercadre(FeuilleP& f)
{
    f.Picture3->effacer();
    const int entete = f.Picture2->width();
    if (const auto l = largeurcolonnes(entete, f.etat.nbcolonnes); l && *l <= 32767)
        f.etat.largeurcolonne = static_cast<std::int16_t>(*l);
}

entreedessin entreede(const FeuilleP& f)
{
    return entreede(f.etat, f.Picture3->size());
}

tableau calculer(const entreedessin& e, tabquant& quant)
{
    etatfeuille etat;
    etat.quant = quant;
    const tableau t = calculer(etat, e);
    quant = etat.quant;
    return t;
}

void dessinerlegendes(FeuilleP& f, const tableau* echelle)
{
    f.Picture4->effacer();
    {
        QPainter p(&f.Picture4->image);
        peindrelegendes(p, disposerlegendes(f.Picture4->width(), echelle));
    }
    f.Picture4->rafraichir();
}

void ouvrirsaisie(FeuilleP& f)
{
    const int col = f.etat.colsaisie;
    const int l = f.etat.largeurcolonne;
    f.Text2->setGeometry((col - 1) * l, 1, l + 1, 23);
    f.Text2->setText(textequantite(f.etat.quant[static_cast<std::size_t>(col)]));
    f.Text2->setCursorPosition(0); // a box given a text has its caret at the start
    f.Timer1->stop();
    f.Text2->show();
    f.Text2->setFocus(Qt::MouseFocusReason);
}

// Commits the amount typed; with `annuler`, closes the box leaving the
// amount as it was.
void validersaisie(FeuilleP& f, bool annuler = false)
{
    // Hiding the box below moves the focus away from it: that loss of focus
    // must not commit a second time.
    static bool enfermeture = false;
    if (f.Text2->isHidden() || enfermeture)
        return;
    enfermeture = true;
    const struct fin {
        ~fin() { enfermeture = false; }
    } garde;
    f.etat.tableaudemande = 1;
    activercopie(f, true);
    const std::optional<float> q = lirequantite(f.Text2->text());
    if (!q && !annuler)
        f.Text2->setText(QStringLiteral("0"));
    if (f.etat.colsaisie >= 1 && f.etat.colsaisie <= nombreespeces && !annuler)
        f.etat.quant[static_cast<std::size_t>(f.etat.colsaisie)] = q.value_or(0.0f);
    // Committed by Enter, the box hands the keyboard to the cursor rather than
    // to whichever control comes next (the equation box would disable it).
    if (f.Text2->hasFocus())
        f.HScroll1->setFocus(Qt::OtherFocusReason);
    f.Text2->hide();
    majtab(f);
}

// The number of reactants whose amount can be typed: none while the equation
// is edited or its table is out of use.
int reactifssaisissables(const FeuilleP& f)
{
    if (!outilscaches(f) || !f.etat.tableauactif || f.etat.largeurcolonne <= 0)
        return 0;
    return std::clamp(f.etat.premierproduit - 1, 0, nombreespeces);
}

// Tab and Shift+Tab in the entry box: the amount committed, then the next or
// the previous reactant's entry opened; past the last or the first, the
// keyboard goes back to the cursor.
void saisievoisine(FeuilleP& f, int pas)
{
    const int suivante = f.etat.colsaisie + pas;
    validersaisie(f);
    if (suivante >= 1 && suivante <= reactifssaisissables(f)) {
        f.etat.colsaisie = static_cast<std::int16_t>(suivante);
        ouvrirsaisie(f);
    } else {
        f.HScroll1->setFocus(Qt::OtherFocusReason);
    }
}

// Enter or F2 on the cursor opens the first reactant's entry.
class liaisoncurseur : public QObject {
public:
    liaisoncurseur(FeuilleP& f, QObject* parent) : QObject(parent), f(f) {}

protected:
    bool eventFilter(QObject* objet, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress) {
            const int k = static_cast<QKeyEvent*>(event)->key();
            if (k == Qt::Key_Return || k == Qt::Key_Enter || k == Qt::Key_F2) {
                sansfaute([this] { HScroll1_KeyDown(f); });
                return true;
            }
            // The space bar is the animation's play and pause.
            if (k == Qt::Key_Space) {
                sansfaute([this] { Image5_Click(f, f.Timer1->isActive() ? 3 : 2); });
                return true;
            }
        }
        return QObject::eventFilter(objet, event);
    }

private:
    FeuilleP& f;
};

// The entry box's key and focus events go to the procedures above.
class liaisontext2 : public QObject {
public:
    liaisontext2(FeuilleP& f, QObject* parent) : QObject(parent), f(f) {}

protected:
    bool eventFilter(QObject* objet, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::KeyPress:
            return Text2_KeyPress(f, static_cast<QKeyEvent*>(event));
        case QEvent::FocusIn:
            Text2_GotFocus(f);
            break;
        case QEvent::FocusOut: {
            // Another window coming to the front is no commit: the box keeps
            // its text and the focus comes back to it.
            const Qt::FocusReason r = static_cast<QFocusEvent*>(event)->reason();
            if (r != Qt::ActiveWindowFocusReason && r != Qt::PopupFocusReason)
                Text2_LostFocus(f);
            break;
        }
        default:
            break;
        }
        return QObject::eventFilter(objet, event);
    }

private:
    FeuilleP& f;
};

QPixmap imageimage5(int index)
{
    QPixmap image = imagenette(QSize(22, 22));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(marine, 1));
    p.setBrush(QColor(60, 90, 220));
    const auto triangle = [&](qreal x1, qreal x2) {
        p.drawPolygon(QPolygonF({QPointF(x1, 4), QPointF(x2, 11), QPointF(x1, 18)}));
    };
    switch (index) {
    case 0: // back to the start: a bar, then a triangle pointing at it
        p.drawRect(QRectF(3, 4, 3, 14));
        triangle(18, 7);
        break;
    case 1: // on to the end
        triangle(4, 15);
        p.drawRect(QRectF(16, 4, 3, 14));
        break;
    case 2: // play
        triangle(6, 17);
        break;
    default: // pause
        p.drawRect(QRectF(5, 4, 4, 14));
        p.drawRect(QRectF(13, 4, 4, 14));
        break;
    }
    return image;
}

void construirecurseur(FeuilleP& f)
{
    // A sibling laid over the strip under the drawing, not a child of
    // Picture3: majtab disables Picture3 while it draws, and a disabled
    // parent would take the keyboard focus from the cursor and drop its thumb
    // in the middle of a drag.
    const QRect p3 = f.Picture3->geometry();
    auto* s = new QScrollBar(Qt::Horizontal, &f);
    s->setObjectName(QStringLiteral("HScroll1"));
    s->setGeometry(p3.x(), p3.y() + 151, p3.width(), 17);
    s->setRange(0, pmax);
    s->setSingleStep(100); // an animation step
    s->setPageStep(1000);
    s->setTracking(false);
    // A click on it takes the focus, so an amount being typed is committed
    // before the cursor moves; the arrow keys then move it.
    s->setFocusPolicy(Qt::StrongFocus);
    s->setInvertedControls(false); // a scroll bar's default turns Left and Right round
    // Its caption, level with it under the caption column.
    auto* l = new QLabel(QStringLiteral("Avancement"), &f);
    l->setObjectName(QStringLiteral("Label4"));
    l->setGeometry(zonepicture4.x(), s->y(), zonepicture4.width() - 1, s->height());
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    l->setFont(policelegendes());
    QPalette pl = l->palette();
    pl.setColor(QPalette::WindowText, marine);
    l->setPalette(pl);
    f.suivre(l);
    s->setAccessibleName(QStringLiteral("Avancement de la réaction"));
    s->setAccessibleDescription(QStringLiteral(
        "Les flèches, Début et Fin déplacent le curseur ; Espace lance ou arrête l'animation ; "
        "Entrée ou F2 ouvre la saisie des quantités initiales."));
    s->installEventFilter(new liaisoncurseur(f, s));
    QObject::connect(s, &QScrollBar::valueChanged, &f, [&f] { HScroll1_Change(f); });
    QObject::connect(s, &QScrollBar::sliderMoved, &f, [&f] { HScroll1_Scroll(f); });
    f.HScroll1 = s;
}

void construiresaisie(FeuilleP& f)
{
    auto* t = new QLineEdit(f.Picture3);
    t->setObjectName(QStringLiteral("Text2"));
    t->setAccessibleName(QStringLiteral("Quantité de matière initiale"));
    t->setAccessibleDescription(QStringLiteral(
        "En mol. Entrée valide, Tab passe au réactif suivant, Maj+Tab au précédent, Échap annule."));
    t->setFont(policetableau(false));
    t->setContextMenuPolicy(Qt::NoContextMenu); // no pasting past the key filter
    t->setAcceptDrops(false);
    t->hide();
    t->installEventFilter(new liaisontext2(f, t));
    f.Text2 = t;
}

void construireimages(FeuilleP& f)
{
    static const char* const bulles[] = {"Etat initial", "Etat final", "Animation", "Pause"};
    for (int i = 0; i < 4; ++i) {
        auto* b = new QToolButton(&f);
        b->setObjectName(QStringLiteral("Image5_%1").arg(i));
        b->setGeometry(zoneimage5(i));
        b->setIcon(QIcon(imageimage5(i)));
        b->setIconSize(QSize(22, 22));
        b->setAutoRaise(true);
        b->setFocusPolicy(Qt::NoFocus);
        b->setToolTip(QString::fromUtf8(bulles[i]));
        b->setAccessibleName(QString::fromUtf8(bulles[i]));
        QObject::connect(b, &QToolButton::clicked, &f, [&f, i] { Image5_Click(f, i); });
        f.Image5[static_cast<std::size_t>(i)] = b;
    }
}

// A control that does not take the keyboard leaves an amount being typed
// open: it is committed as the control is pressed, before its action runs,
// as a loss of focus would commit it.
void valideravant(FeuilleP& f, QAbstractButton* b)
{
    if (b)
        QObject::connect(b, &QAbstractButton::pressed, &f, [&f] { validersaisie(f); });
}

void brancheroptions(FeuilleP& f)
{
    for (const auto& [nom, b] : f.commandes)
        valideravant(f, b);
    valideravant(f, f.BTEXO);
    for (QRadioButton* b : f.numeq)
        valideravant(f, b);
    for (QCheckBox* c : {f.final, f.conso, f.COLORSTO, f.saisiemasse})
        valideravant(f, c);

    if (f.final)
        QObject::connect(f.final, &QCheckBox::stateChanged, &f, [&f] { final_Click(f); });
    if (f.conso)
        QObject::connect(f.conso, &QCheckBox::stateChanged, &f, [&f] { conso_Click(f); });
    if (f.saisiemasse)
        QObject::connect(f.saisiemasse, &QCheckBox::stateChanged, &f,
                         [&f] { f.etat.saisiemasse = etatcase(f.saisiemasse); });
}

} // namespace

void construiretableau(FeuilleP& f)
{
    f.Picture3 = new Dessin(&f, QStringLiteral("Picture3"), zonepicture3, Qt::white);
    f.Picture4 = new Dessin(&f, QStringLiteral("Picture4"), zonepicture4, Qt::white);
    f.Picture3->setAccessibleName(QStringLiteral("Tableau d'avancement"));
    f.Picture4->setAccessibleName(QStringLiteral("Légendes du tableau"));
    f.Picture3->surdeplacement = [&f](QMouseEvent* m) { Picture3_MouseMove(f, m); };
    f.Picture3->surrelache = [&f](QMouseEvent* m) { Picture3_MouseUp(f, m); };
    construirecurseur(f);
    construiresaisie(f);
    construireimages(f);
    f.Timer1 = new QTimer(&f);
    f.Timer1->setObjectName(QStringLiteral("Timer1"));
    f.Timer1->setInterval(10);
    QObject::connect(f.Timer1, &QTimer::timeout, &f, [&f] { Timer1_Timer(f); });
    brancheroptions(f);
    construiregraphe(f);
}

void pointeurs(FeuilleP& f, bool personnalise)
{
    for (QToolButton* b : f.Image5) {
        if (personnalise)
            b->setCursor(Qt::PointingHandCursor);
        else
            b->unsetCursor();
    }
}

void cadretableau(FeuilleP& f, int n)
{
    etatfeuille& e = f.etat;
    QPainter p(&f.Picture3->image);
    const int w = f.Picture3->width();
    p.setPen(QPen(Qt::black, 1));
    p.drawRect(0, 0, w - 1, 150);
    p.drawRect(0, 25, w - 1, 100);
    for (int k = 1; k <= n; ++k) {
        p.setPen(QPen(Qt::black, k == e.sepegal ? 3 : 1));
        p.drawLine(k * e.largeurcolonne, 0, k * e.largeurcolonne, 150);
    }
    f.Picture3->rafraichir();
}

void majtab(FeuilleP& f)
{
    f.Picture3->setEnabled(false);
    const bool demande = f.etat.tableaudemande == 1;
    if (demande) {
        // The table is still drawn over whatever the layout left.
        sansfaute([&f] { etaler(f); });
    } else {
        preparercadre(f);
    }
    entreedessin e = entreede(f.etat, f.Picture3->size());
    e.cadre = !demande;
    const tableau t = calculer(f.etat, e);
    e.quant = f.etat.quant;
    if (f.etat.litteral == 1) {
        majlitteral(f); // the written table and its own captions
    } else if (f.etat.graphe == 1) {
        dessinergraphe(f, e, t);
    } else {
        QPainter p(&f.Picture3->image);
        peindretableau(p, disposertableau(e, t));
    }
    f.Picture3->rafraichir();
    if (t.quantmax == 0)
        f.Timer1->stop();
    f.Picture3->setEnabled(true);
    if (demande && f.etat.graphe == 1 && f.etat.litteral != 1)
        dessinerlegendesgraphe(f);
    else if (demande && f.etat.litteral != 1)
        dessinerlegendes(f, &t);
    f.etat.tableaudemande = 0;
}

tableaudessine tableauactuel(const FeuilleP& f)
{
    entreedessin e = entreede(f);
    e.quant = f.etat.quant;
    tableaudessine r;
    r.calcul = calculer(e, e.quant);
    r.dessin = disposertableau(e, r.calcul);
    return r;
}

void tabini(FeuilleP& f)
{
    dessinerlegendes(f, nullptr);
}

void HScroll1_Change(FeuilleP& f)
{
    f.etat.p = f.HScroll1->value();
    aideinfo(f, aidecurseur);
    majtab(f);
}

void HScroll1_Scroll(FeuilleP& f)
{
    // Without the thumb's drag position, a redraw during a drag would show
    // the value the cursor had when the drag began.
    f.etat.p = f.HScroll1->sliderPosition();
    aideinfo(f, aideglisser);
    majtab(f);
}

void Image5_Click(FeuilleP& f, int index)
{
    if (index < 0 || index > 3)
        return;
    const bool actif = f.Picture3->isEnabled() && f.etat.tableauactif;
    if (!actif && index != 3)
        return;
    switch (index) {
    case 0:
        f.HScroll1->setValue(0);
        break;
    case 1:
        f.HScroll1->setValue(pmax);
        break;
    case 2:
        if (f.HScroll1->value() == pmax)
            f.HScroll1->setValue(0);
        f.Timer1->start();
        break;
    default:
        f.Timer1->stop();
        break;
    }
}

void Timer1_Timer(FeuilleP& f)
{
    const int p = f.etat.p;
    if (p >= pmax) {
        f.Timer1->stop();
    } else if (p < pmax - 100) {
        f.HScroll1->setValue(p + 100);
    } else {
        f.HScroll1->setValue(pmax);
    }
}

void Picture3_MouseMove(FeuilleP& f, QMouseEvent* m)
{
    aideinfo(f, aidesaisie);
    if (!m)
        return;
    const QPointF pt = m->position();
    const int reactifs = (f.etat.premierproduit - 1) * f.etat.largeurcolonne;
    const bool sur = outilscaches(f) && pt.y() < hautbande && pt.x() < reactifs;
    f.Picture3->setCursor(sur ? pointeurtableau() : QCursor(Qt::ArrowCursor));
}

void Picture3_MouseUp(FeuilleP& f, QMouseEvent* m)
{
    if (!m)
        return;
    if (!outilscaches(f)) {
        f.Picture3->setCursor(Qt::ArrowCursor);
        return;
    }
    const double x = m->position().x();
    const double y = m->position().y();
    const int l = f.etat.largeurcolonne;
    const int p = f.etat.premierproduit;
    const bool dedans =
        x >= 0 && y >= 0 && x < (p - 1) * l && x < f.Picture3->width() - 2 && y < f.Picture3->height() - 2;
    if (!dedans || l <= 0 || p <= 1)
        return;
    const int col = std::clamp(static_cast<int>(x / l) + 1, 1, std::min(p - 1, nombreespeces));
    f.etat.colsaisie = static_cast<std::int16_t>(col);
    if (y < hautbande && f.etat.saisiemasse == 1)
        saisirquantite(f);
    else if (y < hautbande)
        ouvrirsaisie(f);
}

void HScroll1_KeyDown(FeuilleP& f)
{
    if (reactifssaisissables(f) < 1)
        return;
    f.etat.colsaisie = 1;
    ouvrirsaisie(f);
}

void Text2_GotFocus(FeuilleP& f)
{
    activercopie(f, false);
    f.etat.tableaudemande = 1;
}

void Text2_LostFocus(FeuilleP& f)
{
    validersaisie(f);
}

bool Text2_KeyPress(FeuilleP& f, QKeyEvent* k)
{
    if (!k)
        return false;
    switch (k->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        validersaisie(f);
        return true;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        saisievoisine(f, k->key() == Qt::Key_Tab && !(k->modifiers() & Qt::ShiftModifier) ? 1 : -1);
        return true;
    case Qt::Key_Escape:
        // Closed without a change: the amount stays as it was.
        validersaisie(f, true);
        return true;
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
        return false;
    default:
        break;
    }
    if (k->matches(QKeySequence::Paste))
        return true;
    const QString texte = k->text();
    if (texte.isEmpty())
        return false; // moving the caret, a modifier alone
    const std::optional<QChar> c = filtresaisie(f.Text2->text(), f.Text2->cursorPosition(), texte.at(0));
    if (c && *c != texte.at(0))
        f.Text2->insert(QString(*c));
    return !c || *c != texte.at(0);
}

// The options redraw a table only while there is one: an equation that is
// being edited or did not balance gets no table from a click here.
void final_Click(FeuilleP& f)
{
    f.etat.final = etatcase(f.final);
    if (f.etat.tableauactif)
        majtab(f);
}

void conso_Click(FeuilleP& f)
{
    f.etat.conso = etatcase(f.conso);
    if (f.etat.tableauactif)
        majtab(f);
}

} // namespace qm
