// The stock-water calculator driven as a user would: its pages, the
// computation on the Output page, and its job commands with the save prompt,
// the stored-job list, export and import.
#include "support/dialogdriver.h"
#include "support/jobstore.h"
#include "support/qt_app.h"

#include "dialogs/jobs/save_tool_job_dialog.h"
#include "dialogs/calculators/stock_water_calculator.h"
#include "engine/stock_water_requirement.h"
#include "model/job_transfer.h"
#include "platform/report/preview.h"
#include "platform/ui/dbgrid.h"
#include "platform/ui/notebook.h"
#include "platform/ui/radiogroup.h"
#include "platform/ui/statusbar.h"
#include "platform/db/db.h"

#include <QDir>
#include <QDate>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>

#include <gtest/gtest.h>

#include <memory>

using testsupport::JobStore;

static void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}
static void PrintTo(const QStringList& l, std::ostream* os)
{
    *os << l.join(QStringLiteral(" | ")).toStdString();
}

namespace {

class StockCalcTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        testsupport::QtApp();
        Tul->SaveState = 1;   // whatever the main window left
        dlg = std::make_unique<TStockCalcDlg>(nullptr);
        StockCalcDlg = dlg.get();
        dlg->Show();
    }
    void TearDown() override
    {
        StockCalcDlg = nullptr;
        dlg.reset();
    }

    TDMod& d() { return store.Dm(); }
    ui::Form& f() { return *dlg; }

    // Types into a field and leaves it by Enter, as a user moves on.
    void TypeIn(const char* field, const QString& text)
    {
        DialogDriver::Type(f(), field, text);
        DialogDriver::Enter(f());
    }
    // The user turns the notebook to a page.
    void Turn(int page) { dlg->OvcNotebook1->setCurrentIndex(page); }

    // The next save prompt is answered with a press of `button`.
    void AnswerPrompt(const char* button = "OKBitBtn")
    {
        driver.OnceForm("TSaveTJob", [button](ui::Form& p) { DialogDriver::Press(p, button); });
    }
    // New Job named `name`; a job with something to save is stored first.
    void NewJob(const QString& name)
    {
        if (Tul->SaveState != 2)
            AnswerPrompt();
        DialogDriver::Press(f(), "NewJobBtn");
        TypeIn("JobNameDBEdit", name);
    }
    // Save Job, which waits after its first use until the dialog closes.
    void Save(const char* button = "OKBitBtn")
    {
        AnswerPrompt(button);
        DialogDriver::Press(f(), "SaveJobBtn");
    }
    // Previous Job, storing the job being edited first.
    void PreviousJob()
    {
        if (Tul->SaveState != 2)
            AnswerPrompt();
        DialogDriver::Press(f(), "PrevJobBtn");
    }
    // The herd of the worked example: 100 head at 15 gallons, 10 %, 12 hours, 3 days.
    void EnterExampleHerd()
    {
        Turn(1);
        TypeIn("NoStockNF", "100");
        TypeIn("OvcDbNumericField3", "12");
        TypeIn("OvcDbNumericField5", "10");
        TypeIn("OvcDbNumericField4", "3");
        TypeIn("OvcDbNumericField2", "15");
    }
    QString Work(const char* field) { return d().WorkSWaterTable->FieldByName(field)->AsString(); }
    QString Label(const char* name) { return f().Control<QLabel>(name)->text(); }
    int StoredCount()
    {
        db::Table* t = d().JobSWaterTable;
        const bool opened = !t->Active();
        if (opened)
            t->Open();
        const int n = t->RecordCount();
        if (opened)
            t->Close();
        return n;
    }

    DialogDriver driver;
    JobStore store;
    std::unique_ptr<TStockCalcDlg> dlg;
};

TEST_F(StockCalcTest, OpensOnAnEmptyWorkTableWithTheNotebookDisabled)
{
    EXPECT_TRUE(d().WorkSWaterTable->Active());
    EXPECT_TRUE(d().WorkSWaterTable->IsEmpty());
    EXPECT_FALSE(dlg->OvcNotebook1->isEnabled());
    EXPECT_EQ(d().ToolKind, 5);
    EXPECT_EQ(Tul->SaveState, 2);
    EXPECT_EQ(dlg->StatusBar1->PanelText(0), "Make Selection");

    // A row left from an earlier use is gone when it shows again.
    d().WorkSWaterTable->Append();
    d().WorkSWaterTableJobName->SetAsString("Left over");
    d().WorkSWaterTable->Post();
    TStockCalcDlg again(nullptr);
    again.Show();
    EXPECT_TRUE(d().WorkSWaterTable->IsEmpty());
}

