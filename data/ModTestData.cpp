#include "data/ModTestData.h"

#include "data/ConfigFiles.h"
#include "data/ModFun.h"
#include "data/ModFunLang.h"
#include "platform/App.h"
#include "platform/FileReplace.h"
#include "platform/MsgBox.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace ModTestData {

namespace {

QString gUntakenTestFile;
// The configuration opened with the mode off whose ".ted" was not read yet.
QString gWaitingTestFileOf;

// The file a path names, at the end of its links, for comparing.
QString FileOf(const QString& path) {
    return QDir::cleanPath(QFileInfo(Platform::FileReplace::ResolveLinks(path)).absoluteFilePath());
}

} // namespace

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

qint32 ReadTestFile(const QString& path, TTestBlock& destination) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return kUnreadable;
    // A file of another size is no test block (a configuration chosen by
    // mistake, a damaged file): its bytes would go to the radio as calibration.
    if (file.size() != kTestBlockSize) return kNoTestBlock;
    const QByteArray bytes = file.read(kTestBlockSize);
    if (bytes.size() != kTestBlockSize) return kUnreadable;
    std::copy(bytes.begin(), bytes.end(), destination.begin());
    return 0;
}

QByteArray TestFileBytes(const TTestBlock& block) {
    return QByteArray(reinterpret_cast<const char*>(block.data()), kTestBlockSize);
}

bool WriteTestFile(const QString& path, const TTestBlock& source) {
    // The file is the block alone: whatever a longer file held after it goes.
    return ModFreFile::WriteFiles({{path, TestFileBytes(source)}});
}

qint32 LoadTedForDat(const QString& datPath) {
    if (datPath.size() <= 3) return 0;
    // A configuration without a test block of its own has an empty one, never
    // the block of the file opened before it.
    gFileTestBlock.fill(0);
    gUntakenTestFile.clear();
    const QString ted = ModFreFile::SideFileName(datPath, QStringLiteral(".ted"));
    const QFileInfo info(ted);
    if (!info.exists() && !info.isSymLink()) return 0;
    const qint32 refused = ReadTestFile(ted, gFileTestBlock);
    if (refused != 0) gUntakenTestFile = FileOf(ted);
    return refused;
}

QString RefusalText(qint32 reason, const QString& tedPath) {
    return ModFunLang::GetLangText(reason) + u'\n' + QDir::toNativeSeparators(tedPath);
}

namespace {
void ReadBlockOf(const QString& datPath) {
    const qint32 refused = LoadTedForDat(datPath);
    gEditTestBlock = gFileTestBlock;
    if (refused != 0)
        Platform::MsgBox(
            RefusalText(refused, ModFreFile::SideFileName(datPath, QStringLiteral(".ted"))));
}
} // namespace

void TakeTestBlockOf(const QString& datPath) {
    TestBlockSetAnew();
    if (gTestDataOn) {
        ReadBlockOf(datPath);
        return;
    }
    gFileTestBlock.fill(0);
    gEditTestBlock.fill(0);
    gWaitingTestFileOf = datPath;
}

void SetTestDataMode(bool on) {
    gTestDataOn = on;
    if (!on || gWaitingTestFileOf.isEmpty()) return;
    const QString datPath = gWaitingTestFileOf;
    gWaitingTestFileOf.clear();
    ReadBlockOf(datPath);
}

bool IsUntakenTestFile(const QString& tedPath) {
    return !gUntakenTestFile.isEmpty() && FileOf(tedPath) == gUntakenTestFile;
}

void TestBlockSetAnew() {
    gUntakenTestFile.clear();
    gWaitingTestFileOf.clear();
}

} // namespace ModTestData
