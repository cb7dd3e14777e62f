#include "model/job_values_check.h"

#include "model/data_module.h"
#include "model/job_transfer.h"
#include "platform/db/memo_limit.h"
#include "model/node_rules.h"
#include "model/number_text.h"
#include "hydraulics/formulas.h"

#include <cmath>
#include <limits>
#include <tuple>
#include <utility>
#include <vector>

namespace {

// What a number field holds, as far as its possible values go.
enum class Kind { Other, Flow, WorkedFlow, Temperature, Diameter, Friction, NotNegative, Elevation, Station };

// The widest the job's entry fields take, and what the program makes of
// them: a flow is entered as up to 9999999.99 cfs, elevations with up to
// five digits (a manifold's inverts), stations with up to seven. Anything
// beyond was never entered, and no run can use it.
constexpr double kMostFlowGpm = 9999999.99 * 448.83;
constexpr double kMostElevation = 99999.9;
constexpr double kMostStation = 9999999;

// The other numbers a user types, held to what their entry fields take
// (the widest where several fields or the local defaults fill one). Where
// the program also works a value out, the range is what that can give: an
// outlet's or an inlet's pressure from two elevations (99999.9 ft apart
// each way, at 0.43344 psi a foot), an outlet level from an elevation and
// the most pressure typed for it, a set pressure found by a run (above 0,
// so no top), a reach's length between two stations, a size change coded
// as a K of -1 to -4.
struct Range {
    const char* field;
    double low, high;
    const char* unit;
};
constexpr double kNoTop = std::numeric_limits<double>::infinity();
constexpr double kMostHeadPsi = 86688;
constexpr double kMostOutletLevel = 102307;
constexpr Range kRanges[] = {
    {"PumpEffic", -99.9, 99.9, "percent"},        {"ClearHead", -999.99, 999.99, "ft"},
    {"ColumnLoss", 0, 999, "ft"},                 {"TankRange", 0, 999, "psi"},
    {"PsiIn", -kMostHeadPsi, kMostHeadPsi, "psi"}, {"OutletPsi", -kMostHeadPsi, kMostHeadPsi, "psi"},
    {"ReqOutletWS", -kMostOutletLevel, kMostOutletLevel, "ft"},
    {"TriclLPsi", 0, 999, "psi"},                 {"TriclMVel", 0, 9999, "ft/sec"},
    {"TriclMFric", 0, 99.9, "ft"},                {"TriclPipeRating", 0, 999.9, ""},
    {"TriclLowSz", 0, 99.99, "inches"},           {"TriclHiSz", 0, 99.99, "inches"},
    {"PsiSet", -1, kNoTop, "psi"},                {"PipeLength", -kMostStation, kMostStation, "ft"},
    {"ThBlkSoil", 0, 9999999999, ""},             {"GateSpace", 0, 999, ""},
    {"K1", -4, 99999.999999, ""},                 {"K2", -4, 99999.999999, ""},
    {"K3", -4, 99999.999999, ""},
};

// Values the program works out itself rather than takes as typed: a run's
// results (the suction line's loss), and the flows and lengths it carries
// along the line from the entries. Whatever the program made of the entries
// is kept, so these are held only to being numbers (and a flow to not being
// below zero, which no line carries); the kinds and ranges above are for
// what a user types. `when` tells the rows where the program
// wrote the value, for fields that other jobs have typed.
struct Header {
    int sysHas = 0;
    bool centrifugal = false;
};
struct Worked {
    const char* table;
    const char* field;
    bool (*when)(const Header& job, db::Table* row);
};
bool Always(const Header&, db::Table*) { return true; }
const Worked kWorked[] = {
    {"WorkPipe.db", "ColumnLoss", [](const Header& job, db::Table*) { return job.centrifugal; }},
    // A manifold end asks the line for the flow of its outlets.
    {"WorkPipe.db", "DesignFlow", [](const Header& job, db::Table*) { return job.sysHas == 2; }},
    {"WorkPipe.db", "TriclEntQ", Always},
    {"WorkProf.DB", "PipeQ", Always},
    {"WorkProf.DB", "PipeLength", Always},
    // Worked out from the ground and the cover unless typed (method 1).
    {"WorkProf.DB", "InvertElev",
     [](const Header&, db::Table* row) { return row->FieldByName(QStringLiteral("InvElMethod"))->AsInteger() != 1; }},
    // The flow arriving at a gated end; the gated-pipe tool's is typed.
    {"WorkGated.db", "PipeQ", [](const Header& job, db::Table*) { return job.sysHas != 8; }},
    {"WorkTrickle.DB", "PipeQ", Always},
    {"WorkTrickle.DB", "PipeLength", Always},
    {"WorkSuction.db", "PipeQ", Always},
};

const Worked* WorkedOf(db::Table* t, const QString& field)
{
    for (const Worked& w : kWorked)
        if (field == QLatin1String(w.field) && t->TableName().compare(QLatin1String(w.table), Qt::CaseInsensitive) == 0)
            return &w;
    return nullptr;
}

const Range* RangeOf(const QString& field)
{
    for (const Range& r : kRanges)
        if (field == QLatin1String(r.field))
            return &r;
    return nullptr;
}

Kind KindOf(const QString& field)
{
    static const QStringList flows = {"DesignFlow", "TriclEntQ", "OutQ", "InQ", "PipeQ", "MultiOpenQ",
                                      "GateFlow", "GpmAtOutlet"};
    if (flows.contains(field))
        return Kind::Flow;
    if (field == QLatin1String("WaterTemp"))
        return Kind::Temperature;
    static const QStringList elevations = {"WSElev",     "PumpEyeElev", "Altitude", "OutletElev", "GroundElev",
                                           "InvertElev", "StartElev",   "EndElev",  "MidElev"};
    if (elevations.contains(field))
        return Kind::Elevation;
    static const QStringList stations = {"Station", "StartSta", "EndSta", "MidSta"};
    if (stations.contains(field))
        return Kind::Station;
    if (field == QLatin1String("DiaIn") || field == QLatin1String("NomDia"))
        return Kind::Diameter;
    if (field == QLatin1String("Cfac") || field == QLatin1String("Nfac") || field == QLatin1String("Efac"))
        return Kind::Friction;
    return Kind::Other;
}

// Why a value of a field of this kind cannot be used; empty when it can.
QString Problem(Kind kind, const Range* range, double v)
{
    if (std::isnan(v))
        return QStringLiteral("is not a number");
    if (std::isinf(v))
        return QStringLiteral("is infinite");
    if (range && !(v >= range->low && v <= range->high)) {
        const QString unit = *range->unit ? QStringLiteral(" ") + QLatin1String(range->unit) : QString();
        auto text = [](double x) { return QString::number(x, 'g', 12); };
        if (range->high == kNoTop)
            return QStringLiteral("is %1%2, below %3%2").arg(QString::number(v, 'g', 6), unit, text(range->low));
        return QStringLiteral("is %1%2, outside %3 to %4%2")
            .arg(QString::number(v, 'g', 6), unit, text(range->low), text(range->high));
    }
    // Every value of a job goes through here: one that no field finds fault
    // with needs no look at its kind.
    if (v >= 0.01 && v <= 212)
        return QString();
    if (kind == Kind::NotNegative && v < 0)
        return QStringLiteral("is %1, below zero").arg(QString::number(v, 'g', 6));
    if ((kind == Kind::Flow || kind == Kind::WorkedFlow) && v < 0)
        return QStringLiteral("is %1, a flow below zero").arg(QString::number(v, 'g', 6));
    if (kind == Kind::Flow && v > kMostFlowGpm)
        return QStringLiteral("is %1 gpm, beyond the %2 gpm (9999999.99 cfs) its entry takes")
            .arg(QString::number(v, 'g', 6), QString::number(kMostFlowGpm, 'f', 0));
    if (kind == Kind::Elevation && std::abs(v) > kMostElevation)
        return QStringLiteral("is %1 ft, outside the -%2 to %2 ft its entry takes")
            .arg(QString::number(v, 'g', 6), QString::number(kMostElevation, 'f', 1));
    if (kind == Kind::Station && (v < 0 || v > kMostStation))
        return QStringLiteral("is %1 ft, outside the 0 to %2 ft its entry takes")
            .arg(QString::number(v, 'g', 6), QString::number(kMostStation, 'f', 0));
    if (kind == Kind::Temperature && (v < 0 || v > 212))
        return QStringLiteral("is %1 deg F, outside 0 to 212").arg(QString::number(v, 'g', 6));
    if (kind == Kind::Diameter && v != 0 && !(v >= 0.01))
        return QStringLiteral("is %1 inches, not a pipe diameter").arg(QString::number(v, 'g', 6));
    // A factor of 0 marks an equation the material does not use; whether
    // the pipe has one the computation can use is the row's question.
    if (kind == Kind::Friction && v < 0)
        return QStringLiteral("is %1, not a friction factor above 0").arg(QString::number(v, 'g', 6));
    return QString();
}

// Where a row is: its station, or its segment.
QString RowPlace(db::Table* t, int row)
{
    if (db::Field* station = t->FindField(QStringLiteral("Station")); station && !station->IsNull()) {
        const double s = station->AsFloat();
        if (s >= 0 && s <= kMostStation) return QStringLiteral("at station %1").arg(StationTextOf(s));
        // A station no entry takes is named by its number.
        return std::isfinite(s) ? QStringLiteral("at station %1 ft").arg(QString::number(s, 'g', 6))
                                : QStringLiteral("in row %1").arg(row);
    }
    if (db::Field* segment = t->FindField(QStringLiteral("SegmentNo")); segment && !segment->IsNull())
        return QStringLiteral("in segment %1").arg(segment->AsInteger());
    return QStringLiteral("in row %1").arg(row);
}

// A row with a pipe (a diameter) whose friction factors give the
// computation method no equation: its friction would be taken as nothing.
// Empty when the method can use one of them.
QString NoUsableFactor(db::Field* diameter, db::Field* const (&factors)[3], db::Field* nodeType, int compMethod)
{
    if (!diameter || !(diameter->AsFloat() > 0) || !factors[0] || !factors[1] || !factors[2])
        return QString();
    // An end node's bore is the pipe arriving there: no reach of its own.
    if (nodeType && IsEndNodeType(nodeType->AsInteger()))
        return QString();
    if (UsableFrictionEquation(compMethod, factors[2]->AsFloat(), factors[0]->AsFloat(), factors[1]->AsFloat()) >= 0)
        return QString();
    QStringList held;
    for (db::Field* f : factors)
        held << QStringLiteral("%1 %2").arg(f->FieldName(), f->IsNull() ? QStringLiteral("empty")
                                                                          : QString::number(f->AsFloat(), 'g', 6));
    return QStringLiteral("%1 give the computation method no friction factor above 0 to use")
        .arg(held.join(QStringLiteral(", ")));
}

// What a check looks at: every value of a pipeline job, every value of a
// calculator's row (none below zero), or only whether each pipe has a
// friction equation.
enum class Look { PipelineJob, CalculatorRow, Friction };

QString Check(db::Table* t, bool header, Look look = Look::PipelineJob, const Header& job = {})
{
    const bool noneNegative = look == Look::CalculatorRow;
    const bool opened = !t->Active();
    if (opened)
        t->Open();
    t->CheckBrowseMode();
    QString found;
    t->DisableControls();
    const qint64 at = t->GetBookmark();
    // The number fields, sorted out once: a profile has a hundred rows.
    struct Number {
        db::Field* field;
        Kind kind;
        const Range* range;
        const Worked* worked;
    };
    std::vector<Number> numbers;
    std::vector<db::Field*> notes;
    for (int i = 0; i < t->FieldCount() && look != Look::Friction; ++i) {
        db::Field* f = t->Fields(i);
        if (!f->Calculated() && f->DataType() == db::FieldType::Number)
            numbers.push_back({f, noneNegative ? Kind::NotNegative : KindOf(f->FieldName()),
                               noneNegative ? nullptr : RangeOf(f->FieldName()),
                               noneNegative ? nullptr : WorkedOf(t, f->FieldName())});
        if (!f->Calculated() && f->DataType() == db::FieldType::Memo)
            notes.push_back(f);
    }
    db::Field* diameter = t->FindField(QStringLiteral("DiaIn"));
    db::Field* nodeType = t->FindField(QStringLiteral("NodeType"));
    db::Field* const factors[3] = {t->FindField(QStringLiteral("Cfac")), t->FindField(QStringLiteral("Nfac")),
                                   t->FindField(QStringLiteral("Efac"))};
    int compMethod = 0;
    if (look == Look::Friction && diameter) {
        db::Table* defaults = DMod->DefSysTable;
        const bool closed = !defaults->Active();
        if (closed)
            defaults->Open();
        compMethod = DMod->DefSysTableCompMethod->AsInteger();
        if (closed)
            defaults->Close();
    }
    int row = 0;
    for (t->First(); !t->Eof() && found.isEmpty(); t->Next()) {
        ++row;
        QString what;
        for (const auto& [f, kind, range, worked] : numbers) {
            if (f->IsNull())
                continue;
            const bool byProgram = worked && worked->when(job, t);
            // A flow the program carries along the line is still never below 0.
            const Kind held = !byProgram ? kind : kind == Kind::Flow ? Kind::WorkedFlow : Kind::Other;
            const QString why = Problem(held, byProgram ? nullptr : range, f->AsFloat());
            if (!why.isEmpty()) {
                what = QStringLiteral("%1 %2").arg(f->FieldName(), why);
                break;
            }
        }
        for (db::Field* f : notes) {
            if (!what.isEmpty())
                break;
            if (const qsizetype n = f->AsString().size(); n > db::kMostMemoChars)
                what = QStringLiteral("%1 holds %2 characters, more than the %3 its entry takes")
                           .arg(f->FieldName())
                           .arg(n)
                           .arg(db::kMostMemoChars);
        }
        // A pipe without an equation is no impossible value: the job loads,
        // and its run names the pipe to pick again.
        if (what.isEmpty() && look == Look::Friction)
            what = NoUsableFactor(diameter, factors, nodeType, compMethod);
        if (what.isEmpty())
            continue;
        found = what;
        found += header ? QStringLiteral(" in the job's data") : QStringLiteral(" ") + RowPlace(t, row);
        found += QStringLiteral(" (table %1)").arg(t->TableName());
    }
    t->GotoBookmark(at);
    t->EnableControls();
    if (opened)
        t->Close();
    return found;
}

} // namespace

