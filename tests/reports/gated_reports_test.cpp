// The gated pipe reports: details of a profile job's gated end and of a
// calculator job, the two cost sections, the graphic profile, and the
// composites and calculator buttons that open them.
#include "reports_fixture.h"

#include "dialogs/calculators/gated_pipe_calculator.h"
#include "engine/gated_pipe_run.h"
#include "engine/single_objects.h"
#include "model/job.h"
#include "platform/chart/chart.h"
#include "reports/cost_report.h"
#include "reports/detail_report.h"
#include "reports/gated_pipe_cost_report.h"
#include "reports/gated_pipe_cost_tool_report.h"
#include "reports/gated_pipe_graph_report.h"
#include "reports/gated_pipe_report.h"
#include "reports/gated_pipe_tool_report.h"
#include "reports/report_forms.h"
#include "platform/report/format.h"

#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

using namespace report;

namespace {

class GatedReportsTest : public ReportFormTest {
protected:
    void SetUp() override
    {
        ReportFormTest::SetUp();
        CreateSingleObjects();
    }
    // A gated-pipe calculator job computed by the run: 500 gpm into 8 in
    // pipe of C 150 from station 0 to 600, 10 gpm gates at 30 in, 10 psi
    // at the inlet.
    void computedCalculatorJob(bool midSegment = false)
    {
        Header({{"SysType", "GATED"}, {"SysHas", 8}, {"PsiIn", 10.0}, {"WSElev", 33.1}, {"JobNotes", "Field 4"}});
        testsupport::WorkJob::AddRow(
            DMod->WorkGatedTable,
            {{"StartSta", 0.0}, {"StartElev", 10.0}, {"EndSta", 600.0}, {"EndElev", 8.0}, {"PipeQ", 500.0},
             {"DiaIn", 8.0}, {"Cfac", 150.0}, {"PipeDescription", "8 in Alum Gated"}, {"GateFlow", 10.0},
             {"GateSpace", 30.0}, {"K1State", "N"}, {"K2State", "N"}, {"IsMidSeg", midSegment},
             {"MidSta", 250.0}, {"MidElev", 9.0}, {"PipeVel", "3.19"}});
        Tul->SysTypeCode = 5;
        Tul->SysHas = 8;
        Gated->RunGatedPipe();
        ASSERT_EQ(DMod->WorkGatedTableNoOfGates->AsInteger(), 50);
    }
};

TEST_F(GatedReportsTest, CalculatorDetailsPrintTheComputedGatesAndPressures)
{
    computedCalculatorJob();
    TQRGatedTool form(owner.get());
    const Dump d = RenderDump(form.QuickRepGatedTool);
    ASSERT_EQ(d.PageCount(), 1);
    EXPECT_TRUE(d.Contains("Gated Pipe Tool Details"));
    EXPECT_EQ(d.TextsOf("NoOfGates"), QStringList{"50"});
    EXPECT_EQ(d.TextsOf("LenOpenLbl"), QStringList{"125.0"});
    EXPECT_EQ(d.TextsOf("StartPsiTxt"), QStringList{FormatMask(DMod->WorkGatedTableStartpsi->AsFloat(), "##0.00")});
    EXPECT_EQ(d.TextsOf("EndPsiTxt"), QStringList{FormatMask(DMod->WorkGatedTableEndpsi->AsFloat(), "##0.00")});
    EXPECT_EQ(d.TextsOf("PsiIn"), QStringList{"10.00"});
    EXPECT_EQ(d.TextsOf("PipeVel"), QStringList{"3.190"});
    // The calculator prints its static pressures; no intermediate segment, no middle cells.
    EXPECT_EQ(d.TextsOf("StartStat").size(), 1);
    EXPECT_TRUE(d.TextsOf("BegMidPsi").isEmpty());
    EXPECT_TRUE(d.TextsOf("EndMidHGL").isEmpty());
    EXPECT_TRUE(d.Contains("Loss factor             (Km)"));
}

TEST_F(GatedReportsTest, ProfileJobDetailsFollowTheIntermediateSegmentAndTheSystem)
{
    Header({{"SysHas", 1}});
    testsupport::WorkJob::AddRow(DMod->WorkGatedTable,
                                 {{"NoOfGates", 40}, {"GateSpace", 30.0}, {"IsMidSeg", true}, {"MidTsta", "2+50"},
                                  {"StartStatPres", 12.5}, {"MidStatPres", 13.0}, {"Startpsi", 9.876}});
    Tul->SysTypeCode = 0;
    TQRGated form(owner.get());
    Dump d = RenderDump(form.QuickRepGated);
    EXPECT_EQ(d.TextsOf("LenOpenLbl"), QStringList{"100.0"});
    EXPECT_EQ(d.TextsOf("BegMidSta"), QStringList{"2+50"});
    EXPECT_EQ(d.TextsOf("StartStat"), QStringList{"12.50"});
    EXPECT_EQ(d.TextsOf("BegMidStat"), QStringList{"13.00"});
    EXPECT_EQ(d.TextsOf("StartPsiTxt"), QStringList{"9.88"});

    // A pumped job (not a main of known pressure) prints no static pressures.
    Tul->SysTypeCode = 2;
    Tul->PumpTypeCode = 1;
    d = RenderDump(form.QuickRepGated);
    EXPECT_TRUE(d.TextsOf("StartStat").isEmpty());
    EXPECT_TRUE(d.TextsOf("BegMidStat").isEmpty());
    EXPECT_TRUE(d.Contains("Static pressure               (psi)"));
}

TEST_F(GatedReportsTest, CostsRoundTheReachCostAndTheTotal)
{
    Header({{"SysHas", 8}});
    testsupport::WorkJob::AddRow(DMod->WorkGatedTable, {{"RchLen", 400.0}, {"CostFt", 0.114}, {"RchCost", 45.6},
                                                        {"PipeDescription", "8 in Alum Gated"}});
    TQRGatedCost section(owner.get());
    section.QuickRepGatedCost.PrintDate = QDate(2026, 12, 9);
    Dump d = RenderDump(section.QuickRepGatedCost);
    EXPECT_EQ(d.TextsOf("RchCost"), QStringList{"46"});
    EXPECT_EQ(d.TextsOf("CostTotLbl"), QStringList{"46"});
    EXPECT_EQ(d.TextsOf("CostFt"), QStringList{"0.11"});
    EXPECT_EQ(d.TextsOf("CoverLbl"), QStringList{"NA"});
    // Each value stands in the main cost table's column under its heading,
    // and the page has the common footer.
    const std::pair<const char*, const char*> columns[] = {
        {"RchLen", "ColLen"}, {"PipeDescription", "ColDesc"}, {"CoverLbl", "ColCover"},
        {"CostFt", "ColFtCost"}, {"RchCost", "ColRchCost"}, {"CostTotLbl", "ColRchCost"}};
    for (const auto& [value, heading] : columns)
        EXPECT_TRUE(Under(d, value, heading)) << value;
    EXPECT_EQ(d.TextsOf("ColRchCost").join(' ').simplified(), "Reach Cost ($)");
    EXPECT_EQ(d.TextsOf("PageFooterBand1PageLbl"), QStringList{"Page number:"});
    EXPECT_EQ(d.TextsOf("PageFooterBand1DateLbl"), QStringList{"Printed:"});
    EXPECT_EQ(d.TextsOf("PageFooterBand1Date"), QStringList{"12/9/2026"});

    TQRGatedCostTool tool(owner.get());
    d = RenderDump(tool.QuickRepGatedCostTool);
    ASSERT_EQ(d.PageCount(), 1);
    EXPECT_TRUE(d.Contains("Gated Pipe Cost (Tool)"));
    EXPECT_EQ(d.TextsOf("CostTotLbl"), QStringList{"46"});
    EXPECT_EQ(d.TextsOf("PipeDescription"), QStringList{"8 in Alum Gated"});
    EXPECT_TRUE(d.TextsOf("QRDBText5").isEmpty());   // no job class
}

TEST_F(GatedReportsTest, GraphDrawsEachPointOnceEveryTimeItIsGenerated)
{
    computedCalculatorJob();
    TQRGatedGraph form(owner.get());
    for (int pass = 0; pass < 2; ++pass) {
        RenderDump(form.QuickRepGatedGraph);
        EXPECT_EQ(form.Series4->Count(), 1) << pass;
        EXPECT_EQ(form.Series5->Count(), 4) << pass;   // start, A, D, end
        EXPECT_EQ(form.Series10->Count(), 2) << pass;
        EXPECT_EQ(form.Series11->Count(), 0) << pass;  // no intermediate segment
        EXPECT_EQ(form.Series12->Count(), 3) << pass;
    }
    EXPECT_EQ(form.Series5->At(1).x, DMod->WorkGatedTableStaAsta->AsFloat());
    // Without an intermediate segment the legend has no mid grade line.
    EXPECT_EQ(form.QRDBChart1->Chart.LegendTitles(),
              (QStringList{"Water Surface", "Gated Pipe", "Gated Start HGL", "Gated End HGL"}));
    EXPECT_EQ(form.QRDBChart1->Chart.LegendSwatches()[0].symbolColor, QColor(Qt::yellow));   // as its point

    // No water surface: no marker.
    job.SetHeader({{"WSElev", -100.0}});
    RenderDump(form.QuickRepGatedGraph);
    EXPECT_EQ(form.Series4->Count(), 0);
}

TEST_F(GatedReportsTest, GraphWithIntermediateSegmentRendersToANonBlankPage)
{
    computedCalculatorJob(true);
    TQRGatedGraph form(owner.get());
    const Dump d = RenderDump(form.QuickRepGatedGraph);
    ASSERT_EQ(d.PageCount(), 1);
    EXPECT_TRUE(d.pages[0].landscape);
    EXPECT_EQ(form.Series5->Count(), 6);
    EXPECT_EQ(form.Series11->Count(), 3);

    QTemporaryDir dir;
    const QString pdf = dir.filePath("graph.pdf");
    ASSERT_TRUE(ExportPdf(form.QuickRepGatedGraph, pdf));
    QProcess p;
    p.start("pdftoppm", {"-r", "30", "-png", "-singlefile", pdf, dir.filePath("graph")});
    ASSERT_TRUE(p.waitForFinished(60000));
    ASSERT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    const QImage img(dir.filePath("graph.png"));
    ASSERT_FALSE(img.isNull());
    int inked = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            inked += qGray(img.pixel(x, y)) < 200;
    EXPECT_GT(inked, img.width() * img.height() / 200);
}

TEST_F(GatedReportsTest, DetailedCompositeChainsTheGatedSectionForAGatedEnd)
{
    Header({{"SysHas", 1}});
    job.AddProfRow({{"Station", 0.0}, {"TSta", "0+00"}, {"NodeType", 0}});
    job.AddProfRow({{"Station", 100.0}, {"TSta", "1+00"}, {"NodeType", 5}});
    testsupport::WorkJob::AddRow(DMod->WorkGatedTable, {{"NoOfGates", 10}, {"GateSpace", 30.0}});
    Tul->SysHas = 1;
    Tul->SysTypeCode = 0;
    reports::OpenedForms forms;
    forms.Create(QRGated, owner.get());
    TQRDetail* detail = forms.Create(QRDetail, owner.get());
    const Dump d = RenderDump(detail->QRCompositeReport1);
    EXPECT_GE(d.PageOf("Gated Pipe Details"), 1);
    EXPECT_EQ(d.TextsOf("LenOpenLbl"), QStringList{"25.0"});
}

TEST_F(GatedReportsTest, CalculatorButtonsPreviewTheirReportsAndDeleteThem)
{
    computedCalculatorJob();
    TGatedToolDlg calc(owner.get());
    calc.QRDetailedSpdBtnClick();
    EXPECT_TRUE(shown.Contains("Gated Pipe Tool Details"));
    calc.QRGraphBitBtnClick();
    EXPECT_EQ(shown.PageCount(), 1);
    driver.Answer(ui::mrNo);   // no unit costs to edit
    calc.QRCostSpdBtnClick();
    EXPECT_TRUE(shown.Contains("Gated Pipe Cost (Tool)"));
    EXPECT_EQ(previews, 3);
    EXPECT_EQ(QRGatedTool, nullptr);
    EXPECT_EQ(QRGatedGraph, nullptr);
    EXPECT_EQ(QRGatedCostTool, nullptr);
    EXPECT_FALSE(DMod->UnitCostTable->Active());
    // The estimate reports what it could not price (no pipe rows here) after the question.
    ASSERT_FALSE(driver.MessageTexts().isEmpty());
    EXPECT_EQ(driver.MessageTexts().first(), "Do you want to view or edit unit costs?");
}

} // namespace
