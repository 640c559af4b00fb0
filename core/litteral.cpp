#include "core/litteral.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "core/avancement.h"

namespace qm {

namespace {

const char* const moins = " − "; // U+2212 with its blanks

double valeur(const decimalexact& d)
{
    const auto c = static_cast<double>(d.chiffres);
    if (d.exposant >= 0)
        return c * std::pow(10.0, d.exposant);
    return c / std::pow(10.0, -d.exposant);
}

// "A", "A et B", "A, B et C".
std::string liste(const std::vector<std::size_t>& indices, const std::vector<std::string>& noms)
{
    std::string t;
    for (std::size_t k = 0; k < indices.size(); ++k) {
        if (k > 0)
            t += k + 1 == indices.size() ? " et " : ", ";
        if (indices[k] < noms.size())
            t += noms[indices[k]];
    }
    return t;
}

} // namespace

decimalexact decimaltape(float v)
{
    decimalexact d;
    if (!std::isfinite(v) || v <= 0)
        return d;
    // "d.dddde±XX": the digits and the power of ten of the shortest text that
    // reads back as v.
    char t[32];
    const std::to_chars_result r = std::to_chars(t, t + sizeof t, v, std::chars_format::scientific);
    const char* p = t;
    int decimales = 0;
    bool apres = false;
    for (; p < r.ptr && *p != 'e'; ++p) {
        if (*p == '.') {
            apres = true;
            continue;
        }
        d.chiffres = d.chiffres * 10 + static_cast<std::uint64_t>(*p - '0');
        if (apres)
            ++decimales;
    }
    int exposant = 0;
    if (p < r.ptr) {
        ++p;
        const bool negatif = p < r.ptr && *p == '-';
        if (p < r.ptr && (*p == '-' || *p == '+'))
            ++p;
        std::from_chars(p, r.ptr, exposant);
        if (negatif)
            exposant = -exposant;
    }
    d.exposant = exposant - decimales;
    return d;
}

int comparerrapports(const decimalexact& a, int na, const decimalexact& b, int nb)
{
    // a / na against b / nb is a × nb against b × na: x × 10^d against y.
    std::uint64_t x = a.chiffres * static_cast<std::uint64_t>(std::max(nb, 1));
    std::uint64_t y = b.chiffres * static_cast<std::uint64_t>(std::max(na, 1));
    if (x == 0 || y == 0)
        return (x != 0 ? 1 : 0) - (y != 0 ? 1 : 0);
    int d = a.exposant - b.exposant;
    // One power of ten at a time, as long as the side multiplied can still
    // be the smaller: no product ever exceeds the other side.
    for (; d > 0; --d) {
        if (x > y / 10)
            return 1;
        x *= 10;
    }
    for (; d < 0; ++d) {
        if (y > x / 10)
            return -1;
        y *= 10;
    }
    return x < y ? -1 : (x > y ? 1 : 0);
}

bilanlitteral bilanreactifs(const std::vector<reactiflitteral>& reactifs)
{
    bilanlitteral b;
    if (reactifs.empty())
        return b;
    std::vector<decimalexact> n;
    std::vector<int> nu;
    for (const reactiflitteral& r : reactifs) {
        n.push_back(decimaltape(r.quant));
        nu.push_back(std::max<int>(r.coef, 1));
        b.saisi = b.saisi || n.back().chiffres != 0;
    }
    std::size_t pluspetit = 0;
    for (std::size_t i = 1; i < n.size(); ++i)
        if (comparerrapports(n[i], nu[i], n[pluspetit], nu[pluspetit]) < 0)
            pluspetit = i;
    for (std::size_t i = 0; i < n.size(); ++i) {
        if (comparerrapports(n[i], nu[i], n[pluspetit], nu[pluspetit]) == 0)
            b.limitants.push_back(i);
        else
            b.exces.push_back(i);
    }
    b.xmax = valeur(n[pluspetit]) / nu[pluspetit];
    return b;
}

std::string expressionlitterale(const std::string& quantite, std::int16_t coef, bool reactif, bool final)
{
    std::string terme = coef > 1 ? std::to_string(coef) : std::string();
    terme += final ? "xmax" : "x";
    if (!reactif)
        return terme;
    return quantite + moins + terme;
}

conclusionlitterale conclurelitteral(const bilanlitteral& b, const std::vector<std::string>& noms,
                                     char separateur)
{
    conclusionlitterale c;
    if (!b.saisi) {
        c.limitant = "Saisir les quantités initiales des réactifs";
        return c;
    }
    c.xmax = "xmax = " + formatcellule(b.xmax, 0.0, 0, {}, separateur) + " mol";
    if (b.exces.empty() && b.limitants.size() > 1)
        c.limitant = "Mélange stœchiométrique";
    else if (b.limitants.size() == 1)
        c.limitant = "Réactif limitant : " + liste(b.limitants, noms);
    else
        c.limitant = "Réactifs limitants : " + liste(b.limitants, noms);
    if (!b.exces.empty())
        c.exces = "En excès : " + liste(b.exces, noms);
    return c;
}

} // namespace qm
