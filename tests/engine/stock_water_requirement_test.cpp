// The stock-water requirement worked by hand: daily total, the two pipeline
// flows at their stored rounding, the storage reserve, and the rules that
// read the calculator's choice texts.
#include "engine/stock_water_requirement.h"

#include <gtest/gtest.h>

namespace {

StockWaterResult Compute(double head, double gpd, double pct, double hours, double days)
{
    return StockWaterRequirement({head, gpd, pct, hours, days});
}

TEST(StockWaterRequirement, HundredHeadAtFifteenGallons)
{
    // 100 x 15 = 1500 gpd, +10 % = 1650 gpd; 1650 / 1440 = 1.1458 gpm;
    // over 12 hours 2.2917 gpm; 3 days hold 4950 gallons.
    const StockWaterResult r = Compute(100, 15, 10, 12, 3);
    EXPECT_DOUBLE_EQ(r.dailyNeed, 1500);
    EXPECT_DOUBLE_EQ(r.totalDaily, 1650);
    EXPECT_DOUBLE_EQ(r.minGpm, 1.15);
    ASSERT_TRUE(r.designGpm.has_value());
    EXPECT_DOUBLE_EQ(*r.designGpm, 2.29);
    EXPECT_DOUBLE_EQ(r.storageReserve, 4950);
}

TEST(StockWaterRequirement, DesignFlowComesFromTheUnroundedMinimum)
{
    // 50 x 10 = 500, +5 % = 525 gpd; 525 / 1440 = 0.36458 gpm (0.36);
    // x 24 / 8 = 1.09375 gives 1.09, where 0.36 x 3 would give 1.08.
    const StockWaterResult r = Compute(50, 10, 5, 8, 1);
    EXPECT_DOUBLE_EQ(r.totalDaily, 525);
    EXPECT_DOUBLE_EQ(r.minGpm, 0.36);
    EXPECT_DOUBLE_EQ(*r.designGpm, 1.09);
    EXPECT_DOUBLE_EQ(r.storageReserve, 525);   // kept unrounded
}

TEST(StockWaterRequirement, NoSpillageLeavesTheHerdsNeedAndAnOddReserveStaysUnrounded)
{
    const StockWaterResult r = Compute(37, 12.5, 0, 24, 2.5);
    EXPECT_DOUBLE_EQ(r.totalDaily, 462.5);
    EXPECT_DOUBLE_EQ(r.totalDaily, r.dailyNeed);
    // Over the whole day the design flow is the minimum flow: 0.3212 gpm.
    EXPECT_DOUBLE_EQ(r.minGpm, 0.32);
    EXPECT_DOUBLE_EQ(*r.designGpm, 0.32);
    EXPECT_DOUBLE_EQ(r.storageReserve, 1156.25);
}

TEST(StockWaterRequirement, NoDeliveryHoursGiveNoDesignFlowButTheRest)
{
    const StockWaterResult r = Compute(100, 15, 10, 0, 3);
    EXPECT_FALSE(r.designGpm.has_value());
    EXPECT_DOUBLE_EQ(r.minGpm, 1.15);
    EXPECT_DOUBLE_EQ(r.storageReserve, 4950);
    EXPECT_FALSE(Compute(100, 15, 10, -2, 3).designGpm.has_value());
}

TEST(StockWaterRequirement, NoLivestockGivesZeroes)
{
    const StockWaterResult r = Compute(0, 15, 10, 12, 3);
    EXPECT_EQ(r.totalDaily, 0);
    EXPECT_EQ(r.minGpm, 0);
    EXPECT_EQ(*r.designGpm, 0);
    EXPECT_EQ(r.storageReserve, 0);
}

TEST(StockWaterRequirement, FlowsAreKeptAtSixSignificantDigits)
{
    // Half a hundredth rounds up; past six integer digits only six
    // significant digits survive the stored text.
    EXPECT_DOUBLE_EQ(StoredFlow(0.125), 0.13);
    EXPECT_DOUBLE_EQ(StoredFlow(1234567.891), 1234570);
}

TEST(StockWaterChoices, ExactTextsDecideGrazingAndTerrain)
{
    EXPECT_TRUE(IsConventionalGrazing("Conventional Grazing System"));
    EXPECT_FALSE(IsConventionalGrazing("Conventional grazing system"));   // case counts
    EXPECT_FALSE(IsConventionalGrazing(""));
    EXPECT_FALSE(IsConventionalGrazing(kIntensiveGrazing));
    EXPECT_TRUE(IsRoughTerrain("Rough Terrain Relief"));
    EXPECT_FALSE(IsRoughTerrain(kGentleTerrain));
    EXPECT_FALSE(IsRoughTerrain("Rough"));
}

TEST(StockWaterChoices, EachSalinityRangeHasItsRecommendation)
{
    const char* ranges[] = {"Less than 1,000 mg/l", "1,000-3,000 mg/l",  "3,000-5,000 mg/l",
                            "5,000-7,000 mg/l",     "7,000-10,000 mg/l", "Over 10,000 mg/l"};
    for (int i = 0; i < kWaterQualityClasses; ++i) {
        EXPECT_EQ(WaterQualityText(i), ranges[i]);
        EXPECT_EQ(WaterQualityClassOf(ranges[i]), i);
    }
    EXPECT_EQ(WaterQualityRecommendation(0), "Good water, no restrictions.");
    EXPECT_EQ(WaterQualityRecommendation(3),
              "Can be used with reasonable safety for dairy and beef cattle, sheep, swine, and horses.  Avoid us "
              "for pregnant or lactating animals.");
    EXPECT_EQ(WaterQualityRecommendation(5),
              "Risks with these highly saline waters are so great that they cannot be recommended for use under "
              "any conditions.");
    // Two blanks after the inner full stops.
    EXPECT_TRUE(WaterQualityRecommendation(1).contains("livestock.  May"));
    EXPECT_TRUE(WaterQualityRecommendation(4).contains("species.  In general"));

    EXPECT_EQ(WaterQualityClassOf("over 10,000 mg/l"), -1);
    EXPECT_EQ(WaterQualityClassOf(""), -1);
    EXPECT_EQ(WaterQualityText(6), "");
    EXPECT_EQ(WaterQualityRecommendation(-1), "");
}

} // namespace
