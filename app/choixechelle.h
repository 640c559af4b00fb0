#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qm {

// The scale the whole program is shown at on a board or a large screen: every
// window keeps its layout in its own pixels (the main window 800 x 600) and the
// toolkit draws each of them at this many screen pixels per pixel.

// The scales offered; 0 stands for "auto", the one that suits the screen.
inline constexpr std::array<double, 4> echelles{1.0, 1.25, 1.5, 2.0};
inline constexpr double echelleautomatique = 0;

// The largest scale at which the 800 x 600 window takes at most 80 % of the
// screen's height (and 90 % of its width, for screens turned upright):
// 1366 x 768: 1, 1680 x 1050 and 1920 x 1080: 1.25, 1920 x 1200 and
// 2560 x 1440: 1.5, 3840 x 2160: 2; 1 on a smaller screen. The rest of the
// height is left to the title bar and the desktop's panels.
double echelleauto(int largeurecran, int hauteurecran);

// "auto", or one of the scales written with a point or a comma ("1.5",
// "1,5", "2"); nothing for any other text.
std::optional<double> lireechelle(std::string_view texte);
// The text lireechelle reads back: "auto", "1", "1.25", "1.5", "2".
std::string texteechelle(double echelle);

// What the command line asks for. Options of the toolkit (-platform,
// -display...) are not ours and are left to it.
struct lignecommande {
    enum class demande { lancer, aide, erreur } quoi = demande::lancer;
    std::optional<double> echelle; // given with --echelle (0: auto)
    std::string message;           // why the line is refused
};
lignecommande lireligne(const std::vector<std::string>& arguments);

// The text of --help.
std::string texteaide();

} // namespace qm
