// The maximum-flow gravity run on jobs built in the working tables of a
// temporary database; expected values are worked by hand below each job.
#include "engine/maximum_flow_run.h"
#include "engine/hydraulics.h"
#include "model/data_module.h"
#include "model/number_text.h"
#include "model/station.h"
#include "model/job.h"
#include "platform/ui/seam/msg.h"
#include "support/dialogdriver.h"
#include "support/workjob.h"
#include "support/workprofile.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using testsupport::ProfText;
using testsupport::ProfValue;

struct Node {
    double station = 0, ground = 0, invert = 0, depth = 0, wall = 0;
    int method = 1;                 // invert entered
    double dia = 6, C = 150, n = 0, e = 0;
    double inQ = 0, outQ = 0;
};

class FullFlowTest : public ::testing::Test {
protected:
    testsupport::WorkJob job;
    TDMod& dm = job.Dm();
    DialogDriver dlg;

    void SetUp() override { testsupport::SetCompMethod(2); } // Hazen-Williams first
    void TearDown() override { FreeStationRecords(); }

    void Job(double ws, double outletElev, double outletPsi, const std::vector<Node>& nodes,
             int storedNumNodes = -1)
    {
        job.SetHeader({{"JobName", "Max flow"},
                       {"SysType", "FULLFLOW"},
                       {"WSElev", ws},
                       {"OutletElev", outletElev},
                       {"OutletPsi", outletPsi},
                       {"NumNodes", storedNumNodes < 0 ? int(nodes.size()) : storedNumNodes}});
        for (size_t i = 0; i < nodes.size(); ++i) {
            const Node& nd = nodes[i];
            const bool first = i == 0, last = i + 1 == nodes.size();
            job.AddProfRow({{"Station", nd.station},
                            {"ReachType", first ? "FULLBEG" : last ? "FULLEND" : "FULLMID"},
                            {"NodeType", first ? 0 : last ? 4 : 1},
                            {"GroundElev", nd.ground},
                            {"InvertElev", nd.invert},
                            {"PipeDepth", nd.depth},
                            {"WallThick", nd.wall},
                            {"InvElMethod", nd.method},
                            {"DiaIn", nd.dia},
                            {"Cfac", nd.C},
                            {"Nfac", nd.n},
                            {"Efac", nd.e},
                            {"InQ", nd.inQ},
                            {"OutQ", nd.outQ},
                            {"PipeType", "PVC"},
                            {"DownStreamPipeDescription", "6 in PVC"},
                            // stale results of an earlier run
                            {"Floss", -99},
                            {"CalcMethod", "stale"}});
        }
        dm.WorkProfTable->Close();
    }

    // Loads the job into station records as the run does, for checks at full
    // precision on the search itself.
    void Load(int n)
    {
        dm.WorkPipeTable->Open();
        dm.WorkPipeTable->First();
        CreateStationRecords(n);
        Tul->LoadJobFromWorkTables(psta, n);
        dm.WorkProfTable->First();
        for (int i = 0; i < n; ++i) {
            psta[i]->InvElMethod = dm.WorkProfTableInvElMethod->AsInteger();
            dm.WorkProfTable->Next();
        }
    }
};

