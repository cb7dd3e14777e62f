// Jobs between the working tables, the stored job tables and the transfer
// directory: complete round trips, overwrites by number, removal, export and
// import, and failures part way that must leave every table as it was.
#include "model/job_transfer.h"

#include "support/dialogdriver.h"
#include "support/jobstore.h"
#include "support/qt_app.h"

#include <QDir>

#include <gtest/gtest.h>

using testsupport::JobSample;
using testsupport::JobStore;

namespace {

class TransTest : public ::testing::Test {
protected:
    void SetUp() override { testsupport::QtApp(); }

    TDMod& d() { return store.Dm(); }

    // Stores the working job as a new job; returns its number.
    int StoreNew()
    {
        Tul->SaveState = 0;
        EXPECT_TRUE(JobTrans->StoreWorkingJob());
        EXPECT_EQ(Tul->SaveState, 2);
        return Tul->JobNumber;
    }

    // Loads a stored job as the job list leaves it picked, after the working
    // tables held something else.
    bool Load(int number, const QString& name)
    {
        JobTrans->CloseAllTables();
        JobTrans->ResetJobRecord();
        Tul->JobNumber = number;
        Tul->JobName = name;
        return JobTrans->LoadStoredJob();
    }

    // The next post on `t` after `okPosts` good ones fails, as a full disk would.
    static void FailAfterPosts(db::Table* t, int okPosts)
    {
        t->AfterPost = [n = 0, okPosts](db::Table&) mutable {
            if (++n > okPosts)
                throw db::DbError(QStringLiteral("Disk full"));
        };
    }

    // Renames a stored job in place, as a store from before names were kept
    // unique may hold two jobs of one name.
    void renameStored(int number, const QString& name)
    {
        db::Table* jobs = d().JobPipeTable;
        if (!jobs->Active()) jobs->Open();
        ASSERT_TRUE(jobs->Locate("JobNumber", number));
        jobs->Edit();
        d().JobPipeTableJobName->SetAsString(name);
        jobs->Post();
        jobs->Close();
    }

    DialogDriver driver;
    JobStore store;
};

const JobSample kGravityGated{"Gravity gated", "GRAVITY", 1, "", 8, 0, 0, 1};
const JobSample kFullFlow{"Full flow", "FULLFLOW", 0, "", 5, 0, 0, 2};
const JobSample kPumped{"Pumped to manifold", "PUMPED", 2, "CENTRIF", 6, 4, 3, 3};
const JobSample kPressure{"Pressure main", "PRESSURE", 0, "TURBINE", 4, 0, 0, 4};
const JobSample kManifoldJob{"Manifold designer", "MANIFOLD", 4, "", 0, 7, 0, 5};
const JobSample kGatedToolJob{"Gated tool", "GATED", 8, "", 0, 0, 0, 6};

} // namespace

TEST_F(TransTest, EveryKindOfJobComesBackFieldForField)
{
    struct Stored {
        JobSample sample;
        int number;
        QStringList rows;
    };
    std::vector<Stored> jobs;
    for (const JobSample& sample : {kGravityGated, kFullFlow, kPumped, kPressure, kManifoldJob, kGatedToolJob}) {
        store.MakeWorkingJob(sample);
        const QStringList rows = store.WorkingJobRows();
        const int number = StoreNew();
        EXPECT_EQ(Tul->JobName, sample.name);
        EXPECT_EQ(JobStore::CountRows(d().JobProfTable, number), sample.nodes) << sample.name.toStdString();
        EXPECT_EQ(JobStore::CountRows(d().JobTrickleTable, number), sample.outlets) << sample.name.toStdString();
        EXPECT_EQ(JobStore::CountRows(d().JobSuctionTable, number), sample.suctionSegments) << sample.name.toStdString();
        EXPECT_EQ(JobStore::CountRows(d().JobGatedTable, number), sample.sysHas == 1 || sample.sysHas == 8 ? 1 : 0);
        jobs.push_back({sample, number, rows});
    }
    // Every job reloads exactly, whichever was loaded last.
    for (const Stored& j : jobs) {
        store.EmptyWorkingTables();
        ASSERT_TRUE(Load(j.number, j.sample.name)) << j.sample.name.toStdString();
        EXPECT_EQ(store.WorkingJobRows(), j.rows) << j.sample.name.toStdString();
        EXPECT_EQ(Tul->JobNumber, j.number);
        EXPECT_EQ(Tul->JobName, j.sample.name);
        EXPECT_EQ(Tul->SysHas, j.sample.sysHas);
        EXPECT_DOUBLE_EQ(Tul->DesignFlowCfs, d().WorkPipeTableDesignFlow->AsFloat() / 448.8);
        EXPECT_EQ(d().WorkPipeTableJobNumber->AsInteger(), j.number);
    }
    EXPECT_TRUE(driver.Messages().empty());
}

