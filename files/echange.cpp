#include "files/echange.h"

#include <filesystem>

#include "files/enregistrements.h"

namespace qm {

std::string cheminechange(const std::string& dossier)
{
    return (std::filesystem::path(dossier) / nomechange).string();
}

bool marquerenfonction(const std::string& dossier, bool enfonction)
{
    return ecrireenregistrement(cheminechange(dossier), enregistrementenfonction, enfonction ? "OUI" : "NON");
}

std::string prendrerequete(const std::string& dossier)
{
    const std::string chemin = cheminechange(dossier);
    const auto lu = lireenregistrements(chemin, enregistrementrequete, enregistrementrequete);
    // Emptied even when it could not be read, so a broken request is not met again;
    // this also creates the file when it is missing.
    ecrireenregistrement(chemin, enregistrementrequete, "");
    return lu ? lu->front() : std::string();
}

} // namespace qm
