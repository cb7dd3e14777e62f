// The known-flow gravity run on jobs written into the working tables of a
// temporary database. Expected values are worked by hand from the equations
// at full precision (the working is in the comments) and compared with the
// stored values at their stored rounding.
#include "engine/gated_pipe_run.h"
#include "engine/gravity_run.h"
#include "engine/pump_results.h"
#include "engine/run_steps.h"
#include "model/data_module.h"
#include "model/station.h"
#include "model/job.h"
#include "platform/db/db.h"
#include "support/dialogdriver.h"
#include "support/workjob.h"
#include "support/workprofile.h"
#include "support/running_program.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTextStream>

#include <cmath>

using testsupport::PipeText;
using testsupport::PipeValue;
using testsupport::ProfIsNull;
using testsupport::ProfText;
using testsupport::ProfValue;
using testsupport::WorkHeader;
using testsupport::WorkNode;

namespace {

class GravityRun : public ::testing::Test {
protected:
    // A data module on a fresh database in DMod, a fresh job object in Tul.
    testsupport::WorkJob job;
    TDMod& dm = job.Dm();
    DialogDriver dialogs;
    QTemporaryDir workDir;
    QString oldDir;

    void SetUp() override
    {
        oldDir = QDir::currentPath();
        // The trace file goes to the working directory.
        QDir::setCurrent(workDir.path());
        testsupport::SetCompMethod(2);   // Hazen-Williams, Darcy-Weisbach, Manning
    }
    void TearDown() override
    {
        QDir::setCurrent(oldDir);
    }

    QString TraceText() const
    {
        QFile f(TracePath("GravFlow.txt"));
        if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
            return QString();
        return QString::fromLocal8Bit(f.readAll());
    }

    std::vector<ui::MsgType> MessageTypes() const
    {
        std::vector<ui::MsgType> out;
        for (const auto& m : dialogs.Messages())
            out.push_back(m.type);
        return out;
    }
};

// A node downstream of `base` with base's pipe: an inner node or the end.
WorkNode Mid(WorkNode base, double station, double invert)
{
    base.station = station;
    base.invert = invert;
    base.reachType = "GRAVMID";
    base.nodeType = 1;
    return base;
}

WorkNode End(WorkNode base, double station, double invert)
{
    base.station = station;
    base.invert = invert;
    base.reachType = "GRAVEND";
    base.nodeType = 4;
    return base;
}

// A 6 in Hazen-Williams pipe, C 150, 500 gpm from a water surface at 100 ft,
// three stations 500 ft apart. Station 1 has a 90 degree elbow thrust block
// and a pipe rated 30 psi downstream of it; every pipe has a modulus, so the
// surge is found at the fastest station.
std::vector<WorkNode> HazenLine()
{
    WorkNode n0{.station = 0, .invert = 95, .pipeQ = 500, .diaIn = 6, .cfac = 150, .rating = 100,
                .reachType = "GRAVBEG", .nodeType = 0, .modulus = 400000, .wallThick = 0.3};
    WorkNode n1 = Mid(n0, 500, 40);
    n1.rating = 30;
    n1.fitting = "90 deg Elbow";
    n1.soil = 1000;
    WorkNode n2 = End(n0, 1000, 30);
    return {n0, n1, n2};
}

WorkHeader HazenHeader()
{
    return WorkHeader{.wsElev = 100, .outletElev = 30, .outletPsi = 0};
}

} // namespace

// Hand calculation (V = Q/448.83/(0.0054542 D^2), hv = V^2/64.4, psi = 0.43344 ft):
//   V = 500/448.83/(0.0054542 x 36) = 5.673545823, hv = 0.499831090
//   friction per reach 10.4057 x 500 x (500/150)^1.85185 / 6^4.87037 = 7.846027109
//   station 0: Egl 100, Hgl 99.500168910, Psi 1.950553212, StatPres (100-95) x 0.43344 = 2.1672
//   station 1: Egl 92.153972891, Hgl 91.654141801, Psi 22.388971222, StatPres 26.0064
//              72% of the 30 psi downstream rating is 21.6 < 22.39: warning "down stream."
//              elbow area 1.8555 x 6^1.8306 / 1000 = 0.049311094, x 22.388971 = 1.104025
//   station 2: Egl 84.307945782, Hgl 83.808114692, Psi 23.322589232, StatPres 30.3408
//              72% of the 30 psi upstream rating: warning "up stream."
//   surge at station 0 (first of equal velocities): a = 12 sqrt(3e5 x 4e5 /
//   ((3e5 x 6/0.3 + 4e5) x 1.93788820)) = 1180.08 ft/s, surge 1.93788820 x a x V / 144
//   = 90.123555 psi; over 80 psi a 6 in pipe gets a 1 in valve (first and last
//   station only: no high point, falls of 0.11 and 0.02 ft/ft). 90.12 > 2.5 x 30.
TEST_F(GravityRun, HazenWilliamsLineStoresGradesPressuresThrustBlockAndRatingWarnings)
{
    testsupport::WriteWorkJob(HazenHeader(), HazenLine());
    Grav->RunGravityProfile();

    const double egl[] = {100.00, 92.15, 84.31};
    const double hgl[] = {99.50, 91.65, 83.81};
    const double psi[] = {1.95, 22.39, 23.32};
    const double statPres[] = {2.1672, 26.0064, 30.3408};
    const char* tsta[] = {"0+00", "5+00", "10+00"};
    for (int k = 0; k < 3; ++k) {
        SCOPED_TRACE(k);
        EXPECT_DOUBLE_EQ(ProfValue(k, "Egl"), egl[k]);
        EXPECT_DOUBLE_EQ(ProfValue(k, "Hgl"), hgl[k]);
        EXPECT_DOUBLE_EQ(ProfValue(k, "Psi"), psi[k]);
        EXPECT_DOUBLE_EQ(ProfValue(k, "Vel"), 5.67);
        EXPECT_NEAR(ProfValue(k, "StatPres"), statPres[k], 1e-9);   // stored unrounded
        EXPECT_DOUBLE_EQ(ProfValue(k, "Sgl"), k == 0 ? 100.0 : 0.0);
        EXPECT_DOUBLE_EQ(ProfValue(k, "Kloss"), 0.0);
        EXPECT_NEAR(ProfValue(k, "Surge"), 90.123555, 1e-5);
        EXPECT_EQ(ProfText(k, "TSta"), QString::fromLatin1(tsta[k]));
    }
    // Each row holds the reach that leaves it.
    EXPECT_DOUBLE_EQ(ProfValue(0, "Floss"), 7.846);
    EXPECT_DOUBLE_EQ(ProfValue(1, "Floss"), 7.846);
    EXPECT_EQ(ProfText(0, "CalcMethod"), QStringLiteral("Hazen Williams, C = 150"));
    EXPECT_DOUBLE_EQ(ProfValue(0, "RchLen"), 500.0);
    EXPECT_DOUBLE_EQ(ProfValue(1, "PipeLength"), 500.0);
    EXPECT_TRUE(ProfIsNull(2, "RchLen"));
    EXPECT_TRUE(ProfText(2, "CalcMethod").isEmpty());

    EXPECT_DOUBLE_EQ(ProfValue(1, "ThBlockArea"), 1.10);
    EXPECT_DOUBLE_EQ(ProfValue(0, "ThBlockArea"), 0.0);
    EXPECT_DOUBLE_EQ(ProfValue(0, "AirVacSize"), 1.0);
    EXPECT_DOUBLE_EQ(ProfValue(1, "AirVacSize"), 0.0);
    EXPECT_DOUBLE_EQ(ProfValue(2, "AirVacSize"), 1.0);

    const QString w1 = QStringLiteral(
        "WARNING .. Pressure of 22.39 is greater than 72% of pipe pressure rating, down stream.");
    const QString w2 = QStringLiteral(
        "WARNING .. Pressure of 23.32 is greater than 72% of pipe pressure rating, up stream.");
    EXPECT_EQ(ProfText(0, "Warning"), QString());
    EXPECT_EQ(ProfText(1, "Warning"),
              w1 + " WARNING ... Analyze surge.  Surge pressure greater than 2.5 x pipe rating.");
    EXPECT_EQ(ProfText(2, "Warning"), w2);
    // The surge note is stored, not shown.
    EXPECT_EQ(dialogs.MessageTexts(), (QStringList{w1, w2}));
    EXPECT_EQ(MessageTypes(), (std::vector<ui::MsgType>{ui::MsgType::Warning, ui::MsgType::Warning}));

    // Job results: the turn-off level of a gravity line is its water surface.
    EXPECT_DOUBLE_EQ(PipeValue("OffElev"), 100.0);
    EXPECT_DOUBLE_EQ(PipeValue("TDH"), 0.0);
    EXPECT_EQ(PipeText("MotorHP"), QString());
    EXPECT_NEAR(Tul->EndPsi, 23.322589, 1e-6);
    EXPECT_NEAR(Tul->SurgePsi, 90.123555, 1e-5);
    // The end row of a plain line loses its pipe.
    EXPECT_EQ(ProfText(2, "PipeType"), QString());
    EXPECT_EQ(ProfText(2, "DownStreamPipeDescription"), QString());
    EXPECT_EQ(ProfText(1, "PipeType"), QStringLiteral("PVC"));
    // The station records are freed.
    EXPECT_EQ(psta[0], nullptr);
}

