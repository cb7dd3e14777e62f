#include "engine/gated_pipe_run.h"

#include "engine/hydraulics.h"
#include "engine/run_steps.h"
#include "model/data_module.h"
#include "model/number_text.h"
#include "model/station.h"
#include "model/job.h"
#include "platform/ui/seam/msg.h"

#include <cmath>
#include <initializer_list>

TGated* Gated = nullptr;

void CreateGatedObject() { CreateSingleObject(Gated); }

void DeleteGatedObject() { DeleteSingleObject(Gated); }

namespace {

// The six work stations of one run, in order along the gated pipe.
TSta* GatedStart = nullptr;  // start of the gated pipe and of the first open segment
TSta* GatedA = nullptr;      // end of the first open segment
TSta* GatedMid = nullptr;    // start of the intermediate open segment
TSta* GatedC = nullptr;      // end of the intermediate open segment
TSta* GatedD = nullptr;      // start of the last open segment
TSta* GatedEnd = nullptr;    // end of the gated pipe

// Friction exponent 1.852 form of Christiansen's factor; N*N is an exact
// integer product.
double MultipleOutletFactor(int n)
{
    const long long n2 = static_cast<long long>(n) * n;
    return 0.350631 + 0.5 / n + 0.1538397 / static_cast<double>(n2);
}

void DeleteGatedRecords()
{
    for (TSta** r : {&GatedStart, &GatedA, &GatedMid, &GatedC, &GatedD, &GatedEnd}) {
        delete *r;
        *r = nullptr;
    }
}

// The results a run writes; a refused run empties them so that no earlier
// design is shown as the current one.
QList<db::Field*> GatedResultFields()
{
    TDMod* m = DMod;
    return {m->WorkGatedTableNoOfGates,   m->WorkGatedTableStaAsta,     m->WorkGatedTableStaAElev,
            m->WorkGatedTableAHGL,        m->WorkGatedTableStaCsta,     m->WorkGatedTableStaCElev,
            m->WorkGatedTableCHGL,        m->WorkGatedTableStaDsta,     m->WorkGatedTableStaDElev,
            m->WorkGatedTableDHGL,        m->WorkGatedTableStartHGL,    m->WorkGatedTableMidHGL,
            m->WorkGatedTableEndHGL,      m->WorkGatedTableCalcMethod,  m->WorkGatedTableStartStatPres,
            m->WorkGatedTableMidStatPres, m->WorkGatedTableEndStatPres, m->WorkGatedTableRchLen,
            m->WorkGatedTableStartTsta,   m->WorkGatedTableStaATsta,    m->WorkGatedTableMidTsta,
            m->WorkGatedTableStaCTsta,    m->WorkGatedTableStaDTsta,    m->WorkGatedTableEndTsta,
            m->WorkGatedTableStartpsi,    m->WorkGatedTableStaApsi,     m->WorkGatedTableMidpsi,
            m->WorkGatedTableStaCpsi,     m->WorkGatedTableStaDpsi,     m->WorkGatedTableEndpsi,
            m->WorkGatedTableOpenSegFloss, m->WorkGatedTableStaAHgl,    m->WorkGatedTableStaCHgl,
            m->WorkGatedTableStaDHgl,     m->WorkGatedTableStaAStatPres, m->WorkGatedTableStaCStatPres,
            m->WorkGatedTableStaDStatPres};
}

// A run that cannot be computed says why and records it in the gated row in
// place of the results; gives the text it said.
QString RefuseGatedRun(const QString& why)
{
    const QString text = QStringLiteral("ERROR..Gated pipe not computed. ") + why;
    ui::MessageDlg(text, ui::MsgType::Error, ui::mbOK);
    db::Table* g = DMod->WorkGatedTable;
    if (!g->IsEmpty()) {
        EditIfBrowsing(g);
        for (db::Field* f : GatedResultFields())
            f->Clear();
        DMod->WorkGatedTableWarning->SetAsString(text);
        g->Post();
    }
    return text;
}

// One friction call over `length` with the gated pipe of `pipe`; the flow
// regime, Reynolds number, friction factor and method go into `r`.
double GatedFriction(TSta& r, const TSta& pipe, double length)
{
    const double loss = Hyd->FrictionLoss(pipe.DiaIn, pipe.PipeQ, length, pipe.Efac, pipe.Cfac,
                                          pipe.Nfac, r.Re, r.FlowType, r.F);
    r.FrictionMethodUsed = Tul->FrictionMethodUsed;
    return loss;
}

// Gives `start`, which carries the gated pipe's bore and flow, the device at
// the start of the gated pipe: its loss is its K as a velocity head when its
// state is "K", else its head ML1 (0 for neither).
void SetStartDevice(TSta& start)
{
    TDMod* m = DMod;
    start.Kid1 = m->WorkGatedTableKid1->AsFloat();
    start.KLocate1 = 1;
    start.K1 = std::max(m->WorkGatedTableK1->AsFloat(), 0.0);
    start.Kloss = std::max(m->WorkGatedTableML1->AsFloat(), 0.0);
    if (m->WorkGatedTableK1State->AsString() == QLatin1String("K") && start.K1 > 0.0)
        start.Kloss = Tul->StationVelocityHeadLoss(0, start, start, true);
}

} // namespace

