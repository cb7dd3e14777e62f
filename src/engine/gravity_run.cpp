#include "engine/gravity_run.h"

#include "engine/gated_pipe_run.h"
#include "engine/hydraulics.h"
#include "engine/run_steps.h"
#include "model/data_module.h"
#include "model/number_text.h"
#include "model/station.h"
#include "model/job.h"
#include "platform/db/db.h"
#include "platform/ui/seam/msg.h"

#include <QStringList>

#include <cmath>
#include <memory>
#include <vector>

TGrav* Grav = nullptr;

void CreateGravObject() { CreateSingleObject(Grav); }

void DeleteGravObject() { DeleteSingleObject(Grav); }

namespace {

const bool gravObjectCreated = (CreateGravObject(), true);

// A gravity end closer than this to the entrance may not run full.
constexpr double kShortPipeFt = 300.0;

const QString kShortPipeEnd =
    QStringLiteral(" WARNING .. Short pipe, may not be full pipe flow, check by hand");
const QString kShortPipeGated =
    QStringLiteral("WARNING .. Short pipe, may not be full pipe flow, check by hand");
const QString kNotSubmerged =
    QStringLiteral("WARNING .. Pipe entrance not submerged, deepen pipe or raise WS");
const QString kHglBelowOutlet =
    QStringLiteral("ERROR .. Can't get this much flow through pipe!!!  HGL is below OutletElev!");
const QString kOutletPressureLow =
    QStringLiteral("WARNING ..  Pressure at outlet elevation is lower than required pressure.");
const QString kHglBelowPipe = QStringLiteral("ERROR .. Hydraulic gradeline is below top of pipe!");
const QString kManifoldBelowPipe = QStringLiteral(
    " ERROR: HGL is below high point in manifold pipeline.  You MUST make changes.");
const QString kManifoldHeadLow = QStringLiteral(
    " WARNING: Minimum manifold pressure has not been met. Review hydraulic profile.");
const QString kNoBoosterStation = QStringLiteral(
    "ERROR .. In-line booster not sized: no in-line booster node has a set pressure. "
    "Give the booster node its outlet pressure, or -1 to have it found.");
const QString kNoPumpEfficiency = QStringLiteral(
    "WARNING .. The pump efficiency is 0, so the booster's brake horsepower and motor size "
    "can't be found. Enter the pump efficiency.");

double VelocityHead(double v)
{
    return v * v / 64.4;
}

QString Ft(double x)
{
    return QString::number(Finite(x), 'f', 2);
}

QString StaName(const TSta* s)
{
    return QStringLiteral("Sta ") + Hyd->StationText(s->Station);
}

QByteArray Text(const QString& s)
{
    return s.toLocal8Bit();
}

// The booster's pressure was not found: the line below needs no pressure
// at its outlet.
QString BoosterNotFoundText(const TSta* b)
{
    return QStringLiteral("ERROR .. In-line booster at ") + StaName(b)
           + QStringLiteral(" not sized: the line below needs only HGL ") + Ft(b->Hgl)
           + QStringLiteral(" ft there, not above its invert of ") + Ft(b->InvertElev)
           + QStringLiteral(" ft, so it has no outlet pressure to find. Give it a set pressure, "
                            "or make the node in line.");
}

// The booster's outlet grade is no higher than the grade the line brings it.
QString BoosterAddsNoHeadText(const TSta* b, double arrivingHgl, double outletHgl)
{
    return QStringLiteral("ERROR .. In-line booster at ") + StaName(b)
           + QStringLiteral(" not sized: the line reaches it with HGL ") + Ft(arrivingHgl)
           + QStringLiteral(" ft, at or above the ") + Ft(outletHgl)
           + QStringLiteral(" ft its outlet needs, so it adds no head. Make the node in line, "
                            "or give it a higher set pressure.");
}

// Station s lifts the line: a booster node of an in-line booster job.
bool IsBooster(const TSta* s)
{
    return Tul->PumpTypeCode == kPumpInlineBooster && s->NodeType == kBoosterNode;
}

// A booster's outlet pressure is given (above 0) or left to be found (-1).
bool BoosterPressureEntered(const TSta* b)
{
    return b->PsiSet > 0 || b->PsiSet == -1;
}

QString BoosterUnsetText(const TSta* b)
{
    return QStringLiteral("ERROR .. In-line booster not sized: the booster node at ") + StaName(b)
           + QStringLiteral(" has no set pressure. Give it its outlet pressure, or -1 to have it found.");
}

double BoosterHead(const TSta* b, double arrivingEgl)
{
    return ::BoosterHead(b->vel, b->PsiSet, b->InvertElev, arrivingEgl);
}

} // namespace