// The trace of the same job, line by line: the station text is empty during
// the run, the entrance and end lines come first and the velocity of a record
// not yet reached prints 0.
TEST_F(GravityRun, TraceFileHoldsEachStepInOrder)
{
    testsupport::WriteWorkJob(HazenHeader(), HazenLine());
    Grav->RunGravityProfile();

    const QString expected = QStringLiteral(
        "InletComps Sta= , Kloss = 0.000000, psta1->vel= 0.000000\n"
        "\n"
        "EndComp Sta= 1000.000000, Q= 500.000000, Floss = 7.846027, Kloss = 0.000000, psta->vel= 0.000000\n"
        "\n"
        "Finl1 Sta= , hgl= 99.500169, psi = 1.950553,\n"
        " psta[0]->vel = 5.673546, v2/2g= 0.499831, egl= 100.000000\n"
        "\n"
        "SegComp Sta= 500.000000, Q= 500.000000, Floss = 7.846027, Kloss = 0.000000, psta->vel= 5.673546\n"
        "Final int Sta= , hgl= 91.654142, psi = 22.388971,\n"
        " vel = 5.673546, v2/2g= 0.499831, egl= 92.153973\n"
        "\n"
        "SegComp Sta= 1000.000000, Q= 500.000000, Floss = 7.846027, Kloss = 0.000000, psta->vel= 5.673546\n"
        "Final int Sta= , hgl= 83.808115, psi = 23.322589,\n"
        " vel = 5.673546, v2/2g= 0.499831, egl= 84.307946\n"
        "\n");
    EXPECT_EQ(TraceText(), expected);

    // A second run replaces the file rather than adding to it.
    Grav->RunGravityProfile();
    EXPECT_EQ(TraceText(), expected);
    // Beside the database, not in the folder the program was started from.
    EXPECT_EQ(QFileInfo(TracePath("GravFlow.txt")).absolutePath(),
              QFileInfo(db::Engine::instance().DatabaseFile(db::kMersolAlias)).absolutePath());
    EXPECT_FALSE(QFile::exists(workDir.filePath(QStringLiteral("GravFlow.txt"))));
}

// An 8 in pipe to station 400 ft, a sudden contraction to 6 in there and an
// exit loss at the end, Manning n 0.009 (no C, no roughness), 400 gpm; the
// outlet wants 15 psi at 20 ft.
//   V8 = 400/448.83/(0.0054542 x 64) = 2.553095621, hv8 = 0.101215796
//   V6 = 4.538836659, hv6 = 0.319891898
//   entrance K 0.5 on its own pipe: 0.5 x 0.101215796 = 0.050607898
//   contraction: V1 = 400/448.8/(0.0054542 x 64) = 2.553266282 (448.8 here),
//     0.7 x (2.553266282 - 4.538836659)^2 / 64.4 = 0.042853149
//   exit K 1.0 located "US": the upstream pipe's 6 in and 400 gpm, 0.319891898
//   friction 5087 n^2 / D^1.33333 x hv x L: reach 1 (8 in, 400 ft) 1.042648852,
//     reach 2 (6 in, 500 ft) 6.044878757
//   Egl: 50 - 0.050607898 = 49.949392102; - 1.042648852 - 0.042853149 = 48.863890101;
//     - 6.044878757 - 0.319891898 = 42.499119447
//   Hgl: 49.848176306, 48.543998203, 42.179227549; Psi 2.101393538, 8.037710581,
//     9.613364389
//   required outlet HGL 20 + 2.307124400 x 15 = 54.606866 > 42.18: end warning.
TEST_F(GravityRun, ManningLineWithEntranceContractionAndExitLossFallsShortAtOutlet)
{
    testsupport::SetCompMethod(4);   // Hazen, Mannings only
    WorkNode n0{.station = 0, .invert = 45, .pipeQ = 400, .diaIn = 8, .nfac = 0.009,
                .reachType = "GRAVBEG", .nodeType = 0, .k1 = 0.5, .kLocate1 = "DS"};
    WorkNode n1{.station = 400, .invert = 30, .pipeQ = 400, .diaIn = 6, .nfac = 0.009,
                .reachType = "GRAVMID", .nodeType = 1, .k1 = -1};
    WorkNode n2{.station = 900, .invert = 20, .pipeQ = 400, .diaIn = 6, .nfac = 0.009,
                .reachType = "GRAVEND", .nodeType = 4, .k1 = 1.0, .kLocate1 = "US"};
    testsupport::WriteWorkJob(WorkHeader{.wsElev = 50, .outletElev = 20, .outletPsi = 15},
                              {n0, n1, n2});
    Grav->RunGravityProfile();

    const double kloss[] = {0.051, 0.043, 0.320};
    const double egl[] = {49.95, 48.86, 42.50};
    const double hgl[] = {49.85, 48.54, 42.18};
    const double psi[] = {2.10, 8.04, 9.61};
    const double vel[] = {2.55, 4.54, 4.54};
    for (int k = 0; k < 3; ++k) {
        SCOPED_TRACE(k);
        EXPECT_DOUBLE_EQ(ProfValue(k, "Kloss"), kloss[k]);
        EXPECT_DOUBLE_EQ(ProfValue(k, "Egl"), egl[k]);
        EXPECT_DOUBLE_EQ(ProfValue(k, "Hgl"), hgl[k]);
        EXPECT_DOUBLE_EQ(ProfValue(k, "Psi"), psi[k]);
        EXPECT_DOUBLE_EQ(ProfValue(k, "Vel"), vel[k]);
    }
    EXPECT_DOUBLE_EQ(ProfValue(0, "Floss"), 1.043);
    EXPECT_DOUBLE_EQ(ProfValue(1, "Floss"), 6.045);
    EXPECT_EQ(ProfText(0, "CalcMethod"), QStringLiteral("Mannings, n = 0.009"));
    EXPECT_EQ(ProfText(1, "CalcMethod"), QStringLiteral("Mannings, n = 0.009"));

    const QString endWarning =
        QStringLiteral("WARNING ..  Pressure at outlet elevation is lower than required pressure.");
    EXPECT_EQ(ProfText(2, "Warning"), endWarning);
    EXPECT_EQ(dialogs.MessageTexts(), QStringList{endWarning});
    EXPECT_EQ(MessageTypes(), std::vector<ui::MsgType>{ui::MsgType::Error});
    EXPECT_NEAR(Tul->EndPsi, 9.613364, 1e-6);
    EXPECT_EQ(Tul->FrictionMethodUsed, 1);
}

// One cubic foot per second (448.83 gpm) through the Manning line: both
// designers show the same velocities, 1/(0.0054542 x 64) = 2.864764768 ft/s in
// the 8 in pipe and 1/(0.0054542 x 36) = 5.092915144 ft/s in the 6 in pipe,
// and lose the same head in both reaches.
TEST_F(GravityRun, OneCubicFootPerSecondShowsTheSameVelocitiesInBothDesigners)
{
    testsupport::SetCompMethod(4);
    WorkNode n0{.station = 0, .invert = 45, .pipeQ = 448.83, .diaIn = 8, .nfac = 0.009,
                .reachType = "GRAVBEG", .nodeType = 0};
    WorkNode n1{.station = 400, .invert = 30, .pipeQ = 448.83, .diaIn = 6, .nfac = 0.009,
                .reachType = "GRAVMID", .nodeType = 1, .k1 = -1};
    WorkNode n2{.station = 900, .invert = 20, .pipeQ = 448.83, .diaIn = 6, .nfac = 0.009,
                .reachType = "GRAVEND", .nodeType = 4};
    const char* fields[] = {"Vel", "Floss", "Egl", "Hgl"};
    QStringList shown[2];
    for (Program program : {Program::Mersol, Program::Dunstrow}) {
        testsupport::RunningAs running(program);
        testsupport::WriteWorkJob(WorkHeader{.wsElev = 50, .outletElev = 20}, {n0, n1, n2});
        Grav->RunGravityProfile();
        EXPECT_DOUBLE_EQ(ProfValue(0, "Vel"), 2.86);
        EXPECT_DOUBLE_EQ(ProfValue(1, "Vel"), 5.09);
        EXPECT_DOUBLE_EQ(ProfValue(2, "Vel"), 5.09);
        for (int k = 0; k < 3; ++k)
            for (const char* f : fields)
                shown[program == Program::Dunstrow] << ProfText(k, f);
    }
    EXPECT_EQ(shown[1], shown[0]);
}

// A pumped job imported into the gravity designer is a gravity line there:
// the column loss of the pump it came with adds nothing to its entrance.
TEST_F(GravityRun, ImportedPumpsColumnLossIsNoEntranceLossInTheGravityDesigner)
{
    WorkHeader pumped = HazenHeader();
    pumped.pumpType = QStringLiteral("TURBINE");
    pumped.columnLoss = 5.0;
    double entranceLoss[2] = {};
    for (Program program : {Program::Mersol, Program::Dunstrow}) {
        testsupport::RunningAs running(program);
        testsupport::WriteWorkJob(pumped, HazenLine());
        Grav->RunGravityProfile();
        entranceLoss[program == Program::Dunstrow] = ProfValue(0, "Kloss");
    }
    testsupport::WriteWorkJob(HazenHeader(), HazenLine());
    Grav->RunGravityProfile();
    EXPECT_DOUBLE_EQ(entranceLoss[1], ProfValue(0, "Kloss"));
    // Mersol's own gravity run keeps adding it, as its stored jobs expect.
    EXPECT_DOUBLE_EQ(entranceLoss[0], ProfValue(0, "Kloss") + 5.0);
}

