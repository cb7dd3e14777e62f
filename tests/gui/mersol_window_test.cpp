// The main window frame: start state, menus, help buttons, close, calculators.
#include "support/dialogdriver.h"
#include "support/tempdb.h"

#include "dialogs/editors/pipe_data_editor.h"
#include "dialogs/jobs/save_job_dialog.h"
#include "designer/about_box.h"
#include "mainwindow/mersol_window.h"
#include "model/database_setup.h"
#include "model/data_module.h"
#include "engine/single_objects.h"
#include "model/job.h"
#include "platform/chart/series.h"
#include "platform/ui/cursor.h"
#include "platform/ui/help.h"
#include "platform/ui/notebook.h"
#include "platform/ui/statusbar.h"
#include "platform/report/preview.h"
#include "reports/job_list_report.h"

#include <QFrame>
#include <QLabel>
#include <QMap>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QToolButton>

#include <QSignalBlocker>

#include <gtest/gtest.h>

namespace {

class MersolFormTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CreateSingleObjects();
        DMod = new TDMod();
        form = new TMersolForm();
        MersolForm = form;
        form->Show();
    }
    void TearDown() override
    {
        SetSingleObjectObserver({});
        if (form->isVisible()) form->Close();
        delete form;
        delete DMod;
        DMod = nullptr;
        CreateSingleObjects();   // the close deleted them
    }
    // A designer job in the working tables: a header and two profile rows.
    void openJob()
    {
        db::Table* pipe = DMod->WorkPipeTable;
        pipe->Open();
        pipe->Append();
        DMod->WorkPipeTableJobName->SetAsString("Smith");
        pipe->Post();
        db::Table* prof = DMod->WorkProfTable;
        prof->Open();
        for (double st : {0.0, 1200.0}) {
            prof->Append();
            DMod->WorkProfTableStation->SetAsFloat(st);
            prof->Post();
        }
        DMod->WorkTablesFree = false;
        Tul->SaveState = 1;
        form->OvcNotebook1->setEnabled(true);
        form->ScrollBox1->show();
        form->MersolImage->hide();
    }
    static QStringList menuTexts(QMenu* m)
    {
        QStringList out;
        for (QAction* a : m->actions()) out << (a->isSeparator() ? QStringLiteral("-") : a->text());
        return out;
    }

    DialogDriver driver;
    testsupport::TempDb temp{MersolCreateScript(), TransferCreateScript()};
    TMersolForm* form = nullptr;
};

TEST_F(MersolFormTest, StartsInTheNoJobState)
{
    EXPECT_EQ(form->Caption(), "Mersol Serial Pipeline Design     (Version 1.2)");
    EXPECT_EQ(form->size(), QSize(657, 545));
    EXPECT_EQ(form->MainStatusBar->PanelText(0), "Please make selection");
    EXPECT_EQ(form->MainStatusBar->PanelText(1), "Welcome to Mersol!");
    EXPECT_FALSE(form->OvcNotebook1->isEnabled());
    EXPECT_FALSE(form->SaveJobBtn->isEnabled());
    EXPECT_FALSE(form->CancelJobBitBtn->isEnabled());
    EXPECT_FALSE(form->SaveJob1->isEnabled());
    EXPECT_TRUE(form->ExitBtn->isEnabled());
    EXPECT_TRUE(form->MersolImage->isVisible());
    EXPECT_FALSE(form->ScrollBox1->isVisible());
    EXPECT_TRUE(DMod->WorkTablesFree);
    EXPECT_EQ(Tul->SaveState, 2);
    EXPECT_TRUE(DMod->DefLocTable->Active());
    EXPECT_TRUE(DMod->DefSysTable->Active());
    EXPECT_TRUE(form->PointSeries1->HandCursor);
    EXPECT_EQ(ui::HelpFile(), "Mersol.HLP");
    EXPECT_EQ(form->OvcNotebook1->tabText(0), "&General Job Data");
    EXPECT_EQ(form->OvcNotebook1->tabText(2), "&Output");
    EXPECT_EQ(form->NewJobBtn->toolTip(), "Start a new pipeline job");
}

