#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

// Replaces a set of files as one. Every new content is first written whole to
// a new file beside its target and flushed to disk, and the old contents are
// kept under a second name; then each target is replaced in one step by a
// rename, so that at every instant a target holds its old or its new contents,
// whole. When a replace fails, the targets already replaced get their old
// contents back. A target that is a symbolic link is not replaced itself: the
// file at the end of its chain of links is. A new file gets the mode that the
// umask gives; a replaced file keeps its own.
namespace Platform::FileReplace {

struct Content {
    QString path;
    QByteArray bytes;
};

struct Result {
    bool written = false;
    // After a failed replace: the files that hold the old contents of targets
    // that no longer hold them (they could not be put back, or the target was
    // replaced meanwhile). They are the last copies and stay.
    QStringList keptOld;
    // After a failed replace: the files of the replace that could not be
    // removed.
    QStringList leftOver;
};

// Replaces the targets in the given order; a target that already holds its new
// contents is left alone. An existing target that is not a writable plain file
// is refused before anything is written. After a replace that went through,
// the files that earlier replaces of the same targets left behind (named as
// this writer names its files: the target's name, ".~new" or ".~old", a number)
// are removed.
Result Replace(const QList<Content>& files);

// The path a chain of symbolic links finally names (which need not exist); a
// path that is no link as it stands; empty for a chain that loops.
QString ResolveLinks(const QString& path);

// For tests: called with the path of each target just before it is replaced,
// and with an empty path after the last replace (before the old contents are
// dropped). Returning false makes that replace fail. None by default.
using StepHook = std::function<bool(const QString& target)>;
void SetStepHook(StepHook hook);
// For tests: a second name (hard link) for a file fails as on a file system without
// hard links, so that the old contents are kept as copies. Off by default.
void SetNoHardLinks(bool on);

} // namespace Platform::FileReplace
