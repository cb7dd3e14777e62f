// The gravity designer's main window: start-up, close, job commands and the
// entrance flow fields.
#include "support/dialogdriver.h"
#include "support/tempdb.h"

#include "dialogs/jobs/job_list_dialog.h"
#include "gravity/dunstrow_window.h"
#include "mainwindow/mersol_window.h"
#include "engine/maximum_flow_run.h"
#include "engine/pumped_run.h"
#include "model/job_transfer.h"
#include "model/database_setup.h"
#include "model/data_module.h"
#include "engine/single_objects.h"
#include "model/job.h"
#include "platform/ui/cursor.h"
#include "platform/ui/dbgrid.h"
#include "platform/ui/notebook.h"
#include "platform/ui/statusbar.h"

#include <QApplication>
#include <QCheckBox>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>

#include <gtest/gtest.h>

namespace {

QStringList menuTexts(QMenu* m)
{
    QStringList out;
    for (QAction* a : m->actions()) out << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return out;
}

class DunstrowFormTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        DeleteSingleObjects();
        CreateGravitySingleObjects();
        DMod = new TDMod();
        openDunstrow();
    }
    void TearDown() override
    {
        SetSingleObjectObserver({});
        closeDunstrow();
        delete MersolForm;
        delete DMod;
        DMod = nullptr;
        DeleteSingleObjects();
    }
    void openDunstrow()
    {
        form = new TDunstrowForm();
        DunstrowForm = form;
        form->Show();
    }
    void closeDunstrow()
    {
        if (!form) return;
        if (form->isVisible()) form->Close();
        delete form;
        form = nullptr;
    }
    static void setDefaults(const QString& field, const QVariant& value)
    {
        db::Table* t = DMod->DefLocTable;
        if (!t->Active()) t->Open();
        t->First();
        t->Edit();
        t->FieldByName(field)->SetValue(value);
        t->Post();
    }
    static void storeJob(const QString& name, const QString& sysType)
    {
        db::Table* jobs = DMod->JobPipeTable;
        if (!jobs->Active()) jobs->Open();
        jobs->Append();
        DMod->JobPipeTableJobName->SetAsString(name);
        jobs->FieldByName("SysType")->SetAsString(sysType);
        jobs->Post();
    }
    void newNamedJob(ui::Form& f, const QString& name)
    {
        DialogDriver::Press(f, "NewJobBtn");
        DialogDriver::Type(f, "JobNameDBEdit", name);
        DialogDriver::Focus(f, "JobLocationDBSF");
        driver.ClearLog();
    }
    // Answers the next job list with the names it shows, picking `row`.
    void pickJob(int row, QStringList* shown = nullptr)
    {
        driver.OnceForm("TJobListForm", [row, shown](ui::Form& f) {
            auto* grid = ui::DBGrid::Of(f.Control<QTableView>("DBGrid1"));
            if (shown) {
                db::Table* jobs = DMod->JobPipeTable;
                for (jobs->First(); !jobs->Eof(); jobs->Next()) *shown << DMod->JobPipeTableJobName->AsString();
            }
            grid->SelectRow(row);
            DialogDriver::Press(f, "OKBitBtn1");
        });
    }
    // The job names the delete-job list shows, in its order.
    QStringList deleteListNames(bool cancel)
    {
        QStringList names;
        driver.OnceForm("TRemoveJobsDlg", [&names, cancel](ui::Form& f) {
            auto* grid = ui::DBGrid::Of(f.Control<QTableView>("DBGrid1"));
            for (int r = 0; r < grid->RowCount(); ++r) names << grid->CellText(r, 1);
            DialogDriver::Press(f, cancel ? "CancelBitBtn" : "ReturnBitBtn");
        });
        form->MaintainJobDatabase1->trigger();
        return names;
    }
    void saveJob(ui::Form& f)
    {
        driver.OnceForm("TSaveForm", [](ui::Form& s) { DialogDriver::Press(s, "OKBitBtn"); });
        DialogDriver::Press(f, "SaveJobBtn");
    }

    DialogDriver driver;
    testsupport::TempDb temp{MersolCreateScript(), TransferCreateScript()};
    TDunstrowForm* form = nullptr;
};

