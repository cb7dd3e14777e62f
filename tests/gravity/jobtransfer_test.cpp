// Jobs with a gated-pipe or manifold end, stored by Mersol, reviewed and
// saved again by the gravity designer: nothing of them is lost on the way.
#include "support/dialogdriver.h"
#include "support/jobstore.h"
#include "support/qt_app.h"

#include "gravity/dunstrow_window.h"
#include "engine/single_objects.h"
#include "model/job_transfer.h"
#include "platform/ui/dbgrid.h"
#include "platform/ui/notebook.h"

#include <QTableView>

#include <gtest/gtest.h>

namespace {

using testsupport::JobSample;
using testsupport::JobStore;

class GravityJobTransferTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        testsupport::QtApp();
        // Reviewing a job computes it: the run objects must be there.
        CreateGravitySingleObjects();
        form = new TDunstrowForm();
        DunstrowForm = form;
        form->Show();
    }
    void TearDown() override
    {
        // Deleted without closing: the close would end the program's single objects.
        delete form;
        DunstrowForm = nullptr;
    }
    TDMod& d() { return store.Dm(); }

    int storeJob(const JobSample& sample)
    {
        store.MakeWorkingJob(sample);
        Tul->SaveState = 0;
        EXPECT_TRUE(JobTrans->StoreWorkingJob());
        store.EmptyWorkingTables();
        return Tul->JobNumber;
    }
    // The rows of the job's profile, gated pipe and manifold by what was
    // entered into them: a reviewed job is computed on the output page, which
    // rewrites their results.
    QStringList childRows(int number)
    {
        static const QStringList entered = {"Station", "NodeType", "GroundElev", "InvertElev", "StartSta",
                                            "EndSta", "GateSpace", "GpmAtOutlet", "RecNo"};
        QStringList rows;
        for (db::Table* t : {d().JobProfTable, d().JobGatedTable, d().JobTrickleTable}) {
            rows << QString::number(JobStore::CountRows(t, number));
            for (const QString& row : JobStore::Rows(t)) {
                QStringList kept;
                for (const QString& item : row.section(QStringLiteral(": "), 1).split(QStringLiteral("; ")))
                    if (entered.contains(item.section(QLatin1Char('='), 0, 0))) kept << item;
                rows << kept.join(QStringLiteral("; "));
            }
        }
        return rows;
    }

    DialogDriver driver;
    JobStore store;
    TDunstrowForm* form = nullptr;
};

TEST_F(GravityJobTransferTest, ReviewedAndSavedJobsKeepTheirEndRows)
{
    const JobSample gated{"Gates End", "GRAVITY", 1, "", 6, 0, 0, 1};
    const JobSample manifold{"Lateral End", "GRAVITY", 2, "", 5, 4, 0, 2};
    for (const JobSample& sample : {gated, manifold}) {
        SCOPED_TRACE(sample.name.toStdString());
        const int number = storeJob(sample);
        const QStringList before = childRows(number);
        ASSERT_GT(JobStore::CountRows(d().JobProfTable, number), 0);

        driver.OnceForm("TJobListForm", [&sample](ui::Form& f) {
            auto* grid = ui::DBGrid::Of(f.Control<QTableView>("DBGrid1"));
            for (int r = 0; r < grid->RowCount(); ++r)
                if (grid->CellText(r, 0) == sample.name) grid->SelectRow(r);
            DialogDriver::Press(f, "OKBitBtn1");
        });
        DialogDriver::Press(*form, "PrevJobBtn");
        ASSERT_EQ(d().WorkPipeTableJobName->AsString(), sample.name);
        form->OvcNotebook1->SetPageIndex(0);
        DialogDriver::Type(*form, "JobLocationDBSF", "Changed in Dunstrow");
        DialogDriver::Focus(*form, "JobDesignerDBSF");
        driver.OnceForm("TSaveForm", [](ui::Form& f) { DialogDriver::Press(f, "OKBitBtn"); });
        DialogDriver::Press(*form, "SaveJobBtn");
        ASSERT_EQ(Tul->SaveState, 2);

        EXPECT_EQ(store.NumberOf(sample.name), number);
        EXPECT_EQ(childRows(number).join("\n").toStdString(), before.join("\n").toStdString());
        d().JobPipeTable->Open();
        ASSERT_TRUE(d().JobPipeTable->Locate("JobNumber", number));
        EXPECT_EQ(d().JobPipeTableLocation->AsString(), "Changed in Dunstrow");
        d().JobPipeTable->Close();
        DialogDriver::Press(*form, "CancelJobBitBtn");
    }
}

TEST_F(GravityJobTransferTest, ImportedCalculatorJobsAreNotStoredAsGravityJobs)
{
    const JobSample lateral{"Lateral", "MANIFOLD", 4, "", 0, 5, 0, 3};
    const JobSample gates{"Gates", "GATED", 8, "", 0, 0, 0, 4};
    for (const JobSample& sample : {lateral, gates}) {
        SCOPED_TRACE(sample.name.toStdString());
        // Stored by its calculator and exported from it.
        storeJob(sample);
        const std::string before = store.StoredRows().join("\n").toStdString();
        store.MakeWorkingJob(sample);
        ASSERT_TRUE(JobTrans->ExportWorkingJob());
        store.EmptyWorkingTables();

        driver.OnceForm("TJobListForm", [](ui::Form& f) { DialogDriver::Press(f, "ImportJobBtn"); });
        DialogDriver::Press(*form, "PrevJobBtn");
        ASSERT_EQ(d().WorkPipeTableJobName->AsString(), sample.name);
        driver.OnceForm("TSaveForm", [](ui::Form& f) { DialogDriver::Press(f, "OKBitBtn"); });
        DialogDriver::Press(*form, "SaveJobBtn");

        // Its calculator still finds it as it was.
        EXPECT_EQ(Tul->SaveState, 2);
        EXPECT_EQ(store.StoredRows().join("\n").toStdString(), before);
        DialogDriver::Press(*form, "CancelJobBitBtn");
    }
}

} // namespace
