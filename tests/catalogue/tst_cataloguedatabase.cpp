// CatalogueDatabase: database path, presence check, version lookup, version
// captions and catalogue loading, against fixture databases written per test, including
// hostile ones.

#include "catalogue/CatalogueDatabase.h"
#include "support/CatalogueFixture.h"
#include "ui/Dialogs.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <ctime>
#include <limits>
#include <memory>

using namespace CatalogueDatabase;

namespace {

// Records message boxes; nothing else is expected of it here.
class RecordingDialogs final : public Dialogs {
public:
    struct Message {
        QString title;
        QString text;
        QMessageBox::Icon icon;
        QMessageBox::StandardButtons buttons;
    };
    QList<Message> messages;

    QMessageBox::StandardButton message(QWidget*, const QString& title, const QString& text,
                                        QMessageBox::Icon icon,
                                        QMessageBox::StandardButtons buttons,
                                        QMessageBox::StandardButton) override
    {
        messages.append({title, text, icon, buttons});
        return QMessageBox::Ok;
    }
    QString openFileName(QWidget*, const QString&, const QString&, const QString&) override
    {
        return unexpected<QString>();
    }
    QString saveFileName(QWidget*, const QString&, const QString&, const QString&, const QString&,
                         const QString&) override
    {
        return unexpected<QString>();
    }
    std::optional<QFont> chooseFont(QWidget*, const QFont&) override
    {
        return unexpected<std::optional<QFont>>();
    }
    bool choosePrinter(QWidget*, QPrinter&, const QString&) override { return unexpected<bool>(); }
    void runModal(QDialog&) override { unexpected<int>(); }
    void openUrl(const QUrl&) override { unexpected<int>(); }

private:
    template <typename T> static T unexpected()
    {
        qCritical("RecordingDialogs: unexpected dialog call");
        return T{};
    }
};

FixtureSetting setting(const QString& name, double version,
                       const QString& category = QStringLiteral("General"))
{
    FixtureSetting s;
    s.category = category;
    s.name = name;
    s.version = version;
    s.helpLink = QLatin1Char('#') + name;
    s.valueType = QStringLiteral("number");
    s.numberNote = QStringLiteral("1 to 10, default 5");
    s.description = QStringLiteral("units");
    return s;
}

QStringList names(const CatalogueTable& table)
{
    QStringList result;
    for (const CatalogueRow& row : table.rows())
        result.append(row.SettingName());
    return result;
}

// The standard table layout, for hostile variants written with raw SQL.
const QString kCreateSettings = QStringLiteral(
    "CREATE TABLE CFGSettings (ID INTEGER PRIMARY KEY, Category TEXT, SettingName TEXT, Version "
    "REAL, "
    "HelpLink TEXT, ValueType TEXT, Choices TEXT, NumberNote TEXT, Description TEXT)");
const QString kCreateVersions =
    QStringLiteral("CREATE TABLE DV_Version (\"Index\" INTEGER, Version REAL)");

QString insertSetting(const QString& name, const QString& version)
{
    return QStringLiteral(
               "INSERT INTO CFGSettings (Category, SettingName, Version, HelpLink, ValueType, "
               "Choices, NumberNote, Description) VALUES ('General', '%1', %2, '#%1', 'string', "
               "'', '', 'text')")
        .arg(name, version);
}

// Exactly one sentence: starts with a capital, ends with a full stop, no second sentence or line.
bool isOneSentence(const QString& text)
{
    static const QRegularExpression sentence(QStringLiteral("^[A-Z][^\\r\\n]*\\.$"));
    return sentence.match(text).hasMatch() && !text.chopped(1).contains(QLatin1String(". "));
}

} // namespace

