#include "engine/maximum_flow_run.h"

#include "engine/hydraulics.h"
#include "engine/run_steps.h"
#include "model/data_module.h"
#include "model/station.h"
#include "model/job.h"
#include "platform/ui/seam/msg.h"

#include <algorithm>
#include <cmath>
#include <utility>

TFFlow* FFlow = nullptr;

void CreateFullFlowObject() { CreateSingleObject(FFlow); }

void DeleteFullFlowObject() { DeleteSingleObject(FFlow); }

namespace {

const bool fullFlowObjectCreated = (CreateFullFlowObject(), true);

// The middle reaches of this run use 448.8 gpm per cfs, the entrance 448.83.
constexpr double kGpmPerCfsMid = 448.8;
constexpr double kGpmPerCfsInlet = 448.83;
constexpr double kFtPerPsiTarget = 2.307124400147656;
// The feasibility test uses the rounded factor.
constexpr double kFtPerPsiRough = 2.31;

double Velocity(double Q, double D, double gpmPerCfs)
{
    // The area, not D: the square of a tiny diameter underflows to zero.
    const double area = kSqFtPerSqIn * D * D;
    if (!(area > 0))
        return 0.0;
    return Q * (1.0 / gpmPerCfs) / area;
}

double VelocityHead(double v)
{
    return v * v * kVelHeadFactor;
}

// Step (gpm) after the first phase, from the margin (ft).
double FirstStep(double m)
{
    if (m < 0.4)
        return 1;
    if (m < 1)
        return 5;
    if (m < 5)
        return 25;
    if (m < 10)
        return 50;
    return 75;
}

// Step after an accepted trial of the second phase.
double NextStep(double m)
{
    if (m < 0.1)
        return 0.33;
    return FirstStep(m);
}

// The minor losses of s's slots with the upstream (uQ, uD) and its own
// (sQ, sD) flow and diameter.
double MinorLosses(const TSta& s, double uQ, double uD, double sQ, double sD, bool inlet)
{
    // A slot without a K (0, or no number) has no loss: the search passes
    // every reach hundreds of times, most of them without minor losses.
    double k = 0.0;
    if (s.K1 > 0 || s.K1 < 0)
        k += Tul->StationVelocityHeadLoss(0, s, uQ, uD, sQ, sD, inlet);
    if (s.K2 > 0 || s.K2 < 0)
        k += Tul->StationVelocityHeadLoss(1, s, uQ, uD, sQ, sD, inlet);
    if (s.K3 > 0 || s.K3 < 0)
        k += Tul->StationVelocityHeadLoss(2, s, uQ, uD, sQ, sD, inlet);
    return k;
}

double MinorLosses(const TSta& s, const TSta& u, bool inlet)
{
    return MinorLosses(s, u.PipeQ, u.DiaIn, s.PipeQ, s.DiaIn, inlet);
}

// Holds back the messages of a pass that repeats one the user has seen.
class QuietMessages final : public ui::MessageSink {
public:
    QuietMessages() : previous_(ui::SetMessageSink(this)) {}
    ~QuietMessages() override { ui::SetMessageSink(previous_); }
    int show(const ui::Message&) override { return ui::mrOk; }

private:
    ui::MessageSink* previous_;
};

} // namespace

double TFFlow::InvertFromCover(const TSta& s, double dia)
{
    if (s.InvElMethod != 0)
        return s.InvertElev;
    if (s.PipeDepth > 0)
        return s.GroundElev - (s.PipeDepth + s.WallThick + dia) / 12.0;
    return s.GroundElev - s.PipeDepth / 12.0 + s.WallThick / 12.0;
}

void TFFlow::InvertFromCover(TSta& s)
{
    s.InvertElev = InvertFromCover(std::as_const(s), s.DiaIn);
}

