// The report commands of the output page: which sections each composite
// chains for a job, and the forms' lifetime around the preview.
#include "reports_fixture.h"

#include "dialogs/editors/unit_cost_editor.h"
#include "model/data_module.h"
#include "model/job.h"
#include "reports/cost_report.h"
#include "reports/detail_report.h"
#include "reports/gated_pipe_report.h"
#include "reports/gated_pipe_cost_report.h"
#include "reports/manifold_end_detail_report.h"
#include "reports/manifold_end_summary_report.h"
#include "reports/manifold_cost_report.h"
#include "reports/profile_graph_report.h"
#include "reports/pump_report.h"
#include "reports/pumping_energy_report.h"
#include "reports/suction_cost_report.h"
#include "reports/summary_report.h"
#include "designer/report_commands.h"
#include "support/running_program.h"

#include <stdexcept>

using namespace report;

namespace {

class CommandTest : public ReportFormTest {
protected:
    void SetUp() override
    {
        ReportFormTest::SetUp();
        Header();
        job.AddProfRow({{"Station", 0.0}, {"TSta", "0+00"}, {"NodeType", 0}, {"PipeType", "PVC"}});
        job.AddProfRow({{"Station", 900.0}, {"TSta", "9+00"}, {"NodeType", 4}});
    }
    void Job(int sysType, int pumpType, int sysHas)
    {
        Tul->SysTypeCode = sysType;
        Tul->PumpTypeCode = pumpType;
        Tul->SysHas = sysHas;
    }
    static bool NoReportForms()
    {
        return !QRDetail && !QRSummary && !QRCost && !QROutGraph && !QRGated && !QRGatedCost && !QRPump
               && !QRPumpCost && !QRSuctionCost && !QRManifEndDetail && !QRManifEndSummary && !QRManifCost;
    }
};

TEST_F(CommandTest, DetailedChainsEndAndPumpSectionsInOrder)
{
    Job(2, 1, 2);   // centrifugal pump, manifold at the end
    beforePreview = [&](Document&) {
        EXPECT_NE(QRManifEndDetail, nullptr);
        EXPECT_NE(QRPump, nullptr);
        EXPECT_EQ(QRGated, nullptr);
        EXPECT_EQ(QRDetail->parentWidget(), owner.get());
    };
    QRDetailedCommand(owner.get());
    const ui::Cursor after = ui::ScreenCursor();
    EXPECT_EQ(previews, 1);
    EXPECT_EQ(cursorAtPreview, ui::Cursor::HourGlass);
    EXPECT_EQ(chained, (QStringList{"QuickRepDetail", "QuickRepEndManifold", "QuickRepPump", "QuickRepSuction"}));
    EXPECT_EQ(shown.PageOf("Detailed Pipeline Hydraulic Report"), 1);
    EXPECT_TRUE(NoReportForms());
    EXPECT_EQ(after, ui::Cursor::Default);   // the cursor from before the command
}

TEST_F(CommandTest, DetailedOpensTheGatedTableForAGatedEnd)
{
    Job(0, 0, 1);
    DMod->WorkGatedTable->Close();
    bool gatedOpen = false;
    beforePreview = [&](Document&) { gatedOpen = DMod->WorkGatedTable->Active(); };
    // A thrust block puts its pages before the end section.
    DMod->WorkProfTable->First();
    DMod->WorkProfTable->Edit();
    DMod->WorkProfTable->FieldByName("ThBlockArea")->SetAsFloat(1.5);
    DMod->WorkProfTable->Post();
    QRDetailedCommand(owner.get());
    EXPECT_TRUE(gatedOpen);
    EXPECT_EQ(chained, (QStringList{"QuickRepDetail", "QuickRepThrust", "QuickRepGated"}));
}

TEST_F(CommandTest, SummaryChainsTheSameSectionsAsTheDetailed)
{
    Job(2, 1, 2);
    QRSummaryCommand(owner.get());
    EXPECT_EQ(chained,
              (QStringList{"QuickRepSummary", "QuickRepManifEndSummary", "QuickRepPump", "QuickRepSuction"}));
    EXPECT_EQ(shown.TextsOf("QRSysData1"), QStringList{"Summary Hydraulic Report"});
    // The pump section's column-loss unit shares the subtitle's control name.
    EXPECT_EQ(shown.TextsOf("QRLabel22").value(0), "Main Pipeline");
    EXPECT_TRUE(NoReportForms());

    Job(2, 2, 1);   // a turbine has no suction line
    QRSummaryCommand(owner.get());
    EXPECT_EQ(chained, (QStringList{"QuickRepSummary", "QuickRepGated", "QuickRepPump"}));
}

TEST_F(CommandTest, InlineBoosterGetsItsPumpSectionOnce)
{
    Job(0, 8, 0);
    QRDetailedCommand(owner.get());
    EXPECT_EQ(chained, (QStringList{"QuickRepDetail", "QuickRepPump"}));
    QRSummaryCommand(owner.get());
    EXPECT_EQ(chained, (QStringList{"QuickRepSummary", "QuickRepPump"}));
    driver.SetDefaultAnswer(ui::mrNo);
    QRCostCommand(owner.get());
    EXPECT_EQ(chained, (QStringList{"QuickRepCost", "QuickRepPumpCost"}));

    Job(2, 8, 0);
    QRDetailedCommand(owner.get());
    EXPECT_EQ(chained, (QStringList{"QuickRepDetail", "QuickRepPump"}));
    // Pressurised and maximum-flow jobs have no pump section.
    Job(3, 5, 0);
    QRDetailedCommand(owner.get());
    EXPECT_EQ(chained, QStringList{"QuickRepDetail"});
    Job(1, 8, 0);
    QRSummaryCommand(owner.get());
    EXPECT_EQ(chained, QStringList{"QuickRepSummary"});
    EXPECT_TRUE(NoReportForms());
}

// The gravity designer has no pumps: whatever pump a job brought along (an
// imported pumped job, or a gravity job with an in-line booster), its
// composites chain only the end sections.
TEST_F(CommandTest, GravityDesignersCompositesNeverHoldPumpOrSuctionPages)
{
    testsupport::RunningAs gravity(Program::Dunstrow);
    driver.SetDefaultAnswer(ui::mrNo);
    const struct {
        int sysType, pumpType, sysHas;
        QStringList detailed, summary, cost;
    } jobs[] = {
        {2, 1, 2, {"QuickRepDetail", "QuickRepEndManifold"}, {"QuickRepSummary", "QuickRepManifEndSummary"},
         {"QuickRepCost", "QuickRepTrickleCost"}},
        {0, 8, 1, {"QuickRepDetail", "QuickRepGated"}, {"QuickRepSummary", "QuickRepGated"},
         {"QuickRepCost", "QuickRepGatedCost"}},
        {2, 2, 0, {"QuickRepDetail"}, {"QuickRepSummary"}, {"QuickRepCost"}},
    };
    for (const auto& j : jobs) {
        SCOPED_TRACE(testing::Message() << j.sysType << "/" << j.pumpType << "/" << j.sysHas);
        Job(j.sysType, j.pumpType, j.sysHas);
        QRDetailedCommand(owner.get());
        EXPECT_EQ(chained, j.detailed);
        QRSummaryCommand(owner.get());
        EXPECT_EQ(chained, j.summary);
        QRCostCommand(owner.get());
        EXPECT_EQ(chained, j.cost);
        EXPECT_FALSE(shown.Contains("Pump Details"));
        EXPECT_FALSE(shown.Contains("Pumping Energy Cost Estimate"));
        EXPECT_TRUE(NoReportForms());
    }
}

TEST_F(CommandTest, CostListsSuctionBeforePumpAndOffersTheUnitCosts)
{
    Job(2, 1, 1);
    DMod->WorkSuctionTable->Close();
    DMod->UnitCostTable->Close();
    driver.Answer(ui::mrNo);
    QRCostCommand(owner.get());
    // The estimate then names the job's unpriced materials.
    ASSERT_EQ(driver.MessageTexts().size(), 2);
    EXPECT_EQ(driver.MessageTexts().at(0), "Do you want to view or edit unit costs?");
    EXPECT_TRUE(driver.MessageTexts().at(1).startsWith("No cost per pound found"));
    EXPECT_EQ(driver.Messages().at(0).buttons, ui::mbYesNo);
    EXPECT_FALSE(driver.FormsShown().contains("TUnitCostInFrm"));
    EXPECT_EQ(previews, 1);   // No still previews
    EXPECT_EQ(chained, (QStringList{"QuickRepCost", "QuickRepGatedCost", "QuickRepSuctionCost", "QuickRepPumpCost"}));
    EXPECT_TRUE(DMod->WorkSuctionTable->Active());
    EXPECT_TRUE(DMod->UnitCostTable->Active());
    EXPECT_EQ(shown.TextsOf("QRDBText5Cap"), QStringList{"JobClass:"});

    Job(2, 3, 2);
    bool editorGone = false;
    driver.Answer(ui::mrYes);
    driver.OnceForm("TUnitCostInFrm", [](ui::Form& f) { f.Close(); });
    beforePreview = [&](Document&) { editorGone = UnitCostInFrm == nullptr; };
    QRCostCommand(owner.get());
    EXPECT_TRUE(driver.FormsShown().contains("TUnitCostInFrm"));
    EXPECT_TRUE(editorGone);
    EXPECT_EQ(chained, (QStringList{"QuickRepCost", "QuickRepTrickleCost", "QuickRepPumpCost"}));
    EXPECT_TRUE(NoReportForms());
}

TEST_F(CommandTest, GraphPreviewsItsOwnReport)
{
    QWidget* seen = nullptr;
    beforePreview = [&](Document& d) {
        EXPECT_EQ(&d, &QROutGraph->QuickRepOutGraph);
        seen = QROutGraph->parentWidget();
    };
    QRGraphCommand(owner.get());
    EXPECT_EQ(previews, 1);
    EXPECT_EQ(seen, owner.get());
    EXPECT_EQ(QROutGraph, nullptr);
}

TEST_F(CommandTest, FailedPreviewStillDeletesFormsAndRestoresTheCursor)
{
    Job(2, 1, 1);
    ui::SetScreenCursor(ui::Cursor::HandPoint);
    beforePreview = [](Document&) { throw std::runtime_error("printer gone"); };
    EXPECT_THROW(QRDetailedCommand(owner.get()), std::runtime_error);
    EXPECT_TRUE(NoReportForms());
    EXPECT_EQ(ui::ScreenCursor(), ui::Cursor::HandPoint);
}

} // namespace
