// The manifold at the end of a line: quick entry, the pipe and node pages,
// tying the manifold back into the profile and computing it.
#include "dialogs/dialog_helpers.h"
#include "dialogs/line_ends/manifold_end_dialog.h"
#include "dialogs/line_ends/manifold_pages.h"
#include "dialogs/line_ends/quick_manifold_entry_dialog.h"
#include "engine/gravity_run.h"
#include "platform/report/preview.h"
#include "reports/manifold_end_summary_report.h"
#include "reports/manifold_graph_report.h"
#include "platform/chart/chart.h"
#include "support/journey.h"
#include "support/dialogdriver.h"
#include "support/running_program.h"
#include "support/workjob.h"
#include "support/workprofile.h"

#include "model/data_module.h"
#include "model/job.h"
#include "platform/ui/dbgrid.h"
#include "platform/ui/notebook.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include <functional>

namespace {

using testsupport::WorkNode;

class ManifoldEndTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        DMod->DefLocTable->Open();
        DMod->TypeTable->Open();
        DMod->PipeTable->Open();
    }

    // A gravity line from 100 ft to an end node at 1000 ft, ground 100 ft,
    // whose manifold is being made; the end node is current.
    void Line(double endOutQ = 0, double midInQ = 0)
    {
        WorkNode n0{.station = 0, .invert = 110, .pipeQ = 30, .diaIn = 6, .cfac = 150, .rating = 100,
                    .reachType = "GRAVBEG", .nodeType = 0};
        WorkNode n1 = n0;
        n1.station = 500;
        n1.invert = 105;
        n1.reachType = "GRAVMID";
        n1.nodeType = 1;
        n1.outQ = endOutQ;
        n1.inQ = midInQ;
        WorkNode n2 = n0;
        n2.station = 1000;
        n2.invert = 100;
        n2.reachType = "GRAVTRICKLE";
        n2.nodeType = 6;
        testsupport::WriteWorkJob(testsupport::WorkHeader{.wsElev = 120}, {n0, n1, n2});
        db::Table* prof = DMod->WorkProfTable;
        for (prof->First(); !prof->Eof(); prof->Next()) {
            prof->Edit();
            DMod->WorkProfTableGroundElev->SetAsFloat(DMod->WorkProfTableInvertElev->AsFloat());
            prof->Post();
        }
        DMod->WorkPipeTable->Edit();
        DMod->WorkPipeTableDesignFlow->SetAsFloat(30);
        DMod->WorkPipeTable->Post();
        prof->Last();
        Tul->NewJob = true;
        Tul->NewNode = true;
    }

    // Opens the end dialog as an opener does; `act` plays the user.
    void Open(std::function<void(TManifoldEndDlg&)> act)
    {
        driver.OnceForm(QStringLiteral("TManifoldEndDlg"),
                        [act](ui::Form& f) { act(static_cast<TManifoldEndDlg&>(f)); });
        ShowOwned(ManifoldEndDlg, nullptr);
    }

    // Fills the quick entry dialog the next time it shows.
    void QuickEntry(QStringList values)
    {
        driver.OnceForm(QStringLiteral("TOptinalManifEntryDlg"), [values](ui::Form& f) {
            const char* names[] = {"StartStaNF", "StartElNF", "EndStaNF", "EndElNF", "FlowRateNF", "DistNF"};
            for (int i = 0; i < 6; ++i)
                if (!values[i].isNull()) DialogDriver::Type(f, QString::fromLatin1(names[i]), values[i]);
            DialogDriver::Press(f, QStringLiteral("OKBitBtn1"));
            if (f.isVisible()) DialogDriver::Press(f, QStringLiteral("CancelBitBtn2"));
        });
    }

    static std::vector<std::array<double, 4>> Nodes()
    {
        std::vector<std::array<double, 4>> rows;
        db::Table* t = DMod->WorkTrickleTable;
        t->CheckBrowseMode();
        for (t->First(); !t->Eof(); t->Next())
            rows.push_back({DMod->WorkTrickleTableRecNo->AsFloat(), DMod->WorkTrickleTableStation->AsFloat(),
                            DMod->WorkTrickleTableInvertElev->AsFloat(), DMod->WorkTrickleTableGpmAtOutlet->AsFloat()});
        return rows;
    }

    // A manifold pipe the run can size: the shipped PVC of rating 21, 5 ft/s
    // and 5 ft of friction at most, 0.5 to 12 in.
    static void SizablePipe()
    {
        DMod->WorkPipeTable->Edit();
        DMod->WorkPipeTableTriclPType->SetAsString(QStringLiteral("PVC SDR"));
        DMod->WorkPipeTableTriclPipeRating->SetAsFloat(21);
        DMod->WorkPipeTableTriclMVel->SetAsFloat(5);
        DMod->WorkPipeTableTriclMFric->SetAsFloat(5);
        DMod->WorkPipeTableTriclLowSz->SetAsFloat(0.5);
        DMod->WorkPipeTableTriclHiSz->SetAsFloat(12);
        DMod->WorkPipeTable->Post();
    }

    static void SetNodes(const std::vector<std::array<double, 3>>& rows)
    {
        db::Table* t = DMod->WorkTrickleTable;
        if (!t->Active()) t->Open();
        t->EmptyTable();
        int k = 0;
        for (const auto& r : rows)
            testsupport::WorkJob::AddRow(t, {{"RecNo", ++k}, {"Station", r[0]}, {"InvertElev", r[1]},
                                             {"GpmAtOutlet", r[2]}});
    }

    DialogDriver driver;
    testsupport::WorkJob job;
};

} // namespace

