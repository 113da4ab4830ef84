#include "EditorFixture.h"

#include "document/ConfigDocument.h"
#include "document/ListSelection.h"

#include <QRegularExpression>
#include <QTextCursor>

namespace {

// Rows 0 to 4 of the document the list tests open.
const QStringList Lines = {
    QStringLiteral("MAXCONNECTIONS 100"), QStringLiteral("SERVERNAME alpha"),
    QStringLiteral("CACHESIZE_DATA 32"),  QStringLiteral("LOGLEVEL INFO"),
    QStringLiteral("; remark"),
};

// How the editor is filled before OK: a choice picked by its index (-1: left as it is) and a
// text typed into the value box, which is emptied first.
struct Input {
    int choice = -1;
    QString value;
};

void Fill(EditorFixture& f, int choice, const QString& value)
{
    if (choice >= 0)
        f.ui().cboParam->setCurrentIndex(choice);
    if (!f.ui().txtParam->isHidden()) {
        f.ui().txtParam->clear();
        QTest::keyClicks(f.ui().txtParam, value);
    }
}

void PressOK(EditorFixture& f)
{
    QTest::mouseClick(f.ui().cmdOK, Qt::LeftButton);
}

enum class TreeAfterSetUp { Untouched, Category, NoNode, OtherSetting };

void ChangeTree(EditorFixture& f, TreeAfterSetUp change)
{
    QTreeWidget* tree = f.ui().tvTreeView;
    switch (change) {
    case TreeAfterSetUp::Untouched:
        break;
    case TreeAfterSetUp::Category:
        f.selectNode(QStringLiteral("Memory"));
        break;
    case TreeAfterSetUp::NoNode:
        tree->clearSelection();
        tree->setCurrentItem(nullptr);
        break;
    case TreeAfterSetUp::OtherSetting:
        f.selectNode(QStringLiteral("SERVERNAME"));
        break;
    }
}

bool KeysAreUnique(EditorFixture& f)
{
    const QStringList keys = f.keys();
    return QSet<QString>(keys.begin(), keys.end()).size() == keys.size();
}

} // namespace

Q_DECLARE_METATYPE(TreeAfterSetUp)

class ApplyEditTest : public QObject {
    Q_OBJECT

private slots:
    void newSettingGoesBeforeTheSelection_data();
    void newSettingGoesBeforeTheSelection();
    void clickedRowIsChangedWhateverTheTreeShows_data();
    void clickedRowIsChangedWhateverTheTreeShows();
    void blankLineGoesToTheTop_data();
    void blankLineGoesToTheTop();
    void withoutSelectionOnlyNewRowsAreWritten();
    void textViewInsertsALineAtTheCaret_data();
    void textViewInsertsALineAtTheCaret();
    void rowSetUpNamesTheLineInTheTextView();
    void emptyValueIsRefused_data();
    void emptyValueIsRefused();
    void keysStayUnique_data();
    void keysStayUnique();
};

void ApplyEditTest::newSettingGoesBeforeTheSelection_data()
{
    QTest::addColumn<QString>("node");
    QTest::addColumn<int>("choice");
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("selected");
    QTest::addColumn<QString>("setting");
    QTest::addColumn<QString>("parameter");

    QTest::newRow("number") << "MAXCONNECTIONS" << -1 << "50" << 2 << "MAXCONNECTIONS"
                            << "50";
    QTest::newRow("string") << "SERVERNAME" << -1 << "beta gamma" << 0 << "SERVERNAME"
                            << "beta gamma";
    QTest::newRow("combo") << "LOGLEVEL" << 3 << "" << 4 << "LOGLEVEL"
                           << "DEBUG";
    QTest::newRow("boolean") << "TRACE" << 1 << "" << 3 << "TRACE"
                             << "OFF";
    QTest::newRow("null") << "LOCKMEMORY" << -1 << "" << 1 << "LOCKMEMORY"
                          << "";
    QTest::newRow("multiple") << "CACHESIZE" << 1 << "64" << 3 << "CACHESIZE_INDEX"
                              << "64";
    QTest::newRow("comment") << " COMMENT(;)" << -1 << "a note" << 0 << ";"
                             << "a note";
}

