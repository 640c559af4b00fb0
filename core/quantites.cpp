#include "core/quantites.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

#include "core/decimal.h"
#include "core/nombre.h"

namespace qm {

namespace {

std::string noncomprise(std::string_view texte)
{
    return "Valeur non comprise : « " + std::string(sansblancs(texte)) + " ».";
}

// The least precise of the values, kept between two and three figures.
int precision(std::initializer_list<std::string_view> valeurs)
{
    int p = 3;
    for (const std::string_view v : valeurs)
        p = std::min(p, chiffressignificatifs(v));
    return std::max(p, 2);
}

// A value that is missing or cannot be read: the formula alone, or why.
bool manque(const std::string& texte, std::string_view formule, conversion& c)
{
    if (sansblancs(texte).empty()) {
        c.texte = formule;
        return true;
    }
    if (!lirevaleur(texte)) {
        c.texte = noncomprise(texte);
        return true;
    }
    return false;
}

} // namespace

std::optional<double> lirevaleur(std::string_view texte)
{
    texte = sansblancs(texte);
    std::string t;
    bool virgule = false;
    bool chiffre = false;
    for (const char c : texte) {
        if (c >= '0' && c <= '9') {
            t += c;
            chiffre = true;
        } else if ((c == ',' || c == '.') && !virgule) {
            t += '.';
            virgule = true;
        } else {
            return std::nullopt;
        }
    }
    if (!chiffre)
        return std::nullopt;
    double v = 0;
    const auto [fin, erreur] = std::from_chars(t.data(), t.data() + t.size(), v);
    if (erreur != std::errc() || fin != t.data() + t.size() || !std::isfinite(v))
        return std::nullopt;
    return v;
}

std::string textevaleur(std::string_view texte)
{
    std::string t(sansblancs(texte));
    std::replace(t.begin(), t.end(), '.', ',');
    if (!t.empty() && t.front() == ',')
        t.insert(t.begin(), '0');
    if (!t.empty() && t.back() == ',')
        t.pop_back();
    return t;
}

int chiffressignificatifs(std::string_view texte)
{
    int n = 0;
    for (const char c : texte)
        if ((c >= '1' && c <= '9') || (c == '0' && n > 0))
            ++n;
    return n;
}

std::string millilitresenlitres(std::string_view texte)
{
    if (!lirevaleur(texte))
        return std::string(texte);
    const std::string t = textevaleur(texte);
    const std::size_t virgule = std::min(t.find(','), t.size());
    std::string chiffres = t.substr(0, virgule) + (virgule < t.size() ? t.substr(virgule + 1) : "");
    // The comma moves three places to the left.
    long place = static_cast<long>(virgule) - 3;
    if (place <= 0) {
        chiffres.insert(0, static_cast<std::size_t>(1 - place), '0');
        place = 1;
    }
    std::string entiers = chiffres.substr(0, static_cast<std::size_t>(place));
    while (entiers.size() > 1 && entiers.front() == '0')
        entiers.erase(entiers.begin());
    const std::string decimales = chiffres.substr(static_cast<std::size_t>(place));
    return decimales.empty() ? entiers : entiers + "," + decimales;
}

std::string texteresultat(double n, int chiffres)
{
    if (n == 0 || !std::isfinite(n))
        return "0";
    const decimal d = decomposer(n, chiffres);
    const int decimales = chiffres - d.exposant;
    if (decimales >= 0)
        return textefixe(n, decimales, decimales, ',');
    // Beyond the figures kept, the integer digits are zeros.
    std::string t = d.chiffres;
    t.append(static_cast<std::size_t>(d.exposant) - d.chiffres.size(), '0');
    return t;
}

conversion convertir(const saisiequantite& s, const massemolaire& M)
{
    conversion c;
    double n = 0;
    switch (s.choix) {
    case donnee::quantite:
        if (manque(s.n, "Saisir la quantité de matière n en mol.", c))
            return c;
        n = *lirevaleur(s.n);
        c.texte = "n = " + textevaleur(s.n) + " mol";
        break;
    case donnee::masse: {
        if (!M.valide) {
            c.texte = M.erreur.texte;
            return c;
        }
        if (manque(s.m, "n = m / M", c))
            return c;
        n = *lirevaleur(s.m) / M.masse;
        c.texte = "n = m / M = " + textevaleur(s.m) + " / " + M.texte + " = " +
                  texteresultat(n, precision({s.m})) + " mol";
        break;
    }
    case donnee::solution: {
        if (manque(s.C, "n = C × V", c) || manque(s.V, "n = C × V", c))
            return c;
        const std::string litres = s.litres ? textevaleur(s.V) : millilitresenlitres(s.V);
        n = *lirevaleur(s.C) * *lirevaleur(litres);
        c.texte = "n = C × V = " + textevaleur(s.C) + " × " + litres + " = " +
                  texteresultat(n, precision({s.C, s.V})) + " mol";
        break;
    }
    case donnee::gaz: {
        if (manque(s.Vgaz, "n = V / Vm", c) || manque(s.Vm, "n = V / Vm", c))
            return c;
        const double vm = *lirevaleur(s.Vm);
        if (vm == 0) {
            c.texte = "Le volume molaire Vm ne peut pas être nul.";
            return c;
        }
        n = *lirevaleur(s.Vgaz) / vm;
        c.texte = "n = V / Vm = " + textevaleur(s.Vgaz) + " / " + textevaleur(s.Vm) + " = " +
                  texteresultat(n, precision({s.Vgaz, s.Vm})) + " mol";
        break;
    }
    }
    // The table holds single-precision amounts.
    if (!std::isfinite(n) || n > std::numeric_limits<float>::max()) {
        c.texte = "Cette quantité est trop grande.";
        return c;
    }
    c.n = n;
    return c;
}

feuillequantite ouvrirquantite(std::string_view formule, std::string_view affichage, const tableelements& t)
{
    feuillequantite f;
    const std::string nom(affichage);
    f.titre = "Quantité initiale de " + nom;
    f.M = calculermasse(formule, t);
    if (!f.M.valide)
        f.textemasse = "M(" + nom + ") : masse molaire inconnue.";
    else if (f.M.detail == f.M.texte)
        f.textemasse = "M(" + nom + ") = " + f.M.texte + " g·mol⁻¹";
    else
        f.textemasse = "M(" + nom + ") = " + f.M.detail + " = " + f.M.texte + " g·mol⁻¹";
    majquantite(f);
    return f;
}

void majquantite(feuillequantite& f)
{
    f.resultat = convertir(f.saisie, f.M);
    f.accepte = f.resultat.n.has_value();
}

} // namespace qm
