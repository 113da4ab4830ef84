#include "core/ConfigDocument.h"
#include "core/ConfigText.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextCursor>

using namespace Qt::StringLiterals;

namespace {

const QString FourLines = u"A 1\r\nB 2\r\nC 3\r\nD 4"_s;

// The document as lines, from the form that shows.
QStringList lines(ConfigDocument& document)
{
    if (document.isTextView())
        return ConfigText::LinesFromText(document.text());
    return ConfigText::renderRows(document.rows().rows());
}

// Loads FourLines into the form that shows, unchanged.
void loadFourLines(ConfigDocument& document, bool textView)
{
    document.setView(textView ? ConfigDocument::View::Text : ConfigDocument::View::List);
    document.load(u"/four.cfg"_s, textView ? FourLines : FourLines + u"\r\n"_s);
}

QTextCursor cursorAt(ConfigDocument& document, int position, int anchorLength = 0)
{
    QTextCursor cursor(&document.textDocument());
    cursor.setPosition(position);
    cursor.setPosition(position + anchorLength, QTextCursor::KeepAnchor);
    return cursor;
}

// One edit of each kind, made the way the commands make it.
void edit(ConfigDocument& document, const QString& kind)
{
    RowModel& rows = document.rows();
    if (kind == u"insert row") {
        const ConfigDocument::Step step(document, u"Set NEW"_s);
        rows.insertRowAt(1, Row{u"K9"_s, u"NEW"_s, u"9"_s});
    } else if (kind == u"delete row") {
        const ConfigDocument::Step step(document, u"Delete"_s);
        rows.removeRowAt(2);
    } else if (kind == u"delete last row") {
        const ConfigDocument::Step step(document, u"Delete"_s);
        rows.removeRowAt(3);
    } else if (kind == u"set row") {
        const ConfigDocument::Step step(document, u"Set B"_s);
        rows.setRowTexts(1, u"B"_s, u"20"_s);
    } else if (kind == u"move up") {
        ConfigDocument::Step step(document, u"Move Up"_s, 2);
        step.setPlaceAfter(1);
        const Row moved = rows.row(2);
        rows.insertRowAt(1, Row{QString(), moved.Setting, moved.Parameter});
        rows.removeRowAt(3);
    } else if (kind == u"type") {
        cursorAt(document, 7).insertText(u"x"_s); // at the end of "B 2"
    } else if (kind == u"paste lines") {
        const ConfigDocument::Step step(document, u"Paste"_s);
        cursorAt(document, 4).insertText(u"P 1\nQ 2\n"_s);
    } else if (kind == u"cut across lines") {
        const ConfigDocument::Step step(document, u"Cut"_s);
        cursorAt(document, 2, 7).removeSelectedText(); // "1", B 2 and "C"
    } else if (kind == u"comment line") {
        const ConfigDocument::Step step(document, u"Add/Remove Comment"_s);
        document.setText(u"A 1\r\nB 2\r\n;C 3\r\nD 4"_s);
    }
}

} // namespace

class tst_Undo : public QObject {
    Q_OBJECT

private slots:
    // Each kind of step: one step named for its command; undo gives the lines back and shows
    // where, redo makes the edit again.
    void eachStepUndoesAndRedoes_data()
    {
        QTest::addColumn<bool>("textView");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("after");
        QTest::addColumn<int>("placeUndone");
        QTest::addColumn<int>("placeRedone");
        const QStringList four = FourLines.split(u"\r\n"_s);
        QTest::newRow("list: new row")
            << false << u"insert row"_s << u"Set NEW"_s
            << QStringList{u"A 1"_s, u"NEW 9"_s, u"B 2"_s, u"C 3"_s, u"D 4"_s} << 1 << 1;
        QTest::newRow("list: delete") << false << u"delete row"_s << u"Delete"_s
                                      << QStringList{u"A 1"_s, u"B 2"_s, u"D 4"_s} << 2 << 2;
        QTest::newRow("list: delete the last row")
            << false << u"delete last row"_s << u"Delete"_s
            << QStringList{u"A 1"_s, u"B 2"_s, u"C 3"_s} << 3 << 2;
        QTest::newRow("list: value set")
            << false << u"set row"_s << u"Set B"_s
            << QStringList{u"A 1"_s, u"B 20"_s, u"C 3"_s, u"D 4"_s} << 1 << 1;
        QTest::newRow("list: move up")
            << false << u"move up"_s << u"Move Up"_s
            << QStringList{u"A 1"_s, u"C 3"_s, u"B 2"_s, u"D 4"_s} << 2 << 1;
        // Places in the text are cursor positions: the caret stands after what changed.
        QTest::newRow("text: typing")
            << true << u"type"_s << u"Typing"_s
            << QStringList{u"A 1"_s, u"B 2x"_s, u"C 3"_s, u"D 4"_s} << 7 << 8;
        QTest::newRow("text: paste of lines")
            << true << u"paste lines"_s << u"Paste"_s
            << QStringList{u"A 1"_s, u"P 1"_s, u"Q 2"_s, u"B 2"_s, u"C 3"_s, u"D 4"_s} << 4 << 12;
        QTest::newRow("text: cut across lines") << true << u"cut across lines"_s << u"Cut"_s
                                                << QStringList{u"A  3"_s, u"D 4"_s} << 9 << 2;
        QTest::newRow("text: whole text replaced, one line differs")
            << true << u"comment line"_s << u"Add/Remove Comment"_s
            << QStringList{u"A 1"_s, u"B 2"_s, u";C 3"_s, u"D 4"_s} << 8 << 9;
    }
    void eachStepUndoesAndRedoes()
    {
        QFETCH(bool, textView);
        QFETCH(QString, kind);
        QFETCH(QString, name);
        QFETCH(QStringList, after);
        QFETCH(int, placeUndone);
        QFETCH(int, placeRedone);
        ConfigDocument document;
        loadFourLines(document, textView);
        const QStringList before = lines(document);
        QSignalSpy shown(&document, &ConfigDocument::changeShown);

        edit(document, kind);
        QCOMPARE(lines(document), after);
        QCOMPARE(document.history().count(), 1);
        QCOMPARE(document.history().undoText(), name);
        QVERIFY(document.DocumentChanged());
        QCOMPARE(shown.count(), 0);

        document.undo();
        QCOMPARE(lines(document), before);
        QVERIFY(!document.DocumentChanged());
        QCOMPARE(shown.takeFirst().value(0).toInt(), placeUndone);

        document.redo();
        QCOMPARE(lines(document), after);
        QVERIFY(document.DocumentChanged());
        QCOMPARE(shown.takeFirst().value(0).toInt(), placeRedone);
        // Undoing and redoing records nothing of its own.
        QCOMPARE(document.history().count(), 1);
    }

