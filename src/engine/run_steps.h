#pragma once
// Small steps the engine runs share: opening and editing the working tables,
// writing rounded values, messages, the trace file and the station records,
// the friction-method text of a reach, and where a profile needs air valves.
#include "engine/hydraulics.h"
#include "engine/run_status.h"
#include "model/data_module.h"
#include "model/number_text.h"
#include "model/station.h"
#include "model/job.h"
#include "platform/db/db.h"
#include "platform/ui/seam/msg.h"

#include <QDir>
#include <QFile>
#include <QString>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <initializer_list>
#include <memory>
#include <string>

// A unit's single object: made once, deleted and forgotten at the end.
template <class T>
void CreateSingleObject(T*& object)
{
    if (!object) object = new T;
}

template <class T>
void DeleteSingleObject(T*& object)
{
    delete object;
    object = nullptr;
}

// What reaches a table or a trace is always a number.
inline double Finite(double x)
{
    return std::isfinite(x) ? x : 0.0;
}

// A run's warning and error dialogs, OK button only.
inline void Warn(const QString& text)
{
    ui::MessageDlg(text, ui::MsgType::Warning, ui::mbOK);
}

inline void Fail(const QString& text)
{
    ui::MessageDlg(text, ui::MsgType::Error, ui::mbOK);
}

// Marks a run not computed when a friction factor could not be found while
// it ran: that reach's loss was taken as none.
class FrictionFaultWatch {
public:
    void Into(RunStatus& status) const
    {
        if (Hyd->FrictionFaults != before_)
            status.NotComputed(kFrictionOutOfRange);
    }

private:
    int before_ = Hyd->FrictionFaults;
};

// A flow below zero is no flow a line carries: the first station of the n
// whose reach has one is refused by name, after the run's `errorMark`, and
// shown; empty when there is none.
inline QString NegativeFlowRefusal(TSta* const* sta, int n, const QString& errorMark)
{
    for (int k = 0; k < n; ++k) {
        if (!(sta[k]->PipeQ < 0))
            continue;
        const QString why = errorMark + QStringLiteral("The flow at Sta ") + Hyd->StationText(sta[k]->Station)
                            + QStringLiteral(" is ") + QString::number(sta[k]->PipeQ, 'f', 1)
                            + QStringLiteral(" gpm, below zero. Check the design flow and the outflows above it.");
        Fail(why);
        return why;
    }
    return QString();
}

// What the stored warning of station s adds to what the run said there (the
// surge and thrust-block notes made as the row is written), named by its
// station, for the output page to list.
inline void NoteUnsaid(const TSta* s, const QString& stored, QStringList& unsaid)
{
    const QString added = stored.mid(s->Warning.size()).trimmed();
    if (!added.isEmpty())
        unsaid << QStringLiteral("Sta ") + Hyd->StationText(s->Station) + QLatin1Char(' ') + added;
}

// A pressure reducer set below what the line under it needs: the words after
// each run's own "WARNING" mark, with both grades and the setting.
inline QString ReducerSetTooLowText(double neededHgl, double setHgl, double psiSet)
{
    auto ft = [](double x) { return QString::number(Finite(x), 'f', 2); };
    return QStringLiteral("The line below the pressure reducer needs HGL ") + ft(neededHgl)
           + QStringLiteral(" ft, above the ") + ft(setHgl) + QStringLiteral(" ft its set pressure of ")
           + ft(psiSet) + QStringLiteral(" psi gives. Raise its set pressure.");
}

// A pressure reducer reached by less than its setting passes on what
// reaches it: the words after each run's own "WARNING" mark.
inline QString ReducerStarvedText(const QString& station, double arrivingPsi, double psiSet)
{
    auto psi = [](double x) { return QString::number(Finite(x), 'f', 2); };
    return QStringLiteral("The pressure reducer at Sta ") + station + QStringLiteral(" receives ") + psi(arrivingPsi)
           + QStringLiteral(" psi, below its set pressure of ") + psi(psiSet) + QStringLiteral(" psi, so it passes the ")
           + psi(arrivingPsi) + QStringLiteral(" psi on.");
}

// Whether a reducer set to `setHgl` is reached by a grade below it; within
// 0.01 ft it holds its setting.
inline bool ReducerStarved(double arrivingHgl, double setHgl)
{
    return arrivingHgl < setHgl - 0.01;
}