TEST_F(StockCalcTest, NewJobStartsFromTheLocalDefaultsAndTheirLivestockType)
{
    NewJob("Spring pasture");
    EXPECT_EQ(driver.MessageTexts(), QStringList{"Job will be saved as Spring pasture."});
    EXPECT_TRUE(dlg->OvcNotebook1->isEnabled());
    EXPECT_EQ(d().WorkSWaterTable->RecordCount(), 1);
    EXPECT_EQ(Work("LivestockType"), "Beef cow with calf");
    EXPECT_EQ(Work("JobNumber"), "0");
    EXPECT_EQ(Work("MaxLivestock"), "0");
    EXPECT_EQ(Work("Date"), QDate::currentDate().toString("MM/dd/yyyy"));
    EXPECT_EQ(Work("HrDelivery"), "12");
    EXPECT_EQ(Work("DateStart"), "05/01");
    EXPECT_EQ(Work("SystemType"), kConventionalGrazing);
    EXPECT_EQ(Work("WaterPHead"), "16");   // the type's conventional gallons
    EXPECT_EQ(Work("Terrain"), kGentleTerrain);
    EXPECT_EQ(Work("WaterSpacing"), "1");    // and its gentle-terrain spacing
    EXPECT_EQ(Work("WaterQuality"), "Less than 1,000 mg/l");
    EXPECT_EQ(Work("QualComment"), "Good water, no restrictions.");
    EXPECT_EQ(dlg->Memo1->toPlainText(), "Good water, no restrictions.");
    EXPECT_EQ(dlg->SysRadioGp->ItemIndex(), 0);
    EXPECT_EQ(dlg->TerrainRadioGp->ItemIndex(), 1);
    EXPECT_EQ(dlg->QualRadioGp->ItemIndex(), 0);
    EXPECT_EQ(dlg->CalcJobName, "Spring pasture");
    EXPECT_EQ(Tul->SaveState, 0);
    // The main window's local defaults stay as they were (closed here).
    EXPECT_FALSE(d().DefLocTable->Active());
}

TEST_F(StockCalcTest, OutputComputesTheWorkedExample)
{
    NewJob("Example");
    EnterExampleHerd();
    Turn(2);
    EXPECT_TRUE(driver.MessageTexts().filter("Please enter").isEmpty());
    EXPECT_EQ(Work("MinGpm"), "1.15");
    EXPECT_EQ(Work("DesignGpm"), "2.29");
    EXPECT_EQ(Work("StorageReserve"), "4950");
    EXPECT_EQ(Label("MinGpmText"), "1.15");
    EXPECT_EQ(Label("DesignGpmText"), "2.29");
    EXPECT_EQ(Label("StorageReserveText"), "4950");
    EXPECT_EQ(Label("WaterSpacingText"), "1");
    EXPECT_EQ(Label("DBText8"), "15");   // the water typed on More Input
}

TEST_F(StockCalcTest, OutputWithTheSecondPageEmptyAsksForItsData)
{
    NewJob("Nothing yet");
    Turn(2);
    EXPECT_EQ(driver.MessageTexts().last(), "Please enter Data on the 'More Input' page.");
    EXPECT_EQ(dlg->OvcNotebook1->PageIndex(), 1);
    EXPECT_EQ(f().ActiveControl(), dlg->NoStockNF);
    EXPECT_EQ(Work("MinGpm"), "0");
    EXPECT_EQ(Work("StorageReserve"), "0");
}

TEST_F(StockCalcTest, NoDeliveryHoursAreRefusedInsteadOfDividingByZero)
{
    NewJob("No hours");
    EnterExampleHerd();
    TypeIn("OvcDbNumericField3", "0");
    Turn(2);
    EXPECT_EQ(driver.MessageTexts().last(),
              "Please enter the Desired Hours/Day for Delivery on the 'More Input' page.");
    EXPECT_EQ(dlg->OvcNotebook1->PageIndex(), 1);
    EXPECT_EQ(f().ActiveControl(), dlg->OvcDbNumericField3);
    EXPECT_TRUE(d().WorkSWaterTableDesignGpm->IsNull());
    EXPECT_EQ(Label("DesignGpmText"), "");
    EXPECT_EQ(Work("MinGpm"), "1.15");
    EXPECT_EQ(Work("StorageReserve"), "4950");
}

