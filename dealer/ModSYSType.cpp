#include "dealer/ModSYSType.h"

#include "dealer/ModComm.h"
#include "dealer/ModData.h"
#include "platform/App.h"
#include "platform/MsgBox.h"
#include "platform/Numbers.h"
#include "platform/Profile.h"
#include "platform/serial/SerialPorts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace Halbrek::ModSYSType {

int gFixedPortList = 0;

namespace {
const QString kSection = QStringLiteral("language");
}

void CheckSystemType() {
    gFixedPortList = 0;
}

QStringList FixedPortItems() {
    QStringList items;
    for (int n = 1; n <= 256; ++n)
        items << QStringLiteral("COM%1").arg(n);
    return items;
}

QStringList ListComPorts(int& first) {
    QStringList items;
    first = 0;
    for (int port : Platform::SerialPorts::ListPorts()) {
        // The number keeps at most three digits, as the system names them.
        const QString digits = QString::number(port).left(3).trimmed();
        if (items.isEmpty()) first = digits.toInt();
        items << QStringLiteral("COM") + digits;
    }
    return items;
}

int PortNumberOf(const QString& item) {
    if (item.size() <= 3) return 0;
    bool ok = false;
    const int n = item.mid(3).trimmed().toInt(&ok);
    return ok ? n : 0;
}

QString SettingsPath() {
    return Platform::JoinPath(Platform::AppPath(), QStringLiteral("mysetup.ini"));
}

bool CheckSettingsFile() {
    const QString path = SettingsPath();
    QFile file(path);
    if (!QFileInfo::exists(path) || file.open(QIODevice::ReadOnly)) return true;
    const QString native = QDir::toNativeSeparators(path);
    Platform::MsgBox(QStringLiteral("The settings file cannot be read:\n%1\n"
                                    "Halbrek cannot start without it. Check the file and its "
                                    "access rights.\n\n"
                                    "无法读取设置文件：\n%1\n"
                                    "没有该文件，本程序无法启动。请检查该文件及其访问权限。")
                         .arg(native),
                     Platform::Mb::OKOnly | Platform::Mb::Critical, QStringLiteral("Halbrek"));
    return false;
}

QString ReadSetting(const QString& key) {
    return Platform::GetProfileString(kSection, key, QString(), SettingsPath(), 512).trimmed();
}

void WriteSetting(const QString& key, const QString& value) {
    Platform::WriteProfileString(kSection, key, value, SettingsPath());
}

void LoadSettings() {
    const QString port = ReadSetting(QStringLiteral("comPort"));
    bool ok = false;
    const int number = port.toInt(&ok);
    ModComm::gComPort = ok ? number : 0;
    TProtectInfo& p = gProtectInfo;
    StoreFixed(p.NewQuestion, ReadSetting(QStringLiteral("Question")));
    p.Question = p.NewQuestion;
    StoreFixed(p.NewAnswer, ReadSetting(QStringLiteral("Answer")));
    p.Answer = p.NewAnswer;
}

void SaveProtectPair() {
    WriteSetting(QStringLiteral("Question"), FixedValue(gProtectInfo.NewQuestion));
    WriteSetting(QStringLiteral("Answer"), FixedValue(gProtectInfo.NewAnswer));
}

} // namespace Halbrek::ModSYSType
