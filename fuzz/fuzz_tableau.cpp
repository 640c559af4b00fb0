// The progress-table calculation on any balanced equation's columns (one to
// ten species, coefficients 1 to 99) and any amounts a pupil can type (0, or
// 1E-06 to 1E+08), at any cursor position, with the final state and the
// consumed amounts asked for or not. Every cell is an amount of matter: a
// number, never negative; its text reads back as that amount to within what
// the format keeps, or is "0" below the table's zero; at the final state a
// limiting reactant shows 0.
#include "commun.h"
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/avancement.h"
#include "core/nombre.h"

namespace {

struct lecteur {
    const std::uint8_t* data;
    std::size_t size;
    std::size_t pos = 0;
    unsigned octet() { return pos < size ? data[pos++] : 0; }
};

void verifiercellule(const qm::celluletab& c, double seuilzero)
{
    VERIFIER(std::isfinite(c.valeur) && c.valeur >= 0);
    VERIFIER(!c.texte.empty() && c.texte.front() != '-');
    if (c.texte == "0") {
        VERIFIER(c.valeur < seuilzero || c.valeur == 0);
        return;
    }
    std::string t = c.texte;
    std::replace(t.begin(), t.end(), ',', '.');
    const auto v = qm::lirenombre(t);
    VERIFIER(v.has_value());
    // Two decimals of a mantissa, or five decimals of a fixed number.
    VERIFIER(std::fabs(*v - c.valeur) <= std::max(0.006 * c.valeur, 6e-6));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    lecteur l{data, size};
    qm::parametrestableau e;
    e.nbcolonnes = static_cast<std::int16_t>(1 + l.octet() % 10);
    e.premierproduit = static_cast<std::int16_t>(2 + l.octet() % e.nbcolonnes);
    const unsigned drapeaux = l.octet();
    e.final = drapeaux & 1;
    e.conso = drapeaux & 2;
    e.p = static_cast<std::int16_t>((l.octet() << 8 | l.octet()) % 10001);
    e.largeurcolonne = 40 + static_cast<int>(l.octet() % 80);
    e.mesure = [](std::string_view t) { return static_cast<int>(t.size()) * 7; };
    qm::tabquant quant{};
    for (int i = 1; i <= e.nbcolonnes; ++i) {
        e.coef[static_cast<std::size_t>(i)] = static_cast<std::int16_t>(1 + l.octet() % 99);
        const unsigned mantisse = (l.octet() << 8 | l.octet()) % 100000;
        const int exposant = static_cast<int>(l.octet() % 9) - 6;
        quant[static_cast<std::size_t>(i)] =
            static_cast<float>(mantisse == 0 ? 0.0 : mantisse / 100000.0 * std::pow(10.0, exposant + 3));
    }
    const qm::tabquant initiales = quant;
    const qm::tableau t = qm::calcultableau(e, quant);
    VERIFIER(std::isfinite(t.xmax) && t.xmax >= 0);
    bool limitant = false;
    for (int i = 1; i <= e.nbcolonnes; ++i) {
        const qm::colonnetab& c = t.colonnes[static_cast<std::size_t>(i)];
        VERIFIER(c.reactif == (i < e.premierproduit));
        if (c.reactif)
            VERIFIER(quant[static_cast<std::size_t>(i)] == initiales[static_cast<std::size_t>(i)]);
        else
            VERIFIER(quant[static_cast<std::size_t>(i)] == 0);
        verifiercellule(c.initial, t.seuilzero);
        verifiercellule(c.courant, t.seuilzero);
        if (e.final)
            verifiercellule(c.final, t.seuilzero);
        if (e.conso && c.reactif)
            verifiercellule(c.consomme, t.seuilzero);
        limitant = limitant || (c.reactif && c.courant.texte == "0");
    }
    if (e.p == 10000 && t.quantmax > 0)
        VERIFIER(limitant);
    return 0;
}
