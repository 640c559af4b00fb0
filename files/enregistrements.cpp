#include "files/enregistrements.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "files/cp1252.h"

namespace qm {

namespace fs = std::filesystem;

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
    const std::size_t longueur =
        static_cast<unsigned char>(octets[0]) | (static_cast<std::size_t>(static_cast<unsigned char>(octets[1])) << 8);
    if (longueur > textemaximal || 2 + longueur > octets.size())
        return std::nullopt;
    return depuiscp1252(octets.substr(2, longueur));
}

std::optional<std::vector<std::string>> lireenregistrements(const std::string& chemin, int premier, int dernier)
{
    if (premier < 1 || dernier < premier)
        return std::nullopt;
    std::error_code erreur;
    if (!fs::is_regular_file(chemin, erreur))
        return std::nullopt;
    std::ifstream f(chemin, std::ios::binary);
    if (!f)
        return std::nullopt;
    const auto debut = static_cast<std::streamoff>(premier - 1) * static_cast<std::streamoff>(tailleenregistrement);
    const auto taille = static_cast<std::size_t>(dernier - premier + 1) * tailleenregistrement;
    std::string octets(taille, '\0');
    std::size_t lus = 0;
    f.seekg(0, std::ios::end);
    const std::streamoff fin = f.tellg();
    if (fin < 0)
        return std::nullopt;
    if (fin > debut) {
        f.seekg(debut);
        f.read(octets.data(), static_cast<std::streamsize>(taille));
        lus = static_cast<std::size_t>(f.gcount());
        if (f.bad())
            return std::nullopt;
    }
    octets.resize(lus);
    std::vector<std::string> textes;
    textes.reserve(static_cast<std::size_t>(dernier - premier + 1));
    for (std::size_t pos = 0; pos < taille; pos += tailleenregistrement) {
        const std::string_view vue = pos < lus ? std::string_view(octets).substr(pos, tailleenregistrement)
                                               : std::string_view();
        auto texte = decoderenregistrement(vue);
        if (!texte)
            return std::nullopt;
        textes.push_back(std::move(*texte));
    }
    return textes;
}

namespace {

// Writes all of `octets` to a descriptor, or fails.
bool toutecrire(int fd, const std::string& octets)
{
    std::size_t fait = 0;
    while (fait < octets.size()) {
        const ssize_t n = ::write(fd, octets.data() + fait, octets.size() - fait);
        if (n <= 0)
            return false;
        fait += static_cast<std::size_t>(n);
    }
    return true;
}

} // namespace

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
    std::error_code erreur;
    if (chemin.empty() || fs::is_directory(chemin, erreur))
        return false;
    const fs::path cible(chemin);
    const fs::path dossier = cible.has_parent_path() ? cible.parent_path() : fs::path(".");
    std::string modele = (dossier / ("." + cible.filename().string() + ".XXXXXX")).string();
    const int fd = ::mkstemp(modele.data());
    if (fd < 0)
        return false;
    bool ok = toutecrire(fd, octets) && ::fsync(fd) == 0;
    // mkstemp creates the file for its owner only: give it the permissions of
    // the file it replaces, or those of an ordinary document.
    struct stat ancien {};
    const mode_t mode = ::stat(chemin.c_str(), &ancien) == 0 ? (ancien.st_mode & 07777) : 0644;
    ok = ::fchmod(fd, mode) == 0 && ok;
    ok = ::close(fd) == 0 && ok;
    if (ok)
        ok = std::rename(modele.c_str(), chemin.c_str()) == 0;
    if (!ok)
        std::remove(modele.c_str());
    return ok;
}

bool ecrireenregistrement(const std::string& chemin, int numero, std::string_view texte)
{
    if (numero < 1)
        return false;
    const auto e = coderenregistrement(texte);
    if (!e)
        return false;
    const int fd = ::open(chemin.c_str(), O_RDWR | O_CREAT, 0644);
    if (fd < 0)
        return false;
    const auto position = static_cast<off_t>(numero - 1) * static_cast<off_t>(tailleenregistrement);
    bool ok = ::lseek(fd, position, SEEK_SET) == position;
    std::size_t fait = 0;
    while (ok && fait < e->size()) {
        const ssize_t n = ::write(fd, e->data() + fait, e->size() - fait);
        ok = n > 0;
        if (ok)
            fait += static_cast<std::size_t>(n);
    }
    ok = ::close(fd) == 0 && ok;
    return ok;
}

} // namespace qm
