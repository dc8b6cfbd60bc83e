#include "data/ModTestData.h"

#include "data/ConfigFiles.h"
#include "data/ModFun.h"
#include "data/ModFunLang.h"
#include "platform/App.h"
#include "platform/MsgBox.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace ModTestData {

namespace {

// Whether each copy of the block is a block from somewhere; the saved copy's
// is what the configuration's ".ted" holds.
bool gEditKnown = false;
bool gFileKnown = false;

void ReadBlockOf(const QString& datPath) {
    const qint32 refused = LoadTedForDat(datPath);
    gEditTestBlock = gFileTestBlock;
    if (refused != 0)
        Platform::MsgBox(
            RefusalText(refused, ModFreFile::SideFileName(datPath, QStringLiteral(".ted"))));
}

} // namespace

void LoadTestMode() {
    ForgetTestBlock();
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
    // never the block of the configuration before
    ForgetTestBlock();
    const QString ted = ModFreFile::SideFileName(datPath, QStringLiteral(".ted"));
    const QFileInfo info(ted);
    if (!info.exists() && !info.isSymLink()) return 0;
    const qint32 refused = ReadTestFile(ted, gFileTestBlock);
    gFileKnown = gEditKnown = refused == 0;
    return refused;
}

QString RefusalText(qint32 reason, const QString& tedPath) {
    return ModFunLang::GetLangText(reason) + u'\n' + QDir::toNativeSeparators(tedPath);
}

void TakeTestBlockOf(const QString& datPath) {
    if (gTestDataOn)
        ReadBlockOf(datPath);
    else
        ForgetTestBlock();
}

void ForgetTestBlock() {
    gEditTestBlock.fill(0);
    gFileTestBlock.fill(0);
    gEditKnown = gFileKnown = false;
}

void TakeRadioBlock(const TTestBlock& block) {
    ForgetTestBlock();
    gEditTestBlock = block;
    gEditKnown = true;
}

void TakeDialogBlock(const TTestBlock& block) {
    gEditTestBlock = block;
    gEditKnown = true;
}

bool IsTestBlockKnown() {
    return gEditKnown;
}

bool IsTestBlockChanged() {
    return gEditKnown && (!gFileKnown || gEditTestBlock != gFileTestBlock);
}

void TestBlockSaved() {
    if (!gTestDataOn) return;
    gFileTestBlock = gEditTestBlock;
    gFileKnown = gEditKnown;
}

void SetTestDataMode(bool on) {
    gTestDataOn = on;
    if (!on)
        ForgetTestBlock();
    else if (!gEditKnown && !gIsUntitled)
        ReadBlockOf(gDataFileName);
}

} // namespace ModTestData