class tst_CatalogueDatabase : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void databasePath_data();
    void databasePath();
    void presenceCheck_data();
    void presenceCheck();

    void versionNumber_data();
    void versionNumber();
    void versionLookupUsesTheIndexField();
    void versionCaptions_data();
    void versionCaptions();

    void loadFiltersOnSinglePrecision_data();
    void loadFiltersOnSinglePrecision();
    void loadCopiesFieldsOneToEightByPosition();
    void loadWithoutQualifyingRowsKeepsTheTable();
    void largeValuesLoadIntact();
    void loadIsLinear();
    void readOnlyFileIsReadAndLeftUntouched();

    void malformedCatalogue_data();
    void malformedCatalogue();
    void malformedVersionTable_data();
    void malformedVersionTable();

private:
    QString path(const QString& name = QStringLiteral("DraCFG.mdb")) const
    {
        return m_dir->filePath(name);
    }
    std::unique_ptr<QTemporaryDir> m_dir;
};

void tst_CatalogueDatabase::init()
{
    // A QSqlDatabase handle left alive at removeDatabase, or any other driver complaint, fails.
    QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void tst_CatalogueDatabase::cleanup()
{
    QVERIFY2(QSqlDatabase::connectionNames().isEmpty(),
             qPrintable(QSqlDatabase::connectionNames().join(QLatin1Char(','))));
    m_dir.reset();
}

// ---------------------------------------------------------------- path and presence

void tst_CatalogueDatabase::databasePath_data()
{
    QTest::addColumn<QString>("programDir");
    QTest::addColumn<QString>("expected"); // "<cwd>" stands for the current directory

    QTest::newRow("program folder") << "/opt/dracfg/bin"
                                    << "/opt/dracfg/bin/DraCFG.mdb";
    QTest::newRow("folder with blanks") << "/home/ann/DraCFG Editor"
                                        << "/home/ann/DraCFG Editor/DraCFG.mdb";
    QTest::newRow("root: current directory, no separator") << "/"
                                                           << "<cwd>DraCFG.mdb";
    QTest::newRow("trailing separator") << "/opt/dracfg/"
                                        << "<cwd>DraCFG.mdb";
}

void tst_CatalogueDatabase::databasePath()
{
    QFETCH(QString, programDir);
    QFETCH(QString, expected);
    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(m_dir->path()));
    const QString actual = GetCatalogueDatabasePath(programDir);
    QVERIFY(QDir::setCurrent(previous));
    QCOMPARE(actual, QString(expected).replace(QLatin1String("<cwd>"), m_dir->path()));
}

void tst_CatalogueDatabase::presenceCheck_data()
{
    QTest::addColumn<QString>("setup");
    QTest::addColumn<bool>("exists");

    QTest::newRow("file present") << "file" << true;
    QTest::newRow("empty file present") << "empty" << true;
    QTest::newRow("missing") << "none" << false;
    QTest::newRow("folder of that name") << "folder" << false;
    QTest::newRow("empty path") << "empty path" << false;
}

void tst_CatalogueDatabase::presenceCheck()
{
    QFETCH(QString, setup);
    QFETCH(bool, exists);
    QString dbPath = path();
    if (setup == QLatin1String("file"))
        QVERIFY(WriteFixtureCatalogue(dbPath, {setting(QStringLiteral("A"), 1)}, {1}));
    else if (setup == QLatin1String("empty"))
        QVERIFY(QFile(dbPath).open(QIODevice::WriteOnly));
    else if (setup == QLatin1String("folder"))
        QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("DraCFG.mdb")));
    else if (setup == QLatin1String("empty path"))
        dbPath.clear();

    RecordingDialogs dialogs;
    QCOMPARE(CheckCatalogueDatabase(dbPath, dialogs), exists);
    if (exists) {
        QVERIFY(dialogs.messages.isEmpty());
        return;
    }
    QCOMPARE(dialogs.messages.size(), 1);
    const RecordingDialogs::Message& m = dialogs.messages.constFirst();
    QCOMPARE(m.title, QStringLiteral("File Not Found"));
    QCOMPARE(m.text, QStringLiteral("Cannot find the DraCFG.mdb file.  Please verify\r\n"
                                    "that this file exists in the installation folder"));
    QCOMPARE(m.icon, QMessageBox::Warning);
    QCOMPARE(m.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
}

// ---------------------------------------------------------------- versions

