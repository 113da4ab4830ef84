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

// One edit of each kind, made the way the commands make it: in a step named for the command,
// but for typing, which the document names itself.
void edit(ConfigDocument& document, const QString& kind, const QString& name)
{
    RowModel& rows = document.rows();
    if (kind == u"type") {
        cursorAt(document, 7).insertText(u"x"_s); // at the end of "B 2"
        return;
    }
    ConfigDocument::Step step(document, name, kind == u"move up" ? 2 : -1);
    if (kind == u"insert row") {
        rows.insertRowAt(1, Row{u"K9"_s, u"NEW"_s, u"9"_s});
    } else if (kind.startsWith(u"delete")) {
        rows.removeRowAt(kind == u"delete row" ? 2 : 3);
    } else if (kind == u"set row") {
        rows.setRowTexts(1, u"B"_s, u"20"_s);
    } else if (kind == u"move up") {
        step.setPlaceAfter(1);
        const Row moved = rows.row(2);
        rows.insertRowAt(1, Row{QString(), moved.Setting, moved.Parameter});
        rows.removeRowAt(3);
    } else if (kind == u"paste lines") {
        cursorAt(document, 4).insertText(u"P 1\nQ 2\n"_s);
    } else if (kind == u"cut across lines") {
        cursorAt(document, 2, 7).removeSelectedText(); // "1", B 2 and "C"
    } else {
        document.setText(u"A 1\r\nB 2\r\n;C 3\r\nD 4"_s);
    }
}

} // namespace

class tst_Undo : public QObject {
    Q_OBJECT

private slots:
    // Each kind of step: one step named for its command; undo gives the lines back and shows
    // where, redo makes the edit again; then the same in the other form, since the view switch
    // is no step. Places in the list are rows, in the text the caret after what changed.
    void eachStepUndoesAndRedoes_data()
    {
        QTest::addColumn<bool>("textView");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("after");
        QTest::addColumn<int>("placeUndone");
        QTest::addColumn<int>("placeRedone");
        QTest::addColumn<int>("placeUndoneInOther");
        const auto row = [](const char* tag, bool text, const QString& kind, const QString& name,
                            const QString& after, int undone, int redone, int other) {
            QTest::newRow(tag) << text << kind << name << after.split(u'|') << undone << redone
                               << other;
        };
        row("list: new row", false, u"insert row"_s, u"Set NEW"_s, u"A 1|NEW 9|B 2|C 3|D 4"_s, 1, 1,
            4);
        row("list: delete", false, u"delete row"_s, u"Delete"_s, u"A 1|B 2|D 4"_s, 2, 2, 8);
        row("list: delete the last row", false, u"delete last row"_s, u"Delete"_s, u"A 1|B 2|C 3"_s,
            3, 2, 12);
        row("list: value set", false, u"set row"_s, u"Set B"_s, u"A 1|B 20|C 3|D 4"_s, 1, 1, 4);
        row("list: move up", false, u"move up"_s, u"Move Up"_s, u"A 1|C 3|B 2|D 4"_s, 2, 1, 8);
        row("text: typing", true, u"type"_s, u"Typing"_s, u"A 1|B 2x|C 3|D 4"_s, 7, 8, 1);
        row("text: paste of lines", true, u"paste lines"_s, u"Paste"_s,
            u"A 1|P 1|Q 2|B 2|C 3|D 4"_s, 4, 12, 1);
        row("text: cut across lines", true, u"cut across lines"_s, u"Cut"_s, u"A  3|D 4"_s, 9, 2,
            0);
        row("text: whole text replaced, one line differs", true, u"comment line"_s,
            u"Add/Remove Comment"_s, u"A 1|B 2|;C 3|D 4"_s, 8, 9, 2);
    }
    void eachStepUndoesAndRedoes()
    {
        QFETCH(bool, textView);
        QFETCH(QString, kind);
        QFETCH(QString, name);
        QFETCH(QStringList, after);
        ConfigDocument document;
        loadFourLines(document, textView);
        const QStringList before = lines(document);
        QSignalSpy shown(&document, &ConfigDocument::changeShown);

        edit(document, kind, name);
        QCOMPARE(lines(document), after);
        QCOMPARE(document.history().count(), 1);
        QCOMPARE(document.history().undoText(), name);
        QVERIFY(document.DocumentChanged());
        QCOMPARE(shown.count(), 0);

        document.undo();
        QCOMPARE(lines(document), before);
        QVERIFY(!document.DocumentChanged());
        QTEST(shown.takeFirst().value(0).toInt(), "placeUndone");
        document.redo();
        QCOMPARE(lines(document), after);
        QVERIFY(document.DocumentChanged());
        QTEST(shown.takeFirst().value(0).toInt(), "placeRedone");

        document.isTextView() ? document.showList() : document.showText();
        document.undo();
        QCOMPARE(lines(document), before);
        QTEST(shown.takeFirst().value(0).toInt(), "placeUndoneInOther");
        document.redo();
        QCOMPARE(lines(document), after);
        document.isTextView() ? document.showList() : document.showText();
        document.undo();
        QCOMPARE(lines(document), before);
        QVERIFY(!document.DocumentChanged());
        // Undoing and redoing records nothing of its own.
        QCOMPARE(document.history().count(), 1);
        // Rows put back by the text keep unique keys the list accepts.
        if (!document.isTextView())
            QVERIFY(document.rows().insertRowAt(0, Row{u"K1x"_s, u"Z"_s, QString()}));
    }

