#pragma once

#include <QColor>
#include <QLineF>
#include <QPointF>
#include <QPolygonF>
#include <QRect>
#include <QRectF>
#include <QSize>
#include <QString>

#include <vector>

#include "workspace/tableau.h"

class QPainter;

namespace qm {

class FeuilleP;

// The graph of every species' amount against the advancement x, shown on
// Picture3 in place of the bars when the box "Graphique n = f(x)" is ticked.
// The top band keeps the initial amounts, where they are typed.

// A line that may be smooth (the species' lines) or dashed (lines lying on
// one another take turns along their length).
struct traitgraphe {
    QLineF ligne;
    QColor couleur;
    qreal epaisseur = 1;
    qreal tiret = 0; // length of a dash in pixels, 0 for a solid line
    qreal blanc = 0; // the gap after it
    qreal debut = 0; // where along the line the first dash starts
    int colonne = 0; // the species' column, 0 for none
};

struct pointgraphe {
    QPointF centre;
    QColor couleur;
    int colonne = 0;
};

// Everything the graph paints on Picture3, in painting order.
struct dessingraphe {
    QSize taille;
    std::vector<QRect> contours;       // the frame's outline
    std::vector<lignedessin> bande;    // the top band's lower edge and column boundaries
    std::vector<textedessin> initiaux; // as the bars' view writes them
    // The plotting area: left x = 0, right x = xfin, bottom n = 0, top n = nfin.
    QRectF zone;
    double xfin = 0;
    double nfin = 0;
    std::vector<lignedessin> grille;
    std::vector<lignedessin> axes; // the two axes and their ticks
    std::vector<QPolygonF> fleches;
    std::vector<traitgraphe> droites;      // one per species
    std::vector<lignedessin> curseur;      // the vertical line at the cursor's x
    std::vector<pointgraphe> points;       // each species at the cursor's x
    std::vector<traitgraphe> echantillons; // the legend's line samples
    std::vector<textedessin> textes;       // graduations, axis names, x, legend, hint
};

// The colour of the species of column i, 1..10.
QColor couleurespece(int colonne);

// Lays the graph out from the table's state and calculation; `noms` are the
// species' names in column order.
dessingraphe disposergraphe(const entreedessin& e, const tableau& t, const std::vector<QString>& noms);

// Only paints.
void peindregraphe(QPainter& p, const dessingraphe& d);

// The caption column beside the graph, `largeur` being the width of Picture4.
std::vector<textedessin> disposerlegendesgraphe(int largeur);

// Clears Picture3 and draws the graph on it; majtab's step when the box is ticked.
// The graph of the equation on display, laid out from the window's state.
dessingraphe grapheactuel(const FeuilleP& f, const entreedessin& e, const tableau& t);
void dessinergraphe(FeuilleP& f, const entreedessin& e, const tableau& t);
// Draws the caption column for the graph.
void dessinerlegendesgraphe(FeuilleP& f);

// Connects the box "graphe" of the display options.
void construiregraphe(FeuilleP& f);
void graphe_Click(FeuilleP& f);

} // namespace qm
