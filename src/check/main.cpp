// dracfg-check: the editor's problem check for scripts and build pipelines, without a display.
#include "core/CatalogueDatabase.h"
#include "core/FileLines.h"
#include "core/InstallLayout.h"
#include "core/ProblemCheck.h"
#include "core/Version.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include <fcntl.h>
#include <unistd.h>

namespace {

const QString ProgramName = QStringLiteral("dracfg-check");

// Exit statuses: a script tells "the file has errors" from "the file could not be checked".
enum Status { NoErrors = 0, Errors = 1, NotChecked = 2 };

// The first failure to write the report (errno), so that a full disk or a closed output is
// not taken for a clean file.
int outputError = 0;

void print(FILE* stream, const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    const size_t size = static_cast<size_t>(bytes.size());
    if (std::fwrite(bytes.constData(), 1, size, stream) != size && stream == stdout &&
        outputError == 0)
        outputError = errno != 0 ? errno : EIO;
}

int refuse(const QString& sentence)
{
    print(stderr, ProgramName + QStringLiteral(": ") + sentence + u'\n');
    return NotChecked;
}

// A closed standard stream would lend its number to the next file opened, the catalogue for
// one, and the report would be written there; /dev/null holds the place instead.
void holdClosedStreams()
{
    for (const int stream : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
        if (fcntl(stream, F_GETFD) != -1 || errno != EBADF)
            continue;
        // The lowest free number is taken: this one.
        open("/dev/null", stream == STDIN_FILENO ? O_RDONLY : O_WRONLY);
        if (stream == STDOUT_FILENO)
            outputError = EBADF;
    }
}

// The status, or NotChecked with a sentence when the report did not reach its destination.
int finish(int status)
{
    if (std::fflush(stdout) != 0 && outputError == 0)
        outputError = errno != 0 ? errno : EIO;
    if (outputError == 0 && std::ferror(stdout))
        outputError = EIO;
    if (outputError == 0)
        return status;
    return refuse(QStringLiteral("Cannot write the report: %1.")
                      .arg(QString::fromLocal8Bit(std::strerror(outputError))));
}

// Text from the command line or a file goes out with its control characters written out.
using ProblemCheck::visible;

// JSON escapes C0 itself; the other controls would reach the terminal as they are.
QString jsonText(const QJsonArray& array)
{
    const QString text = QString::fromUtf8(QJsonDocument(array).toJson(QJsonDocument::Indented));
    QString escaped;
    escaped.reserve(text.size());
    for (const QChar c : text) {
        if (c.unicode() >= 0x7F && ProblemCheck::isObeyedControl(c.unicode()))
            escaped += QStringLiteral("\\u") +
                       QStringLiteral("%1").arg(c.unicode(), 4, 16, QLatin1Char('0')).toUpper();
        else
            escaped += c;
    }
    return escaped;
}

const QString Usage = QStringLiteral(
    "Usage: dracfg-check [--server-version V] [--catalogue PATH] [--format text|json] FILE...\n"
    "\n"
    "Checks Dravane server configuration files against the settings catalogue, as the\n"
    "DraCFG Editor does while a file is open: unknown and misspelt settings, settings the\n"
    "server version does not have, settings set twice, and values the server refuses.\n"
    "\n"
    "Options:\n"
    "  --server-version V   check for server version V, one of the catalogue's versions\n"
    "                       (default: the newest)\n"
    "  --catalogue PATH     the settings catalogue (default: DraCFG.mdb beside this program,\n"
    "                       else in ../share/dracfg-editor from this program's folder)\n"
    "  --format text|json   text: one problem a line, FILE:LINE: SEVERITY: MESSAGE [code];\n"
    "                       json: one array of objects with file, line, severity, code,\n"
    "                       setting and message (default: text)\n"
    "  -h, --help           show this help and end\n"
    "  --version            show the version and end\n"
    "\n"
    "Exit status: 0 no errors (warnings allowed), 1 at least one error, 2 nothing could be\n"
    "checked or a file could not be read.\n");

// The catalogue's versions, each exactly as the catalogue writes it ("v8", "v6.5" read back as
// the numbers they were written from); false with the reason in *error.
bool readVersions(const QString& catalogue, QList<double>& versions, QString* error)
{
    QStringList captions;
    if (!CatalogueDatabase::readVersionCaptions(catalogue, captions, error))
        return false;
    for (const QString& caption : std::as_const(captions))
        versions.append(caption.mid(1).toDouble());
    return true;
}

// "8", "v8" and "8.0" name version 8; "8.00000001" names none, although single precision,
// which the check compares in, could not tell it from 8.
std::optional<double> chosenVersion(const QString& wanted, const QList<double>& versions)
{
    QString text = wanted.trimmed();
    if (text.startsWith(u'v') || text.startsWith(u'V'))
        text.remove(0, 1);
    bool ok = false;
    const double number = text.toDouble(&ok);
    if (!ok || !versions.contains(number))
        return std::nullopt;
    return number;
}

QString versionList(const QList<double>& versions)
{
    QStringList texts;
    for (const double version : versions)
        texts.append(serverVersionText(static_cast<float>(version)));
    return texts.join(QStringLiteral(", "));
}

} // namespace

