// Every report and composite the programs print, over jobs of every kind with
// each field as wide as it can be: no item on a page over another, over the
// page footer or outside the printable area.
#include "reports_fixture.h"

#include "dialogs/calculators/air_vacuum_calculator.h"
#include "designer/report_commands.h"
#include "engine/single_objects.h"
#include "model/data_module.h"
#include "model/job.h"
#include "reports/air_vacuum_report.h"
#include "reports/gated_pipe_cost_tool_report.h"
#include "reports/gated_pipe_graph_report.h"
#include "reports/gated_pipe_tool_report.h"
#include "reports/job_list_report.h"
#include "reports/manifold_detail_report.h"
#include "reports/manifold_graph_report.h"
#include "reports/manifold_pipe_cost_report.h"
#include "reports/marked_pipes_report.h"
#include "reports/minor_loss_list_report.h"
#include "reports/pipe_list_report.h"
#include "reports/pipe_type_list_report.h"
#include "reports/stock_water_report.h"
#include "support/layoutcheck.h"

#include <QRegularExpression>

using namespace report;
using testsupport::WorkJob;

namespace {

// Words to fill a text field to its full size.
QString Words(int size, int seed)
{
    static const QString text = QStringLiteral(
        "North quarter of section twelve by the county road crossing, east of the creek and the old well, "
        "where the line turns along the fence to the pivot corner and down the draw to the lower field. ");
    const QString s = text.mid(seed % 17) + text;
    return s.left(size).trimmed();
}

// A wide value of the kind a field holds, as it is typed.
double WideNumber(const QString& name)
{
    const QString n = name.toLower();
    if (n.contains("sta") && !n.contains("stat"))
        return 98765.4;
    if (n.contains("elev") || n.contains("hgl") || n.contains("egl") || n.contains("sgl") || n == "wselev")
        return 4321.87;
    if (n.contains("effic"))
        return 99.9;
    if (n.contains("cost") || n.contains("cst"))
        return 123456.78;
    if (n.contains("psi") || n.contains("pres") || n.contains("rating"))
        return 187.65;
    if (n.contains("len"))
        return 1234.5;
    if (n.contains("q") || n.contains("gpm") || n.contains("flow"))
        return 9876.5;
    if (n.contains("vel"))
        return 12.35;
    if (n.contains("dia") || n.startsWith("kid") || n == "od")
        return 23.44;
    if (n.contains("loss") || n == "tdh" || n == "tdsh" || n == "availsh")
        return 123.456;
    if (n.startsWith("k") && n.size() == 2)
        return 0.75;
    return 1234.56;
}

// The numbers the user enters (or the reference tables hold) of each table.
bool Entered(const db::Table* t, const QString& field)
{
    TDMod* d = DMod;
    const std::pair<const db::Table*, QStringList> kEntered[] = {
        {d->WorkProfTable, {"Station", "GroundElev", "PipeDepth", "PsiSet", "OutQ", "InQ", "PressurRating", "ThBlkSoil"}},
        {d->WorkPipeTable, {"WSElev", "OutletElev", "ClearHead", "PsiIn", "OutletPsi", "PumpEyeElev", "PumpEffic",
                            "Altitude", "WaterTemp", "TankRange", "TriclLPsi", "TriclMVel", "TriclMFric"}},
        {d->WorkTrickleTable, {"Station", "GpmAtOutlet"}},
        {d->WorkGatedTable, {"PipeQ", "GateFlow", "GateSpace", "PressureRating", "K1", "K2"}},
        {d->WorkSuctionTable, {"PipeLength", "PipeQ"}},
        {d->WorkAvacTable, {"OD", "PipeWallT", "Cfac", "FlowCoef", "AirDen", "PoissonsRatio", "Modulus", "FillVel",
                            "Slope"}},
        {d->WorkSWaterTable, {"MaxLivestock", "WaterPHead", "HrDelivery", "StorageTime", "PctSpill", "WaterSpacing"}},
    };
    for (const auto& [table, fields] : kEntered)
        if (table == t)
            return fields.contains(field);
    return false;
}

// Every field of the current row at its widest: texts to their full size,
// numbers wide; logical fields left alone.
void FillWide(db::Table* t, int seed)
{
    for (int i = 0; i < t->FieldCount(); ++i) {
        db::Field* f = t->Fields(i);
        if (f->Calculated())
            continue;
        switch (f->DataType()) {
        case db::FieldType::Alpha:
            f->SetAsString(Words(f->Size(), seed + i));
            break;
        case db::FieldType::Memo:
            f->SetAsString(Words(f->Size() > 0 ? f->Size() : 240, seed + i));
            break;
        case db::FieldType::Number:
            // What a run works out holds every digit; what is entered, its few.
            f->SetAsFloat(WideNumber(f->FieldName()) + (Entered(t, f->FieldName()) ? 0.0 : 0.00123456789012));
            break;
        default:
            break;
        }
    }
}

void AddWideRow(db::Table* t, int seed, testsupport::FieldValues values)
{
    if (!t->Active())
        t->Open();
    t->Append();
    FillWide(t, seed);
    for (const auto& [name, value] : values)
        t->FieldByName(name)->SetValue(value);
    t->Post();
}

QString StationText(double station)
{
    const qint64 n = qRound64(station);
    return QStringLiteral("%1+%2").arg(n / 100).arg(n % 100, 2, 10, QLatin1Char('0'));
}

// Whether a text holds a number with more digits than a format prints.
bool HoldsUnroundedNumber(const QString& text)
{
    static const QRegularExpression number(QStringLiteral("(\\d*)\\.(\\d{5,})"));
    for (auto it = number.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        if (QString(m.captured(1) + m.captured(2)).remove(QRegularExpression(QStringLiteral("^0+"))).size() >= 8)
            return true;
    }
    return false;
}

// A warning as long as the engine writes them.
const QString kLongWarning = QStringLiteral(
    "WARNING ..  Pressure at outlet elevation is lower than required pressure. ERROR .. Hydraulic gradeline is "
    "below top of pipe! WARNING .. Pipe rated 160 psi carries 187.65 psi at this station, use a higher rating.");

struct JobKind {
    const char* name;
    int sysType;
    int pumpType;
    int sysHas;
    int nodes;
    int outlets;     // manifold nodes
    int segments;    // suction segments
    bool longWarnings;
};

class LayoutTest : public ReportFormTest {
protected:
    void SetUp() override
    {
        ReportFormTest::SetUp();
        CreateSingleObjects();
        driver.SetDefaultAnswer(ui::mrNo);   // no unit-cost editing; warnings acknowledged
        beforePreview = [this](Document&) {};
    }

