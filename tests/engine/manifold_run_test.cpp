#include "engine/manifold_run.h"

#include "engine/gravity_run.h"
#include "model/station.h"
#include "runjob.h"
#include "support/running_program.h"

#include <memory>

using runjob::RunJobTest;

namespace {

// A material with only a Hazen-Williams C of 150 and its sizes of rating 160:
// 1.5 in and 2.0 in, and a second 2.0 in row right after the first. A 1.0 in
// pipe of another rating and a 1.0 in pipe of another material must never be
// candidates.
class ManifoldRunTest : public RunJobTest {
protected:
    void SetUp() override
    {
        RunJobTest::SetUp();
        SetCompMethod(2);
        TDMod* m = DMod;
        OpenAll({m->TypeTable, m->PipeTable, m->WorkPipeTable, m->WorkTrickleTable});
        const int ptype = AddMaterial("Test PVC", 150);
        const int other = AddMaterial("Test Steel", 120);
        AddPipe(150, "Test PVC", "1-1/2 in Test", 1.5, ptype, 160, 0.5);
        AddPipe(200, "Test PVC", "2 in Test", 2.0, ptype, 160, 0.7);
        AddPipe(200, "Test PVC", "2 in Test B", 2.0, ptype, 160, 0.9);
        AddPipe(100, "Test PVC", "1 in Test 200", 1.0, ptype, 200, 0.3);
        AddPipe(100, "Test Steel", "1 in Steel", 1.0, other, 160, 1.0);

        job->SetHeader({{"JobName", "Manifold"}, {"SysType", "MANIFOLD"}, {"SysHas", 4}, {"WaterTemp", 60},
                        {"TriclPType", "Test PVC"}, {"TriclPipeRating", 160}, {"TriclLPsi", 10},
                        {"TriclMVel", 6}, {"TriclMFric", 5}, {"TriclLowSz", 1}, {"TriclHiSz", 3}});
    }

    int AddMaterial(const QString& name, double c)
    {
        TDMod* m = DMod;
        m->TypeTable->Append();
        m->TypeTablePipeType->SetAsString(name);
        m->TypeTableCfactor->SetAsFloat(c);
        m->TypeTableNfactor->SetAsFloat(0);
        m->TypeTableEfactor->SetAsFloat(0);
        m->TypeTableEModulus->SetAsFloat(400000);
        m->TypeTable->Post();
        return m->TypeTablePType->AsInteger();
    }

    void AddPipe(int psize, const QString& type, const QString& descr, double id, int ptype, double rating,
                 double wt)
    {
        TDMod* m = DMod;
        m->PipeTable->Append();
        m->PipeTablePSize->SetAsInteger(psize);
        m->PipeTablePipeType->SetAsString(type);
        m->PipeTablePipeDescription->SetAsString(descr);
        m->PipeTableIDin->SetAsFloat(id);
        m->PipeTablePType->SetAsInteger(ptype);
        m->PipeTableRating->SetAsFloat(rating);
        m->PipeTablePressRtngpsi->SetAsFloat(rating);
        m->PipeTableNomDiam->SetAsFloat(psize / 100.0);
        m->PipeTableWtPerFt->SetAsFloat(wt);
        m->PipeTable->Post();
    }

    void Node(double station, double invert, double gpm)
    {
        testsupport::WorkJob::AddRow(DMod->WorkTrickleTable,
                                     {{"Station", station}, {"InvertElev", invert}, {"GpmAtOutlet", gpm}});
    }

    void Limits(double maxVel, double maxFric)
    {
        DMod->WorkPipeTable->Edit();
        DMod->WorkPipeTableTriclMVel->SetAsFloat(maxVel);
        DMod->WorkPipeTableTriclMFric->SetAsFloat(maxFric);
        DMod->WorkPipeTable->Post();
    }

