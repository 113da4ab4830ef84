#include "support/FakeDialogs.h"
#include "support/TestEnvironment.h"
#include "support/WindowControls.h"
#include "ui/MainWindow.h"
#include "ui/VersionMenu.h"

#include <QAction>
#include <QFile>
#include <QtTest>

class tst_VersionMenu : public QObject {
    Q_OBJECT

private slots:
    void captionsFollowTheVersionTable_data()
    {
        QTest::addColumn<QList<double>>("versions");
        QTest::addColumn<QStringList>("captions");
        QTest::newRow("three versions")
            << QList<double>{6.5, 7, 8.1} << QStringList{"v6.5", "v7", "v8.1"};
        QTest::newRow("empty table: one item, empty caption") << QList<double>{} << QStringList{""};
        QTest::newRow("ten versions")
            << QList<double>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}
            << QStringList{"v1", "v2", "v3", "v4", "v5", "v6", "v7", "v8", "v9", "v10"};
    }
    void captionsFollowTheVersionTable()
    {
        QFETCH(QList<double>, versions);
        QFETCH(QStringList, captions);
        TestEnvironment env;
        QVERIFY(env.writeCatalogue(SmallCatalogue(), versions));
        FakeDialogs dialogs;
        const auto window = env.startMainWindow(dialogs);
        QVERIFY(window);

        const auto& items = Controls(*window).mnuDVVersion;
        for (int p = 0; p < 10; ++p) {
            const bool shown = p < captions.size();
            QCOMPARE(items[p]->isVisible(), shown);
            if (shown)
                QCOMPARE(items[p]->text(), captions[p]);
        }
        QCOMPARE(items[0]->isChecked(), true);
    }

    void choosingAVersionChecksItAndReloads()
    {
        TestEnvironment env;
        FakeDialogs dialogs;
        const auto window = env.startMainWindow(dialogs);
        QVERIFY(window);
        const auto& items = Controls(*window).mnuDVVersion;

        items[2]->trigger(); // version 1: the two later settings drop out
        QCOMPARE(window->versions().CheckedIndex(), 2);
        QVERIFY(!items[0]->isChecked());
        QCOMPARE(window->catalogue().size(), SmallCatalogue().size() - 2);

        items[2]->trigger(); // the same item again reloads the same catalogue
        QVERIFY(items[2]->isChecked());
        QCOMPARE(window->catalogue().size(), SmallCatalogue().size() - 2);

        items[0]->trigger();
        QCOMPARE(window->catalogue().size(), SmallCatalogue().size());
        QCOMPARE(dialogs.count("message"), 0);
    }

    void singlePrecisionVersionsCompareEqual()
    {
        TestEnvironment env;
        QList<FixtureSetting> settings = SmallCatalogue();
        for (FixtureSetting& setting : settings)
            setting.version = 6.1; // stored as a double
        settings.last().version = 6.2;
        QVERIFY(env.writeCatalogue(settings, {6.1}));
        FakeDialogs dialogs;
        const auto window = env.startMainWindow(dialogs);
        QVERIFY(window);
        QCOMPARE(window->catalogue().size(), settings.size() - 1);
    }

    void versionWithoutRowsKeepsThePreviousCatalogue()
    {
        TestEnvironment env;
        QVERIFY(env.writeCatalogue(SmallCatalogue(), {3, 0.5}));
        FakeDialogs dialogs;
        const auto window = env.startMainWindow(dialogs);
        QVERIFY(window);
        Controls(*window).mnuDVVersion[1]->trigger();
        QVERIFY(Controls(*window).mnuDVVersion[1]->isChecked());
        QCOMPARE(window->catalogue().size(), SmallCatalogue().size());
        QCOMPARE(dialogs.count("message"), 0);
    }

    void unreadableCatalogueAtAChoiceKeepsEverything()
    {
        TestEnvironment env;
        FakeDialogs dialogs;
        const auto window = env.startMainWindow(dialogs);
        QVERIFY(window);
        QFile::remove(env.cataloguepath());
        env.writeFile("program/DraCFG.mdb", QByteArray(2048, '\x7f'));

        Controls(*window).mnuDVVersion[2]->trigger();

        QCOMPARE(dialogs.count("message"), 1);
        QVERIFY(!dialogs.last("message").text.isEmpty());
        QCOMPARE(window->catalogue().size(), SmallCatalogue().size());
        QCOMPARE(window->versions().CheckedIndex(), 0);
    }
};

QTEST_MAIN(tst_VersionMenu)
#include "tst_versionmenu.moc"
