#include "app/Startup.h"
#include "core/CatalogueTable.h"
#include "core/ConfigDocument.h"
#include "core/PreferenceStore.h"
#include "support/FakeDialogs.h"
#include "support/TestEnvironment.h"
#include "support/WindowControls.h"
#include "ui/MainWindow.h"
#include "ui/VersionMenu.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QtTest>

namespace {

QString StoredText(const QString& key)
{
    const auto store = PreferenceStore::Open();
    return store->value("Settings/" + key).toString();
}

bool StoreIsEmpty()
{
    const auto store = PreferenceStore::Open();
    return store->allKeys().isEmpty();
}

} // namespace

class tst_Startup : public QObject {
    Q_OBJECT

private slots:
    void missingCatalogueShowsOnlyFileNotFound()
    {
        TestEnvironment env;
        QFile::remove(env.cataloguepath());
        FakeDialogs dialogs;

        QVERIFY(!env.startMainWindow(dialogs));

        QCOMPARE(dialogs.calls.size(), 1);
        const FakeDialogs::Call call = dialogs.calls.first();
        QCOMPARE(call.title, QString("File Not Found"));
        QCOMPARE(call.text, QString("Cannot find the DraCFG.mdb file.  Please verify\r\n"
                                    "that this file exists in the installation folder"));
        QCOMPARE(call.icon, QMessageBox::Warning);
        QCOMPARE(call.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QVERIFY(StoreIsEmpty());
    }

    void missingHelpShowsCriticalError()
    {
        TestEnvironment env;
        QDir(env.serverDir() + "/Docs").removeRecursively(); // KELMPATH names an empty folder
        FakeDialogs dialogs;

        QVERIFY(!env.startMainWindow(dialogs));

        QCOMPARE(dialogs.calls.size(), 1);
        const FakeDialogs::Call call = dialogs.calls.first();
        QCOMPARE(call.title, QString("Critical Error"));
        QCOMPARE(call.icon, QMessageBox::Critical);
        QCOMPARE(call.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QCOMPARE(call.text,
                 QString("Cannot find the Dravane Technical Reference Help.\r\n\r\n"
                         "Please ensure that the Help is installed and exists in\r\n"
                         "the following folder: ..DRAVANE\\DOCS\\TECHREF, and that\r\n"
                         "the Dravane KELMPATH environment variable is set correctly.\r\n\r\n"
                         "The DraCFG Editor will not function without the Dravane\r\n"
                         "Technical Reference Help installed."));
        QVERIFY(StoreIsEmpty());
    }

    void unreadableCatalogueEndsInOneSentence_data()
    {
        QTest::addColumn<QStringList>("statements"); // empty: the file is not a database
        QTest::newRow("not a database") << QStringList();
        QTest::newRow("no settings table")
            << QStringList{"CREATE TABLE DV_Version (\"Index\" INTEGER, Version REAL)"};
        QTest::newRow("no version table")
            << QStringList{"CREATE TABLE CFGSettings (ID INTEGER, Category TEXT, SettingName TEXT,"
                           " Version REAL, HelpLink TEXT, ValueType TEXT, Choices TEXT,"
                           " NumberNote TEXT, Description TEXT)"};
    }
    void unreadableCatalogueEndsInOneSentence()
    {
        QFETCH(QStringList, statements);
        TestEnvironment env;
        QFile::remove(env.cataloguepath());
        if (statements.isEmpty())
            env.writeFile("program/DraCFG.mdb", QByteArray(4096, 'x'));
        else
            QVERIFY(ExecFixtureSql(env.cataloguepath(), statements));
        FakeDialogs dialogs;

        QVERIFY(!env.startMainWindow(dialogs));

        QCOMPARE(dialogs.calls.size(), 1);
        const QString text = dialogs.calls.first().text;
        QVERIFY(!text.isEmpty());
        QVERIFY2(text.endsWith('.') && !text.contains('\n'), qPrintable(text));
        QVERIFY(StoreIsEmpty());
    }

    void firstStartShowsEmptyMainWindow()
    {
        TestEnvironment env;
        FakeDialogs dialogs;
        const auto window = env.startMainWindow(dialogs);
        QVERIFY(window);
        QVERIFY(window->isVisible());
        QCOMPARE(dialogs.calls.size(), 0);
        QCOMPARE(window->windowTitle(), QString("DraCFG Editor"));
        QCOMPARE(window->objectName(), QString("frmMain"));
        QVERIFY(!window->document().DocumentOpen());
        QVERIFY(!window->document().DocumentChanged());
        QCOMPARE(window->catalogue().size(), SmallCatalogue().size());
    }

    void storedVersionIndex_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("catalogueSize");
        const int all = static_cast<int>(SmallCatalogue().size());
        QTest::newRow("index 2: version 1") << "2" << all - 2;
        QTest::newRow("index 1: version 2") << "1" << all - 1;
        QTest::newRow("garbage reads as 0") << "abc" << all;
        QTest::newRow("negative reads as 0") << "-1" << all;
        QTest::newRow("beyond 9 reads as 0") << "12" << all;
        QTest::newRow("fraction reads as 0") << "1.5" << all;
    }
    void storedVersionIndex()
    {
        QFETCH(QString, stored);
        QFETCH(int, catalogueSize);
        TestEnvironment env;
        PreferenceStore::Open()->setValue("Settings/DravaneVersion", stored);
        FakeDialogs dialogs;

        const auto window = env.startMainWindow(dialogs);
        QVERIFY(window);
        QCOMPARE(window->catalogue().size(), catalogueSize);
    }

    void indexNoRowCarriesLoadsVersionZero()
    {
        TestEnvironment env;
        // Versions 0.5 and 1 with index 0 missing from DV_Version: version 0 qualifies nothing.
        QVERIFY(env.writeCatalogue(SmallCatalogue(), {}));
        QVERIFY(ExecFixtureSql(env.cataloguepath(),
                               {"INSERT INTO DV_Version (\"Index\", Version) VALUES (5, 1)"}));
        FakeDialogs dialogs;
        const auto window = env.startMainWindow(dialogs);
        QVERIFY(window);
        QCOMPARE(window->catalogue().size(), 0);
        QCOMPARE(Controls(*window).mnuDVVersion[0]->text(), QString("v1"));
    }

    void closingSavesVersionAndViewMode()
    {
        TestEnvironment env;
        FakeDialogs dialogs;
        auto window = env.startMainWindow(dialogs);
        QVERIFY(window);
        Controls(*window).mnuDVVersion[1]->trigger();
        QVERIFY(window->close());
        QCOMPARE(StoredText("DravaneVersion"), QString("1"));
        QCOMPARE(StoredText("ViewMode"), QString("3"));
        QCOMPARE(dialogs.count("message"), 0);
    }
};

QTEST_MAIN(tst_Startup)
#include "tst_startup.moc"
