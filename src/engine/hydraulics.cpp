#include "engine/hydraulics.h"

#include "engine/run_steps.h"
#include "model/data_module.h"
#include "model/number_text.h"
#include "model/station.h"
#include "model/job.h"
#include "platform/ui/seam/msg.h"

#include <cmath>
#include <stdexcept>

JHyd* Hyd = new JHyd;

namespace {

// Water density in slugs per cubic foot (62.4 lb/ft^3 / 32.2 ft/s^2) and the
// bulk modulus of water, psi.
constexpr double kRho = 1.9378881987577639;
constexpr double kWaterBulkModulus = 300000.0;

} // namespace

double JHyd::Interpolate(double frac, double lo, double hi)
{
    return lo + (hi - lo) * frac;
}

int JHyd::RoundHalfUp(double x)
{
    return ::RoundHalfUp(x);
}

QString JHyd::StationText(double station)
{
    if (!std::isfinite(station))
        return {};
    if (station < 0) {
        ui::MessageDlg(QStringLiteral("Can't use negative stations. Please enter positive station"),
                       ui::MsgType::Error, ui::mbOK);
        return {};
    }
    return StationTextOf(station);
}

double JHyd::HazenWilliamsLoss(double D, double Q, double C, double L)
{
    return HazenWilliamsFrictionLoss(D, Q, C, L);
}

double JHyd::ManningLoss(double D, double Q, double n, double L)
{
    return ManningFrictionLoss(D, Q, n, L);
}

void JHyd::WaterViscosity(double T, double& nu)
{
    if (!(T > 32)) { // also a temperature that is not a number
        nu = 3.746e-05;
        return;
    }
    if (T >= 211) {
        nu = 3.17e-06;
        return;
    }
    // WaterTable is left closed. While it is closed in its plain order the
    // data module's kept-open component of the same table answers; an open
    // WaterTable (perhaps holding an edit that the search posts) or one in
    // another order or filtered is searched itself, as it always was.
    db::Table* water = DMod->WaterTable;
    const bool plain = !water->Active() && water->IndexName().isEmpty() && !water->Filtered();
    if (plain)
        water = DMod->WaterLookupTable();
    else if (!water->Active())
        water->Open();
    struct CloseAfter {
        db::Table* t;
        ~CloseAfter() { t->Close(); }
    } closeAfter{DMod->WaterTable};
    db::Field* temp = water->FieldByName(QStringLiteral("Temp"));
    db::Field* viscos = water->FieldByName(QStringLiteral("Viscos"));
    // The first row at or above T + 1 and the row before it: a temperature
    // equal to a row's Temp takes that row as the lower end.
    water->FindNearest({T + 1});
    const double tHi = temp->AsFloat();
    const double nuHi = viscos->AsFloat();
    water->Prior();
    const double tLo = temp->AsFloat();
    const double nuLo = viscos->AsFloat();
    // Two rows of one temperature (or a table of one row) give no interval.
    nu = tHi != tLo ? Interpolate((T - tLo) / (tHi - tLo), nuLo, nuHi) : nuHi;
}

double JHyd::JobWaterTemp()
{
    // The gravity dialogs ask for no temperature: such a job would run at
    // 32 F, not at the water the engineer's defaults describe.
    const double entered = DMod->WorkPipeTableWaterTemp->AsFloat();
    if (entered != 0)
        return entered;
    OpenIfClosed(DMod->DefLocTable);
    return DMod->DefLocTableWaterTemp->AsFloat();
}

double JHyd::ColebrookFriction(double e, double D, double Re)
{
    if (!(D > 0) || !(Re > 0))
        return 0.0;
    const double a = e / (3.7 * D / 12.0);
    const double b = 2.51 / Re;
    auto left = [](double f) { return 1.0 / std::sqrt(f); };
    auto right = [&](double f) { return -2.0 * std::log10(b / std::sqrt(f) + a); };
    // left <= right: f is at or above the root; left >= right: at or below it.
    auto atOrAbove = [&](double f) { return left(f) <= right(f); };
    auto atOrBelow = [&](double f) { return left(f) >= right(f); };

    // 1. Coarse, by 0.01 up to 0.10.
    double r = 0.0;
    bool found = false;
    double f = 0.0;
    for (int k = 0; k < 10; ++k) {
        f += 0.01;
        if (atOrAbove(f)) {
            r = f;
            found = true;
            break;
        }
    }
    if (!found) {
        ++FrictionFaults;
        ui::MessageDlg(kFrictionOutOfRange, ui::MsgType::Error, ui::mbOK);
        return 0.0;
    }

    // 2. Down by 0.001. The root lies above r - 0.01 (the coarse value before r
    // was below it), so when none of the nine trials stops, the loop leaves g
    // on the tenth value of the sequence, the lower end of the bracket.
    double g = r;
    for (g = r - 0.001; g > r - 0.0099; g -= 0.001)
        if (atOrBelow(g))
            break;
    r = g;

    // 3. Up by 0.0001; likewise the tenth value closes the bracket from above.
    for (g = r + 0.0001; g < r + 0.00099; g += 0.0001)
        if (atOrAbove(g))
            break;
    r = g;

    // 4. Down by 0.00001; the next value of the sequence when none stops.
    for (g = r - 0.00001; g > r - 0.000099; g -= 0.00001) {
        if (atOrBelow(g))
            return g;
    }
    return r - 0.0001;
}