TEST_F(TransTest, LoadedProfileIsNumberedAndDescribed)
{
    store.MakeWorkingJob(kPumped);
    d().WorkProfTable->Last();
    d().WorkProfTableInvElMethod->SetAsInteger(2);
    d().WorkProfTableThBlkSoil->SetAsFloat(1500.4);
    d().WorkProfTable->Post();
    const int number = StoreNew();
    ASSERT_TRUE(Load(number, kPumped.name));

    db::Table* p = d().WorkProfTable;
    ASSERT_EQ(p->RecordCount(), 6);
    p->First();
    EXPECT_EQ(d().WorkProfTableRecordNo->AsInteger(), 1);
    EXPECT_EQ(d().WorkProfTableNodeTypeDesc->AsString(), "Pipe entrance (any type)");
    EXPECT_EQ(d().WorkProfTableInvElMethDesc->AsString(), "Give depth to top of pipe (pipe cover)");
    p->Next();
    EXPECT_EQ(d().WorkProfTableNodeTypeDesc->AsString(), "In line (normal)");
    EXPECT_EQ(d().WorkProfTableInvElMethDesc->AsString(), "Enter invert elevation directly");
    p->Last();
    EXPECT_EQ(d().WorkProfTableRecordNo->AsInteger(), 6);
    EXPECT_EQ(d().WorkProfTableNodeTypeDesc->AsString(), "End of line (normal)");
    EXPECT_EQ(d().WorkProfTableInvElMethDesc->AsString(), "Set invert at ground level");
    EXPECT_EQ(d().WorkProfTableThBlkSoil->AsFloat(), 1500.0);
    EXPECT_EQ(d().WorkProfTableJobNumber->AsInteger(), number);

    // A stored value that must be rounded on its way in makes the load go
    // row by row: numbered, described and rounded alike.
    {
        db::Query q(db::kMersolAlias);
        q.SetSQL(QStringLiteral("Update \"JobProf.DB\" Set ThBlkSoil=:V Where JobNumber=:N"));
        q.SetParam("V", 1500.6);
        q.SetParam("N", number);
        q.ExecSQL();
    }
    ASSERT_TRUE(Load(number, kPumped.name));
    ASSERT_EQ(p->RecordCount(), 6);
    p->First();
    EXPECT_EQ(d().WorkProfTableRecordNo->AsInteger(), 1);
    EXPECT_EQ(d().WorkProfTableNodeTypeDesc->AsString(), "Pipe entrance (any type)");
    p->Last();
    EXPECT_EQ(d().WorkProfTableRecordNo->AsInteger(), 6);
    EXPECT_EQ(d().WorkProfTableInvElMethDesc->AsString(), "Set invert at ground level");
    EXPECT_EQ(d().WorkProfTableThBlkSoil->AsFloat(), 1501.0);
}

