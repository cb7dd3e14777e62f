#include "engine/hydraulics.h"
#include "model/number_text.h"
#include "model/job.h"
#include "platform/ui/seam/msg.h"
#include "support/dialogdriver.h"

#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>
#include <vector>

namespace {


// Independent Colebrook-White root by bisection.
double colebrookRoot(double e, double D, double Re)
{
    const double a = e / (3.7 * D / 12.0), b = 2.51 / Re;
    double lo = 1e-4, hi = 0.2;
    for (int i = 0; i < 200; ++i) {
        const double m = (lo + hi) / 2;
        if (1 / std::sqrt(m) <= -2 * std::log10(b / std::sqrt(m) + a))
            hi = m;
        else
            lo = m;
    }
    return lo;
}

} // namespace

TEST(StationText, HundredsPlusTwoDigitsRoundedHalfUp)
{
    JHyd h;
    const struct {
        double sta;
        const char* text;
    } cases[] = {{0, "0+00"},     {0.4, "0+00"},    {0.49, "0+00"}, {0.5, "0+01"},
                 {5, "0+05"},     {9.5, "0+10"},    {42.5, "0+43"}, {99.49, "0+99"},
                 {99.5, "1+00"},  {100, "1+00"},    {1234, "12+34"}, {1234.5, "12+35"},
                 {123456, "1234+56"}};
    DialogDriver log;
    for (const auto& c : cases)
        EXPECT_EQ(h.StationText(c.sta), QString(c.text)) << c.sta;
    EXPECT_TRUE(log.Messages().empty());
}

TEST(StationText, NegativeStationSaysSoAndGivesEmptyText)
{
    JHyd h;
    DialogDriver log;
    EXPECT_EQ(h.StationText(-5), QString());
    ASSERT_EQ(log.Messages().size(), 1u);
    EXPECT_EQ(log.Messages()[0].text, QString("Can't use negative stations. Please enter positive station"));
    EXPECT_EQ(log.Messages()[0].type, ui::MsgType::Error);
    EXPECT_EQ(log.Messages()[0].buttons, ui::mbOK);
}

TEST(RoundHalfUp, HalfGoesUpAndNegativesTruncate)
{
    JHyd h;
    EXPECT_EQ(h.RoundHalfUp(2.5), 3);
    EXPECT_EQ(h.RoundHalfUp(2.4999), 2);
    EXPECT_EQ(h.RoundHalfUp(-2.7), -2);
    EXPECT_EQ(h.RoundHalfUp(std::nan("")), 0);
    EXPECT_DOUBLE_EQ(h.Interpolate(0.25, 10, 20), 12.5);
}

TEST(FrictionEquations, HazenWilliamsAndManningAgainstHandCalculation)
{
    JHyd h;
    // 10.4057 x 1000 x (448.83/150)^1.85185 / 8^4.87037
    //   = 10405.7 x 7.60087... / 24991.3... = 3.164842835 ft
    EXPECT_NEAR(h.HazenWilliamsLoss(8, 448.83, 150, 1000), 3.16484283510538, 1e-9);
    // V = 300/448.83 / (0.0054542 x 36) = 3.404127494 ft/s;
    // 5087 x 0.011^2 / 6^1.33333 x V^2 / 64.4 x 1000 = 10.15875458 ft
    EXPECT_NEAR(h.ManningLoss(6, 300, 0.011, 1000), 10.1587545769485, 1e-8);
    // Loss is linear in length: per 100 ft is a tenth.
    EXPECT_NEAR(h.ManningLoss(6, 300, 0.011, 100), 1.01587545769485, 1e-9);
}

TEST(FrictionEquations, NoInputGivesANonFiniteLoss)
{
    JHyd h;
    double Re = 1, f = 1;
    QString regime;
    EXPECT_EQ(h.HazenWilliamsLoss(0, 300, 150, 1000), 0.0);
    EXPECT_EQ(h.ManningLoss(0, 300, 0.011, 1000), 0.0);
    EXPECT_EQ(h.DarcyWeisbachLossAt(3.746e-05, 0, 300, 0.00015, 1000, Re, regime, f), 0.0);
    EXPECT_EQ(Re, 0.0);
    // No flow: laminar without a factor, and no loss.
    EXPECT_EQ(h.DarcyWeisbachLossAt(3.746e-05, 6, 0, 0.00015, 1000, Re, regime, f), 0.0);
    EXPECT_EQ(regime, QString("Laminer"));
    EXPECT_EQ(f, 0.0);
    EXPECT_EQ(h.ColebrookFriction(0.00015, 6, 0), 0.0);
}

