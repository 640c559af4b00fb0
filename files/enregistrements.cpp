#include "files/enregistrements.h"

#include <cerrno>

#include <unistd.h>

#include "files/cp1252.h"
#include "files/disque.h"

namespace qm {

std::optional<enregistrement> coderenregistrement(std::string_view texte)
{
    const auto octets = verscp1252(texte);
    if (!octets || octets->size() > textemaximal)
        return std::nullopt;
    enregistrement e{};
    e[0] = static_cast<char>(octets->size() & 0xFF);
    e[1] = static_cast<char>(octets->size() >> 8);
    std::copy(octets->begin(), octets->end(), e.begin() + 2);
    return e;
}

std::optional<std::string> decoderenregistrement(std::string_view octets)
{
    if (octets.empty())
        return std::string();
    if (octets.size() < 2)
        return std::nullopt;
    const std::size_t longueur = static_cast<unsigned char>(octets[0]) |
                                 (static_cast<std::size_t>(static_cast<unsigned char>(octets[1])) << 8);
    if (longueur > textemaximal || 2 + longueur > octets.size())
        return std::nullopt;
    return depuiscp1252(octets.substr(2, longueur));
}

std::optional<std::vector<std::string>> lireenregistrements(const std::string& chemin, int premier,
                                                            int dernier, liens l)
{
    if (premier < 1 || dernier < premier)
        return std::nullopt;
    const int fd = ouvrirlecture(chemin, l);
    if (fd < 0)
        return std::nullopt;
    const auto debut = static_cast<std::uint64_t>(premier - 1) * tailleenregistrement;
    const auto taille = static_cast<std::size_t>(dernier - premier + 1) * tailleenregistrement;
    const auto octets = lireoctets(fd, debut, taille);
    ::close(fd);
    if (!octets)
        return std::nullopt;
    const std::size_t lus = octets->size();
    std::vector<std::string> textes;
    textes.reserve(static_cast<std::size_t>(dernier - premier + 1));
    for (std::size_t pos = 0; pos < taille; pos += tailleenregistrement) {
        const std::string_view vue =
            pos < lus ? std::string_view(*octets).substr(pos, tailleenregistrement) : std::string_view();
        auto texte = decoderenregistrement(vue);
        if (!texte)
            return std::nullopt;
        textes.push_back(std::move(*texte));
    }
    return textes;
}

bool remplacerenregistrements(const std::string& chemin, const std::vector<std::string>& textes)
{
    std::string octets;
    octets.reserve(textes.size() * tailleenregistrement);
    for (const std::string& t : textes) {
        const auto e = coderenregistrement(t);
        if (!e)
            return false;
        octets.append(e->data(), e->size());
    }
    return remplacerfichier(chemin, octets);
}

bool ecrireenregistrement(int fd, int numero, std::string_view texte)
{
    if (numero < 1 || fd < 0)
        return false;
    const auto e = coderenregistrement(texte);
    if (!e)
        return false;
    const auto position = static_cast<off_t>(numero - 1) * static_cast<off_t>(tailleenregistrement);
    return toutecrire(fd, std::string_view(e->data(), e->size()), position);
}

bool ecrireenregistrement(const std::string& chemin, int numero, std::string_view texte)
{
    if (numero < 1 || !coderenregistrement(texte))
        return false;
    const int fd = ouvrirpartage(chemin);
    if (fd < 0)
        return false;
    bool ok = ecrireenregistrement(fd, numero, texte);
    ok = ::close(fd) == 0 && ok;
    return ok;
}

} // namespace qm
