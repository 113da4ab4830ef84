// CatalogueDatabase against fixture databases written per test, hostile ones included, and the
// editing state that holds what it read.

#include "core/CatalogueDatabase.h"
#include "core/EditingState.h"
#include "support/CatalogueFixture.h"
#include "support/FileBytes.h"

#include <QElapsedTimer>
#include <QSqlDatabase>
#include <QTemporaryDir>
#include <QtTest>
#include <sys/stat.h>

using namespace CatalogueDatabase;

namespace {

FixtureSetting setting(const QString& category, const QString& name, double version)
{
    return {category, name, version, {}, {}, {}, {}, {}};
}

QStringList names(const CatalogueTable& table)
{
    QStringList result;
    for (const CatalogueRow& row : table.rows())
        result.append(row.SettingName());
    return result;
}

// CFGSettings with %1 for the Version field and %2 for fields after the ninth.
const QString kCreate = "CREATE TABLE CFGSettings (ID, Category, SettingName, %1, HelpLink, "
                        "ValueType, Choices, NumberNote, Description%2)";
const QString kSettings = kCreate.arg("Version", "");
const QString kVersions = "CREATE TABLE DV_Version (\"Index\" INTEGER, Version REAL)";

} // namespace

using namespace Qt::StringLiterals;

class tst_CatalogueDatabase : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    const QString m_path = m_dir.filePath("DraCFG.mdb");

