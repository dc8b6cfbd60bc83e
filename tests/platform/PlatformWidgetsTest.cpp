#include "platform/widgets/FileDialogs.h"
#include "platform/widgets/Help.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(FileDialogsTest, FiltersBecomeQtFilters) {
    using Platform::FileDialogs::ToQtFilter;
    EXPECT_EQ(ToQtFilter("Data files (*.dat)|*.dat"), "Data files (*.dat)");
    EXPECT_EQ(ToQtFilter("Data|*.dat|All|*.*"), "Data (*.dat);;All (*.*)");
}

TEST(HelpTest, OpensOnlyAnExistingHelpFile) {
    QList<std::pair<QString, int>> calls;
    Platform::Help::SetOpener([&](const QString& path, int context) {
        calls.append({path, context});
        return true;
    });
    QTemporaryDir dir;
    const QString file = dir.path() + "/Corvan_E.chm";
    Platform::Help::SetHelpFile(file);
    EXPECT_FALSE(Platform::Help::ShowHelp(12));
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    EXPECT_TRUE(Platform::Help::ShowHelp(12));
    Platform::Help::SetHelpFile(QString());
    EXPECT_FALSE(Platform::Help::ShowHelp());
    ASSERT_EQ(calls.size(), 1);
    EXPECT_EQ(calls[0].first, file);
    EXPECT_EQ(calls[0].second, 12);
    Platform::Help::SetOpener({});
}

} // namespace
