#include "core/decimal.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace qm {

namespace {

void enleverzerosfinaux(decimal& d)
{
    while (!d.chiffres.empty() && d.chiffres.back() == '0')
        d.chiffres.pop_back();
    if (d.chiffres.empty())
        d.exposant = 0;
}

char chiffre(const decimal& d, int i)
{
    return (i >= 0 && i < static_cast<int>(d.chiffres.size())) ? d.chiffres[static_cast<std::size_t>(i)]
                                                               : '0';
}

} // namespace

decimal decomposer(double v, int precision)
{
    decimal d;
    if (precision < 1)
        precision = 1;
    if (precision > 17)
        precision = 17;
    if (!std::isfinite(v) || v == 0)
        return d;
    d.negatif = v < 0;
    char tampon[64];
    std::snprintf(tampon, sizeof tampon, "%.*e", precision - 1, std::fabs(v));
    // tampon is "d.ddddde+XX" (or "de+XX" for one digit).
    const char* p = tampon;
    for (; *p && *p != 'e'; ++p)
        if (*p >= '0' && *p <= '9')
            d.chiffres.push_back(*p);
    if (*p == 'e')
        d.exposant = std::atoi(p + 1) + 1;
    enleverzerosfinaux(d);
    return d;
}

void arrondir(decimal& d, int garder)
{
    if (garder >= static_cast<int>(d.chiffres.size()))
        return;
    if (garder < 0) {
        d.chiffres.clear();
        d.exposant = 0;
        return;
    }
    const bool plus = d.chiffres[static_cast<std::size_t>(garder)] >= '5';
    d.chiffres.resize(static_cast<std::size_t>(garder));
    if (plus) {
        int i = garder - 1;
        for (; i >= 0; --i) {
            char& c = d.chiffres[static_cast<std::size_t>(i)];
            if (c == '9') {
                c = '0';
            } else {
                ++c;
                break;
            }
        }
        if (i < 0) {
            // Carried out of every digit (or no digit was kept): one more power of ten.
            d.chiffres.insert(d.chiffres.begin(), '1');
            ++d.exposant;
        }
    }
    enleverzerosfinaux(d);
}

std::string texteexposant(int exposant)
{
    std::string t = exposant < 0 ? "E-" : "E+";
    const int a = exposant < 0 ? -exposant : exposant;
    if (a < 10)
        t += '0';
    t += std::to_string(a);
    return t;
}

std::string textefixe(double v, int mindec, int maxdec, char separateur, int precision)
{
    decimal d = decomposer(v, precision);
    arrondir(d, d.exposant + maxdec);
    std::string t;
    if (d.negatif && !d.chiffres.empty())
        t += '-';
    if (d.exposant <= 0 || d.chiffres.empty())
        t += '0';
    else
        for (int i = 0; i < d.exposant; ++i)
            t += chiffre(d, i);
    std::string decimales;
    for (int i = 0; i < maxdec; ++i)
        decimales += chiffre(d, d.exposant + i);
    while (static_cast<int>(decimales.size()) > mindec && decimales.back() == '0')
        decimales.pop_back();
    if (!decimales.empty()) {
        t += separateur;
        t += decimales;
    }
    return t;
}

std::string textescientifique(double v, int maxdec, char separateur, int precision)
{
    decimal d = decomposer(v, precision);
    arrondir(d, 1 + maxdec);
    std::string t;
    if (d.negatif && !d.chiffres.empty())
        t += '-';
    t += chiffre(d, 0);
    t += separateur;
    for (int i = 1; i < static_cast<int>(d.chiffres.size()); ++i)
        t += d.chiffres[static_cast<std::size_t>(i)];
    t += texteexposant(d.chiffres.empty() ? 0 : d.exposant - 1);
    return t;
}

std::string textegeneral(double v, int chiffres, char separateur)
{
    decimal d = decomposer(v, chiffres);
    if (d.chiffres.empty())
        return "0";
    std::string t = d.negatif ? "-" : "";
    const int e10 = d.exposant - 1;
    const int n = static_cast<int>(d.chiffres.size());
    if (e10 >= -4 && e10 < chiffres) {
        if (d.exposant <= 0) {
            t += '0';
            t += separateur;
            t.append(static_cast<std::size_t>(-d.exposant), '0');
            t += d.chiffres;
        } else {
            for (int i = 0; i < d.exposant; ++i)
                t += chiffre(d, i);
            if (n > d.exposant) {
                t += separateur;
                t += d.chiffres.substr(static_cast<std::size_t>(d.exposant));
            }
        }
        return t;
    }
    t += d.chiffres[0];
    if (n > 1) {
        t += separateur;
        t += d.chiffres.substr(1);
    }
    t += texteexposant(e10);
    return t;
}

} // namespace qm
