// Node-kind choice, new profile rows and the supply flow of the job object.
#include "support/dialogdriver.h"
#include "support/workjob.h"

#include <gtest/gtest.h>

namespace {

using testsupport::WorkJob;

class NodeTypeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        job.Dm().DefLocTable->Open();
        NodeKindDialogOpener = [this](const QString& kind) {
            opened << kind;
            // The dialog edits the node's row: it must be the current one.
            stationsAtOpen << DMod->WorkProfTableStation->AsFloat();
        };
    }
    void TearDown() override { NodeKindDialogOpener = nullptr; }

    // A job header and three nodes; the node at `station` is made current
    // and given the kind text, as the node dialog leaves it.
    void profile(const QString& sysType, const QString& pumpType = {})
    {
        job.SetHeader({{"SysType", sysType}, {"PumpType", pumpType}, {"DesignFlow", 400.0}});
        Tul->SysTypeCode = SysTypeCodeOf(sysType, 0);
        job.AddProfRow({{"Station", 0.0}, {"RecordNo", 1}, {"GroundElev", 120.0}, {"ReachType", "GRAVBEG"}});
        job.AddProfRow({{"Station", 400.0}, {"RecordNo", 2}, {"GroundElev", 110.0}, {"K1", 0.5}});
        job.AddProfRow({{"Station", 900.0}, {"RecordNo", 3}, {"GroundElev", 95.5}, {"ReachType", "PUMPMID"},
                        {"K1", 0.5}, {"K2", 0.2}, {"K3", 1.0}, {"DownStreamPipeDescription", "6 in PVC"},
                        {"InvElMethod", 2}, {"PipeDepth", 0.0}, {"InvertElev", 93.0}});
        Tul->NumNodes = 3;
    }
    void choose(double station, const QString& kindText)
    {
        Tul->NewStation = station;
        ASSERT_TRUE(Tul->LocateProfStation());
        DMod->WorkProfTableNodeTypeDesc->SetAsString(kindText);
        Tul->ApplyNodeTypeChoice();
    }
    // The node's row as the table holds it after the choice.
    void reread(double station)
    {
        db::Table* t = DMod->WorkProfTable;
        t->CheckBrowseMode();
        ASSERT_TRUE(t->Locate("Station", station));
    }

    DialogDriver driver;
    WorkJob job;
    QStringList opened;
    QList<double> stationsAtOpen;
};

// The maximum-flow search has no booster in it: a wide open line refuses one
// as a pumped line does, whatever its pump type. The node stays what it was,
// and its kind's text says so.
TEST_F(NodeTypeTest, BoosterIsRefusedInAPumpedPipeline)
{
    for (const auto& [sysType, pump, line] : {std::tuple{"FULLFLOW", "", "wide open"},
                                              std::tuple{"PUMPED", "CENTRIF", "pumped"}}) {
        driver.ClearLog();
        if (DMod->WorkProfTable->Active()) DMod->WorkProfTable->EmptyTable();
        profile(sysType, pump);
        Tul->NewNode = false;
        choose(400.0, "In line w/booster pump");
        EXPECT_EQ(driver.MessageTexts(),
                  QStringList{QStringLiteral("Sorry, Can't put a booster pump in a %1 pipeline").arg(line)});
        EXPECT_EQ(DMod->WorkPipeTablePumpType->AsString(), pump);
    }
    EXPECT_EQ(driver.Messages()[0].type, ui::MsgType::Error);
    EXPECT_TRUE(opened.isEmpty());
    reread(400.0);
    EXPECT_EQ(DMod->WorkProfTableNodeType->AsInteger(), 1);
    EXPECT_EQ(DMod->WorkProfTableReachType->AsString(), "PUMPMID");
    EXPECT_EQ(DMod->WorkProfTableNodeTypeDesc->AsString(), "In line (normal)");
    EXPECT_DOUBLE_EQ(DMod->WorkProfTableK1->AsFloat(), 0.5);   // a refusal leaves the losses alone
    EXPECT_FALSE(DMod->WorkProfTable->ControlsDisabled());
    // A reducer refused the booster kind stays a reducer.
    DMod->WorkProfTable->Edit();
    DMod->WorkProfTableNodeType->SetAsInteger(3);
    choose(400.0, "In line w/booster pump");
    reread(400.0);
    EXPECT_EQ(DMod->WorkProfTableNodeType->AsInteger(), 3);
    EXPECT_EQ(DMod->WorkProfTableNodeTypeDesc->AsString(), "In line w/pressure reducer");
}