// The two-station Hazen-Williams line: water surface 100, outlet 80 ft at
// 0 psi, entrance invert 95 (entered), 6 in pipe with C 150; the end at
// 1000 ft, ground 82, 24 in cover, 0.25 in wall (its stored invert 0 is
// stale: the cover decides).
//
// Invert at the end: 82 - (24 + 0.25 + 6)/12 = 79.4791667.
// Target HGL 80. A pass at Q: v = Q/448.83/(0.0054542*36),
// Hgl_end = 100 - 10.4057*1000*(Q/150)^1.85185/6^4.87037 - v^2/64.4.
// Start Q0 = 0.0054542*36*3*448.83 = 264.384927 gpm, margin 15.038 ft, step
// 75. Trials (margin): 339.38 (12.113), 414.38 (8.574, step 50), 464.38
// (5.884), 514.38 (2.933, 25), 539.38 (1.361), 564.38 (-0.275, step 5),
// 544.38 (1.039), 569.38 (-0.610, 5), 549.38 (0.714, 5), 554.38 (0.387, 1),
// 555.38 ... 559.38 (0.057, 0.33), 559.71 (0.036), 560.04 (0.014),
// 560.37 (-0.008, step 0.066), 560.110927288 (0.0092800): 20 passes.
// There: v = 6.35563002 ft/s, v^2/64.4 = 0.62723654, friction 19.36348345 ft,
// Egl_end = 80.63651655, Hgl_end = 80.00928002, Hgl_0 = 99.37276346,
// Psi_0 = (99.37276346 - 95)*0.43344 = 1.89533, Psi_end = 0.22977,
// StatPres_0 = 5*0.43344 = 2.1672, StatPres_end = 20.5208333*0.43344 = 8.89455.
TEST_F(FullFlowTest, TwoStationHazenWilliamsLineFindsItsLargestFlow)
{
    Job(100, 80, 0,
        {{.station = 0, .ground = 96, .invert = 95, .method = 1},
         {.station = 1000, .ground = 82, .invert = 0, .depth = 24, .wall = 0.25, .method = 0}});

    FFlow->RunFullFlow();

    EXPECT_TRUE(dlg.Messages().empty());
    EXPECT_EQ(Tul->NumNodes, 2);
    EXPECT_EQ(ProfText(0, "PipeQ"), QStringLiteral("560.1"));
    EXPECT_EQ(ProfText(1, "PipeQ"), QStringLiteral("560.1"));
    EXPECT_EQ(ProfText(0, "TSta"), QStringLiteral("0+00"));
    EXPECT_EQ(ProfText(1, "TSta"), QStringLiteral("10+00"));
    EXPECT_DOUBLE_EQ(ProfValue(0, "Hgl"), 99.37);
    EXPECT_DOUBLE_EQ(ProfValue(1, "Hgl"), 80.01);
    EXPECT_DOUBLE_EQ(ProfValue(0, "Egl"), 100.00);
    EXPECT_DOUBLE_EQ(ProfValue(1, "Egl"), 80.64);
    EXPECT_DOUBLE_EQ(ProfValue(0, "Vel"), 6.36);
    EXPECT_DOUBLE_EQ(ProfValue(1, "Vel"), 6.36);
    EXPECT_DOUBLE_EQ(ProfValue(0, "Psi"), 1.90);
    EXPECT_DOUBLE_EQ(ProfValue(1, "Psi"), 0.23);
    EXPECT_DOUBLE_EQ(ProfValue(0, "InvertElev"), 95.00);
    EXPECT_DOUBLE_EQ(ProfValue(1, "InvertElev"), 79.48);
    EXPECT_DOUBLE_EQ(ProfValue(0, "StatPres"), 2.17);
    EXPECT_DOUBLE_EQ(ProfValue(1, "StatPres"), 8.89);
    EXPECT_DOUBLE_EQ(ProfValue(0, "Sgl"), 100.00);
    EXPECT_DOUBLE_EQ(ProfValue(1, "Sgl"), 100.00);
    EXPECT_DOUBLE_EQ(ProfValue(0, "Kloss"), 0.0);
    // The reach's friction and method go on its upstream row; stored text
    // is rounded to 6 significant digits first (19.3635) and then to 3
    // decimals.
    EXPECT_DOUBLE_EQ(ProfValue(0, "Floss"), 19.364);
    EXPECT_EQ(ProfText(0, "CalcMethod"), QStringLiteral("Hazen Williams, C = 150"));
    EXPECT_DOUBLE_EQ(ProfValue(0, "RchLen"), 1000.0);
    EXPECT_EQ(ProfText(0, "Warning"), QString());
    EXPECT_EQ(ProfText(1, "Warning"), QString());
    // The last row keeps no pipe and no reach results of its own.
    EXPECT_EQ(ProfText(1, "PipeType"), QString());
    EXPECT_EQ(ProfText(1, "DownStreamPipeDescription"), QString());
    EXPECT_DOUBLE_EQ(ProfValue(1, "Floss"), -99.0);
    EXPECT_EQ(ProfText(1, "CalcMethod"), QStringLiteral("stale"));

    // The search itself, at full precision.
    Load(2);
    int passes = 0;
    ASSERT_TRUE(FFlow->SolveFullFlow(psta, 2, &passes));
    EXPECT_NEAR(psta[0]->PipeQ, 560.110927288, 1e-6);
    const double margin = psta[1]->Hgl - 80.0;
    EXPECT_GE(margin, 0.0);
    EXPECT_LT(margin, 0.01);
    EXPECT_NEAR(margin, 0.0092800172, 1e-8);
    EXPECT_NEAR(psta[1]->Floss, 19.36348345, 1e-7);
    EXPECT_NEAR(psta[0]->Psi, 1.8953306, 1e-6);
    EXPECT_NEAR(psta[1]->StatPres, 8.89455, 1e-9);
    EXPECT_EQ(passes, 20);
}

