#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>

#include "app/initialisation.h"
#include "workspace/feuillep.h"

namespace {

// Creating the main window, start-up sequence included, and its first paint.
void creation_feuille(benchmark::State& state)
{
    QTemporaryDir dossier;
    for (auto _ : state) {
        qm::FeuilleP f(dossier.path());
        QImage image = f.grab().toImage();
        benchmark::DoNotOptimize(image);
    }
}
BENCHMARK(creation_feuille)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    qm::preparerapplication(application);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
