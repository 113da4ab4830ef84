#include "support/EditorFixture.h"

namespace {

const QStringList Lines = {"MAXCONNECTIONS 1",    "CACHESIZE_DATA 3", "LOGLEVEL INFO", "; x",
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

QStringList Texts(EditorFixture& f)
{
    return f.document().lines();
}

} // namespace

Q_DECLARE_METATYPE(Edit)

class tst_ApplyEdit : public QObject {
    Q_OBJECT

private slots:
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
        QVERIFY(f.openDocument(e.row < 0 ? QStringList() : Lines, !e.textView));
        for (int line = 0; e.textView && line < e.row; ++line) // from the caret at the start
            f.ui().txtTextBox->moveCursor(QTextCursor::NextBlock);
        QVERIFY(e.row < 0 || e.textView || (f.clickRow(1) && f.clickRow(e.row)));
        QVERIFY(e.node.isEmpty() || f.clickNode(e.node));
        f.fill(e.choice, e.value);
        if (e.tree == "reset")
            f.rows().resetRows(f.rows().rows());
        else
            QVERIFY(e.tree.isEmpty() || f.selectNode(e.tree) == (e.tree != "-"));
        QStringList expected = e.row < 0 ? QStringList{" "} : Texts(f);
        if (e.at >= 0) // a node inserts a line, a row changes its own
            expected = expected.mid(0, e.at) << e.line << expected.mid(e.at + e.node.isEmpty());
        QTest::mouseClick(f.ui().cmdOK, Qt::LeftButton);
        QCOMPARE(Texts(f), expected);
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

QTEST_MAIN(tst_ApplyEdit)
#include "tst_applyedit.moc"
