#include "output/papier.h"

#include <QFontMetricsF>
#include <QLocale>
#include <QPainter>
#include <QPrinter>

#include <algorithm>

#include "app/initialisation.h"
#include "workspace/travail.h"

namespace qm {

namespace {

// Fonts are fixed at 96 pixels to the inch (initialisation.h): a screen
// pixel is a 96th of an inch on paper too.
constexpr double pixelsecran = 96.0;
// Between the header line and the picture, and between two equations.
constexpr double ecarttete = 8;
constexpr double ecartblocs = 16;

QFont policetete(bool gras)
{
    return police(QStringLiteral("Arial"), pointstete, gras);
}

// Each screen pixel printed as a block of agrandissement x agrandissement
// pixels of the same colour: stored without loss, never smoothed.
constexpr int agrandissement = 4;

} // namespace

QString datelongue(const QDate& jour)
{
    const QLocale francais(QLocale::French, QLocale::France);
    const QString mois = francais.monthName(jour.month(), QLocale::LongFormat);
    const QString quantieme = jour.day() == 1 ? QStringLiteral("1er") : QString::number(jour.day());
    return quantieme + QLatin1Char(' ') + mois + QLatin1Char(' ') + QString::number(jour.year());
}

std::vector<textetete> disposertete(const lignetete& l, double largeur)
{
    const QFontMetricsF normal(policetete(false));
    const QFontMetricsF gras(policetete(true));
    const QString nom =
        QStringLiteral("Nom : ") +
        (l.nom.trimmed().isEmpty() ? QStringLiteral("____________________") : l.nom.trimmed());
    std::vector<textetete> t;
    if (!l.titre.trimmed().isEmpty())
        t.push_back({l.titre.trimmed(), 0, true});
    t.push_back({nom, (largeur - normal.horizontalAdvance(nom)) / 2, false});
    if (!l.date.isEmpty())
        t.push_back({l.date, largeur - normal.horizontalAdvance(l.date), false});
    // A long title pushes the name along rather than running into it.
    if (t.size() > 1 && t[0].gras) {
        const double fin =
            gras.horizontalAdvance(t[0].texte) + normal.horizontalAdvance(QStringLiteral("    "));
        t[1].x = std::max(t[1].x, fin);
    }
    return t;
}

double hauteurtete()
{
    return QFontMetricsF(policetete(true)).height() + ecarttete;
}

std::vector<equationpapier> preparerserie(const etatfeuille& e, const surfacespapier& s)
{
    std::vector<equationpapier> serie;
    for (int i = 0; i < 10; ++i) {
        const bool affichee = i == e.numcourant;
        const QString texte =
            affichee ? e.texte : QString::fromStdString(e.eqtexte[static_cast<std::size_t>(i)]);
        if (texte.trimmed().isEmpty())
            continue;
        // A copy, given the equation as choosing it would give it: the
        // editor's own flags as for a new text, then the check and the table.
        etatfeuille x = e;
        if (!affichee)
            x.quant = e.eqquant[static_cast<std::size_t>(i)];
        x.texte.clear();
        x.curseur = 0;
        x.fleche = true;
        x.opti = x.opte = false;
        x.modeaffichage = 0;
        x.occupe = x.debordement = x.redessine = x.rognage = x.placement = x.synchro = 0;
        effets r;
        mettreequation(x, s.entete, texte, r);
        validerequation(x, s.entete, r);
        equationpapier q;
        q.numero = i;
        q.texte = x.texte;
        q.tableau = x.tableauactif;
        if (q.tableau) {
            x.p = affichee ? e.p : 0;
            etalerequation(x, s.entete, r);
            entreedessin d = entreede(x, s.table);
            const tableau t = calculer(x, d);
            d.quant = x.quant;
            q.table = disposertableau(d, t);
            q.legendes = disposerlegendes(s.legendes.width(), &t);
        }
        q.entete = x.dessin;
        serie.push_back(std::move(q));
    }
    return serie;
}

QSize tailleequation(const equationpapier& q, const surfacespapier& s)
{
    if (!q.tableau)
        return {s.entete.largeur, s.entete.hauteur};
    return {s.entete.largeur + s.legendes.width() - 1, s.legendes.height() - 2};
}

void peindreequationpapier(QPainter& p, const equationpapier& q, const surfacespapier& s)
{
    const QSize entete(s.entete.largeur, s.entete.hauteur);
    // Each picture within its own bounds, on its own background.
    const auto surface = [&p](const QPoint& coin, const QSize& taille, const QColor& fond,
                              const auto& peindre) {
        p.save();
        p.translate(coin);
        p.setClipRect(QRect(QPoint(0, 0), taille));
        p.fillRect(QRect(QPoint(0, 0), taille), fond);
        peindre();
        p.restore();
    };
    if (!q.tableau) {
        surface(QPoint(0, 0), entete, s.fondentete, [&] { peindreequation(p, q.entete); });
        p.setPen(QPen(Qt::black, 0));
        p.drawRect(QRectF(0, 0, entete.width() - 1, entete.height() - 1));
        return;
    }
    // As a copy assembles them: the header right of the captions, the table
    // under the header, each overlapping its neighbours by their borders.
    const int w4 = s.legendes.width();
    const QSize tout = tailleequation(q, s);
    p.fillRect(QRect(QPoint(0, 0), tout), Qt::white);
    surface(QPoint(w4 - 1, 0), entete, s.fondentete, [&] { peindreequation(p, q.entete); });
    surface(QPoint(0, 0), s.legendes, Qt::white, [&] { peindrelegendes(p, q.legendes); });
    surface(QPoint(w4 - 1, entete.height() - 2), s.table, Qt::white, [&] { peindretableau(p, q.table); });
    p.setPen(QPen(Qt::black, 0));
    p.drawRect(0, 0, tout.width() - 1, tout.height() - 1);
    p.drawLine(w4 - 1, 0, w4 - 1, tout.height());
}

std::vector<placebloc> placerblocs(const std::vector<QSizeF>& blocs, QSizeF zone, double tete)
{
    const double x = zone.width() / 10;
    const double haut = zone.height() / 20 + tete;
    const double bas = zone.height() - zone.height() / 20;
    std::vector<placebloc> places;
    int page = 0;
    double y = haut;
    for (const QSizeF& b : blocs) {
        if (y > haut && y + b.height() > bas) {
            ++page;
            y = haut;
        }
        places.push_back({page, QPointF(x, y)});
        y += b.height() + ecartblocs;
    }
    return places;
}

blocpapier blocimage(const QImage& image)
{
    return {QSizeF(image.size()), [image](QPainter& p) {
                p.setRenderHint(QPainter::LosslessImageRendering);
                p.setRenderHint(QPainter::SmoothPixmapTransform, false);
                const QImage nette = image.scaled(image.size() * agrandissement, Qt::IgnoreAspectRatio,
                                                  Qt::FastTransformation);
                p.drawImage(QRectF(QPointF(0, 0), QSizeF(image.size())), nette);
            }};
}

enpaysage::enpaysage(QPrinter& p)
    : imprimante(p), orientation(p.pageLayout().orientation()), pageentiere(p.fullPage())
{
    p.setCopyCount(1);
    p.setPageOrientation(QPageLayout::Landscape);
    p.setFullPage(false);
}

enpaysage::~enpaysage()
{
    imprimante.setPageOrientation(orientation);
    imprimante.setFullPage(pageentiere);
}

bool imprimerpapier(QPrinter& p, const std::vector<blocpapier>& blocs, const std::optional<lignetete>& tete,
                    int exemplaires)
{
    if (blocs.empty() || exemplaires < 1)
        return false;
    const enpaysage travers(p);

    const double echelle = p.resolution() / pixelsecran;
    const QRect zone = p.pageLayout().paintRectPixels(p.resolution());
    std::vector<QSizeF> tailles;
    double largeur = 0;
    for (const blocpapier& b : blocs) {
        tailles.push_back(b.taille);
        largeur = std::max(largeur, b.taille.width());
    }
    const std::vector<placebloc> places =
        placerblocs(tailles, QSizeF(zone.size()) / echelle, tete ? hauteurtete() : 0.0);
    const std::vector<textetete> textes = tete ? disposertete(*tete, largeur) : std::vector<textetete>();

    QPainter peintre;
    bool fait = peintre.begin(&p);
    for (int copie = 0; fait && copie < exemplaires; ++copie) {
        int page = -1;
        for (std::size_t i = 0; i < blocs.size(); ++i) {
            const placebloc& b = places[i];
            if (b.page != page) {
                if (copie > 0 || page >= 0)
                    p.newPage();
                page = b.page;
                peintre.save();
                peintre.scale(echelle, echelle);
                const QPointF coin(zone.width() / echelle / 10, zone.height() / echelle / 20);
                for (const textetete& t : textes) {
                    // Its pixels are 96ths of an inch here: sized in points on paper.
                    peintre.setFont(policetete(t.gras));
                    peintre.setPen(Qt::black);
                    peintre.drawText(coin + QPointF(t.x, QFontMetricsF(policetete(t.gras)).ascent()),
                                     t.texte);
                }
                peintre.restore();
            }
            peintre.save();
            peintre.scale(echelle, echelle);
            peintre.translate(b.coin);
            blocs[i].peindre(peintre);
            peintre.restore();
        }
    }
    if (peintre.isActive())
        fait = peintre.end() && fait;
    return fait;
}

} // namespace qm