    // Outlets of 10, 20 and 30 gpm at 0, 100 and 200 ft, all at invert 100, run.
    void RunThreeOutlets()
    {
        Node(0, 100, 10);
        Node(100, 100, 20);
        Node(200, 100, 30);
        Run();
    }

    void Run()
    {
        auto run = std::make_unique<JManfld>();
        run->RunManifold();
    }

    // Moves to node k (0 first) of the manifold.
    void Row(int k)
    {
        DMod->WorkTrickleTable->First();
        for (int i = 0; i < k; ++i)
            DMod->WorkTrickleTable->Next();
    }
    double T(db::Field* f) { return f->AsFloat(); }
};

} // namespace

// Outlets 10, 20, 30 gpm at 0, 100, 200 ft, all inverts 100; 6 ft/s, 5 ft, 10 psi.
// Segment flows: 30 + 20 = 50 and 30; the last node 30; entrance 60 gpm.
// Segment 0 (50 gpm, 100 ft): 1.5 in runs at (50/448.83)/(0.0054542 x 2.25) =
//   9.0777 ft/s > 6; 2.0 in at 5.1061912411 ft/s with 10.4057 x 100 (50/150)^1.85185
//   / 2^4.87037 = 4.6514338103 ft <= 5: 2 in.
// Segment 1 (30 gpm, 100 ft): 1.5 in at 5.4466 ft/s loses 7.3325 ft > 5; 2.0 in at
//   3.0637147447 ft/s loses 1.8061600765 ft: 2 in.
// Minor losses (velocity head V^2/64.4): node 0, 0.7 of its own segment =
//   0.2834042282; node 1, 0.6 of the arriving segment plus a sudden contraction
//   0.7 (V1 - V2)^2/64.4 with V1 = (50/448.8)/(0.0054542 x 4) = 5.1065325,
//   V2 = 3.0637147 = 0.2882777429; node 2, 0.35 of the arriving segment = 0.0510127611.
// Least head 10 x 2.3073373327 = 23.073373327; required HGL 2/12 + 100 + 23.0733733
//   = 123.2400399937 at every node.
// Backward: node 2 123.2400399937; node 1 + 1.8061600765 + 0.2882777429 =
//   125.3344778131; node 0 + 4.6514338103 + 0.2834042282 = 130.2693158515.
// Forward: node 1 130.2693158515 - 4.6514338103 - 0.2834042282 = 125.3344778131;
//   node 2 125.3344778131 - 1.8061600765 - 0.2882777429 - 0.0510127611 = 123.1890272326.
// EGL: node 0 130.2693158515 + 5.1061912411^2/64.4 = 130.6741790346; node 1 + the
//   same velocity head = 125.7393409962; node 2 + 3.0637147447^2/64.4 = 123.3347779785.
// psi: (HGL - 100) x 0.43344 = 13.1199322627, 10.9809760633, 10.0510519637.
// Entrance psi 0.1457554 x 0.43344 + 13.1199322627 = 13.2954161608.
// Total loss 4.6514338103 + 1.8061600765 + 0.2834042282 + 0.2882777429 + 0.0510127611
//   = 7.0802886189.
TEST_F(ManifoldRunTest, ThreeOutletsTakeTwoInchPipeForBothSegments)
{
    RunThreeOutlets();

    TDMod* m = DMod;
    const struct {
        double pipeQ, dia, vel, floss, kloss, hgl, egl, psi, length, rchLen;
        int nodeType;
        const char* descr;
        const char* tsta;
    } want[] = {
        {50, 2.0, 5.11, 4.651, 0.283, 130.27, 130.67, 13.12, 0, 100, 0, "2 in Test", "0+00"},
        {30, 2.0, 3.06, 1.806, 0.288, 125.33, 125.74, 10.98, 100, 100, 1, "2 in Test", "1+00"},
        {30, 2.0, 3.06, 0.0, 0.051, 123.19, 123.33, 10.05, 100, 0, 1, "", "2+00"},
    };
    for (int k = 0; k < 3; ++k) {
        SCOPED_TRACE(k);
        Row(k);
        EXPECT_DOUBLE_EQ(T(m->WorkTrickleTablePipeQ), want[k].pipeQ);
        EXPECT_DOUBLE_EQ(T(m->WorkTrickleTableDiaIn), want[k].dia);
        EXPECT_DOUBLE_EQ(T(m->WorkTrickleTableVel), want[k].vel);
        EXPECT_DOUBLE_EQ(T(m->WorkTrickleTableFloss), want[k].floss);
        EXPECT_DOUBLE_EQ(T(m->WorkTrickleTableKloss), want[k].kloss);
        EXPECT_DOUBLE_EQ(T(m->WorkTrickleTableHgl), want[k].hgl);
        EXPECT_DOUBLE_EQ(T(m->WorkTrickleTableEgl), want[k].egl);
        EXPECT_DOUBLE_EQ(T(m->WorkTrickleTablePsi), want[k].psi);
        EXPECT_DOUBLE_EQ(T(m->WorkTrickleTablePipeLength), want[k].length);
        EXPECT_DOUBLE_EQ(T(m->WorkTrickleTableRchLen), want[k].rchLen);
        EXPECT_EQ(m->WorkTrickleTableNodeType->AsInteger(), want[k].nodeType);
        EXPECT_EQ(m->WorkTrickleTableDownStreamPipeDescription->AsString(), QString(want[k].descr));
        EXPECT_EQ(m->WorkTrickleTableTSta->AsString(), QString(want[k].tsta));
        // The last node keeps the rating and weight of the pipe before it.
        EXPECT_DOUBLE_EQ(T(m->WorkTrickleTablePressurRating), 160.0);
        EXPECT_DOUBLE_EQ(T(m->WorkTrickleTableWtPerFt), 0.7);
        EXPECT_DOUBLE_EQ(T(m->WorkTrickleTableCfac), 150.0);
        EXPECT_EQ(m->WorkTrickleTableCalcMethod->AsString(),
                  QString(k < 2 ? "Hazen Williams, C = 150" : ""));
        EXPECT_EQ(m->WorkTrickleTableWarning->AsString(), QString());
    }
    m->WorkPipeTable->First();
    EXPECT_DOUBLE_EQ(T(m->WorkPipeTableTriclEntQ), 60.0);
    EXPECT_DOUBLE_EQ(T(m->WorkPipeTableTriclEntPsi), 13.30);
    EXPECT_DOUBLE_EQ(T(m->WorkPipeTableTriclEntHgl), 130.269);
    EXPECT_DOUBLE_EQ(T(m->WorkPipeTableTriclTotFric), 7.08);

    EXPECT_DOUBLE_EQ(Tul->TriclMinHead, 10 * 2.3073373327);
    EXPECT_DOUBLE_EQ(Tul->OutletElev, 100.0);
    EXPECT_DOUBLE_EQ(Tul->Cfactor, 150.0);
    EXPECT_EQ(Tul->FrictionMethodUsed, 2);
    EXPECT_EQ(m->PipeFilterMode, 5);
    EXPECT_FALSE(m->PipeTable->Filtered());
    EXPECT_DOUBLE_EQ(m->FilterLow, 1.0);
    EXPECT_DOUBLE_EQ(m->FilterHigh, 3.0);
    EXPECT_DOUBLE_EQ(m->ManifoldMaxVel, 6.0);
    EXPECT_DOUBLE_EQ(m->ManifoldMaxFric, 5.0);
    EXPECT_DOUBLE_EQ(m->ManifoldSegFlow, 30.0);
    EXPECT_DOUBLE_EQ(m->ManifoldSegLength, 100.0);
    EXPECT_FALSE(m->TempTable->Active());
    EXPECT_FALSE(m->Temp1Table->Active());
    // One candidate per inside diameter of the type and rating: 1.5 and 2.0.
    m->Temp1Table->Open();
    EXPECT_EQ(m->Temp1Table->RecordCount(), 2);
    EXPECT_TRUE(Messages().empty());
}

