// The summary hydraulic report and the pipeline cost estimate with its
// pumping-energy and suction-pipe sections: their lines for hand-worked
// jobs, their running values over pages and over a second printing.
#include "reports_fixture.h"

#include "model/data_module.h"
#include "model/job.h"
#include "reports/cost_report.h"
#include "reports/pumping_energy_report.h"
#include "reports/suction_cost_report.h"
#include "reports/summary_report.h"

#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdio>

using namespace report;

namespace {

class SummaryTest : public ReportFormTest {
protected:
    // Entrance, an outflow node, a booster, a node below it, a reducer and the end.
    void BoosterJob()
    {
        Header();
        auto node = [&](double sta, const char* tsta, int type, testsupport::FieldValues more) {
            job.AddProfRow({{"Station", sta}, {"TSta", tsta}, {"NodeType", type}, {"InvertElev", 300.0 - sta / 100},
                            {"Psi", 12.34}, {"StatPres", 20.06}, {"PipeQ", 400.0}, {"Vel", 4.537}, {"RchLen", 500.0},
                            {"PipeType", "PVC"}, {"DownStreamPipeDescription", "8 in PVC 80 psi"}});
            db::Table* prof = DMod->WorkProfTable;
            prof->Last();
            prof->Edit();
            for (const auto& [field, value] : more)
                prof->FieldByName(field)->SetValue(value);
            prof->Post();
        };
        node(0, "0+00", 0, {});
        node(500, "5+00", 1, {{"OutQ", 150.0}, {"InQ", 20.0}});
        node(1000, "10+00", 2, {{"PsiSet", 40.0}});
        node(1500, "15+00", 1, {{"RchLen", 0.0}});
        node(2000, "20+00", 3, {{"PsiSet", 25.5}});
        node(2500, "25+00", 6, {{"StatPres", 0.0}});
    }

