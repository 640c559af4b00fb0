#include <QApplication>

#include <cstdio>
#include <string>
#include <vector>

#include "app/choixechelle.h"
#include "app/echelle.h"
#include "app/initialisation.h"
#include "programme/relier.h"
#include "workspace/feuillep.h"

int main(int argc, char* argv[])
{
    const qm::lignecommande ligne = qm::lireligne(std::vector<std::string>(argv + 1, argv + argc));
    switch (ligne.quoi) {
    case qm::lignecommande::demande::aide:
        std::fputs(qm::texteaide().c_str(), stdout);
        return 0;
    case qm::lignecommande::demande::erreur:
        std::fprintf(stderr, "%s\nEssayez « quilmaret --help ».\n", ligne.message.c_str());
        return 2;
    case qm::lignecommande::demande::lancer:
        break;
    }
    // The scale is read by the toolkit when the application starts.
    qm::preparerechelle(ligne.echelle, argc, argv);

    QApplication application(argc, argv);
    qm::preparerapplication(application);

    qm::FeuilleP feuilleP;
    qm::relierfenetres(feuilleP);
    feuilleP.show();

    return QApplication::exec();
}
