// Saving a 100-node job with a 150-outlet manifold end and loading it back,
// as Save Job and Review or Edit Job do.
#include "model/job_transfer.h"
#include "model/database_setup.h"
#include "model/data_module.h"
#include "model/job.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

// A value in every field, as a job worked through its dialogs has.
void Fill(db::Table* t, int seed)
{
    for (int i = 0; i < t->FieldCount(); ++i) {
        db::Field* f = t->Fields(i);
        if (f->Calculated())
            continue;
        switch (f->DataType()) {
        case db::FieldType::Short: f->SetAsInteger((seed + i) % 50); break;
        case db::FieldType::Long: f->SetAsInteger(seed + i); break;
        case db::FieldType::Number: f->SetAsFloat(seed * 1.5 + i); break;
        case db::FieldType::Alpha: f->SetAsString(QStringLiteral("Text %1").arg(seed + i).left(f->Size())); break;
        case db::FieldType::Memo: f->SetAsString(QStringLiteral("Notes of the job")); break;
        case db::FieldType::Logical: f->SetAsBoolean(i % 2 == 0); break;
        case db::FieldType::AutoInc: break;
        }
    }
}

class Job {
public:
    Job()
    {
        ConfigureDatabase(dir_.path() + "/Mersol", dir_.path() + "/Transfer");
        DMod = new TDMod;
        TDMod& d = *DMod;
        // One commit for the whole set-up, so that profiles show the timed work.
        db::Transaction tx(db::kMersolAlias);
        d.WorkPipeTable->Open();
        d.WorkPipeTable->Append();
        Fill(d.WorkPipeTable, 1);
        d.WorkPipeTableJobName->SetAsString("Benchmark");
        d.WorkPipeTableSysType->SetAsString("PUMPED");
        d.WorkPipeTablePumpType->SetAsString("CENTRIF");
        d.WorkPipeTableSysHas->SetAsInteger(2);
        d.WorkPipeTableNumNodes->SetAsInteger(100);
        d.WorkPipeTable->Post();
        d.WorkProfTable->Open();
        for (int i = 0; i < 100; ++i) {
            d.WorkProfTable->Append();
            Fill(d.WorkProfTable, i);
            d.WorkProfTableStation->SetAsFloat(i * 100.0);
            d.WorkProfTableNodeType->SetAsInteger(i == 0 ? 0 : i == 99 ? 6 : 1);
            d.WorkProfTableInvElMethod->SetAsInteger(i % 3);
            d.WorkProfTable->Post();
        }
        d.WorkTrickleTable->Open();
        for (int i = 0; i < 150; ++i) {
            d.WorkTrickleTable->Append();
            Fill(d.WorkTrickleTable, i);
            d.WorkTrickleTableStation->SetAsFloat(i * 20.0);
            d.WorkTrickleTableRecNo->SetAsInteger(i + 1);
            d.WorkTrickleTableNodeType->SetAsInteger(i == 0 ? 0 : 1);
            d.WorkTrickleTable->Post();
        }
        d.WorkSuctionTable->Open();
        for (int i = 0; i < 3; ++i) {
            d.WorkSuctionTable->Append();
            Fill(d.WorkSuctionTable, i);
            d.WorkSuctionTableSegmentNo->SetAsInteger(i + 1);
            d.WorkSuctionTableNodeType->SetAsInteger(i == 0 ? 0 : 1);
            d.WorkSuctionTable->Post();
        }
        tx.Commit();
    }
    ~Job()
    {
        delete DMod;
        DMod = nullptr;
        db::Engine::instance().CloseAll();
    }

    void SaveAndReload(int saveState)
    {
        Tul->SaveState = saveState;
        if (!JobTrans->StoreWorkingJob())
            throw std::runtime_error("not stored");
        JobTrans->CloseAllTables();
        if (!JobTrans->LoadStoredJob())
            throw std::runtime_error("not loaded");
    }

private:
    QTemporaryDir dir_;
};

// A new job each time; the stored copy is removed again outside the timing.
void BM_SaveNewAndReload(benchmark::State& state)
{
    Job job;
    for (auto _ : state) {
        job.SaveAndReload(0);
        state.PauseTiming();
        JobTrans->RemoveStoredJob(Tul->JobNumber);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_SaveNewAndReload)->Unit(benchmark::kMillisecond);

// The changed job written over its stored copy.
void BM_OverwriteAndReload(benchmark::State& state)
{
    Job job;
    job.SaveAndReload(0);
    for (auto _ : state)
        job.SaveAndReload(1);
}
BENCHMARK(BM_OverwriteAndReload)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
