#include "workspace/litteral.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QHash>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <map>
#include <optional>

#include "app/initialisation.h"
#include "app/sansfaute.h"
#include "core/constituants.h"
#include "core/litteral.h"
#include "workspace/dessin.h"
#include "workspace/feuillep.h"

namespace qm {

namespace {

const QColor marine(0, 0, 128);
const QColor rougefonce(128, 0, 0);

// Rows of Picture3: the initial state keeps the bars' top band.
constexpr int hautbande = 25;
constexpr int hautfinal = 69;
constexpr int hautbilan = 113;
constexpr int bascadre = 150;
constexpr int hautrangee = 44;
// Picture4's y level with Picture3's 0.
constexpr int niveaulegendes = 40;
// A text in a column stays this far from its boundaries.
constexpr int marge = 2;
// Font sizes in points: the cells shrink from 12 down to 7, the conclusion
// from 10, the caption column from 8 to 6.
constexpr int plusgrande = 12;
constexpr int pluspetite = 7;
constexpr int taillebilan = 10;
constexpr int taillelegendes = 8;
constexpr int pluspetitelegende = 6;

QString qs(const std::string& s)
{
    return QString::fromStdString(s);
}

QFont entaille(QFont f, int points)
{
    f.setPixelSize(static_cast<int>(std::lround(points * 96.0 / 72.0)));
    return f;
}

// Widths and heights, remembered: the same texts come back at every step of
// a drag or an animation.
int largeur(const QFont& f, const QString& t)
{
    static QHash<QString, int> connues;
    const QString cle = QString::number(f.pixelSize()) + (f.bold() ? u'g' : u'n') + t;
    if (const auto k = connues.constFind(cle); k != connues.constEnd())
        return *k;
    if (connues.size() >= 4096)
        connues.clear();
    const int l = QFontMetrics(f).horizontalAdvance(t);
    connues.insert(cle, l);
    return l;
}

int hauteur(const QFont& f)
{
    static std::map<std::pair<int, bool>, int> connues;
    const std::pair<int, bool> cle{f.pixelSize(), f.bold()};
    if (const auto k = connues.find(cle); k != connues.end())
        return k->second;
    return connues[cle] = QFontMetrics(f).height();
}

// The largest size from `plus` down to `moins` points at which the text is
// at most `place` pixels wide.
std::optional<QFont> ajuster(const QString& t, int place, const QFont& modele, int plus, int moins)
{
    for (int points = plus; points >= moins; --points) {
        const QFont f = entaille(modele, points);
        if (largeur(f, t) <= place)
            return f;
    }
    return std::nullopt;
}

// A text that must be shown whatever its length: at the smallest size, cut
// with an ellipsis when even that is too wide.
std::pair<QString, QFont> ajusteroucouper(const QString& t, int place, const QFont& modele, int plus,
                                          int moins)
{
    if (const std::optional<QFont> f = ajuster(t, place, modele, plus, moins))
        return {t, *f};
    const QFont f = entaille(modele, moins);
    return {QFontMetrics(f).elidedText(t, Qt::ElideRight, place), f};
}

// A text centred in column i, and centred on a line meant for the font
// `reference` when it has been made smaller.
void centrer(std::vector<textedessin>& v, const QString& t, const QFont& f, const QColor& c, int i, int l,
             int y, const QFont& reference)
{
    const int x = gauchecentree(i, l, largeur(f, t));
    const int dy = (hauteur(reference) - hauteur(f)) / 2;
    v.push_back({t, QPoint(x, y + dy), f, c, i});
}

void ligne(std::vector<lignedessin>& v, int x1, int y1, int x2, int y2, int epaisseur = 1)
{
    v.push_back({QLine(x1, y1, x2, y2), Qt::black, epaisseur});
}

void disposercadre(dessinlitteral& d, const entreelitteral& e, int n)
{
    const int w = e.taille.width();
    ligne(d.lignes, 0, 0, w - 1, 0);
    ligne(d.lignes, w - 1, 0, w - 1, bascadre);
    ligne(d.lignes, 0, bascadre, w - 1, bascadre);
    ligne(d.lignes, 0, 0, 0, bascadre);
    for (const int y : {hautbande, hautfinal, hautbilan})
        ligne(d.lignes, 0, y, w - 1, y);
    // The columns stop above the conclusion, which spans the whole width.
    for (int i = 1; i < n; ++i)
        ligne(d.lignes, i * e.largeurcolonne, 0, i * e.largeurcolonne, hautbilan,
              i == e.premierproduit - 1 ? 3 : 1);
}

// One cell of a row: the expression on top, its value under it. An
// expression too wide even at the smallest size is left out.
void disposercellule(dessinlitteral& d, int i, int l, int haut, const std::string& expression,
                     const std::string& valeur)
{
    const int place = l - 2 * marge;
    const QFont normal = policetableau(false);
    const QFont gras = policetableau(true);
    const QString ex = qs(expression);
    if (const std::optional<QFont> f = ajuster(ex, place, normal, plusgrande, pluspetite))
        centrer(d.textes, ex, *f, marine, i, l, haut + 3, normal);
    const QString va = qs(valeur);
    const QFont f = ajuster(va, place, gras, plusgrande, pluspetite).value_or(entaille(gras, pluspetite));
    centrer(d.textes, va, f, Qt::black, i, l, haut + 22, gras);
}

void disposerbilan(dessinlitteral& d, const entreelitteral& e, const tabquant& q)
{
    const int p = std::clamp(e.premierproduit, 1, nombreespeces + 1);
    std::vector<reactiflitteral> reactifs;
    std::vector<std::string> noms;
    for (int i = 1; i < p && i <= e.nbcolonnes; ++i) {
        const auto k = static_cast<std::size_t>(i);
        reactifs.push_back({q[k], e.coef[k]});
        noms.push_back(k - 1 < e.noms.size() ? e.noms[k - 1] : std::string());
    }
    const conclusionlitterale c = conclurelitteral(bilanreactifs(reactifs), noms, e.separateur);
    const int w = e.taille.width();
    const int tiers = w / 3;
    const auto placer = [&](const std::string& texte, int x, int y, int place, const QColor& couleur,
                            bool gras) {
        if (texte.empty())
            return;
        const auto [t, f] = ajusteroucouper(qs(texte), place, policetableau(gras), taillebilan, pluspetite);
        d.textes.push_back({t, QPoint(x, y), f, couleur, 0});
    };
    if (c.xmax.empty()) {
        placer(c.limitant, 6, 124, w - 12, marine, false);
        return;
    }
    placer(c.xmax, 6, 116, tiers - 12, Qt::black, true);
    placer(c.limitant, tiers, 116, w - tiers - 6, rougefonce, false);
    placer(c.exces, tiers, 132, w - tiers - 6, marine, false);
}

void disposercolonne(dessinlitteral& d, const entreelitteral& e, const tableau& t)
{
    const int w = e.largeurlegendes;
    const QFont f = policelegendes();
    const auto placer = [&](const QString& s, int x, int y, const QFont& police, const QColor& couleur) {
        d.legendes.push_back({s, QPoint(x, y), police, couleur, 0});
    };
    // The equation's title as in the bars' view.
    // The equation's title, a little higher than in the bars' view, leaves
    // room for the heading of the advancement under it.
    placer(QStringLiteral("Équation"),
           static_cast<int>(std::lround((w - largeur(f, QStringLiteral("Equation"))) / 2.0)), 2, f, marine);
    const QString chimique = QStringLiteral("chimique");
    placer(chimique, static_cast<int>(std::lround((w - largeur(f, chimique)) / 2.0)), 13, f, marine);
    const auto [titre, petite] = ajusteroucouper(QStringLiteral("Avancement (mol)"), w - 4, f,
                                                 pluspetitelegende + 1, pluspetitelegende);
    placer(titre, static_cast<int>(std::lround((w - largeur(petite, titre)) / 2.0)), 28, petite, Qt::black);

    const double x = e.p / 10000.0 * static_cast<double>(t.xmax);
    const std::string courant = "x = " + formatcellule(x, 0.0, 0, {}, e.separateur);
    const struct {
        const char* nom;
        std::string avancement;
        int haut;
    } rangees[] = {{"État initial", "x = 0", 0},
                   {"En cours", courant, hautbande},
                   {"État final", "x = xmax", hautfinal}};
    for (const auto& r : rangees) {
        const int y = niveaulegendes + r.haut;
        // The top band is narrower than the others: its two lines sit closer.
        const bool etroite = r.haut == 0;
        const auto [nom, fn] =
            ajusteroucouper(QString::fromUtf8(r.nom), w - 6, f, taillelegendes, pluspetitelegende);
        placer(nom, 4, y + (etroite ? 1 : 5), fn, marine);
        const auto [a, fa] = ajusteroucouper(qs(r.avancement), w - 6, f, taillelegendes, pluspetitelegende);
        placer(a, 4, y + (etroite ? 12 : 24), fa, Qt::black);
    }
    placer(QStringLiteral("Bilan"), 4, niveaulegendes + hautbilan + (bascadre - hautbilan - hauteur(f)) / 2,
           f, marine);

    const int bas = niveaulegendes + bascadre;
    for (const int y : {0, hautbande, hautfinal, hautbilan, bascadre})
        ligne(d.lignescolonne, 0, niveaulegendes + y, w - 1, niveaulegendes + y);
    ligne(d.lignescolonne, 0, niveaulegendes, 0, bas);
}

} // namespace

dessinlitteral disposerlitteral(const entreelitteral& e)
{
    dessinlitteral d;
    const int n = std::clamp(e.nbcolonnes, 0, nombreespeces);
    const int l = e.largeurcolonne;
    tabquant q = e.quant;
    parametrestableau c;
    c.nbcolonnes = static_cast<std::int16_t>(n);
    c.premierproduit = static_cast<std::int16_t>(std::clamp(e.premierproduit, 0, nombreespeces + 1));
    c.coef = e.coef;
    c.p = static_cast<std::int16_t>(std::clamp(e.p, 0, 10000));
    c.final = true;
    c.largeurcolonne = l;
    // The initial amounts are the bars' view's: same rule, same font.
    const QFont normal = policetableau(false);
    c.mesure = [&normal](std::string_view s) {
        return largeur(normal, QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())));
    };
    c.separateur = e.separateur;
    const tableau t = calcultableau(c, q);
    const QFont gras = policetableau(true);
    const mesuretexte mesuregras = [&gras](std::string_view s) {
        return largeur(gras, QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())));
    };
    const auto valeur = [&](double v) { return formatcellule(v, t.seuilzero, l, mesuregras, e.separateur); };

    disposercadre(d, e, n);
    for (int i = 1; i <= n; ++i) {
        const auto k = static_cast<std::size_t>(i);
        const colonnetab& col = t.colonnes[k];
        const QString initial = qs(col.initial.texte);
        d.textes.push_back(
            {initial, QPoint(gauchecentree(i, l, largeur(normal, initial)), 4), normal, marine, i});
        const std::string quantite = formatcellule(q[k], t.seuilzero, l, {}, e.separateur);
        disposercellule(d, i, l, hautbande, expressionlitterale(quantite, e.coef[k], col.reactif, false),
                        valeur(col.courant.valeur));
        disposercellule(d, i, l, hautfinal, expressionlitterale(quantite, e.coef[k], col.reactif, true),
                        valeur(col.final.valeur));
    }
    disposerbilan(d, e, q);
    disposercolonne(d, e, t);
    return d;
}

