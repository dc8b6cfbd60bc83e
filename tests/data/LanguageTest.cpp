#include "data/ModFunLang.h"
#include "platform/Profile.h"
#include "tests/support/TestSupport.h"

#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <gtest/gtest.h>

using ModFunLang::GetLangText;
using ModFunLang::LangSection;

namespace {

class LanguageTest : public ::testing::Test {
protected:
    void SetUp() override {
        ModFunLang::gLangFileName = "fixture.ini";
        program.WriteFile("language/fixture.ini",
                          "[OTHER]\n8999=other\n[Msg]\n9017=  OK  \n9000=first\n[CHBatch]\n"
                          "29999=last batch\n[Others]\n30000=others\n[Menu]\n10000=" +
                              QByteArray(300, 'm') + "\n");
    }
    void TearDown() override { ModFunLang::gLangFileName = "english.ini"; }
    TestSupport::TempProgram program;
};

TEST_F(LanguageTest, EachThousandHasItsSection) {
    EXPECT_EQ(GetLangText(9017), "OK");
    EXPECT_EQ(GetLangText(8999), "other");
    EXPECT_EQ(GetLangText(9000), "first");
    EXPECT_EQ(GetLangText(29999), "last batch");
    EXPECT_EQ(GetLangText(30000), "others");
    EXPECT_EQ(LangSection(12999), "Main");
    EXPECT_EQ(LangSection(14013), "ChannelInfo");
    EXPECT_EQ(LangSection(23000), "Lang");
    EXPECT_EQ(LangSection(-1), "OTHER");
    EXPECT_EQ(LangSection(2000000), "Others");
}

TEST_F(LanguageTest, LongTextsAreCutAndMissingOnesAreEmpty) {
    EXPECT_EQ(GetLangText(10000).size(), 254);
    EXPECT_EQ(GetLangText(9999), "");
    ModFunLang::gLangFileName = "missing.ini";
    EXPECT_EQ(GetLangText(9017), "");
}

// Every text number that the code asks for exists in both language files.
TEST(LanguageFilesTest, EveryNumberUsedInTheCodeIsInBothFiles) {
    QSet<int> used;
    const QRegularExpression call(QStringLiteral(R"(GetLangText\(\s*(\d+)\s*\))"));
    const QRegularExpression list(QStringLiteral(R"(LangIds\(([^)]*)\))"));
    for (const char* folder :
         {"platform", "data", "link", "shell", "channels", "pages", "print", "dealer"}) {
        QDirIterator it(TestSupport::SourcePath(QLatin1String(folder)),
                        {QStringLiteral("*.cpp"), QStringLiteral("*.h")}, QDir::Files,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            QFile f(it.next());
            ASSERT_TRUE(f.open(QIODevice::ReadOnly));
            const QString text = QString::fromUtf8(f.readAll());
            for (auto m = call.globalMatch(text); m.hasNext();)
                used.insert(m.next().captured(1).toInt());
            for (auto m = list.globalMatch(text); m.hasNext();)
                for (const QString& n : m.next().captured(1).split(u',', Qt::SkipEmptyParts))
                    if (bool ok = false; n.trimmed().toInt(&ok), ok)
                        used.insert(n.trimmed().toInt());
        }
    }
    ASSERT_FALSE(used.isEmpty());
    for (const char* file : {"language/english.ini", "language/chinese.ini"}) {
        const QString path = TestSupport::SourcePath(QLatin1String(file));
        for (int n : used)
            EXPECT_FALSE(
                Platform::GetProfileString(LangSection(n), QString::number(n), "", path).isEmpty())
                << file << " lacks text " << n;
    }
}

} // namespace
