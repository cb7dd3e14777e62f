// The manifold sections of the detailed, summary and cost composites, read
// back from their text dumps, and one rendered as a picture.
#include "reports_fixture.h"

#include "designer/report_commands.h"
#include "model/data_module.h"
#include "model/job.h"
#include "reports/manifold_cost_report.h"
#include "reports/manifold_detail_report.h"
#include "reports/manifold_end_detail_report.h"
#include "reports/manifold_end_summary_report.h"
#include "reports/manifold_graph_report.h"
#include "support/running_program.h"

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

using namespace report;
using report::DumpItem;
using testsupport::WorkJob;

namespace {

class ManifoldReportTest : public ReportFormTest {
protected:
    void SetUp() override
    {
        ReportFormTest::SetUp();
        Header({{"TriclEntQ", 30}, {"TriclLPsi", 10}, {"TriclEntPsi", 13.3}, {"TriclTotFric", 6.5},
                {"TriclMVel", 5}, {"TriclMFric", 2}});
        job.AddProfRow({{"Station", 0.0}, {"TSta", "0+00"}, {"NodeType", 0}, {"PipeType", "PVC"}});
        job.AddProfRow({{"Station", 1000.0}, {"TSta", "10+00"}, {"NodeType", 6}});
        Tul->SysTypeCode = 0;
        Tul->PumpTypeCode = 0;
        Tul->SysHas = 2;
        // Three outlets as the manifold run leaves them: two segments and the last node.
        Node("10+00", 100, 10, 130.27, 130.67, 13.1, 0.28, "PVC SDR 21, 2 in, 200 psi", 100, 50.6);
        Node("11+00", 99, 10, 125.33, 125.74, 11.0, 0.29, "PVC SDR 21, 1-1/2 in, 200 psi", 100, 49.6);
        Node("12+00", 98, 10, 123.19, 123.33, 10.1, 0.05, "", 0, 0.4);
    }

    static void Node(const char* tsta, double invert, double gpm, double hgl, double egl, double psi, double kloss,
                     const char* pipe, double len, double cost)
    {
        WorkJob::AddRow(DMod->WorkTrickleTable,
                        {{"TSta", tsta}, {"InvertElev", invert}, {"GpmAtOutlet", gpm}, {"Hgl", hgl}, {"Egl", egl},
                         {"Psi", psi}, {"Kloss", kloss}, {"DownStreamPipeDescription", pipe}, {"RchLen", len},
                         {"RchCost", cost}, {"CostFt", len > 0 ? cost / len : 0.0}, {"PipeQ", 20}, {"Vel", 2.5},
                         {"DiaIn", 2.1}, {"Floss", 1.8}, {"CalcMethod", "Hazen Williams, C = 150"}});
    }
};

} // namespace

TEST_F(ManifoldReportTest, EndDetailStartsANewPageAndLeavesTheReachLinesOffTheLastNode)
{
    QRDetailedCommand(owner.get());
    ASSERT_TRUE(chained.contains("QuickRepEndManifold"));
    EXPECT_EQ(shown.PageOf("Manifold Details"), shown.PageOf("Detailed Pipeline Hydraulic Report") + 1);
    // The section's own texts: the main report uses some of the same control names.
    TQRManifEndDetail form(owner.get());
    shown = RenderDump(form.QuickRepEndManifold);
    EXPECT_EQ(shown.TextsOf("QRDBText7"), (QStringList{"10+00", "11+00", "12+00"}));
    EXPECT_EQ(shown.TextsOf("QRDBText11"), (QStringList{"130.3", "125.3", "123.2"}));
    EXPECT_EQ(shown.TextsOf("QRDBText16"), (QStringList{"0.28", "0.29", "0.05"}));
    // Reach lines for the two segments only.
    EXPECT_EQ(shown.TextsOf("QR1"), (QStringList{"PVC SDR 21, 2 in, 200 psi", "PVC SDR 21, 1-1/2 in, 200 psi"}));
    EXPECT_EQ(shown.TextsOf("L15").size(), 2);
    EXPECT_EQ(shown.TextsOf("L14"), (QStringList{"feet,", "feet,"}));
    EXPECT_EQ(shown.TextsOf("QRDBEntQ"), QStringList{"30.0"});
    EXPECT_EQ(shown.TextsOf("QRDBText2").size(), 3);
}