void TFFlow::ReachEnd(TSta& u, TSta& s)
{
    s.Kloss = MinorLosses(s, u, false);
    FrictionMemo& m = memo_;
    if (m.valid && m.compMethod == compMethod_ && m.nu == viscosity_ && m.D == u.DiaIn && m.Q == u.PipeQ
        && m.L == u.PipeLength && m.e == u.Efac && m.C == u.Cfac && m.n == u.Nfac) {
        s.Floss = m.loss;
        s.Re = m.Re;
        // Mostly the very text the node holds from the pass before.
        if (s.FlowType.constData() != m.regime.constData() || s.FlowType.size() != m.regime.size())
            s.FlowType = m.regime;
        s.F = m.f;
        Tul->FrictionMethodUsed = m.method;
    } else {
        s.Floss = Hyd->FrictionLossBy(compMethod_, viscosity_, u.DiaIn, u.PipeQ, u.PipeLength, u.Efac,
                                      u.Cfac, u.Nfac, s.Re, s.FlowType, s.F, Tul->FrictionMethodUsed);
        m = {s.Floss > 0, compMethod_, viscosity_, u.DiaIn, u.PipeQ, u.PipeLength, u.Efac, u.Cfac, u.Nfac,
             s.Floss, s.Re, s.F, s.FlowType, Tul->FrictionMethodUsed};
    }
    s.FrictionMethodUsed = Tul->FrictionMethodUsed;
    s.Egl = u.Egl - s.Floss - s.Kloss;
    s.Hgl = s.Egl - VelocityHead(s.vel);
    // The inverts of the middle nodes were given by their cover before the
    // first pass and nothing in a pass changes them; the end node's comes
    // with the diameter the end takes over.
    s.Psi = (s.Hgl - s.InvertElev) * kPsiPerFt;
}

void TFFlow::ReadFrictionSetting(TSta** sta, int n)
{
    OpenIfClosed(DMod->DefSysTable);
    compMethod_ = DMod->DefSysTableCompMethod->AsInteger();
    viscosity_ = 0.0;
    for (int k = 0; k < n - 1; ++k) {
        if (sta[k]->Efac > 0) {
            OpenIfClosed(DMod->WorkPipeTable);
            Hyd->WaterViscosity(Hyd->JobWaterTemp(), viscosity_);
            break;
        }
    }
}

void TFFlow::FullFlowInletComp(TSta& s0, double Q)
{
    s0.PipeQ = Q;
    s0.vel = Velocity(Q, s0.DiaIn, kGpmPerCfsInlet);
    s0.Kloss = MinorLosses(s0, s0, true);
    s0.Egl = Tul->WSElev - s0.Kloss;
    s0.Hgl = s0.Egl - VelocityHead(s0.vel);
    s0.Psi = (s0.Hgl - s0.InvertElev) * kPsiPerFt;
}

double TFFlow::FullFlowSegComp(TSta& u, TSta& s)
{
    u.PipeLength = s.Station - u.Station;
    s.PipeQ = u.PipeQ - s.OutQ + s.InQ;
    s.vel = Velocity(s.PipeQ, s.DiaIn, kGpmPerCfsMid);
    ReachEnd(u, s);
    const double crown = s.DiaIn / 12.0 + s.InvertElev;
    if (crown > s.Hgl)
        return s.Hgl - crown;
    return 0.0;
}

void TFFlow::FullFlowEndComp(TSta& u, TSta& l)
{
    u.PipeLength = l.Station - u.Station;
    l.PipeQ = u.PipeQ;
    l.vel = u.vel;
    l.DiaIn = u.DiaIn;
    InvertFromCover(l);
    ReachEnd(u, l);
}

TFFlow::PassResult TFFlow::RunPass(TSta** sta, int n, double Q, double target)
{
    PassResult r;
    FullFlowInletComp(*sta[0], Q);
    for (int k = 1; k <= n - 2; ++k) {
        const double status = FullFlowSegComp(*sta[k - 1], *sta[k]);
        r.station = k;
        // More taken out than arrives: no flow in this reach to compute with.
        if (sta[k]->PipeQ < 0) {
            r.fault = PassFault::NegativeFlow;
            return r;
        }
        if (!std::isfinite(sta[k]->Hgl)) {
            r.fault = PassFault::NotComputable;
            return r;
        }
        if (status < 0) {
            r.fault = PassFault::PipeNotFull;
            return r;
        }
    }
    FullFlowEndComp(*sta[n - 2], *sta[n - 1]);
    r.station = n - 1;
    r.margin = sta[n - 1]->Hgl - target;
    if (!std::isfinite(r.margin))
        r.fault = PassFault::NotComputable;
    return r;
}