    // The changed flag is the history's distance from the state last loaded or saved.
    void changedFollowsTheSavedState_data()
    {
        QTest::addColumn<QString>("moves");
        QTest::addColumn<bool>("changed");
        QTest::newRow("edit, save") << u"edit save"_s << false;
        QTest::newRow("edit, save, undo") << u"edit save undo"_s << true;
        QTest::newRow("edit, save, undo, redo") << u"edit save undo redo"_s << false;
        QTest::newRow("edit, edit, undo") << u"edit edit undo"_s << true;
        QTest::newRow("edit, edit, undo twice") << u"edit edit undo undo"_s << false;
        QTest::newRow("save, edit, undo") << u"save edit undo"_s << false;
        // The saved state was undone and replaced: no way back to it.
        QTest::newRow("edit, save, undo, other edit, undo")
            << u"edit save undo edit undo"_s << true;
    }
    void changedFollowsTheSavedState()
    {
        QFETCH(QString, moves);
        QFETCH(bool, changed);
        const QTemporaryDir folder;
        ConfigDocument document;
        loadFourLines(document, false);
        int edits = 0;
        for (const QString& move : moves.split(u' ')) {
            if (move == u"edit") {
                const ConfigDocument::Step step(document, u"Set A"_s);
                document.rows().setParameter(0, u"v"_s + QString::number(++edits));
            } else if (move == u"save") {
                QCOMPARE(document.saveAs(folder.filePath(u"a.cfg"_s)), QString());
            } else if (move == u"undo") {
                document.undo();
            } else {
                document.redo();
            }
        }
        QCOMPARE(document.DocumentChanged(), changed);
    }

    // New, load and close start an empty history.
    void newLoadAndCloseForget_data()
    {
        QTest::addColumn<QString>("command");
        QTest::newRow("new") << u"new"_s;
        QTest::newRow("load") << u"load"_s;
        QTest::newRow("close") << u"close"_s;
    }
    void newLoadAndCloseForget()
    {
        QFETCH(QString, command);
        ConfigDocument document;
        loadFourLines(document, false);
        edit(document, u"delete row"_s);
        document.undo();
        QVERIFY(document.history().canRedo());
        if (command == u"new")
            document.newDocument();
        else if (command == u"load")
            document.load(u"/other.cfg"_s, u"X 1\r\n"_s);
        else
            document.close();
        QCOMPARE(document.history().count(), 0);
        QVERIFY(!document.DocumentChanged());
    }

