#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <functional>

// Saving a file so that neither a failure nor a crash at any moment loses its old content.
namespace SafeSave {

// Writes bytes to path, or to the file a symbolic link there leads to. Where it can, a new file
// beside the old one, given the old one's owner, group, mode and extended attributes, replaces
// it by a rename once complete. A file with other hard links, or one whose folder will not take
// such a file, is rewritten where it is, after a copy of its old content has been kept among
// the user's own data: a failure puts the old content back, a crash leaves the copy for
// leftoverSaves(). Returns the reason of a failure, or an empty text.
QString write(const QString& path, const QByteArray& bytes);

// A file whose rewrite a crash interrupted, and the copy of the content it had before.
struct LeftoverSave {
    QString filePath;
    QString copyPath;
    QDateTime when;

    friend bool operator==(const LeftoverSave&, const LeftoverSave&) = default;
};

// The copies a crash left behind, oldest first. Copies of files that hold their old or their
// new content in full are removed instead: nothing was lost there. Saves still running, in this
// or another program, are left alone.
QList<LeftoverSave> leftoverSaves();

// Puts the old content back in place and removes the copy; the reason of a failure, or an empty
// text.
QString restoreLeftover(const LeftoverSave& leftover);

void discardLeftover(const LeftoverSave& leftover);

// For tests: called before each write with its number (the next is 1) and size, answers how
// many of the bytes that write may take: fewer make it short, as a nearly full disk does, and 0
// makes it fail as an input/output error would. An empty function turns this off.
using WriteHook = std::function<qsizetype(int number, qsizetype size)>;
void setWriteHookForTesting(WriteHook hook);

} // namespace SafeSave