// A new job takes a number past every job table's: rows of no job (another
// tool's copy of job 70000's profile under 70001, a gated row under 70002)
// are neither taken as the new job's nor in its way, and stay as they are.
TEST_F(TransTest, JobNumbersBeyondSixteenBitsAndPastRowsOfNoJobReachTheChildRows)
{
    db::Query q(db::kMersolAlias);
    q.SetSQL(R"(INSERT INTO "JobPipe.DB"("JobNumber", "JobName", "SysType") VALUES(70000, 'Old', 'GRAVITY'))");
    q.ExecSQL();
    q.SetSQL(R"(INSERT INTO "JobProf.DB"("JobNumber", "Station") VALUES(70000, 0), (70000, 100), (70001, 0), (70001, 100))");
    q.ExecSQL();
    q.SetSQL(R"(INSERT INTO "JobGated.DB"("JobNumber", "StartSta") VALUES(70002, 0), ('70x', 5))");
    q.ExecSQL();
    const QStringList before = store.StoredRows();
    store.MakeWorkingJob(kPumped);
    const QStringList rows = store.WorkingJobRows();
    const int number = StoreNew();
    EXPECT_EQ(number, 70003);
    EXPECT_EQ(JobStore::CountRows(d().JobProfTable, 70003), kPumped.nodes);
    EXPECT_EQ(JobStore::CountRows(d().JobSuctionTable, 70003), kPumped.suctionSegments);
    EXPECT_EQ(JobStore::CountRows(d().JobProfTable, 70001), 2);
    const QStringList now = store.StoredRows();
    for (const QString& row : before)
        EXPECT_TRUE(now.contains(row)) << row.toStdString();
    store.EmptyWorkingTables();
    ASSERT_TRUE(Load(70003, kPumped.name));
    EXPECT_EQ(store.WorkingJobRows(), rows);
}

TEST_F(TransTest, ChangedJobOverwritesItsOwnRowsAndLeavesNoneBehind)
{
    store.MakeWorkingJob(kFullFlow);
    const int other = StoreNew();
    const QStringList otherRows = store.WorkingJobRows();

    store.MakeWorkingJob(kGravityGated);
    const int number = StoreNew();
    ASSERT_TRUE(Load(number, kGravityGated.name));

    // The job no longer ends in gated pipe and loses two nodes.
    d().WorkPipeTable->Edit();
    d().WorkPipeTableSysHas->SetAsInteger(0);
    d().WorkPipeTableDesigner->SetAsString("Someone else");
    d().WorkPipeTable->Post();
    d().WorkProfTable->Last();
    d().WorkProfTable->Delete();
    d().WorkProfTable->Last();
    d().WorkProfTable->Delete();
    d().WorkGatedTable->EmptyTable();
    const QStringList changed = store.WorkingJobRows();
    Tul->SaveState = 1;
    ASSERT_TRUE(JobTrans->StoreWorkingJob());

    EXPECT_EQ(Tul->JobNumber, number);
    EXPECT_EQ(JobStore::CountRows(d().JobPipeTable, number), 1);
    EXPECT_EQ(JobStore::CountRows(d().JobProfTable, number), kGravityGated.nodes - 2);
    EXPECT_EQ(JobStore::CountRows(d().JobGatedTable, number), 0);
    store.EmptyWorkingTables();
    ASSERT_TRUE(Load(number, kGravityGated.name));
    EXPECT_EQ(store.WorkingJobRows(), changed);
    store.EmptyWorkingTables();
    ASSERT_TRUE(Load(other, kFullFlow.name));
    EXPECT_EQ(store.WorkingJobRows(), otherRows);
}