    Dump Render(TQRSummary& form)
    {
        form.QRCompositeReport1.PrintDate = QDate(2026, 12, 9);
        return RenderDump(form.QRCompositeReport1);
    }
};

TEST_F(SummaryTest, NodeLinesWithReachColumnsAndNotes)
{
    BoosterJob();
    TQRSummary form(owner.get());
    const Dump d = Render(form);
    EXPECT_EQ(d.PageOf("Summary Hydraulic Report"), 1);
    EXPECT_EQ(d.TextsOf("QRDBText7"), (QStringList{"0+00", "5+00", "10+00", "15+00", "20+00", "25+00"}));
    EXPECT_EQ(d.TextsOf("QRDBText8").first(), "300.0");
    EXPECT_EQ(d.TextsOf("QRDBText9").first(), "12.3");
    // No reach below a node without length nor below the manifold start.
    EXPECT_EQ(d.TextsOf("FlowRate"), (QStringList{"400", "400", "400", "400"}));
    EXPECT_EQ(d.TextsOf("Velocity").first(), "4.5");
    EXPECT_EQ(d.TextsOf("PipeLen").first(), "500");
    EXPECT_EQ(d.TextsOf("PipeDesc").size(), 4);
    // The booster's own row keeps its static pressure; the rows below read NA.
    EXPECT_EQ(d.TextsOf("StatPresLbl"), (QStringList{"20.1", "20.1", "20.1", "NA", "NA", "NA"}));
    EXPECT_EQ(d.TextsOf("InfoLbl"),
              (QStringList{"Outflow at station 5+00 = 150 gpm", "Boster Pump at Sta 10+00, DS pressure set at = 40 psi",
                           "REQUIRES Pressure Reducer Valve at sta 20+00, DS pressure set at = 25.5 psi"}));
    EXPECT_EQ(d.TextsOf("StatPres2Lbl").join(' ').simplified(), "Static Pressure (psi)");

    Tul->PumpTypeCode = 7;
    EXPECT_EQ(Render(form).TextsOf("StatPres2Lbl").join(' ').simplified(), "Off Pressure (psi)");
}

TEST_F(SummaryTest, BoosterFlagCarriesOverPagesAndRestartsWithEachPrinting)
{
    Header();
    for (int i = 0; i < 60; ++i)
        job.AddProfRow({{"Station", 100.0 * i}, {"TSta", QString::number(i)}, {"NodeType", i == 3 ? 2 : 1},
                        {"StatPres", 10.0}, {"RchLen", 100.0}});
    TQRSummary form(owner.get());
    const Dump d = Render(form);
    ASSERT_GE(d.PageCount(), 2);
    const QStringList stat = d.TextsOf("StatPresLbl");
    ASSERT_EQ(stat.size(), 60);
    EXPECT_EQ(stat.mid(0, 4), QStringList(4, "10.0"));
    EXPECT_EQ(stat.mid(4), QStringList(56, "NA"));
    // A print after the preview starts above the booster again.
    EXPECT_EQ(Render(form).TextsOf("StatPresLbl"), stat);
}

TEST_F(SummaryTest, EmptyProfileStillPrintsTitleAndHeadings)
{
    Header();
    TQRSummary form(owner.get());
    const Dump d = Render(form);
    EXPECT_TRUE(d.Contains("Smith Farm"));
    EXPECT_TRUE(d.TextsOf("QRDBText7").isEmpty());
    EXPECT_FALSE(d.TextsOf("ColStation").isEmpty());
}

// A long job prints through to a PDF file; its speed is measured by the
// report benchmarks, not here.
TEST_F(SummaryTest, HundredNodeJobRendersToPdf)
{
    Header();
    for (int i = 0; i < 100; ++i)
        job.AddProfRow({{"Station", 50.0 * i}, {"TSta", QString::number(i)}, {"NodeType", i == 99 ? 4 : 1},
                        {"InvertElev", 396.0 - i}, {"Psi", 12.5}, {"StatPres", 14.0}, {"PipeQ", 300.0},
                        {"Vel", 3.1}, {"RchLen", i == 99 ? 0.0 : 50.0}, {"PipeType", "PVC"},
                        {"DownStreamPipeDescription", "6 in PVC 80 psi"}, {"OutQ", i % 10 == 5 ? 25.0 : 0.0}});
    TQRSummary form(owner.get());
    QTemporaryDir dir;
    ASSERT_TRUE(ExportPdf(form.QRCompositeReport1, dir.filePath("summary.pdf")));
    EXPECT_GT(QFileInfo(dir.filePath("summary.pdf")).size(), 1000);
}

class CostTest : public ReportFormTest {
protected:
    void Reaches(int count, double cost)
    {
        Header();
        for (int i = 0; i < count; ++i)
            job.AddProfRow({{"Station", 100.0 * i}, {"TSta", QString::number(i)}, {"RchLen", 100.0},
                            {"CostFt", cost / 100.0}, {"RchCost", cost}, {"PipeDepth", i == 0 ? 0.0 : 30.0},
                            {"DownStreamPipeDescription", "6 in PVC"}});
        job.AddProfRow({{"Station", 100.0 * count}, {"TSta", "end"}, {"RchLen", 0.0}, {"RchCost", 99.0}});
    }
};

TEST_F(CostTest, ReachCostsRoundWhileTheTotalAddsTheUnroundedValues)
{
    Reaches(3, 10.4);
    TQRCost form(owner.get());
    form.QRCompositeReport3.PrintDate = QDate(2026, 12, 9);
    const Dump d = RenderDump(form.QRCompositeReport3);
    EXPECT_TRUE(d.Contains("JobClass:"));
    EXPECT_EQ(d.TextsOf("QRRchCst"), (QStringList{"10", "10", "10"}));
    EXPECT_EQ(d.TextsOf("QRFtCst"), (QStringList{"0.10", "0.10", "0.10"}));
    EXPECT_EQ(d.TextsOf("CoverLbl"), (QStringList{"0", "30", "30"}));
    // The end node prints its station only and adds nothing.
    EXPECT_EQ(d.TextsOf("QRDBSta"), (QStringList{"0", "1", "2", "end"}));
    EXPECT_EQ(d.TextsOf("QRDBLen").size(), 3);
    EXPECT_EQ(d.TextsOf("CostTotLbl"), QStringList{"31"});
    EXPECT_TRUE(d.Contains("Total cost main line pipe installation     $"));
    // Printing from the preview gives the same total.
    EXPECT_EQ(RenderDump(form.QRCompositeReport3).TextsOf("CostTotLbl"), QStringList{"31"});
}

TEST_F(CostTest, TotalOfAReportOverSeveralPages)
{
    Reaches(80, 1250.0);
    TQRCost form(owner.get());
    const Dump d = RenderDump(form.QRCompositeReport3);
    EXPECT_GE(d.PageCount(), 2);
    EXPECT_EQ(d.TextsOf("QRRchCst").first(), "1,250");
    EXPECT_EQ(d.TextsOf("CostTotLbl"), QStringList{"100,000"});
}

class PumpCostTest : public ReportFormTest {};

TEST_F(PumpCostTest, EnergyFiguresAndTheirFormats)
{
    Header({{"SeasonPumpHrs", 1200.0}, {"WHP", 20.5}, {"BHP", 27.3}, {"MotorHP", 30.0}, {"PumpEffic", 75.0},
            {"AcInPumped", 30.0}, {"AvSeasElecCst", 1.5}, {"MotorEffic", 0.92}, {"ElecSeasCst", 5.6},
            {"ElecHrCst", 1234.567}, {"GasAiCst", 0.004}});
    db::Table* unit = DMod->UnitCostTable;
    if (!unit->Active())
        unit->Open();
    unit->First();
    if (unit->IsEmpty())
        testsupport::WorkJob::AddRow(unit, {{"DieselCost", 2.25}, {"NatGasCost", 7.0}});
    else {
        unit->Edit();
        unit->FieldByName("DieselCost")->SetAsFloat(2.25);
        unit->FieldByName("NatGasCost")->SetAsFloat(7.0);
        unit->Post();
    }
    TQRPumpCost form(owner.get());
    const Dump d = RenderDump(form.QuickRepPumpCost);
    EXPECT_EQ(d.TextsOf("AFLbl"), QStringList{"2.5"});
    EXPECT_EQ(d.TextsOf("QRLblMtrEff"), QStringList{"92"});
    EXPECT_EQ(d.TextsOf("AvElecLbl"), QStringList{"1.500"});
    EXPECT_EQ(d.TextsOf("DieselLbl"), QStringList{"2.250"});
    EXPECT_EQ(d.TextsOf("GasLbl"), QStringList{"7.000"});
    EXPECT_EQ(d.TextsOf("ElecSeasCst"), QStringList{"5.60"});
    EXPECT_EQ(d.TextsOf("ElecHrCst"), QStringList{"1,234.57"});
    EXPECT_EQ(d.TextsOf("GasAiCst"), QStringList{"0.00"});
    // The volume keeps two decimals like the horsepowers above it, however it was stored.
    EXPECT_EQ(d.TextsOf("QRDBAcIn"), QStringList{"30.00"});
    job.SetHeader({{"AcInPumped", 1209.095856}});
    const Dump unrounded = RenderDump(form.QuickRepPumpCost);
    EXPECT_EQ(unrounded.TextsOf("QRDBAcIn"), QStringList{"1209.10"});
    EXPECT_EQ(unrounded.TextsOf("AFLbl"), QStringList{"100.8"});   // 1209.095856 / 12 = 100.758
    EXPECT_TRUE(d.Contains("Pumping Energy Cost Estimate"));
    EXPECT_TRUE(d.Contains("Natural gas                               82.20   1000 cu-ft (mcf)"));
    EXPECT_TRUE(d.Contains("%, standard 30 HP motor efficiency, using direct drive."));
    // The boosters' motors, however long their list, stand apart from the words around them.
    job.SetHeader({{"MotorHP", "5 + 3 + 2"}});
    EXPECT_TRUE(RenderDump(form.QuickRepPumpCost).Contains("%, standard 5 + 3 + 2 HP motor efficiency, using direct drive."));
}

TEST_F(PumpCostTest, SuctionCostsRoundWhileTheTotalAddsTheUnroundedValues)
{
    Header();
    db::Table* suction = DMod->WorkSuctionTable;
    if (!suction->Active())
        suction->Open();
    TQRSuctionCost form(owner.get());
    Dump d = RenderDump(form.QuickRepSuctionCost);
    EXPECT_TRUE(d.Contains("Suction Pipe"));
    EXPECT_TRUE(d.TextsOf("QRCostFt").isEmpty());
    EXPECT_EQ(d.TextsOf("CostTotLbl"), QStringList{"0"});

    testsupport::WorkJob::AddRow(suction, {{"JobNumber", 7}, {"SegmentNo", 1}, {"PipeLength", 20.0},
                                           {"CostFt", 1.02}, {"RchCost", 20.4}});
    testsupport::WorkJob::AddRow(suction, {{"JobNumber", 7}, {"SegmentNo", 2}, {"PipeLength", 40.0},
                                           {"CostFt", 2.01}, {"RchCost", 80.4}});
    d = RenderDump(form.QuickRepSuctionCost);
    EXPECT_EQ(d.TextsOf("QRRchCst"), (QStringList{"20", "80"}));
    EXPECT_EQ(d.TextsOf("QRCostFt"), (QStringList{"1.02", "2.01"}));
    EXPECT_EQ(d.TextsOf("CoverLbl"), (QStringList{"NA", "NA"}));
    EXPECT_EQ(d.TextsOf("CostTotLbl"), QStringList{"101"});
    EXPECT_EQ(RenderDump(form.QuickRepSuctionCost).TextsOf("CostTotLbl"), QStringList{"101"});
    // A Letter page like the rest of the cost report, its footer at the sheet's foot.
    EXPECT_EQ(d.pages.at(0).paperInches, QSizeF(8.5, 11.0));
}

} // namespace
