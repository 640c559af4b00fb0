#include "workspace/masses.h"

#include <QFontMetrics>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>

#include <charconv>
#include <cmath>

#include "app/initialisation.h"
#include "app/sansfaute.h"
#include "core/decimal.h"
#include "core/massemolaire.h"

namespace qm {

namespace {

const QColor fondpanneau(240, 235, 230);

// Twips, 15 to the pixel.
QRect twips(int gauche, int haut, int largeur, int hauteur)
{
    return {gauche / 15, haut / 15, largeur / 15, hauteur / 15};
}

bool blanc(char c)
{
    return c == ' ';
}

std::string_view sansblancs(std::string_view s)
{
    while (!s.empty() && blanc(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && blanc(s.back()))
        s.remove_suffix(1);
    return s;
}

// Groups of three integer digits, counted from the separator.
std::string grouper(const std::string& t, char separateur)
{
    const std::size_t debut = (!t.empty() && t[0] == '-') ? 1 : 0;
    std::size_t fin = t.find(separateur);
    if (fin == std::string::npos)
        fin = t.size();
    std::string r = t.substr(0, debut);
    for (std::size_t i = debut; i < fin; ++i) {
        if (i > debut && (fin - i) % 3 == 0)
            r += ' ';
        r += t[i];
    }
    r += t.substr(fin);
    return r;
}

QListWidget* creerliste(QWidget* parent)
{
    auto* l = new QListWidget(parent);
    l->setObjectName(QStringLiteral("List1"));
    l->setAccessibleName(QStringLiteral("Éléments et masses molaires"));
    l->setFont(police(QStringLiteral("Courier New"), 8));
    QPalette pal = l->palette();
    pal.setColor(QPalette::Base, Qt::white);
    pal.setColor(QPalette::Text, Qt::black);
    l->setPalette(pal);
    l->setSelectionMode(QAbstractItemView::SingleSelection);
    l->setGeometry(twips(240, 480, 3375, 2505));
    return l;
}

QLabel* creertotal(QWidget* parent)
{
    auto* l = new QLabel(QStringLiteral("0,0"), parent);
    l->setObjectName(QStringLiteral("Label3"));
    l->setAccessibleName(QStringLiteral("Masse molaire calculée"));
    l->setFont(police(QStringLiteral("Arial"), 10));
    l->setAutoFillBackground(true);
    QPalette pal = l->palette();
    pal.setColor(QPalette::Window, Qt::black);
    pal.setColor(QPalette::WindowText, QColor(0, 255, 0));
    l->setPalette(pal);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    l->setContentsMargins(0, 0, 3, 0);
    l->setGeometry(twips(4200, 2160, 1335, 300));
    return l;
}

// Where the heading ends, its raised exponent and closing bracket included.
int finentete(QRect liste)
{
    const QFontMetrics dix(police(QStringLiteral("Arial"), 10));
    const QFontMetrics huit(police(QStringLiteral("Arial"), 8));
    return liste.left() + dix.horizontalAdvance(QStringLiteral("Masses molaires atomiques (g · mol")) +
           huit.horizontalAdvance(QStringLiteral("-1")) + dix.horizontalAdvance(QStringLiteral(")"));
}

// Enter in the formula field does nothing: it must not reach the main window.
class sansentree : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* objet, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress) {
            const int touche = static_cast<QKeyEvent*>(event)->key();
            if (touche == Qt::Key_Return || touche == Qt::Key_Enter)
                return true;
        }
        return QObject::eventFilter(objet, event);
    }
};

// The field in the room right of the heading, its result over the
// instructions, above the frame.
void creerformule(PanneauMasses& ong2)
{
    const QRect liste = ong2.List1->geometry();
    const QRect cadre = ong2.Shape1->geometry();
    auto* f = new QLineEdit(&ong2);
    f->setObjectName(QStringLiteral("formule"));
    f->setFont(police(QStringLiteral("Arial"), 8));
    f->setPlaceholderText(QStringLiteral("Formule : H2SO4…"));
    f->setAccessibleName(QStringLiteral("Formule chimique"));
    f->setToolTip(QStringLiteral("Masse molaire d'une formule : H2SO4, Ca(OH)2, CuSO4,5H2O, Cu^2+"));
    const int gauche = finentete(liste) + 10;
    f->setGeometry(gauche, 4, cadre.right() + 1 - gauche, 20);
    f->installEventFilter(new sansentree(f));
    auto* r = new QLabel(&ong2);
    r->setObjectName(QStringLiteral("resultatformule"));
    r->setAccessibleName(QStringLiteral("Masse molaire de la formule"));
    r->setFont(police(QStringLiteral("Arial"), 8));
    r->setTextFormat(Qt::RichText);
    r->setWordWrap(true);
    r->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    r->setGeometry(cadre.left(), liste.top(), cadre.width(), cadre.top() - 4 - liste.top());
    r->hide();
    ong2.formule = f;
    ong2.resultatformule = r;
}

