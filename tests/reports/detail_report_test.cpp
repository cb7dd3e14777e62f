// The detailed hydraulic report: its title, node and reach lines, minor
// losses, info lines, thrust-block pages and the same text on every output.
#include "reports_fixture.h"

#include "engine/gravity_run.h"
#include "model/job.h"
#include "reports/detail_report.h"
#include "support/workprofile.h"

#include <QDir>
#include <QFile>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>

using namespace report;

namespace {

class DetailTest : public ReportFormTest {
protected:
    // A three-node known-flow gravity line: entrance, one in-line node with
    // a size change from 6 to 8 inches, and the end node.
    void ThreeNodeJob()
    {
        Header();
        job.AddProfRow({{"Station", 0.0}, {"TSta", "0+00"}, {"NodeType", 0}, {"PipeType", "PVC"},
                        {"GroundElev", 350.0}, {"InvertElev", 346.5}, {"PipeDepth", 36.0},
                        {"DownStreamPipeDescription", "6 in PVC 80 psi"}, {"CalcMethod", "Hazen-Williams"},
                        {"DiaIn", 6.0}, {"PressurRating", 80.0}, {"PipeQ", 500.0}, {"Vel", 5.674},
                        {"Hgl", 351.5}, {"Egl", 352.0}, {"Psi", 2.17}, {"StatPres", 2.38},
                        {"Kloss", 0.5}, {"Floss", 1.25}, {"KDescription1", "Entrance, square"},
                        {"K1", 0.5}, {"Kid1", 6.0}});
        job.AddProfRow({{"Station", 600.0}, {"TSta", "6+00"}, {"NodeType", 1}, {"PipeType", "PVC"},
                        {"GroundElev", 330.0}, {"InvertElev", 327.0}, {"PipeDepth", 30.0},
                        {"DownStreamPipeDescription", "8 in PVC 80 psi"}, {"DiaIn", 8.0},
                        {"PressurRating", 80.0}, {"PipeQ", 250.0}, {"OutQ", 250.0}, {"Vel", 1.6},
                        {"Hgl", 349.9}, {"Egl", 349.94}, {"Psi", 9.92}, {"Kloss", 0.25}, {"Floss", 0.75},
                        {"KDescription1", "Enlargement"}, {"K1", -1.0}, {"KDescription2", "Tee, run"},
                        {"K2", 0.6}, {"Kid2", 8.0}, {"AirVacSize", 2.0}, {"Surge", 41.256}});
        job.AddProfRow({{"Station", 1200.0}, {"TSta", "12+00"}, {"NodeType", 4}, {"GroundElev", 310.0},
                        {"InvertElev", 307.0}, {"PipeDepth", 0.0}, {"PipeQ", 250.0}, {"OutQ", 250.0},
                        {"Hgl", 349.0}, {"Egl", 349.04}, {"Psi", 18.2}, {"Kloss", 0.0}, {"Floss", 0.0},
                        {"Warning", "WARNING ..  Pressure at outlet elevation is lower than required pressure."}});
    }

    Dump Render()
    {
        TQRDetail form(owner.get());
        form.QRCompositeReport1.PrintDate = QDate(2026, 12, 9);
        return RenderDump(form.QRCompositeReport1);
    }