    // A step made in one form is undone in the form that shows afterwards; the switch is no step.
    void historyAcrossViewSwitch_data()
    {
        QTest::addColumn<bool>("editInText");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("placeUndone");
        QTest::newRow("list delete, undone in the text") << false << u"delete row"_s << 8;
        QTest::newRow("list delete of the last row, undone in the text")
            << false << u"delete last row"_s << 12;
        QTest::newRow("list move, undone in the text") << false << u"move up"_s << 8;
        QTest::newRow("list new row, undone in the text") << false << u"insert row"_s << 4;
        QTest::newRow("typing, undone in the list") << true << u"type"_s << 1;
        QTest::newRow("paste, undone in the list") << true << u"paste lines"_s << 1;
        QTest::newRow("cut, undone in the list") << true << u"cut across lines"_s << 0;
    }
    void historyAcrossViewSwitch()
    {
        QFETCH(bool, editInText);
        QFETCH(QString, kind);
        QFETCH(int, placeUndone);
        ConfigDocument document;
        loadFourLines(document, editInText);
        const QStringList before = lines(document);
        edit(document, kind);
        const QStringList after = lines(document);
        if (editInText)
            document.showList();
        else
            document.showText();
        QCOMPARE(document.history().count(), 1);
        QSignalSpy shown(&document, &ConfigDocument::changeShown);

        document.undo();
        QCOMPARE(lines(document), before);
        QCOMPARE(shown.takeFirst().value(0).toInt(), placeUndone);
        document.redo();
        QCOMPARE(lines(document), after);
        // Back in the form the step was made in, both ways still work.
        if (editInText)
            document.showText();
        else
            document.showList();
        document.undo();
        QCOMPARE(lines(document), before);
        QVERIFY(!document.DocumentChanged());
        // Rows put back by the text keep unique keys the list accepts.
        if (!document.isTextView())
            QVERIFY(document.rows().insertRowAt(0, Row{u"K1x"_s, u"Z"_s, QString()}));
    }

    // A run of typing is one step; typing elsewhere, a named step or a save starts another.
    void typingRuns_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<int>("steps");
        QTest::addColumn<QString>("undoneOnce");
        QTest::newRow("a run") << u"7x 8y 9z"_s << 1 << FourLines;
        QTest::newRow("a run with a new line") << u"7x 8\n 9w"_s << 1 << FourLines;
        QTest::newRow("backspace in the run") << u"7x 8y 8-"_s << 1 << FourLines;
        QTest::newRow("the next line") << u"7x 12y"_s << 1 << FourLines;
        QTest::newRow("another line") << u"7x 16y"_s << 2 << u"A 1\r\nB 2x\r\nC 3\r\nD 4"_s;
        QTest::newRow("a paste between") << u"7x P 9y"_s << 3 << u"A 1\r\nB 2xp\r\nC 3\r\nD 4"_s;
        // The list gives the text back in the file's form, each line with its break.
        QTest::newRow("a view switch between")
            << u"7x V 8y"_s << 2 << u"A 1\r\nB 2x\r\nC 3\r\nD 4\r\n"_s;
        QTest::newRow("a save between") << u"7x S 8y"_s << 2 << u"A 1\r\nB 2x\r\nC 3\r\nD 4"_s;
    }
    void typingRuns()
    {
        QFETCH(QString, keys);
        QFETCH(int, steps);
        QFETCH(QString, undoneOnce);
        const QTemporaryDir folder;
        ConfigDocument document;
        loadFourLines(document, true);
        for (const QString& key : keys.split(u' ')) {
            if (key == u"P") {
                const ConfigDocument::Step step(document, u"Paste"_s);
                cursorAt(document, 8).insertText(u"p"_s);
            } else if (key == u"V") {
                document.showList();
                document.showText();
            } else if (key == u"S") {
                QCOMPARE(document.saveAs(folder.filePath(u"a.cfg"_s)), QString());
            } else if (key.endsWith(u'-')) {
                cursorAt(document, key.chopped(1).toInt(), 1).removeSelectedText();
            } else {
                cursorAt(document, key.chopped(1).toInt()).insertText(key.right(1));
            }
        }
        QCOMPARE(document.history().count(), steps);
        for (int i = 0; i < document.history().count(); ++i)
            QVERIFY(!document.history().text(i).isEmpty());
        document.undo();
        QCOMPARE(document.text(), undoneOnce);
    }

    // The oldest steps go beyond the limit; the saved state goes with them.
    void stepLimit()
    {
        ConfigDocument document;
        loadFourLines(document, false);
        const int steps = ConfigDocument::HistoryLimit + 1;
        for (int i = 1; i <= steps; ++i) {
            const ConfigDocument::Step step(document, u"Set A"_s);
            document.rows().setParameter(0, u"v"_s + QString::number(i));
        }
        QVERIFY(ConfigDocument::HistoryLimit >= 200);
        QCOMPARE(document.history().count(), ConfigDocument::HistoryLimit);
        while (document.history().canUndo())
            document.undo();
        QCOMPARE(document.rows().row(0).Parameter, u"v1"_s);
        QVERIFY(document.DocumentChanged());
    }

    // A step that changes nothing is not kept.
    void noChangeNoStep()
    {
        ConfigDocument document;
        loadFourLines(document, false);
        {
            const ConfigDocument::Step step(document, u"Set A"_s);
            document.rows().setParameter(0, u"1"_s);
        }
        QCOMPARE(document.history().count(), 0);
        QVERIFY(!document.DocumentChanged());
    }
};

QTEST_GUILESS_MAIN(tst_Undo)
#include "tst_undo.moc"
