// The pump details and suction line sections, the graphic profile of a
// computed job, and the composites that chain them for each system type.
#include "reports_fixture.h"

#include "designer/report_commands.h"
#include "engine/gravity_run.h"
#include "model/data_module.h"
#include "model/job.h"
#include "platform/chart/colors.h"
#include "reports/detail_report.h"
#include "reports/profile_graph_report.h"
#include "reports/pump_report.h"
#include "support/workprofile.h"

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

using namespace report;

namespace {

class PumpTest : public ReportFormTest {
protected:
    void SetUp() override
    {
        ReportFormTest::SetUp();
        Header({{"PumpType", "CENTRIF"}, {"PumpEyeElev", 348.0}, {"ColumnLoss", 1.2}, {"TDH", 85.0},
                {"WHP", 12.5}, {"BHP", 16.7}, {"PumpEffic", 75.0}, {"MotorHP", 20.0}, {"TDSH", 9.5},
                {"AvailSH", 22.1}, {"Altitude", 2500.0}, {"WaterTemp", 60.0}, {"TankRange", 20.0}, {"OnElev", 380.0}, {"OffElev", 426.1}});
        Tul->SysTypeCode = 2;
        Tul->PumpTypeCode = 1;
        suction = DMod->WorkSuctionTable;
        if (!suction->Active())
            suction->Open();
    }
    void Segment(int no, double dia, double kloss, double floss, testsupport::FieldValues more = {})
    {
        testsupport::WorkJob::AddRow(suction, {{"JobNumber", 7}, {"SegmentNo", no}, {"DiaIn", dia},
                                               {"Kloss", kloss}, {"Floss", floss}, {"Vel", 3.2}});
        suction->Last();
        suction->Edit();
        for (const auto& [field, value] : more)
            suction->FieldByName(field)->SetValue(value);
        suction->Post();
    }
    db::Table* suction = nullptr;
};

TEST_F(PumpTest, PumpLinesFollowThePumpType)
{
    TQRPump form(owner.get());
    Dump d = RenderDump(form.QuickRepPump);
    EXPECT_TRUE(d.Contains("Pump Details"));
    EXPECT_EQ(d.TextsOf("QRDBText12"), QStringList{"CENTRIF"});
    EXPECT_EQ(d.TextsOf("QRDBText16"), QStringList{"352"});
    EXPECT_EQ(d.TextsOf("QRDBText11"), QStringList{"1.20"});
    EXPECT_EQ(d.TextsOf("TDSHDBN"), QStringList{"9.50"});
    EXPECT_EQ(d.TextsOf("ALTDBN"), QStringList{"2500"});
    EXPECT_TRUE(d.TextsOf("TankRngDBN").isEmpty());

    // A turbine: its discharge elevation and no column loss.
    Tul->PumpTypeCode = 2;
    job.SetHeader({{"TDSH", 0.0}});
    d = RenderDump(form.QuickRepPump);
    EXPECT_TRUE(d.Contains("Pump head discharge elevation .................."));
    EXPECT_TRUE(d.TextsOf("QRDBText11").isEmpty());
    EXPECT_TRUE(d.TextsOf("TDSHDBN").isEmpty());
    EXPECT_TRUE(d.TextsOf("PSHADBN").isEmpty());

    // A pressure tank: its captions and its three tank lines.
    Tul->PumpTypeCode = 7;
    d = RenderDump(form.QuickRepPump);
    EXPECT_TRUE(d.Contains("Elevation at pressure tank ........................."));
    EXPECT_TRUE(d.Contains("Pump connection pipeing friction loss  .........."));
    EXPECT_EQ(d.TextsOf("TankRngDBN"), QStringList{"20"});
    EXPECT_EQ(d.TextsOf("OnElevDBN"), QStringList{"380.00"});
    EXPECT_EQ(d.TextsOf("OffElevDBN"), QStringList{"426.10"});
    EXPECT_EQ(d.TextsOf("QRDBText11"), QStringList{"1.20"});

    // A booster drawing from the main line: no water surface, no column loss.
    Tul->PumpTypeCode = 4;
    job.AddProfRow({{"Station", 0.0}, {"ReachType", "PUMPBEG"}});
    d = RenderDump(form.QuickRepPump);
    EXPECT_TRUE(d.TextsOf("QRDBText16").isEmpty());
    EXPECT_TRUE(d.TextsOf("QRDBText11").isEmpty());
    // The next pump type brings both lines back.
    Tul->PumpTypeCode = 1;
    d = RenderDump(form.QuickRepPump);
    EXPECT_EQ(d.TextsOf("QRDBText16"), QStringList{"352"});
    EXPECT_EQ(d.TextsOf("QRDBText11"), QStringList{"1.20"});
}

TEST_F(PumpTest, SuctionSegmentsRunningLossAndFittings)
{
    Segment(1, 6.0, 0.04, 0.06, {{"KDescription1", "Foot valve"}, {"K1", 0.8}, {"Kid1", 6.0},
                                 {"KDescription2", "Elbow, 90"}, {"K2", 0.3}, {"Kid2", 6.0}});
    Segment(2, 8.0, 0.15, 0.05, {{"KDescription1", "Enlargement"}, {"K1", -1.0}, {"KDescription2", "Tee"},
                                 {"K2", 0.6}, {"Kid2", 8.0}, {"KDescription3", "Gate valve"}, {"K3", 0.2},
                                 {"Kid3", 8.0}});
    Segment(3, 8.0, 0.0, 0.3);
    TQRPump form(owner.get());
    const Dump d = RenderDump(form.QuickRepSuction);
    EXPECT_EQ(d.TextsOf("CumFricLbl"), (QStringList{"0.100", "0.300", "0.600"}));
    EXPECT_EQ(d.TextsOf("FricLbl"), (QStringList{"0.060", "0.050", "0.300"}));
    EXPECT_EQ(d.TextsOf("VelLbl").first(), "3.200");
    EXPECT_EQ(d.TextsOf("LossLbl2"),
              (QStringList{"Foot valve, id= 6.00; Elbow, 90, id= 6.00",
                           "Enlargement, id= 6.00,8.00; Tee, id= 8.00; Gate valve, id= 8.00", "None"}));
    EXPECT_TRUE(d.Contains("Suction Pipe Details"));
    // A print from the preview starts from the first segment's diameter again.
    EXPECT_EQ(RenderDump(form.QuickRepSuction).TextsOf("LossLbl2"), d.TextsOf("LossLbl2"));
}

// The centrifugal pumped job that ends in a manifold, and the gravity job
// with a gated end, through the main window's report commands.
TEST_F(PumpTest, CompositesChainTheirSectionsInOrder)
{
    job.AddProfRow({{"Station", 0.0}, {"TSta", "0+00"}, {"NodeType", 0}, {"RchLen", 100.0}, {"RchCost", 10.0}});
    job.AddProfRow({{"Station", 100.0}, {"TSta", "1+00"}, {"NodeType", 5}});
    Segment(1, 6.0, 0.1, 0.1);
    Tul->SysHas = 2;
    QRSummaryCommand(owner.get());
    EXPECT_EQ(chained,
              (QStringList{"QuickRepSummary", "QuickRepManifEndSummary", "QuickRepPump", "QuickRepSuction"}));
    // The pump and its suction line print after the summary, each on its own page.
    EXPECT_EQ(shown.pages.front().report, "QuickRepSummary");
    EXPECT_LT(shown.PageOf("Summary Hydraulic Report"), shown.PageOf("Pump Details"));
    EXPECT_LT(shown.PageOf("Pump Details"), shown.PageOf("Suction Pipe Details"));

    driver.Answer(ui::mrNo);
    QRCostCommand(owner.get());
    EXPECT_EQ(chained, (QStringList{"QuickRepCost", "QuickRepTrickleCost", "QuickRepSuctionCost",
                                    "QuickRepPumpCost"}));
    EXPECT_LT(shown.PageOf("Pipeline Cost Estimate"), shown.PageOf("Pumping Energy Cost Estimate"));

    Tul->SysTypeCode = 0;
    Tul->PumpTypeCode = 0;
    Tul->SysHas = 1;
    QRSummaryCommand(owner.get());
    EXPECT_EQ(chained, (QStringList{"QuickRepSummary", "QuickRepGated"}));
    QRDetailedCommand(owner.get());
    EXPECT_EQ(chained, (QStringList{"QuickRepDetail", "QuickRepGated"}));
    driver.Answer(ui::mrNo);
    QRCostCommand(owner.get());
    EXPECT_EQ(chained, (QStringList{"QuickRepCost", "QuickRepGatedCost"}));
    EXPECT_FALSE(shown.Contains("Pump Details"));
}

class GraphTest : public ReportFormTest {
protected:
    // Entrance, a 250 gpm outflow with an air valve, a booster and the end.
    void GraphJob()
    {
        Header({{"PumpEyeElev", 345.0}, {"PumpType", "INLINE BOOSTER"}});
        job.AddProfRow({{"Station", 0.0}, {"NodeType", 0}, {"GroundElev", 350.0}, {"InvertElev", 346.0},
                        {"Hgl", 351.5}});
        job.AddProfRow({{"Station", 600.0}, {"NodeType", 1}, {"GroundElev", 330.0}, {"InvertElev", 326.0},
                        {"Hgl", 349.0}, {"OutQ", 250.0}, {"AirVacSize", 2.0}});
        job.AddProfRow({{"Station", 1000.0}, {"NodeType", 2}, {"GroundElev", 320.0}, {"InvertElev", 316.0},
                        {"Hgl", 340.0}, {"PsiSet", 20.0}, {"Vel", 4.0}});
        job.AddProfRow({{"Station", 1800.0}, {"NodeType", 4}, {"GroundElev", 300.0}, {"InvertElev", 296.0},
                        {"Hgl", 330.0}, {"InQ", 40.5}});
    }
    static std::vector<std::pair<double, double>> Points(const chart::Series* s)
    {
        std::vector<std::pair<double, double>> p;
        for (const chart::ChartPoint& c : s->Points())
            p.emplace_back(c.x, c.y);
        return p;
    }
};

TEST_F(GraphTest, TitlesMarksAndSeriesOfAComputedJob)
{
    GraphJob();
    Tul->BoosterHgl = 999.0;   // left by some other set-pressure node
    TQROutGraph form(owner.get());
    const Dump d = RenderDump(form.QuickRepOutGraph);
    ASSERT_EQ(d.PageCount(), 1);
    EXPECT_TRUE(d.pages[0].landscape);
    EXPECT_TRUE(d.Contains("Mersol"));
    EXPECT_TRUE(d.Contains("Pipeline Graphic Profile"));
    EXPECT_EQ(d.TextsOf("QRDBText1"), QStringList{"Smith Farm"});
    const chart::Chart& c = form.QRChart1->Chart;
    EXPECT_EQ(c.Title.Text, "Pipeline Hydraulic Profile");
    // The legend names what this job drew: no gated pipe, manifold or tank levels.
    EXPECT_EQ(c.LegendTitles(), (QStringList{"HGL  ", "Pipe Invert", "Ground Line", "Water Surface", "Pump",
                                             "AirValve", "Outflow", "Inflow"}));

    ASSERT_EQ(form.Series14->Count(), 1);
    EXPECT_EQ(form.Series14->At(0).label, "250 gpm Outflow");
    EXPECT_EQ(Points(form.Series14), (std::vector<std::pair<double, double>>{{600, 338}}));
    EXPECT_EQ(form.Series15->At(0).label, "40.5 gpm Inflow");
    EXPECT_EQ(Points(form.Series13), (std::vector<std::pair<double, double>>{{600, 331}}));
    EXPECT_EQ(Points(form.Series4), (std::vector<std::pair<double, double>>{{0, 352}}));
    // Gravity job: the booster's pump mark only, above its own ground; the
    // grade line steps to the booster's own set line, 20 psi over its invert.
    EXPECT_EQ(Points(form.Series7), (std::vector<std::pair<double, double>>{{1000, 322}}));
    ASSERT_EQ(form.Series1->Count(), 5);
    EXPECT_NEAR(form.Series1->At(3).y, 316 + 2.307124400147656 * 20, 1e-9);
    EXPECT_EQ(Points(form.Series2).size(), 4u);
    EXPECT_EQ(form.Series2->At(0).color, chart::WindowsColor(chart::wincolor::Blue));
    EXPECT_EQ(form.Series8->Count() + form.Series9->Count() + form.Series5->Count() + form.Series6->Count(), 0);

    // A pumped job marks its pump at the entrance too; a second printing draws
    // the same points, none doubled.
    Tul->SysTypeCode = 2;
    RenderDump(form.QuickRepOutGraph);
    RenderDump(form.QuickRepOutGraph);
    EXPECT_EQ(Points(form.Series7), (std::vector<std::pair<double, double>>{{0, 347}, {1000, 322}}));
    EXPECT_EQ(form.Series1->Count(), 5);

    // Three boosters left at -1, computed: each drawn at the grade the
    // Detailed report prints below it, 141.617, 158.588 and 168.426 ft.
    Tul->SysTypeCode = 0;
    testsupport::WriteWorkJob(testsupport::ThreeBoostersHeader(), testsupport::ThreeBoostersLine());
    Tul->ClearHead = 5;
    if (!Grav)
        CreateGravObject();
    QTemporaryDir traceDir;   // the run's trace goes there
    const QString oldDir = QDir::currentPath();
    QDir::setCurrent(traceDir.path());
    const bool computed = Grav->RunGravityProfile().Computed();
    QDir::setCurrent(oldDir);
    ASSERT_TRUE(computed);
    RenderDump(form.QuickRepOutGraph);
    ASSERT_EQ(form.Series1->Count(), 8);
    const double below[] = {141.617, 158.588, 168.426};
    for (int i : {0, 1, 2})
        EXPECT_NEAR(form.Series1->At(2 * i + 2).y, below[i], 5e-4) << i;
    TQRDetail detail(owner.get());
    EXPECT_EQ(RenderDump(detail.QuickRepDetail).TextsOf("InfoLbl").filter("Boster").join('|'),
              "Boster Pump, DS pressure set at 22.373 psi, HGL boosted to elev = 141.617 ft|"
              "Boster Pump, DS pressure set at 12.391 psi, HGL boosted to elev = 158.588 ft|"
              "Boster Pump, DS pressure set at 9.3 psi, HGL boosted to elev = 168.426 ft");
}

TEST_F(GraphTest, NoWaterSurfacePointForMinusOneHundred)
{
    GraphJob();
    job.SetHeader({{"WSElev", -100.0}});
    TQROutGraph form(owner.get());
    RenderDump(form.QuickRepOutGraph);
    EXPECT_EQ(form.Series4->Count(), 0);
    job.SetHeader({{"WSElev", -99.0}});
    RenderDump(form.QuickRepOutGraph);
    EXPECT_EQ(Points(form.Series4), (std::vector<std::pair<double, double>>{{0, -99}}));
}

TEST_F(GraphTest, PressureTankLevelsAndManifoldEnd)
{
    GraphJob();
    db::Table* prof = DMod->WorkProfTable;
    prof->First();
    prof->Next();
    prof->Next();
    prof->Edit();
    prof->FieldByName("NodeType")->SetAsInteger(3);   // the booster becomes a reducer
    prof->Post();
    Tul->SysTypeCode = 2;
    Tul->PumpTypeCode = 7;
    Tul->OffElev = 400;
    Tul->OnElev = 380;
    Tul->SysHas = 2;
    testsupport::WorkJob::AddRow(DMod->WorkTrickleTable, {{"Station", 1800.0}, {"InvertElev", 295.0}, {"Hgl", 329.0}});
    testsupport::WorkJob::AddRow(DMod->WorkTrickleTable, {{"Station", 1900.0}, {"InvertElev", 294.0}, {"Hgl", 327.0}});
    TQROutGraph form(owner.get());
    RenderDump(form.QuickRepOutGraph);
    using P = std::vector<std::pair<double, double>>;
    EXPECT_EQ(Points(form.Series8), (P{{0, 400}, {600, 400}, {1000, 400}}));
    const double set = 316 + 2.307124400147656 * 20;   // the reducer's own set grade line
    EXPECT_EQ(Points(form.Series9), (P{{0, 380}, {600, 380}, {1000, 380}, {1000, set}, {1800, set}}));
    EXPECT_FALSE(Tul->FirstPoint);
    EXPECT_EQ(Points(form.Series6), (P{{1800, 295}, {1900, 294}}));
    EXPECT_EQ(form.Series2->Points().back().y, 295);
}

// The printed page of a 100-node job holds the red grade line. (Its speed is
// measured by the report benchmarks, not here.)
TEST_F(GraphTest, PdfPageShowsTheProfileLine)
{
    Header();
    for (int i = 0; i < 100; ++i)
        job.AddProfRow({{"Station", 50.0 * i}, {"NodeType", i == 99 ? 4 : 1}, {"GroundElev", 400.0 - i},
                        {"InvertElev", 396.0 - i}, {"Hgl", 420.0 - 0.5 * i}});
    TQROutGraph form(owner.get());
    QTemporaryDir dir;
    const QString pdf = dir.filePath("graph.pdf");
    ASSERT_TRUE(ExportPdf(form.QuickRepOutGraph, pdf));

    QProcess p;
    p.start("pdftoppm", {"-r", "40", "-png", pdf, dir.filePath("page")});
    ASSERT_TRUE(p.waitForFinished(60000));
    ASSERT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    const QStringList pngs = QDir(dir.path()).entryList({"page*.png"}, QDir::Files);
    ASSERT_EQ(pngs.size(), 1);
    const QImage img(dir.filePath(pngs.first()));
    ASSERT_FALSE(img.isNull());
    EXPECT_GT(img.width(), img.height());
    int dark = 0, red = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QColor c = img.pixelColor(x, y);
            if (c.lightness() < 128)
                ++dark;
            if (c.red() > 180 && c.green() < 90 && c.blue() < 90)
                ++red;
        }
    EXPECT_GT(dark, 200);   // texts and axes: not blank
    EXPECT_GT(red, 100);    // the grade line's run across the chart
}

} // namespace