TEST_F(StockCalcTest, ChoicesWriteTheirTextsAndTheTypesValues)
{
    NewJob("Choices");
    Turn(1);
    dlg->QualRadioGp->ClickItem(4);
    EXPECT_EQ(Work("WaterQuality"), "7,000-10,000 mg/l");
    EXPECT_EQ(Work("QualComment"), WaterQualityRecommendation(4));
    EXPECT_EQ(dlg->Memo1->toPlainText(), WaterQualityRecommendation(4));
    dlg->SysRadioGp->ClickItem(1);
    EXPECT_EQ(Work("SystemType"), kIntensiveGrazing);
    EXPECT_EQ(Work("WaterPHead"), "20");   // beef cow with calf, intensive
    dlg->TerrainRadioGp->ClickItem(0);
    EXPECT_EQ(Work("Terrain"), kRoughTerrain);
    EXPECT_EQ(Work("WaterSpacing"), "0.5");
    EXPECT_EQ(Tul->SaveState, 0);   // still a new job
}

TEST_F(StockCalcTest, MoreInputTakesTheValuesOfANewlyHighlightedType)
{
    NewJob("Sheep run");
    Turn(0);
    db::Table* stock = d().StockTypeTable;
    ASSERT_TRUE(stock->Locate("LivestockType", "Sheep"));
    Turn(1);
    EXPECT_EQ(Work("LivestockType"), "Sheep");
    EXPECT_EQ(Label("DBText2"), "Sheep");
    EXPECT_EQ(Work("WaterPHead"), "2");
    // A typed value is the job's own while the type stays.
    TypeIn("OvcDbNumericField2", "2.5");
    TypeIn("OvcDbNumericField6", "1.5");
    Turn(0);
    Turn(1);
    EXPECT_EQ(Work("WaterPHead"), "2.5");
    EXPECT_EQ(Work("WaterSpacing"), "1.5");
    Turn(0);
    ASSERT_TRUE(stock->Locate("LivestockType", "Horse"));
    Turn(1);
    EXPECT_EQ(Work("WaterPHead"), "12");
    EXPECT_EQ(Work("WaterSpacing"), "1");
}