// Darcy-Weisbach: 300 gpm in a 6 in pipe, roughness 0.000005 ft, water at
// 60 F (viscosity 1.217e-5 ft^2/s from the 60 F row). The middle node is a
// high point above its grade line, and the outlet lies above the end's grade.
//   V = 3.404127494, Re = 0.5 x 3.404127494 / 1.217e-5 = 139857.33 (turbulent)
//   Colebrook root 0.016857505; the step search stops at 0.01685 (within
//   its last step of 0.00001)
//   loss = 1000 / 0.5 x 0.01685 x 3.404127494^2 / 64.4 = 6.063951 per 1000 ft
//   Egl 100, 93.936049, 87.872098; hv 0.179939192; Hgl 93.756110, 87.692159
//   node 1: Hgl 93.76 below its crown 96.5: error; Psi (93.756110 - 96) x 0.43344
//     = -0.972626; higher than both neighbours: a 2 in valve (6 in, no surge)
//   end: Hgl 87.69 below the outlet at 90: error
TEST_F(GravityRun, DarcyWeisbachLineStoresRegimeReynoldsAndFactor)
{
    testsupport::SetCompMethod(0);   // Darcy-Weisbach only
    // Viscosity rows of our own around 60 F.
    dm.WaterTable->Open();
    dm.WaterTable->EmptyTable();
    for (auto [t, nu] : {std::pair{50.0, 1.410e-5}, {60.0, 1.217e-5}, {70.0, 1.059e-5}}) {
        dm.WaterTable->Append();
        dm.WaterTableTemp->SetAsFloat(t);
        dm.WaterTableViscos->SetAsFloat(nu);
        dm.WaterTable->Post();
    }
    dm.WaterTable->Close();
    WorkNode n0{.station = 0, .invert = 95, .pipeQ = 300, .diaIn = 6, .efac = 0.000005,
                .reachType = "GRAVBEG", .nodeType = 0};
    WorkNode n1 = Mid(n0, 1000, 96);
    WorkNode n2 = End(n0, 2000, 70);
    testsupport::WriteWorkJob(WorkHeader{.wsElev = 100, .outletElev = 90, .waterTemp = 60},
                              {n0, n1, n2});
    EXPECT_TRUE(Grav->RunGravityProfile().Computed());

    EXPECT_EQ(ProfText(0, "CalcMethod"),
              QStringLiteral("Darcy Weisbach, Turbulent, Re=139857, F=0.01685"));
    EXPECT_EQ(ProfText(1, "CalcMethod"), ProfText(0, "CalcMethod"));
    EXPECT_DOUBLE_EQ(ProfValue(0, "Floss"), 6.064);
    EXPECT_DOUBLE_EQ(ProfValue(1, "Egl"), 93.94);
    EXPECT_DOUBLE_EQ(ProfValue(1, "Psi"), -0.97);
    EXPECT_DOUBLE_EQ(ProfValue(2, "Egl"), 87.87);
    EXPECT_DOUBLE_EQ(ProfValue(2, "Hgl"), 87.69);
    EXPECT_DOUBLE_EQ(ProfValue(2, "Psi"), 7.67);
    EXPECT_DOUBLE_EQ(ProfValue(1, "AirVacSize"), 2.0);
    EXPECT_EQ(Tul->FrictionMethodUsed, 0);

    const QString belowPipe = QStringLiteral("ERROR .. Hydraulic gradeline is below top of pipe!");
    const QString belowOutlet = QStringLiteral(
        "ERROR .. Can't get this much flow through pipe!!!  HGL is below OutletElev!");
    EXPECT_EQ(ProfText(1, "Warning"), belowPipe);
    EXPECT_EQ(ProfText(2, "Warning"), belowOutlet);
    // The messages name the station and the grades: by how much to change.
    EXPECT_EQ(dialogs.MessageTexts(),
              (QStringList{"Sta 10+00 " + belowPipe + " HGL 93.76 ft is 2.74 ft below the pipe crown at 96.50 ft.",
                           "Sta 20+00 " + belowOutlet + " End HGL 87.69 ft against the outlet elevation of 90.00 ft."}));
    EXPECT_EQ(MessageTypes(), (std::vector<ui::MsgType>{ui::MsgType::Error, ui::MsgType::Error}));

    // A roughness of half the bore needs a factor above 0.10: no result stands.
    n0.efac = 0.25;
    testsupport::WriteWorkJob(WorkHeader{.wsElev = 100, .outletElev = 90, .waterTemp = 60}, {n0, n1, n2});
    EXPECT_EQ(Grav->RunGravityProfile().notComputed, kFrictionOutOfRange);
}

namespace {

// An in-line booster at station 1000 ft (invert 80) of a 6 in Hazen-Williams
// line, C 150, 300 gpm, from a water surface at 102 ft to an outlet at
// 110 ft that wants 40 psi.
std::vector<WorkNode> BoosterLine(double boosterPsiSet, double endInvert = 110)
{
    WorkNode n0{.station = 0, .invert = 100, .pipeQ = 300, .diaIn = 6, .cfac = 150,
                .reachType = "GRAVBEG", .nodeType = 0};
    WorkNode n1 = Mid(n0, 1000, 80);
    n1.nodeType = 2;
    n1.psiSet = boosterPsiSet;
    WorkNode n2 = End(n0, 3000, endInvert);
    return {n0, n1, n2};
}

WorkHeader BoosterHeader(double effic = 70, double outletElev = 110, double outletPsi = 40)
{
    return WorkHeader{.pumpType = "INLINE BOOSTER", .wsElev = 102, .outletElev = outletElev,
                      .outletPsi = outletPsi, .pumpEffic = effic};
}

// The first word of each step line of the trace, with the station of the
// reach lines: "SegComp 1000".
QStringList TraceSteps(const QString& trace)
{
    QStringList steps;
    for (const QString& line : trace.split('\n')) {
        if (line.isEmpty() || line.startsWith(' '))
            continue;
        const QString head = line.section(QStringLiteral(" Sta="), 0, 0);
        if (head == QLatin1String("SegComp") || head == QLatin1String("EndComp"))
            steps << head + ' ' + QString::number(qRound(line.section('=', 1, 1).section(',', 0, 0).toDouble()));
        else
            steps << head;
    }
    return steps;
}

} // namespace

// The booster's outlet pressure is found from the required outlet pressure.
//   V = 300/448.83/(0.0054542 x 36) = 3.404127494, hv = 0.179939192
//   friction 10.4057 L (300/150)^1.85185 / 6^4.87037: 1000 ft 6.093252748,
//     2000 ft 12.186505496
//   forward to the booster: Egl 102 - 6.093252748 = 95.906747252, Hgl 95.726808060,
//     Psi (95.726808060 - 80) x 0.43344 = 6.816628
//   backward: end Hgl 2.307124400 x 40 + 110 = 202.284976006, Egl 202.464915198;
//     booster Egl 202.464915198 + 12.186505496 = 214.651420694, Hgl 214.471481502,
//     Psi (214.471481502 - 80) x 0.43344 = 58.285319 (its new set pressure)
//   TDH = 0.179939192 + (2.307124400 x 58.285319 + 80 - 95.906747252) = 118.744673;
//     from the row as stored (V 3.40, Egl 95.91, set 58.285) 118.740, stored 118.74
//   WHP = 118.744673 x 300 / 3960 = 8.995809; BHP = 8.995809 / 70 x 100 = 12.851155
//   motor: 10.1 < 12.85 <= 15.15, "15"
//   the end restarts from the set pressure: Egl 202.464915 (stored 202.47), Hgl
//     202.284976 (202.29), Psi 40.00
//   the invert at 110 ft is above the water surface, so the booster's static
//   grade is the water surface (102) and the end's is 0.
TEST_F(GravityRun, InlineBoosterFindsItsOutletPressureAndSizesItsMotor)
{
    testsupport::WriteWorkJob(BoosterHeader(), BoosterLine(-1));
    Grav->RunGravityProfile();

    EXPECT_DOUBLE_EQ(PipeValue("TDH"), 118.74);
    EXPECT_DOUBLE_EQ(PipeValue("WHP"), 9.00);
    EXPECT_DOUBLE_EQ(PipeValue("BHP"), 12.85);
    EXPECT_EQ(PipeText("MotorHP"), QStringLiteral("15"));
    EXPECT_DOUBLE_EQ(ProfValue(1, "PsiSet"), 58.285);
    EXPECT_DOUBLE_EQ(ProfValue(1, "Egl"), 95.91);
    EXPECT_DOUBLE_EQ(ProfValue(1, "Hgl"), 95.73);
    EXPECT_DOUBLE_EQ(ProfValue(1, "Psi"), 6.82);
    EXPECT_DOUBLE_EQ(ProfValue(2, "Egl"), 202.47);
    EXPECT_DOUBLE_EQ(ProfValue(2, "Hgl"), 202.29);
    EXPECT_DOUBLE_EQ(ProfValue(2, "Psi"), 40.00);
    EXPECT_DOUBLE_EQ(ProfValue(1, "Sgl"), 102.0);
    EXPECT_DOUBLE_EQ(ProfValue(2, "Sgl"), 0.0);
    EXPECT_NEAR(ProfValue(1, "StatPres"), (102 - 80) * 0.43344, 1e-9);
    EXPECT_DOUBLE_EQ(ProfValue(2, "StatPres"), 0.0);
    EXPECT_NEAR(Tul->PinnedEndHgl, 202.284976, 1e-6);
    EXPECT_NEAR(Grav->BoosterHgl, 214.471482, 1e-6);
    EXPECT_EQ(Grav->BoosterIndex, 1);
    EXPECT_TRUE(Grav->BoosterRerun);
    // Downstream of the booster the line restarts: no turn-off level.
    EXPECT_DOUBLE_EQ(PipeValue("OffElev"), 0.0);
    EXPECT_TRUE(dialogs.Messages().empty()) << dialogs.MessageTexts().join('\n').toStdString();

    // The first pass stops at the booster's reach; the backward pass traces
    // its reaches from the end up; then the whole second pass.
    EXPECT_EQ(TraceSteps(TraceText()),
              (QStringList{"InletComps", "EndComp 3000", "Finl1", "SegComp 1000", "SegComp 3000",
                           "SegComp 1000", "Finl1", "SegComp 1000", "Final int", "SegComp 3000",
                           "Final int"}));
}

