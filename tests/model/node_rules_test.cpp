#include "model/node_rules.h"

#include "support/dialogdriver.h"

#include <gtest/gtest.h>

// Hand-worked: gap G = S - P, increment I.
//   I <= G - 1 -> P + I;  else G >= 10 -> P + 10;  else P + 1.
TEST(InsertedStationTest, FollowsTheIncrementThenTenThenOneFoot)
{
    EXPECT_EQ(InsertedStation(1000, 1100, 200), 1010.0);   // G 100 < 201
    EXPECT_EQ(InsertedStation(1000, 1005, 200), 1001.0);   // G 5
    EXPECT_EQ(InsertedStation(100, 150, 100), 110.0);
    EXPECT_EQ(InsertedStation(100, 105, 100), 101.0);
    EXPECT_EQ(InsertedStation(100, 200, 20), 120.0);
    EXPECT_EQ(InsertedStation(100, 121, 20), 120.0);       // I == G - 1 still fits
    EXPECT_EQ(InsertedStation(1000, 1010, 100), 1001.0);   // 10 ft would land on S
    EXPECT_EQ(InsertedStation(0, 1, 0.5).has_value(), false);
}

TEST(InsertedStationTest, NeverGivesAStationOnOrBeyondANeighbour)
{
    EXPECT_FALSE(InsertedStation(1000, 1001, 100));     // P + 1 would equal S
    EXPECT_FALSE(InsertedStation(1000, 1000.5, 100));   // P + 1 beyond S
    EXPECT_FALSE(InsertedStation(1000, 1000, 100));     // equal neighbours
    EXPECT_FALSE(InsertedStation(1000, 900, 100));      // out of order
    // A zero increment would repeat the previous station; the other rules apply.
    EXPECT_EQ(InsertedStation(1000, 1100, 0), 1010.0);
    EXPECT_EQ(InsertedStation(1000, 1003, 0), 1001.0);
    EXPECT_EQ(InsertedStation(1000, 1100, -5), 1010.0);
    for (double gap : {1.5, 2.0, 9.0, 10.0, 10.5, 57.0, 573.0, 1643.0})
        for (double inc : {0.0, 1.0, 10.0, 50.0, 516.0, 1643.0}) {
            const auto s = InsertedStation(500, 500 + gap, inc);
            ASSERT_TRUE(s) << gap << " " << inc;
            EXPECT_GT(*s, 500);
            EXPECT_LT(*s, 500 + gap);
        }
}

TEST(RoomForAnotherNodeTest, RefusesTheHundredAndFirstNodeWithAMessage)
{
    DialogDriver driver;
    EXPECT_TRUE(RoomForAnotherNode(99));
    EXPECT_TRUE(driver.Messages().empty());
    driver.Answer(ui::mrOk);
    EXPECT_FALSE(RoomForAnotherNode(100));
    ASSERT_EQ(driver.Messages().size(), 1u);
    EXPECT_TRUE(driver.Messages()[0].text.contains("no more than 100 nodes"));
}