QPushButton* creerbouton(QWidget* parent, const char* nom, const QString& texte, QRect place)
{
    auto* b = new QPushButton(texte, parent);
    b->setObjectName(QLatin1String(nom));
    b->setGeometry(place);
    return b;
}

} // namespace

std::string lignemasse(const tableelements& t, int n, char separateur)
{
    if (n < 1 || n > 103)
        return {};
    const std::string& nom = t.nom[static_cast<std::size_t>(n)];
    const std::string& symbole = t.symbole[static_cast<std::size_t>(n)];
    const std::string masse = textemasse(t.masse[static_cast<std::size_t>(n)], separateur);
    const int blancs = 22 - static_cast<int>(symbole.size() + nom.size() + masse.size());
    return "  " + nom + " (" + symbole + ") " +
           std::string(static_cast<std::size_t>(std::max(blancs, 0)), ' ') + masse;
}

std::string textetotal(float total, char separateur)
{
    // Seven digits: what a single-precision total really holds.
    return grouper(textefixe(total, 1, 1, separateur, 7), separateur);
}

std::optional<float> liretotal(std::string_view texte, char separateur)
{
    std::string chiffres;
    bool virgule = false;
    bool unchiffre = false;
    texte = sansblancs(texte);
    for (std::size_t i = 0; i < texte.size(); ++i) {
        const char c = texte[i];
        if (c >= '0' && c <= '9') {
            chiffres += c;
            unchiffre = true;
        } else if (c == separateur && !virgule) {
            chiffres += '.';
            virgule = true;
        } else if (c == '-' && i == 0) {
            chiffres += c;
        } else if (!blanc(c)) {
            return std::nullopt;
        }
    }
    if (!unchiffre)
        return std::nullopt;
    float v = 0;
    const auto [fin, erreur] = std::from_chars(chiffres.data(), chiffres.data() + chiffres.size(), v);
    if (erreur != std::errc() || fin != chiffres.data() + chiffres.size() || !std::isfinite(v))
        return std::nullopt;
    return v;
}

std::string ajoutermasse(const std::string& total, const std::string& ligne, char separateur)
{
    if (ligne.empty())
        return total;
    // The mass ends every line in five characters or less (masses below 1000).
    const std::string_view fin = std::string_view(ligne).substr(ligne.size() > 5 ? ligne.size() - 5 : 0);
    const std::optional<float> masse = liretotal(sansblancs(fin), separateur);
    const std::optional<float> avant = liretotal(total, separateur);
    if (!masse || !avant)
        return total;
    const float somme = *avant + *masse;
    if (!std::isfinite(somme))
        return total;
    return textetotal(somme, separateur);
}

PanneauMasses::PanneauMasses(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("ong2"));
    setAccessibleName(QStringLiteral("Masses molaires"));
    List1 = creerliste(this);
    // The frame comes before the total and the keys, so it stays behind them.
    Shape1 = new QFrame(this);
    Shape1->setObjectName(QStringLiteral("Shape1"));
    Shape1->setAccessibleName(QStringLiteral("Cadre du résultat"));
    Shape1->setFrameStyle(QFrame::Box | QFrame::Plain);
    Shape1->setLineWidth(1);
    QPalette cadre = Shape1->palette();
    cadre.setColor(QPalette::WindowText, Qt::black);
    Shape1->setPalette(cadre);
    Shape1->setAttribute(Qt::WA_TransparentForMouseEvents);
    Shape1->setGeometry(twips(3960, 2040, 1815, 855));
    Label3 = creertotal(this);
    Command5 = creerbouton(this, "Command5", QStringLiteral("AC"), twips(4200, 2520, 375, 225));
    QPalette rouge = Command5->palette();
    rouge.setColor(QPalette::Button, QColor(255, 128, 128));
    Command5->setPalette(rouge);
    Command3 = creerbouton(this, "Command3", QStringLiteral("+"), twips(5160, 2520, 375, 225));
    connect(Command3, &QPushButton::clicked, this, [this] { Command3_Click(*this); });
    connect(Command5, &QPushButton::clicked, this, [this] { Command5_Click(*this); });
    creerformule(*this);
    connect(formule, &QLineEdit::textChanged, this, [this] { sansfaute([this] { formule_Change(*this); }); });
}

