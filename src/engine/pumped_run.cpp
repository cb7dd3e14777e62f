#include "engine/pumped_run.h"

#include "engine/gated_pipe_run.h"
#include "engine/gravity_run.h"
#include "engine/hydraulics.h"
#include "engine/run_steps.h"
#include "model/data_module.h"
#include "model/number_text.h"
#include "model/station.h"
#include "model/job.h"
#include "platform/db/db.h"

TPump* Pump = nullptr;

void CreatePumpObject() { CreateSingleObject(Pump); }

void DeletePumpObject() { DeleteSingleObject(Pump); }

namespace {

const bool pumpObjectCreated = (CreatePumpObject(), true);

// What the line's end carries (Tul->SysHas).
constexpr int kEndsInGatedPipe = 1;
constexpr int kEndsInManifold = 2;

// Off pressure of a pressure tank: at or above this no tank will do, above
// the lower one a special tank is needed.
constexpr double kOffPsiLimit = 150.0;
constexpr double kOffPsiSpecialTank = 110.0;

const QString kPlasticVelocity =
    QStringLiteral("WARNING.. Velocity greater than 5.0 ft/sec in plastic pipe");
const QString kNoPumpEfficiency = QStringLiteral(
    "WARNING.. The pump efficiency is 0, so the brake horsepower and motor size can't be "
    "found. Enter the pump efficiency.");

double VelocityHead(double v)
{
    return v * v * kVelHeadFactor;
}

// Elevation of the pipe crown.
double Top(const TSta* s)
{
    return s->DiaIn * (1.0 / 12.0) + s->InvertElev;
}

// Crown plus the clearance head the grade line must keep above it.
double Clear(const TSta* s)
{
    return Top(s) + Tul->ClearHead;
}

double PsiAt(const TSta* s)
{
    return (s->Hgl - s->InvertElev) * kPsiPerFt;
}

// One trace line of a station's number values.
template <typename... V>
void Trace(std::FILE* trace, const char* format, V... values)
{
    if (trace)
        TracePrint(trace, format, {Finite(values)...});
}

// A rating check whose warning is shown at once, named by a station.
void CheckRatings(int position, double setPsi, double linePsi, double upRating,
                  double downRating, QString& warning, const QString& staText)
{
    if (Tul->CheckPressureRatings(position, setPsi, linePsi, upRating, downRating, warning) == 1)
        Warn(QStringLiteral("Sta ") + staText + QStringLiteral(" ") + warning);
}

// A run needs a pipe on every reach: a node without an inside diameter would
// divide its flow by a zero area. Says which reach has none; empty when
// every reach has one.
QString PipesRefusal(TSta** sta, int n)
{
    for (int i = 0; i < n - 1; ++i) {
        if (!(sta[i]->DiaIn > 0)) {
            const QString why = QStringLiteral("ERROR.. The pipe leaving Sta ") + Hyd->StationText(sta[i]->Station)
                                + QStringLiteral(" has no inside diameter. Choose a pipe for this reach before "
                                                 "computing.");
            Fail(why);
            return why;
        }
    }
    return QString();
}

// Each middle node's reach carries what arrives, with the node's inflow
// added and its outflow taken, as the profile carries its flows; the
// entrance and the end keep the flows their rows hold.
void CarryStationFlows(TSta** sta, int n)
{
    for (int i = 1; i < n - 1; ++i)
        sta[i]->PipeQ = sta[i - 1]->PipeQ + sta[i]->InQ - sta[i]->OutQ;
}

// The booster's inlet already gives the line what it needs at the pump.
QString NoBoostText(double needEgl, double inletEgl, double psiIn, double eye)
{
    auto ft = [](double x) { return QString::number(Finite(x), 'f', 2); };
    return QStringLiteral("ERROR.. Booster pump not sized: the line needs an energy grade of ") + ft(needEgl)
           + QStringLiteral(" ft at the pump, and its inlet pressure of ") + ft(psiIn)
           + QStringLiteral(" psi at the eye (") + ft(eye) + QStringLiteral(" ft) gives ") + ft(inletEgl)
           + QStringLiteral(" ft, so the line needs no boost. Compute it as a pressurised main of known pressure.");
}

// What a pump of this code is called in its refusal.
QString PumpName(int pump)
{
    switch (pump) {
    case kPumpCentrif:
        return QStringLiteral("Centrifugal pump");
    case kPumpPropeller:
        return QStringLiteral("Propeller pump");
    case kPumpAuto:
        return QStringLiteral("Pressure tank pump");
    case kPumpInlineBooster:
        return QStringLiteral("In-line booster pump");
    default:
        return QStringLiteral("Turbine pump");
    }
}

// The water the pump draws from already gives the line what it needs at the
// pump: a head of none or below zero lifts nothing.
QString NoPumpText(int pump, double needEgl, double supplyEgl)
{
    auto ft = [](double x) { return QString::number(Finite(x), 'f', 2); };
    return QStringLiteral("ERROR.. ") + PumpName(pump) + QStringLiteral(" not sized: the line needs an energy grade of ")
           + ft(needEgl) + QStringLiteral(" ft at the pump, and the water surface at ") + ft(Tul->WSElev)
           + QStringLiteral(" ft gives ") + ft(supplyEgl)
           + QStringLiteral(" ft there, so the line needs no pump. Compute it as a gravity system, known flow.");
}

// Off-pressure limits of a pressure tank, head, horsepower and motor. Says
// why the pump is not needed, empty when it is sized: a booster whose inlet,
// or any other pump whose water surface, gives the line its head sizes none.
QString SizePump(TSta** sta)
{
    TSta* s0 = sta[0];
    const double off = (Tul->OffElev - Tul->PumpEyeElev) * kPsiPerFt;
    if (Tul->TankRange > 0) {
        const QString s = FixedText(off, 6, 2);
        if (off >= kOffPsiLimit) {
            s0->Warning = QStringLiteral("ERROR.. Off pressure of ") + s
                          + QStringLiteral(" is over 150 psi.  Do Not use a pressure tank system.");
            Fail(s0->Warning);
        } else if (off > kOffPsiSpecialTank) {
            s0->Warning = QStringLiteral("WARNING.. Off pressure of ") + s
                          + QStringLiteral(" is over 110 psi.  A special pressure tank is required.");
            Warn(s0->Warning);
        }
    }

    const double egl0 = s0->Egl;
    const int pump = Tul->PumpTypeCode;
    switch (pump) {
    case kPumpCentrif:
        OpenIfClosed(DMod->WorkPipeTable);
        Tul->TDH = egl0 - Tul->PumpEyeElev + DMod->WorkPipeTableTDSH->AsFloat()
                   - VelocityHead(s0->vel);
        break;
    case kPumpPropeller:
        Tul->TDH = egl0 - Tul->WSElev + Tul->ColumnLoss;
        break;
    case kPumpBooster: {
        // The booster's inlet pressure and eye as stored in the header row.
        OpenIfClosed(DMod->WorkPipeTable);
        const double psiIn = DMod->WorkPipeTablePsiIn->AsFloat();
        const double eye = DMod->WorkPipeTablePumpEyeElev->AsFloat();
        const double inletEgl = kFtPerPsi * psiIn + eye;
        if (!(egl0 - inletEgl > kNoHeadFt)) {
            ClearPumpResults();
            return NoBoostText(egl0, inletEgl, psiIn, eye);
        }
        Tul->TDH = egl0 - inletEgl;
        break;
    }
    case kPumpPressFind:
        Tul->PsiIn = (egl0 - s0->InvertElev) * kPsiPerFt;
        return QString();
    default:
        Tul->TDH = egl0 - Tul->WSElev;
        break;
    }
    if (pump == kPumpNone || pump == kPumpPressKnown)
        return QString();
    if (!(Tul->TDH > kNoHeadFt)) {
        const QString why = NoPumpText(pump, egl0, egl0 - Tul->TDH);
        ClearPumpResults();
        return why;
    }

    SizePumpMotor(s0->PipeQ, kNoPumpEfficiency);
    return QString();
}

} // namespace

