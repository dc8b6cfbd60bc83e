#include "data/ModFun.h"

#include "data/RadioData.h"
#include "platform/Numbers.h"

#include <cmath>
#include <limits>

namespace ModFun {

int IntToBool(int v) {
    return v != 0 ? 1 : 0;
}

QString TrimNull(const QString& text) {
    qsizetype end = text.size();
    while (end > 0 && text[end - 1] == u' ')
        --end;
    QString t = text.left(end);
    const qsizetype nul = t.indexOf(QChar(u'\0'));
    return nul < 0 ? t : t.left(nul);
}

qint32 ValOrDefault(const QString& text, qint32 defaultValue) {
    if (text.isEmpty() || !Platform::IsNumeric(text)) return defaultValue;
    const double v = std::nearbyint(Platform::Val(text)); // rounds halves to even
    if (v < std::numeric_limits<qint32>::min() || v > std::numeric_limits<qint32>::max())
        return defaultValue;
    return static_cast<qint32>(v);
}

QString GetFileName(const QString& path) {
    const qsizetype slash = std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'));
    return slash < 0 ? path : path.mid(slash + 1);
}

int GroupBase(int group) {
    return 16 * group;
}

void ParseBandLimits() {
    gBandLimits[0] = Platform::Val(gBandText.mid(0, 3));
    gBandLimits[1] = Platform::Val(gBandText.mid(6, 3));
}

namespace {
QString ReplaceChars(QString text, QChar a, QChar toA, QChar b, QChar toB) {
    for (QChar& c : text) {
        if (c == a)
            c = toA;
        else if (c == b)
            c = toB;
    }
    return text;
}
} // namespace

QString DtmfTextToCode(const QString& text) {
    return ReplaceChars(text, u'*', u'E', u'#', u'F');
}

QString DtmfCodeToText(const QString& code) {
    return ReplaceChars(code, u'E', u'*', u'F', u'#');
}

QString FindListItem(const QStringList& items, const QString& text) {
    if (items.isEmpty()) return {};
    for (const QString& item : items)
        if (item == text) return item;
    return items.front();
}

QString ListItemAt(const QStringList& items, int index) {
    if (items.isEmpty()) return {};
    if (index < 0 || index >= items.size()) return items.front();
    return items[index];
}

int FindListIndex(const QStringList& items, const QString& text, int defaultIndex) {
    if (items.isEmpty() || text.isEmpty()) return defaultIndex;
    const qsizetype i = items.indexOf(text);
    return i < 0 ? 0 : static_cast<int>(i);
}

} // namespace ModFun
