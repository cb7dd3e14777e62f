// Air-vacuum calculator jobs between their working row, the stored jobs and
// the transfer directory.
#include "support/dialogdriver.h"
#include "support/jobstore.h"

#include "model/job_transfer.h"

#include <gtest/gtest.h>

using testsupport::JobStore;

namespace {

class AirVacJobsTest : public ::testing::Test {
protected:
    TDMod& d() { return store.Dm(); }

    // A working row with every field filled and the given name.
    void MakeWorkingRow(const QString& name, int seed)
    {
        db::Table* w = d().WorkAvacTable;
        JobStore::FreshRow(w);
        JobStore::FillRow(w, seed);
        d().WorkAvacTableJobName->SetAsString(name);
        d().WorkAvacTableModulus->SetAsFloat(400000.0 + seed);
        w->Post();
    }

    // The fields the stored jobs carry (no job number, no orifices), by name,
    // of the first row of `t`.
    QStringList CarriedFields(db::Table* t)
    {
        QStringList cells = JobStore::Rows(t, t == d().JobAvacTable ? d().WorkAvacTable : d().JobAvacTable)
                                .value(0)
                                .section(QStringLiteral(": "), 1)
                                .split(QStringLiteral("; "));
        cells.sort();
        return cells;
    }
    QStringList WorkingStoredFields() { return CarriedFields(d().WorkAvacTable); }

    int StoreNew(const QString& name, int seed)
    {
        MakeWorkingRow(name, seed);
        Tul->SaveState = 0;
        EXPECT_TRUE(JobTrans->StoreAirVacJob());
        return Tul->JobNumber;
    }

    DialogDriver driver;
    JobStore store;
};

} // namespace

TEST_F(AirVacJobsTest, SavedReloadedExportedAndImportedIntoAnEmptyDatabaseKeepsEveryField)
{
    StoreNew("Ridge line", 3);
    const int number = Tul->JobNumber;
    EXPECT_GT(number, 0);
    EXPECT_EQ(Tul->SaveState, 2);
    // The working row knows its stored number now.
    EXPECT_EQ(d().WorkAvacTableJobNumber->AsInteger(), number);
    const QStringList saved = WorkingStoredFields();
    ASSERT_EQ(saved.size(), 26);
    EXPECT_EQ(CarriedFields(d().JobAvacTable), saved);
    EXPECT_FALSE(d().JobAvacTable->Active());

    MakeWorkingRow("Something else", 9);
    Tul->JobName = "Ridge line";
    Tul->JobNumber = 0;
    ASSERT_TRUE(JobTrans->LoadAirVacJob());
    EXPECT_EQ(Tul->JobNumber, number);
    EXPECT_EQ(d().WorkAvacTable->RecordCount(), 1);
    EXPECT_EQ(d().WorkAvacTableJobNumber->AsInteger(), number);
    EXPECT_EQ(WorkingStoredFields(), saved);
    EXPECT_FALSE(d().JobAvacTable->Active());
    EXPECT_EQ(d().JobAvacTable->IndexName(), "JobNameIndex");

    ASSERT_TRUE(JobTrans->ExportToolJob(d().WorkAvacTable, d().TransAirvacTable));
    store.SwitchToEmptyDatabase();
    ASSERT_TRUE(JobTrans->ImportAirVacJob());
    EXPECT_EQ(WorkingStoredFields(), saved);
    // Nothing of that name is stored here: it will be saved as a new job.
    EXPECT_EQ(Tul->SaveState, 0);
    EXPECT_EQ(Tul->JobNumber, 0);
    EXPECT_EQ(d().WorkAvacTableJobNumber->AsInteger(), 0);

    ASSERT_TRUE(JobTrans->StoreAirVacJob());
    EXPECT_EQ(CarriedFields(d().JobAvacTable), saved);
}

TEST_F(AirVacJobsTest, ModulusTravelsAsAWholeNumber)
{
    MakeWorkingRow("Modulus", 1);
    d().WorkAvacTable->Edit();
    d().WorkAvacTableModulus->SetAsFloat(400000.4);
    d().WorkAvacTable->Post();
    Tul->SaveState = 0;
    ASSERT_TRUE(JobTrans->StoreAirVacJob());
    d().JobAvacTable->Open();
    EXPECT_EQ(d().JobAvacTableModulus->AsFloat(), 400000.0);
    d().JobAvacTable->Edit();
    d().JobAvacTableModulus->SetAsFloat(29999999.6);
    d().JobAvacTable->Post();
    d().JobAvacTable->Close();
    Tul->JobName = "Modulus";
    ASSERT_TRUE(JobTrans->LoadAirVacJob());
    EXPECT_EQ(d().WorkAvacTableModulus->AsFloat(), 30000000.0);
}