RunStatus TPump::RunPumpCalc()
{
    OpenIfClosed(DMod->WorkPipeTable);
    OpenIfClosed(DMod->WorkProfTable);
    Tul->NumNodes = DMod->WorkProfTable->RecordCount();
    Tul->PinnedEndHgl = 0.0;
    // A job without a surge station must not size its valves from the
    // previous job's surge.
    Tul->SurgePsi = 0.0;
    ClearPumpResults();
    if (const QString why = StationCountRefusal(Tul->NumNodes); !why.isEmpty())
        return NotComputedStatus(why);
    const FrictionFaultWatch friction;
    RunStatus status;

    db::Transaction tx(db::kMersolAlias);
    // The trace is a diagnostic: without it the run goes on.
    TraceFile trace = OpenTraceFile("pumpFlow.txt");

    // More head at the gated pipe's start or the manifold's entrance than a
    // pass leaves at the line's end (as its row stores it): the line is
    // computed again with the end grade held there.
    auto pinnedEndGrade = [](double endHgl) {
        double needed = 0.0;
        if (Tul->SysHas == kEndsInGatedPipe)
            needed = Gated->LineGradeNeeded();
        if (Tul->SysHas == kEndsInManifold) {
            OpenIfClosed(DMod->WorkPipeTable);
            needed = DMod->WorkPipeTableTriclEntHgl->AsFloat();
        }
        return needed > endHgl ? needed : 0.0;
    };
    // The pass run again says only what it finds anew.
    ui::RepeatHold said;
    // A pump the line does not need stores no line it would feed.
    bool refused = false;
    auto pass = [&](bool first) {
        const int n = Tul->NumNodes;
        StationRecordsGuard recordsGuard;
        CreateStationRecords(n);
        Tul->LoadJobFromWorkTables(psta, n);
        // The flows the pass computes with are the ones checked.
        CarryStationFlows(psta, n);
        QString why = NegativeFlowRefusal(psta, n, QStringLiteral("ERROR.. "));
        if (why.isEmpty())
            why = PipesRefusal(psta, n);
        if (!why.isEmpty()) {
            status.NotComputed(why);
            return false;
        }
        const QString noPump = CalcPumpProfile(psta, trace.get());
        if (first)
            Tul->PinnedEndHgl = pinnedEndGrade(FixedValue(Finite(psta[n - 1]->Hgl), 6, 2));
        // The pinned pass sizes the pump of a line it raises.
        if (first && Tul->PinnedEndHgl > 0 && !noPump.isEmpty())
            return true;
        if (!noPump.isEmpty()) {
            psta[0]->Warning = noPump;
            Fail(noPump);
            StoreSizingRefusal(psta, n, noPump);
            status.NotComputed(noPump);
            refused = true;
            return false;
        }
        status.unsaid = StorePumpResults(psta, n);
        return true;
    };
    auto stop = [&]() {
        if (refused)
            tx.Commit();
        return status;
    };
    if (!pass(true))
        return stop();
    said.NextPass();
    if (Tul->PinnedEndHgl > 0 && !pass(false))
        return stop();
    // The gated pipe starts from the grade the line's last pass left at its end.
    if (Tul->SysHas == kEndsInGatedPipe)
        status.Take(Gated->RunGatedPipe());

    trace.reset();
    tx.Commit();
    friction.Into(status);
    return status;
}

