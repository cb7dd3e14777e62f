// The known-flow gravity run on a 100-node job: loading it from the working
// tables, computing it with its trace file and writing every result back.
#include "sample_jobs.h"

#include "engine/gravity_run.h"
#include "model/data_module.h"
#include "model/job.h"

#include <benchmark/benchmark.h>

namespace {

void BM_RunGravityProfile100(benchmark::State& state)
{
    bench::BenchDatabase database;
    bench::MakeGravityLine100();
    for (auto _ : state) {
        // As the output page does: the tables as the run finds them.
        DMod->WorkPipeTable->First();
        Grav->RunGravityProfile();
        benchmark::DoNotOptimize(Tul->EndPsi);
    }
    state.counters["endPsi"] = Tul->EndPsi;
}
BENCHMARK(BM_RunGravityProfile100)->Unit(benchmark::kMillisecond);

// The same, with the water surface moved by a foot between runs, so that
// every result row changes and is written, as after the user edits the job.
void BM_RunGravityProfile100_Changed(benchmark::State& state)
{
    bench::BenchDatabase database;
    bench::MakeGravityLine100();
    double ws = 1010;
    for (auto _ : state) {
        state.PauseTiming();
        ws = ws == 1010 ? 1011 : 1010;
        DMod->WorkPipeTable->First();
        DMod->WorkPipeTable->Edit();
        DMod->WorkPipeTableWSElev->SetAsFloat(ws);
        DMod->WorkPipeTable->Post();
        state.ResumeTiming();
        Grav->RunGravityProfile();
        benchmark::DoNotOptimize(Tul->EndPsi);
    }
    state.counters["endPsi"] = Tul->EndPsi;
}
BENCHMARK(BM_RunGravityProfile100_Changed)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
