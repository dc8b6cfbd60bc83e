#include "platform/Forms.h"

#include <gtest/gtest.h>

namespace {

class FakePage : public QObject {
    Q_OBJECT
public:
    explicit FakePage(const QString& name) { setObjectName(name); }
    int reshows = 0;
    int lastRow = 0;
    int validations = 0;
    Q_INVOKABLE void ReshowByCh() { ++reshows; }
    Q_INVOKABLE void reShowGrid(int row) { lastRow = row; }
    Q_INVOKABLE void ValidateControls() { ++validations; }
};

TEST(FormsTest, LoadedWindowsAreFoundByNameAndLeaveWhenDestroyed) {
    auto* alert = new FakePage("FrmAlert");
    Platform::Forms::Register(alert);
    Platform::Forms::Register(alert); // registering twice keeps one entry
    EXPECT_EQ(Platform::Forms::Loaded().size(), 1);
    EXPECT_EQ(Platform::Forms::Find("frmalert"), alert);
    EXPECT_TRUE(Platform::Forms::IsLoaded("FrmAlert"));
    delete alert;
    EXPECT_FALSE(Platform::Forms::IsLoaded("FrmAlert"));
    EXPECT_TRUE(Platform::Forms::Loaded().isEmpty());
}

TEST(FormsTest, PublicMethodsAreCalledByName) {
    FakePage grid("frmCommChInfo");
    FakePage scan1("FrmScan");
    FakePage scan2("FrmScan");
    Platform::Forms::Register(&grid);
    Platform::Forms::Register(&scan1);
    Platform::Forms::Register(&scan2);
    EXPECT_TRUE(Platform::Forms::Call(&grid, "reShowGrid", Q_ARG(int, 17)));
    EXPECT_EQ(grid.lastRow, 17);
    EXPECT_FALSE(Platform::Forms::Call(&grid, "NoSuchMethod"));
    Platform::Forms::CallAll("FrmScan", "ReshowByCh");
    EXPECT_EQ(scan1.reshows + scan2.reshows, 2);
    EXPECT_EQ(grid.reshows, 0);
    Platform::Forms::Validate(&grid);
    EXPECT_EQ(grid.validations, 1);
    Platform::Forms::Unregister(&grid);
    Platform::Forms::Unregister(&scan1);
    Platform::Forms::Unregister(&scan2);
}

} // namespace

#include "FormsTest.moc"
