// The save dialog, the job list with its import and the removal dialog,
// driven as a user would through the dialog driver.
#include "support/dialogdriver.h"
#include "support/jobstore.h"
#include "support/qt_app.h"

#include "dialogs/jobs/job_list_dialog.h"
#include "dialogs/jobs/remove_job_dialog.h"
#include "dialogs/jobs/save_job_dialog.h"
#include "mainwindow/mersol_window.h"
#include "model/job_transfer.h"
#include "platform/ui/cursor.h"
#include "platform/ui/dbgrid.h"
#include "platform/ui/notebook.h"
#include "platform/ui/radiogroup.h"
#include "platform/ui/statusbar.h"
#include "platform/report/preview.h"
#include "reports/job_list_report.h"
#include "platform/db/db.h"

#include <QAction>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>

#include <gtest/gtest.h>

using testsupport::JobSample;
using testsupport::JobStore;

namespace {

const JobSample kNorth{"North", "GRAVITY", 1, "", 6, 0, 0, 1};
const JobSample kSouth{"South", "PUMPED", 0, "CENTRIF", 4, 0, 2, 2};
const JobSample kLateral{"Lateral", "MANIFOLD", 4, "", 0, 5, 0, 3};
const JobSample kGates{"Gates", "GATED", 8, "", 0, 0, 0, 4};

// The export's notice, naming the transfer folder by its full path.
QString exportedNotice()
{
    return "The Job has been exported  to the 'Mersol Transfer' directory:\n" +
           QDir::toNativeSeparators(db::Engine::instance().AliasPath(db::kTransferAlias));
}

class JobDialogsTest : public ::testing::Test {
protected:
    void SetUp() override { testsupport::QtApp(); }
    void TearDown() override
    {
        // The window is deleted without closing it: its close would end the
        // program's single objects.
        delete mainWindow;
        MersolForm = nullptr;
    }

    TDMod& d() { return store.Dm(); }

    int Store(const JobSample& sample)
    {
        store.MakeWorkingJob(sample);
        Tul->SaveState = 0;
        EXPECT_TRUE(JobTrans->StoreWorkingJob());
        return Tul->JobNumber;
    }

    TMersolForm* MainWindow()
    {
        if (!mainWindow) {
            mainWindow = new TMersolForm();
            MersolForm = mainWindow;
        }
        return mainWindow;
    }

    template <class Dlg>
    void ShowModal(Dlg*& pointer)
    {
        pointer = new Dlg(mainWindow);
        pointer->ShowModal();
        delete pointer;
        pointer = nullptr;
    }

    // Shows the job list with a filter mode and acts on it.
    void ShowJobList(int filterMode, DialogDriver::FormAction act)
    {
        d().JobFilterMode = filterMode;
        driver.OnceForm("TJobListForm", std::move(act));
        ShowModal(JobListForm);
    }

    static QStringList GridNames(ui::Form& f)
    {
        auto* grid = ui::DBGrid::Of(f.Control<QTableView>("DBGrid1"));
        QStringList names;
        for (int r = 0; r < grid->RowCount(); ++r)
            names << grid->CellText(r, grid->View()->model()->columnCount() == 3 ? 1 : 0);
        return names;
    }

    static void SelectRow(ui::Form& f, int row)
    {
        ui::DBGrid::Of(f.Control<QTableView>("DBGrid1"))->SelectRow(row);
    }

    DialogDriver driver;
    JobStore store;
    TMersolForm* mainWindow = nullptr;
};

} // namespace

// ---- save dialog ---------------------------------------------------------