// The same manifold in the gravity designer: every node result keeps all its
// digits, and the contraction at node 1 takes both velocities at 448.83 gpm
// per cfs: 0.6 x 5.1061912411^2/64.4 + 0.7 x (5.1061912411 - 3.0637147447)^2/64.4
// = 0.2882625864. Backward: node 1 123.2400399937 + 1.8061600765 + 0.2882625864
// = 125.3344626566; node 0 + 4.6514338103 + 0.2834042282 = 130.2693006950.
// Forward: node 1 125.3344626566, node 2 - 1.8061600765 - 0.2882625864
// - 0.0510127611 = 123.1890272326. EGL 130.6741638781, 125.7393258396,
// 123.3347779785; psi 13.1199256932, 10.9809694938, 10.0510519637.
TEST_F(ManifoldRunTest, GravityDesignerKeepsEveryDigitOfTheNodeResults)
{
    testsupport::RunningAs gravity(Program::Dunstrow);
    RunThreeOutlets();

    TDMod* m = DMod;
    const struct {
        double vel, floss, kloss, hgl, egl, psi;
    } want[] = {
        {5.1061912411, 4.6514338103, 0.2834042282, 130.2693006950, 130.6741638781, 13.1199256932},
        {3.0637147447, 1.8061600765, 0.2882625864, 125.3344626566, 125.7393258396, 10.9809694938},
        {3.0637147447, 0.0, 0.0510127611, 123.1890272326, 123.3347779785, 10.0510519637},
    };
    for (int k = 0; k < 3; ++k) {
        SCOPED_TRACE(k);
        Row(k);
        EXPECT_NEAR(T(m->WorkTrickleTableVel), want[k].vel, 1e-9);
        EXPECT_NEAR(T(m->WorkTrickleTableFloss), want[k].floss, 1e-9);
        EXPECT_NEAR(T(m->WorkTrickleTableKloss), want[k].kloss, 1e-9);
        EXPECT_NEAR(T(m->WorkTrickleTableHgl), want[k].hgl, 1e-9);
        EXPECT_NEAR(T(m->WorkTrickleTableEgl), want[k].egl, 1e-9);
        EXPECT_NEAR(T(m->WorkTrickleTablePsi), want[k].psi, 1e-9);
    }
    // The entrance totals of the header stay rounded as in Mersol.
    m->WorkPipeTable->First();
    EXPECT_DOUBLE_EQ(T(m->WorkPipeTableTriclEntHgl), 130.269);
    EXPECT_DOUBLE_EQ(T(m->WorkPipeTableTriclTotFric), 7.08);
    EXPECT_TRUE(Messages().empty());
}

