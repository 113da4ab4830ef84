#include "core/ConfigDocument.h"
#include "core/DocumentEdits.h"

#include <QAbstractTextDocumentLayout>
#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextCursor>

using namespace Qt::StringLiterals;

namespace {

const QString FourLines = u"A 1\r\nB 2\r\nC 3\r\nD 4"_s;

// Loads FourLines into the form that shows, unchanged.
void loadFourLines(ConfigDocument& document, bool textView)
{
    document.setView(textView ? ConfigDocument::View::Text : ConfigDocument::View::List);
    document.load(u"/four.cfg"_s, textView ? FourLines : FourLines + u"\r\n"_s);
}

// One edit on FourLines (see eachEditIsOneStep_data).
struct Edit {
    bool textView;
    QString op;
    int a, b;
    QString arg;
    int result;
    QString name, after, places;
};

int run(ConfigDocument& document, const QString& op, int a, int b, const QString& arg)
{
    DocumentEdits edits(document);
    const QString setting = arg.section(u' ', 0, 0), value = arg.section(u' ', 1);
    if (op == u"insert")
        return edits.insertRow(a, Row{u"K1"_s, setting, value}, u"Set "_s + setting);
    if (op == u"blank")
        return edits.insertBlankLine(u"Add Blank Line"_s);
    if (op == u"set")
        return edits.setRowTexts(a, setting, value, u"Set "_s + setting);
    if (op == u"delete")
        return edits.deleteRow(a);
    if (op == u"up")
        return edits.moveUp(a);
    if (op == u"down")
        return edits.moveDown(a);
    if (op == u"comment")
        return edits.toggleComment(a);
    if (op == u"comment at")
        return edits.toggleCommentAt(a);
    if (op == u"line")
        return edits.insertLine(a, b, arg, u"Set NEW"_s);
    if (op == u"type")
        return edits.type(a, b, arg);
    if (op == u"text") {
        edits.replaceText(arg, u"Replace"_s);
        return 0;
    }
    return edits.replaceRange(a, b, arg, op);
}

// A text document tells where it changed only while something lays it out; this stands in for
// the text view's layout, which needs a display.
class BareLayout : public QAbstractTextDocumentLayout {
public:
    using QAbstractTextDocumentLayout::QAbstractTextDocumentLayout;
    void draw(QPainter*, const PaintContext&) override {}
    int hitTest(const QPointF&, Qt::HitTestAccuracy) const override { return -1; }
    int pageCount() const override { return 1; }
    QSizeF documentSize() const override { return {}; }
    QRectF frameBoundingRect(QTextFrame*) const override { return {}; }
    QRectF blockBoundingRect(const QTextBlock&) const override { return {}; }

protected:
    void documentChanged(int, int, int) override {}
};

// Position, characters removed, text put in; edits joined by '+' are one edit block.
struct KeyEdit {
    int position;
    int removed;
    QString added;
};
using KeyEdits = QList<QList<KeyEdit>>;

} // namespace

Q_DECLARE_METATYPE(Edit)
Q_DECLARE_METATYPE(KeyEdits)

class tst_DocumentEdits : public QObject {
    Q_OBJECT

    const QTemporaryDir m_workingFolder;

private slots:
    void initTestCase() { QVERIFY(QDir::setCurrent(m_workingFolder.path())); }
    // Edits and conversions work in memory: no file may appear in the working folder.
    void cleanup() { QCOMPARE(QDir().entryList(QDir::AllEntries | QDir::NoDotAndDotDot), {}); }

    void positionMapping()
    {
        ConfigDocument document;
        // The view counts one position per break, text() two; a line separator is a character.
        document.setText(u"AB\u2028CD\r\n\r\nE"_s);
        QCOMPARE(document.text(), u"AB\u2028CD\r\n\r\nE"_s);
        for (const auto& [cursor, text] : {std::pair{0, 0}, {3, 3}, {5, 5}, {6, 7}, {8, 10}}) {
            QCOMPARE(document.textPositionFromCursor(cursor), text);
            QCOMPARE(document.cursorPositionFromText(text), cursor);
        }
        // Between CR and LF is the break itself; positions out of range are clamped.
        QCOMPARE(document.cursorPositionFromText(6), 5);
        QCOMPARE(document.cursorPositionFromText(99), 8);
        QCOMPARE(document.textPositionFromCursor(50), 10);
    }