    void MakeJob(const JobKind& k)
    {
        static const char* const kSysTypes[] = {"GRAVITY", "MAXFLOW", "PUMPED", "PRESSURE", "MANIFOLD", "GATED"};
        static const char* const kPumps[] = {"", "CENTRIF", "TURBINE", "PROPELLER", "BOOSTER",
                                             "FINDPSI", "KNOWNPSI", "TANK", "INLINE BOOSTER"};
        AddWideRow(DMod->WorkPipeTable, 1,
                   {{"SysType", kSysTypes[k.sysType]}, {"PumpType", kPumps[k.pumpType]}, {"SysHas", k.sysHas},
                    {"NumNodes", k.nodes}, {"DetailedML", true}, {"MotorHP", "7-1/2"}, {"OutletPsi", 20.0},
                    {"ReqOutletWS", 0.0}, {"AcInPumped", 1209.095856}, {"MotorEffic", 0.92}});
        Tul->SysTypeCode = k.sysType;
        Tul->PumpTypeCode = k.pumpType;
        Tul->SysHas = k.sysHas;
        Tul->DetailedML = true;
        const int endType = k.sysHas == 1 ? 5 : k.sysHas == 2 ? 6 : 4;
        for (int n = 0; n < k.nodes; ++n) {
            const double station = 1000.0 + n * 987.5;
            const bool last = n == k.nodes - 1;
            const int nodeType = n == 0 ? 0 : last ? endType : n % 7 == 3 ? 2 : n % 7 == 5 ? 3 : 1;
            AddWideRow(DMod->WorkProfTable, n,
                       {{"Station", station}, {"TSta", StationText(station)}, {"NodeType", nodeType},
                        {"PipeType", last && endType == 4 ? "" : "PVC"}, {"OutQ", n % 4 == 1 ? 125.0 : 0.0},
                        {"InQ", n % 4 == 2 ? 75.0 : 0.0}, {"K1", n % 5 == 4 ? -1.0 : 0.75},
                        {"Warning", k.longWarnings && n % 2 == 0 ? kLongWarning : QString()},
                        {"ThBlockArea", n % 3 == 0 ? 12.5 : 0.0}, {"Fitting", n % 3 == 0 ? "90 deg Elbow" : ""},
                        {"RchLen", last ? 0.0 : 987.5}});
        }
        for (int n = 0; n < k.outlets; ++n) {
            const double station = 1000.0 + (k.nodes - 1) * 987.5 + n * 40;
            const bool last = n == k.outlets - 1;
            AddWideRow(DMod->WorkTrickleTable, 100 + n,
                       {{"Station", station}, {"TSta", StationText(station)}, {"RecNo", n + 1},
                        {"DownStreamPipeDescription", last ? QString() : Words(40, n)},
                        {"RchLen", last ? 0.0 : 40.0},
                        {"Warning", k.longWarnings && n % 2 == 1
                                        ? QStringLiteral(" WARNING: Minimum manifold pressure has not been met. "
                                                         "Review hydraulic profile.")
                                        : QString()}});
        }
        for (int n = 0; n < k.segments; ++n)
            AddWideRow(DMod->WorkSuctionTable, 200 + n,
                       {{"SegmentNo", n + 1}, {"NodeType", n == 0 ? 0 : 1}, {"PipeType", "PVC"},
                        {"K1", n == 1 ? -1.0 : 0.75},
                        {"Warning", k.longWarnings ? Words(60, n) : QString()}});
        if (k.sysHas == 1 || k.sysType == 5)
            AddWideRow(DMod->WorkGatedTable, 300, {{"IsMidSeg", true}, {"K1State", "K"}, {"K2State", "H"},
                                                   {"NoOfGates", 240}, {"PipeType", "ALUMINUM"}});
        AddWideRow(DMod->UnitCostTable, 400, {});
    }

