#include "core/avancement.h"

#include <algorithm>
#include <cmath>

#include "core/decimal.h"

namespace qm {

namespace {

template <typename T>
std::string formater(T v, double seuilzero, int largeur, const mesuretexte& mesure, char sep)
{
    const int chiffres = std::is_same_v<T, float> ? 7 : 15;
    if (!std::isfinite(v))
        return "0";
    std::string t;
    if (static_cast<double>(v) < seuilzero)
        t = "0";
    else if (v >= static_cast<T>(0.0001) && v <= static_cast<T>(9999))
        t = textefixe(static_cast<double>(v), 1, 5, sep, chiffres);
    else
        t = textescientifique(static_cast<double>(v), 3, sep, chiffres);
    if (v == 0)
        t = "0";
    if (mesure && mesure(t) > largeur + 4)
        t = textescientifique(static_cast<double>(v), 2, sep, chiffres);
    return t;
}

// A step of the calculation that meets a value it cannot use (a division by
// zero, an overflow) stops there; the next step still runs.
bool utilisable(double v)
{
    return std::isfinite(v);
}

struct calcul {
    const parametrestableau& e;
    tabquant& quant;
    tableau t;
    int n = 0; // columns, bounded by the arrays
    int p = 0; // first product column

    bool reactif(int i) const { return i < p; }
    float coef(int i) const { return static_cast<float>(e.coef[static_cast<std::size_t>(i)]); }
    float& q(int i) { return quant[static_cast<std::size_t>(i)]; }
    colonnetab& colonne(int i) { return t.colonnes[static_cast<std::size_t>(i)]; }

    void avancementmaximal();
    void produitsazero();
    void quantitemaximale();
    void etatinitial();
    void etatfinal();
    void etatcourant();
    void consommation();
    void textes();
};

void calcul::avancementmaximal()
{
    for (int i = 1; i < p && i <= nombreespeces; ++i) {
        if (coef(i) == 0)
            return;
        const float ratio = q(i) / coef(i);
        if (!utilisable(ratio))
            return;
        if (i == 1 || ratio < t.xmax)
            t.xmax = ratio;
    }
}

void calcul::produitsazero()
{
    for (int i = std::max(p, 1); i <= n; ++i)
        q(i) = 0;
}

void calcul::quantitemaximale()
{
    for (int i = 1; i <= n; ++i) {
        const float candidat = reactif(i) ? q(i) : coef(i) * t.xmax;
        if (!utilisable(candidat))
            return;
        if (candidat > t.quantmax)
            t.quantmax = candidat;
    }
}

void calcul::etatinitial()
{
    for (int i = 1; i <= n; ++i) {
        colonne(i).reactif = reactif(i);
        colonne(i).initial.valeur = q(i);
    }
}

void calcul::etatfinal()
{
    if (!e.final)
        return;
    for (int i = 1; i <= n; ++i) {
        float v = 0;
        if (t.quantmax != 0)
            v = reactif(i) ? q(i) - coef(i) * t.xmax : coef(i) * t.xmax;
        if (!utilisable(v))
            return;
        colonne(i).final.valeur = v < 0 ? 0 : v;
    }
}

void calcul::etatcourant()
{
    const double avance = e.p / 10000.0;
    for (int i = 1; i <= n; ++i) {
        double v = 0;
        if (t.quantmax != 0) {
            const double f = avance * e.coef[static_cast<std::size_t>(i)];
            v = reactif(i) ? q(i) - f * t.xmax : f * t.xmax;
        }
        if (!utilisable(v))
            return;
        colonne(i).courant.valeur = v < 0 ? 0 : v;
    }
}

void calcul::consommation()
{
    if (!e.conso)
        return;
    for (int i = 1; i <= n && reactif(i); ++i) {
        const double v = q(i) - colonne(i).courant.valeur;
        if (!utilisable(v))
            return;
        colonne(i).consomme.valeur = v < 0 ? 0 : v;
    }
}

void calcul::textes()
{
    const auto texte = [&](double v) {
        return formatcellule(v, t.seuilzero, e.largeurcolonne, e.mesure, e.separateur);
    };
    for (int i = 1; i <= n; ++i) {
        colonnetab& c = colonne(i);
        c.initial.texte = formatcellule(static_cast<float>(c.initial.valeur), t.seuilzero, e.largeurcolonne,
                                        e.mesure, e.separateur);
        c.courant.texte = texte(c.courant.valeur);
        if (e.final)
            c.final.texte = texte(c.final.valeur);
        if (e.conso && c.reactif)
            c.consomme.texte = texte(c.consomme.valeur);
    }
    t.echellehaut = texteechelle(t.quantmax, e.separateur);
    t.echellemilieu = texteechelle(t.quantmax / 2, e.separateur);
}

} // namespace

std::string formatcellule(double v, double seuilzero, int largeurcolonne, const mesuretexte& mesure,
                          char separateur)
{
    return formater(v, seuilzero, largeurcolonne, mesure, separateur);
}

std::string formatcellule(float v, double seuilzero, int largeurcolonne, const mesuretexte& mesure,
                          char separateur)
{
    return formater(v, seuilzero, largeurcolonne, mesure, separateur);
}

std::string texteechelle(float valeur, char separateur)
{
    if (!std::isfinite(valeur))
        return "0 -";
    return textegeneral(static_cast<double>(valeur), 7, separateur) + " -";
}

tableau calcultableau(const parametrestableau& entree, tabquant& quant)
{
    calcul c{entree, quant, {}};
    c.n = std::clamp<int>(entree.nbcolonnes, 0, nombreespeces);
    c.p = std::clamp<int>(entree.premierproduit, 1, 12);
    c.avancementmaximal();
    c.produitsazero();
    c.quantitemaximale();
    c.t.seuilzero = c.t.quantmax / 10000.0;
    c.etatinitial();
    c.etatfinal();
    c.etatcourant();
    c.consommation();
    c.textes();
    return c.t;
}

} // namespace qm
