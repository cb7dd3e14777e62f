// Air-vacuum valve orifices, worked by hand for a 6 in PVC line:
//   D = 0.5 ft, R = 0.125 ft, C 150, S 0.05:
//   Q = 1.035154564 * 0.25 * 150 * 0.125^0.63 * 0.05^0.54 = 2.0775 cfs = 932.4 gpm
//   P = 2 * 400000 / (1 - 0.38^2) * (0.1 / 6)^3 = 4.329 psi
//   v = sqrt(64.4 * 4.329 * 144 / 0.08) = 708.4 ft/s, A = Q / (0.6 v) * 144 = 0.704 sq in, d = 0.947 in
//   fill: Df = 5.8 / 12, Qf = 0.785398 Df^2 * 1 = 0.1835 cfs = 82.4 gpm,
//         v = sqrt(64.4 * 288 / 0.08) = 481.5 ft/s, d = 0.341 in
#include "engine/air_vacuum_orifice.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

namespace {

AirVacInput SixInchPvc()
{
    AirVacInput in;
    in.Material = "PVC";
    in.FlowCoef = 0.6;
    in.AirDen = 0.08;
    in.Modulus = 400000;
    in.WallThick = 0.1;
    in.OD = 6.0;
    in.DiaIn = 5.8;
    in.SlopeGiven = true;
    in.Slope = 0.05;
    in.FillVel = 1.0;
    return in;
}

void ExpectAllFinite(const AirVacResult& r)
{
    for (double v : {r.PoissonsRatio, r.Cfac, r.VacQ, r.PCollapse, r.VacOrifice, r.AirRelOrifice, r.FillQ})
        EXPECT_TRUE(std::isfinite(v));
}

} // namespace

TEST(AirVacOrificeTest, SixInchPvcLineOnItsSlope)
{
    const AirVacResult r = ComputeAirVacOrifices(SixInchPvc());
    EXPECT_TRUE(r.Problem.isEmpty());
    EXPECT_DOUBLE_EQ(r.VacQ, 932);
    EXPECT_DOUBLE_EQ(r.PCollapse, 4.3);
    EXPECT_DOUBLE_EQ(r.VacOrifice, 0.95);
    EXPECT_DOUBLE_EQ(r.AirRelOrifice, 0.34);
    EXPECT_DOUBLE_EQ(r.FillQ, 82);
    EXPECT_DOUBLE_EQ(r.PoissonsRatio, 0.38);
    EXPECT_DOUBLE_EQ(r.Cfac, 150);
}

TEST(AirVacOrificeTest, ThickWallIsSizedForFivePsi)
{
    // P = 935016 * (0.5 / 6)^3 = 541 psi, capped at 5: 720 lb/sq ft,
    // v = sqrt(64.4 * 720 / 0.08) = 761.3 ft/s, A = 0.655 sq in, d = 0.913 in.
    AirVacInput in = SixInchPvc();
    in.WallThick = 0.5;
    const AirVacResult r = ComputeAirVacOrifices(in);
    EXPECT_DOUBLE_EQ(r.PCollapse, 5.0);
    EXPECT_DOUBLE_EQ(r.VacOrifice, 0.91);
    // The draining flow follows the outside diameter only.
    EXPECT_DOUBLE_EQ(r.VacQ, 932);
}

TEST(AirVacOrificeTest, KnownDrainingFlowIsKeptAndUsed)
{
    // 500 gpm = 1.114 cfs at 708.4 ft/s: A = 0.3774 sq in, d = 0.693 in.
    AirVacInput in = SixInchPvc();
    in.SlopeGiven = false;
    in.Slope = 0;   // not needed by this method
    in.DrainQ = 500;
    const AirVacResult r = ComputeAirVacOrifices(in);
    EXPECT_TRUE(r.Problem.isEmpty());
    EXPECT_DOUBLE_EQ(r.VacQ, 500);
    EXPECT_DOUBLE_EQ(r.VacOrifice, 0.69);
    EXPECT_DOUBLE_EQ(r.PCollapse, 4.3);
}

