// dracfg-check: the editor's problem check for scripts and build pipelines, without a display.
#include "core/CatalogueDatabase.h"
#include "core/FileLines.h"
#include "core/ProblemCheck.h"
#include "core/Version.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <cstdio>

namespace {

const QString ProgramName = QStringLiteral("dracfg-check");

// Exit statuses: a script tells "the file has errors" from "the file could not be checked".
enum Status { NoErrors = 0, Errors = 1, NotChecked = 2 };

void print(FILE* stream, const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stream);
}

int refuse(const QString& sentence)
{
    print(stderr, ProgramName + QStringLiteral(": ") + sentence + u'\n');
    return NotChecked;
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
    "  --catalogue PATH     the settings catalogue (default: DraCFG.mdb beside this program)\n"
    "  --format text|json   text: one problem a line, FILE:LINE: SEVERITY: MESSAGE [code];\n"
    "                       json: one array of objects with file, line, severity, code,\n"
    "                       setting and message (default: text)\n"
    "  -h, --help           show this help and end\n"
    "  --version            show the version and end\n"
    "\n"
    "Exit status: 0 no errors (warnings allowed), 1 at least one error, 2 nothing could be\n"
    "checked or a file could not be read.\n");

// The catalogue's versions by their text ("8.0"); false with the reason in *error.
bool readVersions(const QString& catalogue, QList<float>& versions, QString* error)
{
    QStringList captions;
    if (!CatalogueDatabase::readVersionCaptions(catalogue, captions, error))
        return false;
    for (const QString& caption : std::as_const(captions))
        versions.append(caption.mid(1).toFloat());
    return true;
}

// "8.0", "v8", "8" all name version 8.0.
std::optional<float> chosenVersion(const QString& wanted, const QList<float>& versions)
{
    QString text = wanted.trimmed();
    if (text.startsWith(u'v') || text.startsWith(u'V'))
        text.remove(0, 1);
    bool ok = false;
    const float number = text.toFloat(&ok);
    if (!ok || !versions.contains(number))
        return std::nullopt;
    return number;
}

QString versionList(const QList<float>& versions)
{
    QStringList texts;
    for (const float version : versions)
        texts.append(ProblemCheck::versionText(version));
    return texts.join(QStringLiteral(", "));
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(ProgramName);

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
        return refuse(parser.errorText() + QStringLiteral(" See dracfg-check --help."));
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
        return refuse(QStringLiteral("The format must be text or json, not \"%1\".").arg(format));
    const QStringList files = parser.positionalArguments();
    if (files.isEmpty())
        return refuse(QStringLiteral("No file to check. See dracfg-check --help."));

    const QString cataloguePath =
        parser.isSet(catalogueOption)
            ? parser.value(catalogueOption)
            : CatalogueDatabase::GetCatalogueDatabasePath(QCoreApplication::applicationDirPath());
    QString error;
    QList<float> versions;
    VersionedCatalogue catalogue;
    if (!readVersions(cataloguePath, versions, &error) ||
        !CatalogueDatabase::loadEveryVersion(cataloguePath, catalogue, &error))
        return refuse(QStringLiteral("Cannot read the catalogue %1: %2").arg(cataloguePath, error));
    if (versions.isEmpty())
        return refuse(
            QStringLiteral("The catalogue %1 lists no server version.").arg(cataloguePath));
    float version = *std::max_element(versions.cbegin(), versions.cend());
    if (parser.isSet(versionOption)) {
        const std::optional<float> chosen = chosenVersion(parser.value(versionOption), versions);
        if (!chosen)
            return refuse(QStringLiteral("The catalogue has no server version \"%1\"; it has %2.")
                              .arg(parser.value(versionOption), versionList(versions)));
        version = *chosen;
    }

    bool unreadable = false;
    qsizetype checked = 0;
    ProblemCheck::Counts total;
    QJsonArray json;
    for (const QString& file : files) {
        const FileLines::Read read = FileLines::read(file);
        if (!read.lines) {
            refuse(QStringLiteral("Cannot check %1: %2").arg(file, read.error));
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
                json.append(QJsonObject{{QStringLiteral("file"), file},
                                        {QStringLiteral("line"), problem.line},
                                        {QStringLiteral("severity"), severity},
                                        {QStringLiteral("code"), problem.code},
                                        {QStringLiteral("setting"), problem.setting},
                                        {QStringLiteral("message"), problem.message}});
            else
                print(stdout, QStringLiteral("%1:%2: %3: %4 [%5]\n")
                                  .arg(file, QString::number(problem.line), severity,
                                       problem.message, problem.code));
        }
    }
    if (format == QLatin1String("json"))
        print(stdout, QString::fromUtf8(QJsonDocument(json).toJson(QJsonDocument::Indented)));
    if (checked > 0)
        print(stderr, QStringLiteral("%1: %2 against server version %3: %4.\n")
                          .arg(ProgramName,
                               checked == 1 ? QStringLiteral("1 file")
                                            : QStringLiteral("%1 files").arg(checked),
                               ProblemCheck::versionText(version),
                               total.errors + total.warnings == 0 ? QStringLiteral("no problems")
                                                                  : ProblemCheck::summary(total)));
    if (unreadable)
        return NotChecked;
    return total.errors > 0 ? Errors : NoErrors;
}
