#pragma once

#include "data/Views.h"
#include "platform/MsgBox.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <vector>

namespace TestSupport {

// Records every message shown and answers from a queue (then with the
// default answer).
class RecordingMessages final : public Platform::MessageService {
public:
    struct Shown {
        QString text;
        int style;
        QString title;
    };

    RecordingMessages();
    ~RecordingMessages() override;

    int Show(const QString& text, int style, const QString& title) override;

    QList<Shown> shown;
    QList<int> answers;
    std::function<void(const QString& text)> onShow; // runs before the answer
    int defaultAnswer = Platform::Mb::IdOK;

    int Count() const { return static_cast<int>(shown.size()); }
    // How many shown messages had exactly this text.
    int CountOf(const QString& text) const;
};

// A temporary installation: <root>/V200 is the program folder with copies of
// the language files, <root> the version root. The program folder is set as
// the application path while the object lives.
class TempProgram {
public:
    TempProgram();
    ~TempProgram();

    // Copies the default configurations that the build made into the
    // program folder's "Init", as an installation holds them.
    void InstallInitFiles() const;

    QString Root() const;
    QString ProgramDir() const;
    // Writes a file below the program folder (folders are created).
    void WriteFile(const QString& relativePath, const QByteArray& bytes) const;
    QByteArray ReadFile(const QString& relativePath) const;

private:
    QTemporaryDir dir_;
};

// The program's state as after start-up with this model and band: a new
// configuration (from the record defaults unless the program folder holds
// default configurations), English texts, no habits.
void ResetProgram(const QString& model = QStringLiteral("KL740"),
                  const QString& band = QStringLiteral("400 - 480 MHz"));

// Runs the event loop one pass at a time until the condition holds or the time
// is up, checking both between passes. A pass waits for an event but no longer
// than 10 ms, so that what other threads change (the simulated radio) is seen
// too. True when the condition holds.
bool WaitFor(const std::function<bool()>& condition, int ms = 5000);

// The blocks a radio was sent, in order, with every block that came again
// right after itself dropped: on a loaded machine a reply can come after the
// 150 ms reply time-out, and the program then rightly sends the block again.
std::vector<int> WithoutRepeats(const std::vector<int>& addresses);

// A port number of this process's own for the simulated radio: lock files go
// by the device's name, so tests running side by side each take their own.
int TestPort();

// A private link folder that the port catalogue reads while the object lives.
class LinkFolder {
public:
    LinkFolder();
    ~LinkFolder();
    LinkFolder(const LinkFolder&) = delete;
    LinkFolder& operator=(const LinkFolder&) = delete;

    bool isValid() const { return dir_.isValid(); }
    QString path() const { return dir_.path(); }
    QString filePath(const QString& name) const { return dir_.filePath(name); }

private:
    QTemporaryDir dir_;
};

// Path of a file in the source tree (read only).
QString SourcePath(const QString& relativePath);

// Stand-ins for the windows that the modules call: each records the calls it
// gets as "Name" or "Name(argument)" (a bool as 0 or 1).
class MainCalls : public Views::MainWindow {
public:
    QStringList calls;
    std::function<void()> onCommit; // runs in CommitPendingEdits
    void ShowMainTxt() override { calls << QStringLiteral("ShowMainTxt"); }
    void Change_Language() override { calls << QStringLiteral("Change_Language"); }
    void LoadTree() override { calls << QStringLiteral("LoadTree"); }
    void CloseCurAllWindows() override { calls << QStringLiteral("CloseCurAllWindows"); }
    void CommitPendingEdits() override {
        calls << QStringLiteral("CommitPendingEdits");
        if (onCommit) onCommit();
    }
    void LoadNewDoc() override { calls << QStringLiteral("LoadNewDoc"); }
    void UpdateEditCommands(int number) override {
        calls << QStringLiteral("UpdateEditCommands(%1)").arg(number);
    }
    void ShowCHInfo(bool shown) override {
        calls << QStringLiteral("ShowCHInfo(%1)").arg(int(shown));
    }
    void AllowEditCommands(bool data, bool clip) override {
        calls << QStringLiteral("AllowEditCommands(%1,%2)").arg(int(data)).arg(int(clip));
    }
    void PopupEditMenu(const QPoint&) override { calls << QStringLiteral("PopupEditMenu"); }
    void ShowComPort() override { calls << QStringLiteral("ShowComPort"); }
};

class GridCalls : public Views::ChannelGrid {
public:
    QStringList calls;
    void reShowGrid(int row) override { calls << QStringLiteral("reShowGrid(%1)").arg(row); }
    void reShowAllGrid() override { calls << QStringLiteral("reShowAllGrid"); }
    void ReShowAllTxFre(bool offset) override {
        calls << QStringLiteral("ReShowAllTxFre(%1)").arg(int(offset));
    }
    void ChangeGroup() override { calls << QStringLiteral("ChangeGroup"); }
    void InvalidEdit() override { calls << QStringLiteral("InvalidEdit"); }
    void SetEditDisable() override { calls << QStringLiteral("SetEditDisable"); }
    void SetCodeMoveTopRow(bool) override {}
    int CurrentRow() const override { return 1; }
    int ShownGroup() const override { return 0; }
    void SetCurrentRow(int) override {}
    QRect AreaTaken() const override { return {}; }
};

class EditorCalls : public Views::ChannelEditor {
public:
    QStringList calls;
    QStringList busyLockTexts{QStringLiteral("Off"), QStringLiteral("Carrier"),
                              QStringLiteral("Tone"), QStringLiteral("Busy")};
    void SetGridEditData(bool follow) override {
        calls << QStringLiteral("SetGridEditData(%1)").arg(int(follow));
    }
    void ReShowEditTxFre(bool offset) override {
        calls << QStringLiteral("ReShowEditTxFre(%1)").arg(int(offset));
    }
    QStringList BusyLockMasterList() const override { return busyLockTexts; }
    void ShowBusyLockChoices(const QStringList& items, int shown) override {
        calls << QStringLiteral("ShowBusyLockChoices(%1,%2)").arg(items.join(u'|')).arg(shown);
    }
    void SetWandToSave(bool) override {}
    int PositionIndex() const override { return 0; }
};

} // namespace TestSupport
