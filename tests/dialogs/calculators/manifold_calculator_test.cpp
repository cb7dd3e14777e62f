// The stand-alone manifold calculator driven headless: its jobs, its pages,
// the computed output and its three reports.
#include "dialogs/dialog_helpers.h"
#include "dialogs/calculators/manifold_calculator.h"
#include "dialogs/jobs/remove_job_dialog.h"
#include "dialogs/line_ends/manifold_pages.h"
#include "support/dialogdriver.h"
#include "support/workjob.h"
#include "support/workprofile.h"

#include "model/data_module.h"
#include "model/job.h"
#include "platform/chart/chartwidget.h"
#include "platform/report/preview.h"
#include "platform/ui/cursor.h"
#include "platform/ui/dbgrid.h"
#include "platform/ui/notebook.h"
#include "reports/manifold_graph_report.h"

#include <QDate>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

#include <gtest/gtest.h>

#include <functional>

namespace {

class ManifoldCalculatorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        DMod->DefLocTable->Open();
        oldHook_ = report::SetPreviewHook([this](report::Document& d, QWidget*) {
            d.PrintDate = QDate(2026, 12, 9);
            previewed << d.Title;
            dumps.push_back(report::RenderDump(d));
        });
    }
    void TearDown() override { report::SetPreviewHook(oldHook_); }

    void Open(std::function<void(TManifoldDlg&)> act)
    {
        driver.OnceForm(QStringLiteral("TManifoldDlg"), [act](ui::Form& f) { act(static_cast<TManifoldDlg&>(f)); });
        ShowOwned(ManifoldDlg, nullptr);
    }

    // The next quick node entry lays out three 10 gpm outlets 100 ft apart,
    // from station 0 at 100 ft to station 200 at 98 ft; typed key by key
    // with `keyed`.
    static void AnswerThreeOutlets(DialogDriver& driver, bool keyed)
    {
        driver.OnceForm(QStringLiteral("TOptinalManifEntryDlg"), [keyed](ui::Form& q) {
            const char* values[][2] = {{"StartStaNF", "0"},  {"StartElNF", "100"}, {"EndStaNF", "200"},
                                       {"EndElNF", "98"},    {"FlowRateNF", "10"}, {"DistNF", "100"}};
            for (auto& [name, value] : values) {
                if (keyed)
                    DialogDriver::KeyIn(q, QString::fromLatin1(name), QString::fromLatin1(value));
                else
                    DialogDriver::Type(q, QString::fromLatin1(name), QString::fromLatin1(value));
            }
            DialogDriver::Press(q, QStringLiteral("OKBitBtn1"));
        });
    }

    // New job "Drip A" with three 10 gpm outlets 100 ft apart, computed.
    static void DesignThreeOutlets(TManifoldDlg& f, DialogDriver& driver)
    {
        DialogDriver::Press(f, QStringLiteral("NewJobBtn"));
        DialogDriver::Type(f, QStringLiteral("JobNameDBEdit"), QStringLiteral("Drip A"));
        DialogDriver::Focus(f, QStringLiteral("JobLocationDBSF"));
        DialogDriver::Press(f, QStringLiteral("OKBitBtn1"));
        EXPECT_EQ(f.OvcNotebookM->PageIndex(), 1);
        DialogDriver::Focus(f, QStringLiteral("TypeDBLookupComboBox"));
        DialogDriver::Focus(f, QStringLiteral("SmallestDBNF"));
        ui::DBGrid::Of(f.Pages->PipeRtngDBGrid)->SelectRow(0);
        f.Pages->PipeRtngDBGridDblClick();
        DialogDriver::Press(f, QStringLiteral("OKBitBtn2"));
        EXPECT_EQ(f.OvcNotebookM->PageIndex(), 2);
        EXPECT_TRUE(f.Pages->OptionalButton->isEnabled());
        AnswerThreeOutlets(driver, false);
        DialogDriver::Press(f, QStringLiteral("OptionalButton"));
        DialogDriver::Press(f, QStringLiteral("OKBitBtn3"));
        EXPECT_EQ(f.OvcNotebookM->PageIndex(), 3);
    }

    DialogDriver driver;
    testsupport::WorkJob job;
    QStringList previewed;
    std::vector<report::Dump> dumps;

private:
    report::PreviewHook oldHook_;
};

} // namespace