void tst_CatalogueDatabase::versionNumber_data()
{
    QTest::addColumn<QList<double>>("versions");
    QTest::addColumn<int>("index");
    QTest::addColumn<float>("expected");

    const QList<double> three{5.0, 5.5, 6.1};
    QTest::newRow("index 0") << three << 0 << 5.0f;
    QTest::newRow("index 1") << three << 1 << 5.5f;
    QTest::newRow("last index, single precision") << three << 2 << 6.1f;
    QTest::newRow("index no row carries") << three << 3 << 0.0f;
    QTest::newRow("index 9 of three") << three << 9 << 0.0f;
    QTest::newRow("negative index") << three << -1 << 0.0f;
    QTest::newRow("empty DV_Version, index 0") << QList<double>() << 0 << 0.0f;
    QTest::newRow("empty DV_Version, index 5") << QList<double>() << 5 << 0.0f;
    QTest::newRow("ten versions, index 9")
        << QList<double>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10.5} << 9 << 10.5f;
}

void tst_CatalogueDatabase::versionNumber()
{
    QFETCH(QList<double>, versions);
    QFETCH(int, index);
    QFETCH(float, expected);
    QVERIFY(WriteFixtureCatalogue(path(), {setting(QStringLiteral("A"), 1)}, versions));

    QString error = QStringLiteral("stale");
    QCOMPARE(GetVersionNumber(path(), index, &error), expected);
    QVERIFY2(error.isEmpty(), qPrintable(error));
}

void tst_CatalogueDatabase::versionLookupUsesTheIndexField()
{
    // The lookup compares the "Index" field, not the row's position (the version list is
    // built by position, which is why the data must keep them equal).
    QVERIFY(ExecFixtureSql(path(), {kCreateSettings, kCreateVersions,
                                    QStringLiteral("INSERT INTO DV_Version VALUES (1, 7.0)"),
                                    QStringLiteral("INSERT INTO DV_Version VALUES (0, 6.0)"),
                                    QStringLiteral("INSERT INTO DV_Version VALUES (0, 9.0)")}));
    QCOMPARE(GetVersionNumber(path(), 0), 6.0f); // the first row carrying Index 0
    QCOMPARE(GetVersionNumber(path(), 1), 7.0f);
    QCOMPARE(GetVersionNumber(path(), 2), 0.0f);
}

void tst_CatalogueDatabase::versionCaptions_data()
{
    QTest::addColumn<QList<double>>("versions");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("empty") << QList<double>() << QStringList();
    QTest::newRow("whole number") << QList<double>{7} << QStringList{"v7"};
    QTest::newRow("three, in table order")
        << QList<double>{6.5, 5.0, 7.2} << QStringList{"v6.5", "v5", "v7.2"};
    QTest::newRow("ten") << QList<double>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}
                         << QStringList{"v1", "v2", "v3", "v4", "v5",
                                        "v6", "v7", "v8", "v9", "v10"};
}

void tst_CatalogueDatabase::versionCaptions()
{
    QFETCH(QList<double>, versions);
    QFETCH(QStringList, expected);
    QVERIFY(WriteFixtureCatalogue(path(), {setting(QStringLiteral("A"), 1)}, versions));

    QStringList captions{QStringLiteral("stale")};
    QString error;
    QVERIFY2(ReadVersionCaptions(path(), captions, &error), qPrintable(error));
    QCOMPARE(captions, expected);
}

// ---------------------------------------------------------------- loading

