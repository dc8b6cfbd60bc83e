#include "platform/FileReplace.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace Platform::FileReplace {

namespace {

StepHook gHook;
bool gNoHardLinks = false;

// Links are followed this many times at most, as the system does.
constexpr int kMaxLinks = 40;

QByteArray Native(const QString& path) {
    return QFile::encodeName(path);
}

// A free name beside `path` for a file of the replace in progress: the
// target's name, ".~new" or ".~old" and a number, a name that a user does not
// give a file of his own (such as "radio.dat.old1"), so that only this
// writer's files are ever removed as its leftovers.
QString SpareName(const QString& path, const char* tag) {
    for (int n = 0;; ++n) {
        const QString name = path + QStringLiteral(".~") + QLatin1String(tag) + QString::number(n);
        if (!QFileInfo::exists(name) && !QFileInfo(name).isSymLink()) return name;
    }
}

// The mode bits of an existing file; none when it cannot be told.
std::optional<mode_t> ModeOf(const QString& path) {
    struct stat info {};
    if (::stat(Native(path).constData(), &info) != 0) return std::nullopt;
    return info.st_mode & 07777;
}

// Writes a new file and flushes it to disk; nothing is left when it fails.
// Without a mode the file gets the one that the umask gives.
bool WriteNew(const QString& name, const QByteArray& bytes, std::optional<mode_t> mode) {
    QFile out(name);
    if (!out.open(QIODevice::WriteOnly | QIODevice::NewOnly)) return false;
    bool ok = (!mode || ::fchmod(out.handle(), *mode) == 0) && out.write(bytes) == bytes.size() &&
              out.flush() && ::fsync(out.handle()) == 0;
    out.close();
    ok = ok && out.error() == QFileDevice::NoError;
    if (!ok) QFile::remove(name);
    return ok;
}

// Keeps the old contents of a target under a new name: a second link to the
// same file, or a copy where the file system has no such links.
QString KeepOld(const QString& target) {
    const QString name = SpareName(target, "old");
    const int linked = gNoHardLinks ? (errno = EPERM, -1)
                                    : ::link(Native(target).constData(), Native(name).constData());
    if (linked == 0) return name;
    const std::optional<mode_t> mode = ModeOf(target);
    QFile in(target);
    if (!mode || !in.open(QIODevice::ReadOnly)) return {};
    const QByteArray bytes = in.readAll();
    if (in.error() != QFileDevice::NoError || !WriteNew(name, bytes, mode)) return {};
    return name;
}

bool Rename(const QString& from, const QString& to) {
    return std::rename(Native(from).constData(), Native(to).constData()) == 0;
}

// Makes the renames in a folder durable.
void SyncFolder(const QString& folder) {
    const int fd = ::open(Native(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

bool HoldsAlready(const QString& target, const QByteArray& bytes) {
    QFile file(target);
    return file.open(QIODevice::ReadOnly) && file.size() == bytes.size() && file.readAll() == bytes;
}

// Whether the kept old contents are still what the target holds: only then
// may the kept file go.
bool StillHolds(const QString& target, const QString& kept) {
    QFile file(kept);
    if (!file.open(QIODevice::ReadOnly)) return false;
    const QByteArray bytes = file.readAll();
    return file.error() == QFileDevice::NoError && HoldsAlready(target, bytes);
}

// Removes what earlier replaces of the targets left behind: a replace that was
// killed, old contents that were reported as kept. Only the exact names that
// SpareName gives for these targets.
void DropEarlierFiles(const QStringList& targets) {
    for (const QString& target : targets) {
        const QFileInfo info(target);
        const QRegularExpression own(
            QRegularExpression::anchoredPattern(QRegularExpression::escape(info.fileName()) +
                                                QStringLiteral("\\.~(new|old)(0|[1-9][0-9]*)")));
        const QFileInfoList entries =
            info.absoluteDir().entryInfoList(QDir::Files | QDir::Hidden | QDir::NoSymLinks);
        for (const QFileInfo& entry : entries)
            if (own.match(entry.fileName()).hasMatch()) QFile::remove(entry.absoluteFilePath());
    }
}

} // namespace

QString ResolveLinks(const QString& path) {
    QString current = path;
    for (int i = 0; i < kMaxLinks; ++i) {
        const QFileInfo info(current);
        if (!info.isSymLink()) return current;
        current = info.symLinkTarget();
    }
    return {};
}

void SetStepHook(StepHook hook) {
    gHook = std::move(hook);
}

void SetNoHardLinks(bool on) {
    gNoHardLinks = on;
}

Result Replace(const QList<Content>& files) {
    Result result;
    QStringList targets; // every target, at the end of its links
    QList<Content> work; // the targets that change
    for (const Content& f : files) {
        const QString target = ResolveLinks(f.path);
        if (target.isEmpty()) return result;
        const QFileInfo info(target);
        if (info.exists() && (!info.isFile() || !info.isWritable())) return result;
        targets.append(target);
        if (!HoldsAlready(target, f.bytes)) work.append({target, f.bytes});
    }

    QStringList fresh; // the new file of each target
    QStringList kept;  // the old contents of each target, empty when there was none
    const auto drop = [&result](const QString& name) {
        if (!QFile::remove(name) && (QFileInfo::exists(name) || QFileInfo(name).isSymLink()))
            result.leftOver.append(name);
    };
    const auto dropAll = [&] {
        for (const QString& name : fresh + kept)
            if (!name.isEmpty()) drop(name);
    };
    for (const Content& f : work) {
        const QString name = SpareName(f.path, "new");
        // an existing target keeps its mode, a new one gets the umask's
        if (!WriteNew(name, f.bytes, ModeOf(f.path))) {
            dropAll();
            return result;
        }
        fresh.append(name);
    }
    // The old contents are kept before the first target changes.
    for (const Content& f : work) {
        const QString old = QFileInfo::exists(f.path) ? KeepOld(f.path) : QString();
        if (QFileInfo::exists(f.path) && old.isEmpty()) {
            dropAll();
            return result;
        }
        kept.append(old);
    }

    QSet<QString> folders;
    for (const Content& f : work)
        folders.insert(QFileInfo(f.path).absolutePath());
    const auto syncFolders = [&folders] {
        for (const QString& folder : folders)
            SyncFolder(folder);
    };

    qsizetype placed = 0;
    for (; placed < work.size(); ++placed)
        if ((gHook && !gHook(work[placed].path)) || !Rename(fresh[placed], work[placed].path))
            break;
    if (placed == work.size()) {
        syncFolders();
        if (gHook) gHook(QString());
        fresh.clear(); // they are the targets now
        dropAll();
        result.leftOver.clear(); // a later replace removes them
        DropEarlierFiles(targets);
        syncFolders();
        result.written = true;
        return result;
    }

    // Put back what was replaced, latest first.
    for (qsizetype i = placed - 1; i >= 0; --i) {
        const QString& target = work[i].path;
        if (kept[i].isEmpty()) {
            drop(target); // there was no file before
        } else if (Rename(kept[i], target)) {
            kept[i].clear();
        } else {
            result.keptOld.append(kept[i]);
            kept[i].clear(); // stays where it is
        }
        fresh[i].clear();
    }
    // The targets not replaced normally still hold their old contents; one
    // that does not (something else took its place meanwhile) keeps them in
    // its kept file, which is then the last copy.
    for (qsizetype i = placed; i < work.size(); ++i) {
        if (kept[i].isEmpty() || StillHolds(work[i].path, kept[i])) continue;
        result.keptOld.append(kept[i]);
        kept[i].clear();
    }
    dropAll();
    syncFolders();
    return result;
}

} // namespace Platform::FileReplace