TEST_F(AirVacJobsTest, AChangedStoredJobIsOverwrittenInPlace)
{
    const int first = StoreNew("East", 1);
    StoreNew("West", 2);
    Tul->JobName = "East";
    ASSERT_TRUE(JobTrans->LoadAirVacJob());
    d().WorkAvacTable->Edit();
    d().WorkAvacTableSlope->SetAsFloat(0.031);
    d().WorkAvacTable->Post();
    Tul->SaveState = 1;
    ASSERT_TRUE(JobTrans->StoreAirVacJob());
    EXPECT_EQ(Tul->JobNumber, first);
    db::Table* j = d().JobAvacTable;
    j->Open();
    EXPECT_EQ(j->RecordCount(), 2);
    ASSERT_TRUE(j->Locate("JobNumber", first));
    EXPECT_EQ(d().JobAvacTableSlope->AsFloat(), 0.031);
    EXPECT_EQ(d().JobAvacTableJobName->AsString(), "East");

    // Gone meanwhile: the changes are stored as a new job instead of over another.
    JobTrans->RemoveAirVacJob(first);
    EXPECT_FALSE(j->Locate("JobNumber", first));
    Tul->SaveState = 1;
    ASSERT_TRUE(JobTrans->StoreAirVacJob());
    EXPECT_NE(Tul->JobNumber, first);
    j->Open();
    EXPECT_EQ(j->RecordCount(), 2);
    ASSERT_TRUE(j->Locate("JobName", "West"));

    // Renamed to another stored job's name: refused, and that job is kept.
    const QStringList before = JobStore::Rows(j);
    d().WorkAvacTable->Edit();
    d().WorkAvacTableJobName->SetAsString("West");
    d().WorkAvacTable->Post();
    Tul->SaveState = 1;
    EXPECT_FALSE(JobTrans->StoreAirVacJob());
    EXPECT_EQ(driver.MessageTexts(), QStringList{"Job name already used, please enter a unique name."});
    EXPECT_EQ(Tul->SaveState, 1);
    EXPECT_EQ(JobStore::Rows(j), before);
}

TEST_F(AirVacJobsTest, RefusedNamesAndNothingToSaveStoreNothing)
{
    StoreNew("Taken", 1);
    const QStringList before = JobStore::Rows(d().JobAvacTable);

    MakeWorkingRow("Taken", 2);
    Tul->SaveState = 0;
    EXPECT_FALSE(JobTrans->StoreAirVacJob());
    MakeWorkingRow("   ", 3);
    EXPECT_FALSE(JobTrans->StoreAirVacJob());
    EXPECT_EQ(driver.MessageTexts(),
              (QStringList{"Job name already used, please enter a unique name.", "You must enter a Job Name"}));
    EXPECT_EQ(Tul->SaveState, 0);

    MakeWorkingRow("Fresh", 4);
    Tul->SaveState = 2;
    EXPECT_FALSE(JobTrans->StoreAirVacJob());
    EXPECT_EQ(JobStore::Rows(d().JobAvacTable), before);
}

TEST_F(AirVacJobsTest, LoadingANameNoLongerStoredChangesNothing)
{
    StoreNew("Alpha", 1);
    StoreNew("Gamma", 2);
    MakeWorkingRow("Current", 5);
    const QStringList working = JobStore::Rows(d().WorkAvacTable);
    Tul->JobName = "Beta";
    Tul->JobNumber = 77;
    EXPECT_FALSE(JobTrans->LoadAirVacJob());
    EXPECT_EQ(driver.MessageTexts(), QStringList{"The job Beta is no longer in the database."});
    EXPECT_EQ(JobStore::Rows(d().WorkAvacTable), working);
    EXPECT_EQ(Tul->JobNumber, 77);
}

TEST_F(AirVacJobsTest, ImportFindsTheStoredJobOfItsNameAndAnEmptyTransferIsReported)
{
    EXPECT_FALSE(JobTrans->ImportAirVacJob());
    EXPECT_EQ(driver.MessageTexts(), QStringList{testsupport::JobStore::NoJobToImport()});

    const int number = StoreNew("Shared", 1);
    ASSERT_TRUE(JobTrans->ExportToolJob(d().WorkAvacTable, d().TransAirvacTable));
    MakeWorkingRow("Other", 2);
    Tul->SaveState = 2;
    ASSERT_TRUE(JobTrans->ImportAirVacJob());
    EXPECT_EQ(d().WorkAvacTableJobName->AsString(), "Shared");
    EXPECT_EQ(d().WorkAvacTableJobNumber->AsInteger(), number);
    EXPECT_EQ(Tul->JobNumber, number);
    EXPECT_EQ(Tul->SaveState, 1);
    // The export replaced only the air-vacuum transfer table.
    d().TransPipeTable->Open();
    EXPECT_TRUE(d().TransPipeTable->IsEmpty());
}

TEST_F(AirVacJobsTest, AJobWithAnImpossibleValueNeitherLoadsNorImports)
{
    StoreNew("Bad wall", 1);
    ASSERT_TRUE(JobTrans->ExportToolJob(d().WorkAvacTable, d().TransAirvacTable));
    for (const QString& alias : {db::kMersolAlias, db::kTransferAlias}) {
        db::Query q(alias);
        q.SetSQL(alias == db::kMersolAlias ? QStringLiteral("UPDATE \"JobAirvac.DB\" SET \"PipeWallT\" = -0.25")
                                           : QStringLiteral("UPDATE \"WorkAirvac.DB\" SET \"FillVel\" = 9e999"));
        q.ExecSQL();
    }
    MakeWorkingRow("Current", 5);
    const QStringList working = JobStore::Rows(d().WorkAvacTable);
    Tul->JobName = "Bad wall";
    Tul->SaveState = 2;
    try {
        JobTrans->LoadAirVacJob();
        ADD_FAILURE() << "loaded";
    } catch (const db::DbError& e) {
        EXPECT_EQ(e.message(), "The job Bad wall cannot be loaded: PipeWallT is -0.25, below zero in the job's data "
                               "(table WorkAirvac.DB).");
    }
    try {
        JobTrans->ImportAirVacJob();
        ADD_FAILURE() << "imported";
    } catch (const db::DbError& e) {
        EXPECT_TRUE(e.message().contains("FillVel is infinite")) << e.message().toStdString();
    }
    EXPECT_EQ(JobStore::Rows(d().WorkAvacTable), working);
    EXPECT_EQ(Tul->SaveState, 2);
}
