#include "support/EditorFixture.h"
#include "support/FileBytes.h"
#include "ui/CompareWindow.h"

// File > Compare with Saved shows what Save would change, coloured.
class tst_CompareWindow : public QObject {
    Q_OBJECT

    std::optional<EditorFixture> m;

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

QTEST_MAIN(tst_CompareWindow)
#include "tst_comparewindow.moc"
