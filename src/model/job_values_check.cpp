#include "model/job_values_check.h"

#include "model/data_module.h"
#include "model/job_row_kinds.h"
#include "platform/db/memo_limit.h"
#include "model/node_rules.h"
#include "model/number_text.h"
#include "model/station.h"
#include "hydraulics/formulas.h"

#include <cmath>
#include <limits>
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

// The tables of a job, whichever family (stored, working, transfer) they
// are read from.
enum class Part { Header, Profile, Gated, Trickle, Suction };

// What a check needs to know of the job beyond the row it reads.
struct Header {
    int sysHas = 0;
    bool centrifugal = false;
};

// Values the program works out itself rather than takes as typed: a run's
// results (the suction line's loss), and the flows and lengths it carries
// along the line from the entries. Whatever the program made of the entries
// is kept, so these are held only to being numbers (and a flow to not being
// below zero, which no line carries); the kinds and ranges above are for
// what a user types. `when` tells the rows where the program
// wrote the value, for fields that other jobs have typed.
struct Worked {
    Part part;
    const char* field;
    // `method` is the row's invert method.
    bool (*when)(const Header& job, int method);
};
bool Always(const Header&, int) { return true; }
const Worked kWorked[] = {
    {Part::Header, "ColumnLoss", [](const Header& job, int) { return job.centrifugal; }},
    // A manifold end asks the line for the flow of its outlets.
    {Part::Header, "DesignFlow", [](const Header& job, int) { return job.sysHas == 2; }},
    {Part::Header, "TriclEntQ", Always},
    {Part::Profile, "PipeQ", Always},
    {Part::Profile, "PipeLength", Always},
    // Worked out from the ground and the cover unless typed (method 1).
    {Part::Profile, "InvertElev", [](const Header&, int method) { return method != 1; }},
    // The flow arriving at a gated end; the gated-pipe tool's is typed.
    {Part::Gated, "PipeQ", [](const Header& job, int) { return job.sysHas != 8; }},
    {Part::Trickle, "PipeQ", Always},
    {Part::Trickle, "PipeLength", Always},
    {Part::Suction, "PipeQ", Always},
};

