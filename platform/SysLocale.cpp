#include "platform/SysLocale.h"

#include <QLocale>

namespace Platform {

namespace {
int gLcidOverride = -1;
}

int SystemDefaultLcid() {
    if (gLcidOverride >= 0) return gLcidOverride;
    const QLocale system = QLocale::system();
    if (system.language() == QLocale::Chinese && system.territory() == QLocale::China)
        return kLcidChineseSimplified;
    return kLcidEnglishUs;
}

void SetSystemLcidForTesting(int lcid) {
    gLcidOverride = lcid;
}

} // namespace Platform

#include <clocale>

namespace Platform {

QChar UsePointDecimalSeparator() {
    const QLocale user = QLocale::system();
    const QString point = user.decimalPoint();
    const QChar found = point.isEmpty() ? QChar(u'.') : point.front();
    std::setlocale(LC_NUMERIC, "C");
    if (found != u'.') {
        QLocale c = QLocale::c();
        c.setNumberOptions(QLocale::OmitGroupSeparator);
        QLocale::setDefault(c);
    }
    return found;
}

} // namespace Platform
