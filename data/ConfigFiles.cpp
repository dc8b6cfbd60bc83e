#include "data/ConfigFiles.h"

#include "data/DatLayout.h"
#include "data/ModCommFun.h"
#include "data/ModFreFile.h"
#include "data/ModFun.h"
#include "data/ModFunLang.h"
#include "data/ModInitV.h"
#include "data/ModShowFreFun.h"
#include "data/ModTestData.h"
#include "data/ModVerionMana.h"
#include "data/RadioData.h"
#include "data/Views.h"
#include "platform/App.h"
#include "platform/Forms.h"
#include "platform/MsgBox.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <algorithm>

using ModFun::TrimNull;

namespace {

enum class ReadResult { Ok, Failed, BadRecord };

void Message(qint32 textId) {
    Platform::MsgBox(ModFunLang::GetLangText(textId));
}

// File New reads its default file without the user naming it: the message
// names the damaged file.
void DamagedDefaultFile(const QString& path) {
    Platform::MsgBox(ModFunLang::GetLangText(9033) + u'\n' + QDir::toNativeSeparators(path));
}

// A frequency or offset field as the program writes it: all its ASCII digits,
// or, where the field may be empty, the empty forms: blanks and NULs only, or
// all "F". Any other text would show as one value and go to the radio as
// another (a short code is read as MHz on screen and as units of 10 Hz by the
// radio; a test pair is sent digit by digit).
template <std::size_t N> bool IsCodeField(const FixedText<N>& field, bool mayBeEmpty) {
    const auto& b = field.bytes;
    if (std::all_of(b.begin(), b.end(), [](char c) { return c >= '0' && c <= '9'; })) return true;
    return mayBeEmpty &&
           (std::all_of(b.begin(), b.end(), [](char c) { return c == ' ' || c == '\0'; }) ||
            std::all_of(b.begin(), b.end(), [](char c) { return c == 'F'; }));
}

// A test frequency of all zeros reaches a radio as no frequency.
bool IsTestFreqField(const FixedText<8>& field) {
    return IsCodeField(field, true) && field.Bytes() != QByteArray(8, '0');
}

// The transmit frequency of a channel whose frequency and offset are code
// fields (above): 0 up to 999.99999 MHz, an eight-digit code, as every
// channel the program makes sends. Any other would show as one value and go
// to the radio as another.
bool HasSendableTx(const TChannel& ch) {
    const long long rx = ch.RxFreq.Bytes().toLongLong();
    const long long offset = IsCodeField(ch.Offset, false) ? ch.Offset.Bytes().toLongLong() : 0;
    const long long tx = ch.OffsetDir == 1 ? rx - offset : ch.OffsetDir == 2 ? rx + offset : rx;
    return tx >= 0 && tx <= 99999999;
}

// A record read from a file is used only when it is one that the program
// could have written: a channel count of 0..128, each used channel numbered
// 1..128 once with a receive frequency, an offset and a transmit frequency as
// the program writes them, test pairs likewise, and a band of the band table.
bool IsWellFormed(const TRadioData& data) {
    if (data.ChannelCount < 0 || data.ChannelCount > kMaxChannels) return false;
    QSet<int> numbers;
    for (int i = 0; i < data.ChannelCount; ++i) {
        const TChannel& ch = data.Channels[static_cast<std::size_t>(i)];
        if (ch.Number < 1 || ch.Number > kMaxChannels || numbers.contains(ch.Number)) return false;
        numbers.insert(ch.Number);
        if (!IsCodeField(ch.RxFreq, false) || !IsCodeField(ch.Offset, true) || !HasSendableTx(ch))
            return false;
    }
    for (const TTestFre& pair : data.TestFreList)
        if (!IsTestFreqField(pair.First) || !IsTestFreqField(pair.Second)) return false;
    return !ModFreFile::BandCodeToText(data.ModelInfo.BandCode).isEmpty();
}

// Reads a whole configuration file into `into`; on anything but Ok the record
// is left as it was.
ReadResult ReadRecord(const QString& path, TRadioData& into) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return ReadResult::Failed;
    const qint64 size = file.size();
    if (size != DatLayout::kFileSize && size != DatLayout::kShortFileSize)
        return ReadResult::BadRecord;
    const QByteArray bytes = file.readAll();
    if (bytes.size() != size) return ReadResult::Failed;
    TRadioData scratch;
    if (!DatLayout::Unpack(bytes, scratch) || !IsWellFormed(scratch)) return ReadResult::BadRecord;
    // what the pages show, what is kept and what a radio is sent: one value
    ModCommFun::KeepInRange(scratch);
    into = scratch;
    return ReadResult::Ok;
}

