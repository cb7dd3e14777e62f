// Friction loss by each equation, as a run computes it for every reach, and
// the loading of a 100-node working job into the station records.
#include "engine/hydraulics.h"
#include "model/database_setup.h"
#include "model/data_module.h"
#include "model/station.h"
#include "model/job.h"

#include <QTemporaryDir>

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

// A working job of 100 nodes in a temporary database, with the data module.
struct Job {
    QTemporaryDir dir;
    Job()
    {
        ConfigureDatabase(dir.path() + "/Mersol", dir.path() + "/Transfer");
        DMod = new TDMod;
        db::Table* pipe = DMod->WorkPipeTable;
        pipe->Open();
        pipe->EmptyTable();
        pipe->Append();
        DMod->WorkPipeTableSysType->SetAsString("GRAVITY");
        DMod->WorkPipeTableWaterTemp->SetAsFloat(60);
        DMod->WorkPipeTableNumNodes->SetAsInteger(100);
        pipe->Post();
        db::Table* prof = DMod->WorkProfTable;
        prof->Open();
        prof->EmptyTable();
        for (int i = 0; i < 100; ++i) {
            prof->Append();
            DMod->WorkProfTableStation->SetAsFloat(i * 100.0);
            DMod->WorkProfTableReachType->SetAsString(i == 0 ? "GRAVBEG" : i == 99 ? "GRAVEND" : "GRAVMID");
            DMod->WorkProfTablePipeQ->SetAsFloat(300);
            DMod->WorkProfTableDiaIn->SetAsFloat(6.065);
            DMod->WorkProfTableEfac->SetAsFloat(0.00015);
            DMod->WorkProfTableKLocate1->SetAsString("US");
            prof->Post();
        }
    }
    ~Job()
    {
        delete DMod;
        DMod = nullptr;
        db::Engine::instance().CloseAll();
    }
};

void BM_FrictionLossTables(benchmark::State& state, int compMethod, double e, double C, double n)
{
    Job job;
    DMod->DefSysTable->Open();
    DMod->DefSysTable->Edit();
    DMod->DefSysTableCompMethod->SetAsInteger(compMethod);
    DMod->DefSysTable->Post();
    double Re = 0, f = 0;
    QString regime;
    for (auto _ : state) {
        double loss = Hyd->FrictionLoss(6, 300, 1000, e, C, n, Re, regime, f);
        benchmark::DoNotOptimize(loss);
    }
}

// Through the system defaults and, for Darcy-Weisbach, the Water.db look-up.
BENCHMARK_CAPTURE(BM_FrictionLossTables, DarcyWeisbach, 0, 0.00015, 0.0, 0.0);
BENCHMARK_CAPTURE(BM_FrictionLossTables, HazenWilliams, 4, 0.0, 150.0, 0.0);
BENCHMARK_CAPTURE(BM_FrictionLossTables, Manning, 4, 0.0, 0.0, 0.011);

void BM_LoadJobFromWorkTables(benchmark::State& state)
{
    Job job;
    for (auto _ : state) {
        CreateStationRecords(kMaxStations);
        DMod->WorkPipeTable->First();
        Tul->LoadJobFromWorkTables(psta, kMaxStations);
        benchmark::DoNotOptimize(psta[99]->Station);
        FreeStationRecords();
    }
}
BENCHMARK(BM_LoadJobFromWorkTables)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
