#include "engine/gated_pipe_run.h"

#include "runjob.h"

using runjob::RunJobTest;

namespace {

// Hazen-Williams over L ft: 10.4057 L (Q/C)^1.85185 / D^4.87037.
class GatedRunTest : public RunJobTest {
protected:
    void SetUp() override
    {
        RunJobTest::SetUp();
        CreateGatedObject();
        SetCompMethod(2);
        OpenAll({DMod->WorkPipeTable, DMod->WorkProfTable, DMod->WorkGatedTable});
    }

    // Header of a gated calculator job.
    void CalculatorHeader(double psiIn, double wsElev)
    {
        job->SetHeader({{"JobName", "Gated"}, {"SysType", "GATED"}, {"SysHas", 8}, {"PsiIn", psiIn},
                        {"WSElev", wsElev}, {"WaterTemp", 60}});
    }

    // A gated row without devices; the pipe fields are those a calculator job carries.
    void GatedRow(double startSta, double startElev, double endSta, double endElev, double space,
                  double gateFlow, double dia, double q)
    {
        testsupport::WorkJob::AddRow(DMod->WorkGatedTable,
                                     {{"StartSta", startSta}, {"StartElev", startElev}, {"EndSta", endSta},
                                      {"EndElev", endElev}, {"IsMidSeg", false}, {"GateSpace", space},
                                      {"GateFlow", gateFlow}, {"DiaIn", dia}, {"PipeQ", q}, {"Cfac", 150},
                                      {"Nfac", 0}, {"Efac", 0}, {"PipeDescription", "10 in gated"},
                                      {"K1State", "N"}, {"K2State", "N"}});
    }

    void EditGated() { DMod->WorkGatedTable->Edit(); }
    void PostGated() { DMod->WorkGatedTable->Post(); }
    double G(db::Field* f) { return f->AsFloat(); }

    // The calculator job: 0 ft at 100 to 500 ft at 99, 10 in C 150,
    // 1000 gpm, 50 gpm per gate at 30 in, 3 psi at the start, WS 110.
    void AcceptanceJob()
    {
        CalculatorHeader(3.0, 110.0);
        GatedRow(0, 100, 500, 99, 30, 50, 10, 1000);
    }

    QList<db::Field*> ResultFields()
    {
        TDMod* m = DMod;
        return {m->WorkGatedTableStartHGL, m->WorkGatedTableAHGL,     m->WorkGatedTableEndHGL,
                m->WorkGatedTableStaAsta,  m->WorkGatedTableStaDsta,  m->WorkGatedTableStartpsi,
                m->WorkGatedTableEndpsi,   m->WorkGatedTableNoOfGates, m->WorkGatedTableOpenSegFloss,
                m->WorkGatedTableRchLen,   m->WorkGatedTableStaDStatPres};
    }
};

} // namespace

