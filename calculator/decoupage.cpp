#include "calculator/expression.h"
#include "calculator/vocabulaire.h"

#include <limits>
#include <vector>

namespace qm {

using vocabulaire::estchiffre;
using vocabulaire::estfonction;
using vocabulaire::estsigne;

namespace {

std::string majusculessansblancs(std::string_view t)
{
    std::string r;
    r.reserve(t.size());
    for (char c : t) {
        if (c == ' ')
            continue;
        r.push_back(c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c);
    }
    return r;
}

char produit(char a, char b)
{
    return a == b ? '+' : '-';
}

bool estoperateurencadre(char c, char avant)
{
    switch (c) {
    case '^':
    case '*':
    case '/':
        return true;
    case '+':
        return avant != 'E' && avant != 'D';
    case '-':
        return avant != 'E' && avant != 'D' && avant != '(' && avant != ' ';
    default:
        return false;
    }
}

// "INV" and three letters: the shortened name of an inverse function.
bool estinverse(std::string_view t, std::size_t i)
{
    if (!vocabulaire::en(t, i, "INV") || t.size() < i + 6)
        return false;
    for (std::size_t j = i + 3; j < i + 6; ++j)
        if (t[j] < 'A' || t[j] > 'Z')
            return false;
    return true;
}

// "2 + (-3) ^ 2": without its parentheses the sign would join the "+" and
// the power would be taken of 3. Such a group stays; the group pass computes
// its power. `avant` is the character before "(", `debut` the first inside
// and `apres` the one after ")".
bool basenegative(char avant, char debut, char apres)
{
    return estsigne(avant) && debut == '-' && apres == '^';
}

// Removes the group that `out` ends with when it holds a plain signed number,
// "(" S with S = [+-]?[0-9.]*, not empty. `chiffresfin` is the length of the
// run of digits and points that ends `out`; `avant` holds, for each "(" still
// in `out`, that length just before it.
bool retirergroupe(std::string& out, std::vector<std::size_t>& avant, std::size_t& chiffresfin, char apres)
{
    std::size_t k = out.size() - chiffresfin;
    const bool signe = k > 0 && estsigne(out[k - 1]);
    if (signe)
        --k;
    if (k == 0 || k == out.size() || out[k - 1] != '(' || avant.empty())
        return false;
    if (basenegative(k > 1 ? out[k - 2] : '\0', out[k], apres))
        return false;
    const std::size_t chiffresavant = avant.back();
    avant.pop_back();
    std::size_t o = k - 1;
    out.erase(o, 1);
    if (!signe) {
        chiffresfin += chiffresavant;
        return true;
    }
    if (o > 0 && estsigne(out[o - 1])) {
        out[o - 1] = produit(out[o - 1], out[o]);
        out.erase(o, 1);
        --o;
    }
    if (o == 0 && out[0] == '+')
        out.erase(0, 1);
    return true;
}

// One left-to-right pass applying the clean-up's rewrites wherever they
// apply, nested groups at once, so that the sweeps below seldom find anything
// left: "((((-(-5))))" would otherwise cost one whole sweep per level. Only
// rewrites of the clean-up are made, and the text they lead to does not
// depend on their order, so the result is what the sweeps alone would give.
std::string reduire(std::string_view t)
{
    std::string out;
    out.reserve(t.size());
    std::vector<std::size_t> avant;
    std::size_t chiffresfin = 0;
    for (std::size_t i = 0; i < t.size(); ++i) {
        const char c = t[i];
        if (estsigne(c)) {
            if (!out.empty() && estsigne(out.back()))
                out.back() = produit(out.back(), c);
            else
                out.push_back(c);
            chiffresfin = 0;
            if (out.size() == 1 && out[0] == '+')
                out.clear();
            continue;
        }
        const char apres = i + 1 < t.size() ? t[i + 1] : '\0';
        if (c == ')' && retirergroupe(out, avant, chiffresfin, apres))
            continue;
        if (c == '(')
            avant.push_back(chiffresfin);
        out.push_back(c);
        chiffresfin = (estchiffre(c) || c == '.') ? chiffresfin + 1 : 0;
    }
    return out;
}

// Sign pairs, one position after the other; at one position the four rules
// apply in turn, so "--+" becomes "+" there.
std::string balayersignes(std::string_view t)
{
    std::string r;
    r.reserve(t.size());
    std::size_t i = 0;
    while (i < t.size()) {
        char c = t[i++];
        const auto suit = [&](char x) { return i < t.size() && t[i] == x; };
        if (c == '-' && suit('-'))
            c = '+', ++i;
        if (c == '+' && suit('-'))
            c = '-', ++i;
        if (c == '-' && suit('+'))
            c = '-', ++i;
        if (c == '+' && suit('+'))
            c = '+', ++i;
        r.push_back(c);
    }
    return r;
}

// One sweep of the clean-up.
void balayer(std::string& t)
{
    t = balayersignes(t);
    if (!t.empty() && t[0] == '+')
        t.erase(0, 1);
    for (std::size_t p = 0; p < t.size(); ++p) {
        if (t[p] != '(')
            continue;
        std::size_t j = p + 1;
        if (j < t.size() && estsigne(t[j]))
            ++j;
        while (j < t.size() && (estchiffre(t[j]) || t[j] == '.'))
            ++j;
        const char apres = j + 1 < t.size() ? t[j + 1] : '\0';
        if (j < t.size() && t[j] == ')' && j > p + 1 &&
            !basenegative(p > 0 ? t[p - 1] : '\0', t[p + 1], apres)) {
            t.erase(j, 1);
            t.erase(p, 1);
        }
    }
}

} // namespace

void decouper(std::string& texte)
{
    std::string s = majusculessansblancs(texte);
    if (!s.empty() && s[0] == '+')
        s.erase(0, 1);
    s = " " + s + " ";
    // One pass, building the result: a rule only changes the text from the
    // position it looks at, and the text at most triples, so every character
    // is looked at once, with the character written just before it at hand.
    std::string out;
    out.reserve(s.size() * 2);
    std::size_t i = 0;
    while (i < s.size()) {
        if (estfonction(s, i)) {
            out.append(s, i, 3);
            out.push_back(' ');
            i += 3;
        } else if (vocabulaire::en(s, i, "LN")) {
            out += "LON ";
            i += 2;
        } else if (estinverse(s, i)) {
            // "INVSIN" is "ISI ": the scan goes on with "SI ".
            out.push_back('I');
            s[i + 5] = ' ';
            i += 3;
        } else if (estoperateurencadre(s[i], out.empty() ? '\0' : out.back())) {
            out.push_back(' ');
            out.push_back(s[i++]);
            out.push_back(' ');
        } else {
            out.push_back(s[i++]);
        }
    }
    texte = std::move(out);
}

void simplifier(std::string& texte)
{
    std::string t = reduire(majusculessansblancs(texte));
    for (;;) {
        const std::string avant = t;
        balayer(t);
        if (t == avant)
            break;
    }
    texte = std::move(t);
    decouper(texte);
}

void verifsaisie(const std::string& texte, std::int16_t& codeerreur)
{
    long ouvrantes = 0;
    long fermantes = 0;
    for (std::size_t p = 0; p < texte.size(); ++p) {
        const char c = texte[p];
        if ((c == '*' || c == '/' || c == '^') && p + 2 < texte.size() && texte[p + 2] == ' ')
            codeerreur = erreuroperateurs;
        ouvrantes += c == '(';
        fermantes += c == ')';
    }
    if (ouvrantes != fermantes)
        codeerreur = erreurparentheses;
}

bool compter(const std::string& texte, compteurs& c)
{
    long parentheses = 0;
    long fonctions = 0;
    long operateurs = 0;
    for (std::size_t p = 0; p < texte.size(); ++p) {
        parentheses += texte[p] == '(';
        fonctions += estfonction(texte, p);
        if (texte[p] == ' ')
            for (std::string_view op : vocabulaire::operateurs)
                operateurs += vocabulaire::en(texte, p, op);
    }
    c = compteurs{};
    constexpr long maximum = std::numeric_limits<std::int16_t>::max();
    if (parentheses > maximum || fonctions > maximum || operateurs > maximum)
        return false;
    c.nbparentheses = static_cast<std::int16_t>(parentheses);
    c.nbfonctions = static_cast<std::int16_t>(fonctions);
    c.nboperateurs = static_cast<std::int16_t>(operateurs);
    return true;
}

} // namespace qm
