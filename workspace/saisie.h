#pragma once

#include <QChar>
#include <QString>
#include <Qt>

#include <memory>
#include <optional>
#include <vector>

#include "core/message.h"
#include "core/verification.h"
#include "workspace/etat.h"

namespace qm {

// The equation editor as procedures on the main window's state: the keys of
// the equation box, its options, a click in the picture, a text set by the
// program. Each one changes the state and says what the window must do
// after it; none touches a window.

struct effets {
    std::vector<message> messages; // boxes to show (critical, OK), in this order
    // An equation cut to ten species: its message is shown over the equation
    // as it was, and only then is the cut one shown.
    std::shared_ptr<const etatfeuille> avantcoupe;
    std::vector<message> avantmessages;
    bool focus = false;   // the keyboard to the equation box
    bool valider = false; // Enter: the "Tableau d'avancement" action

    // What the workspace's procedures add (the ten equations, the check, the table).
    bool arreteranimation = false;
    bool verification = false; // a check ran: the cursor back at 0, the table out of use meanwhile
    // The request for a table as it stood before the check: the cursor's
    // reset redraws with it, since the check runs before the table is asked for.
    std::optional<std::int16_t> demandeavant;
    std::optional<std::vector<lignegrille>> grille; // the count grid of an unbalanced equation
    bool bravo = false;                             // the congratulation of a balanced one
    enum class tableau { inchange, construire, outils };
    tableau table = tableau::inchange; // build the table, or show the equation tools over it
    bool effacertableau = false;       // the table cleared, its caption column without a scale
    bool curseurazero = false;         // the cursor back at 0 once the table is built
};

// Where the equation picture is laid out, and with what.
struct cadreequation {
    int largeur = 689;
    int hauteur = 41;
    const mesuresequation* mesures = nullptr; // the screen's when null
};

// The change handling: normalisation of the text, then the layout of the
// picture into `e.dessin`, with its fall-backs (an overlapping table layout
// drawn normally, a text past the picture's width cut with one message).
void changement(etatfeuille& e, const cadreequation& c, effets& r);

// A text set by the program (an equation chosen, pasted, loaded, erased): the
// caret goes to its end; a text unchanged runs no change handling.
void mettreequation(etatfeuille& e, const cadreequation& c, const QString& texte, effets& r);

// Key down, with the key and its modifiers: true when the key was cancelled
// (the box would not have handled it itself).
bool toucheenfoncee(etatfeuille& e, const cadreequation& c, int touche, Qt::KeyboardModifiers modifs,
                    effets& r);
// Key press, with the character typed.
void touchetapee(etatfeuille& e, const cadreequation& c, QChar k, effets& r);
// Key up.
void toucherelachee(etatfeuille& e, const cadreequation& c, int touche, effets& r);

// The options "indice" (opti) and "exposant" (opte) changed, by a click or by
// a key: whoever ticked one, the other goes, and the drawing leaves them alone.
void cocheroption(etatfeuille& e, bool indice, bool coche, effets& r);

// Inserts at the caret (the arrow button's "=").
void inserer(etatfeuille& e, const cadreequation& c, const QString& s, effets& r);

// A click in the picture, or on the caret image, at x in the picture.
void placer(etatfeuille& e, const cadreequation& c, int x, effets& r);

// Keeps the first ten species of the equation, with the message that says so.
void moinsde10(etatfeuille& e, const cadreequation& c, effets& r);

// Lays the species of the equation out into the table's columns: the
// separators (possep, sepegal, nbcolonnes, premierproduit), the column width,
// each species measured alone and centred in its column (decalage), then the
// equation laid out in its columns, or normally when they do not hold it.
void etalerequation(etatfeuille& e, const cadreequation& c, effets& r);

// The "Tableau d'avancement" button may be used: the text holds an "=".
inline bool validable(const etatfeuille& e)
{
    return !e.fleche;
}

} // namespace qm