TEST_F(ManifoldCalculatorTest, NewJobReplacesAnEarlierManifoldWithOneHeaderAndOneNode)
{
    testsupport::WorkJob::AddRow(DMod->WorkTrickleTable, {{"Station", 40}, {"GpmAtOutlet", 3}});
    testsupport::WorkJob::AddRow(DMod->WorkTrickleTable, {{"Station", 80}, {"GpmAtOutlet", 3}});
    bool notebookBefore = true;
    Open([&](TManifoldDlg& f) {
        notebookBefore = f.OvcNotebookM->isEnabled();
        DialogDriver::Press(f, QStringLiteral("NewJobBtn"));
        EXPECT_TRUE(f.OvcNotebookM->isEnabled());
        EXPECT_EQ(f.ActiveControl(), static_cast<QWidget*>(f.JobNameDBEdit));
        // The new node row is being entered; posted it is the only one.
        DMod->WorkTrickleTable->CheckBrowseMode();
        EXPECT_EQ(DMod->WorkTrickleTable->RecordCount(), 1);
        EXPECT_EQ(DMod->WorkTrickleTableStation->AsFloat(), 0);
        DialogDriver::Press(f, QStringLiteral("CancelBtn"));
    });
    EXPECT_FALSE(notebookBefore);
    EXPECT_EQ(DMod->WorkPipeTable->RecordCount(), 1);
    EXPECT_EQ(testsupport::PipeText("SysType"), QStringLiteral("MANIFOLD"));
    EXPECT_EQ(testsupport::PipeValue("SysHas"), 4);
    EXPECT_EQ(testsupport::PipeText("TriclPType"), QStringLiteral("PVC SDR"));
    EXPECT_EQ(testsupport::PipeValue("TriclMFric"), 2);
    EXPECT_EQ(testsupport::PipeValue("TriclHiSz"), 4);
    EXPECT_EQ(testsupport::PipeText("Date"), QDate::currentDate().toString(QStringLiteral("MM/dd/yyyy")));
}

TEST_F(ManifoldCalculatorTest, PreviousJobWithAnEmptyStoreInformsAndDisablesItself)
{
    bool prevEnabled = true, notebook = true;
    Open([&](TManifoldDlg& f) {
        DialogDriver::Press(f, QStringLiteral("PrevJobBtn"));
        prevEnabled = f.PrevJobBtn->isEnabled();
        notebook = f.OvcNotebookM->isEnabled();
        DialogDriver::Press(f, QStringLiteral("CloseBtn"));
    });
    EXPECT_EQ(driver.MessageTexts(), QStringList{QStringLiteral("There are no previous jobs available.")});
    EXPECT_FALSE(prevEnabled);
    EXPECT_FALSE(notebook);
}

// Design, compute, save, and load it again: it opens on the computed output.
TEST_F(ManifoldCalculatorTest, DesignedJobIsComputedSavedAndLoadedBackOnItsOutput)
{
    int entrancePoints = 0, entranceAfterSecondVisit = 0;
    Open([&](TManifoldDlg& f) {
        DesignThreeOutlets(f, driver);
        entrancePoints = f.EntranceSeries->Count();
        EXPECT_EQ(f.HglSeries->Count(), 3);
        // Each line in a colour of its own, the legend in the colours drawn.
        const auto legend = f.DBChart2->chart().LegendSwatches();
        ASSERT_EQ(legend.size(), 3u);
        EXPECT_EQ(legend[0].line, QColor(Qt::blue));
        EXPECT_EQ(legend[1].line, QColor(Qt::red));
        EXPECT_EQ(legend[2].symbolColor, QColor(Qt::yellow));
        f.OvcNotebookM->SetPageIndex(2);
        f.OvcNotebookM->SetPageIndex(3);
        entranceAfterSecondVisit = f.EntranceSeries->Count();
        driver.OnceForm(QStringLiteral("TSaveForm"), [](ui::Form& s) { DialogDriver::Press(s, QStringLiteral("OKBitBtn")); });
        DialogDriver::Press(f, QStringLiteral("SaveJobBtn"));
        EXPECT_EQ(f.OvcNotebookM->PageIndex(), 0);
        DialogDriver::Press(f, QStringLiteral("CloseBtn"));
    });
    EXPECT_TRUE(driver.MessageTexts().contains(QStringLiteral("Job will be saved as Drip A.")));
    EXPECT_EQ(entrancePoints, 1);
    EXPECT_EQ(entranceAfterSecondVisit, 2);
    EXPECT_EQ(testsupport::PipeValue("TriclEntQ"), 30);

    // Empty the working tables: the job comes back from the store.
    DMod->WorkTrickleTable->Close();
    DMod->WorkTrickleTable->EmptyTable();
    QStringList pipes;
    int page = -1;
    Open([&](TManifoldDlg& f) {
        driver.OnceForm(QStringLiteral("TJobListForm"),
                        [](ui::Form& l) { DialogDriver::Press(l, QStringLiteral("OKBitBtn1")); });
        DialogDriver::Press(f, QStringLiteral("PrevJobBtn"));
        page = f.OvcNotebookM->PageIndex();
        ui::DBGrid* grid = ui::DBGrid::Of(f.DBGrid2);
        for (int r = 0; r < grid->RowCount(); ++r)
            pipes << grid->CellText(r, 6);
        DialogDriver::Press(f, QStringLiteral("CloseBtn"));
    });
    EXPECT_EQ(page, 3);
    ASSERT_EQ(pipes.size(), 3);
    EXPECT_TRUE(pipes[0].startsWith(QStringLiteral("PVC SDR 21"))) << pipes[0].toStdString();
    EXPECT_TRUE(pipes[2].isEmpty());
    EXPECT_EQ(testsupport::PipeValue("TriclEntQ"), 30);
}