// A job saved over its stored copy after its system type changed (a pumped
// job imported into the gravity designer becomes a gravity job) replaces
// the stored job only after a Yes; a job of the same type, or over a stored
// job that never had a type, is stored without a question.
TEST_F(TransTest, OverwriteOfAJobOfAnotherSystemTypeAsksFirst)
{
    store.MakeWorkingJob(kPressure);
    const int number = StoreNew();
    auto setType = [this, number](db::Table* t, db::Field* f, const QString& type) {
        if (!t->Active()) t->Open();
        if (t == d().JobPipeTable) ASSERT_TRUE(t->Locate("JobNumber", number));
        t->Edit();
        f->SetAsString(type);
        t->Post();
    };

    ASSERT_TRUE(Load(number, kPressure.name));
    Tul->SaveState = 1;
    ASSERT_TRUE(JobTrans->StoreWorkingJob());
    EXPECT_TRUE(driver.MessageTexts().isEmpty());

    setType(d().WorkPipeTable, d().WorkPipeTableSysType, "GRAVITY");
    const QStringList stored = store.StoredRows();
    Tul->SaveState = 1;
    driver.Answer(ui::mrNo);
    EXPECT_FALSE(JobTrans->StoreWorkingJob());
    EXPECT_EQ(driver.MessageTexts(), QStringList{"The stored job Pressure main is a PRESSURE job; this one is a "
                                                 "GRAVITY job.  Do you want to replace the stored job with it?"});
    EXPECT_EQ(driver.Messages().front().buttons, ui::mbYesNo);
    EXPECT_EQ(store.StoredRows(), stored);
    EXPECT_EQ(Tul->SaveState, 1);

    driver.ClearLog();
    driver.Answer(ui::mrYes);
    ASSERT_TRUE(JobTrans->StoreWorkingJob());
    EXPECT_EQ(driver.MessageTexts().size(), 1);
    EXPECT_EQ(store.NumberOf(kPressure.name), number);
    d().JobPipeTable->Open();
    ASSERT_TRUE(d().JobPipeTable->Locate("JobNumber", number));
    EXPECT_EQ(d().JobPipeTableSysType->AsString(), "GRAVITY");

    setType(d().JobPipeTable, d().JobPipeTableSysType, "");
    d().JobPipeTable->Close();
    driver.ClearLog();
    Tul->SaveState = 1;
    ASSERT_TRUE(JobTrans->StoreWorkingJob());
    EXPECT_TRUE(driver.MessageTexts().isEmpty());
}

TEST_F(TransTest, RenamedJobIsStoredAsASecondJob)
{
    store.MakeWorkingJob(kPressure);
    const int number = StoreNew();
    const QStringList original = store.StoredRows();

    d().WorkPipeTable->Edit();
    d().WorkPipeTableJobName->SetAsString("Pressure main 2");
    d().WorkPipeTable->Post();
    Tul->SaveState = 1;
    ASSERT_TRUE(JobTrans->StoreWorkingJob());

    EXPECT_NE(Tul->JobNumber, number);
    EXPECT_EQ(Tul->JobName, "Pressure main 2");
    EXPECT_EQ(store.NumberOf("Pressure main"), number);
    QStringList now = store.StoredRows();
    for (const QString& row : original)
        EXPECT_TRUE(now.contains(row)) << row.toStdString();
    EXPECT_EQ(now.size(), 2 * original.size());
}

TEST_F(TransTest, TwoJobsOfOneNameEachLoadAndSaveTheirOwnRows)
{
    // A store from before names were kept unique: b is renamed in place.
    JobSample first = kFullFlow, second = kPressure;
    first.name = "Same";
    store.MakeWorkingJob(first);
    const int a = StoreNew();
    const QStringList rowsA = store.WorkingJobRows();
    store.MakeWorkingJob(second);
    const int b = StoreNew();
    renameStored(b, "Same");
    d().WorkPipeTable->Edit();
    d().WorkPipeTableJobName->SetAsString("Same");
    d().WorkPipeTable->Post();
    const QStringList rowsB = store.WorkingJobRows();

    store.EmptyWorkingTables();
    ASSERT_TRUE(Load(b, "Same"));
    EXPECT_EQ(store.WorkingJobRows(), rowsB);

    d().WorkPipeTable->Edit();
    d().WorkPipeTableLocation->SetAsString("Changed");
    d().WorkPipeTable->Post();
    Tul->SaveState = 1;
    ASSERT_TRUE(JobTrans->StoreWorkingJob());
    EXPECT_EQ(Tul->JobNumber, b);

    store.EmptyWorkingTables();
    ASSERT_TRUE(Load(a, "Same"));
    EXPECT_EQ(store.WorkingJobRows(), rowsA);
    store.EmptyWorkingTables();
    ASSERT_TRUE(Load(b, "Same"));
    EXPECT_EQ(d().WorkPipeTableLocation->AsString(), "Changed");
}