    // What the named control printed on each detail row, in order.
    static QStringList Column(const Dump& d, const QString& control) { return d.TextsOf(control); }
};

TEST_F(DetailTest, TitleBandNamesProgramReportLineAndJob)
{
    ThreeNodeJob();
    Tul->SysHas = 1;
    const Dump d = Render();
    EXPECT_EQ(d.PageOf("Mersol"), 1);
    EXPECT_EQ(d.PageOf("Detailed Pipeline Hydraulic Report"), 1);
    EXPECT_EQ(d.PageOf("Main Pipeline"), 1);
    EXPECT_EQ(d.TextsOf("QRDBText1"), QStringList{"Smith Farm"});
    EXPECT_EQ(d.TextsOf("QRDBText6"), QStringList{"R. Ames"});
    EXPECT_EQ(d.TextsOf("SysType"), QStringList{"Gravity system, known flow, W/Gated pipe at end"});
    EXPECT_EQ(d.TextsOf("QRDBWS"), QStringList{"352"});
    // A known-flow gravity job has neither inlet pressure nor clearance lines.
    EXPECT_FALSE(d.Contains("Available Inlet Pressure ="));
    EXPECT_FALSE(d.Contains("HGL Minimum Clearance ="));
    EXPECT_EQ(d.pages[0].report, "QuickRepDetail");
}

// The job notes take the room of their lines, and none when there are none:
// the header's rule follows the last line printed above it.
TEST_F(DetailTest, TitleBandTakesRoomForNotesOnlyWhenThereAreSome)
{
    ThreeNodeJob();
    for (const QString& notes : {QString(), QStringLiteral("Fence the creek.\nSpring water in May.")}) {
        SCOPED_TRACE(notes.toStdString());
        job.SetHeader({{"JobNotes", notes}});
        const Dump d = Render();
        const QRectF rule = BoxOf(d, "TitleBand1Rule");
        const QRectF lastLine = notes.isEmpty() ? BoxOf(d, "PsQRDBText1") : BoxOf(d, "QRDBText2", 1);
        if (!notes.isEmpty())   // right under the job lines
            EXPECT_LT(BoxOf(d, "QRDBText2").top() - BoxOf(d, "PsQRDBText1").bottom(), 0.1);
        EXPECT_EQ(d.TextsOf("QRDBText2").size(), notes.isEmpty() ? 0 : 2);
        EXPECT_GE(rule.top(), lastLine.bottom());
        EXPECT_LT(rule.top() - lastLine.bottom(), 0.15);
        EXPECT_GT(BoxOf(d, "SysType").top(), rule.bottom());
    }
}

TEST_F(DetailTest, RequiredOutletLinesReadNoneWithoutOutletPressure)
{
    ThreeNodeJob();
    Tul->EndPsi = 21.2345;
    Dump d = Render();
    EXPECT_EQ(d.TextsOf("OutletPsiLbl"), QStringList{"None"});
    EXPECT_EQ(d.TextsOf("OutletWSLbl"), QStringList{"None"});
    EXPECT_TRUE(d.TextsOf("OutPsiLbl").isEmpty());
    EXPECT_EQ(d.TextsOf("OutPLbl"), QStringList{"21.23"});

    // With a required pressure the outlet water surface is worked out from it...
    job.SetHeader({{"OutletPsi", 10.0}});
    d = Render();
    EXPECT_EQ(d.TextsOf("OutletPsiLbl"), QStringList{"10"});
    EXPECT_EQ(d.TextsOf("OutPsiLbl"), QStringList{"psi"});
    EXPECT_EQ(d.TextsOf("OutletWSLbl"), QStringList{"323.1"});   // 300 + 10 / 0.43344
    // ...unless the job gives it.
    job.SetHeader({{"ReqOutletWS", 325.5}});
    d = Render();
    EXPECT_EQ(d.TextsOf("OutletWSLbl"), QStringList{"325.5"});
}

TEST_F(DetailTest, SystemLinesFollowSystemAndPumpType)
{
    ThreeNodeJob();
    Tul->SysTypeCode = 1;
    Dump d = Render();
    EXPECT_EQ(d.TextsOf("SysType"), QStringList{"Gravity system, maximum flow"});
    EXPECT_FALSE(d.Contains("Actual Outlet Pressure ="));

    Tul->SysTypeCode = 2;
    Tul->PumpTypeCode = 7;
    Tul->SysHas = 2;
    d = Render();
    EXPECT_EQ(d.TextsOf("SysType"),
              QStringList{"Pumped system, known flow, automatic pressure tank controlled system, W/Manifold at end"});
    EXPECT_TRUE(d.Contains("HGL Minimum Clearance ="));
    // The static-pressure column of a pressure-tank job is its off pressure.
    EXPECT_EQ(d.TextsOf("StatPres2Lbl").join(' ').simplified(), "Off Pressure (psi)");

    // No water surface at a pressurised-main entrance: the inlet pressure shows
    // instead.
    job.SetHeader({{"WSElev", -100.0}, {"PsiIn", 45.0}});
    Tul->SysTypeCode = 3;
    Tul->PumpTypeCode = 6;
    Tul->SysHas = 0;
    d = Render();
    EXPECT_EQ(d.TextsOf("SysType"), QStringList{"Pressurized lateral, known flow, using known pressure from mainline"});
    EXPECT_FALSE(d.Contains("Water Surface Elevation ="));
    EXPECT_TRUE(d.TextsOf("QRDBWS").isEmpty());
    EXPECT_EQ(d.TextsOf("InletPsiQRDB"), QStringList{"45"});
    // Where that pressure is what the run looks for, it shows what it found.
    Tul->PumpTypeCode = 5;
    d = Render();
    EXPECT_EQ(d.TextsOf("InletPsiLbl"), QStringList{"Required Inlet Pressure ="});
    EXPECT_EQ(d.TextsOf("InletPsiQRDB"), QStringList{"45.00"});
}

TEST_F(DetailTest, NodeColumnsUseTheirMasksAndPlaceholders)
{
    ThreeNodeJob();
    const Dump d = Render();
    EXPECT_EQ(Column(d, "QRDBText7"), (QStringList{"0+00", "6+00", "12+00"}));
    EXPECT_EQ(Column(d, "QRDBText8"), (QStringList{"350.0", "330.0", "310.0"}));
    EXPECT_EQ(Column(d, "QRDBText11"), (QStringList{"351.50", "349.90", "349.00"}));
    EXPECT_EQ(Column(d, "QRDBText16"), (QStringList{"0.500", "0.250", "0.000"}));
    EXPECT_EQ(Column(d, "QRLblPDepth"), (QStringList{"36.0", "30.0", "NA"}));
    EXPECT_EQ(Column(d, "QRLblStatPres"), (QStringList{"2.38", "NA", "NA"}));
    EXPECT_EQ(Column(d, "VentLbl"), (QStringList{"None", "2.0", "None"}));
    EXPECT_EQ(Column(d, "SurgeLbl"), (QStringList{"NA", "41.26", "NA"}));
    // Minor loss at the node, plus the friction of the reach above it.
    EXPECT_EQ(Column(d, "QRTotFricLabel"), (QStringList{"0.500", "2.000", "2.750"}));
}

TEST_F(DetailTest, ReachLinesStopAtTheEndNode)
{
    ThreeNodeJob();
    const Dump d = Render();
    EXPECT_EQ(Column(d, "L1").size(), 2);
    EXPECT_EQ(Column(d, "Q1"), (QStringList{"6 in PVC 80 psi", "8 in PVC 80 psi"}));
    EXPECT_EQ(Column(d, "cfsLbl"), (QStringList{"1.11", "0.56"}));
    EXPECT_EQ(Column(d, "VelLbl"), (QStringList{"5.674", "1.600"}));
    EXPECT_EQ(Column(d, "FricLbl"), (QStringList{"1.250", "0.750"}));
    EXPECT_EQ(Column(d, "L9"), (QStringList{"gpm,", "gpm,"}));
    // The end node keeps its node line, minor losses, warning and info line.
    EXPECT_EQ(Column(d, "QRDBText7").last(), "12+00");
    EXPECT_EQ(Column(d, "LossLbl").size(), 3);
    EXPECT_EQ(Column(d, "Q7").join(' '),
              "WARNING ..  Pressure at outlet elevation is lower than required pressure.");
}

TEST_F(DetailTest, ReachWithoutFlowPrintsNoVelocityOrFriction)
{
    Header();
    job.AddProfRow({{"Station", 0.0}, {"TSta", "0+00"}, {"NodeType", 0}, {"PipeType", "PVC"},
                    {"DiaIn", 6.0}, {"PipeQ", 0.0}, {"Vel", 0.0}, {"Floss", 0.0}});
    job.AddProfRow({{"Station", 100.0}, {"TSta", "1+00"}, {"NodeType", 4}});
    const Dump d = Render();
    EXPECT_EQ(Column(d, "L9"), QStringList{"gpm"});
    EXPECT_TRUE(Column(d, "VelLbl").isEmpty());
    EXPECT_TRUE(Column(d, "FricLbl").isEmpty());
    EXPECT_TRUE(Column(d, "Q2").isEmpty());
    EXPECT_EQ(Column(d, "Q3"), QStringList{"0.0"});
}

TEST_F(DetailTest, MinorLossItemsOrTheirTotal)
{
    ThreeNodeJob();
    Tul->DetailedML = true;
    Dump d = Render();
    // A size change shows the diameter above and this one as its id.
    EXPECT_EQ(Column(d, "LossLbl"), (QStringList{"Entrance, square, id= 6.00", "Enlargement, id= 6.00,8.00; Tee, run, id= 8.00",
                                                 "None"}));

    Tul->DetailedML = false;
    d = Render();
    EXPECT_EQ(Column(d, "LossLbl"), (QStringList{"Minor losses = 0.500 feet", "Minor losses = 0.250 feet", "None"}));
}

TEST_F(DetailTest, EntranceTotalAndColumnFrictionWithItemByItemLosses)
{
    Header({{"ColumnLoss", 1.5}});
    Tul->SysTypeCode = 2;
    Tul->PumpTypeCode = 3;
    Tul->DetailedML = true;
    job.AddProfRow({{"Station", 0.0}, {"TSta", "0+00"}, {"NodeType", 0}, {"PipeType", "PVC"}, {"DiaIn", 6.0},
                    {"Kloss", 0.3}});
    job.AddProfRow({{"Station", 100.0}, {"TSta", "1+00"}, {"NodeType", 1}, {"PipeType", "PVC"}, {"DiaIn", 6.0},
                    {"KDescription1", "Elbow, 90"}, {"Kid1", 6.0}, {"K1", 0.9}, {"Kloss", 0.1}});
    job.AddProfRow({{"Station", 200.0}, {"TSta", "2+00"}, {"NodeType", 4}});
    Dump d = Render();
    // An entrance without items prints its total even with item-by-item losses.
    EXPECT_EQ(Column(d, "LossLbl"), (QStringList{"Minor losses = 0.300 feet", "Elbow, 90, id= 6.00", "None"}));

    DMod->WorkProfTable->First();
    DMod->WorkProfTable->Edit();
    DMod->WorkProfTable->FieldByName("Kloss")->SetAsFloat(0.0);
    DMod->WorkProfTable->FieldByName("KDescription1")->SetAsString("Foot valve");
    DMod->WorkProfTable->FieldByName("Kid1")->SetAsFloat(6.0);
    DMod->WorkProfTable->Post();
    d = Render();
    EXPECT_EQ(Column(d, "LossLbl").first(), "Column Friction= 1.50; Foot valve, id= 6.00");
    Tul->PumpTypeCode = 1;
    d = Render();
    EXPECT_EQ(Column(d, "LossLbl").first(), "Suction pipe Friction= 1.50; Foot valve, id= 6.00");
}

TEST_F(DetailTest, InfoLinesForOutflowInflowBoosterAndReducer)
{
    ThreeNodeJob();
    const Dump d = Render();
    EXPECT_EQ(Column(d, "InfoLbl"), (QStringList{"Outflow at this station = 250 gpm",
                                                 "Outflow at this station = 250 gpm"}));

    job.AddProfRow({{"Station", 300.0}, {"TSta", "3+00"}, {"NodeType", 1}, {"PipeType", "PVC"}, {"InQ", 75.5}});
    EXPECT_TRUE(Render().Contains("Inflow at this station = 75.5 gpm"));
}

TEST_F(DetailTest, EachSetPressureNodePrintsItsOwnGradeLine)
{
    Header();
    job.AddProfRow({{"Station", 0.0}, {"TSta", "0+00"}, {"NodeType", 0}, {"PipeType", "PVC"}});
    job.AddProfRow({{"Station", 500.0}, {"TSta", "5+00"}, {"NodeType", 3}, {"PipeType", "PVC"},
                    {"PsiSet", 20.0}, {"InvertElev", 250.0}, {"Vel", 4.0}, {"Hgl", 300.0}});
    job.AddProfRow({{"Station", 900.0}, {"TSta", "9+00"}, {"NodeType", 3}, {"PipeType", "PVC"},
                    {"PsiSet", 15.0}, {"InvertElev", 200.0}, {"Vel", 4.0}, {"Hgl", 240.0}});
    job.AddProfRow({{"Station", 1200.0}, {"TSta", "12+00"}, {"NodeType", 4}});
    Tul->BoosterHgl = 999.0;   // what the run left: the last node's
    Dump d = Render();
    // The line below starts at the set pressure over the invert, as the run
    // carries it on: 250 + 2.3071244 x 20 and 200 + 2.3071244 x 15.
    EXPECT_EQ(Column(d, "InfoLbl"),
              (QStringList{"REQUIRES Pressure Reducer Valve, DS pressure set at 20 psi, Reduced HGL Elev = 296.14 ft",
                           "REQUIRES Pressure Reducer Valve, DS pressure set at 15 psi, Reduced HGL Elev = 234.61 ft"}));
    // Reached by less than its setting, a reducer passes that on.
    testsupport::SetProfField(2, "Hgl", 230.0);
    EXPECT_EQ(Column(Render(), "InfoLbl").at(1),
              "REQUIRES Pressure Reducer Valve, DS pressure set at 15 psi, Reduced HGL Elev = 230.00 ft");

    // A reducer without a setting reduces nothing, and says so.
    job.AddProfRow({{"Station", 1000.0}, {"TSta", "10+00"}, {"NodeType", 3}, {"PipeType", "PVC"},
                    {"PsiSet", 0.0}, {"InvertElev", 190.0}, {"Vel", 4.0}});
    EXPECT_EQ(Column(Render(), "InfoLbl").at(2), "Pressure reducer without a set pressure: HGL not reduced");

    // An in-line booster job boosts to the set line itself, three decimals.
    job.AddProfRow({{"Station", 700.0}, {"TSta", "7+00"}, {"NodeType", 2}, {"PipeType", "PVC"},
                    {"PsiSet", 30.0}, {"InvertElev", 240.0}, {"Vel", 4.0}, {"Hgl", 280.0}});
    Tul->PumpTypeCode = 8;
    job.SetHeader({{"PumpType", "INLINE BOOSTER"}});
    d = Render();
    EXPECT_EQ(Column(d, "InfoLbl").at(1),
              "Boster Pump, DS pressure set at 30 psi, HGL boosted to elev = 309.214 ft");
}

TEST_F(DetailTest, ThrustBlockPagesOnlyWhenANodeNeedsOne)
{
    ThreeNodeJob();
    Dump d = Render();
    EXPECT_FALSE(d.Contains("Thrust Block Requirements"));
    EXPECT_EQ(d.PageCount(), 1);

    DMod->WorkProfTable->First();
    DMod->WorkProfTable->Next();
    DMod->WorkProfTable->Edit();
    DMod->WorkProfTable->FieldByName("Fitting")->SetAsString("90 degree bend");
    DMod->WorkProfTable->FieldByName("Soil")->SetAsString("Sandy loam");
    DMod->WorkProfTable->FieldByName("ThBlkSoil")->SetAsFloat(2000);
    DMod->WorkProfTable->FieldByName("ThBlockArea")->SetAsFloat(3.456);
    DMod->WorkProfTable->Post();
    d = Render();
    ASSERT_EQ(d.PageCount(), 2);
    EXPECT_EQ(d.pages[1].report, "QuickRepThrust");
    EXPECT_EQ(d.PageOf("Thrust Block Requirements"), 2);
    // Every node prints its station and fitting; soil and area only at a fitting.
    EXPECT_EQ(d.TextsOf("TB1"), (QStringList{"0+00", "6+00", "12+00"}));
    EXPECT_EQ(d.TextsOf("Lbl5"), (QStringList{"None", "90 degree bend", "None"}));
    EXPECT_EQ(d.TextsOf("TB3"), QStringList{"Sandy loam"});
    EXPECT_EQ(d.TextsOf("TB5"), QStringList{"3.5"});
    EXPECT_EQ(d.TextsOf("PageFooterBand2PageNo"), QStringList{"2"});
    EXPECT_EQ(DMod->WorkProfTable->RecNo(), 3);   // the walk ends at the last row
}

TEST_F(DetailTest, EmptyProfilePrintsNothing)
{
    Header();
    DMod->WorkProfTable->Open();
    EXPECT_EQ(Render().PageCount(), 0);
}

TEST_F(DetailTest, PreviewAndPrintShowTheSameText)
{
    ThreeNodeJob();
    // The first node is a size change, so a remembered diameter would show.
    DMod->WorkProfTable->First();
    DMod->WorkProfTable->Edit();
    DMod->WorkProfTable->FieldByName("K1")->SetAsFloat(-1.0);
    DMod->WorkProfTable->Post();
    // The last row leaves its diameter behind when a pass ends.
    DMod->WorkProfTable->Last();
    DMod->WorkProfTable->Edit();
    DMod->WorkProfTable->FieldByName("DiaIn")->SetAsFloat(8.0);
    DMod->WorkProfTable->Post();

    TQRDetail form(owner.get());
    Document& doc = form.QRCompositeReport1;
    doc.PrintDate = QDate(2026, 12, 9);
    std::vector<Dump> dumps;
    doc.AfterGenerate = [&](const Dump& d) { dumps.push_back(d); };
    Preview(doc, owner.get());

    QTemporaryDir dir;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath("print.pdf"));
    PrintTo(doc, printer);
    ASSERT_EQ(dumps.size(), 2u);
    EXPECT_EQ(dumps[0].ToText(), dumps[1].ToText());
    EXPECT_EQ(dumps[1].TextsOf("LossLbl").first(), "Entrance, square, id= 0.00,6.00");

