#include "files/disque.h"

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <random>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qm {

namespace {

struct liberer {
    void operator()(char* p) const { std::free(p); }
};

std::optional<std::string> cheminreel(const std::string& chemin)
{
    const std::unique_ptr<char, liberer> r(::realpath(chemin.c_str(), nullptr));
    if (!r)
        return std::nullopt;
    return std::string(r.get());
}

std::string dossierde(const std::string& chemin)
{
    const auto barre = chemin.find_last_of('/');
    if (barre == std::string::npos)
        return ".";
    return barre == 0 ? "/" : chemin.substr(0, barre);
}

std::string nomde(const std::string& chemin)
{
    const auto barre = chemin.find_last_of('/');
    return barre == std::string::npos ? chemin : chemin.substr(barre + 1);
}

void fermer(int fd)
{
    const int garde = errno;
    ::close(fd);
    errno = garde;
}

bool memefichier(const struct stat& a, const struct stat& b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Regular files never block: reads and writes behave as usual again.
void bloquant(int fd)
{
    const int drapeaux = ::fcntl(fd, F_GETFL);
    if (drapeaux >= 0)
        ::fcntl(fd, F_SETFL, drapeaux & ~O_NONBLOCK);
}

// A new file beside `chemin`, named after it, created exclusively: the
// permissions asked (0666) less the umask, as for any new document.
int creertemporaire(const std::string& dossier, const std::string& nom, std::string& temporaire)
{
    static std::mt19937_64 hasard{std::random_device{}()};
    static const char lettres[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    for (int essai = 0; essai < 100; ++essai) {
        std::string suffixe;
        for (int i = 0; i < 6; ++i)
            suffixe += lettres[hasard() % (sizeof lettres - 1)];
        temporaire = dossier + "/." + nom + "." + suffixe;
        const int fd = ::open(temporaire.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

bool remplaceratomiquement(const std::string& cible, const struct stat* ancien, std::string_view octets)
{
    std::string temporaire;
    const int fd = creertemporaire(dossierde(cible), nomde(cible), temporaire);
    if (fd < 0)
        return false;
    bool ok = toutecrire(fd, octets, 0);
    if (ok && ancien) {
        // The old file's group when the user belongs to it, and its permissions.
        [[maybe_unused]] const int groupe = ::fchown(fd, static_cast<uid_t>(-1), ancien->st_gid);
        ok = ::fchmod(fd, ancien->st_mode & 07777) == 0;
    }
    ok = ok && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    ok = ok && ::rename(temporaire.c_str(), cible.c_str()) == 0;
    if (!ok)
        ::unlink(temporaire.c_str());
    return ok;
}

bool ecrireenplace(const std::string& cible, const struct stat& verifie, std::string_view octets)
{
    const int fd = ::open(cible.c_str(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return false;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || !memefichier(st, verifie)) {
        fermer(fd);
        return false;
    }
    bloquant(fd);
    const auto taille = static_cast<off_t>(octets.size());
    // The room first: nothing of the file changes when it cannot be had.
    if (taille > st.st_size && ::posix_fallocate(fd, 0, taille) != 0) {
        ::ftruncate(fd, st.st_size);
        fermer(fd);
        return false;
    }
    bool ok = toutecrire(fd, octets, 0) && ::ftruncate(fd, taille) == 0 && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    return ok;
}

} // namespace

bool toutecrire(int fd, std::string_view octets, off_t position)
{
    std::size_t fait = 0;
    while (fait < octets.size()) {
        const ssize_t n =
            ::pwrite(fd, octets.data() + fait, octets.size() - fait, position + static_cast<off_t>(fait));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        fait += static_cast<std::size_t>(n);
    }
    return true;
}

void preparerecritures()
{
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    ::sigaction(SIGXFSZ, &ignore, nullptr);
}

int ouvrirlecture(const std::string& chemin, liens l)
{
    if (chemin.empty()) {
        errno = ENOENT;
        return -1;
    }
    struct stat avant {};
    if ((l == liens::suivis ? ::stat(chemin.c_str(), &avant) : ::lstat(chemin.c_str(), &avant)) != 0)
        return -1;
    if (!S_ISREG(avant.st_mode)) {
        errno = S_ISDIR(avant.st_mode) ? EISDIR : S_ISLNK(avant.st_mode) ? ELOOP : ENOENT;
        return -1;
    }
    const int fd = ::open(chemin.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY |
                                              (l == liens::refuses ? O_NOFOLLOW : 0));
    if (fd < 0)
        return -1;
    struct stat apres {};
    if (::fstat(fd, &apres) != 0 || !S_ISREG(apres.st_mode) || !memefichier(avant, apres)) {
        ::close(fd);
        errno = ENOENT;
        return -1;
    }
    bloquant(fd);
    return fd;
}

std::optional<std::string> lireoctets(int fd, std::uint64_t position, std::size_t n)
{
    std::string octets;
    constexpr std::size_t morceau = 64 * 1024;
    while (octets.size() < n) {
        const std::size_t avant = octets.size();
        const std::size_t voulu = std::min(morceau, n - avant);
        octets.resize(avant + voulu);
        const ssize_t lus = ::pread(fd, octets.data() + avant, voulu, static_cast<off_t>(position + avant));
        if (lus < 0 && errno == EINTR) {
            octets.resize(avant);
            continue;
        }
        if (lus < 0)
            return std::nullopt;
        octets.resize(avant + static_cast<std::size_t>(lus));
        if (lus == 0)
            break;
    }
    return octets;
}

std::optional<std::string> lirefichier(const std::string& chemin, std::size_t maximum)
{
    const int fd = ouvrirlecture(chemin);
    if (fd < 0)
        return std::nullopt;
    struct stat st {};
    std::optional<std::string> octets;
    if (::fstat(fd, &st) == 0 && static_cast<std::uint64_t>(st.st_size) <= maximum)
        octets = lireoctets(fd, 0, maximum + 1);
    ::close(fd);
    if (octets && octets->size() > maximum)
        return std::nullopt; // grown since
    return octets;
}

int ouvrirpartage(const std::string& chemin)
{
    if (chemin.empty())
        return -1;
    struct stat avant {};
    int fd = -1;
    if (::lstat(chemin.c_str(), &avant) == 0) {
        if (!S_ISREG(avant.st_mode))
            return -1;
        fd = ::open(chemin.c_str(), O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    } else if (errno == ENOENT) {
        fd = ::open(chemin.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY, 0644);
        if (fd >= 0 && ::fstat(fd, &avant) != 0) {
            ::close(fd);
            return -1;
        }
    }
    if (fd < 0)
        return -1;
    struct stat apres {};
    if (::fstat(fd, &apres) != 0 || !S_ISREG(apres.st_mode) || !memefichier(avant, apres)) {
        ::close(fd);
        return -1;
    }
    bloquant(fd);
    return fd;
}

bool remplacerfichier(const std::string& chemin, std::string_view octets, liens l)
{
    if (chemin.empty())
        return false;
    struct stat st {};
    if (::lstat(chemin.c_str(), &st) != 0) {
        if (errno != ENOENT)
            return false;
        return remplaceratomiquement(chemin, nullptr, octets);
    }
    std::string cible = chemin;
    if (S_ISLNK(st.st_mode)) {
        if (l == liens::refuses)
            return false;
        const auto reel = cheminreel(chemin);
        if (!reel || ::stat(reel->c_str(), &st) != 0)
            return false;
        cible = *reel;
    }
    if (!S_ISREG(st.st_mode) || ::faccessat(AT_FDCWD, cible.c_str(), W_OK, AT_EACCESS) != 0)
        return false;
    if (st.st_uid != ::geteuid() || st.st_nlink > 1)
        return ecrireenplace(cible, st, octets);
    return remplaceratomiquement(cible, &st, octets);
}

std::optional<std::string> dansdossier(const std::string& dossier, const std::string& chemin)
{
    const auto base = cheminreel(dossier);
    const auto reel = cheminreel(chemin);
    if (!base || !reel)
        return std::nullopt;
    const std::string prefixe = base->back() == '/' ? *base : *base + "/";
    if (reel->compare(0, prefixe.size(), prefixe) != 0 && *reel != *base)
        return std::nullopt;
    return reel;
}

} // namespace qm