QString FirstImpossibleValue()
{
    TDMod& d = *DMod;
    Header job;
    JobRowKinds kinds;
    {
        db::Table* pipe = d.WorkPipeTable;
        const bool opened = !pipe->Active();
        if (opened)
            pipe->Open();
        job = {d.WorkPipeTableSysHas->AsInteger(), d.WorkPipeTablePumpType->AsString() == QLatin1String("CENTRIF")};
        kinds = RowKindsOf(job.sysHas, d.WorkPipeTablePumpType->AsString());
        if (opened)
            pipe->Close();
    }
    // Only the rows the job keeps: a store, load or import moves no others.
    const std::tuple<db::Table*, bool, bool> tables[] = {
        {d.WorkPipeTable, true, true},          {d.WorkProfTable, false, kinds.Profile},
        {d.WorkGatedTable, true, kinds.Gated},  {d.WorkTrickleTable, false, kinds.Trickle},
        {d.WorkSuctionTable, false, kinds.Suction},
    };
    for (const auto& [t, header, kept] : tables) {
        if (!kept)
            continue;
        const QString found = Check(t, header, Look::PipelineJob, job);
        if (!found.isEmpty())
            return found;
    }
    return QString();
}

QString FirstImpossibleToolValue(db::Table* work)
{
    return Check(work, true, Look::CalculatorRow);
}

QString FirstPipeWithoutFriction()
{
    TDMod& d = *DMod;
    for (db::Table* t : {d.WorkProfTable, d.WorkGatedTable, d.WorkTrickleTable, d.WorkSuctionTable}) {
        const QString found = Check(t, false, Look::Friction);
        if (!found.isEmpty())
            return found;
    }
    return QString();
}

bool CutNotesToTheirBox(db::Table* work)
{
    const bool opened = !work->Active();
    if (opened)
        work->Open();
    work->CheckBrowseMode();
    bool cut = false;
    for (work->First(); !work->Eof(); work->Next())
        for (int i = 0; i < work->FieldCount(); ++i) {
            db::Field* f = work->Fields(i);
            if (f->Calculated() || f->DataType() != db::FieldType::Memo || f->AsString().size() <= db::kMostMemoChars)
                continue;
            work->Edit();
            f->SetAsString(f->AsString().left(db::kMostMemoChars));
            work->Post();
            cut = true;
        }
    work->First();
    if (opened)
        work->Close();
    return cut;
}
