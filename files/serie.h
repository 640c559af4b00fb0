#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/message.h"

namespace qm {

// What an equation-series file (".C02") keeps: the ten equation slots with
// their initial amounts, and the three display options of the progress table.
struct serie {
    std::array<std::string, 10> eqtexte;
    std::array<std::array<float, 12>, 10> eqquant{}; // [slot][column], columns 1..11
    std::int16_t colorsto = 0;                       // check-box states: 0 unchecked, 1 checked, 2 greyed
    std::int16_t conso = 0;
    std::int16_t final = 0;
};

inline constexpr const char* magieserie = "QUILMARET";
inline constexpr int nombreenregistrementsserie = 125;

enum class erreurserie { aucune, nonvalide, lecture, ecriture };

inline const message msgnonvalide{"Ce fichier ne correspond pas à cette application", "Fichier non valide"};
inline const message msglecture{"Lecture impossible sur disque", "Erreur lors du chargement du fichier"};
inline const message msgecriture{"Ecriture impossible sur disque", "Enregistrement impossible"};

// The message due for an outcome; empty for aucune.
message messageserie(erreurserie e);

// The 125 record texts of a series: the magic, then per slot its text and its
// eleven amounts, an empty record, then COLORSTO, conso and final.
std::vector<std::string> enregistrementsserie(const serie& s);

struct lectureserie {
    erreurserie erreur = erreurserie::aucune;
    serie contenu; // meaningful only without error
};

// Reads a whole series before anything is handed over, so that a failed read
// leaves the workspace as it was. A missing or empty file has no magic, nor
// has a name that is no regular file. A negative amount is a read error.
lectureserie lireserie(const std::string& chemin);

// Writes a series as every save is written (remplacerfichier): a failed save
// (a text of more than 126 bytes, a character the file cannot hold, a folder
// that cannot be written, a file the user may not write, a full disk or a size
// limit) leaves the old file untouched.
erreurserie ecrireserie(const std::string& chemin, const serie& s);

} // namespace qm