// A line that climbs to its booster: 300 gpm from water at 100 ft, 6 in PVC
// (5.995 in bore, C 150), inverts 95, 108.97 at the booster (10+00, left at
// -1), 96.97 at 20+00 and 86.97 at the end (30+00), the outlet at 90 ft
// wanting 1 psi, 5 ft of clearance. Worked by hand:
//   hf 10.4057 x 1000 x 2^1.85185 / 5.995^4.87037 = 6.118044 a reach, hv 0.180540
//   arriving at the booster: Egl 100 - 6.118044 = 93.881956
//   backward: end 2.3071244 + 90 = 92.307124; 20+00 needs 98.425168, raised to
//   its crown and clearance 96.97 + 0.499583 + 5 = 102.469583; the booster
//   needs 108.587627, raised likewise to 114.469583: Psi (114.469583 - 108.97)
//   x 0.43344 = 2.383739; TDH 0.180540 + 114.469583 - 93.881956 = 20.768167,
//   WHP 1.573346, BHP at 75 % 2.097795: a 3 hp motor. The end gets 102.23.
// A reducer at 20+00 set to 20 psi keeps it, and the booster must bring its
// inlet that much: 2.3071244 x 20 + 96.97 = 143.112488 there, 149.230532 at
// the booster, Psi 17.450525, TDH 55.529116, WHP 4.206751, BHP 5.609002
// (7-1/2 hp); the end restarts from the 20 psi: 143.112488 - 6.118044 =
// 136.99. Set to 0.5 psi (98.123562) it gives less than the 98.425168 the
// line below needs: the run says so by its station, the booster is found as
// without it, and the outlet falls short (92.005519).
// Given the 2.384 psi found (114.470184) the booster brings the 20 psi
// reducer 108.352140, 4.93 psi, passed on: the end 102.23. The booster's
// elbow under -6.62 psi gets no block.
TEST_F(GravityRun, InlineBoosterAtMinusOneIsFoundAboveItsCrownAndKeepsTheReducersSetting)
{
    struct Case {
        double boosterPsi, reducerPsi;
        double psiSet, tdh, whp, bhp;
        const char* motor;
        double endHgl;
        QStringList said;
    };
    const QString shortBelow = QStringLiteral(
        "Sta 20+00 WARNING .. The line below the pressure reducer needs HGL 98.43 ft, above the 98.12 ft its set "
        "pressure of 0.50 psi gives. Raise its set pressure.");
    const QString starved = QStringLiteral("WARNING .. The pressure reducer at Sta 20+00 receives 4.93 psi, below its "
                                           "set pressure of 20.00 psi, so it passes the 4.93 psi on.");
    // The line reaches the booster 15.77 ft below its crown at 109.47 ft: a
    // fault at its inlet, found and listed, not hidden.
    const QString belowPipe = QStringLiteral("ERROR .. Hydraulic gradeline is below top of pipe!");
    const QString inletBelow =
        "Sta 10+00 " + belowPipe + " HGL 93.70 ft is 15.77 ft below the pipe crown at 109.47 ft.";
    const Case cases[] = {
        {-1, 0, 2.384, 20.77, 1.57, 2.10, "3", 102.23, {inletBelow}},
        {-1, 20, 17.451, 55.53, 4.21, 5.61, "7-1/2", 136.99, {inletBelow}},
        {-1, 0.5, 2.384, 20.77, 1.57, 2.10, "3", 92.01,
         {shortBelow, inletBelow,
          QStringLiteral("WARNING ..  Pressure at outlet elevation is lower than required pressure.")}},
        {2.384, 20, 2.384, 20.77, 1.57, 2.10, "3", 102.23, {inletBelow, starved}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.reducerPsi);
        dialogs.ClearLog();
        WorkNode n0{.station = 0, .invert = 95, .pipeQ = 300, .diaIn = 5.995, .cfac = 150,
                    .reachType = "GRAVBEG", .nodeType = 0};
        WorkNode booster = Mid(n0, 1000, 108.97);
        booster.nodeType = 2;
        booster.psiSet = c.boosterPsi;
        booster.fitting = "90 deg Elbow";
        booster.soil = 1000;
        WorkNode reducer = Mid(n0, 2000, 96.97);
        reducer.nodeType = 3;
        reducer.psiSet = c.reducerPsi;
        testsupport::WriteWorkJob(WorkHeader{.pumpType = "INLINE BOOSTER", .wsElev = 100, .outletElev = 90,
                                             .outletPsi = 1, .pumpEffic = 75},
                                  {n0, booster, reducer, End(n0, 3000, 86.97)});
        Tul->ClearHead = 5;
        Grav->RunGravityProfile();

        EXPECT_EQ(dialogs.MessageTexts(), c.said);
        EXPECT_DOUBLE_EQ(ProfValue(1, "PsiSet"), c.psiSet);
        EXPECT_DOUBLE_EQ(ProfValue(2, "PsiSet"), c.reducerPsi);
        EXPECT_DOUBLE_EQ(PipeValue("TDH"), c.tdh);
        EXPECT_DOUBLE_EQ(PipeValue("WHP"), c.whp);
        EXPECT_DOUBLE_EQ(PipeValue("BHP"), c.bhp);
        EXPECT_EQ(PipeText("MotorHP"), QString::fromLatin1(c.motor));
        // Every row is the second pass's: the booster's inlet as the line
        // brings it, the line below from the pressure found.
        EXPECT_DOUBLE_EQ(ProfValue(1, "Hgl"), 93.70);
        EXPECT_DOUBLE_EQ(ProfValue(3, "Hgl"), c.endHgl);
        EXPECT_DOUBLE_EQ(ProfValue(1, "ThBlockArea"), 0.0);
        EXPECT_EQ(ProfText(1, "Warning"),
                  belowPipe + " ERROR .. Thrust block area stored as 0: the pipe pressure here is -6.62 psi, below atmospheric.");
    }
    EXPECT_EQ(ProfText(2, "Warning"), starved);

    // A job with no pump stores no head of the booster run before it.
    testsupport::WriteWorkJob(HazenHeader(), HazenLine());
    Grav->RunGravityProfile();
    EXPECT_DOUBLE_EQ(PipeValue("TDH"), 0.0);
    EXPECT_EQ(PipeText("MotorHP"), QString());
}

