// Opening a 1000-row table, walking it, and finding rows in it.
#include "platform/db/db.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

struct BenchDb {
    QTemporaryDir dir;
    BenchDb()
    {
        QString sql = QStringLiteral(
            "CREATE TABLE \"WorkProf.DB\"(\"Station\" NUMBER, \"GroundElev\" NUMBER, \"PipeType\" ALPHA(30), "
            "\"RecordNo\" SHORT, \"Marked\" LOGICAL, PRIMARY KEY(\"Station\"));\n"
            "CREATE INDEX \"WorkProf.DB|TypeIndex\" ON \"WorkProf.DB\"(\"PipeType\" COLLATE NOCASE);\n"
            "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 1000) "
            "INSERT INTO \"WorkProf.DB\" SELECT i * 100.0, 1000 - i * 0.5, 'PVC 1120 SDR ' || (i % 37), i, i % 2 FROM n;\n");
        auto& e = db::Engine::instance();
        e.SetAliasPath(db::kMersolAlias, dir.path());
        e.SetCreateScript(db::kMersolAlias, sql);
        e.Connection(db::kMersolAlias);
    }
};

BenchDb& benchDb()
{
    static BenchDb b;
    return b;
}

void BM_Open1000(benchmark::State& state)
{
    benchDb();
    db::Table t(db::kMersolAlias, "WorkProf.DB");
    for (auto _ : state) {
        t.Open();
        benchmark::DoNotOptimize(t.RecordCount());
        t.Close();
    }
}
BENCHMARK(BM_Open1000);

void BM_Walk1000(benchmark::State& state)
{
    benchDb();
    db::Table t(db::kMersolAlias, "WorkProf.DB");
    t.Open();
    db::Field* st = t.FieldByName("Station");
    for (auto _ : state) {
        double sum = 0;
        for (t.First(); !t.Eof(); t.Next())
            sum += st->AsFloat();
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_Walk1000);

void BM_LocateStationText(benchmark::State& state)
{
    benchDb();
    db::Table t(db::kMersolAlias, "WorkProf.DB");
    t.Open();
    for (auto _ : state)
        benchmark::DoNotOptimize(t.Locate("Station", QStringLiteral("99000")));
}
BENCHMARK(BM_LocateStationText);

void BM_FindNearest(benchmark::State& state)
{
    benchDb();
    db::Table t(db::kMersolAlias, "WorkProf.DB");
    t.SetIndexName("TypeIndex");
    t.Open();
    for (auto _ : state)
        t.FindNearest({QStringLiteral("pvc 1120 sdr 30")});
}
BENCHMARK(BM_FindNearest);

void BM_EditAndPost(benchmark::State& state)
{
    benchDb();
    db::Table t(db::kMersolAlias, "WorkProf.DB");
    t.Open();
    t.Locate("Station", 50000.0);
    db::Field* elev = t.FieldByName("GroundElev");
    double v = 0;
    for (auto _ : state) {
        elev->SetAsFloat(v += 1);
        t.Post();
    }
}
BENCHMARK(BM_EditAndPost);

} // namespace

BENCHMARK_MAIN();
