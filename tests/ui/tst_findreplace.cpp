#include "support/EditorFixture.h"
#include "support/FileBytes.h"

using namespace Qt::StringLiterals;

class tst_FindReplace : public QObject {
    Q_OBJECT

private slots:
    void init() { QVERIFY(f.emplace().window); }

    // Ctrl+G goes to the line asked for, within the document, in either view.
    void goToLine_data()
    {
        QTest::addColumn<bool>("listView");
        QTest::addColumn<int>("asked");
        QTest::addColumn<int>("line"); // 0-based: the row selected, or the caret's line
        QTest::newRow("text") << false << 3 << 2;
        QTest::newRow("list, past the end") << true << 99 << 3;
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
        const QTextCursor caret = ui().txtTextBox->textCursor();
        QCOMPARE(listView ? selectedRow(ui().lvListView) : caret.blockNumber(), line);
        QVERIFY(listView || caret.atBlockStart());
    }

    // Before any search F3 opens the Find window; once it is closed, F3 and Shift+F3 go on
    // from the match shown.
    void findAgainWithTheWindowClosed()
    {
        QVERIFY(f->open("AA 1\r\nB 2\r\nAA 3\r\nAA 4\r\n"));
        f->trigger(u"mnuFindNext"_s);
        QDialog* find = f->window->findChild<QDialog*>(u"frmFind"_s);
        QTest::keyClicks(find->findChild<QLineEdit*>(u"txtFind"_s), u"aa"_s);
        QTest::keyClick(find, Qt::Key_Return);
        QTest::keyClick(find, Qt::Key_Escape);
        QTRY_VERIFY(!f->window->findChild<QDialog*>(u"frmFind"_s));
        for (const auto& [command, start] :
             {std::pair{"mnuFindNext", 9}, {"mnuFindNext", 14}, {"mnuFindPrevious", 9}}) {
            f->trigger(QLatin1String(command));
            QCOMPARE(ui().txtTextBox->textCursor().selectionStart(), start);
        }
    }

    // Replace takes the match selected and selects the next; Replace All takes the rest in one
    // step, a save rewrites only the lines changed, and the window goes with the text view.
    void replaceThenReplaceAllThenUndo()
    {
        QVERIFY(f->open("A log\r\nB 2\nLOG 3\r\n"));
        QVERIFY(f->activate());
        QTest::keyClick(ui().txtTextBox, Qt::Key_H, Qt::ControlModifier);
        QDialog* replace = f->window->findChild<QDialog*>(u"frmReplace"_s);
        QTest::keyClicks(replace->findChild<QLineEdit*>(u"txtFind"_s), u"log"_s);
        QTest::keyClicks(replace->findChild<QLineEdit*>(u"txtReplace"_s), u"Trace"_s);
        QCheckBox* matchCase = replace->findChild<QCheckBox*>(u"chkMatchCase"_s);
        matchCase->setChecked(true);
        // Replace with the case matched selects "log", replaces it and finds no other; Replace
        // All, ignoring case, then takes "LOG".
        for (const char* button : {"FBReplace", "FBReplace", "FBReplaceAll"}) {
            QTest::mouseClick(replace->findChild<QPushButton*>(button), Qt::LeftButton);
            matchCase->setChecked(f->dialogs.calls.isEmpty());
        }
        QCOMPARE(f->dialogs.count(u"message"_s), 2); // "String not found.", then the count
        QCOMPARE(f->dialogs.last(u"message"_s).text, u"Replaced 1 occurrence."_s);
        f->trigger(u"mnuFilemnuSave"_s);
        QCOMPARE(ReadBytes(f->document().path()), "A Trace\r\nB 2\nTrace 3\r\n");
        f->trigger(u"mnuEditUndo"_s);
        QCOMPARE(f->document().text(), u"A Trace\r\nB 2\r\nLOG 3\r\n"_s);
        ui().mnuViewmnuLVList->trigger();
        QTRY_VERIFY(!f->window->findChild<QDialog*>(u"frmReplace"_s));
    }

private:
    WindowControls ui() { return f->ui(); }
    std::optional<EditorFixture> f;
};

QTEST_MAIN(tst_FindReplace)
#include "tst_findreplace.moc"
