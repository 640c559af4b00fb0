#pragma once

#include <QString>
#include <Qt>

#include "workspace/saisie.h"

class QChar;
class QMouseEvent;

namespace qm {

class FeuilleP;

// The equation editor in the main window: the box Text1 that holds the
// keyboard, the equation picture Picture2 with its caret image posi, the
// equation tools. The state and its procedures are in saisie.h; this side
// only passes the events on and shows the state.

// Creates Picture2, the equation tools (outilequa with Text1, opti, opte,
// fleche, Command14, valideur, Text3) and the caret image posi.
void construireediteur(FeuilleP& f);

// Where the equation picture is laid out.
cadreequation cadre(const FeuilleP& f);
// The widgets show the editor's state: the box's text and caret, the
// options, the buttons, the picture and the caret image.
void montrerediteur(FeuilleP& f);
void montrerediteur(FeuilleP& f, const etatfeuille& e);
// An equation about to be cut to ten species shown as it was, with the message.
void montreravantcoupe(FeuilleP& f, const effets& r);
// Shows the state, then does what a procedure asked for, in order.
void appliquer(FeuilleP& f, const effets& r);

// The change handling, on the state, then shown.
void Text1_Change(FeuilleP& f);
// A new equation on display, set by the program.
void mettreequation(FeuilleP& f, const QString& texte);

// Key events of Text1: key down returns true when the key was cancelled;
// key press gets the typed character.
bool Text1_KeyDown(FeuilleP& f, int touche, Qt::KeyboardModifiers modifs);
void Text1_KeyPress(FeuilleP& f, QChar k);
void Text1_KeyUp(FeuilleP& f, int touche);
void Text1_GotFocus(FeuilleP& f);
void Picture2_MouseUp(FeuilleP& f, QMouseEvent* m);
// The option that colours the coefficients: the equation drawn again.
void COLORSTO_Click(FeuilleP& f);
// Puts the caret on the character drawn at x in Picture2.
void placercurseur(FeuilleP& f, int x);

} // namespace qm
