#include "platform/Numbers.h"

#include <QLocale>
#include <gtest/gtest.h>

using namespace Platform;

TEST(NumbersTest, NumericIsSignDigitsAndOnePointWithSurroundingBlanks) {
    for (const char* yes : {"0", "435.1", " 435.10000 ", "+5", "-5.00000", ".5", "5.", "007"})
        EXPECT_TRUE(IsNumeric(QString::fromLatin1(yes))) << yes;
    for (const char* no : {"", " ", ".", "+", "1e5", "5-", "1.2.3", "4 35", "1,5", "0x10", "12a"})
        EXPECT_FALSE(IsNumeric(QString::fromLatin1(no))) << no;
}

TEST(NumbersTest, ValReadsThePointWhateverTheLocale) {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_DOUBLE_EQ(Val("435.125"), 435.125);
    EXPECT_DOUBLE_EQ(Val("+5"), 5.0);
    EXPECT_DOUBLE_EQ(Val("-0.5"), -0.5);
    EXPECT_DOUBLE_EQ(Val("1,5"), 0.0);
    EXPECT_DOUBLE_EQ(Val("abc"), 0.0);
    QLocale::setDefault(QLocale::c());
}

TEST(NumbersTest, FormatFixedPadsRoundsAwayFromZeroAndUsesThePoint) {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(FormatFixed(435.1, 5), "435.10000");
    EXPECT_EQ(FormatFixed(87.5, 5), "87.50000");
    EXPECT_EQ(FormatFixed(5, 5, 2), "05.00000");
    EXPECT_EQ(FormatFixed(-5, 5), "-5.00000");
    EXPECT_EQ(FormatFixed(0.000005, 5), "0.00001");
    EXPECT_EQ(FormatFixed(-0.000001, 5), "0.00000");
    EXPECT_EQ(FormatFixed(400, 0), "400");
    EXPECT_EQ(FormatFixed(140.5, 0), "141");
    QLocale::setDefault(QLocale::c());
}