double TGated::LineGradeNeeded()
{
    TDMod* m = DMod;
    for (db::Table* t : {m->WorkPipeTable, m->WorkProfTable, m->WorkGatedTable})
        OpenIfClosed(t);
    if (m->WorkGatedTable->IsEmpty())
        return 0.0;
    TSta start;
    start.Station = m->WorkGatedTableStartSta->AsFloat();
    if (!m->WorkProfTable->Locate(QStringLiteral("Station"), start.Station))
        return 0.0;
    start.DiaIn = m->WorkProfTableDiaIn->AsFloat();
    start.PipeQ = m->WorkProfTablePipeQ->AsFloat();
    if (!(start.DiaIn > 0.0))
        return 0.0;
    SetStartDevice(start);
    return 2.3071244 * m->WorkPipeTableOutletPsi->AsFloat() + m->WorkProfTableGroundElev->AsFloat() + start.Kloss;
}

QString TGated::LoadGatedInputs(TSta* start, TSta* a, TSta* mid, TSta* c, TSta* d, TSta* end)
{
    (void)a;
    (void)c;
    TDMod* m = DMod;

    OpenIfClosed(m->WorkPipeTable);
    Tul->WSElev = m->WorkPipeTableWSElev->AsFloat();

    const QString sysType = m->WorkPipeTableSysType->AsString();
    if (sysType == QLatin1String("GATED"))
        Tul->SysTypeCode = 5;
    else
        Tul->SysTypeCode = SysTypeCodeOf(sysType, Tul->SysTypeCode);
    const bool calculatorJob = Tul->SysTypeCode == 5;

    OpenIfClosed(m->WorkProfTable);
    OpenIfClosed(m->WorkGatedTable);
    if (m->WorkGatedTable->IsEmpty())
        return RefuseGatedRun(QStringLiteral("There is no gated pipe data."));
    if (calculatorJob) {
        StaticLevel = m->WorkPipeTableWSElev->AsFloat();
    } else {
        m->WorkProfTable->First();
        StaticLevel = m->WorkProfTableSgl->AsFloat();
    }

    IsMidSeg = m->WorkGatedTableIsMidSeg->AsBoolean();
    start->Station = m->WorkGatedTableStartSta->AsFloat();

    if (IsMidSeg) {
        mid->Kid1 = m->WorkGatedTableKid2->AsFloat();
        mid->KLocate1 = 1;
        mid->K1 = std::max(m->WorkGatedTableK2->AsFloat(), 0.0);
        mid->Kloss = std::max(m->WorkGatedTableML2->AsFloat(), 0.0);
    }

    if (calculatorJob) {
        start->DiaIn = m->WorkGatedTableDiaIn->AsFloat();
        start->GroundElev = m->WorkGatedTableStartElev->AsFloat();
        start->PipeQ = m->WorkGatedTablePipeQ->AsFloat();
    } else {
        // The end node that starts the gated pipe. Without it there is no
        // pipe, flow or grade to start from, and the gated row must not take
        // the values of whatever profile row the cursor stands on.
        if (!m->WorkProfTable->Locate(QStringLiteral("Station"), start->Station))
            return RefuseGatedRun(QStringLiteral("No node of the profile is at the gated pipe start station, ")
                                  + StationTextOf(start->Station) + QStringLiteral("."));
        start->DiaIn = m->WorkProfTableDiaIn->AsFloat();
        start->GroundElev = m->WorkProfTableGroundElev->AsFloat();
        start->PipeQ = m->WorkProfTablePipeQ->AsFloat();
        // The gated row describes the pipe and flow the run takes.
        EditIfBrowsing(m->WorkGatedTable);
        m->WorkGatedTablePipeDescription->SetAsString(m->WorkProfTableDownStreamPipeDescription->AsString());
        m->WorkGatedTablePipeType->SetAsString(m->WorkProfTablePipeType->AsString());
        m->WorkGatedTablePressureRating->SetAsFloat(m->WorkProfTablePressurRating->AsFloat());
        m->WorkGatedTablePipeQ->SetAsFloat(start->PipeQ);
        if (start->DiaIn > 0.0)
            m->WorkGatedTableDiaIn->SetAsFloat(start->DiaIn);
        m->WorkGatedTable->Post();
    }
    mid->PipeQ = start->PipeQ;
    d->PipeQ = start->PipeQ;
    // The intermediate device sits on the same pipe; a loss diameter of 0
    // means that pipe's diameter.
    mid->DiaIn = start->DiaIn;

    if (start->DiaIn <= 0.0)
        return RefuseGatedRun(QStringLiteral("The gated pipe has no inside diameter; choose its pipe."));

    SetStartDevice(*start);
    const QString k2State = m->WorkGatedTableK2State->AsString();
    if (k2State == QLatin1String("K") && mid->K1 > 0.0)
        mid->Kloss = Tul->StationVelocityHeadLoss(0, *mid, *mid, true);

    // A calculator job starts from its own pressure; a line's gated pipe from
    // the grade the line's run left at its end node, less the start device.
    if (calculatorJob)
        start->Hgl = 2.3071244 * m->WorkPipeTablePsiIn->AsFloat() + start->GroundElev - start->Kloss;
    else
        start->Hgl = m->WorkProfTableHgl->AsFloat() - start->Kloss;
    start->Psi = (start->Hgl - start->GroundElev) * 0.43344;

    if (calculatorJob) {
        start->Nfac = m->WorkGatedTableNfac->AsFloat();
        start->Cfac = m->WorkGatedTableCfac->AsFloat();
        start->Efac = m->WorkGatedTableEfac->AsFloat();
        start->PipeDescription = m->WorkGatedTablePipeDescription->AsString();
    } else {
        start->Nfac = m->WorkProfTableNfac->AsFloat();
        start->Cfac = m->WorkProfTableCfac->AsFloat();
        start->Efac = m->WorkProfTableEfac->AsFloat();
        start->PipeDescription = m->WorkProfTableDownStreamPipeDescription->AsString();
    }
    start->StaText = Hyd->StationText(start->Station);

    end->Station = m->WorkGatedTableEndSta->AsFloat();
    end->StaText = Hyd->StationText(end->Station);
    end->GroundElev = m->WorkGatedTableEndElev->AsFloat();
    mid->Station = m->WorkGatedTableMidSta->AsFloat();
    mid->GroundElev = m->WorkGatedTableMidElev->AsFloat();
    mid->K1 = m->WorkGatedTableK2->AsFloat();
    mid->Kid1 = m->WorkGatedTableKid2->AsFloat();
    mid->KLocate1 = 1;
    if (k2State == QLatin1String("K") && m->WorkGatedTableML2->AsFloat() > 0.0)
        mid->Kloss = m->WorkGatedTableML2->AsFloat();

    GateSpace = m->WorkGatedTableGateSpace->AsFloat();
    GateFlow = m->WorkGatedTableGateFlow->AsFloat();
    return QString();
}

