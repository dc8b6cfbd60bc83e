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

QString TedOf(const QString& datPath) {
    return ModFreFile::SideFileName(datPath, QStringLiteral(".ted"));
}

bool SameFile(const QString& a, const QString& b) {
    if (a.isEmpty() || b.isEmpty()) return false;
    const QFileInfo x(a), y(b);
    const QString cx = x.canonicalFilePath(), cy = y.canonicalFilePath();
    if (!cx.isEmpty() && !cy.isEmpty()) return cx == cy;
    return x.absoluteFilePath() == y.absoluteFilePath();
}

// Whether anything lies at the path, a dangling link too.
bool Taken(const QString& path) {
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

// The working block from the ".ted" of the configuration file, a file found
// but not taken reported.
void ReadBlockOf(const QString& datPath) {
    const qint32 refused = LoadTedForDat(datPath);
    gEditTestBlock = gFileTestBlock.Known() ? gFileTestBlock : TTestData{};
    if (refused != 0) Platform::MsgBox(RefusalText(refused, TedOf(datPath)));
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
    gFileTestBlock = {TTestData::From::Nothing, datPath, {}};
    const QString ted = TedOf(datPath);
    if (!Taken(ted)) return 0;
    const qint32 refused = ReadTestFile(ted, gFileTestBlock.bytes);
    if (refused == 0) gFileTestBlock.from = TTestData::From::File;
    return refused;
}

QString RefusalText(qint32 reason, const QString& tedPath) {
    return ModFunLang::GetLangText(reason) + u'\n' + QDir::toNativeSeparators(tedPath);
}

void TakeTestBlockOf(const QString& datPath) {
    if (gTestDataOn) return ReadBlockOf(datPath);
    gEditTestBlock = {};
    gFileTestBlock = {TTestData::From::Nothing, datPath, {}};
}

void TakeDefaultBlock(const QString& initPath) {
    ForgetTestBlock();
    if (!gTestDataOn) return;
    TTestData block{TTestData::From::File, initPath, {}};
    if (Taken(TedOf(initPath)) && ReadTestFile(TedOf(initPath), block.bytes) == 0)
        gEditTestBlock = block;
}

void ForgetTestBlock() {
    gEditTestBlock = {};
    gFileTestBlock = {};
}

void TakeRadioBlock(const TTestBlock& block) {
    ForgetTestBlock();
    gEditTestBlock = {TTestData::From::Radio, {}, block};
}

void TakeDialogBlock(const TTestBlock& block) {
    if (gEditTestBlock.Known() && gEditTestBlock.bytes == block) return;
    gEditTestBlock = {TTestData::From::Dialog, {}, block};
}

bool IsTestBlockKnown() {
    return gEditTestBlock.Known();
}

bool IsTestBlockChanged() {
    return gEditTestBlock.from == TTestData::From::Dialog &&
           !(gFileTestBlock.Known() && gFileTestBlock.bytes == gEditTestBlock.bytes);
}

Unsaved UnsavedTestBlock() {
    if (IsTestBlockChanged()) return Unsaved::Changed;
    if (gEditTestBlock.from == TTestData::From::Radio) return Unsaved::ReadFromRadio;
    return Unsaved::Nothing;
}

QByteArray BlockToSend() {
    TTestBlock sent = gEditTestBlock.bytes;
    sent[kTestBlockSize - 1] = 0xA5;
    return TestFileBytes(sent);
}

bool HasOtherTed(const QString& datPath) {
    const QString ted = TedOf(datPath);
    // a folder or a dangling link is never taken for a block
    if (!QFileInfo(ted).isFile() || SameFile(datPath, gFileTestBlock.file)) return false;
    // one that holds the very block this save writes loses nothing
    TTestBlock there{};
    return !(gEditTestBlock.Known() && ReadTestFile(ted, there) == 0 &&
             there == gEditTestBlock.bytes);
}

QString SetAsideTed(const QString& datPath) {
    const QString ted = TedOf(datPath);
    const QString stem = ted.chopped(4);
    for (int n = 1; n < 1000; ++n) {
        const QString name = stem + (n == 1 ? QStringLiteral(" (replaced)")
                                            : QStringLiteral(" (replaced %1)").arg(n));
        // a free name that no configuration beside it pairs with
        if (Taken(name + QLatin1String(".ted")) || Taken(name + QLatin1String(".dat"))) continue;
        if (QFile::rename(ted, name + QLatin1String(".ted"))) return name + QLatin1String(".ted");
        break;
    }
    Platform::MsgBox(ModFunLang::GetLangText(9002) + u'\n' + QDir::toNativeSeparators(ted));
    return {};
}

void TestBlockSaved(const QString& datPath) {
    if (gEditTestBlock.Known()) {
        gEditTestBlock = {TTestData::From::File, datPath, gEditTestBlock.bytes};
        gFileTestBlock = gEditTestBlock;
    } else {
        // the ".ted" there, if any, is the file's own, not read
        gFileTestBlock = {TTestData::From::Nothing, datPath, {}};
    }
}

void SetTestDataMode(bool on) {
    gTestDataOn = on;
    if (!on) {
        gEditTestBlock = {};
        gFileTestBlock = {TTestData::From::Nothing, gFileTestBlock.file, {}};
    } else if (!gEditTestBlock.Known() && !gFileTestBlock.file.isEmpty()) {
        ReadBlockOf(gFileTestBlock.file);
    }
}

} // namespace ModTestData