// A manifold the run cannot size (an outlet of 90000 gpm: no pipe of the
// material stays within its limits) shows none of the results of the run
// before, and offers no report; sized again, it shows its own.
TEST_F(ManifoldCalculatorTest, OutputOfAManifoldNotComputedShowsNoEarlierResults)
{
    QString why;
    bool gridShown = true, chartShown = true, reportsOffered = true, lblShown = false;
    bool afterFixGrid = false, afterFixReports = false;
    Open([&](TManifoldDlg& f) {
        DesignThreeOutlets(f, driver);
        ASSERT_TRUE(f.DBGrid2->isVisible());
        ASSERT_TRUE(f.QRDetailedSpdBtn->isEnabled());
        auto setNode = [](int row, db::Field* field, double value) {
            db::Table* t = DMod->WorkTrickleTable;
            t->CheckBrowseMode();
            for (t->First(); row > 0; --row) t->Next();
            t->Edit();
            field->SetAsFloat(value);
            t->Post();
        };
        auto setMiddleOutlet = [&](double gpm) { setNode(1, DMod->WorkTrickleTableGpmAtOutlet, gpm); };
        f.OvcNotebookM->SetPageIndex(2);
        setMiddleOutlet(90000);
        driver.ClearLog();
        f.OvcNotebookM->SetPageIndex(3);
        why = f.NotComputedLbl->text();
        lblShown = f.NotComputedLbl->isVisible();
        gridShown = f.DBGrid2->isVisible();
        chartShown = f.DBChart2->isVisible();
        reportsOffered = f.QRDetailedSpdBtn->isEnabled() || f.QRGraphBitBtn->isEnabled() || f.QRCostSpdBtn->isEnabled();

        f.OvcNotebookM->SetPageIndex(2);
        setMiddleOutlet(10);
        f.OvcNotebookM->SetPageIndex(3);
        afterFixGrid = f.DBGrid2->isVisible() && !f.NotComputedLbl->isVisible();
        afterFixReports = f.QRDetailedSpdBtn->isEnabled();

        // A station no field takes (a damaged row): the run says it cannot
        // be named and computes past it, as on the main window's output
        // page; an error said on the way is no refusal.
        f.OvcNotebookM->SetPageIndex(2);
        setNode(0, DMod->WorkTrickleTableStation, -50);
        f.OvcNotebookM->SetPageIndex(3);
        EXPECT_TRUE(driver.MessageTexts().contains(QStringLiteral("Can't use negative stations. Please enter positive station")));
        EXPECT_TRUE(f.DBGrid2->isVisible());
        EXPECT_FALSE(f.NotComputedLbl->isVisible());
        EXPECT_TRUE(f.QRDetailedSpdBtn->isEnabled());
        DialogDriver::Press(f, QStringLiteral("CloseBtn"));
    });
    ASSERT_FALSE(driver.MessageTexts().isEmpty());
    EXPECT_TRUE(driver.MessageTexts().first().startsWith(QStringLiteral("Manifold not computed.")));
    EXPECT_EQ(why, QStringLiteral("The manifold was not computed: ") + driver.MessageTexts().first());
    EXPECT_TRUE(lblShown);
    EXPECT_FALSE(gridShown);
    EXPECT_FALSE(chartShown);
    EXPECT_FALSE(reportsOffered);
    EXPECT_TRUE(afterFixGrid);
    EXPECT_TRUE(afterFixReports);
}

