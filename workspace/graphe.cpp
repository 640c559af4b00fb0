#include "workspace/graphe.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QLineEdit>
#include <QPainter>

#include <algorithm>
#include <array>
#include <cmath>
#include <map>

#include "app/initialisation.h"
#include "app/sansfaute.h"
#include "core/constituants.h"
#include "core/courbes.h"
#include "workspace/dessin.h"
#include "workspace/feuillep.h"

namespace qm {

namespace {

const QColor marine(0, 0, 128);
const QColor grisgrille(215, 215, 215);
const QColor grisaide(90, 90, 90);

constexpr int hautbande = 25; // bottom of the initial-state band
constexpr int bascadre = 150; // bottom of the drawing
constexpr int ybas = 131;     // n = 0
constexpr int yhaut = 47;     // the top graduation of n
constexpr int intervallesn = 5;
constexpr int largeurechantillon = 18;

QFont policeaxes(bool gras = false)
{
    return police(QStringLiteral("Arial"), 8, gras);
}

QFont policeespeces(bool gras)
{
    return police(QStringLiteral("Arial"), 9, gras);
}

// Width and line height of one font, measured once per layout.
struct mesure {
    QFont police;
    QFontMetrics m;
    explicit mesure(const QFont& f) : police(f), m(f) {}
    int largeur(const QString& s) const { return m.horizontalAdvance(s); }
    int hauteur() const { return m.height(); }
};

QString qs(const std::string& s)
{
    return QString::fromStdString(s);
}

// Lines drawn from the same start to the same end take turns: each shows its
// colour on one dash in m.
void alternerconfondues(std::vector<traitgraphe>& droites)
{
    std::map<std::array<long, 4>, std::vector<traitgraphe*>> groupes;
    for (traitgraphe& d : droites) {
        const QLineF& l = d.ligne;
        groupes[{std::lround(l.x1()), std::lround(l.y1()), std::lround(l.x2()), std::lround(l.y2())}]
            .push_back(&d);
    }
    constexpr qreal tiret = 9;
    for (auto& [cle, groupe] : groupes) {
        const auto m = static_cast<qreal>(groupe.size());
        for (std::size_t j = 1; j < groupe.size(); ++j) {
            groupe[j]->tiret = tiret;
            groupe[j]->blanc = (m - 1) * tiret;
            groupe[j]->debut = static_cast<qreal>(j) * tiret;
        }
    }
}

void disposerbande(dessingraphe& d, const entreedessin& e, const tableau& t)
{
    entreedessin cadre = e;
    cadre.cadre = true;
    dessintableau barres = disposertableau(cadre, t);
    if (!barres.contours.empty())
        d.contours.push_back(barres.contours.front());
    d.bande.push_back({QLine(0, hautbande, e.taille.width() - 1, hautbande), Qt::black, 1});
    for (lignedessin s : barres.separations) {
        s.ligne.setP2(QPoint(s.ligne.x2(), hautbande));
        d.bande.push_back(s);
    }
    d.initiaux = std::move(barres.initiaux);
}

// The legend on the right: a sample of each line, the species' name and its
// amount at the cursor's x; two columns beyond eight species.
int disposerlegende(dessingraphe& d, const courbes& c, const tableau& t, const std::vector<QString>& noms)
{
    const mesure gras(policeespeces(true));
    const mesure normal(policeespeces(false));
    const auto n = static_cast<int>(c.droites.size());
    const int colonnes = n > 8 ? 2 : 1;
    const int lignes = (n + colonnes - 1) / colonnes;
    const int pas = lignes > 0 ? std::min(18, (bascadre - hautbande - 6) / lignes) : 18;
    std::vector<QString> valeurs;
    int lnom = 0;
    int lvaleur = 0;
    for (const droiteespece& s : c.droites) {
        const auto k = static_cast<std::size_t>(s.colonne - 1);
        lnom = std::max(lnom, gras.largeur(k < noms.size() ? noms[k] : QString()));
        valeurs.push_back(qs(formatcellule(s.courant, t.seuilzero, 0, {}, ',')));
        lvaleur = std::max(lvaleur, normal.largeur(valeurs.back()));
    }
    const int lcolonne = largeurechantillon + 5 + lnom + 10 + lvaleur;
    const int largeur = colonnes * lcolonne + (colonnes - 1) * 14;
    const int gauche = d.taille.width() - 8 - largeur;
    const int haut = hautbande + 4 + (bascadre - hautbande - 6 - lignes * pas) / 2;
    for (int j = 0; j < n; ++j) {
        const droiteespece& s = c.droites[static_cast<std::size_t>(j)];
        const QColor couleur = couleurespece(s.colonne);
        const int x = gauche + (j / lignes) * (lcolonne + 14);
        const int y = haut + (j % lignes) * pas;
        const qreal milieu = y + gras.hauteur() / 2.0;
        d.echantillons.push_back(
            {QLineF(x, milieu, x + largeurechantillon, milieu), couleur, 3, 0, 0, 0, s.colonne});
        const auto k = static_cast<std::size_t>(s.colonne - 1);
        d.textes.push_back({k < noms.size() ? noms[k] : QString(), QPoint(x + largeurechantillon + 5, y),
                            gras.police, couleur, s.colonne});
        const QString& v = valeurs[static_cast<std::size_t>(j)];
        d.textes.push_back(
            {v, QPoint(x + lcolonne - normal.largeur(v), y), normal.police, couleur, s.colonne});
    }
    return gauche;
}

void disposeraxes(dessingraphe& d, int x0, int x1, const std::vector<graduation>& gx,
                  const std::vector<graduation>& gn, const mesure& m)
{
    const QRectF& z = d.zone;
    const auto abscisse = [&](double x) {
        return static_cast<int>(std::lround(z.left() + x / d.xfin * z.width()));
    };
    const auto ordonnee = [&](double n) {
        return static_cast<int>(std::lround(z.bottom() - n / d.nfin * z.height()));
    };
    for (const graduation& g : gx) {
        const int x = abscisse(g.valeur);
        if (g.valeur > 0)
            d.grille.push_back({QLine(x, yhaut, x, ybas - 1), grisgrille, 1});
        d.axes.push_back({QLine(x, ybas, x, ybas + 3), Qt::black, 1});
        const QString t = qs(g.texte);
        d.textes.push_back({t, QPoint(x - m.largeur(t) / 2, ybas + 4), m.police, Qt::black, 0});
    }
    for (const graduation& g : gn) {
        const int y = ordonnee(g.valeur);
        if (g.valeur > 0)
            d.grille.push_back({QLine(x0 + 1, y, x1, y), grisgrille, 1});
        d.axes.push_back({QLine(x0 - 3, y, x0, y), Qt::black, 1});
        const QString t = qs(g.texte);
        d.textes.push_back({t, QPoint(x0 - 6 - m.largeur(t), y - m.hauteur() / 2), m.police, Qt::black, 0});
    }
}

} // namespace

QColor couleurespece(int colonne)
{
    // Dark enough to read on a projected white, far apart from one another.
    static const std::array<QColor, 10> couleurs = {
        QColor(0, 90, 200),   QColor(215, 40, 30), QColor(0, 140, 60),   QColor(230, 120, 0),
        QColor(130, 50, 170), QColor(0, 150, 160), QColor(200, 30, 140), QColor(125, 85, 40),
        QColor(90, 90, 90),   QColor(140, 150, 0)};
    const auto i = static_cast<std::size_t>(std::clamp(colonne, 1, 10) - 1);
    return couleurs[i];
}

dessingraphe disposergraphe(const entreedessin& e, const tableau& t, const std::vector<QString>& noms)
{
    dessingraphe d;
    d.taille = e.taille;
    disposerbande(d, e, t);
    const courbes c = calculcourbes(e.nbcolonnes, e.premierproduit, e.coef, e.quant, t.xmax, e.p);
    const bool trace = c.xmax > 0 && c.nmax > 0;
    const mesure m(policeaxes());

    const int droite = disposerlegende(d, c, t, noms);
    // n: graduations up to the round value above the largest amount.
    std::vector<graduation> gn;
    std::vector<graduation> gx;
    d.nfin = 1;
    d.xfin = 1;
    if (trace) {
        const double pasn = pasgraduation(c.nmax, intervallesn);
        d.nfin = std::ceil(c.nmax / pasn * (1 - 1e-6)) * pasn;
        gn = graduer(d.nfin, pasn);
        if (!gn.empty())
            d.nfin = gn.back().valeur;
        d.xfin = c.xmax;
    } else {
        gn = graduer(0, 1);
        gx = gn;
    }
    int lgauche = m.largeur(QStringLiteral("n (mol)"));
    for (const graduation& g : gn)
        lgauche = std::max(lgauche, m.largeur(qs(g.texte)));
    const int x0 = 8 + lgauche + 8;
    const QString nomx = QStringLiteral("x (mol)");
    const int pointe = droite - 14 - m.largeur(nomx) - 4; // the x axis's arrow tip
    const int x1 = pointe - 14;
    d.zone = QRectF(QPointF(x0, yhaut), QPointF(x1, ybas));
    if (trace)
        gx = graduer(d.xfin, pasgraduation(d.xfin, std::max(1, (x1 - x0) / 55)));
    disposeraxes(d, x0, x1, gx, gn, m);

    // The axes, their arrows and their names.
    d.axes.push_back({QLine(x0, ybas, pointe - 6, ybas), Qt::black, 1});
    d.axes.push_back({QLine(x0, ybas, x0, hautbande + 8), Qt::black, 1});
    d.fleches.push_back(QPolygonF(
        {QPointF(pointe, ybas + 0.5), QPointF(pointe - 8, ybas - 3.5), QPointF(pointe - 8, ybas + 4.5)}));
    d.fleches.push_back(QPolygonF({QPointF(x0 + 0.5, hautbande + 3), QPointF(x0 - 3.5, hautbande + 11),
                                   QPointF(x0 + 4.5, hautbande + 11)}));
    d.textes.push_back({nomx, QPoint(pointe + 4, ybas - m.hauteur() / 2), m.police, Qt::black, 0});
    d.textes.push_back({QStringLiteral("n (mol)"),
                        QPoint(x0 - 6 - m.largeur(QStringLiteral("n (mol)")), hautbande + 3), m.police,
                        Qt::black, 0});

    if (!trace) {
        const mesure aide(policeespeces(false));
        const QString texte =
            QStringLiteral("Saisir la quantité initiale de chaque réactif dans la bande du haut.");
        const int x =
            std::max(x0 + 6, static_cast<int>(std::lround(d.zone.center().x())) - aide.largeur(texte) / 2);
        d.textes.push_back({texte, QPoint(x, static_cast<int>(d.zone.center().y()) - aide.hauteur() / 2),
                            aide.police, grisaide, 0});
        return d;
    }

    const auto point = [&](double x, double n) {
        return QPointF(d.zone.left() + x / d.xfin * d.zone.width(),
                       d.zone.bottom() - n / d.nfin * d.zone.height());
    };
    for (const droiteespece& s : c.droites)
        d.droites.push_back({QLineF(point(0, s.depart), point(c.xmax, s.arrivee)), couleurespece(s.colonne),
                             2.5, 0, 0, 0, s.colonne});
    alternerconfondues(d.droites);

    // The cursor: a vertical line, each species' point on it and the value of x.
    const int xc = static_cast<int>(std::lround(point(c.x, 0).x()));
    d.curseur.push_back({QLine(xc, hautbande + 3, xc, ybas - 1), marine, 1});
    for (const droiteespece& s : c.droites)
        d.points.push_back({QPointF(xc, point(c.x, s.courant).y()), couleurespece(s.colonne), s.colonne});
    const mesure gras(policeaxes(true));
    const QString tx = QStringLiteral("x = %1 mol").arg(qs(formatcellule(c.x, 0, 0, {}, ',')));
    const int l = gras.largeur(tx);
    const int xt = xc + 7 + l <= pointe ? xc + 7 : xc - 4 - l;
    d.textes.push_back({tx, QPoint(xt, hautbande + 2), gras.police, marine, 0});
    return d;
}

void peindregraphe(QPainter& p, const dessingraphe& d)
{
    // Lines as the pixels they cover, as in the bars' view: a scaled painter
    // (the sharper copy) widens them with the rest.
    const auto ligne = [&p](const lignedessin& l) { peindreligne(p, l); };
    const auto trait = [&p](const traitgraphe& t) {
        QPen pen(t.couleur, t.epaisseur, Qt::SolidLine, Qt::RoundCap);
        if (t.tiret > 0) {
            pen.setCapStyle(Qt::FlatCap);
            pen.setDashPattern({t.tiret / t.epaisseur, t.blanc / t.epaisseur});
            pen.setDashOffset((t.tiret + t.blanc - t.debut) / t.epaisseur);
        }
        p.setPen(pen);
        p.drawLine(t.ligne);
    };
    p.setBrush(Qt::NoBrush);
    for (const QRect& r : d.contours)
        for (const QLine& l : {QLine(r.topLeft(), r.topRight()), QLine(r.topRight(), r.bottomRight()),
                               QLine(r.bottomLeft(), r.bottomRight()), QLine(r.topLeft(), r.bottomLeft())})
            ligne({l, Qt::black, 1});
    for (const lignedessin& l : d.bande)
        ligne(l);
    for (const lignedessin& l : d.grille)
        ligne(l);
    for (const lignedessin& l : d.axes)
        ligne(l);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    for (const QPolygonF& f : d.fleches)
        p.drawPolygon(f);
    p.setBrush(Qt::NoBrush);
    for (const traitgraphe& t : d.droites)
        trait(t);
    p.setRenderHint(QPainter::Antialiasing, false);
    for (const lignedessin& l : d.curseur)
        ligne(l);
    p.setRenderHint(QPainter::Antialiasing, true);
    for (const pointgraphe& pt : d.points) {
        p.setPen(QPen(Qt::white, 1));
        p.setBrush(pt.couleur);
        p.drawEllipse(pt.centre, 4, 4);
    }
    p.setBrush(Qt::NoBrush);
    for (const traitgraphe& t : d.echantillons)
        trait(t);
    p.setRenderHint(QPainter::Antialiasing, false);
    QFont courante;
    int ascent = 0;
    bool premiere = true;
    for (const std::vector<textedessin>* textes : {&d.initiaux, &d.textes})
        for (const textedessin& t : *textes) {
            if (premiere || t.police != courante) {
                premiere = false;
                courante = t.police;
                p.setFont(t.police);
                ascent = QFontMetrics(t.police).ascent();
            }
            p.setPen(t.couleur);
            p.drawText(t.coin.x(), t.coin.y() + ascent, t.texte);
        }
}

std::vector<textedessin> disposerlegendesgraphe(int largeur)
{
    // The title and the initial state as beside the bars; the rest names the graph.
    std::vector<textedessin> t;
    for (textedessin& l : disposerlegendes(largeur, nullptr))
        if (l.coin.y() < hautbande + 40)
            t.push_back(std::move(l));
    const QFont f = policelegendes();
    t.push_back({QStringLiteral("Graphique"), QPoint(4, 76), f, marine, 0});
    t.push_back({QStringLiteral("n = f(x)"), QPoint(4, 89), f, marine, 0});
    return t;
}

dessingraphe grapheactuel(const FeuilleP& f, const entreedessin& e, const tableau& t)
{
    std::vector<QString> noms;
    for (const espece& s : especes(f.etat.texte.toStdString()))
        noms.push_back(QString::fromStdString(s.affichage));
    entreedessin g = e;
    g.taille = f.Picture3->size();
    return disposergraphe(g, t, noms);
}

void dessinergraphe(FeuilleP& f, const entreedessin& e, const tableau& t)
{
    const dessingraphe d = grapheactuel(f, e, t);
    f.Picture3->effacer();
    QPainter p(&f.Picture3->image);
    peindregraphe(p, d);
}

void dessinerlegendesgraphe(FeuilleP& f)
{
    f.Picture4->effacer();
    {
        QPainter p(&f.Picture4->image);
        peindrelegendes(p, disposerlegendesgraphe(f.Picture4->width()));
    }
    f.Picture4->rafraichir();
}

void construiregraphe(FeuilleP& f)
{
    if (!f.graphe)
        return;
    // An amount being typed is committed before the view changes.
    QObject::connect(f.graphe, &QCheckBox::pressed, &f, [&f] {
        sansfaute([&f] {
            if (f.Text2 && !f.Text2->isHidden())
                Text2_LostFocus(f);
        });
    });
    QObject::connect(f.graphe, &QCheckBox::stateChanged, &f, [&f] { sansfaute([&f] { graphe_Click(f); }); });
}

void graphe_Click(FeuilleP& f)
{
    f.etat.graphe = f.graphe->isChecked() ? 1 : 0;
    // The graph and the written table share the table's place.
    if (f.etat.graphe == 1)
        if (auto* autre = f.findChild<QCheckBox*>(QStringLiteral("litteral")); autre && autre->isChecked())
            autre->setChecked(false);
    if (f.etat.tableauactif) {
        f.etat.tableaudemande = 1;
        majtab(f);
    }
}

} // namespace qm
