// mkcatalogue: builds the catalogue database DraCFG.mdb and the demo server's reference page
// homecfgl.htm from the two text sources in data/catalogue/.
//
//   mkcatalogue <settings.txt> <versions.txt> <DraCFG.mdb> <homecfgl.htm>
//
// Both outputs are overwritten. Any fault in a source (a malformed line, a duplicate setting
// name, a category that comes back after another one, an unknown value type, a help link not
// of the form "#fragment", ...) stops the tool with a message "file:line: error: ..." on
// stderr and a non-zero exit status, and leaves the outputs untouched. The source format is
// described at the top of settings.txt and versions.txt.

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMap>
#include <QRegularExpression>
#include <QSaveFile>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QTextStream>
#include <QVariant>

#include <algorithm>
#include <cstdio>
#include <stdexcept>

namespace {

const int kMaxVersions = 10; // the editor's version list has ten items
const QStringList kValueTypes{"number", "string", "combo", "boolean", "multiple", "null"};
const QStringList kKeys{"setting",     "version", "type", "choices", "note",
                        "description", "help",    "link", "example"};
const QStringList kContinuableKeys{"help", "description"};

// A source fault: reported as "file:line: error: message".
struct SourceError : std::runtime_error {
    SourceError(const QString& file, int line, const QString& message)
        : std::runtime_error(QStringLiteral("%1:%2: error: %3")
                                 .arg(QFileInfo(file).fileName())
                                 .arg(line)
                                 .arg(message)
                                 .toStdString())
    {}
};

// Any other fault (files, database).
struct ToolError : std::runtime_error {
    explicit ToolError(const QString& message) : std::runtime_error(message.toStdString()) {}
};

struct Version {
    QString text; // as written in versions.txt ("6.1")
    double value = 0;
    int line = 0;
};

struct Setting {
    int line = 0; // line of its "setting:" key
    QString category;
    QString name;
    QString versionText;
    double version = 0;
    QString link;
    QString type;
    QString choices;
    QString note;
    QString description;
    QString help;
    QString example;
    QHash<QString, int> keyLines; // key -> line, for duplicate keys and messages

    bool isPseudo() const { return name.startsWith(QLatin1Char(' ')); }
    QStringList choiceList() const
    {
        return choices.isEmpty() ? QStringList() : choices.split(QLatin1Char('|'));
    }
};

QStringList readLines(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw ToolError(QStringLiteral("cannot read %1: %2").arg(path, file.errorString()));
    const QString text = QString::fromUtf8(file.readAll());
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString& line : lines) {
        while (!line.isEmpty() && line.back().isSpace()) // also drops a CR of CR LF
            line.chop(1);
    }
    return lines;
}

QString unquote(const QString& value)
{
    if (value.size() >= 2 && value.startsWith(QLatin1Char('"')) && value.endsWith(QLatin1Char('"')))
        return value.mid(1, value.size() - 2);
    return value;
}

// ---------------------------------------------------------------- versions.txt

QList<Version> parseVersions(const QString& path)
{
    static const QRegularExpression numberPattern(QStringLiteral("^[0-9]{1,3}(\\.[0-9]{1,3})?$"));
    QList<Version> versions;
    const QStringList lines = readLines(path);
    for (int i = 0; i < lines.size(); ++i) {
        const QString line = lines.at(i).trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const int lineNo = i + 1;
        if (!numberPattern.match(line).hasMatch())
            throw SourceError(path, lineNo,
                              QStringLiteral("\"%1\" is not a version number like 6.1").arg(line));
        Version v{line, line.toDouble(), lineNo};
        if (v.value <= 0)
            throw SourceError(path, lineNo,
                              QStringLiteral("a version number must be greater than 0"));
        if (!versions.isEmpty()) {
            const Version& previous = versions.constLast();
            if (!(v.value < previous.value))
                throw SourceError(path, lineNo,
                                  QStringLiteral("version %1 does not come after %2; list the "
                                                 "versions from newest to oldest, each once")
                                      .arg(v.text, previous.text));
            if (static_cast<float>(v.value) == static_cast<float>(previous.value))
                throw SourceError(path, lineNo,
                                  QStringLiteral("versions %1 and %2 are equal in single precision")
                                      .arg(previous.text, v.text));
        }
        versions.append(v);
    }
    if (versions.isEmpty())
        throw SourceError(path, lines.size(), QStringLiteral("no versions listed"));
    if (versions.size() > kMaxVersions)
        throw SourceError(
            path, versions.at(kMaxVersions).line,
            QStringLiteral("%1 versions listed; the editor's version list holds at most %2")
                .arg(versions.size())
                .arg(kMaxVersions));
    return versions;
}