TEST_F(NodeTypeTest, BoosterIsAcceptedInAGravityLineAndOpensItsDialog)
{
    profile("GRAVITY", "INLINE BOOSTER");   // a booster already there: accepted again
    Tul->NewNode = false;
    choose(400.0, "In line w/booster pump");
    EXPECT_TRUE(driver.Messages().empty());
    EXPECT_EQ(opened, QStringList{"Booster"});
    EXPECT_EQ(stationsAtOpen, QList<double>{400.0});
    EXPECT_EQ(Tul->PumpTypeCode, 8);
    EXPECT_EQ(Tul->NodeChoice, 2);
    EXPECT_FALSE(Tul->EndNodeChosen);
    EXPECT_NE(DMod->WorkPipeTable->State(), db::DataSetState::Edit);
    EXPECT_EQ(DMod->WorkPipeTablePumpType->AsString(), "INLINE BOOSTER");
    EXPECT_EQ(DMod->WorkPipeTableNoSucSegs->AsInteger(), 0);
    reread(400.0);
    EXPECT_EQ(DMod->WorkProfTableNodeType->AsInteger(), 2);
    EXPECT_EQ(DMod->WorkProfTableReachType->AsString(), "GRAVMID");
    EXPECT_TRUE(DMod->WorkProfTableFinished->AsBoolean());
    EXPECT_DOUBLE_EQ(DMod->WorkProfTableK1->AsFloat(), 0.5);   // its fittings are still in the line
}

TEST_F(NodeTypeTest, EndsThatAWideOpenLineCannotCarryBecomePlainEnds)
{
    profile("FULLFLOW");
    Tul->SysHas = 0;
    Tul->NodeChoice = 1;
    choose(900.0, "End of line, start gated pipe");
    choose(900.0, "End of line, start manifold segment");
    EXPECT_EQ(driver.MessageTexts(), (QStringList{"Sorry, Can't put gated pipe on end of wide open pipeline.",
                                                  "Sorry, Can't put manifold on end of wide open pipeline."}));
    EXPECT_TRUE(opened.isEmpty());
    EXPECT_EQ(Tul->SysHas, 0);
    EXPECT_EQ(Tul->NodeChoice, 1);
    EXPECT_TRUE(Tul->EndNodeChosen);
    EXPECT_EQ(DMod->WorkPipeTableSysHas->AsInteger(), 0);
    reread(900.0);
    EXPECT_EQ(DMod->WorkProfTableNodeType->AsInteger(), 4);
    EXPECT_EQ(DMod->WorkProfTableReachType->AsString(), "FULLEND");
    EXPECT_EQ(DMod->WorkProfTableNodeTypeDesc->AsString(), "End of line, start manifold segment");
    EXPECT_DOUBLE_EQ(DMod->WorkProfTableK3->AsFloat(), 1.0);
}

TEST_F(NodeTypeTest, UnknownKindSaysSoAndKeepsTheLosses)
{
    profile("GRAVITY");
    Tul->NewNode = false;
    choose(900.0, "");
    EXPECT_EQ(driver.MessageTexts(), QStringList{"Node type not selected"});
    reread(900.0);
    EXPECT_EQ(DMod->WorkProfTableReachType->AsString(), "PUMPMID");
    EXPECT_DOUBLE_EQ(DMod->WorkProfTableK1->AsFloat(), 0.5);
    EXPECT_DOUBLE_EQ(DMod->WorkProfTableK3->AsFloat(), 1.0);
    EXPECT_EQ(DMod->WorkProfTableInvElMethDesc->AsString(), "Set invert at ground level");
}

// The kind list is left every time the user tabs through it: a node keeps
// its minor losses, a coded size change too, whether its kind stays what it
// was or changes.
TEST_F(NodeTypeTest, KindLeftAsItWasOrChangedKeepsTheLosses)
{
    profile("GRAVITY");
    job.AddProfRow({{"Station", 1500.0}, {"RecordNo", 4}, {"GroundElev", 90.0}, {"NodeType", 1},
                    {"NodeTypeDesc", "In line (normal)"}, {"K1", 0.5}, {"K2", -1.0}, {"KLocate2", "NA"}});
    Tul->NumNodes = 4;
    Tul->NewNode = false;
    choose(1500.0, "In line (normal)");
    reread(1500.0);
    EXPECT_DOUBLE_EQ(DMod->WorkProfTableK1->AsFloat(), 0.5);
    EXPECT_DOUBLE_EQ(DMod->WorkProfTableK2->AsFloat(), -1.0);
    choose(1500.0, "In line w/pressure reducer");
    reread(1500.0);
    EXPECT_DOUBLE_EQ(DMod->WorkProfTableK1->AsFloat(), 0.5);
    EXPECT_DOUBLE_EQ(DMod->WorkProfTableK2->AsFloat(), -1.0);
}

