#include "support/EditorFixture.h"
#include "ui/StatusBar.h"

using namespace Qt::StringLiterals;

namespace {

// LOGFILE is a string, TRACE takes ON or OFF, MAXCONNECTIONS a number.
const QStringList Lines = {"SERVERNAME main", "LOGFILE /var/log/x.log", "TRACE ON",
                           "; MAXCONNECTIONS 2000", "LOGLEVEL INFO"};

QPoint rowCentre(QTreeView* list, int row)
{
    return list->visualRect(list->model()->index(row, 0)).center();
}

} // namespace

// The value editor always describes the row or node that OK will change, whatever moved the
// selection; keys that move leave the focus where it is.
class tst_EditorFollows : public QObject {
    Q_OBJECT

private slots:
    void selectionArrangesTheEditor_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("press on one row, release on another") << u"drag"_s;
        QTest::newRow("middle click") << u"middle"_s;
        QTest::newRow("selected by the program") << u"program"_s;
    }
    void selectionArrangesTheEditor()
    {
        QFETCH(QString, how);
        EditorFixture f;
        QVERIFY(f.openDocument(Lines) && f.activate());
        QTreeView* list = f.ui().lvListView;
        QVERIFY(f.clickRow(0));

        if (how == u"drag") {
            QTest::mousePress(list->viewport(), Qt::LeftButton, {}, rowCentre(list, 0));
            QMouseEvent move(QEvent::MouseMove, rowCentre(list, 1),
                             list->viewport()->mapToGlobal(rowCentre(list, 1)), Qt::NoButton,
                             Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(list->viewport(), &move);
            QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, rowCentre(list, 1));
        } else if (how == u"middle") {
            QTest::mouseClick(list->viewport(), Qt::MiddleButton, {}, rowCentre(list, 1));
        } else {
            selectRow(list, 1);
        }
        QCOMPARE(selectedRow(list), 1);
        QCOMPARE(f.ui().lblTitle[0]->text(), u"LOGFILE"_s);
        QCOMPARE(f.ui().txtParam->text(), u"/var/log/x.log"_s);

        f.fill(-1, u"/srv/y.log"_s);
        QTest::mouseClick(f.ui().cmdOK, Qt::LeftButton);
        QCOMPARE(f.document().lines().value(0), u"SERVERNAME main"_s);
        QCOMPARE(f.document().lines().value(1), u"LOGFILE /srv/y.log"_s);
    }

    // Keys move through the list or the tree with the focus kept there; Enter or F2 goes to the
    // value box, where Escape presses Cancel and comes back and Return or Enter presses OK. What
    // the user types in the choice box is what OK writes: nothing completes it. A node reached
    // with the keys is the one OK adds.
    void keysKeepTheFocus_data()
    {
        QTest::addColumn<int>("editKey");
        QTest::newRow("Enter") << int(Qt::Key_Return);
        QTest::newRow("F2") << int(Qt::Key_F2);
    }
    void keysKeepTheFocus()
    {
        QFETCH(int, editKey);
        EditorFixture f;
        QVERIFY(f.openDocument(Lines) && f.activate());
        QTreeView* list = f.ui().lvListView;
        selectRow(list, 0);
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Down);
        QCOMPARE(QApplication::focusWidget(), list);
        QCOMPARE(f.ui().lblTitle[0]->text(), u"LOGFILE"_s);
        QTest::keyClick(list, Qt::Key(editKey));
        QTest::keyClicks(QApplication::focusWidget(), u"x"_s);
        QTest::keyClick(f.ui().txtParam, Qt::Key_Escape);
        QCOMPARE(f.ui().txtParam->text(), QString());
        QCOMPARE(QApplication::focusWidget(), list);
        QVERIFY(!f.document().DocumentChanged());
        QTest::keyClick(list, Qt::Key_Down);
        QCOMPARE(QApplication::focusWidget(), list);
        QTest::keyClick(list, Qt::Key(editKey));
        QComboBox* choices = f.ui().cboParam;
        QCOMPARE(QApplication::focusWidget(), choices);
        choices->clearEditText();
        QTest::keyClicks(choices, u"o"_s);
        QTest::keyClick(choices, Qt::Key_Enter);
        QCOMPARE(f.document().lines().value(2), u"TRACE o"_s);

        SettingsTree* tree = f.ui().tvTreeView;
        QVERIFY(f.selectNode(u"MAXCONNECTIONS"_s));
        tree->setFocus();
        QTest::keyClick(tree, Qt::Key_Down);
        const QString reached = tree->selectedNode()->text(0);
        QCOMPARE(f.ui().lblTitle[0]->text(), reached);
        QCOMPARE(QApplication::focusWidget(), tree);
        QTest::keyClick(tree, Qt::Key(editKey));
        QTest::keyClicks(QApplication::focusWidget(), u"7"_s);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(f.document().lines().value(2), reached + u" 7"_s);
        QCOMPARE(f.document().lines().value(3), u"TRACE o"_s);
    }

    // The program selects a row without scrolling to it, and the view scrolls for the user's own
    // moves after it; a current index alone is no selection.
    void programSelectsWithoutScrolling()
    {
        RowModel model;
        model.resetRows(QList<Row>(500));
        QTreeView view;
        view.setModel(&model);
        view.resize(300, 200);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        selectRow(&view, 400);
        QCOMPARE(selectedRow(&view), 400);
        QCOMPARE(view.currentIndex().row(), 400);
        QCOMPARE(view.verticalScrollBar()->value(), 0);
        QVERIFY(view.hasAutoScroll());
        selectRow(&view, -1);
        QCOMPARE(selectedRow(&view), -1);
        QCOMPARE(view.currentIndex().row(), -1);
        view.selectionModel()->setCurrentIndex(model.index(2, 0), QItemSelectionModel::NoUpdate);
        QCOMPARE(selectedRow(&view), -1);
    }

    // After each row command the strip shows the row then selected; Open, New and Close empty
    // it.
    void noStaleEditor_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("title"); // what the strip then shows
        QTest::addColumn<QString>("value");
        const auto row = [](const char* tag, int row, const char* command, const char* title,
                            const char* value) {
            QTest::newRow(tag) << row << QString(command) << QString(title) << QString(value);
        };
        row("comment a setting", 1, "mnu_PopUpLV_Comment", " COMMENT(;)", "LOGFILE /var/log/x.log");
        row("uncomment a setting", 3, "mnu_PopUpLV_Comment", "MAXCONNECTIONS", "2000");
        row("delete", 1, "mnuEditDelete", "TRACE", "");
        row("move up", 2, "mnu_PopUpLV_MoveUp", "TRACE", "");
        row("open", 1, "mnuFileOpen", "", "");
        row("close", 1, "mnuFileClose", "", "");
    }
    void noStaleEditor()
    {
        QFETCH(int, row);
        QFETCH(QString, command);
        EditorFixture f;
        QVERIFY(f.openDocument(Lines) && f.clickRow(row));
        f.ui().mnuToolsConfirmDelete->setChecked(false);
        f.dialogs.openAnswers << f.env.writeFile(u"server/bin/other.cfg"_s, "TRACE OFF\r\n");
        f.dialogs.messageAnswers << QMessageBox::No; // not saved
        f.trigger(command);
        QTEST(f.ui().lblTitle[0]->text(), "title");
        QFETCH(QString, value);
        if (!value.isEmpty())
            QCOMPARE(f.ui().txtParam->text(), value);
        if (f.ui().lblTitle[0]->text().isEmpty())
            QVERIFY(f.ui().cmdOK->isHidden());
    }

    // In the text view a new setting goes in whole, before the caret's line, and replaces a
    // selection only of whole lines.
    void textViewInsertsWholeLines_data()
    {
        QTest::addColumn<int>("from"); // selection in characters of the text
        QTest::addColumn<int>("to");
        QTest::addColumn<QString>("text");
        const QString logfile = u"LOGFILE /var/log/dravane/server.log"_s;
        const QString added = u"BUFFERS 1234"_s;
        QTest::newRow("caret after the last break")
            << 45 << 45 << logfile + u"\nTRACE ON\n"_s + added + u'\n';
        QTest::newRow("selection from mid-line")
            << 10 << 40 << added + u'\n' + logfile + u"\nTRACE ON\n"_s;
    }
    void textViewInsertsWholeLines()
    {
        QFETCH(int, from);
        QFETCH(int, to);
        EditorFixture f;
        QVERIFY(f.openDocument({u"LOGFILE /var/log/dravane/server.log"_s, u"TRACE ON"_s}, false));
        QPlainTextEdit* text = f.ui().txtTextBox;
        QVERIFY(f.clickNode(u"BUFFERS"_s));
        f.fill(-1, u"1234"_s);
        QTextCursor cursor = text->textCursor();
        cursor.setPosition(from);
        cursor.setPosition(to, QTextCursor::KeepAnchor);
        text->setTextCursor(cursor);
        QTest::mouseClick(f.ui().cmdOK, Qt::LeftButton);
        QTEST(text->toPlainText(), "text");
    }

    // The status bar names the file's encoding and line ends, counts its lines as they change,
    // and shows an unsaved change until undo returns to the saved state.
    void statusFollowsEdits()
    {
        EditorFixture f;
        QVERIFY(f.open("\xEF\xBB\xBFSERVERNAME F\xC5\x91tan\xC3\xBAs\n; x\n", true));
        QCOMPARE(f.window->status().fileFormat(), u"UTF-8 with BOM | LF | 2 lines"_s);
        QVERIFY(f.clickRow(1));
        f.trigger(u"mnuEditDelete"_s);
        QCOMPARE(f.window->status().fileFormat(), u"UTF-8 with BOM | LF | 1 line"_s);
        const auto* modified = f.window->findChild<QLabel*>(u"lblModified"_s);
        QCOMPARE(modified->text(), u"Modified"_s);
        f.trigger(u"mnuEditUndo"_s);
        QCOMPARE(modified->text(), QString());
        f.trigger(u"mnuFileClose"_s);
        QCOMPARE(f.window->status().fileFormat(), QString());
    }
};

QTEST_MAIN(tst_EditorFollows)
#include "tst_editorfollows.moc"
