#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/elements.h"
#include "core/message.h"

namespace qm {

// Inline so that tables of messages in other files can be built from them at
// start-up, whatever the order in which files are initialised.
inline const message msgequationvide{"Il faut saisir une équation chimique", "Vérification impossible"};
// ")" before "(", "*" in a group, "(" without ")"
inline const message msgparentheses{"Revoir les parenthèses", "Erreur de saisie"};
// an unknown token that does not start with A to Z
inline const message msgincomprise{"Je ne peux pas comprendre cette équation chimique.",
                                   "Vérification impossible"};
// any other failure: an overflow, an empty species, too many species
inline const message msgdesole{"Désolé, je ne peux pas comprendre votre équation chimique",
                               "Vérification impossible"};
// more than ten species
inline const message msgcolonnes{
    "Il ne peut y avoir plus de 10 colonnes dans le tableau ( réactifs + produits ).",
    "Expression non valide"};
message msgelementinconnu(std::string_view symbole);

// Slots for the species of one equation, numbered 1 to 11: the table has ten
// columns, one more species is read before the equation is refused.
inline constexpr int nombreespeces = 11;

// Coefficients of the species in order of appearance, slots 1..11.
using tabcoef = std::array<std::int16_t, nombreespeces + 1>;
using tabcompte = std::array<std::int16_t, nombreelements + 1>;

enum class verdict { equilibree, desequilibree, rejetee };

// One row of the count grid: symbol (or "Charge"), reactant side, product side.
struct lignegrille {
    std::string symbole;
    std::string reactifs;
    std::string produits;
    bool operator==(const lignegrille&) const = default;
};

struct verification {
    verdict resultat = verdict::rejetee;
    tabcoef coef{};
    std::int16_t nbespeces = 0;
    tabcompte nbreactifs{};
    tabcompte nbproduits{};
    std::int16_t chargereactifs = 0;
    std::int16_t chargeproduits = 0;
    // Element rows in atomic-number order, then "Charge"; filled when unbalanced.
    std::vector<lignegrille> grille;
    // Set when the equation is rejected.
    message erreur;
};

// Checks the conservation of every element and of the charge. `coef` is the
// current coefficient array: entries beyond the species reached keep their values.
verification verifequation(std::string_view texte, const tabcoef& coef,
                           const tableelements& elements = elementsstandard());

// True when the text holds nothing but blanks.
bool equationvide(std::string_view texte);

} // namespace qm
