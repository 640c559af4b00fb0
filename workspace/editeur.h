#pragma once

namespace qm {

class FeuilleP;

// The equation editor of the main window: the box Text1 that holds the
// equation text, its drawing into Picture2, the equation tools, the checks,
// the ten equation buttons.

// Creates Picture2, the equation tools (outilequa with Text1, opti, opte,
// fleche, Command14, valideur, Text3) and the caret image posi.
void construireediteur(FeuilleP& f);

// The change handling of Text1: normalisation, drawing, valideur.
void Text1_Change(FeuilleP& f);

// Lays the species of the equation on display out into the table's columns
// (nbcolonnes, premierproduit, largeurcolonne, decalage) and draws the header
// in table mode; clears Picture3 and draws its empty frame.
void etaler(FeuilleP& f);

void numeq_Click(FeuilleP& f, int index);
void Command14_Click(FeuilleP& f);
void valideur_Click(FeuilleP& f);

} // namespace qm
