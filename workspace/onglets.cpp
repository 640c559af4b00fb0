#include "workspace/onglets.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <limits>

#include "app/initialisation.h"
#include "workspace/masses.h"

namespace qm {

namespace {

const QColor fondonglets(210, 205, 200);
const QColor fondpanneaux(240, 235, 230);
const QColor grisfonce(128, 128, 128);

QFont policeonglets(bool gras = false)
{
    return police(QStringLiteral("Arial"), 8, gras);
}

// Positions are 16-bit; a strip wide enough to leave that range is clamped
// rather than wrapped.
std::int16_t seize(double v)
{
    const double r = std::nearbyint(v);
    return static_cast<std::int16_t>(std::clamp(r, double(std::numeric_limits<std::int16_t>::min()),
                                                double(std::numeric_limits<std::int16_t>::max())));
}

void tracerligne(QPainter& p, const QColor& c, int x1, int y1, int x2, int y2)
{
    p.setPen(QPen(c, 0));
    p.drawLine(x1, y1, x2, y2);
}

void tracerrectangle(QPainter& p, const QColor& c, int x1, int y1, int x2, int y2)
{
    p.setPen(QPen(c, 0));
    p.setBrush(Qt::NoBrush);
    p.drawRect(x1, y1, x2 - x1, y2 - y1);
}

void tracercontour(QPainter& p, const etatonglets& e, QSize taille)
{
    const int w = taille.width();
    const int ht = taille.height();
    const int h = e.disposition.h;
    const auto& b = e.bordsonglets;
    tracerrectangle(p, grisfonce, 0, 0, w - 1, ht - 1);
    tracerligne(p, Qt::white, 0, 0, 0, ht - 1);
    for (int i = 0; i <= 3; ++i) {
        tracerligne(p, grisfonce, b[i] - 1, 1, b[i] - 1, h + 1);
        tracerligne(p, Qt::white, b[i], 0, b[i], h);
    }
    for (int i = 1; i <= 3; ++i)
        tracerligne(p, Qt::white, b[i - 1] + 1, 0, b[i] - 1, 0);
    // The base line stops under the selected tab, which opens onto the panel.
    const int c = std::clamp<int>(e.ongletcourant, 1, 3);
    tracerligne(p, Qt::white, 0, h + 1, b[c - 1] + 2, h + 1);
    tracerligne(p, Qt::white, b[c], h + 1, w - 1, h + 1);
}

void tracertitres(QPainter& p, const etatonglets& e)
{
    p.setPen(Qt::black);
    for (int i = 1; i <= 3; ++i) {
        const bool choisi = i == e.ongletcourant;
        const QFont f = policeonglets(choisi);
        p.setFont(f);
        const double x = e.bordsonglets[i - 1] + e.disposition.g;
        const double y = (choisi ? 2 : 1) + QFontMetrics(f).ascent();
        p.drawText(QPointF(x, y), e.titresonglets[i]);
    }
}

} // namespace

dispositiononglets disposeronglets(const largeurstitres& l, int largeur, int ongletcourant)
{
    dispositiononglets d;
    d.h = l.h;
    auto largeurtitre = [&](int i) { return i == ongletcourant ? l.gras[i] : l.normal[i]; };
    for (int i = 1; i <= 3; ++i)
        d.T += largeurtitre(i);
    d.g = (largeur - d.T) / 6.0;
    d.bords[0] = -1;
    for (int i = 1; i <= 2; ++i)
        d.bords[i] = seize(d.bords[i - 1] + largeurtitre(i) + 2 * d.g);
    d.bords[3] = seize(largeur);
    return d;
}

std::optional<int> choisironglet(const std::array<std::int16_t, 6>& bordsonglets, double x, double y)
{
    if (y < 0 || y > 15)
        return std::nullopt;
    for (int i = 1; i <= 3; ++i)
        if (bordsonglets[i - 1] < x && x <= bordsonglets[i])
            return i;
    return 0;
}

QRect placepanneau(QSize taille, int h)
{
    const int gauche = 4;
    const int haut = h + 5;
    return {gauche, haut, taille.width() - 4 - gauche, taille.height() - 4 - haut};
}

largeurstitres mesurertitres(const etatonglets& e)
{
    const QFontMetrics normal(policeonglets(false));
    const QFontMetrics gras(policeonglets(true));
    largeurstitres l;
    // The height of "W" is the font's line height: ascent and descent together.
    l.h = normal.height();
    for (int i = 1; i <= 3; ++i) {
        l.normal[i] = normal.horizontalAdvance(e.titresonglets[i]);
        l.gras[i] = gras.horizontalAdvance(e.titresonglets[i]);
    }
    return l;
}

void disposer(etatonglets& e, int largeur)
{
    e.titresonglets[1] = QStringLiteral("Affichage");
    e.titresonglets[2] = QStringLiteral("Masses molaires atomiques");
    e.titresonglets[3] = QStringLiteral("Illustration");
    if (e.ongletcourant == 0)
        e.ongletcourant = 1;
    e.disposition = disposeronglets(mesurertitres(e), largeur, e.ongletcourant);
    std::copy(e.disposition.bords.begin(), e.disposition.bords.end(), e.bordsonglets.begin());
}

void peindreonglets(QPainter& p, const etatonglets& e, QSize taille)
{
    const int w = taille.width();
    const int ht = taille.height();
    const int h = e.disposition.h;
    p.fillRect(QRect(QPoint(0, 0), taille), fondonglets);
    tracercontour(p, e, taille);
    tracertitres(p, e);
    tracerrectangle(p, fondonglets, 1, h + 2, w - 2, ht - 2);
    tracerrectangle(p, fondonglets, 2, h + 3, w - 3, ht - 3);
    tracerrectangle(p, grisfonce, 3, h + 4, w - 4, ht - 4);
}

PanneauAffichage::PanneauAffichage(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("ong1"));
    setAccessibleName(QStringLiteral("Affichage"));
    auto caseacocher = [this](const char* nom, const QString& texte, bool cochee, int y) {
        auto* c = new QCheckBox(texte, this);
        c->setObjectName(QLatin1String(nom));
        c->setChecked(cochee);
        c->setGeometry(16, y, 360, 20);
        return c;
    };
    final = caseacocher("final", QStringLiteral("Afficher état final"), true, 16);
    conso = caseacocher("conso", QStringLiteral("Afficher la quantité de réactif consommé"), false, 44);
    COLORSTO = caseacocher("COLORSTO", QStringLiteral("Colorer les nombres stœchiométriques"), true, 72);
    litteral = caseacocher("litteral", QStringLiteral("Tableau littéral"), false, 100);
    saisiemasse = caseacocher("saisiemasse", QStringLiteral("Saisir une masse ou un volume"), false, 156);
    graphe = caseacocher("graphe", QStringLiteral("Graphique n = f(x)"), false, 128);
}