TEST_F(MersolFormTest, MenusCarryTheirItemsAndSeparators)
{
    QStringList bar;
    QList<QMenu*> menus;
    for (QAction* a : form->MainMenu1->actions()) {
        bar << a->text();
        menus << a->menu();
    }
    EXPECT_EQ(bar, (QStringList{"&File", "&Tools", "&Reports", "&Defaults", "P&ipe Database", "&Help"}));
    EXPECT_EQ(menuTexts(menus[0]), (QStringList{"&New Job", "&Review or Edit Job...", "&Save Job", "-", "&Delete Job", "-", "E&xit"}));
    EXPECT_EQ(menuTexts(menus[1]), (QStringList{"&Stockwater Requirement Calculator", "&Manifold Calculator",
                                                "&AirVac Calculator", "&Gated Pipe Calculator"}));
    EXPECT_EQ(menuTexts(menus[2]), (QStringList{"&List of Jobs"}));
    EXPECT_EQ(menuTexts(menus[3]), (QStringList{"&System Defaults", "&Local Defaults"}));
    EXPECT_EQ(menuTexts(menus[4]), (QStringList{"Pipe &Size/Rating Database", "Pipe &Types Database", "-",
                                                "&Minor Loss Database", "-", "&Unit Cost Database"}));
    EXPECT_EQ(menuTexts(menus[5]), (QStringList{"&Contents", "&Search for Help on...", "Learning to use Mersol and Dunstrow",
                                                "-", "&About"}));
}

TEST_F(MersolFormTest, NoTwoItemsOfTheWindowShareAnAltKey)
{
    // The menu bar, the notebook's tabs and the job buttons are all reachable at once.
    QStringList texts;
    for (QAction* a : form->MainMenu1->actions()) texts << a->text();
    for (int i = 0; i < form->OvcNotebook1->count(); ++i) texts << form->OvcNotebook1->tabText(i);
    for (QPushButton* b : {form->ExitBtn, form->NewJobBtn, form->PrevJobBtn, form->SaveJobBtn, form->CancelJobBitBtn})
        texts << b->text();
    QMap<QChar, QString> owner;
    for (const QString& t : texts) {
        const int amp = t.indexOf(QLatin1Char('&'));
        if (amp < 0 || amp + 1 >= t.size()) continue;
        const QChar key = t.at(amp + 1).toLower();
        EXPECT_FALSE(owner.contains(key)) << "Alt+" << QString(key).toStdString() << ": "
                                          << owner.value(key).toStdString() << " and " << t.toStdString();
        owner.insert(key, t);
    }
}

TEST_F(MersolFormTest, ClosingRightAfterStartOffersNoSaveAndDeletesTheSingleObjectsInOrder)
{
    QStringList order;
    SetSingleObjectObserver([&](const char* name) { order << name; });
    Tul->Cancelled = true;
    DialogDriver::Press(*form, "ExitBtn");
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(driver.FormsShown().isEmpty());
    EXPECT_FALSE(DMod->DefLocTable->Active());
    EXPECT_EQ(order, (QStringList{"JobTrans", "Tul", "Cost", "FFlow", "Gated", "Grav", "Hyd", "Pump"}));
}

TEST_F(MersolFormTest, CloseOffersTheSaveOnlyForAnUnsavedDesignerJob)
{
    openJob();
    driver.OnForm("TSaveForm", [](ui::Form& f) { f.Close(); });
    DialogDriver::CloseBox(*form);
    EXPECT_EQ(driver.FormsShown(), QStringList{"TSaveForm"});
    EXPECT_EQ(SaveForm, nullptr);
}

TEST_F(MersolFormTest, CloseAfterACalculatorOffersNoSave)
{
    // The launcher already offered the save when it left the job.
    openJob();
    form->CalculatorOpened = true;
    driver.ClearLog();
    form->Close();
    EXPECT_TRUE(driver.FormsShown().isEmpty());
}

TEST_F(MersolFormTest, HelpButtonsAndMenuOpenTheirTopics)
{
    form->OvcNotebook1->setEnabled(true);
    form->ScrollBox1->show();
    DialogDriver::Press(*form, "BitBtn1");
    DialogDriver::Press(*form, "SysTypeHelpBtn");
    form->OvcNotebook1->SetPageIndex(1);
    DialogDriver::Press(*form, "ProfInHlpSpeedButton5");
    {
        QSignalBlocker noCompute(form->OvcNotebook1);   // no job to compute here
        form->OvcNotebook1->SetPageIndex(2);
    }
    DialogDriver::Press(*form, "Help2SpdBtn");
    form->LearningtouseMersolandDunstrow1->trigger();
    EXPECT_EQ(driver.HelpContexts(), (std::vector<int>{19, 108, 41, 46, 160}));
    form->Contents1->trigger();
    form->SearchforHelpon1->trigger();
    ASSERT_EQ(driver.HelpRequests().size(), 7u);
    EXPECT_EQ(driver.HelpRequests()[5].command, ui::HelpCommand::Contents);
    EXPECT_EQ(driver.HelpRequests()[6].command, ui::HelpCommand::Search);
    EXPECT_EQ(driver.HelpRequests()[6].keyword, "");
    EXPECT_EQ(driver.HelpRequests()[0].helpFile, "Mersol.HLP");
}

