// quilmaret-exercices: a teacher's exercises, made without a build.
//
//   quilmaret-exercices [MANIFESTE]
//
// Reads MANIFESTE (exercices.txt by default), checks it and writes the
// exercise files (.E07) and the series (.C02) it describes into the
// manifest's folder, beside the RTF texts it names. A picture is a file of the
// program's folder, the folder this command is installed in. Faults are
// printed as "manifeste, ligne N : message" and the exit code is 1; then
// nothing is written. The manual page describes the manifest.

#include <filesystem>
#include <iostream>
#include <string>
#include <system_error>
#include <vector>

#include "data/fabrique.h"

namespace fs = std::filesystem;

int main(int argc, char* argv[])
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() > 1 || (args.size() == 1 && args[0].starts_with('-'))) {
        std::cerr
            << "usage : quilmaret-exercices [MANIFESTE]\n"
               "Écrit dans le dossier du manifeste (exercices.txt par défaut) les exercices qu'il décrit.\n"
               "Voir « man quilmaret-exercices ».\n";
        return 2;
    }
    const fs::path manifeste = args.empty() ? fs::path("exercices.txt") : fs::path(args[0]);
    std::error_code e;
    const fs::path programme = fs::canonical("/proc/self/exe", e).parent_path();
    const fs::path dossier = manifeste.has_parent_path() ? manifeste.parent_path() : fs::path(".");
    std::vector<std::string> ecrits;
    if (!qm::fabriquer(manifeste, dossier, {true, programme}, ecrits))
        return 1;
    for (const auto& nom : ecrits)
        std::cout << "écrit : " << nom << '\n';
    return 0;
}
