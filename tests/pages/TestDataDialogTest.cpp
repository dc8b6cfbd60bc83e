#include "data/ModFunLang.h"
#include "data/ModTestData.h"
#include "data/ProgramSettings.h"
#include "data/RadioData.h"
#include "data/SharedState.h"
#include "pages/FrmTestData.h"
#include "pages/Pages.h"
#include "platform/widgets/FileDialogs.h"
#include "platform/widgets/FormLoader.h"
#include "tests/support/TestSupport.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// Answers the file dialogs with set paths and remembers what was proposed.
class FakeDialogs final : public Platform::FileDialogs::Service {
public:
    QString GetOpenFileName(QWidget*, const QString& filter, const QString&) override {
        lastFilter = filter;
        return openPath;
    }
    QString GetSaveFileName(QWidget*, const QString& filter, const QString& initialPath,
                            const QString&) override {
        lastFilter = filter;
        proposed = initialPath;
        return savePath;
    }
    QString openPath, savePath, proposed, lastFilter;
};

class TestDataDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        TestSupport::ResetProgram();
        gLock = 0;
        gCurrentLanguage = 1;
        Pages::RegisterForms();
        Platform::FileDialogs::SetService(&dialogs);
        TTestBlock own{};
        for (int i = 0; i < kTestBlockSize; ++i)
            own[static_cast<std::size_t>(i)] = static_cast<quint8>(100 + i);
        ModTestData::TakeDialogBlock(own);
    }
    void TearDown() override {
        Platform::FileDialogs::SetService(nullptr);
        gLock = 0;
        gCurrentLanguage = 1;
    }
    std::unique_ptr<FrmTestData> Open() {
        return std::unique_ptr<FrmTestData>(
            qobject_cast<FrmTestData*>(Platform::Forms::Create("FrmTestData")));
    }
    static QLineEdit* Box(QWidget* w, int byte) {
        for (auto* b : w->findChildren<QLineEdit*>("Text1"))
            if (b->property("Index").toInt() == byte) return b;
        return nullptr;
    }
    static void Press(QWidget* w, const char* name, int index = -1) {
        for (auto* b : w->findChildren<QPushButton*>(name))
            if (index < 0 || b->property("Index").toInt() == index) return b->click();
    }

    TestSupport::TempProgram program;
    FakeDialogs dialogs;
};

TEST(TestDataRulesTest, BoxesHoldWholeNumbersFrom0To255) {
    EXPECT_EQ(FrmTestData::CorrectByte("300"), "255");
    EXPECT_EQ(FrmTestData::CorrectByte(""), "0");
    EXPECT_EQ(FrmTestData::CorrectByte("042"), "42");
    EXPECT_EQ(FrmTestData::CorrectByte("-3"), "0");
    EXPECT_EQ(FrmTestData::CorrectByte("7.6"), "8");
    EXPECT_EQ(FrmTestData::CorrectByte("x"), "0");
}

TEST_F(TestDataDialogTest, OkHandsBackAllSixteenBytes) {
    auto dialog = Open();
    EXPECT_EQ(Box(dialog.get(), 10)->text(), "110");
    Box(dialog.get(), 0)->clear();
    EXPECT_EQ(Box(dialog.get(), 0)->text(), "0");
    Box(dialog.get(), 0)->selectAll();
    QTest::keyClicks(Box(dialog.get(), 0), "3a00");
    EXPECT_EQ(Box(dialog.get(), 0)->text(), "255");
    Press(dialog.get(), "CommandOK");
    EXPECT_EQ(gEditTestBlock.bytes[0], 255);
    EXPECT_EQ(gEditTestBlock.bytes[1], 101);
    EXPECT_EQ(gEditTestBlock.bytes[15], 115);
}

TEST_F(TestDataDialogTest, SavedFileLoadsBackAndCancelKeepsTheWorkingBlock) {
    const QString path = program.ProgramDir() + "/bench.ted";
    dialogs.savePath = path;
    gDataFileName = program.ProgramDir() + "/radio.dat";
    auto dialog = Open();
    Box(dialog.get(), 3)->setText("7");
    Press(dialog.get(), "Command1", 1);
    EXPECT_EQ(dialogs.proposed, program.ProgramDir() + "/radio.ted");
    EXPECT_EQ(dialogs.lastFilter, "Test Data File (*.ted)|*.ted");
    QFile saved(path);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    const QByteArray bytes = saved.readAll();
    ASSERT_EQ(bytes.size(), 16);
    EXPECT_EQ(static_cast<quint8>(bytes[3]), 7);
    EXPECT_EQ(static_cast<quint8>(bytes[15]), 115);
    Press(dialog.get(), "CommandCancel");
    EXPECT_EQ(gEditTestBlock.bytes[3], 103);

    ModTestData::ForgetTestBlock();
    gLock = 1; // the boxes are disabled and empty, yet Load fills them and OK stores them
    dialogs.openPath = path;
    dialog = Open();
    EXPECT_FALSE(Box(dialog.get(), 3)->isEnabled());
    Press(dialog.get(), "Command1", 0);
    EXPECT_EQ(Box(dialog.get(), 3)->text(), "7");
    TestSupport::RecordingMessages messages; // a configuration is no test block
    program.WriteFile("radio.ted", QByteArray(8597, 9));
    dialogs.openPath = program.ProgramDir() + "/radio.ted";
    Press(dialog.get(), "Command1", 0);
    dialogs.openPath = program.ProgramDir(); // a folder cannot be read
    Press(dialog.get(), "Command1", 0);
    EXPECT_EQ(messages.CountOf(ModTestData::RefusalText(9081, program.ProgramDir() + "/radio.ted")),
              1);
    EXPECT_EQ(messages.CountOf(ModTestData::RefusalText(9082, program.ProgramDir())), 1);
    EXPECT_EQ(Box(dialog.get(), 3)->text(), "7");
    Press(dialog.get(), "CommandOK");
    EXPECT_EQ(gEditTestBlock.bytes[3], 7);
    EXPECT_EQ(gEditTestBlock.bytes[15], 115);
}

