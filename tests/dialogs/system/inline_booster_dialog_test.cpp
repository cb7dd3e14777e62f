// The in-line booster node's pump: defaults for a new job, once, the stored
// values of a loaded one, and the set pressure kept on the node's row.
#include "support/jobwindow.h"

#include "dialogs/system/inline_booster_dialog.h"

#include <QLineEdit>

namespace {

using testsupport::JobWindowTest;

class InlineBoosterTest : public JobWindowTest {
protected:
    void SetUp() override
    {
        JobWindowTest::SetUp();
        setDefaults({{"PumpEff", 70.0}, {"ClearHead", 3.0}});
    }
    // A new job whose booster node stands at 500 ft on ground at 180 ft.
    void newJobWithBoosterNode(double outletPsi)
    {
        newNamedJob("Smith");
        db::Table* pipe = DMod->WorkPipeTable;
        pipe->Edit();
        DMod->WorkPipeTableOutletElev->SetAsFloat(250.0);
        if (outletPsi > 0) {
            DMod->WorkPipeTableOutletPsi->SetAsFloat(outletPsi);
            DMod->WorkPipeTableReqOutletWS->SetAsFloat(261.54);
        }
        pipe->Post();
        addRow(DMod->WorkProfTable, {{"Station", 0.0}, {"GroundElev", 200.0}});
        addRow(DMod->WorkProfTable, {{"Station", 500.0}, {"GroundElev", 180.0}, {"NodeType", 2}});
        Tul->NewStation = 500.0;
    }
    void openBooster() { form->OpenNodeKindDialog(form, QStringLiteral("Booster")); }
    static double header(const char* field) { return DMod->WorkPipeTable->FieldByName(field)->AsFloat(); }
    static double psiSet()
    {
        Tul->LocateProfStation();
        return DMod->WorkProfTablePsiSet->AsFloat();
    }
};

TEST_F(InlineBoosterTest, NewJobWithoutOutletPressureGetsOnePsiAndTheComputedSetPressure)
{
    newJobWithBoosterNode(0.0);
    driver.OnceForm("TPumpLineBoosterDlg", [](ui::Form& d) {
        EXPECT_EQ(d.Caption(), "In-Line Booster Pump Data");
        EXPECT_EQ(d.Control<QLineEdit>("SetPresDBNF")->text(), "-1.0");
        EXPECT_EQ(d.Control<QLineEdit>("OvcDbNumericField3")->text(), "180.0");
        DialogDriver::Press(d, "OKBitBtn1");
    });
    openBooster();
    EXPECT_FALSE(Tul->WasCancelled);
    EXPECT_DOUBLE_EQ(header("OutletPsi"), 1.0);
    EXPECT_EQ(DMod->WorkPipeTableReqOutletWS->AsString(), "252.31");
    EXPECT_DOUBLE_EQ(Tul->OutletPsi, 1.0);
    EXPECT_DOUBLE_EQ(Tul->PinnedEndHgl, 252.31);
    EXPECT_DOUBLE_EQ(psiSet(), -1.0);
    EXPECT_DOUBLE_EQ(header("PumpEyeElev"), 180.0);
    EXPECT_DOUBLE_EQ(header("PumpEffic"), 70.0);
    EXPECT_DOUBLE_EQ(header("ClearHead"), 3.0);
    EXPECT_DOUBLE_EQ(header("ColumnLoss"), 0.0);
}

TEST_F(InlineBoosterTest, AnOutletPressureAlreadyGivenIsKept)
{
    newJobWithBoosterNode(5.0);
    driver.OnceForm("TPumpLineBoosterDlg", [](ui::Form& d) { DialogDriver::Press(d, "OKBitBtn1"); });
    openBooster();
    EXPECT_DOUBLE_EQ(header("OutletPsi"), 5.0);
    EXPECT_DOUBLE_EQ(header("ReqOutletWS"), 261.54);
    EXPECT_DOUBLE_EQ(psiSet(), -1.0);
    EXPECT_DOUBLE_EQ(header("PumpEffic"), 70.0);
}

TEST_F(InlineBoosterTest, ValuesEnteredAtTheFirstOpeningOfANewJobSurviveTheNext)
{
    newJobWithBoosterNode(0.0);
    driver.OnceForm("TPumpLineBoosterDlg", [](ui::Form& d) {
        DialogDriver::Type(d, "SetPresDBNF", "45");
        DialogDriver::Type(d, "OvcDbNumericField3", "182");
        DialogDriver::Type(d, "OvcDbNumericField4", "6");
        DialogDriver::Type(d, "OvcDbNumericField6", "66");
        DialogDriver::Enter(d);   // Enter in the efficiency accepts
        EXPECT_FALSE(d.isVisible());
    });
    openBooster();
    driver.OnceForm("TPumpLineBoosterDlg", [](ui::Form& d) {
        EXPECT_EQ(d.Control<QLineEdit>("SetPresDBNF")->text(), "45.0");
        DialogDriver::Press(d, "BitBtn3");
        DialogDriver::Press(d, "OKBitBtn1");
    });
    openBooster();
    EXPECT_DOUBLE_EQ(psiSet(), 45.0);
    EXPECT_DOUBLE_EQ(header("PumpEyeElev"), 182.0);
    EXPECT_DOUBLE_EQ(header("ClearHead"), 6.0);
    EXPECT_DOUBLE_EQ(header("PumpEffic"), 66.0);
    EXPECT_EQ(driver.HelpContexts(), std::vector<int>{137});
}

TEST_F(InlineBoosterTest, LoadedJobKeepsItsStoredValuesAndCancelDropsTheUnpostedPumpData)
{
    loadedJob({{"JobName", "Smith"}, {"SysType", "GRAVITY"}, {"PumpType", "INLINE BOOSTER"}, {"OutletElev", 250.0},
               {"PumpEyeElev", 175.0}, {"PumpEffic", 60.0}, {"ClearHead", 2.0}});
    addRow(DMod->WorkProfTable, {{"Station", 500.0}, {"GroundElev", 180.0}, {"NodeType", 2}, {"PsiSet", 30.0}});
    Tul->NewStation = 500.0;
    driver.OnceForm("TPumpLineBoosterDlg", [](ui::Form& d) {
        EXPECT_EQ(d.Control<QLineEdit>("OvcDbNumericField3")->text(), "175.0");
        DMod->WorkPipeTablePumpEffic->SetAsFloat(80.0);
        DialogDriver::Press(d, "CancelBitBtn2");
    });
    openBooster();
    EXPECT_TRUE(Tul->WasCancelled);
    EXPECT_DOUBLE_EQ(header("OutletPsi"), 0.0);
    EXPECT_DOUBLE_EQ(header("PumpEffic"), 60.0);
    EXPECT_DOUBLE_EQ(psiSet(), 30.0);
}

// Each node given the booster kind, again or for the first time, sets its
// own pressure to be found and draws at its own ground; the job's pump data
// are defaulted once while the line has a booster, and again after the last
// one was made plain and took them. The one psi wanted at the outlet stands on the end
// node's ground once there is an end: 150 + 2.3071244 = 152.31 ft.
TEST_F(InlineBoosterTest, EveryNodeMadeABoosterTakesTheNodesDefaultsAndTheOutletLevelFollowsTheEnd)
{
    newNamedJob("Smith");
    const std::pair<double, double> nodes[] = {{0, 200}, {500, 180}, {700, 170}, {900, 150}};
    for (const auto& [station, ground] : nodes) addRow(DMod->WorkProfTable, {{"Station", station}, {"GroundElev", ground}});
    Tul->NumNodes = 4;
    auto choose = [](double station, int kind) {
        Tul->NewStation = station;
        ASSERT_TRUE(Tul->LocateProfStation());
        DMod->WorkProfTableNodeTypeDesc->SetAsString(NodeTypeText(kind));
        Tul->ApplyNodeTypeChoice();
        DMod->WorkProfTable->CheckBrowseMode();
    };
    QStringList shown;
    driver.OnForm("TPumpLineBoosterDlg", [&](ui::Form& d) {
        shown << d.Control<QLineEdit>("SetPresDBNF")->text() + " " + d.Control<QLineEdit>("OvcDbNumericField3")->text();
        if (shown.size() == 1) {
            DialogDriver::Type(d, "SetPresDBNF", "45");
            DialogDriver::Type(d, "OvcDbNumericField6", "66");
        }
        DialogDriver::Press(d, "OKBitBtn1");
    });
    choose(500, 2);
    choose(500, 1);
    choose(500, 2);
    choose(700, 2);
    EXPECT_EQ(shown, (QStringList{"-1.0 180.0", "-1.0 180.0", "-1.0 170.0"}));
    EXPECT_DOUBLE_EQ(psiSet(), -1.0);
    EXPECT_DOUBLE_EQ(header("PumpEyeElev"), 170.0);
    EXPECT_DOUBLE_EQ(header("PumpEffic"), 70.0);
    EXPECT_EQ(DMod->WorkPipeTableReqOutletWS->AsString(), "2.31");
    choose(900, 4);
    EXPECT_DOUBLE_EQ(header("OutletElev"), 150.0);
    EXPECT_EQ(DMod->WorkPipeTableReqOutletWS->AsString(), "152.31");
}

} // namespace