    // The detailed report on its own, printed twice, also starts afresh.
    const Dump once = RenderDump(form.QuickRepDetail);
    EXPECT_EQ(RenderDump(form.QuickRepDetail).ToText(), once.ToText());
    EXPECT_EQ(once.TextsOf("LossLbl").first(), "Entrance, square, id= 0.00,6.00");
    EXPECT_EQ(once.TextsOf("QRTotFricLabel"), (QStringList{"0.500", "2.000", "2.750"}));
}

TEST_F(DetailTest, ComputedGravityJobPrintsWhatTheRunStored)
{
    // A 6 in Hazen-Williams line (C 150) carrying 500 gpm from a water
    // surface at 100 ft, with an elbow thrust block at the middle node.
    QTemporaryDir workDir;
    const QString oldDir = QDir::currentPath();
    QDir::setCurrent(workDir.path());   // the run's trace file goes here
    testsupport::SetCompMethod(2);
    testsupport::WorkNode n0;
    n0.invert = 95;
    n0.pipeQ = 500;
    n0.diaIn = 6;
    n0.cfac = 150;
    n0.rating = 100;
    n0.reachType = "GRAVBEG";
    n0.nodeType = 0;
    testsupport::WorkNode n1 = n0;
    n1.station = 500;
    n1.invert = 40;
    n1.reachType = "GRAVMID";
    n1.nodeType = 1;
    n1.fitting = "90 deg Elbow";
    n1.soil = 1000;
    testsupport::WorkNode n2 = n0;
    n2.station = 1000;
    n2.invert = 30;
    n2.reachType = "GRAVEND";
    n2.nodeType = 4;
    n2.pipeType.clear();
    testsupport::WorkHeader head;
    head.wsElev = 100;
    head.outletElev = 30;
    testsupport::WriteWorkJob(head, {n0, n1, n2});
    if (!Grav)
        CreateGravObject();
    Grav->RunGravityProfile();
    QDir::setCurrent(oldDir);

    const Dump d = Render();
    EXPECT_EQ(d.TextsOf("QRDBText7"), (QStringList{"0+00", "5+00", "10+00"}));
    EXPECT_EQ(d.TextsOf("QRDBText11"), (QStringList{"99.50", "91.65", "83.81"}));
    EXPECT_EQ(d.TextsOf("OutPLbl"), QStringList{"23.32"});   // (83.81 - 30) x 0.43344
    // Two reaches of 7.846 ft friction each, no minor losses.
    EXPECT_EQ(d.TextsOf("QRTotFricLabel"), (QStringList{"0.000", "7.846", "15.692"}));
    EXPECT_EQ(d.TextsOf("FricLbl"), (QStringList{"7.846", "7.846"}));
    EXPECT_EQ(d.TextsOf("cfsLbl"), (QStringList{"1.11", "1.11"}));
    ASSERT_EQ(d.PageOf("Thrust Block Requirements"), 2);
    EXPECT_EQ(d.TextsOf("Lbl5"), (QStringList{"None", "90 deg Elbow", "None"}));
    EXPECT_EQ(d.TextsOf("TB5"), QStringList{"1.1"});
}