void TFFlow::LoadLanes(TSta** sta, int n)
{
    lanes_.assign(n, Lane{});
    int reach = 0;
    for (int k = 0; k < n; ++k) {
        const TSta& s = *sta[k];
        Lane& l = lanes_[k];
        l.DiaIn = s.DiaIn;
        l.area = kSqFtPerSqIn * s.DiaIn * s.DiaIn;
        l.OutQ = s.OutQ;
        l.InQ = s.InQ;
        l.crown = s.DiaIn / 12.0 + s.InvertElev;
        l.length = k + 1 < n ? sta[k + 1]->Station - s.Station : 0.0;
        l.Efac = s.Efac;
        l.Cfac = s.Cfac;
        l.Nfac = s.Nfac;
        l.sta = &s;
        l.hasK = s.K1 > 0 || s.K1 < 0 || s.K2 > 0 || s.K2 < 0 || s.K3 > 0 || s.K3 < 0;
        // Adding +0 twice leaves every flow as it was, a -0 included.
        l.flowChanges = !(s.OutQ == 0 && !std::signbit(s.OutQ) && s.InQ == 0 && !std::signbit(s.InQ));
        if (k > 0) {
            const Lane& p = lanes_[k - 1];
            if (!(p.DiaIn == l.DiaIn && p.length == l.length && p.Efac == l.Efac && p.Cfac == l.Cfac
                  && p.Nfac == l.Nfac))
                ++reach;
        }
        l.reach = reach;
    }
    endInvert_ = n >= 2 ? InvertFromCover(*sta[n - 1], sta[n - 2]->DiaIn) : 0.0;
    reachedEnd_ = false;
    laneMemo_.valid = false;
}

inline double TFFlow::LaneFriction(const Lane& u, double Q)
{
    LaneMemo& m = laneMemo_;
    if (m.valid && m.reach == u.reach && m.Q == Q) {
        Tul->FrictionMethodUsed = m.method;
        return m.loss;
    }
    double Re = 0.0, f = 0.0;
    QString regime;
    const double loss = Hyd->FrictionLossBy(compMethod_, viscosity_, u.DiaIn, Q, u.length, u.Efac, u.Cfac,
                                            u.Nfac, Re, regime, f, Tul->FrictionMethodUsed);
    m = {loss > 0, u.reach, Q, loss, Tul->FrictionMethodUsed};
    return loss;
}

// The flows and grade lines run down the line in registers: each reach
// needs only the one above it.
TFFlow::PassResult TFFlow::SearchPass(double Q, double target)
{
    const int n = static_cast<int>(lanes_.size());
    const Lane* lane = lanes_.data();
    PassResult r;
    const Lane& s0 = lane[0];
    double uQ = Q;
    double uVel = s0.area > 0 ? Q * (1.0 / kGpmPerCfsInlet) / s0.area : 0.0;
    double uEgl = Tul->WSElev;
    if (s0.hasK)
        uEgl -= MinorLosses(*s0.sta, Q, s0.DiaIn, Q, s0.DiaIn, true);
    for (int k = 1; k <= n - 2; ++k) {
        const Lane& u = lane[k - 1];
        const Lane& s = lane[k];
        const double q = s.flowChanges ? uQ - s.OutQ + s.InQ : uQ + 0.0;
        const double vel = s.area > 0 ? q * (1.0 / kGpmPerCfsMid) / s.area : 0.0;
        double egl = uEgl - LaneFriction(u, uQ);
        if (s.hasK)
            egl -= MinorLosses(*s.sta, uQ, u.DiaIn, q, s.DiaIn, false);
        const double hgl = egl - vel * vel * kVelHeadFactor;
        r.station = k;
        if (q < 0) {
            r.fault = PassFault::NegativeFlow;
            return r;
        }
        if (!std::isfinite(hgl)) {
            r.fault = PassFault::NotComputable;
            return r;
        }
        if (s.crown > hgl) {
            r.fault = PassFault::PipeNotFull;
            return r;
        }
        uQ = q;
        uVel = vel;
        uEgl = egl;
    }
    // The end node takes the upstream pipe, flow and velocity.
    const Lane& u = lane[n - 2];
    const Lane& l = lane[n - 1];
    reachedEnd_ = true;
    double egl = uEgl - LaneFriction(u, uQ);
    if (l.hasK)
        egl -= MinorLosses(*l.sta, uQ, u.DiaIn, uQ, u.DiaIn, false);
    const double hgl = egl - uVel * uVel * kVelHeadFactor;
    r.station = n - 1;
    r.margin = hgl - target;
    if (!std::isfinite(r.margin))
        r.fault = PassFault::NotComputable;
    return r;
}