double BoosterHead(double vel, double outletPsi, double invert, double arrivingEgl)
{
    return VelocityHead(vel) + kGravFtPerPsi * outletPsi + invert - arrivingEgl;
}

RunStatus TGrav::RunGravityProfile()
{
    OpenIfClosed(DMod->WorkPipeTable);
    BoosterRerun = false;
    BoosterIndex = 0;
    BoosterHgl = 0.0;
    TrickleHglMargin = 0.0;
    passStopped_ = false;
    messagedBefore_ = 0;
    toldSetTooLow_.clear();
    boosterRefusal_.clear();
    Tul->SurgePsi = 0.0;
    ClearPumpResults();

    OpenIfClosed(DMod->WorkProfTable);
    Tul->NumNodes = DMod->WorkProfTable->RecordCount();
    if (const QString why = StationCountRefusal(Tul->NumNodes); !why.isEmpty())
        return NotComputedStatus(why);
    const int n = Tul->NumNodes;
    const FrictionFaultWatch friction;
    RunStatus status;

    // One transaction for the renumbering and every result row.
    db::Transaction tx(db::kMersolAlias);
    {
        StationRecordsGuard recordsGuard;
        CreateStationRecords(n);
        // The trace is a diagnostic: without it the run goes on.
        TraceFile trace = OpenTraceFile("GravFlow.txt");

        Tul->LoadJobFromWorkTables(psta, n);
        TSta** sta = psta;
        if (const QString why = NegativeFlowRefusal(sta, n, QStringLiteral("ERROR .. ")); !why.isEmpty())
            return NotComputedStatus(why);
        InletComps(sta[0], trace.get());
        EndComp(sta[n - 1], sta[n - 2], sta[0], trace.get());
        FinalComp(sta, trace.get());
        if (BoosterRerun) {
            std::vector<double> entered(static_cast<size_t>(n));
            for (int i = 0; i < n; ++i)
                entered[size_t(i)] = sta[i]->PsiSet;
            // A pass stops at the first booster still at -1: each is found in
            // turn, from the top, until a pass runs through.
            while (passStopped_) {
                TSta* b = sta[BoosterIndex];
                const double arrivingEgl = b->Egl;
                BackwardFromOutlet(sta, trace.get());
                // Without a pressure found, or with one the line already
                // brings, the next pass would size nothing: it is not run.
                if (b->PsiSet == -1) {
                    SkipBoosterSizing(BoosterNotFoundText(b), b);
                    break;
                }
                if (RefusedForNoHead(b, arrivingEgl))
                    break;
                FinalComp(sta, trace.get());
            }
            // A refused booster keeps the -1 the user entered.
            if (!boosterRefusal_.isEmpty())
                for (int i = 0; i < n; ++i)
                    sta[i]->PsiSet = entered[size_t(i)];
        }
        trace.reset();

        // A line whose booster could not be sized has no results to store:
        // half of it would be the backward pass's.
        if (!boosterRefusal_.isEmpty()) {
            StoreSizingRefusal(sta, n, boosterRefusal_);
            tx.Commit();
            return NotComputedStatus(boosterRefusal_);
        }
        status.unsaid = WriteProfileResults(sta, n);
    }
    if (TrickleHglMargin != 0.0)
        CheckTrickleManifold(TrickleHglMargin);
    tx.Commit();
    friction.Into(status);

    // A line that ends in gated pipe goes on with the gated-pipe run.
    if (Tul->SysHas == 1 && Gated)
        status.Take(Gated->RunGatedPipe());
    return status;
}

void TGrav::InletComps(TSta* s0, std::FILE* trace)
{
    s0->PipeLength = 0.0;
    s0->Kloss = 0.0;
    for (int slot = 0; slot < 3; ++slot)
        s0->Kloss += Tul->StationVelocityHeadLoss(slot, *s0, *s0, true);
    if (Tul->PumpTypeCode != 0)
        s0->Kloss += Tul->ColumnLoss;
    if (trace)
        TracePrint(trace, "InletComps Sta= %s, Kloss = %f, psta1->vel= %f\n\n",
                   {Text(s0->StaText).constData(), Finite(s0->Kloss), Finite(s0->vel)});
}

