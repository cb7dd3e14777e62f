// Size-change losses at the node whose reach changes size, and at the
// downstream node during an insert or a pipe pick from the reach dialog.
#include "support/profiledlg_fixture.h"

#include "dialogs/profile/size_change_losses.h"
#include "platform/ui/radiogroup.h"

namespace {

class SizeChangeTest : public ProfileDialogTest {
protected:
    void SetUp() override
    {
        ProfileDialogTest::SetUp();
        AddNode({{"Station", 0}, {"RecordNo", 1}, {"NodeType", 0}, {"DiaIn", 10.0}});
        AddNode({{"Station", 500}, {"RecordNo", 2}, {"NodeType", 1}, {"DiaIn", 8.0}});
        AddNode({{"Station", 900}, {"RecordNo", 3}, {"NodeType", 1}, {"DiaIn", 8.0}});
        Tul->PipePickTarget = 0;
        Tul->DiaIn = 10.0;   // the reach upstream of station 500
        GoTo(500);
    }

    static void SetSlot(int n, double k, const QString& locate, const QString& text)
    {
        const QString s = QString::number(n);
        DMod->WorkProfTable->FieldByName("K" + s)->SetAsFloat(k);
        DMod->WorkProfTable->FieldByName("KLocate" + s)->SetAsString(locate);
        DMod->WorkProfTable->FieldByName("KDescription" + s)->SetAsString(text);
    }
};

TEST_F(SizeChangeTest, OrdinaryLossInSlotOneSendsTheContractionToSlotTwoWithNoItemChosen)
{
    SetSlot(1, 0.5, "US", "Gate valve, fully open");
    driver.OnceForm("TContEnlargDlg", [](ui::Form& f) {
        auto* cont = f.Control<ui::RadioGroup>("ContRadGp");
        EXPECT_TRUE(cont->isEnabled());
        EXPECT_FALSE(f.Control<ui::RadioGroup>("EnlargRadGp")->isEnabled());
        EXPECT_EQ(cont->ItemIndex(), -1);
        DialogDriver::Press(f, "OKBitBtn");
    });
    AssignSizeChangeLosses(nullptr);
    EXPECT_DOUBLE_EQ(NumAt(500, "K1"), 0.5);
    EXPECT_DOUBLE_EQ(NumAt(500, "K2"), -2.0);
    EXPECT_EQ(TextAt(500, "KDescription2"), "Contraction, Gradual 45 degree");
}

TEST_F(SizeChangeTest, ThreeOrdinaryLossesLoseTheThirdToTheSizeChange)
{
    SetSlot(1, 0.5, "US", "A");
    SetSlot(2, 0.3, "DS", "B");
    SetSlot(3, 0.2, "DS", "C");
    DMod->WorkProfTableDiaIn->SetAsFloat(12.0);   // larger than upstream
    AssignSizeChangeLosses(nullptr);
    EXPECT_EQ(TextAt(500, "KDescription2"), "B");
    EXPECT_DOUBLE_EQ(NumAt(500, "K3"), -4.0);
    EXPECT_EQ(TextAt(500, "KDescription3"), "Enlargement, Gradual 45 degree");
    EXPECT_EQ(TextAt(500, "KLocate3"), "NA");
}

TEST_F(SizeChangeTest, InsertingAPipeOfTheInsertPointsSizeRemovesItsSizeChangeLoss)
{
    GoTo(900);
    SetSlot(1, -2.0, "NA", "Contraction, Gradual 45 degree");
    GoTo(500);
    Tul->NewNode = true;
    Tul->InsertingNode = true;
    Tul->InsertPointStation = 900;
    Tul->InsertPointDiaIn = 8.0;
    driver.OnForm("TContEnlargDlg", [](ui::Form& f) { DialogDriver::Press(f, "OKBitBtn"); });
    AssignSizeChangeLosses(nullptr);
    EXPECT_DOUBLE_EQ(NumAt(900, "K1"), 0.0);
    EXPECT_TRUE(TextAt(900, "KDescription1").isEmpty());
    EXPECT_DOUBLE_EQ(NumAt(500, "K1"), -2.0);   // the node itself got its contraction
    EXPECT_DOUBLE_EQ(DMod->WorkProfTableStation->AsFloat(), 500.0);   // back on the node
}

TEST_F(SizeChangeTest, DownstreamLossFollowsTheNewSize)
{
    Tul->InsertPointStation = 900;
    Tul->InsertPointDiaIn = 8.0;
    // A 12 in pipe now runs into the 8 in reach: an enlargement there becomes a contraction.
    GoTo(900);
    SetSlot(1, 0.5, "US", "A");
    SetSlot(2, -3.0, "NA", "Enlargement, Sudden");
    AdjustDownstreamSizeChange(12.0);
    EXPECT_DOUBLE_EQ(NumAt(900, "K1"), 0.5);
    EXPECT_DOUBLE_EQ(NumAt(900, "K2"), -1.0);
    EXPECT_EQ(TextAt(900, "KDescription2"), "Contraction, Sudden");

    // A contraction already there stays as it is.
    GoTo(900);
    SetSlot(2, -2.0, "NA", "Contraction, Gradual 45 degree");
    SetSlot(3, 0.0, "", "");
    AdjustDownstreamSizeChange(12.0);
    EXPECT_DOUBLE_EQ(NumAt(900, "K2"), -2.0);
    EXPECT_DOUBLE_EQ(NumAt(900, "K3"), 0.0);

    // Only ordinary losses: the first free slot takes it; a 6 in pipe enlarges into 8 in.
    GoTo(900);
    SetSlot(2, 0.3, "DS", "B");
    AdjustDownstreamSizeChange(6.0);
    EXPECT_DOUBLE_EQ(NumAt(900, "K3"), -4.0);
    EXPECT_EQ(TextAt(900, "KDescription3"), "Enlargement, Gradual 45 degree");
    EXPECT_EQ(TextAt(900, "KDescription2"), "B");
}

} // namespace