void TFFlow::TakeEndDiameter(TSta** sta, int n)
{
    if (!reachedEnd_)
        return;
    sta[n - 1]->DiaIn = sta[n - 2]->DiaIn;
    InvertFromCover(*sta[n - 1]);
}

void TFFlow::ClearResults(TSta** sta, int n)
{
    for (int k = 0; k < n; ++k) {
        TSta& s = *sta[k];
        s.Egl = s.Hgl = s.vel = s.PipeQ = s.Floss = s.PipeLength = 0.0;
        // Not reset by a pass that stops early; cleared so that a run without
        // a result stores no values of a rejected trial.
        s.Kloss = s.Psi = s.Re = s.F = 0.0;
        s.FlowType.clear();
        s.FrictionMethodUsed = -1;
    }
}

void TFFlow::ReportNoFlow(TSta** sta, int n, const PassResult& why)
{
    ClearResults(sta, n);
    const QString at = why.station >= 0 && why.station < n ? sta[why.station]->StaText : QString();
    QString text;
    switch (why.fault) {
    case PassFault::PipeNotFull:
        text = QStringLiteral("ERROR .. No flow keeps the pipe full, hydraulic gradeline is "
                              "below top of pipe at station ")
               + at;
        break;
    case PassFault::NegativeFlow:
        text = QStringLiteral("ERROR .. No flow found, outflow is larger than the pipe flow "
                              "at station ")
               + at;
        break;
    case PassFault::None: // every trial missed the outlet pressure
        text = QStringLiteral("ERROR .. No flow found that gives the required outlet pressure");
        break;
    case PassFault::NotComputable:
        text = QStringLiteral("ERROR .. No flow found, the line can't be computed at station ")
               + at;
        break;
    }
    sta[n - 1]->Warning = text;
    ui::MessageDlg(text, ui::MsgType::Error, ui::mbOK);
}

bool TFFlow::SolveFullFlow(TSta** sta, int n, int* passes)
{
    for (int k = 0; k < n; ++k) {
        TSta& s = *sta[k];
        s.StaText = Hyd->StationText(s.Station);
        s.Sgl = Tul->WSElev;
    }
    ClearResults(sta, n);
    // A cover-given invert depends on the ground alone: the rows get it even
    // when no pass runs.
    for (int k = 1; k < n; ++k)
        InvertFromCover(*sta[k]);

    ReadFrictionSetting(sta, n);
    memo_.valid = false;
    int count = 0;
    const bool found = FindFlow(sta, n, count);
    if (passes)
        *passes = count;
    // Static pressures from the inverts the rows receive.
    for (int k = 0; k < n; ++k)
        sta[k]->StatPres = (Tul->WSElev - sta[k]->InvertElev) * kPsiPerFt;
    return found;
}