// ---------------------------------------------------------------- settings.txt

QList<Setting> parseSettings(const QString& path)
{
    QList<Setting> settings;
    QMap<QString, int> categoryLines; // category -> line of its header
    QString category;
    QString lastKey; // key a continuation line extends; empty when none may
    const QStringList lines = readLines(path);

    for (int i = 0; i < lines.size(); ++i) {
        const QString& line = lines.at(i);
        const int lineNo = i + 1;
        if (line.isEmpty()) {
            lastKey.clear();
            continue;
        }
        if (line.startsWith(QLatin1Char('#')))
            continue;

        if (line.front().isSpace()) { // continuation of the previous key's text
            if (lastKey.isEmpty() || settings.isEmpty())
                throw SourceError(path, lineNo,
                                  QStringLiteral("indented line continues nothing; only help and "
                                                 "description texts may go on over several lines"));
            Setting& s = settings.last();
            QString& target = lastKey == QLatin1String("help") ? s.help : s.description;
            target += QLatin1Char(' ') + line.trimmed();
            continue;
        }

        if (line.startsWith(QLatin1Char('['))) {
            if (!line.endsWith(QLatin1Char(']')))
                throw SourceError(path, lineNo,
                                  QStringLiteral("malformed category line; write [Category name]"));
            const QString name = line.mid(1, line.size() - 2).trimmed();
            if (name.isEmpty())
                throw SourceError(path, lineNo, QStringLiteral("empty category name"));
            if (categoryLines.contains(name))
                throw SourceError(
                    path, lineNo,
                    QStringLiteral("category \"%1\" comes back after another category "
                                   "(first at line %2); the settings of one category "
                                   "must stand together")
                        .arg(name)
                        .arg(categoryLines.value(name)));
            if (!category.isEmpty() &&
                (settings.isEmpty() || settings.constLast().category != category))
                throw SourceError(path, categoryLines.value(category),
                                  QStringLiteral("category \"%1\" has no settings").arg(category));
            categoryLines.insert(name, lineNo);
            category = name;
            lastKey.clear();
            continue;
        }

        const int colon = line.indexOf(QLatin1Char(':'));
        if (colon <= 0)
            throw SourceError(path, lineNo,
                              QStringLiteral("malformed line \"%1\"; expected \"key: value\", "
                                             "\"[Category]\", a comment or an empty line")
                                  .arg(line));
        const QString key = line.left(colon).trimmed().toLower();
        const QString value = unquote(line.mid(colon + 1).trimmed());
        if (!kKeys.contains(key))
            throw SourceError(path, lineNo,
                              QStringLiteral("unknown key \"%1\"; the keys are %2")
                                  .arg(key, kKeys.join(QStringLiteral(", "))));

        if (key == QLatin1String("setting")) {
            if (category.isEmpty())
                throw SourceError(path, lineNo,
                                  QStringLiteral("setting before the first [Category] line"));
            Setting s;
            s.line = lineNo;
            s.category = category;
            s.name = value;
            s.keyLines.insert(key, lineNo);
            settings.append(s);
        } else {
            if (settings.isEmpty() || settings.constLast().category != category)
                throw SourceError(
                    path, lineNo,
                    QStringLiteral("\"%1:\" outside a setting; begin each setting with "
                                   "\"setting: NAME\"")
                        .arg(key));
            Setting& s = settings.last();
            if (s.keyLines.contains(key))
                throw SourceError(path, lineNo,
                                  QStringLiteral("second \"%1:\" in setting %2 (first at line %3)")
                                      .arg(key, s.name)
                                      .arg(s.keyLines.value(key)));
            s.keyLines.insert(key, lineNo);
            if (key == QLatin1String("version"))
                s.versionText = value;
            else if (key == QLatin1String("type"))
                s.type = value;
            else if (key == QLatin1String("choices"))
                s.choices = value;
            else if (key == QLatin1String("note"))
                s.note = value;
            else if (key == QLatin1String("description"))
                s.description = value;
            else if (key == QLatin1String("help"))
                s.help = value;
            else if (key == QLatin1String("link"))
                s.link = value;
            else if (key == QLatin1String("example"))
                s.example = value;
        }
        lastKey = kContinuableKeys.contains(key) ? key : QString();
    }
    if (!category.isEmpty() && (settings.isEmpty() || settings.constLast().category != category))
        throw SourceError(path, categoryLines.value(category),
                          QStringLiteral("category \"%1\" has no settings").arg(category));
    if (settings.isEmpty())
        throw SourceError(path, lines.size(), QStringLiteral("no settings"));
    return settings;
}