// A manifold end turned into a plain end: the job no longer ends in a
// manifold, so its supply flow is no longer held to the manifold's demand.
TEST_F(NodeTypeTest, ManifoldEndMadeAPlainEndLeavesNoManifold)
{
    profile("GRAVITY");
    job.SetHeader({{"SysHas", 2}, {"TriclEntQ", 60.0}});
    Tul->SysHas = 2;
    Tul->NewNode = false;
    Tul->NewStation = 900.0;
    ASSERT_TRUE(Tul->LocateProfStation());
    DMod->WorkProfTableNodeType->SetAsInteger(6);
    choose(900.0, "End of line (normal)");
    EXPECT_EQ(DMod->WorkPipeTableSysHas->AsInteger(), 0);
    EXPECT_EQ(Tul->SysHas, 0);
}

TEST_F(NodeTypeTest, BoosterMadeAPlainNodeTakesItsPumpOffTheJob)
{
    profile("GRAVITY", "INLINE BOOSTER");
    Tul->PumpTypeCode = 8;
    Tul->NewNode = false;
    Tul->NewStation = 400.0;
    ASSERT_TRUE(Tul->LocateProfStation());
    DMod->WorkProfTableNodeType->SetAsInteger(2);
    choose(400.0, "In line (normal)");
    EXPECT_EQ(DMod->WorkProfTableStation->AsFloat(), 400.0);   // still on the node
    EXPECT_TRUE(DMod->WorkPipeTablePumpType->AsString().isEmpty());
    EXPECT_EQ(Tul->PumpTypeCode, 0);
    reread(400.0);
    EXPECT_EQ(DMod->WorkProfTableNodeType->AsInteger(), 1);
}

TEST_F(NodeTypeTest, GatedEndOfAPumpedLineSetsUpTheGatedPipe)
{
    profile("PUMPED", "TURBINE");
    Tul->PipeQ = 350.0;
    choose(900.0, "End of line, start gated pipe");
    EXPECT_TRUE(driver.Messages().empty());
    EXPECT_EQ(opened, QStringList{"Gated"});
    EXPECT_EQ(Tul->SysHas, 1);
    EXPECT_EQ(Tul->NodeChoice, 5);
    EXPECT_TRUE(Tul->EndNodeChosen);
    EXPECT_EQ(Tul->PipeType, "Aluminum WallTh");
    EXPECT_EQ(DMod->WorkPipeTableSysHas->AsInteger(), 1);
    EXPECT_DOUBLE_EQ(DMod->WorkPipeTableOutletElev->AsFloat(), 95.5);
    ASSERT_TRUE(DMod->WorkGatedTable->Active());
    EXPECT_EQ(DMod->WorkGatedTable->RecordCount(), 1);
    EXPECT_DOUBLE_EQ(DMod->WorkGatedTableStartElev->AsFloat(), 95.5);
    reread(900.0);
    EXPECT_EQ(DMod->WorkProfTableNodeType->AsInteger(), 5);
    EXPECT_EQ(DMod->WorkProfTableReachType->AsString(), "PUMPGATED");
    EXPECT_EQ(DMod->WorkProfTablePipeType->AsString(), "Aluminum WallTh");
    EXPECT_DOUBLE_EQ(DMod->WorkProfTablePipeQ->AsFloat(), 350.0);
}

TEST_F(NodeTypeTest, ReachKeywordsFollowTheSystemType)
{
    struct Case { const char* sys; const char* kind; const char* reach; int sysHas; };
    const Case cases[] = {
        {"GRAVITY", "End of line, start gated pipe", "GRAVGATED", 1},
        {"PRESSURE", "End of line, start gated pipe", "PUMPGATED", 1},
        {"GRAVITY", "End of line, start manifold segment", "GRAVTRICKLE", 2},
        {"PUMPED", "End of line, start manifold segment", "PUMPTRICKLE", 2},
        {"FULLFLOW", "End of line (normal)", "FULLEND", 0},
        {"FULLFLOW", "In line w/pressure reducer", "FULLMID", 0},
        {"PRESSURE", "Pipe entrance (any type)", "PUMPBEG", 0},
    };
    for (const Case& c : cases) {
        job.SetHeader({{"SysType", c.sys}, {"SysHas", 0}});
        if (DMod->WorkProfTable->Active()) DMod->WorkProfTable->Close();
        DMod->WorkProfTable->EmptyTable();
        job.AddProfRow({{"Station", 0.0}, {"RecordNo", 1}, {"GroundElev", 50.0}});
        choose(0.0, c.kind);
        reread(0.0);
        EXPECT_EQ(DMod->WorkProfTableReachType->AsString(), c.reach) << c.sys << " " << c.kind;
        EXPECT_EQ(DMod->WorkPipeTableSysHas->AsInteger(), c.sysHas) << c.sys << " " << c.kind;
    }
    EXPECT_EQ(opened, (QStringList{"Gated", "Gated", "Manifold", "Manifold"}));
    EXPECT_TRUE(driver.Messages().empty());
}