// Close keeps a changed job as the frame does: it offers to save it, and
// No leaves nothing for another window to offer.
TEST_F(ManifoldCalculatorTest, CloseAndTheFrameBothOfferAChangedJob)
{
    for (bool frame : {false, true}) {
        driver.ClearLog();
        Open([&](TManifoldDlg& f) {
            DialogDriver::Press(f, QStringLiteral("NewJobBtn"));
            Tul->SaveState = 1;
            driver.OnceForm(QStringLiteral("TSaveForm"), [](ui::Form& s) { DialogDriver::Press(s, QStringLiteral("NoBitBtn")); });
            if (frame)
                DialogDriver::CloseBox(f);
            else
                DialogDriver::Press(f, QStringLiteral("CloseBtn"));
        });
        EXPECT_EQ(driver.FormsShown().count(QStringLiteral("TSaveForm")), 1) << frame;
        EXPECT_EQ(Tul->SaveState, 2);
        EXPECT_TRUE(Tul->JobName.isEmpty());
    }
}

// A user's whole round with key strokes: New Job, the pipe's ratings listed
// at once, the outlets, Output, Save, a change saved again, Close, Previous
// Job, and a removal that lasts.
TEST_F(ManifoldCalculatorTest, JourneyFromNewJobToARemovalThatLasts)
{
    QStringList ratings, stations;
    int emptyEntrance = -1;
    double entranceQ = 0;
    Open([&](TManifoldDlg& f) {
        DialogDriver::Press(f, QStringLiteral("NewJobBtn"));
        DialogDriver::KeyIn(f, QStringLiteral("JobNameDBEdit"), QStringLiteral("Drip B"));
        DialogDriver::KeyIn(f, QStringLiteral("JobLocationDBSF"), QStringLiteral("Orchard"));
        // The output of the one empty starting node marks no entrance.
        f.OvcNotebookM->SetPageIndex(3);
        emptyEntrance = f.EntranceSeries->Count();
        f.OvcNotebookM->SetPageIndex(0);
        DialogDriver::Press(f, QStringLiteral("OKBitBtn1"));
        // The default pipe (PVC SDR, 3/4 to 4 in) lists its ratings at once.
        ui::DBGrid* list = ui::DBGrid::Of(f.Pages->PipeRtngDBGrid);
        for (int r = 0; r < list->RowCount(); ++r) ratings << list->CellText(r, 0);
        list->SelectRow(0);
        f.Pages->PipeRtngDBGridDblClick();
        DialogDriver::Press(f, QStringLiteral("OKBitBtn2"));
        AnswerThreeOutlets(driver, true);
        DialogDriver::Press(f, QStringLiteral("OptionalButton"));
        ui::DBGrid* nodes = ui::DBGrid::Of(f.Pages->DBCtrlGrid1);
        for (int r = 0; r < nodes->RowCount(); ++r) stations << nodes->CellText(r, 0);
        DialogDriver::Press(f, QStringLiteral("OKBitBtn3"));
        entranceQ = testsupport::PipeValue("TriclEntQ");
        driver.OnceForm(QStringLiteral("TSaveForm"), [](ui::Form& s) { DialogDriver::Press(s, QStringLiteral("OKBitBtn")); });
        DialogDriver::Press(f, QStringLiteral("SaveJobBtn"));
        DialogDriver::KeyIn(f, QStringLiteral("JobLocationDBSF"), QStringLiteral("Vineyard"));
        driver.OnceForm(QStringLiteral("TSaveForm"), [](ui::Form& s) { DialogDriver::Press(s, QStringLiteral("OKBitBtn")); });
        DialogDriver::Press(f, QStringLiteral("SaveJobBtn"));
        DialogDriver::Press(f, QStringLiteral("CloseBtn"));
    });
    EXPECT_EQ(emptyEntrance, 0);
    ASSERT_FALSE(ratings.isEmpty());
    for (const QString& size : ratings) {
        EXPECT_GE(size.toDouble(), 0.75);
        EXPECT_LE(size.toDouble(), 4.0);
    }
    EXPECT_EQ(stations, (QStringList{"0", "100", "200"}));
    EXPECT_EQ(entranceQ, 30);   // three outlets of 10 gpm
    EXPECT_EQ(driver.FormsShown().count(QStringLiteral("TSaveForm")), 2);   // the two saves, none at Close
    EXPECT_EQ(driver.MessageTexts(), (QStringList{"Job will be saved as Drip B.",
                                                  "Manifold not computed. A manifold needs at least 2 nodes."}));

    QString location;
    double reloadedQ = 0;
    driver.ClearLog();
    Open([&](TManifoldDlg& f) {
        driver.OnceForm(QStringLiteral("TJobListForm"), [](ui::Form& l) { DialogDriver::Press(l, QStringLiteral("OKBitBtn1")); });
        DialogDriver::Press(f, QStringLiteral("PrevJobBtn"));
        location = f.JobLocationDBSF->text();
        reloadedQ = testsupport::PipeValue("TriclEntQ");
        DialogDriver::Press(f, QStringLiteral("CloseBtn"));
    });
    EXPECT_EQ(location, QStringLiteral("Vineyard"));
    EXPECT_EQ(reloadedQ, 30);
    EXPECT_FALSE(driver.FormsShown().contains(QStringLiteral("TSaveForm")));

    driver.ClearLog();
    driver.OnceForm(QStringLiteral("TRemoveJobsDlg"), [](ui::Form& r) {
        DialogDriver::Press(r, QStringLiteral("DeleteBitBtn"));
        DialogDriver::Press(r, QStringLiteral("ReturnBitBtn"));
    });
    ShowOwned(RemoveJobsDlg, nullptr);
    Open([&](TManifoldDlg& f) {
        DialogDriver::Press(f, QStringLiteral("PrevJobBtn"));
        DialogDriver::Press(f, QStringLiteral("CloseBtn"));
    });
    EXPECT_EQ(driver.MessageTexts(),
              (QStringList{"DELETE: Drip B??", "There are no previous jobs available."}));
    EXPECT_FALSE(driver.FormsShown().contains(QStringLiteral("TSaveForm")));
}