TEST_F(JobDialogsTest, YesStoresTheJobWithTheJobObjectsDateAndLetsTheWindowReviewIt)
{
    TMersolForm* w = MainWindow();
    w->PrevJobBtn->setEnabled(false);
    w->NewJobBtn->setEnabled(false);
    store.MakeWorkingJob(kNorth);
    Tul->SaveState = 0;
    Tul->JobName = "North";
    Tul->Date = "06/01/2005";
    d().WorkTablesFree = false;

    QString shownName, note;
    driver.OnForm("TSaveForm", [&](ui::Form& f) {
        shownName = f.Control<QLabel>("work")->text();
        note = f.Control<QPlainTextEdit>("Memo1")->toPlainText();
        EXPECT_EQ(f.Caption(), "Save Job?");
        DialogDriver::Enter(f);   // Yes is the default button
    });
    ShowModal(SaveForm);

    EXPECT_EQ(shownName, "North");
    EXPECT_EQ(note, "To save changes to current job, press the YES button.");
    EXPECT_EQ(Tul->SaveState, 2);
    const int number = store.NumberOf("North");
    ASSERT_NE(number, 0);
    EXPECT_EQ(Tul->JobNumber, number);
    EXPECT_EQ(JobStore::CountRows(d().JobProfTable, number), kNorth.nodes);
    EXPECT_EQ(JobStore::CountRows(d().JobGatedTable, number), 1);
    EXPECT_TRUE(w->PrevJobBtn->isEnabled());
    EXPECT_TRUE(w->NewJobBtn->isEnabled());
    store.EmptyWorkingTables();
    ASSERT_TRUE(JobTrans->LoadStoredJob());
    EXPECT_EQ(d().WorkPipeTableDate->AsString(), "06/01/2005");
    EXPECT_TRUE(SaveForm == nullptr);
}

TEST_F(JobDialogsTest, NoAndEscStoreNothingAndTheCloseBoxKeepsTheSaveState)
{
    store.MakeWorkingJob(kNorth);
    d().WorkTablesFree = true;
    for (const char* how : {"No", "Esc", "CloseBox"}) {
        Tul->SaveState = 0;
        QString note;
        driver.OnceForm("TSaveForm", [&](ui::Form& f) {
            note = f.Control<QPlainTextEdit>("Memo1")->toPlainText();
            if (QString(how) == "No")
                DialogDriver::Press(f, "NoBitBtn");
            else if (QString(how) == "Esc")
                DialogDriver::Escape(f);
            else
                DialogDriver::CloseBox(f);
        });
        ShowModal(SaveForm);
        EXPECT_EQ(Tul->SaveState, QString(how) == "CloseBox" ? 0 : 2) << how;
        EXPECT_TRUE(note.startsWith("Note:\nThe current pipeline job will \n")) << how;
    }
    EXPECT_TRUE(store.StoredRows().isEmpty());
}

TEST_F(JobDialogsTest, AnEmptyJobObjectDateLeavesTheHeadersDate)
{
    store.MakeWorkingJob(kNorth);
    d().WorkPipeTable->Edit();
    d().WorkPipeTableDate->SetAsString("01/02/2004");
    d().WorkPipeTable->Post();
    Tul->Date.clear();
    Tul->SaveState = 0;
    driver.OnceForm("TSaveForm", [](ui::Form& f) { DialogDriver::Press(f, "OKBitBtn"); });
    ShowModal(SaveForm);
    store.EmptyWorkingTables();
    ASSERT_TRUE(JobTrans->LoadStoredJob());
    EXPECT_EQ(Tul->Date, "01/02/2004");
}

TEST_F(JobDialogsTest, ExportTellsWhereTheJobWentAndKeepsTheSaveState)
{
    store.MakeWorkingJob(kSouth);
    Tul->SaveState = 1;
    driver.OnceForm("TSaveForm", [](ui::Form& f) {
        DialogDriver::Press(f, "HelpExport");
        DialogDriver::Press(f, "ExportBtn");
    });
    ShowModal(SaveForm);
    EXPECT_EQ(driver.HelpContexts(), std::vector<int>{18});
    ASSERT_EQ(driver.MessageTexts(), QStringList{exportedNotice()});
    EXPECT_EQ(driver.Messages().front().type, ui::MsgType::Information);
    // The folder named is where the job went.
    const QString folder = QDir::fromNativeSeparators(exportedNotice().section('\n', 1));
    EXPECT_TRUE(QDir(folder).isAbsolute());
    EXPECT_FALSE(QDir(folder).entryList(QDir::Files).isEmpty());
    EXPECT_EQ(Tul->SaveState, 1);
    EXPECT_EQ(JobStore::Rows(d().TransSuctionTable).size(), 2);
    EXPECT_TRUE(store.StoredRows().isEmpty());
}

TEST_F(JobDialogsTest, YesWithABlankNameSaysSoStoresNothingAndStaysOpen)
{
    JobSample blank = kNorth;
    blank.name = " ";
    store.MakeWorkingJob(blank);
    Tul->SaveState = 0;
    bool stayedOpen = false;
    driver.OnceForm("TSaveForm", [&](ui::Form& f) {
        DialogDriver::Press(f, "OKBitBtn");
        stayedOpen = f.isVisible();
        DialogDriver::Press(f, "ExportBtn");
    });
    ShowModal(SaveForm);
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(driver.MessageTexts(), (QStringList{"You must enter a Job Name", exportedNotice()}));
    EXPECT_EQ(Tul->SaveState, 0);
    EXPECT_TRUE(store.StoredRows().isEmpty());
}

