#pragma once

namespace qm {

class FeuilleP;
struct effets;

// The ten-equation workspace of the main window: checking the equation on
// display, building its table, switching between the ten equations.

// Does what the workspace's procedures asked for, in order: the animation
// stopped, the state shown, the check's messages and windows, the table built
// or the equation tools shown, the cursor, the keyboard.
void appliquerespace(FeuilleP& f, const effets& r);

// Connects the check and table buttons and the ten equation buttons.
void brancherespace(FeuilleP& f);

// The checker on the equation on display: count grid, congratulation or
// message; the table and the cursor become available only when balanced.
void verifequation(FeuilleP& f, bool avecbravo);

void numeq_Click(FeuilleP& f, int index);
// Selects equation button `index` as a click would.
void choisirequation(FeuilleP& f, int index);
// Lays the columns of the equation on display out (its header in columns)
// and draws the empty table frame on Picture3.
void etaler(FeuilleP& f);
void Command14_Click(FeuilleP& f);
void valideur_Click(FeuilleP& f);

} // namespace qm
