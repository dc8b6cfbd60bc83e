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
// file at the end of its chain of links is.
namespace Platform::FileReplace {

struct Content {
    QString path;
    QByteArray bytes;
};

struct Result {
    bool written = false;
    // After a failed replace whose rollback failed too: the files that still
    // hold the old contents of targets that could not be put back.
    QStringList keptOld;
};

// Replaces the targets in the given order; a target that already holds its new
// contents is left alone. An existing target that is not a writable plain file
// is refused before anything is written.
Result Replace(const QList<Content>& files);

// The path a chain of symbolic links finally names (which need not exist); a
// path that is no link as it stands; empty for a chain that loops.
QString ResolveLinks(const QString& path);

// For tests: called with the path of each target just before it is replaced,
// and with an empty path after the last replace (before the old contents are
// dropped). Returning false makes that replace fail. None by default.
using StepHook = std::function<bool(const QString& target)>;
void SetStepHook(StepHook hook);

} // namespace Platform::FileReplace