// ---------------------------------------------------------------- checks

void checkSettings(const QString& path, QList<Setting>& settings, const QList<Version>& versions)
{
    static const QRegularExpression namePattern(QStringLiteral("^[A-Z][A-Z0-9_]*$"));
    static const QRegularExpression suffixPattern(QStringLiteral("^[A-Z0-9_]+$"));
    static const QRegularExpression linkPattern(QStringLiteral("^#[A-Za-z][A-Za-z0-9_.-]*$"));

    QHash<QString, int> nameLines;
    QHash<QString, int> fragmentLines;
    for (Setting& s : settings) {
        auto fail = [&](const QString& key, const QString& message) {
            throw SourceError(path, s.keyLines.value(key, s.line), message);
        };
        const QString who = QStringLiteral("setting \"%1\"").arg(s.name);

        // Name: UPPER CASE as the editor upper-cases names read from a file; a pseudo-setting
        // begins with a blank.
        if (s.isPseudo() ? s.name.trimmed().isEmpty() : !namePattern.match(s.name).hasMatch())
            fail(QStringLiteral("setting"),
                 QStringLiteral("bad setting name \"%1\"; use A-Z, 0-9 and _, starting with a "
                                "letter (or a leading blank for a pseudo-setting)")
                     .arg(s.name));
        if (nameLines.contains(s.name))
            fail(QStringLiteral("setting"),
                 QStringLiteral("duplicate setting name \"%1\" (first at line %2)")
                     .arg(s.name)
                     .arg(nameLines.value(s.name)));
        nameLines.insert(s.name, s.line);

        // Version: one of versions.txt.
        if (s.versionText.isEmpty())
            fail(QStringLiteral("setting"), who + QStringLiteral(" has no \"version:\""));
        bool known = false;
        for (const Version& v : versions) {
            if (s.versionText.toDouble() == v.value) {
                known = true;
                s.version = v.value;
                s.versionText = v.text;
            }
        }
        if (!known)
            fail(QStringLiteral("version"),
                 QStringLiteral("version \"%1\" of %2 is not listed in versions.txt")
                     .arg(s.versionText, who));

        // Value type and its choices.
        if (s.type.isEmpty())
            fail(QStringLiteral("setting"), who + QStringLiteral(" has no \"type:\""));
        if (!kValueTypes.contains(s.type))
            fail(QStringLiteral("type"),
                 QStringLiteral("unknown value type \"%1\" of %2; the types are %3")
                     .arg(s.type, who, kValueTypes.join(QStringLiteral(", "))));
        const QStringList pieces = s.choiceList();
        const bool hasChoices = s.type == QLatin1String("combo") ||
                                s.type == QLatin1String("boolean") ||
                                s.type == QLatin1String("multiple");
        if (hasChoices) {
            if (pieces.size() < 2)
                fail(QStringLiteral("setting"),
                     who + QStringLiteral(" needs at least two choices separated by |"));
            if (s.type == QLatin1String("boolean") && pieces.size() != 2)
                fail(QStringLiteral("choices"),
                     who + QStringLiteral(" is boolean and needs exactly two choices"));
            QSet<QString> seen;
            for (const QString& piece : pieces) {
                if (piece.isEmpty() || piece != piece.trimmed())
                    fail(QStringLiteral("choices"),
                         who + QStringLiteral(" has an empty choice or blanks around one"));
                if (seen.contains(piece))
                    fail(QStringLiteral("choices"),
                         QStringLiteral("choice \"%1\" of %2 is listed twice").arg(piece, who));
                seen.insert(piece);
                if (s.type == QLatin1String("multiple") && !suffixPattern.match(piece).hasMatch())
                    fail(QStringLiteral("choices"),
                         QStringLiteral(
                             "suffix \"%1\" of %2 must be upper case letters, digits or _")
                             .arg(piece, who));
            }
        } else if (!s.choices.isEmpty()) {
            fail(QStringLiteral("choices"),
                 QStringLiteral("%1 of type %2 takes no choices").arg(who, s.type));
        }
        if (!s.note.isEmpty() && s.type != QLatin1String("number"))
            fail(QStringLiteral("note"),
                 who + QStringLiteral(": only number settings take a note"));
        if (s.description.isEmpty())
            fail(QStringLiteral("setting"), who + QStringLiteral(" has no \"description:\""));

        // Help link: "#fragment", by default "#" + the name.
        if (!s.keyLines.contains(QStringLiteral("link"))) {
            if (s.isPseudo())
                fail(QStringLiteral("setting"),
                     who + QStringLiteral(" needs a \"link: #fragment\""));
            s.link = QLatin1Char('#') + s.name;
        }
        if (!linkPattern.match(s.link).hasMatch())
            fail(QStringLiteral("link"),
                 QStringLiteral("help link \"%1\" of %2 is not of the form \"#fragment\" "
                                "(a letter, then letters, digits, _ . -)")
                     .arg(s.link, who));
        const QString fragment = s.link.mid(1);
        if (fragment.startsWith(QLatin1String("category-")) || fragment == QLatin1String("top") ||
            fragment == QLatin1String("versions") || fragment == QLatin1String("contents"))
            fail(QStringLiteral("link"),
                 QStringLiteral("help link \"%1\" is reserved for the page itself").arg(s.link));
        if (fragmentLines.contains(fragment))
            fail(QStringLiteral("link"),
                 QStringLiteral("help link \"%1\" is used twice (first at line %2)")
                     .arg(s.link)
                     .arg(fragmentLines.value(fragment)));
        fragmentLines.insert(fragment, s.keyLines.value(QStringLiteral("link"), s.line));
    }

    // The editor finds a name that has no exact entry (a "multiple" setting written with its
    // suffix, a setting commented out as ";NAME") through the first entry whose name occurs
    // inside it. So no name may occur inside another name or another name with a suffix.
    for (const Setting& b : settings) {
        QStringList forms{b.name};
        if (b.type == QLatin1String("multiple")) {
            for (const QString& suffix : b.choiceList())
                forms.append(b.name + suffix);
        }
        for (const Setting& a : settings) {
            if (&a == &b)
                continue;
            for (const QString& form : forms) {
                if (form.contains(a.name))
                    throw SourceError(path, b.line,
                                      QStringLiteral("\"%1\" contains the name of setting \"%2\" "
                                                     "(line %3); the editor would take one for the "
                                                     "other, so rename one of them")
                                          .arg(form, a.name)
                                          .arg(a.line));
            }
        }
    }

    const bool oldestHasSettings =
        std::any_of(settings.cbegin(), settings.cend(),
                    [&](const Setting& s) { return s.version == versions.constLast().value; });
    if (!oldestHasSettings)
        throw SourceError(path, 1,
                          QStringLiteral("no setting belongs to the oldest version %1, so "
                                         "choosing it would load nothing")
                              .arg(versions.constLast().text));
}

