#pragma once

#include <QColor>
#include <QImage>
#include <QString>

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "core/message.h"

namespace qm {

// An exercise file (".E07") and the tutorial ("QUILMARET.PEM") are record
// files: the statement, the series, the correction text and series, the
// difficulty, the notions in four pieces, the title, the picture.
namespace champexo {
inline constexpr int enonce = 1;
inline constexpr int configuration = 2;
inline constexpr int correction = 3;
inline constexpr int configcorrection = 4;
inline constexpr int difficulte = 5;
inline constexpr int notions = 7; // to 10
inline constexpr int titre = 11;
inline constexpr int image = 15;
} // namespace champexo

inline constexpr const char* motifexercice = "*.E07";
inline constexpr const char* fichiertutoriel = "QUILMARET.PEM";

inline const QString textecorrige = QStringLiteral("Exercice corrigé");
inline const QString textenoncorrige = QStringLiteral("Non corrigé");

inline const message msglectureexo{"Vérifier:\n- le nom du fichier,\n- l'état du lecteur.",
                                   "Lecture impossible"};
inline const message msgtutoriel{"Fichier introuvable. Revoir l'installation du logiciel.",
                                 "Erreur lors du chargement"};
inline const message msglecturetexte{"Vérifier l'état du lecteur et le nom du fichier.",
                                     "Erreur de lecture."};
inline const message msgecrituretexte{"Vérifier l'état du lecteur et le nom du fichier.",
                                      "Erreur d'écriture."};
inline const message msgperte{"Attention: perte des modifications du texte.", "Abandon des données?"};

// "Le fichier <folder><name> est introuvable": a file an exercise names is
// missing. The path is shown with "/" between its folders.
message msgabsent(const QString& dossier, const QString& nom);
// The question before a text is saved over `nomfichier` (its name without folder).
message msgecrasertexte(const QString& nomfichier);

// A folder as the exercises keep it: with its separator at the end.
QString avecseparateur(const QString& dossier);

// A name read from an exercise file, in `dossier` (which ends with "/"). Files
// made on Windows separate their folders with "\": both are accepted.
QString cheminexercice(const QString& dossier, const std::string& nom);

// The same, only when it names a file that stays inside `dossier` once its
// links and ".." are resolved: another pupil's file, or one outside the
// program's folder, is no file of the exercise. Nothing otherwise, as for a
// missing file.
std::optional<QString> cheminsur(const QString& dossier, const std::string& nom);
// The same check for a full path.
bool dansledossier(const QString& dossier, const QString& chemin);

// An exercise's picture, read from a regular file of at most taillemaximage
// bytes; a null image otherwise.
inline constexpr std::size_t taillemaximage = 64 * 1024 * 1024;
QImage chargerimage(const QString& chemin);

// True when a record holds something other than blanks.
bool renseigne(const std::string& enregistrement);

// The preview's verdict: corrected when a correction text or series is named.
bool estcorrige(const std::string& correction, const std::string& configcorrection);

// How many of the three stars are lit for the difficulty record: star i is lit
// when the number read is above i, so "0", "" give none and "5" gives three.
int etoilesallumees(const std::string& difficulte);

// The colour of letter i (from 1) of n in the browser's title: from pale
// yellow to white.
QColor couleurlettre(int i, int n);

// Reads records premier..dernier of an exercise file; nothing when the file
// cannot be opened or a record is malformed.
std::optional<std::vector<std::string>> lireexercice(const QString& chemin, int premier, int dernier);
// One record, the empty text when it cannot be read (failures ignored).
std::string champ(const QString& chemin, int numero);

} // namespace qm