// Node 1 five feet higher: its required HGL 128.2400399937 governs. Node 0
// becomes 128.2400399937 + 4.6514338103 + 0.2834042282 = 133.1748780321; forward,
// node 2 = 128.2400399937 - 1.8061600765 - 0.2882777429 - 0.0510127611 =
// 126.0945894132, above its own required 123.24.
TEST_F(ManifoldRunTest, RequiredGradeAtAMiddleNodeRaisesTheNodesUpstream)
{
    Node(0, 100, 10);
    Node(100, 105, 20);
    Node(200, 100, 30);
    Run();

    TDMod* m = DMod;
    const double hgl[] = {133.17, 128.24, 126.09};
    const double psi[] = {14.38, 10.07, 11.31};
    for (int k = 0; k < 3; ++k) {
        Row(k);
        EXPECT_DOUBLE_EQ(T(m->WorkTrickleTableHgl), hgl[k]) << k;
        EXPECT_DOUBLE_EQ(T(m->WorkTrickleTablePsi), psi[k]) << k;
    }
    m->WorkPipeTable->First();
    EXPECT_DOUBLE_EQ(T(m->WorkPipeTableTriclEntHgl), 133.175);
    EXPECT_DOUBLE_EQ(T(m->WorkPipeTableTriclEntPsi), 14.55);
}