// Two boosters at -1 are found in turn; above a booster the line need only
// keep the booster's inlet full (hv 0.180540, hf 6.118044 a reach):
//   20+00 at 100: it needs 138.425168 (16.655 psi), its inlet 105.499583 asks
//   10+00 for 111.62, raised to 114.469583 (2.384 psi); 10+00 lifts 0.180540
//   + 114.469583 - 93.881956 = 20.77 ft (BHP 2.10: 3 hp), 20+00 0.180540 +
//   138.425168 - 108.532079 = 30.07 ft (BHP 3.04: 5 hp); the job 50.84 ft.
//   20+00 at 130: its clearance 135.499583 is all the line below needs, so
//   once 10+00 brings it, it adds no head: refused.
//   10+00 given 5 psi at 60 (71.54 ft) where 93.70 arrives adds no head:
//   refused, though 20+00 below is found.
//   A reducer at 10+00 (60, 20 psi) above the booster (80, end wanting 1 psi
//   at 104) needs nothing of the line below it; it gets 14.61 psi and passes
//   it on: TDH 0.180540 + 112.425168 - 87.763912 = 24.84, 3 hp. A plain node
//   there whose row still says 20 psi runs as plain: the same booster.
TEST_F(GravityRun, TwoInlineBoostersAreFoundInTurnAndAReducerFeedsOnlyDownToTheNext)
{
    struct Case {
        int upperKind;
        double upperInvert, upperPsi, lowerInvert, endInvert, upperFound, lowerFound, tdh, bhp;
        QString said;
        QStringList pumps;
    };
    const QString starved = "WARNING .. The pressure reducer at Sta 10+00 receives 14.61 psi, below its set pressure "
                            "of 20.00 psi, so it passes the 14.61 psi on.";
    const QString lowerPump = "In-line booster at Sta 20+00: head 24.84 ft, 1.88 water hp, 2.51 brake hp, 3 hp motor";
    const Case cases[] = {
        {2, 108.97, -1, 100, 126.97, 2.384, 16.655, 50.85, 5.14, "",
         {"In-line booster at Sta 10+00: head 20.77 ft, 1.57 water hp, 2.10 brake hp, 3 hp motor",
          "In-line booster at Sta 20+00: head 30.08 ft, 2.28 water hp, 3.04 brake hp, 5 hp motor"}},
        {2, 108.97, -1, 130, 86.97, -1, -1, 0, 0,
         "ERROR .. In-line booster at Sta 20+00 not sized: the line reaches it with HGL 135.50 ft, at or above the "
         "135.50 ft its outlet needs, so it adds no head. Make the node in line, or give it a higher set pressure."},
        {2, 60, 5, 80, 100.97, 5, -1, 0, 0,
         "ERROR .. In-line booster at Sta 10+00 not sized: the line reaches it with HGL 93.70 ft, at or above the "
         "71.54 ft its outlet needs, so it adds no head. Make the node in line, or give it a higher set pressure."},
        {1, 60, 20, 80, 100.97, 0, 14.054, 24.84, 2.51, "", {lowerPump}},
        {3, 60, 20, 80, 100.97, 20, 14.054, 24.84, 2.51, starved, {lowerPump}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.lowerInvert);
        dialogs.ClearLog();
        WorkNode n0{.station = 0, .invert = 95, .pipeQ = 300, .diaIn = 5.995, .cfac = 150, .reachType = "GRAVBEG"};
        WorkNode upper = Mid(n0, 1000, c.upperInvert), lower = Mid(n0, 2000, c.lowerInvert);
        upper.nodeType = c.upperKind;
        upper.psiSet = c.upperPsi;
        lower.nodeType = 2;
        lower.psiSet = -1;
        testsupport::WriteWorkJob(WorkHeader{.pumpType = "INLINE BOOSTER", .wsElev = 100, .outletElev = c.endInvert + 3.03,
                                             .outletPsi = 1, .pumpEffic = 75},
                                  {n0, upper, lower, End(n0, 3000, c.endInvert)});
        Tul->ClearHead = 5;
        Grav->RunGravityProfile();

        EXPECT_EQ(dialogs.MessageTexts().contains(c.said), !c.said.isEmpty());
        EXPECT_TRUE(dialogs.MessageTexts().filter("Raise its set pressure").isEmpty());
        EXPECT_DOUBLE_EQ(ProfValue(1, "PsiSet"), c.upperFound);
        EXPECT_DOUBLE_EQ(ProfValue(2, "PsiSet"), c.lowerFound);
        EXPECT_DOUBLE_EQ(PipeValue("TDH"), c.tdh);
        EXPECT_DOUBLE_EQ(PipeValue("BHP"), c.bhp);
        EXPECT_EQ(ProfIsNull(3, "Hgl"), c.tdh == 0);   // a refused line stores no grades
        if (c.tdh > 0)
            EXPECT_EQ(StoredPumpResults().join('|').toStdString(), c.pumps.join('|').toStdString());
        if (c.upperKind == 2 && c.tdh > 0)
            EXPECT_EQ(PipeText("MotorHP"), QStringLiteral("3 + 5"));
    }
    EXPECT_EQ(PipeText("MotorHP"), QStringLiteral("3"));
    EXPECT_DOUBLE_EQ(ProfValue(2, "Hgl"), 87.58);
    EXPECT_EQ(ProfText(1, "Warning"), starved);   // once, though two passes met it

    // That reducer above two boosters at -1 (100 and 120, the end 126.97)
    // wants 100 + 5.499583 + 6.118044 = 111.62 ft for the first booster's
    // inlet: set too low and starved, it is told each once, though each
    // booster found passes it again. The boosters lift 0.180540 + 131.617627
    // - 87.763912 and 0.180540 + 138.425168 - 125.680123 ft: 56.96 ft.
    dialogs.ClearLog();
    WorkNode n0{.station = 0, .invert = 95, .pipeQ = 300, .diaIn = 5.995, .cfac = 150, .reachType = "GRAVBEG"};
    std::vector<WorkNode> nodes = {n0, Mid(n0, 1000, 60), Mid(n0, 2000, 100), Mid(n0, 3000, 120), End(n0, 4000, 126.97)};
    nodes[1].nodeType = 3;
    nodes[1].psiSet = 20;
    for (WorkNode* b : {&nodes[2], &nodes[3]}) {
        b->nodeType = 2;
        b->psiSet = -1;
    }
    testsupport::WriteWorkJob(
        WorkHeader{.pumpType = "INLINE BOOSTER", .wsElev = 100, .outletElev = 130, .outletPsi = 1, .pumpEffic = 75},
        nodes);
    Tul->ClearHead = 5;
    Grav->RunGravityProfile();
    const QString tooLow = "WARNING .. The line below the pressure reducer needs HGL 111.62 ft, above the 106.14 ft its "
                           "set pressure of 20.00 psi gives. Raise its set pressure.";
    EXPECT_EQ(dialogs.MessageTexts().filter("pressure reducer"), (QStringList{starved, "Sta 10+00 " + tooLow}));
    EXPECT_EQ(ProfText(1, "Warning"), (tooLow + " " + starved).left(255));   // all the row's field holds
    EXPECT_DOUBLE_EQ(PipeValue("TDH"), 56.96);
}

// With a given set pressure there is one pass and the head follows from it.
//   TDH = 0.179939192 + (2.307124400 x 50 + 80) - 95.906747252 = 99.629412
//   WHP = 7.547683, BHP at 75 % = 10.063577: motor "10" (limit 10.1)
//   end: Egl 0.179939192 + 195.356220007 - 12.186505496 = 183.349654, Hgl 183.169715,
//   Psi 31.714681 < 40 psi wanted: the outlet warning.
TEST_F(GravityRun, InlineBoosterWithGivenPressureIsSizedInOnePass)
{
    testsupport::WriteWorkJob(BoosterHeader(75), BoosterLine(50));
    Grav->RunGravityProfile();

    EXPECT_DOUBLE_EQ(PipeValue("TDH"), 99.63);
    EXPECT_DOUBLE_EQ(PipeValue("WHP"), 7.55);
    EXPECT_DOUBLE_EQ(PipeValue("BHP"), 10.06);
    EXPECT_EQ(PipeText("MotorHP"), QStringLiteral("10"));
    EXPECT_DOUBLE_EQ(ProfValue(1, "PsiSet"), 50.0);
    EXPECT_DOUBLE_EQ(ProfValue(2, "Psi"), 31.71);
    EXPECT_FALSE(Grav->BoosterRerun);
    EXPECT_EQ(TraceSteps(TraceText()),
              (QStringList{"InletComps", "EndComp 3000", "Finl1", "SegComp 1000", "Final int",
                           "SegComp 3000", "Final int"}));
    EXPECT_EQ(dialogs.MessageTexts(),
              QStringList{"WARNING ..  Pressure at outlet elevation is lower than required pressure."});
}

// The booster code with nothing to size must not size the entrance or leave
// an earlier run's figures standing.
TEST_F(GravityRun, InlineBoosterWithoutSetPressureIsNotSized)
{
    testsupport::WriteWorkJob(BoosterHeader(), BoosterLine(0));
    DMod->WorkPipeTable->Edit();
    DMod->WorkPipeTableTDH->SetAsFloat(55);
    DMod->WorkPipeTableMotorHP->SetAsString(QStringLiteral("10"));
    DMod->WorkPipeTable->Post();
    Tul->TDH = 55;
    Tul->WHP = 4;
    Tul->BHP = 6;
    Tul->MotorSize = QStringLiteral("10");

    Grav->RunGravityProfile();

    EXPECT_DOUBLE_EQ(PipeValue("TDH"), 0.0);
    EXPECT_DOUBLE_EQ(PipeValue("WHP"), 0.0);
    EXPECT_DOUBLE_EQ(PipeValue("BHP"), 0.0);
    EXPECT_EQ(PipeText("MotorHP"), QString());
    ASSERT_FALSE(dialogs.Messages().empty());
    EXPECT_TRUE(dialogs.MessageTexts().last().startsWith(QStringLiteral("ERROR .. In-line booster not sized")));
    EXPECT_EQ(dialogs.Messages().back().type, ui::MsgType::Error);
    // The entrance keeps its own (empty) warning.
    EXPECT_EQ(ProfText(0, "Warning"), QString());
}

