#pragma once

#include <QString>

#include "files/serie.h"
#include "workspace/saisie.h"

namespace qm {

// The ten-equation workspace as procedures on the main window's state:
// checking the equation on display, asking for its table, switching between
// the ten equations, pasting, erasing. Like the editor's, each says in
// `effets` what the window must do after it.

// The checker on the equation on display, with the congratulation or not.
void verifier(etatfeuille& e, bool avecbravo, effets& r);
// "Vérifier l'équation chimique".
void verifierequation(etatfeuille& e, const cadreequation& c, effets& r);
// "Tableau d'avancement": the check, then the table when it balances.
void validerequation(etatfeuille& e, const cadreequation& c, effets& r);
// Equation button `index` (0..9): the one on display stored, the other shown.
void choisirequation(etatfeuille& e, const cadreequation& c, int index, effets& r);
// "Co&ller": the copied equation and its amounts.
void coller(etatfeuille& e, const cadreequation& c, const QString& copie, effets& r);
// "Effacer l'équation affichée", and "Effacer la série dees 10 équations".
void effacerequation(etatfeuille& e, const cadreequation& c, effets& r);
void effacerserie(etatfeuille& e, const cadreequation& c, effets& r);

// A series read from its file: its ten equations, their amounts and the three
// display options taken in, then equation 0 shown as its button would.
void ouvrirserie(etatfeuille& e, const cadreequation& c, const serie& s, effets& r);
// The series the workspace holds now, as its file keeps it.
serie seriede(const etatfeuille& e);

} // namespace qm
