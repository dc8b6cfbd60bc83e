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