void ApplyEditTest::newSettingGoesBeforeTheSelection()
{
    QFETCH(QString, node);
    QFETCH(int, choice);
    QFETCH(QString, value);
    QFETCH(int, selected);
    QFETCH(QString, setting);
    QFETCH(QString, parameter);

    EditorFixture f;
    QVERIFY(f.openDocument(Lines));
    f.clickRow(selected);
    QVERIFY(f.clickNode(node));
    Fill(f, choice, value);
    const Row displaced = f.rows().row(selected);

    PressOK(f);

    QCOMPARE(f.rows().count(), Lines.size() + 1);
    QCOMPARE(f.rows().row(selected).Setting, setting);
    QCOMPARE(f.rows().row(selected).Parameter, parameter);
    QCOMPARE(f.rows().row(selected + 1), displaced);
    QCOMPARE(SelectedRow(f.ui().lvListView), selected);
    QVERIFY(f.state().DocumentChanged);
    QVERIFY(KeysAreUnique(f));
    QCOMPARE(f.ui().txtParam->text(), QString());
    QVERIFY(f.dialogs.calls.isEmpty());

    // "K" and the row count before the insertion plus one; other rows a number of at most
    // seven digits between the count plus two and plus three.
    const QString key = f.rows().row(selected).Key;
    const int count = Lines.size();
    if (node == QLatin1String("CACHESIZE")) {
        QCOMPARE(key, QStringLiteral("K%1").arg(count + 1));
    } else {
        const QRegularExpressionMatch match =
            QRegularExpression(QStringLiteral("^K(\\d+(\\.\\d+)?)$")).match(key);
        QVERIFY2(match.hasMatch(), qPrintable(key));
        QVERIFY(QString(match.captured(1)).remove(u'.').size() <= 7);
        const double number = match.captured(1).toDouble();
        QVERIFY2(number >= count + 2 && number <= count + 3, qPrintable(key));
    }
}

void ApplyEditTest::clickedRowIsChangedWhateverTheTreeShows_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<TreeAfterSetUp>("tree");
    QTest::addColumn<int>("choice");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("setting");
    QTest::addColumn<QString>("parameter");

    QTest::newRow("number") << 0 << TreeAfterSetUp::Untouched << -1 << "250"
                            << "MAXCONNECTIONS"
                            << "250";
    QTest::newRow("number, category in the tree") << 0 << TreeAfterSetUp::Category << -1 << "250"
                                                  << "MAXCONNECTIONS"
                                                  << "250";
    QTest::newRow("string, no node in the tree") << 1 << TreeAfterSetUp::NoNode << -1 << "beta"
                                                 << "SERVERNAME"
                                                 << "beta";
    QTest::newRow("combo, category in the tree") << 3 << TreeAfterSetUp::Category << 0 << ""
                                                 << "LOGLEVEL"
                                                 << "ERROR";
    QTest::newRow("multiple") << 2 << TreeAfterSetUp::Untouched << 2 << "8"
                              << "CACHESIZE_TEMP"
                              << "8";
    QTest::newRow("multiple, another setting in the tree")
        << 2 << TreeAfterSetUp::OtherSetting << 2 << "8"
        << "CACHESIZE_TEMP"
        << "8";
    QTest::newRow("multiple, no node in the tree") << 2 << TreeAfterSetUp::NoNode << 1 << "9"
                                                   << "CACHESIZE_INDEX"
                                                   << "9";
    QTest::newRow("comment, another setting in the tree")
        << 4 << TreeAfterSetUp::OtherSetting << -1 << "new remark"
        << ";"
        << "new remark";
}

void ApplyEditTest::clickedRowIsChangedWhateverTheTreeShows()
{
    QFETCH(int, row);
    QFETCH(TreeAfterSetUp, tree);
    QFETCH(int, choice);
    QFETCH(QString, value);
    QFETCH(QString, setting);
    QFETCH(QString, parameter);

    EditorFixture f;
    QVERIFY(f.openDocument(Lines));
    QVERIFY(f.clickNode(QStringLiteral("LOGFILE")));
    f.clickRow(row);
    QVERIFY(f.state().EditingExistingRow);
    Fill(f, choice, value);
    ChangeTree(f, tree);
    QList<Row> expected = f.rows().rows();
    expected[row].Setting = setting;
    expected[row].Parameter = parameter;

    PressOK(f);

    QCOMPARE(f.rows().rows(), expected);
    QCOMPARE(SelectedRow(f.ui().lvListView), row);
    QVERIFY(f.state().DocumentChanged);
    QVERIFY(f.dialogs.calls.isEmpty());
}

void ApplyEditTest::blankLineGoesToTheTop_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QStringList>("settings");

    QTest::newRow("rows selected below")
        << Lines
        << QStringList{"", "MAXCONNECTIONS", "SERVERNAME", "CACHESIZE_DATA", "LOGLEVEL", ";"};
    QTest::newRow("empty list: placeholder and blank line") << QStringList() << QStringList{"", ""};
}

