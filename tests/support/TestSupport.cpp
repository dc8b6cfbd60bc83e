#include "tests/support/TestSupport.h"

#include "data/ModFun.h"
#include "data/ModFunLang.h"
#include "data/ModInitV.h"
#include "data/RadioData.h"
#include "data/SharedState.h"
#include "platform/App.h"
#include "platform/serial/SerialPorts.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTimer>

namespace TestSupport {

RecordingMessages::RecordingMessages() {
    Platform::SetMessageService(this);
}

RecordingMessages::~RecordingMessages() {
    Platform::SetMessageService(nullptr);
}

int RecordingMessages::Show(const QString& text, int style, const QString& title) {
    shown.append({text, style, title});
    if (onShow) onShow(text);
    return answers.isEmpty() ? defaultAnswer : answers.takeFirst();
}

int RecordingMessages::CountOf(const QString& text) const {
    int n = 0;
    for (const Shown& s : shown)
        n += s.text == text ? 1 : 0;
    return n;
}

bool WaitFor(const std::function<bool()>& condition, int ms) {
    const QDeadlineTimer deadline(ms);
    QTimer wake;
    wake.setSingleShot(true);
    while (!condition()) {
        if (deadline.hasExpired()) return condition();
        wake.start(static_cast<int>(std::min<qint64>(10, deadline.remainingTime())));
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    }
    return true;
}

std::vector<int> WithoutRepeats(const std::vector<int>& addresses) {
    std::vector<int> blocks;
    for (int a : addresses)
        if (blocks.empty() || blocks.back() != a) blocks.push_back(a);
    return blocks;
}

QString SourcePath(const QString& relativePath) {
    return QStringLiteral(CORVAN_SOURCE_DIR) + u'/' + relativePath;
}

int TestPort() {
    return 100 + static_cast<int>(QCoreApplication::applicationPid() % 150);
}

LinkFolder::LinkFolder() {
    qputenv(Platform::SerialPorts::kLinkDirVariable, dir_.path().toLocal8Bit());
}

LinkFolder::~LinkFolder() {
    qunsetenv(Platform::SerialPorts::kLinkDirVariable);
}

TempProgram::TempProgram() {
    QDir(dir_.path()).mkpath(QStringLiteral("V200/language"));
    QDir(dir_.path()).mkpath(QStringLiteral("language"));
    for (const char* name : {"english.ini", "chinese.ini"}) {
        QFile::copy(SourcePath(QStringLiteral("language/") + QLatin1String(name)),
                    ProgramDir() + QStringLiteral("/language/") + QLatin1String(name));
    }
    Platform::SetAppPath(ProgramDir());
}

TempProgram::~TempProgram() {
    Platform::SetAppPath(QString());
}

void TempProgram::InstallInitFiles() const {
    const QDir built(QStringLiteral(CORVAN_INIT_DIR));
    QDir().mkpath(ProgramDir() + QStringLiteral("/Init"));
    for (const QString& name : built.entryList(QDir::Files))
        QFile::copy(built.filePath(name), ProgramDir() + QStringLiteral("/Init/") + name);
}

QString TempProgram::Root() const {
    return dir_.path();
}

QString TempProgram::ProgramDir() const {
    return dir_.path() + QStringLiteral("/V200");
}

void TempProgram::WriteFile(const QString& relativePath, const QByteArray& bytes) const {
    const QString path = ProgramDir() + u'/' + relativePath;
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate)) f.write(bytes);
}

QByteArray TempProgram::ReadFile(const QString& relativePath) const {
    QFile f(ProgramDir() + u'/' + relativePath);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void ResetProgram(const QString& model, const QString& band) {
    gModelName = model;
    gBandText = band;
    ModFun::ParseBandLimits();
    ModFunLang::gLangFileName = QStringLiteral("english.ini");
    gHabits = THabits{};
    gTestDataOn = false;
    gInitAllChannels = false;
    gEditTestBlock = {};
    gFileTestBlock = {};
    ModInitV::NewData();
}

} // namespace TestSupport