// A booster, its pump on a line of its own, and a reducer fill the page with
// rows: the heading stays over them and the empty summary opens no page of
// its own. The booster lifts 500 gpm from 84.307946 ft (two reaches of
// 7.846027 ft) to 77 + 40 x 2.3071244 = 169.284976 ft at hv 0.499831:
// 85.476861 ft, 10.792533 water hp, 14.390044 brake hp at 75 %.
TEST_F(DetailTest, BoosterLineHeadingStaysWithItsRows)
{
    QTemporaryDir workDir;
    const QString oldDir = QDir::currentPath();
    QDir::setCurrent(workDir.path());
    testsupport::SetCompMethod(2);
    std::vector<testsupport::WorkNode> nodes;
    const double ground[] = {98, 80, 100, 90}, psiSet[] = {0, 40, 20, 0};
    const int kinds[] = {0, 2, 3, 4};
    for (int i = 0; i < 4; ++i)
        nodes.push_back({.station = 1000.0 * i, .invert = ground[i] - 3, .pipeQ = 500, .diaIn = 6, .cfac = 150,
                         .rating = 160, .reachType = i == 0 ? "GRAVBEG" : i == 3 ? "GRAVEND" : "GRAVMID",
                         .nodeType = kinds[i], .psiSet = psiSet[i], .pipeType = i == 3 ? "" : "PVC"});
    testsupport::WriteWorkJob({.pumpType = "INLINE BOOSTER", .wsElev = 100, .outletElev = 87, .pumpEffic = 75}, nodes);
    Tul->PumpTypeCode = 8;
    if (!Grav)
        CreateGravObject();
    Grav->RunGravityProfile();
    QDir::setCurrent(oldDir);

    const Dump d = Render();
    EXPECT_EQ(d.PageCount(), 1);
    EXPECT_EQ(d.Bands(1), (QStringList{"TitleBand1", "ColumnHeaderBand1", "DetailBand1", "PageFooterBand1"}));
    EXPECT_EQ(d.TextsOf("QRDBText7"), (QStringList{"0+00", "10+00", "20+00", "30+00"}));
    EXPECT_EQ(d.TextsOf("PumpLbl"), QStringList{"Pump: head 85.47 ft, 10.79 water hp, 14.39 brake hp, 15 hp motor"});
}

