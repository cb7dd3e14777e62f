// The minor-loss selection dialog: K by diameter class, the sides of the
// node, what is stored on OK and what nothing else stores.
#include "support/profiledlg_fixture.h"

#include "dialogs/profile/minor_loss_dialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

namespace {

class GetKMDlgTest : public ProfileDialogTest {
protected:
    void SetUp() override
    {
        ProfileDialogTest::SetUp();
        // Items whose K is the number of their diameter column, so the column shows.
        for (const char* cls : {"LineFitting", "EntranceLoss", "Contrac_Enlarge", "OutletValve", "Special"})
            testsupport::WorkJob::AddRow(DMod->MinorLossTable,
                                         {{"Loss Item Description", QString("Item ") + cls},
                                          {"K2", 2}, {"K3", 3}, {"K4", 4}, {"K5", 5}, {"K6", 6},
                                          {"K7", 7}, {"K8", 8}, {"K10", 10}, {"K12", 12}, {"KFlag", cls}});
        DMod->MinorLossTable->Close();
        AddNode({{"Station", 0}, {"RecordNo", 1}, {"NodeType", 0}, {"DiaIn", 8.0},
                 {"DownStreamPipeDescription", "Eight"}});
        AddNode({{"Station", 500}, {"RecordNo", 2}, {"NodeType", 1}, {"DiaIn", 6.0},
                 {"DownStreamPipeDescription", "Six"}});
        AddNode({{"Station", 900}, {"RecordNo", 3}, {"NodeType", 4}});
        GoTo(500);
        Tul->MinorLossSlot = 2;
    }

    // Double-clicks the item with the given description.
    static void Pick(ui::Form& f, const QString& item)
    {
        ASSERT_TRUE(DMod->MinorLossTable->Locate("Loss Item Description", item));
        static_cast<TGetKMDlg&>(f).DBGrid1DblClick();
    }

