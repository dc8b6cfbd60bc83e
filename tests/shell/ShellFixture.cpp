#include "tests/shell/ShellFixture.h"

#include "data/ModFunLang.h"
#include "data/ProgramSettings.h"
#include "data/RadioData.h"
#include "platform/App.h"
#include "platform/Forms.h"
#include "platform/UserSettings.h"
#include "platform/widgets/FormLoader.h"
#include "shell/frmMain.h"

#include <QApplication>

FakeGridPage::FakeGridPage() {
    setObjectName(QStringLiteral("frmCommChInfo"));
    setWindowTitle(QStringLiteral("grid"));
    Platform::Forms::Register(this);
}

void FakeGridPage::ValidateControls() {
    ++validated;
    if (pendingTypedValue) {
        gEditData.Settings.Scan[0] = static_cast<quint8>(gEditData.Settings.Scan[0] ^ 1);
        pendingTypedValue = false;
    }
}

FakeFileDialogs::FakeFileDialogs() {
    Platform::FileDialogs::SetService(this);
}

FakeFileDialogs::~FakeFileDialogs() {
    Platform::FileDialogs::SetService(nullptr);
}

QString FakeFileDialogs::GetOpenFileName(QWidget*, const QString& filter, const QString&) {
    ++opened;
    lastFilter = filter;
    return openAnswers.isEmpty() ? QString() : openAnswers.takeFirst();
}

QString FakeFileDialogs::GetSaveFileName(QWidget*, const QString& filter,
                                         const QString& initialPath, const QString& defaultSuffix) {
    ++saved;
    lastFilter = filter;
    lastInitialPath = initialPath;
    lastSuffix = defaultSuffix;
    return saveAnswers.isEmpty() ? QString() : saveAnswers.takeFirst();
}

void ShellTest::SetUp() {
    program.InstallInitFiles(); // File New loads them, as in an installation
    TestSupport::ResetProgram();
    Platform::SetUserSettingsFolder(store.path());
    Platform::SetAppTitle(QStringLiteral("CorvanTest"));
    gCurrentLanguage = gPrevLanguage = 1;
    gComPort = 3;
    gLock = 0;
    gFactory = 0;
    gHelpOn = true;
    gSavedIdentFlags.fill(0);
    FakeGridPage::pendingTypedValue = false;
    FakeGridPage::validated = FakeGridPage::editDisabled = FakeGridPage::invalidated = 0;
    Platform::Forms::RegisterFactory(QStringLiteral("frmCommChInfo"),
                                     [] { return new FakeGridPage; });
}

void ShellTest::TearDown() {
    delete main.data();
    QApplication::processEvents();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    Platform::SetUserSettingsFolder(QString());
    Platform::SetAppTitle(QString());
    frmMain::SetChannelEditRunner({});
}

frmMain* ShellTest::LoadMain() {
    main = new frmMain;
    return main;
}

void ShellTest::UseFixtureTexts() {
    program.WriteFile("language/fixture.ini",
                      "[Msg]\n9001=DATA FILES\n9006=SAVE?\n9007= WRITE?\n9026=NEW?\n"
                      "[Main]\n12000=TITLE\n12001=CHANNELS\n12008=PORT\n12009=FILE\n");
    ModFunLang::gLangFileName = QStringLiteral("fixture.ini");
}

void ShellTest::ModifyData() {
    gEditData.Settings.Alert[1] = static_cast<quint8>(gEditData.Settings.Alert[1] ^ 1);
}

int ShellTest::LoadedCount(const QString& name) {
    int n = 0;
    for (QObject* o : Platform::Forms::Loaded())
        n += o->objectName().compare(name, Qt::CaseInsensitive) == 0 ? 1 : 0;
    return n;
}
