#include "support/EditorFixture.h"

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

    // The mark follows the choice, the same item again keeps it, and the tree lists the chosen
    // version's settings (the core test pins which).
    void choosingAVersionMarksItAndListsItsSettings()
    {
        EditorFixture f(catalogue({3, 2, 1}));
        QVERIFY(f.window);
        const auto& items = f.ui().mnuDVVersion;
        const auto listed = [&f](const char* name) {
            return !f.ui()
                        .tvTreeView->findItems(name, Qt::MatchExactly | Qt::MatchRecursive)
                        .isEmpty();
        };
        for (const auto& [item, syncMode] : {std::pair{2, false}, {2, false}, {0, true}}) {
            items[item]->trigger();
            for (int p = 0; p < 3; ++p)
                QCOMPARE(items[p]->isChecked(), p == item);
            QCOMPARE(f.window->editingState().versionIndex(), item);
            QCOMPARE(listed("SYNCMODE"), syncMode);
        }
        QCOMPARE(f.dialogs.count("message"), 0);
    }
};

QTEST_MAIN(tst_VersionMenu)
#include "tst_versionmenu.moc"