void peindrelitteral(QPainter& p, const std::vector<lignedessin>& lignes,
                     const std::vector<textedessin>& textes)
{
    for (const lignedessin& l : lignes)
        peindreligne(p, l);
    peindrelegendes(p, textes);
}

dessinlitteral litteralactuel(const FeuilleP& f)
{
    entreelitteral e;
    e.taille = f.Picture3->size();
    e.largeurlegendes = f.Picture4->width();
    e.nbcolonnes = f.etat.nbcolonnes;
    e.premierproduit = f.etat.premierproduit;
    e.largeurcolonne = f.etat.largeurcolonne;
    e.coef = f.etat.coef;
    e.quant = f.etat.quant;
    e.p = f.etat.p;
    for (const espece& s : especes(f.etat.texte.toStdString()))
        e.noms.push_back(s.affichage);
    e.separateur = separateurlocal();
    return disposerlitteral(e);
}

void majlitteral(FeuilleP& f)
{
    const dessinlitteral d = litteralactuel(f);
    f.Picture3->effacer();
    {
        QPainter p(&f.Picture3->image);
        peindrelitteral(p, d.lignes, d.textes);
    }
    f.Picture3->rafraichir();
    f.Picture4->effacer();
    {
        QPainter p(&f.Picture4->image);
        peindrelitteral(p, d.lignescolonne, d.legendes);
    }
    f.Picture4->rafraichir();
}

void litteral_Click(FeuilleP& f)
{
    f.etat.litteral = etatcase(f.litteral) == 1 ? 1 : 0;
    // The table area shows one view at a time: the written table and the graph exclude each other.
    if (f.etat.litteral == 1)
        if (auto* graphe = f.findChild<QCheckBox*>(QStringLiteral("graphe")))
            graphe->setChecked(false);
    if (f.etat.tableauactif && f.etat.nbcolonnes > 0) {
        f.etat.tableaudemande = 1;
        majtab(f);
    }
}

} // namespace qm