// N = trunc(1000/50) = 20; L = 30/12 x 20 = 50 ft; F = 0.350631 + 0.5/20 +
// 0.1538397/400 = 0.37601559925.
// Start HGL = 2.3071244 x 3 + 100 = 106.9213732; psi (6.9213732)(0.43344) = 3.00.
// Slope (100 - 99)/500 = 0.002: A at 50 ft, elevation 99.9; D at 450 ft, 99.1.
// Friction 10 in, 1000 gpm, C 150: over 50 ft 0.2353025898, x F = 0.0884774443;
// over 450 ft 2.1177233081.
// A HGL 106.9213732 - 0.0884774443 = 106.8328957557, psi (6.9328957557)(0.43344) = 3.0050.
// Mid (station 0, no segment): friction over 0 ft = 0, HGL 106.9213732, elevation 0,
// psi 46.3440; C HGL 106.8328957557, elevation 0, psi 46.3057.
// D HGL 106.9213732 - 2.1177233081 = 104.8036498919, psi (5.7036498919)(0.43344) = 2.4722.
// End HGL 104.8036498919 - 0.0884774443 = 104.7151724476, psi (5.7151724476)(0.43344) = 2.4772.
// Static pressure from WS 110: start (10)(0.43344) = 4.3344, A 4.377744, D 4.724496,
// end 4.76784; Mid and C 0 (no intermediate segment).
// Gates at the start: 100 + 10/24 + 0.5 = 100.9167, well below every HGL; no
// pressure above 10 psi at start, A, D or end; no overlap: no warning.
TEST_F(GatedRunTest, CalculatorJobOpensTwentyGatesOverFiftyFeet)
{
    AcceptanceJob();
    Gated->RunGatedPipe();

    EXPECT_EQ(Gated->OpenGates, 20);
    EXPECT_EQ(Tul->SysTypeCode, 5);
    EXPECT_DOUBLE_EQ(Tul->WSElev, 110.0);
    EXPECT_DOUBLE_EQ(Gated->StaticLevel, 110.0);
    TDMod* m = DMod;
    EXPECT_EQ(m->WorkGatedTableNoOfGates->AsInteger(), 20);
    EXPECT_DOUBLE_EQ(G(m->WorkGatedTableRchLen), 500.0);
    EXPECT_DOUBLE_EQ(G(m->WorkGatedTableStaAsta), 50.0);
    EXPECT_DOUBLE_EQ(G(m->WorkGatedTableStaDsta), 450.0);
    EXPECT_DOUBLE_EQ(G(m->WorkGatedTableStaCsta), 0.0);
    EXPECT_DOUBLE_EQ(G(m->WorkGatedTableStaAElev), 99.90);
    EXPECT_DOUBLE_EQ(G(m->WorkGatedTableStaDElev), 99.10);
    EXPECT_DOUBLE_EQ(G(m->WorkGatedTableStartHGL), 106.92);
    EXPECT_DOUBLE_EQ(G(m->WorkGatedTableAHGL), 106.83);
    EXPECT_DOUBLE_EQ(G(m->WorkGatedTableStaAHgl), 106.83);
    EXPECT_DOUBLE_EQ(G(m->WorkGatedTableMidHGL), 106.92);
    EXPECT_DOUBLE_EQ(G(m->WorkGatedTableCHGL), 106.83);
    EXPECT_DOUBLE_EQ(G(m->WorkGatedTableDHGL), 104.80);
    EXPECT_DOUBLE_EQ(G(m->WorkGatedTableStaDHgl), 104.80);
    EXPECT_DOUBLE_EQ(G(m->WorkGatedTableEndHGL), 104.72);
    EXPECT_DOUBLE_EQ(G(m->WorkGatedTableOpenSegFloss), 0.09);
    EXPECT_DOUBLE_EQ(G(m->WorkGatedTableStartpsi), 3.00);
    EXPECT_DOUBLE_EQ(G(m->WorkGatedTableStaApsi), 3.00);
    EXPECT_DOUBLE_EQ(G(m->WorkGatedTableMidpsi), 46.34);
    EXPECT_DOUBLE_EQ(G(m->WorkGatedTableStaCpsi), 46.31);
    EXPECT_DOUBLE_EQ(G(m->WorkGatedTableStaDpsi), 2.47);
    EXPECT_DOUBLE_EQ(G(m->WorkGatedTableEndpsi), 2.48);
    EXPECT_DOUBLE_EQ(G(m->WorkGatedTableStartStatPres), 4.33);
    EXPECT_DOUBLE_EQ(G(m->WorkGatedTableStaAStatPres), 4.38);
    EXPECT_DOUBLE_EQ(G(m->WorkGatedTableStaDStatPres), 4.72);
    EXPECT_DOUBLE_EQ(G(m->WorkGatedTableEndStatPres), 4.77);
    EXPECT_DOUBLE_EQ(G(m->WorkGatedTableMidStatPres), 0.0);
    EXPECT_DOUBLE_EQ(G(m->WorkGatedTableStaCStatPres), 0.0);
    EXPECT_DOUBLE_EQ(G(m->WorkGatedTableML1), 0.0);
    EXPECT_EQ(m->WorkGatedTableStartTsta->AsString(), QString("0+00"));
    EXPECT_EQ(m->WorkGatedTableStaATsta->AsString(), QString("0+50"));
    EXPECT_EQ(m->WorkGatedTableStaDTsta->AsString(), QString("4+50"));
    EXPECT_EQ(m->WorkGatedTableEndTsta->AsString(), QString("5+00"));
    EXPECT_EQ(m->WorkGatedTableCalcMethod->AsString(), QString("Hazen Williams, C = 150"));
    EXPECT_EQ(m->WorkGatedTablePipeDescription->AsString(), QString("10 in gated"));
    EXPECT_EQ(m->WorkGatedTableWarning->AsString(), QString());
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(m->WorkGatedTable->State(), db::DataSetState::Browse);
}

