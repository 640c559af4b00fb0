#include "app/echelle.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSettings>

#include <vector>

#include "app/choixechelle.h"

namespace qm {

namespace {

QSettings reglages()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("quilmaret"),
                     QStringLiteral("quilmaret"));
}

const QString cle = QStringLiteral("affichage/echelle");

// The primary screen's size as the desktop gives it, from an application that
// ends before the program's own starts. It gets its own copy of the
// arguments: the toolkit takes its options (-platform, -display...) out of them.
double echelleecran(int argc, char** argv)
{
    std::vector<char*> copie(argv, argv + argc);
    copie.push_back(nullptr);
    int n = argc;
    const QGuiApplication sonde(n, copie.data());
    const QScreen* ecran = QGuiApplication::primaryScreen();
    if (!ecran)
        return 1;
    return echelleauto(ecran->geometry().width(), ecran->geometry().height());
}

} // namespace

std::optional<double> echelleretenue()
{
    const QVariant v = reglages().value(cle);
    if (!v.isValid())
        return std::nullopt;
    return lireechelle(v.toString().toStdString());
}

void retenirechelle(double echelle)
{
    QSettings r = reglages();
    r.setValue(cle, QString::fromStdString(texteechelle(echelle)));
    r.sync();
}

double preparerechelle(std::optional<double> demandee, int argc, char** argv)
{
    if (demandee) {
        retenirechelle(*demandee);
        qunsetenv("QT_SCALE_FACTOR");
    } else if (qEnvironmentVariableIsSet("QT_SCALE_FACTOR")) {
        return qEnvironmentVariable("QT_SCALE_FACTOR").toDouble();
    }
    double echelle = demandee ? *demandee : echelleretenue().value_or(echelleautomatique);
    if (echelle == echelleautomatique)
        echelle = echelleecran(argc, argv);
    if (echelle != 1)
        qputenv("QT_SCALE_FACTOR", QByteArray::fromStdString(texteechelle(echelle)));
    return echelle;
}

} // namespace qm
