#include "support/EditorFixture.h"
#include "support/FileBytes.h"

using namespace Qt::StringLiterals;

class tst_FindReplace : public QObject {
    Q_OBJECT

private slots:
    void init() { QVERIFY(f.emplace().window); }

    // Ctrl+G asks for a line within the document's and goes to it in either view.
    void goToLine_data()
    {
        QTest::addColumn<bool>("listView");
        QTest::addColumn<int>("asked");
        QTest::addColumn<int>("line"); // 0-based: the row selected, or the caret's line
        QTest::newRow("text") << false << 3 << 2;
        QTest::newRow("list") << true << 2 << 1;
        QTest::newRow("past the end") << true << 99 << 3;
    }
    void goToLine()
    {
        QFETCH(bool, listView);
        QFETCH(int, asked);
        QFETCH(int, line);
        QVERIFY(f->open("A 1\r\nB 2\r\nC 3\r\nD 4\r\n", listView));
        QVERIFY(f->activate());
        f->dialogs.onModal = [asked](QDialog& dialog) {
            qobject_cast<QInputDialog*>(&dialog)->setIntValue(asked);
            dialog.accept();
        };
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_G, Qt::ControlModifier);
        QCOMPARE(f->dialogs.last(u"modal"_s).objectName, u"frmGoToLine"_s);
        if (listView) {
            QCOMPARE(selectedRow(ui().lvListView), line);
        } else {
            const QTextCursor cursor = ui().txtTextBox->textCursor();
            QCOMPARE(qMakePair(cursor.blockNumber(), cursor.positionInBlock()), qMakePair(line, 0));
        }
    }

    // F3 and Shift+F3 go on from the match shown once the Find window is closed; before any
    // search F3 opens it.
    void findAgainWithTheWindowClosed()
    {
        QVERIFY(f->open("AA 1\r\nB 2\r\nAA 3\r\nAA 4\r\n"));
        f->trigger(u"mnuFindNext"_s);
        QDialog* find = f->window->findChild<QDialog*>(u"frmFind"_s);
        QVERIFY(find && find->isVisible());
        QTest::keyClicks(find->findChild<QLineEdit*>(u"txtFind"_s), u"aa"_s);
        QTest::keyClick(find, Qt::Key_Return);
        QTest::keyClick(find, Qt::Key_Escape);
        QTRY_VERIFY(!f->window->findChild<QDialog*>(u"frmFind"_s));
        for (const auto& [command, start] :
             {std::pair{"mnuFindNext", 9}, {"mnuFindNext", 14}, {"mnuFindPrevious", 9}}) {
            f->trigger(QLatin1String(command));
            QCOMPARE(ui().txtTextBox->textCursor().selectionStart(), start);
        }
        QCOMPARE(f->dialogs.count(u"message"_s), 0);
    }

    // Replace takes the match selected and selects the next; Replace All takes the rest as one
    // step, and a save rewrites only the lines it changed.
    void replaceThenReplaceAllThenUndo()
    {
        const QByteArray bytes = "Log 1\nB log\r\nLOG 3\r\nLOG 4\r\n";
        QVERIFY(f->open(bytes));
        QVERIFY(Control(*f->window, u"mnuReplace"_s)->isEnabled());
        QVERIFY(f->activate());
        QTest::keyClick(ui().txtTextBox, Qt::Key_H, Qt::ControlModifier);
        QDialog* replace = f->window->findChild<QDialog*>(u"frmReplace"_s);
        QTest::keyClicks(replace->findChild<QLineEdit*>(u"txtFind"_s), u"log"_s);
        QTest::keyClicks(replace->findChild<QLineEdit*>(u"txtReplace"_s), u"Trace"_s);
        replace->findChild<QCheckBox*>(u"chkMatchCase"_s)->setChecked(true);
        const auto press = [replace](const char* name) {
            QTest::mouseClick(replace->findChild<QPushButton*>(name), Qt::LeftButton);
        };
        press("FBReplace"); // selects the match
        QCOMPARE(ui().txtTextBox->textCursor().selectedText(), u"log"_s);
        press("FBReplace"); // replaces it; no other match
        QCOMPARE(f->dialogs.last(u"message"_s).text, u"String not found."_s);
        replace->findChild<QCheckBox*>(u"chkMatchCase"_s)->setChecked(false);
        press("FBReplaceAll");
        QCOMPARE(f->dialogs.last(u"message"_s).text, u"Replaced 3 occurrences."_s);
        f->trigger(u"mnuFilemnuSave"_s);
        QCOMPARE(ReadBytes(f->document().path()), "Trace 1\r\nB Trace\r\nTrace 3\r\nTrace 4\r\n");
        f->trigger(u"mnuEditUndo"_s);
        QCOMPARE(f->document().text(), u"Log 1\r\nB Trace\r\nLOG 3\r\nLOG 4\r\n"_s);
        ui().mnuViewmnuLVList->trigger(); // Replace is for the text view only
        QTRY_VERIFY(!f->window->findChild<QDialog*>(u"frmReplace"_s));
        QVERIFY(!Control(*f->window, u"mnuReplace"_s)->isEnabled());
    }

private:
    WindowControls ui() { return f->ui(); }
    std::optional<EditorFixture> f;
};

QTEST_MAIN(tst_FindReplace)
#include "tst_findreplace.moc"
