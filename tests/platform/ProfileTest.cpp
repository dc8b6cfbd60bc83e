#include "platform/Profile.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

using Platform::GetProfileString;
using Platform::WriteProfileString;

namespace {

class ProfileTest : public ::testing::Test {
protected:
    QString Write(const QByteArray& bytes) {
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
        return path;
    }
    QByteArray Read() {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QTemporaryDir dir;
    QString path = dir.path() + QStringLiteral("/test.ini");
};

TEST_F(ProfileTest, FindsSectionsAndKeysWithoutRegardToCaseAndTrimsValues) {
    Write(
        "; comment\r\n[Language]\r\n  ComPort =  3  \r\nIsFirstRun=0\r\n[Other]\r\ncomport=9\r\n");
    EXPECT_EQ(GetProfileString("language", "COMPORT", "x", path), "3");
    EXPECT_EQ(GetProfileString("LANGUAGE", "isfirstrun", "x", path), "0");
    EXPECT_EQ(GetProfileString("other", "comPort", "x", path), "9");
}

TEST_F(ProfileTest, MissingFileSectionOrKeyGivesTheDefault) {
    EXPECT_EQ(GetProfileString("a", "b", "dflt", dir.path() + "/none.ini"), "dflt");
    Write("[a]\nc=1\n");
    EXPECT_EQ(GetProfileString("a", "b", "dflt", path), "dflt");
    EXPECT_EQ(GetProfileString("z", "c", "", path), "");
}

TEST_F(ProfileTest, TheFirstOfTwoEqualKeysWinsAndQuotesAreRemoved) {
    Write("[s]\nk=\"quoted value\"\nk=second\nq='x'\n");
    EXPECT_EQ(GetProfileString("s", "k", "", path), "quoted value");
    EXPECT_EQ(GetProfileString("s", "q", "", path), "x");
}

TEST_F(ProfileTest, ABufferOf255CutsTheTextTo254Characters) {
    const QByteArray longValue(300, 'a');
    Write("[s]\nk=" + longValue + "\n");
    EXPECT_EQ(GetProfileString("s", "k", "", path).size(), 254);
    EXPECT_EQ(GetProfileString("s", "k", "", path, 512).size(), 300);
}

TEST_F(ProfileTest, ReadsUtf8Texts) {
    Write("[Msg]\n9017=确定\n");
    EXPECT_EQ(GetProfileString("Msg", "9017", "", path), QStringLiteral("确定"));
}

TEST_F(ProfileTest, WritingCreatesTheFileAndTheSection) {
    ASSERT_TRUE(WriteProfileString("language", "comPort", "2", path));
    EXPECT_EQ(GetProfileString("language", "comPort", "", path), "2");
    ASSERT_TRUE(WriteProfileString("other", "k", "v", path));
    EXPECT_EQ(Read(), QByteArray("[language]\ncomPort=2\n[other]\nk=v\n"));
}

TEST_F(ProfileTest, WritingKeepsEveryOtherLineByteForByte) {
    Write("; keep me\r\n[language]\r\nIsFirstRun = 1 \r\n\r\ncomPort=1\r\n\r\n[Z]\r\nx=1");
    ASSERT_TRUE(WriteProfileString("Language", "ComPort", "4", path));
    EXPECT_EQ(Read(), QByteArray("; keep me\r\n[language]\r\nIsFirstRun = 1 \r\n\r\nComPort=4\r\n"
                                 "\r\n[Z]\r\nx=1"));
    ASSERT_TRUE(WriteProfileString("language", "Lock", "0", path));
    EXPECT_EQ(Read(), QByteArray("; keep me\r\n[language]\r\nIsFirstRun = 1 \r\n\r\nComPort=4\r\n"
                                 "Lock=0\r\n\r\n[Z]\r\nx=1"));
    ASSERT_TRUE(WriteProfileString("Z", "y", "2", path));
    EXPECT_EQ(Read(), QByteArray("; keep me\r\n[language]\r\nIsFirstRun = 1 \r\n\r\nComPort=4\r\n"
                                 "Lock=0\r\n\r\n[Z]\r\nx=1\r\ny=2\r\n"));
}

TEST_F(ProfileTest, AReadAfterAWriteSeesTheNewValue) {
    Write("[s]\nk=old\n");
    EXPECT_EQ(GetProfileString("s", "k", "", path), "old");
    ASSERT_TRUE(WriteProfileString("s", "k", "new", path));
    EXPECT_EQ(GetProfileString("s", "k", "", path), "new");
    // the same value again leaves the file itself alone
    struct stat before {
    }, after{};
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &before), 0);
    ASSERT_TRUE(WriteProfileString("s", "k", "new", path));
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &after), 0);
    EXPECT_EQ(before.st_ino, after.st_ino);
}

TEST_F(ProfileTest, ValuesWithCommasStayOneText) {
    Write("[s]\nk=9600,n,8,1\n");
    EXPECT_EQ(GetProfileString("s", "k", "", path), "9600,n,8,1");
}

} // namespace
