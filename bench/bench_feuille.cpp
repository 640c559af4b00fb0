#include <benchmark/benchmark.h>

#include <QTemporaryDir>

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
