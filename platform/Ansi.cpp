#include "platform/Ansi.h"

#include "platform/SysLocale.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace Platform {

namespace {
const char* CodecName() {
    return AnsiCodePage() == 936 ? "GBK" : "windows-1252";
}
} // namespace

int AnsiCodePage() {
    return SystemDefaultLcid() == kLcidChineseSimplified ? 936 : 1252;
}

QString AnsiToString(const QByteArray& bytes) {
    QStringDecoder decoder(CodecName());
    if (!decoder.isValid()) return QString::fromLatin1(bytes);
    return decoder.decode(bytes);
}

QByteArray StringToAnsi(const QString& text) {
    QStringEncoder encoder(CodecName());
    if (!encoder.isValid()) return text.toLatin1();
    return encoder.encode(text);
}

} // namespace Platform
