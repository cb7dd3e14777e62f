#pragma once
// A job store in a temporary folder: both databases made by the program's own
// scripts, a data module installed as DMod and a fresh job object in Tul, all
// put back when it goes. It builds complete working jobs, every field filled,
// and reads tables back as text for whole-table comparisons.
//
//   JobStore s;
//   s.MakeWorkingJob({"North", "PUMPED", 2, "CENTRIF", 12, 5, 3});
//   Tul->SaveState = 0;  JobTrans->StoreWorkingJob();
//   EXPECT_EQ(s.WorkingJobRows(), before);
#include "model/data_module.h"
#include "model/job.h"
#include "support/tempdb.h"

#include <QString>
#include <QStringList>

#include <memory>

namespace testsupport {

struct JobSample {
    QString name;
    QString sysType = QStringLiteral("GRAVITY");
    int sysHas = 0;            // 1 gated end, 2 manifold end, 4 manifold job, 8 gated-pipe tool job
    QString pumpType;          // "CENTRIF" gives suction rows
    int nodes = 0;             // profile rows
    int outlets = 0;           // manifold rows
    int suctionSegments = 0;
    int seed = 1;              // makes the field values of one job differ from another's
};

class JobStore {
public:
    JobStore();
    ~JobStore();
    JobStore(const JobStore&) = delete;
    JobStore& operator=(const JobStore&) = delete;

    TDMod& Dm() { return *dm_; }
    TempDb& Temp() { return *temp_; }

    // Closes the tables, points MERSOL at a new, empty database (the transfer
    // directory stays) and makes a new data module for it.
    void SwitchToEmptyDatabase();

    // Empties `t` and opens it on one new row, not yet posted.
    static void FreshRow(db::Table* t);
    // Writes a distinct value into every field of the current row of `t`.
    static void FillRow(db::Table* t, int seed);
    // Empties the five working tables and fills them with a complete job: every
    // field of the header and of each child row has a value, the gated-pipe row
    // exists when sysHas is 1 or 8. The tables stay open.
    void MakeWorkingJob(const JobSample& sample);
    // Makes the working job and stores it as a new job; returns its number.
    int StoreNewJob(const JobSample& sample);
    // Empties the five working tables.
    void EmptyWorkingTables();

    // Each row of `t` as one line of text, for the fields it shares with
    // `twin` (all when null), JobNumber left out. The table is opened when
    // closed and left as it was.
    static QStringList Rows(db::Table* t, db::Table* twin = nullptr);
    // The stored values of the five working tables.
    QStringList WorkingJobRows();
    // Every row of the five stored job tables, numbers included.
    QStringList StoredRows();
    // Rows of a table carrying the job number.
    static int CountRows(db::Table* t, int jobNumber);
    // The stored header's number of a job name (0 when none).
    int NumberOf(const QString& name);
    // What an import says when the transfer folder in use holds no job.
    static QString NoJobToImport();

private:
    std::unique_ptr<TempDb> temp_;
    std::unique_ptr<TDMod> dm_;
    TDMod* oldDMod_;
    TTul* oldTul_;
    TTul tul_;
    QString extraFolder_;
};

} // namespace testsupport