void TGrav::SegComp(TSta* s, TSta* u, std::FILE* trace)
{
    s->PipeLength = s->Station - u->Station;
    s->Floss = Hyd->FrictionLoss(u->DiaIn, u->PipeQ, s->PipeLength, u->Efac, u->Cfac, u->Nfac,
                                 s->Re, s->FlowType, s->F);
    s->FrictionMethodUsed = Tul->FrictionMethodUsed;
    s->Kloss = 0.0;
    for (int slot = 0; slot < 3; ++slot)
        s->Kloss += Tul->StationVelocityHeadLoss(slot, *s, *u, false);
    if (trace)
        TracePrint(trace, "SegComp Sta= %f, Q= %f, Floss = %f, Kloss = %f, psta->vel= %f\n",
                   {Finite(s->Station), Finite(s->PipeQ), Finite(s->Floss), Finite(s->Kloss), Finite(s->vel)});
}

void TGrav::EndComp(TSta* l, TSta* p, TSta* f, std::FILE* trace)
{
    // The reach into the end node, without SegComp's trace line.
    SegComp(l, p, nullptr);
    l->Nfac = p->Nfac;
    l->Cfac = p->Cfac;
    l->Efac = p->Efac;

    switch (l->ReachCode) {
    case kReachPumpEnd:
    case kReachPumpGated:
    case kReachPumpTrickle: {
        if (l->ReachCode == kReachPumpEnd) {
            l->Hgl = kGravFtPerPsi * Tul->OutletPsi + Tul->OutletElev;
        } else if (l->ReachCode == kReachPumpGated) {
            l->Hgl = Tul->ClearHead + Tul->OutletElev;
        } else {
            TrickleHglMargin = 0.0;
            OpenIfClosed(DMod->WorkPipeTable);
            l->Hgl = DMod->WorkPipeTableTriclEntHgl->AsFloat();
        }
        l->Psi = (l->Hgl - l->InvertElev) * kPsiPerFt;
        const double setPsi = l->ReachCode == kReachPumpTrickle ? 0.0 : l->PsiSet;
        if (Tul->CheckPressureRatings(kAtEnd, setPsi, l->Psi, p->PressurRating, 0.0, l->Warning) == 1)
            Warn(l->Warning);
        l->vel = PipeVelocity(l->PipeQ, l->DiaIn);
        break;
    }
    case kReachGravEnd:
    case kReachGravGated:
        if (l->Station - f->Station < kShortPipeFt
            && 0.75 * l->DiaIn * (1.0 / 12.0) + l->InvertElev > Tul->OutletElev) {
            l->Warning = l->ReachCode == kReachGravEnd ? kShortPipeEnd : kShortPipeGated;
            Warn(l->Warning);
        }
        break;
    default:
        break;
    }
    if (trace)
        TracePrint(trace, "EndComp Sta= %f, Q= %f, Floss = %f, Kloss = %f, psta->vel= %f\n\n",
                   {Finite(l->Station), Finite(l->PipeQ), Finite(l->Floss), Finite(l->Kloss), Finite(l->vel)});
}

