#include "support/EditorFixture.h"

class tst_VersionMenu : public QObject {
    Q_OBJECT

private slots:
    // The items follow the catalogue's version table; the mark follows the choice, and the same
    // item again keeps it.
    void itemsFollowTheVersionTable_data()
    {
        QTest::addColumn<QList<double>>("versions");
        QTest::addColumn<QStringList>("captions");
        QTest::newRow("empty table: one item, empty caption") << QList<double>{} << QStringList{""};
        QTest::newRow("ten versions")
            << QList<double>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10.5}
            << QStringList{"v1", "v2", "v3", "v4", "v5", "v6", "v7", "v8", "v9", "v10.5"};
    }
    void itemsFollowTheVersionTable()
    {
        QFETCH(QList<double>, versions);
        QFETCH(QStringList, captions);
        EditorFixture f(
            [&](TestEnvironment& env) { QVERIFY(env.writeCatalogue(SmallCatalogue(), versions)); });
        QVERIFY(f.window);
        const auto& items = f.ui().mnuDVVersion;
        for (int p = 0; p < 10; ++p) {
            QCOMPARE(items[p]->isVisible(), p < captions.size());
            if (p < captions.size())
                QCOMPARE(items[p]->text().remove(u'&'), captions[p]);
        }
        QVERIFY(items[0]->isChecked());
        for (const int chosen : {0, int(captions.size()) - 1, int(captions.size()) - 1}) {
            items[chosen]->trigger();
            for (int p = 0; p < captions.size(); ++p)
                QCOMPARE(items[p]->isChecked(), p == chosen);
            QCOMPARE(f.window->editingState().versionIndex(), chosen);
        }
        QCOMPARE(f.dialogs.count("message"), 0);
    }
};

QTEST_MAIN(tst_VersionMenu)
#include "tst_versionmenu.moc"
