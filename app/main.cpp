#include <QApplication>

#include "app/initialisation.h"
#include "exercises/aides.h"
#include "workspace/feuillep.h"

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    qm::preparerapplication(application);

    qm::FeuilleP feuilleP;
    // The windows that report a check belong to the exercises.
    feuilleP.fenetreaidequa = [&feuilleP](const std::vector<qm::lignegrille>& lignes) {
        qm::montreraidequa(&feuilleP, lignes);
    };
    feuilleP.fenetrebravo = [&feuilleP] { qm::montrerbravo(&feuilleP); };
    feuilleP.show();

    return QApplication::exec();
}
