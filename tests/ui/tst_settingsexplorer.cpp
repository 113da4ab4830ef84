// The Settings Explorer in a started main window.

#include "core/PreferenceStore.h"
#include "support/EditorFixture.h"
#include "ui/HelpPane.h"
#include "ui/SettingsExplorer.h"

using namespace Qt::StringLiterals;

class tst_SettingsExplorer : public QObject {
    Q_OBJECT

    std::optional<EditorFixture> f;

    // rows: category:name pairs of version 1, after C:NEW of version 2.
    bool start(const QString& rows = "A:s1 A:s2 B:s3", bool byCategory = true)
    {
        f.emplace([&](TestEnvironment& env) {
            PreferenceStore::writeBool(*PreferenceStore::open(), "ListByCategory", byCategory);
            QList<FixtureSetting> settings{{"C", "NEW", 2, {}, {}, {}, {}, {}}};
            for (const QString& row : rows.split(' ', Qt::SkipEmptyParts))
                settings.append(
                    {row.section(':', 0, 0), row.section(':', 1), 1, {}, {}, {}, {}, {}});
            QVERIFY(env.writeCatalogue(settings, {1, 2}));
        });
        return f->window != nullptr;
    }
    WindowControls ui() { return f->ui(); }
    QTreeWidget* tree() { return ui().tvTreeView; }
    QTreeWidgetItem* node(QString t) { return tree()->findItems(t, Qt::MatchRecursive).value(0); }
    QString nowAt() { return tree()->currentItem()->text(0) + '|' + ui().lblTitle[0]->text(); }

    // The six listing marks (by category, then A-Z: View menu, pop-up, toolbar), the four expand
    // and collapse items enabled, the tree (">" the current node, "+" an expanded category, "."
    // a setting in one) and a blank help pane: "1110001111 >A+ .s1 .s2 B .s3 blank".
    QString shown()
    {
        const WindowControls w = ui();
        QString text;
        for (const QAction* a :
             {w.mnuViewmnuListCat, w.mnu_PopUpTV_SortCategory, w.FlatBttn[Button::ListCat],
              w.mnuViewmnuListAlpha, w.mnu_PopUpTV_SortAlpha, w.FlatBttn[Button::ListAlpha],
              w.mnuViewmnuExpandTV, w.mnuViewmnuCollapseTV, w.mnu_PopUpTV_ExpandAll,
              w.mnu_PopUpTV_CollapseAll})
            text += (a->isCheckable() ? a->isChecked() : a->isEnabled()) ? '1' : '0';
        const QString nodes = visible();
        return text + (nodes.isEmpty() ? "" : " ") + nodes +
               (w.helpPane->currentWidget() == w.fraBrowser ? " blank" : "");
    }

    // The nodes shown, as in shown(), without the marks.
    QString visible()
    {
        QStringList nodes;
        for (QTreeWidgetItemIterator it(tree()); QTreeWidgetItem* n = *it; ++it) {
            if (n->isHidden() || (n->parent() && n->parent()->isHidden()))
                continue;
            nodes << QString(n->parent() ? "." : "") + (n == tree()->currentItem() ? ">" : "") +
                         n->text(0) + (n->childCount() && n->isExpanded() ? "+" : "");
        }
        return nodes.join(u' ');
    }

private slots:
    void commands_data()
    {
        QTest::addColumn<QString>("rows");
        QTest::addColumn<QString>("steps"); // the mode listed or the node made current; the command
        QTest::addColumn<QString>("shown");
        const QString three = "A:s1 A:s2 B:s3";
        QTest::newRow("View, by category")
            << three << u"A-Z mnuViewmnuListCat"_s << u"1110001111 >A+ .s1 .s2 B .s3 blank"_s;
        QTest::newRow("pop-up, by category; empty catalogue")
            << u""_s << u"A-Z mnu_PopUpTV_SortCategory"_s << u"1110001111 blank"_s;
        QTest::newRow("toolbar, by category; faulty rows skipped")
            << u"A:a :b B:c A:d B:a"_s << u"A-Z FlatBttn(10)"_s
            << u"1110001111 >A+ .a .d B .c blank"_s;
        QTest::newRow("View, A-Z")
            << three << u"cat mnuViewmnuListAlpha"_s << u"0001110000 >s1 s2 s3 blank"_s;
        QTest::newRow("pop-up, A-Z; the first added is current")
            << u"N:Z N:A D:M"_s << u"cat mnu_PopUpTV_SortAlpha"_s << u"0001110000 A M >Z blank"_s;
        QTest::newRow("toolbar, A-Z; faulty rows skipped")
            << u"A:a :b B:a B:c"_s << u"cat FlatBttn(9)"_s << u"0001110000 >a c blank"_s;
        QTest::newRow("View, Expand All; category")
            << three << u"B mnuViewmnuExpandTV"_s << u"1110001111 A+ .s1 .s2 >B+ .s3 blank"_s;
        QTest::newRow("pop-up, Expand All; setting: help kept")
            << three << u"s3 mnu_PopUpTV_ExpandAll"_s << u"1110001111 A+ .s1 .s2 B+ .>s3"_s;
        QTest::newRow("View, Collapse All; setting")
            << three << u"s1 mnuViewmnuCollapseTV"_s << u"1110001111 A .>s1 .s2 B .s3 blank"_s;
        QTest::newRow("pop-up, Collapse All; category")
            << three << u"A mnu_PopUpTV_CollapseAll"_s << u"1110001111 >A .s1 .s2 B .s3 blank"_s;
        QTest::newRow("version choice, by category")
            << three << u"cat mnuDVVersion(1)"_s << u"1110001111 C+ .NEW A .s1 .s2 B .s3 blank"_s;
        QTest::newRow("version choice, A-Z")
            << three << u"A-Z mnuDVVersion(1)"_s << u"0001110000 NEW s1 s2 s3 blank"_s;
    }
    void commands()
    {
        QFETCH(QString, rows);
        QFETCH(QString, steps);
        QVERIFY(start(rows));
        if (steps.startsWith("A-Z ") || steps.startsWith("cat "))
            f->window->explorer().listCommand(steps.startsWith("cat "));
        else
            tree()->setCurrentItem(node(steps.section(' ', 0, 0)));
        f->window->findChild<HelpPane*>()->showHelpPage(f->env.helpPage());
        f->window->findChild<QAction*>(steps.section(' ', 1))->trigger();
        QTEST(shown(), "shown");
        QCOMPARE(f->dialogs.calls.size(), 0);
    }