void PanneauAffichage::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), fondpanneaux);
}

PanneauIllustration::PanneauIllustration(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("ong3"));
    setAccessibleName(QStringLiteral("Illustration"));
}

void PanneauIllustration::mettreimage(const QImage& image)
{
    illustration = image;
    update();
}

void PanneauIllustration::effacerimage()
{
    illustration = QImage();
    update();
}

void PanneauIllustration::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    peindreillustration(p, illustration, size());
}

void peindreillustration(QPainter& p, const QImage& image, QSize taille)
{
    p.fillRect(QRect(QPoint(0, 0), taille), fondpanneaux);
    if (!image.isNull()) {
        p.drawImage(QPoint(0, 0), image);
        return;
    }
    const QString texte = QStringLiteral("Il n'y a pas d'illustration associée à cet exercice");
    const QFont f = policeonglets();
    const QFontMetrics m(f);
    const double x = (taille.width() - m.horizontalAdvance(texte)) / 2.0;
    const double y = (taille.height() - m.height()) / 2.0;
    p.setFont(f);
    p.setPen(Qt::black);
    p.drawText(QPointF(x, y + m.ascent()), texte);
}

Onglets::Onglets(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Onglets"));
    ong1 = new PanneauAffichage(this);
    ong2 = new PanneauMasses(this);
    ong3 = new PanneauIllustration(this);
    // Only the selected panel is ever shown; none is until the first layout.
    ong1->hide();
    ong2->hide();
    ong3->hide();
}

void Onglets::specialimage()
{
    e.ongletcourant = 3;
    appliquer(*this);
    update();
}

void Onglets::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    peindreonglets(p, e, size());
}

void Onglets::resizeEvent(QResizeEvent*)
{
    appliquer(*this);
}

void Onglets::mouseReleaseEvent(QMouseEvent* event)
{
    Onglets_MouseUp(*this, event->position().x(), event->position().y());
}

void appliquer(Onglets& o)
{
    disposer(o.e, o.width());
    QWidget* panneaux[] = {o.ong1, o.ong2, o.ong3};
    for (int i = 1; i <= 3; ++i) {
        QWidget* panneau = panneaux[i - 1];
        if (i != o.e.ongletcourant) {
            panneau->hide();
            continue;
        }
        panneau->setGeometry(placepanneau(o.size(), o.e.disposition.h));
        panneau->show();
    }
}

void Onglets_MouseUp(Onglets& o, double x, double y)
{
    const std::optional<int> choix = choisironglet(o.e.bordsonglets, x, y);
    if (!choix || *choix == o.e.ongletcourant)
        return;
    o.e.ongletcourant = static_cast<std::int16_t>(*choix);
    appliquer(o);
    o.update();
}

void Onglets_Voisin(Onglets& o, int pas)
{
    const int courant = std::clamp(static_cast<int>(o.e.ongletcourant), 1, 3);
    o.e.ongletcourant = static_cast<std::int16_t>((courant - 1 + pas + 3) % 3 + 1);
    appliquer(o);
    o.update();
}

} // namespace qm
