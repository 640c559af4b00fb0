#include "core/courbes.h"

#include <algorithm>
#include <cmath>

#include "core/decimal.h"

namespace qm {

namespace {

constexpr int pmax = 10000;
// Amounts are single precision: 0,1 mol is a hair above 0,1, and must still
// be graduated as 0,1.
constexpr double tolerance = 1e-6;

double positif(double v, double seuil)
{
    return v < seuil ? 0 : v;
}

} // namespace

courbes calculcourbes(int nbcolonnes, int premierproduit, const tabcoef& coef, const tabquant& quant,
                      float xmax, int p)
{
    courbes c;
    const int n = std::clamp(nbcolonnes, 0, static_cast<int>(nombreespeces));
    c.xmax = std::isfinite(xmax) && xmax > 0 ? static_cast<double>(xmax) : 0;
    const double f = std::clamp(p, 0, pmax) / static_cast<double>(pmax);
    c.x = f * c.xmax;
    for (int i = 1; i <= n; ++i) {
        const auto k = static_cast<std::size_t>(i);
        droiteespece d;
        d.colonne = i;
        d.reactif = i < premierproduit;
        const double avance = static_cast<double>(coef[k]) * c.xmax;
        if (d.reactif) {
            d.depart = static_cast<double>(quant[k]);
            d.arrivee = d.depart - avance;
            d.courant = d.depart - f * avance;
        } else {
            d.arrivee = avance;
            d.courant = f * avance;
        }
        c.nmax = std::max({c.nmax, d.depart, d.arrivee});
        c.droites.push_back(d);
    }
    const double seuil = c.nmax / pmax;
    for (droiteespece& d : c.droites) {
        d.arrivee = positif(d.arrivee, seuil);
        d.courant = positif(d.courant, seuil);
    }
    return c;
}

double pasgraduation(double etendue, int intervalles)
{
    if (!std::isfinite(etendue) || etendue <= 0 || intervalles <= 0)
        return 0;
    double puissance = std::pow(10.0, std::floor(std::log10(etendue / intervalles)));
    for (;;) {
        for (const int m : {1, 2, 5})
            if (etendue / (m * puissance) <= intervalles * (1 + tolerance))
                return m * puissance;
        puissance *= 10;
    }
}

std::vector<graduation> graduer(double fin, double pas, char separateur)
{
    std::vector<graduation> g;
    if (!std::isfinite(fin) || !std::isfinite(pas) || pas <= 0 || fin < 0)
        return g;
    // pas = m x 10^e with m a whole number: k pas is k m scaled by an exact
    // power of ten, so 3 x 0,1 gives the double nearest to 0,3.
    const int e = static_cast<int>(std::floor(std::log10(pas) + 1e-9));
    const double m = std::round(pas / std::pow(10.0, e));
    const double echelle = std::pow(10.0, std::abs(e));
    for (int k = 0; k <= 1000; ++k) {
        const double v = e < 0 ? k * m / echelle : k * m * echelle;
        if (v > fin * (1 + tolerance))
            break;
        g.push_back({v, textegeneral(v, 7, separateur)});
    }
    return g;
}

} // namespace qm
