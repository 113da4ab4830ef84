// CatalogueDatabase against fixture databases written per test, hostile ones included.

#include "core/CatalogueDatabase.h"
#include "support/CatalogueFixture.h"

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

    void databasePath()
    {
        QCOMPARE(GetCatalogueDatabasePath("/opt/DraCFG Editor"), "/opt/DraCFG Editor/DraCFG.mdb");
        // At the root: the current directory, with no separator.
        QCOMPARE(GetCatalogueDatabasePath("/"), QDir::currentPath() + "DraCFG.mdb");
    }

    void presenceCheck()
    {
        QVERIFY(WriteFixtureCatalogue(m_path, {}, {}));
        QVERIFY(QDir(m_dir.path()).mkpath("folder"));
        QVERIFY(catalogueDatabaseExists(m_path));
        QVERIFY(!catalogueDatabaseExists(m_dir.filePath("none")));
        QVERIFY(!catalogueDatabaseExists(m_dir.filePath("folder")));
    }

    void versions()
    {
        QVERIFY(WriteFixtureCatalogue(m_path, {}, {6.1, 5.0, 7.2}));
        QStringList captions{"stale"};
        QVERIFY(readVersionCaptions(m_path, captions));
        QCOMPARE(captions, (QStringList{"v6.1", "v5", "v7.2"}));
        QCOMPARE(GetVersionNumber(m_path, 0), 6.1f);
        QCOMPARE(GetVersionNumber(m_path, 3), 0.0f); // an index no row carries
        QVERIFY(WriteFixtureCatalogue(m_path, {}, {}));
        QCOMPARE(GetVersionNumber(m_path, 0), 0.0f);
    }

    void loadTakesTheRowsOfTheVersion()
    {
        // Compared in double precision, the stored 6.1 would exceed 6.1f and be left out.
        // A repeated name and a category that comes back are the tree's concern, not the load's.
        const QList<FixtureSetting> rows{setting("A", "OLD", 5), setting("B", "EQUAL", 6.1),
                                         setting("A", "OLD", 6), setting("A", "LATER", 6.2)};
        QVERIFY(WriteFixtureCatalogue(m_path, rows, {}));
        CatalogueTable table;
        QString error = "stale";
        QVERIFY(LoadCatalogue(m_path, 6.1f, table, &error));
        QCOMPARE(error, QString()); // callers take any text as a failure
        QCOMPARE(names(table), (QStringList{"OLD", "EQUAL", "OLD"}));
        QVERIFY(LoadCatalogue(m_path, 4.0f, table)); // no qualifying rows: the table is kept
        QCOMPARE(names(table), (QStringList{"OLD", "EQUAL", "OLD"}));
        QVERIFY(LoadCatalogue(m_path, 5.0f, table)); // otherwise it is replaced whole
        QCOMPARE(names(table), QStringList{"OLD"});
    }

    // Every row, whatever its version, each with the version as the per-version load compares it.
    void everyVersionWithItsVersion()
    {
        QVERIFY(WriteFixtureCatalogue(
            m_path,
            {setting("A", "LATER", 6.2), setting("B", "EQUAL", 6.1), setting("A", "OLD", 5)}, {}));
        VersionedCatalogue catalogue;
        QVERIFY(loadEveryVersion(m_path, catalogue));
        QCOMPARE(names(catalogue.settings), (QStringList{"LATER", "EQUAL", "OLD"}));
        QCOMPARE(catalogue.introduced, (QList<float>{6.2f, 6.1f, 5.0f}));

        QFile damaged(m_path);
        QVERIFY(damaged.open(QIODevice::WriteOnly) && damaged.write("not a database") > 0);
        damaged.close();
        QString error;
        QVERIFY(!loadEveryVersion(m_path, catalogue, &error));
        QCOMPARE(error, u"The catalogue database is not a readable database."_s);
        QCOMPARE(catalogue.introduced.size(), 3); // kept
    }

    // Another program in the middle of writing the catalogue: said so, and at once, by every
    // reader (the driver's own wait was five seconds a read, ending in "no table").
    void lockedByAnotherProgram()
    {
        QVERIFY(WriteFixtureCatalogue(m_path, {setting("A", "OLD", 5)}, {5}));
        FixtureLock lock(m_path);
        QVERIFY(lock.isHeld());
        QElapsedTimer clock;
        clock.start();
        const QString locked = "The catalogue database is locked by another program; try again "
                               "once that program has closed it.";
        QString error;
        QStringList captions;
        QVERIFY(!readVersionCaptions(m_path, captions, &error));
        QCOMPARE(error, locked);
        VersionedCatalogue catalogue;
        QVERIFY(!loadEveryVersion(m_path, catalogue, &error));
        QCOMPARE(error, locked);
        QCOMPARE(GetVersionNumber(m_path, 0, &error), 0.0f);
        QCOMPARE(error, locked);
        QVERIFY2(clock.elapsed() < 3000, qPrintable(QString::number(clock.elapsed())));
    }

    void loadCopiesEveryFieldButTheFirst()
    {
        FixtureSetting big{"Memory", "CACHESIZE", 6.5, "#CACHESIZE", "multiple", "_C0", "", ""};
        for (int i = 1; i < 300; ++i)
            big.choices += QStringLiteral("|_C%1").arg(i);
        big.description = QString("'\"|\u00e9 ").repeated(1000); // 5,000 characters
        QVERIFY(WriteFixtureCatalogue(m_path, {big}, {}));
        CatalogueTable table;
        QVERIFY(LoadCatalogue(m_path, 6.5f, table));
        const std::array<QString, 8> expected{"Memory",   "CACHESIZE", "6.5", "#CACHESIZE",
                                              "multiple", big.choices, "",    big.description};
        QCOMPARE(table.at(0).columns, expected);
    }

    // A pipe would keep the open waiting for a writer.
    void pipe()
    {
        const QString pipe = m_dir.filePath("pipe.mdb");
        QVERIFY(mkfifo(QFile::encodeName(pipe).constData(), 0600) == 0);
        CatalogueTable table;
        QString reported;
        QVERIFY(!LoadCatalogue(pipe, 1.0f, table, &reported));
        QCOMPARE(reported, "The catalogue database file cannot be opened for reading.");
    }

    void malformed_data()
    {
        QTest::addColumn<QString>("setup");     // SQL statements split at ';', or the file's bytes
        QTest::addColumn<bool>("versionTable"); // the fault is met by the version readers
        QTest::addColumn<QString>("error");
        const QString unreadable = "The catalogue database is not a readable database.";

        QTest::newRow("not a database") << "MAXCONNECTIONS 100\r\n" << false << unreadable;
        QTest::newRow("damaged database")
            << "SQLite format 3" + QString(QChar(0)) + QString(4096, QChar(0xA5)) << false
            << unreadable;
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
        QFile file(m_path); // emptied for every row; unbuffered, so written before it is read
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        QVERIFY(setup.startsWith("CREATE") ? ExecFixtureSql(m_path, setup.split(';'))
                                           : file.write(setup.toLatin1()) == setup.size());
        CatalogueTable table;
        table.replace({CatalogueRow{{"Kept", "SENTINEL"}}});
        QStringList captions{"v1"};
        QString reported;
        QVERIFY(versionTable ? !readVersionCaptions(m_path, captions, &reported)
                             : !LoadCatalogue(m_path, 99.0f, table, &reported));
        QCOMPARE(reported, error);
        QCOMPARE(names(table), QStringList{"SENTINEL"});
        QCOMPARE(captions, QStringList{"v1"});
        if (versionTable) { // the lookup meets the same fault and answers 0
            QCOMPARE(GetVersionNumber(m_path, 0, &reported), 0.0f);
            QCOMPARE(reported, error);
        }
    }
};

QTEST_GUILESS_MAIN(tst_CatalogueDatabase)
#include "tst_cataloguedatabase.moc"