TEST_F(DunstrowFormTest, StartsWithItsOwnCaptionGreetingAndMenus)
{
    EXPECT_EQ(form->Caption(), "Dunstrow Gravity Pipeline Design (Vession 1.2)");
    EXPECT_EQ(form->MainStatusBar->PanelText(0), "Please make selection");
    EXPECT_EQ(form->MainStatusBar->PanelText(1), "Welcome to Dunstrow!");
    EXPECT_TRUE(form->DunstrowImage->isVisible());
    EXPECT_FALSE(form->ScrollBox1->isVisible());
    EXPECT_FALSE(form->OvcNotebook1->isEnabled());
    EXPECT_FALSE(form->SaveJobBtn->isEnabled());
    EXPECT_FALSE(form->SaveJob1->isEnabled());
    EXPECT_FALSE(form->CancelJobBitBtn->isEnabled());
    EXPECT_EQ(Tul->SaveState, 2);
    EXPECT_TRUE(DMod->DefLocTable->Active());

    QStringList bar;
    QList<QMenu*> menus;
    for (QAction* a : form->MainMenu1->actions()) {
        bar << a->text();
        menus << a->menu();
    }
    ASSERT_EQ(bar, (QStringList{"&File", "&Reports", "&Help"}));
    EXPECT_EQ(menuTexts(menus[0]),
              (QStringList{"&New Job", "&Review or Edit Job...", "&Save Job", "-", "&Delete Job", "-", "E&xit"}));
    EXPECT_EQ(menuTexts(menus[1]), QStringList{"&List of Jobs"});
    EXPECT_EQ(menuTexts(menus[2]), (QStringList{"&Contents", "&Search for Help on...",
                                                "Learning to use Mersol and Dunstrow", "-", "&About"}));
    DialogDriver::Press(*form, "NewJobBtn");
    DialogDriver::Press(*form, "BitBtn1");
    EXPECT_EQ(driver.HelpContexts(), std::vector<int>{15448});
}

TEST_F(DunstrowFormTest, TitlePictureKeepsItsColoursWhileNoJobIsOpen)
{
    ASSERT_FALSE(form->OvcNotebook1->isEnabled());
    form->DunstrowImage->resize(640, 420);
    const QImage shown = form->DunstrowImage->grab().toImage();
    const QImage picture = form->DunstrowImage->pixmap().toImage();
    // A corner of the field, away from the lettering and the pipeline.
    EXPECT_EQ(shown.pixelColor(5, 400).name(), picture.pixelColor(5, 400).name());
}

TEST_F(DunstrowFormTest, ReturningFromTheHelpWindowKeepsTheOpenJobOnThePage)
{
    newNamedJob(*form, "Smith");
    QApplication::setActiveWindow(form);
    QWidget helpWindow;   // the help viewer is a window of the program itself
    helpWindow.show();
    QApplication::setActiveWindow(&helpWindow);
    QApplication::setActiveWindow(form);
    EXPECT_TRUE(form->ScrollBox1->isVisible());
    EXPECT_FALSE(form->DunstrowImage->isVisible());
    helpWindow.close();
}

TEST_F(DunstrowFormTest, CloseDeletesOnlyTheGravityDesignersObjectsInOrder)
{
    EXPECT_EQ(FFlow, nullptr);
    EXPECT_EQ(Pump, nullptr);
    QStringList order;
    SetSingleObjectObserver([&](const char* name) { order << name; });
    DialogDriver::Press(*form, "ExitBtn");
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(driver.FormsShown().isEmpty());   // nothing to save
    EXPECT_FALSE(DMod->DefLocTable->Active());
    EXPECT_EQ(order, (QStringList{"JobTrans", "Tul", "Cost", "Gated", "Grav", "Hyd"}));
    EXPECT_EQ(Tul, nullptr);
}

TEST_F(DunstrowFormTest, CloseOffersTheSaveForAnUnsavedJob)
{
    newNamedJob(*form, "Smith");
    driver.OnForm("TSaveForm", [](ui::Form& f) { f.Close(); });
    DialogDriver::CloseBox(*form);
    EXPECT_EQ(driver.FormsShown(), QStringList{"TSaveForm"});
}

TEST_F(DunstrowFormTest, NewJobIsAGravityJobWhateverTheDefaultsSay)
{
    setDefaults("SysType", "Pumped system, known flow");
    setDefaults("GravMinorLossDetail", true);
    DialogDriver::Press(*form, "NewJobBtn");
    EXPECT_EQ(DMod->WorkPipeTableSysType->AsString(), "GRAVITY");
    EXPECT_EQ(Tul->SysTypeCode, 0);
    EXPECT_TRUE(DMod->WorkPipeTableDetailedML->AsBoolean());
    EXPECT_TRUE(form->DetMLCheckBox->isChecked());
    EXPECT_TRUE(form->ScrollBox1->isVisible());
    EXPECT_FALSE(form->DunstrowImage->isVisible());
    EXPECT_TRUE(form->SaveJobBtn->isEnabled());
    EXPECT_EQ(Tul->SaveState, 0);
    EXPECT_EQ(form->MainStatusBar->PanelText(1), "Job Name: ");

    // Saved, it is one of the jobs the designer lists and loads.
    DialogDriver::Type(*form, "JobNameDBEdit", "Smith");
    DialogDriver::Focus(*form, "JobLocationDBSF");
    saveJob(*form);
    ASSERT_EQ(Tul->SaveState, 2);
    DialogDriver::Press(*form, "CancelJobBitBtn");
    QStringList shown;
    pickJob(0, &shown);
    DialogDriver::Press(*form, "PrevJobBtn");
    EXPECT_EQ(shown, QStringList{"Smith"});
    EXPECT_EQ(DMod->WorkPipeTableJobName->AsString(), "Smith");
}

