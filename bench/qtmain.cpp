// The main of the benchmarks that build windows: the application prepared as
// the program prepares it, offscreen, with every message box answered OK.
#include <benchmark/benchmark.h>

#include <QApplication>

#include "app/boite.h"
#include "app/initialisation.h"

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    qm::preparerapplication(application);
    qm::installerrepondeur([](const qm::questionboite&) { return qm::reponse::ok; });
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
