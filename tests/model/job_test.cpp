#include "model/number_text.h"
#include "model/station.h"
#include "model/job.h"
#include "platform/ui/seam/msg.h"
#include "support/dialogdriver.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <new>
#include <limits>
#include <vector>


TEST(KeywordCodes, SystemTypeLeavesUnknownKeywordsUnchanged)
{
    EXPECT_EQ(SysTypeCodeOf("GRAVITY", 9), 0);
    EXPECT_EQ(SysTypeCodeOf("FULLFLOW", 9), 1);
    EXPECT_EQ(SysTypeCodeOf("PUMPED", 9), 2);
    EXPECT_EQ(SysTypeCodeOf("PRESSURE", 9), 3);
    EXPECT_EQ(SysTypeCodeOf("MANIFOLD", 9), 4);
    EXPECT_EQ(SysTypeCodeOf("GATED", 9), 9);
    EXPECT_EQ(SysTypeCodeOf("gravity", 2), 2);
    EXPECT_EQ(SysTypeCodeOf("", 3), 3);
    for (int c = 0; c <= 4; ++c)
        EXPECT_EQ(SysTypeCodeOf(SysTypeKeyword(c), -1), c);
    EXPECT_EQ(SysTypeKeyword(5), QString("GATED"));
    EXPECT_EQ(SysTypeKeyword(6), QString());
}

TEST(KeywordCodes, PumpTypeMatchesWholeKeywordsOnly)
{
    EXPECT_EQ(PumpTypeCodeOf("CENTRIF"), 1);
    EXPECT_EQ(PumpTypeCodeOf("TURBINE"), 2);
    EXPECT_EQ(PumpTypeCodeOf("PROPELLER"), 3);
    EXPECT_EQ(PumpTypeCodeOf("BOOSTER"), 4);
    EXPECT_EQ(PumpTypeCodeOf("PRESSFIND"), 5);
    EXPECT_EQ(PumpTypeCodeOf("PRESSKNOWN"), 6);
    EXPECT_EQ(PumpTypeCodeOf("AUTOPUMP"), 7);
    EXPECT_EQ(PumpTypeCodeOf("INLINE BOOSTER"), 8);
    EXPECT_EQ(PumpTypeCodeOf(""), 0);
    EXPECT_EQ(PumpTypeCodeOf("BOOSTER "), 0);
    EXPECT_EQ(PumpTypeCodeOf("centrif"), 0);
    for (int c = 1; c <= 8; ++c)
        EXPECT_EQ(PumpTypeCodeOf(PumpTypeKeyword(c)), c);
}

TEST(KeywordCodes, ReachKeywordsAndLossLocation)
{
    const char* kw[] = {"GRAVBEG", "GRAVMID",  "GRAVEND", "GRAVGATED", "GRAVMULTI",
                        "GRAVTRICKLE", "FULLBEG", "FULLMID", "FULLEND", "PUMPBEG",
                        "PUMPMID", "PUMPEND",  "PUMPGATED", "PUMPMULTI", "PUMPTRICKLE"};
    for (int c = 0; c < 15; ++c) {
        EXPECT_EQ(ReachCodeOf(kw[c]), c);
        EXPECT_EQ(ReachKeyword(c), QString(kw[c]));
    }
    EXPECT_EQ(ReachCodeOf("gravbeg"), -1);
    EXPECT_EQ(ReachCodeOf(""), -1);
    EXPECT_EQ(KLocateCodeOf("US"), 0);
    for (const char* other : {"us", "DS", "SP", "NA", "", "US "})
        EXPECT_EQ(KLocateCodeOf(other), 1) << other;
}

TEST(KeywordCodes, NodeAndInvertTexts)
{
    EXPECT_EQ(NodeTypeText(0), QString("Pipe entrance (any type)"));
    EXPECT_EQ(NodeTypeText(6), QString("End of line, start manifold segment"));
    EXPECT_EQ(NodeTypeCodeOf("In line w/booster pump"), 2);
    EXPECT_EQ(NodeTypeCodeOf("End of line, start gated pipe"), 5);
    EXPECT_EQ(NodeTypeText(7), QString());
    EXPECT_EQ(InvElMethodCodeOf("Give depth to top of pipe (pipe cover)"), 0);
    EXPECT_EQ(InvElMethodText(1), QString("Enter invert elevation directly"));
    EXPECT_EQ(InvElMethodCodeOf("Set invert at ground level"), 2);
    EXPECT_EQ(InvElMethodCodeOf("set invert at ground level"), -1);
}

