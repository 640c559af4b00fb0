// Feeds arbitrary bytes to the series reader as a file on disk. Whatever it
// accepts must be a workspace the program can show and save: amounts of matter
// that are numbers and not negative, check-box states 0 to 2, and a file that,
// once saved and read again, saves to the very same records.
#include "commun.h"
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>

#include "files/serie.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::string chemin = (fuzz::dossierprive("serie") / "serie.C02").string();
    static const std::string copie = (fuzz::dossierprive("serie") / "copie.C02").string();
    {
        std::ofstream f(chemin, std::ios::binary | std::ios::trunc);
        f.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    const qm::lectureserie l = qm::lireserie(chemin);
    if (l.erreur != qm::erreurserie::aucune)
        return 0;
    for (const auto& slot : l.contenu.eqquant)
        for (std::size_t j = 1; j <= 11; ++j)
            VERIFIER(std::isfinite(slot[j]) && slot[j] >= 0);
    for (const std::int16_t etat : {l.contenu.colorsto, l.contenu.conso, l.contenu.final})
        VERIFIER(etat >= 0 && etat <= 2);
    // Amounts are kept to seven significant digits: the first save rounds
    // them, the next ones change nothing.
    VERIFIER(qm::ecrireserie(copie, l.contenu) == qm::erreurserie::aucune);
    const qm::lectureserie relue = qm::lireserie(copie);
    VERIFIER(relue.erreur == qm::erreurserie::aucune);
    VERIFIER(qm::enregistrementsserie(relue.contenu) == qm::enregistrementsserie(l.contenu));
    return 0;
}