void tst_CatalogueDatabase::loadFiltersOnSinglePrecision_data()
{
    QTest::addColumn<float>("serverVersion");
    QTest::addColumn<QStringList>("expected");

    // Rows (in table order): OLD 5.0, EQUAL 6.1, NEAR 6.1000001, LATER 6.2, NEWEST 7.0, ALSO 6.1.
    // 6.1 and 6.1000001 stored as doubles both become 6.1f; compared in double precision
    // they would be greater than the chosen 6.1f and wrongly left out.
    QTest::newRow("6.1 chosen") << 6.1f << QStringList{"OLD", "EQUAL", "NEAR", "ALSO"};
    QTest::newRow("oldest") << 5.0f << QStringList{"OLD"};
    QTest::newRow("between versions") << 6.15f << QStringList{"OLD", "EQUAL", "NEAR", "ALSO"};
    QTest::newRow("6.2 chosen") << 6.2f << QStringList{"OLD", "EQUAL", "NEAR", "LATER", "ALSO"};
    QTest::newRow("newest") << 7.0f
                            << QStringList{"OLD", "EQUAL", "NEAR", "LATER", "NEWEST", "ALSO"};
}

void tst_CatalogueDatabase::loadFiltersOnSinglePrecision()
{
    QFETCH(float, serverVersion);
    QFETCH(QStringList, expected);
    QVERIFY(WriteFixtureCatalogue(
        path(),
        {setting(QStringLiteral("OLD"), 5.0), setting(QStringLiteral("EQUAL"), 6.1),
         setting(QStringLiteral("NEAR"), 6.1000001), setting(QStringLiteral("LATER"), 6.2),
         setting(QStringLiteral("NEWEST"), 7.0), setting(QStringLiteral("ALSO"), 6.1)},
        {5.0, 6.1, 6.2, 7.0}));

    CatalogueTable table;
    QString error;
    QVERIFY2(LoadCatalogue(path(), serverVersion, table, &error), qPrintable(error));
    QCOMPARE(names(table), expected);

    // The version read from DV_Version is the one the load compares with.
    QCOMPARE(GetVersionNumber(path(), 1), 6.1f);
    QVERIFY(LoadCatalogue(path(), GetVersionNumber(path(), 1), table));
    QCOMPARE(names(table), (QStringList{"OLD", "EQUAL", "NEAR", "ALSO"}));
}

void tst_CatalogueDatabase::loadCopiesFieldsOneToEightByPosition()
{
    // Unusual field names and "Version" in another place: fields 1 to 8 are copied by
    // position, field 0 never; "Version" is found by name. NULLs become "" and numbers text.
    QVERIFY(ExecFixtureSql(
        path(),
        {QStringLiteral(
             "CREATE TABLE CFGSettings (Hidden TEXT, F1, F2, F3, F4, F5, F6, Version REAL, F8)"),
         kCreateVersions,
         QStringLiteral(
             "INSERT INTO CFGSettings VALUES ('SECRET', 'Cat', 'NAME', '#NAME', 'combo', "
             "'A|B', 'note', 5.0, 'desc')"),
         QStringLiteral("INSERT INTO CFGSettings VALUES ('SECRET', NULL, 'OTHER', NULL, 'null', "
                        "NULL, 42, 4.5, NULL)"),
         QStringLiteral("INSERT INTO CFGSettings VALUES ('SECRET', 'Cat', 'FUTURE', '', 'null', "
                        "'', '', 9, '')")}));

    CatalogueTable table;
    QString error;
    QVERIFY2(LoadCatalogue(path(), 5.0f, table, &error), qPrintable(error));
    QCOMPARE(table.size(), 2);
    const std::array<QString, 8> first{"Cat", "NAME", "#NAME", "combo", "A|B", "note", "5", "desc"};
    const std::array<QString, 8> second{"", "OTHER", "", "null", "", "42", "4.5", ""};
    QCOMPARE(table.at(0).columns, first);
    QCOMPARE(table.at(1).columns, second);
    for (const CatalogueRow& row : table.rows())
        QVERIFY(!row.columns.empty() &&
                std::find(row.columns.begin(), row.columns.end(), "SECRET") == row.columns.end());

    // The standard layout: ID is never part of the table; column 3 is the Version text.
    QVERIFY(WriteFixtureCatalogue(
        path(QStringLiteral("std.mdb")),
        {{"Memory", "CACHESIZE", 6.5, "#CACHESIZE", "multiple", "_DATA|_INDEX", "", "MB"}}, {6.5}));
    QVERIFY(LoadCatalogue(path(QStringLiteral("std.mdb")), 6.5f, table));
    const std::array<QString, 8> standard{"Memory",   "CACHESIZE",    "6.5", "#CACHESIZE",
                                          "multiple", "_DATA|_INDEX", "",    "MB"};
    QCOMPARE(table.at(0).columns, standard);
    QCOMPARE(table.at(0).HelpLink(), QStringLiteral("#CACHESIZE"));
    QCOMPARE(table.at(0).Description(), QStringLiteral("MB"));
}