void TGrav::FinalComp(TSta** sta, std::FILE* trace)
{
    enum class Grade { WaterSurface, SetPressure, Booster };
    const int n = Tul->NumNodes;
    const int pump = Tul->PumpTypeCode;
    const bool pressureMain = pump == kPumpPressFind || pump == kPumpPressKnown;
    passStopped_ = false;
    bool boosterFound = false;
    // The reducer just above passes on less than its setting.
    bool starvedAbove = false;
    Grade grade = Grade::WaterSurface;
    // An earlier pass of this run that stopped at a booster has shown the
    // messages of the stations above it; they come out the same again.
    auto say = [this](int i, void (*show)(const QString&), const QString& text) {
        if (i >= messagedBefore_)
            show(text);
    };

    Tul->BoosterHgl = 0.0;
    if (Tul->SysTypeCode == 0 || Tul->SysTypeCode == 1)
        Tul->OffElev = Tul->WSElev;

    // The first of the highest inverts above the water surface.
    int highPoint = 0;
    double highest = Tul->WSElev;
    for (int i = 0; i < n; ++i) {
        if (sta[i]->InvertElev > highest) {
            highest = sta[i]->InvertElev;
            highPoint = i;
        }
    }

    TSta* s0 = sta[0];
    s0->vel = PipeVelocity(s0->PipeQ, s0->DiaIn);
    s0->Warning.clear();
    if (pump == kPumpPressKnown) {
        s0->Egl = kGravFtPerPsi * Tul->PsiIn + s0->InvertElev - s0->Kloss;
        s0->Sgl = s0->Egl;
    } else {
        s0->Egl = Tul->WSElev - s0->Kloss;
        s0->Sgl = Tul->WSElev;
    }
    const double hv0 = VelocityHead(s0->vel);
    s0->Hgl = s0->Egl - hv0;
    s0->Psi = (s0->Hgl - s0->InvertElev) * kPsiPerFt;
    s0->StatPres = (s0->Sgl - s0->InvertElev) * kPsiPerFt;
    if (!pressureMain
        && s0->DiaIn / 12.0 + s0->InvertElev + s0->Kloss + hv0 > Tul->WSElev) {
        s0->Warning = kNotSubmerged;
        say(0, Warn, s0->Warning);
    }
    if (Tul->CheckPressureRatings(kAtEntrance, s0->PsiSet, s0->Psi, 0.0, s0->PressurRating,
                                  s0->Warning) == 1)
        say(0, Warn, s0->Warning);
    if (trace)
        TracePrint(trace, "Finl1 Sta= %s, hgl= %f, psi = %f,\n psta[0]->vel = %f, v2/2g= %f, egl= %f\n\n",
                   {Text(s0->StaText).constData(), Finite(s0->Hgl), Finite(s0->Psi), Finite(s0->vel),
                    Finite(hv0), Finite(s0->Egl)});

    for (int i = 1; i < n; ++i) {
        TSta* s = sta[i];
        TSta* u = sta[i - 1];
        const bool last = i == n - 1;
        // The node's kind says whether it lifts or reduces the line.
        const bool booster = IsBooster(s);
        const bool reducer = IsReducer(s);
        bool starved = false;

        if (booster) {
            BoosterIndex = i;
            boosterFound = true;
        }
        if (!last) {
            const TSta* d = sta[i + 1];
            s->HighPointDiaIn =
                (s->InvertElev > u->InvertElev && s->InvertElev > d->InvertElev) ? s->DiaIn : 0.0;
        }
        s->vel = PipeVelocity(s->PipeQ, s->DiaIn);
        SegComp(s, u, trace);

        if (!IsBooster(u) && !IsReducer(u)) {
            s->Egl = u->Egl - s->Floss - s->Kloss;
        } else {
            // The line restarts from the set pressure upstream, or from what
            // a reducer reached by less passes on.
            s->Egl = (starvedAbove ? u->Egl : VelocityHead(u->vel) + kGravFtPerPsi * u->PsiSet + u->InvertElev)
                     - s->Floss - s->Kloss;
            Tul->OffElev = 0.0;
        }
        const double hv = VelocityHead(s->vel);
        s->Hgl = s->Egl - hv;

        if (booster) {
            if (!BoosterPressureEntered(s)) {
                SkipBoosterSizing(BoosterUnsetText(s), s);
                return;
            }
            grade = Grade::Booster;
            if (s->PsiSet == -1) {
                // Found by the backward pass; this pass ends here.
                BoosterRerun = true;
                passStopped_ = true;
                messagedBefore_ = i;
                return;
            }
            BoosterHgl = kGravFtPerPsi * s->PsiSet + s->InvertElev;
            Tul->BoosterHgl = BoosterHgl;
        } else if (reducer) {
            // A reducer reached by less than its setting passes that on,
            // whatever the entrance.
            const double setHgl = kGravFtPerPsi * s->PsiSet + s->InvertElev;
            starved = !last && ReducerStarved(s->Hgl, setHgl);
            if (!pressureMain) {
                grade = Grade::SetPressure;
                Tul->BoosterSgl = setHgl;
                Tul->BoosterHgl = starved ? s->Hgl : setHgl - hv;
            }
        }
        if (pressureMain)
            s->Sgl = s0->Egl;
        else if (grade == Grade::Booster)
            s->Sgl = i < highPoint ? Tul->WSElev : 0.0;

        switch (grade) {
        case Grade::SetPressure:
            s->StatPres = (Tul->BoosterSgl - s->InvertElev) * kPsiPerFt;
            break;
        case Grade::Booster:
            s->StatPres = i < highPoint ? (Tul->WSElev - s->InvertElev) * kPsiPerFt : 0.0;
            break;
        case Grade::WaterSurface:
            s->StatPres = (Tul->WSElev - s->InvertElev) * kPsiPerFt;
            break;
        }
        s->Psi = (s->Hgl - s->InvertElev) * kPsiPerFt;

        if (last) {
            Tul->EndPsi = (s->Hgl - Tul->OutletElev) * kPsiPerFt;
            if (Tul->CheckPressureRatings(kAtEnd, s->PsiSet, s->Psi, u->PressurRating,
                                          s->PressurRating, s->Warning) == 1)
                say(i, Warn, s->Warning);
            if (s->Hgl < Tul->OutletElev) {
                s->Warning = kHglBelowOutlet;
                say(i, Fail,
                    StaName(s) + QStringLiteral(" ") + s->Warning + QStringLiteral(" End HGL ") + Ft(s->Hgl)
                        + QStringLiteral(" ft against the outlet elevation of ") + Ft(Tul->OutletElev)
                        + QStringLiteral(" ft."));
            } else if (s->Hgl < kGravFtPerPsi * Tul->OutletPsi + Tul->OutletElev - 0.01) {
                s->Warning = kOutletPressureLow;
                say(i, Fail, s->Warning);
            }
        } else {
            if (Tul->CheckPressureRatings(kAtInnerNode, s->PsiSet, s->Psi, u->PressurRating,
                                          s->PressurRating, s->Warning) == 1)
                say(i, Warn, s->Warning);
            const double crown = s->DiaIn / 12.0 + s->InvertElev;
            if (s->Hgl < crown) {
                s->Warning = kHglBelowPipe;
                // The message names the station and the grades; the row holds
                // the text alone.
                say(i, Fail,
                    StaName(s) + QStringLiteral(" ") + s->Warning + QStringLiteral(" HGL ") + Ft(s->Hgl)
                        + QStringLiteral(" ft is ") + Ft(crown - s->Hgl) + QStringLiteral(" ft below the pipe crown at ")
                        + Ft(crown) + QStringLiteral(" ft."));
            }
            if (starved)
                say(i, Warn, AddReducerStarved(s, QStringLiteral("WARNING .. ")));
        }
        starvedAbove = starved;
        if (trace)
            TracePrint(trace, "Final int Sta= %s, hgl= %f, psi = %f,\n vel = %f, v2/2g= %f, egl= %f\n\n",
                       {Text(s->StaText).constData(), Finite(s->Hgl), Finite(s->Psi), Finite(s->vel),
                        Finite(hv), Finite(s->Egl)});
    }

    TSta* last = sta[n - 1];
    Tul->EndPsi = (last->Hgl - Tul->OutletElev) * kPsiPerFt;
    if (last->ReachCode == kReachGravTrickle) {
        OpenIfClosed(DMod->WorkPipeTable);
        TrickleHglMargin = last->Hgl - DMod->WorkPipeTableTriclEntHgl->AsFloat();
    }
    if (pump == kPumpInlineBooster) {
        if (boosterFound)
            SizeBoosters(sta);
        else
            SkipBoosterSizing(kNoBoosterStation, nullptr);
    }
}