bool TFFlow::FindFlow(TSta** sta, int n, int& count)
{
    const double target = kFtPerPsiTarget * Tul->OutletPsi + Tul->OutletElev;
    TSta& last = *sta[n - 1];
    if (3 * 3 * kVelHeadFactor + Tul->OutletPsi * kFtPerPsiRough + Tul->OutletElev + 0.1
        > Tul->WSElev) {
        last.Warning = QStringLiteral("ERROR .. Outlet or outlet pressure is too high, try again");
        return false;
    }

    LoadLanes(sta, n);
    auto pass = [&](double Q) {
        ++count;
        return SearchPass(Q, target);
    };
    // The stations computed at the flow found. The search's last trial was at
    // that flow and has told the user whatever it had to.
    auto fillStations = [&](double Q) {
        QuietMessages quiet;
        RunPass(sta, n, Q, target);
    };

    // First phase: from 3 ft/s in the first pipe, halve until a pass keeps
    // every pipe full and meets the outlet.
    double Q = kSqFtPerSqIn * sta[0]->DiaIn * sta[0]->DiaIn * 3 * kGpmPerCfsInlet;
    if (!(Q > 0) || !std::isfinite(Q)) {
        PassResult why;
        why.fault = PassFault::NotComputable;
        why.station = 0;
        ReportNoFlow(sta, n, why);
        return false;
    }
    PassResult r = pass(Q);
    int halvings = 0;
    while (r.fault != PassFault::None || r.margin < 0) {
        if (halvings == kMaxHalvings) {
            TakeEndDiameter(sta, n);
            ReportNoFlow(sta, n, r);
            return false;
        }
        ++halvings;
        Q *= 0.5;
        r = pass(Q);
    }

    bool settled = r.margin == 0;
    double step = FirstStep(r.margin);
    while (!settled) {
        const double Qt = Q + step;
        if (Qt == Q || count >= kMaxPasses) {
            // The step no longer moves the flow: a pipe crown, not the outlet,
            // limits it. Leave the stations at the flow found.
            const bool capped = Qt != Q;
            ++count;
            fillStations(Q);
            CheckFullFlowWarnings(sta, n);
            if (capped) {
                last.Warning = QStringLiteral(
                    "WARNING .. Flow search stopped before it settled, flow may be larger");
                ui::MessageDlg(last.Warning, ui::MsgType::Warning, ui::mbOK);
            }
            return true;
        }
        r = pass(Qt);
        if (r.fault != PassFault::None) {
            step *= 0.25;
            continue;
        }
        if (r.margin < 0) {
            step *= 0.2;
            continue;
        }
        Q = Qt;
        if (r.margin < 0.01)
            settled = true;
        else
            step = NextStep(r.margin);
    }
    fillStations(Q);
    CheckFullFlowWarnings(sta, n);
    return true;
}

void TFFlow::CheckFullFlowWarnings(TSta** sta, int n)
{
    const TSta& first = *sta[0];
    for (int k = 0; k < n; ++k) {
        TSta& s = *sta[k];
        const bool isFirst = k == 0;
        const bool isLast = k == n - 1;
        s.Warning.clear();
        if (isFirst
            && s.DiaIn / 12.0 + s.InvertElev + s.Kloss + VelocityHead(s.vel) > Tul->WSElev)
            s.Warning = QStringLiteral("WARNING .. Pipe entrance not submerged, deepen pipe or raise WS");
        if (isLast && s.Station - first.Station < 300
            && s.DiaIn / 12.0 + s.InvertElev > Tul->OutletElev)
            s.Warning = QStringLiteral("WARNING .. Short pipe, may not be full pipe flow, check by hand");
        if (!isLast && s.Psi < 1.0)
            s.Warning = QStringLiteral("WARNING .. Pressure is less than 1 psi");
        if (isFirst)
            Tul->CheckPressureRatings(1, s.PsiSet, s.Psi, 0, s.PressurRating, s.Warning);
        else if (isLast)
            Tul->CheckPressureRatings(3, s.PsiSet, s.Psi, sta[k - 1]->PressurRating, 0, s.Warning);
        else
            Tul->CheckPressureRatings(2, s.PsiSet, s.Psi, sta[k - 1]->PressurRating,
                                      s.PressurRating, s.Warning);
    }
}

