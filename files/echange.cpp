#include "files/echange.h"

#include <chrono>
#include <filesystem>
#include <map>
#include <mutex>
#include <thread>

#include <sys/file.h>
#include <unistd.h>

#include "files/enregistrements.h"

namespace qm {

namespace {

// The exchange file as this process holds it while it runs: open, with a
// shared lock that tells the other instances it is there. The lock goes with
// the process, however it ends: a crashed instance counts no more.
struct marque {
    int fd = -1;
    int instances = 0; // main windows of this process marked running
};

std::mutex garde;
std::map<std::string, marque> marques;

// An instance that is quitting holds the file alone for as long as it takes
// to write "NON": a few tries, then on without the lock.
void verrouillerpartage(int fd)
{
    for (int essai = 0; essai < 100; ++essai) {
        if (::flock(fd, LOCK_SH | LOCK_NB) == 0)
            return;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

} // namespace

std::string cheminechange(const std::string& dossier)
{
    return (std::filesystem::path(dossier) / nomechange).string();
}

bool marquerenfonction(const std::string& dossier, bool enfonction)
{
    const std::string chemin = cheminechange(dossier);
    const std::lock_guard<std::mutex> verrou(garde);
    marque& m = marques[chemin];
    if (enfonction) {
        const int fd = ouvrirpartage(chemin);
        if (fd < 0)
            return false;
        verrouillerpartage(fd);
        const bool ok = ecrireenregistrement(fd, enregistrementenfonction, "OUI");
        // The newest open file is kept: it is the one now at that name.
        if (m.fd >= 0)
            ::close(m.fd);
        m.fd = fd;
        ++m.instances;
        return ok;
    }
    if (m.instances > 1) {
        --m.instances;
        return true;
    }
    m.instances = 0;
    if (m.fd >= 0) {
        ::close(m.fd);
        m.fd = -1;
    }
    const int fd = ouvrirpartage(chemin);
    if (fd < 0)
        return false;
    // Only the last instance to quit gets the file to itself: while another
    // one runs, its shared lock keeps the mark at "OUI".
    bool ok = true;
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0)
        ok = ecrireenregistrement(fd, enregistrementenfonction, "NON");
    ok = ::close(fd) == 0 && ok;
    return ok;
}

std::string prendrerequete(const std::string& dossier)
{
    const std::string chemin = cheminechange(dossier);
    const auto lu = lireenregistrements(chemin, enregistrementrequete, enregistrementrequete, liens::refuses);
    // Emptied even when it could not be read, so a broken request is not met again;
    // this also creates the file when it is missing.
    ecrireenregistrement(chemin, enregistrementrequete, "");
    return lu ? lu->front() : std::string();
}

} // namespace qm
