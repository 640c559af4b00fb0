#include "output/exportation.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "workspace/etat.h"

namespace qm {

namespace {

const std::string fleche = "→";

std::string echapperhtml(std::string_view s)
{
    std::string r;
    for (const char c : s) {
        switch (c) {
        case '&':
            r += "&amp;";
            break;
        case '<':
            r += "&lt;";
            break;
        case '>':
            r += "&gt;";
            break;
        case '"':
            r += "&quot;";
            break;
        default:
            r += c;
        }
    }
    return r;
}

// A formula of the equation in HTML: a run of subscripts in one <sub>, of
// superscripts in one <sup>, a charge's minus as a true minus sign.
std::string formulehtml(std::string_view formule)
{
    std::string r;
    char ouvert = 0; // '#' inside <sub>, '*' inside <sup>
    const auto fermer = [&] {
        if (ouvert)
            r += ouvert == '#' ? "</sub>" : "</sup>";
        ouvert = 0;
    };
    for (std::size_t i = 0; i < formule.size(); ++i) {
        const char c = formule[i];
        if ((c == '#' || c == '*') && i + 1 < formule.size()) {
            if (ouvert != c) {
                fermer();
                r += c == '#' ? "<sub>" : "<sup>";
                ouvert = c;
            }
            const char d = formule[++i];
            r += c == '*' && d == '-' ? std::string("−") : echapperhtml(std::string_view(&d, 1));
        } else if (c != '#' && c != '*') {
            fermer();
            r += echapperhtml(std::string_view(&c, 1));
        }
    }
    fermer();
    return r;
}

// The species joined into an equation, each written by `forme` with the
// coefficient the pupil typed.
template <class Forme> std::string joindre(std::string_view equation, Forme forme)
{
    std::string r;
    bool produits = false;
    bool premier = true;
    for (const espece& s : especes(equation)) {
        if (!premier)
            r += s.produit && !produits ? " " + fleche + " " : " + ";
        produits = produits || s.produit;
        premier = false;
        r += (s.coefficient.empty() ? "" : s.coefficient + " ") + forme(s);
    }
    return r;
}

std::string nomavec(int coefficient, const std::string& nom)
{
    return coefficient == 1 ? nom : std::to_string(coefficient) + " " + nom;
}

std::string champcsv(const std::string& s)
{
    if (s.find_first_of(";\"\r\n") == std::string::npos)
        return s;
    std::string r = "\"";
    for (const char c : s)
        r += c == '"' ? std::string("\"\"") : std::string(1, c);
    return r + "\"";
}

std::string lignecsv(const lignetableau& l)
{
    std::string r = champcsv(l.etat) + ";" + champcsv(l.avancement);
    for (const std::string& c : l.cellules)
        r += ";" + champcsv(c);
    return r + "\r\n";
}

std::string lignetabulee(const lignetableau& l)
{
    std::string r = l.etat + "\t" + l.avancement;
    for (const std::string& c : l.cellules)
        r += "\t" + c;
    return r + "\n";
}

// A number cell carries its value with a point too: a spreadsheet reads
// "0,075" as a number only in a French locale (in others, as 75 or as text),
// and reads this value in any; the format named with it ("General", in
// English) shows it in the spreadsheet's own locale, 0,075 in French.
std::string ouvrecellule(const char* balise, std::string_view texte)
{
    std::string valeur(texte);
    std::replace(valeur.begin(), valeur.end(), ',', '.');
    double v = 0;
    const char* fin = valeur.data() + valeur.size();
    const auto [p, erreur] = std::from_chars(valeur.data(), fin, v);
    if (std::string_view(balise) == "th" || erreur != std::errc() || p != fin)
        return std::string("<") + balise + ">";
    return std::string("<") + balise + " sdval=\"" + valeur + "\" sdnum=\"1033;0;General\">";
}

std::string lignehtml(const lignetableau& l, const char* balise, const std::vector<std::string>& cellules)
{
    const std::string ferme = std::string("</") + balise + ">";
    std::string r = "<tr><" + std::string(balise) + ">" + echapperhtml(l.etat) + ferme +
                    ouvrecellule(balise, l.avancement) + echapperhtml(l.avancement) + ferme;
    for (const std::string& c : cellules)
        r += ouvrecellule(balise, c) + c + ferme; // a number is the same text escaped
    return r + "</tr>\n";
}

// A Python string literal.
std::string chainepython(std::string_view s)
{
    std::string r = "\"";
    for (const char c : s) {
        if (c == '\\' || c == '"')
            r += '\\';
        r += c;
    }
    return r + "\"";
}

// An amount as a Python number: the shortest text that reads back as the
// amount typed, always with a decimal part.
std::string nombrepython(float v)
{
    char tampon[32];
    const auto [fin, erreur] = std::to_chars(tampon, tampon + sizeof tampon, v);
    std::string r = erreur == std::errc() ? std::string(tampon, fin) : std::string("0");
    if (r.find_first_of(".e") == std::string::npos)
        r += ".0";
    return r;
}

} // namespace

std::string equationtexte(std::string_view equation)
{
    return joindre(equation, [](const espece& s) { return s.affichage; });
}

std::string equationhtml(std::string_view equation)
{
    return joindre(equation, [](const espece& s) { return formulehtml(s.formule); });
}

std::optional<textestableau> tableauentextes(std::string_view equation, const tabcoef& coef,
                                             const tabquant& quant, int p, bool conso)
{
    textestableau t;
    t.especes = especes(equation, 10);
    const auto n = static_cast<int>(t.especes.size());
    int premierproduit = n + 1;
    for (int i = n; i >= 1; --i)
        if (t.especes[static_cast<std::size_t>(i - 1)].produit)
            premierproduit = i;
    if (premierproduit < 2 || premierproduit > n)
        return std::nullopt;

    parametrestableau e;
    e.nbcolonnes = static_cast<std::int16_t>(n);
    e.premierproduit = static_cast<std::int16_t>(premierproduit);
    e.coef = coef;
    e.p = static_cast<std::int16_t>(std::clamp(p, 0, 10000));
    e.final = true;
    e.conso = conso;
    tabquant q = quant;
    const tableau c = calcultableau(e, q);

    t.equation = equationtexte(equation);
    const auto texte = [&](double v) { return formatcellule(v, c.seuilzero, 0, {}); };
    t.xmax = formatcellule(c.xmax, c.seuilzero, 0, {});
    t.entete = {"État du système", "Avancement (mol)", {}};
    lignetableau initial{"État initial", "0", {}};
    lignetableau courant{
        "En cours de transformation", texte(e.p / 10000.0 * static_cast<double>(c.xmax)), {}};
    lignetableau consomme{"Quantité consommée", courant.avancement, {}};
    lignetableau final{"État final", t.xmax, {}};
    for (int i = 1; i <= n; ++i) {
        const auto k = static_cast<std::size_t>(i);
        const colonnetab& col = c.colonnes[k];
        const espece& s = t.especes[k - 1];
        t.coefficients.push_back(coef[k]);
        t.initiales.push_back(q[k]);
        t.noms.push_back(nomavec(coef[k], s.affichage));
        t.entete.cellules.push_back(t.noms.back());
        initial.cellules.push_back(col.initial.texte);
        courant.cellules.push_back(col.courant.texte);
        consomme.cellules.push_back(col.reactif ? col.consomme.texte : std::string());
        final.cellules.push_back(col.final.texte);
        if (col.reactif && col.final.texte == "0")
            t.limitants.push_back(s.affichage);
    }
    t.lignes.push_back(initial);
    t.lignes.push_back(courant);
    if (conso)
        t.lignes.push_back(consomme);
    t.lignes.push_back(final);
    return t;
}

std::optional<textestableau> tableaudelafeuille(const etatfeuille& e)
{
    return tableauentextes(e.texte.toStdString(), e.coef, e.quant, e.p, e.conso == 1);
}

std::string documenthtml(std::string_view equation, const textestableau* t)
{
    std::string r = "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\">"
                    "<title>Tableau d'avancement</title></head><body>\n<p>" +
                    equationhtml(equation) + "</p>\n";
    if (t) {
        std::vector<std::string> noms;
        for (std::size_t i = 0; i < t->especes.size(); ++i)
            noms.push_back(t->coefficients[i] == 1 ? formulehtml(t->especes[i].formule)
                                                   : std::to_string(t->coefficients[i]) + " " +
                                                         formulehtml(t->especes[i].formule));
        r += "<table border=\"1\" cellspacing=\"0\" cellpadding=\"4\">\n";
        r += lignehtml(t->entete, "th", noms);
        for (const lignetableau& l : t->lignes) {
            std::vector<std::string> cellules;
            for (const std::string& c : l.cellules)
                cellules.push_back(echapperhtml(c));
            r += lignehtml(l, "td", cellules);
        }
        r += "</table>\n";
    }
    return r + "</body></html>\n";
}

std::string textetabule(std::string_view equation, const textestableau* t)
{
    std::string r = equationtexte(equation) + "\n";
    if (t) {
        r += lignetabulee(t->entete);
        for (const lignetableau& l : t->lignes)
            r += lignetabulee(l);
    }
    return r;
}

std::string textecsv(const textestableau& t)
{
    std::string r = "\xEF\xBB\xBF" + lignecsv(t.entete);
    for (const lignetableau& l : t.lignes)
        r += lignecsv(l);
    return r;
}

std::string scriptpython(const textestableau& t)
{
    std::string reactifs;
    std::string produits;
    for (std::size_t i = 0; i < t.especes.size(); ++i) {
        const std::string nom = chainepython(t.especes[i].affichage);
        const std::string a = std::to_string(t.coefficients[i]);
        if (t.especes[i].produit)
            produits += "    (" + nom + ", " + a + "),\n";
        else
            reactifs += "    (" + nom + ", " + a + ", " + nombrepython(t.initiales[i]) + "),\n";
    }
    return R"(#!/usr/bin/env python3
"""Tableau d'avancement de la réaction )" +
           t.equation + R"(

Les données de l'équation sont écrites au début : le nom de chaque espèce,
son nombre stœchiométrique et, pour les réactifs, sa quantité initiale en mol.
Le script calcule l'avancement maximal xmax, le ou les réactifs limitants et
l'état final. Modifie les quantités initiales pour étudier un autre mélange.
"""

EQUATION = )" +
           chainepython(t.equation) +
           R"(

# Réactifs : (nom, nombre stœchiométrique, quantité initiale en mol)
REACTIFS = [
)" + reactifs +
           R"(]

# Produits : (nom, nombre stœchiométrique) ; ils sont absents à l'état initial.
PRODUITS = [
)" + produits +
           R"(]


def ecrire(quantite, seuil):
    """Écrit une quantité comme le tableau d'avancement : avec une virgule,
    au plus cinq décimales, et 0 pour une quantité plus petite que le seuil."""
    if quantite < seuil or quantite == 0:
        return "0"
    if 0.0001 <= quantite <= 9999:
        texte = f"{quantite:.5f}".rstrip("0")
        if texte.endswith("."):
            texte += "0"
    else:
        # Écriture scientifique : 12345 s'écrit 1,235E+04.
        mantisse, exposant = f"{quantite:.3E}".split("E")
        texte = mantisse.rstrip("0") + "E" + exposant
    return texte.replace(".", ",")


# Avancement maximal : un réactif de nombre stœchiométrique a et de quantité
# initiale n est épuisé quand x = n / a. La réaction s'arrête dès qu'un réactif
# est épuisé : xmax est la plus petite de ces valeurs.
xmax = min(n / a for nom, a, n in REACTIFS)

# État final : chaque réactif a perdu a × xmax, chaque produit a gagné a × xmax.
final_reactifs = [(nom, max(n - a * xmax, 0.0)) for nom, a, n in REACTIFS]
final_produits = [(nom, a * xmax) for nom, a in PRODUITS]

# Une quantité plus petite qu'un dix-millième de la plus grande quantité du
# tableau est comptée comme nulle (les arrondis du calcul ne comptent pas).
plus_grande = max([n for nom, a, n in REACTIFS] + [q for nom, q in final_produits])
seuil = plus_grande / 10000

# Le ou les réactifs limitants sont ceux qui sont épuisés à l'état final.
limitants = [nom for nom, q in final_reactifs if q < seuil or q == 0]

print("Équation :", EQUATION)
print("Avancement maximal : xmax =", ecrire(xmax, seuil), "mol")
if len(limitants) == 1:
    print("Réactif limitant :", limitants[0])
else:
    print("Réactifs limitants :", ", ".join(limitants))
print("État final :")
for nom, q in final_reactifs + final_produits:
    print(f"  {nom} : {ecrire(q, seuil)} mol")
)";
}

} // namespace qm