TEST_F(ManifoldReportTest, EndSummaryShowsSegmentsOnlyWhereThereIsALength)
{
    QRSummaryCommand(owner.get());
    ASSERT_TRUE(chained.contains("QuickRepManifEndSummary"));
    EXPECT_TRUE(shown.Contains("Manifold Pipeline"));
    TQRManifEndSummary form(owner.get());
    shown = RenderDump(form.QuickRepManifEndSummary);
    EXPECT_EQ(shown.TextsOf("PsQRDBText1"), (QStringList{"10+00", "11+00", "12+00"}));
    EXPECT_EQ(shown.TextsOf("QRDBText9"), (QStringList{"13.1", "11.0", "10.1"}));
    EXPECT_EQ(shown.TextsOf("PipeDesc"), (QStringList{"PVC SDR 21, 2 in, 200 psi", "PVC SDR 21, 1-1/2 in, 200 psi"}));
    EXPECT_EQ(shown.TextsOf("RchLen"), (QStringList{"100", "100"}));
    EXPECT_EQ(shown.TextsOf("PipeQ"), (QStringList{"20", "20"}));
}

// 50.6 and 49.6 show as 51 and 50; the last node's 0.4 still counts: 100.6 -> 101.
TEST_F(ManifoldReportTest, CostSectionRoundsEachReachAndTotalsEveryRowAgainOnEachGeneration)
{
    TQRManifCost form(owner.get());
    Dump d = RenderDump(form.QuickRepTrickleCost);
    EXPECT_EQ(d.TextsOf("TSta"), (QStringList{"10+00", "11+00", "12+00"}));
    EXPECT_EQ(d.TextsOf("QRRchCst"), (QStringList{"51", "50"}));
    EXPECT_EQ(d.TextsOf("QRFtCst"), (QStringList{"0.51", "0.50"}));
    EXPECT_EQ(d.TextsOf("CoverLbl"), (QStringList{"0", "0"}));
    EXPECT_EQ(d.TextsOf("PipeDescrip").size(), 2);
    EXPECT_EQ(d.TextsOf("CostTotLbl"), QStringList{"101"});
    d = RenderDump(form.QuickRepTrickleCost);
    EXPECT_EQ(d.TextsOf("CostTotLbl"), QStringList{"101"});
}

TEST_F(ManifoldReportTest, EndDetailPdfRendersToAPictureWithInk)
{
    TQRManifEndDetail form(owner.get());
    QTemporaryDir dir;
    const QString pdf = dir.filePath("manifold.pdf");
    ASSERT_TRUE(ExportPdf(form.QuickRepEndManifold, pdf));
    QProcess p;
    p.start("pdftoppm", {"-r", "40", "-png", "-f", "1", "-l", "1", pdf, dir.filePath("page")});
    ASSERT_TRUE(p.waitForFinished(60000));
    ASSERT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    const QStringList pngs = QDir(dir.path()).entryList({"page*.png"}, QDir::Files);
    ASSERT_FALSE(pngs.isEmpty());
    const QImage img(dir.filePath(pngs.first()));
    ASSERT_FALSE(img.isNull());
    int dark = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (qGray(img.pixel(x, y)) < 128) ++dark;
    EXPECT_GT(dark, 200);
}

// The manifold graph's title line names the program it is shown in.
TEST_F(ManifoldReportTest, GraphTitleNamesTheRunningProgram)
{
    for (Program program : {Program::Mersol, Program::Dunstrow}) {
        testsupport::RunningAs running(program);
        TQRManifGraph graph(owner.get());
        const Dump d = RenderDump(graph.QuickRepManGraph);
        EXPECT_EQ(d.TextsOf("QRLabel1"),
                  QStringList{program == Program::Dunstrow ? QStringLiteral("Dunstrow") : QStringLiteral("Mersol")});
    }
}

namespace {

void SetWarning(int row, const QString& text)
{
    db::Table* t = DMod->WorkTrickleTable;
    t->First();
    for (int i = 0; i < row; ++i)
        t->Next();
    t->Edit();
    DMod->WorkTrickleTableWarning->SetAsString(text);
    t->Post();
}

// The least gap between the lines of two headings that share a height.
double GapBetween(const Dump& d, const QString& left, const QString& right)
{
    double gap = 1e9;
    for (const DumpItem& a : d.ItemsOf(left))
        for (const DumpItem& b : d.ItemsOf(right))
            if (a.box.bottom() > b.box.top() && b.box.bottom() > a.box.top())
                gap = std::min(gap, b.box.left() - a.box.right());
    return gap;
}

} // namespace