// ---- job list ------------------------------------------------------------

TEST_F(JobDialogsTest, ListShowsTheOpenersKindOfJobsByNameAndHandsBackThePickedOne)
{
    const int south = Store(kSouth);
    Store(kNorth);
    Store(kLateral);
    Store(kGates);

    QStringList shown;
    ShowJobList(1, [&](ui::Form& f) {
        EXPECT_EQ(f.Caption(), "Select Existing Job to View or Edit");
        shown = GridNames(f);
        SelectRow(f, 1);
        EXPECT_EQ(f.Control<QLabel>("DBText1")->text(), "South");
        DialogDriver::Press(f, "OKBitBtn1");
    });
    EXPECT_EQ(shown, (QStringList{"North", "South"}));
    EXPECT_FALSE(Tul->JobListCancelled);
    EXPECT_EQ(Tul->JobName, "South");
    EXPECT_EQ(Tul->JobNumber, south);
    EXPECT_FALSE(d().JobPipeTable->Active());
    EXPECT_FALSE(d().JobPipeTable->Filtered());
    EXPECT_EQ(d().JobPipeTable->IndexName(), "");

    ShowJobList(0, [&](ui::Form& f) {
        shown = GridNames(f);
        DialogDriver::Press(f, "CancelBitBtn2");
    });
    EXPECT_EQ(shown, QStringList{"Lateral"});
    EXPECT_TRUE(Tul->JobListCancelled);

    Tul->JobListCancelled = false;
    ShowJobList(3, [&](ui::Form& f) {
        shown = GridNames(f);
        DialogDriver::Escape(f);
    });
    EXPECT_EQ(shown, QStringList{"Gates"});
    EXPECT_TRUE(Tul->JobListCancelled);

    // The close box takes the row the list stands on, as OK does.
    Tul->JobListCancelled = false;
    ShowJobList(1, [](ui::Form& f) { DialogDriver::CloseBox(f); });
    EXPECT_FALSE(Tul->JobListCancelled);
    EXPECT_EQ(Tul->JobName, "North");
}

TEST_F(JobDialogsTest, PickedJobOfASharedNameLoadsItsOwnRows)
{
    // A store from before names were kept unique: b is renamed in place.
    JobSample first = kNorth, second = kSouth;
    Store(first);
    const int b = Store(second);
    db::Table* jobs = d().JobPipeTable;
    if (!jobs->Active()) jobs->Open();
    ASSERT_TRUE(jobs->Locate("JobNumber", b));
    jobs->Edit();
    d().JobPipeTableJobName->SetAsString(first.name);
    jobs->Post();
    jobs->Close();
    second.name = first.name;
    store.MakeWorkingJob(second);
    const QStringList rows = store.WorkingJobRows();
    store.EmptyWorkingTables();

    ShowJobList(1, [&](ui::Form& f) {
        // Same names: the grid's order among them is the table's; pick b's row.
        for (int r = 0; r < 2; ++r) {
            SelectRow(f, r);
            if (d().JobPipeTableJobNumber->AsInteger() == b)
                break;
        }
        emit f.Control<QTableView>("DBGrid1")->doubleClicked({});
    });
    ASSERT_FALSE(Tul->JobListCancelled);
    EXPECT_EQ(Tul->JobNumber, b);
    ASSERT_TRUE(JobTrans->LoadStoredJob());
    EXPECT_EQ(store.WorkingJobRows(), rows);
}

TEST_F(JobDialogsTest, OkOnAnEmptyListActsAsCancel)
{
    for (bool doubleClick : {false, true}) {
        Tul->JobListCancelled = false;
        Tul->JobName = "Before";
        ShowJobList(1, [&](ui::Form& f) {
            if (doubleClick)
                emit f.Control<QTableView>("DBGrid1")->doubleClicked({});
            else
                DialogDriver::Press(f, "OKBitBtn1");
        });
        EXPECT_TRUE(Tul->JobListCancelled);
        EXPECT_EQ(Tul->JobName, "Before");
    }
    // A store that only holds other kinds of jobs is empty for this list.
    Store(kLateral);
    Tul->JobListCancelled = false;
    ShowJobList(1, [](ui::Form& f) { DialogDriver::Press(f, "OKBitBtn1"); });
    EXPECT_TRUE(Tul->JobListCancelled);
}

