// The reach data dialog: what its show takes over and hands on, the pipe and
// minor-loss commands, the page guard and the outcome.
#include "support/journey.h"
#include "support/profiledlg_fixture.h"

#include "dialogs/dialog_helpers.h"
#include "dialogs/profile/minor_loss_dialog.h"
#include "dialogs/profile/reach_dialog.h"
#include "platform/ui/notebook.h"
#include "platform/ui/seam/msg.h"
#include "platform/ui/statusbar.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

// A shipped pipe, so that the pipe dialog finds the recorded description.
const QString kPipe8 = QStringLiteral("PVC SDR 21, 8 in, 200 psi");
constexpr double kDia8 = 7.803;

class ProfInDlgTest : public ProfileDialogTest {
protected:
    void SetUp() override
    {
        ProfileDialogTest::SetUp();
        Tul->DetailedML = true;
        AddNode({{"Station", 0}, {"RecordNo", 1}, {"GroundElev", 120}, {"NodeType", 0}, {"PipeQ", 500},
                 {"PipeType", "PVC SDR"}, {"DownStreamPipeDescription", kPipe8}, {"DiaIn", kDia8},
                 {"WallThick", 0.3}, {"Cfac", 150}, {"Nfac", 0.009}, {"Efac", 0.000005}, {"PressurRating", 160},
                 {"WtPerFt", 3.1}, {"InvElMethod", 1}, {"InvertElev", 116}});
        AddNode({{"Station", 500}, {"RecordNo", 2}, {"GroundElev", 110}, {"NodeType", 1}, {"PipeQ", 450},
                 {"InQ", 0}, {"OutQ", 50}, {"Fitting", "None"}, {"Soil", "Muck"}, {"ThBlkSoil", 1},
                 {"InvElMethod", 2}, {"InvertElev", 110}});
        AddNode({{"Station", 900}, {"RecordNo", 3}, {"GroundElev", 100}, {"NodeType", 4}, {"PipeQ", 450},
                 {"InvElMethod", 1}, {"InvertElev", 95}});
        Tul->Station = 0;   // the node loaded last
    }

    void Run(DialogDriver::FormAction action)
    {
        driver.OnceForm("TProfInDlg", std::move(action));
        TProfInDlg dlg(nullptr);
        dlg.ShowModal();
    }
};

TEST_F(ProfInDlgTest, NodeWithoutAPipeTakesOverOnlyThePipeOfTheNodeLoadedLast)
{
    GoTo(500);
    Run([](ui::Form& f) {
        auto& d = static_cast<TProfInDlg&>(f);
        EXPECT_EQ(d.NodeTypeLbl->text(), "In line (normal)");
        EXPECT_EQ(d.StaLbl->text(), "5+00");
        EXPECT_TRUE(d.PipeDesGpBox->isVisibleTo(&d));
        EXPECT_FALSE(d.PipeGatedGpBox->isVisibleTo(&d));
        EXPECT_FALSE(d.OutletGroupBox->isEnabled());
        DialogDriver::Press(f, "OKBitBtn");
    });
    EXPECT_EQ(TextAt(500, "DownStreamPipeDescription"), kPipe8);
    EXPECT_DOUBLE_EQ(NumAt(500, "DiaIn"), kDia8);
    EXPECT_DOUBLE_EQ(NumAt(500, "Cfac"), 150.0);
    EXPECT_DOUBLE_EQ(NumAt(500, "PressurRating"), 160.0);
    // What the node dialog stored stays.
    EXPECT_DOUBLE_EQ(NumAt(500, "OutQ"), 50.0);
    EXPECT_DOUBLE_EQ(NumAt(500, "PipeQ"), 450.0);
    EXPECT_EQ(TextAt(500, "Fitting"), "None");
    EXPECT_EQ(TextAt(500, "Soil"), "Muck");
    EXPECT_EQ(NumAt(500, "InvElMethod"), 2);
    EXPECT_EQ(NumAt(500, "NodeType"), 1);
    EXPECT_FALSE(Tul->WasCancelled);
}

