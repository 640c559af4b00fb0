#pragma once

// Failures a save meets on a pupil's machine, made on purpose in the tests
// of the writers: a full disk, a folder that cannot be written, a folder that
// is gone.

#include <csignal>
#include <string>

#include <sys/resource.h>
#include <unistd.h>

namespace qm::essai {

// While it lives, no file of the process may grow past `octets` bytes, as on
// a full disk: a write past the limit fails (EFBIG) instead of raising the
// signal that would end the test program. Only the soft limit is lowered, so
// that it can be put back without privileges.
class DisquePlein {
public:
    explicit DisquePlein(rlim_t octets)
    {
        struct sigaction ignore {};
        ignore.sa_handler = SIG_IGN;
        sigemptyset(&ignore.sa_mask);
        signalpose = ::sigaction(SIGXFSZ, &ignore, &signalavant) == 0;
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
        if (signalpose)
            ::sigaction(SIGXFSZ, &signalavant, nullptr);
    }
    DisquePlein(const DisquePlein&) = delete;
    DisquePlein& operator=(const DisquePlein&) = delete;

    bool actif() const { return limitepose && signalpose; }

private:
    rlimit avant{};
    struct sigaction signalavant {};
    bool limitepose = false;
    bool signalpose = false;
};

// Permissions do not stop root, who runs the tests on the build machines: a
// read-only folder is then one nobody can create a file in, such as /proc.
inline bool parroot() { return ::geteuid() == 0; }

} // namespace qm::essai