// A line whose middle pipe crown, not the outlet, limits the flow: entrance
// invert 95 at water surface 100, crown at 1000 ft 88 + 0.5 = 88.5, outlet 40
// ft at 2000 ft. The middle HGL, 100 - hf(Q, 1000 ft) - v^2/64.4 with
// v = Q/448.8/(0.0054542*36), reaches the crown at Qc = 415.8342950150839 gpm
// (solved by bisection); there hf = 11.15423429 ft, the outlet HGL is
// 77.34576571 ft, 37 ft above the outlet, so the margin never settles and
// the search has to stop once a step no longer moves the flow.
TEST_F(FullFlowTest, SearchEndsWhereAPipeCrownLimitsTheFlow)
{
    Job(100, 40, 0,
        {{.station = 0, .ground = 96, .invert = 95},
         {.station = 1000, .ground = 90, .invert = 88},
         {.station = 2000, .ground = 41, .invert = 40}});

    Load(3);
    int passes = 0;
    ASSERT_TRUE(FFlow->SolveFullFlow(psta, 3, &passes));
    EXPECT_LT(passes, TFFlow::kMaxPasses);
    EXPECT_NEAR(psta[0]->PipeQ, 415.8342950150839, 1e-9);
    EXPECT_GE(psta[1]->Hgl, 88.5);
    EXPECT_NEAR(psta[1]->Hgl, 88.5, 1e-9);
    EXPECT_NEAR(psta[2]->Hgl, 77.34576571228303, 1e-8);
    // Pressure at the crown-limited node: (88.5 - 88)*0.43344.
    EXPECT_EQ(psta[1]->Warning, QStringLiteral("WARNING .. Pressure is less than 1 psi"));
    FreeStationRecords();

    FFlow->RunFullFlow();
    EXPECT_TRUE(dlg.Messages().empty());
    EXPECT_EQ(ProfText(0, "PipeQ"), QStringLiteral("415.8"));
    EXPECT_DOUBLE_EQ(ProfValue(1, "Hgl"), 88.50);
    EXPECT_DOUBLE_EQ(ProfValue(1, "Psi"), 0.22);
    EXPECT_DOUBLE_EQ(ProfValue(2, "Hgl"), 77.35);
    EXPECT_DOUBLE_EQ(ProfValue(1, "Floss"), 11.154);
}

