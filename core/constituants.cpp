#include "core/constituants.h"

namespace qm {

namespace {

bool estchiffre(char c)
{
    return c >= '0' && c <= '9';
}

const char* const indices[] = {"₀", "₁", "₂", "₃", "₄", "₅", "₆", "₇", "₈", "₉"};
const char* const exposants[] = {"⁰", "¹", "²", "³", "⁴", "⁵", "⁶", "⁷", "⁸", "⁹"};

espece lireespece(std::string_view s, bool produit)
{
    espece e;
    e.produit = produit;
    std::string propre;
    for (const char c : s)
        if (c != ' ')
            propre += c;
    std::size_t i = 0;
    while (i < propre.size() && estchiffre(propre[i]))
        ++i;
    e.coefficient = propre.substr(0, i);
    e.formule = propre.substr(i);
    e.affichage = texteunicode(e.formule);
    return e;
}

} // namespace

std::vector<espece> especes(std::string_view equation, std::size_t limite)
{
    std::vector<espece> resultat;
    bool produits = false;
    std::size_t debut = 0;
    // The first character never separates, so a species is never empty by a cut there.
    for (std::size_t i = 1; i <= equation.size() && resultat.size() < limite; ++i) {
        const bool fin = i == equation.size();
        const bool plus = !fin && equation[i] == '+' && equation[i - 1] != '*';
        const bool egal = !fin && equation[i] == '=';
        if (!fin && !plus && !egal)
            continue;
        resultat.push_back(lireespece(equation.substr(debut, i - debut), produits));
        if (egal)
            produits = true;
        debut = i + 1;
    }
    return resultat;
}

std::string texteunicode(std::string_view formule)
{
    std::string t;
    for (std::size_t i = 0; i < formule.size(); ++i) {
        const char c = formule[i];
        if ((c == '#' || c == '*') && i + 1 < formule.size()) {
            const char d = formule[++i];
            if (estchiffre(d))
                t += (c == '#' ? indices : exposants)[d - '0'];
            else if (c == '*' && d == '+')
                t += "⁺";
            else if (c == '*' && d == '-')
                t += "⁻";
            else
                t += d;
        } else if (c != '#' && c != '*') {
            t += c;
        }
    }
    return t;
}

} // namespace qm