void TGrav::SizeBoosters(TSta** sta)
{
    // Each booster lifts the flow of its own reach; the job's head and
    // horsepower are theirs added up.
    double head = 0.0, whp = 0.0, bhp = 0.0;
    QStringList motors;
    for (int i = 1; i < Tul->NumNodes; ++i) {
        TSta* b = sta[i];
        if (!IsBooster(b))
            continue;
        if (RefusedForNoHead(b, b->Egl))
            return;
        // From the values as the row stores them, so that the job's head is
        // the sum of the heads its rows give back to the page and reports.
        const double lift = ::BoosterHead(FixedValue(b->vel, 6, 2), FixedValue(b->PsiSet, 6, 3),
                                          Finite(b->InvertElev), FixedValue(b->Egl, 6, 2));
        const PumpSizing p = PumpFor(lift, b->PipeQ, Tul->PumpEffic);
        head += lift;
        whp += p.whp;
        bhp += p.bhp;
        motors << p.motor;
    }
    Tul->TDH = head;
    Tul->WHP = whp;
    Tul->BHP = bhp;
    if (Tul->PumpEffic > 0) {
        Tul->MotorSize = MotorsText(motors);
    } else {
        Tul->MotorSize.clear();
        Warn(kNoPumpEfficiency);
    }
}

