// Friction loss by each equation, as a run computes it for every reach.
#include "engine/hydcalc1.h"

#include <benchmark/benchmark.h>

namespace {

void BM_FrictionLoss(benchmark::State& state, int compMethod, double e, double C, double n)
{
    JHyd h;
    double Re = 0, f = 0;
    QString regime;
    int method = 0;
    double Q = 300;
    for (auto _ : state) {
        double loss = h.FrictionLossBy(compMethod, 3.746e-05, 6, Q, 1000, e, C, n, Re, regime, f, method);
        benchmark::DoNotOptimize(loss);
        Q = Q < 600 ? Q + 1 : 300; // a new Reynolds number each time
    }
}

BENCHMARK_CAPTURE(BM_FrictionLoss, DarcyWeisbach, 0, 0.00015, 0.0, 0.0);
BENCHMARK_CAPTURE(BM_FrictionLoss, HazenWilliams, 4, 0.0, 150.0, 0.0);
BENCHMARK_CAPTURE(BM_FrictionLoss, Manning, 4, 0.0, 0.0, 0.011);

} // namespace

BENCHMARK_MAIN();