// ---------------------------------------------------------------- database

// Empty texts are stored as '' rather than NULL.
QString nonNull(const QString& text)
{
    return text.isNull() ? QStringLiteral("") : text;
}

void writeDatabase(const QString& path, const QList<Setting>& settings,
                   const QList<Version>& versions)
{
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QSQLITE")))
        throw ToolError(QStringLiteral("the Qt SQLite driver (QSQLITE) is not installed"));
    const QString temporary = path + QStringLiteral(".new");
    if (QFile::exists(temporary) && !QFile::remove(temporary))
        throw ToolError(QStringLiteral("cannot remove %1").arg(temporary));

    const QString connection = QStringLiteral("mkcatalogue");
    QString failure;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(temporary);
        if (!db.open()) {
            failure = db.lastError().text();
        } else {
            auto run = [&](QSqlQuery& query, const QString& what) {
                if (failure.isEmpty() && !query.exec())
                    failure = what + QStringLiteral(": ") + query.lastError().text();
            };
            db.transaction();
            {
                QSqlQuery create(db);
                for (const QString& sql :
                     {QStringLiteral(
                          "CREATE TABLE CFGSettings (ID INTEGER PRIMARY KEY, Category TEXT, "
                          "SettingName TEXT, Version REAL, HelpLink TEXT, ValueType TEXT, "
                          "Choices TEXT, NumberNote TEXT, Description TEXT)"),
                      QStringLiteral(
                          "CREATE TABLE DV_Version (\"Index\" INTEGER, Version REAL)")}) {
                    if (failure.isEmpty() && !create.exec(sql))
                        failure = create.lastError().text();
                }

                QSqlQuery insert(db);
                insert.prepare(
                    QStringLiteral("INSERT INTO CFGSettings (ID, Category, SettingName, Version, "
                                   "HelpLink, ValueType, Choices, NumberNote, Description) "
                                   "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"));
                int id = 0;
                for (const Setting& s : settings) {
                    const QVariantList values{
                        ++id,   s.category,         s.name,          s.version,    s.link,
                        s.type, nonNull(s.choices), nonNull(s.note), s.description};
                    for (int i = 0; i < values.size(); ++i)
                        insert.bindValue(i, values.at(i));
                    run(insert, s.name);
                }

                QSqlQuery version(db);
                version.prepare(
                    QStringLiteral("INSERT INTO DV_Version (\"Index\", Version) VALUES (?, ?)"));
                for (int p = 0; p < versions.size(); ++p) {
                    version.bindValue(0, p);
                    version.bindValue(1, versions.at(p).value);
                    run(version, versions.at(p).text);
                }
            }
            if (failure.isEmpty() && !db.commit())
                failure = db.lastError().text();
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(connection);
    if (!failure.isEmpty()) {
        QFile::remove(temporary);
        throw ToolError(QStringLiteral("cannot write %1: %2").arg(path, failure));
    }
    if (QFile::exists(path) && !QFile::remove(path))
        throw ToolError(QStringLiteral("cannot replace %1").arg(path));
    if (!QFile::rename(temporary, path))
        throw ToolError(QStringLiteral("cannot rename %1 to %2").arg(temporary, path));
}

// ---------------------------------------------------------------- reference page

// HTML text: markup characters escaped, anything outside ASCII as a character reference.
QString html(const QString& text)
{
    QString out;
    out.reserve(text.size() + 16);
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '&':
            out += QLatin1String("&amp;");
            break;
        case '<':
            out += QLatin1String("&lt;");
            break;
        case '>':
            out += QLatin1String("&gt;");
            break;
        case '"':
            out += QLatin1String("&quot;");
            break;
        default:
            if (c.unicode() < 128)
                out += c;
            else
                out += QStringLiteral("&#%1;").arg(c.unicode());
        }
    }
    return out;
}

