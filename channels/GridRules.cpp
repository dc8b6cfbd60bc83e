#include "channels/GridRules.h"

#include "data/ModFun.h"
#include "data/ModFunLang.h"
#include "data/ModShowFreFun.h"
#include "platform/Numbers.h"

namespace GridRules {

namespace {

QStringList Texts(std::initializer_list<qint32> ids) {
    QStringList out;
    for (qint32 id : ids)
        out << ModFunLang::GetLangText(id);
    return out;
}

const QStringList kNoList;

} // namespace

Editor EditorOf(int col) {
    switch (col) {
    case 1:
    case 2:
        return Editor::Text1;
    case 3:
        return Editor::Text2;
    case 4:
    case 5:
        return Editor::Combo1;
    case 6:
        return Editor::Combo2;
    case 7:
        return Editor::Combo3;
    case 8:
        return Editor::Combo4;
    case 9:
        return Editor::Combo5;
    default:
        return Editor::None;
    }
}

bool IsListEditor(Editor editor) {
    return editor != Editor::None && editor != Editor::Text1 && editor != Editor::Text2;
}

int HelpContextOf(int col, bool offsetMode) {
    switch (col) {
    case 1:
        return 3102;
    case 2:
        return offsetMode ? 3104 : 3103;
    case 4:
        return 3105;
    case 5:
        return 3106;
    case 6:
        return 3107;
    case 7:
        return 3115;
    case 8:
        return 3108;
    case 9:
        return 3110;
    default:
        return 0;
    }
}

int MaxLengthOf(Editor editor) {
    return editor == Editor::Text1 ? 9 : editor == Editor::Text2 ? 5 : 0;
}

int RowOfChannel(int number, int group) {
    const int r = number - ModFun::GroupBase(group);
    return r > 0 && r < kRows ? r : 0;
}

int ChannelOfRow(int group, int row) {
    return ModFun::GroupBase(group) + row;
}

const QStringList& ListTexts::ForColumn(int col) const {
    switch (col) {
    case 4:
    case 5:
        return tones;
    case 6:
        return power;
    case 7:
        return scanSkip;
    case 8:
        return optSignal;
    case 9:
        return bandwidth;
    default:
        return kNoList;
    }
}

ListTexts LoadListTexts() {
    ListTexts lists;
    lists.tones = ModShowFreFun::ToneList();
    lists.tones[0] = ModFunLang::GetLangText(14013);
    lists.power = Texts({14014, 14015, 14016});
    lists.scanSkip = Texts({14017, 14018});
    lists.optSignal = Texts({14013, 14019});
    lists.bandwidth = Texts({14020, 14021, 14022});
    return lists;
}

QString TxCellText(const TChannel& channel, bool offsetMode) {
    return ModShowFreFun::TxFreqText(channel.RxFreq.Text(), channel.Offset.Text(),
                                     channel.OffsetDir, offsetMode);
}

std::array<QString, kCols> RowTexts(const TChannel& ch, const ListTexts& lists, bool offsetMode) {
    using ModFun::ListItemAt;
    std::array<QString, kCols> row;
    row[1] = ModShowFreFun::FreqCodeToText(ModFun::TrimNull(ch.RxFreq.Text()));
    row[2] = TxCellText(ch, offsetMode);
    row[4] = ListItemAt(lists.tones, ch.RxTone);
    row[5] = ListItemAt(lists.tones, ch.TxTone);
    row[6] = ListItemAt(lists.power, ch.TxPower);
    row[7] = ListItemAt(lists.scanSkip, ch.ScanSkip);
    row[8] = ListItemAt(lists.optSignal, ch.OptSignal);
    row[9] = ListItemAt(lists.bandwidth, ch.Bandwidth);
    return row;
}

int ListValueOf(const TChannel& ch, int col) {
    switch (col) {
    case 4:
        return ch.RxTone;
    case 5:
        return ch.TxTone;
    case 6:
        return ch.TxPower;
    case 7:
        return ch.ScanSkip;
    case 8:
        return ch.OptSignal;
    case 9:
        return ch.Bandwidth;
    default:
        return -1;
    }
}

QString Caption(const QString& firstWord, const QString& channelWord, int group, int row) {
    return firstWord + QLatin1Char(' ') + QString::number(group + 1) + QStringLiteral(" --- ") +
           channelWord + QLatin1Char(' ') + QString::number(row) + QLatin1Char(']');
}

Entry CellEntry(int col, bool rxCellEmpty, bool txCellEmpty, bool skipCheck) {
    if (skipCheck) return Entry::Open;
    if (col >= 2 && col <= kLastEditCol && rxCellEmpty) return Entry::RedirectRx;
    if (col == 5 && txCellEmpty) return Entry::RedirectTx;
    return Entry::Open;
}

int NextCol(int col) {
    int c = col + 1;
    if (c == kNameCol) c = kNameCol + 1;
    return c > kLastEditCol ? 0 : c;
}

int NextLine(int row) {
    return row + 1 >= kRows ? 1 : row + 1;
}

bool EnterGoesToNextLine(int col, const QString& text) {
    return col == kRxCol && text.isEmpty();
}

bool KeepChar(int col, bool offsetMode, QChar& c) {
    const char16_t u = c.unicode();
    if (u < 32 || u == 127) return true; // control codes pass
    if (u > 127) return false;
    if (col == kNameCol) {
        if (u >= 'a' && u <= 'z') c = QChar(u - 'a' + 'A');
        const char16_t v = c.unicode();
        return (v >= '0' && v <= '9') || (v >= 'A' && v <= 'Z');
    }
    if ((u >= '0' && u <= '9') || u == '.') return true;
    return col == kTxCol && offsetMode && (u == '+' || u == '-');
}

QString FilterText(int col, bool offsetMode, const QString& text) {
    QString out;
    out.reserve(text.size());
    for (QChar c : text)
        if (KeepChar(col, offsetMode, c) && c.unicode() >= 32 && c.unicode() != 127) out += c;
    return out;
}

QString FormatFreqText(const QString& text) {
    return Platform::IsNumeric(text) ? Platform::FormatFixed(Platform::Val(text), 5) : text;
}

bool SameValue(int col, bool offsetMode, const QString& text, const QString& shown) {
    if (text == shown) return true;
    if (col != kRxCol && col != kTxCol) return false;
    const QString a = text.trimmed();
    const QString b = shown.trimmed();
    if (!Platform::IsNumeric(a) || !Platform::IsNumeric(b)) return false;
    auto sign = [](const QString& t) {
        return t.startsWith(u'+') ? 1 : t.startsWith(u'-') ? -1 : 0;
    };
    if (col == kTxCol && offsetMode && sign(a) != sign(b)) return false;
    return ModShowFreFun::ToTenHz(Platform::Val(a)) == ModShowFreFun::ToTenHz(Platform::Val(b));
}

WriteBack TextWriteBack(int col, const QString& text) {
    WriteBack wb;
    switch (col) {
    case kRxCol:
        wb.write = true;
        wb.cellText = FormatFreqText(text);
        wb.value = wb.cellText;
        break;
    case kTxCol:
        if (!Platform::IsNumeric(text)) break;
        wb.write = true;
        {
            const QString t = text.trimmed();
            if (t.startsWith(u'+') || t.startsWith(u'-'))
                wb.cellText = t.left(1) + Platform::FormatFixed(qAbs(Platform::Val(t)), 5);
            else
                wb.cellText = FormatFreqText(t);
        }
        wb.value = text;
        break;
    case kNameCol:
        wb.write = true;
        wb.cellText = text;
        wb.value = text;
        break;
    default:
        break;
    }
    return wb;
}

int RowAfterScroll(int currentRow, int editTopRow, int newTopRow) {
    const int r = currentRow - editTopRow + newTopRow;
    return r >= 1 && r < kRows ? r : currentRow;
}

} // namespace GridRules