void tst_CatalogueDatabase::loadWithoutQualifyingRowsKeepsTheTable()
{
    QVERIFY(WriteFixtureCatalogue(
        path(), {setting(QStringLiteral("A"), 5), setting(QStringLiteral("B"), 6)}, {5, 6}));
    QVERIFY(WriteFixtureCatalogue(path(QStringLiteral("empty.mdb")), {}, {5}));

    CatalogueTable table;
    QVERIFY(LoadCatalogue(path(), 6.0f, table));
    QCOMPARE(names(table), (QStringList{"A", "B"}));

    QString error;
    QVERIFY(LoadCatalogue(path(), 4.0f, table, &error)); // nothing qualifies
    QVERIFY(error.isEmpty());
    QCOMPARE(names(table), (QStringList{"A", "B"}));
    QVERIFY(LoadCatalogue(path(), 0.0f, table)); // version of an index no row carries
    QCOMPARE(names(table), (QStringList{"A", "B"}));
    QVERIFY(LoadCatalogue(path(QStringLiteral("empty.mdb")), 6.0f, table)); // empty CFGSettings
    QCOMPARE(names(table), (QStringList{"A", "B"}));

    // A later load that qualifies rows replaces the table whole, dropping rows beyond it.
    QVERIFY(LoadCatalogue(path(), 5.0f, table));
    QCOMPARE(names(table), QStringList{"A"});
}

void tst_CatalogueDatabase::largeValuesLoadIntact()
{
    QString description;
    for (int i = 0; description.size() < 5000; ++i)
        description +=
            QStringLiteral("Line %1 with 'quotes', \"double\", | bars, ; and \u00e9\u00df. ")
                .arg(i);
    description.truncate(5000);
    QStringList pieces;
    for (int i = 0; i < 300; ++i)
        pieces.append(QStringLiteral("CHOICE%1").arg(i));
    pieces[150].clear(); // an empty piece in the middle survives too

    FixtureSetting big = setting(QStringLiteral("BIG"), 1);
    big.valueType = QStringLiteral("combo");
    big.choices = pieces.join(QLatin1Char('|'));
    big.description = description;
    QVERIFY(WriteFixtureCatalogue(path(), {big}, {1}));

    CatalogueTable table;
    QString error;
    QVERIFY2(LoadCatalogue(path(), 1.0f, table, &error), qPrintable(error));
    QCOMPARE(table.size(), 1);
    QCOMPARE(table.at(0).Description().size(), 5000);
    QCOMPARE(table.at(0).Description(), description);
    QCOMPARE(table.at(0).Choices().split(QLatin1Char('|')), pieces);
}

void tst_CatalogueDatabase::loadIsLinear()
{
    QList<FixtureSetting> settings;
    for (int i = 0; i < 5000; ++i) {
        FixtureSetting s = setting(QStringLiteral("SETTING%1").arg(i), i % 2 ? 7.0 : 5.0,
                                   QStringLiteral("Category %1").arg(i / 100));
        s.description = QStringLiteral("A short description of setting number %1.").arg(i);
        settings.append(s);
    }
    QVERIFY(WriteFixtureCatalogue(path(), settings, {5.0, 7.0}));

    // Processor time, so that a busy build machine does not fail the test; the wall time is
    // reported beside it.
    double bestCpu = std::numeric_limits<double>::max();
    qint64 bestWall = std::numeric_limits<qint64>::max();
    for (int run = 0; run < 5; ++run) {
        CatalogueTable table;
        QElapsedTimer wall;
        wall.start();
        const std::clock_t start = std::clock();
        QVERIFY(LoadCatalogue(path(), 7.0f, table));
        bestCpu = std::min(bestCpu, 1000.0 * double(std::clock() - start) / CLOCKS_PER_SEC);
        bestWall = std::min(bestWall, wall.elapsed());
        QCOMPARE(table.size(), 5000);
        QCOMPARE(table.at(4999).SettingName(), QStringLiteral("SETTING4999"));
    }
    qInfo("Loading 5,000 settings: %.1f ms processor time, %lld ms wall time (best of 5)", bestCpu,
          bestWall);
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    QSKIP("Timing is not meaningful under a sanitizer; the load itself was checked.");
#endif
    QVERIFY2(bestCpu < 50,
             qPrintable(QStringLiteral("loading 5,000 settings took %1 ms").arg(bestCpu)));
}