    // Each edit on FourLines: what it returns for the selection, the lines after it, one step
    // named for its command (none when nothing changed), undone and redone in this form, then
    // in the other. Places are where the undo, the redo and the undo in the other form show the
    // change: rows of the list, cursor positions of the text. Text positions: "B 2" starts at 4.
    void eachEditIsOneStep_data()
    {
        QTest::addColumn<Edit>("e");
        const auto row = [](const char* tag, const Edit& edit) { QTest::newRow(tag) << edit; };
        const QString same = u"A 1|B 2|C 3|D 4"_s;
        // The new row's key is taken already (by "A 1"): it gets another.
        row("insert",
            {false, "insert", 1, 0, "NEW 9", 1, "Set NEW", "A 1|NEW 9|B 2|C 3|D 4", "1 1 4"});
        row("insert past the end", {false, "insert", 5, 0, "NEW 9", -1, "", same, ""});
        row("blank line",
            {false, "blank", 0, 0, "", 0, "Add Blank Line", " |A 1|B 2|C 3|D 4", "0 0 0"});
        row("set", {false, "set", 1, 0, "B 20", 1, "Set B", "A 1|B 20|C 3|D 4", "1 1 4"});
        row("set to the same texts", {false, "set", 1, 0, "B 2", 1, "", same, ""});
        row("delete", {false, "delete", 2, 0, "", 2, "Delete", "A 1|B 2|D 4", "2 2 8"});
        row("delete the last row",
            {false, "delete", 3, 0, "", 2, "Delete", "A 1|B 2|C 3", "3 2 12"});
        row("delete past the end", {false, "delete", 4, 0, "", -1, "", same, ""});
        row("move up", {false, "up", 2, 0, "", 1, "Move Up", "A 1|C 3|B 2|D 4", "2 1 8"});
        row("move the first up", {false, "up", 0, 0, "", -1, "", same, ""});
        row("move down", {false, "down", 1, 0, "", 2, "Move Down", "A 1|C 3|B 2|D 4", "1 2 4"});
        row("move the last down", {false, "down", 3, 0, "", -1, "", same, ""});
        row("comment",
            {false, "comment", 1, 0, "", 1, "Add/Remove Comment", "A 1|; B 2|C 3|D 4", "1 1 4"});
        row("typing", {true, "type", 7, 7, "x", 8, "Typing", "A 1|B 2x|C 3|D 4", "7 8 1"});
        row("Shift+Enter", {true, "type", 5, 6, "\n", 6, "Typing", "A 1|B|2|C 3|D 4", "6 6 1"});
        row("paste of lines",
            {true, "Paste", 4, 4, "P 1\nQ 2\n", 12, "Paste", "A 1|P 1|Q 2|B 2|C 3|D 4", "4 12 1"});
        row("cut across lines", {true, "Cut", 9, 2, "", 2, "Cut", "A  3|D 4", "9 2 0"});
        row("delete nothing", {true, "Delete", 2, 2, "", 2, "", same, ""});
        row("comment at",
            {true, "comment at", 9, 0, "", 9, "Add/Remove Comment", "A 1|B 2|;C 3|D 4", "8 9 2"});
        row("line before the caret's",
            {true, "line", 5, 5, "NEW 9\n", 10, "Set NEW", "A 1|NEW 9|B 2|C 3|D 4", "4 10 1"});
        row("line over whole lines",
            {true, "line", 4, 12, "NEW 9\n", 10, "Set NEW", "A 1|NEW 9|D 4", "11 9 1"});
        row("line over lines to an end",
            {true, "line", 11, 4, "NEW 9\n", 10, "Set NEW", "A 1|NEW 9|D 4", "11 9 1"});
        row("whole text", {true, "text", 0, 0, "A 1\r\nB 2\r\n;C 3\r\nD 4", 0, "Replace",
                           "A 1|B 2|;C 3|D 4", "8 9 2"});
    }
    void eachEditIsOneStep()
    {
        QFETCH(Edit, e);
        ConfigDocument document;
        loadFourLines(document, e.textView);
        const QStringList before = document.lines();
        QSignalSpy changed(&document, &ConfigDocument::changed);
        QSignalSpy shown(&document, &ConfigDocument::changeShown);
        QCOMPARE(run(document, e.op, e.a, e.b, e.arg), e.result);
        QCOMPARE(document.lines(), e.after.split(u'|'));
        const bool edited = !e.name.isEmpty();
        QCOMPARE(document.history().count(), int(edited));
        QCOMPARE(document.DocumentChanged(), edited);
        QCOMPARE(changed.count(), int(edited));
        if (!edited)
            return;
        QCOMPARE(document.history().undoText(), e.name);
        // The change starts at the first line that differs.
        int first = 0;
        while (before.value(first) == document.lines().value(first))
            ++first;
        QCOMPARE(changed.takeFirst().value(0).value<ConfigDocument::Extent>().first, first);
        QStringList places;
        const auto undoRedo = [&](bool redo) {
            document.undo();
            QCOMPARE(document.lines(), before);
            places << shown.takeFirst().value(0).toString();
            if (redo) {
                document.redo();
                QCOMPARE(document.lines(), e.after.split(u'|'));
                places << shown.takeFirst().value(0).toString();
            }
        };
        undoRedo(true);
        QVERIFY(document.DocumentChanged());
        document.isTextView() ? document.showList() : document.showText();
        undoRedo(true);
        document.isTextView() ? document.showList() : document.showText();
        undoRedo(false);
        QCOMPARE(places.mid(0, 3).join(u' '), e.places);
        QCOMPARE(changed.count(), 7); // each undo, redo and switch
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
        list("edit, save, view switches", u"edit save V"_s, 1, false, u"v1"_s);
        list("edit, save, undo, redo", u"edit save undo redo"_s, 1, false, u"v1"_s);
        list("edit, edit, undo", u"edit edit undo"_s, 2, true, u"v1"_s);
        list("edit, edit, undo twice", u"edit edit undo undo"_s, 2, false, u"1"_s);
        list("save, edit, undo", u"save edit undo"_s, 1, false, u"1"_s);
        // The saved state was undone and replaced: no way back to it.
        list("edit, save, undo, other edit, undo", u"edit save undo edit undo"_s, 1, true, u"1"_s);
        list("no change", u"same"_s, 0, false, u"1"_s);
        list("new", u"edit undo new"_s, 0, false, QString());
        list("new after an edit", u"edit new"_s, 0, false, QString());
        list("load", u"edit undo load"_s, 0, false, u"1"_s);
        list("close after an edit", u"edit close"_s, 0, false, QString());
        // Lines are kept as read: the switches there and back change nothing.
        list("view switches", u"V"_s, 0, false, u"1"_s);
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
        int count = 0;
        DocumentEdits edits(document);
        const auto setA = [&](const QString& value) {
            edits.setRowTexts(0, u"A"_s, value, u"Set A"_s);
        };
        for (const QString& move : moves.split(u' ')) {
            if (move == u"edit") {
                setA(u"v"_s + QString::number(++count));
            } else if (move == u"same") {
                setA(u"1"_s);
            } else if (move == u"limit") {
                while (count <= ConfigDocument::HistoryLimit)
                    setA(u"v"_s + QString::number(++count));
            } else if (move == u"P") {
                edits.replaceRange(8, 8, u"p"_s, u"Paste"_s);
            } else if (move == u"V") {
                document.isTextView() ? document.showList() : document.showText();
                document.isTextView() ? document.showList() : document.showText();
            } else if (move.front().isDigit()) { // "8-" deletes the character at 8
                const int at = move.chopped(1).toInt(), erase = move.endsWith(u'-');
                edits.type(at, at + erase, erase ? QString() : move.right(1));
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

    // Typing is recorded from where the document says it changed, or by comparing the whole
    // text without a layout: either way its steps undo and redo to the very text.
    void typingUndoesToTheText_data()
    {
        QTest::addColumn<KeyEdits>("edits");
        QTest::addColumn<bool>("laidOut");
        const QList<std::pair<const char*, KeyEdits>> rows{
            {"a key mid-line", {{{3, 0, u"x"_s}}}},
            {"a break taken out", {{{3, 1, {}}}}},
            {"a line split", {{{2, 0, u"\n"_s}}}},
            {"a selection across lines typed over", {{{2, 5, u"Z\nY"_s}}}},
            {"lines added at the end", {{{11, 0, u"\nD 4"_s}}}},
            {"the last character", {{{10, 1, {}}}}},
            {"the first position", {{{0, 0, u";"_s}}}},
            {"a run of keys",
             {{{3, 0, u"x"_s}}, {{4, 0, u"y"_s}}, {{4, 1, {}}}, {{2, 0, u"\n"_s}}}},
            {"two places in one edit", {{{0, 0, u"X"_s}, {9, 0, u"Y"_s}}}},
            {"everything", {{{0, 11, u"E 5"_s}}}},
        };
        for (const auto& [name, edits] : rows) {
            QTest::addRow("%s, laid out", name) << edits << true;
            QTest::addRow("%s, not laid out", name) << edits << false;
        }
    }
    void typingUndoesToTheText()
    {
        QFETCH(KeyEdits, edits);
        QFETCH(bool, laidOut);
        ConfigDocument document;
        document.setView(ConfigDocument::View::Text);
        QTextDocument& text = document.textDocument();
        if (laidOut)
            text.setDocumentLayout(new BareLayout(&text));
        document.load(u"/t.cfg"_s, u"A 1\r\nB 2\r\nC 3"_s);
        const QString loaded = document.text();

        QTextCursor cursor(&text);
        for (const QList<KeyEdit>& block : edits) {
            cursor.beginEditBlock();
            for (const KeyEdit& edit : block) {
                cursor.setPosition(edit.position);
                cursor.setPosition(edit.position + edit.removed, QTextCursor::KeepAnchor);
                cursor.insertText(edit.added);
            }
            cursor.endEditBlock();
        }
        const QString typed = document.text();
        QVERIFY(typed != loaded);

        while (document.history().canUndo())
            document.undo();
        QCOMPARE(document.text(), loaded);
        while (document.history().canRedo())
            document.redo();
        QCOMPARE(document.text(), typed);
    }
};

QTEST_GUILESS_MAIN(tst_DocumentEdits)
#include "tst_documentedits.moc"
