// The depth, invert, thrust-block, outlet-pressure and contraction or
// enlargement dialogs on a working job.
#include "support/profiledlg_fixture.h"

#include "dialogs/profile/contraction_enlargement_dialog.h"
#include "dialogs/profile/depth_dialog.h"
#include "dialogs/profile/invert_dialog.h"
#include "dialogs/profile/outlet_pressure_dialog.h"
#include "dialogs/profile/size_change_losses.h"
#include "dialogs/profile/thrust_block_dialog.h"
#include "engine/hydraulics.h"
#include "platform/ui/radiogroup.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QPushButton>
#include <QLabel>
#include <QLineEdit>

#include <cmath>

namespace {

class SmallDialogsTest : public ProfileDialogTest {
protected:
    void SetUp() override
    {
        ProfileDialogTest::SetUp();
        AddNode({{"Station", 0}, {"RecordNo", 1}, {"GroundElev", 110}, {"NodeType", 0}, {"DiaIn", 11.5},
                 {"WallThick", 0.5}});
        AddNode({{"Station", 500}, {"RecordNo", 2}, {"GroundElev", 100}, {"NodeType", 1}, {"DiaIn", 11.5},
                 {"WallThick", 0.5}, {"InvElMethod", 1}});
        GoTo(500);
    }
};

// ---- depth and invert -------------------------------------------------------

TEST_F(SmallDialogsTest, DepthOfCoverGivesTheInvertToTwoDecimals)
{
    driver.OnceForm("TDepthInDlg", [](ui::Form& f) {
        DialogDriver::Type(f, "OvcDbNumericField1", "36");
        DialogDriver::Press(f, "OKBtn");
    });
    TDepthInDlg dlg(nullptr);
    dlg.ShowModal();
    EXPECT_DOUBLE_EQ(NumAt(500, "InvertElev"), 96.0);   // 100 - (36 + 0.5 + 11.5) / 12
    EXPECT_EQ(NumAt(500, "InvElMethod"), 0);
    EXPECT_DOUBLE_EQ(NumAt(500, "PipeDepth"), 36.0);
    EXPECT_FALSE(Tul->Cancelled);

    // Enter in the field closes as OK.
    GoTo(500);
    driver.OnceForm("TDepthInDlg", [](ui::Form& f) {
        DialogDriver::Type(f, "OvcDbNumericField1", "31.3");
        DialogDriver::Enter(f);
        EXPECT_FALSE(f.isVisible());
    });
    TDepthInDlg again(nullptr);
    again.ShowModal();
    EXPECT_DOUBLE_EQ(NumAt(500, "InvertElev"), 96.39);   // 96.391666... kept to 2 decimals
}

TEST_F(SmallDialogsTest, DepthAndInvertDialogsOpenOverTheDialogThatAsks)
{
    ui::Form owner(nullptr);
    owner.setGeometry(320, 220, 630, 460);
    owner.Show();
    QPoint centre;
    auto where = [&centre](ui::Form& f) {
        centre = f.frameGeometry().center();
        DialogDriver::Press(f, "BitBtn2");
    };
    driver.OnceForm("TDepthInDlg", where);
    TDepthInDlg depth(&owner);
    depth.ShowModal();
    EXPECT_LE((centre - owner.frameGeometry().center()).manhattanLength(), 4);
    centre = {};
    GoTo(500);
    driver.OnceForm("TInvertIndlg", where);
    TInvertIndlg invert(&owner);
    invert.ShowModal();
    EXPECT_LE((centre - owner.frameGeometry().center()).manhattanLength(), 4);
    owner.Close();
}

TEST_F(SmallDialogsTest, DepthWithoutAPipeComputesNothingAndSaysSo)
{
    DMod->WorkProfTableDiaIn->SetAsFloat(0);
    DMod->WorkProfTableInvertElev->SetAsFloat(88);
    driver.OnceForm("TDepthInDlg", [](ui::Form& f) {
        DialogDriver::Type(f, "OvcDbNumericField1", "36");
        DialogDriver::Focus(f, "OKBtn");
        EXPECT_TRUE(f.Control<QLabel>("NoPipeTxt")->isVisible());
        EXPECT_FALSE(f.Control<QLabel>("InvElevTxt")->isVisible());
        DialogDriver::Press(f, "OKBtn");
    });
    TDepthInDlg dlg(nullptr);
    dlg.ShowModal();
    EXPECT_DOUBLE_EQ(NumAt(500, "InvertElev"), 88.0);
}

TEST_F(SmallDialogsTest, NewNodeStartsFromThePreviousDepthElseTheDefaultCover)
{
    Tul->NewNode = true;
    Tul->InvElMethod = 0;
    Tul->PipeDepth = 42;
    DMod->WorkProfTableInvertElev->SetAsFloat(91);
    driver.OnceForm("TDepthInDlg", [](ui::Form& f) {
        EXPECT_EQ(f.Control<QLineEdit>("OvcDbNumericField1")->text(), "42.0");
        DialogDriver::Focus(f, "OvcDbNumericField1");
        DialogDriver::Press(f, "OKBtn");
    });
    TDepthInDlg dlg(nullptr);
    dlg.ShowModal();
    EXPECT_DOUBLE_EQ(NumAt(500, "PipeDepth"), 42.0);
    EXPECT_DOUBLE_EQ(NumAt(500, "InvertElev"), 95.5);   // 100 - (42 + 0.5 + 11.5) / 12
    EXPECT_EQ(NumAt(500, "InvElMethod"), 0);
    EXPECT_FALSE(Tul->Cancelled);

    // The local default cover, offered when the node before had no depth;
    // Escape puts back the node as it was, and the cancel is the dialog's own.
    GoTo(500);
    Tul->InvElMethod = 1;
    Tul->Cancelled = false;
    driver.OnceForm("TDepthInDlg", [](ui::Form& f) {
        EXPECT_EQ(f.Control<QLineEdit>("OvcDbNumericField1")->text(), "30.0");   // DepthOfCover
        EXPECT_TRUE(DMod->WorkProfTableInvertElev->IsNull());   // none until worked out
        DialogDriver::Escape(f);
    });
    TDepthInDlg second(nullptr);
    second.ShowModal();
    EXPECT_DOUBLE_EQ(NumAt(500, "PipeDepth"), 42.0);
    EXPECT_DOUBLE_EQ(NumAt(500, "InvertElev"), 95.5);
    EXPECT_EQ(NumAt(500, "InvElMethod"), 0);
    EXPECT_FALSE(Tul->Cancelled);
}

TEST_F(SmallDialogsTest, InvertGivesTheDepthAndTabClosesAsOK)
{
    DMod->WorkProfTableDiaIn->SetAsFloat(12);
    driver.OnceForm("TInvertIndlg", [](ui::Form& f) {
        EXPECT_FALSE(f.Control<QLabel>("DepthTxt")->isVisible());
        DialogDriver::Type(f, "ElevDBNF", "95");
        DialogDriver::Key(f, Qt::Key_Tab);
        EXPECT_FALSE(f.isVisible());
    });
    TInvertIndlg dlg(nullptr);
    dlg.ShowModal();
    EXPECT_DOUBLE_EQ(NumAt(500, "PipeDepth"), 47.5);   // (100 - 95 - 1 - 0.5/12) * 12
    EXPECT_DOUBLE_EQ(NumAt(500, "InvertElev"), 95.0);
    EXPECT_FALSE(Tul->WasCancelled);
}

// In the gravity designer only Enter accepts the elevation; Tab moves on
// within the dialog and leaves it open.
TEST_F(SmallDialogsTest, InvertOfTheGravityDesignerClosesOnEnterOnly)
{
    testsupport::RunningAs gravity(Program::Dunstrow);
    DMod->WorkProfTableDiaIn->SetAsFloat(12);
    driver.OnceForm("TInvertIndlg", [](ui::Form& f) {
        DialogDriver::Type(f, "ElevDBNF", "95");
        DialogDriver::Key(f, Qt::Key_Tab);
        EXPECT_TRUE(f.isVisible());
        DialogDriver::Focus(f, "ElevDBNF");
        DialogDriver::Enter(f);
        EXPECT_FALSE(f.isVisible());
    });
    TInvertIndlg dlg(nullptr);
    dlg.ShowModal();
    EXPECT_DOUBLE_EQ(NumAt(500, "InvertElev"), 95.0);
    EXPECT_FALSE(Tul->WasCancelled);
}

// The pipe arriving is read from the node before, whatever node the job
// object read last.
TEST_F(SmallDialogsTest, InvertOfAGatedEndUsesThePipeArrivingFromUpstream)
{
    GoTo(0);
    DMod->WorkProfTableDiaIn->SetAsFloat(8);
    DMod->WorkProfTableWallThick->SetAsFloat(0.3);
    GoTo(500);
    DMod->WorkProfTableNodeType->SetAsInteger(5);
    Tul->DiaIn = Tul->WallThick = 0;
    driver.OnceForm("TInvertIndlg", [](ui::Form& f) {
        DialogDriver::Type(f, "ElevDBNF", "95");
        DialogDriver::Press(f, "OKBtn");
    });
    TInvertIndlg dlg(nullptr);
    dlg.ShowModal();
    EXPECT_DOUBLE_EQ(NumAt(500, "PipeDepth"), 51.7);   // (5 - 8/12 - 0.3/12) * 12
}

// Escape in the invert dialog takes back what was typed in it and nothing
// else: the node dialog's end-node edit of the job header stays, and the
// node dialog is not cancelled with it.
TEST_F(SmallDialogsTest, InvertCancelTakesBackOnlyItsOwnEdit)
{
    DMod->WorkProfTableInvertElev->SetAsFloat(96);
    DMod->WorkProfTablePipeDepth->SetAsFloat(36);
    DMod->WorkPipeTable->Edit();
    DMod->WorkPipeTableOutletElev->SetAsFloat(77);
    DMod->WorkPipeTableNoEnd->SetAsBoolean(false);
    Tul->NewNode = false;
    Tul->Cancelled = false;
    driver.OnceForm("TInvertIndlg", [](ui::Form& f) {
        DialogDriver::Type(f, "ElevDBNF", "90");
        DialogDriver::Focus(f, "OKBtn");
        EXPECT_DOUBLE_EQ(DMod->WorkProfTablePipeDepth->AsFloat(), 108.0);   // (100 - 90 - 1) * 12
        DialogDriver::Escape(f);
    });
    TInvertIndlg dlg(nullptr);
    dlg.ShowModal();
    EXPECT_TRUE(Tul->WasCancelled);
    EXPECT_FALSE(Tul->Cancelled);
    EXPECT_EQ(DMod->WorkPipeTable->State(), db::DataSetState::Edit);
    EXPECT_DOUBLE_EQ(DMod->WorkPipeTableOutletElev->AsFloat(), 77.0);
    EXPECT_FALSE(DMod->WorkPipeTableNoEnd->AsBoolean());
    EXPECT_DOUBLE_EQ(NumAt(500, "InvertElev"), 96.0);
    EXPECT_DOUBLE_EQ(NumAt(500, "PipeDepth"), 36.0);
}

TEST_F(SmallDialogsTest, EntryFieldsRefuseWhatTheirPictureRefuses)
{
    driver.OnceForm("TDepthInDlg", [](ui::Form& f) {
        auto* e = f.Control<QLineEdit>("OvcDbNumericField1");
        DialogDriver::Type(f, "OvcDbNumericField1", "123");   // "##.#" holds two digits before the point
        EXPECT_NE(e->text(), "123");
        DialogDriver::Type(f, "OvcDbNumericField1", "12.34");
        EXPECT_NE(e->text(), "12.34");
        DialogDriver::Press(f, "BitBtn2");
    });
    TDepthInDlg dlg(nullptr);
    dlg.ShowModal();
}

// ---- thrust block -----------------------------------------------------------

TEST_F(SmallDialogsTest, SoilChoiceSetsTheBearingStrengthAndMuckWarns)
{
    driver.OnceForm("TThrustBlkDlg", [](ui::Form& f) {
        DialogDriver::Choose(f, "SoilComboBox", "Muck");
        EXPECT_EQ(f.Control<QLineEdit>("OvcDbNumericField1")->text(), "1");
        DialogDriver::Press(f, "OKBitBtn1");
    });
    TThrustBlkDlg dlg(nullptr);
    dlg.ShowModal();
    EXPECT_DOUBLE_EQ(NumAt(500, "ThBlkSoil"), 1.0);
    EXPECT_EQ(TextAt(500, "Soil"), "Muck");
    ASSERT_EQ(driver.Messages().size(), 1u);
    EXPECT_EQ(driver.Messages()[0].text,
              "Muck Varies - Enter soil bearing strength value based on field investigation.");
    EXPECT_EQ(driver.Messages()[0].type, ui::MsgType::Warning);
}

TEST_F(SmallDialogsTest, TypedStrengthOverridesTheSoilUntilTheSoilIsChosenAgain)
{
    GoTo(500);
    driver.OnceForm("TThrustBlkDlg", [](ui::Form& f) {
        DialogDriver::Choose(f, "SoilComboBox", "Special  (Enter bearing strength)");
        DialogDriver::Type(f, "OvcDbNumericField1", "2500");
        DialogDriver::Choose(f, "DBComboBox1", "45 deg Elbow");
        DialogDriver::Press(f, "OKBitBtn1");
    });
    TThrustBlkDlg dlg(nullptr);
    dlg.ShowModal();
    EXPECT_DOUBLE_EQ(NumAt(500, "ThBlkSoil"), 2500.0);
    EXPECT_EQ(TextAt(500, "Fitting"), "45 deg Elbow");
    EXPECT_EQ(driver.MessageTexts(),
              QStringList{"Enter soil bearing strength value based on field investigation."});

    GoTo(500);
    driver.ClearLog();
    driver.OnceForm("TThrustBlkDlg", [](ui::Form& f) {
        DialogDriver::Choose(f, "SoilComboBox", "Sound shale");
        DialogDriver::Press(f, "OKBitBtn1");   // straight from the soil list
        EXPECT_FALSE(f.isVisible());
    });
    TThrustBlkDlg again(nullptr);
    again.ShowModal();
    EXPECT_DOUBLE_EQ(NumAt(500, "ThBlkSoil"), 10000.0);
    EXPECT_TRUE(driver.Messages().empty());
}

TEST_F(SmallDialogsTest, EveryFittingOfTheListGivesAnAreaToTheRuns)
{
    JHyd hyd;
    QStringList fittings;
    driver.OnceForm("TThrustBlkDlg", [&fittings](ui::Form& f) {
        auto* list = f.Control<QComboBox>("DBComboBox1");
        for (int i = 0; i < list->count(); ++i) fittings << list->itemText(i);
        DialogDriver::Press(f, "CancelBitBtn2");
    });
    GoTo(500);
    TThrustBlkDlg first(nullptr);
    first.ShowModal();
    ASSERT_EQ(fittings.size(), 5);

    for (const QString& fitting : fittings) {
        SCOPED_TRACE(fitting.toStdString());
        GoTo(500);
        driver.OnceForm("TThrustBlkDlg", [fitting](ui::Form& f) {
            DialogDriver::Choose(f, "SoilComboBox", "Medium clay - can be spaded");
            DialogDriver::Choose(f, "DBComboBox1", fitting);
            DialogDriver::Press(f, "OKBitBtn1");
        });
        TThrustBlkDlg dlg(nullptr);
        dlg.ShowModal();
        EXPECT_EQ(TextAt(500, "Fitting"), fitting);
        const double area = hyd.ThrustBlockArea(8, 0);
        if (fitting == "None")
            EXPECT_EQ(area, 0.0);
        else
            EXPECT_GT(area, 0.0);
    }
    // A dead end or tee takes the dead-end coefficients: 1.3023 x 8^1.8337 / 2000.
    EXPECT_NEAR(hyd.ThrustBlockAreaFor("Dead End or Tee", 2000, 8, 0), 1.3023 * std::pow(8, 1.8337) / 2000, 1e-12);
    EXPECT_TRUE(driver.Messages().empty());
}

TEST_F(SmallDialogsTest, BearingStrengthBelowZeroCannotBeTypedAndZeroIsWarnedByStation)
{
    GoTo(500);
    driver.OnceForm("TThrustBlkDlg", [](ui::Form& f) {
        DialogDriver::Choose(f, "DBComboBox1", "90 deg Elbow");
        DialogDriver::Type(f, "OvcDbNumericField1", "-1500");
        EXPECT_NE(f.Control<QLineEdit>("OvcDbNumericField1")->text(), "-1500");
        DialogDriver::Type(f, "OvcDbNumericField1", "0");
        DialogDriver::Press(f, "OKBitBtn1");
    });
    TThrustBlkDlg dlg(nullptr);
    dlg.ShowModal();
    EXPECT_DOUBLE_EQ(NumAt(500, "ThBlkSoil"), 0.0);

    JHyd hyd;
    GoTo(500);
    EXPECT_EQ(hyd.ThrustBlockArea(8, 0), 0.0);
    EXPECT_EQ(driver.MessageTexts(), QStringList{"The soil bearing value at station 5+00 is 0. Enter the soil "
                                                 "bearing value of the thrust block to get its area."});
}

// ---- outlet pressure --------------------------------------------------------

TEST_F(SmallDialogsTest, OutletPressureAndWaterSurfaceFollowEachOther)
{
    job.SetHeader({{"OutletElev", 100}});
    driver.OnceForm("TSetPressure", [](ui::Form& f) {
        DialogDriver::Type(f, "PressureDBNF", "10");
        DialogDriver::Focus(f, "ElevDBNF");
        EXPECT_EQ(f.Control<QLineEdit>("ElevDBNF")->text(), "123.1");
        DialogDriver::Press(f, "OKBitBtn");
    });
    TSetPressure dlg(nullptr);
    dlg.ShowModal();
    EXPECT_DOUBLE_EQ(Header("ReqOutletWS").toDouble(), 123.07);

    // Back the other way: a surface below the outlet gives a negative pressure.
    driver.OnceForm("TSetPressure", [](ui::Form& f) {
        DialogDriver::Type(f, "ElevDBNF", "95");
        DialogDriver::Focus(f, "PressureDBNF");
        DialogDriver::Press(f, "OKBitBtn");
    });
    TSetPressure second(nullptr);
    second.ShowModal();
    EXPECT_DOUBLE_EQ(Header("OutletPsi").toDouble(), -2.17);   // -5 * 0.43344
}

TEST_F(SmallDialogsTest, OutletPressureCancelDiscardsBothValues)
{
    job.SetHeader({{"OutletElev", 100}, {"OutletPsi", 5}, {"ReqOutletWS", 111.54}});
    driver.OnceForm("TSetPressure", [](ui::Form& f) {
        DialogDriver::Type(f, "PressureDBNF", "20");
        DialogDriver::Press(f, "CancelBitBtn");
    });
    TSetPressure dlg(nullptr);
    dlg.ShowModal();
    EXPECT_DOUBLE_EQ(Header("OutletPsi").toDouble(), 5.0);
    EXPECT_DOUBLE_EQ(Header("ReqOutletWS").toDouble(), 111.54);
}

// ---- contraction and enlargement ---------------------------------------------

TEST_F(SmallDialogsTest, NewSmallerPipeClosedUntouchedStoresAGradualContraction)
{
    Tul->NewNode = true;
    Tul->PipePickTarget = 0;
    TContEnlargDlg dlg(nullptr);
    dlg.LossSlot = 2;
    dlg.ContRadGp->setEnabled(true);
    dlg.EnlargRadGp->setEnabled(false);
    dlg.ContRadGp->SetItemIndex(0);
    driver.OnceForm("TContEnlargDlg", [](ui::Form& f) { DialogDriver::Press(f, "OKBitBtn"); });
    dlg.ShowModal();
    EXPECT_DOUBLE_EQ(NumAt(500, "K2"), -2.0);
    EXPECT_EQ(TextAt(500, "KDescription2"), "Contraction, Gradual 45 degree");
    EXPECT_EQ(TextAt(500, "KLocate2"), "NA");
    EXPECT_DOUBLE_EQ(NumAt(500, "Kid2"), 0.0);
    EXPECT_TRUE(TextAt(500, "KDescription1").isEmpty());
}

TEST_F(SmallDialogsTest, ExistingSuddenLossStaysSuddenUnlessTheUserClicks)
{
    job.AddProfRow({{"Station", 900}, {"RecordNo", 3}, {"GroundElev", 98}, {"NodeType", 1}, {"K1", -1.0},
                    {"KLocate1", "NA"}, {"KDescription1", "Contraction, Sudden"}});
    Tul->PipePickTarget = 0;
    GoTo(900);
    {
        TContEnlargDlg dlg(nullptr);
        dlg.LossSlot = 1;
        dlg.ContRadGp->SetItemIndex(0);   // the opener's first-item choice
        dlg.EnlargRadGp->setEnabled(false);
        dlg.ShowModal();
    }
    EXPECT_DOUBLE_EQ(NumAt(900, "K1"), -1.0);
    EXPECT_EQ(TextAt(900, "KDescription1"), "Contraction, Sudden");

    GoTo(900);
    driver.OnceForm("TContEnlargDlg", [](ui::Form& f) {
        DialogDriver::Choose(f, "ContRadGp", "Contraction, Gradual 45 degree");
        DialogDriver::Press(f, "OKBitBtn");
    });
    TContEnlargDlg dlg(nullptr);
    dlg.LossSlot = 1;
    dlg.EnlargRadGp->setEnabled(false);
    dlg.ShowModal();
    EXPECT_DOUBLE_EQ(NumAt(900, "K1"), -2.0);
    EXPECT_EQ(TextAt(900, "KDescription1"), "Contraction, Gradual 45 degree");
}

TEST_F(SmallDialogsTest, SuctionSegmentGetsTheCodesInItsOwnSlots)
{
    testsupport::WorkJob::AddRow(DMod->WorkSuctionTable, {{"SegmentNo", 1}, {"NodeType", 0}, {"DiaIn", 6}});
    testsupport::WorkJob::AddRow(DMod->WorkSuctionTable, {{"SegmentNo", 2}, {"NodeType", 1}, {"DiaIn", 8}});
    Tul->PipePickTarget = 1;
    Tul->SuctionSegmentNo = 2;
    ASSERT_TRUE(Tul->LocateSuctionSegment());
    Tul->NewNode = true;
    TContEnlargDlg dlg(nullptr);
    dlg.LossSlot = 3;
    dlg.ContRadGp->setEnabled(false);
    driver.OnceForm("TContEnlargDlg", [](ui::Form& f) {
        DialogDriver::Choose(f, "EnlargRadGp", "Enlargement, Sudden");
        DialogDriver::Press(f, "OKBitBtn");
    });
    dlg.ShowModal();
    EXPECT_EQ(dlg.SuctionSegment, 2);
    db::Table* s = DMod->WorkSuctionTable;
    s->CheckBrowseMode();
    ASSERT_TRUE(s->Locate("SegmentNo", 2));
    EXPECT_DOUBLE_EQ(DMod->WorkSuctionTableK3->AsFloat(), -3.0);
    EXPECT_EQ(DMod->WorkSuctionTableKDescription3->AsString(), "Enlargement, Sudden");
    EXPECT_EQ(DMod->WorkSuctionTableKLocate3->AsString(), "NA");
    EXPECT_TRUE(TextAt(500, "KDescription3").isEmpty());   // the profile is not touched
}

TEST_F(SmallDialogsTest, TabToOKAndEnterClosesTheDialogFromTheKeyboard)
{
    // A larger pipe chosen for a new reach: the size change opens the dialog.
    Tul->PipePickTarget = 0;
    Tul->NewNode = true;
    Tul->InsertingNode = false;
    Tul->PipeRchPick = false;
    Tul->DiaIn = 9.5;
    bool okFocused = false, closedByEnter = false;
    int result = ui::mrNone;
    driver.OnceForm("TContEnlargDlg", [&](ui::Form& f) {
        auto* ok = f.Control<QPushButton>("OKBitBtn");
        for (int tabs = 0; tabs < 6 && f.focusWidget() != ok; ++tabs) {
            QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
            QApplication::sendEvent(f.focusWidget() ? f.focusWidget() : &f, &tab);
        }
        okFocused = f.focusWidget() == ok;
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
        QApplication::sendEvent(ok, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
        QApplication::sendEvent(ok, &release);
        closedByEnter = !f.isVisible();
        result = f.ModalResult();
    });
    AssignSizeChangeLosses(nullptr);
    ASSERT_EQ(driver.FormsShown(), QStringList{"TContEnlargDlg"});
    EXPECT_TRUE(okFocused);
    EXPECT_TRUE(closedByEnter);
    EXPECT_EQ(result, ui::mrOk);
    EXPECT_DOUBLE_EQ(NumAt(500, "K1"), -4.0);
    EXPECT_EQ(TextAt(500, "KDescription1"), "Enlargement, Gradual 45 degree");
}

} // namespace