TEST_F(StockCalcTest, SavedReloadedExportedAndImportedTheJobKeepsEveryField)
{
    NewJob("Round trip");
    TypeIn("JobLocationDBSF", "Section 12");
    TypeIn("JobDesignerDBSF", "R. Ames");
    TypeIn("LanduserDBSF", "J. Smith");
    TypeIn("IDdbsf", "A-17");
    EnterExampleHerd();
    dlg->QualRadioGp->ClickItem(2);
    dlg->TerrainRadioGp->ClickItem(0);
    DialogDriver::Type(f(), "DBMemo1", "Fence the creek");
    DialogDriver::Type(f(), "DBMemo2", "Spring in the NE corner");
    DialogDriver::Type(f(), "DBMemo3", "Dry by August");
    TypeIn("OvcDbSimpleField1", "06/01");
    Turn(2);
    Save();
    ASSERT_EQ(StoredCount(), 1);
    EXPECT_EQ(Tul->SaveState, 2);
    EXPECT_FALSE(dlg->SaveJobBtn->isEnabled());
    EXPECT_GT(dlg->CalcJobNumber, 0);
    EXPECT_EQ(Work("JobNumber"), QString::number(dlg->CalcJobNumber));
    const QStringList saved = JobStore::Rows(d().WorkSWaterTable);

    // Reloaded from the list: the same row, results computed again.
    PreviousJob();
    DialogDriver::Press(f(), "LoadBitBtn");
    EXPECT_EQ(dlg->OvcNotebook1->PageIndex(), 2);
    EXPECT_EQ(JobStore::Rows(d().WorkSWaterTable), saved);
    EXPECT_EQ(dlg->StatusBar1->PanelText(0), "Output");
    EXPECT_EQ(dlg->StatusBar1->PanelText(1), "Job Name: Round trip");
    EXPECT_EQ(Tul->SaveState, 2);   // nothing to save until it is edited

    // Exported through the prompt, imported into an empty database.
    driver.OnceForm("TSaveTJob", [](ui::Form& p) { DialogDriver::Press(p, "ExportBtn"); });
    DialogDriver::Press(f(), "SaveJobBtn");
    EXPECT_TRUE(driver.MessageTexts().contains(
        "The Job has been exported  to the 'Mersol Transfer' directory:\n" +
        QDir::toNativeSeparators(db::Engine::instance().AliasPath(db::kTransferAlias))));
    StockCalcDlg = nullptr;
    dlg.reset();
    store.SwitchToEmptyDatabase();
    dlg = std::make_unique<TStockCalcDlg>(nullptr);
    StockCalcDlg = dlg.get();
    dlg->Show();
    NewJob("Placeholder");   // the pages want a name before they turn
    Turn(3);
    DialogDriver::Press(f(), "ImportJobBtn");
    QStringList imported = JobStore::Rows(d().WorkSWaterTable);
    EXPECT_EQ(Work("JobNumber"), "0");
    EXPECT_EQ(Tul->SaveState, 0);
    EXPECT_EQ(dlg->OvcNotebook1->PageIndex(), 0);
    EXPECT_EQ(imported, saved);
    DialogDriver::Focus(f(), "JobLocationDBSF");
    Save();
    EXPECT_EQ(StoredCount(), 1);
    EXPECT_EQ(JobTrans->StockWaterJobNumberOf("Round trip"), Work("JobNumber").toInt());
}

// A user's whole round with key strokes: New Job, the herd, Output, Save,
// a change (which Save Job offers again), Save, Close, the job loaded back
// with its change, deleted, and gone for good. Beef cows with calves, 16 gal
// a head (the defaults), 10 % spillage, 12 hours, 3 days:
//   240 head: 240 x 16 x 1.1 = 4224 gal a day; 4224 / 1440 = 2.93 gpm,
//             x 24 / 12 = 5.87 gpm; 3 x 4224 = 12672 gal;
//   300 head: 5280 gal a day; 3.67 gpm, 7.33 gpm, 15840 gal.
TEST_F(StockCalcTest, JourneyFromNewJobToADeletionThatLasts)
{
    auto results = [this] {
        return QStringList{Label("MinGpmText"), Label("DesignGpmText"), Label("StorageReserveText")};
    };
    DialogDriver::Press(f(), "NewJobBtn");
    DialogDriver::KeyIn(f(), "JobNameDBEdit", "Home pasture");
    DialogDriver::KeyIn(f(), "JobLocationDBSF", "Section 12");
    Turn(1);
    DialogDriver::KeyIn(f(), "NoStockNF", "240");
    Turn(2);
    EXPECT_EQ(results(), (QStringList{"2.93", "5.87", "12672"}));
    Save();
    EXPECT_EQ(StoredCount(), 1);
    Turn(1);
    DialogDriver::KeyIn(f(), "NoStockNF", "300");
    EXPECT_TRUE(dlg->SaveJobBtn->isEnabled());
    Turn(2);
    EXPECT_EQ(results(), (QStringList{"3.67", "7.33", "15840"}));
    Save();
    DialogDriver::Press(f(), "CloseBtn");
    EXPECT_EQ(driver.FormsShown().count("TSaveTJob"), 2);   // the two saves, none at Close
    EXPECT_EQ(StoredCount(), 1);

    auto reopen = [this] {
        StockCalcDlg = nullptr;
        dlg = std::make_unique<TStockCalcDlg>(nullptr);
        StockCalcDlg = dlg.get();
        dlg->Show();
        driver.ClearLog();
    };
    reopen();
    DialogDriver::Press(f(), "PrevJobBtn");
    DialogDriver::Enter(f());   // Return in the list loads the job it highlights
    EXPECT_EQ(dlg->NoStockNF->text(), "300");
    EXPECT_EQ(results(), (QStringList{"3.67", "7.33", "15840"}));
    Turn(3);
    DialogDriver::Escape(f());   // a calculator leaves by Close or its frame only
    EXPECT_TRUE(dlg->isVisible());
    DialogDriver::Press(f(), "DeleteBitBtn");
    DialogDriver::Press(f(), "CloseBtn");
    reopen();
    DialogDriver::Press(f(), "PrevJobBtn");
    EXPECT_EQ(driver.MessageTexts(), QStringList{"There are no previous jobs available."});
    EXPECT_EQ(StoredCount(), 0);
    EXPECT_FALSE(driver.FormsShown().contains("TSaveTJob"));
}

