#include "platform/Numbers.h"

#include <cmath>

namespace Platform {

bool IsNumeric(const QString& text) {
    const QString t = text.trimmed();
    qsizetype i = 0;
    if (i < t.size() && (t[i] == u'+' || t[i] == u'-')) ++i;
    int digits = 0;
    int points = 0;
    for (; i < t.size(); ++i) {
        const QChar c = t[i];
        if (c >= u'0' && c <= u'9')
            ++digits;
        else if (c == u'.' && points == 0)
            ++points;
        else
            return false;
    }
    return digits > 0;
}

double Val(const QString& text) {
    if (!IsNumeric(text)) return 0.0;
    QString t = text.trimmed();
    if (t.startsWith(u'+')) t.remove(0, 1);
    bool ok = false;
    const double v = t.toDouble(&ok); // QString::toDouble always uses the C locale
    return ok ? v : 0.0;
}

long long RoundHalfAway(double value) {
    return std::llround(value);
}

QString FormatFixed(double value, int decimals, int minIntDigits) {
    if (!std::isfinite(value)) value = 0.0;
    long long scale = 1;
    for (int i = 0; i < decimals; ++i)
        scale *= 10;
    const long long scaled = std::llround(std::fabs(value) * static_cast<double>(scale));
    const long long whole = scaled / scale;
    const long long frac = scaled % scale;
    QString out;
    if (value < 0 && scaled != 0) out += u'-';
    out += QString::number(whole).rightJustified(minIntDigits, u'0');
    if (decimals > 0) out += u'.' + QString::number(frac).rightJustified(decimals, u'0');
    return out;
}

} // namespace Platform
