// The pumped and pressurised run on hand-worked jobs in the working tables of
// a temporary database. Every expected value below was worked by hand from
// the run's formulas; the working is in the comment above each job.
//
// Shared arithmetic (Hazen-Williams, C 150; V = Q/448.83/(0.0054542 D^2);
// hv = V^2/64.4):
//   6 in, 300 gpm: V = 0.6684040 / 0.1963512 = 3.4041275 ft/s, hv = 0.1799392
//     1000 ft: 10.4057 x 1000 x 2^1.85185 / 6^4.87037 = 6.0932527 ft
//      500 ft: 3.0466264 ft
//   4 in, 100 gpm: V = 2.5530956, hv = 0.1012158; 500 ft: 2.8700654 ft
//   4 in,  80 gpm: V = 2.0424765, hv = 0.0647781; 500 ft: 1.8985803 ft
// Stored values are rounded to 6 significant digits first, then to their
// decimals.
#include "engine/gated_pipe_run.h"
#include "engine/gravity_run.h"
#include "engine/pumped_run.h"
#include "engine/run_steps.h"
#include "model/data_module.h"
#include "model/node_rules.h"
#include "model/profile_text.h"
#include "model/station.h"
#include "model/job.h"
#include "support/dialogdriver.h"
#include "support/workjob.h"
#include "support/workprofile.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>
#include <vector>

namespace {

using testsupport::PipeText;
using testsupport::PipeValue;
using testsupport::ProfIsNull;
using testsupport::ProfText;
using testsupport::ProfValue;
using testsupport::WorkHeader;
using testsupport::WorkJob;
using testsupport::WorkNode;

// A node of 6 in pipe, C 150, carrying 300 gpm.
WorkNode SixInch(double station, double invert, const char* reach)
{
    WorkNode n;
    n.station = station;
    n.invert = invert;
    n.reachType = reach;
    n.pipeQ = 300;
    n.diaIn = 6;
    n.cfac = 150;
    return n;
}

// A node of 4 in pipe, C 150, carrying 100 gpm.
WorkNode FourInch(double station, double invert, const char* reach)
{
    WorkNode n = SixInch(station, invert, reach);
    n.pipeQ = 100;
    n.diaIn = 4;
    return n;
}

WorkHeader Pumped(const char* pumpType)
{
    WorkHeader h;
    h.sysType = "PUMPED";
    h.pumpType = pumpType;
    return h;
}

class PumpRun : public ::testing::Test {
protected:
    void SetUp() override
    {
        oldDir_ = QDir::currentPath();
        ASSERT_TRUE(dir_.isValid());
        QDir::setCurrent(dir_.path());
        CreateGravObject();
        CreateGatedObject();
    }
    void TearDown() override { QDir::setCurrent(oldDir_); }

    // The turbine job: WSElev 100, outlet 120 ft at 20 psi, column
    // loss 5, efficiency 75; 1000 ft of 6 in pipe, C 150, 300 gpm, rating
    // 160, modulus 400000, wall 0.3; pump at invert 95, end at 118.
    static WorkHeader TwoNodeHeader(const char* pumpType)
    {
        WorkHeader h = Pumped(pumpType);
        h.wsElev = 100;
        h.outletElev = 120;
        h.outletPsi = 20;
        h.columnLoss = 5;
        h.pumpEffic = 75;
        return h;
    }
    static std::vector<WorkNode> TwoNodes()
    {
        std::vector<WorkNode> nodes = {SixInch(0, 95, "PUMPBEG"), SixInch(1000, 118, "PUMPEND")};
        for (WorkNode& n : nodes) {
            n.rating = 160;
            n.modulus = 400000;
            n.wallThick = 0.3;
        }
        return nodes;
    }
    void TwoNodeJob(const char* pumpType) { WriteWorkJob(TwoNodeHeader(pumpType), TwoNodes()); }

    // Turbine, 6 in at 300 gpm: 0 (inv 95), 500 (inv 168, a node of kind
    // `kind`, a pressure reducer, with set pressure psiSet), 1000 (end, inv
    // 118); clearance 3 ft.
    void SetPressureJob(double psiSet, int kind = 3)
    {
        WorkHeader h = TwoNodeHeader("TURBINE");
        h.columnLoss = 0;
        std::vector<WorkNode> nodes = {SixInch(0, 95, "PUMPBEG"), SixInch(500, 168, "PUMPMID"),
                                       SixInch(1000, 118, "PUMPEND")};
        nodes[1].psiSet = psiSet;
        nodes[1].nodeType = kind;
        WriteWorkJob(h, nodes);
        Tul->ClearHead = 3;
    }

    // Automatic pressure tank, 4 in at 100 gpm: 0 (inv 100), 500 (inv 136),
    // 1000 (end, inv 110); tank range 20 psi; clearance 3 ft.
    void TankJob(double pumpEye)
    {
        WorkHeader h = Pumped("AUTOPUMP");
        h.wsElev = 95;
        h.outletElev = 112;
        h.outletPsi = 10;
        h.columnLoss = 2;
        h.pumpEffic = 60;
        h.pumpEyeElev = pumpEye;
        h.tankRange = 20;
        std::vector<WorkNode> nodes = {FourInch(0, 100, "PUMPBEG"), FourInch(500, 136, "PUMPMID"),
                                       FourInch(1000, 110, "PUMPEND")};
        for (WorkNode& n : nodes)
            n.rating = 200;
        WriteWorkJob(h, nodes);
        Tul->ClearHead = 3;
    }

    void Run()
    {
        TPump pump;
        pump.RunPumpCalc();
    }

    QStringList TraceLines()
    {
        QFile f(TracePath("pumpFlow.txt"));
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        return QString::fromLocal8Bit(f.readAll()).split('\n', Qt::SkipEmptyParts);
    }

