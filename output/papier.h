#pragma once

#include <QColor>
#include <QDate>
#include <QImage>
#include <QPageLayout>
#include <QPointF>
#include <QSizeF>
#include <QString>

#include <functional>
#include <optional>
#include <vector>

#include "workspace/equation.h"
#include "workspace/saisie.h"
#include "workspace/tableau.h"

class QPainter;
class QPrinter;

namespace qm {

// While it lives, the printer prints across the page, inside the printable
// area (the painter's origin at its corner), one copy at a time (the copies
// are ours, one page each: the printer's own count would multiply them). The
// printer is shared with the text prints: its settings come back after.
class enpaysage {
public:
    explicit enpaysage(QPrinter& p);
    ~enpaysage();
    enpaysage(const enpaysage&) = delete;
    enpaysage& operator=(const enpaysage&) = delete;

private:
    QPrinter& imprimante;
    QPageLayout::Orientation orientation;
    bool pageentiere;
};

// What the print window puts on paper besides the picture on screen: a
// header line above it, and the handout of the whole series.

// ---- The header line ----------------------------------------------------------

struct lignetete {
    QString titre;
    QString nom;
    QString date;
};

// A date as written in French: "8 décembre 2026", "1er mai 2027".
QString datelongue(const QDate& jour);

// The header line's font size, in points, whatever the printer.
inline constexpr double pointstete = 12;

// The header line across a picture `largeur` screen pixels wide: the title
// on the left, the name in the middle, the date on the right; the height it
// takes with the space under it, in screen pixels.
struct textetete {
    QString texte;
    double x = 0; // left edge, screen pixels from the line's start
    bool gras = false;
};
std::vector<textetete> disposertete(const lignetete& l, double largeur);
double hauteurtete();

// ---- The series ----------------------------------------------------------------

// One equation of the series laid out as the main window would draw it once
// chosen: its header, and when it balances its table and caption column.
struct equationpapier {
    int numero = 0; // 0..9
    QString texte;
    dispositionequation entete;
    bool tableau = false;
    dessintableau table;
    std::vector<textedessin> legendes;
};

// The sizes of the three pictures of the main window the layout follows.
struct surfacespapier {
    cadreequation entete;    // Picture2
    QSize table{689, 169};   // Picture3
    QSize legendes{89, 191}; // Picture4
    QColor fondentete{255, 255, 230};
};

// The non-empty equations of the series, from a copy of the state: the one on
// display as it is (its live text, amounts and cursor), the others as
// choosing them would show them (cursor at the initial state). The state
// given is not touched.
std::vector<equationpapier> preparerserie(const etatfeuille& e, const surfacespapier& s);

// The size of an equation's block in screen pixels: the header, the captions
// and the table assembled as a copy assembles them, or the header alone for
// an equation without a table.
QSize tailleequation(const equationpapier& q, const surfacespapier& s);
// Paints it from (0, 0), in screen pixels.
void peindreequationpapier(QPainter& p, const equationpapier& q, const surfacespapier& s);

// ---- Pages ------------------------------------------------------------------------

// Something drawn on paper: its size and how to paint it from (0, 0), in
// screen pixels.
struct blocpapier {
    QSizeF taille;
    std::function<void(QPainter&)> peindre;
};

// Where each block goes: on which page (from 0), at which top-left corner, in
// screen pixels of the printable area. The first block of a page stands a
// tenth of the width from the left and a twentieth of the height from the
// top, under the header line when there is one; the next ones follow under
// it while they hold above the bottom twentieth. A block too tall for any
// page has a page of its own.
struct placebloc {
    int page = 0;
    QPointF coin;
};
std::vector<placebloc> placerblocs(const std::vector<QSizeF>& blocs, QSizeF zone, double tete);

// Prints the blocks across the page, every copy on pages of its own, the
// header line on each page when given. False when the printer could not be
// opened.
bool imprimerpapier(QPrinter& p, const std::vector<blocpapier>& blocs, const std::optional<lignetete>& tete,
                    int exemplaires);

// A screen picture as a block: each pixel stays a pixel of the same colour.
blocpapier blocimage(const QImage& image);

} // namespace qm