TEST(JobObject, StartsAsANewEmptyJob)
{
    TTul t;
    EXPECT_TRUE(t.NewJob);
    EXPECT_FALSE(t.StoredJob);
    EXPECT_EQ(t.SaveState, 2);
    EXPECT_TRUE(t.NewNode);
    EXPECT_TRUE(t.DetailedML);
    EXPECT_TRUE(t.FirstPoint);
    EXPECT_FALSE(t.JobListCancelled);
    EXPECT_EQ(t.NumNodes, 0);
    EXPECT_EQ(t.SysTypeCode, 0);
    EXPECT_EQ(t.PumpTypeCode, 0);
    EXPECT_EQ(t.FrictionMethodUsed, 0);
    EXPECT_EQ(t.WSElev, 0.0);
    EXPECT_EQ(t.DesignFlowCfs, 0.0);
    EXPECT_TRUE(t.JobName.isEmpty());
    EXPECT_TRUE(t.MotorSize.isEmpty());
    ASSERT_NE(Tul, nullptr); // created before the program's entry
}

TEST(StationRecord, EveryMemberStartsAtZero)
{
    // Construct over a dirty buffer: members without an initial value would
    // keep the garbage.
    alignas(TSta) unsigned char buf[sizeof(TSta)];
    std::memset(buf, 0xA5, sizeof buf);
    TSta* s = new (buf) TSta;
    EXPECT_EQ(s->ReachCode, 0);
    EXPECT_EQ(s->Station, 0.0);
    EXPECT_EQ(s->vel, 0.0);
    EXPECT_EQ(s->Hgl, 0.0);
    EXPECT_EQ(s->Egl, 0.0);
    EXPECT_EQ(s->Psi, 0.0);
    EXPECT_EQ(s->StatPres, 0.0);
    EXPECT_EQ(s->Re, 0.0);
    EXPECT_EQ(s->F, 0.0);
    EXPECT_EQ(s->Floss, 0.0);
    EXPECT_EQ(s->Kloss, 0.0);
    EXPECT_EQ(s->KLocate3, 0);
    EXPECT_EQ(s->Kid3, 0.0);
    EXPECT_EQ(s->CostFt, 0.0);
    EXPECT_EQ(s->FrictionMethodUsed, 0);
    EXPECT_EQ(s->HighPointDiaIn, 0.0);
    EXPECT_EQ(s->Modulus, 0.0);
    EXPECT_TRUE(s->Warning.isEmpty());
    s->~TSta();
}

TEST(StationRecord, RunsRefuseProfilesOutsideTwoToHundredNodes)
{
    DialogDriver log;
    EXPECT_TRUE(StationCountRefusal(2).isEmpty());
    EXPECT_TRUE(StationCountRefusal(100).isEmpty());
    EXPECT_TRUE(log.Messages().empty());
    EXPECT_TRUE(StationCountRefusal(101).contains("101"));
    EXPECT_FALSE(StationCountRefusal(1).isEmpty());
    EXPECT_FALSE(StationCountRefusal(0).isEmpty());
    ASSERT_EQ(log.Messages().size(), 3u);
    EXPECT_TRUE(log.Messages()[0].text.contains("101"));
    EXPECT_EQ(log.Messages()[0].type, ui::MsgType::Error);

    CreateStationRecords(150);
    int made = 0;
    for (TSta* s : psta)
        made += s != nullptr;
    EXPECT_EQ(made, 100);
    FreeStationRecords();
    for (TSta* s : psta)
        EXPECT_EQ(s, nullptr);
}

TEST(PressureRatings, SeventyTwoPercentAtInnerNode)
{
    TTul t;
    t.CheckRatings = true;
    QString w = "old";
    EXPECT_EQ(t.CheckPressureRatings(2, 0, 80, 100, 100, w), 1);
    EXPECT_EQ(w, QString("WARNING .. Pressure of 80.00 is greater than 72% of pipe pressure "
                         "rating, up and down stream."));
}

TEST(PressureRatings, OverRatingComparesLinePressureUpstream)
{
    TTul t;
    QString w;
    // Set pressure 50 is under both ratings, but the line pressure 120 is over
    // the upstream one.
    EXPECT_EQ(t.CheckPressureRatings(2, 50, 120, 100, 100, w), 1);
    EXPECT_EQ(w, QString("WARNING .. Pressure of 50.00 is greater than pipe pressure rating, up stream."));
    EXPECT_EQ(t.CheckPressureRatings(1, 0, 150, 100, 100, w), 1);
    EXPECT_EQ(w, QString("WARNING .. Pressure of 150.00 is greater than pipe pressure rating, down stream."));
}

TEST(PressureRatings, SidesWithoutPipeAndSwitchedOff)
{
    TTul t;
    QString w = "kept";
    // Last node: no downstream pipe; entrance: no upstream pipe.
    EXPECT_EQ(t.CheckPressureRatings(3, 0, 50, 100, 10, w), 0);
    EXPECT_EQ(t.CheckPressureRatings(1, 0, 50, 10, 100, w), 0);
    EXPECT_EQ(t.CheckPressureRatings(0, 0, 50, 10, 100, w), 0);
    // A rating of 0 switches its side off.
    EXPECT_EQ(t.CheckPressureRatings(2, 0, 500, 0, 0, w), 0);
    // Exactly 72% is not over it.
    EXPECT_EQ(t.CheckPressureRatings(2, 0, 72, 100, 100, w), 0);
    EXPECT_EQ(w, QString("kept"));
    EXPECT_EQ(t.CheckPressureRatings(3, 0, 72.004, 100, 0, w), 1);
    EXPECT_EQ(w, QString("WARNING .. Pressure of 72.00 is greater than 72% of pipe pressure rating, up stream."));
    t.CheckRatings = false;
    w = "kept";
    EXPECT_EQ(t.CheckPressureRatings(2, 0, 500, 100, 100, w), 0);
    EXPECT_EQ(w, QString("kept"));
}