// A pipe crown above the water surface (invert 100 + 0.5 ft at 10+00):
// no flow keeps that pipe full. The run gives up, stores no pass values and
// says why.
TEST_F(FullFlowTest, LineWithoutFeasibleFlowStoresNothingMisleadingAndSaysWhy)
{
    Job(100, 40, 0,
        {{.station = 0, .ground = 96, .invert = 95},
         {.station = 1000, .ground = 101, .invert = 100},
         {.station = 2000, .ground = 41, .invert = 40}});

    FFlow->RunFullFlow();

    const QString why = QStringLiteral("ERROR .. No flow keeps the pipe full, hydraulic gradeline is "
                                       "below top of pipe at station 10+00");
    ASSERT_EQ(dlg.Messages().size(), 1u);
    EXPECT_EQ(dlg.Messages()[0].type, ui::MsgType::Error);
    EXPECT_EQ(dlg.Messages()[0].text, why);
    EXPECT_EQ(ProfText(2, "Warning"), why);
    for (int k = 0; k < 3; ++k) {
        EXPECT_DOUBLE_EQ(ProfValue(k, "PipeQ"), 0.0) << k;
        EXPECT_DOUBLE_EQ(ProfValue(k, "Hgl"), 0.0) << k;
        EXPECT_DOUBLE_EQ(ProfValue(k, "Egl"), 0.0) << k;
        EXPECT_DOUBLE_EQ(ProfValue(k, "Psi"), 0.0) << k;
        EXPECT_DOUBLE_EQ(ProfValue(k, "Kloss"), 0.0) << k;
        EXPECT_DOUBLE_EQ(ProfValue(k, "Vel"), 0.0) << k;
        EXPECT_DOUBLE_EQ(ProfValue(k, "Sgl"), 100.0) << k;
    }
    EXPECT_DOUBLE_EQ(ProfValue(1, "StatPres"), 0.0);
    EXPECT_DOUBLE_EQ(ProfValue(0, "Floss"), 0.0);
    // No method is claimed for a reach that was never computed.
    EXPECT_EQ(ProfText(0, "CalcMethod"), QStringLiteral("stale"));
}

// An outlet whose required HGL plus 3 ft/s of velocity head and 0.1 ft
// reaches the water surface: 9/64.4 + 0 + 99.8 + 0.1 = 100.0398 > 100.
TEST_F(FullFlowTest, OutletTooHighIsRefusedInTheResultRow)
{
    Job(100, 99.8, 0,
        {{.station = 0, .ground = 96, .invert = 95},
         {.station = 1000, .ground = 99, .invert = 98}});

    FFlow->RunFullFlow();

    EXPECT_TRUE(dlg.Messages().empty());
    EXPECT_EQ(ProfText(1, "Warning"),
              QStringLiteral("ERROR .. Outlet or outlet pressure is too high, try again"));
    EXPECT_DOUBLE_EQ(ProfValue(0, "PipeQ"), 0.0);
    EXPECT_DOUBLE_EQ(ProfValue(1, "PipeQ"), 0.0);
    EXPECT_DOUBLE_EQ(ProfValue(0, "StatPres"), 2.17); // (100 - 95)*0.43344
}

