#include "core/PreferenceStore.h"
#include "support/EditorFixture.h"
#include "ui/VersionMenu.h"

class tst_VersionMenu : public QObject {
    Q_OBJECT

    static EditorFixture::Setup catalogue(const QList<double>& versions)
    {
        return
            [=](TestEnvironment& env) { QVERIFY(env.writeCatalogue(SmallCatalogue(), versions)); };
    }

private slots:
    void captionsFollowTheVersionTable_data()
    {
        QTest::addColumn<QList<double>>("versions");
        QTest::addColumn<QStringList>("captions");
        QTest::newRow("empty table: one item, empty caption") << QList<double>{} << QStringList{""};
        QTest::newRow("ten versions")
            << QList<double>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10.5}
            << QStringList{"v1", "v2", "v3", "v4", "v5", "v6", "v7", "v8", "v9", "v10.5"};
    }
    void captionsFollowTheVersionTable()
    {
        QFETCH(QList<double>, versions);
        QFETCH(QStringList, captions);
        EditorFixture f(catalogue(versions));
        QVERIFY(f.window);
        for (int p = 0; p < 10; ++p) {
            QCOMPARE(f.ui().mnuDVVersion[p]->isVisible(), p < captions.size());
            if (p < captions.size())
                QCOMPARE(f.ui().mnuDVVersion[p]->text().remove(u'&'), captions[p]);
        }
        QVERIFY(f.ui().mnuDVVersion[0]->isChecked());
    }

    void choosingAVersionChecksItAndReloads()
    {
        EditorFixture f(catalogue({3, 2, 1, 0.5}));
        QVERIFY(f.window);
        const auto& items = f.ui().mnuDVVersion;
        const int all = static_cast<int>(SmallCatalogue().size());
        // Version 1 drops the two later settings; the same item again reloads the same; a
        // version without settings keeps the catalogue there was.
        for (const auto& [item, settings] :
             {std::pair{2, all - 2}, {2, all - 2}, {3, all - 2}, {0, all}}) {
            items[item]->trigger();
            QCOMPARE(f.window->versions().checkedIndex(), item);
            QVERIFY(items[item]->isChecked() && (item == 0 || !items[0]->isChecked()));
            QCOMPARE(f.window->catalogue().size(), settings);
        }
        QCOMPARE(f.dialogs.count("message"), 0);
    }

    // The mark stays on the version whose catalogue is loaded, before or after the chosen one.
    void unreadableCatalogueAtAChoiceKeepsEverything_data()
    {
        QTest::addColumn<int>("loaded");
        QTest::addColumn<int>("chosen");
        QTest::newRow("a later version") << 0 << 2;
        QTest::newRow("an earlier version") << 2 << 0;
        QTest::newRow("the loaded version") << 1 << 1;
    }
    void unreadableCatalogueAtAChoiceKeepsEverything()
    {
        QFETCH(int, loaded);
        QFETCH(int, chosen);
        EditorFixture f([&](TestEnvironment&) {
            PreferenceStore::writeInt(*PreferenceStore::open(), "DravaneVersion", loaded);
        });
        QVERIFY(f.window);
        const qsizetype settings = f.window->catalogue().size();
        f.env.writeFile("program/DraCFG.mdb", QByteArray(2048, '\x7f'));

        f.ui().mnuDVVersion[chosen]->trigger();

        QCOMPARE(f.dialogs.count("message"), 1);
        QVERIFY(!f.dialogs.last("message").text.isEmpty());
        QCOMPARE(f.window->catalogue().size(), settings);
        for (int p = 0; p < 3; ++p)
            QCOMPARE(f.ui().mnuDVVersion[p]->isChecked(), p == loaded);
    }
};

QTEST_MAIN(tst_VersionMenu)
#include "tst_versionmenu.moc"