void tst_CatalogueDatabase::readOnlyFileIsReadAndLeftUntouched()
{
    QVERIFY(WriteFixtureCatalogue(path(), {setting(QStringLiteral("A"), 5)}, {5}));
    QFile file(path());
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray before = file.readAll();
    file.close();
    QVERIFY(QFile::setPermissions(path(), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));

    CatalogueTable table;
    QStringList captions;
    QString error;
    QVERIFY2(LoadCatalogue(path(), 5.0f, table, &error), qPrintable(error));
    QVERIFY2(ReadVersionCaptions(path(), captions, &error), qPrintable(error));
    QCOMPARE(GetVersionNumber(path(), 0), 5.0f);

    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), before);
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files),
             QStringList{"DraCFG.mdb"}); // no journal left
    QFile::setPermissions(path(), QFile::ReadOwner | QFile::WriteOwner);
}

// ---------------------------------------------------------------- hostile input

void tst_CatalogueDatabase::malformedCatalogue_data()
{
    QTest::addColumn<QString>("setup"); // "sql" or a kind of broken file
    QTest::addColumn<QStringList>("statements");
    QTest::addColumn<QString>("expected"); // a part of the error sentence

    const QString create = kCreateSettings;
    QTest::newRow("no file") << "none" << QStringList() << "does not exist";
    QTest::newRow("empty file") << "empty" << QStringList() << "is empty";
    QTest::newRow("text file") << "text" << QStringList() << "not a readable database";
    QTest::newRow("damaged database") << "damaged" << QStringList() << "not a readable database";
    QTest::newRow("folder") << "folder" << QStringList() << "folder";
    QTest::newRow("no table CFGSettings")
        << "sql" << QStringList{kCreateVersions} << "has no table CFGSettings";
    QTest::newRow("no field Version")
        << "sql"
        << QStringList{QStringLiteral(
               "CREATE TABLE CFGSettings (ID, Category, SettingName, Release, HelpLink, "
               "ValueType, Choices, NumberNote, Description)")}
        << "has no field Version";
    QTest::newRow("tenth field")
        << "sql"
        << QStringList{QStringLiteral("CREATE TABLE CFGSettings (ID, Category, SettingName, "
                                      "Version, HelpLink, "
                                      "ValueType, Choices, NumberNote, Description, Extra)"),
                       QStringLiteral("INSERT INTO CFGSettings VALUES (1, 'C', 'X', 1, '#X', "
                                      "'null', '', '', 'd', 'e')")}
        << "has 10 fields; it must have exactly 9";
    QTest::newRow("eight fields")
        << "sql"
        << QStringList{QStringLiteral(
               "CREATE TABLE CFGSettings (ID, Category, SettingName, Version, HelpLink, "
               "ValueType, Choices, NumberNote)")}
        << "has 8 fields; it must have exactly 9";
    QTest::newRow("NULL Version after good rows")
        << "sql"
        << QStringList{create, insertSetting(QStringLiteral("GOOD"), QStringLiteral("1")),
                       insertSetting(QStringLiteral("BAD"), QStringLiteral("NULL"))}
        << "has no Version";
    QTest::newRow("Version not a number")
        << "sql"
        << QStringList{create, insertSetting(QStringLiteral("BAD"), QStringLiteral("'six'"))}
        << "not a number";
}