TEST_F(DetailTest, PdfPagesBecomePngPages)
{
    Header();
    // Enough nodes for several pages.
    for (int i = 0; i < 20; ++i)
        job.AddProfRow({{"Station", i * 100.0}, {"TSta", QString("%1+00").arg(i)}, {"NodeType", i ? 1 : 0},
                        {"PipeType", "PVC"}, {"DiaIn", 6.0}, {"PipeQ", 300.0}, {"Vel", 3.4}, {"Floss", 0.5},
                        {"ThBlockArea", i == 5 ? 2.0 : 0.0}, {"Fitting", i == 5 ? "Tee" : ""}});
    job.AddProfRow({{"Station", 2000.0}, {"TSta", "20+00"}, {"NodeType", 4}});
    TQRDetail form(owner.get());
    const Dump d = RenderDump(form.QRCompositeReport1);
    ASSERT_GE(d.PageCount(), 3);

    QTemporaryDir dir;
    const QString pdf = dir.filePath("detail.pdf");
    ASSERT_TRUE(ExportPdf(form.QRCompositeReport1, pdf));
    QProcess p;
    p.start("pdftoppm", {"-r", "40", "-png", pdf, dir.filePath("page")});
    ASSERT_TRUE(p.waitForFinished(60000));
    ASSERT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    const QStringList pngs = QDir(dir.path()).entryList({"page*.png"}, QDir::Files);
    EXPECT_EQ(pngs.size(), d.PageCount());
}

} // namespace
