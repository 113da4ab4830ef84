#include "core/PreferenceStore.h"
#include "support/EditorFixture.h"
#include "support/FileBytes.h"

// File > Recent Files driven through the menu, with the list kept in the preference store.
class tst_RecentMenu : public QObject {
    Q_OBJECT

    std::optional<EditorFixture> m;

    QMenu* menu() { return Control<QMenu>(*m->window, "mnuFileRecent"); }
    // The captions of the file items, top to bottom.
    QStringList captions()
    {
        QStringList shown;
        for (QAction* item : menu()->actions())
            if (item->objectName().startsWith("mnuFileRecentFile("))
                shown << item->text();
        return shown;
    }
    QAction* item(int index)
    {
        return Control(*m->window, QStringLiteral("mnuFileRecentFile(%1)").arg(index));
    }
    QString stored() { return PreferenceStore::open()->value("Settings/RecentFiles").toString(); }

    // A new window over the same store, its list first replaced when a value is given.
    bool restart(const QString& storedValue = {})
    {
        m->window.reset();
        if (!storedValue.isNull())
            PreferenceStore::open()->setValue("Settings/RecentFiles", storedValue);
        m->window = m->env.startMainWindow(m->dialogs);
        return m->window != nullptr;
    }

private slots:
    void init() { QVERIFY(m.emplace().window); }

    // Newest first, each once, eight at most, kept across a restart; Clear List empties the
    // menu and the store; a damaged value reads as what it holds of a list.
    void listKeptAndCleared()
    {
        QCOMPARE(captions(), QStringList());
        QVERIFY(!Control(*m->window, "mnuFileRecentClear")->isEnabled());
        for (int i = 1; i <= 9; ++i)
            QVERIFY(m->open("A 1\r\n", false, QStringLiteral("f%1.cfg").arg(i)));
        QVERIFY(m->open("A 1\r\n", false, "f3.cfg")); // again: to the front
        m->dialogs.saveAnswers << m->bin("saved.cfg");
        m->trigger("mnuFilemnuSaveAs");

        QStringList expected;
        for (const char* name : {"saved", "f3", "f9", "f8", "f7", "f6", "f5", "f4"})
            expected << QStringLiteral("&%1 %2")
                            .arg(expected.size() + 1)
                            .arg(m->bin(QLatin1String(name) + ".cfg"));
        QCOMPARE(captions(), expected);
        QCOMPARE(menu()->actions().last()->text(), "&Clear List");
        QVERIFY(restart());
        QCOMPARE(captions(), expected);

        m->trigger("mnuFileRecentClear");
        QCOMPARE(captions(), QStringList());
        QCOMPARE(stored(), QString());
        QVERIFY(!Control(*m->window, "mnuFileRecentClear")->isEnabled());

        QVERIFY(restart("relative.cfg\n\n/srv/a.cfg\n/srv/a.cfg"));
        QCOMPARE(captions(), QStringList{"&1 /srv/a.cfg"});
        QVERIFY(Control(*m->window, "mnuFileRecentClear")->isEnabled());
    }

    // A chosen file opens, after the question about unsaved changes, or is dropped when gone.
    void chosenFileOpensOrIsDroppedWhenGone()
    {
        QVERIFY(m->open("A 1\r\n", false, "kept.cfg"));
        QVERIFY(m->open("B 2\r\n", false, "gone.cfg"));
        QVERIFY(m->open("C 3\r\n", false, "other.cfg"));
        QVERIFY(QFile::remove(m->bin("gone.cfg")));

        item(1)->trigger(); // gone.cfg
        QCOMPARE(m->dialogs.last("message").text,
                 m->bin("gone.cfg") + " no longer exists. It was removed from the list.");
        QCOMPARE(m->document().path(), m->bin("other.cfg"));
        QCOMPARE(captions(),
                 QStringList({"&1 " + m->bin("other.cfg"), "&2 " + m->bin("kept.cfg")}));
        QVERIFY(!stored().contains("gone.cfg"));

        m->ui().txtTextBox->appendPlainText("D 4");
        m->dialogs.messageAnswers << QMessageBox::Cancel << QMessageBox::No;
        item(1)->trigger(); // kept.cfg, cancelled
        QCOMPARE(m->dialogs.last("message").text, "Save changes to " + m->bin("other.cfg") + '?');
        QCOMPARE(m->document().path(), m->bin("other.cfg"));
        QVERIFY(m->document().DocumentChanged());
        item(1)->trigger(); // kept.cfg, changes dropped
        QCOMPARE(ReadBytes(m->bin("other.cfg")), "C 3\r\n");
        QCOMPARE(m->document().path(), m->bin("kept.cfg"));
        QCOMPARE(m->document().text(), "A 1\r\n");
        QCOMPARE(captions().first(), "&1 " + m->bin("kept.cfg"));
    }
};

QTEST_MAIN(tst_RecentMenu)
#include "tst_recentmenu.moc"