    // Every fault of a generation, with the report it came from.
    void Check(const Dump& d, const QString& what)
    {
        ++generations;
        EXPECT_GT(d.PageCount(), 0) << what.toStdString();
        EXPECT_FALSE(d.items.empty()) << what.toStdString();
        for (const QString& f : testsupport::LayoutFaults(d))
            ADD_FAILURE() << what.toStdString() << ": " << f.toStdString();
        // Every number to its format: none with the digits a run left.
        for (const report::DumpLine& l : d.lines)
            if (HoldsUnroundedNumber(l.text))
                ADD_FAILURE() << what.toStdString() << ": " << l.band.toStdString() << "/" << l.control.toStdString()
                              << " prints " << l.text.toStdString();
    }

    int generations = 0;

private:
    testsupport::LayoutWatchPause pause_;   // each fault is told once, by Check
};

// Pipelines of each system and end, a long one, and long warnings: the
// detailed, summary, cost and graph reports with every section they chain.
TEST_F(LayoutTest, PipelineReportsOfEveryKindOfJobKeepTheirItemsApartAndOnThePage)
{
    const JobKind kinds[] = {
        {"gravity, 100 nodes", 0, 0, 0, 100, 0, 0, false},
        {"pumped, centrifugal with suction, long warnings", 2, 1, 0, 9, 0, 4, true},
        {"gravity, gated end", 0, 0, 1, 6, 0, 0, true},
        {"gravity, manifold end, long warnings", 0, 0, 2, 5, 40, 0, true},
        {"turbine, gated end", 2, 2, 1, 5, 0, 0, false},
        {"pressure tank", 2, 7, 0, 8, 0, 0, false},
        {"in-line booster", 0, 8, 0, 8, 0, 0, false},
        {"pressurised main, manifold end", 3, 6, 2, 4, 6, 0, false},
    };
    for (const JobKind& k : kinds) {
        SCOPED_TRACE(k.name);
        testsupport::WorkJob fresh;
        MakeJob(k);
        using Command = void (*)(QWidget*);
        for (Command command : {Command(QRDetailedCommand), Command(QRSummaryCommand), Command(QRCostCommand),
                                Command(QRGraphCommand)}) {
            previews = 0;
            command(owner.get());
            ASSERT_EQ(previews, 1);
            Check(shown, QStringLiteral("%1, %2").arg(k.name, chained.join(QLatin1Char('+'))));
        }
    }
    EXPECT_EQ(generations, 32);
}

// The calculators' reports, the list reports and the two tool reports with
// their own jobs.
TEST_F(LayoutTest, CalculatorAndListReportsKeepTheirItemsApartAndOnThePage)
{
    MakeJob({"manifold job", 4, 0, 4, 1, 60, 0, true});
    {
        TQRManifDetail detail(owner.get());
        Check(RenderDump(detail.QuickRepManifold), "manifold details");
        TQRManifGraph graph(owner.get());
        Check(RenderDump(graph.QuickRepManGraph), "manifold graph");
        TQRManifSCost cost(owner.get());
        Check(RenderDump(cost.QuickRepCostMan), "manifold cost");
    }
    {
        testsupport::WorkJob fresh;
        MakeJob({"gated job", 5, 0, 8, 0, 0, 0, true});
        TQRGatedTool detail(owner.get());
        Check(RenderDump(detail.QuickRepGatedTool), "gated pipe details");
        TQRGatedGraph graph(owner.get());
        Check(RenderDump(graph.QuickRepGatedGraph), "gated pipe graph");
        TQRGatedCostTool cost(owner.get());
        Check(RenderDump(cost.QuickRepGatedCostTool), "gated pipe cost");
    }
    AddWideRow(DMod->WorkAvacTable, 500, {{"SlpeGiven", true}});
    TQRAirvac airvac(owner.get());
    Check(RenderDump(airvac.QuickRepAirvac), "air-vacuum valve");
    AddWideRow(DMod->WorkSWaterTable, 600, {});
    PreviewStockWaterReport(owner.get());
    Check(shown, "livestock planning");

    for (int n = 0; n < 70; ++n)
        AddWideRow(DMod->JobPipeTable, 700 + n, {{"JobName", Words(48, n) + QString::number(n)}});
    for (db::Table* t : {DMod->TypeTable, DMod->MinorLossTable, DMod->PipeTable})
        if (!t->Active())
            t->Open();
    // Every third pipe marked, for the list of marked pipes.
    db::Table* pipes = DMod->PipeTable;
    int k = 0;
    for (pipes->First(); !pipes->Eof(); pipes->Next(), ++k) {
        pipes->Edit();
        pipes->FieldByName("Marked")->SetAsBoolean(k % 3 == 0);
        if (k % 3 == 0)
            pipes->FieldByName("WtPerFt")->SetAsFloat(1.74963547465325);   // as the weight calculator stores it
        pipes->Post();
    }
    DMod->PipeFilterMode = 1;
    using Command = void (*)(QWidget*);
    const std::pair<const char*, Command> lists[] = {
        {"jobs", PreviewJobListReport}, {"pipes", PreviewPipeList}, {"marked pipes", PreviewPipeMarked},
        {"pipe types", PreviewPipeTypeList}, {"minor losses", PreviewMinorLossList}};
    for (const auto& [what, command] : lists) {
        previews = 0;
        pipes->SetFiltered(command == PreviewPipeMarked);
        if (!pipes->Active())
            pipes->Open();
        command(owner.get());
        ASSERT_EQ(previews, 1) << what;
        Check(shown, QString::fromLatin1(what));
    }
    EXPECT_EQ(generations, 13);
}

} // namespace
