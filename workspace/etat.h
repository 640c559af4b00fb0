#pragma once

#include <QPoint>
#include <QString>

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "core/avancement.h"
#include "core/elements.h"
#include "core/verification.h"
#include "workspace/equation.h"

namespace qm {

// The main window's own state, alive as long as the program.
struct etatfeuille {
    // The ten equations and the one on display.
    std::int16_t numcourant = 0;
    std::array<std::string, 10> eqtexte;
    std::array<tabquant, 11> eqquant{}; // rows 0..9 the equations, row 10 the copy slot
    tabquant quant{};
    tabcoef coef{}; // coefficients of the last check

    // Column layout of the equation on display.
    std::array<std::int16_t, nombreespeces> possep{}; // separators 0..10
    std::int16_t sepegal = 0;
    std::int16_t nbcolonnes = 0;
    std::int16_t premierproduit = 0;
    std::int16_t largeurcolonne = 0;
    std::array<std::int16_t, nombreespeces + 1> decalage{};
    std::int16_t modeaffichage = 0; // 0 normal, 1..10 measuring species k, 100 table layout
    std::int16_t tableaudemande = 0;

    // Editor: the equation on display, which the box Text1 only shows.
    QString texte;
    int curseur = 0;                        // characters before the caret
    bool opti = false;                      // the next character is a subscript
    bool opte = false;                      // or a superscript
    bool fleche = true;                     // the arrow may be typed: no "=" yet
    dispositionequation dessin;             // the equation picture as last laid out
    QPoint posi;                            // where the caret image stands over it
    std::int16_t colorsto = 1;              // coefficients drawn in red when 1 (the box ticked; 2 greyed)
    std::optional<verdict> verdictequation; // of the last check
    std::int16_t occupe = 0;
    std::int16_t debordement = 0;
    std::int16_t redessine = 0;  // a fall-back to the normal drawing has happened
    std::int16_t synchro = 0;    // options: 0 free, 1 set by the drawing, 2 set by the pupil or a key
    std::int16_t placement = 0;  // a click asks for the caret
    int xclic = 0;               // where, minus 6
    std::int16_t findetexte = 0; // Down pressed with the caret at the end
    std::int16_t rognage = 0;    // a text too long for the picture is being cut
    int verifications = 0;       // checks of an equation so far

    // Progress table.
    int p = 0; // the advancement cursor, 0..10000
    // The cursor and the table answer: the equation was found balanced and
    // has not been edited since. The cursor starts usable, until the
    // equation box first takes the keyboard.
    bool tableauactif = true;
    std::int16_t final = 1; // the display options as check-box states: 0, 1 ticked, 2 greyed
    std::int16_t conso = 0;
    std::int16_t litteral = 0;    // 1: the written table in place of the bars
    std::int16_t saisiemasse = 0; // 1: a click in the top band asks what the statement gives
    std::int16_t graphe = 0;      // the graph n = f(x) shown in place of the bars
    std::int16_t colsaisie = 0;
    std::int16_t exerciceouvert = 0;
    std::int16_t textemodifie = 0;
    QString dossierexo; // folder of the exercise in use, ending in "/"

    QString messagecopie;
    QString nomfichier;       // the series file in use
    QString dossierprogramme; // where the exchange, help and exercise files live
    tableelements elements;   // symbols and names at start-up, masses with their list
};

} // namespace qm
