#include "app/choixechelle.h"

#include <cstddef>
#include <utility>

namespace qm {

double echelleauto(int largeurecran, int hauteurecran)
{
    double choisie = echelles.front();
    for (double e : echelles)
        if (600 * e <= 0.8 * hauteurecran && 800 * e <= 0.9 * largeurecran)
            choisie = e;
    return choisie;
}

std::optional<double> lireechelle(std::string_view texte)
{
    if (texte == "auto")
        return echelleautomatique;
    std::string t(texte);
    for (char& c : t)
        if (c == ',')
            c = '.';
    for (double e : echelles)
        if (t == texteechelle(e) || t == texteechelle(e) + ".0" || t == texteechelle(e) + "0")
            return e;
    return std::nullopt;
}

std::string texteechelle(double echelle)
{
    if (echelle == echelleautomatique)
        return "auto";
    if (echelle == 1.25)
        return "1.25";
    if (echelle == 1.5)
        return "1.5";
    if (echelle == 2)
        return "2";
    return "1";
}

lignecommande lireligne(const std::vector<std::string>& arguments)
{
    lignecommande l;
    const auto refuser = [&l](std::string message) {
        l.quoi = lignecommande::demande::erreur;
        l.message = std::move(message);
        return l;
    };
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& a = arguments[i];
        if (a == "-h" || a == "--help" || a == "--aide") {
            l.quoi = lignecommande::demande::aide;
            return l;
        }
        std::string valeur;
        if (a == "--echelle") {
            if (i + 1 == arguments.size())
                return refuser("quilmaret : l'option --echelle attend une valeur "
                               "(auto, 1, 1.25, 1.5 ou 2).");
            valeur = arguments[++i];
        } else if (a.starts_with("--echelle=")) {
            valeur = a.substr(10);
        } else {
            continue;
        }
        l.echelle = lireechelle(valeur);
        if (!l.echelle)
            return refuser("quilmaret : échelle « " + valeur +
                           " » inconnue ; les échelles possibles sont auto, 1, 1.25, 1.5 et 2.");
    }
    return l;
}

std::string texteaide()
{
    return "Usage : quilmaret [--echelle ÉCHELLE]\n"
           "Équations chimiques et tableaux d'avancement.\n"
           "\n"
           "  --echelle ÉCHELLE  affiche toutes les fenêtres agrandies, pour un tableau\n"
           "                     blanc ou un grand écran : 1, 1.25, 1.5 ou 2, ou auto\n"
           "                     (la plus grande qui laisse la fenêtre dans 80 % de\n"
           "                     la hauteur de l'écran). L'échelle choisie est retenue pour les\n"
           "                     lancements suivants ; sans choix, c'est auto.\n"
           "  -h, --help         affiche cette aide.\n";
}

} // namespace qm