TEST(FixedText, RoundsToPrecisionThenDecimals)
{
    EXPECT_EQ(FixedText(80, 6, 2), QString("80.00"));
    EXPECT_EQ(FixedText(3.14159, 6, 2), QString("3.14"));
    EXPECT_EQ(FixedText(2.675, 6, 2), QString("2.68")); // 2.674999.. in binary, 2.67500 at 6 digits
    EXPECT_EQ(FixedText(0.125, 6, 2), QString("0.13"));   // exact tie rounds away from zero
    EXPECT_EQ(FixedText(-0.125, 6, 2), QString("-0.13"));
    EXPECT_EQ(FixedText(-0.001, 6, 2), QString("0.00"));
    EXPECT_EQ(FixedText(45436.8325, 10, 0), QString("45437"));
    EXPECT_EQ(FixedText(0.02232, 7, 5), QString("0.02232"));
    EXPECT_EQ(FixedText(0.011, 6, 3), QString("0.011"));
    EXPECT_EQ(FixedText(150, 4, 0), QString("150"));
    EXPECT_EQ(FixedText(9.996, 6, 2), QString("10.00"));
    EXPECT_EQ(FixedText(0, 6, 2), QString("0.00"));
    // Precision limits the digits before the decimals do.
    EXPECT_EQ(FixedText(1234.5678, 6, 3), QString("1234.570"));
    EXPECT_EQ(FixedText(123456.7, 6, 2), QString("123457.00"));
    // More integer digits than the precision: scientific form.
    EXPECT_EQ(FixedText(1234567.0, 6, 2), QString("1.23457E6"));
    EXPECT_EQ(FixedText(999999.7, 6, 2), QString("1E6"));
    // A number that is not one is never shown as a plausible value.
    EXPECT_EQ(FixedText(std::numeric_limits<double>::quiet_NaN(), 6, 2), QString("NAN"));
    EXPECT_EQ(FixedText(std::numeric_limits<double>::infinity(), 6, 2), QString("INF"));
    EXPECT_EQ(FixedText(-std::numeric_limits<double>::infinity(), 10, 0), QString("-INF"));
}

// The text made from the decided digits is the text of the exact expansion,
// and the number a field holds after it is written into it is had to the
// bit without it, at the precisions the runs use, over values of every size and sign,
// near rounding points and powers of ten, and on exact ties.
TEST(FixedText, FixedValueIsTheTextReadBack)
{
    auto same = [](double x, int p, int d) {
        const double want = FixedTextExact(x, p, d).toDouble();
        const double got = FixedValue(x, p, d);
        return std::memcmp(&want, &got, sizeof want) == 0 && FixedText(x, p, d) == FixedTextExact(x, p, d);
    };
    const int forms[][2] = {{6, 2}, {6, 3}, {7, 3}, {7, 5}, {10, 0}, {10, 2}, {15, 2}, {15, 3}, {6, 1},
                            {4, 0}, {18, 2}, {1, 0}, {6, 0}, {3, 5}};
    std::vector<double> values = {0.0, -0.0, 0.125, -0.125, 2.675, 9.996, 999999.7, 1234567.0, 0.005,
                                  0.0049999999999999, 1e-13, 1e16, 0.1, 1.0, 10.0, 100.0, 1e5, 99999.95};
    // A number that is none is shown as such, and what reaches a number
    // field for it is still a number.
    for (double x : {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity()}) {
        EXPECT_EQ(FixedValue(x, 6, 2), 0.0);
        EXPECT_EQ(FixedText(x, 6, 2), std::isnan(x) ? "NAN" : "INF");
    }
    unsigned seed = 12345;
    auto next = [&] {
        seed = seed * 1103515245u + 12345u;
        return double((seed >> 8) & 0xFFFFFF) / double(0x1000000);
    };
    for (int i = 0; i < 6000; ++i) {
        const double mag = std::pow(10.0, next() * 14.0 - 6.0);
        values.push_back((next() < 0.3 ? -1 : 1) * mag * (0.5 + next()));
        // Halves and short decimals, where the roundings are decided.
        values.push_back(std::round(next() * 1e6) / 1000.0 + 0.0005);
        values.push_back(std::round(next() * 1e5) / 100.0);
    }
    for (double x : values)
        for (const auto& f : forms)
            ASSERT_TRUE(same(x, f[0], f[1])) << x << " " << f[0] << " " << f[1];
}