double JHyd::DarcyWeisbachLossAt(double nu, double D, double Q, double e, double L,
                                 double& Re, QString& regime, double& f)
{
    if (!(e > 0))
        throw std::invalid_argument("The Darcy-Weisbach roughness e must be above 0.");
    const double V = PipeVelocity(Q, D);
    Re = (nu > 0 && D > 0) ? (D / 12.0) * V / nu : 0.0;
    if (Re <= 2000) {
        regime = QStringLiteral("Laminer");
        // No flow, no loss: 64/Re has no value at Re = 0.
        f = Re > 0 ? 64.0 / Re : 0.0;
    } else if (Re <= 3800) {
        regime = QStringLiteral("Critical");
        const double f3800 = ColebrookFriction(e, D, 3800.0);
        f = Interpolate((Re - 2000.0) * (1.0 / 1800.0), 0.032, f3800);
    } else {
        regime = QStringLiteral("Turbulent");
        f = ColebrookFriction(e, D, Re);
    }
    if (!(D > 0))
        return 0.0;
    return L / (D / 12.0) * f * V * V * kVelHeadFactor;
}

double JHyd::DarcyWeisbachLoss(double D, double Q, double e, double L,
                               double& Re, QString& regime, double& f)
{
    double nu = 0.0;
    WaterViscosity(JobWaterTemp(), nu);
    return DarcyWeisbachLossAt(nu, D, Q, e, L, Re, regime, f);
}

double JHyd::FrictionLossBy(int compMethod, double nu, double D, double Q, double L,
                            double e, double C, double n, double& Re, QString& regime,
                            double& f, int& method)
{
    Re = 0.0;
    f = 0.0;
    regime.clear();
    const int m = UsableFrictionEquation(compMethod, e, C, n);
    switch (m) {
    case kMethodDarcyWeisbach:
        method = m;
        return DarcyWeisbachLossAt(nu, D, Q, e, L, Re, regime, f);
    case kMethodHazenWilliams:
        method = m;
        return HazenWilliamsLoss(D, Q, C, L);
    case kMethodManning:
        method = m;
        return ManningLoss(D, Q, n, L);
    default:
        return 0.0;
    }
}

double JHyd::FrictionLoss(double D, double Q, double L, double e, double C, double n,
                          double& Re, QString& regime, double& f)
{
    if (!DMod->DefSysTable->Active())
        DMod->DefSysTable->Open();
    const int m = DMod->DefSysTableCompMethod->AsInteger();
    // The viscosity look-up reads a table: only Darcy-Weisbach needs it.
    double nu = 0.0;
    if (UsableFrictionEquation(m, e, C, n) == kMethodDarcyWeisbach)
        WaterViscosity(JobWaterTemp(), nu);
    return FrictionLossBy(m, nu, D, Q, L, e, C, n, Re, regime, f, Tul->FrictionMethodUsed);
}

double JHyd::ThrustBlockAreaFor(const QString& fitting, double soil, double D1, double D2, const QString& station)
{
    struct Coef {
        const char* fitting;
        const char* alsoNamed;   // the thrust-block dialog's word for the same fitting
        double cSmall, xSmall, cLarge, xLarge;
    };
    static const Coef table[] = {
        {"Dead End, Tee, or End Valve", "Dead End or Tee", 1.3023, 1.8337, 0.6175, 2.0987},
        {"90 deg Elbow", nullptr, 1.8555, 1.8306, 0.8656, 2.1013},
        {"45 deg Elbow", nullptr, 1.0054, 1.8302, 0.4706, 2.1},
        {"22-1/2 deg Elbow", nullptr, 0.5163, 1.827, 0.2442, 2.0948},
    };
    const bool reducer = fitting == QLatin1String("Reducer");
    const Coef* coef = nullptr;
    for (const Coef& c : table)
        if (fitting == QLatin1String(c.fitting) || (c.alsoNamed && fitting == QLatin1String(c.alsoNamed)))
            coef = &c;
    if (!reducer && !coef)
        return 0.0;
    if (reducer && D1 >= 16)
        return 0.0;
    if (!(D1 > 0))
        return 0.0;
    if (!(soil > 0)) {
        const QString where = station.isEmpty() ? QString() : QStringLiteral(" at station ") + station;
        ui::MessageDlg(QStringLiteral("The soil bearing value") + where +
                           QStringLiteral(" is 0. Enter the soil bearing value of the thrust block to get its area."),
                       ui::MsgType::Warning, ui::mbOK);
        return 0.0;
    }
    if (reducer) {
        const double d2 = D2 > 0 ? D2 : 0.0;
        const double big = D1 >= d2 ? D1 : d2;
        const double small = D1 >= d2 ? d2 : D1;
        return 1.3023 * (std::pow(big, 1.8337) - std::pow(small, 1.8337)) / soil;
    }
    if (D1 < 16)
        return coef->cSmall * std::pow(D1, coef->xSmall) / soil;
    return coef->cLarge * std::pow(D1, coef->xLarge) / soil;
}

