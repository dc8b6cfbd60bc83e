#include "channels/ModCHEdit.h"

#include "channels/FrmHabits.h"
#include "data/ModHabits.h"
#include "data/ModShowFreFun.h"
#include "data/RadioData.h"
#include "data/SharedState.h"
#include "data/Views.h"
#include "platform/Forms.h"

#include <QApplication>

namespace ModCHEdit {

namespace {

std::function<void()> gAsk;

void AskQuestion(int mode) {
    gConfirmMode = static_cast<qint16>(mode);
    if (gAsk) {
        gAsk();
        return;
    }
    FrmMsgConfirm dialog(QApplication::activeWindow());
    dialog.exec();
}

TChannel* ChannelOf(int number) {
    const int i = ModShowFreFun::FindChannelIndex(number);
    return i < 0 ? nullptr : &gEditData.Channels[static_cast<std::size_t>(i)];
}

bool InRange(int position) {
    return position >= 1 && position <= 16;
}

void MoveCommand(Views::ChannelGrid* grid, int position, int group, int target) {
    const int base = group * 16;
    for (int i = 0; i < gEditData.UsedCount(); ++i) {
        TChannel& ch = gEditData.Channels[static_cast<std::size_t>(i)];
        const int d = ch.Number - base;
        if (d == position)
            ch.Number = static_cast<qint16>(base + target);
        else if (d == target)
            ch.Number = static_cast<qint16>(base + position);
    }
    RefreshChannel(position, group);
    RefreshChannel(target, group);
    if (grid) grid->SetCurrentRow(target);
}

} // namespace

void SetConfirmAsker(std::function<void()> ask) {
    gAsk = std::move(ask);
}

bool ChannelHasData(int number) {
    const TChannel* ch = ChannelOf(number);
    if (!ch) return false;
    const QString rx = ch->RxFreq.Text();
    return !rx.isEmpty() && rx != QLatin1String("FFFFFFFF") && ch->NoData == 0;
}

void CopyChannel(int position, int group) {
    const TChannel* ch = ChannelOf(group * 16 + position);
    if (!ch) return;
    gClipboardFull = true;
    gEditClipboard = *ch;
}

void CutCommand(int position, int group) {
    CopyChannel(position, group);
    DeleteCommand(position, group);
}

void DeleteCommand(int position, int group) {
    if (!gHabits.NoDeleteAsk) AskQuestion(2);
    ClearChannel(position, group);
    if (gHabits.DeleteClosesGap) ShiftUpInGroup(position, group);
}

void PasteCommand(int position, int group) {
    // nothing was ever copied: there is nothing to write
    if (!gClipboardFull) return;
    if (InRange(position)) {
        if (!gHabits.NoPasteAsk) AskQuestion(1);
        if (gHabits.PasteInserts) InsertCommand(position, group);
    }
    PasteChannel(position, group);
}

void PasteChannel(int position, int group) {
    const int number = group * 16 + position;
    TChannel* target = nullptr;
    if (gEditClipboard.NoData != 0) {
        ModShowFreFun::DeleteChannelByNo(number);
    } else if (TChannel* ch = ChannelOf(number)) {
        target = ch;
    } else if (number >= 1 && number <= kMaxChannels && gEditData.UsedCount() < kMaxChannels) {
        const int index = gEditData.UsedCount();
        target = &gEditData.Channels[static_cast<std::size_t>(index)];
        gEditData.ChannelCount = static_cast<qint16>(index + 1);
    }
    if (target) {
        *target = gEditClipboard;
        target->Number = static_cast<qint16>(number);
        // copied in another band: held in this one as a typed frequency is
        ModShowFreFun::KeepChannelInBand(*target, true);
    }
    RefreshChannel(position, group);
}

void InsertCommand(int position, int group) {
    ShiftDownInGroup(position, group);
    ClearChannel(position, group);
}

void ShiftDownInGroup(int position, int group) {
    const int base = group * 16;
    int i = 0;
    while (i < gEditData.UsedCount()) {
        TChannel& ch = gEditData.Channels[static_cast<std::size_t>(i)];
        const int d = ch.Number - base;
        if (d == 16) {
            // the channel at the end of the group drops out; the next record
            // moves into this place and is examined next
            ModShowFreFun::DeleteChannelAt(i);
            continue;
        }
        if (d >= position && d <= 15) ++ch.Number;
        ++i;
    }
    RefreshAllChannels();
}

void ShiftUpInGroup(int position, int group) {
    const int base = group * 16;
    for (int i = 0; i < gEditData.UsedCount(); ++i) {
        TChannel& ch = gEditData.Channels[static_cast<std::size_t>(i)];
        const int d = ch.Number - base;
        if (d > position && d <= 16) --ch.Number;
    }
    RefreshAllChannels();
}

void ClearChannel(int position, int group) {
    if (InRange(position)) ModShowFreFun::DeleteChannelByNo(group * 16 + position);
    RefreshChannel(position, group);
}

void MoveUpCommand(Views::ChannelGrid* grid, int position, int group) {
    MoveCommand(grid, position, group, position - 1 < 1 ? 16 : position - 1);
}

void MoveDownCommand(Views::ChannelGrid* grid, int position, int group) {
    MoveCommand(grid, position, group, position + 1 > 16 ? 1 : position + 1);
}

void RefreshChannel(int position, int group) {
    if (Views::ChannelGrid* grid = Views::ShownGrid()) grid->reShowGrid(group * 16 + position);
    if (Views::ChannelEditor* editor = Views::ShownEditor())
        if (editor->PositionIndex() == position - 1) editor->SetGridEditData(false);
}

void RefreshAllChannels() {
    if (Views::ChannelGrid* grid = Views::ShownGrid()) grid->reShowAllGrid();
    if (Views::ChannelEditor* editor = Views::ShownEditor()) editor->SetGridEditData(true);
}

void UpdateEditCommands(Views::MainWindow* main, int number) {
    if (main) main->AllowEditCommands(ChannelHasData(number), gClipboardFull);
}

void RunCommand(int code) {
    Views::ChannelGrid* grid = Views::ShownGrid();
    if (grid) grid->SetCodeMoveTopRow(true);
    if (code >= 1 && code <= 7 && grid) {
        const int position = grid->CurrentRow();
        const int group = grid->ShownGroup();
        if (InRange(position)) {
            switch (code) {
            case 1:
                CutCommand(position, group);
                break;
            case 2:
                CopyChannel(position, group);
                break;
            case 3:
                PasteCommand(position, group);
                break;
            case 4:
                InsertCommand(position, group);
                break;
            case 5:
                DeleteCommand(position, group);
                break;
            case 6:
                MoveUpCommand(grid, position, group);
                break;
            case 7:
                MoveDownCommand(grid, position, group);
                break;
            default:
                break;
            }
            if (code != 2) ModShowFreFun::FixChannelRefs();
            // the clipboard may have been filled: paste becomes available
            if (auto* main = Views::Open<Views::MainWindow>())
                main->UpdateEditCommands(group * 16 + grid->CurrentRow());
        }
    } else if (code == 8) {
        const bool offset = gHabits.TxAsOffset;
        {
            FrmHabits dialog(QApplication::activeWindow());
            dialog.exec();
        }
        if (gHabits.TxAsOffset != offset) {
            if (Views::ChannelGrid* grid = Views::ShownGrid())
                grid->ReShowAllTxFre(gHabits.TxAsOffset);
            if (Views::ChannelEditor* editor = Views::ShownEditor())
                editor->ReShowEditTxFre(gHabits.TxAsOffset);
        }
    }
    if (grid) grid->SetCodeMoveTopRow(false);
}

} // namespace ModCHEdit