    void Run(DialogDriver::FormAction action)
    {
        driver.OnceForm("TGetKMDlg", std::move(action));
        TGetKMDlg dlg(nullptr);
        dlg.ShowModal();
    }
};

TEST_F(GetKMDlgTest, KComesFromTheColumnOfTheDiameterClass)
{
    EXPECT_EQ(TGetKMDlg::MinorLossKColumn(0.0), "K2");
    EXPECT_EQ(TGetKMDlg::MinorLossKColumn(2.49), "K2");
    EXPECT_EQ(TGetKMDlg::MinorLossKColumn(2.5), "K3");
    EXPECT_EQ(TGetKMDlg::MinorLossKColumn(7.5), "K8");
    EXPECT_EQ(TGetKMDlg::MinorLossKColumn(8.99), "K8");
    EXPECT_EQ(TGetKMDlg::MinorLossKColumn(9.0), "K10");
    EXPECT_EQ(TGetKMDlg::MinorLossKColumn(10.99), "K10");
    EXPECT_EQ(TGetKMDlg::MinorLossKColumn(11.0), "K12");
    EXPECT_EQ(TGetKMDlg::MinorLossKColumn(48.0), "K12");
    Run([](ui::Form& f) {
        auto& d = static_cast<TGetKMDlg&>(f);
        ASSERT_TRUE(DMod->MinorLossTable->Locate("Loss Item Description", "Item LineFitting"));
        EXPECT_DOUBLE_EQ(d.MinorLossKForDiameter(2.5), 3.0);
        EXPECT_DOUBLE_EQ(d.MinorLossKForDiameter(9.0), 10.0);
        EXPECT_DOUBLE_EQ(d.MinorLossKForDiameter(11.0), 12.0);
        EXPECT_DOUBLE_EQ(d.MinorLossKForDiameter(0.0), 2.0);
        DialogDriver::Press(f, "CancelBitBtn2");
    });
}

TEST_F(GetKMDlgTest, LineFittingDefaultsDownstreamAndOKStoresTheSlot)
{
    Run([](ui::Form& f) {
        EXPECT_EQ(f.Control<QLabel>("DoubleClickLbl")->text(), "DOUBLE CLICK to select new type of Minor Loss");
        Pick(f, "Item LineFitting");
        EXPECT_TRUE(f.Control<QRadioButton>("DSRadioBtn2")->isChecked());
        EXPECT_EQ(f.Control<QLabel>("USoutLbl")->text(), "8");
        EXPECT_EQ(f.Control<QLabel>("USPipeDesLbl")->text(), "Eight");
        EXPECT_EQ(f.Control<QLabel>("DSOutLbl")->text(), "6");
        EXPECT_EQ(f.Control<QLabel>("KFacLbl")->text(), "6");
        EXPECT_EQ(f.Control<QLabel>("DoubleClickLbl")->text(), "Select or Edit diameter or click OK");
        DialogDriver::Press(f, "OKBitBtn1");
    });
    EXPECT_DOUBLE_EQ(NumAt(500, "K2"), 6.0);
    EXPECT_DOUBLE_EQ(NumAt(500, "Kid2"), 6.0);
    EXPECT_EQ(TextAt(500, "KLocate2"), "DS");
    EXPECT_EQ(TextAt(500, "KFlag2"), "LineFitting");
    EXPECT_EQ(TextAt(500, "KDescription2"), "Item LineFitting");
    EXPECT_TRUE(TextAt(500, "KDescription1").isEmpty());

    // The upstream side takes the upstream reach's diameter class.
    GoTo(500);
    Run([](ui::Form& f) {
        DialogDriver::Check(f, "USRadioButton1", true);
        EXPECT_EQ(f.Control<QLabel>("KFacLbl")->text(), "8");
        DialogDriver::Press(f, "OKBitBtn1");
    });
    EXPECT_DOUBLE_EQ(NumAt(500, "K2"), 8.0);
    EXPECT_DOUBLE_EQ(NumAt(500, "Kid2"), 8.0);
    EXPECT_EQ(TextAt(500, "KLocate2"), "US");
}

TEST_F(GetKMDlgTest, CancelEscapeAndTheCloseBoxStoreNothing)
{
    AddNode({{"Station", 700}, {"RecordNo", 3}, {"NodeType", 1}, {"DiaIn", 6.0}, {"K2", 0.5}, {"Kid2", 6.0},
             {"KLocate2", "DS"}, {"KFlag2", "LineFitting"}, {"KDescription2", "Item LineFitting"}});
    const std::vector<std::function<void(ui::Form&)>> leaves = {
        [](ui::Form& f) { DialogDriver::Press(f, "CancelBitBtn2"); },
        [](ui::Form& f) { DialogDriver::Escape(f); },
        [](ui::Form& f) { DialogDriver::CloseBox(f); },
    };
    for (const auto& leave : leaves) {
        GoTo(700);
        Run([&](ui::Form& f) {
            Pick(f, "Item OutletValve");
            DialogDriver::Check(f, "USRadioButton1", true);
            leave(f);
        });
        EXPECT_DOUBLE_EQ(NumAt(700, "K2"), 0.5);
        EXPECT_EQ(TextAt(700, "KLocate2"), "DS");
        EXPECT_EQ(TextAt(700, "KDescription2"), "Item LineFitting");
        EXPECT_FALSE(DMod->MinorLossTable->Active());
        EXPECT_TRUE(driver.Messages().empty()) << driver.MessageTexts().join("; ").toStdString();
    }
}

TEST_F(GetKMDlgTest, ReopeningShowsTheStoredSideAndSpecialDiameter)
{
    DMod->WorkProfTableK2->SetAsFloat(8);
    DMod->WorkProfTableKid2->SetAsFloat(8);
    DMod->WorkProfTableKLocate2->SetAsString("US");
    DMod->WorkProfTableKFlag2->SetAsString("LineFitting");
    DMod->WorkProfTableKDescription2->SetAsString("Item LineFitting");
    Run([](ui::Form& f) {
        EXPECT_TRUE(f.Control<QRadioButton>("USRadioButton1")->isChecked());
        EXPECT_EQ(f.Control<QLabel>("KFacLbl")->text(), "8");
        DialogDriver::Press(f, "OKBitBtn1");
    });
    EXPECT_EQ(TextAt(500, "KLocate2"), "US");
    EXPECT_DOUBLE_EQ(NumAt(500, "K2"), 8.0);

    GoTo(500);
    DMod->WorkProfTableKid2->SetAsFloat(3.0);
    DMod->WorkProfTableKLocate2->SetAsString("SP");
    Run([](ui::Form& f) {
        EXPECT_TRUE(f.Control<QRadioButton>("SPRadioButton3")->isChecked());
        EXPECT_EQ(f.Control<QLineEdit>("IDNF")->text(), "3.000");
        EXPECT_EQ(f.Control<QLabel>("KFacLbl")->text(), "3");
        DialogDriver::Press(f, "OKBitBtn1");
    });
    EXPECT_EQ(TextAt(500, "KLocate2"), "SP");
    EXPECT_DOUBLE_EQ(NumAt(500, "Kid2"), 3.0);
    EXPECT_DOUBLE_EQ(NumAt(500, "K2"), 3.0);
}

TEST_F(GetKMDlgTest, EntranceLossItemsAreEntranceLosses)
{
    Run([](ui::Form& f) {
        Pick(f, "Item EntranceLoss");
        EXPECT_FALSE(f.Control<QRadioButton>("USRadioButton1")->isEnabled());
        EXPECT_FALSE(f.Control<QLabel>("USoutLbl")->isVisible());
        EXPECT_TRUE(f.Control<QRadioButton>("DSRadioBtn2")->isChecked());
        EXPECT_FALSE(f.Control<QLineEdit>("IDNF")->isEnabled());
        DialogDriver::Press(f, "OKBitBtn1");
    });
    EXPECT_EQ(TextAt(500, "KLocate2"), "DS");
    EXPECT_DOUBLE_EQ(NumAt(500, "K2"), 6.0);
    EXPECT_EQ(TextAt(500, "KFlag2"), "EntranceLoss");
}

TEST_F(GetKMDlgTest, SizeChangeItemTakesNoSideAndTheSmallestClass)
{
    Run([](ui::Form& f) {
        Pick(f, "Item Contrac_Enlarge");
        EXPECT_FALSE(f.Control<QRadioButton>("USRadioButton1")->isEnabled());
        EXPECT_FALSE(f.Control<QRadioButton>("DSRadioBtn2")->isEnabled());
        EXPECT_FALSE(f.Control<QRadioButton>("SPRadioButton3")->isEnabled());
        DialogDriver::Press(f, "OKBitBtn1");
    });
    EXPECT_EQ(TextAt(500, "KLocate2"), "NA");
    EXPECT_DOUBLE_EQ(NumAt(500, "K2"), 2.0);
}

TEST_F(GetKMDlgTest, DeleteCurrentThenOKLeavesTheSlotEmpty)
{
    DMod->WorkProfTableK2->SetAsFloat(0.5);
    DMod->WorkProfTableKid2->SetAsFloat(6);
    DMod->WorkProfTableKLocate2->SetAsString("DS");
    DMod->WorkProfTableKDescription2->SetAsString("Item LineFitting");
    Run([](ui::Form& f) {
        DialogDriver::Press(f, "DeleteExitBtn");
        EXPECT_FALSE(f.Control<QWidget>("GroupBox1")->isVisible());
        DialogDriver::Press(f, "OKBitBtn1");
    });
    EXPECT_TRUE(TextAt(500, "KDescription2").isEmpty());
    EXPECT_TRUE(TextAt(500, "KLocate2").isEmpty());
    EXPECT_DOUBLE_EQ(NumAt(500, "K2"), 0.0);
    EXPECT_TRUE(At(500, "Kid2").isNull());
}

TEST_F(GetKMDlgTest, SpecialItemStoresWhatTheUserTypesAndGetsItBack)
{
    Run([](ui::Form& f) {
        Pick(f, "Item Special");
        EXPECT_TRUE(f.Control<QWidget>("SpecialKGpBox")->isVisible());
        DialogDriver::Type(f, "KmNF", "1.25");
        DialogDriver::Type(f, "DescSF", "Flow meter");
        DialogDriver::Press(f, "OKBitBtn1");
    });
    EXPECT_DOUBLE_EQ(NumAt(500, "K2"), 1.25);
    EXPECT_EQ(TextAt(500, "KDescription2"), "Flow meter");
    EXPECT_EQ(TextAt(500, "KFlag2"), "Special");

    GoTo(500);
    Run([](ui::Form& f) {
        EXPECT_EQ(f.Control<QLineEdit>("KmNF")->text(), "1.250");
        EXPECT_EQ(f.Control<QLineEdit>("DescSF")->text(), "Flow meter");
        DialogDriver::Press(f, "OKBitBtn1");
    });
    EXPECT_DOUBLE_EQ(NumAt(500, "K2"), 1.25);
    EXPECT_EQ(TextAt(500, "KDescription2"), "Flow meter");
}

TEST_F(GetKMDlgTest, GatedPipeLossUsesTheGatedDiameter)
{
    testsupport::WorkJob::AddRow(DMod->WorkGatedTable, {{"DiaIn", 10.0}, {"PipeDescription", "Gated 10"}});
    Tul->GatedLossPick = true;
    Tul->MinorLossSlot = 1;
    Run([](ui::Form& f) {
        Pick(f, "Item OutletValve");
        EXPECT_EQ(f.Control<QLabel>("DSPipeDesLbl")->text(), "Gated 10");
        DialogDriver::Press(f, "OKBitBtn1");
    });
    EXPECT_FALSE(Tul->GatedLossPick);
    db::Table* g = DMod->WorkGatedTable;
    g->CheckBrowseMode();
    g->First();
    EXPECT_DOUBLE_EQ(DMod->WorkGatedTableK1->AsFloat(), 10.0);
    EXPECT_DOUBLE_EQ(DMod->WorkGatedTableKid1->AsFloat(), 10.0);
    EXPECT_EQ(DMod->WorkGatedTableKDescription1->AsString(), "Item OutletValve");
    EXPECT_TRUE(TextAt(500, "KDescription1").isEmpty());
}

} // namespace