// ---- quick entry -------------------------------------------------------------------

TEST(ManifoldLayout, RowsLieAtWholeSpacingsAndTheRunsLimitHolds)
{
    EXPECT_EQ(PlanManifoldLayout(0, 100, 10).rows, 11);
    EXPECT_EQ(PlanManifoldLayout(0, 105, 10).rows, 12);
    EXPECT_EQ(PlanManifoldLayout(0, 1490, 10).rows, 150);
    EXPECT_EQ(PlanManifoldLayout(0, 1500, 10).rows, 151);
    EXPECT_DOUBLE_EQ(PlanManifoldLayout(0, 1510, 10).spacings, 151.0);
    // 0.3 / 0.1 falls just short of 3 and a running sum of 0.1 overshoots 0.3.
    EXPECT_EQ(PlanManifoldLayout(0, 0.3, 0.1).rows, 4);
    EXPECT_EQ(PlanManifoldLayout(0, 0.7, 0.1).rows, 8);
    EXPECT_EQ(PlanManifoldLayout(50, 50, 10).rows, 1);
    EXPECT_EQ(PlanManifoldLayout(50, 20, 10).rows, 1);
    EXPECT_EQ(PlanManifoldLayout(0, 100, 0).rows, 0);
}

TEST_F(ManifoldEndTest, QuickEntryLaysOutTheStraightLineAndRefusesWhatTheRunCannotTake)
{
    SetNodes({{5, 1, 1}});
    Tul->SysHas = 0;
    QuickEntry({"0", "100", "100", "99", "2", "10"});
    ShowOwned(OptinalManifEntryDlg, nullptr);
    auto rows = Nodes();
    ASSERT_EQ(rows.size(), 11u);
    for (int i = 0; i < 11; ++i) {
        SCOPED_TRACE(i);
        EXPECT_DOUBLE_EQ(rows[i][1], 10.0 * i);
        EXPECT_NEAR(rows[i][2], 100.0 - 0.1 * i, 1e-9);
        EXPECT_DOUBLE_EQ(rows[i][3], 2.0);
    }

    // 151 spacings, 152 nodes: refused, the nodes kept.
    QuickEntry({"0", "100", "1510", "99", "2", "10"});
    ShowOwned(OptinalManifEntryDlg, nullptr);
    EXPECT_EQ(driver.MessageTexts().last(),
              QStringLiteral("Split design, too many nodes. Number of nodes = 152. Maximum = 150"));
    EXPECT_EQ(Nodes().size(), 11u);
    // 0 to 1500 ft every 10 ft: 150 spacings are 151 nodes, more than the
    // run holds; the message counts the nodes it would have made.
    QuickEntry({"0", "100", "1500", "99", "2", "10"});
    ShowOwned(OptinalManifEntryDlg, nullptr);
    EXPECT_EQ(driver.MessageTexts().last(),
              QStringLiteral("Split design, too many nodes. Number of nodes = 151. Maximum = 150"));
    EXPECT_EQ(Nodes().size(), 11u);
    // 0 to 1490 ft: the 150 nodes the run takes.
    QuickEntry({"0", "100", "1490", "99", "2", "10"});
    ShowOwned(OptinalManifEntryDlg, nullptr);
    EXPECT_EQ(Nodes().size(), 150u);
    QuickEntry({"0", "100", "100", "99", "2", "10"});
    ShowOwned(OptinalManifEntryDlg, nullptr);
    ASSERT_EQ(Nodes().size(), 11u);

    // An end station off the spacing: the last row continues the line.
    QuickEntry({"0", "100", "105", "99", "2", "10"});
    ShowOwned(OptinalManifEntryDlg, nullptr);
    rows = Nodes();
    ASSERT_EQ(rows.size(), 12u);
    EXPECT_DOUBLE_EQ(rows[11][1], 110);
    EXPECT_NEAR(rows[11][2], 100 - 110 / 105.0, 0.005);

    driver.ClearLog();
    QuickEntry({"0", "100", "", "99", "2", "10"});
    ShowOwned(OptinalManifEntryDlg, nullptr);
    EXPECT_EQ(driver.MessageTexts(), QStringList{QStringLiteral("You must enter Data in all fields")});
    EXPECT_EQ(Nodes().size(), 12u);
}