TEST_F(TransTest, JobWhoseStoredCopyIsGoneIsStoredAsNewAndTouchesNoNamesake)
{
    store.MakeWorkingJob(kFullFlow);
    const int other = StoreNew();
    store.MakeWorkingJob(kPressure);
    const int number = StoreNew();
    JobTrans->RemoveStoredJob(number);
    renameStored(other, kPressure.name);   // the namesake
    const QStringList before = store.StoredRows();

    // Edited after its stored copy was removed: its name is the namesake's
    // now, which is refused and changes nothing.
    Tul->SaveState = 1;
    EXPECT_FALSE(JobTrans->StoreWorkingJob());
    EXPECT_EQ(driver.MessageTexts(),
              QStringList{"The job Pressure main already exists.  Please enter another Job Name."});
    EXPECT_EQ(store.StoredRows(), before);
    EXPECT_EQ(Tul->SaveState, 1);

    d().WorkPipeTable->Edit();
    d().WorkPipeTableJobName->SetAsString("Pressure main 2");
    d().WorkPipeTable->Post();
    ASSERT_TRUE(JobTrans->StoreWorkingJob());
    EXPECT_NE(Tul->JobNumber, number);
    QStringList now = store.StoredRows();
    for (const QString& row : before)
        EXPECT_TRUE(now.contains(row)) << row.toStdString();
    EXPECT_EQ(JobStore::CountRows(d().JobProfTable, Tul->JobNumber), kPressure.nodes);
}

TEST_F(TransTest, LoadOfAJobThatIsGoneIsReportedAndChangesNothing)
{
    store.MakeWorkingJob(kFullFlow);
    StoreNew();
    store.MakeWorkingJob(kPressure);
    const int gone = StoreNew();
    JobTrans->RemoveStoredJob(gone);
    store.MakeWorkingJob(kPumped);
    const QStringList working = store.WorkingJobRows();

    Tul->JobNumber = gone;
    Tul->JobName = kPressure.name;
    EXPECT_FALSE(JobTrans->LoadStoredJob());
    EXPECT_EQ(driver.MessageTexts(), QStringList{"The job Pressure main is no longer in the database."});
    EXPECT_EQ(store.WorkingJobRows(), working);
    EXPECT_EQ(Tul->JobNumber, gone);
}

TEST_F(TransTest, RemovalTakesTheJobFromEveryTableAndNothingElse)
{
    store.MakeWorkingJob(kPumped);
    const int a = StoreNew();
    const QStringList onlyA = store.StoredRows();
    store.MakeWorkingJob(kGravityGated);
    const int b = StoreNew();
    JobSample third = kPumped;
    third.name = "Third";
    third.seed = 9;
    store.MakeWorkingJob(third);
    const int c = StoreNew();

    JobTrans->RemoveStoredJob(c);
    JobTrans->RemoveStoredJob(b);
    EXPECT_EQ(store.StoredRows(), onlyA);
    for (db::Table* t : {d().JobPipeTable, d().JobProfTable, d().JobGatedTable, d().JobSuctionTable,
                         d().JobTrickleTable}) {
        EXPECT_EQ(JobStore::CountRows(t, b), 0);
        EXPECT_EQ(JobStore::CountRows(t, c), 0);
    }
    // A number that is not stored removes nothing.
    JobTrans->RemoveStoredJob(12345);
    EXPECT_EQ(store.StoredRows(), onlyA);
    EXPECT_EQ(JobStore::CountRows(d().JobProfTable, a), kPumped.nodes);
}

TEST_F(TransTest, ExportedJobImportsIntoAnEmptyDatabase)
{
    store.MakeWorkingJob(kPumped);
    d().WorkPipeTable->Edit();
    d().WorkPipeTableDate->SetAsString("03/14/2005");
    d().WorkPipeTable->Post();
    const QStringList rows = store.WorkingJobRows();
    ASSERT_TRUE(JobTrans->ExportWorkingJob());

    store.SwitchToEmptyDatabase();
    *Tul = TTul();
    ASSERT_TRUE(JobTrans->ImportTransferJob());
    EXPECT_EQ(store.WorkingJobRows(), rows);
    EXPECT_EQ(Tul->JobName, kPumped.name);
    EXPECT_EQ(Tul->Date, "03/14/2005");
    EXPECT_EQ(Tul->JobNumber, 0);
    EXPECT_EQ(Tul->SaveState, 0);
    EXPECT_TRUE(Tul->NewJob);
    EXPECT_FALSE(Tul->StoredJob);
    EXPECT_EQ(Tul->SysHas, 2);

    // Saved, it is a complete stored job of the new database, and the working
    // header knows it by its number.
    const int number = StoreNew();
    EXPECT_EQ(d().WorkPipeTableJobNumber->AsInteger(), number);
    store.EmptyWorkingTables();
    ASSERT_TRUE(Load(number, kPumped.name));
    EXPECT_EQ(store.WorkingJobRows(), rows);
}