// A pressure reducer that reduces: its kind says so, and it has a setting.
inline bool IsReducer(const TSta* s)
{
    return s->NodeType == kReducerNode && s->PsiSet > 0;
}

// Adds to the reducer's warning, after what it holds and once however many
// passes reach it, that it passes on the less that reaches it; gives the
// text to show.
inline QString AddReducerStarved(TSta* s, const QString& warningMark)
{
    const QString text = warningMark + ReducerStarvedText(Hyd->StationText(s->Station), s->Psi, s->PsiSet);
    if (!s->Warning.contains(text))
        s->Warning = s->Warning.isEmpty() ? text : s->Warning + QLatin1Char(' ') + text;
    return text;
}

// A head that shows as 0.00 ft lifts nothing.
inline constexpr double kNoHeadFt = 0.005;

// Every run sizes its pump afresh: an earlier run's head, horsepower and
// motor must not pass for this one's.
inline void ClearPumpResults()
{
    Tul->TDH = 0.0;
    Tul->WHP = 0.0;
    Tul->BHP = 0.0;
    Tul->MotorSize.clear();
}

// The thrust-block area stored for a node: `areaPerPsi` times its pressure,
// but 0 under a pressure below atmospheric, which pushes no block; then the
// row's `warning` says why, after the run's own `errorMark`.
inline double ThrustBlockAreaAt(double areaPerPsi, double psi, QString& warning, const QString& errorMark)
{
    if (!(areaPerPsi > 0 && psi < 0))
        return Finite(areaPerPsi * psi);
    if (!warning.isEmpty())
        warning += QLatin1Char(' ');
    warning += errorMark + QStringLiteral("Thrust block area stored as 0: the pipe pressure here is ")
               + QString::number(Finite(psi), 'f', 2) + QStringLiteral(" psi, below atmospheric.");
    return 0.0;
}

// A run's trace file, closed however the run ends. A null file (it could not
// be created) writes nothing: the trace is a diagnostic.
struct TraceCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using TraceFile = std::unique_ptr<std::FILE, TraceCloser>;

// The path of a run's trace file: in the per-user data folder beside the
// database, not wherever the program was started from.
inline QString TracePath(const char* name)
{
    const QString folder = db::Engine::instance().AliasPath(db::kMersolAlias);
    return folder.isEmpty() ? QString::fromLatin1(name) : QDir(folder).filePath(QString::fromLatin1(name));
}
inline TraceFile OpenTraceFile(const char* name)
{
    const QByteArray path = QFile::encodeName(TracePath(name));
    // A new file rather than the old one truncated: ext4 flushes a file
    // truncated and written again to disk when it is closed, which made every
    // run wait for the disk.
    std::remove(path.constData());
    return TraceFile(std::fopen(path.constData(), "w"));
}

// One value of a trace line: a number for a %f, a text for a %s.
struct TraceArg {
    TraceArg(double v) : number(v) {}
    TraceArg(const char* v) : text(v) {}
    double number = 0.0;
    const char* text = nullptr;
};

// Appends x as %f writes it, when that is plain to see without printf's
// exact digits: below 2^33, so the sixth decimal is worked out from the
// fraction to far better than 1e-9, and not within 1e-6 of a half there,
// where that small an error could tip the rounding. False leaves the number
// to the exact way.
inline bool AppendFixed6(std::string& out, double x)
{
    const double a = std::fabs(x);
    if (!(a < 8589934592.0))
        return false;
    const double whole = std::floor(a);
    const double scaled = (a - whole) * 1e6;   // a - whole is exact
    const double below = std::floor(scaled);
    const double rest = scaled - below;
    if (std::fabs(rest - 0.5) < 1e-6)
        return false;
    long long frac = static_cast<long long>(below) + (rest > 0.5 ? 1 : 0);
    long long units = static_cast<long long>(whole);
    if (frac == 1000000) {
        frac = 0;
        ++units;
    }
    char buf[32];
    char* p = PutDigits(buf + sizeof buf, frac, 6);
    *--p = '.';
    p = PutDigits(p, units, 1);
    if (std::signbit(x))
        *--p = '-';
    out.append(p, buf + sizeof buf);
    return true;
}