TEST(ManifoldRating, KindFollowsTheFirstMarkInTheMaterialName)
{
    bool wall = true;
    EXPECT_EQ(ManifoldRatingKind(QStringLiteral("PVC SDR Sch"), &wall), QStringLiteral("Standard Dimension Ratio (SDR)"));
    EXPECT_FALSE(wall);
    EXPECT_EQ(ManifoldRatingKind(QStringLiteral("PVC Sch")), QStringLiteral("Schdule (Sch)"));
    EXPECT_EQ(ManifoldRatingKind(QStringLiteral("PIP FtHd")), QStringLiteral("Feet of Head (FtHd)"));
    EXPECT_EQ(ManifoldRatingKind(QStringLiteral("Steel 14 ga")), QStringLiteral("Gauge (ga)"));
    EXPECT_EQ(ManifoldRatingKind(QStringLiteral("Steel 14 Ga")), QStringLiteral("Gauge (Ga)"));
    EXPECT_EQ(ManifoldRatingKind(QStringLiteral("Steel"), &wall), QStringLiteral("Wall Thickness (WallTh)"));
    EXPECT_TRUE(wall);
}

// ---- the end dialog ----------------------------------------------------------------

TEST_F(ManifoldEndTest, NewManifoldStartsAtTheEndNodeWithTheLocalDefaultsAndCancelKeepsTheProfile)
{
    Line();
    for (bool newJob : {true, false}) {
        SCOPED_TRACE(newJob);
        Tul->NewJob = newJob;
        Tul->NewNode = true;
        SetNodes({});   // the job has no manifold yet
        DMod->WorkProfTable->Last();
        QStringList sizes;
        Open([&](TManifoldEndDlg& f) {
            // The default pipe's ratings are listed at once, 3/4 to 4 in.
            ui::DBGrid* list = ui::DBGrid::Of(f.Pages->PipeRtngDBGrid);
            for (int r = 0; r < list->RowCount(); ++r) sizes << list->CellText(r, 0);
            DialogDriver::Press(f, QStringLiteral("CancelBtn"));
        });
        ASSERT_FALSE(sizes.isEmpty());
        for (const QString& size : sizes)
            EXPECT_TRUE(size.toDouble() >= 0.75 && size.toDouble() <= 4) << size.toStdString();
        const auto rows = Nodes();
        ASSERT_EQ(rows.size(), 1u);
        EXPECT_EQ(rows[0], (std::array<double, 4>{1, 1000, 100, 0}));
        EXPECT_EQ(testsupport::PipeText("TriclPType"), QStringLiteral("PVC SDR"));
        EXPECT_EQ(testsupport::PipeValue("TriclLPsi"), 10);
        EXPECT_EQ(testsupport::PipeValue("TriclMVel"), 5);
        EXPECT_EQ(testsupport::PipeValue("TriclMFric"), 2);
        EXPECT_EQ(testsupport::PipeValue("TriclLowSz"), 0.75);
        EXPECT_EQ(testsupport::PipeValue("TriclHiSz"), 4);
        EXPECT_EQ(Tul->SysHas, 2);
        EXPECT_TRUE(Tul->Cancelled);
        // Cancel ties nothing back.
        EXPECT_EQ(testsupport::ProfText(2, "DownStreamPipeDescription"), QStringLiteral("6 in PVC"));
        EXPECT_EQ(testsupport::ProfValue(0, "PipeQ"), 30);
    }
}

