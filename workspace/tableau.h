#pragma once

#include <QColor>
#include <QCursor>
#include <QFont>
#include <QLine>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

#include "core/avancement.h"

class QCheckBox;
class QKeyEvent;
class QMouseEvent;
class QPainter;

namespace qm {

class FeuilleP;
struct etatfeuille;

// The progress table of the main window: Picture3 (bands, bars, amounts),
// the caption column Picture4, the advancement cursor HScroll1, the entry box
// Text2, the picture buttons Image5 and the animation timer Timer1.

// ---- What is drawn, as data -------------------------------------------------

// A text placed by its top-left corner.
struct textedessin {
    QString texte;
    QPoint coin;
    QFont police;
    QColor couleur;
    int colonne = 0; // 1..N in the table, 0 in the caption column
};

struct barredessin {
    QRect rect; // corners included
    QColor couleur;
    int colonne = 0;
};

struct lignedessin {
    QLine ligne;
    QColor couleur;
    int epaisseur = 1;
};

// The state of the table that its drawing depends on.
struct entreedessin {
    QSize taille{689, 169}; // of Picture3
    int nbcolonnes = 0;
    int premierproduit = 0;
    int largeurcolonne = 0;
    tabcoef coef{};
    tabquant quant{}; // after the calculation: products at 0
    int p = 0;        // cursor, 0..10000
    bool final = false;
    bool conso = false;
    bool cadre = true; // false when the layout step has drawn the frame already
};

// Everything majtab paints on Picture3, in painting order.
struct dessintableau {
    QSize taille;
    std::vector<QRect> contours;          // frame: black outlines
    std::vector<lignedessin> separations; // frame: column boundaries
    std::vector<textedessin> initiaux;    // y = 4
    std::vector<barredessin> barres;      // initial (pale) then current, per column
    std::vector<lignedessin> grille;      // grey lines, then black 25 and 125
    std::vector<textedessin> finaux;      // y = 128, when asked for
    std::vector<textedessin> courants;    // y = 64, or 84 and the consumed one at 44 in red
};

// The locale's decimal separator, a comma when it is no single ASCII character.
char separateurlocal();

// The table's fonts: 12 points, regular for the initial and final states,
// bold for the state during the transformation.
QFont policetableau(bool gras = false);
// The caption column's font, 8 points.
QFont policelegendes();

// Column width from the header's width, halves to even; no value for N <= 0.
std::optional<int> largeurcolonnes(int largeurentete, int nbcolonnes);

// A bar's top from its exact ordinate: halves to even, never above the band;
// no bar when the ordinate is not a number.
std::optional<int> hautbarre(double y);

// Left edge that centres a text of width `largeurtexte` in column i.
int gauchecentree(int colonne, int largeurcolonne, int largeurtexte);

// Lays the table out from the calculation's result. Measures with the fonts
// (the width fallback of the current row uses the bold face).
dessintableau disposertableau(const entreedessin& e, const tableau& t);

// Paints a horizontal or vertical line as the pixels it covers, so that a
// scaled painter widens it with the rest of the drawing.
void peindreligne(QPainter& p, const lignedessin& l);

// What the table's drawing takes from the main window's state, Picture3
// being `taille`; and the calculation it draws (products set back to 0).
entreedessin entreede(const etatfeuille& etat, QSize taille);
tableau calculer(etatfeuille& etat, const entreedessin& e);

// Only paints.
void peindretableau(QPainter& p, const dessintableau& d);

// The caption column, `largeur` being the width of Picture4; with the three
// scale texts when a calculation is given.
std::vector<textedessin> disposerlegendes(int largeur, const tableau* echelle);
void peindrelegendes(QPainter& p, const std::vector<textedessin>& textes);

// The entry box's reading: a decimal with one comma at most; no value when it
// is empty, a lone comma, several commas or beyond single precision.
std::optional<float> lirequantite(const QString& texte);
// The amount shown in the entry box: empty for 0, else the general form.
QString textequantite(float quantite);

// What a character typed in the entry box at `curseur` becomes: itself (a
// digit, a comma, the exponent's E once after a digit and its sign just
// after it), a comma for a full stop, nothing for anything else.
std::optional<QChar> filtresaisie(const QString& texte, int curseur, QChar c);

// The pointer over the top band of a reactant: a pen, tip at the hot spot.
QCursor pointeurtableau();

// ---- The controls and their events ------------------------------------------

// Creates Picture3, Picture4, HScroll1, Text2, Image5_0..Image5_3 and Timer1
// and connects their events and those of the options final, conso and
// COLORSTO that exist already.
void construiretableau(FeuilleP& f);

// The empty table frame on Picture3, with n column boundaries (the one
// between reactants and products 3 pixels wide).
void cadretableau(FeuilleP& f, int n);
// The picture buttons' pointer: the chart's own over a table, the arrow else.
void pointeurs(FeuilleP& f, bool personnalise);

// Recomputes and redraws the table; with tableaudemande at 1, lays the
// columns out again first and redraws the caption column with its scale.
void majtab(FeuilleP& f);
// The caption column without a scale.
void tabini(FeuilleP& f);

// The bars' view as majtab lays it out for the state on display, with the
// calculation it shows; the state is left as it is.
struct tableaudessine {
    tableau calcul;
    dessintableau dessin;
};
tableaudessine tableauactuel(const FeuilleP& f);

void HScroll1_Change(FeuilleP& f);
void HScroll1_Scroll(FeuilleP& f);
void Image5_Click(FeuilleP& f, int index);
void Timer1_Timer(FeuilleP& f);

void Picture3_MouseMove(FeuilleP& f, QMouseEvent* m);
void Picture3_MouseUp(FeuilleP& f, QMouseEvent* m);
// Enter or F2 on the cursor: the first reactant's entry, while the table is in use.
void HScroll1_KeyDown(FeuilleP& f);
void Text2_GotFocus(FeuilleP& f);
void Text2_LostFocus(FeuilleP& f);
// True when the key is consumed (committed, replaced or dropped). Tab and
// Shift+Tab commit and open the next or previous reactant's entry; Escape
// closes the box and keeps the amount as it was.
bool Text2_KeyPress(FeuilleP& f, QKeyEvent* k);

void final_Click(FeuilleP& f);
void conso_Click(FeuilleP& f);

} // namespace qm