// Inverts entered directly (85 at 10+00) or set at the ground (60 at 20+00)
// are kept, though both rows carry a cover of 24 in; 100 gpm leaves at
// 10+00. Water surface 100, outlet 60 ft at 9 psi: target
// 9*2.307124400147656 + 60 = 80.76411960 ft.
// The search settles at Q = 428.714927288 gpm (13 passes): the lower
// reaches carry 328.714927288 gpm; hf = 11.80248968 and 7.21712541 ft;
// v_1 = 328.7149/448.8/0.1963512 = 3.73020773 ft/s;
// Hgl_1 = 100 - 11.80248968 - 0.21606288 = 87.98144744, Psi_1 =
// (87.98144744 - 85)*0.43344 = 1.29228; Hgl_2 = 80.76432203 (margin
// 0.00020243), Psi_2 = 20.76432203*0.43344 = 9.00009; StatPres_1 =
// 15*0.43344 = 6.5016, StatPres_2 = 40*0.43344 = 17.3376.
TEST_F(FullFlowTest, EnteredInvertsAreKeptAndOutflowLeavesTheLine)
{
    Job(100, 60, 9,
        {{.station = 0, .ground = 96, .invert = 95, .method = 1},
         {.station = 1000, .ground = 90, .invert = 85, .depth = 24, .wall = 0.25, .method = 1,
          .outQ = 100},
         {.station = 2000, .ground = 60, .invert = 60, .depth = 24, .wall = 0.25, .method = 2}});

    FFlow->RunFullFlow();

    EXPECT_TRUE(dlg.Messages().empty());
    EXPECT_EQ(ProfText(0, "PipeQ"), QStringLiteral("428.7"));
    EXPECT_EQ(ProfText(1, "PipeQ"), QStringLiteral("328.7"));
    EXPECT_EQ(ProfText(2, "PipeQ"), QStringLiteral("328.7"));
    EXPECT_DOUBLE_EQ(ProfValue(1, "InvertElev"), 85.00);
    EXPECT_DOUBLE_EQ(ProfValue(2, "InvertElev"), 60.00);
    EXPECT_DOUBLE_EQ(ProfValue(1, "Psi"), 1.29);
    EXPECT_DOUBLE_EQ(ProfValue(2, "Psi"), 9.00);
    EXPECT_DOUBLE_EQ(ProfValue(1, "Hgl"), 87.98);
    EXPECT_DOUBLE_EQ(ProfValue(2, "Hgl"), 80.76);
    EXPECT_DOUBLE_EQ(ProfValue(1, "Vel"), 3.73);
    EXPECT_DOUBLE_EQ(ProfValue(0, "Floss"), 11.803); // 11.8025 to 3 decimals
    EXPECT_DOUBLE_EQ(ProfValue(1, "Floss"), 7.217);
    EXPECT_DOUBLE_EQ(ProfValue(1, "StatPres"), 6.50);
    EXPECT_DOUBLE_EQ(ProfValue(2, "StatPres"), 17.34);
}

// The header says 7 nodes; the profile has 2. The run takes the 2 rows.
TEST_F(FullFlowTest, NodeCountComesFromTheProfileRows)
{
    Job(100, 80, 0,
        {{.station = 0, .ground = 96, .invert = 95},
         {.station = 1000, .ground = 82, .invert = 0, .depth = 24, .wall = 0.25, .method = 0}},
        7);

    FFlow->RunFullFlow();

    EXPECT_TRUE(dlg.Messages().empty());
    EXPECT_EQ(Tul->NumNodes, 2);
    EXPECT_EQ(ProfText(1, "PipeQ"), QStringLiteral("560.1"));
}

// A single row cannot be computed: the user is told and nothing is written.
TEST_F(FullFlowTest, ProfileWithoutAnEndIsRefused)
{
    Job(100, 80, 0, {{.station = 0, .ground = 96, .invert = 95}});

    FFlow->RunFullFlow();

    ASSERT_EQ(dlg.Messages().size(), 1u);
    EXPECT_EQ(dlg.Messages()[0].type, ui::MsgType::Error);
    EXPECT_EQ(ProfText(0, "CalcMethod"), QStringLiteral("stale"));
}

} // namespace