void tst_CatalogueDatabase::malformedCatalogue()
{
    QFETCH(QString, setup);
    QFETCH(QStringList, statements);
    QFETCH(QString, expected);

    if (setup == QLatin1String("sql")) {
        QVERIFY(ExecFixtureSql(path(), statements));
    } else if (setup != QLatin1String("none")) {
        QByteArray bytes;
        if (setup == QLatin1String("text"))
            bytes = "MAXCONNECTIONS 100\r\nLOGFILE /var/log/x\r\n";
        if (setup == QLatin1String("damaged")) {
            QVERIFY(WriteFixtureCatalogue(path(), {setting(QStringLiteral("A"), 1)}, {1}));
            QFile good(path());
            QVERIFY(good.open(QIODevice::ReadOnly));
            bytes = good.readAll();
            for (qsizetype i = 16; i < bytes.size(); ++i) // keep the SQLite header text only
                bytes[i] = static_cast<char>(0xA5 ^ i);
        }
        if (setup == QLatin1String("folder")) {
            QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("DraCFG.mdb")));
        } else {
            QFile file(path());
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            QCOMPARE(file.write(bytes), bytes.size());
        }
    }

    CatalogueTable table;
    table.replace({CatalogueRow{{"Kept", "SENTINEL", "1", "#S", "null", "", "", ""}}});
    QString error;
    QVERIFY(!LoadCatalogue(path(), 99.0f, table, &error));
    QVERIFY2(error.contains(expected), qPrintable(error));
    QVERIFY2(isOneSentence(error), qPrintable(error));
    QCOMPARE(names(table), QStringList{"SENTINEL"});
}

void tst_CatalogueDatabase::malformedVersionTable_data()
{
    QTest::addColumn<QStringList>("statements");
    QTest::addColumn<QString>("expected");

    QStringList eleven{kCreateSettings, kCreateVersions};
    for (int p = 0; p < 11; ++p)
        eleven.append(QStringLiteral("INSERT INTO DV_Version VALUES (%1, %2)").arg(p).arg(5 + p));

    QTest::newRow("no table DV_Version")
        << QStringList{kCreateSettings} << "has no table DV_Version";
    QTest::newRow("eleven versions") << eleven << "has 11 rows; at most 10 are allowed";
    QTest::newRow("no field Index")
        << QStringList{QStringLiteral("CREATE TABLE DV_Version (Position INTEGER, Version REAL)")}
        << "has no field Index";
    QTest::newRow("no field Version")
        << QStringList{QStringLiteral("CREATE TABLE DV_Version (\"Index\" INTEGER, Release REAL)")}
        << "has no field Version";
    QTest::newRow("NULL Version")
        << QStringList{kCreateVersions, QStringLiteral("INSERT INTO DV_Version VALUES (0, 5.0)"),
                       QStringLiteral("INSERT INTO DV_Version VALUES (1, NULL)")}
        << "has no Version";
    QTest::newRow("Version not a number")
        << QStringList{kCreateVersions, QStringLiteral("INSERT INTO DV_Version VALUES (0, 'five')")}
        << "not a number";
}

void tst_CatalogueDatabase::malformedVersionTable()
{
    QFETCH(QStringList, statements);
    QFETCH(QString, expected);
    QVERIFY(ExecFixtureSql(path(), statements));

    QStringList captions{QStringLiteral("v1")};
    QString error;
    QVERIFY(!ReadVersionCaptions(path(), captions, &error));
    QVERIFY2(error.contains(expected), qPrintable(error));
    QVERIFY2(isOneSentence(error), qPrintable(error));
    QCOMPARE(captions, QStringList{"v1"});

    QString lookupError;
    QCOMPARE(GetVersionNumber(path(), 0, &lookupError), 0.0f);
    QCOMPARE(lookupError, error);
}

QTEST_GUILESS_MAIN(tst_CatalogueDatabase)
#include "tst_cataloguedatabase.moc"