RunStatus TGated::RunGatedPipe()
{
    const FrictionFaultWatch friction;
    DeleteGatedRecords();
    GatedStart = new TSta;
    GatedA = new TSta;
    GatedMid = new TSta;
    GatedC = new TSta;
    GatedD = new TSta;
    GatedEnd = new TSta;
    OpenGates = 0;

    if (const QString why = LoadGatedInputs(GatedStart, GatedA, GatedMid, GatedC, GatedD, GatedEnd);
        !why.isEmpty()) {
        DeleteGatedRecords();
        return NotComputedStatus(why);
    }

    TSta& s = *GatedStart;
    TSta& a = *GatedA;
    TSta& mid = *GatedMid;
    TSta& c = *GatedC;
    TSta& d = *GatedD;
    TSta& e = *GatedEnd;
    const double q = s.PipeQ;
    const double length = e.Station - s.Station;

    // What no layout can be made from: no length, no gate spacing, no gate
    // flow, or a flow that does not open one gate.
    QString refusal;
    if (length <= 0.0)
        refusal = QStringLiteral("The end station, ") + StationTextOf(e.Station)
                  + QStringLiteral(", must lie beyond the start station, ") + StationTextOf(s.Station)
                  + QStringLiteral(".");
    else if (GateSpace <= 0.0)
        refusal = QStringLiteral("The gate spacing must be greater than 0.");
    else if (GateFlow <= 0.0)
        refusal = QStringLiteral("The flow per gate must be greater than 0.");
    else if (!(q / GateFlow >= 1.0))
        refusal = QStringLiteral("The flow of ") + FixedText(q, 10, 1) + QStringLiteral(" gpm does not open one gate of ")
                  + FixedText(GateFlow, 10, 1) + QStringLiteral(" gpm.");
    else if (q / GateFlow >= 32768.0)
        refusal = QStringLiteral("Too many gates open at a time; check the flow per gate.");
    if (!refusal.isEmpty()) {
        const QString why = RefuseGatedRun(refusal);
        DeleteGatedRecords();
        return NotComputedStatus(why);
    }

    // Layout of the open segments.
    OpenGates = static_cast<int>(std::trunc(q / GateFlow));
    const double openLen = (1.0 / 12.0) * GateSpace * OpenGates;
    d.Station = e.Station - openLen;
    a.Station = s.Station + openLen;
    d.StaText = Hyd->StationText(d.Station);
    a.StaText = Hyd->StationText(a.Station);

    if (a.Station > d.Station) {
        if (a.Station <= e.Station) {
            ui::MessageDlg(QStringLiteral("Review design. Begin and end segments overlap.  Flow for abutting segments = ")
                               + FixedText((GateSpace / 12.0 * q) / (length * 0.5), 8, 2),
                           ui::MsgType::Error, ui::mbOK);
        } else {
            ui::MessageDlg(QStringLiteral("Too many gates for length of pipe. Minimum flow required = ")
                               + QString::number((GateSpace / 12.0 * q) / length, 'g', 15),
                           ui::MsgType::Error, ui::mbOK);
        }
        mid.PipeQ = 0.0;
        mid.Station = 0.0;
        c.PipeQ = 0.0;
        c.Station = 0.0;
        mid.StaText = a.StaText;
        IsMidSeg = false;
    }

    // An intermediate segment that does not start past the start of the
    // gated pipe has no slope to lay it on; it is left out of this run.
    bool midLeftOut = false;
    if (IsMidSeg && mid.Station <= s.Station) {
        IsMidSeg = false;
        midLeftOut = true;
    }

    if (!IsMidSeg) {
        const double slope = (s.GroundElev - e.GroundElev) / length;
        a.GroundElev = s.GroundElev - slope * openLen;
        d.GroundElev = e.GroundElev + slope * openLen;
    } else {
        c.Station = mid.Station + openLen;
        if (c.Station >= e.Station) {
            c.Station = e.Station;
            mid.Station = e.Station - openLen;
        }
        mid.StaText = Hyd->StationText(mid.Station);
        c.StaText = Hyd->StationText(c.Station);
        a.GroundElev = s.GroundElev - ((s.GroundElev - mid.GroundElev) / (mid.Station - s.Station)) * openLen;
        const double slope2 = (mid.GroundElev - e.GroundElev) / (e.Station - mid.Station);
        c.GroundElev = mid.GroundElev - slope2 * openLen;
        d.GroundElev = e.GroundElev + slope2 * openLen;
    }

    // Hydraulics: closed pipe up to each open segment, then the open segment
    // with its friction reduced by the multiple-outlet factor.
    const double factor = MultipleOutletFactor(OpenGates);
    a.Floss = GatedFriction(a, s, openLen) * factor;
    a.Hgl = s.Hgl - a.Floss;
    mid.Floss = GatedFriction(mid, s, mid.Station - s.Station);
    mid.Hgl = s.Hgl - mid.Floss - mid.Kloss;
    c.Floss = GatedFriction(c, s, openLen) * factor;
    c.Hgl = mid.Hgl - c.Floss;
    d.Floss = GatedFriction(d, s, d.Station - s.Station);
    d.Hgl = s.Hgl - d.Floss - mid.Kloss;
    e.Floss = GatedFriction(e, s, openLen) * factor;
    e.Hgl = d.Hgl - e.Floss;
    for (TSta* r : {GatedA, GatedMid, GatedC, GatedD, GatedEnd})
        r->Psi = (r->Hgl - r->GroundElev) * 0.43344;

    const bool midChosen = DMod->WorkGatedTableIsMidSeg->AsBoolean();
    const double level = Tul->PumpTypeCode == 6 ? StaticLevel : Tul->WSElev;
    for (TSta* r : {GatedStart, GatedA, GatedMid, GatedC, GatedD, GatedEnd})
        r->StatPres = (level - r->GroundElev) * 0.43344;
    if (!midChosen) {
        mid.StatPres = 0.0;
        c.StatPres = 0.0;
    }

    // Checks; only the first finding of clearance, pressure or overlap is recorded.
    s.Warning.clear();
    mid.Warning.clear();
    c.Warning.clear();
    const double centreAndMargin = s.DiaIn / 24.0 + 0.5;
    auto belowGates = [&](const TSta& r) { return r.Hgl < r.GroundElev + centreAndMargin; };
    bool clearanceFails = belowGates(s) || belowGates(a) || belowGates(d) || belowGates(e);
    if (IsMidSeg)
        clearanceFails = clearanceFails || belowGates(mid) || belowGates(c);
    const QString tooHigh =
        QStringLiteral("WARNING..Gated pipe pressure is greater than 10 psi (Too high to operate gates properly).");
    if (clearanceFails) {
        s.Warning += QStringLiteral("ERROR..HGL is below gates + 0.5'... Change flow rate and/or pipe size.");
        ui::MessageDlg(QStringLiteral("HGL is below gates + 0.5 ft .. Change flow rate and/or pipe size."),
                       ui::MsgType::Error, ui::mbOK);
    } else if (s.Psi > 10.0 || a.Psi > 10.0 || d.Psi > 10.0 || e.Psi > 10.0) {
        s.Warning += tooHigh;
    } else if (midChosen && (mid.Psi > 10.0 || c.Psi > 10.0)) {
        s.Warning += tooHigh;
    } else if (a.Station > d.Station) {
        s.Warning += QStringLiteral("WARNING..Review design. Begin and end segments overlap.");
    }
    if (IsMidSeg) {
        if (mid.Station < a.Station) {
            const QString t = QStringLiteral("WARNING..Intermediate open segment overlaps end of first open segment.");
            mid.Warning += t;
            ui::MessageDlg(t, ui::MsgType::Warning, ui::mbOK);
        }
        if (c.Station > d.Station) {
            const QString t = QStringLiteral("WARNING..Intermediate open segment overlaps end of last open segment.");
            c.Warning += t;
            ui::MessageDlg(t, ui::MsgType::Warning, ui::mbOK);
        }
    }
    if (midLeftOut) {
        const QString t = QStringLiteral(
            "WARNING..Intermediate open segment must start past the start of the gated pipe; it was left out.");
        mid.Warning += t;
        ui::MessageDlg(t, ui::MsgType::Warning, ui::mbOK);
    }

    StoreGatedResults();
    RunStatus status;
    friction.Into(status);
    return status;
}