// A factor of 0 or below describes no pipe: each equation refuses it rather
// than giving a reach no friction. No flow is still no loss.
TEST(FrictionEquations, AFactorNotAboveZeroIsRefusedNotALossOfZero)
{
    JHyd h;
    double Re = 0, f = 0;
    QString regime;
    for (double bad : {0.0, -150.0, std::nan("")}) {
        EXPECT_THROW(h.HazenWilliamsLoss(6, 300, bad, 1000), std::invalid_argument) << bad;
        EXPECT_THROW(h.ManningLoss(6, 300, bad, 1000), std::invalid_argument) << bad;
        EXPECT_THROW(h.DarcyWeisbachLossAt(3.746e-05, 6, 300, bad, 1000, Re, regime, f), std::invalid_argument)
            << bad;
    }
    EXPECT_EQ(h.HazenWilliamsLoss(6, 0, 150, 1000), 0.0);
    EXPECT_EQ(h.ManningLoss(6, 0, 0.011, 1000), 0.0);
}

TEST(FrictionEquations, ADiameterWhosePowersUnderflowGivesNoDivisionByZero)
{
    JHyd h;
    double Re = 1, f = 1;
    QString regime;
    const double tiny = 1e-300;   // D x D and D^4.87 are zero in doubles
    EXPECT_EQ(PipeVelocity(300, tiny), 0.0);
    EXPECT_EQ(h.HazenWilliamsLoss(tiny, 300, 150, 1000), 0.0);
    EXPECT_EQ(h.ManningLoss(tiny, 300, 0.011, 1000), 0.0);
    const double dw = h.DarcyWeisbachLossAt(3.746e-05, tiny, 300, 0.00015, 1000, Re, regime, f);
    EXPECT_TRUE(std::isfinite(dw));
    EXPECT_TRUE(std::isfinite(Re));
}

TEST(DarcyWeisbach, TurbulentReachMatchesStoredMethodText)
{
    JHyd h;
    double Re = 0, f = 0;
    QString regime;
    // V = 3.404127494 ft/s; Re = 0.5 x V / 3.746e-05 = 45436.83;
    // Colebrook root 0.0223293, the search stops at 0.02232 (step 0.00001 below it);
    // loss = 1000/0.5 x 0.02232 x V^2/64.4 = 8.03248555 ft.
    const double loss = h.DarcyWeisbachLossAt(3.746e-05, 6, 300, 0.00015, 1000, Re, regime, f);
    EXPECT_NEAR(Re, 45436.8325423735, 1e-6);
    EXPECT_NEAR(f, 0.02232, 1e-12);
    EXPECT_NEAR(loss, 8.03248555244774, 1e-8);
    const QString text = "Darcy Weisbach, " + regime + ", Re=" + FixedText(Re, 10, 0) +
                         ", F=" + FixedText(f, 7, 5);
    EXPECT_EQ(text, QString("Darcy Weisbach, Turbulent, Re=45437, F=0.02232"));
}

TEST(DarcyWeisbach, RegimeBoundaries)
{
    JHyd h;
    double Re = 0, f = 0;
    QString regime;
    // Pick nu so that Re is exactly 2000 and 3800 for D = 12 in (D/12 = 1).
    const double V = PipeVelocity(500, 12);
    h.DarcyWeisbachLossAt(V / 2000.0, 12, 500, 0.00015, 100, Re, regime, f);
    EXPECT_EQ(regime, QString("Laminer"));
    EXPECT_NEAR(f, 64.0 / 2000.0, 1e-12);
    h.DarcyWeisbachLossAt(V / 3800.0, 12, 500, 0.00015, 100, Re, regime, f);
    EXPECT_EQ(regime, QString("Critical"));
    EXPECT_NEAR(f, h.ColebrookFriction(0.00015, 12, 3800), 1e-12);
    // Half-way through the critical zone: half-way between 0.032 and f3800.
    h.DarcyWeisbachLossAt(V / 2900.0, 12, 500, 0.00015, 100, Re, regime, f);
    EXPECT_NEAR(f, 0.032 + (h.ColebrookFriction(0.00015, 12, 3800) - 0.032) * 0.5, 1e-9);
}

TEST(Colebrook, RootInBottomTenthOfBracketIsFound)
{
    JHyd h;
    // D 8 in, 448.83 gpm at 32 F: V = 2.8647 ft/s, Re = (8/12) V / 3.746e-05 = 50983.5;
    // e 0.000005 ft: the root 0.0208284 lies in the bottom tenth of 0.02 .. 0.03.
    const double f = h.ColebrookFriction(0.000005, 8, 50983.5338749837);
    EXPECT_NEAR(f, 0.02082, 1e-10);
    EXPECT_EQ(FixedText(f, 7, 4), QString("0.0208"));
}

