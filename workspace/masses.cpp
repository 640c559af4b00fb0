#include "workspace/masses.h"

#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>

#include <charconv>
#include <cmath>

#include "app/initialisation.h"
#include "core/decimal.h"

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
}

void PanneauMasses::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    peindremasses(p, size(), List1->geometry(), Shape1->geometry());
}

void peindremasses(QPainter& p, QSize taille, QRect liste, QRect cadre)
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

} // namespace qm
