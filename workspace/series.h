#pragma once

#include "files/serie.h"

namespace qm {

class FeuilleP;

// The equation series of the main window: its ten equations and its display
// options, read from and written to the file named by etat.nomfichier.

// The series the window holds now, as the file keeps it.
serie seriefeuille(const FeuilleP& f);

// Reads the series file into the workspace and shows equation 0. A file that
// cannot be read leaves the workspace as it was, after its message.
void chargeserie(FeuilleP& f);

// Writes the workspace into the series file; once written, the title names it.
erreurserie ecrireserie(FeuilleP& f);

void Command2_Click(FeuilleP& f);  // "&Ouvrir"
void Command11_Click(FeuilleP& f); // "&Enregistrer"

// Connects the two buttons.
void brancherseries(FeuilleP& f);

} // namespace qm
