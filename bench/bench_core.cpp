#include <benchmark/benchmark.h>

#include "core/avancement.h"
#include "core/verification.h"

namespace {

// Ten species with charges, subscripts and a group: the longest equation a pupil can check.
constexpr const char* ionique =
    "2MnO#4*-+5H#2C#2O#4+6H#3O*+=2Mn*2*++10CO#2+14H#2O+Fe#2(SO#4)#3+Ca*2*++2Cl*-+NaCl";

void verification_ionique(benchmark::State& state)
{
    const qm::tabcoef coef{};
    const auto& elements = qm::elementsstandard();
    const auto essai = qm::verifequation(ionique, coef, elements);
    if (essai.resultat == qm::verdict::rejetee || essai.nbespeces != 10)
        state.SkipWithError("the equation must be read to its end");
    for (auto _ : state) {
        auto r = qm::verifequation(ionique, coef, elements);
        benchmark::DoNotOptimize(r);
    }
}
BENCHMARK(verification_ionique);

void tableau_dix_colonnes(benchmark::State& state)
{
    qm::parametrestableau e;
    e.nbcolonnes = 10;
    e.premierproduit = 6;
    for (std::size_t i = 1; i <= 10; ++i)
        e.coef[i] = static_cast<std::int16_t>(i);
    e.p = 3700;
    e.final = true;
    e.conso = true;
    e.largeurcolonne = 69;
    // Roughly the 12-point table font: a width per character.
    e.mesure = [](std::string_view t) { return static_cast<int>(t.size()) * 9; };
    for (auto _ : state) {
        qm::tabquant q{0, 1.5f, 0.25f, 12345.f, 0.00003f, 2.f};
        auto t = qm::calcultableau(e, q);
        benchmark::DoNotOptimize(t);
    }
}
BENCHMARK(tableau_dix_colonnes);

} // namespace
