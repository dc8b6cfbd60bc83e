#include "platform/FileReplace.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace Platform::FileReplace {

namespace {

StepHook gHook;

// Links are followed this many times at most, as the system does.
constexpr int kMaxLinks = 40;

QByteArray Native(const QString& path) {
    return QFile::encodeName(path);
}

// A free name beside `path` for a file of the replace in progress.
QString SpareName(const QString& path, const char* tag) {
    for (int n = 0;; ++n) {
        const QString name = path + u'.' + QLatin1String(tag) + QString::number(n);
        if (!QFileInfo::exists(name) && !QFileInfo(name).isSymLink()) return name;
    }
}

// Writes a new file and flushes it to disk; nothing is left when it fails.
bool WriteNew(const QString& name, const QByteArray& bytes, QFileDevice::Permissions permissions) {
    QFile out(name);
    if (!out.open(QIODevice::WriteOnly | QIODevice::NewOnly)) return false;
    out.setPermissions(permissions);
    bool ok = out.write(bytes) == bytes.size() && out.flush() && ::fsync(out.handle()) == 0;
    out.close();
    ok = ok && out.error() == QFileDevice::NoError;
    if (!ok) QFile::remove(name);
    return ok;
}

// Keeps the old contents of a target under a new name: a second link to the
// same file, or a copy where the file system has no such links.
QString KeepOld(const QString& target) {
    const QString name = SpareName(target, "old");
    if (::link(Native(target).constData(), Native(name).constData()) == 0) return name;
    QFile in(target);
    if (!in.open(QIODevice::ReadOnly)) return {};
    const QByteArray bytes = in.readAll();
    if (in.error() != QFileDevice::NoError || !WriteNew(name, bytes, in.permissions())) return {};
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

Result Replace(const QList<Content>& files) {
    Result result;
    QList<Content> work; // the targets that change, at the end of their links
    for (const Content& f : files) {
        const QString target = ResolveLinks(f.path);
        if (target.isEmpty()) return result;
        const QFileInfo info(target);
        if (info.exists() && (!info.isFile() || !info.isWritable())) return result;
        if (!HoldsAlready(target, f.bytes)) work.append({target, f.bytes});
    }

    QStringList fresh; // the new file of each target
    QStringList kept;  // the old contents of each target, empty when there was none
    const auto dropAll = [&] {
        for (const QString& name : fresh + kept)
            if (!name.isEmpty()) QFile::remove(name);
    };
    for (const Content& f : work) {
        const QFileInfo target(f.path);
        const QString name = SpareName(f.path, "new");
        if (!WriteNew(name, f.bytes,
                      target.exists() ? target.permissions()
                                      : QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                                            QFile::ReadOther)) {
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
        syncFolders();
        result.written = true;
        return result;
    }

    // Put back what was replaced, latest first.
    for (qsizetype i = placed - 1; i >= 0; --i) {
        const QString& target = work[i].path;
        if (kept[i].isEmpty()) {
            QFile::remove(target); // there was no file before
        } else if (Rename(kept[i], target)) {
            kept[i].clear();
        } else {
            result.keptOld.append(kept[i]);
            kept[i].clear(); // stays where it is
        }
        fresh[i].clear();
    }
    dropAll();
    syncFolders();
    return result;
}

} // namespace Platform::FileReplace
