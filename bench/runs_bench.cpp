// The runs a user waits for besides the gravity run: a 150-outlet manifold,
// the cost estimate of a computed 100-node line, and the whole round of
// load, compute and store over many stored jobs, to show that the cost of
// one job does not grow with the number of jobs stored.
#include "sample_jobs.h"

#include "engine/cost_estimate.h"
#include "engine/gravity_run.h"
#include "engine/manifold_run.h"
#include "model/job.h"
#include "model/job_transfer.h"
#include "platform/db/db.h"

#include <benchmark/benchmark.h>

#include <stdexcept>
#include <vector>

namespace {

void BM_RunManifold150(benchmark::State& state)
{
    bench::BenchDatabase database;
    bench::MakeManifold(150);
    for (auto _ : state) {
        JManfld run;
        run.RunManifold();
    }
    state.counters["entPsi"] = DMod->WorkPipeTableTriclEntPsi->AsFloat();
    if (database.Messages().count > 0)
        state.SkipWithError(database.Messages().last.toStdString().c_str());
}
BENCHMARK(BM_RunManifold150)->Unit(benchmark::kMillisecond);

void BM_CostEstimate100(benchmark::State& state)
{
    bench::BenchDatabase database;
    bench::MakeGravityLine100();
    Grav->RunGravityProfile();
    TCost cost;
    for (auto _ : state)
        cost.EstimateJobCost();
    DMod->WorkProfTable->First();
    state.counters["costFt"] = DMod->WorkProfTableCostFt->AsFloat();
}
BENCHMARK(BM_CostEstimate100)->Unit(benchmark::kMillisecond);

// `state.range(0)` stored 100-node jobs; each iteration loads every one,
// runs it and stores it back over itself. "per_job" is the time of one.
void BM_StoredJobs(benchmark::State& state)
{
    bench::BenchDatabase database;
    bench::MakeGravityLine100();
    Grav->RunGravityProfile();
    const int count = int(state.range(0));
    std::vector<int> numbers;
    {
        db::Transaction tx(db::kMersolAlias);
        for (int k = 0; k < count; ++k) {
            // Stored jobs of one kind have names of their own.
            DMod->WorkPipeTable->First();
            DMod->WorkPipeTable->Edit();
            DMod->WorkPipeTableJobName->SetAsString(QStringLiteral("Line %1").arg(k + 1));
            DMod->WorkPipeTable->Post();
            Tul->SaveState = 0;
            if (!JobTrans->StoreWorkingJob())
                throw std::runtime_error("not stored");
            numbers.push_back(Tul->JobNumber);
        }
        tx.Commit();
    }
    JobTrans->CloseAllTables();
    for (auto _ : state) {
        for (int number : numbers) {
            Tul->JobNumber = number;
            if (!JobTrans->LoadStoredJob())
                throw std::runtime_error("not loaded");
            Grav->RunGravityProfile();
            Tul->SaveState = 1;
            if (!JobTrans->StoreWorkingJob())
                throw std::runtime_error("not stored back");
        }
    }
    state.counters["per_job"] = benchmark::Counter(double(count), benchmark::Counter::kIsIterationInvariantRate
                                                                       | benchmark::Counter::kInvert);
}
BENCHMARK(BM_StoredJobs)->Arg(10)->Arg(100)->Arg(1000)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
