// The node commands of the profile page.
#include "support/workjob.h"
#include "support/workprofile.h"
#include "support/jobwindow.h"
#include "support/journey.h"

#include "dialogs/profile/reach_dialog.h"

#include "engine/hydraulics.h"
#include "platform/chart/chartwidget.h"
#include "model/node_rules.h"
#include "platform/ui/notebook.h"
#include "platform/ui/radiogroup.h"
#include "platform/ui/statusbar.h"

#include <QApplication>
#include <QComboBox>
#include <QMouseEvent>
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

TEST_F(NodeCommands, DeletedNodeLeavesTheProfileChart)
{
    form->DBChart1->RefreshData();
    ASSERT_EQ(form->PointSeries1->Count(), 4);
    driver.Answer(ui::mrYes);
    deleteAt(1234);
    EXPECT_EQ(form->PointSeries1->Count(), 3);
    EXPECT_EQ(form->LineSeries1->Count(), 3);
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
    form->MainStatusBar->SetPanelText(0, "Edit node data");
    QString status;
    driver.OnceForm("TBasicNodeDlg", [&status, this](ui::Form& f) {
        status = form->MainStatusBar->PanelText(0);
        DMod->WorkProfTableOutQ->SetAsFloat(99);   // a change the cancel must undo
        DialogDriver::Press(f, "CancelBitBtn2");
    });
    form->EditNodeSpdBtnClick();
    EXPECT_EQ(driver.FormsShown(), QStringList{"TBasicNodeDlg"});   // no reach dialog after a cancel
    EXPECT_DOUBLE_EQ(ProfValue(2, "OutQ"), 0.0);
    EXPECT_EQ(status, QStringLiteral("Editing node"));
    // Nothing is being edited any more, and nothing was changed.
    EXPECT_EQ(form->MainStatusBar->PanelText(0), QStringLiteral("Edit node data"));
    EXPECT_FALSE(Tul->EditingNode);
    EXPECT_EQ(Tul->SaveState, 2);
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

// The reach dialog's Cancel keeps nothing done in it: neither a soil
// strength its thrust dialog took (that dialog's own Cancel takes back
// another), nor a head loss still being typed, which no later command posts.
TEST_F(NodeCommands, ReachDialogCancelledKeepsNothingDoneInIt)
{
    testsupport::SetProfField(2, "ThBlkSoil", 2000);
    ASSERT_TRUE(DMod->WorkProfTable->Locate(QStringLiteral("Station"), 2000.0));
    driver.OnceForm("TBasicNodeDlg", [](ui::Form& f) { DialogDriver::Press(f, "OKBitBtn1"); });
    for (const char* answer : {"CancelBitBtn2", "OKBitBtn1"})
        driver.OnceForm("TThrustBlkDlg", [answer](ui::Form& f) {
            DialogDriver::KeyIn(f, "OvcDbNumericField1", answer[0] == 'C' ? "3000" : "3500");
            DialogDriver::Press(f, answer);
        });
    QStringList soil;
    driver.OnceForm("TProfInDlg", [&soil](ui::Form& f) {
        for (int k = 0; k < 2; ++k) {
            DialogDriver::Press(f, "ThrustBlkBtn");
            soil << DMod->WorkProfTableThBlkSoil->AsString();
        }
        static_cast<TProfInDlg&>(f).OvcNotebook1->SetPageIndex(1);
        DialogDriver::KeyIn(f, "KLossDBNF", "1.5");
        DialogDriver::Press(f, "CancelBitBtn");
    });
    form->EditNodeSpdBtnClick();
    EXPECT_EQ(soil, (QStringList{"2000", "3500"}));
    driver.OnceForm("TBasicNodeDlg", [](ui::Form& f) { DialogDriver::Press(f, "CancelBitBtn2"); });
    form->EditNodeSpdBtnClick();
    EXPECT_DOUBLE_EQ(ProfValue(2, "ThBlkSoil"), 2000.0);
    EXPECT_DOUBLE_EQ(ProfValue(2, "Kloss"), 0.0);
}

} // namespace