TEST_F(DunstrowFormTest, EscapeDropsAnUnsavedJobOnlyAfterAYes)
{
    DialogDriver::Press(*form, "NewJobBtn");
    DialogDriver::Type(*form, "JobNameDBEdit", "Smith");
    DialogDriver::Focus(*form, "JobLocationDBSF");
    driver.ClearLog();
    driver.Answer(ui::mrNo);
    DialogDriver::Escape(*form);
    EXPECT_EQ(driver.MessageTexts(), QStringList{"Cancel this job?  The changes not saved will be lost."});
    EXPECT_TRUE(form->ScrollBox1->isVisible());

    // Once saved there is nothing to lose, and Escape asks nothing.
    saveJob(*form);
    ASSERT_EQ(Tul->SaveState, 2);
    driver.ClearLog();
    DialogDriver::Escape(*form);
    EXPECT_TRUE(driver.MessageTexts().isEmpty());
    EXPECT_FALSE(form->CancelJobBitBtn->isEnabled());
}

TEST_F(DunstrowFormTest, PreviousJobWithAnEmptyStoreIsEnabledAgainByASave)
{
    DialogDriver::Press(*form, "PrevJobBtn");
    EXPECT_EQ(driver.MessageTexts(), QStringList{"There are no previous jobs available in database."});
    EXPECT_EQ(driver.FormsShown(), QStringList{"TJobListForm"});
    EXPECT_FALSE(form->PrevJobBtn->isEnabled());
    EXPECT_FALSE(form->OvcNotebook1->isEnabled());   // the empty list comes back cancelled

    newNamedJob(*form, "Smith");
    saveJob(*form);
    ASSERT_EQ(Tul->SaveState, 2);
    EXPECT_TRUE(form->PrevJobBtn->isEnabled());
}

TEST_F(DunstrowFormTest, JobListShowsGravityJobsOnly)
{
    storeJob("Pumpy", "PUMPED");
    storeJob("Gravy", "GRAVITY");
    storeJob("Booster", "GRAVITY");
    DMod->JobPipeTable->Edit();
    DMod->JobPipeTablePumpType->SetAsString("INLINE BOOSTER");
    DMod->JobPipeTable->Post();
    QStringList shown;
    pickJob(0, &shown);
    DialogDriver::Press(*form, "PrevJobBtn");
    EXPECT_EQ(shown, QStringList{"Gravy"});
    EXPECT_EQ(DMod->WorkPipeTableJobName->AsString(), "Gravy");
    // The output page finds no profile to compute and sends the user to it.
    EXPECT_EQ(driver.MessageTexts(), QStringList{"There must be an end node to compute. Please enter one."});
    EXPECT_EQ(form->OvcNotebook1->PageIndex(), 1);
    EXPECT_EQ(form->MainStatusBar->PanelText(1), "Job Name: Gravy");
}

TEST_F(DunstrowFormTest, NamesOfOtherStoredJobsAreReplacedOnlyAfterTwoYes)
{
    storeJob("Smith", "PUMPED");
    newNamedJob(*form, "Jones");
    // A new name is announced.
    DialogDriver::Type(*form, "JobNameDBEdit", "Brown");
    driver.ClearLog();
    DialogDriver::Focus(*form, "JobLocationDBSF");
    EXPECT_EQ(driver.MessageTexts(), QStringList{"Job will be saved as Brown."});

    driver.ClearLog();
    driver.Answer(ui::mrNo);
    DialogDriver::Type(*form, "JobNameDBEdit", "Smith");
    DialogDriver::Focus(*form, "JobLocationDBSF");
    EXPECT_EQ(driver.MessageTexts(), QStringList{"The job Smith already exists.  Do you want to replace it?"});
    EXPECT_EQ(form->ActiveControl(), form->JobNameDBEdit);
    DMod->JobPipeTable->Open();
    EXPECT_TRUE(DMod->JobPipeTable->Locate("JobName", "Smith"));

    driver.ClearLog();
    driver.Answer(ui::mrYes);
    driver.Answer(ui::mrYes);
    DialogDriver::Focus(*form, "JobLocationDBSF");
    EXPECT_EQ(driver.MessageTexts(), (QStringList{"The job Smith already exists.  Do you want to replace it?",
                                                  "Are you sure you want to delete Smith ?"}));
    DMod->JobPipeTable->Open();
    EXPECT_FALSE(DMod->JobPipeTable->Locate("JobName", "Smith"));
}

