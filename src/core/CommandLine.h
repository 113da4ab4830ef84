#pragma once

#include <QString>
#include <QStringList>

// The program's arguments: at most one file to open, or --help or --version. Read before the
// window system is opened, so that the two informative options need no display.
namespace CommandLine {

struct Request {
    enum class Action { Run, Help, Version, Fail };
    Action action = Action::Run;
    QString file;  // absolute; empty when none was given
    QString error; // for Fail: one sentence naming the fault
};

// `arguments` holds the program's name first, as argv does; a relative file name is taken
// from `currentDir`. "--" ends the options, so a file may begin with "-".
Request parse(const QStringList& arguments, const QString& currentDir);

QString helpText(const QString& programName);
QString versionLine();

} // namespace CommandLine