// Import Job replaces the job on the pages: what it has unsaved is offered
// first, and an empty transfer folder is said to be empty.
TEST_F(StockCalcTest, ImportOffersTheJobFirstAndSaysWhenThereIsNothing)
{
    d().TransSWaterTable->EmptyTable();
    NewJob("Unsaved");
    EnterExampleHerd();
    Turn(3);
    driver.ClearLog();
    AnswerPrompt("NoBitBtn");
    DialogDriver::Press(f(), "ImportJobBtn");
    EXPECT_EQ(driver.FormsShown(), QStringList{"TSaveTJob"});
    EXPECT_EQ(driver.MessageTexts(), QStringList{testsupport::JobStore::NoJobToImport()});
    EXPECT_EQ(Work("JobName"), "Unsaved");
}

TEST_F(StockCalcTest, ANewJobSavedTwiceIsStoredOnce)
{
    NewJob("Twice");
    EnterExampleHerd();
    Save();
    // More edits, then closing offers the save, which overwrites.
    dlg->SysRadioGp->ClickItem(1);
    EXPECT_EQ(Tul->SaveState, 1);
    // Leaving Job Name again finds the job as its own, not another's.
    Turn(0);
    DialogDriver::Focus(f(), "JobNameDBEdit");
    DialogDriver::Enter(f());
    EXPECT_TRUE(driver.MessageTexts().filter("already used").isEmpty());
    driver.OnceForm("TSaveTJob", [](ui::Form& p) { DialogDriver::Press(p, "OKBitBtn"); });
    DialogDriver::Press(f(), "CloseBtn");
    EXPECT_EQ(StoredCount(), 1);
    d().JobSWaterTable->Open();
    EXPECT_EQ(d().JobSWaterTableSystemType->AsString(), kIntensiveGrazing);
    EXPECT_EQ(Tul->SaveState, 2);
}

TEST_F(StockCalcTest, LoadTakesTheHighlightedJobAndTheListIsNotEdited)
{
    for (const char* name : {"Alpha", "Bravo", "Charlie"}) {
        NewJob(name);
        EnterExampleHerd();
        TypeIn("NoStockNF", QString::number(qstrlen(name) * 10));
    }
    PreviousJob();
    EXPECT_EQ(dlg->OvcNotebook1->PageIndex(), 3);
    EXPECT_EQ(dlg->StatusBar1->PanelText(0), "Select or delete");
    ui::DBGrid* grid = ui::DBGrid::Of(dlg->DBGrid2);
    ASSERT_EQ(grid->RowCount(), 3);
    EXPECT_TRUE(grid->ReadOnly());
    grid->SelectRow(1);   // highlighted without a click on a cell
    grid->EditCell(0, "Renamed");
    EXPECT_EQ(Label("DBText7"), "Bravo");
    DialogDriver::Press(f(), "LoadBitBtn");
    EXPECT_EQ(Work("JobName"), "Bravo");
    EXPECT_EQ(Work("MaxLivestock"), "50");
    EXPECT_EQ(dlg->CalcJobName, "Bravo");
    d().JobSWaterTable->Open();
    EXPECT_FALSE(d().JobSWaterTable->Locate("JobName", "Renamed"));
}

TEST_F(StockCalcTest, DeleteAsksAndKeepsTheJobOnNo)
{
    NewJob("Doomed");
    NewJob("Kept");
    PreviousJob();
    driver.ClearLog();
    driver.Answer(ui::mrNo);
    DialogDriver::Press(f(), "DeleteBitBtn");
    EXPECT_EQ(driver.MessageTexts(), QStringList{"Do you really want to delete Doomed?"});
    EXPECT_EQ(StoredCount(), 2);
    driver.Answer(ui::mrYes);
    DialogDriver::Press(f(), "DeleteBitBtn");
    EXPECT_EQ(StoredCount(), 1);
    EXPECT_EQ(Label("DBText7"), "Kept");
}

