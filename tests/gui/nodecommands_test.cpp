// Deleting nodes from the profile page.
#include "support/workprofile.h"
#include "jobwindow.h"

#include "platform/ui/notebook.h"
#include "platform/ui/statusbar.h"

#include <QPushButton>

using testsupport::ProfValue;
using testsupport::WorkHeader;
using testsupport::WorkNode;

namespace {

class NodeCommands : public testsupport::JobWindowTest {
protected:
    void SetUp() override
    {
        JobWindowTest::SetUp();
        form->OvcNotebook1->setEnabled(true);
        // Entrance 300 gpm, an outlet of 50 gpm at 12+34, a 20 gpm inflow at
        // 20+00 and the end at 30+00.
        WorkNode n0{.station = 0, .pipeQ = 300, .diaIn = 6, .reachType = "GRAVBEG", .nodeType = 0};
        WorkNode n1{.station = 1234, .pipeQ = 250, .diaIn = 6, .reachType = "GRAVMID", .nodeType = 1, .outQ = 50};
        WorkNode n2{.station = 2000, .pipeQ = 270, .diaIn = 6, .reachType = "GRAVMID", .nodeType = 1, .inQ = 20};
        WorkNode n3{.station = 3000, .pipeQ = 270, .diaIn = 6, .reachType = "GRAVEND", .nodeType = 4};
        testsupport::WriteWorkJob(WorkHeader{}, {n0, n1, n2, n3});
        Tul->SaveState = 2;
    }
    void deleteAt(double station)
    {
        ASSERT_TRUE(DMod->WorkProfTable->Locate(QStringLiteral("Station"), station));
        driver.ClearLog();
        form->DeleteNodeSpdBtnClick();
    }
};

TEST_F(NodeCommands, EntranceCannotBeDeletedAndNoKeepsTheNode)
{
    deleteAt(0);
    EXPECT_EQ(driver.MessageTexts(),
              QStringList{"Can't delete entrance station 0+00.  It is OK to edit an entrance node."});
    EXPECT_EQ(DMod->WorkProfTable->RecordCount(), 4);

    driver.Answer(ui::mrNo);
    deleteAt(1234);
    EXPECT_EQ(driver.MessageTexts(), QStringList{"Do you really want to DELETE Station 12+34?"});
    EXPECT_EQ(DMod->WorkProfTable->RecordCount(), 4);
    EXPECT_EQ(Tul->SaveState, 1);   // the command marks the job changed
}

TEST_F(NodeCommands, DeletedNodeIsGoneAndFlowsAndNumbersFollow)
{
    driver.Answer(ui::mrYes);
    deleteAt(1234);
    EXPECT_EQ(driver.MessageTexts(), (QStringList{"Do you really want to DELETE Station 12+34?",
                                                  "Station 12+34 is now deleted!"}));
    ASSERT_EQ(DMod->WorkProfTable->RecordCount(), 3);
    const double station[] = {0, 2000, 3000}, flow[] = {300, 320, 320};
    for (int k = 0; k < 3; ++k) {
        SCOPED_TRACE(k);
        EXPECT_DOUBLE_EQ(ProfValue(k, "Station"), station[k]);
        EXPECT_DOUBLE_EQ(ProfValue(k, "PipeQ"), flow[k]);
        EXPECT_DOUBLE_EQ(ProfValue(k, "RecordNo"), k + 1);
    }
    EXPECT_EQ(Tul->NumNodes, 3);
    EXPECT_DOUBLE_EQ(testsupport::PipeValue("NumNodes"), 3);
    EXPECT_FALSE(DMod->WorkPipeTableNoEnd->AsBoolean());
    EXPECT_FALSE(DMod->WorkProfTable->ControlsDisabled());
}

TEST_F(NodeCommands, DeletingTheEndAsksForANewOne)
{
    form->AddNodeBtn->hide();
    driver.Answer(ui::mrYes);
    deleteAt(3000);
    EXPECT_EQ(driver.MessageTexts(),
              (QStringList{"Do you really want to DELETE Station 30+00?", "You will now need to add an end node!",
                           "Station 30+00 is now deleted!"}));
    EXPECT_TRUE(DMod->WorkPipeTableNoEnd->AsBoolean());
    EXPECT_FALSE(form->AddNodeBtn->isHidden());
    EXPECT_EQ(DMod->WorkProfTable->RecordCount(), 3);
}

} // namespace

namespace {

TEST_F(NodeCommands, EditNodeCancelledInTheNodeDialogPutsTheProfileBack)
{
    ASSERT_TRUE(DMod->WorkProfTable->Locate(QStringLiteral("Station"), 2000.0));
    driver.OnceForm("TBasicNodeDlg", [](ui::Form& f) {
        DMod->WorkProfTableOutQ->SetAsFloat(99);   // a change the cancel must undo
        DialogDriver::Press(f, "CancelBitBtn2");
    });
    form->EditNodeSpdBtnClick();
    EXPECT_EQ(driver.FormsShown(), QStringList{"TBasicNodeDlg"});   // no reach dialog after a cancel
    EXPECT_DOUBLE_EQ(ProfValue(2, "OutQ"), 0.0);
    EXPECT_EQ(form->MainStatusBar->PanelText(0), QStringLiteral("Editing node"));
    EXPECT_FALSE(Tul->EditingNode);
    EXPECT_EQ(Tul->SaveState, 1);
}

TEST_F(NodeCommands, EditNodeGoesOnToTheReachDialog)
{
    ASSERT_TRUE(DMod->WorkProfTable->Locate(QStringLiteral("Station"), 2000.0));
    driver.OnceForm("TBasicNodeDlg", [](ui::Form& f) { DialogDriver::Press(f, "OKBitBtn1"); });
    driver.OnceForm("TProfInDlg", [](ui::Form& f) { DialogDriver::Press(f, "CancelBitBtn"); });
    form->EditNodeSpdBtnClick();
    EXPECT_EQ(driver.FormsShown(), (QStringList{"TBasicNodeDlg", "TProfInDlg"}));
    EXPECT_DOUBLE_EQ(Tul->NewStation, 2000.0);
}

} // namespace
