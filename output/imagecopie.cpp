#include "output/imagecopie.h"

#include <QBuffer>
#include <QPainter>
#include <QSvgGenerator>

#include "workspace/dessin.h"
#include "workspace/equation.h"
#include "workspace/feuillep.h"
#include "workspace/graphe.h"
#include "workspace/litteral.h"
#include "workspace/tableau.h"

namespace qm {

namespace {

// A picture's pixels are a 96th of an inch.
constexpr double pixelsparmetre = 96 / 0.0254;

void peindrepartie(QPainter& p, const partiecopie& partie, const QPoint& coin, const QRect& tout)
{
    const QRect place = QRect(coin, partie.taille) & tout;
    if (place.isEmpty())
        return;
    p.save();
    p.setClipRect(place);
    p.fillRect(place, partie.fond);
    p.translate(coin);
    if (partie.peindre)
        partie.peindre(p);
    p.restore();
}

} // namespace

QSize taillecopie(const scenecopie& s)
{
    if (!s.legendes || !s.table)
        return s.entete.taille;
    return {s.entete.taille.width() + s.legendes->taille.width() - 1, s.legendes->taille.height() - 2};
}

void peindrecopie(QPainter& p, const scenecopie& s)
{
    const QSize taille = taillecopie(s);
    const QRect tout(QPoint(0, 0), taille);
    if (tout.isEmpty())
        return;
    if (!s.legendes || !s.table) {
        peindrepartie(p, s.entete, QPoint(0, 0), tout);
        return;
    }
    const int w4 = s.legendes->taille.width();
    const int h2 = s.entete.taille.height();
    peindrepartie(p, s.entete, QPoint(w4 - 1, 0), tout);
    peindrepartie(p, *s.legendes, QPoint(0, 0), tout);
    peindrepartie(p, *s.table, QPoint(w4 - 1, h2 - 2), tout);
    // The frame, and the line after the captions.
    const int w = taille.width();
    const int h = taille.height();
    for (const QRect& r : {QRect(0, 0, w, 1), QRect(0, h - 1, w, 1), QRect(0, 0, 1, h), QRect(w - 1, 0, 1, h),
                           QRect(w4 - 1, 0, 1, h)})
        p.fillRect(r, Qt::black);
}

QImage imagecopie(const scenecopie& s, int echelle)
{
    const QSize taille = taillecopie(s);
    if (taille.isEmpty() || echelle < 1)
        return QImage();
    QImage image(taille * echelle, QImage::Format_RGB32);
    image.fill(Qt::white);
    const int resolution = static_cast<int>(pixelsparmetre * echelle + 0.5);
    image.setDotsPerMeterX(resolution);
    image.setDotsPerMeterY(resolution);
    QPainter p(&image);
    p.scale(echelle, echelle);
    peindrecopie(p, s);
    return image;
}

QByteArray svgcopie(const scenecopie& s)
{
    const QSize taille = taillecopie(s);
    if (taille.isEmpty())
        return {};
    QBuffer tampon;
    tampon.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&tampon);
    svg.setSize(taille);
    svg.setViewBox(QRect(QPoint(0, 0), taille));
    svg.setResolution(96);
    svg.setTitle(QStringLiteral("Tableau d'avancement"));
    {
        QPainter p(&svg);
        peindrecopie(p, s);
    }
    return tampon.data();
}

peinture peintureentete(const FeuilleP& f)
{
    return [d = f.etat.dessin](QPainter& p) { peindreequation(p, d); };
}

peinture peinturelegendes(const FeuilleP& f)
{
    if (f.etat.litteral == 1)
        return [d = litteralactuel(f)](QPainter& p) { peindrelitteral(p, d.lignescolonne, d.legendes); };
    if (f.etat.graphe == 1)
        return [t = disposerlegendesgraphe(f.Picture4->width())](QPainter& p) { peindrelegendes(p, t); };
    const tableau echelle = tableauactuel(f).calcul;
    return [textes = disposerlegendes(f.Picture4->width(), &echelle)](QPainter& p) {
        peindrelegendes(p, textes);
    };
}

peinture peinturetable(const FeuilleP& f)
{
    if (f.etat.litteral == 1)
        return [d = litteralactuel(f)](QPainter& p) { peindrelitteral(p, d.lignes, d.textes); };
    if (f.etat.graphe == 1) {
        // The amounts as the last redraw left them (products at 0).
        entreedessin e = entreede(f.etat, f.Picture3->size());
        e.quant = f.etat.quant;
        const tableaudessine t = tableauactuel(f);
        return [d = grapheactuel(f, e, t.calcul)](QPainter& p) { peindregraphe(p, d); };
    }
    return [d = tableauactuel(f).dessin](QPainter& p) { peindretableau(p, d); };
}

scenecopie scenedelafeuille(const FeuilleP& f, bool avectableau)
{
    scenecopie s;
    s.entete = {f.Picture2->size(), f.Picture2->fond, peintureentete(f)};
    if (avectableau) {
        s.legendes = partiecopie{f.Picture4->size(), f.Picture4->fond, peinturelegendes(f)};
        s.table = partiecopie{f.Picture3->size(), f.Picture3->fond, peinturetable(f)};
    }
    return s;
}

} // namespace qm
