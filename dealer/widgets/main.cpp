// Halbrek: the dealer tool of the KL740 and KL740G radios.
#include "dealer/ModSYSType.h"
#include "dealer/widgets/FrmMain.h"
#include "platform/MsgBox.h"
#include "platform/widgets/DialogMessages.h"
#include "platform/widgets/WheelRule.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Halbrek"));
    Platform::InstallWheelRule(app);
    Platform::DialogMessages messages;
    Platform::SetMessageService(&messages);
    if (!Halbrek::ModSYSType::CheckSettingsFile()) {
        Platform::SetMessageService(nullptr);
        return 1;
    }
    int result = 0;
    {
        Halbrek::FrmMain window;
        window.show();
        result = QApplication::exec();
    }
    Platform::SetMessageService(nullptr);
    return result;
}