// Three gates: F = 0.350631 + 0.5/3 + 0.1538397/9 = 0.5343909667 (the 1/N^2
// term matters here). 6 in, 300 gpm, C 150, 100 gpm per gate at 240 in: L = 60 ft.
// Friction over 60 ft 0.3655912, x F = 0.1953707536; over 940 ft (D at 940) 5.7276575.
// Start HGL 2.3071244 x 8 + 100 = 118.4569952; A 118.2616244464; D 112.7293376170;
// end 112.5339668634; start psi 8.00, D psi 5.52, end psi 5.43.
TEST_F(GatedRunTest, FewGatesUseTheWholeMultipleOutletFactor)
{
    CalculatorHeader(8.0, 110.0);
    GatedRow(0, 100, 1000, 100, 240, 100, 6, 300);
    Gated->RunGatedPipe();

    TDMod* m = DMod;
    EXPECT_EQ(m->WorkGatedTableNoOfGates->AsInteger(), 3);
    EXPECT_DOUBLE_EQ(G(m->WorkGatedTableStaAsta), 60.0);
    EXPECT_DOUBLE_EQ(G(m->WorkGatedTableOpenSegFloss), 0.20);
    EXPECT_DOUBLE_EQ(G(m->WorkGatedTableAHGL), 118.26);
    EXPECT_DOUBLE_EQ(G(m->WorkGatedTableDHGL), 112.73);
    EXPECT_DOUBLE_EQ(G(m->WorkGatedTableEndHGL), 112.53);
    EXPECT_DOUBLE_EQ(G(m->WorkGatedTableStartpsi), 8.00);
    EXPECT_DOUBLE_EQ(G(m->WorkGatedTableStaDpsi), 5.52);
    EXPECT_DOUBLE_EQ(G(m->WorkGatedTableEndpsi), 5.43);
}

// 1049 gpm at 50 gpm per gate opens 20 gates (truncated, not rounded).
TEST_F(GatedRunTest, GateCountIsTruncated)
{
    CalculatorHeader(3.0, 110.0);
    GatedRow(0, 100, 500, 99, 30, 50, 10, 1049);
    Gated->RunGatedPipe();
    EXPECT_EQ(DMod->WorkGatedTableNoOfGates->AsInteger(), 20);
}

