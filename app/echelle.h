#pragma once

#include <optional>

namespace qm {

// Sets the scale every window is shown at, before the application exists
// (the toolkit reads it once, when it starts):
// - a scale given on the command line (0: auto) is used and remembered;
// - otherwise a scale set in the environment (QT_SCALE_FACTOR) is left as it is;
// - otherwise the remembered one, or auto when none was chosen.
// Auto looks at the primary screen through a short-lived application of its
// own. At 1 nothing is set: the program is drawn exactly as without a scale.
// Returns the scale set.
double preparerechelle(std::optional<double> demandee, int argc, char** argv);

// Where the choice is remembered: ~/.config/quilmaret/quilmaret.conf, key
// affichage/echelle ("auto", "1", "1.25", "1.5" or "2").
std::optional<double> echelleretenue();
void retenirechelle(double echelle);

} // namespace qm