QString TPump::CalcPumpProfile(TSta** sta, std::FILE* trace)
{
    const int n = Tul->NumNodes;
    const int pump = Tul->PumpTypeCode;
    const bool autoPump = pump == kPumpAuto;
    const bool pressKnown = pump == kPumpPressKnown;
    TSta* s0 = sta[0];
    TSta* end = sta[n - 1];

    // Entrance.
    s0->vel = PipeVelocity(s0->PipeQ, s0->DiaIn);
    s0->Kloss = Tul->ColumnLoss;
    for (int slot = 0; slot < 3; ++slot)
        s0->Kloss += Tul->StationVelocityHeadLoss(slot, *s0, *s0, true);
    CheckPlasticVelocity(s0);
    Trace(trace, "Node 1 Sta= %f,id = %f Kloss = %f, vel = %f\n", s0->Station, s0->DiaIn,
          s0->Kloss, s0->vel);
    Tul->OffElev = 0.0;
    Tul->OnElev = 0.0;

    // Middle nodes: flows, velocities and the reaches into them.
    for (int i = 1; i < n - 1; ++i) {
        TSta* s = sta[i];
        const TSta* u = sta[i - 1];
        const TSta* d = sta[i + 1];
        s->HighPointDiaIn =
            (u->InvertElev < s->InvertElev && d->InvertElev < s->InvertElev) ? s->DiaIn : 0.0;
        s->vel = PipeVelocity(s->PipeQ, s->DiaIn);
        Trace(trace, "1st run vel Sta= %f, Q= %f, vel = %f\n", s->Station, s->PipeQ, s->vel);
        Grav->SegComp(s, sta[i - 1], trace);
        if (autoPump) {
            // The tank switches the pump on when the grade falls to the
            // highest clearance elevation of the line.
            if (Tul->TankRange <= 0) {
                Tul->OffElev = 0.0;
                Tul->OnElev = 0.0;
            } else if (Clear(s) > Tul->OnElev) {
                Tul->OnElev = Clear(s);
                Tul->OffElev = Tul->OnElev + kFtPerPsi * Tul->TankRange;
            }
        }
        CheckPlasticVelocity(s);
        Trace(trace, "1st run Sta= %f, psi = %f, vel = %f\n", s->Station, s->Psi, s->vel);
    }

    Grav->EndComp(end, sta[n - 2], s0, trace);

    // Backward from the end: the grade each node needs, kept full with the
    // clearance head above the crown.
    double raisedMax = 0.0;
    if (!pressKnown) {
        for (int i = n - 1; i >= 0; --i) {
            TSta* s = sta[i];
            const double hv = VelocityHead(s->vel);
            if (i == n - 1) {
                if (Tul->PinnedEndHgl > 0)
                    s->Hgl = Tul->PinnedEndHgl;
                s->Egl = s->Hgl + hv;
            } else {
                const TSta* d = sta[i + 1];
                s->Egl = d->Egl + d->Floss + d->Kloss;
                // A tank's pump piping lies between the pump and the line:
                // the forward pass takes its loss off at the first reach.
                if (autoPump && i == 0)
                    s->Egl += Tul->ColumnLoss;
                s->Hgl = s->Egl - hv;
                Trace(trace, "Before ClearHead Sta= %f, hgl= %f\n", s->Station, s->Hgl);
                if (i > 0 && IsReducer(s)) {
                    // A pressure reducer keeps its setting: the line above
                    // brings it that much, without the clearance raise; where
                    // the line below needs more the setting falls short.
                    const double setHgl = kFtPerPsi * s->PsiSet + s->InvertElev;
                    if (s->Hgl > setHgl + 0.01) {
                        s->Warning = QStringLiteral("WARNING.. ") + ReducerSetTooLowText(s->Hgl, setHgl, s->PsiSet);
                        Warn(QStringLiteral("Sta ") + Hyd->StationText(s->Station) + QStringLiteral(" ")
                             + s->Warning);
                    }
                    s->Hgl = setHgl;
                    s->Egl = s->Hgl + hv;
                } else if (autoPump && s->Hgl < Clear(s)) {
                    s->Hgl = Clear(s);
                    s->Egl = s->Hgl + hv;
                    if (s->Hgl > raisedMax)
                        raisedMax = s->Hgl;
                } else if (i == 0 && Top(s) >= s->Hgl) {
                    // At the pump only the crown counts.
                    s->Hgl = Top(s);
                    s->Egl = s->Hgl + hv;
                    Trace(trace, "After ClearHead at pump Sta= %f, hgl= %f, V= %f\n", s->Station,
                          s->Hgl, s->vel);
                } else if (i != 0 && Clear(s) >= s->Hgl) {
                    s->Hgl = Clear(s);
                    s->Egl = s->Hgl + hv;
                    Trace(trace, "After ClearHead Sta= %f, hgl= %f, V= %f\n", s->Station, s->Hgl,
                          s->vel);
                }
            }
            s->Psi = PsiAt(s);
            Trace(trace, "Final 1 Sta= %f, hgl= %f, psi = %f, egl= %f, vel = %f\n", s->Station,
                  s->Hgl, s->Psi, s->Egl, s->vel);
        }

        if (autoPump && Tul->TankRange > 0) {
            OpenIfClosed(DMod->DefSysTable);
            const double t = kFtPerPsi * Tul->TankRange * (DMod->DefSysTableAutoPct->AsFloat() * 0.01);
            // The pump's grade: the tank's, plus the loss in the pump piping.
            const double piping = Tul->ColumnLoss;
            if (raisedMax > Tul->OnElev)
                s0->Hgl = raisedMax + t + piping;
            else if (Tul->OnElev + t + piping > s0->Hgl)
                s0->Hgl = Tul->OnElev + t + piping;
            s0->Egl = s0->Hgl + VelocityHead(s0->vel);
            Tul->OnElev = s0->Hgl - t - piping;
            Tul->OffElev = Tul->OnElev + kFtPerPsi * Tul->TankRange;
            s0->Sgl = Tul->OffElev;
            s0->Warning.clear();
            Trace(trace, "Autopump Sta= %f, hgl= %f, psi = %f, vel = %f\n", s0->Station, s0->Hgl,
                  s0->Psi, s0->vel);
            // The pump's pressure follows the grade the tank sets.
            s0->Psi = PsiAt(s0);
        }
        s0->StatPres = autoPump ? (Tul->OffElev - s0->InvertElev) * kPsiPerFt : 0.0;
    }

    // A main of known pressure starts the line at its pressure head.
    double G = 0.0;
    if (pressKnown) {
        s0->Egl = kFtPerPsi * Tul->PsiIn + s0->InvertElev;
        G = s0->Egl;
        s0->StatPres = (G - s0->InvertElev) * kPsiPerFt;
        s0->Sgl = G;
        s0->Hgl = s0->Egl - VelocityHead(s0->vel);
        s0->Psi = PsiAt(s0);
    }

    // Forward from the entrance.
    double B = 0.0;
    for (int i = 1; i < n; ++i) {
        TSta* s = sta[i];
        TSta* u = sta[i - 1];
        s->Sgl = autoPump ? Tul->OffElev : pressKnown ? G : 0.0;
        s->StaText = Hyd->StationText(s->Station);

        if (autoPump && i == 1) {
            s->Egl = u->Egl - s->Floss - s->Kloss - Tul->ColumnLoss;
            Trace(trace, "Forward AUTOPUMOP Sta= %f, hgl= %f, egl = %f, vel = %f\n", s->Station,
                  s->Hgl, s->Egl, s->vel);
        } else if (IsReducer(u) && !ReducerStarved(u->Hgl, kFtPerPsi * u->PsiSet + u->InvertElev)) {
            // The line restarts from the pressure the node above sets; a
            // reducer reached by less passes that on.
            s->Egl = kFtPerPsi * u->PsiSet + u->InvertElev + VelocityHead(u->vel) - s->Floss
                     - s->Kloss;
        } else {
            s->Egl = u->Egl - s->Floss - s->Kloss;
        }
        const double hv = VelocityHead(s->vel);
        s->Hgl = s->Egl - hv;
        s->Psi = PsiAt(s);
        Trace(trace, "Forward 1 Sta= %f, hgl= %f, egl = %f, vel = %f\n", s->Station, s->Hgl,
              s->Egl, s->vel);

        if (autoPump && Tul->TankRange > 0) {
            if (IsReducer(s)) {
                B = kFtPerPsi * s->PsiSet + s->InvertElev;
                Tul->BoosterSgl = B;
                Tul->BoosterHgl = B - hv;
            }
            s->Sgl = B > 0 ? B : u->Sgl;
        }
        if (autoPump) {
            s->StatPres = (Tul->OffElev - s->InvertElev) * kPsiPerFt;
        } else if (pressKnown) {
            s->Sgl = G;
            s->StatPres = (G - s->InvertElev) * kPsiPerFt;
        } else {
            s->StatPres = 0.0;
        }

        const bool middle = i < n - 1;
        if (i == 1) {
            // The entrance's own checks, named by the node below it.
            CheckRatings(kAtEntrance, s0->PsiSet, s0->Psi, 0.0, s0->PressurRating, s0->Warning,
                         s->StaText);
            if (s->Sgl > 0)
                CheckRatings(kAtEntrance, s->StatPres, s0->Psi, 0.0, s0->PressurRating,
                             s0->Warning, s->StaText);
        } else if (!middle) {
            CheckRatings(kAtEnd, s->PsiSet, s->Psi, u->PressurRating, 0.0, s->Warning, s->StaText);
            if (s->Sgl > 0)
                CheckRatings(kAtEnd, s->StatPres, s->Psi, u->PressurRating, 0.0, s->Warning,
                             s->StaText);
        }
        if (middle) {
            CheckRatings(kAtInnerNode, s->PsiSet, s->Psi, u->PressurRating, s->PressurRating,
                         s->Warning, s->StaText);
            if (Tul->OffElev > 0)
                CheckRatings(kAtInnerNode, s->StatPres, s->Psi, u->PressurRating,
                             s->PressurRating, s->Warning, s->StaText);
            Trace(trace, "PresMID Sta= %f, US Rating= %f, DSRating = %f\n", s->Station,
                  u->PressurRating, s->PressurRating);

            if (pressKnown) {
                const QString hgl = FixedText(s->Hgl, 6, 2);
                if (s->Hgl <= s->InvertElev) {
                    s0->Warning = QStringLiteral("ERROR.. HGL of ") + hgl
                                  + QStringLiteral(" is below high point pipe invert. Raise inlet pressure.");
                    Fail(s0->Warning);
                } else if (s->Hgl <= Clear(s)) {
                    s0->Warning = QStringLiteral("WARNING.. HGL of ") + hgl
                                  + QStringLiteral(" is below required clearance elevation");
                    Warn(s0->Warning);
                }
            }
        }
        // A grade line below the crown is told wherever it falls there (a
        // known main's middle nodes have their own clearance messages).
        if (s->Hgl < Top(s) && !(pressKnown && middle)) {
            s->Warning = QStringLiteral("WARNING.. HGL of ") + FixedText(s->Hgl, 6, 2)
                         + QStringLiteral(" is below the top of the pipe (") + FixedText(Top(s), 6, 2)
                         + QStringLiteral("), so the pipe does not run full here.");
            Warn(QStringLiteral("Sta ") + s->StaText + QStringLiteral(" ") + s->Warning);
        }
        if (middle && IsReducer(s) && ReducerStarved(s->Hgl, kFtPerPsi * s->PsiSet + s->InvertElev))
            Warn(AddReducerStarved(s, QStringLiteral("WARNING.. ")));
        Trace(trace, "Final2 Sta= %f, hgl= %f, egl = %f, vel = %f\n", s->Station, s->Hgl, s->Egl,
              s->vel);
    }

    Tul->EndPsi = (end->Hgl - Tul->OutletElev) * kPsiPerFt;
    if (pressKnown && kFtPerPsi * Tul->OutletPsi + Tul->OutletElev > end->Hgl) {
        s0->Warning = QStringLiteral("WARNING.. Pressure at outlet (") + FixedText(Tul->EndPsi, 6, 2)
                      + QStringLiteral(" psi), is less than required ")
                      + FixedText(Tul->OutletPsi, 6, 2) + QStringLiteral(" psi");
        Warn(s0->Warning);
    }

    return SizePump(sta);
}