TEST_F(NodeTypeTest, NormalEndTakesTheOutletAndDropsTheDownstreamPipe)
{
    profile("GRAVITY");
    Tul->NewNode = false;
    choose(900.0, "End of line (normal)");
    EXPECT_DOUBLE_EQ(DMod->WorkPipeTableOutletElev->AsFloat(), 95.5);
    reread(900.0);
    EXPECT_EQ(DMod->WorkProfTableReachType->AsString(), "GRAVEND");
    EXPECT_EQ(DMod->WorkProfTableDownStreamPipeDescription->AsString(), "");
    // An edited node keeps its invert; only the method's text is written.
    EXPECT_EQ(DMod->WorkProfTableInvElMethod->AsInteger(), 2);
    EXPECT_DOUBLE_EQ(DMod->WorkProfTableInvertElev->AsFloat(), 93.0);
    EXPECT_EQ(DMod->WorkProfTableInvElMethDesc->AsString(), "Set invert at ground level");
}

TEST_F(NodeTypeTest, NewNodesTakeTheirInvertMethodByPosition)
{
    profile("GRAVITY");
    Tul->NewNode = true;
    // The entrance: invert entered directly.
    choose(0.0, "Pipe entrance (any type)");
    reread(0.0);
    EXPECT_EQ(DMod->WorkProfTableInvElMethod->AsInteger(), 1);
    EXPECT_EQ(DMod->WorkProfTableInvElMethDesc->AsString(), "Enter invert elevation directly");
    // The second node: the local defaults (cover 30 in).
    choose(400.0, "In line (normal)");
    reread(400.0);
    EXPECT_EQ(DMod->WorkProfTableInvElMethod->AsInteger(), 0);
    EXPECT_DOUBLE_EQ(DMod->WorkProfTablePipeDepth->AsFloat(), 30.0);
    EXPECT_EQ(DMod->WorkProfTableInvElMethDesc->AsString(), "Give depth to top of pipe (pipe cover)");
    // Later nodes: the method of the node loaded last.
    Tul->InvElMethod = 0;
    Tul->PipeDepth = 42.0;
    choose(900.0, "In line (normal)");
    reread(900.0);
    EXPECT_EQ(DMod->WorkProfTableInvElMethod->AsInteger(), 0);
    EXPECT_DOUBLE_EQ(DMod->WorkProfTablePipeDepth->AsFloat(), 42.0);
    EXPECT_DOUBLE_EQ(DMod->WorkProfTableInvertElev->AsFloat(), 0.0);
}