TEST_F(ProfInDlgTest, NodeBeforeTheEndHandsItsPipeToTheEndNode)
{
    GoTo(500);
    Run([](ui::Form& f) { DialogDriver::Press(f, "OKBitBtn"); });
    EXPECT_DOUBLE_EQ(NumAt(900, "DiaIn"), kDia8);
    EXPECT_DOUBLE_EQ(NumAt(900, "WallThick"), 0.3);
    EXPECT_DOUBLE_EQ(NumAt(900, "WtPerFt"), 3.1);
    EXPECT_TRUE(TextAt(900, "DownStreamPipeDescription").isEmpty());   // an end node takes no pipe of its own
}

TEST_F(ProfInDlgTest, EndNodeShowsTheOutletGroupAndANewOneTakesItsGround)
{
    Tul->NewNode = true;
    GoTo(900);
    Run([](ui::Form& f) {
        auto& d = static_cast<TProfInDlg&>(f);
        EXPECT_EQ(d.NodeTypeLbl->text(), "End of line (normal)");
        EXPECT_TRUE(d.OutletGroupBox->isEnabled());
        EXPECT_TRUE(CaptionActive(d.OutletGroupBox));
        EXPECT_FALSE(d.SetPresDBNF->isEnabled());
        EXPECT_FALSE(CaptionActive(d.PressureGpBox));
        EXPECT_FALSE(d.PipeDesGpBox->isVisibleTo(&d));
        EXPECT_EQ(d.ActiveControl(), d.OutletElevDBNF);
        DialogDriver::Press(f, "OKBitBtn");
    });
    EXPECT_DOUBLE_EQ(Header("OutletElev").toDouble(), 100.0);
    // (100 - 95 - 0 - 0) * 12: the depth of an invert given directly.
    EXPECT_DOUBLE_EQ(NumAt(900, "PipeDepth"), 60.0);
}

TEST_F(ProfInDlgTest, MinorLossPageNeedsAPipeFirst)
{
    GoTo(900);
    DMod->WorkProfTableNodeType->SetAsInteger(5);
    Run([](ui::Form& f) {
        auto& d = static_cast<TProfInDlg&>(f);
        d.OvcNotebook1->SetPageIndex(1);
        d.OvcNotebook1Click();
        EXPECT_EQ(d.OvcNotebook1->PageIndex(), 0);
        DialogDriver::Press(f, "CancelBitBtn");
    });
    EXPECT_EQ(driver.MessageTexts(), QStringList{"Please enter Gated Pipe Data before entering minor loss data."});
    EXPECT_TRUE(Tul->WasCancelled);
}

TEST_F(ProfInDlgTest, MinorLossButtonFillsItsSlotAndTheStatus)
{
    GoTo(500);
    driver.OnceForm("TGetKMDlg", [](ui::Form& f) {
        ASSERT_TRUE(DMod->MinorLossTable->Locate("Loss Item Description", "Gate valve, fully open"));
        static_cast<TGetKMDlg&>(f).DBGrid1DblClick();
        DialogDriver::Press(f, "OKBitBtn1");
    });
    Run([](ui::Form& f) {
        auto& d = static_cast<TProfInDlg&>(f);
        EXPECT_EQ(d.StatusBar1->PanelText(1), "No Minor Losses");
        d.OvcNotebook1->SetPageIndex(1);
        DialogDriver::Press(f, "Loss2SpdBtn");
        EXPECT_EQ(d.StatusBar1->PanelText(1), "Minor Losses = ; Gate valve, fully open");
        EXPECT_EQ(d.Kid2Lbl->text(), "7.803");  // downstream: the 8 in pipe taken over
        EXPECT_EQ(d.K2Lbl->text(), "0.112");    // K8 column of the shipped item
        DialogDriver::Press(f, "OKBitBtn");
    });
    EXPECT_EQ(TextAt(500, "KDescription2"), "Gate valve, fully open");
    EXPECT_EQ(TextAt(500, "KLocate2"), "DS");
}