void PanneauMasses::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    peindremasses(p, size(), List1->geometry(), Shape1->geometry(), resultatformule->isHidden());
}

void peindremasses(QPainter& p, QSize taille, QRect liste, QRect cadre, bool consignes)
{
    p.fillRect(QRect(QPoint(0, 0), taille), fondpanneau);
    p.setPen(Qt::black);
    // Texts are placed by their top.
    auto ecrire = [&p](double x, double y, const QFont& f, const QString& texte) {
        p.setFont(f);
        const QFontMetrics m(f);
        p.drawText(QPointF(x, y + m.ascent()), texte);
        return x + m.horizontalAdvance(texte);
    };
    const QFont dix = police(QStringLiteral("Arial"), 10);
    const QFont huit = police(QStringLiteral("Arial"), 8);
    const QFont huitgras = police(QStringLiteral("Arial"), 8, true);
    double x = ecrire(liste.left(), 7, dix, QStringLiteral("Masses molaires atomiques (g · mol"));
    x = ecrire(x, 7 - 4, huit, QStringLiteral("-1"));
    ecrire(x, 7, dix, QStringLiteral(")"));
    if (!consignes)
        return;

    const int ligne = QFontMetrics(huit).height();
    double y = liste.top();
    for (const QString& t :
         {QStringLiteral("Pour calculer une masse"), QStringLiteral("molaire, sélectionner les"),
          QStringLiteral("éléments dans la liste et")}) {
        ecrire(cadre.left(), y, huit, t);
        y += ligne;
    }
    x = ecrire(cadre.left(), y, huit, QStringLiteral("cliquer sur la touche "));
    ecrire(x, y, huitgras, QStringLiteral("+."));
    y += ligne;
    ecrire(cadre.left(), y, huit, QStringLiteral("Utiliser la touche AC"));
    y += ligne;
    ecrire(cadre.left(), y, huit, QStringLiteral("pour remettre à zéro."));
}

void remplirlistemasses(PanneauMasses& ong2, tableelements& t)
{
    initmasses(t);
    ong2.elements = &t;
    // Filling twice must not list the elements twice.
    ong2.List1->clear();
    for (int n = 1; n <= 103; ++n)
        ong2.List1->addItem(QString::fromStdString(lignemasse(t, n)));
}

void Command3_Click(PanneauMasses& ong2)
{
    const QList<QListWidgetItem*> choix = ong2.List1->selectedItems();
    const std::string ligne = choix.isEmpty() ? std::string() : choix.front()->text().toStdString();
    const std::string total = ong2.Label3->text().toStdString();
    const std::string nouveau = ajoutermasse(total, ligne);
    if (nouveau != total)
        ong2.Label3->setText(QString::fromStdString(nouveau));
}

void Command5_Click(PanneauMasses& ong2)
{
    ong2.Label3->setText(QStringLiteral("0,0"));
}

affichageformule afficherformule(std::string_view formule, const tableelements& t)
{
    if (sansblancs(formule).empty())
        return {};
    const massemolaire m = calculermasse(formule, t);
    if (!m.valide)
        return {m.erreur.texte.substr(0, m.erreur.texte.find("\r\n")), {}};
    // A lone atom's detail is its mass again.
    return {"M = " + m.texte + " g·mol⁻¹", m.detail == m.texte ? std::string() : m.detail};
}

void formule_Change(PanneauMasses& ong2)
{
    const affichageformule a = afficherformule(ong2.formule->text().toStdString(),
                                               ong2.elements ? *ong2.elements : elementsstandard());
    const bool vide = a.masse.empty();
    // A product stays whole on its line.
    const QString detail = QString::fromStdString(a.detail).toHtmlEscaped().replace(
        QStringLiteral(" × "), QStringLiteral("&nbsp;×&nbsp;"));
    ong2.resultatformule->setText(
        QStringLiteral("<b>%1</b><br>%2").arg(QString::fromStdString(a.masse).toHtmlEscaped(), detail));
    if (vide != ong2.resultatformule->isHidden()) {
        ong2.resultatformule->setVisible(!vide);
        ong2.update();
    }
}

} // namespace qm