// With room for both sizes the faster, smaller pipe wins: 1.5 in at 9.0777 ft/s
// (18.8836 ft) and 5.4466 ft/s (7.3325 ft) within 10 ft/s and 50 ft.
TEST_F(ManifoldRunTest, SmallestPipeWithinBothLimitsIsChosen)
{
    Limits(10, 50);
    Node(0, 100, 10);
    Node(100, 100, 20);
    Node(200, 100, 30);
    Run();
    for (int k = 0; k < 3; ++k) {
        Row(k);
        EXPECT_DOUBLE_EQ(T(DMod->WorkTrickleTableDiaIn), 1.5) << k;
        EXPECT_DOUBLE_EQ(T(DMod->WorkTrickleTableWtPerFt), 0.5) << k;
    }
    Row(0);
    EXPECT_DOUBLE_EQ(T(DMod->WorkTrickleTableFloss), 18.884);
}

// A manifold without an outflow at its first node has no entrance loss there.
TEST_F(ManifoldRunTest, FirstNodeWithoutOutflowHasNoEntranceLoss)
{
    Node(0, 100, 0);
    Node(100, 100, 20);
    Node(200, 100, 30);
    Run();
    Row(0);
    EXPECT_DOUBLE_EQ(T(DMod->WorkTrickleTableKloss), 0.0);
    DMod->WorkPipeTable->First();
    EXPECT_DOUBLE_EQ(T(DMod->WorkPipeTableTriclEntQ), 50.0);
}

// No size meets 1 ft of friction in either segment: the run names both
// segments, marks their nodes and writes no result that would need a pipe.
TEST_F(ManifoldRunTest, SegmentWithoutAQualifyingPipeStopsTheRunWithAMessage)
{
    Limits(6, 1);
    Node(0, 100, 10);
    Node(100, 100, 20);
    Node(200, 100, 30);
    Run();

    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0].type, ui::MsgType::Error);
    EXPECT_TRUE(Messages()[0].text.startsWith("Manifold not computed. No pipe of type \"Test PVC\""));
    EXPECT_TRUE(Messages()[0].text.contains("from station 0+00 to 1+00, 1+00 to 2+00.")) << Messages()[0].text.toStdString();
    TDMod* m = DMod;
    for (int k = 0; k < 3; ++k) {
        SCOPED_TRACE(k);
        Row(k);
        EXPECT_EQ(m->WorkTrickleTableWarning->AsString(),
                  QString(k < 2 ? "ERROR..No pipe size meets the velocity and friction limits." : ""));
        EXPECT_TRUE(m->WorkTrickleTableVel->IsNull());
        EXPECT_TRUE(m->WorkTrickleTableHgl->IsNull());
        EXPECT_TRUE(m->WorkTrickleTableKloss->IsNull());
        EXPECT_TRUE(RowIsFinite(m->WorkTrickleTable));
    }
    m->WorkPipeTable->First();
    EXPECT_TRUE(m->WorkPipeTableTriclEntHgl->IsNull());
    EXPECT_TRUE(RowIsFinite(m->WorkPipeTable));
    EXPECT_FALSE(m->TempTable->Active());
    EXPECT_FALSE(m->Temp1Table->Active());
}

// One node is no manifold, and a material that is not in the table has no
// factors or sizes to size it with: both are refused before anything is written.
TEST_F(ManifoldRunTest, SingleNodeOrUnknownMaterialIsRefused)
{
    Node(0, 100, 10);
    Run();
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0].text, QString("Manifold not computed. A manifold needs at least 2 nodes."));
    Row(0);
    EXPECT_TRUE(DMod->WorkTrickleTablePipeQ->IsNull());

    Node(100, 100, 20);
    DMod->WorkPipeTable->Edit();
    DMod->WorkPipeTableTriclPType->SetAsString("Nope");
    DMod->WorkPipeTable->Post();
    dialogs->ClearLog();
    Run();
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_TRUE(Messages()[0].text.contains("\"Nope\" is not in the pipe material table"));
    Row(0);
    EXPECT_TRUE(DMod->WorkTrickleTablePipeQ->IsNull());
}

