#include "data/ModTestData.h"

#include "data/ConfigFiles.h"
#include "data/ModFun.h"
#include "platform/App.h"

#include <QFile>

namespace ModTestData {

void LoadTestMode() {
    gEditTestBlock.fill(0);
    gFileTestBlock = gEditTestBlock;
    QFile file(Platform::JoinPath(Platform::AppPath(), QStringLiteral("TestData.ini")));
    if (!file.exists()) {
        gTestDataOn = false;
        return;
    }
    if (!file.open(QIODevice::ReadOnly)) return;
    QByteArray text = file.read(128);
    text.append(QByteArray(128 - text.size(), '\0')); // a short file reads as NULs after its end
    gTestDataOn = ModFun::TrimNull(QString::fromLatin1(text)) == QLatin1String(kMarker);
}

void ReadTestFile(const QString& path, TTestBlock& destination) {
    QFile file(path);
    if (!file.exists() || !file.open(QIODevice::ReadOnly)) return;
    const QByteArray bytes = file.read(kTestBlockSize);
    TTestBlock block{};
    std::copy(bytes.begin(), bytes.end(), block.begin());
    destination = block;
}

QByteArray TestFileBytes(const TTestBlock& block) {
    return QByteArray(reinterpret_cast<const char*>(block.data()), kTestBlockSize);
}

bool WriteTestFile(const QString& path, const TTestBlock& source) {
    // The file is the block alone: whatever a longer file held after it goes.
    return ModFreFile::WriteFiles({{path, TestFileBytes(source)}});
}

void LoadTedForDat(const QString& datPath) {
    if (datPath.size() <= 3) return;
    // A configuration without a test block of its own has an empty one, never
    // the block of the file opened before it.
    gFileTestBlock.fill(0);
    ReadTestFile(ModFreFile::SideFileName(datPath, QStringLiteral(".ted")), gFileTestBlock);
}

} // namespace ModTestData