double JHyd::ThrustBlockArea(double D1, double D2)
{
    return ThrustBlockAreaFor(DMod->WorkProfTableFitting->AsString(), DMod->WorkProfTableThBlkSoil->AsFloat(), D1,
                              D2, StationText(DMod->WorkProfTableStation->AsFloat()));
}

double JHyd::ValveSize(double D, double surge)
{
    if (surge < 80) {
        if (D <= 6)
            return 2.0;
        if (D < 11)
            return 3.0;
        return 4.0;
    }
    if (D <= 4)
        return 0.5;
    if (D < 9)
        return 1.0;
    if (D < 20.5)
        return 2.0;
    return 0.1 * D;
}

double JHyd::SurgePressure(double E, double D, double t, double V)
{
    if (!(E > 0) || D < 0)
        return 0.0;
    if (!(t > 0)) {
        ui::MessageDlg(QStringLiteral("The pipe wall thickness is 0, so the surge pressure can't "
                                      "be computed. Enter the wall thickness in the pipe data."),
                       ui::MsgType::Warning, ui::mbOK);
        return 0.0;
    }
    const double a = 12.0 * std::sqrt(kWaterBulkModulus * E /
                                      ((kWaterBulkModulus * D / t + E) * kRho));
    return kRho * a * V / 144.0;
}

// ---------------------------------------------------------------------------
// Suction analysis of a centrifugal pump.

namespace {

// Share of the available suction head the suction line may use.
constexpr double kSuctionPassFactor = 0.7;

// Frees the station records however the analysis is left.
struct SuctionRecordsGuard {
    ~SuctionRecordsGuard() { FreeStationRecords(); }
};

} // namespace

