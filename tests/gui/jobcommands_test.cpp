// Job commands of the main window and the job header fields.
#include "support/jobwindow.h"
#include "support/journey.h"

#include "dialogs/jobs/job_list_dialog.h"
#include "model/job_transfer.h"
#include "dialogs/system/known_flow_dialog.h"
#include "platform/ui/cursor.h"
#include "platform/ui/dbgrid.h"
#include "platform/ui/notebook.h"
#include "platform/ui/radiogroup.h"
#include "platform/ui/statusbar.h"

#include <QApplication>
#include <QTest>
#include <QCheckBox>
#include <QDate>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>

namespace {

using testsupport::JobWindowTest;

class JobCommandsTest : public JobWindowTest {
protected:
    // Answers the next job list by picking the row shown at `row`.
    void pickJob(int row)
    {
        driver.OnceForm("TJobListForm", [row](ui::Form& f) {
            ui::DBGrid::Of(f.Control<QTableView>("DBGrid1"))->SelectRow(row);
            DialogDriver::Press(f, "OKBitBtn1");
        });
    }
};

TEST_F(JobCommandsTest, NewJobStartsAnEmptyJobWithTheDefaultSystemType)
{
    // Leftovers of an earlier job in the working tables.
    addRow(DMod->WorkProfTable, {{"Station", 0.0}});
    addRow(DMod->WorkProfTable, {{"Station", 500.0}});
    addRow(DMod->WorkPipeTable, {{"JobName", "Old"}, {"SysType", "PUMPED"}});
    addRow(DMod->WorkSuctionTable, {{"SegmentNo", 1}});

    DialogDriver::Press(*form, "NewJobBtn");

    EXPECT_TRUE(driver.FormsShown().isEmpty());   // nothing to save after start
    EXPECT_FALSE(DMod->WorkTablesFree);
    EXPECT_EQ(Tul->SaveState, 0);
    EXPECT_TRUE(Tul->NewJob);
    EXPECT_FALSE(Tul->StoredJob);
    EXPECT_FALSE(Tul->PrevJobLoaded);
    EXPECT_EQ(DMod->WorkProfTable->RecordCount(), 0);
    EXPECT_EQ(DMod->WorkSuctionTable->Active() ? DMod->WorkSuctionTable->RecordCount() : -1, -1);
    ASSERT_EQ(DMod->WorkPipeTable->RecordCount(), 1);
    EXPECT_EQ(DMod->WorkPipeTableJobName->AsString(), "");
    EXPECT_EQ(DMod->WorkPipeTableSysType->AsString(), "GRAVITY");
    EXPECT_EQ(form->SysTypeRadioGroup->ItemIndex(), 0);
    const QString today = QDate::currentDate().toString("MM/dd/yyyy");
    EXPECT_EQ(Tul->Date, today);
    EXPECT_EQ(DMod->WorkPipeTableDate->AsString(), today);
    EXPECT_FALSE(DMod->WorkPipeTableNoEnd->IsNull());
    EXPECT_FALSE(DMod->WorkPipeTableNoEnd->AsBoolean());
    // The shipped local defaults ask for no detailed minor losses.
    EXPECT_FALSE(Tul->DetailedML);
    EXPECT_FALSE(DMod->WorkPipeTableDetailedML->AsBoolean());
    EXPECT_FALSE(form->DetMLCheckBox->isChecked());
    EXPECT_EQ(DMod->WorkPipeTable->State(), db::DataSetState::Edit);

    EXPECT_TRUE(form->OvcNotebook1->isEnabled());
    EXPECT_EQ(form->OvcNotebook1->PageIndex(), 0);
    EXPECT_TRUE(form->ScrollBox1->isVisible());
    EXPECT_FALSE(form->MersolImage->isVisible());
    EXPECT_FALSE(form->EntranceDataGroupBox->isVisible());
    EXPECT_TRUE(form->SaveJobBtn->isEnabled());
    EXPECT_TRUE(form->SaveJob1->isEnabled());
    EXPECT_TRUE(form->CancelJobBitBtn->isEnabled());
    // Turning the notebook back to the job page leaves its own status.
    EXPECT_EQ(form->MainStatusBar->PanelText(0), "Enter/edit job data");
    EXPECT_EQ(focused(), form->JobNameDBEdit);
}

TEST_F(JobCommandsTest, NewJobWithAnUnknownDefaultSystemTypeLeavesTheChoiceOpen)
{
    setDefaults({{"SysType", "Pressurized lateral, known flow"}, {"MinorLossDetail", true}});
    form->SysTypeRadioGroup->SetItemIndex(2);
    DialogDriver::Press(*form, "NewJobBtn");
    EXPECT_EQ(form->SysTypeRadioGroup->ItemIndex(), -1);
    EXPECT_EQ(DMod->WorkPipeTableSysType->AsString(), "");
    EXPECT_TRUE(Tul->DetailedML);
    EXPECT_TRUE(form->DetMLCheckBox->isChecked());
    EXPECT_TRUE(DMod->WorkPipeTableDetailedML->AsBoolean());

    // Each of the four default texts picks its item and keyword.
    const char* texts[] = {"Gravity system, known flow", "Gravity system, maximum flow", "Pumped system, known flow",
                           "Pressurized system, known flow"};
    const char* keywords[] = {"GRAVITY", "FULLFLOW", "PUMPED", "PRESSURE"};
    for (int i = 0; i < 4; ++i) {
        setDefaults({{"SysType", texts[i]}});
        Tul->SaveState = 2;
        DialogDriver::Press(*form, "NewJobBtn");
        EXPECT_EQ(form->SysTypeRadioGroup->ItemIndex(), i) << texts[i];
        EXPECT_EQ(DMod->WorkPipeTableSysType->AsString(), keywords[i]);
    }
}

TEST_F(JobCommandsTest, NewJobOffersTheSaveOfAJobWithChangesFirst)
{
    newNamedJob("Smith");
    EXPECT_EQ(Tul->SaveState, 0);
    DialogDriver::Press(*form, "NewJobBtn");
    EXPECT_EQ(driver.FormsShown(), QStringList{"TSaveForm"});
    EXPECT_EQ(DMod->WorkPipeTableJobName->AsString(), "");
    EXPECT_EQ(Tul->JobName, "");
}

TEST_F(JobCommandsTest, ANewNameIsAnnouncedAndTheJobWillBeStoredAsNew)
{
    DialogDriver::Press(*form, "NewJobBtn");
    DialogDriver::Type(*form, "JobNameDBEdit", "Smith Ranch");
    EXPECT_TRUE(form->JobNameEntered);
    DialogDriver::Press(*form, "SelSystemEditBtn");   // leaving the name by any way checks it
    EXPECT_EQ(driver.MessageTexts(), QStringList{"Job will be saved as Smith Ranch."});
    EXPECT_EQ(driver.Messages()[0].type, ui::MsgType::Information);
    EXPECT_EQ(Tul->JobName, "Smith Ranch");
    EXPECT_EQ(Tul->SaveState, 0);
    EXPECT_EQ(form->MainStatusBar->PanelText(1), "Job Name: Smith Ranch");
    // The check sends the focus on to the location, so the button is not pressed.
    EXPECT_EQ(focused(), form->JobLocationDBSF);
    EXPECT_EQ(driver.FormsShown(), QStringList{});
    // The name reached the table.
    DMod->WorkPipeTable->Post();
    EXPECT_EQ(DMod->WorkPipeTableJobName->AsString(), "Smith Ranch");
}

TEST_F(JobCommandsTest, FieldsAfterTheNameRefuseToBeFilledWithoutIt)
{
    DialogDriver::Press(*form, "NewJobBtn");
    Tul->SaveState = 2;   // to see that nothing gets marked
    for (const char* field : {"JobLocationDBSF", "JobDesignerDBSF", "JobClassDBSF"}) {
        driver.ClearLog();
        DialogDriver::Focus(*form, field);
        EXPECT_EQ(driver.MessageTexts(), QStringList{"You must enter a Job Name"}) << field;
        EXPECT_EQ(driver.Messages()[0].type, ui::MsgType::Error);
        // The class field's own exit sends the focus on to the System button.
        EXPECT_EQ(focused(), QString(field) == "JobClassDBSF" ? static_cast<QWidget*>(form->SelSystemEditBtn)
                                                              : form->JobNameDBEdit)
            << field;
        DialogDriver::Focus(*form, "JobNameDBEdit");
        // Coming back to the empty name marks the job; reset for the next field.
        Tul->SaveState = 2;
    }
    // Land user and ID take no name first, and mark the job changed.
    driver.ClearLog();
    DialogDriver::Focus(*form, "LanduserDBSF");
    EXPECT_TRUE(driver.Messages().empty());
    EXPECT_EQ(Tul->SaveState, 1);

    driver.ClearLog();
    DialogDriver::Press(*form, "SelSystemEditBtn");
    EXPECT_EQ(driver.MessageTexts(), QStringList{"You must enter a Job Name"});
    EXPECT_EQ(focused(), form->JobNameDBEdit);
    EXPECT_TRUE(driver.FormsShown().isEmpty());
}

TEST_F(JobCommandsTest, ExistingNameAsksTwiceBeforeTheStoredJobIsReplaced)
{
    const int smith = storeJob("Smith", 3);
    const int jones = storeJob("Jones", 2);
    addRow(DMod->JobGatedTable, {{"JobNumber", smith}});
    addRow(DMod->JobGatedTable, {{"JobNumber", jones}});
    DMod->JobPipeTable->Close();

    DialogDriver::Press(*form, "NewJobBtn");
    // No: back to the name.
    driver.Answer(ui::mrNo);
    DialogDriver::Type(*form, "JobNameDBEdit", "Smith");
    DialogDriver::Focus(*form, "JobLocationDBSF");
    EXPECT_EQ(driver.MessageTexts(), QStringList{"The job Smith already exists.  Do you want to replace it?"});
    EXPECT_EQ(driver.Messages()[0].type, ui::MsgType::Confirmation);
    EXPECT_EQ(driver.Messages()[0].buttons, ui::mbYesNo);
    EXPECT_EQ(focused(), form->JobNameDBEdit);

    // Yes, then No: nothing deleted, and the name keeps the focus, as two
    // jobs of one name must not be stored.
    driver.ClearLog();
    driver.Answer(ui::mrYes);
    driver.Answer(ui::mrNo);
    DialogDriver::Focus(*form, "JobDesignerDBSF");
    EXPECT_EQ(driver.MessageTexts(), (QStringList{"The job Smith already exists.  Do you want to replace it?",
                                                  "Are you sure you want to delete Smith ?"}));
    EXPECT_EQ(focused(), form->JobNameDBEdit);
    ASSERT_TRUE(DMod->JobPipeTable->Active());
    EXPECT_EQ(DMod->JobPipeTable->RecordCount(), 2);

    // Yes twice: the stored Smith goes, Jones stays whole.
    driver.ClearLog();
    DialogDriver::Focus(*form, "JobLocationDBSF");
    ASSERT_EQ(driver.Messages().size(), 2u);
    db::Table* jobs = DMod->JobPipeTable;
    EXPECT_EQ(jobs->RecordCount(), 1);
    jobs->First();
    EXPECT_EQ(DMod->JobPipeTableJobName->AsString(), "Jones");
    db::Table* prof = DMod->JobProfTable;
    if (!prof->Active()) prof->Open();
    EXPECT_EQ(prof->RecordCount(), 2);
    for (prof->First(); !prof->Eof(); prof->Next()) EXPECT_EQ(DMod->JobProfTableJobNumber->AsInteger(), jones);
    if (!DMod->JobGatedTable->Active()) DMod->JobGatedTable->Open();
    EXPECT_EQ(DMod->JobGatedTable->RecordCount(), 1);
    EXPECT_EQ(DMod->JobGatedTableJobNumber->AsInteger(), jones);
    EXPECT_EQ(Tul->JobName, "Smith");
}

TEST_F(JobCommandsTest, ASaveNeverStoresTheNameOfAnotherJob)
{
    storeJob("Smith", 3);
    DMod->JobPipeTable->Close();
    DialogDriver::Press(*form, "NewJobBtn");
    driver.Answer(ui::mrYes);
    driver.Answer(ui::mrNo);
    DialogDriver::Type(*form, "JobNameDBEdit", "Smith");
    DialogDriver::Focus(*form, "JobLocationDBSF");
    EXPECT_EQ(focused(), form->JobNameDBEdit);

    // Saved anyway from the menu, which leaves the focus where it is:
    // refused with a reason, the dialog left by No.
    driver.ClearLog();
    driver.OnceForm("TSaveForm", [](ui::Form& f) {
        DialogDriver::Press(f, "OKBitBtn");
        EXPECT_TRUE(f.isVisible());
        DialogDriver::Press(f, "NoBitBtn");
    });
    form->SaveJob1->trigger();
    EXPECT_EQ(driver.MessageTexts(),
              QStringList{"The job Smith already exists.  Please enter another Job Name."});
    db::Table* jobs = DMod->JobPipeTable;
    if (!jobs->Active()) jobs->Open();
    EXPECT_EQ(jobs->RecordCount(), 1);
    jobs->Close();
}

TEST_F(JobCommandsTest, ALoadedJobDeletedFromTheStoreLeavesTheWindowAndIsNotOfferedAgain)
{
    storeJob("Smith");
    storeJob("Jones");
    DMod->JobPipeTable->Close();
    pickJob(1);   // Smith, in name order
    DialogDriver::Press(*form, "PrevJobBtn");
    ASSERT_EQ(DMod->WorkPipeTableJobName->AsString(), "Smith");

    driver.ClearLog();
    driver.OnceForm("TRemoveJobsDlg", [&](ui::Form& f) {
        ui::DBGrid::Of(f.Control<QTableView>("DBGrid1"))->SelectRow(1);
        driver.Answer(ui::mrYes);
        DialogDriver::Press(f, "DeleteBitBtn");
        DialogDriver::Press(f, "ReturnBitBtn");
    });
    form->MaintainJobDatabase1->trigger();
    ASSERT_EQ(driver.MessageTexts(), QStringList{"DELETE: Smith??"});
    // The window shows no job, as after Cancel Job.
    EXPECT_FALSE(form->SaveJobBtn->isEnabled());
    EXPECT_FALSE(form->OvcNotebook1->isEnabled());
    EXPECT_EQ(form->MainStatusBar->PanelText(0), "Please make selection");

    // Exit offers nothing that would bring the job back.
    driver.ClearLog();
    DialogDriver::Press(*form, "ExitBtn");
    EXPECT_EQ(driver.FormsShown(), QStringList{});
    db::Table* jobs = DMod->JobPipeTable;
    if (!jobs->Active()) jobs->Open();
    EXPECT_EQ(jobs->RecordCount(), 1);
    EXPECT_FALSE(jobs->Locate("JobName", "Smith"));
}

TEST_F(JobCommandsTest, TheCurrentStoredJobsOwnNameRaisesNoQuestion)
{
    const int number = storeJob("Smith");
    loadedJob({{"JobName", "Smith"}, {"SysType", "GRAVITY"}}, number);
    form->JobNameEntered = false;
    DialogDriver::Focus(*form, "JobNameDBEdit");
    form->JobNameEntered = false;   // entering sets it; the exit tests it
    DialogDriver::Focus(*form, "LanduserDBSF");
    EXPECT_TRUE(driver.Messages().empty());
    EXPECT_EQ(focused(), form->JobLocationDBSF);   // the first pass moves to the location
    EXPECT_TRUE(form->JobNameEntered);
    EXPECT_EQ(Tul->SaveState, 1);
}

TEST_F(JobCommandsTest, RenamingALoadedJobAsksToSaveItUnderTheNewName)
{
    const int number = storeJob("Smith");
    loadedJob({{"JobName", "Smith"}, {"SysType", "GRAVITY"}}, number);
    driver.Answer(ui::mrNo);
    DialogDriver::Type(*form, "JobNameDBEdit", "Smith 2");
    DialogDriver::Focus(*form, "JobLocationDBSF");
    EXPECT_EQ(driver.MessageTexts(), QStringList{"Save job as: Smith 2?"});
    EXPECT_EQ(focused(), form->JobNameDBEdit);
    EXPECT_EQ(Tul->SaveState, 1);

    driver.ClearLog();
    driver.Answer(ui::mrYes);
    DialogDriver::Focus(*form, "JobLocationDBSF");
    EXPECT_EQ(driver.MessageTexts(), QStringList{"Save job as: Smith 2?"});
    EXPECT_EQ(Tul->SaveState, 0);
    EXPECT_EQ(focused(), form->JobLocationDBSF);
    EXPECT_EQ(form->MainStatusBar->PanelText(1), "Job Name: Smith 2");
    // The stored job keeps its name.
    DMod->JobPipeTable->First();
    EXPECT_EQ(DMod->JobPipeTableJobName->AsString(), "Smith");
}

TEST_F(JobCommandsTest, HeaderFieldsPostOnLeavingAndMoveOnAsTheirRowsSay)
{
    newNamedJob("Smith");
    DialogDriver::Focus(*form, "LanduserDBSF");
    Tul->SaveState = 2;   // as for a loaded job
    DialogDriver::Type(*form, "JobLocationDBSF", "North field");
    EXPECT_EQ(Tul->SaveState, 1);
    EXPECT_EQ(DMod->WorkPipeTable->State(), db::DataSetState::Edit);
    DialogDriver::Focus(*form, "JobDesignerDBSF");   // entering it edits the row again
    DMod->WorkPipeTable->Cancel();                     // so only what was posted remains
    EXPECT_EQ(DMod->WorkPipeTableLocation->AsString(), "North field");

    DialogDriver::Type(*form, "JobClassDBSF", "A");
    DialogDriver::Focus(*form, "IDDBDF");
    EXPECT_EQ(focused(), form->SelSystemEditBtn);
    EXPECT_EQ(DMod->WorkPipeTableJobClass->AsString(), "A");

    DialogDriver::Type(*form, "DateDBPF", "03/15/2004");
    DialogDriver::Focus(*form, "IDDBDF");
    EXPECT_EQ(Tul->Date, "03/15/2004");
    EXPECT_EQ(focused(), form->SelSystemEditBtn);

    DialogDriver::Type(*form, "JobNotesDBMemo", "Line one");
    DialogDriver::Focus(*form, "IDDBDF");
    EXPECT_EQ(focused(), form->OKBitBtn2);
    EXPECT_EQ(DMod->WorkPipeTableJobNotes->AsString(), "Line one");
    EXPECT_EQ(DMod->WorkPipeTable->State(), db::DataSetState::Browse);

    // Enter in the notes goes to OK rather than starting a new line.
    DialogDriver::Focus(*form, "JobNotesDBMemo");
    DialogDriver::Enter(*form);
    EXPECT_EQ(focused(), form->OKBitBtn2);
}

TEST_F(JobCommandsTest, DetailedLossesBoxWritesTheHeaderAndTheJob)
{
    newNamedJob("Smith");
    DialogDriver::Check(*form, "DetMLCheckBox", true);
    DialogDriver::Focus(*form, "IDDBDF");
    EXPECT_TRUE(Tul->DetailedML);
    EXPECT_EQ(focused(), form->SelSystemEditBtn);
    DMod->WorkPipeTable->Cancel();
    EXPECT_TRUE(DMod->WorkPipeTableDetailedML->AsBoolean());   // posted
    DialogDriver::Check(*form, "DetMLCheckBox", false);
    DialogDriver::Focus(*form, "IDDBDF");
    EXPECT_FALSE(Tul->DetailedML);
    DMod->WorkPipeTable->Cancel();
    EXPECT_FALSE(DMod->WorkPipeTableDetailedML->AsBoolean());
}

TEST_F(JobCommandsTest, SaveJobPostsTheHeaderAndAlwaysOpensTheSaveDialog)
{
    newNamedJob("Smith");
    DialogDriver::Type(*form, "JobDesignerDBSF", "Lee");
    Tul->JobName.clear();
    DialogDriver::Press(*form, "SaveJobBtn");
    EXPECT_EQ(driver.FormsShown(), QStringList{"TSaveForm"});
    EXPECT_EQ(Tul->JobName, "Smith");
    EXPECT_NE(DMod->WorkPipeTable->State(), db::DataSetState::Edit);
    EXPECT_EQ(DMod->WorkPipeTableDesigner->AsString(), "Lee");

    driver.ClearLog();
    Tul->SaveState = 2;
    form->SaveJob1->trigger();
    EXPECT_EQ(driver.FormsShown(), QStringList{"TSaveForm"});
}

TEST_F(JobCommandsTest, PreviousJobWithAnEmptyStoreSaysSoAndDisablesItself)
{
    newNamedJob("Smith");
    DialogDriver::Press(*form, "PrevJobBtn");
    EXPECT_EQ(driver.MessageTexts(), QStringList{"There are no previous jobs available in database."});
    EXPECT_EQ(driver.Messages()[0].type, ui::MsgType::Information);
    EXPECT_FALSE(form->PrevJobBtn->isEnabled());
    EXPECT_FALSE(DMod->JobPipeTable->Active());
    // The command goes on: the unsaved job is offered for saving and
    // cancelled, and the empty list comes back as cancelled.
    EXPECT_EQ(driver.FormsShown(), (QStringList{"TSaveForm", "TJobListForm"}));
    EXPECT_FALSE(form->CancelJobBitBtn->isEnabled());
    EXPECT_FALSE(form->OvcNotebook1->isEnabled());
}

TEST_F(JobCommandsTest, SavedJobComesBackWithPreviousJob)
{
    newNamedJob("Smith");
    DialogDriver::Type(*form, "JobDesignerDBSF", "Lee");
    driver.OnceForm("TKnownFlowDlg", [](ui::Form& d) {
        DialogDriver::Type(d, "FlowDBNF", "500");
        DialogDriver::Type(d, "OvcDbNumericField2", "4512.5");
        DialogDriver::Press(d, "OKBitBtn1");
    });
    DialogDriver::Press(*form, "SelSystemEditBtn");
    driver.OnceForm("TSaveForm", [](ui::Form& f) { DialogDriver::Press(f, "OKBitBtn"); });
    // The notes send the focus to OK on leaving, which would swallow the press.
    DialogDriver::Focus(*form, "LanduserDBSF");
    DialogDriver::Press(*form, "SaveJobBtn");
    ASSERT_EQ(Tul->SaveState, 2);
    DialogDriver::Press(*form, "CancelJobBitBtn");

    driver.ClearLog();
    pickJob(0);
    DialogDriver::Press(*form, "PrevJobBtn");
    EXPECT_EQ(driver.FormsShown(), QStringList{"TJobListForm"});   // nothing to save first
    // The job has only its entrance: the output page sends it back to the profile.
    EXPECT_EQ(driver.MessageTexts(), QStringList{"There must be an end node to compute. Please enter one."});
    EXPECT_EQ(DMod->WorkPipeTableJobName->AsString(), "Smith");
    EXPECT_EQ(DMod->WorkPipeTableDesigner->AsString(), "Lee");
    EXPECT_DOUBLE_EQ(DMod->WorkPipeTableDesignFlow->AsFloat(), 500.0);
    EXPECT_DOUBLE_EQ(DMod->WorkPipeTableWSElev->AsFloat(), 4512.5);
    EXPECT_EQ(DMod->WorkProfTable->RecordCount(), 1);
    EXPECT_EQ(DMod->WorkProfTableReachType->AsString(), "GRAVBEG");
    EXPECT_FALSE(Tul->NewJob);
    EXPECT_TRUE(Tul->StoredJob);
    EXPECT_TRUE(Tul->PrevJobLoaded);
    EXPECT_EQ(Tul->SaveState, 2);
    EXPECT_EQ(DMod->JobFilterMode, 2);
    EXPECT_EQ(form->OvcNotebook1->PageIndex(), 1);
    EXPECT_TRUE(form->SaveJobBtn->isEnabled());
    EXPECT_TRUE(form->CancelJobBitBtn->isEnabled());
    EXPECT_EQ(form->MainStatusBar->PanelText(0), "Edit node data");   // the profile page's, entered last
    EXPECT_EQ(form->MainStatusBar->PanelText(1), "Job Name: Smith");
    EXPECT_EQ(form->EntranceDataGroupBox->title(),
              "Known Flow Gravity System Data (Click on 'System' button to edit)");
    EXPECT_EQ(form->Qcfs->text(), "1.11");
    EXPECT_EQ(ui::ScreenCursor(), ui::Cursor::Default);

    // The header's detailed-losses choice comes back with the job.
    DMod->WorkPipeTable->Edit();
    DMod->WorkPipeTableDetailedML->SetAsBoolean(true);
    DMod->WorkPipeTable->Post();
    Tul->SaveState = 1;
    driver.OnceForm("TSaveForm", [](ui::Form& f) { DialogDriver::Press(f, "OKBitBtn"); });
    pickJob(0);
    DialogDriver::Press(*form, "PrevJobBtn");
    EXPECT_TRUE(Tul->DetailedML);
    EXPECT_TRUE(form->DetMLCheckBox->isChecked());
}

// A job just saved is not offered for saving again on its way out, by the
// keys of the menus either: the menu bar takes the keyboard from the field
// worked in and gives it back, which neither leaves nor enters the field.
TEST_F(JobCommandsTest, ASavedJobIsNotOfferedForSavingAgainOnItsWayOut)
{
    // Escape closes the menu, then leaves the menu bar: the job stays open.
    newNamedJob("Smith");
    testsupport::AltKeys(*form, "T");
    for (int i = 0; i < 2; ++i) {
        QWidget* popup = QApplication::activePopupWidget();
        QTest::keyClick(popup ? popup : QApplication::focusWidget(), Qt::Key_Escape);
    }
    EXPECT_EQ(DMod->WorkPipeTableJobName->AsString(), "Smith");
    EXPECT_TRUE(form->CancelJobBitBtn->isEnabled());
    for (const char* keys : {"TS", "TA", "FN", "FR", "FX"}) {
        newNamedJob(QStringLiteral("Smith ") + keys);
        driver.OnceForm("TSaveForm", [](ui::Form& f) { DialogDriver::Enter(f); });
        testsupport::AltKeys(*form, "S");
        driver.ClearLog();
        testsupport::AltKeys(*form, keys);
        EXPECT_FALSE(driver.FormsShown().contains("TSaveForm")) << keys;
    }
}

TEST_F(JobCommandsTest, ChangesToALoadedJobAreOfferedForSavingAtTheExit)
{
    storeJob("Smith");
    pickJob(0);
    DialogDriver::Press(*form, "PrevJobBtn");
    ASSERT_EQ(DMod->WorkPipeTableJobName->AsString(), "Smith");
    form->OvcNotebook1->SetPageIndex(0);
    DialogDriver::Type(*form, "JobLocationDBSF", "North field");
    DialogDriver::Focus(*form, "JobDesignerDBSF");
    ASSERT_EQ(Tul->SaveState, 1);
    QString note;
    driver.OnceForm("TSaveForm", [&note](ui::Form& f) {
        note = f.Control<QPlainTextEdit>("Memo1")->toPlainText();
        DialogDriver::Press(f, "OKBitBtn");
    });
    driver.ClearLog();
    DialogDriver::Press(*form, "ExitBtn");
    EXPECT_EQ(driver.FormsShown(), QStringList{"TSaveForm"});
    EXPECT_EQ(note, "To save changes to current job, press the YES button.");
    db::Table* jobs = DMod->JobPipeTable;
    jobs->Open();
    ASSERT_TRUE(jobs->Locate("JobName", "Smith"));
    EXPECT_EQ(DMod->JobPipeTableLocation->AsString(), "North field");
    jobs->Close();
}

TEST_F(JobCommandsTest, DateTypedAndSavedFromTheMenuIsKept)
{
    newNamedJob("Smith");
    DialogDriver::Type(*form, "DateDBPF", "03/15/2027");
    driver.OnceForm("TSaveForm", [](ui::Form& f) { DialogDriver::Press(f, "OKBitBtn"); });
    form->SaveJob1->trigger();   // the menu leaves the focus in the date
    EXPECT_EQ(form->DateDBPF->text(), "03/15/2027");
    db::Table* jobs = DMod->JobPipeTable;
    jobs->Open();
    ASSERT_TRUE(jobs->Locate("JobName", "Smith"));
    EXPECT_EQ(DMod->JobPipeTableDate->AsString(), "03/15/2027");
    jobs->Close();
}

TEST_F(JobCommandsTest, AnImportedJobIsOfferedForSavingAtTheExit)
{
    newNamedJob("Imported");
    ASSERT_TRUE(JobTrans->ExportWorkingJob());
    DialogDriver::Press(*form, "CancelJobBitBtn");
    // Back to the state of a window just shown.
    DMod->WorkTablesFree = true;
    driver.OnceForm("TJobListForm", [](ui::Form& f) { DialogDriver::Press(f, "ImportJobBtn"); });
    DialogDriver::Press(*form, "PrevJobBtn");
    ASSERT_EQ(DMod->WorkPipeTableJobName->AsString(), "Imported");
    ASSERT_EQ(Tul->SaveState, 0);
    driver.ClearLog();
    driver.OnceForm("TSaveForm", [](ui::Form& f) { DialogDriver::Press(f, "OKBitBtn"); });
    DialogDriver::Press(*form, "ExitBtn");
    EXPECT_EQ(driver.FormsShown(), QStringList{"TSaveForm"});
    DMod->JobPipeTable->Open();
    EXPECT_TRUE(DMod->JobPipeTable->Locate("JobName", "Imported"));
    DMod->JobPipeTable->Close();
}

TEST_F(JobCommandsTest, PreviousJobCancelledInTheListLeavesNoJob)
{
    storeJob("Smith");
    newNamedJob("Jones");
    driver.OnceForm("TSaveForm", [](ui::Form& f) { DialogDriver::Press(f, "NoBitBtn"); });
    driver.OnceForm("TJobListForm", [](ui::Form& f) { DialogDriver::Press(f, "CancelBitBtn2"); });
    DialogDriver::Press(*form, "PrevJobBtn");
    EXPECT_EQ(driver.FormsShown(), (QStringList{"TSaveForm", "TJobListForm"}));
    EXPECT_FALSE(Tul->JobListCancelled);   // Cancel Job clears it again
    EXPECT_FALSE(form->OvcNotebook1->isEnabled());
    EXPECT_FALSE(form->SaveJobBtn->isEnabled());
    EXPECT_TRUE(form->MersolImage->isVisible());
    EXPECT_EQ(form->MainStatusBar->PanelText(0), "Please make selection");
    EXPECT_EQ(Tul->SaveState, 2);
}

TEST_F(JobCommandsTest, CancelJobReturnsToTheNoJobStateWithoutAsking)
{
    newNamedJob("Smith");
    DialogDriver::Press(*form, "CancelJobBitBtn");
    EXPECT_TRUE(driver.Messages().empty());
    EXPECT_TRUE(driver.FormsShown().isEmpty());
    EXPECT_EQ(form->SysTypeRadioGroup->ItemIndex(), -1);
    EXPECT_FALSE(form->ScrollBox1->isVisible());
    EXPECT_TRUE(form->MersolImage->isVisible());
    EXPECT_FALSE(form->SaveJobBtn->isEnabled());
    EXPECT_EQ(form->MainStatusBar->PanelText(0), "Please make selection");
    EXPECT_EQ(Tul->SaveState, 2);
    // The working header keeps its row until the next job empties it.
    EXPECT_TRUE(DMod->WorkPipeTable->Active());
    EXPECT_EQ(DMod->WorkPipeTable->RecordCount(), 1);
}

// Escape is the Cancel Job key; a stray press must not drop unsaved work.
TEST_F(JobCommandsTest, EscapeCancelsAnUnsavedJobOnlyAfterAYes)
{
    newNamedJob("Smith");
    ASSERT_NE(Tul->SaveState, 2);
    DialogDriver::Focus(*form, "JobLocationDBSF");
    driver.Answer(ui::mrNo);
    DialogDriver::Escape(*form);
    EXPECT_EQ(driver.MessageTexts(), QStringList{"Cancel this job?  The changes not saved will be lost."});
    EXPECT_TRUE(form->CancelJobBitBtn->isEnabled());
    EXPECT_TRUE(form->ScrollBox1->isVisible());

    driver.ClearLog();
    driver.Answer(ui::mrYes);
    DialogDriver::Escape(*form);
    EXPECT_EQ(driver.MessageTexts().size(), 1);
    EXPECT_FALSE(form->CancelJobBitBtn->isEnabled());
    EXPECT_EQ(form->MainStatusBar->PanelText(0), "Please make selection");
}

} // namespace