// A profile job: the pipe, flow and grade come from the end node of WorkProf
// at the gated start station, and the pipe goes into the gated row.
// End node at 1000 ft: 8 in, 600 gpm, C 150, ground 100, HGL 115; WS 120.
// Start device "K" 0.5 at the pipe's own diameter: V = (600/448.83)/(0.0054542 x 64)
// = 3.829723 ft/s, loss 0.5 V^2/64.4 = 0.1138677702. Start HGL 114.8861322298,
// psi 6.4522.
// Intermediate device "H" 0.25 ft. N = trunc(600/200) = 3, L = 40/12 x 3 = 10 ft,
// F = 0.5343909667. A 1010, Mid 1300, C 1310, D 1590; end 1600 at 98, Mid at 99.
// A elevation 100 - (1/300)(10) = 99.9667; s2 = 1/300: C 98.9667, D 98.0333.
// Friction 8 in, 600 gpm: over 10 ft 0.0541757, x F = 0.0289516169; over 300 ft
// 1.6253054; over 590 ft 3.1964338.
// HGL: A 114.8571806128; Mid 114.8861322298 - 1.6253054 - 0.25 = 113.0108268585;
// C 112.9818752416; D 114.8861322298 - 3.1964338 - 0.25 = 111.4396983330;
// end 111.4107467161.
// psi: A 6.4541, Mid 6.0729, C 6.0748, D 5.8109, end 5.8128.
// Static from WS 120: start 8.6688, A 8.683248, Mid 9.10224, C 9.116688, D 9.521232,
// end 9.53568.
TEST_F(GatedRunTest, ProfileJobTakesItsPipeAndGradeFromTheEndNode)
{
    job->SetHeader({{"JobName", "Line"}, {"SysType", "GRAVITY"}, {"SysHas", 1}, {"WSElev", 120}});
    job->AddProfRow({{"Station", 0}, {"GroundElev", 118}, {"Sgl", 120}, {"DiaIn", 10}, {"PipeQ", 600},
                     {"Hgl", 120}, {"Cfac", 150}, {"PipeType", "Main pipe"},
                     {"DownStreamPipeDescription", "10 in main"}, {"PressurRating", 160}});
    job->AddProfRow({{"Station", 1000}, {"GroundElev", 100}, {"DiaIn", 8}, {"PipeQ", 600}, {"Hgl", 115},
                     {"Cfac", 150}, {"Nfac", 0.009}, {"PipeType", "PVC PIP SDR"},
                     {"DownStreamPipeDescription", "8 in PIP"}, {"PressurRating", 80}});
    GatedRow(1000, 0, 1600, 98, 40, 200, 0, 0);
    EditGated();
    DMod->WorkGatedTableIsMidSeg->SetAsBoolean(true);
    DMod->WorkGatedTableMidSta->SetAsFloat(1300);
    DMod->WorkGatedTableMidElev->SetAsFloat(99);
    DMod->WorkGatedTableK1State->SetAsString("K");
    DMod->WorkGatedTableK1->SetAsFloat(0.5);
    DMod->WorkGatedTableK2State->SetAsString("H");
    DMod->WorkGatedTableML2->SetAsFloat(0.25);
    PostGated();

    Gated->RunGatedPipe();

    TDMod* m = DMod;
    EXPECT_EQ(m->WorkGatedTablePipeDescription->AsString(), QString("8 in PIP"));
    EXPECT_EQ(m->WorkGatedTablePipeType->AsString(), QString("PVC PIP SDR"));
    EXPECT_DOUBLE_EQ(G(m->WorkGatedTablePressureRating), 80.0);
    EXPECT_DOUBLE_EQ(G(m->WorkGatedTablePipeQ), 600.0);
    EXPECT_DOUBLE_EQ(Gated->StaticLevel, 120.0);
    EXPECT_EQ(m->WorkGatedTableNoOfGates->AsInteger(), 3);
    EXPECT_DOUBLE_EQ(G(m->WorkGatedTableML1), 0.114);
    EXPECT_DOUBLE_EQ(G(m->WorkGatedTableML2), 0.25);
    EXPECT_DOUBLE_EQ(G(m->WorkGatedTableStartHGL), 114.89);
    EXPECT_DOUBLE_EQ(G(m->WorkGatedTableStartpsi), 6.45);
    EXPECT_DOUBLE_EQ(G(m->WorkGatedTableStaAsta), 1010.0);
    EXPECT_DOUBLE_EQ(G(m->WorkGatedTableStaCsta), 1310.0);
    EXPECT_DOUBLE_EQ(G(m->WorkGatedTableStaDsta), 1590.0);
    EXPECT_DOUBLE_EQ(G(m->WorkGatedTableStaAElev), 99.97);
    EXPECT_DOUBLE_EQ(G(m->WorkGatedTableStaCElev), 98.97);
    EXPECT_DOUBLE_EQ(G(m->WorkGatedTableStaDElev), 98.03);
    EXPECT_DOUBLE_EQ(G(m->WorkGatedTableAHGL), 114.86);
    EXPECT_DOUBLE_EQ(G(m->WorkGatedTableMidHGL), 113.01);
    EXPECT_DOUBLE_EQ(G(m->WorkGatedTableCHGL), 112.98);
    EXPECT_DOUBLE_EQ(G(m->WorkGatedTableDHGL), 111.44);
    EXPECT_DOUBLE_EQ(G(m->WorkGatedTableEndHGL), 111.41);
    EXPECT_DOUBLE_EQ(G(m->WorkGatedTableStaApsi), 6.45);
    EXPECT_DOUBLE_EQ(G(m->WorkGatedTableMidpsi), 6.07);
    EXPECT_DOUBLE_EQ(G(m->WorkGatedTableStaCpsi), 6.07);
    EXPECT_DOUBLE_EQ(G(m->WorkGatedTableStaDpsi), 5.81);
    EXPECT_DOUBLE_EQ(G(m->WorkGatedTableEndpsi), 5.81);
    EXPECT_DOUBLE_EQ(G(m->WorkGatedTableStartStatPres), 8.67);
    EXPECT_DOUBLE_EQ(G(m->WorkGatedTableMidStatPres), 9.10);
    EXPECT_DOUBLE_EQ(G(m->WorkGatedTableStaCStatPres), 9.12);
    EXPECT_DOUBLE_EQ(G(m->WorkGatedTableEndStatPres), 9.54);
    EXPECT_EQ(m->WorkGatedTableMidTsta->AsString(), QString("13+00"));
    EXPECT_EQ(m->WorkGatedTableStaCTsta->AsString(), QString("13+10"));
    EXPECT_EQ(m->WorkGatedTableWarning->AsString(), QString());
    // The profile row itself is only read.
    ASSERT_TRUE(m->WorkProfTable->Locate("Station", 1000.0));
    EXPECT_DOUBLE_EQ(m->WorkProfTableHgl->AsFloat(), 115.0);
    EXPECT_TRUE(Messages().empty());
}

