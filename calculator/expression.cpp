#include "calculator/expression.h"
#include "calculator/vocabulaire.h"

#include "core/nombre.h"

#include <cmath>
#include <limits>
#include <optional>

namespace qm {

using vocabulaire::estchiffre;
using vocabulaire::estfonction;

namespace {

constexpr int maxpasses = 100;

// Each pass rescans the whole text, and a group costs a clean-up of all of
// it: beyond this length a long text would take a noticeable time to refuse.
// The window builds expressions key by key; its display shows a few lines.
constexpr std::size_t maxlongueur = 500;

// A result as it goes back into the text: number text without its blank.
// Nothing that is not a finite number may go back.
std::optional<std::string> ecrireresultat(double v)
{
    if (!std::isfinite(v))
        return std::nullopt;
    std::string t = textenombre(v);
    if (!t.empty() && t[0] == ' ')
        t.erase(0, 1);
    return t;
}

void decrementer(std::int16_t& n)
{
    if (n > std::numeric_limits<std::int16_t>::min())
        --n;
}

// The arc sine as the calculator has always computed it, through the arc
// tangent, with the two ends of the domain set apart.
std::optional<double> arcsinus(double x)
{
    if (x == 1)
        return 2 * std::atan(1.0);
    if (x == -1)
        return -2 * std::atan(1.0);
    if (!(std::fabs(x) < 1))
        return std::nullopt;
    return std::atan(x / std::sqrt(1 - x * x));
}

std::optional<double> fonction(std::string_view nom, double x, bool radians)
{
    const double pi = 4 * std::atan(1.0);
    const double angle = radians ? x : x * 4 * std::atan(1.0) / 180;
    if (nom == "SQR")
        return x < 0 ? std::nullopt : std::optional<double>(std::sqrt(x));
    if (nom == "EXP")
        return std::exp(x);
    if (nom == "LOG" || nom == "LON") {
        if (!(x > 0))
            return std::nullopt;
        return nom == "LOG" ? std::log(x) / std::log(10.0) : std::log(x);
    }
    if (nom == "SIN")
        return std::sin(angle);
    if (nom == "COS")
        return std::cos(angle);
    if (nom == "TAN")
        return std::tan(angle);
    if (nom == "ITA")
        return radians ? std::atan(x) : std::atan(x) * 180 / pi;
    const std::optional<double> a = arcsinus(x);
    if (!a)
        return std::nullopt;
    const double r = nom == "ISI" ? *a : 2 * std::atan(1.0) - *a;
    return radians ? r : r * 180 / pi;
}

std::optional<double> operation(char op, double a, double b)
{
    switch (op) {
    case '^':
        return std::pow(a, b);
    case '/':
        if (b == 0)
            return std::nullopt;
        return a / b;
    case '*':
        return a * b;
    case '-':
        return a - b;
    default:
        return a + b;
    }
}

// The function at i, whose argument is a plain number, replaced by its value.
bool calculerfonction(std::string& t, std::size_t i, bool radians)
{
    const std::size_t fin = t.find_first_of(") ", i + 5);
    if (fin == std::string::npos)
        return false;
    const std::optional<double> x = lirenombre(std::string_view(t).substr(i + 4, fin - (i + 4)));
    if (!x)
        return false;
    const std::optional<double> v = fonction(std::string_view(t).substr(i, 3), *x, radians);
    const std::optional<std::string> r = v ? ecrireresultat(*v) : std::nullopt;
    if (!r)
        return false;
    t.replace(i, fin - i, *r);
    return true;
}

// The operator at i with its two operands replaced by the result; `gauche`
// receives the position of the blank before the left operand.
bool calculeroperation(std::string& t, std::size_t i, std::size_t& gauche)
{
    gauche = t.rfind(' ', i - 2);
    const std::size_t droite = i + 4 < t.size() ? t.find(' ', i + 4) : std::string::npos;
    if (gauche == std::string::npos || droite == std::string::npos)
        return false;
    const std::string_view v(t);
    const std::optional<double> a = lirenombre(v.substr(gauche + 1, i - gauche - 1));
    const std::optional<double> b = lirenombre(v.substr(i + 3, droite - i - 3));
    const std::optional<double> x = a && b ? operation(t[i + 1], *a, *b) : std::nullopt;
    const std::optional<std::string> r = x ? ecrireresultat(*x) : std::nullopt;
    if (!r)
        return false;
    t.replace(gauche + 1, droite - gauche - 1, *r);
    return true;
}

enum class issue { ordinaire, calculee, attente, echec };

// "2 + (1 - 4) ^ 2": spliced back as it stands, the -3 would join the "+"
// ("2 - 3 ^ 2") and the power would be taken of 3, giving -7 for 11. A
// negative group raised to a power after "+" or "-" is therefore raised here,
// once its exponent is a plain number, and the power replaces group,
// operator and exponent; `fin` and `valeur` then give the range and the text.
issue puissancegroupe(const std::string& texte, std::size_t ouvrante, std::size_t& fin, std::string& valeur)
{
    const std::string_view t(texte);
    const bool apressigne =
        ouvrante >= 3 && (t.substr(ouvrante - 3, 3) == " + " || t.substr(ouvrante - 3, 3) == " - ");
    if (valeur.empty() || valeur[0] != '-' || valeur.find(' ') != std::string::npos || !apressigne ||
        t.substr(fin, 3) != " ^ ")
        return issue::ordinaire;
    const std::size_t debut = fin + 3;
    const std::size_t finexposant = std::min(t.find_first_of(") ", debut), t.size());
    const std::string_view exposant = t.substr(debut, finexposant - debut);
    if (exposant.empty() || exposant.find_first_not_of("0123456789.+-ED") != std::string_view::npos)
        return issue::attente;
    const std::optional<double> a = lirenombre(valeur);
    const std::optional<double> b = lirenombre(exposant);
    const std::optional<std::string> r = a && b ? ecrireresultat(std::pow(*a, *b)) : std::nullopt;
    if (!r)
        return issue::echec;
    valeur = *r;
    fin = finexposant;
    return issue::calculee;
}

bool calculergroupes(std::string& texte, compteurs& c)
{
    do {
        const std::size_t ouvrante = texte.rfind('(');
        if (ouvrante == std::string::npos)
            return true;
        const std::size_t fermante = texte.find(')', ouvrante + 1);
        if (fermante == std::string::npos)
            return false;
        std::string dedans = texte.substr(ouvrante + 1, fermante - ouvrante - 1);
        // A letter of a function name: the function pass must act first.
        // "E" and "D" are exponent letters.
        for (char x : dedans)
            if (x >= 'F' && x <= 'Y')
                return true;
        simplifier(dedans);
        if (!calculoperations(dedans, c))
            return false;
        std::size_t fin = fermante + 1;
        std::string valeur(sansblancs(dedans));
        const issue i = puissancegroupe(texte, ouvrante, fin, valeur);
        if (i == issue::echec)
            return false;
        if (i == issue::attente)
            return true;
        if (i == issue::calculee)
            decrementer(c.nboperateurs);
        texte.replace(ouvrante, fin - ouvrante, i == issue::calculee ? valeur : dedans);
        decrementer(c.nbparentheses);
        simplifier(texte);
    } while (c.nbparentheses > 0);
    return true;
}

// One pass of the driver; false when the evaluation has failed, `fini` set
// when nothing is left to compute.
bool passe(std::string& texte, compteurs& c, std::int16_t enradians, bool& fini)
{
    if (c.nbfonctions > 0) {
        if (!calculfonctions(texte, c, enradians))
            return false;
        simplifier(texte);
    }
    if (c.nbparentheses > 0 && !calculparentheses(texte, c))
        return false;
    if (!compter(texte, c))
        return false;
    if (c.nbfonctions > 0 || c.nbparentheses > 0)
        return true;
    if (c.nboperateurs > 0) {
        if (!calculoperations(texte, c) || !compter(texte, c))
            return false;
        if (c.nboperateurs > 0)
            return true;
    }
    fini = true;
    return true;
}

// Steps of calculexpression after the input check; false on a failure.
bool evaluer(std::string& texte, std::int16_t enradians, std::int16_t& codeerreur)
{
    compteurs c;
    if (!compter(texte, c))
        return false;
    std::string precedent;
    for (int n = 1;; ++n) {
        if (texte == precedent)
            simplifier(texte);
        precedent = texte;
        if (n > maxpasses) {
            codeerreur = calculimpossible;
            return true;
        }
        bool fini = false;
        if (!passe(texte, c, enradians, fini))
            return false;
        if (fini)
            return true;
    }
}

} // namespace

bool calculfonctions(std::string& texte, compteurs& c, std::int16_t enradians)
{
    std::size_t i = 1;
    while (i + 1 < texte.size() && c.nbfonctions >= 1) {
        const char debut = i + 4 < texte.size() ? texte[i + 4] : '\0';
        if (!estfonction(texte, i) || !(estchiffre(debut) || debut == '-' || debut == '.')) {
            ++i;
            continue;
        }
        if (!calculerfonction(texte, i, enradians == 1))
            return false;
        decrementer(c.nbfonctions);
        // Only a function whose argument began here can have become
        // computable; the text before that is as it was.
        i = i > 5 ? i - 4 : 1;
    }
    return true;
}

bool calculparentheses(std::string& texte, compteurs& c)
{
    return calculergroupes(texte, c);
}

bool calculoperations(std::string& texte, compteurs& c)
{
    simplifier(texte);
    // After an operation the search would start again from the first
    // operator kind at the beginning. Results are plain numbers, so no
    // operator appears, and the text before the left operand is unchanged:
    // the next occurrence cannot lie before that blank.
    std::size_t depuis = 2;
    for (std::string_view op : vocabulaire::operateurs) {
        for (;;) {
            const std::size_t i = texte.find(op, depuis);
            if (i == std::string::npos)
                break;
            std::size_t gauche = 0;
            if (!calculeroperation(texte, i, gauche))
                return false;
            decrementer(c.nboperateurs);
            if (c.nboperateurs < 1)
                return true;
            depuis = gauche > 4 ? gauche - 2 : 2;
        }
        depuis = 2;
    }
    return true;
}

void calculexpression(std::string& texte, std::int16_t& codeerreur, std::int16_t enradians)
{
    codeerreur = calculpossible;
    if (texte.size() > maxlongueur) {
        codeerreur = calculimpossible;
        return;
    }
    try {
        simplifier(texte);
        verifsaisie(texte, codeerreur);
        if (codeerreur != calculpossible)
            return;
        if (!evaluer(texte, enradians, codeerreur)) {
            codeerreur = calculimpossible;
            return;
        }
        if (codeerreur != calculpossible)
            return;
        texte = std::string(sansblancs(texte));
        if (texte.find(' ') != std::string::npos)
            codeerreur = calculimpossible;
    } catch (...) {
        // Only an allocation can fail here; the caller sees "Calcul impossible".
        codeerreur = calculimpossible;
    }
}

} // namespace qm