// Save writes the 16 bytes alone, refuses any configuration file with a
// message, and reports a write that failed.
TEST_F(TestDataDialogTest, SaveWritesSixteenBytesAndNeverAConfiguration) {
    TestSupport::RecordingMessages messages;
    gDataFileName = program.ProgramDir() + "/radio.dat";
    const QByteArray config(8597, 'C');
    program.WriteFile("radio.dat", config);
    program.WriteFile("other.DAT", config);
    program.WriteFile("renamed.ted", config);
    program.WriteFile("bench.ted", QByteArray(40, 'x'));
    program.WriteFile("radio.NVD", "V200\x01");
    ASSERT_TRUE(QFile::link("new.dat", program.ProgramDir() + "/link.ted"));
    auto dialog = Open();
    for (const char* name :
         {"radio.dat", "other.DAT", "renamed.ted", "new.dat", "radio.NVD", "link.ted"}) {
        dialogs.savePath = program.ProgramDir() + u'/' + QLatin1String(name);
        Press(dialog.get(), "Command1", 1);
    }
    EXPECT_EQ(messages.CountOf(ModFunLang::GetLangText(9080)), 6);
    EXPECT_EQ(program.ReadFile("radio.NVD"), "V200\x01");
    EXPECT_EQ(program.ReadFile("radio.dat"), config);
    EXPECT_EQ(program.ReadFile("other.DAT"), config);
    EXPECT_EQ(program.ReadFile("renamed.ted"), config);
    EXPECT_FALSE(QFile::exists(program.ProgramDir() + "/new.dat"));

    dialogs.savePath = program.ProgramDir() + "/bench.ted";
    Press(dialog.get(), "Command1", 1);
    QByteArray expected;
    for (int i = 0; i < 16; ++i)
        expected.append(static_cast<char>(100 + i));
    EXPECT_EQ(program.ReadFile("bench.ted"), expected);
    dialogs.savePath = program.ProgramDir() + "/plain"; // ".ted" is added
    Press(dialog.get(), "Command1", 1);
    EXPECT_EQ(program.ReadFile("plain.ted"), expected);
    EXPECT_EQ(messages.Count(), 6);

    dialogs.savePath = program.ProgramDir() + "/no-such-folder/bench.ted";
    Press(dialog.get(), "Command1", 1);
    EXPECT_EQ(messages.CountOf(ModFunLang::GetLangText(9002)), 1);

    // the program's own dialog refuses the file before it asks whether to
    // replace it, and stays open
    Platform::FileDialogs::SetService(nullptr);
    bool asked = false;
    QTimer::singleShot(0, [&] {
        TestSupport::WaitFor([] { return qobject_cast<QFileDialog*>(qApp->activeModalWidget()); });
        auto* files = qobject_cast<QFileDialog*>(qApp->activeModalWidget());
        QTimer replace; // answers a replace question, should one come
        QObject::connect(&replace, &QTimer::timeout, [&asked] {
            if (auto* box = qobject_cast<QMessageBox*>(qApp->activeModalWidget()))
                asked = box->close();
        });
        replace.start(5);
        files->selectFile(program.ProgramDir() + "/radio.NVD");
        QMetaObject::invokeMethod(files, "accept");
        EXPECT_TRUE(files->isVisible());
        files->reject();
    });
    Press(dialog.get(), "Command1", 1);
    EXPECT_EQ(messages.CountOf(ModFunLang::GetLangText(9080)), 7);
    EXPECT_FALSE(asked);
    EXPECT_EQ(program.ReadFile("radio.NVD"), "V200\x01");
    Press(dialog.get(), "CommandCancel");
    EXPECT_EQ(gEditTestBlock.bytes[0], 100);
}

TEST_F(TestDataDialogTest, ChineseCaptionsAreItsOwnAndByteNamesStay) {
    gCurrentLanguage = 2;
    auto dialog = Open();
    EXPECT_EQ(dialog->windowTitle(), "测试数据");
    QStringList buttons;
    for (auto* b : dialog->findChildren<QPushButton*>("Command1"))
        buttons << b->text();
    EXPECT_TRUE(buttons.contains("加载(&L)"));
    EXPECT_TRUE(buttons.contains("保存(&S)"));
    dialogs.openPath.clear(); // cancelled: nothing read
    Press(dialog.get(), "Command1", 0);
    EXPECT_EQ(dialogs.lastFilter, "测试数据文件 (*.ted)|*.ted");
    EXPECT_EQ(Box(dialog.get(), 0)->text(), "100");
}

} // namespace
