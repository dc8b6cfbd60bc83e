#include "platform/Forms.h"

#include <QLineEdit>
#include <gtest/gtest.h>
#include <memory>

namespace {

class Reshowing {
public:
    virtual void ReshowByCh() = 0;

protected:
    ~Reshowing() = default;
};

class FakePage : public QObject, public Reshowing, public Platform::Forms::Committing {
    Q_OBJECT
public:
    explicit FakePage(const QString& name) { setObjectName(name); }
    int reshows = 0;
    int validations = 0;
    void ReshowByCh() override { ++reshows; }
    void ValidateControls() override { ++validations; }
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

TEST(FormsTest, WindowsAreReachedThroughTheirInterfaces) {
    FakePage scan1("FrmScan");
    FakePage scan2("FrmScan");
    QObject plain;
    plain.setObjectName("frmCommChInfo");
    for (QObject* form : {static_cast<QObject*>(&scan1), static_cast<QObject*>(&scan2), &plain})
        Platform::Forms::Register(form);
    auto reports = std::make_shared<QStringList>();
    Platform::Forms::SetWrongReceiverHandler([reports](const QString& m) { *reports << m; });

    EXPECT_EQ(Platform::Forms::FindAs<Reshowing>("FrmScan"), &scan1);
    for (Reshowing* page : Platform::Forms::AllAs<Reshowing>("FrmScan"))
        page->ReshowByCh();
    EXPECT_EQ(scan1.reshows + scan2.reshows, 2);
    EXPECT_EQ(Platform::Forms::FindAs<Reshowing>("FrmAlert"), nullptr) << "none loaded";
    EXPECT_TRUE(reports->isEmpty());
    // a window of that name without the interface is reported, not skipped silently
    EXPECT_EQ(Platform::Forms::FindAs<Reshowing>("frmCommChInfo"), nullptr);
    EXPECT_TRUE(Platform::Forms::AllAs<Reshowing>("frmCommChInfo").isEmpty());
    ASSERT_EQ(reports->size(), 2);
    EXPECT_TRUE(reports->at(0).contains("frmCommChInfo"));
    EXPECT_EQ(reports->at(1), reports->at(0));

    Platform::Forms::Validate(&scan1);
    Platform::Forms::Validate(&plain); // nothing to commit
    EXPECT_EQ(scan1.validations, 1);
    // a page with a text box that cannot commit what is typed in it is reported
    QWidget typing;
    typing.setObjectName("FrmNewPage");
    new QLineEdit(&typing);
    Platform::Forms::Validate(&typing);
    ASSERT_EQ(reports->size(), 3);
    EXPECT_TRUE(reports->at(2).contains("FrmNewPage") && reports->at(2).contains("Committing"));
}

} // namespace

#include "FormsTest.moc"