TEST_F(MersolFormTest, EveryHelpContextOfTheProgramHasATopicInTheShippedHelpFile)
{
    auto book = ui::HelpBook::Load(QStringLiteral(MERSOL_SOURCE_DIR "/src/app/Mersol.HLP"));
    ASSERT_TRUE(book.has_value());
    for (int ctx : {18, 19, 26, 27, 28, 29, 33, 34, 36, 37, 38, 40, 41, 46, 67, 69, 72, 74, 75, 76, 81, 82, 83, 84, 85, 86,
                    87, 89, 96, 97, 100, 103, 108, 110, 111, 112, 113, 114, 115, 116, 118, 119, 121, 123, 124, 133, 134, 137,
                    138, 139, 140, 141, 142, 152, 157, 160, 15448, 19022, 19023, 19024, 19026})
        EXPECT_NE(book->Topic(ctx), nullptr) << ctx;
}

TEST_F(MersolFormTest, AboutBoxShowsItsLinesAndClosesWithOK)
{
    QStringList texts;
    driver.OnForm("TAboutBox", [&](ui::Form& f) {
        texts << f.Caption();
        for (const char* n : {"ProductName", "Comments", "Version"}) texts << f.Control<QLabel>(n)->text();
        texts << f.Control<QLabel>("FaultReports")->text();
        DialogDriver::Press(f, "BitBtn1");
    });
    form->ScrollBox1->show();
    form->About1->trigger();
    ASSERT_EQ(texts.size(), 5);
    EXPECT_EQ(texts.mid(0, 4), (QStringList{"About Mersol", "Mersol Serial Pipeline Design",
                                            "Agricultural pipeline design program", "Version 1.2, December 1, 2005"}));
    EXPECT_TRUE(texts[4].contains("*.QRP"));
    EXPECT_EQ(AboutBox, nullptr);
    EXPECT_TRUE(driver.Unanswered().isEmpty());
    // The return from the modal box is no new activation: the job panel stays.
    EXPECT_TRUE(form->ScrollBox1->isVisible());
}

TEST_F(MersolFormTest, MenuEditorsOpenModallyAndAreDeleted)
{
    const std::pair<QAction*, const char*> items[] = {
        {form->MaintainJobDatabase1, "TRemoveJobsDlg"}, {form->SystemDefaults1, "TDefSysDlg"},
        {form->LocalDefaults1, "TDefLocDlg"},           {form->PipeMaterialDatabase1, "TPipeDataForm"},
        {form->PipeTypeDatabase1, "TPipeTypeForm"},     {form->MinorLossDatabase1, "TMinorLossForm"},
        {form->UintCostDatabase1, "TUnitCostInFrm"},
    };
    QStringList expected;
    for (const auto& [action, cls] : items) {
        action->trigger();
        expected << cls;
    }
    EXPECT_EQ(driver.FormsShown(), expected);
    EXPECT_EQ(form->findChildren<ui::Form*>().size(), 0);   // every dialog deleted
}

TEST_F(MersolFormTest, PipeEditorsAboutCommandShowsTheAboutBox)
{
    driver.OnceForm("TPipeDataForm", [](ui::Form& f) { static_cast<TPipeDataForm&>(f).About1->trigger(); });
    form->PipeMaterialDatabase1->trigger();
    EXPECT_EQ(driver.FormsShown(), (QStringList{"TPipeDataForm", "TAboutBox"}));
    EXPECT_EQ(AboutBox, nullptr);
}

TEST_F(MersolFormTest, CalculatorWithoutAJobOffersNoSave)
{
    form->StockwaterRequirementCalculator1->trigger();
    EXPECT_EQ(driver.FormsShown(), QStringList{"TStockCalcDlg"});
    EXPECT_TRUE(form->CalculatorOpened);
    EXPECT_FALSE(form->CancelJobBitBtn->isEnabled());   // Cancel Job ran and disabled it again
    EXPECT_EQ(form->MainStatusBar->PanelText(0), "Please make selection");
}

TEST_F(MersolFormTest, CalculatorLeavesAnOpenJobAfterOfferingItsSave)
{
    openJob();
    form->TrickleManifoledCalculator1->trigger();
    EXPECT_EQ(driver.FormsShown(), (QStringList{"TSaveForm", "TManifoldDlg"}));
    // The calculator's working tables hold its own job when it closes.
    EXPECT_FALSE(DMod->WorkTablesFree);
    EXPECT_EQ(Tul->SaveState, 2);
    EXPECT_EQ(form->OvcNotebook1->PageIndex(), 0);
    EXPECT_FALSE(form->OvcNotebook1->isEnabled());
    DMod->WorkProfTable->Open();
    EXPECT_EQ(DMod->WorkProfTable->RecordCount(), 0);

    // Closing now offers no save, even though the job had changes.
    driver.ClearLog();
    form->Close();
    EXPECT_TRUE(driver.FormsShown().isEmpty());
}