TEST_F(TransTest, ExportLeavesNoRowsOfAnEarlierExport)
{
    store.MakeWorkingJob(kPumped);
    ASSERT_TRUE(JobTrans->ExportWorkingJob());
    EXPECT_EQ(JobStore::Rows(d().TransSuctionTable).size(), 3);
    EXPECT_EQ(JobStore::Rows(d().TransTrickleTable).size(), 4);

    store.MakeWorkingJob(kGravityGated);
    ASSERT_TRUE(JobTrans->ExportWorkingJob());
    EXPECT_TRUE(JobStore::Rows(d().TransSuctionTable).isEmpty());
    EXPECT_TRUE(JobStore::Rows(d().TransTrickleTable).isEmpty());
    EXPECT_EQ(JobStore::Rows(d().TransProfTable).size(), kGravityGated.nodes);
    EXPECT_EQ(JobStore::Rows(d().TransGatedTable).size(), 1);

    // A manifold designer job travels with its outlets and without a profile.
    store.MakeWorkingJob(kManifoldJob);
    const QStringList rows = store.WorkingJobRows();
    ASSERT_TRUE(JobTrans->ExportWorkingJob());
    EXPECT_TRUE(JobStore::Rows(d().TransProfTable).isEmpty());
    store.EmptyWorkingTables();
    ASSERT_TRUE(JobTrans->ImportTransferJob());
    EXPECT_EQ(store.WorkingJobRows(), rows);
}

TEST_F(TransTest, ImportedJobOfAStoredNameBecomesThatJobToOverwrite)
{
    store.MakeWorkingJob(kGravityGated);
    const int number = StoreNew();
    JobSample otherKind = kManifoldJob;
    otherKind.name = "gravity gated";   // another case: another name
    store.MakeWorkingJob(otherKind);
    StoreNew();
    const qsizetype headers = JobStore::Rows(d().JobPipeTable).size();

    store.MakeWorkingJob(kGravityGated);
    d().WorkPipeTable->Edit();
    d().WorkPipeTableLocation->SetAsString("From the field office");
    d().WorkPipeTable->Post();
    ASSERT_TRUE(JobTrans->ExportWorkingJob());
    store.EmptyWorkingTables();
    ASSERT_TRUE(JobTrans->ImportTransferJob());

    EXPECT_EQ(Tul->JobNumber, number);
    EXPECT_EQ(Tul->SaveState, 1);
    EXPECT_TRUE(Tul->StoredJob);
    EXPECT_FALSE(Tul->NewJob);
    EXPECT_EQ(d().WorkPipeTableJobNumber->AsInteger(), number);
    for (d().WorkProfTable->First(); !d().WorkProfTable->Eof(); d().WorkProfTable->Next())
        EXPECT_EQ(d().WorkProfTableJobNumber->AsInteger(), number);

    // The stored job is not the one the import came from: replacing it asks,
    // naming it, and No stores nothing.
    const QStringList stored = store.StoredRows();
    const QString question =
        "The job Gravity gated is already stored.  Do you want to replace the stored job with the imported one?";
    driver.Answer(ui::mrNo);
    EXPECT_FALSE(JobTrans->StoreWorkingJob());
    EXPECT_EQ(driver.MessageTexts(), QStringList{question});
    EXPECT_EQ(store.StoredRows(), stored);
    EXPECT_EQ(Tul->SaveState, 1);
    driver.Answer(ui::mrYes);
    ASSERT_TRUE(JobTrans->StoreWorkingJob());
    EXPECT_EQ(Tul->JobNumber, number);
    EXPECT_EQ(JobStore::Rows(d().JobPipeTable).size(), headers);
    // Stored, it is that job now: a further save asks nothing.
    Tul->SaveState = 1;
    ASSERT_TRUE(JobTrans->StoreWorkingJob());
    EXPECT_EQ(driver.MessageTexts(), (QStringList{question, question}));
    store.EmptyWorkingTables();
    ASSERT_TRUE(Load(number, kGravityGated.name));
    EXPECT_EQ(d().WorkPipeTableLocation->AsString(), "From the field office");
}

