#pragma once

// Joins the main window to the windows of the other subsystems. The program
// and the tests that drive the whole window use this same function.

#include <vector>

#include "exercises/aides.h"
#include "workspace/feuillep.h"

namespace qm {

inline void relierfenetres(FeuilleP& f)
{
    f.fenetreaidequa = [&f](const std::vector<lignegrille>& lignes) { montreraidequa(&f, lignes); };
    f.fenetrebravo = [&f] { montrerbravo(&f); };
}

} // namespace qm