bool TGrav::RefusedForNoHead(TSta* b, double arrivingEgl)
{
    // A booster whose outlet grade is no higher than the line brings it
    // would lift nothing: no head sizes no pump.
    if (BoosterHead(b, arrivingEgl) > kNoHeadFt)
        return false;
    SkipBoosterSizing(BoosterAddsNoHeadText(b, arrivingEgl - VelocityHead(b->vel),
                                            kGravFtPerPsi * b->PsiSet + b->InvertElev),
                      b);
    return true;
}

void TGrav::SkipBoosterSizing(const QString& why, TSta* booster)
{
    ClearPumpResults();
    if (booster)
        booster->Warning = why;
    boosterRefusal_ = why;
    Fail(why);
}

void TGrav::BackwardFromOutlet(TSta** sta, std::FILE* trace)
{
    const int n = Tul->NumNodes;
    // The energy grade the station below needs where its reach arrives.
    double belowEgl = 0.0;
    for (int i = n - 1; i >= 1; --i) {
        TSta* s = sta[i];
        const bool last = i == n - 1;
        const bool booster = IsBooster(s);
        s->vel = PipeVelocity(s->PipeQ, s->DiaIn);
        const double hv = VelocityHead(s->vel);
        if (last) {
            s->Hgl = kGravFtPerPsi * Tul->OutletPsi + Tul->OutletElev;
            Tul->PinnedEndHgl = s->Hgl;
            SegComp(s, sta[i - 1], trace);
            s->Egl = hv + s->Hgl;
        } else {
            const TSta* d = sta[i + 1];
            SegComp(s, sta[i - 1], trace);
            s->Egl = belowEgl + d->Floss + d->Kloss;
            s->Hgl = s->Egl - hv;
            if (IsReducer(s)) {
                // A pressure reducer gives the line below its setting, no
                // more: the line above must bring it at least that much.
                const double setHgl = kGravFtPerPsi * s->PsiSet + s->InvertElev;
                // Each booster found in turn passes here again: said once.
                if (s->Hgl > setHgl + 0.01 && toldSetTooLow_.insert(i).second) {
                    s->Warning = QStringLiteral("WARNING .. ") + ReducerSetTooLowText(s->Hgl, setHgl, s->PsiSet);
                    Warn(StaName(s) + QStringLiteral(" ") + s->Warning);
                }
                s->Hgl = setHgl;
                s->Egl = hv + s->Hgl;
            }
            // Keep the clearance head above the pipe crown, at the booster too.
            const double clear = s->DiaIn / 12.0 + s->InvertElev + Tul->ClearHead;
            if (clear >= s->Hgl) {
                s->Hgl = clear;
                s->Egl = hv + s->Hgl;
            }
        }
        s->Psi = (s->Hgl - s->InvertElev) * kPsiPerFt;

        // Only the booster left at -1 takes the pressure found; what the
        // user set stays.
        if (i == BoosterIndex && s->PsiSet == -1 && s->Psi > 0)
            s->PsiSet = s->Psi;
        // Above a booster the line needs only to keep the booster's inlet
        // full with its clearance: the booster lifts the line below.
        belowEgl = booster && !last ? hv + s->DiaIn / 12.0 + s->InvertElev + Tul->ClearHead : s->Egl;
    }
}

