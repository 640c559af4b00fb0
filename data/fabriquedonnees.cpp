// fabriquedonnees: builds the tutorial and the exercises shipped beside the
// program from the plain-text manifest data/exercices.txt.
//
//   fabriquedonnees MANIFESTE DOSSIER [--liste FICHIER]
//
// Faults are printed as "manifeste:ligne: message" and the exit code is 1;
// then nothing is written. The texts and pictures the manifest names are
// copied into DOSSIER with the files written. With --liste, FICHIER keeps the
// names written; the files of the previous run that the manifest no longer
// names are removed from DOSSIER.

#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "data/fabrique.h"

namespace fs = std::filesystem;

int main(int argc, char* argv[])
{
    std::vector<std::string> args(argv + 1, argv + argc);
    std::optional<fs::path> liste;
    if (args.size() == 4 && args[2] == "--liste") {
        liste = args[3];
        args.resize(2);
    }
    if (args.size() != 2) {
        std::cerr << "usage : fabriquedonnees MANIFESTE DOSSIER [--liste FICHIER]\n";
        return 2;
    }
    std::vector<std::string> ecrits;
    if (!qm::fabriquer(fs::path(args[0]), fs::path(args[1]), {}, ecrits))
        return 1;
    if (liste)
        qm::tenirliste(*liste, fs::path(args[1]), ecrits);
    return 0;
}