// A pumped line's gated pipe starts from the line's stored end grade less its
// 0.25 ft start device; the line must bring 2.3071244 x 5 + 100 + 0.25 for
// 5 psi past it. Entering at 1000 / 448.83 / 0.54542 = 4.08 ft/s, 800 gpm 3.27.
TEST_F(GatedRunTest, PumpedLineGatedPipeStartsFromTheLinesEndGrade)
{
    job->SetHeader({{"JobName", "Pumped"}, {"SysType", "PUMPED"}, {"OutletPsi", 5}, {"WSElev", 90}});
    job->AddProfRow({{"Station", 700}, {"GroundElev", 100}, {"DiaIn", 10}, {"PipeQ", 1000}, {"Hgl", 105},
                     {"Cfac", 150}});
    GatedRow(700, 0, 1200, 99, 30, 50, 0, 0);
    EditGated();
    DMod->WorkGatedTableK1State->SetAsString("H");
    DMod->WorkGatedTableML1->SetAsFloat(0.25);
    PostGated();

    EXPECT_DOUBLE_EQ(Gated->LineGradeNeeded(), 2.3071244 * 5 + 100 + 0.25);
    EXPECT_TRUE(Gated->RunGatedPipe().Computed());
    EXPECT_EQ(Tul->SysTypeCode, 2);
    EXPECT_DOUBLE_EQ(G(DMod->WorkGatedTableStartHGL), 104.75);
    EXPECT_DOUBLE_EQ(G(DMod->WorkGatedTablePipeVel), 4.08);
    EXPECT_DOUBLE_EQ(G(DMod->WorkGatedTableDiaIn), 10.0);

    ASSERT_TRUE(DMod->WorkProfTable->Locate("Station", 700.0));
    DMod->WorkProfTable->Edit();
    DMod->WorkProfTableHgl->SetAsFloat(120);
    DMod->WorkProfTablePipeQ->SetAsFloat(800);
    DMod->WorkProfTable->Post();
    Gated->RunGatedPipe();
    EXPECT_DOUBLE_EQ(G(DMod->WorkGatedTableStartHGL), 119.75);
    EXPECT_DOUBLE_EQ(G(DMod->WorkGatedTablePipeVel), 3.27);
}