// Each node's lines, its reach and its warnings end above the next node's
// station line; the last node's warning follows its own line; the column
// headings stand apart.
TEST_F(ManifoldReportTest, NodeLinesAndWarningsEndAboveTheNextNodeAndHeadingsStandApart)
{
    SetWarning(0, " WARNING: Minimum manifold pressure has not been met. Review hydraulic profile.");
    SetWarning(1, "ERROR..No pipe size meets the velocity and friction limits.");
    SetWarning(2, " WARNING: Minimum manifold pressure has not been met. Review hydraulic profile.");
    TQRManifDetail detail(owner.get());
    TQRManifEndDetail end(owner.get());
    const struct {
        const char* what;
        Report* report;
        const char* lastLine;   // the lowest line a node prints
    } cases[] = {{"detail", &detail.QuickRepManifold, "QR5"}, {"end detail", &end.QuickRepEndManifold, "QRDBText3"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const Dump d = RenderDump(*c.report);
        EXPECT_EQ(testsupport::LayoutFaults(d), QStringList());
        const auto stations = d.ItemsOf("QRDBText7");
        const auto lows = d.ItemsOf(c.lastLine);
        ASSERT_EQ(stations.size(), 3u);
        ASSERT_GE(lows.size(), 2u);
        for (size_t k = 0; k + 1 < stations.size() && k < lows.size(); ++k)
            EXPECT_LE(lows[k].box.bottom(), stations[k + 1].box.top()) << k;
        const char* const headings[] = {"ColStation", "ColInvert", "ColOutflow", "ColHgl", "ColEgl", "ColPsi", "ColKloss"};
        for (int k = 0; k + 1 < 7; ++k)
            EXPECT_GE(GapBetween(d, headings[k], headings[k + 1]), 0.1) << headings[k];
    }
    // The last node has no reach: its warning follows its own lines, not the
    // place of the reach lines it does not print.
    const Dump d = RenderDump(end.QuickRepEndManifold);
    ASSERT_EQ(d.ItemsOf("QRDBText3").size(), 3u);
    EXPECT_LT(BoxOf(d, "QRDBText3", 2).top() - BoxOf(d, "QRDBText7", 2).bottom(), 0.4);
}

// The graph takes the landscape page down to its footer, no further, and the
// job header's rule and date reach the right margin.
TEST_F(ManifoldReportTest, GraphFitsItsPageAndTheHeaderReachesTheRightMargin)
{
    TQRManifGraph graph(owner.get());
    const Dump d = RenderDump(graph.QuickRepManGraph);
    ASSERT_EQ(d.PageCount(), 1);
    EXPECT_EQ(testsupport::LayoutFaults(d), QStringList());
    const report::DumpPage& page = d.pages.front();
    EXPECT_LE(BoxOf(d, "QRChart1").bottom(), page.footerTop);
    EXPECT_GT(BoxOf(d, "QRChart1").height(), 5.0);
    EXPECT_NEAR(page.printable.right(), 10.5, 1e-9);
    EXPECT_NEAR(BoxOf(d, "PageHeaderBand1Rule").right(), 10.5, 0.01);
    EXPECT_NEAR(BoxOf(d, "QRDBText4").right(), 10.5, 0.01);   // the date
    EXPECT_NEAR(BoxOf(d, "PageFooterBand1Date").right(), 10.5, 0.01);
}

// The end summary and the cost section head their columns, each value under
// its heading; the cost section is in the main cost table's columns on a
// Letter page whose footer is at the foot of the sheet.
TEST_F(ManifoldReportTest, EndSummaryAndCostSectionHeadTheirColumns)
{
    TQRManifEndSummary summary(owner.get());
    Dump d = RenderDump(summary.QuickRepManifEndSummary);
    const std::pair<const char*, const char*> summaryColumns[] = {
        {"PsQRDBText1", "Station"},   {"PsQRDBText2", "Pipe Invert Elev.   (ft)"},
        {"QRDBText9", "Operating Pressure    (psi)"}, {"PipeQ", "Flow Rate   (gpm)"},
        {"Vel", "Velocity (ft/sec)"}, {"RchLen", "Pipe Length    (ft)"}, {"PipeDesc", "Pipe Description"}};
    for (const auto& [value, heading] : summaryColumns) {
        const QString cap = QString::fromLatin1(value) + "Cap";
        EXPECT_EQ(d.TextsOf(cap).join(' ').simplified(), QString::fromLatin1(heading).simplified()) << value;
        EXPECT_TRUE(Under(d, value, cap)) << value;
    }

    TQRManifCost cost(owner.get());
    d = RenderDump(cost.QuickRepTrickleCost);
    const std::pair<const char*, const char*> costColumns[] = {
        {"TSta", "ColStation"}, {"RchLenDBT", "ColLen"}, {"PipeDescrip", "ColDesc"},
        {"CoverLbl", "ColCover"}, {"QRFtCst", "ColFtCost"}, {"QRRchCst", "ColRchCost"}, {"CostTotLbl", "ColRchCost"}};
    for (const auto& [value, heading] : costColumns)
        EXPECT_TRUE(Under(d, value, heading)) << value;
    EXPECT_EQ(d.TextsOf("ColLen").join(' ').simplified(), "Dn Strm Length (ft)");
    EXPECT_EQ(d.pages.front().paperInches, QSizeF(8.5, 11.0));
    EXPECT_NEAR(d.pages.front().footerTop, 11.0 - 0.5 - 0.3, 1e-9);
}