// A backward pass that finds no usable booster pressure: the outlet lies far
// below the booster, so the line needs no boost there.
//   backward: end Hgl 0, Egl 0.179939; booster Egl 12.366445, Hgl 12.186505,
//   Psi (12.186505 - 80) x 0.43344 = -29.393081
// With a clearance head of -90 no pressure is found. With the clearance head
// 0 the booster's outlet is its crown (80.5 ft), below the 95.73 ft the line
// brings it: it would add no head. Neither is sized, the run stores no
// results, and the user's -1 stays for the next run.
// With a pressure reducer of 20 psi at 2000 ft (invert 40) and the outlet at
// 40 ft wanting 10 psi (hf 6.093253 per 1000 ft, hv 0.179939):
//   end Hgl 2.3071244 x 10 + 40 = 63.071244, Egl 63.251183
//   reducer Egl 69.344436, Hgl 69.164497, Psi 12.641 (a pressure it could set)
//   booster Egl 75.437689, Hgl 75.257749, Psi (75.257749 - 80) x 0.43344 = -2.055
// The booster's pressure is not found, so nothing found on the way is kept:
// the reducer keeps its 20 psi.
TEST_F(GravityRun, InlineBoosterWhosePressureIsNotFoundIsNotSized)
{
    struct Case {
        double clearHead;
        bool reducer;
    };
    for (const Case c : {Case{0.0, false}, Case{-90.0, false}, Case{0.0, true}}) {
        SCOPED_TRACE(c.clearHead);
        SCOPED_TRACE(c.reducer);
        std::vector<WorkNode> nodes = BoosterLine(-1, 0);
        WorkHeader header = BoosterHeader(70, 0, 0);
        if (c.reducer) {
            WorkNode reducer = Mid(nodes[0], 2000, 40);
            reducer.nodeType = 3;
            reducer.psiSet = 20;
            nodes.insert(nodes.begin() + 2, reducer);
            nodes[3].invert = 40;
            header = BoosterHeader(70, 40, 10);
        }
        for (int run = 0; run < 2; ++run) {
            dialogs.ClearLog();
            if (run == 0)
                testsupport::WriteWorkJob(header, nodes);
            Tul->ClearHead = c.clearHead;
            Tul->TDH = 77;
            Tul->MotorSize = QStringLiteral("5");
            Grav->RunGravityProfile();

            EXPECT_DOUBLE_EQ(PipeValue("TDH"), 0.0);
            EXPECT_EQ(PipeText("MotorHP"), QString());
            const QString note = ProfText(1, "Warning");
            EXPECT_TRUE(note.startsWith(QStringLiteral("ERROR .. In-line booster at Sta 10+00 not sized: ")))
                << note.toStdString();
            EXPECT_TRUE(note.contains(c.clearHead < 0 ? QStringLiteral("only HGL 12.19 ft there")
                                                      : QStringLiteral("adds no head")))
                << note.toStdString();
            EXPECT_EQ(dialogs.MessageTexts(), QStringList{note});
            EXPECT_EQ(dialogs.Messages().back().type, ui::MsgType::Error);
            EXPECT_TRUE(testsupport::ProfIsNull(2, "Hgl"));   // no half-computed line stored
            EXPECT_DOUBLE_EQ(ProfValue(1, "PsiSet"), -1.0);
            if (c.reducer)
                EXPECT_DOUBLE_EQ(ProfValue(2, "PsiSet"), 20.0);
        }
    }
}

// A booster without an efficiency gets its head and water horsepower, but no
// brake horsepower or motor, and says why.
TEST_F(GravityRun, InlineBoosterWithoutEfficiencyStopsAtWaterHorsepower)
{
    testsupport::WriteWorkJob(BoosterHeader(0), BoosterLine(-1));
    Grav->RunGravityProfile();

    EXPECT_DOUBLE_EQ(PipeValue("TDH"), 118.74);
    EXPECT_DOUBLE_EQ(PipeValue("WHP"), 9.00);
    EXPECT_DOUBLE_EQ(PipeValue("BHP"), 0.0);
    EXPECT_EQ(PipeText("MotorHP"), QString());
    ASSERT_EQ(dialogs.Messages().size(), 1u);
    EXPECT_TRUE(dialogs.MessageTexts()[0].contains(QStringLiteral("efficiency")));
}

TEST(MotorSize, LadderTakesTheFirstSizeWhoseLimitIsNotBelow)
{
    const std::pair<double, const char*> cases[] = {
        {0.0, "1/3"},    {0.333, "1/3"},   {0.3331, "1/2"},  {0.505, "1/2"},
        {0.7575, "3/4"}, {1.01, "1"},      {1.02, "2"},      {7.575, "7-1/2"},
        {7.6, "10"},     {15.15, "15"},    {75.75, "75"},    {75.76, "100"},
        {101, "100"},    {126.25, "125"},  {202, "200"},     {202.01, "Special design"},
    };
    for (const auto& [bhp, size] : cases)
        EXPECT_EQ(MotorSizeFor(bhp), QString::fromLatin1(size)) << bhp;
}

namespace {

// Reads the stored result rows of WorkProf as "field=value" lines for the
// fields the run writes, numbers at the precision they are stored with.
std::vector<std::string> StoredResults(int rows)
{
    static const char* fields[] = {"TSta",   "PipeLength", "Kloss",    "InvertElev", "Vel",
                                   "Psi",    "Hgl",        "Egl",      "Sgl",        "PsiSet",
                                   "StatPres", "ThBlockArea", "AirVacSize", "Surge", "Floss",
                                   "CalcMethod", "RchLen",  "Warning"};
    std::vector<std::string> out;
    for (int k = 0; k < rows; ++k) {
        QStringList cells;
        for (const char* f : fields) {
            db::Field* field = DMod->WorkProfTable->FieldByName(QString::fromLatin1(f));
            ProfText(k, f);   // moves to row k
            if (field->DataType() == db::FieldType::Alpha)
                cells << field->AsString();
            else if (field->IsNull())
                cells << QString();
            else
                cells << QString::number(field->AsFloat(), 'g', 12);
        }
        out.push_back(cells.join(';').toStdString());
    }
    return out;
}

std::vector<std::string> GoldenRows(const QString& name)
{
    QFile f(QStringLiteral(MERSOL_SOURCE_DIR "/tests/engine/golden/") + name);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        return {"missing golden file " + name.toStdString()};
    std::vector<std::string> rows;
    for (const QString& line : QString::fromUtf8(f.readAll()).split('\n'))
        if (!line.isEmpty() && !line.startsWith('#'))
            rows.push_back(line.toStdString());
    return rows;
}

} // namespace

// A pressure reducer at station 300 ft set to 20 psi: the energy line below
// it restarts from its set pressure, its static grade becomes the set
// pressure's, and the line has no turn-off level. Every stored result is
// compared with tests/engine/golden/grav_reducer.txt. Hand calculation of the
// station below the reducer (6 in, C 150, 400 gpm, V 4.538836659, hv 0.319891898):
//   reach 300-800 ft: 10.4057 x 500 x (400/150)^1.85185 / 6^4.87037 = 5.190234699
//   Egl = 0.319891898 + 2.307124400 x 20 + 80 - 5.190234699 = 121.272145202
//   Hgl = 120.952253305, Psi (120.952253305 - 60) x 0.43344 = 26.419145
//   static grade 2.307124400 x 20 + 80 = 126.142488003, StatPres
//   (126.142488003 - 60) x 0.43344 = 28.6688
// The node at 250 ft falls 20 ft in 50 ft (0.4 ft/ft > 0.3249) and gets a
// valve, like the first and last stations (2 in at no surge for 6 in pipe).
TEST_F(GravityRun, PressureReducerRestartsTheLineFromItsSetPressure)
{
    WorkNode n0{.station = 0, .invert = 200, .pipeQ = 400, .diaIn = 6, .cfac = 150,
                .reachType = "GRAVBEG", .nodeType = 0};
    WorkNode n1 = Mid(n0, 250, 100);
    WorkNode n2 = n1;
    n2.station = 300;
    n2.invert = 80;
    n2.nodeType = 3;
    n2.psiSet = 20;
    WorkNode n3 = End(n0, 800, 60);
    testsupport::WriteWorkJob(WorkHeader{.wsElev = 205, .outletElev = 60, .outletPsi = 1},
                              {n0, n1, n2, n3});
    Grav->RunGravityProfile();

    EXPECT_EQ(StoredResults(4), GoldenRows(QStringLiteral("grav_reducer.txt")));
    EXPECT_DOUBLE_EQ(PipeValue("OffElev"), 0.0);
    // A required outlet pressure of exactly 1 psi is also stored as a level.
    EXPECT_DOUBLE_EQ(PipeValue("ReqOutletWS"), 62.31);
    EXPECT_NEAR(Tul->BoosterSgl, 126.142488, 1e-6);
    EXPECT_NEAR(Tul->BoosterHgl, 126.142488 - 0.319892, 1e-6);
    EXPECT_TRUE(dialogs.Messages().empty());
}

// The end of a line shorter than 300 ft may not run full when the outlet is
// below three quarters of the pipe: 299.99 ft warns, 300 ft does not.
// A two-node profile: the end computes the only reach and is the last station.
TEST_F(GravityRun, ShortPipeWarningBelowThreeHundredFeet)
{
    for (double end : {299.99, 300.0}) {
        SCOPED_TRACE(end);
        dialogs.ClearLog();
        WorkNode n0{.station = 0, .invert = 15, .pipeQ = 100, .diaIn = 6, .cfac = 150,
                    .reachType = "GRAVBEG", .nodeType = 0};
        WorkNode n1 = End(n0, end, 10);
        testsupport::WriteWorkJob(WorkHeader{.wsElev = 20, .outletElev = 10}, {n0, n1});
        Grav->RunGravityProfile();

        const QString shortPipe =
            QStringLiteral(" WARNING .. Short pipe, may not be full pipe flow, check by hand");
        EXPECT_EQ(ProfText(1, "Warning"), end < 300 ? shortPipe : QString());
        EXPECT_EQ(dialogs.MessageTexts(), end < 300 ? QStringList{shortPipe} : QStringList{});
        EXPECT_GT(ProfValue(1, "Floss"), -1.0);   // the row exists and was written
        EXPECT_DOUBLE_EQ(ProfValue(0, "RchLen"), end);
    }
}

