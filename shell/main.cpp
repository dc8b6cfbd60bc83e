// Corvan: programming software for the KL740 and KL740G radios.
#include "channels/Channels.h"
#include "channels/ModCHEdit.h"
#include "link/widgets/LinkForms.h"
#include "pages/Pages.h"
#include "platform/widgets/DialogMessages.h"
#include "platform/widgets/WheelRule.h"
#include "print/Print.h"
#include "shell/ModMain.h"
#include "shell/ShellForms.h"
#include "shell/frmMain.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Corvan"));
    Platform::InstallWheelRule(app);
    Platform::DialogMessages messages;
    Platform::SetMessageService(&messages);
    Channels::RegisterForms();
    frmMain::SetChannelEditRunner(ModCHEdit::RunCommand);
    frmMain::SetEditCommandsUpdater(ModCHEdit::UpdateEditCommands);
    Pages::RegisterForms();
    Print::RegisterForms();
    LinkForms::RegisterForms();
    ShellForms::RegisterForms();
    if (!ModMain::Main()) return 0;
    const int result = QApplication::exec();
    Platform::SetMessageService(nullptr);
    return result;
}