TEST_F(DunstrowFormTest, DeleteJobLeavesNoFilterToHideJobsFromTheNameCheck)
{
    storeJob("Pumpy", "PUMPED");
    driver.OnceForm("TRemoveJobsDlg", [](ui::Form& f) {
        // A filtered stored job table, as a gravity-only delete list would leave it.
        DMod->JobFilterMode = 4;
        DMod->JobPipeTable->SetFiltered(true);
        f.Close();
    });
    form->MaintainJobDatabase1Click();
    EXPECT_FALSE(DMod->JobPipeTable->Filtered());
    newNamedJob(*form, "Jones");
    driver.Answer(ui::mrNo);
    DialogDriver::Type(*form, "JobNameDBEdit", "Pumpy");
    DialogDriver::Focus(*form, "JobLocationDBSF");
    EXPECT_EQ(driver.MessageTexts(), QStringList{"The job Pumpy already exists.  Do you want to replace it?"});
}

TEST_F(DunstrowFormTest, FlowInGpmAndCfs)
{
    newNamedJob(*form, "Smith");
    DialogDriver::Type(*form, "FlowDBNF", "449");
    DialogDriver::Focus(*form, "WSDBNF");
    EXPECT_EQ(form->cfsField->text().trimmed(), "1.00");
    EXPECT_DOUBLE_EQ(Tul->DesignFlowCfs, 449 / 448.83);

    DialogDriver::Type(*form, "cfsField", "1");
    DialogDriver::Focus(*form, "WSDBNF");
    EXPECT_DOUBLE_EQ(DMod->WorkPipeTableDesignFlow->AsFloat(), 449.0);   // whole gpm
    EXPECT_DOUBLE_EQ(Tul->DesignFlow, 448.83);

    DialogDriver::Type(*form, "cfsField", "2.5");
    DialogDriver::Focus(*form, "WSDBNF");
    EXPECT_DOUBLE_EQ(DMod->WorkPipeTableDesignFlow->AsFloat(), 1122.0);
}

TEST_F(DunstrowFormTest, PassingThroughTheCfsFieldKeepsTheFlowInGpm)
{
    newNamedJob(*form, "Smith");
    DialogDriver::Type(*form, "FlowDBNF", "1200");
    DialogDriver::Enter(*form);
    ASSERT_EQ(form->ActiveControl(), form->cfsField);
    EXPECT_EQ(form->cfsField->text().trimmed(), "2.67");
    DialogDriver::Enter(*form);
    EXPECT_DOUBLE_EQ(DMod->WorkPipeTableDesignFlow->AsFloat(), 1200.0);
    EXPECT_DOUBLE_EQ(Tul->DesignFlow, 1200.0);
    EXPECT_EQ(form->FlowDBNF->text(), "1200");
}

TEST_F(DunstrowFormTest, GravityJobsTravelBetweenTheTwoDesigners)
{
    newNamedJob(*form, "Gravy");
    DialogDriver::Type(*form, "FlowDBNF", "500");
    DialogDriver::Type(*form, "WSDBNF", "4512.5");
    DialogDriver::Focus(*form, "JobDesignerDBSF");
    saveJob(*form);
    ASSERT_EQ(Tul->SaveState, 2);
    closeDunstrow();

    // Mersol lists and loads it.
    CreateSingleObjects();
    MersolForm = new TMersolForm();
    MersolForm->Show();
    QStringList shown;
    pickJob(0, &shown);
    DialogDriver::Press(*MersolForm, "PrevJobBtn");
    EXPECT_EQ(shown, QStringList{"Gravy"});
    EXPECT_EQ(DMod->WorkPipeTableJobName->AsString(), "Gravy");
    EXPECT_EQ(DMod->WorkPipeTableSysType->AsString(), "GRAVITY");
    EXPECT_DOUBLE_EQ(DMod->WorkPipeTableDesignFlow->AsFloat(), 500.0);

    // Renamed and saved there as a second job, it comes back to Dunstrow2.
    MersolForm->OvcNotebook1->SetPageIndex(0);
    driver.ClearLog();
    driver.Answer(ui::mrYes);
    DialogDriver::Type(*MersolForm, "JobNameDBEdit", "Gravy2");
    DialogDriver::Focus(*MersolForm, "JobLocationDBSF");
    EXPECT_EQ(driver.MessageTexts(), QStringList{"Save job as: Gravy2?"});
    saveJob(*MersolForm);
    ASSERT_EQ(Tul->SaveState, 2);
    MersolForm->Close();
    delete MersolForm;
    DeleteSingleObjects();

    CreateGravitySingleObjects();
    openDunstrow();
    shown.clear();
    pickJob(1, &shown);
    DialogDriver::Press(*form, "PrevJobBtn");
    EXPECT_EQ(shown, (QStringList{"Gravy", "Gravy2"}));
    EXPECT_EQ(DMod->WorkPipeTableJobName->AsString(), "Gravy2");
    EXPECT_DOUBLE_EQ(DMod->WorkPipeTableWSElev->AsFloat(), 4512.5);
    EXPECT_EQ(form->cfsField->text().trimmed(), "1.11");
}