    // Moves in the list ("edit" sets A's value) or the text ("7x" types x at 7, "8-" deletes
    // there, "P" pastes, "V" switches the view there and back). The changed flag is the
    // history's distance from the state last loaded or saved; New, Load and Close forget the
    // history; a step that changes nothing is not kept; beyond the limit the oldest steps go,
    // the saved state with them. A run of typing is one step; typing elsewhere, a named step or
    // a save starts another.
    void historyMoves_data()
    {
        QTest::addColumn<bool>("textView");
        QTest::addColumn<QString>("moves");
        QTest::addColumn<int>("steps");
        QTest::addColumn<bool>("changed");
        QTest::addColumn<QString>("end"); // the text, or A's value in the list; empty: not checked
        const auto list = [](const char* tag, const QString& moves, int steps, bool changed,
                             const QString& end) {
            QTest::newRow(tag) << false << moves << steps << changed << end;
        };
        list("edit, save", u"edit save"_s, 1, false, u"v1"_s);
        list("edit, save, undo", u"edit save undo"_s, 1, true, u"1"_s);
        list("edit, save, undo, redo", u"edit save undo redo"_s, 1, false, u"v1"_s);
        list("edit, edit, undo", u"edit edit undo"_s, 2, true, u"v1"_s);
        list("edit, edit, undo twice", u"edit edit undo undo"_s, 2, false, u"1"_s);
        list("save, edit, undo", u"save edit undo"_s, 1, false, u"1"_s);
        // The saved state was undone and replaced: no way back to it.
        list("edit, save, undo, other edit, undo", u"edit save undo edit undo"_s, 1, true, u"1"_s);
        list("no change", u"same"_s, 0, false, u"1"_s);
        list("new", u"edit undo new"_s, 0, false, QString());
        list("load", u"edit undo load"_s, 0, false, u"1"_s);
        list("close", u"edit undo close"_s, 0, false, QString());
        list("beyond the limit", u"limit undoall"_s, ConfigDocument::HistoryLimit, true, u"v1"_s);
        const auto text = [](const char* tag, const QString& moves, int steps, bool changed,
                             const QString& end) {
            QTest::newRow(tag) << true << moves + u" undo"_s << steps << changed << end;
        };
        const QString typed = u"A 1\r\nB 2x\r\nC 3\r\nD 4"_s;
        text("a run", u"7x 8y 9z"_s, 1, false, FourLines);
        text("a run with a new line", u"7x 8\n 9w"_s, 1, false, FourLines);
        text("backspace in the run", u"7x 8y 8-"_s, 1, false, FourLines);
        text("the next line", u"7x 12y"_s, 1, false, FourLines);
        text("another line", u"7x 16y"_s, 2, true, typed);
        text("a paste between", u"7x P 9y"_s, 3, true, u"A 1\r\nB 2xp\r\nC 3\r\nD 4"_s);
        // The list gives the text back in the file's form, each line with its break.
        text("a view switch between", u"7x V 8y"_s, 2, true, typed + u"\r\n"_s);
        text("a save between", u"7x save 8y"_s, 2, false, typed);
    }
    void historyMoves()
    {
        QFETCH(bool, textView);
        QFETCH(QString, moves);
        QFETCH(QString, end);
        QVERIFY(ConfigDocument::HistoryLimit >= 200);
        const QTemporaryDir folder;
        ConfigDocument document;
        loadFourLines(document, textView);
        int edits = 0;
        const auto setA = [&](const QString& value) {
            const ConfigDocument::Step step(document, u"Set A"_s);
            document.rows().setParameter(0, value);
        };
        for (const QString& move : moves.split(u' ')) {
            if (move == u"edit") {
                setA(u"v"_s + QString::number(++edits));
            } else if (move == u"same") {
                setA(u"1"_s);
            } else if (move == u"limit") {
                while (edits <= ConfigDocument::HistoryLimit)
                    setA(u"v"_s + QString::number(++edits));
            } else if (move == u"P") {
                const ConfigDocument::Step step(document, u"Paste"_s);
                cursorAt(document, 8).insertText(u"p"_s);
            } else if (move == u"V") {
                document.showList();
                document.showText();
            } else if (move.front().isDigit() && move.endsWith(u'-')) {
                cursorAt(document, move.chopped(1).toInt(), 1).removeSelectedText();
            } else if (move.front().isDigit()) {
                cursorAt(document, move.chopped(1).toInt()).insertText(move.right(1));
            } else if (move == u"save") {
                QCOMPARE(document.saveAs(folder.filePath(u"a.cfg"_s)), QString());
            } else if (move == u"undo") {
                document.undo();
            } else if (move == u"undoall") {
                while (document.history().canUndo())
                    document.undo();
            } else if (move == u"redo") {
                document.redo();
            } else if (move == u"new") {
                document.newDocument();
            } else if (move == u"load") {
                document.load(u"/other.cfg"_s, u"X 1\r\n"_s);
            } else {
                document.close();
            }
        }
        QTEST(document.history().count(), "steps");
        for (int i = 0; i < document.history().count(); ++i)
            QVERIFY(!document.history().text(i).isEmpty());
        QTEST(document.DocumentChanged(), "changed");
        if (!end.isEmpty())
            QCOMPARE(textView ? document.text() : document.rows().row(0).Parameter, end);
    }
};

QTEST_GUILESS_MAIN(tst_Undo)
#include "tst_undo.moc"