TEST(Colebrook, WithinLastStepOfRootOverTheWholeRange)
{
    JHyd h;
    DialogDriver log;
    const double rough[] = {0, 1e-6, 1e-5, 1e-4, 5e-4, 1e-3, 3e-3, 1e-2, 2e-2, 3.3e-2, 5e-2};
    for (int k = 0; k <= 90; ++k) {
        const double Re = 3801.0 * std::pow(10.0, k / 20.0); // 3801 .. 1.2e8
        for (double rr : rough) {
            const double D = 6, e = rr * D / 12;
            const double f = h.ColebrookFriction(e, D, Re);
            const double root = colebrookRoot(e, D, Re);
            EXPECT_LE(std::fabs(f - root), 1e-5 + 1e-12) << "Re " << Re << " e/D " << rr;
        }
    }
    EXPECT_TRUE(log.Messages().empty());
}

TEST(Colebrook, FactorAboveTenthSaysOutOfRange)
{
    JHyd h;
    DialogDriver log;
    // Relative roughness 0.5 needs f above 0.10.
    EXPECT_EQ(h.ColebrookFriction(0.25, 6, 1e6), 0.0);
    ASSERT_EQ(log.Messages().size(), 1u);
    EXPECT_EQ(log.Messages()[0].text, QString("Darcy Weisbach friction won't compute. Out of range."));
}

TEST(FrictionLossBy, MethodOrderOfEachCompMethod)
{
    JHyd h;
    double Re, f;
    QString regime;
    const double nu = 3.746e-05;
    const double hw = h.HazenWilliamsLoss(6, 300, 150, 1000);
    const double mn = h.ManningLoss(6, 300, 0.011, 1000);
    double dwRe, dwF;
    QString dwRegime;
    const double dw = h.DarcyWeisbachLossAt(nu, 6, 300, 0.00015, 1000, dwRe, dwRegime, dwF);

    struct Case {
        int m;
        double e, C, n;
        int method;
        double loss;
    } cases[] = {
        {0, 0.00015, 150, 0.011, kMethodDarcyWeisbach, dw},
        {1, 0.00015, 150, 0.011, kMethodDarcyWeisbach, dw},
        {1, 0, 150, 0.011, kMethodHazenWilliams, hw},
        {1, 0, 0, 0.011, kMethodManning, mn},
        {2, 0.00015, 150, 0.011, kMethodHazenWilliams, hw},
        {2, 0.00015, 0, 0.011, kMethodDarcyWeisbach, dw},
        {3, 0.00015, 0, 0.011, kMethodManning, mn},
        {3, 0.00015, 0, 0, kMethodDarcyWeisbach, dw},
        {4, 0, 150, 0.011, kMethodHazenWilliams, hw},
        {4, 0, 0, 0.011, kMethodManning, mn},
    };
    for (const Case& c : cases) {
        int method = -7;
        const double loss = h.FrictionLossBy(c.m, nu, 6, 300, 1000, c.e, c.C, c.n, Re, regime, f, method);
        EXPECT_EQ(method, c.method) << "m " << c.m;
        EXPECT_NEAR(loss, c.loss, 1e-9) << "m " << c.m;
        if (c.method == kMethodDarcyWeisbach) {
            EXPECT_EQ(regime, QString("Turbulent"));
            EXPECT_NEAR(Re, dwRe, 1e-9);
        } else {
            EXPECT_EQ(Re, 0.0);
            EXPECT_EQ(f, 0.0);
            EXPECT_TRUE(regime.isEmpty());
        }
    }
}

TEST(FrictionLossBy, NoUsableEquationKeepsMethodAndGivesZero)
{
    JHyd h;
    double Re = 5, f = 5;
    QString regime = "x";
    int method = kMethodManning;
    // CompMethod 4 ignores a roughness; 0 ignores C and n; 9 selects nothing.
    EXPECT_EQ(h.FrictionLossBy(4, 3.746e-05, 6, 300, 1000, 0.00015, 0, 0, Re, regime, f, method), 0.0);
    EXPECT_EQ(h.FrictionLossBy(0, 3.746e-05, 6, 300, 1000, 0, 150, 0.011, Re, regime, f, method), 0.0);
    EXPECT_EQ(h.FrictionLossBy(9, 3.746e-05, 6, 300, 1000, 0.00015, 150, 0.011, Re, regime, f, method), 0.0);
    EXPECT_EQ(method, kMethodManning);
    EXPECT_EQ(Re, 0.0);
    EXPECT_EQ(f, 0.0);
    EXPECT_TRUE(regime.isEmpty());
}