TEST_F(DunstrowFormTest, PreviousJobPutsBackTheCursorShownBeforeTheListInBothDesigners)
{
    storeJob("Gravy", "GRAVITY");
    // Previous Job in a main window; the list leaves the arrow behind it, as
    // its report preview does. Gives the cursors seen while the header loaded
    // and afterwards.
    auto previousJob = [&](ui::Form& window) {
        ui::SetScreenCursor(ui::Cursor::HandPoint);
        driver.OnceForm("TJobListForm", [](ui::Form& f) {
            ui::SetScreenCursor(ui::Cursor::Arrow);
            ui::DBGrid::Of(f.Control<QTableView>("DBGrid1"))->SelectRow(0);
            DialogDriver::Press(f, "OKBitBtn1");
        });
        std::vector<ui::Cursor> whileLoading;
        DMod->WorkPipeTable->AfterPost = [&](db::Table&) { whileLoading.push_back(ui::ScreenCursor()); };
        DialogDriver::Press(window, "PrevJobBtn");
        DMod->WorkPipeTable->AfterPost = nullptr;
        EXPECT_EQ(DMod->WorkPipeTableJobName->AsString(), "Gravy");
        EXPECT_FALSE(whileLoading.empty());
        EXPECT_EQ(whileLoading.empty() ? ui::Cursor::Default : whileLoading.front(), ui::Cursor::HourGlass);
        EXPECT_EQ(ui::ScreenCursor(), ui::Cursor::HandPoint);
        ui::SetScreenCursor(ui::Cursor::Default);
    };
    previousJob(*form);
    closeDunstrow();

    CreateSingleObjects();
    MersolForm = new TMersolForm();
    MersolForm->Show();
    previousJob(*MersolForm);
    MersolForm->Close();
    delete MersolForm;
    MersolForm = nullptr;
}

TEST_F(DunstrowFormTest, DeleteJobListsTheGravityJobsAndLeavesNoFilterOn)
{
    storeJob("Pumpy", "PUMPED");
    storeJob("Lateral", "MANIFOLD");
    storeJob("Gravy", "GRAVITY");
    storeJob("Booster", "GRAVITY");
    DMod->JobPipeTable->Edit();
    DMod->JobPipeTablePumpType->SetAsString("INLINE BOOSTER");
    DMod->JobPipeTable->Post();
    DMod->JobPipeTable->Close();

    for (bool cancel : {false, true}) {
        SCOPED_TRACE(cancel ? "Cancel" : "Done");
        EXPECT_EQ(deleteListNames(cancel), QStringList{"Gravy"});
        EXPECT_FALSE(DMod->JobPipeTable->Filtered());
        // Every stored job is seen again by the look-ups by name.
        DMod->JobPipeTable->Open();
        EXPECT_EQ(DMod->JobPipeTable->RecordCount(), 4);
        DMod->JobPipeTable->Close();
    }
}

TEST_F(DunstrowFormTest, DeletingTheJobOnTheScreenLeavesNothingToSave)
{
    newNamedJob(*form, "Gravy");
    saveJob(*form);
    ASSERT_NE(Tul->JobNumber, 0);
    driver.ClearLog();
    driver.OnceForm("TRemoveJobsDlg", [&](ui::Form& f) {
        driver.Answer(ui::mrYes);
        DialogDriver::Press(f, "DeleteBitBtn");
        DialogDriver::Press(f, "ReturnBitBtn");
    });
    form->MaintainJobDatabase1->trigger();
    EXPECT_EQ(driver.MessageTexts(), QStringList{"DELETE: Gravy??"});
    EXPECT_FALSE(form->SaveJobBtn->isEnabled());
    EXPECT_EQ(form->MainStatusBar->PanelText(0), "Please make selection");
    driver.ClearLog();
    DialogDriver::CloseBox(*form);
    EXPECT_EQ(driver.FormsShown(), QStringList{});
    DMod->JobPipeTable->Open();
    EXPECT_TRUE(DMod->JobPipeTable->IsEmpty());
}