void TGated::StoreGatedResults()
{
    TDMod* m = DMod;
    db::Table* g = m->WorkGatedTable;
    OpenIfClosed(g);
    if (!GatedStart || g->IsEmpty()) {
        DeleteGatedRecords();
        return;
    }
    const TSta& s = *GatedStart;
    const TSta& a = *GatedA;
    const TSta& mid = *GatedMid;
    const TSta& c = *GatedC;
    const TSta& d = *GatedD;
    const TSta& e = *GatedEnd;

    EditIfBrowsing(g);
    QString warning = s.Warning;
    for (const TSta* r : {GatedA, GatedMid, GatedC, GatedD, GatedEnd}) {
        if (!r->Warning.isEmpty())
            warning += QStringLiteral("   ") + r->Warning;
    }
    m->WorkGatedTableWarning->SetAsString(warning);
    m->WorkGatedTableStaAsta->SetAsFloat(a.Station);
    m->WorkGatedTableStaCsta->SetAsFloat(c.Station);
    m->WorkGatedTableStaDsta->SetAsFloat(d.Station);
    SetFixed(m->WorkGatedTableStaAElev, a.GroundElev, 6, 2);
    SetFixed(m->WorkGatedTableStaCElev, c.GroundElev, 6, 2);
    SetFixed(m->WorkGatedTableStaDElev, d.GroundElev, 6, 2);
    SetFixed(m->WorkGatedTableStartHGL, s.Hgl, 6, 2);
    SetFixed(m->WorkGatedTableAHGL, a.Hgl, 6, 2);
    SetFixed(m->WorkGatedTableMidHGL, mid.Hgl, 6, 2);
    SetFixed(m->WorkGatedTableCHGL, c.Hgl, 6, 2);
    SetFixed(m->WorkGatedTableDHGL, d.Hgl, 6, 2);
    SetFixed(m->WorkGatedTableEndHGL, e.Hgl, 6, 2);
    SetFixed(m->WorkGatedTableML1, s.Kloss, 6, 3);
    SetFixed(m->WorkGatedTableML2, mid.Kloss, 6, 3);
    // The method text describes the reach up to the intermediate station.
    const QString method = FrictionMethodText(mid.FrictionMethodUsed, s.Nfac, s.Cfac, mid.FlowType, mid.Re, mid.F);
    if (!method.isEmpty())
        m->WorkGatedTableCalcMethod->SetAsString(method);
    SetFixed(m->WorkGatedTableOpenSegFloss, a.Floss, 6, 2);
    m->WorkGatedTableStartTsta->SetAsString(s.StaText);
    m->WorkGatedTableStaATsta->SetAsString(a.StaText);
    m->WorkGatedTableMidTsta->SetAsString(mid.StaText);
    m->WorkGatedTableStaCTsta->SetAsString(c.StaText);
    m->WorkGatedTableStaDTsta->SetAsString(d.StaText);
    m->WorkGatedTableEndTsta->SetAsString(e.StaText);
    SetFixed(m->WorkGatedTableStartpsi, (s.Hgl - s.GroundElev) * 0.43344, 6, 2);
    SetFixed(m->WorkGatedTableStaApsi, a.Psi, 6, 2);
    SetFixed(m->WorkGatedTableMidpsi, mid.Psi, 6, 2);
    SetFixed(m->WorkGatedTableStaCpsi, c.Psi, 6, 2);
    SetFixed(m->WorkGatedTableStaDpsi, d.Psi, 6, 2);
    SetFixed(m->WorkGatedTableEndpsi, e.Psi, 6, 2);
    SetFixed(m->WorkGatedTableStaAHgl, a.Hgl, 6, 2);
    SetFixed(m->WorkGatedTableStaCHgl, c.Hgl, 6, 2);
    SetFixed(m->WorkGatedTableStaDHgl, d.Hgl, 6, 2);
    SetFixed(m->WorkGatedTableStartStatPres, s.StatPres, 6, 2);
    SetFixed(m->WorkGatedTableStaAStatPres, a.StatPres, 6, 2);
    SetFixed(m->WorkGatedTableMidStatPres, mid.StatPres, 6, 2);
    SetFixed(m->WorkGatedTableStaCStatPres, c.StatPres, 6, 2);
    SetFixed(m->WorkGatedTableStaDStatPres, d.StatPres, 6, 2);
    SetFixed(m->WorkGatedTableEndStatPres, e.StatPres, 6, 2);
    m->WorkGatedTableNoOfGates->SetAsInteger(OpenGates);
    SetFixed(m->WorkGatedTablePipeVel, PipeVelocity(s.PipeQ, s.DiaIn), 6, 2);
    m->WorkGatedTableRchLen->SetAsFloat(e.Station - s.Station);
    m->WorkGatedTablePipeDescription->SetAsString(s.PipeDescription);
    g->Post();
    DeleteGatedRecords();
}