void ApplyEditTest::blankLineGoesToTheTop()
{
    QFETCH(QStringList, lines);
    QFETCH(QStringList, settings);

    EditorFixture f;
    QVERIFY(f.openDocument(lines));
    if (!lines.isEmpty())
        f.clickRow(3);
    QVERIFY(f.clickNode(QStringLiteral(" BLANK LINE")));

    PressOK(f);

    QCOMPARE(f.settings(), settings);
    QCOMPARE(f.rows().row(0).Parameter, QString());
    QCOMPARE(SelectedRow(f.ui().lvListView), 0);
    QCOMPARE(f.ui().frmMain->focusWidget(), f.ui().lvListView);
    QVERIFY(f.state().DocumentChanged);
    QVERIFY(KeysAreUnique(f));
    QVERIFY(f.rows().row(0).Key.startsWith(QStringLiteral("KB")));
}

void ApplyEditTest::withoutSelectionOnlyNewRowsAreWritten()
{
    EditorFixture f;
    QVERIFY(f.openDocument(Lines));
    QTreeView* list = f.ui().lvListView;

    // A clicked row that is no longer selected: nothing to change.
    f.clickRow(1);
    Fill(f, -1, QStringLiteral("gamma"));
    SelectRow(list, -1);
    PressOK(f);
    QCOMPARE(f.parameters(), QStringList({"100", "alpha", "32", "INFO", "remark"}));
    QVERIFY(!f.state().DocumentChanged);

    // A new setting goes to the top.
    QVERIFY(f.clickNode(QStringLiteral("MAXCONNECTIONS")));
    Fill(f, -1, QStringLiteral("7"));
    SelectRow(list, -1);
    PressOK(f);
    QCOMPARE(f.rows().count(), Lines.size() + 1);
    QCOMPARE(f.rows().row(0).Setting, QStringLiteral("MAXCONNECTIONS"));
    QCOMPARE(f.rows().row(0).Parameter, QStringLiteral("7"));
    QCOMPARE(SelectedRow(list), 0);
    QVERIFY(f.state().DocumentChanged);
}

void ApplyEditTest::textViewInsertsALineAtTheCaret_data()
{
    QTest::addColumn<QString>("node");
    QTest::addColumn<int>("choice");
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("caret");     // in the view's own positions
    QTest::addColumn<int>("selection"); // characters selected after the caret
    QTest::addColumn<QString>("text");

    QTest::newRow("string at a line start")
        << "SERVERNAME" << -1 << "x y" << 6 << 0 << "AAA 1\r\nSERVERNAME x y\r\nBBB 2\r\n";
    QTest::newRow("string in the middle of a line")
        << "SERVERNAME" << -1 << "x" << 2 << 0 << "AASERVERNAME x\r\nA 1\r\nBBB 2\r\n";
    QTest::newRow("selection replaced")
        << "MAXCONNECTIONS" << -1 << "9" << 6 << 5 << "AAA 1\r\nMAXCONNECTIONS 9\r\n\r\n";
    QTest::newRow("comment") << " COMMENT(;)" << -1 << "hello" << 0 << 0
                             << "; hello\r\nAAA 1\r\nBBB 2\r\n";
    QTest::newRow("blank line") << " BLANK LINE" << -1 << "" << 0 << 0 << " \r\nAAA 1\r\nBBB 2\r\n";
    QTest::newRow("combo") << "LOGLEVEL" << 1 << "" << 12 << 0
                           << "AAA 1\r\nBBB 2\r\nLOGLEVEL WARNING\r\n";
    QTest::newRow("null") << "LOCKMEMORY" << -1 << "" << 0 << 0
                          << "LOCKMEMORY \r\nAAA 1\r\nBBB 2\r\n";
    QTest::newRow("multiple") << "CACHESIZE" << 2 << "5" << 0 << 0
                              << "CACHESIZE_TEMP 5\r\nAAA 1\r\nBBB 2\r\n";
}

void ApplyEditTest::textViewInsertsALineAtTheCaret()
{
    QFETCH(QString, node);
    QFETCH(int, choice);
    QFETCH(QString, value);
    QFETCH(int, caret);
    QFETCH(int, selection);
    QFETCH(QString, text);

    EditorFixture f;
    QVERIFY(f.openDocument({QStringLiteral("AAA 1"), QStringLiteral("BBB 2")}, false));
    QCOMPARE(f.ctx().document->text(), QStringLiteral("AAA 1\r\nBBB 2\r\n"));
    QPlainTextEdit* view = f.ui().txtTextBox;
    QTextCursor cursor = view->textCursor();
    cursor.setPosition(caret);
    cursor.setPosition(caret + selection, QTextCursor::KeepAnchor);
    view->setTextCursor(cursor);
    QVERIFY(f.clickNode(node));
    Fill(f, choice, value);
    const QList<Row> rows = f.rows().rows();

    PressOK(f);

    QCOMPARE(f.ctx().document->text(), text);
    QCOMPARE(f.ui().frmMain->focusWidget(), view);
    QVERIFY(f.state().DocumentChanged);
    QCOMPARE(f.rows().rows(), rows);
}

