#include "engine/air_vacuum_orifice.h"

#include "model/number_text.h"

#include <cmath>
#include <initializer_list>
#include <utility>

namespace {

constexpr double kGpmPerCfs = 448.83;
// Hazen-Williams full-pipe flow on D^2, with pi/4 folded in.
constexpr double kHazenFullPipe = 1.035154564;
constexpr double kTwoG = 64.4;
constexpr double kInvPi = 0.3183099524062959;
constexpr double kQuarterPi = 0.785398;
// A pipe that would stand more than this is sized for this vacuum anyway.
constexpr double kCollapseCap = 5.0;
// 2 psi across the air release orifice while the line fills, lb/sq ft.
constexpr double kAirReleaseDp = 288.0;

// Diameter (in) of the orifice passing q cfs at velocity v with coefficient cd.
double OrificeDiameter(double q, double v, double cd)
{
    const double area = q / (v * cd) * 144.0;
    return std::sqrt(4.0 * area * kInvPi);
}

double Stored(double x, int precision, int digits)
{
    return FixedText(x, precision, digits).toDouble();
}

} // namespace

std::optional<AirVacMaterial> AirVacMaterialOf(const QString& material)
{
    if (material == QLatin1String("PVC"))
        return AirVacMaterial{150, 400000, 0.38};
    if (material == QLatin1String("Steel"))
        return AirVacMaterial{100, 30000000, 0.3};
    if (material == QLatin1String("PE"))
        return AirVacMaterial{145, 100000, 0.45};
    return std::nullopt;
}

QString UnknownMaterialMessage(const QString& material)
{
    return QStringLiteral("Unknown pipe material \"%1\": please select PVC, Steel or PE").arg(material);
}

QString WallTooThickMessage()
{
    return QStringLiteral("The pipe wall is too thick for the outside diameter: the outside diameter must be more "
                          "than twice the wall thickness.");
}

AirVacResult ComputeAirVacOrifices(const AirVacInput& in)
{
    AirVacResult r;
    const std::optional<AirVacMaterial> m = AirVacMaterialOf(in.Material);
    if (!m) {
        r.Problem = UnknownMaterialMessage(in.Material);
        return r;
    }
    // Each of these divides, or is raised to a fractional power: none may be
    // zero, negative or missing (a NaN fails the test as well).
    const std::pair<double, const char*> needed[] = {
        {in.WallThick, "You must enter a pipe wall thicness"},
        {in.OD, "You must enter a pipe outside diameter"},
        {in.DiaIn, "You must enter a pipe inside diameter"},
        {in.Modulus, "You must enter Young's modulus for the pipe"},
        {in.SlopeGiven ? in.Slope : in.DrainQ,
         in.SlopeGiven ? "You must enter the pipe slope" : "You must enter the design flow rate for draining the line"},
        {in.FillVel, "You must enter the design filling velocity"},
        {in.AirDen, "You must enter the air density"},
        {in.FlowCoef, "You must enter the orifice flow coefficient"},
    };
    for (const auto& [value, message] : needed) {
        if (!(value > 0) || !std::isfinite(value)) {
            r.Problem = QString::fromLatin1(message);
            return r;
        }
    }
    if (in.OD <= 2.0 * in.WallThick) {
        r.Problem = WallTooThickMessage();
        return r;
    }
    const double nu = m->PoissonsRatio;
    const double C = m->Cfac;
    r.PoissonsRatio = nu;
    r.Cfac = C;

    // The outside diameter stands for the pipe while it drains.
    const double D = in.OD / 12.0;
    const double R = D * 0.25;
    double Q;
    if (in.SlopeGiven) {
        Q = kHazenFullPipe * D * D * C * std::pow(R, 0.63) * std::pow(in.Slope, 0.54);
        r.VacQ = Stored(Q * kGpmPerCfs, 8, 0);
    } else {
        Q = in.DrainQ * (1.0 / kGpmPerCfs);
        r.VacQ = in.DrainQ;
    }

    double P = (2.0 * in.Modulus / (1.0 - nu * nu)) * std::pow(in.WallThick / (12.0 * D), 3);
    if (P > kCollapseCap)
        P = kCollapseCap;
    r.PCollapse = Stored(P, 6, 1);

    // Sized with the capped pressure before it was rounded for storage.
    const double vacVel = std::sqrt(kTwoG * P * 144.0 / in.AirDen);
    r.VacOrifice = Stored(OrificeDiameter(Q, vacVel, in.FlowCoef), 6, 2);

    const double Df = in.DiaIn / 12.0;
    const double Qf = kQuarterPi * Df * Df * in.FillVel;
    const double fillVel = std::sqrt(kTwoG * kAirReleaseDp / in.AirDen);
    r.AirRelOrifice = Stored(OrificeDiameter(Qf, fillVel, in.FlowCoef), 6, 2);
    r.FillQ = Stored(Qf * kGpmPerCfs, 8, 0);
    return r;
}