TEST_F(DunstrowFormTest, ImportFromTheJobListShowsTheJobOnTheJobPage)
{
    // A gravity job in the transfer directory, then nothing in the working tables.
    newNamedJob(*form, "Imported");
    DialogDriver::Type(*form, "FlowDBNF", "449");
    DialogDriver::Type(*form, "WSDBNF", "4512.5");
    DialogDriver::Type(*form, "DBMemo1", "Canal turnout");
    DialogDriver::Focus(*form, "JobDesignerDBSF");
    DMod->WorkPipeTable->Edit();
    DMod->WorkPipeTableDetailedML->SetAsBoolean(true);
    DMod->WorkPipeTable->Post();
    ASSERT_TRUE(JobTrans->ExportWorkingJob());
    for (db::Table* t : {DMod->WorkPipeTable, DMod->WorkProfTable, DMod->WorkGatedTable, DMod->WorkTrickleTable}) {
        if (t->Active()) t->Close();
        t->EmptyTable();
    }
    Tul->SaveState = 2;
    form->cfsField->clear();
    form->DetMLCheckBox->setChecked(false);
    storeJob("Pumpy", "PUMPED");
    storeJob("Gravy", "GRAVITY");
    DMod->JobPipeTable->Close();
    driver.ClearLog();

    driver.OnceForm("TJobListForm", [](ui::Form& f) { DialogDriver::Press(f, "ImportJobBtn"); });
    DialogDriver::Press(*form, "PrevJobBtn");

    EXPECT_EQ(driver.FormsShown(), QStringList{"TJobListForm"});
    EXPECT_TRUE(form->JobImported);
    EXPECT_EQ(DMod->WorkPipeTableJobName->AsString(), "Imported");
    EXPECT_EQ(DMod->WorkPipeTableSysType->AsString(), "GRAVITY");
    EXPECT_EQ(Tul->SysTypeCode, 0);
    EXPECT_TRUE(Tul->NewJob);
    EXPECT_EQ(Tul->SaveState, 0);
    EXPECT_EQ(form->OvcNotebook1->PageIndex(), 0);
    EXPECT_TRUE(form->OvcNotebook1->isEnabled());
    EXPECT_TRUE(form->ScrollBox1->isVisible());
    EXPECT_FALSE(form->DunstrowImage->isVisible());
    EXPECT_EQ(form->MainStatusBar->PanelText(0), "Edit job data");
    EXPECT_EQ(form->MainStatusBar->PanelText(1), "Job Name: Imported");
    EXPECT_EQ(form->JobNameDBEdit->text(), "Imported");
    EXPECT_DOUBLE_EQ(form->FlowDBNF->text().toDouble(), 449.0);
    EXPECT_EQ(form->cfsField->text().trimmed(), "1.00");
    EXPECT_DOUBLE_EQ(form->WSDBNF->text().toDouble(), 4512.5);
    EXPECT_EQ(form->DBMemo1->toPlainText(), "Canal turnout");
    EXPECT_TRUE(form->DetMLCheckBox->isChecked());
    // The imported job can be saved and cancelled at once, as a loaded one.
    EXPECT_TRUE(form->SaveJobBtn->isEnabled());
    EXPECT_TRUE(form->SaveJob1->isEnabled());
    EXPECT_TRUE(form->CancelJobBitBtn->isEnabled());

    // The import chose every job for the lists, the delete list included.
    EXPECT_EQ(DMod->JobFilterMode, 2);
    EXPECT_EQ(deleteListNames(false), (QStringList{"Gravy", "Pumpy"}));

    saveJob(*form);
    EXPECT_EQ(Tul->SaveState, 2);
    DMod->JobPipeTable->Open();
    ASSERT_TRUE(DMod->JobPipeTable->Locate("JobName", "Imported"));
    EXPECT_DOUBLE_EQ(DMod->JobPipeTable->FieldByName("WSElev")->AsFloat(), 4512.5);
    EXPECT_TRUE(DMod->JobPipeTable->FieldByName("DetailedML")->AsBoolean());
}