// Adding and inserting nodes, the chart's click and the node-kind dialogs.
namespace {

WorkNode node(double station, int nodeType)
{
    const char* reach = nodeType == 0 ? "GRAVBEG" : nodeType >= 4 ? "GRAVEND" : "GRAVMID";
    return WorkNode{.station = station, .pipeQ = 300, .diaIn = 6, .reachType = reach, .nodeType = nodeType};
}

class NewNodes : public NodeCommands {
protected:
    // A profile of these stations, the entrance first and the rest in line
    // unless `lastType` says otherwise, numbered as the dialogs leave it.
    void profile(const std::vector<double>& stations, int lastType = 1)
    {
        std::vector<WorkNode> nodes;
        for (size_t i = 0; i < stations.size(); ++i)
            nodes.push_back(node(stations[i], i == 0 ? 0 : i + 1 == stations.size() ? lastType : 1));
        testsupport::WriteWorkJob(WorkHeader{}, nodes);
        Tul->BuildStationList();
        Tul->SaveState = 2;
    }
    void increment(double feet) { setDefaults({{"StaIncrement", feet}}); }
    QList<double> stations()
    {
        QList<double> out;
        db::Table* t = DMod->WorkProfTable;
        if (!t->Active()) t->Open();
        t->CheckBrowseMode();
        for (t->First(); !t->Eof(); t->Next()) out << DMod->WorkProfTableStation->AsFloat();
        return out;
    }
    void at(double station) { ASSERT_TRUE(DMod->WorkProfTable->Locate(QStringLiteral("Station"), station)); }
    // The node dialog notes the new row it was opened on, then answers.
    void nodeDialog(const char* button)
    {
        driver.OnceForm("TBasicNodeDlg", [this, button](ui::Form& f) {
            newStation = DMod->WorkProfTableStation->AsFloat();
            newRecordNo = DMod->WorkProfTableRecordNo->AsInteger();
            newPipeQ = DMod->WorkProfTablePipeQ->AsFloat();
            status = form->MainStatusBar->PanelText(0);
            // A node is not taken without its ground.
            if (QLatin1String(button) == QLatin1String("OKBitBtn1")) DialogDriver::Type(f, "GrondElDBNF", "50");
            DialogDriver::Press(f, button);
        });
    }
    void reachDialog(const char* button)
    {
        driver.OnceForm("TProfInDlg", [button](ui::Form& f) { DialogDriver::Press(f, button); });
    }
    // The node dialog first, the reach dialog last (a new node's reach may
    // ask for its pipe between them).
    void expectNodeThenReachDialog()
    {
        const QStringList& shown = driver.FormsShown();
        ASSERT_GE(shown.size(), 2);
        EXPECT_EQ(shown.first(), QStringLiteral("TBasicNodeDlg"));
        EXPECT_EQ(shown.last(), QStringLiteral("TProfInDlg"));
    }
    void insertAt(double station)
    {
        at(station);
        driver.ClearLog();
        form->InsertNodeSpdBtnClick();
    }

