// Any bytes as an equation for the checker. Besides crashes and sanitizer
// reports, the verdict must agree with the counts it gives: balanced exactly
// when every element and the charge match, the count grid filled exactly when
// they do not, a message exactly when the equation is rejected. The same text
// cut to ten species, as the window cuts it, never checks as more than ten.
#include "core/notation.h"
#include "core/verification.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

constexpr std::int16_t temoin = 7; // the caller's coefficients, beyond the species reached

void verifier(std::string_view texte, std::size_t especesmax)
{
    qm::tabcoef avant;
    avant.fill(temoin);
    const qm::verification v = qm::verifequation(texte, avant);
    const bool rejetee = v.resultat == qm::verdict::rejetee;
    if (rejetee != !v.erreur.texte.empty() || (rejetee && v.erreur.titre.empty()))
        std::abort();
    if (qm::equationvide(texte) && !rejetee)
        std::abort();
    if (rejetee) {
        if (!v.grille.empty())
            std::abort();
        return;
    }
    if (v.nbespeces < 1 || static_cast<std::size_t>(v.nbespeces) > especesmax)
        std::abort();
    if (v.coef[0] != temoin)
        std::abort();
    for (std::size_t k = 1; k < v.coef.size(); ++k) {
        const bool atteinte = k <= static_cast<std::size_t>(v.nbespeces);
        if (atteinte ? v.coef[k] < 1 : v.coef[k] != temoin)
            std::abort();
    }
    bool egaux = v.chargereactifs == v.chargeproduits;
    std::size_t elements = 0;
    for (std::size_t n = 0; n < v.nbreactifs.size(); ++n) {
        if (v.nbreactifs[n] < 0 || v.nbproduits[n] < 0 || (n == 0 && (v.nbreactifs[0] || v.nbproduits[0])))
            std::abort();
        egaux = egaux && v.nbreactifs[n] == v.nbproduits[n];
        elements += v.nbreactifs[n] > 0 || v.nbproduits[n] > 0;
    }
    if (egaux != (v.resultat == qm::verdict::equilibree))
        std::abort();
    if (egaux) {
        if (!v.grille.empty())
            std::abort();
    } else {
        // One row per element present, then the charge row.
        if (v.grille.size() != elements + 1 || v.grille.back().symbole != "Charge" ||
            v.grille.back().reactifs != std::to_string(v.chargereactifs) ||
            v.grille.back().produits != std::to_string(v.chargeproduits))
            std::abort();
    }
    // The verdict depends on the text alone: checking again with the
    // coefficients it left gives the same counts.
    const qm::verification w = qm::verifequation(texte, v.coef);
    if (w.resultat != v.resultat || w.coef != v.coef || w.nbreactifs != v.nbreactifs ||
        w.nbproduits != v.nbproduits || w.grille != v.grille)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view texte(reinterpret_cast<const char*>(data), size);
    verifier(texte, 11);
    const qm::coupure c = qm::moinsde10(texte);
    verifier(c.texte, 10);
    // What the equation box would hold after its clean-up.
    verifier(qm::nettoieequation(texte), 11);
    return 0;
}