TEST_F(StockCalcTest, PreviousJobWithNoStoredJobsSaysSo)
{
    DialogDriver::Press(f(), "PrevJobBtn");
    EXPECT_EQ(driver.MessageTexts(), QStringList{"There are no previous jobs available."});
    EXPECT_FALSE(dlg->PrevJobBtn->isEnabled());
    EXPECT_FALSE(dlg->OvcNotebook1->isEnabled());
    EXPECT_FALSE(d().JobSWaterTable->Active());
    // A save through the prompt lets it look again.
    NewJob("First");
    Save();
    EXPECT_TRUE(dlg->PrevJobBtn->isEnabled());
}

TEST_F(StockCalcTest, JobNamesStayUnique)
{
    NewJob("Taken");
    NewJob("Taken");
    EXPECT_EQ(driver.MessageTexts().last(), "Job name already used, please enter a unique name.");
    EXPECT_EQ(f().ActiveControl(), dlg->JobNameDBEdit);
    // The name cannot be left while it is taken: no command runs meanwhile.
    DialogDriver::Press(f(), "PrevJobBtn");
    EXPECT_EQ(driver.MessageTexts().last(), "Job name already used, please enter a unique name.");
    EXPECT_TRUE(driver.FormsShown().filter("TSaveTJob").size() == 1);
    EXPECT_NE(dlg->OvcNotebook1->PageIndex(), 3);
    TypeIn("JobNameDBEdit", "Other");
    EXPECT_EQ(driver.MessageTexts().last(), "Job will be saved as Other.");
    PreviousJob();
    EXPECT_EQ(StoredCount(), 2);

    // A loaded job given a new name is stored as another job after a Yes.
    DialogDriver::Press(f(), "LoadBitBtn");
    EXPECT_EQ(Work("JobName"), "Taken");
    Turn(0);
    driver.Answer(ui::mrYes);
    TypeIn("JobNameDBEdit", "Taken again");
    EXPECT_EQ(driver.MessageTexts().last(), "Save job as: Taken again?");
    EXPECT_EQ(Tul->SaveState, 0);
    AnswerPrompt();
    DialogDriver::Press(f(), "CloseBtn");
    EXPECT_EQ(StoredCount(), 3);
    EXPECT_GT(JobTrans->StockWaterJobNumberOf("Taken"), 0);
}

TEST_F(StockCalcTest, CancelDropsTheEditAndOffersNoSave)
{
    NewJob("Cancelled");
    Turn(1);
    DialogDriver::Type(f(), "NoStockNF", "75");
    DialogDriver::Press(f(), "CancelBtn");
    EXPECT_TRUE(Tul->Cancelled);
    EXPECT_FALSE(d().WorkTablesFree);
    EXPECT_EQ(driver.FormsShown(), QStringList{});
    EXPECT_EQ(Tul->SaveState, 2);
    EXPECT_EQ(StoredCount(), 0);
}

TEST_F(StockCalcTest, DetailedPreviewsTheReportOwnedByTheCalculator)
{
    int previews = 0;
    QWidget* parent = nullptr;
    report::Dump shown;
    const report::PreviewHook old = report::SetPreviewHook([&](report::Document& doc, QWidget* p) {
        ++previews;
        parent = p;
        shown = report::RenderDump(doc);
    });
    NewJob("Reported");
    EnterExampleHerd();
    Turn(2);
    DialogDriver::Press(f(), "QRDetailedSpdBtn");
    report::SetPreviewHook(old);
    EXPECT_EQ(previews, 1);
    EXPECT_EQ(parent, dlg.get());
    EXPECT_EQ(shown.TextsOf("QRDBTextMinGpm"), QStringList{"1.15"});
    EXPECT_EQ(shown.TextsOf("QRDBTextJobName"), QStringList{"Reported"});
    EXPECT_EQ(driver.HelpContexts(), std::vector<int>{});
    DialogDriver::Press(f(), "SpeedButton3");
    DialogDriver::Press(f(), "HelpBtn");
    EXPECT_EQ(driver.HelpContexts(), (std::vector<int>{69, 67}));
}

} // namespace
