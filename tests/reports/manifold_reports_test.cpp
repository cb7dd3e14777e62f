// The manifold sections of the detailed, summary and cost composites, read
// back from their text dumps, and one rendered as a picture.
#include "reports_fixture.h"

#include "designer/report_commands.h"
#include "model/data_module.h"
#include "model/job.h"
#include "reports/manifold_cost_report.h"
#include "reports/manifold_end_detail_report.h"
#include "reports/manifold_end_summary_report.h"
#include "reports/manifold_graph_report.h"
#include "support/running_program.h"

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

using namespace report;
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
    EXPECT_EQ(shown.TextsOf("QRDBEntQ"), QStringList{"30"});
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