const Worked* WorkedOf(Part part, const QString& field)
{
    for (const Worked& w : kWorked)
        if (w.part == part && field == QLatin1String(w.field))
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

// Values without which a row is no part of a job: what places a node or a
// suction segment, and a node's kind. An empty one reads as 0, which only
// the entrance is: the system dialogs start the entrance as a first row
// without either, which the node dialogs fill in. (The header's node count
// is not one: the program leaves it empty until a node dialog counts the
// nodes, and the runs count the rows.)
struct Needed {
    Part part;
    const char* field;
};
constexpr Needed kNeeded[] = {
    {Part::Profile, "Station"},
    {Part::Profile, "NodeType"},
    {Part::Suction, "SegmentNo"},
};

bool IsNeeded(Part part, const QString& field)
{
    for (const Needed& n : kNeeded)
        if (n.part == part && field == QLatin1String(n.field))
            return true;
    return false;
}

// The codes and counts of a job, and the values the program gives them (its
// dialogs and its runs): the node kinds of the profile (entrance, in line,
// booster, reducer, open end, gated end, manifold end), its invert methods,
// what a job has (nothing, gated pipe, a manifold, the manifold designer's
// and the gated-pipe tool's jobs), the counts of nodes and suction segments
// (a count may lag one node behind the profile, so 0 is one), a suction
// segment's number, an outlet's place in its manifold, the kind of a
// suction segment or a manifold outlet (first or not), and the open gates a
// gated run counts. `only`, when not 0, holds a bit for each value taken.
struct Code {
    Part part;
    const char* field;
    int low, high;
    unsigned only = 0;
};
constexpr Code kCodes[] = {
    {Part::Profile, "NodeType", 0, 6},
    {Part::Profile, "InvElMethod", 0, 2},
    {Part::Header, "SysHas", 0, 8, 1u << 0 | 1u << 1 | 1u << 2 | 1u << 4 | 1u << 8},
    {Part::Header, "NumNodes", 0, kMaxStations},
    {Part::Header, "NoSucSegs", 0, kMaxStations},
    {Part::Suction, "SegmentNo", 1, kMaxStations},
    {Part::Suction, "NodeType", 0, 1},
    {Part::Trickle, "NodeType", 0, 1},
    {Part::Trickle, "RecNo", 1, kMaxManifoldNodes},
    {Part::Gated, "NoOfGates", 0, 32767},
};

const Code* CodeOf(Part part, const QString& field)
{
    for (const Code& c : kCodes)
        if (c.part == part && field == QLatin1String(c.field))
            return &c;
    return nullptr;
}

// Why a code or count is none the program gives; empty when it is one.
QString CodeProblem(const Code& code, int v)
{
    if (v < code.low || v > code.high)
        return QStringLiteral("is %1, outside %2 to %3").arg(v).arg(code.low).arg(code.high);
    if (code.only && !(code.only >> v & 1u)) {
        QStringList taken;
        for (int c = code.low; c <= code.high; ++c)
            if (code.only >> c & 1u)
                taken << QString::number(c);
        return QStringLiteral("is %1, not one of %2").arg(v).arg(taken.join(QStringLiteral(", ")));
    }
    return QString();
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

const QString kStationlessRow = QStringLiteral("in one of the rows");

// Where a row is: its station, or its segment.
QString RowPlace(const db::RowValues& values, const db::Field* station, const db::Field* segment, int row)
{
    if (station && !values.IsNull(station)) {
        const double s = values.AsFloat(station);
        if (s >= 0 && s <= kMostStation) return QStringLiteral("at station %1").arg(StationTextOf(s));
        // A station no entry takes is named by its number.
        return std::isfinite(s) ? QStringLiteral("at station %1 ft").arg(QString::number(s, 'g', 6))
                                : QStringLiteral("in row %1").arg(row);
    }
    // A row whose station cannot be read sorts first: its number in that
    // order is not where the user entered it.
    if (station)
        return kStationlessRow;
    if (segment && !values.IsNull(segment))
        return QStringLiteral("in segment %1").arg(values.AsInteger(segment));
    return QStringLiteral("in row %1").arg(row);
}

// A row with a pipe (a diameter) whose friction factors give the
// computation method no equation: its friction would be taken as nothing.
// Empty when the method can use one of them.
QString NoUsableFactor(const db::RowValues& row, const db::Field* diameter, db::Field* const (&factors)[3],
                       const db::Field* nodeType, int compMethod)
{
    if (!diameter || !(row.AsFloat(diameter) > 0) || !factors[0] || !factors[1] || !factors[2])
        return QString();
    // An end node's bore is the pipe arriving there: no reach of its own.
    if (nodeType && IsEndNodeType(row.AsInteger(nodeType)))
        return QString();
    if (UsableFrictionEquation(compMethod, row.AsFloat(factors[2]), row.AsFloat(factors[0]), row.AsFloat(factors[1]))
        >= 0)
        return QString();
    QStringList held;
    for (db::Field* f : factors)
        held << QStringLiteral("%1 %2").arg(f->FieldName(), row.IsNull(f) ? QStringLiteral("empty")
                                                                           : QString::number(row.AsFloat(f), 'g', 6));
    return QStringLiteral("%1 give the computation method no friction factor above 0 to use")
        .arg(held.join(QStringLiteral(", ")));
}

// What a check looks at: every value of a pipeline job, those of a stored
// one being loaded (its notes are cut to their box), every value of a
// calculator's row (none below zero), or only whether each pipe has a
// friction equation.
enum class Look { PipelineJob, StoredJob, CalculatorRow, Friction };

QString Check(db::Table* t, Part part, Look look = Look::PipelineJob, const Header& job = {})
{
    const bool noneNegative = look == Look::CalculatorRow;
    const bool opened = !t->Active();
    if (opened)
        t->Open();
    t->CheckBrowseMode();
    QString found;
    // The fields, sorted out once: a profile has a hundred rows.
    struct Number {
        db::Field* field;
        Kind kind;
        const Range* range;
        const Worked* worked;
    };
    struct Whole {
        db::Field* field;
        const Code* code;
    };
    std::vector<Number> numbers;
    std::vector<Whole> wholes;
    std::vector<db::Field*> notes, needed;
    for (int i = 0; i < t->FieldCount() && look != Look::Friction; ++i) {
        db::Field* f = t->Fields(i);
        if (f->Calculated())
            continue;
        const db::FieldType type = f->DataType();
        if (type == db::FieldType::Number)
            numbers.push_back({f, noneNegative ? Kind::NotNegative : KindOf(f->FieldName()),
                               noneNegative ? nullptr : RangeOf(f->FieldName()),
                               noneNegative ? nullptr : WorkedOf(part, f->FieldName())});
        if (!noneNegative && (type == db::FieldType::Short || type == db::FieldType::Long))
            if (const Code* code = CodeOf(part, f->FieldName()))
                wholes.push_back({f, code});
        if (type == db::FieldType::Memo && look != Look::StoredJob)
            notes.push_back(f);
        if (!noneNegative && IsNeeded(part, f->FieldName()))
            needed.push_back(f);
    }
    const db::Field* station = t->FindField(QStringLiteral("Station"));
    const db::Field* segment = t->FindField(QStringLiteral("SegmentNo"));
    const db::Field* method = t->FindField(QStringLiteral("InvElMethod"));
    const db::Field* diameter = t->FindField(QStringLiteral("DiaIn"));
    const db::Field* nodeType = t->FindField(QStringLiteral("NodeType"));
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
    // A profile's first row may be the entrance still without its station
    // and kind, as the system dialogs start it: read as 0, they stand for the
    // entrance while it is no other kind and no other node is at 0+00.
    bool firstStationEmpty = false;
    int row = 0;
    t->EachRow([&](const db::RowValues& values) {
        ++row;
        // What the file holds that no field of the row could read comes
        // first: the field shows it as empty, or rounded.
        QString what;
        if (const db::Field* f = look == Look::Friction ? nullptr : values.FirstMisfitField(&what))
            what = QStringLiteral("%1 %2").arg(f->FieldName(), what);
        const bool entrance = part == Part::Profile && row == 1
                              && (values.IsNull(nodeType) || values.AsInteger(nodeType) == 0);
        if (firstStationEmpty && row == 2 && !(values.AsFloat(station) > 0)) {
            found = QStringLiteral("Station is empty %1 (table %2)").arg(kStationlessRow, t->TableName());
            return false;
        }
        for (db::Field* f : needed) {
            if (!what.isEmpty())
                break;
            if (!values.IsNull(f))
                continue;
            if (entrance && f == station)
                firstStationEmpty = true;
            else if (!(entrance && f == nodeType))
                what = QStringLiteral("%1 is empty").arg(f->FieldName());
        }
        for (const auto& [f, code] : wholes) {
            if (!what.isEmpty())
                break;
            if (!values.IsNull(f))
                if (const QString why = CodeProblem(*code, values.AsInteger(f)); !why.isEmpty())
                    what = QStringLiteral("%1 %2").arg(f->FieldName(), why);
        }
        const int invertMethod = method ? values.AsInteger(method) : 0;
        for (const auto& [f, kind, range, worked] : numbers) {
            if (!what.isEmpty())
                break;
            if (values.IsNull(f))
                continue;
            const bool byProgram = worked && worked->when(job, invertMethod);
            // A flow the program carries along the line is still never below 0.
            const Kind held = !byProgram ? kind : kind == Kind::Flow ? Kind::WorkedFlow : Kind::Other;
            const QString why = Problem(held, byProgram ? nullptr : range, values.AsFloat(f));
            if (!why.isEmpty())
                what = QStringLiteral("%1 %2").arg(f->FieldName(), why);
        }
        for (db::Field* f : notes) {
            if (!what.isEmpty())
                break;
            if (const qsizetype n = values.AsString(f).size(); n > db::kMostMemoChars)
                what = QStringLiteral("%1 holds %2 characters, more than the %3 its entry takes")
                           .arg(f->FieldName())
                           .arg(n)
                           .arg(db::kMostMemoChars);
        }
        // A pipe without an equation is no impossible value: the job loads,
        // and its run names the pipe to pick again.
        if (what.isEmpty() && look == Look::Friction)
            what = NoUsableFactor(values, diameter, factors, nodeType, compMethod);
        if (what.isEmpty())
            return true;
        found = what;
        found += part == Part::Header ? QStringLiteral(" in the job's data")
                                      : QStringLiteral(" ") + RowPlace(values, station, segment, row);
        found += QStringLiteral(" (table %1)").arg(t->TableName());
        return false;
    });
    if (opened)
        t->Close();
    return found;
}

} // namespace

QString FirstMisfitOfRow(db::Table* t)
{
    const db::Field* f = t->FirstMisfitField();
    return f ? QStringLiteral("%1 %2").arg(f->FieldName(), f->StoredMisfit()) : QString();
}

QString FirstImpossibleValue(const JobTables& tables, const db::Table* only)
{
    Header job;
    {
        db::Table* header = tables.header;
        const bool opened = !header->Active();
        if (opened)
            header->Open();
        header->CheckBrowseMode();
        job.sysHas = header->FieldByName(QStringLiteral("SysHas"))->AsInteger();
        job.centrifugal = header->FieldByName(QStringLiteral("PumpType"))->AsString() == QLatin1String("CENTRIF");
        if (opened)
            header->Close();
    }
    const std::pair<db::Table*, Part> parts[] = {
        {tables.header, Part::Header}, {tables.profile, Part::Profile}, {tables.gated, Part::Gated},
        {tables.trickle, Part::Trickle}, {tables.suction, Part::Suction},
    };
    for (const auto& [t, part] : parts) {
        if (!t || (only && t != only))
            continue;
        const QString found = Check(t, part, tables.loading ? Look::StoredJob : Look::PipelineJob, job);
        if (!found.isEmpty())
            return found;
    }
    return QString();
}

QString FirstImpossibleValue()
{
    TDMod& d = *DMod;
    JobRowKinds kinds;
    {
        db::Table* pipe = d.WorkPipeTable;
        const bool opened = !pipe->Active();
        if (opened)
            pipe->Open();
        kinds = RowKindsOf(d.WorkPipeTableSysHas->AsInteger(), d.WorkPipeTablePumpType->AsString());
        if (opened)
            pipe->Close();
    }
    // Only the rows the job keeps: a store, load or import moves no others.
    return FirstImpossibleValue({d.WorkPipeTable, kinds.Profile ? d.WorkProfTable : nullptr,
                                 kinds.Gated ? d.WorkGatedTable : nullptr, kinds.Trickle ? d.WorkTrickleTable : nullptr,
                                 kinds.Suction ? d.WorkSuctionTable : nullptr});
}

QString FirstImpossibleToolValue(db::Table* work)
{
    return Check(work, Part::Header, Look::CalculatorRow);
}

QString FirstPipeWithoutFriction()
{
    TDMod& d = *DMod;
    const std::pair<db::Table*, Part> parts[] = {
        {d.WorkProfTable, Part::Profile}, {d.WorkGatedTable, Part::Gated},
        {d.WorkTrickleTable, Part::Trickle}, {d.WorkSuctionTable, Part::Suction},
    };
    for (const auto& [t, part] : parts) {
        const QString found = Check(t, part, Look::Friction);
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
