#pragma once

// Joins the main window to the windows of the other subsystems. The program
// and the tests that drive the whole window use this same function.

#include <QToolButton>

#include <vector>

#include "calculator/machine.h"
#include "exercises/aides.h"
#include "exercises/fichexo.h"
#include "exercises/visionneuse.h"
#include "output/feuillef.h"
#include "workspace/feuillep.h"
#include "workspace/series.h"

namespace qm {

inline void relierfenetres(FeuilleP& f)
{
    f.fenetreaidequa = [&f](const std::vector<lignegrille>& lignes) { montreraidequa(&f, lignes); };
    f.fenetrebravo = [&f] { montrerbravo(&f); };
    QObject::connect(f.commandes.at(QStringLiteral("Command8")), &QToolButton::clicked, &f,
                     [&f] { ouvrircalculatrice(&f); });
    f.dechargement = [] { fermercalculatrice(); };
    QObject::connect(f.commandes.at(QStringLiteral("Command7")), &QToolButton::clicked, &f,
                     [&f] { ouvriraide(&f, f.etat.dossierprogramme); });
    QObject::connect(f.BTEXO, &QToolButton::clicked, &f, [&f] { BTEXO_Click(f); });
    f.ouvrirexercice = [&f](const QString& chemin) { return ouvrirexercice(f, chemin); };
    brancherdessins(f);
    brancherseries(f);
}

} // namespace qm