// 80 ft of pipe with L = 50 ft: A (50) lies beyond D (30). Flow for abutting
// segments (30/12 x 1000)/(80 x 0.5) = 62.50.
TEST_F(GatedRunTest, OverlappingOpenSegmentsAreReportedAndTheMiddleOneDropped)
{
    CalculatorHeader(3.0, 110.0);
    GatedRow(0, 100, 80, 100, 30, 50, 10, 1000);

    Gated->RunGatedPipe();
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0].type, ui::MsgType::Error);
    EXPECT_EQ(Messages()[0].text,
              QString("Review design. Begin and end segments overlap.  Flow for abutting segments = 62.50"));
    EXPECT_EQ(DMod->WorkGatedTableWarning->AsString(),
              QString("WARNING..Review design. Begin and end segments overlap."));
    EXPECT_TRUE(RowIsFinite(DMod->WorkGatedTable));

    // With an intermediate segment asked for, it is dropped for the run only.
    EditGated();
    DMod->WorkGatedTableIsMidSeg->SetAsBoolean(true);
    DMod->WorkGatedTableMidSta->SetAsFloat(40);
    DMod->WorkGatedTableMidElev->SetAsFloat(100);
    PostGated();
    Gated->RunGatedPipe();
    EXPECT_FALSE(Gated->IsMidSeg);
    EXPECT_TRUE(DMod->WorkGatedTableIsMidSeg->AsBoolean());
    EXPECT_DOUBLE_EQ(G(DMod->WorkGatedTableStaCsta), 0.0);
    EXPECT_EQ(DMod->WorkGatedTableMidTsta->AsString(), QString("0+50"));
    EXPECT_TRUE(RowIsFinite(DMod->WorkGatedTable));
}

// 40 ft of pipe with L = 50 ft: minimum flow (30/12 x 1000)/40 = 62.5.
TEST_F(GatedRunTest, TooManyGatesForThePipeGivesTheMinimumFlow)
{
    CalculatorHeader(3.0, 110.0);
    GatedRow(0, 100, 40, 100, 30, 50, 10, 1000);
    Gated->RunGatedPipe();
    EXPECT_TRUE(Saw(ui::MsgType::Error, "Too many gates for length of pipe. Minimum flow required = 62.5"));
    EXPECT_TRUE(RowIsFinite(DMod->WorkGatedTable));
}

// Start HGL 2.3071244 x 0.3 + 100 = 100.6921 is below the gates, 100 + 10/24 + 0.5.
// At 12 psi the gates are covered but the pressure is too high to work them.
TEST_F(GatedRunTest, ClearanceComesBeforeThePressureWarning)
{
    CalculatorHeader(0.3, 110.0);
    GatedRow(0, 100, 500, 99, 30, 50, 10, 1000);
    Gated->RunGatedPipe();
    EXPECT_EQ(DMod->WorkGatedTableWarning->AsString(),
              QString("ERROR..HGL is below gates + 0.5'... Change flow rate and/or pipe size."));
    EXPECT_TRUE(Saw(ui::MsgType::Error, "HGL is below gates + 0.5 ft .. Change flow rate and/or pipe size."));

    dialogs->ClearLog();
    DMod->WorkPipeTable->Edit();
    DMod->WorkPipeTablePsiIn->SetAsFloat(12);
    DMod->WorkPipeTable->Post();
    Gated->RunGatedPipe();
    EXPECT_EQ(DMod->WorkGatedTableWarning->AsString(),
              QString("WARNING..Gated pipe pressure is greater than 10 psi (Too high to operate gates properly)."));
    EXPECT_TRUE(Messages().empty());
}