TEST_F(DunstrowFormTest, EnterWalksFromTheJobNotesThroughTheEntranceData)
{
    newNamedJob(*form, "Smith");
    DialogDriver::Type(*form, "JobNotesDBMemo", "North field");
    DialogDriver::Enter(*form);
    EXPECT_EQ(form->ActiveControl(), form->DetMLCheckBox);
    const std::vector<QWidget*> next{form->FlowDBNF, form->cfsField, form->WSDBNF, form->DBMemo1};
    for (QWidget* w : next) {
        DialogDriver::Enter(*form);
        EXPECT_EQ(form->ActiveControl(), w) << w->objectName().toStdString();
    }
}

TEST_F(DunstrowFormTest, EntranceNumbersRefuseLettersAndStayStored)
{
    newNamedJob(*form, "Smith");
    DialogDriver::Type(*form, "cfsField", "2.5");
    DialogDriver::Type(*form, "cfsField", "2.5x");
    DialogDriver::Focus(*form, "WSDBNF");
    EXPECT_DOUBLE_EQ(DMod->WorkPipeTableDesignFlow->AsFloat(), 1122.0);
    DialogDriver::Type(*form, "FlowDBNF", "500");
    DialogDriver::Type(*form, "FlowDBNF", "5x0");
    DialogDriver::Type(*form, "WSDBNF", "4512.5");
    DialogDriver::Type(*form, "WSDBNF", "12a5.5");
    DialogDriver::Focus(*form, "JobDesignerDBSF");
    EXPECT_TRUE(driver.MessageTexts().isEmpty()) << driver.MessageTexts().join("|").toStdString();
    EXPECT_EQ(form->WSDBNF->text(), "4512.5");
    EXPECT_DOUBLE_EQ(DMod->WorkPipeTableWSElev->AsFloat(), 4512.5);
    EXPECT_DOUBLE_EQ(DMod->WorkPipeTableDesignFlow->AsFloat(), 500.0);
    EXPECT_EQ(form->cfsField->text().trimmed(), "1.11");
}

TEST_F(DunstrowFormTest, DetailedMinorLossBoxIsKeptWhateverWayTheJobIsSaved)
{
    auto storedDetailedML = [](const QString& name) {
        db::Table* jobs = DMod->JobPipeTable;
        if (!jobs->Active()) jobs->Open();
        EXPECT_TRUE(jobs->Locate("JobName", name));
        const bool on = jobs->FieldByName("DetailedML")->AsBoolean();
        jobs->Close();
        return on;
    };
    // Ticked, then saved from the menu, which takes no focus from the box.
    newNamedJob(*form, "Smith");
    DialogDriver::Check(*form, "DetMLCheckBox", true);
    driver.OnceForm("TSaveForm", [](ui::Form& s) { DialogDriver::Press(s, "OKBitBtn"); });
    form->SaveJob1->trigger();
    EXPECT_TRUE(storedDetailedML("Smith"));

    // Cleared on the loaded job: the change is offered for saving at the exit.
    DialogDriver::Press(*form, "CancelJobBitBtn");
    DMod->WorkTablesFree = true;   // as when the window was shown
    pickJob(0);
    DialogDriver::Press(*form, "PrevJobBtn");
    ASSERT_TRUE(form->DetMLCheckBox->isChecked());
    form->OvcNotebook1->SetPageIndex(0);
    DialogDriver::Check(*form, "DetMLCheckBox", false);
    driver.ClearLog();
    QString note;
    driver.OnceForm("TSaveForm", [&note](ui::Form& s) {
        note = s.Control<QPlainTextEdit>("Memo1")->toPlainText();
        DialogDriver::Press(s, "OKBitBtn");
    });
    form->Exit1->trigger();
    EXPECT_EQ(driver.FormsShown(), QStringList{"TSaveForm"});
    EXPECT_EQ(note, "To save changes to current job, press the YES button.");   // no word of tools
    EXPECT_FALSE(storedDetailedML("Smith"));
}

TEST_F(DunstrowFormTest, DateTypedAndSavedFromTheMenuIsKept)
{
    newNamedJob(*form, "Smith");
    DialogDriver::Type(*form, "DateDBPF", "03/15/2027");
    driver.OnceForm("TSaveForm", [](ui::Form& s) { DialogDriver::Press(s, "OKBitBtn"); });
    form->SaveJob1->trigger();   // the menu leaves the focus in the date
    EXPECT_EQ(form->DateDBPF->text(), "03/15/2027");
    db::Table* jobs = DMod->JobPipeTable;
    jobs->Open();
    ASSERT_TRUE(jobs->Locate("JobName", "Smith"));
    EXPECT_EQ(DMod->JobPipeTableDate->AsString(), "03/15/2027");
    jobs->Close();
}