// Opened again while its end node is still being made ("Edit Manifold
// Data", or the node kind left again), the dialog keeps the manifold entered.
TEST_F(ManifoldEndTest, ManifoldEnteredForANewEndNodeIsKeptWhenItsDialogOpensAgain)
{
    Line();
    Tul->NewNode = true;
    SetNodes({{1000, 100, 5}, {1100, 99, 7}});
    DMod->WorkProfTable->Last();
    Open([](TManifoldEndDlg& f) {
        EXPECT_TRUE(f.Pages->OptionalButton->isEnabled());
        DialogDriver::Press(f, QStringLiteral("CancelBtn"));
    });
    EXPECT_EQ(Nodes(), (std::vector<std::array<double, 4>>{{1, 1000, 100, 5}, {2, 1100, 99, 7}}));
}

TEST_F(ManifoldEndTest, PipePageLabelsTheRatingListsTheRangeAndTakesADoubleClickedRating)
{
    Line();
    Tul->NewNode = false;
    SetNodes({{1000, 100, 0}, {1100, 99, 5}});
    DMod->WorkPipeTable->Edit();
    DMod->WorkPipeTableTriclPType->SetAsString(QStringLiteral("PVC SDR"));
    DMod->WorkPipeTableTriclLowSz->SetAsFloat(2);
    DMod->WorkPipeTableTriclHiSz->SetAsFloat(4);
    DMod->WorkPipeTable->Post();
    QString label;
    std::vector<double> sizes;
    Open([&](TManifoldEndDlg& f) {
        label = f.Pages->RatingLbl->text();
        EXPECT_FALSE(f.Pages->OptionalButton->isEnabled());
        ui::DBGrid* grid = ui::DBGrid::Of(f.Pages->PipeRtngDBGrid);
        for (int r = 0; r < grid->RowCount(); ++r)
            sizes.push_back(grid->CellText(r, 0).toDouble());
        grid->SelectRow(0);
        f.Pages->PipeRtngDBGridDblClick();
        DialogDriver::Press(f, QStringLiteral("CancelBtn"));
    });
    EXPECT_EQ(label, QStringLiteral("Standard Dimension Ratio (SDR)"));
    ASSERT_FALSE(sizes.empty());
    for (double s : sizes) {
        EXPECT_GE(s, 2.0);
        EXPECT_LE(s, 4.0);
    }
    EXPECT_EQ(testsupport::PipeValue("TriclPipeRating"), 21);
    // The stored nodes stay, numbered.
    EXPECT_EQ(Nodes().size(), 2u);
    EXPECT_EQ(Nodes()[1][0], 2);
}

