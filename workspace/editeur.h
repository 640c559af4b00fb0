#pragma once

#include <Qt>

class QChar;
class QMouseEvent;

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

// Key events of Text1: key down returns true when the box must not handle
// the key itself; key press gets the typed character.
bool Text1_KeyDown(FeuilleP& f, int touche, Qt::KeyboardModifiers modifs);
void Text1_KeyPress(FeuilleP& f, QChar k);
void Text1_KeyUp(FeuilleP& f, int touche);
void Text1_GotFocus(FeuilleP& f);
void Picture2_MouseUp(FeuilleP& f, QMouseEvent* m);
// Puts the caret on the character drawn at x in Picture2.
void placercurseur(FeuilleP& f, int x);

// The checker on the equation on display: count grid, congratulation or
// message; the table and the cursor become available only when balanced.
void verifequation(FeuilleP& f, bool avecbravo);

void numeq_Click(FeuilleP& f, int index);
// Selects equation button `index` as a click would.
void choisirequation(FeuilleP& f, int index);
void Command14_Click(FeuilleP& f);
void valideur_Click(FeuilleP& f);

} // namespace qm