// Writes one trace line as fprintf would with the conversions %f and %s (the
// only ones the traces use), the numbers exact to the last digit as printf
// makes them but without its slow way there. A null file writes nothing.
inline void TracePrint(std::FILE* f, const char* format, std::initializer_list<TraceArg> args)
{
    if (!f)
        return;
    std::string line;
    auto arg = args.begin();
    for (const char* p = format; *p; ++p) {
        if (p[0] == '%' && (p[1] == 'f' || p[1] == 's') && arg != args.end()) {
            if (p[1] == 'f' && AppendFixed6(line, arg->number)) {
            } else if (p[1] == 'f') {
                char buf[400];
                const auto r = std::to_chars(buf, buf + sizeof buf, arg->number, std::chars_format::fixed, 6);
                line.append(buf, r.ptr);
            } else {
                line += arg->text ? arg->text : "(null)";
            }
            ++arg;
            ++p;
        } else {
            line += *p;
        }
    }
    std::fwrite(line.data(), 1, line.size(), f);
}

// Frees the global station records however a run ends.
struct StationRecordsGuard {
    StationRecordsGuard() = default;
    StationRecordsGuard(const StationRecordsGuard&) = delete;
    StationRecordsGuard& operator=(const StationRecordsGuard&) = delete;
    ~StationRecordsGuard() { FreeStationRecords(); }
};

inline void OpenIfClosed(db::Table* t)
{
    if (!t->Active())
        t->Open();
}

// Opens the table with no row in it (a new job's working table).
inline void OpenEmpty(db::Table* t)
{
    OpenIfClosed(t);
    if (!t->IsEmpty()) {
        t->Close();
        t->EmptyTable();
        t->Open();
    }
}

// Puts the current row into edit state unless it is already being edited.
inline void EditIfBrowsing(db::Table* t)
{
    if (t->State() != db::DataSetState::Edit && t->State() != db::DataSetState::Insert)
        t->Edit();
}

// Posts the current row when it is being edited or inserted.
inline void PostIfEditing(db::Table* t)
{
    if (t->State() == db::DataSetState::Edit || t->State() == db::DataSetState::Insert)
        t->Post();
}

// Writes v as fixed-point text: rounded to `precision` significant digits,
// shown with `digits` decimals, so the field holds the rounded value. A
// number field is given the number the text reads as, without the text.
inline void SetFixed(db::Field* f, double v, int precision, int digits)
{
    if (f->DataType() == db::FieldType::Number)
        f->SetAsFloat(FixedValue(v, precision, digits));
    else
        f->SetAsString(FixedText(v, precision, digits));
}

// The friction-method text stored with a reach's results ("Hazen Williams,
// C = 150"). `separator` follows the flow regime and the Reynolds number of
// the Darcy-Weisbach text; `cPrecision` is the count of significant digits of
// the Hazen-Williams C. Empty for an unknown method code: the caller then
// leaves its field alone.
inline QString FrictionMethodText(int method, double n, double c, const QString& flowType, double re,
                                  double f, const QString& separator = QStringLiteral(",  "),
                                  int cPrecision = 5)
{
    switch (method) {
    case kMethodManning:
        return QStringLiteral("Mannings, n = ") + FixedText(n, 6, 3);
    case kMethodHazenWilliams:
        return QStringLiteral("Hazen Williams, C = ") + FixedText(c, cPrecision, 0);
    case kMethodDarcyWeisbach:
        return QStringLiteral("Darcy Weisbach, ") + flowType + separator + QStringLiteral("Re=")
               + FixedText(re, 10, 0) + separator + QStringLiteral("F=") + FixedText(f, 7, 5);
    default:
        return QString();
    }
}

// The station whose surge sizes the air valves: the fastest whose pipe has a
// modulus and a rating, the first of equal velocities; null when none has.
inline const TSta* SurgeStation(TSta* const* sta, int n)
{
    const TSta* best = nullptr;
    double fastest = 0.0;
    for (int k = 0; k < n; ++k) {
        const TSta* s = sta[k];
        if (s->Modulus > 0 && s->PressurRating > 0 && s->vel > fastest) {
            fastest = s->vel;
            best = s;
        }
    }
    return best;
}

// Station k of n needs an air-vacuum valve at either end of the line, at a
// high point, and before a fall steeper than 0.3249 ft per ft to the next
// station (a reach without length has no slope).
inline bool NeedsAirValve(TSta* const* sta, int n, int k)
{
    constexpr double kSteepFall = 0.3249;
    if (k == 0 || k == n - 1 || sta[k]->HighPointDiaIn > 0)
        return true;
    const TSta* s = sta[k];
    const TSta* d = sta[k + 1];
    return d->PipeLength > 0 && (s->InvertElev - d->InvertElev) / d->PipeLength > kSteepFall;
}