TEST_F(MersolFormTest, GatedPipeCalculatorLeavesTheJobEvenWhenNoneIsOpen)
{
    openJob();
    DMod->WorkTablesFree = true;   // as if the window thought no job was open
    form->GatedPipeCalculator1->trigger();
    EXPECT_EQ(driver.FormsShown(), (QStringList{"TSaveForm", "TGatedToolDlg"}));
    DMod->WorkProfTable->Open();
    EXPECT_EQ(DMod->WorkProfTable->RecordCount(), 0);

    // The other calculators leave the tables alone when no job is open.
    openJob();
    DMod->WorkTablesFree = true;
    driver.ClearLog();
    form->AirVacCalculator1->trigger();
    EXPECT_EQ(driver.FormsShown(), QStringList{"TAirVacDlg"});
    DMod->WorkProfTable->Open();
    EXPECT_EQ(DMod->WorkProfTable->RecordCount(), 2);
}

TEST_F(MersolFormTest, LeavingTheJobTurnsThePageBeforeTheHeaderIsClosed)
{
    openJob();
    {
        QSignalBlocker noCompute(form->OvcNotebook1);   // no job to compute here
        form->OvcNotebook1->SetPageIndex(2);
    }
    bool headerThere = false;
    int pageEntered = -1;
    QObject::connect(form->OvcNotebook1, &ui::Notebook::PageChanged, [&](int page) {
        pageEntered = page;
        headerThere = DMod->WorkPipeTable->Active() && DMod->WorkPipeTable->RecordCount() == 1 && !DMod->WorkTablesFree;
    });
    driver.OnForm("TSaveForm", [](ui::Form& f) { f.Close(); });
    LeaveCurrentJob(form);
    EXPECT_EQ(pageEntered, 0);
    EXPECT_TRUE(headerThere);
    EXPECT_TRUE(driver.Messages().empty());   // no failure reached the exception display
    DMod->WorkPipeTable->Open();
    EXPECT_EQ(DMod->WorkPipeTable->RecordCount(), 0);   // no blank header row
    EXPECT_EQ(form->MainStatusBar->PanelText(0), "");
    EXPECT_EQ(form->MainStatusBar->PanelText(1), "");
    EXPECT_FALSE(form->SaveJob1->isEnabled());
    EXPECT_TRUE(form->MersolImage->isVisible());
}

TEST_F(MersolFormTest, ListOfJobsPreviewsAllJobsAndRestoresTheCursor)
{
    int modeSeen = -1;
    bool tableOpen = false;
    ui::Cursor cursorSeen = ui::Cursor::Default;
    QString title;
    const ui::Cursor before = ui::ScreenCursor();
    const auto old = report::SetPreviewHook([&](report::Document& d, QWidget* parent) {
        modeSeen = DMod->JobFilterMode;
        tableOpen = DMod->JobPipeTable->Active();
        cursorSeen = ui::ScreenCursor();
        title = d.Title;
        EXPECT_EQ(parent, form);
    });
    form->ListofJobs1->trigger();
    report::SetPreviewHook(old);
    EXPECT_EQ(modeSeen, 2);
    EXPECT_TRUE(tableOpen);
    EXPECT_EQ(cursorSeen, ui::Cursor::HourGlass);
    EXPECT_EQ(title, "List of Jobs");
    EXPECT_FALSE(DMod->JobPipeTable->Active());
    EXPECT_EQ(QRJobList, nullptr);
    EXPECT_EQ(ui::ScreenCursor(), before);
}

TEST_F(MersolFormTest, OutputPageButtonsPreviewTheirReports)
{
    openJob();
    QStringList titles;
    const auto old = report::SetPreviewHook([&](report::Document& d, QWidget*) { titles << d.Title; });
    driver.SetDefaultAnswer(ui::mrNo);   // no unit-cost editing
    for (QPushButton* b : {form->QRDetailedSpdBtn, form->QRSummarySpdBtn, form->QRCostSpdBtn, form->QRGraphBitBtn})
        b->click();
    report::SetPreviewHook(old);
    EXPECT_EQ(titles, (QStringList{"Detailed Pipeline Hydraulic Report", "Summary Hydraulic Report",
                                   "Pipeline Cost Estimate", "Output Graph Report"}));
    // The cost estimate then names the job's unpriced materials.
    ASSERT_FALSE(driver.MessageTexts().isEmpty());
    EXPECT_EQ(driver.MessageTexts().at(0), "Do you want to view or edit unit costs?");
    for (const QString& text : driver.MessageTexts().mid(1))
        EXPECT_TRUE(text.startsWith("No cost per pound found")) << text.toStdString();
}

} // namespace
