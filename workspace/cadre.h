#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QSize>
#include <QString>

#include <array>
#include <optional>
#include <vector>

namespace qm {

// The main window's frame as data: what the window builds and paints, kept
// apart from the widgets so that it can be checked without a screen.

inline constexpr int largeurfeuille = 800;
inline constexpr int hauteurfeuille = 600;

// The equation area: the caption column on the left, the equation header and
// the table under it, each overlapping its neighbours by one pixel.
inline constexpr QRect zonepicture4{8, 48, 89, 191};
inline constexpr QRect zonepicture2{96, 48, 689, 41};
inline constexpr QRect zonepicture3{96, 88, 689, 169};
// The equation tools cover the table while the equation is edited.
inline constexpr QRect zoneoutilequa = zonepicture3;
// The four picture buttons of the advancement, after the "Animation:" caption.
inline constexpr QRect zoneimage5(int i)
{
    return {222 + 30 * i, 272, 28, 28};
}

struct boutoncadre {
    const char* nom;
    const char* legende; // with its access key
    const char* bulle;
    const char* icone; // name in the icon theme
    int x;
    int largeur;
};

// The top row, left to right.
const std::array<boutoncadre, 9>& boutonscadre();

// Where the window goes on a screen of that size: centred at its own size on a
// screen wider than 850 pixels, nothing otherwise.
std::optional<QRect> regletaille(const QRect& ecran, const QSize& fenetre);

// Colour of line y of the painted background.
QColor couleurfond(int y);

// Background colour of equation button i (0..9), and its tool tip.
QColor couleurnumeq(int i);
QString bullenumeq(int i);

// The help line's texts.
QString aidefond();
QString aidecontrole(const QString& nomcontrole); // empty when the control has none
QString textemessagecopie();
QString texteconseil();

// The font that shows `texte` whole, wrapped at word boundaries, in a box of
// `place` pixels: `police` itself when it fits, else the largest smaller
// pixel size that fits (at least 7 px).
QFont policeajustee(const QString& texte, const QSize& place, const QFont& police);

// The start-up text in pieces, each with its style.
enum class stylemorceau { titre, emphase, bleu, simple };
struct morceau {
    QString texte;
    stylemorceau style;
};
const std::vector<morceau>& accueilmorceaux();

} // namespace qm
