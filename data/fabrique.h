#pragma once

// The tool that turns a manifest (plain text: exercises, series, equations and
// their amounts) into the exercise files (.E07), the series (.C02) and the
// tutorial file. Two commands share it: fabriquedonnees, which builds the
// content shipped beside the program, and quilmaret-exercices, with which a
// teacher builds exercises of their own in their own folder.

#include <filesystem>
#include <string>
#include <vector>

namespace qm {

struct usagefabrique {
    // false: the shipped content. The manifest has one [prise en main]; the
    // texts and pictures are found beside it and copied into the program's
    // folder with the files written.
    // true: a teacher's folder. No [prise en main]; the texts stay where they
    // are, beside the exercise files written there; a picture is a file of
    // the program's folder (where the program looks for it).
    bool professeur = false;
    std::filesystem::path dossierprogramme; // where pictures are looked for (teacher)
};

// Reads and checks the manifest; when all is right, writes the files into
// `dossier` and adds the names written (relative, "/" as separator) to
// `ecrits`. Each fault is printed on stderr with the manifest's line, and
// nothing is written unless the whole manifest is right. False on any fault.
bool fabriquer(const std::filesystem::path& manifeste, const std::filesystem::path& dossier,
               const usagefabrique& usage, std::vector<std::string>& ecrits);

// Removes from `dossier` the files that the previous run listed in `liste` and
// that `ecrits` no longer names, then writes `ecrits` into `liste`.
void tenirliste(const std::filesystem::path& liste, const std::filesystem::path& dossier,
                const std::vector<std::string>& ecrits);

} // namespace qm