// The reach that leaves station s for station d, written into the current
// WorkProfTable row: its friction loss, friction method and length. An
// unknown method code leaves the method text as it was.
inline void WriteLeavingReach(const TSta* s, const TSta* d, int cPrecision)
{
    SetFixed(DMod->WorkProfTableFloss, d->Floss, 6, 3);
    const QString method = FrictionMethodText(d->FrictionMethodUsed, s->Nfac, s->Cfac, d->FlowType,
                                              d->Re, d->F, QStringLiteral(", "), cPrecision);
    if (!method.isEmpty())
        DMod->WorkProfTableCalcMethod->SetAsString(method);
    DMod->WorkProfTableRchLen->SetAsFloat(Finite(d->Station - s->Station));
}

// Sets Tul->SurgePsi from the surge station; keeps it when there is none.
inline void FindSurgePsi(TSta* const* sta, int n)
{
    if (const TSta* s = SurgeStation(sta, n))
        Tul->SurgePsi = Finite(Hyd->SurgePressure(s->Modulus, s->DiaIn, s->WallThick, s->vel));
}

// Writes what the gravity and pumped runs store alike into the current
// WorkProfTable row of station k of n: station text, length of the reach that
// arrives, minor loss, velocity, pressure, grade lines and air-valve size;
// the end row's pipe is emptied unless the line ends in gated pipe (SysHas 1)
// or is a manifold job (SysHas 4).
inline void WriteStationResults(TSta* const* sta, int n, int k)
{
    const TSta* s = sta[k];
    DMod->WorkProfTableTSta->SetAsString(Hyd->StationText(s->Station));
    DMod->WorkProfTablePipeLength->SetAsFloat(k == 0 ? 0.0 : Finite(s->Station - sta[k - 1]->Station));
    SetFixed(DMod->WorkProfTableKloss, s->Kloss, 6, 3);
    SetFixed(DMod->WorkProfTableVel, s->vel, 6, 2);
    SetFixed(DMod->WorkProfTablePsi, s->Psi, 6, 2);
    SetFixed(DMod->WorkProfTableHgl, s->Hgl, 6, 2);
    SetFixed(DMod->WorkProfTableEgl, s->Egl, 6, 2);
    DMod->WorkProfTableAirVacSize->SetAsFloat(
        NeedsAirValve(sta, n, k) ? Finite(Hyd->ValveSize(s->DiaIn, Tul->SurgePsi)) : 0.0);
    if (k == n - 1 && Tul->SysHas != 1 && Tul->SysHas != 4) {
        DMod->WorkProfTablePipeType->SetAsString(QString());
        DMod->WorkProfTableDownStreamPipeDescription->SetAsString(QString());
    }
}

// The station's warning as stored, with the surge text when its surge is
// above 2.5 x the pipe rating. `surge` receives the station's own surge
// pressure when its pipe has a modulus and a rating; the result says whether.
inline bool StationSurge(const TSta* s, double& surge, QString& warning)
{
    warning = s->Warning;
    if (!(s->Modulus > 0 && s->PressurRating > 0))
        return false;
    surge = Finite(Hyd->SurgePressure(s->Modulus, s->DiaIn, s->WallThick, s->vel));
    if (surge > 2.5 * s->PressurRating)
        warning += QStringLiteral(
            " WARNING ... Analyze surge.  Surge pressure greater than 2.5 x pipe rating.");
    return true;
}

// A run whose pump could not be sized stores no half-computed line: the pump
// values are cleared, and the rows whose station says why get that text.
inline void StoreSizingRefusal(TSta* const* sta, int n, const QString& why)
{
    db::Table* pipe = DMod->WorkPipeTable;
    OpenIfClosed(pipe);
    pipe->Edit();
    for (db::Field* f : {DMod->WorkPipeTableTDH, DMod->WorkPipeTableWHP, DMod->WorkPipeTableBHP})
        SetFixed(f, 0.0, 6, 2);
    DMod->WorkPipeTableMotorHP->SetAsString(QString());
    pipe->Post();
    db::Table* prof = DMod->WorkProfTable;
    OpenIfClosed(prof);
    for (int k = 0; k < n; ++k) {
        if (sta[k]->Warning != why || !prof->Locate(QStringLiteral("Station"), sta[k]->Station))
            continue;
        prof->Edit();
        DMod->WorkProfTableWarning->SetAsString(why);
        prof->Post();
    }
}