TEST_F(NodeTypeTest, NewRowInheritsThePreviousNodeAndTheLocalDefaults)
{
    profile("GRAVITY");
    Tul->NewStation = 400.0;
    ASSERT_TRUE(Tul->LocateProfStation());
    DMod->WorkProfTableDiaIn->SetAsFloat(5.8);
    DMod->WorkProfTablePipeType->SetAsString("PVC SDR");
    DMod->WorkProfTablePipeQ->SetAsFloat(390.0);
    DMod->WorkProfTableInvElMethod->SetAsInteger(0);
    DMod->WorkProfTablePipeDepth->SetAsFloat(36.0);
    Tul->LoadCurrentProfRow();
    Tul->JobNumber = 12;

    job.AddProfRow({{"Station", 1500.0}, {"RecordNo", 4}, {"InQ", 5.0}});
    Tul->NewStation = 1500.0;
    ASSERT_TRUE(Tul->LocateProfStation());
    Tul->FillNewProfRow();
    EXPECT_EQ(Tul->NumNodes, 4);
    EXPECT_EQ(DMod->WorkPipeTableNumNodes->AsInteger(), 4);
    reread(1500.0);
    EXPECT_EQ(DMod->WorkProfTableJobNumber->AsInteger(), 12);
    EXPECT_DOUBLE_EQ(DMod->WorkProfTableDiaIn->AsFloat(), 5.8);
    EXPECT_EQ(DMod->WorkProfTablePipeType->AsString(), "PVC SDR");
    EXPECT_DOUBLE_EQ(DMod->WorkProfTablePipeQ->AsFloat(), 390.0);
    EXPECT_DOUBLE_EQ(DMod->WorkProfTableInQ->AsFloat(), 0.0);
    EXPECT_EQ(DMod->WorkProfTableFitting->AsString(), "90 deg Elbow");
    EXPECT_DOUBLE_EQ(DMod->WorkProfTableThBlkSoil->AsFloat(), 2000.0);
    EXPECT_EQ(DMod->WorkProfTableNodeType->AsInteger(), 1);
    EXPECT_EQ(DMod->WorkProfTableNodeTypeDesc->AsString(), "In line (normal)");
    EXPECT_EQ(DMod->WorkProfTableInvElMethod->AsInteger(), 0);
    EXPECT_DOUBLE_EQ(DMod->WorkProfTablePipeDepth->AsFloat(), 36.0);
    EXPECT_EQ(DMod->WorkProfTableInvElMethDesc->AsString(), "Give depth to top of pipe (pipe cover)");

    // A second node takes the defaults' method and cover instead.
    job.AddProfRow({{"Station", 200.0}, {"RecordNo", 2}});
    Tul->NewStation = 200.0;
    ASSERT_TRUE(Tul->LocateProfStation());
    Tul->FillNewProfRow();
    reread(200.0);
    EXPECT_DOUBLE_EQ(DMod->WorkProfTablePipeDepth->AsFloat(), 30.0);
    EXPECT_EQ(DMod->WorkProfTableNodeTypeDesc->AsString(), "In line (normal)");
}

TEST_F(NodeTypeTest, SupplyFlowRunsDownTheProfileAndMeetsTheManifold)
{
    job.SetHeader({{"DesignFlow", 500.0}, {"SysHas", 0}, {"TriclEntQ", 0.0}});
    job.AddProfRow({{"Station", 0.0}});
    job.AddProfRow({{"Station", 100.0}, {"InQ", 40.0}});
    job.AddProfRow({{"Station", 200.0}, {"OutQ", 90.0}});
    job.AddProfRow({{"Station", 300.0}, {"InQ", 10.0}, {"OutQ", 20.0}});
    auto flows = [] {
        QList<double> q;
        db::Table* t = DMod->WorkProfTable;
        for (t->First(); !t->Eof(); t->Next()) q << DMod->WorkProfTablePipeQ->AsFloat();
        return q;
    };
    Tul->AdjustSupplyFlowToManifold();
    EXPECT_EQ(flows(), (QList<double>{500, 540, 450, 440}));
    EXPECT_TRUE(driver.Messages().empty());   // no manifold, no notice

    // A manifold at the end asking for 300 gpm: the supply is cut to match.
    job.SetHeader({{"SysHas", 2}, {"TriclEntQ", 300.0}});
    Tul->AdjustSupplyFlowToManifold();
    EXPECT_EQ(driver.MessageTexts(), QStringList{"Flow rate in supply line will be adjusted to Manifold requirement"});
    EXPECT_EQ(driver.Messages()[0].type, ui::MsgType::Information);
    // Walking up from the manifold: the last reach carries its 300 gpm, each
    // reach above it that plus the outflow less the inflow of the node below,
    // and the entrance takes in what the line then needs.
    EXPECT_EQ(flows(), (QList<double>{360, 400, 310, 300}));
    EXPECT_DOUBLE_EQ(DMod->WorkPipeTableDesignFlow->AsFloat(), 360.0);
    // The supply now meets the manifold: carried down again, nothing changes.
    driver.ClearLog();
    Tul->AdjustSupplyFlowToManifold();
    EXPECT_TRUE(driver.Messages().empty());
    EXPECT_EQ(flows(), (QList<double>{360, 400, 310, 300}));

    // One node carries no supply line.
    driver.ClearLog();
    DMod->WorkProfTable->Close();
    DMod->WorkProfTable->EmptyTable();
    job.AddProfRow({{"Station", 0.0}, {"PipeQ", 7.0}});
    Tul->AdjustSupplyFlowToManifold();
    EXPECT_TRUE(driver.Messages().empty());
    EXPECT_EQ(flows(), QList<double>{7});
}

} // namespace
