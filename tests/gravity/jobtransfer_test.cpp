// Jobs with a gated-pipe or manifold end, stored by Mersol, reviewed and
// saved again by the gravity designer: nothing of them is lost on the way.
#include "support/dialogdriver.h"
#include "support/jobstore.h"
#include "support/qt_app.h"
#include "support/running_program.h"

#include "dialogs/jobs/save_job_dialog.h"
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
    // The job as it was exported to the transfer directory; the working
    // tables are left empty.
    void exportJob(const JobSample& sample)
    {
        store.MakeWorkingJob(sample);
        ASSERT_TRUE(JobTrans->ExportWorkingJob());
        store.EmptyWorkingTables();
    }
    // Previous Job, importing from its list; `listed` gets the names it showed.
    void importFromJobList(QStringList* listed = nullptr)
    {
        driver.OnceForm("TJobListForm", [listed](ui::Form& f) {
            auto* grid = ui::DBGrid::Of(f.Control<QTableView>("DBGrid1"));
            for (int r = 0; listed && r < grid->RowCount(); ++r) *listed << grid->CellText(r, 0);
            DialogDriver::Press(f, "ImportJobBtn");
        });
        DialogDriver::Press(*form, "PrevJobBtn");
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
                const QStringList items = row.section(QStringLiteral(": "), 1).split(QStringLiteral("; "));
                // An invert worked out from the ground (and the depth) is the
                // run's to set; one entered directly is the user's.
                const bool invertEntered = !items.contains(QStringLiteral("InvElMethod=0")) &&
                                           !items.contains(QStringLiteral("InvElMethod=2"));
                QStringList kept;
                for (const QString& item : items) {
                    const QString name = item.section(QLatin1Char('='), 0, 0);
                    if (entered.contains(name) && (name != QLatin1String("InvertElev") || invertEntered)) kept << item;
                }
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
        exportJob(sample);
        importFromJobList();
        ASSERT_EQ(d().WorkPipeTableJobName->AsString(), sample.name);
        driver.ClearLog();
        driver.OnceForm("TSaveForm", [](ui::Form& f) { DialogDriver::Press(f, "OKBitBtn"); });
        DialogDriver::Press(*form, "SaveJobBtn");

        // The user is told, and its calculator still finds it as it was.
        ASSERT_EQ(driver.Messages().size(), 1u);
        EXPECT_EQ(driver.Messages().front().type, ui::MsgType::Warning);
        EXPECT_TRUE(driver.MessageTexts().front().startsWith("The job " + sample.name + " is a "));
        EXPECT_TRUE(driver.MessageTexts().front().endsWith("so it has not been saved."));
        EXPECT_EQ(Tul->SaveState, 2);
        EXPECT_EQ(store.StoredRows().join("\n").toStdString(), before);
        DialogDriver::Press(*form, "CancelJobBitBtn");
    }
}

TEST_F(GravityJobTransferTest, ImportedPumpedJobReplacesItsStoredOriginalOnlyAfterAYes)
{
    const JobSample pumped{"Hill Pump", "PUMPED", 0, "CENTRIF", 4, 0, 2, 5};
    int number = 0;
    {
        // Stored by Mersol, with its suction line.
        testsupport::RunningAs mersol(Program::Mersol);
        number = storeJob(pumped);
    }
    ASSERT_EQ(JobStore::CountRows(d().JobSuctionTable, number), 2);
    const QStringList storedBefore = store.StoredRows();
    exportJob(pumped);
    importFromJobList();
    ASSERT_EQ(d().WorkPipeTableJobName->AsString(), pumped.name);
    EXPECT_EQ(d().WorkPipeTableSysType->AsString(), "GRAVITY");
    EXPECT_EQ(Tul->SaveState, 1);   // the stored job of its name is the one a save replaces

    const QString question = QStringLiteral(
        "The stored job Hill Pump is a PUMPED job; this one is a GRAVITY job.  "
        "Do you want to replace the stored job with it?");
    // No: nothing is stored and the prompt stays until it is left.
    driver.ClearLog();
    driver.Answer(ui::mrNo);
    bool promptStayed = false;
    driver.OnceForm("TSaveForm", [&promptStayed](ui::Form& f) {
        DialogDriver::Press(f, "OKBitBtn");
        promptStayed = f.isVisible();
        DialogDriver::Press(f, "NoBitBtn");
    });
    DialogDriver::Press(*form, "SaveJobBtn");
    EXPECT_EQ(driver.MessageTexts(), QStringList{question});
    EXPECT_TRUE(promptStayed);
    EXPECT_EQ(store.StoredRows(), storedBefore);

    // Yes: the gravity job takes its number, without the pump's suction line.
    form->OvcNotebook1->SetPageIndex(0);
    DialogDriver::Type(*form, "JobLocationDBSF", "Now by gravity");
    DialogDriver::Focus(*form, "JobDesignerDBSF");
    ASSERT_EQ(Tul->SaveState, 1);
    driver.ClearLog();
    driver.Answer(ui::mrYes);
    driver.OnceForm("TSaveForm", [](ui::Form& f) { DialogDriver::Press(f, "OKBitBtn"); });
    DialogDriver::Press(*form, "SaveJobBtn");
    EXPECT_EQ(driver.MessageTexts(), QStringList{question});
    EXPECT_EQ(Tul->SaveState, 2);
    EXPECT_EQ(store.NumberOf(pumped.name), number);
    d().JobPipeTable->Open();
    ASSERT_TRUE(d().JobPipeTable->Locate("JobNumber", number));
    EXPECT_EQ(d().JobPipeTableSysType->AsString(), "GRAVITY");
    EXPECT_EQ(d().JobPipeTableLocation->AsString(), "Now by gravity");
    d().JobPipeTable->Close();
    EXPECT_EQ(JobStore::CountRows(d().JobProfTable, number), 4);
    EXPECT_EQ(JobStore::CountRows(d().JobSuctionTable, number), 0);
}