// Reads a file for open or import, with the messages of a failed read. The
// pages close only when the record is good, before it becomes the saved copy.
bool ReadForOpen(const QString& path, Views::MainWindow* mainWindow) {
    TRadioData record;
    switch (ReadRecord(path, record)) {
    case ReadResult::Ok:
        if (mainWindow) mainWindow->CloseCurAllWindows();
        gFileData = record;
        return true;
    case ReadResult::BadRecord:
        Message(9033);
        return false;
    case ReadResult::Failed:
        Message(9002);
        return false;
    }
    return false;
}

void AfterRead(Views::MainWindow* mainWindow) {
    Platform::Forms::ShowChild(QStringLiteral("frmCommChInfo"));
    if (mainWindow) {
        mainWindow->ShowMainTxt();
        mainWindow->Change_Language();
    }
    Platform::Forms::CascadeChildren();
    gIsUntitled = false;
}

QString InitFolder() {
    return Platform::JoinPath(Platform::AppPath(), QStringLiteral("Init"));
}

bool SameText(const QString& a, const QString& b) {
    return TrimNull(a) == TrimNull(b);
}

bool SameChannel(const TChannel& s, const TChannel& w) {
    return s.RxFreq == w.RxFreq && SameText(s.Offset.Text(), w.Offset.Text()) &&
           s.OffsetDir == w.OffsetDir && s.RxTone == w.RxTone && s.TxTone == w.TxTone &&
           s.RxStep == w.RxStep && s.TxStep == w.TxStep && s.TxInhibit == w.TxInhibit &&
           s.InvTalkSelect == w.InvTalkSelect && s.Scramble == w.Scramble &&
           s.BusyLock == w.BusyLock && s.Talkaround == w.Talkaround &&
           s.SignalRelation == w.SignalRelation && s.Whisper == w.Whisper && s.PttId == w.PttId &&
           s.Bandwidth == w.Bandwidth && s.OptSignal == w.OptSignal && s.Compander == w.Compander &&
           s.Inversion == w.Inversion && s.Call1 == w.Call1 && s.Call2 == w.Call2 &&
           s.ScanSkip == w.ScanSkip && s.TxPower == w.TxPower;
}

bool SameCode(const TDtmfCode& a, const TDtmfCode& b) {
    return SameText(a.Digits.Text(), b.Digits.Text()) && a.Len == b.Len;
}

QString IdText(const TDtmf& d) {
    return d.Id.Text().left(qBound(0, int(d.IdLen), 10));
}

bool SameDtmf(const TDtmf& s, const TDtmf& w) {
    if (s.Fields != w.Fields || s.IdLen != w.IdLen || IdText(s) != IdText(w)) return false;
    if (!SameCode(s.Bot, w.Bot) || !SameCode(s.Eot, w.Eot) || !SameCode(s.Stun, w.Stun) ||
        !SameCode(s.Kill, w.Kill))
        return false;
    for (std::size_t k = 0; k < s.Codes.size(); ++k)
        if (!SameCode(s.Codes[k], w.Codes[k])) return false;
    return true;
}

} // namespace

