// The gated pipe dialog and the entrance condition dialog on a working job:
// the gate layout, the entrance velocity, the defaults of a new gated pipe
// and the pressure / water-surface pair.
#include "support/profiledlg_fixture.h"

#include "dialogs/calculators/entrance_condition_dialog.h"
#include "dialogs/calculators/gated_pipe_calculator.h"
#include "dialogs/line_ends/gated_pipe_dialog.h"
#include "dialogs/line_ends/gated_pipe_rules.h"
#include "engine/single_objects.h"
#include "platform/ui/notebook.h"
#include "platform/ui/radiogroup.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <cmath>

namespace {

// ---- the rules alone ---------------------------------------------------------

class GatedRules : public ::testing::Test {
protected:
    void SetUp() override { CreateSingleObjects(); }
    DialogDriver driver;
};

TEST_F(GatedRules, GateLayoutFitsOverlapsOrHasTooManyGates)
{
    GateLayoutResult r = CheckGateLayout(40, 4, 30, 100, 300);
    EXPECT_EQ(r.check, GateLayoutCheck::Fits);
    EXPECT_EQ(r.layout.gates, 10);
    EXPECT_DOUBLE_EQ(r.layout.openLength, 25.0);
    EXPECT_DOUBLE_EQ(r.layout.firstEnd, 125.0);
    EXPECT_DOUBLE_EQ(r.layout.lastStart, 275.0);
    EXPECT_EQ(r.text, "Intermediate start station must be between stations1+25 and 2+50.");

    r = CheckGateLayout(40, 2, 30, 0, 40);
    EXPECT_EQ(r.check, GateLayoutCheck::TooManyGates);
    EXPECT_EQ(r.text, "Review design. Too many gates for length of pipe. Minimum flow required = 2.50");

    r = CheckGateLayout(40, 2, 30, 0, 80);
    EXPECT_EQ(r.check, GateLayoutCheck::Overlap);
    EXPECT_EQ(r.text, "Review design. Begin and end segments overlap. Flow for abutting segments = 2.50");

    // Whole gates only, and first and last segments that just meet are fine.
    EXPECT_EQ(CheckGateLayout(59.9, 20, 30, 0, 1000).layout.gates, 2);
    EXPECT_EQ(CheckGateLayout(40, 4, 30, 0, 50).check, GateLayoutCheck::Fits);
    EXPECT_TRUE(driver.Messages().empty());
}

TEST_F(GatedRules, NoGateFlowOrNoLengthIsRefusedWithoutDividingByZero)
{
    const GateLayoutResult noFlow = CheckGateLayout(40, 0, 30, 0, 100);
    EXPECT_EQ(noFlow.check, GateLayoutCheck::NoGateFlow);
    EXPECT_FALSE(noFlow.text.contains("inf") || noFlow.text.contains("nan"));
    for (double end : {100.0, 50.0}) {
        const GateLayoutResult r = CheckGateLayout(40, 4, 30, 100, end);
        EXPECT_EQ(r.check, GateLayoutCheck::NoLength) << end;
        EXPECT_TRUE(std::isfinite(r.layout.firstEnd));
    }
}

TEST_F(GatedRules, EntranceVelocityAndThePressureSurfacePair)
{
    EXPECT_EQ(QString::number(*EntranceVelocity(40, 6), 'f', 2), "0.45");
    EXPECT_EQ(QString::number(*EntranceVelocity(500, 8), 'f', 2), "3.19");
    EXPECT_FALSE(EntranceVelocity(500, 0));
    EXPECT_FALSE(EntranceVelocity(500, -1));
    EXPECT_EQ(WaterSurfaceFromPsi(-26.9, 21.67), "23.1");
    EXPECT_EQ(PsiFromWaterSurface(-26.9, 23.1), "21.67");
}

// ---- the dialog on a pipeline job -------------------------------------------------

class GatedDialogTest : public ProfileDialogTest {
protected:
    void SetUp() override
    {
        ProfileDialogTest::SetUp();
        CreateSingleObjects();
        db::Table* def = DMod->DefLocTable;
        def->First();
        def->Edit();
        DMod->DefLocTableGateGpm->SetAsFloat(4);
        DMod->DefLocTableGateSpace->SetAsFloat(30);
        DMod->DefLocTableGatedPipeType->SetAsString("Alum Gated");
        def->Post();
        AddNode({{"Station", 0}, {"RecordNo", 1}, {"GroundElev", 110}, {"NodeType", 0}, {"PipeQ", 40},
                 {"DiaIn", 6}});
        AddNode({{"Station", 100}, {"RecordNo", 2}, {"GroundElev", 95}, {"NodeType", 5}, {"PipeQ", 40},
                 {"DiaIn", 6}, {"PipeType", "PVC"}, {"DownStreamPipeDescription", "6 in PVC"}});
        Tul->SysTypeCode = 0;
        Tul->NewJob = true;
        GoTo(100);
    }
    static QVariant G(const char* field)
    {
        db::Table* g = DMod->WorkGatedTable;
        g->CheckBrowseMode();
        g->First();
        return g->FieldByName(QString::fromLatin1(field))->Value();
    }
    void run(std::function<void(TGatedPipeDlg&)> act)
    {
        driver.OnceForm("TGatedPipeDlg", [act](ui::Form& f) { act(static_cast<TGatedPipeDlg&>(f)); });
        TGatedPipeDlg dlg(nullptr);
        dlg.ShowModal();
    }
};

TEST_F(GatedDialogTest, NewGatedPipeTakesItsEndNodeAndTheDefaultsOnce)
{
    run([](TGatedPipeDlg& d) {
        EXPECT_FALSE(d.BeginStaDBNF->isEnabled());
        EXPECT_EQ(d.ActiveControl(), static_cast<QWidget*>(d.GndElevDBNF));
        EXPECT_FALSE(d.ReqPresDBNF->isEnabled());
        DialogDriver::Type(d, "EndGatedStaDBNF", "300");
        DialogDriver::Type(d, "DesFlowDBNF", "5");
        DialogDriver::Focus(d, "EndGatedElDBNF");
        DialogDriver::Press(d, "OKBtn");
    });
    EXPECT_FALSE(Tul->Cancelled);
    EXPECT_EQ(Tul->SysHas, 1);
    EXPECT_DOUBLE_EQ(G("StartSta").toDouble(), 100);
    EXPECT_DOUBLE_EQ(G("StartElev").toDouble(), 95);
    EXPECT_DOUBLE_EQ(G("EndSta").toDouble(), 300);
    EXPECT_DOUBLE_EQ(G("GateFlow").toDouble(), 5);
    EXPECT_DOUBLE_EQ(G("GateSpace").toDouble(), 30);
    EXPECT_EQ(G("PipeType").toString(), "PVC");
    EXPECT_EQ(G("PipeDescription").toString(), "6 in PVC");
    EXPECT_EQ(G("PipeVel").toString(), "0.45");
    EXPECT_EQ(G("K1State").toString(), "N");
    EXPECT_EQ(G("K2State").toString(), "N");

    // Opening it again in the same new job keeps what the user entered.
    run([](TGatedPipeDlg& d) {
        DialogDriver::Type(d, "GndElevDBNF", "94.5");
        DialogDriver::Focus(d, "EndGatedStaDBNF");
        DialogDriver::Press(d, "OKBtn");
    });
    run([](TGatedPipeDlg& d) { DialogDriver::Press(d, "OKBtn"); });
    EXPECT_DOUBLE_EQ(G("GateFlow").toDouble(), 5);
    EXPECT_DOUBLE_EQ(G("StartElev").toDouble(), 94.5);
    EXPECT_TRUE(driver.Messages().empty()) << driver.MessageTexts().join("|").toStdString();
}

TEST_F(GatedDialogTest, IntermediateSegmentShowsItsRangeOrIsSwitchedOff)
{
    QString range;
    bool boxShown = false;
    run([&](TGatedPipeDlg& d) {
        DialogDriver::Type(d, "EndGatedStaDBNF", "300");
        DialogDriver::Focus(d, "DesFlowDBNF");
        DialogDriver::Check(d, "MidChkBox", true);
        range = d.StaRangeLbl->text();
        boxShown = d.MidSegGpBox->isVisibleTo(&d);
        EXPECT_EQ(d.ActiveControl(), static_cast<QWidget*>(d.MidStaDBNF));
        DialogDriver::Press(d, "OKBtn");
    });
    EXPECT_EQ(range, "Intermediate start station must be between stations1+25 and 2+50.");
    EXPECT_TRUE(boxShown);
    EXPECT_TRUE(G("IsMidSeg").toBool());

    // A shorter pipe: the two end segments overlap, and the segment goes off
    // as the end station is left.
    bool checked = true;
    run([&](TGatedPipeDlg& d) {
        EXPECT_TRUE(d.MidChkBox->isChecked());
        DialogDriver::Type(d, "EndGatedStaDBNF", "140");
        DialogDriver::Focus(d, "DesFlowDBNF");
        checked = d.MidChkBox->isChecked() || d.MidSegGpBox->isVisibleTo(&d);
        DialogDriver::Press(d, "OKBtn");
    });
    EXPECT_FALSE(checked);
    EXPECT_EQ(driver.MessageTexts().join("|"),
              "Review design. Begin and end segments overlap. Flow for abutting segments = 5.00");
    EXPECT_EQ(driver.Messages()[0].type, ui::MsgType::Error);
    EXPECT_FALSE(G("IsMidSeg").toBool());
}

TEST_F(GatedDialogTest, ZeroGateFlowIsExplainedAndNothingIsLaidOut)
{
    run([&](TGatedPipeDlg& d) {
        DialogDriver::Type(d, "EndGatedStaDBNF", "300");
        DialogDriver::Type(d, "DesFlowDBNF", "0");
        DialogDriver::Focus(d, "GateSpacingDBNF");
        DialogDriver::Check(d, "MidChkBox", true);
        EXPECT_FALSE(d.MidChkBox->isChecked());
        DialogDriver::Press(d, "OKBtn");
    });
    ASSERT_EQ(driver.MessageTexts().size(), 1);
    EXPECT_TRUE(driver.MessageTexts()[0].startsWith("Enter the design flow per gate"));
    EXPECT_FALSE(G("IsMidSeg").toBool());
}

TEST_F(GatedDialogTest, LossMethodsAndTheClearButtons)
{
    run([](TGatedPipeDlg& d) {
        DialogDriver::Type(d, "EndGatedStaDBNF", "300");
        d.OvcNotebook1->SetPageIndex(1);
        DialogDriver::Choose(d, "AltRadioGp1", "Enter Head Loss directly for control device");
        EXPECT_TRUE(d.KLossDBNF1->isEnabled());
        EXPECT_FALSE(d.Loss1SpdBtn->isEnabled());
        DialogDriver::Type(d, "KLossDBNF1", "1.5");
        DialogDriver::Focus(d, "ML1DescDBSF");
        DialogDriver::Choose(d, "AltRadioGp2", "Enter K factor for control device");
        EXPECT_TRUE(d.Loss2SpdBtn->isEnabled());
        EXPECT_FALSE(d.KLossDBNF2->isEnabled());
        DialogDriver::Press(d, "OKBtn");
    });
    EXPECT_EQ(G("K1State").toString(), "H");
    EXPECT_DOUBLE_EQ(G("ML1").toDouble(), 1.5);
    EXPECT_EQ(G("K2State").toString(), "K");

    // Reopened: the stored states select their items; Clear keeps the head loss.
    db::Table* g = DMod->WorkGatedTable;
    g->Edit();
    DMod->WorkGatedTableK2->SetAsFloat(0.8);
    DMod->WorkGatedTableKid2->SetAsFloat(6);
    DMod->WorkGatedTableKLocate2->SetAsString("US");
    g->Post();
    Tul->NewJob = false;
    run([](TGatedPipeDlg& d) {
        d.OvcNotebook1->SetPageIndex(1);
        EXPECT_EQ(d.AltRadioGp1->ItemIndex(), 2);
        EXPECT_EQ(d.AltRadioGp2->ItemIndex(), 1);
        EXPECT_EQ(d.K2Lbl->text(), "0.8");
        EXPECT_EQ(d.Kid2Lbl->text(), "6");
        DialogDriver::Press(d, "ClearEntBtn");
        EXPECT_EQ(d.AltRadioGp1->ItemIndex(), 0);
        DialogDriver::Press(d, "ClearIntBtn");
        DialogDriver::Press(d, "OKBtn");
    });
    EXPECT_EQ(G("K1State").toString(), "N");
    EXPECT_DOUBLE_EQ(G("ML1").toDouble(), 1.5);
    EXPECT_DOUBLE_EQ(G("K2").toDouble(), 0);
    EXPECT_EQ(G("KLocate2").toString(), "");
}

TEST_F(GatedDialogTest, CancelGivesBackEveryFieldAsItOpened)
{
    run([](TGatedPipeDlg& d) {
        d.OvcNotebook1->SetPageIndex(1);
        DialogDriver::Choose(d, "AltRadioGp1", "Enter Head Loss directly for control device");   // posted
        DialogDriver::Type(d, "GndElevDBNF", "80");
        DialogDriver::Escape(d);
    });
    EXPECT_TRUE(Tul->Cancelled);
    EXPECT_DOUBLE_EQ(G("StartElev").toDouble(), 95);
    EXPECT_EQ(G("K1State").toString(), "N");
}

TEST_F(GatedDialogTest, APipeWithoutDiameterGetsNoVelocityAndAMessage)
{
    db::Table* prof = DMod->WorkProfTable;
    GoTo(100);
    DMod->WorkProfTableDiaIn->SetAsFloat(0);
    prof->Post();
    GoTo(100);
    Tul->NewNode = false;
    driver.OnForm("TGetPipeDlg", [](ui::Form& f) { DialogDriver::Escape(f); });
    run([](TGatedPipeDlg& d) {
        DialogDriver::Type(d, "EndGatedStaDBNF", "300");
        DialogDriver::Press(d, "GatedPipeSelecSpdBtn");
        DialogDriver::Press(d, "OKBtn");
    });
    EXPECT_TRUE(G("PipeVel").isNull() || G("PipeVel").toString().isEmpty());
    // The picker found no pipe to show (its own message); the dialog says why there is no velocity.
    ASSERT_FALSE(driver.MessageTexts().isEmpty());
    EXPECT_TRUE(driver.MessageTexts().last().contains("no inside diameter"));
}

// ---- a calculator job ----------------------------------------------------------

class GatedCalculatorJobTest : public GatedDialogTest {
protected:
    void SetUp() override
    {
        GatedDialogTest::SetUp();
        Tul->SysTypeCode = 5;
        Tul->SysHas = 8;
        calc = new TGatedToolDlg(nullptr);
        GatedToolDlg = calc;
        testsupport::WorkJob::AddRow(DMod->WorkGatedTable, {{"StartSta", 50.0}, {"StartElev", -26.9},
                                                            {"EndSta", 650.0}, {"PipeQ", 500.0}, {"DiaIn", 8.0},
                                                            {"GateFlow", 10.0}, {"GateSpace", 30.0},
                                                            {"K1State", "N"}, {"K2State", "N"}});
    }
    void TearDown() override
    {
        GatedToolDlg = nullptr;
        delete calc;
    }
    TGatedToolDlg* calc = nullptr;
};

TEST_F(GatedCalculatorJobTest, StartStationStaysAndTheEntrancePairFollowsIt)
{
    Tul->NewJob = false;
    calc->EntrancePsiGiven = true;
    job.SetHeader({{"PsiIn", 21.67}});
    run([](TGatedPipeDlg& d) {
        EXPECT_TRUE(d.BeginStaDBNF->isEnabled());
        EXPECT_EQ(d.ActiveControl(), static_cast<QWidget*>(d.BeginStaDBNF));
        DialogDriver::Type(d, "BeginStaDBNF", "70");
        DialogDriver::Focus(d, "GndElevDBNF");
        DialogDriver::Press(d, "OKBtn");
    });
    EXPECT_EQ(driver.MessageTexts(), QStringList{"You can't edit the starting station here!"});
    EXPECT_DOUBLE_EQ(G("StartSta").toDouble(), 50);
    EXPECT_DOUBLE_EQ(G("StartElev").toDouble(), -26.9);
    EXPECT_EQ(G("PipeVel").toString(), "3.19");
    EXPECT_DOUBLE_EQ(Header("WSElev").toDouble(), 23.1);

    // The elevation changes: the water surface follows.
    run([](TGatedPipeDlg& d) {
        DialogDriver::Type(d, "GndElevDBNF", "10");
        DialogDriver::Focus(d, "EndGatedStaDBNF");
        DialogDriver::Press(d, "OKBtn");
    });
    EXPECT_DOUBLE_EQ(Header("WSElev").toDouble(), 60.0);   // 10 + 2.3071244 x 21.67
    EXPECT_DOUBLE_EQ(Header("PsiIn").toDouble(), 21.67);
}

// The gravity designer has no gated-pipe calculator: its gated dialog leaves
// the entrance of such a job as it is.
TEST_F(GatedCalculatorJobTest, GravityDesignerLeavesTheEntrancePairAlone)
{
    testsupport::RunningAs gravity(Program::Dunstrow);
    Tul->NewJob = false;
    calc->EntrancePsiGiven = true;
    job.SetHeader({{"PsiIn", 21.67}, {"WSElev", 23.1}});
    run([](TGatedPipeDlg& d) {
        DialogDriver::Type(d, "GndElevDBNF", "10");
        DialogDriver::Focus(d, "EndGatedStaDBNF");
        DialogDriver::Press(d, "OKBtn");
    });
    EXPECT_DOUBLE_EQ(G("StartElev").toDouble(), 10.0);
    EXPECT_DOUBLE_EQ(Header("WSElev").toDouble(), 23.1);
    EXPECT_DOUBLE_EQ(Header("PsiIn").toDouble(), 21.67);
}

TEST_F(GatedCalculatorJobTest, EntranceDialogKeepsThePairInStep)
{
    driver.OnceForm("TSetWSDlg", [](ui::Form& f) {
        auto& d = static_cast<TSetWSDlg&>(f);
        EXPECT_FALSE(d.PressureDBNF->isVisibleTo(&d));
        EXPECT_FALSE(d.ElevDBNF->isVisibleTo(&d));
        DialogDriver::Choose(d, "RadioGroup1", "Set Entrance Available Water Pressure");
        EXPECT_TRUE(d.PressureDBNF->isVisibleTo(&d));
        DialogDriver::Type(d, "PressureDBNF", "21.7");
        DialogDriver::Press(d, "OKBitBtn");
    });
    TSetWSDlg dlg(calc);
    dlg.ShowModal();
    EXPECT_TRUE(calc->EntrancePsiGiven);
    EXPECT_DOUBLE_EQ(Header("PsiIn").toDouble(), 21.7);
    EXPECT_DOUBLE_EQ(Header("WSElev").toDouble(), 23.2);   // -26.9 + 2.3071244 x 21.7
    EXPECT_TRUE(calc->InletPresDBTxt->isVisibleTo(calc));
    EXPECT_FALSE(calc->InletWSDBTxt->isVisibleTo(calc));

    driver.OnceForm("TSetWSDlg", [](ui::Form& f) {
        DialogDriver::Choose(f, "RadioGroup1", "Set Entrance Water Surface Elevation");
        DialogDriver::Type(f, "ElevDBNF", "23.1");
        DialogDriver::Press(f, "OKBitBtn");
    });
    TSetWSDlg again(calc);
    again.ShowModal();
    EXPECT_FALSE(calc->EntrancePsiGiven);
    EXPECT_DOUBLE_EQ(Header("PsiIn").toDouble(), 21.67);
    EXPECT_TRUE(calc->InletWSDBTxt->isVisibleTo(calc));

    // Cancel keeps the stored pair.
    driver.OnceForm("TSetWSDlg", [](ui::Form& f) {
        DialogDriver::Choose(f, "RadioGroup1", "Set Entrance Water Surface Elevation");
        DialogDriver::Type(f, "ElevDBNF", "40");
        DialogDriver::Press(f, "CancelBitBtn");
    });
    TSetWSDlg cancelled(calc);
    cancelled.ShowModal();
    EXPECT_DOUBLE_EQ(Header("WSElev").toDouble(), 23.1);
    EXPECT_DOUBLE_EQ(Header("PsiIn").toDouble(), 21.67);
}

} // namespace