TEST_F(ManifoldEndTest, NodePageRefusesTheStartingStationAndRenumbersAfterADelete)
{
    Line();
    Tul->NewNode = false;
    SetNodes({{1000, 100, 0}, {1100, 99, 5}, {1200, 98, 5}});
    Open([](TManifoldEndDlg& f) {
        f.OvcNotebookM->SetPageIndex(1);
        DMod->WorkTrickleTable->First();
        DialogDriver::Press(f, QStringLiteral("DeleteNodeBtn"));
        DialogDriver::Focus(f, QStringLiteral("StationNF"));
        EXPECT_EQ(f.ActiveControl(), static_cast<QWidget*>(f.Pages->OutflowNF));
        DMod->WorkTrickleTable->Last();
        DialogDriver::Press(f, QStringLiteral("DeleteNodeBtn"));
        DialogDriver::Press(f, QStringLiteral("CancelBtn"));
    });
    EXPECT_EQ(driver.MessageTexts(),
              (QStringList{QStringLiteral("Can't delete starting station."),
                           QStringLiteral("You can't edit the starting station/elevation here! Enter at Supply pipe end.")}));
    const auto rows = Nodes();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1], (std::array<double, 4>{2, 1100, 99, 5}));
    EXPECT_EQ(Tul->TrickleStation, 1100);
}

// Outlets 5, 5 and 10 gpm: 20 gpm enters the manifold. The end node lies at
// ground 100 ft, 30 in deep on the pipe arriving, wall 0.5 in, inside 5.5 in:
// 100 - 2.5 - 0.0417 - 0.4583 = 97.00, whatever node the job object read last.
TEST_F(ManifoldEndTest, OkTiesTheOutflowBackIntoTheProfile)
{
    Line();
    Tul->NewNode = false;
    Tul->PipeDepth = Tul->WallThick = Tul->DiaIn = 1;
    testsupport::SetProfField(1, "WallThick", 0.5);
    testsupport::SetProfField(1, "DiaIn", 5.5);
    testsupport::SetProfField(2, "InvElMethod", 0);
    testsupport::SetProfField(2, "PipeDepth", 30);
    DMod->WorkProfTable->Last();
    SizablePipe();
    SetNodes({{1000, 100, 5}, {1100, 99, 5}, {1200, 98, 10}});
    Open([](TManifoldEndDlg& f) { DialogDriver::Press(f, QStringLiteral("OKBtn")); });
    EXPECT_TRUE(driver.MessageTexts().contains(
        QStringLiteral("Initial estimated system flow rate adjusted to reflect manifold flow rates.")));
    for (int k = 0; k < 3; ++k)
        EXPECT_EQ(testsupport::ProfValue(k, "PipeQ"), 20) << k;
    EXPECT_EQ(testsupport::PipeValue("TriclEntQ"), 20);
    EXPECT_EQ(testsupport::PipeValue("DesignFlow"), 20);
    EXPECT_EQ(testsupport::ProfText(2, "InvertElev").toDouble(), 97.00);
    EXPECT_EQ(testsupport::ProfValue(2, "GroundElev"), 100);
    EXPECT_EQ(testsupport::ProfText(2, "DownStreamPipeDescription"), QStringLiteral("Manifold: PVC SDR"));
    EXPECT_EQ(testsupport::ProfText(2, "PipeType"), QStringLiteral("PVC SDR"));

    // Again with the flow already right: no message.
    driver.ClearLog();
    Open([](TManifoldEndDlg& f) { DialogDriver::Press(f, QStringLiteral("OKBtn")); });
    EXPECT_FALSE(driver.MessageTexts().contains(
        QStringLiteral("Initial estimated system flow rate adjusted to reflect manifold flow rates.")));
}

TEST_F(ManifoldEndTest, UpstreamOutflowAddsAndInflowTakesAway)
{
    for (auto [outQ, inQ, expected] : {std::tuple{3.0, 0.0, 23.0}, std::tuple{0.0, 3.0, 17.0}}) {
        Line(outQ, inQ);
        Tul->NewNode = false;
        SizablePipe();
        SetNodes({{1000, 100, 5}, {1100, 99, 5}, {1200, 98, 10}});
        Open([](TManifoldEndDlg& f) { DialogDriver::Press(f, QStringLiteral("OKBtn")); });
        EXPECT_EQ(testsupport::ProfValue(2, "PipeQ"), 20);
        EXPECT_EQ(testsupport::ProfValue(1, "PipeQ"), expected);
        EXPECT_EQ(testsupport::ProfValue(0, "PipeQ"), expected);
        EXPECT_EQ(testsupport::PipeValue("DesignFlow"), expected);
    }
}