TEST_F(ProfInDlgTest, StatusTextNamesTheLossesOrTheEstimate)
{
    GoTo(500);
    Run([](ui::Form& f) {
        auto& d = static_cast<TProfInDlg&>(f);
        DMod->WorkProfTableKloss->SetAsFloat(1.5);
        EXPECT_EQ(d.MinorLossStatus(false), "Estimated minor head loss (feet)= 1.5");
        EXPECT_TRUE(d.MinorLossStatus(true).isEmpty());
        DMod->WorkProfTableKDescription1->SetAsString("A");
        DMod->WorkProfTableKDescription3->SetAsString("C");
        EXPECT_EQ(d.MinorLossStatus(false), "Minor Losses = A; C");
        DialogDriver::Press(f, "CancelBitBtn");
    });
}

// Without detailed losses the one head loss shown is the last run's: typing
// into it stores nothing that no run would read.
TEST_F(ProfInDlgTest, WithoutDetailedLossesTheHeadLossIsShownAndTakesNoEntry)
{
    Tul->DetailedML = false;
    GoTo(500);
    DMod->WorkProfTableKloss->SetAsFloat(0.015);
    Run([](ui::Form& f) {
        auto& d = static_cast<TProfInDlg&>(f);
        d.OvcNotebook1->SetPageIndex(1);
        DialogDriver::KeyIn(f, "KLossDBNF", "1.5");
        DialogDriver::Press(f, "OKBitBtn");
    });
    EXPECT_DOUBLE_EQ(NumAt(500, "Kloss"), 0.015);
}

TEST_F(ProfInDlgTest, EqualDiameterAgainDropsAGradualSizeChangeButNotASuddenOne)
{
    for (double code : {-2.0, -1.0}) {
        GoTo(500);
        DMod->WorkProfTableDownStreamPipeDescription->SetAsString(kPipe8);
        DMod->WorkProfTableDiaIn->SetAsFloat(kDia8);
        DMod->WorkProfTableK1->SetAsFloat(code);
        DMod->WorkProfTableKLocate1->SetAsString("NA");
        DMod->WorkProfTableKDescription1->SetAsString(code == -2.0 ? "Contraction, Gradual 45 degree"
                                                                   : "Contraction, Sudden");
        driver.OnceForm("TGetPipeDlg", [](ui::Form& f) { DialogDriver::Press(f, "CancelBitBtn2"); });
        Run([](ui::Form& f) {
            DialogDriver::Press(f, "PipeRchSpdBtn");
            DialogDriver::Press(f, "OKBitBtn");
        });
        if (code == -2.0) {
            EXPECT_DOUBLE_EQ(NumAt(500, "K1"), 0.0);
            EXPECT_TRUE(TextAt(500, "KDescription1").isEmpty());
        } else {
            EXPECT_DOUBLE_EQ(NumAt(500, "K1"), -1.0);
        }
    }
    EXPECT_TRUE(Tul->PipeRchPick);
    EXPECT_DOUBLE_EQ(Tul->InsertPointStation, 900.0);
}

TEST_F(ProfInDlgTest, EndNodeDiameterFollowsThePipeAndAsksAboutItsLosses)
{
    GoTo(900);
    DMod->WorkProfTableKDescription1->SetAsString("Pipe exit to open water");
    struct Case { double endDia; bool asked; };
    for (const Case c : {Case{0.75, false}, Case{6.0, true}}) {
        GoTo(500);
        driver.ClearLog();
        driver.Answer(ui::mrNo);
        driver.OnceForm("TGetPipeDlg", [](ui::Form& f) { DialogDriver::Press(f, "CancelBitBtn2"); });
        Run([&](ui::Form& f) {
            // The end node's diameter changed after the dialog handed the pipe on.
            db::Table* t = DMod->WorkProfTable;
            t->CheckBrowseMode();
            t->Last();
            t->Edit();
            DMod->WorkProfTableDiaIn->SetAsFloat(c.endDia);
            t->Post();
            Tul->LocateProfStation();
            DialogDriver::Press(f, "PipeRchSpdBtn");
            DialogDriver::Press(f, "OKBitBtn");
        });
        EXPECT_DOUBLE_EQ(NumAt(900, "DiaIn"), kDia8) << c.endDia;
        EXPECT_EQ(driver.Messages().size(), c.asked ? 1u : 0u) << c.endDia << driver.MessageTexts().join("|").toStdString();
    }
    EXPECT_TRUE(driver.MessageTexts()[0].startsWith("The next to the last node pipe diameter has changed.\r"));
}

