#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "files/serie.h"

namespace {

// A full series: ten equations, each with its eleven amounts, as a class keeps them.
qm::serie pleine()
{
    qm::serie s;
    const char* equations[10] = {"CH#4+2O#2=CO#2+2H#2O",  "Fe+S=FeS",
                                 "Cu*2*++2HO*-=Cu(OH)#2", "2H#2O#2=2H#2O+O#2",
                                 "Ag*++Cl*-=AgCl",        "Zn+2H*+=Zn*2*++H#2",
                                 "Cu+2Ag*+=Cu*2*++2Ag",   "C#3H#8+5O#2=3CO#2+4H#2O",
                                 "3Fe+2O#2=Fe#3O#4",      "MnO#4*-+5Fe*2*++8H*+=Mn*2*++5Fe*3*++4H#2O"};
    for (std::size_t k = 0; k < 10; ++k) {
        s.eqtexte[k] = equations[k];
        for (std::size_t j = 1; j <= 11; ++j)
            s.eqquant[k][j] = 0.0125f * static_cast<float>(k + j);
    }
    s.colorsto = 1;
    s.final = 1;
    return s;
}

std::string fichier(const char* nom)
{
    return (std::filesystem::temp_directory_path() / (std::string("quilmaret-bench-") + nom)).string();
}

void ecriture_serie(benchmark::State& state)
{
    const qm::serie s = pleine();
    const std::string chemin = fichier("ecriture.C02");
    for (auto _ : state) {
        if (qm::ecrireserie(chemin, s) != qm::erreurserie::aucune)
            state.SkipWithError("the series could not be written");
    }
    std::filesystem::remove(chemin);
}
BENCHMARK(ecriture_serie)->Unit(benchmark::kMicrosecond);

void lecture_serie(benchmark::State& state)
{
    const std::string chemin = fichier("lecture.C02");
    if (qm::ecrireserie(chemin, pleine()) != qm::erreurserie::aucune)
        state.SkipWithError("the series could not be written");
    for (auto _ : state) {
        auto l = qm::lireserie(chemin);
        if (l.erreur != qm::erreurserie::aucune)
            state.SkipWithError("the series could not be read");
        benchmark::DoNotOptimize(l);
    }
    std::filesystem::remove(chemin);
}
BENCHMARK(lecture_serie)->Unit(benchmark::kMicrosecond);

} // namespace