TEST(ThrustBlock, AreaByFittingAndSize)
{
    JHyd h;
    // 1.8555 x 8^1.8306 / 2000 = 1.8555 x 44.99834 / 2000 = 0.04174721; 0.8656 x 18^2.1013 / 2000
    EXPECT_NEAR(h.ThrustBlockAreaFor("90 deg Elbow", 2000, 8, 0), 1.8555 * std::pow(8, 1.8306) / 2000, 1e-12);
    EXPECT_NEAR(h.ThrustBlockAreaFor("90 deg Elbow", 2000, 8, 0), 0.0417472135, 1e-9);
    EXPECT_NEAR(h.ThrustBlockAreaFor("90 deg Elbow", 2000, 18, 0), 0.8656 * std::pow(18, 2.1013) / 2000, 1e-12);
    EXPECT_NEAR(h.ThrustBlockAreaFor("22-1/2 deg Elbow", 1500, 16, 0), 0.2442 * std::pow(16, 2.0948) / 1500, 1e-12);
    // Reducer: same area whichever diameter comes first, 0 from 16 in up.
    const double r1 = h.ThrustBlockAreaFor("Reducer", 2000, 10, 6);
    EXPECT_NEAR(r1, 1.3023 * (std::pow(10, 1.8337) - std::pow(6, 1.8337)) / 2000, 1e-12);
    EXPECT_NEAR(h.ThrustBlockAreaFor("Reducer", 2000, 6, 10), r1, 1e-12);
    EXPECT_EQ(h.ThrustBlockAreaFor("Reducer", 2000, 16, 10), 0.0);
    // Fitting texts compare exactly.
    EXPECT_EQ(h.ThrustBlockAreaFor("90 deg elbow", 2000, 8, 0), 0.0);
}

TEST(ThrustBlock, ZeroSoilBearingWarnsInsteadOfDividing)
{
    JHyd h;
    DialogDriver log;
    EXPECT_EQ(h.ThrustBlockAreaFor("45 deg Elbow", 0, 8, 0), 0.0);
    EXPECT_EQ(log.Messages().size(), 1u);
    // No fitting: nothing to compute, nothing to say.
    EXPECT_EQ(h.ThrustBlockAreaFor("", 0, 8, 0), 0.0);
    EXPECT_EQ(log.Messages().size(), 1u);
}

TEST(ValveAndSurge, ValveSizeTableEdges)
{
    JHyd h;
    EXPECT_EQ(h.ValveSize(6, 79.9), 2.0);
    EXPECT_EQ(h.ValveSize(10.9, 10), 3.0);
    EXPECT_EQ(h.ValveSize(11, 10), 4.0);
    EXPECT_EQ(h.ValveSize(4, 80), 0.5);
    EXPECT_EQ(h.ValveSize(8.9, 80), 1.0);
    EXPECT_EQ(h.ValveSize(9, 80), 2.0);
    EXPECT_EQ(h.ValveSize(20.4, 200), 2.0);
    EXPECT_NEAR(h.ValveSize(24, 200), 2.4, 1e-12);
}

TEST(ValveAndSurge, SurgePressureHandCalculation)
{
    JHyd h;
    // PVC: E 400000 psi, D 6 in, t 0.3 in:
    // a = 12 sqrt(3e5 x 4e5 / ((3e5 x 20 + 4e5) x 1.93788820)) = 12 x 98.364022 = 1180.36826 ft/s
    // surge = 1.93788820 x 1180.36826 x 3 / 144 = 47.654619 psi
    const double a = 12 * std::sqrt(300000.0 * 400000 / ((300000.0 * 6 / 0.3 + 400000) * 1.9378881987577639));
    EXPECT_NEAR(a, 1180.36826066, 1e-6);
    EXPECT_NEAR(h.SurgePressure(400000, 6, 0.3, 3), 1.9378881987577639 * a * 3 / 144, 1e-9);
    EXPECT_NEAR(h.SurgePressure(400000, 6, 0.3, 3), 47.6546192191, 1e-8);
    DialogDriver log;
    EXPECT_EQ(h.SurgePressure(400000, 6, 0, 3), 0.0);
    EXPECT_EQ(log.Messages().size(), 1u);
    EXPECT_EQ(h.SurgePressure(0, 6, 0.3, 3), 0.0);
}
