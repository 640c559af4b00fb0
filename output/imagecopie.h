#pragma once

// The copied picture drawn again from the layouts rather than taken from the
// windows' bitmaps: at any scale (a sharp picture for word processors) and as
// SVG. The parts are placed as `assembler` places the windows' pictures.

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QSize>

#include <functional>
#include <optional>

class QPainter;

namespace qm {

class FeuilleP;

// The painting step of one picture: paints it at its own origin in the
// window's pixels. The painter may be scaled, so lines are painted as areas
// (fillRect), never with a cosmetic one-pixel pen.
using peinture = std::function<void(QPainter&)>;

struct partiecopie {
    QSize taille; // of the window's picture
    QColor fond;
    peinture peindre;
};

// The equation header alone, or with the caption column on its left and the
// table under it.
struct scenecopie {
    partiecopie entete;
    std::optional<partiecopie> legendes;
    std::optional<partiecopie> table;
};

QSize taillecopie(const scenecopie& s);
// Paints the whole copy in the window's pixels, the frame included.
void peindrecopie(QPainter& p, const scenecopie& s);
// The copy `echelle` times the window's size, drawn at that size; its
// resolution says so, so that it is pasted as large as the plain picture.
QImage imagecopie(const scenecopie& s, int echelle);
QByteArray svgcopie(const scenecopie& s);

// The main window's painting steps as it shows them now. The table's is the
// bars' view; a view drawn in place of the bars gives its own steps here.
peinture peintureentete(const FeuilleP& f);
peinture peinturelegendes(const FeuilleP& f);
peinture peinturetable(const FeuilleP& f);

// The main window's header, and its caption column and table when asked.
scenecopie scenedelafeuille(const FeuilleP& f, bool avectableau);

} // namespace qm