void TFFlow::WriteFullFlowResults(TSta** sta, int n)
{
    db::Table* t = DMod->WorkProfTable;
    OpenIfClosed(t);
    t->First();
    for (int k = 0; k < n && !t->Eof(); ++k) {
        const TSta& s = *sta[k];
        const bool isLast = k == n - 1;
        t->Edit();
        DMod->WorkProfTableStation->SetAsFloat(s.Station);
        DMod->WorkProfTableTSta->SetAsString(Hyd->StationText(s.Station));
        SetFixed(DMod->WorkProfTablePipeQ, s.PipeQ, 6, 1);
        SetFixed(DMod->WorkProfTableKloss, s.Kloss, 6, 3);
        SetFixed(DMod->WorkProfTableInvertElev, s.InvertElev, 6, 2);
        SetFixed(DMod->WorkProfTableVel, s.vel, 6, 2);
        SetFixed(DMod->WorkProfTablePsi, s.Psi, 6, 2);
        SetFixed(DMod->WorkProfTableHgl, s.Hgl, 6, 2);
        SetFixed(DMod->WorkProfTableEgl, s.Egl, 6, 2);
        SetFixed(DMod->WorkProfTableSgl, s.Sgl, 6, 2);
        SetFixed(DMod->WorkProfTableStatPres, s.StatPres, 6, 2);
        DMod->WorkProfTableWarning->SetAsString(s.Warning);
        if (isLast) {
            DMod->WorkProfTablePipeType->SetAsString(QString());
            DMod->WorkProfTableDownStreamPipeDescription->SetAsString(QString());
        } else {
            const TSta& next = *sta[k + 1];
            SetFixed(DMod->WorkProfTableFloss, next.Floss, 6, 3);
            const QString method = FrictionMethodText(next.FrictionMethodUsed, s.Nfac, s.Cfac,
                                                      next.FlowType, next.Re, next.F);
            if (!method.isEmpty())
                DMod->WorkProfTableCalcMethod->SetAsString(method);
            DMod->WorkProfTableRchLen->SetAsFloat(next.Station - s.Station);
        }
        t->Post();
        t->Next();
    }
    t->Close();
}

RunStatus TFFlow::RunFullFlow()
{
    OpenIfClosed(DMod->WorkPipeTable);
    db::Table* prof = DMod->WorkProfTable;
    OpenIfClosed(prof);
    // The profile rows themselves, not the header's stored count, which can
    // lag behind the profile.
    Tul->NumNodes = prof->RecordCount();
    const int n = Tul->NumNodes;
    if (const QString why = StationCountRefusal(n); !why.isEmpty())
        return NotComputedStatus(why);
    const FrictionFaultWatch friction;

    StationRecordsGuard guard;
    CreateStationRecords(n);
    Tul->LoadJobFromWorkTables(psta, n);
    prof->First();
    for (int i = 0; i < n && !prof->Eof(); ++i) {
        psta[i]->InvElMethod = DMod->WorkProfTableInvElMethod->AsInteger();
        prof->Next();
    }

    ui::ErrorWatch said;
    RunStatus status;
    // Without a flow the rows are written cleared, the last one saying why.
    if (!SolveFullFlow(psta, n))
        status.NotComputed(psta[n - 1]->Warning);
    WriteFullFlowResults(psta, n);
    friction.Into(status);
    // The row warnings no message showed, for the output page to list.
    for (int k = 0; k < n; ++k) {
        const QString& w = psta[k]->Warning;
        const QStringList& shown = said.Faults();
        if (!w.isEmpty() && std::none_of(shown.begin(), shown.end(), [&w](const QString& f) { return f.contains(w); }))
            status.unsaid << QStringLiteral("Sta ") + Hyd->StationText(psta[k]->Station) + QStringLiteral(" ") + w;
    }
    return status;
}
