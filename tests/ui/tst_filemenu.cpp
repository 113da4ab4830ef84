#include "core/PreferenceStore.h"
#include "support/EditorFixture.h"
#include "ui/CompareWindow.h"

// File > Recent Files driven through the menu, with the list kept in the preference store, and
// File > Compare with Saved, which shows what Save would change, coloured.
class tst_FileMenu : public QObject {
    Q_OBJECT

    std::optional<EditorFixture> m;

    QMenu* menu() { return Control<QMenu>(*m->window, "mnuFileRecent"); }
    // The captions of the file items, top to bottom.
    QStringList captions()
    {
        QStringList texts;
        for (QAction* item : menu()->actions())
            if (item->objectName().startsWith("mnuFileRecentFile("))
                texts << item->text();
        return texts;
    }
    QAction* item(int index)
    {
        return Control(*m->window, QStringLiteral("mnuFileRecentFile(%1)").arg(index));
    }
    QString stored() { return PreferenceStore::open()->value("Settings/RecentFiles").toString(); }

    // A new window over the same store.
    bool restart()
    {
        m->window.reset();
        m->window = m->env.startMainWindow(m->dialogs);
        return m->window != nullptr;
    }

    QPlainTextEdit* shown()
    {
        auto* window = m->window->findChild<CompareWindow*>("frmCompare");
        return window ? window->findChild<QPlainTextEdit*>("txtCompare") : nullptr;
    }

private slots:
    void init() { QVERIFY(m.emplace().window); }
    void cleanup()
    {
        if (auto* window = m->window->findChild<CompareWindow*>("frmCompare"))
            delete window;
    }

    // Newest first, kept across a restart; Clear List empties the menu and the store (the core
    // table pins the list's order, limit and damaged values).
    void listKeptAndCleared()
    {
        QCOMPARE(captions(), QStringList());
        QVERIFY(!Control(*m->window, "mnuFileRecentClear")->isEnabled());
        for (const char* name : {"f1.cfg", "f2.cfg", "f1.cfg"})
            QVERIFY(m->open("A 1\r\n", false, name));
        m->dialogs.saveAnswers << m->bin("saved.cfg");
        m->trigger("mnuFilemnuSaveAs");

        const QStringList expected{"&1 " + m->bin("saved.cfg"), "&2 " + m->bin("f1.cfg"),
                                   "&3 " + m->bin("f2.cfg")};
        QCOMPARE(captions(), expected);
        QCOMPARE(menu()->actions().last()->text(), "&Clear List");
        QVERIFY(restart());
        QCOMPARE(captions(), expected);

        m->trigger("mnuFileRecentClear");
        QCOMPARE(captions(), QStringList());
        QCOMPARE(stored(), QString());
        QVERIFY(!Control(*m->window, "mnuFileRecentClear")->isEnabled());
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
        m->dialogs.messageAnswers << QMessageBox::No;
        item(1)->trigger(); // kept.cfg, changes dropped
        QCOMPARE(m->dialogs.last("message").text, "Save changes to " + m->bin("other.cfg") + '?');
        QCOMPARE(ReadBytes(m->bin("other.cfg")), "C 3\r\n");
        QCOMPARE(m->document().path(), m->bin("kept.cfg"));
        QCOMPARE(m->document().text(), "A 1\r\n");
        QCOMPARE(captions().first(), "&1 " + m->bin("kept.cfg"));
    }

    void showsWhatSaveWouldChange_data()
    {
        QTest::addColumn<QByteArray>("file"); // none: a new document
        QTest::addColumn<bool>("listView");
        QTest::addColumn<QString>("typed");    // the whole text typed over, unless null
        QTest::addColumn<QString>("expected"); // %1 the file's path
        QTest::newRow("edited: B changed, D added")
            << QByteArray("A 1\r\nB 2\r\nC 3") << false << "A 1\nB 5\nD 4\nC 3"
            << "--- %1 (on disk)\n+++ %1 (to be saved)\n@@ -1,3 +1,4 @@\n A 1\n-B 2\n+B 5\n+D 4\n "
               "C 3";
        QTest::newRow("opened and not edited") << QByteArray("A 1\r\nB 2\r\n") << true << QString()
                                               << "No difference: Save would write what the file "
                                                  "already holds.";
        QTest::newRow("untitled, against nothing")
            << QByteArray() << false << "A 1"
            << "--- Untitled (on disk)\n+++ Untitled (to be saved)\n@@ -0,0 +1,1 @@\n+A 1";
    }
    void showsWhatSaveWouldChange()
    {
        QFETCH(QByteArray, file);
        QFETCH(bool, listView);
        QFETCH(QString, typed);
        QFETCH(QString, expected);
        if (file.isNull())
            m->trigger("mnuFileNew");
        else
            QVERIFY(m->open(file, listView, "doc.cfg"));
        if (!typed.isNull()) {
            QTextCursor cursor(&m->document().textDocument());
            cursor.select(QTextCursor::Document);
            cursor.insertText(typed);
        }

        m->trigger("mnuFileCompare");

        QVERIFY(shown() && shown()->isReadOnly());
        const QString path = m->bin("doc.cfg");
        QCOMPARE(shown()->toPlainText(), QString(expected).replace("%1", path));
        // Removed and added lines each in their own colour; context lines plain.
        QSet<QRgb> removed, added;
        const QStringList lines = expected.split('\n');
        for (int line = 3; line < lines.size(); ++line) {
            const QTextBlockFormat format =
                shown()->document()->findBlockByNumber(line).blockFormat();
            const QChar mark = lines[line][0];
            QCOMPARE(format.hasProperty(QTextFormat::BackgroundBrush), mark != ' ');
            if (mark != ' ')
                (mark == '-' ? removed : added) << format.background().color().rgba();
        }
        QVERIFY(removed.size() <= 1 && added.size() <= 1 && !removed.intersects(added));
        if (!file.isNull())
            QCOMPARE(ReadBytes(path), file); // nothing written
        QTest::keyClick(shown(), Qt::Key_Escape);
        QTRY_VERIFY(!shown());
    }

    // Needs a document; text the file's code page cannot hold is reported, not compared.
    void unwritableTextIsReported()
    {
        QVERIFY(!Control(*m->window, "mnuFileCompare")->isEnabled());
        QVERIFY(m->open("A 1\r\n", false, "doc.cfg"));
        QVERIFY(Control(*m->window, "mnuFileCompare")->isEnabled());
        m->ui().txtTextBox->appendPlainText(QString::fromUtf8("B \xe4\xb8\xad"));
        m->trigger("mnuFileCompare");
        QVERIFY(!shown());
        QCOMPARE(m->dialogs.count("message"), 1);
        QCOMPARE(m->dialogs.last("message").icon, QMessageBox::Warning);
    }
};

QTEST_MAIN(tst_FileMenu)
#include "tst_filemenu.moc"