TEST(AirVacOrificeTest, MaterialDecidesPoissonsRatioAndC)
{
    const auto pe = AirVacMaterialOf("PE");
    ASSERT_TRUE(pe);
    EXPECT_DOUBLE_EQ(pe->Cfac, 145);
    EXPECT_DOUBLE_EQ(pe->Modulus, 100000);
    EXPECT_DOUBLE_EQ(pe->PoissonsRatio, 0.45);
    const auto steel = AirVacMaterialOf("Steel");
    ASSERT_TRUE(steel);
    EXPECT_DOUBLE_EQ(steel->Modulus, 30000000);
    EXPECT_FALSE(AirVacMaterialOf("pvc"));
    EXPECT_FALSE(AirVacMaterialOf(""));

    // Steel, C 100: Q = 621.6 gpm; P = 6e7 / 0.91 * (0.1/6)^3 = 305 psi, capped.
    AirVacInput in = SixInchPvc();
    in.Material = "Steel";
    in.Modulus = 30000000;
    const AirVacResult r = ComputeAirVacOrifices(in);
    EXPECT_DOUBLE_EQ(r.Cfac, 100);
    EXPECT_DOUBLE_EQ(r.PoissonsRatio, 0.3);
    EXPECT_DOUBLE_EQ(r.VacQ, 622);
    EXPECT_DOUBLE_EQ(r.PCollapse, 5.0);
}

TEST(AirVacOrificeTest, UnknownMaterialIsRefusedWithoutResults)
{
    AirVacInput in = SixInchPvc();
    in.Material = "Copper";
    const AirVacResult r = ComputeAirVacOrifices(in);
    EXPECT_EQ(r.Problem, "Unknown pipe material \"Copper\": please select PVC, Steel or PE");
    EXPECT_EQ(r.VacOrifice, 0);
    EXPECT_EQ(r.Cfac, 0);
    ExpectAllFinite(r);
}

TEST(AirVacOrificeTest, ZeroNegativeOrMissingInputsAreNamedAndGiveNoNumbers)
{
    struct Case {
        std::function<void(AirVacInput&, double)> set;
        QString message;
    };
    const Case cases[] = {
        {[](AirVacInput& in, double v) { in.WallThick = v; }, "You must enter a pipe wall thicness"},
        {[](AirVacInput& in, double v) { in.OD = v; }, "You must enter a pipe outside diameter"},
        {[](AirVacInput& in, double v) { in.DiaIn = v; }, "You must enter a pipe inside diameter"},
        {[](AirVacInput& in, double v) { in.Modulus = v; }, "You must enter Young's modulus for the pipe"},
        {[](AirVacInput& in, double v) { in.Slope = v; }, "You must enter the pipe slope"},
        {[](AirVacInput& in, double v) { in.SlopeGiven = false; in.DrainQ = v; },
         "You must enter the design flow rate for draining the line"},
        {[](AirVacInput& in, double v) { in.FillVel = v; }, "You must enter the design filling velocity"},
        {[](AirVacInput& in, double v) { in.AirDen = v; }, "You must enter the air density"},
        {[](AirVacInput& in, double v) { in.FlowCoef = v; }, "You must enter the orifice flow coefficient"},
    };
    const double bad[] = {0.0, -1.0, std::numeric_limits<double>::quiet_NaN(),
                          std::numeric_limits<double>::infinity()};
    for (const Case& c : cases) {
        for (double v : bad) {
            AirVacInput in = SixInchPvc();
            c.set(in, v);
            const AirVacResult r = ComputeAirVacOrifices(in);
            EXPECT_EQ(r.Problem, c.message) << v;
            EXPECT_EQ(r.VacOrifice, 0);
            EXPECT_EQ(r.AirRelOrifice, 0);
            ExpectAllFinite(r);
        }
    }
}