TEST_F(TransTest, ImportWithAnEmptyTransferDirectoryChangesNothing)
{
    store.MakeWorkingJob(kFullFlow);
    const QStringList rows = store.WorkingJobRows();
    Tul->JobName = "Kept";
    EXPECT_FALSE(JobTrans->ImportTransferJob());
    EXPECT_EQ(driver.MessageTexts(), QStringList{testsupport::JobStore::NoJobToImport()});
    EXPECT_EQ(store.WorkingJobRows(), rows);
    EXPECT_EQ(Tul->JobName, "Kept");

    // A configured transfer folder without a transfer file: the message
    // names that folder, and no import, of a job or a calculator's, makes
    // the file.
    const QString folder = store.Temp().Root() + "/x/Trans";
    ASSERT_TRUE(QDir().mkpath(folder));
    db::Engine::instance().SetAliasPath(db::kTransferAlias, folder);
    driver.ClearLog();
    EXPECT_FALSE(JobTrans->ImportTransferJob());
    EXPECT_FALSE(JobTrans->ImportAirVacJob());
    const QString said = "There is no job in the transfer directory '" + folder + "' to import.";
    EXPECT_EQ(driver.MessageTexts(), QStringList({said, said}));
    EXPECT_TRUE(QDir(folder).isEmpty());
    EXPECT_EQ(store.WorkingJobRows(), rows);
}

TEST_F(TransTest, FailedSaveLeavesTheStoreAndTheJobObjectAsTheyWere)
{
    store.MakeWorkingJob(kFullFlow);
    StoreNew();
    store.MakeWorkingJob(kPumped);
    const int number = StoreNew();
    const QStringList before = store.StoredRows();

    // A new job that fails on its third manifold row.
    JobSample next = kPumped;
    next.name = "Next";
    store.MakeWorkingJob(next);
    Tul->SaveState = 0;
    Tul->JobNumber = 0;
    FailAfterPosts(d().JobTrickleTable, 2);
    EXPECT_THROW(JobTrans->StoreWorkingJob(), db::DbError);
    EXPECT_EQ(store.StoredRows(), before);
    EXPECT_EQ(Tul->SaveState, 0);
    EXPECT_EQ(Tul->JobNumber, 0);

    // An overwrite that fails part way keeps the old stored job whole.
    store.EmptyWorkingTables();
    ASSERT_TRUE(Load(number, kPumped.name));
    d().WorkPipeTable->Edit();
    d().WorkPipeTableDesigner->SetAsString("Changed");
    d().WorkPipeTable->Post();
    Tul->SaveState = 1;
    FailAfterPosts(d().JobSuctionTable, 1);
    EXPECT_THROW(JobTrans->StoreWorkingJob(), db::DbError);
    EXPECT_EQ(store.StoredRows(), before);
    EXPECT_EQ(Tul->SaveState, 1);

    // Once the fault is gone the same save goes through.
    d().JobSuctionTable->AfterPost = nullptr;
    d().JobTrickleTable->AfterPost = nullptr;
    ASSERT_TRUE(JobTrans->StoreWorkingJob());
    EXPECT_EQ(Tul->JobNumber, number);
}