// A 6 in pipe picked for the 8 in reach into a plain end: the end takes all
// of its sizes and gains no size change, as no reach leaves it; while the
// question about its losses is up, the dialog shows its own node.
TEST_F(ProfInDlgTest, PipeIntoTheEndGoesToItWholeAndGivesItNoSizeChange)
{
    GoTo(900);
    DMod->WorkProfTableKDescription1->SetAsString("Pipe exit to open water");
    DMod->WorkProfTableDiaIn->SetAsFloat(kDia8);
    GoTo(500);
    DMod->WorkProfTablePipeType->SetAsString("PVC SDR");
    DMod->WorkProfTableDownStreamPipeDescription->SetAsString(kPipe8);
    DMod->WorkProfTableDiaIn->SetAsFloat(kDia8);
    struct StationAsked : ui::MessageSink {   // the node under the dialog as it asks
        ui::MessageSink* next = ui::SetMessageSink(this);
        QStringList at;
        ~StationAsked() override { ui::SetMessageSink(next); }
        int show(const ui::Message& m) override { return at << DMod->WorkProfTableStation->AsString(), next->show(m); }
    } asked;
    driver.Answer(ui::mrNo);
    driver.OnceForm("TGetPipeDlg", [](ui::Form& f) { testsupport::PickPipe(f, testsupport::kSixInchPvc); });
    Run([](ui::Form& f) {
        DialogDriver::Press(f, "PipeRchSpdBtn");
        DialogDriver::Press(f, "OKBitBtn");
    });
    EXPECT_EQ(asked.at, QStringList{"500"});
    EXPECT_DOUBLE_EQ(NumAt(500, "K1"), -2.0);
    EXPECT_DOUBLE_EQ(NumAt(900, "WallThick"), 0.315);
    EXPECT_DOUBLE_EQ(NumAt(900, "WtPerFt"), 3.792);
    EXPECT_DOUBLE_EQ(NumAt(900, "K1") + NumAt(900, "K2") + NumAt(900, "K3"), 0.0);
}

TEST_F(ProfInDlgTest, ManifoldEndShowsTheRatingMethodOfItsPipe)
{
    job.SetHeader({{"TriclPType", "PVC SDR"}});
    GoTo(900);
    DMod->WorkProfTableNodeType->SetAsInteger(6);
    Run([](ui::Form& f) {
        auto& d = static_cast<TProfInDlg&>(f);
        EXPECT_EQ(d.TriclRatingMethodLbl->text(), "Standard Dimension Ratio (SDR)");
        EXPECT_TRUE(d.PipeTrickleGpBox->isVisibleTo(&d));
        EXPECT_FALSE(d.PipeDesGpBox->isVisibleTo(&d));
        DialogDriver::Press(f, "CancelBitBtn");
    });
    EXPECT_EQ(Tul->MaterialText, "Standard Dimension Ratio (SDR)");
}

TEST_F(ProfInDlgTest, ReducerPressureIsEnteredForAReducerNodeOnly)
{
    GoTo(500);
    DMod->WorkProfTableNodeType->SetAsInteger(3);
    Run([](ui::Form& f) {
        auto& d = static_cast<TProfInDlg&>(f);
        EXPECT_TRUE(d.SetPresDBNF->isEnabled());
        DialogDriver::Type(f, "SetPresDBNF", "-20");
        EXPECT_TRUE(d.SetPresDBNF->text().isEmpty() || !d.SetPresDBNF->text().startsWith('-'));
        DialogDriver::Type(f, "SetPresDBNF", "35.5");
        DialogDriver::Press(f, "OKBitBtn");
    });
    EXPECT_DOUBLE_EQ(NumAt(500, "PsiSet"), 35.5);
    EXPECT_EQ(DMod->WorkPipeTable->State(), db::DataSetState::Browse);   // posted on OK
}

} // namespace
