// Stock-water calculator jobs between the work row, the stored table and the
// transfer directory: new jobs get their number back, overwrites stay on
// their own row, names stay unique, and export and import keep every field.
// Also the shipped livestock types and local defaults the calculator reads.
#include "engine/stock_water_requirement.h"
#include "model/job_transfer.h"

#include "support/dialogdriver.h"
#include "support/jobstore.h"
#include "support/qt_app.h"

#include <gtest/gtest.h>

using testsupport::JobStore;

// Lists print as their texts when a comparison fails.
static void PrintTo(const QStringList& l, std::ostream* os)
{
    *os << l.join(QStringLiteral(" | ")).toStdString();
}

namespace {

class StockJobsTest : public ::testing::Test {
protected:
    void SetUp() override { testsupport::QtApp(); }

    TDMod& d() { return store.Dm(); }

    // The work row filled in every field, named `name`.
    void MakeWorkRow(const QString& name, int seed)
    {
        db::Table* w = d().WorkSWaterTable;
        if (w->Active())
            w->Close();
        w->EmptyTable();
        w->Open();
        w->Append();
        JobStore::FillRow(w, seed);
        d().WorkSWaterTableJobName->SetAsString(name);
        d().WorkSWaterTableJobNumber->SetAsInteger(0);
        w->Post();
    }

    void Rename(const QString& name)
    {
        d().WorkSWaterTable->Edit();
        d().WorkSWaterTableJobName->SetAsString(name);
        d().WorkSWaterTable->Post();
    }

    // The rows' values without the table's name.
    static QStringList Values(QStringList rows)
    {
        for (QString& r : rows)
            r = r.mid(r.indexOf(QStringLiteral(": ")) + 2);
        return rows;
    }
    QStringList Stored() { return Values(JobStore::Rows(d().JobSWaterTable)); }
    QStringList Work() { return Values(JobStore::Rows(d().WorkSWaterTable, d().JobSWaterTable)); }

