#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/elements.h"
#include "core/massemolaire.h"

namespace qm {

// What the statement gives for a reactant's initial amount.
enum class donnee { quantite, masse, solution, gaz };

// The values as the pupil types them, decimal comma (a point reads as one).
struct saisiequantite {
    donnee choix = donnee::masse;
    std::string n;           // mol
    std::string m;           // g
    std::string C;           // mol·L⁻¹
    std::string V;           // of the solution, in mL or in L
    bool litres = false;     // V of the solution in L rather than mL
    std::string Vgaz;        // L
    std::string Vm = "24,0"; // L·mol⁻¹
};

struct conversion {
    std::optional<double> n; // mol, full precision; none when the values give none
    // "n = m / M = 2,40 / 24,3 = 0,0988 mol", the formula alone while a value
    // is missing, or what is wrong.
    std::string texte;
};

// A value typed by the pupil: digits with one comma or point at most, blanks
// around; no value for anything else.
std::optional<double> lirevaleur(std::string_view texte);
// The same text as shown back: comma, and a 0 before a leading comma (",5" is "0,5").
std::string textevaleur(std::string_view texte);
// Significant figures of a typed value: its digits from the first that is not 0.
int chiffressignificatifs(std::string_view texte);
// A volume typed in mL, written in L by moving its comma ("50" is "0,050").
std::string millilitresenlitres(std::string_view texte);
// n as a pupil writes a result, with `chiffres` significant figures ("0,0988", "0,050").
std::string texteresultat(double n, int chiffres);

// The amount and its conversion, M being that of the reactant's formula. The
// result carries as many significant figures as the least precise value typed,
// two at least and three at most.
conversion convertir(const saisiequantite& s, const massemolaire& M);

// The window that asks for an initial amount, as data: opened on a column's
// species, recomputed at each change of a value.
struct feuillequantite {
    std::string titre;      // "Quantité initiale de Mg"
    massemolaire M;         // of the species
    std::string textemasse; // "M(Mg) = 24,3 g·mol⁻¹", with the detail when there is one
    saisiequantite saisie;
    conversion resultat;
    bool accepte = false; // OK may store the amount
};

// Opens the window on a species: its formula as the equation holds it and the
// same written for display ("Cu²⁺").
feuillequantite ouvrirquantite(std::string_view formule, std::string_view affichage,
                               const tableelements& t = elementsstandard());
// After a value or the choice has changed.
void majquantite(feuillequantite& f);

} // namespace qm