static int run()
{
    QCommandLineParser parser;
    const QCommandLineOption versionOption(QStringLiteral("server-version"), QString(),
                                           QStringLiteral("V"));
    const QCommandLineOption catalogueOption(QStringLiteral("catalogue"), QString(),
                                             QStringLiteral("PATH"));
    const QCommandLineOption formatOption(QStringLiteral("format"), QString(),
                                          QStringLiteral("FORMAT"), QStringLiteral("text"));
    const QCommandLineOption helpOption(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption showVersionOption(QStringLiteral("version"));
    parser.addOptions(
        {versionOption, catalogueOption, formatOption, helpOption, showVersionOption});

    if (!parser.parse(QCoreApplication::arguments()))
        return refuse(visible(parser.errorText()) + QStringLiteral(" See dracfg-check --help."));
    if (parser.isSet(helpOption)) {
        print(stdout, Usage);
        return NoErrors;
    }
    if (parser.isSet(showVersionOption)) {
        print(stdout, ProgramName + QStringLiteral(" (") + ProductName + QStringLiteral(") ") +
                          versionText().section(u' ', 1) + u'\n');
        return NoErrors;
    }
    const QString format = parser.value(formatOption);
    if (format != QLatin1String("text") && format != QLatin1String("json"))
        return refuse(
            QStringLiteral("The format must be text or json, not \"%1\".").arg(visible(format)));
    const QStringList files = parser.positionalArguments();
    if (files.isEmpty())
        return refuse(QStringLiteral("No file to check. See dracfg-check --help."));

    const QString cataloguePath =
        parser.isSet(catalogueOption)
            ? parser.value(catalogueOption)
            : CatalogueDatabase::GetCatalogueDatabasePath(
                  InstallLayout::dataDirectory(QCoreApplication::applicationDirPath()));
    QString error;
    QList<double> versions;
    VersionedCatalogue catalogue;
    if (!readVersions(cataloguePath, versions, &error) ||
        !CatalogueDatabase::loadEveryVersion(cataloguePath, catalogue, &error))
        return refuse(
            QStringLiteral("Cannot read the catalogue %1: %2").arg(visible(cataloguePath), error));
    if (versions.isEmpty())
        return refuse(QStringLiteral("The catalogue %1 lists no server version.")
                          .arg(visible(cataloguePath)));
    double chosen = *std::max_element(versions.cbegin(), versions.cend());
    if (parser.isSet(versionOption)) {
        const std::optional<double> named = chosenVersion(parser.value(versionOption), versions);
        if (!named)
            return refuse(QStringLiteral("The catalogue has no server version \"%1\"; it has %2.")
                              .arg(visible(parser.value(versionOption)), versionList(versions)));
        chosen = *named;
    }
    const auto version = static_cast<float>(chosen);

    bool unreadable = false;
    qsizetype checked = 0;
    ProblemCheck::Counts total;
    QJsonArray json;
    for (const QString& file : files) {
        const QString fileShown = visible(file);
        const FileLines::Read read = FileLines::read(file);
        if (!read.lines) {
            refuse(QStringLiteral("Cannot check %1: %2").arg(fileShown, read.error));
            unreadable = true;
            continue;
        }
        ++checked;
        const QList<ProblemCheck::Problem> problems =
            ProblemCheck::check(*read.lines, catalogue, version);
        const ProblemCheck::Counts counts = ProblemCheck::count(problems);
        total.errors += counts.errors;
        total.warnings += counts.warnings;
        for (const ProblemCheck::Problem& problem : problems) {
            const QString severity = ProblemCheck::severityName(problem.severity);
            if (format == QLatin1String("json"))
                // The exact path, which JSON escapes, for a script to open the file by.
                json.append(QJsonObject{{QStringLiteral("file"), file},
                                        {QStringLiteral("line"), problem.line},
                                        {QStringLiteral("severity"), severity},
                                        {QStringLiteral("code"), problem.code},
                                        {QStringLiteral("setting"), problem.setting},
                                        {QStringLiteral("message"), problem.message}});
            else
                print(stdout, QStringLiteral("%1:%2: %3: %4 [%5]\n")
                                  .arg(fileShown, QString::number(problem.line), severity,
                                       problem.message, problem.code));
        }
    }
    if (format == QLatin1String("json"))
        print(stdout, jsonText(json));
    if (checked > 0)
        print(stderr, QStringLiteral("%1: %2 against server version %3: %4.\n")
                          .arg(ProgramName,
                               checked == 1 ? QStringLiteral("1 file")
                                            : QStringLiteral("%1 files").arg(checked),
                               serverVersionText(version),
                               total.errors + total.warnings == 0 ? QStringLiteral("no problems")
                                                                  : ProblemCheck::summary(total)));
    if (unreadable)
        return NotChecked;
    return total.errors > 0 ? Errors : NoErrors;
}

int main(int argc, char* argv[])
{
    holdClosedStreams();
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(ProgramName);
    return finish(run());
}
