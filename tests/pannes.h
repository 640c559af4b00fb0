#pragma once

// Failures a save meets on a pupil's machine, made on purpose in the tests
// of the writers: a full disk, a folder that cannot be written, a folder that
// is gone, a file of another user, a special file that would block a reader.

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

#include <fcntl.h>
#include <grp.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace qm::essai {

// While it lives, no file of the process may grow past `octets` bytes, as on
// a full disk or under a school's `ulimit -f`. The signal such a write raises
// is left as the process has it: the program ignores it from its start-up
// (preparerecritures), so that the write fails instead; the tests call that
// same procedure, and a program that did not would end here. Only the soft
// limit is lowered, so that it can be put back without privileges.
class DisquePlein {
public:
    explicit DisquePlein(rlim_t octets)
    {
        if (::getrlimit(RLIMIT_FSIZE, &avant) != 0)
            return;
        rlimit r = avant;
        r.rlim_cur = avant.rlim_max == RLIM_INFINITY || octets < avant.rlim_max ? octets : avant.rlim_max;
        limitepose = ::setrlimit(RLIMIT_FSIZE, &r) == 0;
    }
    ~DisquePlein()
    {
        if (limitepose)
            ::setrlimit(RLIMIT_FSIZE, &avant);
    }
    DisquePlein(const DisquePlein&) = delete;
    DisquePlein& operator=(const DisquePlein&) = delete;

    bool actif() const { return limitepose; }

private:
    rlimit avant{};
    bool limitepose = false;
};

// Permissions do not stop root, who runs the tests on the build machines: a
// read-only folder is then one nobody can create a file in, such as /proc.
inline bool parroot()
{
    return ::geteuid() == 0;
}

// The user and group "nobody": a pupil with no rights over another's files.
inline constexpr uid_t personne = 65534;
inline constexpr gid_t groupepersonne = 65534;

// Runs `action` in a child process as "nobody" and gives its answer: 1 for
// true, 0 for false, -1 when the child could not drop root's rights or did not
// end by itself. Only root can do this (see parroot).
template <class Action> int commepersonne(Action action)
{
    const pid_t pid = ::fork();
    if (pid < 0)
        return -1;
    if (pid == 0) {
        if (::setgroups(0, nullptr) != 0 || ::setgid(groupepersonne) != 0 || ::setuid(personne) != 0)
            ::_exit(2);
        ::_exit(action() ? 1 : 0);
    }
    int statut = 0;
    if (::waitpid(pid, &statut, 0) != pid || !WIFEXITED(statut) || WEXITSTATUS(statut) > 1)
        return -1;
    return WEXITSTATUS(statut);
}

// Watches a FIFO while the code under test runs: a reader or a writer that
// blocks on it for `delai` is let go (the other end is opened for it once),
// and `bloque()` says so, so that a test fails instead of hanging.
class Debloqueur {
public:
    Debloqueur(std::string fifo, std::chrono::seconds delai = std::chrono::seconds(5))
        : tube(std::move(fifo)), fil([this, delai] { veiller(delai); })
    {
    }
    ~Debloqueur()
    {
        {
            std::lock_guard<std::mutex> v(garde);
            fini = true;
        }
        reveil.notify_all();
        fil.join();
    }
    bool bloque() const { return debloque; }

private:
    void veiller(std::chrono::seconds delai)
    {
        std::unique_lock<std::mutex> v(garde);
        if (reveil.wait_for(v, delai, [this] { return fini; }))
            return;
        debloque = true;
        // Until the code under test comes back: one end opened, then closed,
        // ends a blocked open and the read or write after it.
        while (!fini) {
            for (const int mode : {O_WRONLY | O_NONBLOCK, O_RDONLY | O_NONBLOCK}) {
                const int fd = ::open(tube.c_str(), mode);
                if (fd >= 0)
                    ::close(fd);
            }
            reveil.wait_for(v, std::chrono::milliseconds(50), [this] { return fini; });
        }
    }
    std::string tube;
    std::mutex garde;
    std::condition_variable reveil;
    bool fini = false;
    std::atomic<bool> debloque{false};
    std::thread fil;
};

} // namespace qm::essai
