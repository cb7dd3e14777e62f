// The pipe selection dialog and the copies of the chosen pipe: the diameter
// range from the velocities, the cursor velocity, the outcome by the way the
// dialog closes, and the size-change losses a new size brings.
#include "support/profiledlg_fixture.h"

#include "dialogs/profile/pipe_selection_dialog.h"
#include "engine/hydraulics.h"
#include "model/number_text.h"
#include "platform/ui/dbgrid.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>

#include <cmath>

namespace {

class GetPipeDlgTest : public ProfileDialogTest {
protected:
    void SetUp() override
    {
        ProfileDialogTest::SetUp();
        testsupport::WorkJob::AddRow(DMod->TypeTable, {{"PipeType", "Test PVC"}, {"Cfactor", 150}, {"Nfactor", 0.009},
                                                       {"Efactor", 0.000005}, {"EModulus", 400000}, {"MaxVel", 5}});
        const int ptype = DMod->TypeTablePType->AsInteger();   // numbered by the table
        for (double d : {4.0, 6.0, 8.0, 10.0, 12.0})
            testsupport::WorkJob::AddRow(
                DMod->PipeTable, {{"PSize", int(d * 100)}, {"Pipe Type", "Test PVC"}, {"Pipe Description", Name(d)},
                                  {"ID (in)", d}, {"PType", ptype}, {"Press Rtng (psi)", 160}, {"NomDiam", d},
                                  {"Rating", 26}, {"Wall Thick (in)", d / 26}, {"WtPerFt", d}, {"Modulus", 400000}});
        DMod->TypeTable->Close();
        DMod->PipeTable->Close();
        SetVelocities(2, 5, 3.5);
        AddNode({{"Station", 0}, {"RecordNo", 1}, {"NodeType", 0}, {"PipeQ", 500}, {"DiaIn", 8.0},
                 {"PipeType", "Test PVC"}, {"DownStreamPipeDescription", Name(8)}});
        AddNode({{"Station", 500}, {"RecordNo", 2}, {"NodeType", 1}, {"PipeQ", 500}, {"GroundElev", 100},
                 {"PipeType", "Test PVC"}, {"InvElMethod", 0}, {"PipeDepth", 36}});
        GoTo(500);
        Tul->NewNode = true;
        Tul->NodeChoice = 1;
        Tul->PipePickTarget = 0;
        Tul->DownStreamPipeDescription.clear();
        Tul->PipeType.clear();
    }

    static QString Name(double d) { return QStringLiteral("Test PVC %1 in").arg(d); }

    static void SetVelocities(double low, double high, double cursor)
    {
        db::Table* t = DMod->DefLocTable;
        t->Edit();
        DMod->DefLocTableLowVel->SetAsFloat(low);
        DMod->DefLocTableHighVel->SetAsFloat(high);
        DMod->DefLocTableCursorVel->SetAsFloat(cursor);
        t->Post();
    }

    static QStringList Listed(ui::Form& f)
    {
        QStringList out;
        ui::DBGrid* g = ui::DBGrid::Of(f.Control<QTableView>("PipeDescriptionGrid"));
        for (int r = 0; r < g->RowCount(); ++r)
            out << g->CellText(r, 0);
        return out;
    }

    // Clicks the listed pipe of the given diameter.
    static void Click(ui::Form& f, double d)
    {
        ui::DBGrid* g = ui::DBGrid::Of(f.Control<QTableView>("PipeDescriptionGrid"));
        for (int r = 0; r < g->RowCount(); ++r) {
            if (g->CellText(r, 0) == Name(d)) {
                g->SelectRow(r);
                static_cast<TGetPipeDlg&>(f).PipeDescriptionGridMouseUp();
                return;
            }
        }
        ADD_FAILURE() << d << " in is not listed";
    }

    static QString Selected(ui::Form& f) { return DMod->PipeTablePipeDescription->AsString(); }

