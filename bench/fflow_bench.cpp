// The maximum-flow search on a 100-node gravity line: one line whose outlet
// pressure limits the flow, one where a pipe crown on a hump does, each with
// Hazen-Williams and with Darcy-Weisbach pipes. Each iteration is a whole
// SolveFullFlow; the "passes" counter is the number of forward passes the
// search made, "gpm" the flow found.
#include "engine/maximum_flow_run.h"
#include "model/database_setup.h"
#include "model/data_module.h"
#include "model/station.h"
#include "model/job.h"
#include "platform/db/db.h"

#include <QDir>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cmath>

namespace {

struct Database {
    QTemporaryDir dir;
    Database(int compMethod)
    {
        const QString mersol = dir.filePath(QStringLiteral("Mersol"));
        const QString transfer = dir.filePath(QStringLiteral("Mersol Transfer"));
        QDir().mkpath(mersol);
        QDir().mkpath(transfer);
        db::Engine::instance().CloseAll();
        ConfigureDatabase(mersol, transfer);
        DMod = new TDMod;
        db::Table* sys = DMod->DefSysTable;
        if (!sys->Active())
            sys->Open();
        sys->First();
        sys->Edit();
        DMod->DefSysTableCompMethod->SetAsInteger(compMethod);
        sys->Post();
        // Darcy-Weisbach reads the water temperature of the job's header.
        db::Table* pipe = DMod->WorkPipeTable;
        if (!pipe->Active())
            pipe->Open();
        pipe->First();
        pipe->Edit();
        DMod->WorkPipeTableWaterTemp->SetAsFloat(60);
        pipe->Post();
    }
    ~Database()
    {
        delete DMod;
        DMod = nullptr;
        db::Engine::instance().CloseAll();
    }
};

// 100 nodes 100 ft apart on ground falling about 0.95 ft per station with a
// ripple; `hump` ft of extra ground over stations 40 to 45; 12 in pipe under
// 36 in of cover.
void BuildLine(double hump, bool darcy)
{
    CreateStationRecords(kMaxStations);
    for (int i = 0; i < kMaxStations; ++i) {
        TSta& s = *psta[i];
        const double bump = (i >= 40 && i <= 45) ? hump * std::sin(M_PI * (i - 40) / 5.0) : 0.0;
        s.Station = 100.0 * i;
        s.GroundElev = 195 - 0.95 * i + bump + 1.5 * std::sin(i * 0.7);
        s.PipeDepth = 36;
        s.WallThick = 0.5;
        s.DiaIn = 12;
        s.Cfac = darcy ? 0 : 150;
        s.Efac = darcy ? 0.000005 : 0;
        s.InvElMethod = i == 0 ? 1 : 0;
        s.InvertElev = i == 0 ? 190 : 0;
    }
    Tul->WSElev = 200;
    Tul->OutletElev = psta[kMaxStations - 1]->GroundElev;
    Tul->OutletPsi = 20;
    Tul->PumpTypeCode = 0;
}

void Search(benchmark::State& state, double hump, bool darcy)
{
    Database database(darcy ? 0 : 2);
    int passes = 0;
    for (auto _ : state) {
        state.PauseTiming();
        BuildLine(hump, darcy);
        state.ResumeTiming();
        bool found = FFlow->SolveFullFlow(psta, kMaxStations, &passes);
        benchmark::DoNotOptimize(found);
    }
    state.counters["passes"] = passes;
    state.counters["gpm"] = psta[0]->PipeQ;
    FreeStationRecords();
}

void BM_FullFlowSearch_OutletLimited(benchmark::State& state) { Search(state, 0, false); }
void BM_FullFlowSearch_CrownLimited(benchmark::State& state) { Search(state, 40, false); }
void BM_FullFlowSearch_OutletLimited_Darcy(benchmark::State& state) { Search(state, 0, true); }
void BM_FullFlowSearch_CrownLimited_Darcy(benchmark::State& state) { Search(state, 40, true); }

} // namespace

BENCHMARK(BM_FullFlowSearch_OutletLimited)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FullFlowSearch_CrownLimited)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FullFlowSearch_OutletLimited_Darcy)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FullFlowSearch_CrownLimited_Darcy)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
