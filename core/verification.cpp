#include "core/verification.h"

#include <limits>

namespace qm {

message msgelementinconnu(std::string_view symbole)
{
    std::string texte = "Je ne connais pas l'élément de symbole ";
    texte += symbole;
    texte += "\r\nJe ne peux pas vérifier si cette équation chimique est bien équilibrée.";
    return {texte, "Elément inconnu"};
}

bool equationvide(std::string_view texte)
{
    return texte.find_first_not_of(' ') == std::string_view::npos;
}

namespace {

// Thrown inside the check only; verifequation turns it into the verdict.
struct rejet {
    message m;
};

// Counts, coefficients, multipliers and charges are 16-bit: leaving the range
// is a failure of the check, never a wrap.
std::int16_t seize(long v)
{
    if (v < std::numeric_limits<std::int16_t>::min() || v > std::numeric_limits<std::int16_t>::max())
        throw rejet{msgdesole};
    return static_cast<std::int16_t>(v);
}

std::int16_t somme(std::int16_t a, long b)
{
    return seize(a + b);
}
std::int16_t produit(std::int16_t a, long b)
{
    return seize(a * b);
}
std::int16_t dizaine(std::int16_t a, int chiffre)
{
    return somme(produit(a, 10), chiffre);
}

bool estchiffre(char c)
{
    return c >= '0' && c <= '9';
}

// Digit value of a character, 0 for anything else.
int valeur(std::string_view s, std::size_t i)
{
    return (i < s.size() && estchiffre(s[i])) ? s[i] - '0' : 0;
}

void avancer(std::string_view& s, std::size_t n)
{
    s.remove_prefix(n < s.size() ? n : s.size());
}

struct controle {
    const tableelements& elements;
    verification& v;
    bool produits = false;
    std::int16_t multiplicateur = 0;
    bool parenthese = false;

    void espece(std::string_view s);
    void groupe(std::string_view& s);
    void element(std::string_view token, std::string_view& s, std::int16_t c);
    void charge(std::string_view s, std::int16_t c);
};

void controle::espece(std::string_view s)
{
    std::int16_t c = 0;
    while (!s.empty() && estchiffre(s.front())) {
        c = dizaine(c, s.front() - '0');
        avancer(s, 1);
    }
    if (c == 0)
        c = 1;
    v.nbespeces = somme(v.nbespeces, 1);
    if (v.nbespeces > nombreespeces)
        throw rejet{msgdesole};
    v.coef[static_cast<std::size_t>(v.nbespeces)] = c;

    for (;;) {
        if (s.empty())
            throw rejet{msgdesole}; // an empty species, or a coefficient alone
        const std::size_t longueur = (s.size() >= 2 && s[1] >= 'a' && s[1] <= 'z') ? 2 : 1;
        const std::string_view token = s.substr(0, longueur);
        if (multiplicateur == 0)
            multiplicateur = 1;
        avancer(s, longueur);
        if (token == "(") {
            groupe(s);
            continue; // the group's first token is read without the end test
        }
        if (token == ")") {
            if (!parenthese)
                throw rejet{msgparentheses};
            // The group's subscript was read at its "(".
            while (!s.empty() && s.front() == '#')
                avancer(s, 2);
            multiplicateur = 1;
        } else {
            element(token, s, c);
        }
        if (s.empty() || s.front() == '*')
            break;
    }
    charge(s, c);
}

// After a "(": finds its ")" within the species and reads the group's multiplier.
void controle::groupe(std::string_view& s)
{
    std::size_t j = 0;
    for (;;) {
        const char cj = j < s.size() ? s[j] : '\0';
        if (cj == '*')
            throw rejet{msgparentheses};
        if (cj == ')')
            break;
        if (j + 1 >= s.size())
            throw rejet{msgparentheses};
        ++j;
    }
    multiplicateur = 0;
    for (std::size_t k = j + 1; k < s.size() && s[k] == '#'; k += 2)
        multiplicateur = dizaine(multiplicateur, valeur(s, k + 1));
    if (multiplicateur == 0)
        multiplicateur = 1;
    parenthese = true;
}

void controle::element(std::string_view token, std::string_view& s, std::int16_t c)
{
    std::int16_t n = 0;
    while (!s.empty() && s.front() == '#') {
        n = dizaine(n, valeur(s, 1));
        avancer(s, 2);
    }
    if (n == 0)
        n = 1;
    const int e = chercheelement(elements, token);
    if (e == 0) {
        if (token.front() >= 'A' && token.front() <= 'Z')
            throw rejet{msgelementinconnu(token)};
        throw rejet{msgincomprise};
    }
    const std::int16_t atomes = produit(produit(multiplicateur, c), n);
    auto& compte =
        produits ? v.nbproduits[static_cast<std::size_t>(e)] : v.nbreactifs[static_cast<std::size_t>(e)];
    compte = somme(compte, atomes);
}

// A charge is read only when the rest starts with "*" and ends with a sign.
void controle::charge(std::string_view s, std::int16_t c)
{
    if (s.empty() || s.front() != '*' || (s.back() != '+' && s.back() != '-'))
        return;
    const char signe = s.back();
    std::int16_t q = 0;
    while (!s.empty() && s.size() >= 2 && estchiffre(s[1])) {
        q = dizaine(q, s[1] - '0');
        avancer(s, 2);
    }
    if (q == 0)
        q = 1;
    if (signe == '-')
        q = static_cast<std::int16_t>(-q);
    q = produit(q, c);
    auto& total = produits ? v.chargeproduits : v.chargereactifs;
    total = somme(total, q);
}

void decouper(controle& k, std::string_view r)
{
    // Position 1 never separates, so a species is never cut before its first character.
    std::size_t i = 2;
    for (;;) {
        if (i <= r.size() && r[i - 1] == '+' && r[i - 2] != '*') {
            k.espece(r.substr(0, i - 1));
            r.remove_prefix(i);
            i = 2;
        } else if (i <= r.size() && r[i - 1] == '=') {
            k.espece(r.substr(0, i - 1));
            r.remove_prefix(i);
            k.produits = true;
            i = 2;
        } else if (i >= r.size()) {
            k.espece(r);
            return;
        } else {
            ++i;
        }
    }
}

void remplirgrille(verification& v, const tableelements& elements)
{
    for (std::size_t n = 1; n <= nombreelements; ++n)
        if (v.nbreactifs[n] > 0 || v.nbproduits[n] > 0)
            v.grille.push_back(
                {elements.symbole[n], std::to_string(v.nbreactifs[n]), std::to_string(v.nbproduits[n])});
    v.grille.push_back({"Charge", std::to_string(v.chargereactifs), std::to_string(v.chargeproduits)});
}

} // namespace

verification verifequation(std::string_view texte, const tabcoef& coef, const tableelements& elements)
{
    verification v;
    v.coef = coef;
    controle k{elements, v};
    try {
        decouper(k, texte);
    } catch (const rejet& r) {
        v.resultat = verdict::rejetee;
        v.erreur = r.m;
        return v;
    } catch (...) {
        v.resultat = verdict::rejetee;
        v.erreur = msgdesole;
        return v;
    }
    bool equilibre = v.chargereactifs == v.chargeproduits;
    for (std::size_t n = 1; n <= nombreelements && equilibre; ++n)
        equilibre = v.nbreactifs[n] == v.nbproduits[n];
    if (equilibre) {
        v.resultat = verdict::equilibree;
    } else {
        v.resultat = verdict::desequilibree;
        remplirgrille(v, elements);
    }
    return v;
}

} // namespace qm