// An entrance 0.2 ft below the water surface is not submerged; a main of
// known pressure starts the energy line at its pressure head instead and is
// not checked.
//   main: Egl 2.307124400 x 30 + 99.8 = 169.013732 (also its static grade)
TEST_F(GravityRun, EntranceSubmergenceAndKnownMainPressure)
{
    WorkNode n0{.station = 0, .invert = 99.8, .pipeQ = 200, .diaIn = 6, .cfac = 150,
                .reachType = "GRAVBEG", .nodeType = 0};
    WorkNode n1 = End(n0, 1000, 60);

    testsupport::WriteWorkJob(WorkHeader{.wsElev = 100, .outletElev = 60}, {n0, n1});
    Grav->RunGravityProfile();
    const QString notSubmerged =
        QStringLiteral("WARNING .. Pipe entrance not submerged, deepen pipe or raise WS");
    EXPECT_EQ(ProfText(0, "Warning"), notSubmerged);
    EXPECT_EQ(dialogs.MessageTexts(), QStringList{notSubmerged});

    dialogs.ClearLog();
    testsupport::WriteWorkJob(
        WorkHeader{.pumpType = "PRESSKNOWN", .wsElev = 100, .outletElev = 60, .psiIn = 30},
        {n0, n1});
    Grav->RunGravityProfile();
    EXPECT_EQ(ProfText(0, "Warning"), QString());
    EXPECT_DOUBLE_EQ(ProfValue(0, "Egl"), 169.01);
    EXPECT_DOUBLE_EQ(ProfValue(0, "Sgl"), 169.01);
    EXPECT_DOUBLE_EQ(ProfValue(1, "Sgl"), 169.01);
    EXPECT_TRUE(dialogs.Messages().empty());

    // A reducer at 10+00 set to 40 psi (at 99.8) gets 166.057986 ft, 28.72
    // psi (hf 2.875773 a reach, hv 0.079973), and passes that on: the end
    // 163.18, not the 189.21 its setting would give.
    WorkNode reducer = Mid(n0, 1000, 99.8);
    reducer.nodeType = 3;
    reducer.psiSet = 40;
    testsupport::WriteWorkJob(
        WorkHeader{.pumpType = "PRESSKNOWN", .wsElev = 100, .outletElev = 60, .psiIn = 30},
        {n0, reducer, End(n0, 2000, 60)});
    Grav->RunGravityProfile();
    EXPECT_DOUBLE_EQ(ProfValue(2, "Hgl"), 163.18);
    EXPECT_EQ(dialogs.MessageTexts(), QStringList{"WARNING .. The pressure reducer at Sta 10+00 receives 28.72 psi, "
                                                  "below its set pressure of 40.00 psi, so it passes the 28.72 psi on."});
}

// Fewer than two nodes or more than a run can hold: a clear message, nothing
// computed, written or traced.
TEST_F(GravityRun, ProfilesOutsideTwoToOneHundredNodesAreRefused)
{
    for (int count : {1, 101}) {
        SCOPED_TRACE(count);
        dialogs.ClearLog();
        std::vector<WorkNode> nodes;
        for (int i = 0; i < count; ++i)
            nodes.push_back(WorkNode{.station = 10.0 * i, .invert = 100.0 - i, .pipeQ = 100,
                                     .diaIn = 6, .cfac = 150,
                                     .reachType = i == 0 ? "GRAVBEG" : "GRAVMID",
                                     .nodeType = i == 0 ? 0 : 1});
        testsupport::WriteWorkJob(WorkHeader{.wsElev = 105, .outletElev = 0}, nodes);
        Grav->RunGravityProfile();

        ASSERT_EQ(dialogs.Messages().size(), 1u);
        EXPECT_EQ(dialogs.Messages()[0].type, ui::MsgType::Error);
        EXPECT_TRUE(dialogs.MessageTexts()[0].contains(QString::number(count == 1 ? 2 : 100)));
        EXPECT_TRUE(ProfIsNull(0, "Hgl"));
        EXPECT_TRUE(ProfIsNull(count - 1, "Hgl"));
        EXPECT_FALSE(QFile::exists(TracePath("GravFlow.txt")));
        for (TSta* s : psta)
            EXPECT_EQ(s, nullptr);
    }
}

// Degenerate entries: a reach of zero diameter, a booster without efficiency,
// an elbow on soil of no bearing and a pipe with a modulus but no wall. The
// run warns where it can, and no table field or trace line holds inf or nan.
TEST_F(GravityRun, DegenerateEntriesStoreNoInfiniteOrUndefinedNumber)
{
    WorkNode n0{.station = 0, .invert = 100, .pipeQ = 300, .diaIn = 6, .cfac = 150,
                .reachType = "GRAVBEG", .nodeType = 0};
    WorkNode n1 = Mid(n0, 250, 90);
    n1.nodeType = 2;
    n1.psiSet = -1;
    n1.fitting = "90 deg Elbow";
    n1.soil = 0;
    n1.modulus = 400000;
    n1.wallThick = 0;
    n1.rating = 100;
    WorkNode n2 = n0;
    n2.station = 250.001;   // a fall of 40 ft in 0.001 ft
    n2.invert = 50;
    n2.diaIn = 0;
    n2.reachType = "GRAVMID";
    WorkNode n3 = End(n0, 1500, 40);
    // An outlet that wants more than the water surface gives: the booster is needed.
    testsupport::WriteWorkJob(BoosterHeader(0, 40, 60), {n0, n1, n2, n3});
    Grav->RunGravityProfile();

    for (int k = 0; k < 4; ++k) {
        ProfValue(k, "Station");
        for (int f = 0; f < DMod->WorkProfTable->FieldCount(); ++f) {
            db::Field* field = DMod->WorkProfTable->Fields(f);
            const QString text = field->AsString().toLower();
            EXPECT_FALSE(text.contains("inf") && field->DataType() != db::FieldType::Alpha)
                << k << ' ' << field->FieldName().toStdString();
            EXPECT_FALSE(text.contains("nan")) << k << ' ' << field->FieldName().toStdString();
            if (field->DataType() == db::FieldType::Number)
                EXPECT_TRUE(std::isfinite(field->AsFloat())) << k << ' ' << field->FieldName().toStdString();
        }
    }
    DMod->WorkPipeTable->First();
    for (int f = 0; f < DMod->WorkPipeTable->FieldCount(); ++f) {
        db::Field* field = DMod->WorkPipeTable->Fields(f);
        if (field->DataType() == db::FieldType::Number)
            EXPECT_TRUE(std::isfinite(field->AsFloat())) << field->FieldName().toStdString();
    }
    const QString trace = TraceText().toLower();
    EXPECT_FALSE(trace.isEmpty());
    EXPECT_FALSE(trace.contains("inf"));
    EXPECT_FALSE(trace.contains("nan"));
    EXPECT_EQ(PipeText("MotorHP"), QString());
    // The steep node gets a valve.
    EXPECT_GT(ProfValue(1, "AirVacSize"), 0.0) << dialogs.MessageTexts().join('|').toStdString();
}

namespace {

// Three manifold outlets as the manifold run leaves them.
void WriteManifold(const double ratings[3])
{
    db::Table* t = DMod->WorkTrickleTable;
    t->Open();
    t->EmptyTable();
    const double station[] = {0, 100, 200}, invert[] = {80, 81, 82}, egl[] = {90, 88, 86},
                 hgl[] = {89.5, 87.5, 85.8}, dia[] = {2, 2, 1.5};
    for (int k = 0; k < 3; ++k) {
        t->Append();
        DMod->WorkTrickleTableStation->SetAsFloat(station[k]);
        DMod->WorkTrickleTableInvertElev->SetAsFloat(invert[k]);
        DMod->WorkTrickleTableEgl->SetAsFloat(egl[k]);
        DMod->WorkTrickleTableHgl->SetAsFloat(hgl[k]);
        DMod->WorkTrickleTableDiaIn->SetAsFloat(dia[k]);
        DMod->WorkTrickleTablePressurRating->SetAsFloat(ratings[k]);
        DMod->WorkTrickleTableWarning->SetAsString(QStringLiteral("old"));
        t->Post();
    }
}

double TrickleValue(int row, db::Field* field)
{
    db::Table* t = DMod->WorkTrickleTable;
    t->First();
    for (int i = 0; i < row; ++i)
        t->Next();
    return field->AsFloat();
}

QString TrickleWarning(int row)
{
    TrickleValue(row, DMod->WorkTrickleTableEgl);
    return DMod->WorkTrickleTableWarning->AsString();
}

} // namespace