QStringList TGrav::WriteProfileResults(TSta** sta, int n)
{
    QStringList unsaid;
    db::Table* pipe = DMod->WorkPipeTable;
    OpenIfClosed(pipe);
    pipe->Edit();
    SetFixed(DMod->WorkPipeTableOffElev, Tul->OffElev, 6, 2);
    SetFixed(DMod->WorkPipeTableOnElev, Tul->OnElev, 6, 2);
    SetFixed(DMod->WorkPipeTableTDH, Tul->TDH, 6, 2);
    SetFixed(DMod->WorkPipeTableWHP, Tul->WHP, 6, 2);
    SetFixed(DMod->WorkPipeTableBHP, Tul->BHP, 6, 2);
    DMod->WorkPipeTableMotorHP->SetAsString(Tul->MotorSize);
    const double outletPsi = DMod->WorkPipeTableOutletPsi->AsFloat();
    if (outletPsi == 1.0)
        SetFixed(DMod->WorkPipeTableReqOutletWS,
                 DMod->WorkPipeTableOutletElev->AsFloat() + kGravFtPerPsi * outletPsi, 6, 2);
    pipe->Post();

    FindSurgePsi(sta, n);

    db::Table* prof = DMod->WorkProfTable;
    OpenIfClosed(prof);
    for (int k = 0; k < n; ++k) {
        const TSta* s = sta[k];
        const TSta* d = k < n - 1 ? sta[k + 1] : nullptr;

        // A row that is not there is left alone rather than written elsewhere.
        if (!prof->Locate(QStringLiteral("Station"), s->Station))
            continue;
        prof->Edit();

        WriteStationResults(sta, n, k);
        DMod->WorkProfTableInvertElev->SetAsFloat(Finite(s->InvertElev));
        SetFixed(DMod->WorkProfTableSgl, s->Sgl, 6, 2);
        SetFixed(DMod->WorkProfTablePsiSet, s->PsiSet, 6, 3);
        DMod->WorkProfTableStatPres->SetAsFloat(Finite(s->StatPres));

        double surge = 0.0;
        QString warning;
        if (StationSurge(s, surge, warning))
            DMod->WorkProfTableSurge->SetAsFloat(surge);
        // By the fitting and soil of this row.
        const double area = d ? Hyd->ThrustBlockArea(s->DiaIn, d->DiaIn)
                              : Hyd->ThrustBlockArea(sta[k - 1]->DiaIn, 0.0);
        SetFixed(DMod->WorkProfTableThBlockArea,
                 ThrustBlockAreaAt(area, s->Psi, warning, QStringLiteral("ERROR .. ")), 6, 2);
        DMod->WorkProfTableWarning->SetAsString(warning);
        NoteUnsaid(s, warning, unsaid);

        if (d)
            WriteLeavingReach(s, d, 5);
        prof->Post();
    }
    prof->Close();
    return unsaid;
}

void TGrav::CheckTrickleManifold(double margin)
{
    db::Table* t = DMod->WorkTrickleTable;
    OpenIfClosed(t);
    const int n = t->RecordCount();
    t->First();
    double upRating = 0.0;
    for (int k = 0; k < n; ++k) {
        QString warning;
        // On screen each message names its node: several nodes may say the same.
        const QString where =
            QStringLiteral("At manifold station ") + Hyd->StationText(DMod->WorkTrickleTableStation->AsFloat())
            + QStringLiteral(": ");
        const double egl = DMod->WorkTrickleTableEgl->AsFloat();
        const double hgl = DMod->WorkTrickleTableHgl->AsFloat();
        const double invert = DMod->WorkTrickleTableInvertElev->AsFloat();
        const double rowRating = DMod->WorkTrickleTablePressurRating->AsFloat();
        const double rating = k < n - 2 ? rowRating : 0.0;
        const double newEgl = margin + egl;
        const double newHgl = margin + hgl;
        const double psi = (newHgl - invert) * kPsiPerFt;

        int flagged = 0;
        if (k == 0) {
            if (rating > 0)
                flagged = Tul->CheckPressureRatings(kAtManifoldStart, 0.0, psi, 0.0, rating, warning);
        } else if (k == n - 1) {
            flagged = Tul->CheckPressureRatings(kAtEnd, 0.0, psi, upRating, 0.0, warning);
        } else {
            flagged = Tul->CheckPressureRatings(kAtInnerNode, 0.0, psi, upRating, rating, warning);
        }
        if (flagged > 0)
            Warn(where + warning.trimmed());
        if (k > 0)
            upRating = rowRating;

        const double top = invert + DMod->WorkTrickleTableDiaIn->AsFloat() / 12.0;
        if (newHgl < top) {
            warning += kManifoldBelowPipe;
            Fail(where + warning.trimmed());
        } else if (newHgl < top + Tul->TriclMinHead) {
            warning += kManifoldHeadLow;
            Warn(where + warning.trimmed());
        }

        EditIfBrowsing(t);
        DMod->WorkTrickleTableWarning->SetAsString(warning);
        SetFixed(DMod->WorkTrickleTableEgl, newEgl, 6, 2);
        SetFixed(DMod->WorkTrickleTableHgl, newHgl, 6, 2);
        SetFixed(DMod->WorkTrickleTablePsi, psi, 6, 2);
        t->Post();
        t->Next();
    }
}