// A row set up in the list and then shown as text still names the line after the row's setting.
void ApplyEditTest::rowSetUpNamesTheLineInTheTextView()
{
    EditorFixture f;
    QVERIFY(f.openDocument(Lines));
    f.clickRow(2);
    Fill(f, 2, QStringLiteral("1"));
    ChangeTree(f, TreeAfterSetUp::Category);
    f.ui().mnu_PopUpLV_TextView->trigger();
    QVERIFY(!f.ui().txtTextBox->isHidden());
    QTextCursor cursor = f.ui().txtTextBox->textCursor();
    cursor.setPosition(0);
    f.ui().txtTextBox->setTextCursor(cursor);

    PressOK(f);

    QVERIFY(f.ctx().document->text().startsWith(QStringLiteral("CACHESIZE_TEMP 1\r\n")));
}

void ApplyEditTest::emptyValueIsRefused_data()
{
    QTest::addColumn<bool>("textView");
    QTest::addColumn<QString>("node");
    QTest::addColumn<QStringList>("values"); // typed before each OK
    QTest::addColumn<bool>("categoryAfterSetUp");
    QTest::addColumn<int>("messages");
    QTest::addColumn<int>("added");

    QTest::newRow("number, nothing typed")
        << false << "MAXCONNECTIONS" << QStringList{""} << false << 1 << 0;
    QTest::newRow("text view, nothing typed")
        << true << "SERVERNAME" << QStringList{""} << false << 1 << 0;
    QTest::newRow("OK twice") << false << "MAXCONNECTIONS" << QStringList{"5", ""} << false << 1
                              << 1;
    QTest::newRow("a blank is a value")
        << false << "SERVERNAME" << QStringList{" "} << false << 0 << 1;
    QTest::newRow("empty value before category")
        << false << "MAXCONNECTIONS" << QStringList{""} << true << 1 << 0;
    QTest::newRow("category writes nothing")
        << false << "MAXCONNECTIONS" << QStringList{"5"} << true << 0 << 0;
}

void ApplyEditTest::emptyValueIsRefused()
{
    QFETCH(bool, textView);
    QFETCH(QString, node);
    QFETCH(QStringList, values);
    QFETCH(bool, categoryAfterSetUp);
    QFETCH(int, messages);
    QFETCH(int, added);

    EditorFixture f;
    QVERIFY(f.openDocument(Lines, !textView));
    const QString textBefore = f.ctx().document->text();
    QVERIFY(f.clickNode(node));
    if (categoryAfterSetUp)
        ChangeTree(f, TreeAfterSetUp::Category);

    for (const QString& value : values) {
        QTest::keyClicks(f.ui().txtParam, value);
        PressOK(f);
    }

    QCOMPARE(f.dialogs.count(QStringLiteral("message")), messages);
    if (messages > 0) {
        const FakeDialogs::Call message = f.dialogs.last(QStringLiteral("message"));
        QCOMPARE(message.text, QStringLiteral("Please enter a value."));
        QCOMPARE(message.title, QStringLiteral("DraCFG Editor"));
        QCOMPARE(message.icon, QMessageBox::Warning);
        QCOMPARE(message.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    }
    if (textView)
        QCOMPARE(f.ctx().document->text(), textBefore);
    else
        QCOMPARE(f.rows().count(), Lines.size() + added);
    QCOMPARE(f.state().DocumentChanged, added > 0);
}

void ApplyEditTest::keysStayUnique_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("node");
    QTest::addColumn<int>("choice");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("setting");

    // After the first row goes, the count plus one names a key the last row carries.
    QTest::newRow("multiple") << QStringList{"A 1", "B 2", "C 3", "D 4"} << "CACHESIZE" << 0 << "1"
                              << "CACHESIZE_DATA";
    QTest::newRow("blank line") << QStringList{"A 1", "B 2", ""} << " BLANK LINE" << -1 << ""
                                << "";
}

void ApplyEditTest::keysStayUnique()
{
    QFETCH(QStringList, lines);
    QFETCH(QString, node);
    QFETCH(int, choice);
    QFETCH(QString, value);
    QFETCH(QString, setting);

    EditorFixture f;
    QVERIFY(f.openDocument(lines));
    f.rows().removeRowAt(0);
    f.clickRow(0);
    QVERIFY(f.clickNode(node));
    Fill(f, choice, value);

    PressOK(f);

    QCOMPARE(f.rows().count(), lines.size());
    QCOMPARE(f.rows().row(0).Setting, setting);
    QVERIFY(KeysAreUnique(f));
}

QTEST_MAIN(ApplyEditTest)
#include "tst_applyedit.moc"