TEST_F(ManifoldCalculatorTest, ReportsOfTheOutputPage)
{
    Open([&](TManifoldDlg& f) {
        DesignThreeOutlets(f, driver);
        DialogDriver::Press(f, QStringLiteral("QRDetailedSpdBtn"));
        DialogDriver::Press(f, QStringLiteral("QRGraphBitBtn"));
        driver.Answer(ui::mrNo);
        DialogDriver::Press(f, QStringLiteral("QRCostSpdBtn"));
        DialogDriver::Press(f, QStringLiteral("CloseBtn"));
    });
    ASSERT_EQ(previewed, (QStringList{"Detailed Manifold Pipeline Hydraulic Report", "Manifold Pipeline Graphic Profile",
                                      "Manifold Pipe Cost Estimate"}));
    EXPECT_EQ(dumps[0].TextsOf("QRDBText7").size(), 3);
    EXPECT_EQ(dumps[0].TextsOf("QR1").size(), 2);   // no reach below the last node
    EXPECT_EQ(dumps[0].TextsOf("QRDBEntQ"), QStringList{"30.0"});
    EXPECT_EQ(dumps[1].PageCount(), 1);
    EXPECT_EQ(dumps[1].TextsOf("QRChart1"),
              QStringList{"chart \"Pipeline Hydraulic Profile\": Hydraulic Grade Line (3), Pipe Invert (3), Entrance EGL (1)"});
    EXPECT_EQ(dumps[2].TextsOf("TSta").size(), 3);
    EXPECT_EQ(dumps[2].TextsOf("QRRchCst").size(), 2);
    EXPECT_EQ(dumps[2].TextsOf("CostTotLbl").size(), 1);
}

// A print from the preview runs the chart band again: each point once.
TEST_F(ManifoldCalculatorTest, GraphPrintedAgainDrawsEachPointOnce)
{
    testsupport::WorkJob::AddRow(DMod->WorkTrickleTable, {{"Station", 0}, {"InvertElev", 100}, {"Hgl", 130}, {"Egl", 131}});
    testsupport::WorkJob::AddRow(DMod->WorkTrickleTable, {{"Station", 100}, {"InvertElev", 99}, {"Hgl", 125}});
    TQRManifGraph graph(nullptr);
    ui::SetScreenCursor(ui::Cursor::HandPoint);
    report::RenderDump(graph.QuickRepManGraph);
    // The arrow its pages set goes with them.
    EXPECT_EQ(ui::ScreenCursor(), ui::Cursor::HandPoint);
    ui::SetScreenCursor(ui::Cursor::Default);
    const report::Dump again = report::RenderDump(graph.QuickRepManGraph);
    EXPECT_EQ(again.TextsOf("QRChart1"),
              QStringList{"chart \"Pipeline Hydraulic Profile\": Hydraulic Grade Line (2), Pipe Invert (2), Entrance EGL (1)"});
    EXPECT_EQ(again.TextsOf("QRLabel1"), QStringList{"Mersol"});
}