QString categoryAnchor(int number)
{
    return QStringLiteral("category-%1").arg(number);
}

QString typeWord(const Setting& s)
{
    static const QHash<QString, QString> words{{"number", "Number"},
                                               {"string", "Text"},
                                               {"combo", "One of a list"},
                                               {"boolean", "Switch (two values)"},
                                               {"multiple", "Name with a suffix, then a value"},
                                               {"null", "No value (the name alone)"}};
    return words.value(s.type);
}

// A sample line of the configuration file, or empty when none can be made up.
QString exampleLine(const Setting& s)
{
    if (!s.example.isEmpty())
        return s.example;
    if (s.isPseudo())
        return {};
    const QStringList pieces = s.choiceList();
    if (s.type == QLatin1String("null"))
        return s.name;
    if (s.type == QLatin1String("combo") || s.type == QLatin1String("boolean"))
        return s.name + QLatin1Char(' ') + pieces.constFirst();
    if (s.type == QLatin1String("number")) {
        static const QRegularExpression defaultValue(QStringLiteral("default ([0-9][0-9.]*)"));
        const auto match = defaultValue.match(s.note);
        if (match.hasMatch())
            return s.name + QLatin1Char(' ') + match.captured(1);
    }
    return {};
}

QString howToWrite(const Setting& s)
{
    const QStringList pieces = s.choiceList();
    if (s.type == QLatin1String("number"))
        return QStringLiteral("Write the name, one space and a whole number.");
    if (s.type == QLatin1String("string"))
        return QStringLiteral(
            "Write the name, one space and the text; the text runs to the end of the line.");
    if (s.type == QLatin1String("boolean"))
        return QStringLiteral("Write the name, one space and either %1 or %2.")
            .arg(pieces.value(0), pieces.value(1));
    if (s.type == QLatin1String("combo"))
        return QStringLiteral("Write the name, one space and one of the values listed above.");
    if (s.type == QLatin1String("multiple"))
        return QStringLiteral(
                   "Append one of the suffixes directly to the name (%1, for example), then "
                   "write one space and the value. Each suffix may be given once.")
            .arg(s.name + pieces.value(0));
    return QStringLiteral("The setting takes no value: write the name alone on its line.");
}

