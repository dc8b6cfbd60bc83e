#pragma once

#include "platform/MsgBox.h"

#include <QList>
#include <QString>
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

} // namespace TestSupport