// OK after turning back to the pipe page still ties the manifold in.
TEST_F(ManifoldEndTest, OkFromThePipePageStillTiesBack)
{
    Line();
    Tul->NewNode = false;
    SizablePipe();
    SetNodes({{1000, 100, 5}, {1100, 99, 5}, {1200, 98, 10}});
    int mark = 0;
    Open([&](TManifoldEndDlg& f) {
        f.OvcNotebookM->SetPageIndex(1);
        f.OvcNotebookM->SetPageIndex(0);
        mark = f.PipePageMark();
        // Leaving the material selector moves the focus on by itself.
        DialogDriver::Focus(f, QStringLiteral("MinPresDBNF"));
        DialogDriver::Press(f, QStringLiteral("OKBtn"));
    });
    EXPECT_EQ(mark, -1);
    EXPECT_EQ(testsupport::PipeValue("TriclEntQ"), 20);
    EXPECT_EQ(testsupport::ProfValue(0, "PipeQ"), 20);
}

// The graph command draws the grade the job was last computed with, as the
// output page stored it, under the running program's name; the gravity
// designer has no manifold calculator, so this is where it shows the graph.
// A manifold the job was never computed with has no grade to draw.
TEST_F(ManifoldEndTest, GraphDrawsTheStoredGradeAndNamesTheProgram)
{
    std::vector<report::Dump> previews;
    std::vector<double> drawn;
    const auto old = report::SetPreviewHook([&](report::Document& d, QWidget*) {
        previews.push_back(report::RenderDump(d));
        const chart::Series* hgl = QRManifGraph->QRChart1->Chart.SeriesAt(0);
        for (int i = 0; i < hgl->Count(); ++i) drawn.push_back(hgl->At(i).y);
    });
    for (Program program : {Program::Mersol, Program::Dunstrow}) {
        SCOPED_TRACE(program == Program::Mersol ? "Mersol" : "Dunstrow");
        testsupport::RunningAs running(program);
        Line();
        Tul->NewNode = false;
        SizablePipe();
        SetNodes({{1000, 100, 5}, {1100, 99, 5}, {1200, 98, 10}});
        // The grade a run of the line stored, moved by the line's end grade.
        db::Table* t = DMod->WorkTrickleTable;
        double grade = 121;
        for (t->First(); !t->Eof(); t->Next()) {
            t->Edit();
            DMod->WorkTrickleTableHgl->SetAsFloat(grade -= 0.5);
            t->Post();
        }
        previews.clear();
        drawn.clear();
        Open([](TManifoldEndDlg& f) {
            EXPECT_TRUE(f.QRGraphBitBtn->isVisible());
            DialogDriver::Press(f, QStringLiteral("QRGraphBitBtn"));
            DialogDriver::Press(f, QStringLiteral("CancelBtn"));
        });
        ASSERT_EQ(previews.size(), 1u) << driver.MessageTexts().join("|").toStdString();
        const report::Dump& d = previews.front();
        EXPECT_EQ(d.TextsOf(QStringLiteral("QRSysData1")), QStringList{"Manifold Pipeline Graphic Profile"});
        EXPECT_EQ(d.TextsOf(QStringLiteral("QRLabel1")),
                  QStringList{program == Program::Dunstrow ? QStringLiteral("Dunstrow") : QStringLiteral("Mersol")});
        EXPECT_EQ(drawn, (std::vector<double>{120.5, 120, 119.5}));
        EXPECT_EQ(testsupport::PipeValue("TriclEntQ"), 0);   // nothing computed
    }

    // Tied into a line that did not take its flow, the manifold has no grade
    // until the job is computed again: said, and no graph.
    Open([](TManifoldEndDlg& f) { DialogDriver::Press(f, QStringLiteral("OKBtn")); });
    previews.clear();
    driver.ClearLog();
    Open([](TManifoldEndDlg& f) {
        DialogDriver::Press(f, QStringLiteral("QRGraphBitBtn"));
        DialogDriver::Press(f, QStringLiteral("CancelBtn"));
    });
    EXPECT_TRUE(previews.empty());
    EXPECT_EQ(driver.MessageTexts(),
              QStringList{"The job has not been computed with this manifold yet, so there is no grade line to draw. "
                          "Compute the job on the Output page, then show the manifold graph."});
    report::SetPreviewHook(old);
}

