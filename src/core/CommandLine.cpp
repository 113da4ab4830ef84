#include "core/CommandLine.h"

#include "core/Version.h"

#include <QDir>

namespace CommandLine {

Request parse(const QStringList& arguments, const QString& currentDir)
{
    Request request;
    const auto fail = [&request](const QString& error) {
        request = {};
        request.action = Request::Action::Fail;
        request.error = error;
        return request;
    };
    bool optionsEnded = false;
    QStringList files;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (!optionsEnded && argument == u"--") {
            optionsEnded = true;
        } else if (!optionsEnded && (argument == u"-h" || argument == u"--help")) {
            request.action = Request::Action::Help;
        } else if (!optionsEnded && (argument == u"-v" || argument == u"--version")) {
            if (request.action != Request::Action::Help)
                request.action = Request::Action::Version;
        } else if (!optionsEnded && argument.startsWith(u'-') && argument.size() > 1) {
            return fail(QStringLiteral("Unknown option: %1").arg(argument));
        } else if (argument.isEmpty()) {
            return fail(QStringLiteral("The file name is empty."));
        } else {
            files.append(argument);
        }
    }
    if (files.size() > 1)
        return fail(QStringLiteral("Only one file can be opened at a time."));
    if (request.action == Request::Action::Run && !files.isEmpty())
        request.file = QDir::cleanPath(QDir(currentDir).absoluteFilePath(files.first()));
    return request;
}

QString helpText(const QString& programName)
{
    return QStringLiteral("Usage: %1 [FILE]\n"
                          "Edit a configuration file of the Dravane database server.\n"
                          "\n"
                          "  FILE           a .cfg file to open once the editor has started\n"
                          "  -h, --help     show this text and exit\n"
                          "  -v, --version  show the version and exit\n"
                          "\n"
                          "KELMPATH names the server installation whose reference help the\n"
                          "editor shows.\n")
        .arg(programName);
}

QString versionLine()
{
    return ProductName + u' ' + versionText() + u'\n';
}

} // namespace CommandLine
