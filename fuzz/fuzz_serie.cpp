// Feeds arbitrary bytes to the series reader as a file on disk.
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>

#include <unistd.h>

#include "files/serie.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::string chemin = "/tmp/quilmaret-fuzz-serie-" + std::to_string(::getpid()) + ".C02";
    {
        std::ofstream f(chemin, std::ios::binary | std::ios::trunc);
        f.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    const qm::lectureserie l = qm::lireserie(chemin);
    if (l.erreur == qm::erreurserie::aucune) {
        // What was read must be writable back, or refused cleanly.
        const auto r = qm::enregistrementsserie(l.contenu);
        if (r.size() != 125)
            __builtin_trap();
    }
    return 0;
}