    void Run(DialogDriver::FormAction action)
    {
        driver.OnceForm("TGetPipeDlg", std::move(action));
        TGetPipeDlg dlg(nullptr);
        dlg.ShowModal();
    }
};

TEST_F(GetPipeDlgTest, RangeComesFromTheVelocitiesAndTheCursorFromTheCursorVelocity)
{
    EXPECT_NEAR(DiameterForVelocity(500, 2), 10.1060, 1e-4);
    EXPECT_NEAR(DiameterForVelocity(500, 5), 6.3916, 1e-4);
    // Four times the flow doubles both bounds.
    EXPECT_NEAR(DiameterForVelocity(2000, 2), 2 * DiameterForVelocity(500, 2), 1e-9);
    Run([](ui::Form& f) {
        EXPECT_EQ(f.Control<QLineEdit>("LowNF")->text(), "6.39");
        EXPECT_EQ(f.Control<QLineEdit>("HighNF")->text(), "10.11");
        EXPECT_DOUBLE_EQ(DMod->FilterLow, 6.39);
        EXPECT_DOUBLE_EQ(DMod->FilterHigh, 10.11);
        EXPECT_EQ(Listed(f), (QStringList{Name(8), Name(10)}));
        EXPECT_EQ(Selected(f), Name(8));   // 3.19 ft/s, the smallest at or below 3.5
        EXPECT_EQ(f.Control<QLabel>("SelectedPipeLbl")->text(), Name(8));
        DialogDriver::Press(f, "ShowAllBtn");
        EXPECT_EQ(Listed(f).size(), 5);
        ui::DBGrid* g = ui::DBGrid::Of(f.Control<QTableView>("PipeDescriptionGrid"));
        EXPECT_EQ(g->CellText(1, 1), "6");
        EXPECT_EQ(g->CellText(1, 2), "5.67");   // the velocity of 500 gpm in 6.0 in
        // Hazen-Williams with the material's C 150, per 100 ft.
        EXPECT_EQ(g->CellText(1, 3), FixedText(Hyd->HazenWilliamsLoss(6.0, 500, 150, 100), 6, 2));
        DialogDriver::Press(f, "OKBitBtn1");
    });
    EXPECT_DOUBLE_EQ(NumAt(500, "DiaIn"), 8.0);
    EXPECT_EQ(TextAt(500, "DownStreamPipeDescription"), Name(8));
    EXPECT_EQ(TextAt(500, "PipeType"), "Test PVC");
    EXPECT_DOUBLE_EQ(NumAt(500, "Cfac"), 150.0);
    EXPECT_DOUBLE_EQ(NumAt(500, "PressurRating"), 160.0);
    EXPECT_DOUBLE_EQ(NumAt(500, "MaxVel"), 5.0);
    // The depth method: the invert follows the new pipe, 100 - (36 + 8/26 + 8) / 12.
    EXPECT_DOUBLE_EQ(NumAt(500, "InvertElev"), 96.31);
    EXPECT_TRUE(TextAt(500, "KDescription1").isEmpty());   // same size as upstream: no loss
    EXPECT_FALSE(Tul->WasCancelled);
    EXPECT_EQ(DMod->PipeFilterMode, 6);
    EXPECT_FALSE(DMod->TypeTable->Active());

    // A suction segment's sizes are headed by the segment's own flow.
    testsupport::WorkJob::AddRow(DMod->WorkSuctionTable, {{"SegmentNo", 1}, {"NodeType", 0}, {"PipeQ", 2000}});
    Tul->PipePickTarget = 1;
    Tul->SuctionSegmentNo = 1;
    Run([](ui::Form& f) {
        EXPECT_EQ(f.Control<QLabel>("PipeQTxt")->text(), "2000");
        EXPECT_EQ(f.Control<QLineEdit>("LowNF")->text(), "12.78");
        DialogDriver::Press(f, "CancelBitBtn2");
    });
}

TEST_F(GetPipeDlgTest, NewSmallerPipeRecordsAGradualContraction)
{
    Run([](ui::Form& f) {
        DialogDriver::Press(f, "ShowAllBtn");
        Click(f, 8.0);
        // Up one by the arrow key: the heading names the pipe OK takes.
        DialogDriver::Focus(f, "PipeDescriptionGrid");
        DialogDriver::Key(f, Qt::Key_Up);
        EXPECT_EQ(Selected(f), Name(6));
        EXPECT_EQ(f.Control<QLabel>("SelectedPipeLbl")->text(), Name(6));
        DialogDriver::Press(f, "OKBitBtn1");
    });
    EXPECT_EQ(driver.FormsShown(), (QStringList{"TGetPipeDlg", "TContEnlargDlg"}));
    EXPECT_DOUBLE_EQ(NumAt(500, "DiaIn"), 6.0);
    EXPECT_DOUBLE_EQ(NumAt(500, "K1"), -2.0);
    EXPECT_EQ(TextAt(500, "KDescription1"), "Contraction, Gradual 45 degree");
    EXPECT_EQ(TextAt(500, "KLocate1"), "NA");
}

TEST_F(GetPipeDlgTest, CancelCopiesNothingAndTheCloseBoxCopiesLikeOK)
{
    Run([](ui::Form& f) {
        Click(f, 10.0);
        DialogDriver::Press(f, "CancelBitBtn2");
    });
    EXPECT_TRUE(Tul->WasCancelled);
    EXPECT_TRUE(At(500, "DiaIn").isNull());

    GoTo(500);
    Tul->Cancelled = false;
    Run([](ui::Form& f) {
        Click(f, 10.0);
        DialogDriver::CloseBox(f);
    });
    EXPECT_FALSE(Tul->WasCancelled);
    EXPECT_DOUBLE_EQ(NumAt(500, "DiaIn"), 10.0);
    EXPECT_DOUBLE_EQ(NumAt(500, "K1"), -4.0);   // larger than the 8 in upstream
}

TEST_F(GetPipeDlgTest, VelocityBoundOfZeroOpensThatSideOfTheRange)
{
    SetVelocities(0, 0, 3.5);
    Run([](ui::Form& f) {
        EXPECT_EQ(f.Control<QLineEdit>("HighNF")->text(), "60.00");
        EXPECT_EQ(f.Control<QLineEdit>("LowNF")->text(), "0.50");
        EXPECT_EQ(Listed(f).size(), 5);
        DialogDriver::Press(f, "CancelBitBtn2");
    });
    SetVelocities(2, 0, 3.5);
    Run([](ui::Form& f) {
        EXPECT_EQ(f.Control<QLineEdit>("HighNF")->text(), "10.11");
        EXPECT_EQ(f.Control<QLineEdit>("LowNF")->text(), "0.50");
        DialogDriver::Press(f, "CancelBitBtn2");
    });
}

TEST_F(GetPipeDlgTest, CursorRestsOnTheSmallestSlowPipeOrTheLargest)
{
    SetVelocities(0, 0, 20);   // every pipe is slow enough
    Run([](ui::Form& f) {
        EXPECT_EQ(Selected(f), Name(4));
        DialogDriver::Press(f, "CancelBitBtn2");
    });
    SetVelocities(0, 0, 0.5);   // none is, but the same material again returns to the pipe last shown
    Run([](ui::Form& f) {
        EXPECT_EQ(Selected(f), Name(4));
        DialogDriver::Press(f, "CancelBitBtn2");
    });
    Tul->DownStreamPipeDescription.clear();
    Run([](ui::Form& f) {
        EXPECT_EQ(Selected(f), Name(12));
        DialogDriver::Press(f, "CancelBitBtn2");
    });
}

TEST_F(GetPipeDlgTest, EditingWidensTheListAndCopiesTheRecordedPipeAtOnce)
{
    Tul->NewNode = false;
    Tul->ReachPipePick = true;   // opened from the reach dialog's pipe button
    DMod->WorkProfTableDiaIn->SetAsFloat(12.0);
    DMod->WorkProfTableDownStreamPipeDescription->SetAsString(Name(12));
    DMod->WorkProfTablePressurRating->SetAsFloat(0);
    Run([](ui::Form& f) {
        EXPECT_EQ(f.Control<QLineEdit>("HighNF")->text(), "10.11");
        EXPECT_DOUBLE_EQ(DMod->FilterHigh, 15.11);
        EXPECT_DOUBLE_EQ(DMod->FilterLow, 0.5);
        EXPECT_EQ(Listed(f).size(), 5);
        EXPECT_EQ(Selected(f), Name(12));
        EXPECT_DOUBLE_EQ(DMod->WorkProfTablePressurRating->AsFloat(), 160.0);   // copied at show
        DialogDriver::Press(f, "OKBitBtn1");
    });
    EXPECT_DOUBLE_EQ(NumAt(500, "DiaIn"), 12.0);
    EXPECT_FALSE(Tul->ReachPipePick);
    EXPECT_TRUE(TextAt(500, "KDescription1").isEmpty());   // no size change asked at show
    EXPECT_TRUE(driver.Messages().empty());

    GoTo(500);
    DMod->WorkProfTableDownStreamPipeDescription->SetAsString("Gone 14 in");
    Run([](ui::Form& f) { DialogDriver::Press(f, "CancelBitBtn2"); });
    EXPECT_EQ(driver.MessageTexts(), QStringList{"Can't find the recorded pipe description"});
}

TEST_F(GetPipeDlgTest, GatedEndListsTheSizesThatSuitTheArrivingFlowAndFillsTheGatedRowAndTheReach)
{
    // A gated end's first pick: the gated row has neither flow nor material
    // yet; the reach arriving brings 500 gpm and the defaults the material.
    Run([](ui::Form& f) { DialogDriver::Press(f, "OKBitBtn1"); });   // a reach of the material first
    testsupport::WorkJob::AddRow(DMod->WorkGatedTable, {{"StartSta", 500}});
    db::Table* defaults = DMod->DefLocTable;
    defaults->Edit();
    DMod->DefLocTableGatedPipeType->SetAsString("Test PVC");
    defaults->Post();
    GoTo(500);
    DMod->WorkProfTableNodeType->SetAsInteger(5);
    Tul->PipePickTarget = 3;
    Tul->NodeChoice = 5;
    Run([](ui::Form& f) {
        EXPECT_EQ(f.Control<QComboBox>("PTypeDBLookupComboBox")->currentText(), "Test PVC");
        EXPECT_EQ(f.Control<QLineEdit>("LowNF")->text(), "6.39");   // 5 ft/s at 500 gpm
        EXPECT_EQ(f.Control<QLineEdit>("HighNF")->text(), "10.11");   // 2 ft/s
        EXPECT_EQ(Listed(f), (QStringList{Name(8), Name(10)}));
        ui::DBGrid* g = ui::DBGrid::Of(f.Control<QTableView>("PipeDescriptionGrid"));
        EXPECT_EQ(g->CellText(0, 2), "3.19");
        EXPECT_EQ(g->CellText(0, 3), FixedText(Hyd->HazenWilliamsLoss(8.0, 500, 150, 100), 6, 2));
        DialogDriver::Press(f, "ShowAllBtn");
        Click(f, 6.0);
        DialogDriver::Press(f, "OKBitBtn1");
    });
    db::Table* g = DMod->WorkGatedTable;
    g->CheckBrowseMode();
    g->First();
    EXPECT_DOUBLE_EQ(DMod->WorkGatedTableDiaIn->AsFloat(), 6.0);
    EXPECT_EQ(DMod->WorkGatedTablePipeDescription->AsString(), Name(6));
    EXPECT_DOUBLE_EQ(DMod->WorkGatedTablePressureRating->AsFloat(), 160.0);
    EXPECT_DOUBLE_EQ(DMod->WorkGatedTablePipeQ->AsFloat(), 500.0);
    EXPECT_EQ(DMod->WorkGatedTablePipeType->AsString(), "Test PVC");
    EXPECT_DOUBLE_EQ(NumAt(500, "DiaIn"), 6.0);
    EXPECT_TRUE(TextAt(500, "KDescription1").isEmpty());   // a gated end takes no size change

    // The next ordinary reach, given no material yet: its pick names the
    // reaches' material and lists its sizes, not an empty box over the list
    // of whatever material the type table opens on. Cancel leaves it unset.
    GoTo(500);
    DMod->WorkProfTable->Edit();
    DMod->WorkProfTablePipeType->SetAsString(QString());
    DMod->WorkProfTable->Post();
    Tul->PipePickTarget = 0;
    Tul->NodeChoice = 1;
    Run([](ui::Form& f) {
        EXPECT_EQ(f.Control<QComboBox>("PTypeDBLookupComboBox")->currentText(), "Test PVC");
        EXPECT_EQ(Listed(f), (QStringList{Name(8), Name(10)}));
        DialogDriver::Press(f, "CancelBitBtn2");
    });
    EXPECT_TRUE(TextAt(500, "PipeType").isEmpty());
}

} // namespace
