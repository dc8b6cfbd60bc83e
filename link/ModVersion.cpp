#include "link/ModVersion.h"

#include "data/RadioData.h"

namespace ModVersion {

bool IsModelCompatible(const QString& pc, const QString& radio, int mode) {
    if (radio == pc) return true;
    const QString a = QStringLiteral("KL740"), g = QStringLiteral("KL740G");
    if (mode == 2) {
        const bool otherModel = (pc == g && radio == a) || (pc == a && radio == g);
        return otherModel && gTestDataOn;
    }
    return radio == a || radio == g;
}

bool IsBandCompatible(int pc, int radio, int mode) {
    return mode != 2 || pc == radio;
}

bool IsSameBandGroup(int pc, int radio) {
    const int pcGroup = (pc & 0xF8) / 8;
    const int radioGroup = (radio & 0xF8) / 8;
    if (pcGroup > 3) return false;
    return pcGroup == radioGroup;
}

} // namespace ModVersion