// An intermediate segment whose end would pass the end of the pipe is moved
// back: C = end = 500, Mid = 450.
TEST_F(GatedRunTest, IntermediateSegmentIsKeptInsideThePipe)
{
    CalculatorHeader(3.0, 110.0);
    GatedRow(0, 100, 500, 99, 30, 50, 10, 1000);
    EditGated();
    DMod->WorkGatedTableIsMidSeg->SetAsBoolean(true);
    DMod->WorkGatedTableMidSta->SetAsFloat(480);
    DMod->WorkGatedTableMidElev->SetAsFloat(99.1);
    PostGated();
    Gated->RunGatedPipe();
    EXPECT_DOUBLE_EQ(G(DMod->WorkGatedTableStaCsta), 500.0);
    EXPECT_EQ(DMod->WorkGatedTableMidTsta->AsString(), QString("4+50"));
    EXPECT_EQ(DMod->WorkGatedTableStaCTsta->AsString(), QString("5+00"));
    // C (500) passes D (450): said in the C warning and in a dialog.
    EXPECT_TRUE(DMod->WorkGatedTableWarning->AsString().endsWith(
        "WARNING..Intermediate open segment overlaps end of last open segment."));
    EXPECT_TRUE(Saw(ui::MsgType::Warning, "WARNING..Intermediate open segment overlaps end of last"));
}

