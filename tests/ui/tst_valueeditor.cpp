#include "support/EditorFixture.h"

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
};

QTEST_MAIN(tst_ValueEditor)
#include "tst_valueeditor.moc"
