#include <QApplication>

#include "app/initialisation.h"
#include "programme/relier.h"
#include "workspace/feuillep.h"

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    qm::preparerapplication(application);

    qm::FeuilleP feuilleP;
    qm::relierfenetres(feuilleP);
    feuilleP.show();

    return QApplication::exec();
}
