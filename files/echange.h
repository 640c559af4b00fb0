#pragma once

#include <string>

namespace qm {

// The exchange file shared with the companion program, in the program's folder.
inline constexpr const char* nomechange = "TEMP1S.TMP";
inline constexpr int enregistrementenfonction = 9; // "OUI" while the program runs, "NON" after
inline constexpr int enregistrementrequete = 31;   // an exercise the companion asks us to open

std::string cheminechange(const std::string& dossier);

// The running mark, written in place: "OUI" at start-up; "NON" at exit, only
// by the last instance of the program to quit (each running instance holds a
// lock on the file, which a crashed one no longer holds). The file is never
// opened through a symbolic link, nor when it is not a regular file, and it is
// created only where nothing lies. False when the file cannot be written;
// callers carry on without it.
bool marquerenfonction(const std::string& dossier, bool enfonction);

// Takes the companion's request: reads it, then empties it so that it is served
// once. The empty text when there is none or the file cannot be read (a link
// or a special file is not read).
std::string prendrerequete(const std::string& dossier);

} // namespace qm
