#include "platform/Ansi.h"
#include "platform/SysLocale.h"

#include <gtest/gtest.h>

using namespace Platform;

namespace {
struct LcidScope {
    explicit LcidScope(int lcid) { SetSystemLcidForTesting(lcid); }
    ~LcidScope() { SetSystemLcidForTesting(-1); }
};
} // namespace

TEST(AnsiTest, AChineseSystemUsesGbk) {
    LcidScope scope(kLcidChineseSimplified);
    EXPECT_EQ(AnsiCodePage(), 936);
    const QByteArray bytes = StringToAnsi(QStringLiteral("中文"));
    EXPECT_EQ(bytes, QByteArray("\xD6\xD0\xCE\xC4"));
    EXPECT_EQ(AnsiToString(bytes), QStringLiteral("中文"));
}

TEST(AnsiTest, EveryOtherSystemUsesWindows1252) {
    LcidScope scope(kLcidEnglishUs);
    EXPECT_EQ(AnsiCodePage(), 1252);
    EXPECT_EQ(StringToAnsi(QStringLiteral("é€")), QByteArray("\xE9\x80"));
    EXPECT_EQ(AnsiToString(QByteArray("\xE9\x80")), QStringLiteral("é€"));
}

TEST(AnsiTest, NulBytesSurviveTheRoundTrip) {
    LcidScope scope(kLcidEnglishUs);
    const QByteArray raw("AB\0  ", 5);
    EXPECT_EQ(StringToAnsi(AnsiToString(raw)), raw);
}
