#include "dealer/ModSYSType.h"

#include "dealer/ModComm.h"
#include "dealer/ModData.h"
#include "platform/App.h"
#include "platform/Numbers.h"
#include "platform/Profile.h"
#include "platform/serial/SerialPorts.h"

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
