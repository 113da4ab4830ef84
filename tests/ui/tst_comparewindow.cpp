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
    QColor background(int line)
    {
        return shown()->document()->findBlockByNumber(line).blockFormat().background().color();
    }

private slots:
    void init() { QVERIFY(m.emplace().window); }
    void cleanup()
    {
        if (auto* window = m->window->findChild<CompareWindow*>("frmCompare"))
            delete window;
    }

    void showsWhatSaveWouldChange()
    {
        QVERIFY(m->open("A 1\r\nB 2\r\nC 3", false, "doc.cfg"));
        QTextCursor cursor(m->document().textDocument().findBlockByNumber(1));
        cursor.select(QTextCursor::BlockUnderCursor);
        cursor.insertText("\nB 5\nD 4"); // B changed, D added

        m->trigger("mnuFileCompare");

        QVERIFY(shown());
        QVERIFY(shown()->isReadOnly());
        const QString path = m->bin("doc.cfg");
        QCOMPARE(shown()->toPlainText(), "--- " + path + " (on disk)\n+++ " + path +
                                             " (to be saved)\n@@ -1,3 +1,4 @@\n A 1\n-B 2\n+B 5\n"
                                             "+D 4\n C 3");
        const QColor removed = background(4);
        const QColor added = background(5);
        QVERIFY(removed.isValid() && added.isValid() && removed != added);
        QCOMPARE(background(6), added);
        // Context lines stay plain.
        QVERIFY(!shown()->document()->findBlockByNumber(3).blockFormat().hasProperty(
            QTextFormat::BackgroundBrush));
        QVERIFY(ReadBytes(path) == "A 1\r\nB 2\r\nC 3"); // nothing written
    }

    // Opened and not edited: Save would write the same lines.
    void unchangedDocument()
    {
        QVERIFY(m->open("A 1\r\nB 2\r\n", true, "doc.cfg"));
        m->trigger("mnuFileCompare");
        QVERIFY(shown());
        QCOMPARE(shown()->toPlainText(),
                 "No difference: Save would write what the file already holds.");
    }

    void untitledDocumentAgainstNothing()
    {
        m->trigger("mnuFileNew"); // the text view shows by default
        m->ui().txtTextBox->setPlainText("A 1");
        m->trigger("mnuFileCompare");
        QVERIFY(shown());
        QCOMPARE(shown()->toPlainText(),
                 "--- Untitled (on disk)\n+++ Untitled (to be saved)\n@@ -0,0 +1,1 @@\n+A 1");
    }

    void unwritableTextIsReported()
    {
        QVERIFY(m->open("A 1\r\n", false, "doc.cfg"));
        m->ui().txtTextBox->appendPlainText(QString::fromUtf8("B \xe4\xb8\xad"));
        m->trigger("mnuFileCompare");
        QVERIFY(!shown());
        QCOMPARE(m->dialogs.count("message"), 1);
        QCOMPARE(m->dialogs.last("message").icon, QMessageBox::Warning);
    }

    void needsADocument()
    {
        QVERIFY(!Control(*m->window, "mnuFileCompare")->isEnabled());
        QVERIFY(m->open("A 1\r\n", false, "doc.cfg"));
        QVERIFY(Control(*m->window, "mnuFileCompare")->isEnabled());
    }
};

QTEST_MAIN(tst_CompareWindow)
#include "tst_comparewindow.moc"