RunStatus JHyd::SuctionAnalysis()
{
    db::Table* suc = DMod->WorkSuctionTable;
    OpenIfClosed(suc);
    // The segment count is the analysis' own: the job's node count belongs
    // to the profile.
    const int n = suc->RecordCount();
    if (n > kMaxStations) {
        const QString why = QStringLiteral("The suction line has %1 segments. The suction analysis can "
                                           "take at most %2; please combine segments.")
                                .arg(n)
                                .arg(kMaxStations);
        ui::MessageDlg(why, ui::MsgType::Error, ui::mbOK);
        return NotComputedStatus(why);
    }
    const FrictionFaultWatch friction;

    SuctionRecordsGuard guard;
    CreateStationRecords(n);
    // Every segment carries the job's design flow, whatever a row was left with.
    OpenIfClosed(DMod->WorkPipeTable);
    const double flow = DMod->WorkPipeTableDesignFlow->AsFloat();
    suc->First();
    for (int i = 0; i < n; ++i) {
        TSta& s = *psta[i];
        s.PipeLength = DMod->WorkSuctionTablePipeLength->AsFloat();
        s.PipeQ = flow;
        s.DiaIn = DMod->WorkSuctionTableDiaIn->AsFloat();
        s.Nfac = DMod->WorkSuctionTableNfac->AsFloat();
        s.Cfac = DMod->WorkSuctionTableCfac->AsFloat();
        s.Efac = DMod->WorkSuctionTableEfac->AsFloat();
        s.K1 = DMod->WorkSuctionTableK1->AsFloat();
        s.K2 = DMod->WorkSuctionTableK2->AsFloat();
        s.K3 = DMod->WorkSuctionTableK3->AsFloat();
        s.Kid1 = DMod->WorkSuctionTableKid1->AsFloat();
        s.Kid2 = DMod->WorkSuctionTableKid2->AsFloat();
        s.Kid3 = DMod->WorkSuctionTableKid3->AsFloat();
        s.KLocate1 = KLocateCodeOf(DMod->WorkSuctionTableKLocate1->AsString());
        s.KLocate2 = KLocateCodeOf(DMod->WorkSuctionTableKLocate2->AsString());
        s.KLocate3 = KLocateCodeOf(DMod->WorkSuctionTableKLocate3->AsString());
        suc->Next();
    }

    double totalLoss = 0.0;
    double V = 0.0; // of the segment at the pump
    suc->First();
    for (int i = 0; i < n; ++i) {
        TSta& s = *psta[i];
        suc->Edit();
        V = s.PipeQ * kCfsPerGpm / (kSqFtPerSqIn * s.DiaIn * s.DiaIn);
        if (!std::isfinite(V))
            V = 0.0; // a segment without a pipe
        s.vel = V;
        s.Floss = FrictionLoss(s.DiaIn, s.PipeQ, s.PipeLength, s.Efac, s.Cfac, s.Nfac, s.Re,
                               s.FlowType, s.F);
        s.FrictionMethodUsed = Tul->FrictionMethodUsed;
        const QString method = FrictionMethodText(s.FrictionMethodUsed, s.Nfac, s.Cfac, s.FlowType,
                                                  s.Re, s.F);
        if (!method.isEmpty())
            DMod->WorkSuctionTableCalcMethod->SetAsString(method);
        SetFixed(DMod->WorkSuctionTableVel, V, 6, 3);
        SetFixed(DMod->WorkSuctionTableFloss, s.Floss, 6, 3);
        DMod->WorkSuctionTableRe->SetAsFloat(s.Re);
        DMod->WorkSuctionTableFlowType->SetAsString(s.FlowType);
        SetFixed(DMod->WorkSuctionTableF, s.F, 6, 3);
        DMod->WorkSuctionTablePipeQ->SetAsFloat(flow);
        DMod->WorkSuctionTableNodeType->SetAsInteger(i == 0 ? 0 : 1);
        DMod->WorkSuctionTableSegmentNo->SetAsInteger(i + 1);
        const TSta& up = i == 0 ? s : *psta[i - 1];
        s.Kloss = 0.0;
        for (int slot = 0; slot < 3; ++slot)
            s.Kloss += Tul->StationVelocityHeadLoss(slot, s, up, i == 0);
        SetFixed(DMod->WorkSuctionTableKloss, s.Kloss, 6, 3);
        totalLoss += s.Floss + s.Kloss;
        suc->Post();
        suc->Next();
    }

    db::Table* pipe = DMod->WorkPipeTable;
    OpenIfClosed(pipe);
    const double tdsh = (DMod->WorkPipeTablePumpEyeElev->AsFloat()
                         - DMod->WorkPipeTableWSElev->AsFloat())
                        + totalLoss + V * V * kVelHeadFactor;
    Tul->tdsh = tdsh;
    const double T = JobWaterTemp();
    const double ash = (33.91 - 0.00117 * DMod->WorkPipeTableAltitude->AsFloat())
                       - (0.6 - 0.026 * T + 0.000422 * T * T);

    EditIfBrowsing(pipe);
    SetFixed(DMod->WorkPipeTableAvailSH, ash, 6, 2);
    SetFixed(DMod->WorkPipeTableTDSH, tdsh, 6, 2);
    SetFixed(DMod->WorkPipeTableColumnLoss, totalLoss, 6, 2);
    pipe->Post();

    if (!(kSuctionPassFactor * ash > tdsh)) {
        // Both heads by name and unit, and what to change; nothing is asked.
        auto ft = [](double x) { return FixedText(x, 6, 2) + QStringLiteral(" ft"); };
        const QString remedy = QStringLiteral(" Lower the pump eye elevation or reduce the suction line's friction.");
        if (tdsh > ash)
            ui::MessageDlg(QStringLiteral("The total dynamic suction head (TDSH) of ") + ft(tdsh) + QStringLiteral(" is ")
                               + ft(tdsh - ash) + QStringLiteral(" more than the available suction head of ") + ft(ash)
                               + QStringLiteral(": the pump cannot draw its water.") + remedy,
                           ui::MsgType::Error, ui::mbOK);
        else
            ui::MessageDlg(QStringLiteral("The total dynamic suction head (TDSH) of ") + ft(tdsh)
                               + QStringLiteral(" is within ") + ft(ash - tdsh)
                               + QStringLiteral(" of the available suction head of ") + ft(ash)
                               + QStringLiteral("; it should stay below 70% of it, ") + ft(kSuctionPassFactor * ash)
                               + QStringLiteral(".") + remedy,
                           ui::MsgType::Warning, ui::mbOK);
    }
    RunStatus status;
    friction.Into(status);
    return status;
}