    // The filter box narrows the tree to the settings whose name or description holds the text,
    // in their categories, expanded; Escape brings back the tree as it was, the node kept.
    void filter_data()
    {
        QTest::addColumn<bool>("byCategory");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("name or description")
            << true << u"server"_s << u"Connections+ .SERVERNAME"_s;
        QTest::newRow("any case, several") << true << u"Log"_s << u"Logging+ .LOGLEVEL .>LOGFILE"_s;
        QTest::newRow("description only") << true << u"resident"_s << u"Memory+ .LOCKMEMORY"_s;
        QTest::newRow("a category's name alone is no match")
            << true << u"Memory"_s << u"Memory+ .LOCKMEMORY"_s;
        QTest::newRow("nothing") << true << u"zzz"_s << QString();
        QTest::newRow("alphabetical") << false << u"log"_s << u">LOGFILE LOGLEVEL"_s;
    }
    void filter()
    {
        QFETCH(bool, byCategory);
        QFETCH(QString, typed);
        f.emplace([&](TestEnvironment&) {
            PreferenceStore::writeBool(*PreferenceStore::open(), "ListByCategory", byCategory);
        });
        QVERIFY(f->window);
        QVERIFY(f->activate());
        QVERIFY(f->selectNode(u"LOGFILE"_s));
        const QString before = visible();
        auto* box = f->window->findChild<QLineEdit*>(u"txtFilter"_s);
        QCOMPARE(box->placeholderText(), u"Filter settings"_s);
        box->setFocus();
        QTest::keyClicks(box, typed);
        QTEST(visible(), "shown");
        QTest::keyClick(box, Qt::Key_Escape);
        QCOMPARE(box->text(), QString());
        QCOMPARE(visible(), before);

        // A tree built afresh while a filter is typed shows the filtered settings too.
        QTest::keyClicks(box, u"host"_s);
        f->window->explorer().listCommand(byCategory);
        QCOMPARE(visible().remove(u'>'),
                 byCategory ? u"Replication+ .REPLICAHOST"_s : u"REPLICAHOST"_s);
    }

    void reachingANode()
    {
        QVERIFY(start("A:s1 A:s2 B:s3", false));
        QCOMPARE(shown(), "0001111111 s1 s2 s3 blank"); // start-up leaves expanding enabled
        QVERIFY(f->activate());
        // Whatever the user selects is handed to the value editor, but not the first node that
        // a list command selects; the right button (the pop-up menu) selects nothing.
        f->window->explorer().listCommand(false);
        QCOMPARE(nowAt(), "s1|");
        const QPoint s2 = tree()->visualItemRect(node("s2")).center();
        QTest::mouseClick(tree()->viewport(), Qt::RightButton, {}, s2);
        QTRY_VERIFY(ui().mnuPopUpTV->isVisible());
        ui().mnuPopUpTV->hide();
        QCOMPARE(nowAt(), "s1|");
        QTest::mouseClick(tree()->viewport(), Qt::LeftButton, {}, s2);
        QCOMPARE(nowAt(), "s2|s2");
        QTest::keyClick(tree(), Qt::Key_Down);
        QCOMPARE(nowAt(), "s3|s3");
    }

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
        f.emplace(
            [&](TestEnvironment& env) { QVERIFY(env.writeCatalogue(SmallCatalogue(), versions)); });
        QVERIFY(f->window);
        const auto& items = ui().mnuDVVersion;
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
            QCOMPARE(f->window->editingState().versionIndex(), chosen);
        }
        QCOMPARE(f->dialogs.count("message"), 0);
    }
};

QTEST_MAIN(tst_SettingsExplorer)
#include "tst_settingsexplorer.moc"