private slots:
    // A connection still in use at removeDatabase, or any other driver complaint, fails.
    void init() { QTest::failOnWarning(QRegularExpression(".*")); }
    void cleanup() { QCOMPARE(QSqlDatabase::connectionNames(), QStringList()); }

    void pathAndPresence()
    {
        QCOMPARE(GetCatalogueDatabasePath("/opt/DraCFG Editor"), "/opt/DraCFG Editor/DraCFG.mdb");
        // At the root: the current directory, with no separator.
        QCOMPARE(GetCatalogueDatabasePath("/"), QDir::currentPath() + "DraCFG.mdb");
        QVERIFY(WriteFixtureCatalogue(m_path, {}, {}) && QDir(m_dir.path()).mkpath("folder"));
        QVERIFY(catalogueDatabaseExists(m_path));
        QVERIFY(!catalogueDatabaseExists(m_dir.filePath("none")));
        QVERIFY(!catalogueDatabaseExists(m_dir.filePath("folder")));
    }

    // Every row, whatever its version, each with its version in single precision (compared in
    // double, the stored 6.1 would exceed 6.1f), and the version list, in table order.
    void everyVersionInOneRead()
    {
        QVERIFY(WriteFixtureCatalogue(
            m_path,
            {setting("A", "LATER", 6.2), setting("B", "EQUAL", 6.1), setting("A", "OLD", 5)},
            {6.1, 5.0, 7.2}));
        VersionedCatalogue catalogue;
        QList<VersionEntry> versions{{"stale", 1, "v1"}};
        QString error = "stale";
        QVERIFY(loadEverything(m_path, catalogue, versions, &error));
        QCOMPARE(error, QString()); // callers take any text as a failure
        QCOMPARE(names(catalogue.settings), (QStringList{"LATER", "EQUAL", "OLD"}));
        QCOMPARE(catalogue.introduced, (QList<float>{6.2f, 6.1f, 5.0f}));
        QStringList shown;
        for (const VersionEntry& version : versions)
            shown << version.index + ':' + QString::number(version.number) + ':' + version.caption;
        QCOMPARE(shown, (QStringList{"0:6.1:v6.1", "1:5:v5", "2:7.2:v7.2"}));
        VersionedCatalogue same;
        QVERIFY(loadEveryVersion(m_path, same));
        QCOMPARE(same.introduced, catalogue.introduced);

        QFile damaged(m_path);
        QVERIFY(damaged.open(QIODevice::WriteOnly) && damaged.write("not a database") > 0);
        damaged.close();
        QVERIFY(!loadEverything(m_path, catalogue, versions, &error));
        QCOMPARE(error, u"The catalogue database is not a readable database."_s);
        QCOMPARE(catalogue.introduced.size(), 3); // kept
        QCOMPARE(versions.size(), 3);
    }

    void loadCopiesEveryFieldButTheFirst()
    {
        FixtureSetting big{"Memory", "CACHESIZE", 6.5, "#CACHESIZE", "multiple", "_C0", "", ""};
        for (int i = 1; i < 300; ++i)
            big.choices += QStringLiteral("|_C%1").arg(i);
        big.description = QString("'\"|\u00e9 ").repeated(1000); // 5,000 characters
        QVERIFY(WriteFixtureCatalogue(m_path, {big}, {}));
        VersionedCatalogue table;
        QVERIFY(loadEveryVersion(m_path, table));
        const std::array<QString, 8> expected{"Memory",   "CACHESIZE", "6.5", "#CACHESIZE",
                                              "multiple", big.choices, "",    big.description};
        QCOMPARE(table.settings.at(0).columns, expected);
    }

    void malformed_data()
    {
        // SQL statements split at ';', "<pipe>", "<locked>" or the file's bytes
        QTest::addColumn<QString>("setup");
        QTest::addColumn<bool>("versionTable"); // the fault is met by the version readers
        QTest::addColumn<QString>("error");
        const QString unreadable = "The catalogue database is not a readable database.";

        QTest::newRow("not a database") << "MAXCONNECTIONS 100\r\n" << false << unreadable;
        QTest::newRow("damaged database")
            << "SQLite format 3" + QString(QChar(0)) + QString(4096, QChar(0xA5)) << false
            << unreadable;
        // A pipe would keep the open waiting for a writer.
        QTest::newRow("pipe") << "<pipe>" << false
                              << "The catalogue database file cannot be opened for reading.";
        // Another program in the middle of writing the catalogue: said so, and at once (the
        // driver's own wait was five seconds a read, ending in "no table").
        QTest::newRow("locked by another program")
            << "<locked>" << false
            << "The catalogue database is locked by another program; try again once that "
               "program has closed it.";
        QTest::newRow("empty file") << "" << false << "The catalogue database file is empty.";
        QTest::newRow("no CFGSettings")
            << kVersions << false << "The catalogue database has no table CFGSettings.";
        QTest::newRow("no DV_Version")
            << kSettings << true << "The catalogue database has no table DV_Version.";
        QTest::newRow("no field Version")
            << kCreate.arg("Release", "") << false << "The table CFGSettings has no field Version.";
        QTest::newRow("NULL Version after a good row")
            << kSettings + ";INSERT INTO CFGSettings (Version) VALUES (1), (NULL)" << false
            << "A setting in the catalogue database has no Version.";
        QTest::newRow("tenth field")
            << kCreate.arg("Version", ", Extra") << false
            << "The table CFGSettings has 10 fields; it must have exactly 9.";
        QTest::newRow("eleven versions")
            << kSettings + ';' + kVersions +
                   QString(";INSERT INTO DV_Version VALUES (0, 5)").repeated(11)
            << true << "The table DV_Version has 11 rows; at most 10 are allowed.";
    }
    void malformed()
    {
        QFETCH(QString, setup);
        QFETCH(bool, versionTable);
        QFETCH(QString, error);
        QFile::remove(m_path);
        std::optional<FixtureLock> lock;
        if (setup == "<pipe>") {
            QVERIFY(mkfifo(QFile::encodeName(m_path).constData(), 0600) == 0);
        } else if (setup == "<locked>") {
            QVERIFY(WriteFixtureCatalogue(m_path, {setting("A", "OLD", 5)}, {5}));
            QVERIFY(lock.emplace(m_path).isHeld());
        } else {
            QVERIFY(setup.startsWith("CREATE") ? ExecFixtureSql(m_path, setup.split(';'))
                                               : WriteBytes(m_path, setup.toLatin1()));
        }
        QElapsedTimer clock;
        clock.start();
        VersionedCatalogue catalogue;
        catalogue.settings.replace({CatalogueRow{{"Kept", "SENTINEL"}}});
        QStringList captions{"v1"};
        QString reported;
        QVERIFY(versionTable ? !readVersionCaptions(m_path, captions, &reported)
                             : !loadEveryVersion(m_path, catalogue, &reported));
        QCOMPARE(reported, error);
        QVERIFY2(clock.elapsed() < 3000, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(names(catalogue.settings), QStringList{"SENTINEL"});
        QCOMPARE(captions, QStringList{"v1"});
    }

    // Choices after the load come from memory: the database is gone by then.
    void versionChoice_data()
    {
        QTest::addColumn<int>("before"); // chosen before the load
        QTest::addColumn<QList<int>>("choices");
        QTest::addColumn<int>("index");
        QTest::addColumn<float>("version");
        QTest::addColumn<QStringList>("settings");
        QTest::addColumn<int>("changes");
        const auto row = [](const char* tag, int before, const QList<int>& choices, int index,
                            float version, const QStringList& settings, int changes) {
            QTest::newRow(tag) << before << choices << index << version << settings << changes;
        };
        const QStringList all{"A", "B", "C", "D"}, first{"A", "B"};
        row("the first", 0, {}, 0, 3.0f, all, 0);
        row("an earlier one", 0, {2}, 2, 1.0f, first, 1);
        row("the same again", 0, {2, 2}, 2, 1.0f, first, 1);
        row("one offering none keeps the last", 0, {2, 3}, 3, 0.5f, first, 2);
        row("a position no row has: version 0", 0, {2, 7}, 7, 0.0f, first, 2);
        row("out of range: the first", 0, {2, 10, -1}, 0, 3.0f, all, 2);
        // Both sides in single precision: in double, the stored 2.1 would exceed 2.1f.
        row("stored before the load", 1, {}, 1, 2.1f, {"A", "B", "C"}, 0);
        row("stored, no row: nothing offered", 8, {}, 8, 0.0f, {}, 0);
    }
    void versionChoice()
    {
        QFETCH(int, before);
        QFETCH(QList<int>, choices);
        QVERIFY(WriteFixtureCatalogue(m_path,
                                      {setting("X", "A", 1), setting("X", "B", 1),
                                       setting("X", "C", 2.1), setting("X", "D", 3)},
                                      {3, 2.1, 1, 0.5}));
        EditingState state;
        state.chooseVersion(before);
        QString error;
        QVERIFY(state.load(m_path, &error));
        QVERIFY(error.isEmpty() && state.isLoaded());
        QCOMPARE(state.versionCaptions(), (QStringList{"v3", "v2.1", "v1", "v0.5"}));
        QCOMPARE(state.everyVersion().settings.size(), 4);
        QVERIFY(QFile::remove(m_path));
        QSignalSpy changes(&state, &EditingState::versionChanged);
        for (int choice : choices)
            state.chooseVersion(choice);
        QTEST(state.versionIndex(), "index");
        QTEST(state.serverVersion(), "version");
        QTEST(names(state.catalogue()), "settings");
        QTEST(int(changes.size()), "changes");
    }

    void flagSignalsOnlyARealChange_data()
    {
        QTest::addColumn<QByteArray>("flag"); // set<Flag>(bool), signal <flag>Changed(bool)
        for (const char* flag : {"ListByCategory", "ConfirmDelete", "HelpShown", "ProblemsShown"})
            QTest::newRow(flag) << QByteArray(flag);
    }
    void flagSignalsOnlyARealChange()
    {
        QFETCH(QByteArray, flag);
        EditingState state;
        const QByteArray changed = flag.left(1).toLower() + flag.mid(1) + "Changed(bool)";
        QSignalSpy spy(&state, QByteArray(QT_STRINGIFY(QSIGNAL_CODE)) + changed);
        // True at first, as with an empty preference store.
        for (bool value : {true, false, false, true})
            QVERIFY(
                QMetaObject::invokeMethod(&state, ("set" + flag).constData(), Q_ARG(bool, value)));
        QCOMPARE(spy.size(), 2);
        QCOMPARE(spy.at(0).at(0).toBool(), false);
    }
};

QTEST_GUILESS_MAIN(tst_CatalogueDatabase)
#include "tst_cataloguedatabase.moc"
