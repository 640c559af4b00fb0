#pragma once

#include <QColor>
#include <QFont>
#include <QPoint>
#include <QString>

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

class QPainter;

namespace qm {

// The equation as the pupil reads it: where every character of the equation
// text is drawn in the equation picture, in which face and colour, where the
// caret image goes, and whether the drawing had room. Laid out as data first,
// then painted; laying out never touches a window.

// "#" before a subscript, "*" before a superscript.
inline bool estmarqueur(QChar c)
{
    return c == QLatin1Char('#') || c == QLatin1Char('*');
}
// The character at i, or none past either end.
inline QChar caractere(const QString& t, int i)
{
    return i >= 0 && i < t.size() ? t[i] : QChar();
}

enum class faceequation { grande, petite, fleche }; // Arial 12, Arial 8, the arrow's face at 12

// What the layout measures with: the width of a text in a face, and the
// height and ascent of a face.
struct mesuresequation {
    std::function<int(const QString&, faceequation)> largeur;
    std::function<int(faceequation)> hauteur;
    std::function<int(faceequation)> ascendante;
};

// The measures of the faces the program draws with.
const mesuresequation& mesuresecran();
QFont policeequation(faceequation f);

struct entreeequation {
    QString texte;
    int curseur = 0;
    bool opti = false;
    bool opte = false;
    std::int16_t synchro = 0;
    bool colorsto = false;
    std::int16_t modeaffichage = 0;
    std::array<std::int16_t, 12> decalage{}; // per species, 1..11
    int largeurcolonne = 0;
    int largeur = 0; // of the picture
    int hauteur = 0;
    bool placement = false; // a click asks for the caret at xclic
    int xclic = 0;
};

struct caracteredessine {
    QString texte; // a separator with its blanks, a sign as drawn
    QPoint coin;   // top-left of the text
    faceequation face = faceequation::grande;
    bool rouge = false; // a coefficient digit, coloured
};

enum class finequation {
    complete,      // everything had room
    chevauchement, // in the table layout, a species runs into the one before
    depassement,   // past 95 % of the picture's width
};

struct dispositionequation {
    std::vector<caracteredessine> caracteres; // in drawing order, the last one included when it stopped
    finequation fin = finequation::complete;
    int x = 0;                                    // where the next character would start
    int curseur = 0;                              // the caret, moved by a click
    bool placement = false;                       // the click is still to be placed
    std::optional<std::pair<bool, bool>> options; // opti and opte, following the caret
    std::optional<QPoint> posi;                   // the caret image's top-left
};

// Lays the text out character by character, from x = 20 (or the first
// column's offset in the table layout), stopping at the first character
// that overlaps or has no room.
dispositionequation disposerequation(const entreeequation& e, const mesuresequation& m);

// Only paints, in the program's faces and colours.
void peindreequation(QPainter& p, const dispositionequation& d);

} // namespace qm