namespace ModFreFile {

QString SideFileName(const QString& datPath, const QString& extension) {
    QString base = datPath;
    if (base.endsWith(QLatin1String(".dat"), Qt::CaseInsensitive)) base.chop(4);
    const QString ext = extension.startsWith(u'.') ? extension : u'.' + extension;
    return base + ext;
}

bool WriteFiles(const QList<Platform::FileReplace::Content>& files) {
    const Platform::FileReplace::Result result = Platform::FileReplace::Replace(files);
    if (result.written) return true;
    QString text = ModFunLang::GetLangText(result.keptOld.isEmpty() ? 9002 : 9034);
    if (!result.keptOld.isEmpty()) text += u'\n' + result.keptOld.join(u'\n');
    if (!result.leftOver.isEmpty())
        text += u'\n' + ModFunLang::GetLangText(9035) + u'\n' + result.leftOver.join(u'\n');
    Platform::MsgBox(text);
    return false;
}

void LoadExtraFile(const QString& datPath) {
    QFile file(SideFileName(datPath, QStringLiteral("NVD")));
    if (file.open(QIODevice::ReadOnly) && file.size() == DatLayout::kExtraFileSize &&
        DatLayout::UnpackExtra(file.readAll(), gFileExtraData)) {
        ModCommFun::KeepInRange(gFileExtraData);
        return;
    }
    ModInitV::InitExtraData(gFileExtraData);
}

namespace {
// Reads a default file into the saved copy. A file that cannot be taken is
// named when damaged (unless `quiet`) and leaves the saved copy equal to the
// working one. A default holds the model and band its name gives
// ("KL740_16.dat"): one of another model or band (copied over it), or without
// a model name (a file of zeros), is as damaged as a cut one.
bool ReadDefaultFile(const QString& path, bool quiet) {
    TRadioData record;
    ReadResult result = ReadRecord(path, record);
    const QString named = QFileInfo(path).completeBaseName();
    const QString model = TrimNull(record.ModelInfo.ModelName.Text());
    if (result == ReadResult::Ok &&
        (model.isEmpty() || named != model + u'_' + QString::number(record.ModelInfo.BandCode)))
        result = ReadResult::BadRecord;
    if (result == ReadResult::Ok) {
        gFileData = record;
        return true;
    }
    if (result == ReadResult::BadRecord && !quiet) DamagedDefaultFile(path);
    SyncFileFromEdit();
    return false;
}
} // namespace

bool LoadInitFile(const QString& path, bool quiet) {
    if (!ReadDefaultFile(path, quiet)) return false;
    // saved as this program's data, as an opened file is
    gFileData.Version.Assign(QLatin1String(ModVerionMana::kOwnVersion));
    if (!gInitAllChannels) {
        int found = -1;
        for (int i = 0; i < gFileData.UsedCount(); ++i)
            if (gFileData.Channels[static_cast<std::size_t>(i)].Number == 1) found = i;
        if (found >= 0) gFileData.Channels[0] = gFileData.Channels[static_cast<std::size_t>(found)];
        gFileData.ChannelCount = found >= 0 ? 1 : 0;
    }
    LoadExtraFile(path);
    ModTestData::TakeDefaultBlock(path);
    TakeEditFromFile();
    return true;
}

bool LoadInitSettings(const QString& path, bool quiet) {
    if (!ReadDefaultFile(path, quiet)) return false;
    ModTestData::TakeDefaultBlock(path);
    LoadExtraFile(path);
    TakeSettingsFromFile();
    // a configuration File New just made is not a change
    SyncFileFromEdit();
    return true;
}

} // namespace ModFreFile

namespace ModInitV {

void LoadInitData(bool quiet) {
    const QString name =
        QStringLiteral("%1_%2.dat").arg(gModelName).arg(ModFreFile::BandTextToCode(gBandText));
    const QString path = Platform::JoinPath(InitFolder(), name);
    const QString fallback =
        Platform::JoinPath(InitFolder(), gModelName + QStringLiteral("_0.dat"));
    if (QFileInfo::exists(path)) {
        if (ModFreFile::LoadInitFile(path, quiet)) return;
    } else if (ModFreFile::ModelNames().contains(gModelName) && QFileInfo::exists(fallback)) {
        if (ModFreFile::LoadInitSettings(fallback, quiet)) return;
    }
    // No default file taken: the defaults as the pages show them, so that
    // viewing a page changes nothing.
    ApplyPageLoadRules();
    ModFreFile::SyncFileFromEdit();
}

} // namespace ModInitV