// The Hazen-Williams line ending in a manifold designed for an entrance HGL
// 8 ft above the line's end HGL (83.808114692): the manifold drops 8 ft.
//   row 0: Egl 82.00, Hgl 81.50, Psi (81.5 - 80) x 0.43344 = 0.65; crown 80.17,
//          below crown + 5 ft least head: warning
//   row 1: Hgl 79.50 < crown 81.17: error; Psi -0.65
//   row 2: Hgl 77.80 < crown 82.13: error; Psi (77.8 - 82) x 0.43344 = -1.82
TEST_F(GravityRun, ManifoldAtTheEndMovesWithTheLinesEndGrade)
{
    const double ratings[] = {0, 0, 0};
    WriteManifold(ratings);
    auto nodes = HazenLine();
    nodes[2].reachType = "GRAVTRICKLE";
    nodes[2].nodeType = 6;
    WorkHeader h = HazenHeader();
    h.sysHas = 2;
    h.triclEntHgl = 91.808114692;
    testsupport::WriteWorkJob(h, nodes);
    Tul->TriclMinHead = 5;
    Grav->RunGravityProfile();

    EXPECT_NEAR(Grav->TrickleHglMargin, -8.0, 1e-8);
    const double egl[] = {82.00, 80.00, 78.00}, hgl[] = {81.50, 79.50, 77.80},
                 psi[] = {0.65, -0.65, -1.82};
    for (int k = 0; k < 3; ++k) {
        SCOPED_TRACE(k);
        EXPECT_DOUBLE_EQ(TrickleValue(k, DMod->WorkTrickleTableEgl), egl[k]);
        EXPECT_DOUBLE_EQ(TrickleValue(k, DMod->WorkTrickleTableHgl), hgl[k]);
        EXPECT_DOUBLE_EQ(TrickleValue(k, DMod->WorkTrickleTablePsi), psi[k]);
    }
    const QString low = QStringLiteral(
        " WARNING: Minimum manifold pressure has not been met. Review hydraulic profile.");
    const QString below = QStringLiteral(
        " ERROR: HGL is below high point in manifold pipeline.  You MUST make changes.");
    EXPECT_EQ(TrickleWarning(0), low);
    EXPECT_EQ(TrickleWarning(1), below);
    EXPECT_EQ(TrickleWarning(2), below);
    // After the line's two rating warnings, one message per manifold row.
    const auto& m = dialogs.Messages();
    ASSERT_EQ(m.size(), 5u);
    // On screen each names its station, so the same text twice still tells which node.
    EXPECT_EQ(m[2].text, "At manifold station 0+00: " + low.trimmed());
    EXPECT_EQ(m[2].type, ui::MsgType::Warning);
    EXPECT_EQ(m[3].text, "At manifold station 1+00: " + below.trimmed());
    EXPECT_EQ(m[3].type, ui::MsgType::Error);
    EXPECT_EQ(m[4].text, "At manifold station 2+00: " + below.trimmed());
    EXPECT_EQ(m[4].type, ui::MsgType::Error);
    // Only gated-pipe ends (and manifold calculator jobs) keep the end row's pipe.
    EXPECT_EQ(ProfText(2, "PipeType"), QString());
}

// Ratings along the manifold: only rows before the last two use their own
// rating downstream, and the second row is checked against no upstream
// rating; the last row against the second row's.
//   margin 20: row 1 Psi (107.5 - 81) x 0.43344 = 11.486 is over its 10 psi
//   rating but not flagged; row 2 Psi (105.8 - 82) x 0.43344 = 10.315872 > 10
TEST_F(GravityRun, ManifoldRatingsFollowTheRowOrder)
{
    const double ratings[] = {100, 10, 10};
    WriteManifold(ratings);
    Tul->TriclMinHead = 0;
    Grav->CheckTrickleManifold(20);

    EXPECT_EQ(TrickleWarning(0), QString());
    EXPECT_EQ(TrickleWarning(1), QString());
    EXPECT_EQ(TrickleWarning(2),
              QStringLiteral("WARNING .. Pressure of 10.32 is greater than pipe pressure rating, up stream."));
    EXPECT_DOUBLE_EQ(TrickleValue(1, DMod->WorkTrickleTablePsi), 11.49);
    EXPECT_EQ(dialogs.MessageTexts(), QStringList{"At manifold station 2+00: " + TrickleWarning(2)});
}

// A line ending in gated pipe: the gated end's short-pipe text has no leading
// blank, and the gated-pipe run follows the profile (here it finds no gated
// pipe data and says so, after the profile is written).
TEST_F(GravityRun, GatedEndIsFollowedByTheGatedPipeRun)
{
    WorkNode n0{.station = 0, .invert = 15, .pipeQ = 100, .diaIn = 6, .cfac = 150,
                .reachType = "GRAVBEG", .nodeType = 0};
    WorkNode n1 = n0;
    n1.station = 120;
    n1.invert = 10;
    n1.reachType = "GRAVGATED";
    n1.nodeType = 5;
    testsupport::WriteWorkJob(WorkHeader{.sysHas = 1, .wsElev = 20, .outletElev = 10}, {n0, n1});
    CreateGatedObject();   // as the start-up code does
    Grav->RunGravityProfile();

    const QString shortPipe =
        QStringLiteral("WARNING .. Short pipe, may not be full pipe flow, check by hand");
    EXPECT_EQ(ProfText(1, "Warning"), shortPipe);
    ASSERT_EQ(dialogs.Messages().size(), 2u);
    EXPECT_EQ(dialogs.MessageTexts()[0], shortPipe);
    EXPECT_TRUE(dialogs.MessageTexts()[1].startsWith(QStringLiteral("ERROR..Gated pipe not computed.")));
    // A gated end keeps its pipe for the gated run.
    EXPECT_EQ(ProfText(1, "PipeType"), QStringLiteral("PVC"));
}

// The station steps the pumped run borrows, on records of its own: the
// entrance adds the pump's column loss to its minor losses, and the pumped
// ends take their grade from the outlet pressure, the clearance head or the
// manifold's entrance grade, with their own rating check.
//   V of 448.83 gpm in 6 in: 1 / (0.0054542 x 36) = 5.092915144, hv 0.402760631
//   entrance: 0.5 x 0.402760631 + column loss 3 = 3.201380316
//   end of 100 ft: Hazen-Williams 1.284842881
//   code 11: Hgl 2.307124400 x 20 + 12 = 58.142488003, Psi (58.142488 - 10) x 0.43344
//     = 20.86688 > 72% of the 25 psi upstream rating
//   code 12: Hgl clearance 4 + 12 = 16; code 14: Hgl the manifold's 30
TEST_F(GravityRun, StationStepsOfThePumpedRun)
{
    testsupport::WriteWorkJob(WorkHeader{.triclEntHgl = 30}, {});
    Tul->PumpTypeCode = 1;
    Tul->ColumnLoss = 3;
    Tul->OutletPsi = 20;
    Tul->OutletElev = 12;
    Tul->ClearHead = 4;

    TSta s0;
    s0.PipeQ = 448.83;
    s0.DiaIn = 6;
    s0.K1 = 0.5;
    s0.KLocate1 = 1;
    Grav->InletComps(&s0, nullptr);
    EXPECT_NEAR(s0.Kloss, 3.201380316, 1e-9);
    EXPECT_DOUBLE_EQ(s0.PipeLength, 0.0);

    TSta p;
    p.PipeQ = 448.83;
    p.DiaIn = 6;
    p.Cfac = 150;
    p.Nfac = 0.011;
    p.PressurRating = 25;
    const double expectedHgl[] = {58.142488003, 16.0, 30.0};
    const double expectedPsi[] = {20.86688, 2.60064, 8.6688};
    const int codes[] = {11, 12, 14};
    for (int k = 0; k < 3; ++k) {
        SCOPED_TRACE(codes[k]);
        dialogs.ClearLog();
        Grav->TrickleHglMargin = 5;
        TSta l;
        l.Station = 100;
        l.ReachCode = codes[k];
        l.InvertElev = 10;
        l.PipeQ = 448.83;
        l.DiaIn = 6;
        l.PsiSet = codes[k] == 14 ? 40 : 0;   // a manifold end ignores it
        Grav->EndComp(&l, &p, &s0, nullptr);
        EXPECT_DOUBLE_EQ(l.PipeLength, 100.0);
        EXPECT_NEAR(l.Floss, 1.284842881, 1e-9);
        EXPECT_EQ(l.FrictionMethodUsed, 2);
        EXPECT_DOUBLE_EQ(l.Nfac, 0.011);   // the end takes its reach's factors
        EXPECT_NEAR(l.Hgl, expectedHgl[k], 1e-9);
        EXPECT_NEAR(l.Psi, expectedPsi[k], 1e-9);
        EXPECT_NEAR(l.vel, 5.092915144, 1e-9);
        if (codes[k] == 11) {
            const QString w = QStringLiteral(
                "WARNING .. Pressure of 20.87 is greater than 72% of pipe pressure rating, up stream.");
            EXPECT_EQ(l.Warning, w);
            EXPECT_EQ(dialogs.MessageTexts(), QStringList{w});
        } else {
            EXPECT_EQ(l.Warning, QString());
            EXPECT_TRUE(dialogs.Messages().empty());
        }
        EXPECT_DOUBLE_EQ(Grav->TrickleHglMargin, codes[k] == 14 ? 0.0 : 5.0);
    }
}

// The trace is a diagnostic: when its file cannot be made the run still
// computes and stores the profile.
TEST_F(GravityRun, RunWithoutATraceFileStillStoresResults)
{
    ASSERT_TRUE(QDir().mkdir(TracePath("GravFlow.txt")));
    testsupport::WriteWorkJob(HazenHeader(), HazenLine());
    Grav->RunGravityProfile();
    EXPECT_DOUBLE_EQ(ProfValue(2, "Hgl"), 83.81);
}
