#include "platform/report/format.h"

#include <gtest/gtest.h>

using report::FloatText;
using report::FormatMask;

TEST(FormatMask, DigitPlaceholdersAndDecimals)
{
    EXPECT_EQ(FormatMask(0.5, "###.##"), ".5");       // no leading zero, no trailing zeros
    EXPECT_EQ(FormatMask(12.3, "###.##"), "12.3");
    EXPECT_EQ(FormatMask(1.256, "###.##"), "1.26");
    EXPECT_EQ(FormatMask(3.14159, "###0.00"), "3.14");
    EXPECT_EQ(FormatMask(0, "###0.00"), "0.00");
    EXPECT_EQ(FormatMask(345.04, "###0.0"), "345.0");
    EXPECT_EQ(FormatMask(0.1234, "###0.000"), "0.123");
    EXPECT_EQ(FormatMask(98765.4, "####0.00"), "98765.40");
    EXPECT_EQ(FormatMask(12.34, "##0.0"), "12.3");
    EXPECT_EQ(FormatMask(1.5, "##0.000"), "1.500");
    EXPECT_EQ(FormatMask(7, "0.0#"), "7.0");
    EXPECT_EQ(FormatMask(7.125, "0.0#"), "7.13");
    // More integer digits than placeholders are all printed.
    EXPECT_EQ(FormatMask(123456.7, "##0.0"), "123456.7");
}

TEST(FormatMask, ThousandsAndWholeNumbers)
{
    EXPECT_EQ(FormatMask(1234.5, "###,##0"), "1,235");
    EXPECT_EQ(FormatMask(20.4, "###,##0"), "20");
    EXPECT_EQ(FormatMask(80.4, "###,##0"), "80");
    EXPECT_EQ(FormatMask(100.8, "###,##0"), "101");
    EXPECT_EQ(FormatMask(1234567.891, "###,##0.00"), "1,234,567.89");
    EXPECT_EQ(FormatMask(5.6, "###,##0.00"), "5.60");
    EXPECT_EQ(FormatMask(999.995, "###,##0.00"), "1,000.00");   // carry through every digit
    EXPECT_EQ(FormatMask(30.0 / 12, "#,###,##0.0"), "2.5");
    EXPECT_EQ(FormatMask(0, "###,##0"), "0");
}

TEST(FormatMask, RoundsHalfAwayFromZeroOnTheReadDigits)
{
    EXPECT_EQ(FormatMask(2.675, "0.00"), "2.68");   // stored just below 2.675
    EXPECT_EQ(FormatMask(0.125, "0.00"), "0.13");
    EXPECT_EQ(FormatMask(-0.125, "0.00"), "-0.13");
    EXPECT_EQ(FormatMask(2.5, "0"), "3");
    EXPECT_EQ(FormatMask(-2.5, "0"), "-3");
}

TEST(FormatMask, SignsSectionsAndLiterals)
{
    EXPECT_EQ(FormatMask(-2.5, "###0.0"), "-2.5");
    EXPECT_EQ(FormatMask(-0.004, "0.00"), "0.00");   // no "-0.00"
    EXPECT_EQ(FormatMask(-2, "0.0;(0.0)"), "(2.0)");
    EXPECT_EQ(FormatMask(0, "0.0;(0.0);'nil'"), "nil");
    EXPECT_EQ(FormatMask(1234, "$#,##0"), "$1,234");
    EXPECT_EQ(FormatMask(12, "0 'ft'"), "12 ft");
    EXPECT_EQ(FormatMask(0.5, ""), "0.5");
}

TEST(FloatText, GeneralFormat)
{
    EXPECT_EQ(FloatText(0), "0");
    EXPECT_EQ(FloatText(250), "250");
    EXPECT_EQ(FloatText(0.5), "0.5");
    EXPECT_EQ(FloatText(-12.25), "-12.25");
    EXPECT_EQ(FloatText(0.1 + 0.2), "0.3");               // 15 significant digits
    EXPECT_EQ(FloatText(1.0 / 3), "0.333333333333333");
    EXPECT_EQ(FloatText(123456789012345.0), "123456789012345");
    EXPECT_EQ(FloatText(1e20), "1E20");
    EXPECT_EQ(FloatText(1.5e-6), "1.5E-6");
    EXPECT_EQ(FloatText(0.0001), "0.0001");
    EXPECT_EQ(FloatText(0.00001), "0.00001");
    EXPECT_EQ(FloatText(0.000001), "1E-6");
}