    DialogDriver driver;
    JobStore store;
};

TEST_F(StockJobsTest, ANewJobTakesItsNumberBackSoItsNextSaveOverwritesIt)
{
    MakeWorkRow("Home pasture", 1);
    const int first = JobTrans->StoreStockWaterJob(false);
    ASSERT_GT(first, 0);
    EXPECT_EQ(d().WorkSWaterTableJobNumber->AsInteger(), first);
    EXPECT_FALSE(d().JobSWaterTable->Active());
    EXPECT_EQ(Stored(), Work());

    d().WorkSWaterTable->Edit();
    d().WorkSWaterTableMaxLivestock->SetAsFloat(240);
    d().WorkSWaterTable->Post();
    EXPECT_EQ(JobTrans->StoreStockWaterJob(true), first);
    ASSERT_EQ(Stored().size(), 1);
    EXPECT_EQ(Stored(), Work());
    EXPECT_TRUE(Stored().first().contains("MaxLivestock=240"));
}

TEST_F(StockJobsTest, LoadBringsBackTheStoredFieldsAndLeavesTheResultsEmpty)
{
    MakeWorkRow("Creek lease", 2);
    const int number = JobTrans->StoreStockWaterJob(false);
    const QStringList stored = Stored();
    MakeWorkRow("Something else", 3);

    ASSERT_TRUE(JobTrans->LoadStockWaterJob(number));
    EXPECT_EQ(Work(), stored);
    EXPECT_EQ(d().WorkSWaterTable->RecordCount(), 1);
    EXPECT_EQ(d().WorkSWaterTableJobNumber->AsInteger(), number);
    for (db::Field* f : {d().WorkSWaterTableMinGpm, d().WorkSWaterTableDesignGpm, d().WorkSWaterTableStorageReserve,
                         d().WorkSWaterTableWaterSpacing, d().WorkSWaterTableQualComment})
        EXPECT_TRUE(f->IsNull()) << f->FieldName().toStdString();

    // A job that has gone changes nothing.
    EXPECT_FALSE(JobTrans->LoadStockWaterJob(number + 5));
    EXPECT_EQ(Work(), stored);
}

TEST_F(StockJobsTest, NamesAreUniqueAmongStoredJobsAndRequired)
{
    MakeWorkRow("North", 1);
    JobTrans->StoreStockWaterJob(false);
    MakeWorkRow("North", 2);
    EXPECT_EQ(JobTrans->StoreStockWaterJob(false), 0);
    MakeWorkRow("", 3);
    EXPECT_EQ(JobTrans->StoreStockWaterJob(false), 0);
    MakeWorkRow("   ", 4);
    EXPECT_EQ(JobTrans->StoreStockWaterJob(false), 0);
    EXPECT_EQ(driver.MessageTexts(), (QStringList{"Job name already used, please enter a unique name.",
                                                  "You must enter a Job Name", "You must enter a Job Name"}));
    EXPECT_EQ(Stored().size(), 1);

    // Names differ by case as by any other letter.
    MakeWorkRow("north", 5);
    EXPECT_GT(JobTrans->StoreStockWaterJob(false), 0);
    EXPECT_EQ(JobTrans->StockWaterJobNumberOf("north"), d().WorkSWaterTableJobNumber->AsInteger());
    EXPECT_EQ(JobTrans->StockWaterJobNumberOf("NORTH"), 0);
}

TEST_F(StockJobsTest, AnOverwriteNeverReachesAnotherJob)
{
    MakeWorkRow("East", 1);
    const int east = JobTrans->StoreStockWaterJob(false);
    MakeWorkRow("West", 2);
    const int west = JobTrans->StoreStockWaterJob(false);
    const QStringList westRow = Stored().filter("JobName=West");

    // East renamed to West: refused, West stays as it was.
    ASSERT_TRUE(JobTrans->LoadStockWaterJob(east));
    Rename("West");
    EXPECT_EQ(JobTrans->StoreStockWaterJob(true), 0);
    EXPECT_EQ(Stored().filter("JobName=West"), westRow);

    // Renamed to a name nobody has: stored as a new job, East stays.
    Rename("South");
    const int south = JobTrans->StoreStockWaterJob(true);
    EXPECT_NE(south, east);
    EXPECT_NE(south, west);
    EXPECT_EQ(Stored().size(), 3);

    // Its stored job deleted meanwhile: stored anew, not over a neighbour.
    d().JobSWaterTable->Open();
    ASSERT_TRUE(d().JobSWaterTable->Locate("JobNumber", south));
    driver.Answer(ui::mrYes);
    d().JobSWaterTable->Delete();
    d().JobSWaterTable->Close();
    EXPECT_GT(JobTrans->StoreStockWaterJob(true), south);
    EXPECT_EQ(Stored().size(), 3);
    EXPECT_EQ(Stored().filter("JobName=West"), westRow);
}

TEST_F(StockJobsTest, DeletingAStoredJobAsksFirst)
{
    MakeWorkRow("Keep me", 1);
    JobTrans->StoreStockWaterJob(false);
    db::Table* jobs = d().JobSWaterTable;
    jobs->Open();
    driver.Answer(ui::mrNo);
    jobs->Delete();
    EXPECT_EQ(jobs->RecordCount(), 1);
    driver.Answer(ui::mrYes);
    jobs->Delete();
    EXPECT_TRUE(jobs->IsEmpty());
    EXPECT_EQ(driver.MessageTexts(),
              (QStringList{"Do you really want to delete Keep me?", "Do you really want to delete Keep me?"}));
}

TEST_F(StockJobsTest, ExportAndImportIntoAnEmptyDatabaseKeepEveryField)
{
    MakeWorkRow("Travelling job", 7);
    const QStringList all = JobStore::Rows(d().WorkSWaterTable);
    ASSERT_TRUE(JobTrans->ExportToolJob(d().WorkSWaterTable, d().TransSWaterTable));

    store.SwitchToEmptyDatabase();
    EXPECT_EQ(JobTrans->ImportToolJob(d().TransSWaterTable, d().WorkSWaterTable, d().JobSWaterTable), 0);
    EXPECT_EQ(JobStore::Rows(d().WorkSWaterTable), all);   // results and memos too
    EXPECT_EQ(d().WorkSWaterTableJobNumber->AsInteger(), 0);

    // Stored, then imported again: it is that stored job now.
    const int number = JobTrans->StoreStockWaterJob(false);
    MakeWorkRow("Other", 8);
    EXPECT_EQ(JobTrans->ImportToolJob(d().TransSWaterTable, d().WorkSWaterTable, d().JobSWaterTable), number);
    EXPECT_EQ(d().WorkSWaterTableJobNumber->AsInteger(), number);
}

TEST_F(StockJobsTest, AnImportOrLoadIsAllOrNothingAndTakesNoImpossibleValue)
{
    MakeWorkRow("Stored", 2);
    const int stored = JobTrans->StoreStockWaterJob(false);
    MakeWorkRow("Being edited", 1);
    const QStringList editing = Work();
    auto sql = [](const QString& alias, const QString& text) {
        db::Query q(alias);
        q.SetSQL(text);
        q.ExecSQL();
    };

    // Nothing in the transfer folder: said, and nothing changes.
    d().TransSWaterTable->EmptyTable();
    EXPECT_EQ(JobTrans->ImportToolJob(d().TransSWaterTable, d().WorkSWaterTable, d().JobSWaterTable), std::nullopt);
    EXPECT_EQ(driver.MessageTexts(), QStringList{testsupport::JobStore::NoJobToImport()});
    EXPECT_EQ(Work(), editing);

    // A transfer row with a value no job has, or one that cannot be read,
    // is refused whole; so is a stored job with such a value at its load.
    struct Case {
        const char* field;
        const char* value;   // SQL
        const char* why;
    };
    const Case cases[] = {
        {"MaxLivestock", "-40", "MaxLivestock is -40, below zero"},
        {"HrDelivery", "9e999", "HrDelivery is infinite"},
        {"StorageTime", "'ten'", "row 1 of table WorkSWater.db, field 'StorageTime'"},
        {"JobNotes", "replace(hex(zeroblob(20000)), '0', 'q')",
         "JobNotes holds 40000 characters, more than the 32000 its entry takes"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.field);
        MakeWorkRow("Travelling", 3);
        ASSERT_TRUE(JobTrans->ExportToolJob(d().WorkSWaterTable, d().TransSWaterTable));
        MakeWorkRow("Being edited", 1);
        sql(db::kTransferAlias, QStringLiteral("UPDATE \"WorkSWater.db\" SET \"%1\" = %2").arg(c.field, c.value));
        try {
            JobTrans->ImportToolJob(d().TransSWaterTable, d().WorkSWaterTable, d().JobSWaterTable);
            ADD_FAILURE() << "imported";
        } catch (const db::DbError& e) {
            EXPECT_TRUE(e.message().contains(c.why)) << e.message().toStdString();
            EXPECT_TRUE(e.message().contains("Nothing was imported")) << e.message().toStdString();
        }
        EXPECT_TRUE(d().WorkSWaterTable->Active());
        EXPECT_EQ(Work(), editing);
    }
    for (const Case& c : {cases[0], cases[1]}) {
        SCOPED_TRACE(c.field);
        sql(db::kMersolAlias, QStringLiteral("UPDATE \"JobSWater.DB\" SET \"%1\" = %2").arg(c.field, c.value));
        try {
            JobTrans->LoadStockWaterJob(stored);
            ADD_FAILURE() << "loaded";
        } catch (const db::DbError& e) {
            EXPECT_EQ(e.message(), QStringLiteral("The job Stored cannot be loaded: %1 in the job's data (table "
                                                  "WorkSWater.db).").arg(c.why));
        }
        EXPECT_EQ(Work(), editing);
        sql(db::kMersolAlias, QStringLiteral("UPDATE \"JobSWater.DB\" SET \"%1\" = 5").arg(c.field));
    }
    // Notes longer than their box, stored before they were held to it, load cut to it, and the user is told.
    sql(db::kMersolAlias, QStringLiteral("UPDATE \"JobSWater.DB\" SET \"Dependability\" = %1").arg(cases[3].value));
    EXPECT_TRUE(JobTrans->LoadStockWaterJob(stored));
    EXPECT_EQ(d().WorkSWaterTable->FieldByName("Dependability")->AsString(), QString(32000, QLatin1Char('q')));
    EXPECT_TRUE(driver.MessageTexts().last().startsWith("The notes of the job Stored are longer than the notes box"));
}

TEST_F(StockJobsTest, AStoreThatFailsLeavesNoTableHalfEdited)
{
    MakeWorkRow("Home pasture", 1);
    const int number = JobTrans->StoreStockWaterJob(false);
    const QStringList before = Stored();
    d().WorkSWaterTable->Edit();
    d().WorkSWaterTableMaxLivestock->SetAsFloat(80);
    d().WorkSWaterTable->Post();
    // As a full disk would: the stored row's post fails.
    d().JobSWaterTable->AfterPost = [](db::Table&) { throw db::DbError(QStringLiteral("Disk full")); };
    for (bool overwrite : {true, false}) {
        if (!overwrite)
            Rename("Second pasture");
        EXPECT_THROW(JobTrans->StoreStockWaterJob(overwrite), db::DbError);
        EXPECT_FALSE(d().JobSWaterTable->Active());
        EXPECT_EQ(d().WorkSWaterTable->State(), db::DataSetState::Browse);
        EXPECT_EQ(d().WorkSWaterTableJobNumber->AsInteger(), number);
        d().JobSWaterTable->AfterPost = nullptr;
        EXPECT_EQ(Stored(), before);
        d().JobSWaterTable->AfterPost = [](db::Table&) { throw db::DbError(QStringLiteral("Disk full")); };
    }
    d().JobSWaterTable->AfterPost = nullptr;
    EXPECT_GT(JobTrans->StoreStockWaterJob(false), number);
}

TEST_F(StockJobsTest, AnImportThatFailsLeavesTheJobBeingEdited)
{
    MakeWorkRow("Being edited", 1);
    const QStringList before = JobStore::Rows(d().WorkSWaterTable);
    d().TransSWaterTable->Open();
    d().TransSWaterTable->Append();
    JobStore::FillRow(d().TransSWaterTable, 4);
    d().TransSWaterTable->Post();
    d().TransSWaterTable->Close();
    d().WorkSWaterTable->AfterPost = [](db::Table&) { throw db::DbError(QStringLiteral("Disk full")); };
    EXPECT_THROW(JobTrans->ImportToolJob(d().TransSWaterTable, d().WorkSWaterTable, d().JobSWaterTable), db::DbError);
    d().WorkSWaterTable->AfterPost = nullptr;
    d().WorkSWaterTable->Close();
    EXPECT_EQ(JobStore::Rows(d().WorkSWaterTable), before);
}

TEST_F(StockJobsTest, ShippedLivestockTypesAndDefaultsFitTheCalculator)
{
    db::Table* stock = d().StockTypeTable;
    stock->Open();
    ASSERT_GE(stock->RecordCount(), 5);
    for (stock->First(); !stock->Eof(); stock->Next()) {
        const QString type = d().StockTypeTableLivestockType->AsString();
        EXPECT_GT(d().StockTypeTableConvGpd->AsFloat(), 0) << type.toStdString();
        EXPECT_GE(d().StockTypeTableIntGpd->AsFloat(), d().StockTypeTableConvGpd->AsFloat()) << type.toStdString();
        EXPECT_GT(d().StockTypeTableGentleSpcng->AsFloat(), d().StockTypeTableRoughSpcing->AsFloat());
    }
    db::Table* defaults = d().DefLocTable;
    defaults->Open();
    // The texts the calculator compares against, and a type it can find.
    EXPECT_EQ(d().DefLocTableSystemType->AsString(), kConventionalGrazing);
    const QString terrain = d().DefLocTableTerrain->AsString();
    EXPECT_TRUE(terrain == kRoughTerrain || terrain == kGentleTerrain);
    EXPECT_GE(WaterQualityClassOf(d().DefLocTableWaterQuality->AsString()), 0);
    EXPECT_TRUE(stock->Locate("LivestockType", d().DefLocTableLivestockType->AsString()));
    EXPECT_GT(d().DefLocTableHrDelivery->AsFloat(), 0);
}

} // namespace
