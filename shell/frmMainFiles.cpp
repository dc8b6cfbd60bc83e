// The main window's file commands: new, open, import, save and exit with the
// question for unsaved changes, and help.
#include "shell/frmMain.h"

#include "data/ConfigFiles.h"
#include "data/ModFun.h"
#include "data/ModFunLang.h"
#include "data/ModInitV.h"
#include "data/ProgramSettings.h"
#include "data/RadioData.h"
#include "data/widgets/FormHelpers.h"
#include "platform/MsgBox.h"
#include "platform/widgets/FileDialogs.h"
#include "shell/ShellRules.h"
#include "shell/frmAbout.h"

#include <QMdiArea>

using ModFunLang::GetLangText;

int frmMain::AskSaveChanges() {
    return Platform::MsgBox(GetLangText(9006),
                            Platform::Mb::YesNoCancel | Platform::Mb::Exclamation, Title());
}

bool frmMain::SaveDocument() {
    return ModShowFreFun::SaveDataFile(this);
}

// The saving answer of New, Open and Import: data with a file is written to
// it; data without one (a new configuration, a radio read) gets a name first.
bool frmMain::SaveWithoutQuestion() {
    return gIsUntitled ? FileSaveAs() : SaveDocument();
}

void frmMain::FileNew() {
    CommitPendingEdits();
    if (ModShowFreFun::IsDataModified()) {
        if (AskSaveChanges() == Platform::Mb::IdYes && !SaveWithoutQuestion()) return;
    }
    if (Platform::MsgBox(GetLangText(9026), Platform::Mb::OKCancel | Platform::Mb::Exclamation,
                         Title()) == Platform::Mb::IdOK)
        LoadNewDoc();
}

void frmMain::FileInit() {
    gInitAllChannels = true;
    FileNew();
}

void frmMain::OpenOrImport(bool import) {
    CommitPendingEdits();
    if (ModShowFreFun::IsDataModified()) {
        const int answer = AskSaveChanges();
        if (answer == Platform::Mb::IdCancel) return;
        if (answer == Platform::Mb::IdYes && !SaveWithoutQuestion()) return;
    }
    OpenDocument(import);
}

void frmMain::FileOpen() {
    OpenOrImport(false);
}

void frmMain::FileImport() {
    OpenOrImport(true);
}

void frmMain::OpenDocument(bool import) {
    const QString path = Platform::FileDialogs::GetOpenFileName(this, dialogFilter_, gDataFileName);
    if (path.isEmpty()) return;
    ownFileWhileOpening_ = gDataFileName;
    gDataFileName = path;
    // the loader closes the pages once the file proves good
    const bool opened =
        import ? ModShowFreFun::ReopenDataFile(this) : ModShowFreFun::OpenDataFile(this);
    // A refused file must not become the file that the next Save writes.
    if (!opened) {
        gDataFileName = ownFileWhileOpening_;
        ShowMainTxt();
    }
    ownFileWhileOpening_.clear();
}

bool frmMain::FileSave() {
    CommitPendingEdits();
    if (gIsUntitled) return FileSaveAs();
    const QString question = u'"' + ModFun::GetFileName(gDataFileName) + u'"' + GetLangText(9007);
    if (Platform::MsgBox(question, Platform::Mb::OKCancel | Platform::Mb::Question, Title()) !=
        Platform::Mb::IdOK)
        return false;
    return SaveDocument();
}

bool frmMain::FileSaveAs() {
    CommitPendingEdits();
    QString path = Platform::FileDialogs::GetSaveFileName(this, dialogFilter_, gDataFileName,
                                                          QStringLiteral("dat"));
    if (path.isEmpty()) return false;
    if (!path.endsWith(QLatin1String(".dat"), Qt::CaseInsensitive)) path += QLatin1String(".dat");
    const QString previous = gDataFileName;
    gDataFileName = path;
    if (SaveDocument()) return true;
    gDataFileName = previous;
    ShowMainTxt();
    return false;
}

void frmMain::FileExit() {
    close();
}

bool frmMain::AskSaveBeforeSwitch() {
    CommitPendingEdits();
    if (!ModShowFreFun::IsDataModified()) return true;
    const int answer = AskSaveChanges();
    if (answer == Platform::Mb::IdCancel) return false;
    if (answer == Platform::Mb::IdNo) return true;
    if (ownFileWhileOpening_.isEmpty()) return FileSave();
    // The file being opened needs the other version: the data is saved to its
    // own file, never over the file being opened.
    const QString opening = gDataFileName;
    gDataFileName = ownFileWhileOpening_;
    const bool saved = FileSave();
    ownFileWhileOpening_ = gDataFileName;
    gDataFileName = opening;
    return saved;
}

void frmMain::HelpTopic() {
    if (!gHelpOn) return;
    ModFun::OpenHelp(0);
}

void frmMain::HelpAbout() {
    frmAbout about(this);
    about.exec();
}

void frmMain::LoadNewDoc2() {
    ModInitV::NewData();
    LoadLanguageTexts();
    ModFun::ShowChildForm(QStringLiteral("frmCommChInfo"));
    ShowMainTxt();
}

void frmMain::LoadNewDoc() {
    CloseCurAllWindows();
    newDocTimer_.start();
}

void frmMain::NewDocTimer_Timer() {
    newDocTimer_.stop();
    ModInitV::NewData();
    LoadLanguageTexts();
    ModFun::ShowChildForm(QStringLiteral("frmCommChInfo"));
    ShowMainTxt();
    mdi_->cascadeSubWindows();
    gInitAllChannels = false;
}
