#include "calculator/machine.h"

#include <QApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionFrame>

#include <algorithm>
#include <cmath>
#include <iterator>

#include "app/initialisation.h"
#include "app/sansfaute.h"
#include "calculator/expression.h"
#include "core/nombre.h"

namespace qm {

double memoire = 0;

namespace {

char dernier(const std::string& s)
{
    return s.empty() ? '\0' : s.back();
}

void montrersaisie(etatmachine& e)
{
    e.affichage = e.saisie;
}

// ---------------------------------------------------------------------------
// What each key does, by the objectName of its button.

enum class sorte { ajout, facteur, operateur, procedure };

struct actiontouche {
    std::string_view nom;
    sorte s;
    std::string_view texte;                // for the three appending kinds
    void (*faire)(etatmachine&) = nullptr; // for the others
};

const actiontouche actions[] = {
    {"B0", sorte::ajout, "0"},
    {"B1", sorte::ajout, "1"},
    {"B2", sorte::ajout, "2"},
    {"B3", sorte::ajout, "3"},
    {"B4", sorte::ajout, "4"},
    {"B5", sorte::ajout, "5"},
    {"B6", sorte::ajout, "6"},
    {"B7", sorte::ajout, "7"},
    {"B8", sorte::ajout, "8"},
    {"B9", sorte::ajout, "9"},
    {"Bpoint", sorte::ajout, "."},
    {"bpf", sorte::ajout, ")"},
    {"BtoEXP", sorte::ajout, "E"},
    {"kilo", sorte::ajout, "E+3"},
    {"mega", sorte::ajout, "E+6"},
    {"giga", sorte::ajout, "E+9"},
    {"tera", sorte::ajout, "E+12"},
    {"mil", sorte::ajout, "E-3"},
    {"micro", sorte::ajout, "E-6"},
    {"nano", sorte::ajout, "E-9"},
    {"pico", sorte::ajout, "E-12"},
    {"Bpo", sorte::facteur, "("},
    {"bsin", sorte::facteur, "sin "},
    {"Bcos", sorte::facteur, "cos "},
    {"Btan", sorte::facteur, "tan "},
    {"invsin", sorte::facteur, "invSIN "},
    {"invcos", sorte::facteur, "invCOS "},
    {"Btoncommande3", sorte::facteur, "invTAN "},
    {"Bln", sorte::facteur, "ln "},
    {"Blog", sorte::facteur, "log "},
    {"Bexp", sorte::facteur, "exp "},
    {"racine", sorte::facteur, "SQR "},
    {"B10x", sorte::facteur, "10 ^ "},
    {"Command5", sorte::facteur, "1 / "},
    {"puissance", sorte::operateur, " ^ "},
    {"btcarre", sorte::operateur, " ^ 2"},
    {"pi", sorte::procedure, {}, pi_Click},
    {"multip", sorte::procedure, {}, multip_Click},
    {"div", sorte::procedure, {}, div_Click},
    {"plus", sorte::procedure, {}, plus_Click},
    {"moins", sorte::procedure, {}, moins_Click},
    {"ANS", sorte::procedure, {}, ANS_Click},
    {"RAZ", sorte::procedure, {}, RAZ_Click},
    {"EFFACE", sorte::procedure, {}, EFFACE_Click},
    {"Command1", sorte::procedure, {}, Command1_Click},
    {"Command2", sorte::procedure, {}, Command2_Click},
    {"Command3", sorte::procedure, {}, Command3_Click},
    {"Command4", sorte::procedure, {}, Command4_Click},
};

// An operator key that needs something on display to act on.
void operateursuraffichage(etatmachine& e, std::string_view texte)
{
    if (sansblancs(e.affichage).empty())
        return;
    ajouteroperateur(e, texte);
}

// The memory keys read the display, whatever it shows. A text that is not a
// number (a message) reads 0; one beyond the double range, or a sum that
// would leave it, leaves the memory as it was rather than storing infinity.
void ajoutermemoire(const etatmachine& e, double signe)
{
    const auto v = lirenombre(e.affichage);
    if (!v)
        return;
    const double somme = memoire + signe * *v;
    if (std::isfinite(somme))
        memoire = somme;
}

// An overflow message is in `reponse` with codeerreur 0: it is no number to
// continue from nor to redisplay.
bool reponsenumerique(const etatmachine& e)
{
    return e.codeerreur == 0 && e.reponse != textedepassement;
}

std::string_view texteerreur(std::int16_t code)
{
    switch (code) {
    case erreurparentheses:
        return texteparentheses;
    case erreuroperateurs:
        return texteoperateurs;
    default:
        return textecalculimpossible;
    }
}

} // namespace

std::string textereponse(double v, bool scientifique)
{
    std::string t = scientifique ? formescientifique(v) : textenombre(v);
    std::replace(t.begin(), t.end(), ',', '.');
    return t;
}

void ajouter(etatmachine& e, std::string_view texte)
{
    e.saisie += texte;
    montrersaisie(e);
}

void ajouterfacteur(etatmachine& e, std::string_view texte)
{
    const char c = dernier(e.saisie);
    if (!e.saisie.empty() && c != '(' && c != '-' && c != ' ')
        e.saisie += " * ";
    ajouter(e, texte);
}

void ajouteroperateur(etatmachine& e, std::string_view texte)
{
    if (sansblancs(e.saisie).empty())
        ANS_Click(e);
    ajouter(e, texte);
}

void ANS_Click(etatmachine& e)
{
    if (reponsenumerique(e))
        e.saisie += sansblancs(e.reponse);
    montrersaisie(e);
}

void RAZ_Click(etatmachine& e)
{
    e.saisie.clear();
    montrersaisie(e);
}

void EFFACE_Click(etatmachine& e)
{
    std::string& s = e.saisie;
    if (s.empty())
        return;
    const std::size_t n = s.size();
    if (s[n - 1] != ' ') {
        s.pop_back();
    } else if (n >= 2 && std::string_view("*+/-^").find(s[n - 2]) != std::string_view::npos) {
        if (n >= 3)
            s.erase(n - 3);
    } else {
        // A function word and its blank: back to the blank or "(" before it.
        const std::size_t p = s.find_last_of(" (", n - 2);
        s.erase(p == std::string::npos ? 0 : p + 1);
    }
    montrersaisie(e);
}

void multip_Click(etatmachine& e)
{
    operateursuraffichage(e, " * ");
}

void div_Click(etatmachine& e)
{
    operateursuraffichage(e, " / ");
}

void plus_Click(etatmachine& e)
{
    if (sansblancs(e.affichage).empty())
        return;
    if (sansblancs(e.saisie).empty())
        ANS_Click(e);
    // Right after "E" the "+" is the exponent's sign, not an operator.
    ajouter(e, dernier(e.saisie) == 'E' ? "+" : " + ");
}

void moins_Click(etatmachine& e)
{
    // No answer rule: after a result, "-" starts a negative number.
    const char c = dernier(e.saisie);
    if (e.saisie.empty() || c == '(' || c == ' ' || c == 'E')
        ajouter(e, "-");
    else if (c == '-')
        ajouter(e, " -");
    else
        ajouter(e, " - ");
}

void pi_Click(etatmachine& e)
{
    const std::string t = textenombre(4 * std::atan(1.0));
    ajouterfacteur(e, sansblancs(t));
}

bool EXE_Click(etatmachine& e)
{
    e.codeerreur = 0;
    std::string copie = e.saisie;
    calculexpression(copie, e.codeerreur, e.radians ? 1 : 0);
    bool bip = false;
    std::string resultat;
    if (e.codeerreur != 0) {
        // The old expression stays, so that the next key corrects it.
        resultat = texteerreur(e.codeerreur);
        bip = true;
    } else if (const auto v = lirenombre(copie)) {
        resultat = textereponse(*v, e.scientifique);
        e.saisie.clear();
    } else {
        resultat = textedepassement;
        bip = true;
        e.saisie.clear();
    }
    e.affichage = resultat;
    e.reponse = resultat;
    return bip;
}

void Command1_Click(etatmachine& e)
{
    ajoutermemoire(e, 1);
}

void Command2_Click(etatmachine& e)
{
    ajoutermemoire(e, -1);
}

void Command3_Click(etatmachine& e)
{
    ajouter(e, e.scientifique ? textereponse(memoire, true) : std::string(sansblancs(textenombre(memoire))));
}

void Command4_Click(etatmachine&)
{
    memoire = 0;
}

void C_Click(etatmachine& e)
{
    // While an expression is typed the mode waits for the next EXE; after an
    // overflow the message stays rather than becoming " 0".
    if (!e.saisie.empty() || e.reponse == textedepassement)
        return;
    e.affichage = textereponse(lirenombre(e.reponse).value_or(0), e.scientifique);
}

bool appuyer(etatmachine& e, std::string_view nom)
{
    if (nom == "EXE")
        return EXE_Click(e);
    const auto a = std::find_if(std::begin(actions), std::end(actions),
                                [nom](const actiontouche& t) { return t.nom == nom; });
    if (a == std::end(actions))
        return false;
    switch (a->s) {
    case sorte::ajout:
        ajouter(e, a->texte);
        break;
    case sorte::facteur:
        ajouterfacteur(e, a->texte);
        break;
    case sorte::operateur:
        ajouteroperateur(e, a->texte);
        break;
    case sorte::procedure:
        a->faire(e);
        break;
    }
    return false;
}

bool z1_KeyPress(etatmachine& e, char touche, bool& bip)
{
    bip = false;
    if (touche >= '0' && touche <= '9') {
        ajouter(e, std::string(1, touche));
        return true;
    }
    switch (touche) {
    case '.':
    case ',': // the French decimal comma is the calculator's point
        ajouter(e, ".");
        return true;
    case 'e':
    case 'E':
    case 'd':
    case 'D':
        ajouter(e, "E");
        return true;
    case '(':
        appuyer(e, "Bpo");
        return true;
    case ')':
        appuyer(e, "bpf");
        return true;
    case '*':
        appuyer(e, "multip");
        return true;
    case '/':
        appuyer(e, "div");
        return true;
    case '+':
        appuyer(e, "plus");
        return true;
    case '-':
        appuyer(e, "moins");
        return true;
    case '^':
        appuyer(e, "puissance");
        return true;
    case 8:
        EFFACE_Click(e);
        return true;
    case 13:
        bip = EXE_Click(e);
        return true;
    default:
        return false;
    }
}

void peindrefond(QPainter& p)
{
    for (int x = 0; x <= 301; ++x) {
        // Halves go to the even neighbour, as every rounding of the program does.
        const int c = static_cast<int>(std::nearbyint(200 - x / 2.0));
        p.setPen(QColor(c, c + 50, c + 50));
        p.drawLine(x, 0, x, 430);
    }
    p.setPen(Qt::white);
    p.drawRect(1, 1, 298, 427);
    p.setPen(Qt::black);
    p.drawLine(1, 1, 299, 1);
    p.drawLine(1, 1, 1, 427);
    p.setPen(Qt::white);
    p.drawRect(82, 290, 124, 131);
    p.setPen(QColor(0, 128, 128));
    p.drawRect(81, 289, 124, 131);
}

// ---------------------------------------------------------------------------
// The window.

namespace {

enum class police_touche { normale, chiffre, symbole, fleche, operateur, operateursymbole };

struct placetouche {
    const char* nom;
    const char* legende;
    const char* bulle;
    int x, y, l, h;
    police_touche f = police_touche::normale;
};

// Symbol-font captions are written with their Unicode characters: square
// root, capital pi, left arrow, division sign. The four picture keys have
// no caption.
const placetouche places[] = {
    {"invsin", "INV S&IN", "Inverse sinus", 16, 192, 56, 24},
    {"bsin", "&SIN", "Sinus", 80, 192, 31, 24},
    {"Command5", "1/x", "Inverse", 120, 192, 25, 25},
    {"Command1", "M+", "Ajouter à la méoire", 152, 192, 25, 25},
    {"Command2", "M-", "Soustraire à la mémoire", 184, 192, 25, 25},
    {"Command3", "RM", "Rappel mémoire", 216, 192, 33, 25},
    {"Command4", "CM", "Effacer la mémoire", 256, 192, 33, 25},
    {"invcos", "INV C&OS", "Inverse cosinus", 16, 224, 56, 24},
    {"Bcos", "&COS", "Cosinus", 80, 224, 32, 24},
    {"racine", "\u221A", "Racine carré", 120, 224, 23, 24, police_touche::symbole},
    {"btcarre", "", "", 152, 224, 24, 24},
    {"puissance", "", "", 184, 224, 24, 24},
    {"Blog", "&Log", "", 216, 224, 31, 24},
    {"B10x", "", "", 256, 224, 31, 24},
    {"Btoncommande3", "INV T&AN", "Inverse tangente", 16, 256, 55, 24},
    {"Btan", "&TAN", "Tangente", 80, 256, 32, 24},
    {"Bpo", "(", "", 120, 256, 24, 24},
    {"bpf", ")", "", 152, 256, 24, 24},
    {"pi", "\u03A0", "3.1415927", 184, 256, 24, 24, police_touche::symbole},
    {"Bln", "l&n", "", 216, 256, 32, 24},
    {"Bexp", "", "", 256, 256, 32, 24},
    {"pico", "p", "pico", 16, 296, 24, 24},
    {"tera", "T", "Téra", 48, 296, 24, 24},
    {"nano", "n", "nano", 16, 328, 24, 24},
    {"giga", "G", "Giga", 48, 328, 24, 24},
    {"micro", "µ", "micro", 16, 360, 24, 24},
    {"mega", "M", "Méga", 48, 360, 24, 24},
    {"mil", "m", "milli", 16, 392, 24, 24},
    {"kilo", "k", "kilo", 48, 392, 24, 24},
    {"B7", "7", "", 88, 296, 32, 24, police_touche::chiffre},
    {"B8", "8", "", 128, 296, 32, 24, police_touche::chiffre},
    {"B9", "9", "", 168, 296, 32, 24, police_touche::chiffre},
    {"B4", "4", "", 88, 328, 32, 24, police_touche::chiffre},
    {"B5", "5", "", 128, 328, 32, 24, police_touche::chiffre},
    {"B6", "6", "", 168, 328, 32, 24, police_touche::chiffre},
    {"B1", "1", "", 88, 360, 32, 24, police_touche::chiffre},
    {"B2", "2", "", 128, 360, 32, 24, police_touche::chiffre},
    {"B3", "3", "", 168, 360, 32, 24, police_touche::chiffre},
    {"B0", "0", "", 88, 392, 32, 24, police_touche::chiffre},
    {"Bpoint", ".", "", 128, 392, 32, 24, police_touche::chiffre},
    {"BtoEXP", "EXP", "x 10ª", 168, 392, 32, 24},
    {"EFFACE", "\u2190", "Effacer dernier caractère", 216, 296, 32, 24, police_touche::fleche},
    {"RAZ", "AC", "Tout effacer", 256, 296, 32, 24},
    {"multip", "x", "", 216, 328, 31, 24, police_touche::operateur},
    {"div", "\u00F7", "", 256, 328, 32, 24, police_touche::operateursymbole},
    {"plus", "+", "", 216, 360, 32, 24, police_touche::operateur},
    {"moins", "-", "", 256, 360, 32, 24, police_touche::operateur},
    {"ANS", "ANS", "Dernière réponse", 216, 392, 32, 24},
    {"EXE", "EXE", "Calculer", 256, 392, 31, 24},
};

QFont policede(police_touche f)
{
    const QString sans = QStringLiteral("MS Sans Serif");
    const QString symbole = QStringLiteral("Symbol");
    switch (f) {
    case police_touche::chiffre:
        return police(sans, 9.75, true);
    case police_touche::symbole:
        return police(symbole, 8.25);
    case police_touche::fleche:
        return police(symbole, 9.75, true);
    case police_touche::operateur:
        return police(sans, 12, true);
    case police_touche::operateursymbole:
        return police(symbole, 12, true);
    case police_touche::normale:
        break;
    }
    return police(sans, 8.25);
}

// The picture keys: a base and a raised exponent, drawn at start in the
// key's size so that they read the same under any style.
QPixmap imagetouche(const QString& base, const QString& exposant, QSize taille)
{
    QPixmap image = imagenette(taille);
    QPainter p(&image);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setPen(Qt::black);
    QFont fb = police(QStringLiteral("Times New Roman"), 10, true);
    QFont fe = police(QStringLiteral("Times New Roman"), 7, true);
    fb.setItalic(base == QLatin1String("x"));
    fe.setItalic(exposant != QLatin1String("2"));
    const int lb = QFontMetrics(fb).horizontalAdvance(base);
    const int le = QFontMetrics(fe).horizontalAdvance(exposant);
    const int x = std::max(0, (taille.width() - lb - le) / 2);
    const int ligne = taille.height() - 3;
    p.setFont(fb);
    p.drawText(x, ligne, base);
    p.setFont(fe);
    p.drawText(x + lb, ligne - QFontMetrics(fb).ascent() / 2, exposant);
    return image;
}

void mettreimage(QPushButton* b)
{
    const QString nom = b->objectName();
    QString base, exposant;
    if (nom == QLatin1String("btcarre"))
        base = QStringLiteral("x"), exposant = QStringLiteral("2");
    else if (nom == QLatin1String("puissance"))
        base = QStringLiteral("x"), exposant = QStringLiteral("y");
    else if (nom == QLatin1String("B10x"))
        base = QStringLiteral("10"), exposant = QStringLiteral("x");
    else if (nom == QLatin1String("Bexp"))
        base = QStringLiteral("e"), exposant = QStringLiteral("x");
    else
        return;
    const QSize taille(b->width() - 4, b->height() - 6);
    b->setIcon(QIcon(imagetouche(base, exposant, taille)));
    b->setIconSize(taille);
}

QRadioButton* option(QWidget* parent, const char* nom, const char* legende, QRect r)
{
    auto* o = new QRadioButton(QString::fromUtf8(legende), parent);
    o->setObjectName(QString::fromUtf8(nom));
    o->setGeometry(r);
    return o;
}

QGroupBox* cadre(QWidget* parent, const char* nom, const char* titre, QRect r)
{
    auto* g = new QGroupBox(QString::fromUtf8(titre), parent);
    g->setObjectName(QString::fromUtf8(nom));
    g->setGeometry(r);
    return g;
}

// The texts the display shows of its own, as opposed to an expression or a
// number.
bool estmessage(const QString& t)
{
    for (std::string_view m :
         {texteattente, textecalculimpossible, texteparentheses, texteoperateurs, textedepassement})
        if (t == QString::fromUtf8(m.data(), static_cast<qsizetype>(m.size())))
            return true;
    return false;
}

constexpr int alignementmessage = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap;

// The display `z1`. An expression or a number is drawn as any text box draws
// its line (the end of a long expression in view). A message wider than the
// box is drawn whole, word-wrapped on several lines in the same place, and in
// a smaller size only if the lines still overflow the box.
class afficheur : public QLineEdit {
public:
    using QLineEdit::QLineEdit;

protected:
    void paintEvent(QPaintEvent* event) override
    {
        const QString t = text();
        QStyleOptionFrame cadre;
        initStyleOption(&cadre);
        // Where the text box puts its line: inside the frame and the margins,
        // two pixels from the sides and one from top and bottom.
        const QRect zone = style()
                               ->subElementRect(QStyle::SE_LineEditContents, &cadre, this)
                               .marginsRemoved(textMargins())
                               .adjusted(2, 1, -2, -1);
        if (!estmessage(t) || fontMetrics().horizontalAdvance(t) <= zone.width()) {
            QLineEdit::paintEvent(event);
            return;
        }
        QFont f = font();
        const auto deborde = [&zone, &t](const QFont& f) {
            const QRect r = QFontMetrics(f).boundingRect(zone, alignementmessage, t);
            return r.width() > zone.width() || r.height() > zone.height();
        };
        while (f.pixelSize() > 6 && deborde(f))
            f.setPixelSize(f.pixelSize() - 1);
        QPainter p(this);
        style()->drawPrimitive(QStyle::PE_PanelLineEdit, &cadre, &p, this);
        p.setFont(f);
        p.setPen(palette().color(QPalette::Text));
        p.drawText(zone, alignementmessage, t);
    }
};

QPointer<Machine>& ouverte()
{
    static QPointer<Machine> m;
    return m;
}

void appliquer(Machine& m)
{
    const QString t = QString::fromStdString(m.etat.affichage);
    if (m.z1->text() != t)
        m.z1->setText(t);
    // The display keeps the focus, so that the keyboard always types into it.
    m.z1->setFocus();
    m.z1->end(false);
    m.z1->repaint();
}

// The panel of the two option frames, with their choices at start.
void creeroptions(Machine& m)
{
    m.Picture1 = new QWidget(&m);
    m.Picture1->setObjectName(QStringLiteral("Picture1"));
    m.Picture1->setAccessibleName(QStringLiteral("Options de calcul"));
    m.Picture1->setGeometry(16, 120, 273, 65);
    m.Picture1->setAutoFillBackground(true);
    QPalette pp = m.Picture1->palette();
    pp.setColor(QPalette::Window, QColor(220, 240, 240));
    m.Picture1->setPalette(pp);

    // "Radians" and "Scientifique" are a few pixels wider than the other two:
    // at their first widths the face clipped the last letter of the caption.
    m.Frame2 = cadre(m.Picture1, "Frame2", "Angles", {8, 0, 121, 57});
    m.angle[1] = option(m.Frame2, "angle_1", "Radians", {8, 16, 66, 16});
    m.angle[0] = option(m.Frame2, "angle_0", "Degrés", {8, 32, 56, 16});
    m.Frame3 = cadre(m.Picture1, "Frame3", "Affichage", {136, 0, 129, 57});
    m.C[0] = option(m.Frame3, "C_0", "Scientifique", {8, 16, 82, 16});
    m.C[1] = option(m.Frame3, "C_1", "Standard", {8, 32, 71, 16});
    m.angle[0]->setChecked(true);
    m.C[1]->setChecked(true);
}

void bip(bool oui)
{
    if (oui)
        QApplication::beep();
}

} // namespace

void touche_Click(Machine& m, std::string_view nom)
{
    // A key that could not be done leaves the expression as it was.
    sansfaute([&] {
        if (nom == "EXE") {
            m.z1->setText(QString::fromUtf8(texteattente.data(), static_cast<int>(texteattente.size())));
            m.z1->repaint();
        }
        bip(appuyer(m.etat, nom));
        appliquer(m);
    });
}

void Form_Load(Machine& m)
{
    m.etat.saisie.clear();
    m.etat.affichage.clear();
    m.z1->clear();
}

Machine::Machine(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Machine"));
    setWindowTitle(QStringLiteral("Machine à calculer"));
    setFixedSize(301, 430);
    setFont(police(QStringLiteral("MS Sans Serif"), 8.25));

    z1 = new afficheur(this);
    z1->setObjectName(QStringLiteral("z1"));
    z1->setAccessibleName(QStringLiteral("Affichage de la calculatrice"));
    z1->setGeometry(16, 16, 273, 89);
    z1->setReadOnly(true);
    z1->setFont(police(QStringLiteral("Courier New"), 12, true));
    QPalette pz = z1->palette();
    pz.setColor(QPalette::Base, Qt::black);
    pz.setColor(QPalette::Text, QColor(0, 255, 0));
    z1->setPalette(pz);
    z1->installEventFilter(this);

    creeroptions(*this);

    for (const placetouche& t : places) {
        auto* b = new QPushButton(QString::fromUtf8(t.legende), this);
        b->setObjectName(QString::fromUtf8(t.nom));
        b->setGeometry(t.x, t.y, t.l, t.h);
        b->setFont(policede(t.f));
        b->setToolTip(QString::fromUtf8(t.bulle));
        b->setAutoDefault(false);
        mettreimage(b);
        const std::string nom = t.nom;
        connect(b, &QPushButton::clicked, this, [this, nom] { touche_Click(*this, nom); });
    }
    // The keys whose caption is a picture.
    for (const auto& [nom, accessible] :
         {std::pair{"btcarre", "Carré"}, std::pair{"puissance", "Puissance"},
          std::pair{"B10x", "Dix puissance"}, std::pair{"Bexp", "Exponentielle"}})
        if (auto* b = findChild<QPushButton*>(QString::fromUtf8(nom)))
            b->setAccessibleName(QString::fromUtf8(accessible));

    connect(angle[1], &QRadioButton::toggled, this, [this](bool radians) { etat.radians = radians; });
    for (QRadioButton* o : C)
        connect(o, &QRadioButton::toggled, this, [this, o](bool choisi) {
            if (!choisi)
                return;
            etat.scientifique = (o == C[0]);
            sansfaute([&] {
                C_Click(etat);
                appliquer(*this);
            });
        });
    Form_Load(*this);
}

void Machine::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    peindrefond(p);
}

bool Machine::eventFilter(QObject* objet, QEvent* event)
{
    if (objet != z1 || event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(objet, event);
    auto* k = static_cast<QKeyEvent*>(event);
    if (k->key() == Qt::Key_Tab || k->key() == Qt::Key_Backtab)
        return false;
    char c = 0;
    if (k->key() == Qt::Key_Backspace)
        c = 8;
    else if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter)
        c = 13;
    else if (k->text().size() == 1 && k->text().at(0).unicode() < 128)
        c = static_cast<char>(k->text().at(0).unicode());
    // The display is never edited by typing: every other key is swallowed.
    sansfaute([&] {
        if (c == 13) {
            touche_Click(*this, "EXE");
        } else {
            bool b = false;
            if (c != 0 && z1_KeyPress(etat, c, b)) {
                bip(b);
                appliquer(*this);
            }
        }
    });
    return true;
}

void ouvrircalculatrice(QWidget* parent)
{
    Machine m(parent);
    ouverte() = &m;
    m.exec();
    ouverte() = nullptr;
}

void fermercalculatrice()
{
    if (Machine* m = ouverte())
        m->reject();
}

Machine* calculatriceouverte()
{
    return ouverte();
}

} // namespace qm
