#include "support/EditorFixture.h"
#include "ui/StatusBar.h"

using namespace Qt::StringLiterals;

namespace {

const auto Lines =
    QString("BUFFERS 16|CACHESIZE_INDEX 5|loglevel  INFO |LOCKMEMORY|; a remark||QQQ 2")
        .split(u'|');

// The editor controls shown, left to right, the boxes with their widths in pixels at 96 dpi.
QString Shown(EditorFixture& f)
{
    QStringList shown;
    for (QWidget* w : QWidgetList{f.ui().cboParam, f.ui().txtParam, f.ui().cmdOK, f.ui().cmdCancel,
                                  Control<QToolButton>(*f.window, "cmdDefault")})
        if (!w->isHidden())
            shown << w->objectName() + (qobject_cast<QToolButton*>(w)
                                            ? QString()
                                            : ':' + QString::number(w->width()));
    return shown.join(u' ');
}

bool HelpBlank(EditorFixture& f)
{
    return f.ui().helpPane->currentWidget() == f.ui().fraBrowser;
}

// A set-up from list row `row`, or (row -1) from tree node `node`, and the strip it leaves;
// `tip` is the caption's tooltip. Without a document a click sets the labels and the help only.
struct Strip {
    int row;
    QString node, title, shown, choice, value, caption, tip;
    bool valueFocused, helpBlank, document = true;
};

const QStringList EditedLines = {"MAXCONNECTIONS 1",    "CACHESIZE_DATA 3", "LOGLEVEL INFO", "; x",
                                 ";CACHESIZE_TEMP 256", "CACHESIZE_FOO 5",  "QQQ 2"};

// One OK. Row `row` is clicked first, after row 1 (a multiple setting, whose strip must not
// reach the row) (-1: an empty list, given a placeholder row; text view: the caret's line),
// then `node` (none: the row is edited); after the editor is filled, `tree` selects another
// node ("-": none; "reset": the rows are reset under the strip instead). Line `at` then reads
// `line` (-1: nothing is written).
struct Edit {
    bool textView;
    int row;
    QString node;
    int choice;
    QString value, tree;
    int at;
    QString line;
};

// LOGFILE is a string, TRACE takes ON or OFF, MAXCONNECTIONS a number.
const QStringList FollowedLines = {"SERVERNAME main", "LOGFILE /var/log/x.log", "TRACE ON",
                                   "; MAXCONNECTIONS 2000", "LOGLEVEL INFO"};

QPoint rowCentre(QTreeView* list, int row)
{
    return list->visualRect(list->model()->index(row, 0)).center();
}

} // namespace

Q_DECLARE_METATYPE(Strip)
Q_DECLARE_METATYPE(Edit)

class tst_ValueEditor : public QObject {
    Q_OBJECT

private slots:
    void stripFollowsTheSetting_data()
    {
        QTest::addColumn<Strip>("s");
        const QString V = "txtParam:177 cmdOK cmdCancel", C = "cboParam:177 cmdOK",
                      B = "cboParam:133 txtParam:88 cmdOK cmdCancel",
                      conn = " connections (1 to 4096)", unknown = "Unknown setting QQQ.";
        const auto row = [](const char* tag, const Strip& strip) { QTest::newRow(tag) << strip; };
        row("number node",
            {-1, "MAXCONNECTIONS", "MAXCONNECTIONS", V, "", "", conn, conn, true, false});
        row("number row, a default", {0, "", "BUFFERS", V + " cmdDefault", "", "16",
                                      " n (default 64)", " n (default 64)", true, false});
        row("combo row", {2, "", "LOGLEVEL", C, "INFO", "", "", "", false, false});
        row("null node", {-1, " BLANK LINE", " BLANK LINE", "cmdOK", "", "", "", "", false, true});
        row("multiple row", {1, "", "CACHESIZE_INDEX", B, "_INDEX", "5", "", "", true, false});
        // The caption goes, but its tooltip stays.
        row("comment row",
            {4, "", " COMMENT(;)", V, "", "a remark", "", " Comment line", true, true});
        // Not in the catalogue: edited as itself, the problem as its description; the help pane
        // keeps the page it had.
        row("unknown row", {6, "", "QQQ", V, "", "2", unknown, unknown, true, false});
        row("blank row", {5, "", "", "", "", "", "", "", false, true});
        row("category", {-1, "Memory", "", "", "", "", "", "", false, true});
        row("no document",
            {-1, "MAXCONNECTIONS", "MAXCONNECTIONS", "", "", "", "", "", false, false, false});
        row("no document, pseudo-setting",
            {-1, " COMMENT(;)", " COMMENT(;)", "", "", "", "", "", false, true, false});
    }
    void stripFollowsTheSetting()
    {
        QFETCH(Strip, s);
        EditorFixture f;
        QVERIFY(!s.document || f.openDocument(Lines));
        // The set-up before comes from the other source and leaves a value, a caption and help.
        QVERIFY(s.row >= 0 || !s.document ? f.clickNode("LOGFILE") : f.clickRow(0));
        QTest::keyClicks(f.ui().txtParam, "stale");
        f.ui().lblTitle[1]->setText("stale");
        QVERIFY(s.row >= 0 ? f.clickRow(s.row) : f.clickNode(s.node));
        const WindowControls ui = f.ui();
        QCOMPARE(ui.lblTitle[0]->text(), s.title);
        QCOMPARE(Shown(f), s.shown);
        QCOMPARE(ui.cboParam->currentText(), s.choice);
        QCOMPARE(ui.frmMain->focusWidget() == ui.txtParam, s.valueFocused);
        QCOMPARE(ui.lblTitle[1]->text(), s.caption);
        QCOMPARE(HelpBlank(f), s.helpBlank);
        if (!s.shown.isEmpty()) { // a bare strip offers nothing to edit
            QCOMPARE(ui.txtParam->text(), s.value);
            QCOMPARE(ui.lblTitle[1]->toolTip(), s.tip);
        }
        if (s.shown.contains("cmdDefault")) {
            QTest::mouseClick(Control<QToolButton>(*f.window, "cmdDefault"), Qt::LeftButton);
            QCOMPARE(ui.txtParam->text(), "64");
        }
    }

