#include "core/nombre.h"

#include "core/decimal.h"

#include <cfloat>
#include <charconv>
#include <cmath>

namespace qm {

namespace {

// The written text of the digits, positional below 10^bascule.
std::string ecrire(const decimal& d, int bascule)
{
    if (d.chiffres.empty())
        return " 0";
    std::string t = d.negatif ? "-" : " ";
    const int e10 = d.exposant - 1;
    const int n = static_cast<int>(d.chiffres.size());
    if (e10 < -4 || e10 >= bascule) {
        t += d.chiffres[0];
        if (n > 1) {
            t += '.';
            t.append(d.chiffres, 1);
        }
        return t + texteexposant(e10);
    }
    if (e10 < 0) {
        t += '.';
        t.append(static_cast<std::size_t>(-e10 - 1), '0');
        return t + d.chiffres;
    }
    const int entiers = e10 + 1;
    t.append(d.chiffres, 0, static_cast<std::size_t>(std::min(n, entiers)));
    if (n < entiers)
        t.append(static_cast<std::size_t>(entiers - n), '0');
    else if (n > entiers)
        t += '.' + d.chiffres.substr(static_cast<std::size_t>(entiers));
    return t;
}

// Rounds to single precision without the undefined cast of an out-of-range
// double: beyond the largest float by half a step or more is infinite.
std::optional<float> verssimple(double x)
{
    if (std::fabs(x) <= static_cast<double>(FLT_MAX))
        return static_cast<float>(x);
    if (std::fabs(x) < static_cast<double>(FLT_MAX) + std::ldexp(1.0, 103))
        return x < 0 ? -FLT_MAX : FLT_MAX;
    return std::nullopt;
}

bool ignore(char c)
{
    return c == ' ' || c == '\t' || c == '\n';
}
bool chiffre(char c)
{
    return c >= '0' && c <= '9';
}

// Walks the text, stepping over the characters that the reading ignores.
struct curseur {
    std::string_view t;
    std::size_t i = 0;
    char voir()
    {
        while (i < t.size() && ignore(t[i]))
            ++i;
        return i < t.size() ? t[i] : '\0';
    }
};

// The leading number, gathered without blanks: "-12.5E+300" as the digits
// "125", the count of integer digits 2 and the exponent 300.
struct prefixe {
    bool negatif = false;
    std::string chiffres;
    long entiers = 0;
    long exposant = 0;
};

long lireexposant(curseur& c)
{
    const std::size_t debut = c.i;
    ++c.i; // the letter
    bool negatif = false;
    if (c.voir() == '+' || c.voir() == '-') {
        negatif = c.voir() == '-';
        ++c.i;
    }
    if (!chiffre(c.voir())) {
        c.i = debut;
        return 0;
    }
    long e = 0;
    // Beyond a few thousand the value is out of range anyway; saturating keeps
    // a thousand-digit exponent from overflowing.
    for (; chiffre(c.voir()); ++c.i)
        e = std::min(e * 10 + (c.t[c.i] - '0'), 100000L);
    return negatif ? -e : e;
}

prefixe lireprefixe(std::string_view texte)
{
    prefixe p;
    curseur c{texte};
    if (c.voir() == '+' || c.voir() == '-') {
        p.negatif = c.voir() == '-';
        ++c.i;
    }
    bool point = false;
    for (char x = c.voir(); chiffre(x) || (x == '.' && !point); x = c.voir()) {
        if (x == '.')
            point = true;
        else {
            p.chiffres += x;
            if (!point)
                ++p.entiers;
        }
        ++c.i;
    }
    const char x = c.voir();
    if (!p.chiffres.empty() && (x == 'E' || x == 'e' || x == 'D' || x == 'd'))
        p.exposant = lireexposant(c);
    return p;
}

} // namespace

std::string textenombre(double v)
{
    if (!std::isfinite(v))
        v = 0;
    std::string t = ecrire(decomposer(v, 15), 15);
    if (lirenombre(t))
        return t;
    // Rounded to 15 digits, the largest doubles would leave the range
    // ("1.79769313486232E+308"): they are cut to 15 digits instead.
    decimal d = decomposer(v, 17);
    d.chiffres.resize(15);
    while (!d.chiffres.empty() && d.chiffres.back() == '0')
        d.chiffres.pop_back();
    return ecrire(d, 15);
}

std::string textenombre(float v)
{
    std::string t;
    // The shortest digits that bring the float back, seven at most: the 7-digit
    // rounding of the binary image of .000991331 would be .0009913309. A float
    // that needs more keeps its 7-digit rounding, the precision of the files.
    for (int chiffres = 1; chiffres <= 7; ++chiffres) {
        t = ecrire(decomposer(std::isfinite(v) ? v : 0.0f, chiffres), 7);
        const std::optional<double> relu = lirenombre(t);
        if (relu && verssimple(*relu) == v)
            break;
    }
    return t;
}

std::optional<double> lirenombre(std::string_view texte)
{
    const prefixe p = lireprefixe(texte);
    const std::size_t premier = p.chiffres.find_first_not_of('0');
    if (premier == std::string::npos)
        return 0.0;
    // Written as "0.ddddE<n>" so that from_chars sees one plain form.
    const long exposant = p.entiers - static_cast<long>(premier) + p.exposant;
    std::string forme = "0." + p.chiffres.substr(premier) + "E" + std::to_string(exposant);
    double v = 0;
    const auto r = std::from_chars(forme.data(), forme.data() + forme.size(), v);
    if (r.ec == std::errc::result_out_of_range)
        return exposant > 0 ? std::nullopt : std::optional<double>(0.0);
    if (r.ec != std::errc() || !std::isfinite(v))
        return exposant > 0 ? std::nullopt : std::optional<double>(0.0);
    return p.negatif ? -v : v;
}

std::optional<float> lirenombresimple(std::string_view texte)
{
    const std::optional<double> v = lirenombre(texte);
    if (!v)
        return std::nullopt;
    return verssimple(*v);
}

std::string formescientifique(double v)
{
    return textescientifique(v, 7, '.', 15);
}

std::string_view sansblancs(std::string_view texte)
{
    const std::size_t debut = texte.find_first_not_of(' ');
    if (debut == std::string_view::npos)
        return {};
    return texte.substr(debut, texte.find_last_not_of(' ') - debut + 1);
}

} // namespace qm