// A new manifold end: its rating typed in, three outlets of 10 gpm by quick
// entry, OK. The dialog keeps no results of its own: the output page's run
// sizes every segment from the material, and the line moves the manifold.
TEST_F(ManifoldEndTest, ThreeOutletManifoldIsDesignedThroughTheDialogs)
{
    Line();
    QuickEntry({QString(), QString(), "1200", "98", "10", "100"});
    QString start;
    Open([&](TManifoldEndDlg& f) {
        DialogDriver::Focus(f, QStringLiteral("TypeDBLookupComboBox"));
        // Clicked from the material into the rating, which takes the keys;
        // Tab goes on to the size range.
        DialogDriver::KeyIn(f, QStringLiteral("OvcDbNumericField1"), QStringLiteral("21"));
        EXPECT_EQ(testsupport::FocusedName(f), QStringLiteral("SmallestDBNF"));
        EXPECT_EQ(f.Pages->SmallestDBNF->text(), QStringLiteral("0.75"));
        DialogDriver::Press(f, QStringLiteral("OKBitBtn2"));
        EXPECT_EQ(f.OvcNotebookM->PageIndex(), 1);
        DialogDriver::Press(f, QStringLiteral("OptionalButton"));
        DialogDriver::Press(f, QStringLiteral("OKBtn"));
    });
    const auto rows = Nodes();
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[2], (std::array<double, 4>{3, 1200, 98, 10}));
    EXPECT_EQ(testsupport::PipeValue("TriclEntQ"), 30);
    EXPECT_EQ(testsupport::PipeValue("TriclPipeRating"), 21);
    EXPECT_TRUE(DMod->WorkTrickleTableHgl->IsNull());
    JManfld().RunManifold();
    // Every segment got a pipe of the material within the size range.
    db::Table* t = DMod->WorkTrickleTable;
    int k = 0;
    for (t->First(); k < 2; t->Next(), ++k) {
        SCOPED_TRACE(k);
        EXPECT_GT(DMod->WorkTrickleTableDiaIn->AsFloat(), 0.5);
        EXPECT_TRUE(DMod->WorkTrickleTableDownStreamPipeDescription->AsString().startsWith(QStringLiteral("PVC SDR 21")))
            << DMod->WorkTrickleTableDownStreamPipeDescription->AsString().toStdString();
    }
    EXPECT_GT(testsupport::PipeValue("TriclEntPsi"), 10);
    QStringList chosen;
    for (t->First(), k = 0; k < 2; t->Next(), ++k)
        chosen << DMod->WorkTrickleTableDownStreamPipeDescription->AsString();

    // The line above it runs and moves the manifold with its end grade.
    QTemporaryDir work;
    const QString oldDir = QDir::currentPath();
    QDir::setCurrent(work.path());
    testsupport::SetCompMethod(2);
    Grav->RunGravityProfile();
    QDir::setCurrent(oldDir);
    // The manifold's first node takes the grade line the end node reaches.
    const double endHgl = testsupport::ProfValue(2, "Hgl");
    t->First();
    EXPECT_NEAR(DMod->WorkTrickleTableHgl->AsFloat(), endHgl, 0.01);

    // The summary section prints the sizes the run chose.
    TQRManifEndSummary summary(nullptr);
    const report::Dump dump = report::RenderDump(summary.QuickRepManifEndSummary);
    EXPECT_EQ(dump.TextsOf(QStringLiteral("PipeDesc")), chosen);
    EXPECT_EQ(dump.TextsOf(QStringLiteral("PsQRDBText1")).size(), 3);
}