TEST_F(DunstrowFormTest, FlowTypedInCfsReachesTheJobSavedFromTheMenu)
{
    newNamedJob(*form, "Smith");
    DialogDriver::Type(*form, "cfsField", "3");
    driver.OnceForm("TSaveForm", [](ui::Form& s) { DialogDriver::Press(s, "OKBitBtn"); });
    form->SaveJob1->trigger();
    db::Table* jobs = DMod->JobPipeTable;
    jobs->Open();
    ASSERT_TRUE(jobs->Locate("JobName", "Smith"));
    EXPECT_DOUBLE_EQ(DMod->JobPipeTableDesignFlow->AsFloat(), 1346.0);
    jobs->Close();

    // Exit from the menu likewise.
    DialogDriver::Type(*form, "cfsField", "2");
    driver.OnceForm("TSaveForm", [](ui::Form& s) { DialogDriver::Press(s, "OKBitBtn"); });
    form->Exit1->trigger();
    jobs->Open();
    ASSERT_TRUE(jobs->Locate("JobName", "Smith"));
    EXPECT_DOUBLE_EQ(DMod->JobPipeTableDesignFlow->AsFloat(), 898.0);
    jobs->Close();
}

TEST_F(DunstrowFormTest, NewJobStartsWithoutTheLastJobsFlow)
{
    newNamedJob(*form, "Smith");
    DialogDriver::Type(*form, "FlowDBNF", "449");
    DialogDriver::Focus(*form, "WSDBNF");
    ASSERT_EQ(form->cfsField->text().trimmed(), "1.00");
    saveJob(*form);

    for (const char* before : {"", "CancelJobBitBtn"}) {
        SCOPED_TRACE(before);
        if (*before) DialogDriver::Press(*form, before);
        newNamedJob(*form, "Jones");
        EXPECT_EQ(form->cfsField->text().trimmed(), "");
        // Passing through the cfs field writes no flow of the last job.
        DialogDriver::Focus(*form, "cfsField");
        DialogDriver::Focus(*form, "WSDBNF");
        EXPECT_DOUBLE_EQ(DMod->WorkPipeTableDesignFlow->AsFloat(), 0.0);
        EXPECT_DOUBLE_EQ(Tul->DesignFlow, 0.0);
    }
}

TEST_F(DunstrowFormTest, TurningThePageWithoutAJobNameLeavesTheFocusOnTheName)
{
    DialogDriver::Press(*form, "NewJobBtn");
    form->OvcNotebook1->setCurrentIndex(1);   // the user's click on the tab
    EXPECT_EQ(driver.MessageTexts(), QStringList{"Please enter a Job Name"});
    EXPECT_EQ(form->OvcNotebook1->PageIndex(), 0);
    EXPECT_EQ(form->ActiveControl(), form->JobNameDBEdit);

    DialogDriver::Type(*form, "JobNameDBEdit", "Smith");
    DialogDriver::Focus(*form, "JobLocationDBSF");
    driver.ClearLog();
    form->OvcNotebook1->setCurrentIndex(1);
    form->OvcNotebook1->setCurrentIndex(0);
    EXPECT_TRUE(driver.MessageTexts().isEmpty());
    EXPECT_EQ(form->ActiveControl(), form->OKBitBtn2);
}

TEST_F(DunstrowFormTest, TabLeavesTheMemosInsteadOfTypingIntoThem)
{
    newNamedJob(*form, "Smith");
    QApplication::setActiveWindow(form);   // Tab moves the focus of an active window
    DialogDriver::Type(*form, "JobNotesDBMemo", "North field");
    QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier, QStringLiteral("\t"));
    QApplication::sendEvent(form->JobNotesDBMemo, &tab);
    EXPECT_EQ(form->JobNotesDBMemo->toPlainText(), "North field");
    EXPECT_NE(form->ActiveControl(), form->JobNotesDBMemo);
}

TEST_F(DunstrowFormTest, EnterInTheMemosMovesOn)
{
    newNamedJob(*form, "Smith");
    DialogDriver::Type(*form, "JobNotesDBMemo", "North field");
    DialogDriver::Enter(*form);
    EXPECT_EQ(form->ActiveControl(), form->DetMLCheckBox);
    EXPECT_EQ(form->JobNotesDBMemo->toPlainText(), "North field");

    DialogDriver::Type(*form, "DBMemo1", "Canal turnout");
    DialogDriver::Enter(*form);
    EXPECT_EQ(form->ActiveControl(), form->OKBitBtn2);
    EXPECT_EQ(form->DBMemo1->toPlainText(), "Canal turnout");
    EXPECT_EQ(DMod->WorkPipeTableJobNotes->AsString(), "North field");
    EXPECT_EQ(DMod->WorkPipeTable->FieldByName("EntranceNotes")->AsString(), "Canal turnout");
}

} // namespace
