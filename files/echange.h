#pragma once

#include <string>

namespace qm {

// The exchange file shared with the companion program, in the program's folder.
inline constexpr const char* nomechange = "TEMP1S.TMP";
inline constexpr int enregistrementenfonction = 9; // "OUI" while the program runs, "NON" after
inline constexpr int enregistrementrequete = 31;   // an exercise the companion asks us to open

std::string cheminechange(const std::string& dossier);

// Writes "OUI" or "NON" into the running mark, in place. False when the file
// cannot be written; callers carry on without it.
bool marquerenfonction(const std::string& dossier, bool enfonction);

// Takes the companion's request: reads it, then empties it so that it is served
// once. The empty text when there is none or the file cannot be read.
std::string prendrerequete(const std::string& dossier);

} // namespace qm