TEST_F(JobDialogsTest, EnterInTheGridPicksTheJobAndReportPreviewsTheList)
{
    Store(kNorth);
    QStringList listed;
    ui::Cursor inPreview = ui::Cursor::Default;
    const auto old = report::SetPreviewHook([&](report::Document& d, QWidget*) {
        EXPECT_TRUE(QRJobList != nullptr);
        listed = report::RenderDump(d).TextsOf("QRDBText1");
        inPreview = ui::ScreenCursor();
    });
    ASSERT_EQ(ui::ScreenCursor(), ui::Cursor::Default);
    Tul->JobListCancelled = false;
    ShowJobList(1, [&](ui::Form& f) {
        DialogDriver::Press(f, "ReportBitBtn3");
        DialogDriver::Focus(f, "DBGrid1");
        DialogDriver::Enter(f);   // as a double click: the job is picked
    });
    report::SetPreviewHook(old);
    EXPECT_FALSE(Tul->JobListCancelled);
    EXPECT_EQ(Tul->JobName, "North");
    EXPECT_EQ(driver.FormsShown(), QStringList{"TJobListForm"});
    EXPECT_EQ(listed.size(), 1);
    EXPECT_TRUE(QRJobList == nullptr);
    // The preview's arrow goes with the report: the program keeps its cursor.
    EXPECT_EQ(inPreview, ui::Cursor::Arrow);
    EXPECT_EQ(ui::ScreenCursor(), ui::Cursor::Default);
}

TEST_F(JobDialogsTest, ImportFromAnEmptyStoreFillsTheWorkingJobAndTheMainWindow)
{
    TMersolForm* w = MainWindow();
    w->SaveJobBtn->setEnabled(false);
    w->CancelJobBitBtn->setEnabled(false);
    w->SaveJob1->setEnabled(false);
    w->OvcNotebook1->setEnabled(false);
    // The system data shown for the imported job lay out the panel anew.
    w->EntranceDataGroupBox->setTitle(QString());
    w->SysTypeRadioGroup->SetItemIndex(-1);

    store.MakeWorkingJob(kSouth);
    d().WorkPipeTable->Edit();
    d().WorkPipeTableDate->SetAsString("07/04/2005");
    d().WorkPipeTable->Post();
    const QStringList rows = store.WorkingJobRows();
    ASSERT_TRUE(JobTrans->ExportWorkingJob());
    store.SwitchToEmptyDatabase();

    ShowJobList(1, [](ui::Form& f) { DialogDriver::Press(f, "ImportJobBtn"); });

    EXPECT_FALSE(Tul->JobListCancelled);
    EXPECT_EQ(store.WorkingJobRows(), rows);
    EXPECT_EQ(Tul->JobName, "South");
    EXPECT_EQ(Tul->JobNumber, 0);
    EXPECT_EQ(Tul->Date, "07/04/2005");
    EXPECT_EQ(Tul->SaveState, 0);
    EXPECT_EQ(d().JobFilterMode, 2);
    EXPECT_FALSE(w->EntranceDataGroupBox->title().isEmpty());
    EXPECT_NE(w->SysTypeRadioGroup->ItemIndex(), -1);
    EXPECT_TRUE(w->JobImported);
    EXPECT_EQ(w->MainStatusBar->PanelText(0), "Edit job data");
    EXPECT_EQ(w->OvcNotebook1->currentIndex(), 0);
    EXPECT_TRUE(w->OvcNotebook1->isEnabled());
    EXPECT_TRUE(w->SaveJobBtn->isEnabled());
    EXPECT_TRUE(w->CancelJobBitBtn->isEnabled());
    EXPECT_TRUE(w->SaveJob1->isEnabled());
    EXPECT_FALSE(d().JobPipeTable->Active());
}

TEST_F(JobDialogsTest, ImportKeepsItsOwnJobWhateverRowTheListStoodOn)
{
    const int north = Store(kNorth);
    store.MakeWorkingJob(kSouth);
    ASSERT_TRUE(JobTrans->ExportWorkingJob());
    ShowJobList(1, [](ui::Form& f) {
        SelectRow(f, 0);   // North
        DialogDriver::Press(f, "ImportJobBtn");
    });
    EXPECT_EQ(Tul->JobName, "South");
    EXPECT_EQ(Tul->JobNumber, 0);
    EXPECT_EQ(JobStore::CountRows(d().JobPipeTable, north), 1);

    // Saved, it becomes a job of its own; North keeps its rows.
    ASSERT_TRUE(JobTrans->StoreWorkingJob());
    EXPECT_NE(Tul->JobNumber, north);
    EXPECT_EQ(JobStore::CountRows(d().JobProfTable, north), kNorth.nodes);
}

