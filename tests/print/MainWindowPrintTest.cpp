// Printing from the real main window changes nothing of the configuration.
#include "PrintFixture.h"

#include "channels/ModCHEdit.h"
#include "platform/UserSettings.h"
#include "platform/widgets/FileDialogs.h"
#include "shell/frmMain.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <cups/cups.h>

namespace {

// A save dialog that answers with the next path of its queue.
class SaveDialogs final : public Platform::FileDialogs::Service {
public:
    SaveDialogs() { Platform::FileDialogs::SetService(this); }
    ~SaveDialogs() override { Platform::FileDialogs::SetService(nullptr); }
    QString GetOpenFileName(QWidget*, const QString&, const QString&) override { return {}; }
    QString GetSaveFileName(QWidget*, const QString&, const QString&, const QString&) override {
        return paths.isEmpty() ? QString() : paths.takeFirst();
    }
    QStringList paths;
};

class MainWindowPrintTest : public PrintTest {
protected:
    void SetUp() override {
        PrintTest::SetUp();
        Platform::SetUserSettingsFolder(store.path());
        gHelpOn = false;
        frmMain::SetChannelEditRunner(ModCHEdit::RunCommand);
        frmMain::SetEditCommandsUpdater(ModCHEdit::UpdateEditCommands);
        main = new frmMain;
        main->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(main));
    }
    void TearDown() override {
        delete main.data();
        QApplication::processEvents();
        frmMain::SetChannelEditRunner({});
        frmMain::SetEditCommandsUpdater({});
        Platform::SetUserSettingsFolder(QString());
        PrintTest::TearDown();
    }

    void Trigger(const char* item) { main->findChild<QAction*>(QLatin1String(item))->trigger(); }
    // File > Print: every section, as a table or in detail blocks; a dialog
    // that stays open after a failed job is cancelled.
    void PrintEverything(bool details, qint16 done = -1) {
        bool answered = false;
        QTimer::singleShot(0, [&answered, details] {
            QWidget* dialog = QApplication::activeModalWidget();
            if (!dialog || dialog->objectName() != QStringLiteral("FrmPrintList")) return;
            answered = true;
            dialog->findChild<QPushButton*>(QStringLiteral("CommandSelAll"))->click();
            dialog->findChild<QCheckBox*>(QStringLiteral("Check2"))->setChecked(details);
            dialog->findChild<QPushButton*>(QStringLiteral("CommandOK"))->click();
            if (dialog->isVisible())
                dialog->findChild<QPushButton*>(QStringLiteral("CommandCancel"))->click();
        });
        Trigger("mnuFilePrint");
        EXPECT_TRUE(answered);
        EXPECT_EQ(ModPrint::gPrintDone, done);
    }
    QByteArray SaveAs(const QString& name) {
        const QString path = files.filePath(name);
        saveDialogs.paths << path;
        Trigger("mnuFileSaveAs");
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir store;
    QTemporaryDir files;
    SaveDialogs saveDialogs;
    QPointer<frmMain> main;
};

} // namespace

TEST_F(MainWindowPrintTest, PrintingEverySectionChangesNoSavedByteAndExitAsksNothing) {
    // the user shows some pages, which store their own corrections, and saves
    Trigger("mnuOptFeature");
    Trigger("MnuScan");
    const QByteArray before = SaveAs(QStringLiteral("before.dat"));
    ASSERT_FALSE(before.isEmpty());

    PrintEverything(false);
    PrintEverything(true);
    EXPECT_TRUE(record.ended);
    EXPECT_GE(record.newPages, 16);

    messages.answers = {Platform::Mb::IdCancel}; // a question would keep the window open
    Trigger("mnuFileExit");
    EXPECT_EQ(messages.CountOf(T(9006)), 0);
    EXPECT_FALSE(main->isVisible());
    EXPECT_EQ(SaveAs(QStringLiteral("after.dat")), before);
}

TEST_F(MainWindowPrintTest, AJobThePrintSystemRefusesSaysSoAndChangesNothing) {
    const QByteArray before = SaveAs(QStringLiteral("before.dat"));
    // a print queue on a print system that is not there
    QTemporaryDir none;
    cupsSetServer(QFile::encodeName(none.filePath(QStringLiteral("cups.sock"))).constData());
    dialogs.queue = QStringLiteral("Office");
    Print::SetPrinterMaker(nullptr);
    PrintEverything(false, 0);
    cupsSetServer(nullptr);
    ASSERT_EQ(messages.Count(), 1);
    EXPECT_EQ(messages.shown[0].text, T(9091));
    EXPECT_EQ(messages.shown[0].style, Platform::Mb::Critical);
    EXPECT_EQ(SaveAs(QStringLiteral("after.dat")), before);
}