    void okWritesTheDocument_data()
    {
        QTest::addColumn<Edit>("e");
        const auto row = [](const char* tag, const Edit& edit) { QTest::newRow(tag) << edit; };
        const QString blank = " BLANK LINE", number = "MAXCONNECTIONS";
        row("number inserted", {false, 1, number, -1, "50", "", 1, "MAXCONNECTIONS 50"});
        row("blank line to the top", {false, 2, blank, -1, "", "", 0, " "});
        row("blank line after a placeholder", {false, -1, blank, -1, "", "", 0, " "});
        row("row changed, no node in the tree",
            {false, 0, "", -1, "250", "-", 0, "MAXCONNECTIONS 250"});
        row("unknown setting: its value only", {false, 6, "", -1, "3", "", 6, "QQQ 3"});
        row("nothing typed", {false, 1, number, -1, "", "", -1, ""});
        // A category chosen afterwards takes the strip over: its hidden OK writes nothing.
        row("category in the tree", {false, 1, number, -1, "5", "Memory", -1, ""});
        row("row, then category in the tree", {false, 2, "", 0, "x", "Memory", -1, ""});
        row("rows reset under a row's strip", {false, 0, "", -1, "250", "reset", -1, ""});
        row("text: string", {true, 1, "SERVERNAME", -1, "x y", "", 1, "SERVERNAME x y"});
    }
    void okWritesTheDocument()
    {
        QFETCH(Edit, e);
        EditorFixture f;
        QVERIFY(f.openDocument(e.row < 0 ? QStringList() : EditedLines, !e.textView));
        for (int line = 0; e.textView && line < e.row; ++line) // from the caret at the start
            f.ui().txtTextBox->moveCursor(QTextCursor::NextBlock);
        QVERIFY(e.row < 0 || e.textView || (f.clickRow(1) && f.clickRow(e.row)));
        QVERIFY(e.node.isEmpty() || f.clickNode(e.node));
        f.fill(e.choice, e.value);
        if (e.tree == "reset")
            f.rows().resetRows(f.rows().rows());
        else
            QVERIFY(e.tree.isEmpty() || f.selectNode(e.tree) == (e.tree != "-"));
        QStringList expected = e.row < 0 ? QStringList{" "} : f.document().lines();
        if (e.at >= 0) // a node inserts a line, a row changes its own
            expected = expected.mid(0, e.at) << e.line << expected.mid(e.at + e.node.isEmpty());
        QTest::mouseClick(f.ui().cmdOK, Qt::LeftButton);
        QCOMPARE(f.document().lines(), expected);
        QCOMPARE(f.document().DocumentChanged(), e.at >= 0);
        QVERIFY(e.textView || e.at < 0 || selectedRow(f.ui().lvListView) == e.at);
        // An empty value box is refused, before anything else is looked at.
        const bool refused = e.at < 0 && e.value.isEmpty();
        const FakeDialogs::Call message = f.dialogs.last("message"); // none: a blank one
        QCOMPARE(f.dialogs.count("message"), int(refused));
        QCOMPARE(message.text + message.title, refused ? "Please enter a value.DraCFG Editor" : "");
        QCOMPARE(message.icon, refused ? QMessageBox::Warning : QMessageBox::NoIcon);
        // A strip whose row has gone writes nothing and says why.
        const QString said = f.window->statusBar()->currentMessage();
        QCOMPARE(said.startsWith("Nothing") ? said : "",
                 e.tree == "reset" ? "Nothing was written: no row is selected." : "");
    }

    // The value editor always describes the row or node that OK will change, whatever moved the
    // selection; keys that move leave the focus where it is.
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
        QVERIFY(f.openDocument(FollowedLines) && f.activate());
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
        QVERIFY(f.openDocument(FollowedLines) && f.activate());
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
        QVERIFY(f.openDocument(FollowedLines) && f.clickRow(row));
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
        // Typed into the empty line after the final break: one more line, the same blocks.
        f.trigger(u"mnuViewmnuLVText"_s);
        QPlainTextEdit* text = f.ui().txtTextBox;
        text->moveCursor(QTextCursor::End);
        QTest::keyClicks(text, u"X"_s);
        QCOMPARE(f.window->status().fileFormat(), u"UTF-8 with BOM | LF | 3 lines"_s);
        f.trigger(u"mnuEditUndo"_s);
        QCOMPARE(f.window->status().fileFormat(), u"UTF-8 with BOM | LF | 2 lines"_s);
        f.trigger(u"mnuFileClose"_s);
        QCOMPARE(f.window->status().fileFormat(), QString());
    }
};

QTEST_MAIN(tst_ValueEditor)
#include "tst_valueeditor.moc"