// ---- removal dialog --------------------------------------------------------

TEST_F(JobDialogsTest, DeleteAsksByNameAndRemovesOnlyThatJob)
{
    Store(kNorth);
    const QStringList northOnly = store.StoredRows();
    const int south = Store(kSouth);
    const QStringList both = store.StoredRows();

    driver.OnceForm("TRemoveJobsDlg", [&](ui::Form& f) {
        EXPECT_EQ(f.Caption(), "Remove Jobs");
        EXPECT_EQ(f.Control<QLabel>("Label1")->text(), "Select a  Job to Remove");
        SelectRow(f, 1);   // South, in name order
        driver.Answer(ui::mrNo);
        DialogDriver::Press(f, "DeleteBitBtn");
        EXPECT_EQ(store.StoredRows(), both);
        driver.Answer(ui::mrYes);
        DialogDriver::Press(f, "DeleteBitBtn");
        EXPECT_TRUE(f.isVisible());   // stays open for more
        DialogDriver::Press(f, "ReturnBitBtn");
    });
    ShowModal(RemoveJobsDlg);

    EXPECT_EQ(driver.MessageTexts(), (QStringList{"DELETE: South??", "DELETE: South??"}));
    EXPECT_EQ(driver.Messages().front().type, ui::MsgType::Confirmation);
    EXPECT_EQ(store.StoredRows(), northOnly);
    EXPECT_EQ(JobStore::CountRows(d().JobSuctionTable, south), 0);
    for (db::Table* t : {d().JobPipeTable, d().JobProfTable, d().JobGatedTable, d().JobSuctionTable, d().JobTrickleTable})
        EXPECT_FALSE(t->Active());
    EXPECT_EQ(d().JobPipeTable->IndexName(), "");
}

TEST_F(JobDialogsTest, RemovingTheLoadedJobLeavesNothingToSaveButANamesakeDoesNot)
{
    JobSample namesake = kLateral;
    namesake.name = kNorth.name;
    const int other = Store(namesake);
    const int north = Store(kNorth);
    ASSERT_NE(other, north);
    // North is the job in the working tables.
    Tul->JobNumber = north;
    Tul->JobName = "North";
    Tul->SaveState = 1;

    auto removeNumber = [&](int number) {
        driver.OnceForm("TRemoveJobsDlg", [&, number](ui::Form& f) {
            for (int r = 0; r < 2; ++r) {
                SelectRow(f, r);
                if (d().JobPipeTableJobNumber->AsInteger() == number)
                    break;
            }
            driver.Answer(ui::mrYes);
            DialogDriver::Press(f, "DeleteBitBtn");
            DialogDriver::Press(f, "ReturnBitBtn");
        });
        ShowModal(RemoveJobsDlg);
    };
    removeNumber(other);
    EXPECT_EQ(Tul->JobNumber, north);
    EXPECT_EQ(Tul->SaveState, 1);
    removeNumber(north);
    EXPECT_EQ(Tul->JobNumber, 0);
    EXPECT_EQ(Tul->JobName, "North");
    EXPECT_EQ(Tul->SaveState, 2);   // a save would bring the deleted job back
    EXPECT_TRUE(store.StoredRows().isEmpty());
}

TEST_F(JobDialogsTest, DeleteOnAnEmptyStoreAndCancelLeaveTheTablesAsTheyAre)
{
    driver.OnceForm("TRemoveJobsDlg", [&](ui::Form& f) {
        driver.Answer(ui::mrYes);
        DialogDriver::Press(f, "DeleteBitBtn");
        DialogDriver::Press(f, "CancelBitBtn");
    });
    ShowModal(RemoveJobsDlg);
    EXPECT_EQ(driver.MessageTexts(), QStringList{"DELETE: ??"});
    EXPECT_TRUE(Tul->Cancelled);
    EXPECT_TRUE(d().JobPipeTable->Active());
    EXPECT_FALSE(d().JobPipeTable->Filtered());
    EXPECT_EQ(d().JobPipeTable->IndexName(), "JobNameIndex");
    EXPECT_TRUE(d().JobTrickleTable->Active());
}
