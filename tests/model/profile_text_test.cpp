#include "model/profile_text.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(ProfileText, ReadsPairsWithAnySeparatorAndLineEnd)
{
    const ProfTextResult r = ParseProfileText(QStringLiteral("0,350\r\n500 348\r\n\r\n1200\t, 345.5\r\n"));
    ASSERT_TRUE(r.ok()) << r.error.toStdString();
    ASSERT_EQ(r.pairs.size(), 3u);
    EXPECT_DOUBLE_EQ(r.pairs[0].station, 0.0);
    EXPECT_DOUBLE_EQ(r.pairs[0].groundElev, 350.0);
    EXPECT_DOUBLE_EQ(r.pairs[1].station, 500.0);
    EXPECT_DOUBLE_EQ(r.pairs[2].station, 1200.0);
    EXPECT_DOUBLE_EQ(r.pairs[2].groundElev, 345.5);

    // A pair may run over a line end, as the stream reading allowed.
    const ProfTextResult split = ParseProfileText(QStringLiteral("0\n350\n10\n-12.5"));
    ASSERT_TRUE(split.ok());
    ASSERT_EQ(split.pairs.size(), 2u);
    EXPECT_DOUBLE_EQ(split.pairs[1].groundElev, -12.5);

    // A byte-order mark before the first pair is no part of it.
    const ProfTextResult marked = ParseProfileText(QString(QChar(0xFEFF)) + QStringLiteral("0,350\n500,348\n"));
    ASSERT_TRUE(marked.ok()) << marked.error.toStdString();
    EXPECT_EQ(marked.pairs.size(), 2u);

    // A signed zero reads as plain zero, so it never shows as "-0".
    const ProfTextResult zero = ParseProfileText(QStringLiteral("-0,-0\n100,0"));
    ASSERT_TRUE(zero.ok());
    EXPECT_FALSE(std::signbit(zero.pairs[0].station));
    EXPECT_FALSE(std::signbit(zero.pairs[0].groundElev));
}

TEST(ProfileText, BadTextGivesNoPairsAndNamesTheLine)
{
    struct Case {
        const char* text;
        const char* error;
    };
    const Case cases[] = {
        {"0,350\n500,abc\n", "Line 2: \"abc\" is not a number."},
        {"0,350\n500,348\n400,345\n", "Line 3: station 400 does not increase."},
        {"0,350\n0,348\n", "Line 2: station 0 does not increase."},
        {"-5,350\n", "Line 1: station -5 is outside 0 to 999999."},
        {"0,350\n10,12000\n", "Line 2: elevation 12000 is outside -9999.99 to 9999.99."},
        {"0,350\n\n500\n", "Line 3: station without a ground elevation."},
        {"0,nan\n", "Line 1: \"nan\" is not a number."},
        {"", "The file holds no station and elevation pairs."},
        {" \r\n\t\r\n", "The file holds no station and elevation pairs."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const ProfTextResult r = ParseProfileText(QString::fromLatin1(c.text));
        EXPECT_EQ(r.error, QString::fromLatin1(c.error));
        EXPECT_TRUE(r.pairs.empty());
    }
}

TEST(ProfileText, HoldsAtMostOneHundredNodes)
{
    QString text;
    for (int i = 0; i < MaxProfileNodes; ++i) text += QStringLiteral("%1,100\n").arg(i * 10);
    EXPECT_EQ(ParseProfileText(text).pairs.size(), size_t(MaxProfileNodes));
    text += QStringLiteral("5000,100\n");
    const ProfTextResult r = ParseProfileText(text);
    EXPECT_EQ(r.error, QStringLiteral("Line 101: a profile holds at most 100 nodes."));
    EXPECT_TRUE(r.pairs.empty());
}

} // namespace

TEST(ProfileText, TextIsValidUtf8WithoutControlCharacters)
{
    EXPECT_TRUE(IsProfileText(""));
    EXPECT_TRUE(IsProfileText("0,350\r\n500\t348\f\v\n"));
    EXPECT_TRUE(IsProfileText("\xef\xbb\xbf" "0,350\n"));             // byte-order mark
    EXPECT_TRUE(IsProfileText("0,350 \xc3\xa9l\xc3\xa9vation\n"));    // accented letters in UTF-8
    EXPECT_FALSE(IsProfileText(QByteArray("0,350\n\0", 7)));
    EXPECT_FALSE(IsProfileText("0,350\x07\n"));
    EXPECT_FALSE(IsProfileText("0,350\x7f\n"));
    EXPECT_FALSE(IsProfileText("99c?9\xc2\x9e\n"));                 // U+009E, a C1 control in valid UTF-8
    EXPECT_FALSE(IsProfileText("0,350 \xe9l\xe9vation\n"));           // Latin-1, not UTF-8
    EXPECT_FALSE(IsProfileText("0,35\xc3"));                          // a character cut off at the end
}