    double newStation = -1, newPipeQ = -1;
    int newRecordNo = -1;
    QString status;
};

TEST_F(NewNodes, AddPutsTheNodeOneIncrementPastTheLast)
{
    profile({0, 500});
    increment(100);
    nodeDialog("OKBitBtn1");
    reachDialog("OKBitBtn");
    form->AddNodeBtnClick();
    expectNodeThenReachDialog();
    EXPECT_DOUBLE_EQ(newStation, 600);
    EXPECT_EQ(newRecordNo, 3);
    EXPECT_DOUBLE_EQ(newPipeQ, 300);   // carried on from the last node
    EXPECT_EQ(status, QStringLiteral("Adding node"));
    EXPECT_EQ(stations(), (QList<double>{0, 500, 600}));
    EXPECT_DOUBLE_EQ(ProfValue(2, "RecordNo"), 3);
    EXPECT_TRUE(Tul->AddingNode);
    EXPECT_FALSE(Tul->InsertingNode);
    EXPECT_EQ(Tul->SaveState, 1);
}

TEST_F(NewNodes, AddWithoutAPositiveIncrementStillGoesPastTheLast)
{
    profile({0, 500});
    for (double feet : {0.0, -100.0}) {
        SCOPED_TRACE(feet);
        increment(feet);
        nodeDialog("CancelBitBtn2");
        form->AddNodeBtnClick();
        EXPECT_DOUBLE_EQ(newStation, 510);
        EXPECT_EQ(stations(), (QList<double>{0, 500}));
    }
}

TEST_F(NewNodes, AddAfterAnEndNodeIsRefused)
{
    profile({0, 1234, 3000}, 4);
    form->AddNodeBtnClick();
    EXPECT_EQ(driver.MessageTexts(), QStringList{"Can't add a node.  There is already an end node."});
    EXPECT_TRUE(driver.FormsShown().isEmpty());
    EXPECT_EQ(stations(), (QList<double>{0, 1234, 3000}));
    EXPECT_TRUE(Tul->WasCancelled);
    EXPECT_EQ(Tul->SaveState, 2);
}

TEST_F(NewNodes, CancellingEitherDialogOfAnAddPutsTheTablesBack)
{
    profile({0, 500});
    increment(100);
    testsupport::WorkJob::AddRow(DMod->WorkGatedTable, {{"DiaIn", 10.0}});
    driver.OnceForm("TBasicNodeDlg", [](ui::Form& f) {
        // Changes to the header and the gated pipe, both to be undone.
        db::Table* pipe = DMod->WorkPipeTable;
        if (pipe->State() == db::DataSetState::Browse) pipe->Edit();
        DMod->WorkPipeTableOutletElev->SetAsFloat(77);
        pipe->Post();
        db::Table* gated = DMod->WorkGatedTable;
        if (!gated->Active()) gated->Open();
        gated->Edit();
        DMod->WorkGatedTableDiaIn->SetAsFloat(12);
        gated->Post();
        DialogDriver::Press(f, "CancelBitBtn2");
    });
    form->AddNodeBtnClick();
    EXPECT_EQ(driver.FormsShown(), QStringList{"TBasicNodeDlg"});
    EXPECT_EQ(stations(), (QList<double>{0, 500}));
    EXPECT_DOUBLE_EQ(testsupport::PipeValue("OutletElev"), 0);
    db::Table* gated = DMod->WorkGatedTable;
    if (!gated->Active()) gated->Open();
    ASSERT_EQ(gated->RecordCount(), 1);
    EXPECT_DOUBLE_EQ(DMod->WorkGatedTableDiaIn->AsFloat(), 10);

    // The reach dialog's cancel undoes the new node too.
    driver.ClearLog();
    nodeDialog("OKBitBtn1");
    reachDialog("CancelBitBtn");
    form->AddNodeBtnClick();
    expectNodeThenReachDialog();
    EXPECT_EQ(stations(), (QList<double>{0, 500}));
}

TEST_F(NewNodes, InsertedStationFollowsThePreviousNode)
{
    struct Case { double insertPoint, increment, expected; };
    for (const Case c : {Case{1100, 200, 1010}, Case{1005, 200, 1001}, Case{1500, 200, 1200}}) {
        SCOPED_TRACE(c.insertPoint);
        profile({0, 1000, c.insertPoint, 2000}, 4);
        increment(c.increment);
        nodeDialog("CancelBitBtn2");
        insertAt(c.insertPoint);
        EXPECT_DOUBLE_EQ(newStation, c.expected);
        EXPECT_EQ(newRecordNo, 3);   // right after the previous node
        EXPECT_EQ(status, QStringLiteral("Inserting node"));
        // Cancelled: the profile is as it was.
        EXPECT_EQ(stations(), (QList<double>{0, 1000, c.insertPoint, 2000}));
    }
    EXPECT_DOUBLE_EQ(Tul->InsertPointStation, 1500);
}

TEST_F(NewNodes, InsertedNodeStaysWhenOnlyTheReachDialogIsCancelled)
{
    profile({0, 1000, 1100, 2000}, 4);
    increment(200);
    nodeDialog("OKBitBtn1");
    reachDialog("CancelBitBtn");
    insertAt(1100);
    expectNodeThenReachDialog();
    EXPECT_EQ(stations(), (QList<double>{0, 1000, 1010, 1100, 2000}));
    for (int k = 0; k < 5; ++k) EXPECT_DOUBLE_EQ(ProfValue(k, "RecordNo"), k + 1);
    EXPECT_TRUE(Tul->InsertingNode);
    EXPECT_FALSE(Tul->AddingNode);
}

TEST_F(NewNodes, AnInsertedStationOutsideItsNeighboursIsRefusedAndChangesNothing)
{
    profile({0, 1000, 2000}, 4);
    increment(200);
    form->MainStatusBar->SetPanelText(0, "Edit node data");
    for (const char* typed : {"5000", "1000", "500"}) {
        SCOPED_TRACE(typed);
        QStringList messages;
        double kept = -1;
        driver.OnceForm("TBasicNodeDlg", [&](ui::Form& f) {
            DialogDriver::Type(f, "StationNF", typed);
            DialogDriver::Focus(f, "GrondElDBNF");
            messages = driver.MessageTexts();
            kept = DMod->WorkProfTableStation->AsFloat();
            DialogDriver::Press(f, "CancelBitBtn2");
        });
        insertAt(2000);   // before the end node
        const QString text = QStringLiteral("Station %1 is not between stations 10+00 and 20+00.  An inserted node "
                                            "must lie between the nodes around it.")
                                 .arg(Hyd->StationText(QString::fromLatin1(typed).toDouble()));
        EXPECT_EQ(messages, QStringList{text});
        EXPECT_DOUBLE_EQ(kept, 1200);
        EXPECT_EQ(driver.FormsShown(), QStringList{"TBasicNodeDlg"});
        EXPECT_EQ(stations(), (QList<double>{0, 1000, 2000}));
        for (int k = 0; k < 3; ++k) EXPECT_DOUBLE_EQ(ProfValue(k, "RecordNo"), k + 1);
        EXPECT_EQ(form->MainStatusBar->PanelText(0), "Edit node data");
    }

    // Refused, then OK: the node goes in at the station it was given.
    driver.ClearLog();
    driver.OnceForm("TBasicNodeDlg", [](ui::Form& f) {
        DialogDriver::Type(f, "StationNF", "5000");
        DialogDriver::Focus(f, "GrondElDBNF");   // refused: back in the station
        DialogDriver::Type(f, "GrondElDBNF", "50");
        DialogDriver::Press(f, "OKBitBtn1");
    });
    reachDialog("OKBitBtn");
    insertAt(2000);
    EXPECT_EQ(stations(), (QList<double>{0, 1000, 1200, 2000}));
    for (int k = 0; k < 4; ++k) EXPECT_DOUBLE_EQ(ProfValue(k, "RecordNo"), k + 1);
}

TEST_F(NewNodes, InsertWithNoRoomBetweenIsRefused)
{
    profile({0, 1000, 1001, 2000}, 4);
    increment(200);
    insertAt(1001);
    EXPECT_EQ(driver.MessageTexts(), QStringList{NoRoomToInsertText(1000, 1001)});
    EXPECT_TRUE(driver.FormsShown().isEmpty());
    EXPECT_TRUE(Tul->WasCancelled);
    EXPECT_DOUBLE_EQ(DMod->WorkProfTableStation->AsFloat(), 1001);   // still on the insert point
    EXPECT_EQ(stations(), (QList<double>{0, 1000, 1001, 2000}));
    EXPECT_EQ(Tul->SaveState, 2);
}

TEST_F(NewNodes, NothingIsInsertedBeforeTheEntrance)
{
    profile({0, 1234, 3000}, 4);
    insertAt(0);
    EXPECT_EQ(driver.MessageTexts(), QStringList{"Can't insert a station prior to the entrance."});
    EXPECT_TRUE(driver.FormsShown().isEmpty());
    EXPECT_EQ(stations(), (QList<double>{0, 1234, 3000}));

    // Nor on a profile that holds only its entrance: Add extends that one.
    profile({0});
    insertAt(0);
    EXPECT_EQ(driver.MessageTexts(), QStringList{"Can't insert a station prior to the entrance."});
    EXPECT_EQ(stations(), QList<double>{0});
}

TEST_F(NewNodes, AFullProfileTakesNoMoreNodes)
{
    std::vector<double> full;
    for (int i = 0; i < 100; ++i) full.push_back(100.0 * i);
    profile(full);
    increment(50);
    const QString fullText =
        QStringLiteral("A profile can have no more than 100 nodes.  Delete a node before adding another.");
    form->AddNodeBtnClick();
    EXPECT_EQ(driver.MessageTexts(), QStringList{fullText});
    insertAt(5000);
    EXPECT_EQ(driver.MessageTexts(), QStringList{fullText});
    EXPECT_TRUE(driver.FormsShown().isEmpty());
    EXPECT_EQ(DMod->WorkProfTable->RecordCount(), 100);

    // One node fewer leaves room for one more.
    full.pop_back();
    profile(full);
    nodeDialog("OKBitBtn1");
    reachDialog("OKBitBtn");
    form->AddNodeBtnClick();
    EXPECT_EQ(DMod->WorkProfTable->RecordCount(), 100);
    EXPECT_DOUBLE_EQ(newStation, 9850);
}

// The header's pump type says the job has an in-line booster; the runs and
// the reports take the pump from it, so it goes with the last booster node.
TEST_F(NewNodes, DeletingTheLastBoosterTakesItsPumpOffTheJob)
{
    std::vector<WorkNode> nodes{node(0, 0), node(500, 2), node(900, 2), node(1500, 4)};
    testsupport::WriteWorkJob(WorkHeader{.pumpType = QStringLiteral("INLINE BOOSTER")}, nodes);
    Tul->BuildStationList();
    Tul->PumpTypeCode = 8;
    driver.SetDefaultAnswer(ui::mrYes);
    deleteAt(500);
    EXPECT_EQ(testsupport::PipeText("PumpType"), QStringLiteral("INLINE BOOSTER"));   // one is left
    deleteAt(900);
    EXPECT_EQ(DMod->WorkProfTable->RecordCount(), 2);
    EXPECT_TRUE(testsupport::PipeText("PumpType").isEmpty());
    EXPECT_EQ(Tul->PumpTypeCode, 0);
}

// With its manifold end gone the job no longer ends in a manifold: the
// supply flow is no longer cut to the old manifold's demand.
TEST_F(NewNodes, DeletingAManifoldEndLeavesNoManifoldOnTheJob)
{
    std::vector<WorkNode> nodes{node(0, 0), node(1234, 1), node(3000, 6)};
    testsupport::WriteWorkJob(WorkHeader{.sysHas = 2}, nodes);
    Tul->BuildStationList();
    db::Table* pipe = DMod->WorkPipeTable;
    pipe->First();
    pipe->Edit();
    DMod->WorkPipeTableTriclEntQ->SetAsFloat(60);
    DMod->WorkPipeTableDesignFlow->SetAsFloat(300);
    pipe->Post();
    Tul->SysHas = 2;
    driver.SetDefaultAnswer(ui::mrYes);
    deleteAt(3000);
    EXPECT_EQ(testsupport::PipeValue("SysHas"), 0);
    EXPECT_EQ(Tul->SysHas, 0);
    driver.ClearLog();
    Tul->RefreshManifoldSupply();
    EXPECT_TRUE(driver.MessageTexts().isEmpty());
    EXPECT_DOUBLE_EQ(testsupport::PipeValue("DesignFlow"), 300);
}

TEST_F(NewNodes, DeletingAGatedPipeEndEmptiesTheGatedPipe)
{
    profile({0, 1234, 3000}, 5);
    testsupport::WorkJob::AddRow(DMod->WorkGatedTable, {{"DiaIn", 10.0}});
    form->AddNodeBtn->hide();
    driver.Answer(ui::mrYes);
    deleteAt(3000);
    EXPECT_EQ(driver.MessageTexts(),
              (QStringList{"Do you really want to DELETE Station 30+00?", "You will now need to add an end node!",
                           "Station 30+00 is now deleted!"}));
    EXPECT_TRUE(DMod->WorkGatedTable->Active());
    EXPECT_EQ(DMod->WorkGatedTable->RecordCount(), 0);
    EXPECT_TRUE(DMod->WorkPipeTableNoEnd->AsBoolean());
    EXPECT_FALSE(form->AddNodeBtn->isHidden());
    EXPECT_EQ(stations(), (QList<double>{0, 1234}));
}

// A gated-pipe end given the manifold kind by keys in the node dialog opens
// the manifold's dialog. Cancelled, the node is the gated end it was, with
// its gated pipe; answered with a manifold that can be sized, it is a
// manifold end starting at the node and the gated pipe is gone.
TEST_F(NewNodes, GatedEndMadeAManifoldEndByKeysOpensTheManifoldDialog)
{
    for (const char* answer : {"CancelBtn", "OKBtn"}) {
        SCOPED_TRACE(answer);
        std::vector<WorkNode> nodes{node(0, 0), node(1234, 1), node(3000, 5)};
        testsupport::WriteWorkJob(WorkHeader{.sysHas = 1}, nodes);
        Tul->BuildStationList();
        at(3000);
        DMod->WorkProfTable->Edit();
        DMod->WorkProfTableNodeTypeDesc->SetAsString("End of line, start gated pipe");
        DMod->WorkProfTable->Post();
        EmptyWorkTable(DMod->WorkGatedTable);
        EmptyWorkTable(DMod->WorkTrickleTable);
        testsupport::WorkJob::AddRow(DMod->WorkGatedTable, {{"DiaIn", 10.0}});
        driver.ClearLog();
        // Opened while the node dialog's focus moves on: its buttons are clicked.
        // OK takes no manifold of its first node only: it stays on adding nodes.
        bool keptForNodes = false;
        driver.OnceForm("TManifoldEndDlg", [this, answer, &keptForNodes](ui::Form& f) {
            f.Control<QPushButton>(answer)->click();
            if (!f.isVisible()) return;
            keptForNodes = testsupport::FocusedName(f) == QStringLiteral("AddNodeBtn");
            testsupport::KeyInQuickManifold(driver, "3100", "0", "10", "50");
            DialogDriver::Press(f, "OptionalButton");
            f.Control<ui::Notebook>("OvcNotebookM")->setCurrentIndex(0);   // the pipe's tab clicked
            testsupport::PickFirstManifoldRating(f);
            f.Control<QPushButton>(answer)->click();
        });
        QString kindShown;
        bool gatedBtn = false, manifoldBtn = false;
        driver.OnceForm("TBasicNodeDlg", [&](ui::Form& f) {
            DialogDriver::Focus(f, "NodeComboBox");
            DialogDriver::Key(f, Qt::Key_Down);
            DialogDriver::Tab(f);
            kindShown = f.Control<QComboBox>("NodeComboBox")->currentText();
            gatedBtn = f.Control<QPushButton>("EditGatedBtn")->isEnabled();
            manifoldBtn = f.Control<QPushButton>("TrickleEditBtn")->isEnabled();
            DialogDriver::Press(f, "OKBitBtn1");
        });
        reachDialog("OKBitBtn");
        form->EditNodeSpdBtnClick();
        const bool taken = QLatin1String(answer) == QLatin1String("OKBtn");
        EXPECT_TRUE(driver.FormsShown().contains("TManifoldEndDlg"));
        EXPECT_EQ(keptForNodes, taken);
        const QStringList said{"Manifold not computed. A manifold needs at least 2 nodes.",
                               "Initial estimated system flow rate adjusted to reflect manifold flow rates."};
        EXPECT_EQ(driver.MessageTexts(), taken ? said : QStringList{});
        EXPECT_EQ(kindShown, taken ? "End of line, start manifold segment" : "End of line, start gated pipe");
        EXPECT_EQ(gatedBtn, !taken);
        EXPECT_EQ(manifoldBtn, taken);
        EXPECT_EQ(ProfValue(2, "NodeType"), taken ? 6 : 5);
        EXPECT_DOUBLE_EQ(ProfValue(2, "Station"), 3000);
        EXPECT_EQ(testsupport::PipeValue("SysHas"), taken ? 2 : 1);
        db::Table* gated = DMod->WorkGatedTable;
        if (!gated->Active()) gated->Open();
        EXPECT_EQ(gated->RecordCount(), taken ? 0 : 1);
        if (!taken) EXPECT_DOUBLE_EQ(DMod->WorkGatedTableDiaIn->AsFloat(), 10);
        db::Table* manifold = DMod->WorkTrickleTable;
        if (!manifold->Active()) manifold->Open();
        ASSERT_EQ(manifold->RecordCount(), taken ? 3 : 0);
        manifold->First();
        if (taken) EXPECT_DOUBLE_EQ(DMod->WorkTrickleTableStation->AsFloat(), 3000);
    }
}

TEST_F(NewNodes, AClickOnAChartPointEditsThatNode)
{
    profile({0, 1234, 2000, 3000}, 4);
    nodeDialog("CancelBitBtn2");
    form->DBChart1->resize(500, 350);
    form->DBChart1->RefreshData();
    ASSERT_EQ(form->PointSeries1->Count(), 4);
    const QPointF at = form->DBChart1->PointPosition(*form->PointSeries1, 2);
    QMouseEvent press(QEvent::MouseButtonPress, at, form->DBChart1->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(form->DBChart1, &press);
    EXPECT_EQ(driver.FormsShown(), QStringList{"TBasicNodeDlg"});
    EXPECT_DOUBLE_EQ(newStation, 2000);
    EXPECT_EQ(status, QStringLiteral("Editing node"));
}

TEST_F(NewNodes, NodeKindsOpenTheirDialogsInOrder)
{
    // The window installs the opener the node-kind choice calls.
    ASSERT_TRUE(NodeKindDialogOpener);
    NodeKindDialogOpener(QStringLiteral("Gated"));
    EXPECT_EQ(driver.FormsShown(), (QStringList{"TGetPipeDlg", "TGatedPipeDlg"}));
    driver.ClearLog();
    form->OpenNodeKindDialog(form, QStringLiteral("Booster"));
    form->OpenNodeKindDialog(form, QStringLiteral("Manifold"));
    form->OpenNodeKindDialog(form, QStringLiteral("In line"));
    EXPECT_EQ(driver.FormsShown(), (QStringList{"TPumpLineBoosterDlg", "TManifoldEndDlg"}));

    // The gravity designer has no booster pumps.
    driver.ClearLog();
    OpenNodeKindDialogs(form, QStringLiteral("Booster"), false);
    EXPECT_TRUE(driver.FormsShown().isEmpty());
}

TEST_F(NewNodes, FocusComingIntoTheSystemPanelTurnsTheTypesPurple)
{
    QApplication::setActiveWindow(form);
    form->OvcNotebook1->SetPageIndex(0);
    form->ScrollBox1->show();
    DialogDriver::Focus(*form, "JobNameDBEdit");
    ASSERT_NE(form->SysTypeRadioGroup->palette().color(QPalette::WindowText), QColor(0x80, 0x00, 0x80));
    DialogDriver::Focus(*form, "DetMLCheckBox");
    EXPECT_EQ(form->SysTypeRadioGroup->palette().color(QPalette::WindowText), QColor(0x80, 0x00, 0x80));
}

} // namespace