// What no layout can be made from is refused with a message; the row keeps
// no result of an earlier run and holds nothing that is not a number.
TEST_F(GatedRunTest, UnusableInputsAreRefusedAndLeaveNoResults)
{
    AcceptanceJob();
    Gated->RunGatedPipe();
    ASSERT_EQ(DMod->WorkGatedTableNoOfGates->AsInteger(), 20);

    struct Case {
        const char* what;
        double start, end, space, gateFlow, dia, q;
        const char* says;
    } cases[] = {
        {"flow below one gate", 0, 500, 30, 2000, 10, 1000, "The flow of 1000.0 gpm does not open one gate of 2000.0 gpm."},
        {"no gate flow", 0, 500, 30, 0, 10, 1000, "The flow per gate must be greater than 0."},
        {"no flow", 0, 500, 30, 50, 10, 0, "The flow of 0.0 gpm does not open one gate of 50.0 gpm."},
        {"no spacing", 0, 500, 0, 50, 10, 1000, "The gate spacing must be greater than 0."},
        {"no length", 200, 200, 30, 50, 10, 1000, "The end station, 2+00, must lie beyond the start station, 2+00."},
        {"negative length", 300, 200, 30, 50, 10, 1000, "The end station"},
        {"no pipe", 0, 500, 30, 50, 0, 1000, "The gated pipe has no inside diameter"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EditGated();
        DMod->WorkGatedTableStartSta->SetAsFloat(c.start);
        DMod->WorkGatedTableEndSta->SetAsFloat(c.end);
        DMod->WorkGatedTableGateSpace->SetAsFloat(c.space);
        DMod->WorkGatedTableGateFlow->SetAsFloat(c.gateFlow);
        DMod->WorkGatedTableDiaIn->SetAsFloat(c.dia);
        DMod->WorkGatedTablePipeQ->SetAsFloat(c.q);
        PostGated();
        dialogs->ClearLog();

        Gated->RunGatedPipe();
        ASSERT_EQ(Messages().size(), 1u);
        EXPECT_EQ(Messages()[0].type, ui::MsgType::Error);
        EXPECT_TRUE(Messages()[0].text.contains(c.says)) << Messages()[0].text.toStdString();
        EXPECT_TRUE(DMod->WorkGatedTableWarning->AsString().startsWith("ERROR..Gated pipe not computed."));
        for (db::Field* f : ResultFields())
            EXPECT_TRUE(f->IsNull()) << f->FieldName().toStdString();
        EXPECT_TRUE(RowIsFinite(DMod->WorkGatedTable));
        EXPECT_EQ(DMod->WorkGatedTable->State(), db::DataSetState::Browse);
    }
}

// A gated start that is no station of the profile: the run stops with a
// warning and copies nothing from the row the cursor happened to stand on.
TEST_F(GatedRunTest, MissingStartStationIsReportedAndNothingIsCopied)
{
    job->SetHeader({{"JobName", "Line"}, {"SysType", "PUMPED"}});
    job->AddProfRow({{"Station", 1000}, {"DiaIn", 8}, {"PipeQ", 600}, {"DownStreamPipeDescription", "8 in PIP"}});
    GatedRow(999, 100, 1500, 99, 30, 50, 6, 300);

    const RunStatus status = Gated->RunGatedPipe();
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_TRUE(Messages()[0].text.contains("No node of the profile is at the gated pipe start station, 9+99."));
    EXPECT_EQ(status.notComputed, Messages()[0].text);
    EXPECT_EQ(DMod->WorkGatedTablePipeDescription->AsString(), QString("10 in gated"));
    EXPECT_DOUBLE_EQ(G(DMod->WorkGatedTablePipeQ), 300.0);
    EXPECT_TRUE(DMod->WorkGatedTableStartHGL->IsNull());
    EXPECT_DOUBLE_EQ(Gated->LineGradeNeeded(), 0.0);
    ASSERT_TRUE(DMod->WorkProfTable->Locate("Station", 1000.0));
    EXPECT_DOUBLE_EQ(DMod->WorkProfTablePipeQ->AsFloat(), 600.0);
}

// An intermediate segment at the start station has no slope to lie on: it is
// left out with a warning, and its device of state "K" without a loss
// diameter takes the gated pipe's diameter, so every value stays a number.
// Mid device: V = (1000/448.83)/(0.0054542 x 100) = 4.0850 ft/s, 0.4 V^2/64.4 = 0.1036 ft.
TEST_F(GatedRunTest, IntermediateSegmentAtTheStartIsLeftOut)
{
    CalculatorHeader(3.0, 110.0);
    GatedRow(0, 100, 500, 99, 30, 50, 10, 1000);
    EditGated();
    DMod->WorkGatedTableIsMidSeg->SetAsBoolean(true);
    DMod->WorkGatedTableMidSta->SetAsFloat(0);
    DMod->WorkGatedTableMidElev->SetAsFloat(100);
    DMod->WorkGatedTableK2State->SetAsString("K");
    DMod->WorkGatedTableK2->SetAsFloat(0.4);
    DMod->WorkGatedTableKid2->SetAsFloat(0);
    PostGated();

    Gated->RunGatedPipe();
    EXPECT_FALSE(Gated->IsMidSeg);
    EXPECT_TRUE(Saw(ui::MsgType::Warning, "WARNING..Intermediate open segment must start past the start"));
    EXPECT_TRUE(DMod->WorkGatedTableWarning->AsString().contains("it was left out."));
    EXPECT_TRUE(RowIsFinite(DMod->WorkGatedTable));
    EXPECT_DOUBLE_EQ(G(DMod->WorkGatedTableML2), 0.104);
    // D carries the intermediate device: 106.9213732 - 2.1177233 - 0.1036 = 104.70.
    EXPECT_DOUBLE_EQ(G(DMod->WorkGatedTableDHGL), 104.70);
}