QString generatedHelp(const Setting& s)
{
    QString sentence = s.description;
    if (s.type == QLatin1String("number") && s.description.trimmed() != QLatin1String("n"))
        sentence = QStringLiteral("%1 takes a number of %2").arg(s.name, s.description);
    else if (s.type == QLatin1String("number"))
        sentence = QStringLiteral("%1 takes a plain number").arg(s.name);
    if (!sentence.endsWith(QLatin1Char('.')))
        sentence += QLatin1Char('.');
    return sentence;
}

// One line for the table of contents. A number setting's description is only its unit, so
// the first sentence of its help text says more.
QString summary(const Setting& s)
{
    if (s.type != QLatin1String("number"))
        return s.description;
    const QString text = s.help.isEmpty() ? generatedHelp(s) : s.help;
    const int end = text.indexOf(QLatin1String(". "));
    return end < 0 ? text : text.left(end + 1);
}

void writePage(const QString& path, const QList<Setting>& settings, const QList<Version>& versions)
{
    QStringList categories;
    for (const Setting& s : settings) {
        if (categories.isEmpty() || categories.constLast() != s.category)
            categories.append(s.category);
    }

    QString page;
    QTextStream out(&page);
    out << "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\" "
           "\"http://www.w3.org/TR/html4/loose.dtd\">\n"
           "<html>\n<head>\n"
           "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">\n"
           "<title>Dravane Server Technical Reference: Configuration Settings</title>\n"
           "</head>\n<body>\n"
           "<!-- Generated by mkcatalogue from data/catalogue/settings.txt and versions.txt. "
           "Edit those files, not this page. -->\n";
    out << "<h1><a name=\"top\"></a>Dravane Server Configuration Settings</h1>\n";
    out << "<p>This chapter of the Dravane Technical Reference describes every setting that the "
           "Dravane database server reads from its configuration file, <code>dravane.cfg</code> in "
           "the <code>bin</code> folder of the server installation. The server reads the file "
           "once, "
           "when it starts; change a setting and restart the server for the change to take "
           "effect.</p>\n";
    out << "<p>The file is plain text with one setting on each line: the setting's name, one "
           "space, "
           "then its value. Names are not case sensitive and are usually written in capitals. "
           "A line that begins with a semicolon (<code>;</code>) is a comment, and empty lines are "
           "ignored, so a setting is switched off by putting a semicolon in front of it. A setting "
           "that is not in the file keeps its default value.</p>\n";
    out << "<table border=\"1\" cellspacing=\"0\" cellpadding=\"4\">\n"
           "<tr><th align=\"left\">Example</th><th align=\"left\">Meaning</th></tr>\n"
           "<tr><td><code>MAXCONNECTIONS 200</code></td><td>a number</td></tr>\n"
           "<tr><td><code>LOGLEVEL WARNING</code></td><td>one of a list of values</td></tr>\n"
           "<tr><td><code>CACHESIZE_DATA 512</code></td><td>a name with a suffix, then its "
           "value</td></tr>\n"
           "<tr><td><code>SINGLEUSER</code></td><td>a switch that takes no value</td></tr>\n"
           "<tr><td><code>; LOGFILE /var/log/dravane.log</code></td><td>a comment</td></tr>\n"
           "</table>\n";

    // Versions.
    out << "<h2><a name=\"versions\"></a>Server versions</h2>\n"
           "<p>Each setting below names the server version that introduced it; older servers "
           "reject settings they do not know.</p>\n"
           "<table border=\"1\" cellspacing=\"0\" cellpadding=\"4\">\n"
           "<tr><th align=\"left\">Version</th><th align=\"right\">New settings</th>"
           "<th align=\"right\">Settings in all</th></tr>\n";
    int total = 0;
    for (const Version& v : versions) {
        int introduced = 0;
        for (const Setting& s : settings)
            introduced += s.version == v.value ? 1 : 0;
        total += introduced;
        out << "<tr><td>Dravane " << html(v.text) << "</td><td align=\"right\">" << introduced
            << "</td><td align=\"right\">" << total << "</td></tr>\n";
    }
    out << "</table>\n";

    // Contents.
    out << "<h2><a name=\"contents\"></a>Contents</h2>\n";
    for (int c = 0; c < categories.size(); ++c) {
        out << "<p><b><a href=\"#" << categoryAnchor(c + 1) << "\">" << html(categories.at(c))
            << "</a></b></p>\n<ul>\n";
        for (const Setting& s : settings) {
            if (s.category == categories.at(c))
                out << "<li><a href=\"" << html(s.link) << "\">" << html(s.name.trimmed())
                    << "</a> - " << html(summary(s)) << "</li>\n";
        }
        out << "</ul>\n";
    }

    // One section per category, one entry per setting.
    for (int c = 0; c < categories.size(); ++c) {
        out << "<hr>\n<h2><a name=\"" << categoryAnchor(c + 1) << "\"></a>"
            << html(categories.at(c)) << "</h2>\n";
        for (const Setting& s : settings) {
            if (s.category != categories.at(c))
                continue;
            const QStringList pieces = s.choiceList();
            out << "<h3><a name=\"" << html(s.link.mid(1)) << "\"></a>" << html(s.name.trimmed())
                << "</h3>\n";
            out << "<table border=\"0\" cellspacing=\"0\" cellpadding=\"2\">\n";
            auto row = [&](const QString& label, const QString& value) {
                out << "<tr><td valign=\"top\"><b>" << label << "</b>&nbsp;&nbsp;</td><td>" << value
                    << "</td></tr>\n";
            };
            row(QStringLiteral("Category"), html(s.category));
            row(QStringLiteral("Type"), html(typeWord(s)));
            if (s.type == QLatin1String("number")) {
                if (!s.note.isEmpty())
                    row(QStringLiteral("Range"), html(s.note));
                if (s.description.trimmed() != QLatin1String("n"))
                    row(QStringLiteral("Unit"), html(s.description));
            } else if (s.type == QLatin1String("multiple")) {
                QStringList names;
                for (const QString& piece : pieces)
                    names << QStringLiteral("<code>%1</code>").arg(html(s.name + piece));
                row(QStringLiteral("Suffixes"), html(pieces.join(QStringLiteral(", "))));
                row(QStringLiteral("Written as"), names.join(QStringLiteral(", ")));
            } else if (!pieces.isEmpty()) {
                row(QStringLiteral("Values"), html(pieces.join(QStringLiteral(", "))));
            }
            if (!s.isPseudo())
                row(QStringLiteral("Introduced in"),
                    QStringLiteral("Dravane ") + html(s.versionText));
            if (const QString example = exampleLine(s); !example.isEmpty())
                row(QStringLiteral("Example"),
                    QStringLiteral("<code>") + html(example) + QStringLiteral("</code>"));
            out << "</table>\n";
            out << "<p>" << html(s.help.isEmpty() ? generatedHelp(s) : s.help);
            if (!s.isPseudo())
                out << ' ' << html(howToWrite(s));
            out << "</p>\n";
            out << "<p><a href=\"#top\">Back to the top</a></p>\n";
        }
    }

    out << "<hr>\n<p>Dravane is a fictional database server. The latest edition of this reference "
           "is published at <a href=\"https://www.example.org/dravane/techref/\">"
           "https://www.example.org/dravane/techref/</a>.</p>\n"
           "</body>\n</html>\n";
    out.flush();

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(page.toUtf8()) < 0 || !file.commit())
        throw ToolError(QStringLiteral("cannot write %1: %2").arg(path, file.errorString()));
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 5) {
        std::fprintf(
            stderr,
            "usage: mkcatalogue <settings.txt> <versions.txt> <DraCFG.mdb> <homecfgl.htm>\n");
        return 2;
    }
    try {
        const QList<Version> versions = parseVersions(args.at(2));
        QList<Setting> settings = parseSettings(args.at(1));
        checkSettings(args.at(1), settings, versions);
        writeDatabase(args.at(3), settings, versions);
        writePage(args.at(4), settings, versions);
        std::printf("mkcatalogue: %lld settings in %lld versions\n",
                    static_cast<long long>(settings.size()),
                    static_cast<long long>(versions.size()));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "mkcatalogue: %s\n", e.what());
        return 1;
    }
    return 0;
}
