#pragma once

#include "data/SharedState.h"
#include "platform/Forms.h"

#include <QPoint>
#include <QRect>
#include <QStringList>

// What the modules below the windows ask of an open window. Each window
// implements the interface that names it, so that a renamed or re-typed
// method is a compile error; modules find the window through `Open<T>()`.

namespace Views {

// The main window's services to the link, data and page modules.
class MainWindow {
public:
    static constexpr const char* kFormName = "frmMain";
    // The title, status bar and tree after the configuration changed.
    virtual void ShowMainTxt() = 0;
    virtual void Change_Language() = 0;
    virtual void LoadTree() = 0;
    // Closes every page (before a read replaces the configuration).
    virtual void CloseCurAllWindows() = 0;
    // Every open window writes what the user typed and has not confirmed.
    virtual void CommitPendingEdits() = 0;
    // Starts a new configuration of the program's model and band.
    virtual void LoadNewDoc() = 0;
    // The grid page's current channel changed or was re-shown.
    virtual void UpdateEditCommands(int number) = 0;
    // The grid page was shown (true) or closed (false).
    virtual void ShowCHInfo(bool rShow) = 0;
    // Which channel edit commands the grid page's current channel allows: cut
    // and copy a channel with data, paste a filled clipboard; the others
    // always.
    virtual void AllowEditCommands(bool hasData, bool clipboardFull) = 0;
    // Pops up the channel edit menu at that screen position.
    virtual void PopupEditMenu(const QPoint& globalPos) = 0;
    // The status bar names the port that the next session opens.
    virtual void ShowComPort() = 0;

protected:
    ~MainWindow() = default;
};

// The channel grid page.
class ChannelGrid {
public:
    static constexpr const char* kFormName = "frmCommChInfo";
    virtual void reShowGrid(int rRow) = 0;
    virtual void reShowAllGrid() = 0;
    virtual void ReShowAllTxFre(bool rOffSet) = 0;
    // The detail editor chose another group.
    virtual void ChangeGroup() = 0;
    // Drops the open cell editor without writing it.
    virtual void InvalidEdit() = 0;
    virtual void SetEditDisable() = 0;
    // A channel edit command is moving the grid's rows.
    virtual void SetCodeMoveTopRow(bool moving) = 0;
    // The current row (the position 1..16 of the channel in hand), the group
    // shown (0..7), and moving the current row keeping the column.
    virtual int CurrentRow() const = 0;
    virtual int ShownGroup() const = 0;
    virtual void SetCurrentRow(int row) = 0;
    // Where the page stands in the main window's work area, its frame
    // included; empty while it stands in none.
    virtual QRect AreaTaken() const = 0;

protected:
    ~ChannelGrid() = default;
};

// The channel detail editor.
class ChannelEditor {
public:
    static constexpr const char* kFormName = "FrmCHInfoEdit";
    virtual void SetGridEditData(bool rIsGridChange) = 0;
    virtual void ReShowEditTxFre(bool rOffSet) = 0;
    // The busy-lockout list's whole texts, and the choices it offers.
    virtual QStringList BusyLockMasterList() const = 0;
    virtual void ShowBusyLockChoices(const QStringList& items, int shown) = 0;
    virtual void SetWandToSave(bool wanted) = 0;
    // The list index of the position selector (position - 1), -1 without a
    // selection.
    virtual int PositionIndex() const = 0;

protected:
    ~ChannelEditor() = default;
};

// A page whose lists name channels (the alert and scan pages).
class ChannelRefPage {
public:
    virtual void ReshowByCh() = 0;

protected:
    ~ChannelRefPage() = default;
};

// A window whose lists name the DTMF code memories (the channel detail
// editor's call lists, the alert page's ID number list): they follow an edit
// of a memory, keeping the entry they showed.
class CodeMemoryLists {
public:
    virtual void RefreshCodeMemoryLists() = 0;

protected:
    ~CodeMemoryLists() = default;
};

// The programmable keys page.
class KeyPage {
public:
    static constexpr const char* kFormName = "FrmKey";
    virtual void ShowKeyFunctions() = 0;

protected:
    ~KeyPage() = default;
};

// The open window that implements T, or nullptr.
template <typename T> T* Open() {
    return Platform::Forms::FindAs<T>(QLatin1String(T::kFormName));
}

// The grid page and the detail editor while they are shown, else nullptr.
inline ChannelGrid* ShownGrid() {
    return gFormChInfoShown ? Open<ChannelGrid>() : nullptr;
}
inline ChannelEditor* ShownEditor() {
    return gFormCHInfoEditShown ? Open<ChannelEditor>() : nullptr;
}

} // namespace Views