namespace ModShowFreFun {

bool OpenDataFile(Views::MainWindow* mainWindow) {
    QByteArray stamp;
    {
        QFile file(gDataFileName);
        if (!file.open(QIODevice::ReadOnly)) {
            Message(9002);
            return false;
        }
        stamp = file.read(4);
    }
    const QString version = QString::fromLatin1(stamp);
    if (!ModVerionMana::IsVersionStamp(version)) {
        Message(9065);
        return false;
    }
    const QString own = QLatin1String(ModVerionMana::kOwnVersion);
    if (!ModVerionMana::IsPairKnown(own, version)) {
        const int answer = Platform::MsgBox(ModVerionMana::VersionMismatchText(own, version, 1),
                                            Platform::Mb::YesNo);
        if (answer == Platform::Mb::IdYes &&
            ModVerionMana::StartMatchingVersion(version) == ModVerionMana::SwitchResult::Failed)
            Message(9002);
        return false;
    }
    if (!ReadForOpen(gDataFileName, mainWindow)) return false;
    gFileData.Version.Assign(own);
    ModFreFile::LoadExtraFile(gDataFileName);
    ModTestData::TakeTestBlockOf(gDataFileName);
    ModFreFile::TakeEditFromFile();
    AfterRead(mainWindow);
    return true;
}

bool ReopenDataFile(Views::MainWindow* mainWindow) {
    if (!ReadForOpen(gDataFileName, mainWindow)) return false;
    ModFreFile::LoadExtraFile(gDataFileName);
    ModTestData::TakeTestBlockOf(gDataFileName);
    ModFreFile::TakeAllFromFile();
    AfterRead(mainWindow);
    return true;
}

bool SaveDataFile(Views::MainWindow* mainWindow) {
    // Write what the saved copy will be; it becomes the saved copy only when
    // every file was written, so a failed save still counts as unsaved.
    TRadioData record = gEditData;
    ModCommFun::StoreModelInfo(record.ModelInfo);
    const QString path = gDataFileName;
    // The side files go first and the configuration last: whoever finds the
    // new configuration in place finds its new side files with it.
    QList<Platform::FileReplace::Content> files;
    // The ".ted" beside the file is this configuration's own, or there is
    // none: one of the file being replaced goes aside first, and a
    // configuration without a block leaves its own ".ted" as it is.
    const QString ted = ModFreFile::SideFileName(path, QStringLiteral(".ted"));
    QString setAside;
    if (ModTestData::HasOtherTed(path) && (setAside = ModTestData::SetAsideTed(path)).isEmpty())
        return false;
    if (ModTestData::IsTestBlockKnown())
        files.append({ted, ModTestData::TestFileBytes(gEditTestBlock.bytes)});
    files.append({ModFreFile::SideFileName(path, QStringLiteral("NVD")),
                  DatLayout::PackExtra(gEditExtraData)});
    files.append({path, DatLayout::Pack(record)});
    if (!ModFreFile::WriteFiles(files)) {
        if (!setAside.isEmpty()) QFile::rename(setAside, ted);
        return false;
    }
    ModFreFile::SyncFileFromEdit();
    ModTestData::TestBlockSaved(path);
    gIsUntitled = false;
    if (mainWindow) mainWindow->ShowMainTxt();
    if (!setAside.isEmpty())
        Platform::MsgBox(ModFunLang::GetLangText(9086) + u'\n' + QDir::toNativeSeparators(ted) +
                         QStringLiteral("\n→ ") + QDir::toNativeSeparators(setAside));
    return true;
}

bool IsDataUnchanged() {
    const TRadioData& s = gFileData;
    const TRadioData& w = gEditData;
    if (s.ChannelCount != w.ChannelCount) return false;
    for (int i = 0; i < s.UsedCount(); ++i) {
        const TChannel& saved = s.Channels[static_cast<std::size_t>(i)];
        int at = w.Channels[static_cast<std::size_t>(i)].Number == saved.Number
                     ? i
                     : FindChannelIndex(saved.Number);
        if (at < 0 || !SameChannel(saved, w.Channels[static_cast<std::size_t>(at)])) return false;
    }
    if (!SameText(s.ModelInfo.ModelName.Text(), w.ModelInfo.ModelName.Text()) ||
        s.ModelInfo.BandCode != w.ModelInfo.BandCode)
        return false;
    for (std::size_t i = 0; i < s.Settings.EmbMsg.size(); ++i)
        if (!SameText(s.Settings.EmbMsg[i].Text(), w.Settings.EmbMsg[i].Text())) return false;
    if (s.Settings.Keys != w.Settings.Keys || s.Settings.Scan != w.Settings.Scan ||
        s.Settings.Alert != w.Settings.Alert)
        return false;
    if (!SameText(gFileExtraData.Version.Text(), gEditExtraData.Version.Text()) ||
        gFileExtraData.AlertMode != gEditExtraData.AlertMode)
        return false;
    if (s.Settings.OptFeatures != w.Settings.OptFeatures || s.ProhibitInit != w.ProhibitInit)
        return false;
    for (std::size_t i = 0; i < s.TestFreList.size(); ++i)
        if (!SameText(s.TestFreList[i].First.Text(), w.TestFreList[i].First.Text()) ||
            !SameText(s.TestFreList[i].Second.Text(), w.TestFreList[i].Second.Text()))
            return false;
    if (!SameDtmf(s.Settings.Dtmf, w.Settings.Dtmf)) return false;
    for (std::size_t i = 0; i < s.RadioFreList.size(); ++i)
        if (s.RadioFreList[i].Empty != w.RadioFreList[i].Empty ||
            !SameText(s.RadioFreList[i].Fre.Text(), w.RadioFreList[i].Fre.Text()))
            return false;
    if (gTestDataOn && ModTestData::IsTestBlockChanged()) return false;
    return true;
}

bool IsDataModified() {
    return !IsDataUnchanged();
}

} // namespace ModShowFreFun