// The gravity designer's export closes its prompt without a word.
TEST_F(GravityJobTransferTest, ExportClosesThePromptSilently)
{
    const JobSample sample{"Outbound", "GRAVITY", 1, "", 3, 0, 0, 8};
    store.MakeWorkingJob(sample);
    const QStringList working = JobStore::Rows(d().WorkProfTable);
    Tul->SaveState = 1;
    bool closed = false;
    driver.OnceForm("TSaveForm", [&closed](ui::Form& f) {
        DialogDriver::Press(f, "ExportBtn");
        closed = !f.isVisible();
    });
    TSaveForm prompt(form);
    prompt.ShowModal();
    EXPECT_TRUE(closed);
    EXPECT_TRUE(driver.MessageTexts().isEmpty());
    EXPECT_EQ(Tul->SaveState, 1);
    EXPECT_EQ(JobStore::Rows(d().TransProfTable, d().WorkProfTable), working);
    EXPECT_EQ(JobStore::Rows(d().TransGatedTable).size(), 1);
}

// An imported job the gravity designer made a gravity job does not take the
// place of its transfer copy of another kind without a Yes; a calculator
// job is not exported from here at all, with the reason.
TEST_F(GravityJobTransferTest, ExportOfAnImportedJobOfAnotherKindAsksOrRefuses)
{
    auto transferKind = [this] {
        db::Table* t = d().TransPipeTable;
        t->Open();
        const QString kind = t->IsEmpty() ? QString() : t->FieldByName("SysType")->AsString();
        t->Close();
        return kind;
    };
    auto exportFromPrompt = [this](int answer) {
        driver.ClearLog();
        driver.Answer(answer);
        bool stayed = false;
        driver.OnceForm("TSaveForm", [&stayed](ui::Form& f) {
            DialogDriver::Press(f, "ExportBtn");
            stayed = f.isVisible();
            if (stayed) DialogDriver::Press(f, "NoBitBtn");
        });
        Tul->SaveState = 1;
        DialogDriver::Press(*form, "SaveJobBtn");
        return stayed;
    };

    storeJob({"Kept", "GRAVITY", 0, "", 3, 0, 0, 9});   // Previous Job has a list to show
    exportJob({"Lateral", "MANIFOLD", 4, "", 0, 5, 0, 3});
    importFromJobList();
    EXPECT_TRUE(exportFromPrompt(ui::mrYes));
    EXPECT_EQ(driver.MessageTexts(), QStringList{"The job Lateral is a manifold calculator job.  It can only be "
                                                 "exported by its calculator in Mersol, so it has not been exported."});
    EXPECT_EQ(transferKind(), "MANIFOLD");

    DialogDriver::Press(*form, "CancelJobBitBtn");
    exportJob({"Hill Pump", "PUMPED", 0, "CENTRIF", 4, 0, 2, 5});
    importFromJobList();
    EXPECT_TRUE(exportFromPrompt(ui::mrNo));
    EXPECT_EQ(driver.MessageTexts(), QStringList{"The transfer folder holds the job Hill Pump as a PUMPED job; this one "
                                                 "is a GRAVITY job.  Do you want to replace it with this one?"});
    EXPECT_EQ(transferKind(), "PUMPED");
    EXPECT_FALSE(exportFromPrompt(ui::mrYes));
    EXPECT_EQ(transferKind(), "GRAVITY");
}

TEST_F(GravityJobTransferTest, BoosterJobIsNotListedButCanBeImported)
{
    const JobSample booster{"Lift", "GRAVITY", 0, "INLINE BOOSTER", 3, 0, 0, 6};
    storeJob(booster);
    storeJob({"Plain", "GRAVITY", 0, "", 3, 0, 0, 7});
    exportJob(booster);
    QStringList listed;
    importFromJobList(&listed);
    EXPECT_EQ(listed, QStringList{"Plain"});
    EXPECT_TRUE(form->JobImported);
    EXPECT_EQ(d().WorkPipeTableJobName->AsString(), booster.name);
    EXPECT_EQ(d().WorkPipeTablePumpType->AsString(), "INLINE BOOSTER");
    d().WorkProfTable->Open();
    EXPECT_EQ(d().WorkProfTable->RecordCount(), 3);
}

} // namespace