TEST_F(ManifoldRunTest, MoreNodesThanAManifoldMayHaveAreRefused)
{
    for (int k = 0; k <= kMaxManifoldNodes; ++k)
        Node(10.0 * k, 100, 1);
    Run();
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0].text, QString("Manifold not computed. The manifold has 151 nodes; it may have at most 150."));
    Row(0);
    EXPECT_TRUE(DMod->WorkTrickleTablePipeQ->IsNull());
}

// Results go back to the nodes' own rows in order; a row that no longer holds
// its node's station is skipped with a warning instead of taking its values.
TEST_F(ManifoldRunTest, ResultsAreNeverWrittenIntoAnotherNodesRow)
{
    Node(0, 100, 10);
    Node(100, 100, 20);
    TSta first, moved;
    first.Station = 0;
    first.Hgl = 130.126;
    moved.Station = 150;   // its row holds 100
    moved.Hgl = 125.0;
    std::vector<TSta*> nodes{&first, &moved};
    JManfld run;
    run.WriteManifoldResults(nodes, 2);

    Row(0);
    EXPECT_DOUBLE_EQ(T(DMod->WorkTrickleTableHgl), 130.13);
    Row(1);
    EXPECT_TRUE(DMod->WorkTrickleTableHgl->IsNull());
    EXPECT_TRUE(Saw(ui::MsgType::Warning, "WARNING..Manifold results not written for the node(s) at station 1+50: "));
}

// A line whose end grade differs from the one the manifold was designed for
// shifts the stored grades by the difference and checks them against the
// least head the manifold run left: 2/12 + 100 + 23.0733733 = 123.24 at the
// top of every 2 in node.
// +2 ft: HGL 132.27, 127.33, 125.19; psi (HGL - 100) x 0.43344 = 13.99, 11.85, 10.92.
// -1 ft: the last node's 122.19 falls short of 123.24.
TEST_F(ManifoldRunTest, ShiftedManifoldIsCheckedAgainstTheLeastHeadOfTheRun)
{
    Node(0, 100, 10);
    Node(100, 100, 20);
    Node(200, 100, 30);
    Run();
    CreateGravObject();
    Grav->CheckTrickleManifold(2.0);

    const double hgl[] = {132.27, 127.33, 125.19};
    const double egl[] = {132.67, 127.74, 125.33};
    const double psi[] = {13.99, 11.85, 10.92};
    for (int k = 0; k < 3; ++k) {
        Row(k);
        EXPECT_DOUBLE_EQ(T(DMod->WorkTrickleTableHgl), hgl[k]) << k;
        EXPECT_DOUBLE_EQ(T(DMod->WorkTrickleTableEgl), egl[k]) << k;
        EXPECT_DOUBLE_EQ(T(DMod->WorkTrickleTablePsi), psi[k]) << k;
        EXPECT_EQ(DMod->WorkTrickleTableWarning->AsString(), QString()) << k;
    }
    EXPECT_TRUE(Messages().empty());

    Grav->CheckTrickleManifold(-3.0);
    Row(2);
    EXPECT_DOUBLE_EQ(T(DMod->WorkTrickleTableHgl), 122.19);
    EXPECT_EQ(DMod->WorkTrickleTableWarning->AsString(),
              QString(" WARNING: Minimum manifold pressure has not been met. Review hydraulic profile."));
    Row(1);
    EXPECT_EQ(DMod->WorkTrickleTableWarning->AsString(), QString());
    EXPECT_EQ(Messages().size(), 1u);
}
