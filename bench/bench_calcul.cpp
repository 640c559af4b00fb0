#include <benchmark/benchmark.h>

#include "calculator/expression.h"

#include <string>

namespace {

void evaluer(benchmark::State& state, const std::string& expression)
{
    for (auto _ : state) {
        std::string t = expression;
        std::int16_t code = 0;
        qm::calculexpression(t, code, 0);
        benchmark::DoNotOptimize(t);
        benchmark::DoNotOptimize(code);
    }
}

// The window's own example: a function, a group, a power.
void BM_exemple(benchmark::State& state)
{
    evaluer(state, "2 * sin 30 + (1 - 4) ^ 2");
}

// 40 tokens: numbers, every operator, functions and nested groups.
void BM_quarantesymboles(benchmark::State& state)
{
    evaluer(state,
            "(1.5 + 2 * 3) ^ 2 / (4 - 1) - sin 30 * (cos 60 + 2.5E-3) + ln (2 + 3) * log 100 - SQR 16 / 2");
}

BENCHMARK(BM_exemple);
BENCHMARK(BM_quarantesymboles);

} // namespace