    WorkJob job;
    DialogDriver dialogs;

private:
    QTemporaryDir dir_;
    QString oldDir_;
};

// Turbine, two nodes.
//   End (PUMPEND): Hgl = 2.307124400147656 x 20 + 120 = 166.1424880
//                  Egl = 166.1424880 + 0.1799392 = 166.3224272
//   Node 0: Egl = 166.3224272 + 6.0932527 + 0 = 172.4156799, Hgl = 172.2357408
//           crown 95.5 is below, no raise; Psi = 77.2357408 x 0.43344 = 33.4770595
//   Forward: node 1 Egl = 172.4156799 - 6.0932527 = 166.3224272, Hgl = 166.1424880,
//           Psi = 48.1424880 x 0.43344 = 20.8668800; EndPsi = 46.142488 x 0.43344 = 20.00
//   TDH = 172.4156799 - 100 = 72.4156799; WHP = 72.4156799 x 300 / 3960 = 5.4860364
//   BHP = 5.4860364 / 75 x 100 = 7.3147151 -> "7-1/2" (5.05 < BHP <= 7.575)
//   Surge (node 0, the first of equal velocities): a = 12 sqrt(300000 x 400000 /
//     ((300000 x 6 / 0.3 + 400000) x 1.9378882)) = 1180.37 ft/s,
//     1.9378882 x 1180.37 x 3.4041275 / 144 = 54.0741 psi -> valve (6 in, < 80 psi) 2 in
TEST_F(PumpRun, TurbineTwoNodesSizesThePumpAndStoresEveryRow)
{
    TwoNodeJob("TURBINE");
    Run();

    EXPECT_TRUE(dialogs.MessageTexts().isEmpty()) << dialogs.MessageTexts().join("|").toStdString();
    EXPECT_NEAR(Tul->TDH, 72.4156799, 1e-6);
    EXPECT_NEAR(Tul->WHP, 5.4860364, 1e-6);
    EXPECT_NEAR(Tul->BHP, 7.3147151, 1e-6);
    EXPECT_EQ(Tul->MotorSize, QString("7-1/2"));
    EXPECT_NEAR(Tul->SurgePsi, 54.0741332, 1e-5);
    EXPECT_NEAR(Tul->EndPsi, 20.0, 1e-6);
    EXPECT_EQ(Tul->PinnedEndHgl, 0.0);

    EXPECT_DOUBLE_EQ(PipeValue("TDH"), 72.42);
    EXPECT_DOUBLE_EQ(PipeValue("WHP"), 5.49);
    EXPECT_DOUBLE_EQ(PipeValue("BHP"), 7.31);
    EXPECT_EQ(PipeText("MotorHP"), QString("7-1/2"));
    EXPECT_DOUBLE_EQ(PipeValue("OffElev"), 0.0);

    // Entrance row: its own grades, the reach that leaves it.
    EXPECT_EQ(ProfText(0, "TSta"), QString("0+00"));
    EXPECT_DOUBLE_EQ(ProfValue(0, "PipeLength"), 0.0);
    EXPECT_DOUBLE_EQ(ProfValue(0, "Kloss"), 5.0);   // the column loss
    EXPECT_DOUBLE_EQ(ProfValue(0, "Vel"), 3.40);
    EXPECT_DOUBLE_EQ(ProfValue(0, "Hgl"), 172.24);
    EXPECT_DOUBLE_EQ(ProfValue(0, "Egl"), 172.42);
    EXPECT_DOUBLE_EQ(ProfValue(0, "Psi"), 33.48);
    EXPECT_DOUBLE_EQ(ProfValue(0, "InvertElev"), 95.0);
    EXPECT_DOUBLE_EQ(ProfValue(0, "Floss"), 6.093);
    EXPECT_EQ(ProfText(0, "CalcMethod"), QString("Hazen Williams, C = 150"));
    EXPECT_DOUBLE_EQ(ProfValue(0, "RchLen"), 1000.0);
    EXPECT_DOUBLE_EQ(ProfValue(0, "Surge"), 54.07);
    EXPECT_DOUBLE_EQ(ProfValue(0, "AirVacSize"), 2.0);
    EXPECT_EQ(ProfText(0, "Warning"), QString());
    EXPECT_EQ(ProfText(0, "PipeType"), QString("PVC"));

    // End row: outlet grade; the reach fields after it are left alone.
    EXPECT_EQ(ProfText(1, "TSta"), QString("10+00"));
    EXPECT_DOUBLE_EQ(ProfValue(1, "PipeLength"), 1000.0);
    EXPECT_DOUBLE_EQ(ProfValue(1, "Hgl"), 166.14);
    EXPECT_DOUBLE_EQ(ProfValue(1, "Egl"), 166.32);
    EXPECT_DOUBLE_EQ(ProfValue(1, "Psi"), 20.87);
    EXPECT_DOUBLE_EQ(ProfValue(1, "AirVacSize"), 2.0);
    EXPECT_EQ(ProfText(1, "PipeType"), QString());
    EXPECT_TRUE(ProfIsNull(1, "Floss"));
    EXPECT_TRUE(ProfIsNull(1, "RchLen"));
}

// The turbine job above with its profile read from a text file: the pairs
// give the stations and ground, the end's invert comes from its depth
// (120 - (17.7 + 0.3 + 6) / 12 = 118) and the entrance's is entered; the
// results are those of the job above.
TEST_F(PumpRun, ImportedProfileIsComputedAsThePumpedJobItBelongsTo)
{
    TwoNodeJob("TURBINE");
    WriteImportedProfile({{0, 98}, {1000, 120}});
    EXPECT_EQ(ProfText(0, "ReachType"), QString("PUMPBEG"));
    EXPECT_EQ(ProfText(1, "ReachType"), QString("PUMPEND"));
    testsupport::GivePipes(TwoNodes()[0]);
    testsupport::SetProfField(0, "InvertElev", 95.0);
    testsupport::SetProfField(1, "PipeDepth", 17.7);
    ASSERT_TRUE(ProfIsNull(1, "InvertElev"));
    EXPECT_FALSE(ApplyInvertMethods());
    EXPECT_DOUBLE_EQ(ProfValue(1, "InvertElev"), 118.0);
    Run();

    EXPECT_TRUE(dialogs.MessageTexts().isEmpty()) << dialogs.MessageTexts().join("|").toStdString();
    EXPECT_NEAR(Tul->EndPsi, 20.0, 1e-6);
    EXPECT_NEAR(Tul->TDH, 72.4156799, 1e-6);
    EXPECT_EQ(Tul->MotorSize, QString("7-1/2"));
    EXPECT_DOUBLE_EQ(ProfValue(0, "Hgl"), 172.24);
    EXPECT_DOUBLE_EQ(ProfValue(1, "Hgl"), 166.14);
    EXPECT_DOUBLE_EQ(ProfValue(1, "Psi"), 20.87);
}

TEST_F(PumpRun, TraceFileFollowsThePassInOrder)
{
    TwoNodeJob("TURBINE");
    Run();
    const QStringList lines = TraceLines();
    ASSERT_EQ(lines.size(), 7) << lines.join("\n").toStdString();
    EXPECT_EQ(lines[0], QString("Node 1 Sta= 0.000000,id = 6.000000 Kloss = 5.000000, vel = 3.404127"));
    EXPECT_TRUE(lines[1].startsWith("EndComp Sta= 1000.000000, Q= 300.000000, Floss = 6.093253"));
    EXPECT_EQ(lines[2], QString("Final 1 Sta= 1000.000000, hgl= 166.142488, psi = 20.866880, "
                                "egl= 166.322427, vel = 3.404127"));
    EXPECT_EQ(lines[3], QString("Before ClearHead Sta= 0.000000, hgl= 172.235741"));
    EXPECT_TRUE(lines[4].startsWith("Final 1 Sta= 0.000000, hgl= 172.235741, psi = 33.477059"));
    EXPECT_TRUE(lines[5].startsWith("Forward 1 Sta= 1000.000000, hgl= 166.142488"));
    EXPECT_TRUE(lines[6].startsWith("Final2 Sta= 1000.000000"));
}

// The same job with other entrances (Egl0 = 172.4156799, hv0 = 0.1799392):
//   PROPELLER: TDH = 72.4156799 + 5 = 77.4156799, WHP = 5.8648242,
//              BHP = 7.8197657 -> "10"
//   CENTRIF (TDSH 12.5 in the header, eye 98): 172.4156799 - 98 + 12.5 - 0.1799392
//              = 86.7357407
//   BOOSTER (PsiIn 10, eye 98 in the header): 172.4156799 - 23.071244 - 98 = 51.3444359
TEST_F(PumpRun, HeadByPumpKind)
{
    TwoNodeJob("PROPELLER");
    Run();
    EXPECT_NEAR(Tul->TDH, 77.4156799, 1e-6);
    EXPECT_NEAR(Tul->BHP, 7.8197657, 1e-6);
    EXPECT_EQ(PipeText("MotorHP"), QString("10"));
    EXPECT_DOUBLE_EQ(PipeValue("TDH"), 77.42);

    WorkHeader h = TwoNodeHeader("CENTRIF");
    h.tdsh = 12.5;
    h.pumpEyeElev = 98;
    WriteWorkJob(h, TwoNodes());
    Tul->tdsh = 12.5;
    Run();
    EXPECT_NEAR(Tul->TDH, 86.7357407, 1e-6);
    EXPECT_DOUBLE_EQ(PipeValue("TDH"), 86.74);
    EXPECT_DOUBLE_EQ(PipeValue("TDSH"), 12.5);

    h = TwoNodeHeader("BOOSTER");
    h.psiIn = 10;
    h.pumpEyeElev = 98;
    WriteWorkJob(h, TwoNodes());
    Run();
    EXPECT_NEAR(Tul->TDH, 51.3444359, 1e-6);
    EXPECT_TRUE(dialogs.MessageTexts().isEmpty());

    // At 40 psi its inlet's 190.2849760 ft is more than the 172.4156799 the
    // line needs: no boost, no motor, no line stored.
    h.psiIn = 40;
    WriteWorkJob(h, TwoNodes());
    Run();
    EXPECT_EQ(dialogs.MessageTexts(), QStringList{ProfText(0, "Warning")});
    EXPECT_TRUE(ProfText(0, "Warning").startsWith("ERROR.. Booster pump not sized: the line needs an energy grade of "
                                                  "172.42 ft at the pump, and its inlet pressure of 40.00 psi at the "
                                                  "eye (98.00 ft) gives 190.28 ft, so the line needs no boost."));
    EXPECT_DOUBLE_EQ(PipeValue("TDH"), 0.0);
    EXPECT_EQ(PipeText("MotorHP"), QString());
    EXPECT_TRUE(ProfIsNull(1, "Hgl"));

    // Water at 180 ft gives the turbine more than its 172.42; at 178 ft, less the
    // propeller's 5 ft of column loss, 173.00: TDH -7.58 and -0.58.
    for (const auto& [pump, name, water, gives] :
         {std::tuple{"TURBINE", "Turbine", 180.0, "180.00"}, {"PROPELLER", "Propeller", 178.0, "173.00"}}) {
        dialogs.ClearLog();
        TwoNodeJob(pump);
        job.SetHeader({{"WSElev", water}, {"TDH", 11.11}, {"BHP", 2.22}, {"MotorHP", "3"}});
        Run();
        EXPECT_EQ(dialogs.MessageTexts(), QStringList{QString("ERROR.. %1 pump not sized: the line needs an energy grade of "
            "172.42 ft at the pump, and the water surface at %2 ft gives %3 ft there, so the line needs no pump. Compute "
            "it as a gravity system, known flow.").arg(name, QString::number(water, 'f', 2), gives)});
        EXPECT_DOUBLE_EQ(PipeValue("TDH") + PipeValue("BHP"), 0.0);
        EXPECT_EQ(PipeText("MotorHP"), QString());
        EXPECT_TRUE(ProfIsNull(1, "Hgl"));
    }
}

// PRESSFIND: the main pressure the line needs, (172.4156799 - 95) x 0.43344
// = 33.5550523 psi, stored as the job's inlet pressure; the header's pump
// values are not touched.
TEST_F(PumpRun, FoundMainPressureLeavesPumpValuesAlone)
{
    WorkHeader h = TwoNodeHeader("PRESSFIND");
    h.sysType = "PRESSURE";
    WriteWorkJob(h, TwoNodes());
    job.SetHeader({{"TDH", 11.11}, {"WHP", 2.22}, {"MotorHP", "2"}});
    Run();
    EXPECT_NEAR(Tul->PsiIn, 33.5550523, 1e-6);
    EXPECT_DOUBLE_EQ(PipeValue("PsiIn"), 33.56);   // kept with the job
    EXPECT_DOUBLE_EQ(PipeValue("TDH"), 11.11);
    EXPECT_DOUBLE_EQ(PipeValue("WHP"), 2.22);
    EXPECT_EQ(PipeText("MotorHP"), QString("2"));
    EXPECT_DOUBLE_EQ(ProfValue(0, "Hgl"), 172.24);
}

// Known main pressure, four nodes of 4 in pipe, rating checks off (ratings 0),
// no modulus, clearance 3 ft.
//   G = Egl0 = 2.3071244 x 50 + 100 = 215.35622; Hgl0 = 215.2550042,
//   Psi0 = 49.9561290. Node 1 takes 100 + InQ 50 - OutQ 70 = 80 gpm (its
//   stored 999 not used); node 2 passes the 80 on.
//   1 (inv 210): Egl = 215.35622 - 2.8700654 = 212.4861546, Hgl = 212.4213765
//       above the invert, below the clearance 210 + 4/12 + 3 = 213.333 -> warning
//   2 (inv 214): Egl = 212.4861546 - 1.8985803 = 210.5875743, Hgl = 210.5227962
//       at or below the invert -> error
//   3 (end, inv 150, loaded with 80 gpm): Egl = 208.6889940, Hgl = 208.6242158,
//       EndPsi = 58.6242158 x 0.43344 = 25.4100801 < 30 psi required -> warning
//   Sgl = G everywhere; StatPres = (G - inv) x 0.43344: 50.00, 2.32, 0.59, 28.33
//   No surge station: SurgePsi is cleared, every valve is the under-80 psi size.
TEST_F(PumpRun, KnownPressureMainChecksClearanceAndOutlet)
{
    WorkHeader h = Pumped("PRESSKNOWN");
    h.sysType = "PRESSURE";
    h.psiIn = 50;
    h.outletElev = 150;
    h.outletPsi = 30;
    std::vector<WorkNode> nodes = {FourInch(0, 100, "PUMPBEG"), FourInch(500, 210, "PUMPMID"),
                                   FourInch(1000, 214, "PUMPMID"), FourInch(1500, 150, "PUMPEND")};
    nodes[1].outQ = 70;
    nodes[1].inQ = 50;
    nodes[1].pipeQ = 999;
    nodes[2].pipeQ = 999;
    nodes[3].pipeQ = 80;
    WriteWorkJob(h, nodes);
    job.SetHeader({{"TDH", 11.11}});
    Tul->ClearHead = 3;
    Tul->SurgePsi = 150;   // from an earlier job
    Run();

    const QStringList expected = {
        "WARNING.. HGL of 212.42 is below required clearance elevation",
        "ERROR.. HGL of 210.52 is below high point pipe invert. Raise inlet pressure.",
        "WARNING.. Pressure at outlet (25.41 psi), is less than required 30.00 psi"};
    EXPECT_EQ(dialogs.MessageTexts(), expected);
    ASSERT_EQ(dialogs.Messages().size(), 3u);
    EXPECT_EQ(dialogs.Messages()[1].type, ui::MsgType::Error);
    EXPECT_EQ(ProfText(0, "Warning"), expected[2]);

    EXPECT_NEAR(Tul->EndPsi, 25.4100801, 1e-6);
    EXPECT_EQ(Tul->SurgePsi, 0.0);
    EXPECT_DOUBLE_EQ(ProfValue(0, "Hgl"), 215.26);
    EXPECT_DOUBLE_EQ(ProfValue(0, "Psi"), 49.96);
    EXPECT_DOUBLE_EQ(ProfValue(1, "Vel"), 2.04);
    EXPECT_DOUBLE_EQ(ProfValue(1, "Hgl"), 212.42);
    EXPECT_DOUBLE_EQ(ProfValue(2, "Hgl"), 210.52);
    EXPECT_DOUBLE_EQ(ProfValue(3, "Hgl"), 208.62);
    const double statPres[] = {50.00, 2.32, 0.59, 28.33};
    for (int i = 0; i < 4; ++i) {
        EXPECT_DOUBLE_EQ(ProfValue(i, "Sgl"), 215.36) << i;
        EXPECT_DOUBLE_EQ(ProfValue(i, "StatPres"), statPres[i]) << i;
    }
    // Valves at both ends and the high point (node 2), none at node 1.
    const double valve[] = {2.0, 0.0, 2.0, 2.0};
    for (int i = 0; i < 4; ++i)
        EXPECT_DOUBLE_EQ(ProfValue(i, "AirVacSize"), valve[i]) << i;
    EXPECT_TRUE(ProfIsNull(0, "Surge"));
    // Known pressure sizes no pump.
    EXPECT_NEAR(Tul->TDH, 215.35622, 1e-6);
    EXPECT_DOUBLE_EQ(PipeValue("TDH"), 11.11);
}

// Water at 95 ft, 100 gpm, 200 taken in at 5+00, 250 given up at 8+00, the end
// 5 psi at 100 ft: reaches of 100, 300, 50 gpm (not the stored 999). Egl 111.5356220
// + hv(50) 0.0049983 + hf 0.0441428 = 111.5847631 at 8+00 (Hgl 111.58), + 1.8279758
// + 0.3983476 = 113.8110865 at the pump. 450 given up leaves -150 gpm: refused.
TEST_F(PumpRun, InflowsAreCarriedDownAndAFlowBelowZeroIsRefused)
{
    std::vector<WorkNode> nodes = {SixInch(0, 95, "PUMPBEG"), SixInch(500, 96, "PUMPMID"),
                                   SixInch(800, 97, "PUMPMID"), SixInch(1000, 98, "PUMPEND")};
    nodes[0].pipeQ = 100, nodes[1].pipeQ = nodes[2].pipeQ = 999, nodes[3].pipeQ = 50;
    nodes[1].inQ = 200, nodes[2].outQ = 250;
    WriteWorkJob(TwoNodeHeader("TURBINE"), nodes);
    job.SetHeader({{"WSElev", 95.0}, {"OutletElev", 100.0}, {"OutletPsi", 5.0}, {"ColumnLoss", 0.0}});
    Run();
    EXPECT_NEAR(Tul->TDH, 18.8110865, 1e-6);
    EXPECT_DOUBLE_EQ(ProfValue(2, "Hgl"), 111.58);
    testsupport::SetProfField(2, "OutQ", 450.0);
    Run();
    EXPECT_EQ(dialogs.MessageTexts(), QStringList{"ERROR.. The flow at Sta 8+00 is -150.0 gpm, below zero. Check the "
                                                  "design flow and the outflows above it."});
}

// A main of 10 psi cannot lift the line's 300 gpm to its end at 118 ft:
//   Egl0 = 2.3071244 x 10 + 95 = 118.071244; end Egl 118.071244 - 6.093253
//   = 111.977991, Hgl 111.798052 below the crown 118 + 6/12 = 118.5:
// the run says so at the end's station, besides the outlet's own warning
// ((111.798052 - 120) x 0.43344 = -3.56 psi).
TEST_F(PumpRun, GradeLineEndingBelowTheCrownIsWarnedAtItsStation)
{
    WorkHeader h = TwoNodeHeader("PRESSKNOWN");
    h.sysType = "PRESSURE";
    h.psiIn = 10;
    WriteWorkJob(h, TwoNodes());
    Run();

    const QString below = "WARNING.. HGL of 111.80 is below the top of the pipe (118.50), so the pipe does not run full here.";
    EXPECT_EQ(dialogs.MessageTexts(),
              (QStringList{"Sta 10+00 " + below,
                           "WARNING.. Pressure at outlet (-3.56 psi), is less than required 20.00 psi"}));
    EXPECT_EQ(ProfText(1, "Warning"), below);
    EXPECT_DOUBLE_EQ(ProfValue(1, "Hgl"), 111.80);
}

// Automatic pressure tank (TankJob), AutoPct 50 (the shipped defaults), 2 ft
// of pump piping between the pump and the line.
//   Middle node 1 (inv 136): clear = 136 + 4/12 + 3 = 139.3333333 = OnElev,
//     OffElev = 139.3333333 + 2.3071244 x 20 = 185.4758213
//   End: Hgl = 2.307124400147656 x 10 + 112 = 135.0712440, Egl = 135.1724598
//   Backward: node 1 Egl = 135.1724598 + 2.8700654 = 138.0425252,
//     Hgl = 137.9413094 < 139.3333333 -> raised to 139.3333333 (raised max),
//     Egl = 139.4345491; node 0 Egl = 139.4345491 + 2.8700654 + 2 (piping)
//     = 144.3046145, Hgl = 144.2033987
//   Tank: t = 2.3071244 x 20 x 0.5 = 23.071244; raised max = OnElev, so
//     Hgl0 = max(144.2033987, 139.3333333 + 23.071244 + 2) = 164.4045773,
//     Egl0 = 164.5057931, Psi0 = 64.4045773 x 0.43344 = 27.9155;
//     OnElev = 164.4045773 - 23.071244 - 2 = 139.3333333, OffElev = 185.4758213
//   Forward: node 1 Egl = 164.5057931 - 2.8700654 - 0 - 2 (piping) = 159.6357278,
//     Hgl = 159.5345120; node 2 Egl = 156.7656624, Hgl = 156.6644466
//   Sgl = OffElev at every node; StatPres = (185.4758213 - inv) x 0.43344:
//     37.05, 21.44, 32.71
//   TDH = 164.5057931 - 95 = 69.5057931, WHP = 1.7551968, BHP (60 %) = 2.9253280 -> "3"
//   Off pressure (eye 96) = 89.4758213 x 0.43344 = 38.78 psi: no message.
//   Stored: 164.4045773 -> 164.405 -> 164.41, 159.5345120 -> 159.535 -> 159.54.
TEST_F(PumpRun, PressureTankFindsOnAndOffElevations)
{
    TankJob(96);
    Run();

    EXPECT_TRUE(dialogs.MessageTexts().isEmpty()) << dialogs.MessageTexts().join("|").toStdString();
    EXPECT_NEAR(Tul->OnElev, 139.3333333, 1e-6);
    EXPECT_NEAR(Tul->OffElev, 185.4758213, 1e-6);
    EXPECT_NEAR(Tul->TDH, 69.5057931, 1e-6);
    EXPECT_EQ(Tul->MotorSize, QString("3"));
    EXPECT_DOUBLE_EQ(PipeValue("OnElev"), 139.33);
    EXPECT_DOUBLE_EQ(PipeValue("OffElev"), 185.48);
    EXPECT_DOUBLE_EQ(PipeValue("TDH"), 69.51);

    EXPECT_DOUBLE_EQ(ProfValue(0, "Hgl"), 164.41);
    EXPECT_DOUBLE_EQ(ProfValue(0, "Egl"), 164.51);
    // The pump's pressure follows the grade the tank sets.
    EXPECT_DOUBLE_EQ(ProfValue(0, "Psi"), 27.92);
    EXPECT_DOUBLE_EQ(ProfValue(1, "Hgl"), 159.54);
    EXPECT_DOUBLE_EQ(ProfValue(2, "Hgl"), 156.66);
    const double statPres[] = {37.05, 21.44, 32.71};
    for (int i = 0; i < 3; ++i) {
        EXPECT_DOUBLE_EQ(ProfValue(i, "Sgl"), 185.48) << i;
        EXPECT_DOUBLE_EQ(ProfValue(i, "StatPres"), statPres[i]) << i;
    }
    // Node 1 is the high point.
    EXPECT_DOUBLE_EQ(ProfValue(1, "AirVacSize"), 2.0);
}

// Off pressure of the same tank with the pump eye lowered:
//   eye -200: 385.4758213 x 0.43344 = 167.08 psi -> error (no tank system)
//   eye -100: 285.4758213 x 0.43344 = 123.74 psi -> warning (special tank)
TEST_F(PumpRun, PressureTankOffPressureLimits)
{
    TankJob(-200);
    Run();
    const QString error =
        "ERROR.. Off pressure of 167.08 is over 150 psi.  Do Not use a pressure tank system.";
    EXPECT_EQ(dialogs.MessageTexts(), QStringList{error});
    EXPECT_EQ(dialogs.Messages().back().type, ui::MsgType::Error);
    EXPECT_EQ(ProfText(0, "Warning"), error);

    dialogs.ClearLog();
    TankJob(-100);
    Run();
    EXPECT_EQ(dialogs.MessageTexts(),
              QStringList{"WARNING.. Off pressure of 123.74 is over 110 psi.  A special pressure "
                          "tank is required."});
}

// A set-pressure node after a clearance raise (SetPressureJob).
//   End Egl = 166.3224272; node 1 Egl = 166.3224272 + 3.0466264 = 169.3690536,
//   Hgl = 169.1891144 <= clear 168 + 0.5 + 3 = 171.5 -> raised to 171.5.
//   Without a set pressure: node 0 Egl = 171.6799392 + 3.0466264 = 174.7265656,
//     TDH 74.7265656; forward Hgl: node 1 171.5, end 168.4533736.
//   With PsiSet 1: Psi at the raise = 3.5 x 0.43344 = 1.51704 > 1, so the raise
//     is undone: Hgl = 169.1891144, PsiSet = 1.1891144 x 0.43344 = 0.5154097;
//     node 0 Egl = 172.4156799, TDH 72.4156799; forward restarts from the set
//     pressure: end Egl = 2.3071244 x 0.5154097 + 168 + 0.1799392 - 3.0466264,
//     Hgl = 166.1424880.
// A plain node whose row still holds a set pressure runs as plain.
TEST_F(PumpRun, ClearanceRaiseHoldsWithoutASetPressure)
{
    for (const auto& [psiSet, kind] : {std::pair{0.0, 3}, {1.0, 1}}) {
        SetPressureJob(psiSet, kind);
        Run();
        EXPECT_NEAR(Tul->TDH, 74.7265656, 1e-6);
        EXPECT_DOUBLE_EQ(ProfValue(1, "Hgl"), 171.50);
        EXPECT_DOUBLE_EQ(ProfValue(2, "Hgl"), 168.45);
    }
}

// The reducer keeps its 1 psi: the pump brings it 170.3071244 ft (not the
// clearance's 171.5), TDH 170.4870636 + 3.0466264 - 100 = 73.5336900; the
// end 170.3071244 + 0.1799392 - 3.0466264 - 0.1799392 = 167.26. A 34 psi
// main brings it 170.2156640, 0.96 psi, passed on: the end 167.17.
TEST_F(PumpRun, SetPressureNodeUndoesItsClearanceRaise)
{
    SetPressureJob(1);
    Run();
    EXPECT_NEAR(Tul->TDH, 73.5336900, 1e-6);
    EXPECT_DOUBLE_EQ(ProfValue(1, "Hgl"), 170.31);
    EXPECT_DOUBLE_EQ(ProfValue(2, "Hgl"), 167.26);
    EXPECT_TRUE(dialogs.MessageTexts().filter("pressure reducer").isEmpty());

    job.SetHeader({{"PumpType", "PRESSKNOWN"}, {"SysType", "PRESSURE"}, {"PsiIn", 34.0}});
    Run();
    EXPECT_EQ(ProfText(1, "Warning"), "WARNING.. The pressure reducer at Sta 5+00 receives 0.96 psi, below its set "
                                      "pressure of 1.00 psi, so it passes the 0.96 psi on.");
    EXPECT_DOUBLE_EQ(ProfValue(2, "Hgl"), 167.17);

    // Set at 0.3 psi it gives 168 + 0.3 x 2.3071244 = 168.69 ft, short of the
    // 169.19 ft the line below needs: the run says so at its station.
    dialogs.ClearLog();
    SetPressureJob(0.3);
    Run();
    EXPECT_TRUE(dialogs.MessageTexts().contains(
        "Sta 5+00 WARNING.. The line below the pressure reducer needs HGL 169.19 ft, above the "
        "168.69 ft its set pressure of 0.30 psi gives. Raise its set pressure."))
        << dialogs.MessageTexts().join("\n").toStdString();
    EXPECT_DOUBLE_EQ(ProfValue(1, "PsiSet"), 0.3);

    // Ending in a manifold that wants 180 ft, above the 165.64 the reducer
    // leaves there, both passes find 180 + 3.0466264 needed: said once.
    dialogs.ClearLog();
    job.SetHeader({{"SysHas", 2}, {"TriclEntHgl", 180.0}});
    testsupport::SetProfField(2, "ReachType", "PUMPTRICKLE");
    Run();
    const QString needs = "WARNING.. The line below the pressure reducer needs HGL 183.05 ft, above the 168.69 ft "
                          "its set pressure of 0.30 psi gives. Raise its set pressure.";
    EXPECT_EQ(dialogs.MessageTexts().filter("pressure reducer"), QStringList{"Sta 5+00 " + needs});
    EXPECT_EQ(ProfText(1, "Warning"), needs);
}

// Ratings 40 psi on the first two of three nodes (0 inv 95, 500 inv 100,
// 1000 end inv 118), turbine, 6 in at 300 gpm, no clearance head.
//   Entrance: Psi0 = 33.48 (as in the two-node job) > 0.72 x 40 = 28.8 -> the
//     72 % warning, down stream, named by the second node's station.
//   Node 1: Egl = 172.4156799 - 3.0466264 = 169.3690536, Hgl = 169.1891144,
//     Psi = 69.1891144 x 0.43344 = 29.9893 -> 72 % of both pipes.
//   End: 20.87 psi, below 28.8: no warning.
TEST_F(PumpRun, RatingChecksAtTheEntranceAndTheNodeBelowIt)
{
    WorkHeader h = TwoNodeHeader("TURBINE");
    h.columnLoss = 0;
    std::vector<WorkNode> nodes = {SixInch(0, 95, "PUMPBEG"), SixInch(500, 100, "PUMPMID"),
                                   SixInch(1000, 118, "PUMPEND")};
    nodes[0].rating = 40;
    nodes[1].rating = 40;
    WriteWorkJob(h, nodes);
    Run();
    const QString entrance =
        "WARNING .. Pressure of 33.48 is greater than 72% of pipe pressure rating, down stream.";
    const QString node1 = "WARNING .. Pressure of 29.99 is greater than 72% of pipe pressure "
                          "rating, up and down stream.";
    EXPECT_EQ(dialogs.MessageTexts(), (QStringList{"Sta 5+00 " + entrance, "Sta 5+00 " + node1}));
    EXPECT_EQ(ProfText(0, "Warning"), entrance);
    EXPECT_EQ(ProfText(1, "Warning"), node1);
    EXPECT_EQ(ProfText(2, "Warning"), QString());
}

// A manifold at the end that needs 180 ft of grade, above the 166.14 the
// first pass leaves there: a second pass with the end pinned at 180.
//   Node 0 Egl = 180 + 0.1799392 + 6.0932527 = 186.2731919, TDH = 86.2731919
// With 166.14 (equal to the stored end grade) there is one pass only.
TEST_F(PumpRun, ManifoldEndPinsTheGradeForASecondPass)
{
    WorkHeader h = TwoNodeHeader("TURBINE");
    h.sysHas = 2;
    h.triclEntHgl = 180;
    WriteWorkJob(h, TwoNodes());
    Run();
    EXPECT_EQ(Tul->PinnedEndHgl, 180.0);
    EXPECT_NEAR(Tul->TDH, 86.2731919, 1e-6);
    EXPECT_DOUBLE_EQ(ProfValue(1, "Hgl"), 180.0);
    EXPECT_DOUBLE_EQ(PipeValue("TDH"), 86.27);
    EXPECT_EQ(TraceLines().filter(QRegularExpression("^Node 1 ")).size(), 2);

    h.triclEntHgl = 166.14;
    WriteWorkJob(h, TwoNodes());
    Run();
    EXPECT_EQ(Tul->PinnedEndHgl, 0.0);
    EXPECT_NEAR(Tul->TDH, 72.4156799, 1e-6);
    EXPECT_EQ(TraceLines().filter(QRegularExpression("^Node 1 ")).size(), 1);
}

// The same job ending in gated pipe (end reach PUMPGATED, no clearance head):
// the first pass leaves the end at OutletElev = 120 ft. The gated pipe wants
// 20 psi at its start, 2.3071244 x 20 + 121 (the end's ground) = 167.142488,
// so the line runs again pinned there:
//   Node 0 Egl = 167.142488 + 0.1799392 + 6.0932527 = 173.4156799, TDH 73.4156799
TEST_F(PumpRun, GatedEndRunsTheGatedPipeAndItsPinnedPass)
{
    WorkHeader h = TwoNodeHeader("TURBINE");
    h.sysHas = 1;
    std::vector<WorkNode> nodes = TwoNodes();
    nodes[1].reachType = "PUMPGATED";
    WriteWorkJob(h, nodes);
    WorkJob::AddRow(job.Dm().WorkGatedTable,
                    {{"StartSta", 1000}, {"StartElev", 121}, {"EndSta", 1500}, {"EndElev", 119},
                     {"IsMidSeg", false}, {"GateSpace", 30}, {"GateFlow", 50}, {"Cfac", 150},
                     {"K1State", "N"}, {"K2State", "N"}});
    Run();

    EXPECT_NEAR(Tul->PinnedEndHgl, 167.142488, 1e-6);
    EXPECT_NEAR(Tul->TDH, 73.4156799, 1e-6);
    EXPECT_DOUBLE_EQ(ProfValue(1, "Hgl"), 167.14);
    EXPECT_EQ(ProfText(1, "PipeType"), QString("PVC"));   // a gated end keeps its pipe
    EXPECT_DOUBLE_EQ(job.Dm().WorkGatedTableStartHGL->AsFloat(), 167.14);
    EXPECT_EQ(TraceLines().filter(QRegularExpression("^Node 1 ")).size(), 2);

    // From water at 150 ft the first pass (126.27 at the pump) needs no pump,
    // the pinned one does: TDH 23.4156799.
    job.SetHeader({{"WSElev", 150.0}});
    Run();
    EXPECT_NEAR(Tul->TDH, 23.4156799, 1e-6);
}

TEST_F(PumpRun, ZeroEfficiencyIsRefusedAndNothingNonFiniteIsStored)
{
    WorkHeader h = TwoNodeHeader("TURBINE");
    h.pumpEffic = 0;
    WriteWorkJob(h, TwoNodes());
    job.SetHeader({{"BHP", 9.99}, {"MotorHP", "10"}});   // an earlier run's
    Run();
    ASSERT_EQ(dialogs.MessageTexts().size(), 1);
    EXPECT_TRUE(dialogs.MessageTexts()[0].contains("pump efficiency is 0"));
    EXPECT_NEAR(Tul->WHP, 5.4860364, 1e-6);
    EXPECT_EQ(Tul->BHP, 0.0);
    EXPECT_DOUBLE_EQ(PipeValue("WHP"), 5.49);
    EXPECT_DOUBLE_EQ(PipeValue("BHP"), 0.0);
    EXPECT_EQ(PipeText("MotorHP"), QString());

    for (db::Table* t : {job.Dm().WorkPipeTable, job.Dm().WorkProfTable}) {
        if (!t->Active())
            t->Open();
        for (t->First(); !t->Eof(); t->Next()) {
            for (int f = 0; f < t->FieldCount(); ++f) {
                const db::FieldType type = t->Fields(f)->DataType();
                if (type == db::FieldType::Alpha || type == db::FieldType::Memo
                    || type == db::FieldType::Logical)
                    continue;
                EXPECT_TRUE(std::isfinite(t->Fields(f)->AsFloat()))
                    << t->Fields(f)->FieldName().toStdString();
            }
        }
    }
}

TEST_F(PumpRun, PipeWithoutDiameterRefusesTheRun)
{
    std::vector<WorkNode> nodes = TwoNodes();
    nodes[0].diaIn = 0;
    WriteWorkJob(TwoNodeHeader("TURBINE"), nodes);
    Run();
    ASSERT_EQ(dialogs.Messages().size(), 1u);
    EXPECT_EQ(dialogs.Messages()[0].type, ui::MsgType::Error);
    EXPECT_TRUE(dialogs.MessageTexts()[0].contains("Sta 0+00"));
    EXPECT_TRUE(ProfIsNull(0, "Hgl"));
    EXPECT_TRUE(ProfIsNull(1, "Hgl"));
    EXPECT_TRUE(job.Dm().WorkPipeTableTDH->IsNull());
}

TEST_F(PumpRun, FastPlasticPipeIsWarned)
{
    std::vector<WorkNode> nodes = TwoNodes();
    nodes[0].maxVel = 3.0;   // 3.40 ft/s runs in it
    WriteWorkJob(TwoNodeHeader("TURBINE"), nodes);
    Run();
    const QString text = "WARNING.. Velocity greater than 5.0 ft/sec in plastic pipe";
    EXPECT_EQ(dialogs.MessageTexts(), QStringList{text});
    EXPECT_EQ(ProfText(0, "Warning"), text);
}

// A station record with no row of its own is reported and skipped; the other
// rows are written and no row is written twice.
TEST_F(PumpRun, StationWithoutRowIsSkippedWithAWarning)
{
    TwoNodeJob("TURBINE");
    Tul->PumpTypeCode = 2;
    TSta a, lost, b;
    a.Station = 0;
    a.DiaIn = 6;
    a.Hgl = 150;
    lost.Station = 500;
    lost.DiaIn = 6;
    lost.Hgl = 140;
    b.Station = 1000;
    b.DiaIn = 6;
    b.Hgl = 130;
    TSta* sta[] = {&a, &lost, &b};
    TPump pump;
    pump.StorePumpResults(sta, 3);

    EXPECT_EQ(dialogs.MessageTexts(),
              QStringList{"WARNING.. No profile row has Sta 5+00, so its results were not stored."});
    EXPECT_DOUBLE_EQ(ProfValue(0, "Hgl"), 150.0);
    EXPECT_DOUBLE_EQ(ProfValue(1, "Hgl"), 130.0);
    db::Table* t = job.Dm().WorkProfTable;
    t->Open();
    EXPECT_EQ(t->RecordCount(), 2);
}

TEST_F(PumpRun, SingleNodeProfileIsRefused)
{
    WriteWorkJob(TwoNodeHeader("TURBINE"), {SixInch(0, 95, "PUMPBEG")});
    Run();
    ASSERT_EQ(dialogs.Messages().size(), 1u);
    EXPECT_EQ(dialogs.Messages()[0].type, ui::MsgType::Error);
    EXPECT_FALSE(QFile::exists(TracePath("pumpFlow.txt")));
}

} // namespace