TEST_F(TransTest, FailedLoadRemovalAndImportLeaveTheirTablesAsTheyWere)
{
    store.MakeWorkingJob(kGravityGated);
    const int number = StoreNew();
    ASSERT_TRUE(JobTrans->ExportWorkingJob());
    store.MakeWorkingJob(kPumped);
    const QStringList working = store.WorkingJobRows();
    const QStringList stored = store.StoredRows();
    const TTul job = *Tul;

    FailAfterPosts(d().WorkGatedTable, 0);
    Tul->JobNumber = number;
    EXPECT_THROW(JobTrans->LoadStoredJob(), db::DbError);
    EXPECT_EQ(store.WorkingJobRows(), working);
    EXPECT_EQ(Tul->JobNumber, number);
    EXPECT_EQ(Tul->SysHas, job.SysHas);
    d().WorkGatedTable->AfterPost = nullptr;

    d().JobGatedTable->AfterDelete = [](db::Table&) { throw db::DbError(QStringLiteral("Locked")); };
    EXPECT_THROW(JobTrans->RemoveStoredJob(number), db::DbError);
    EXPECT_EQ(store.StoredRows(), stored);
    d().JobGatedTable->AfterDelete = nullptr;

    FailAfterPosts(d().WorkGatedTable, 0);
    EXPECT_THROW(JobTrans->ImportTransferJob(), db::DbError);
    EXPECT_EQ(store.WorkingJobRows(), working);
    EXPECT_EQ(Tul->JobNumber, number);
}

TEST_F(TransTest, JobNamesThatCannotBeStoredAreRefusedWithAMessage)
{
    EXPECT_EQ(JobNameProblem(""), "You must enter a Job Name");
    EXPECT_EQ(JobNameProblem("   "), "You must enter a Job Name");
    EXPECT_EQ(JobNameProblem(QString(50, 'x')), "");
    EXPECT_EQ(JobNameProblem(QString(51, 'x')), "A Job Name can have at most 50 characters.");
    EXPECT_EQ(JobNameProblem(" North "), "");

    JobSample blank = kFullFlow;
    blank.name = "  ";
    store.MakeWorkingJob(blank);
    Tul->SaveState = 0;
    EXPECT_FALSE(JobTrans->StoreWorkingJob());
    EXPECT_EQ(driver.MessageTexts(), QStringList{"You must enter a Job Name"});
    EXPECT_EQ(driver.Messages().front().type, ui::MsgType::Error);
    EXPECT_EQ(Tul->SaveState, 0);
    EXPECT_TRUE(store.StoredRows().isEmpty());

    // Nothing to save: nothing happens.
    store.MakeWorkingJob(kFullFlow);
    Tul->SaveState = 2;
    EXPECT_FALSE(JobTrans->StoreWorkingJob());
    EXPECT_TRUE(store.StoredRows().isEmpty());
}

TEST_F(TransTest, BetweenJobsTheTablesCloseAndTheJobObjectIsNew)
{
    for (db::Table* t : {d().JobPipeTable, d().WorkProfTable, d().SaveTrickleTable, d().DefLocTable,
                         d().DefSysTable, d().TransPipeTable})
        t->Open();
    JobTrans->CloseAllTables();
    EXPECT_FALSE(d().JobPipeTable->Active());
    EXPECT_FALSE(d().WorkProfTable->Active());
    EXPECT_FALSE(d().SaveTrickleTable->Active());
    EXPECT_TRUE(d().DefLocTable->Active());
    EXPECT_TRUE(d().DefSysTable->Active());
    EXPECT_TRUE(d().TransPipeTable->Active());

    Tul->JobName = "North";
    Tul->JobNumber = 7;
    Tul->SaveState = 1;
    Tul->DetailedML = false;
    Tul->FirstPoint = false;
    Tul->JobListCancelled = true;
    Tul->PrevJobLoaded = true;
    Tul->DesignFlowCfs = 2;
    JobTrans->ResetJobRecord();
    EXPECT_EQ(Tul->JobName, "");
    EXPECT_EQ(Tul->JobNumber, 0);
    EXPECT_EQ(Tul->SaveState, 2);
    EXPECT_TRUE(Tul->DetailedML);
    EXPECT_TRUE(Tul->FirstPoint);
    EXPECT_TRUE(Tul->NewJob);
    EXPECT_FALSE(Tul->JobListCancelled);
    EXPECT_TRUE(Tul->PrevJobLoaded);
    EXPECT_EQ(Tul->DesignFlowCfs, 0.0);
}