namespace {

// Darcy-Weisbach reaches: the search reads the equation order and the
// water's viscosity once, so each reach must still match a friction
// computation made the ordinary way at the flow found, and the stored
// method text must carry the regime, Reynolds number and factor.
TEST_F(FullFlowTest, DarcyWeisbachReachesMatchTheFrictionEquationAtTheFlowFound)
{
    testsupport::SetCompMethod(0);
    Job(100, 80, 0,
        {{.station = 0, .ground = 96, .invert = 95, .C = 0, .e = 0.000005},
         {.station = 1000, .ground = 82, .invert = 79, .C = 0, .e = 0.000005}});
    job.SetHeader({{"WaterTemp", 60}});

    Load(2);
    ASSERT_TRUE(FFlow->SolveFullFlow(psta, 2));
    const TSta& end = *psta[1];
    double re = 0, f = 0;
    QString regime;
    const double hf = Hyd->FrictionLoss(6, psta[0]->PipeQ, 1000, 0.000005, 0, 0, re, regime, f);
    EXPECT_DOUBLE_EQ(end.Floss, hf);
    EXPECT_DOUBLE_EQ(end.Re, re);
    EXPECT_DOUBLE_EQ(end.F, f);
    EXPECT_EQ(end.FlowType, QStringLiteral("Turbulent"));
    const double margin = end.Hgl - 80;
    EXPECT_GE(margin, 0.0);
    EXPECT_LT(margin, 0.01);
    FreeStationRecords();

    FFlow->RunFullFlow();
    EXPECT_EQ(ProfText(0, "CalcMethod"),
              QStringLiteral("Darcy Weisbach, Turbulent,  Re=") + FixedText(re, 10, 0)
                  + QStringLiteral(",  F=") + FixedText(f, 7, 5));
}

// The search tries its flows on a packed copy of the line and computes the
// stations once, at the flow found: each trial must decide (fault, station,
// margin to the last bit) as a pass on the stations does. The line has every
// kind of minor loss, an outflow, an inflow, a size change, a reach too
// small to carry much and, in the second round, Darcy-Weisbach reaches.
TEST_F(FullFlowTest, TrialsOnThePackedLineDecideAsPassesOnTheStations)
{
    for (const int compMethod : {2, 0}) {
        testsupport::SetCompMethod(compMethod);
        const double e = compMethod == 0 ? 0.000005 : 0;
        dm.WorkProfTable->Open();
        dm.WorkProfTable->EmptyTable();
        Job(120, 40, 5,
            {{.station = 0, .ground = 116, .invert = 115, .dia = 8, .e = e},
             {.station = 500, .ground = 110, .invert = 108, .dia = 8, .e = e, .outQ = 120},
             {.station = 1000, .ground = 104, .invert = 101, .dia = 6, .e = e},
             {.station = 1500, .ground = 100, .invert = 96, .dia = 6, .e = e, .inQ = 40},
             {.station = 2000, .ground = 90, .invert = 0, .depth = 30, .wall = 0.3, .method = 0,
              .dia = 10, .e = e},
             {.station = 2600, .ground = 70, .invert = 66, .dia = 4, .e = e},
             {.station = 3000, .ground = 45, .invert = 0, .depth = 24, .wall = 0.25, .method = 0,
              .dia = 12, .e = e}});
        job.SetHeader({{"WaterTemp", 60}});
        Load(7);
        // Entrance, a fitting at its own or the upstream pipe, a size change
        // of each kind and an enlargement.
        psta[0]->K1 = 0.5;
        psta[1]->K1 = 0.3;
        psta[1]->KLocate1 = 0;
        psta[1]->K2 = 1.2;
        psta[1]->KLocate2 = 1;
        psta[2]->K1 = -1;
        psta[3]->K1 = 0.8;
        psta[3]->Kid1 = 4;
        psta[4]->K1 = -3;
        psta[5]->K1 = -4;
        psta[5]->K2 = -2;
        psta[6]->K3 = 0.25;
        FFlow->SolveFullFlow(psta, 7);
        FFlow->LoadLanes(psta, 7);
        const double target = 2.307124400147656 * 5 + 40;
        int completed = 0;
        for (double Q = 5; Q < 1500; Q *= 1.17) {
            const TFFlow::PassResult trial = FFlow->SearchPass(Q, target);
            const TFFlow::PassResult pass = FFlow->RunPass(psta, 7, Q, target);
            EXPECT_EQ(trial.fault, pass.fault) << Q;
            EXPECT_EQ(trial.station, pass.station) << Q;
            EXPECT_EQ(trial.margin, pass.margin) << Q;
            completed += pass.station == 6;
        }
        // The sweep covers passes that stop on the way and passes that reach the end.
        EXPECT_GT(completed, 3) << compMethod;
        EXPECT_LT(completed, 40) << compMethod;
        FreeStationRecords();
    }
}

} // namespace