void TPump::CheckPlasticVelocity(TSta* s)
{
    if (s->MaxVel > 0 && s->vel > s->MaxVel) {
        s->Warning = kPlasticVelocity;
        Warn(s->Warning);
    }
}

QStringList TPump::StorePumpResults(TSta** sta, int n)
{
    QStringList unsaid;
    const int pump = Tul->PumpTypeCode;
    if (pump != kPumpNone && pump != kPumpPressFind && pump != kPumpPressKnown) {
        db::Table* pipe = DMod->WorkPipeTable;
        OpenIfClosed(pipe);
        pipe->Edit();
        SetFixed(DMod->WorkPipeTableOffElev, Tul->OffElev, 6, 2);
        SetFixed(DMod->WorkPipeTableOnElev, Tul->OnElev, 6, 2);
        SetFixed(DMod->WorkPipeTableTDH, Tul->TDH, 6, 2);
        SetFixed(DMod->WorkPipeTableTDSH, Tul->tdsh, 6, 2);
        SetFixed(DMod->WorkPipeTableWHP, Tul->WHP, 6, 2);
        SetFixed(DMod->WorkPipeTableBHP, Tul->BHP, 6, 2);
        DMod->WorkPipeTableMotorHP->SetAsString(Tul->MotorSize);
        pipe->Post();
    } else if (pump == kPumpPressFind) {
        // The pressure the main must give is this job's result: kept where
        // a known main's pressure is entered, for the page and the reports.
        db::Table* pipe = DMod->WorkPipeTable;
        OpenIfClosed(pipe);
        pipe->Edit();
        SetFixed(DMod->WorkPipeTablePsiIn, Tul->PsiIn, 6, 2);
        pipe->Post();
    }

    FindSurgePsi(sta, n);

    db::Table* prof = DMod->WorkProfTable;
    OpenIfClosed(prof);
    for (int i = 0; i < n; ++i) {
        const TSta* s = sta[i];
        const TSta* d = i < n - 1 ? sta[i + 1] : nullptr;
        if (!prof->Locate(QStringLiteral("Station"), s->Station)) {
            // Never write one node's results over another node's row.
            Warn(QStringLiteral("WARNING.. No profile row has Sta ") + Hyd->StationText(s->Station)
                 + QStringLiteral(", so its results were not stored."));
            continue;
        }
        prof->Edit();

        WriteStationResults(sta, n, i);
        SetFixed(DMod->WorkProfTableInvertElev, s->InvertElev, 6, 2);
        if (s->Sgl < 0)
            DMod->WorkProfTableSgl->SetAsFloat(0.0);
        else
            SetFixed(DMod->WorkProfTableSgl, s->Sgl, 6, 2);
        SetFixed(DMod->WorkProfTableStatPres, s->StatPres, 6, 2);

        double surge = 0.0;
        QString warning;
        if (StationSurge(s, surge, warning))
            SetFixed(DMod->WorkProfTableSurge, surge, 6, 2);
        // By the fitting and soil of this row.
        const double area = d ? Hyd->ThrustBlockArea(s->DiaIn, d->DiaIn)
                              : Hyd->ThrustBlockArea(sta[i - 1]->DiaIn, 0.0);
        DMod->WorkProfTableThBlockArea->SetAsFloat(ThrustBlockAreaAt(area, s->Psi, warning, QStringLiteral("ERROR.. ")));
        DMod->WorkProfTableWarning->SetAsString(warning);
        NoteUnsaid(s, warning, unsaid);

        // The pumped rows give C four significant digits.
        if (d)
            WriteLeavingReach(s, d, 4);
        prof->Post();
    }
    prof->Close();
    return unsaid;
}
