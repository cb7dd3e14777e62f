// The known-flow gravity run on a 100-node job: loading it from the working
// tables, computing it with its trace file and writing every result back.
#include "engine/gravity_run.h"
#include "model/database_setup.h"
#include "model/data_module.h"
#include "model/job.h"
#include "platform/db/db.h"
#include "platform/ui/seam/msg.h"

#include <QDir>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

// Answers every message without showing it.
struct QuietSink : ui::MessageSink {
    int show(const ui::Message&) override { return ui::mrOk; }
};

struct BenchJob {
    QTemporaryDir dir;
    QuietSink sink;
    std::unique_ptr<TDMod> dm;

    BenchJob()
    {
        ui::SetMessageSink(&sink);
        ConfigureDatabase(dir.filePath("Mersol"), dir.filePath("Mersol Transfer"));
        QDir::setCurrent(dir.path());
        dm = std::make_unique<TDMod>();
        DMod = dm.get();

        // A 100-node line falling 0.5 ft per 100 ft station, Hazen-Williams
        // pipe, elbows and surge data on every node, losses at every fifth.
        TDMod& d = *DMod;
        d.WorkPipeTable->Open();
        d.WorkPipeTable->EmptyTable();
        d.WorkPipeTable->Append();
        d.WorkPipeTableJobName->SetAsString("Bench");
        d.WorkPipeTableSysType->SetAsString("GRAVITY");
        d.WorkPipeTableWSElev->SetAsFloat(1010);
        d.WorkPipeTableOutletElev->SetAsFloat(900);
        d.WorkPipeTableOutletPsi->SetAsFloat(5);
        d.WorkPipeTableWaterTemp->SetAsFloat(60);
        d.WorkPipeTable->Post();

        d.WorkProfTable->Open();
        d.WorkProfTable->EmptyTable();
        db::Transaction tx(db::kMersolAlias);
        for (int i = 0; i < 100; ++i) {
            d.WorkProfTable->Append();
            d.WorkProfTableStation->SetAsFloat(100.0 * i);
            d.WorkProfTableInvertElev->SetAsFloat(1000 - 0.5 * i);
            d.WorkProfTablePipeQ->SetAsFloat(400);
            d.WorkProfTableDiaIn->SetAsFloat(i < 50 ? 8 : 6);
            d.WorkProfTableCfac->SetAsFloat(150);
            d.WorkProfTablePressurRating->SetAsFloat(160);
            d.WorkProfTableModulus->SetAsFloat(400000);
            d.WorkProfTableWallThick->SetAsFloat(0.3);
            d.WorkProfTableFitting->SetAsString("45 deg Elbow");
            d.WorkProfTableThBlkSoil->SetAsFloat(2000);
            d.WorkProfTableReachType->SetAsString(i == 0 ? "GRAVBEG" : i == 99 ? "GRAVEND" : "GRAVMID");
            d.WorkProfTableNodeType->SetAsInteger(i == 0 ? 0 : i == 99 ? 4 : 1);
            d.WorkProfTableK1->SetAsFloat(i % 5 == 0 ? 0.3 : 0);
            d.WorkProfTableKLocate1->SetAsString("DS");
            d.WorkProfTable->Post();
        }
        tx.Commit();
    }
};

void BM_RunGravityProfile100(benchmark::State& state)
{
    static BenchJob job;
    for (auto _ : state) {
        // As the output page does: the tables as the run finds them.
        DMod->WorkPipeTable->First();
        Grav->RunGravityProfile();
        benchmark::DoNotOptimize(Tul->EndPsi);
    }
}
BENCHMARK(BM_RunGravityProfile100)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
