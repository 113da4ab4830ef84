#include "support/EditorFixture.h"

using namespace Qt::StringLiterals;

namespace {

const QStringList Lines = {u"MAXCONNECTIONS 1"_s, u"CACHESIZE_DATA 3"_s, u"LOGLEVEL INFO"_s,
                           u"; x"_s};
// Where the second line starts in the text view.
constexpr int SecondLine = 17;

// list: the row clicked first, the row selected after the undo; text: the caret and the
// characters selected from it, the caret after the undo.
struct Step {
    bool inText;
    QString trigger;
    int row, length;
    QString step; // the history's name for it
    int placeUndone;
};

} // namespace

Q_DECLARE_METATYPE(Step)

class tst_UndoRedo : public QObject {
    Q_OBJECT

    std::optional<EditorFixture> f;

    WindowControls ui() { return f->ui(); }
    QAction* undoItem() { return Control(*f->window, u"mnuEditUndo"_s); }
    QAction* redoItem() { return Control(*f->window, u"mnuEditRedo"_s); }
    QStringList documentLines() { return f->document().lines(); }

    // Keys go where the user's focus is, so that the text view's own handling is met.
    void press(const QKeySequence& keys)
    {
        QWidget* target =
            QApplication::focusWidget() ? QApplication::focusWidget() : f->window.get();
        QTest::keySequence(target, keys);
    }

    void runTrigger(const QString& trigger)
    {
        if (trigger.startsWith(u"OK")) {
            // "OK" edits the row, "OK NODE" adds the node's setting.
            const QString node = trigger.mid(3);
            if (!node.isEmpty())
                QVERIFY(f->clickNode(node));
            if (node != u" BLANK LINE")
                f->fill(-1, u"250"_s);
            QTest::mouseClick(ui().cmdOK, Qt::LeftButton);
        } else if (trigger == u"typing") {
            QTest::keyClicks(ui().txtTextBox, u"ab c"_s);
        } else if (auto* action = f->window->findChild<QAction*>(trigger)) {
            action->trigger();
        } else {
            press(QKeySequence(trigger));
        }
    }

private slots:
    void init()
    {
        QVERIFY(f.emplace().window && f->activate());
        QGuiApplication::clipboard()->setText(u"X\r\nY"_s);
    }
    void cleanup() { f.reset(); }

    // Each trigger makes one step; Ctrl+Z takes it back and puts the selection where it was,
    // with the value editor arranged for the row; Ctrl+Y makes it again.
    void everyTriggerIsOneStep_data()
    {
        QTest::addColumn<Step>("s");
        const auto row = [](const char* tag, const Step& step) { QTest::newRow(tag) << step; };
        row("list: Edit Delete", {false, "mnuEditDelete", 1, 0, "Delete", 1});
        row("list: Ctrl+Up", {false, "Ctrl+Up", 2, 0, "Move Up", 2});
        row("list: OK on a row", {false, "OK", 0, 0, "Set MAXCONNECTIONS", 0});
        row("list: OK on a node", {false, "OK SERVERNAME", 1, 0, "Set SERVERNAME", 1});
        row("list: OK on a blank line", {false, "OK  BLANK LINE", 2, 0, "Add Blank Line", 0});
        row("text: typing", {true, "typing", SecondLine, 0, "Typing", SecondLine});
        row("text: Ctrl+V", {true, "Ctrl+V", SecondLine, 0, "Paste", SecondLine});
        row("text: Ctrl+X", {true, "Ctrl+X", SecondLine, 5, "Cut", SecondLine + 5});
        row("text: Edit Delete", {true, "mnuEditDelete", 4, 16, "Delete", 20});
        row("text: toolbar Comment",
            {true, "FlatBttn(15)", SecondLine + 2, 0, "Add/Remove Comment", SecondLine});
        row("text: OK on a node",
            {true, "OK SERVERNAME", SecondLine, 0, "Set SERVERNAME", SecondLine});
    }
    void everyTriggerIsOneStep()
    {
        QFETCH(Step, s);
        const auto [inText, trigger, row, length, step, placeUndone] = s;
        QVERIFY(f->openDocument(Lines, !inText));
        ui().mnu_PopUpTV_SortAlpha->trigger(); // sorting the tree is no edit
        ui().mnuToolsConfirmDelete->trigger();
        QPlainTextEdit* text = ui().txtTextBox;
        QTreeView* list = ui().lvListView;
        if (inText) {
            QTextCursor cursor = text->textCursor();
            cursor.setPosition(row);
            cursor.setPosition(row + length, QTextCursor::KeepAnchor);
            text->setTextCursor(cursor);
            text->setFocus();
        } else {
            QVERIFY(f->clickRow(row));
            list->setFocus();
        }
        const QStringList before = documentLines();
        runTrigger(trigger);
        const QStringList after = documentLines();
        QVERIFY(after != before);
        QCOMPARE(f->document().history().count(), 1);
        QCOMPARE(undoItem()->text().remove(u'&'), u"Undo "_s + step);
        QVERIFY(undoItem()->isEnabled() && !redoItem()->isEnabled());

        // Elsewhere in the window, so that the position put back is the history's own doing.
        if (inText) {
            text->moveCursor(QTextCursor::End);
            text->setFocus();
        } else {
            list->setFocus();
            selectRow(list, -1);
        }
        press(u"Ctrl+Z"_s);
        QCOMPARE(documentLines(), before);
        QVERIFY(!f->document().DocumentChanged());
        QCOMPARE(redoItem()->text().remove(u'&'), u"Redo "_s + step);
        QVERIFY(!undoItem()->isEnabled() && redoItem()->isEnabled());
        if (inText) {
            QCOMPARE(text->textCursor().position(), placeUndone);
        } else {
            QCOMPARE(selectedRow(list), placeUndone);
            QVERIFY(list->viewport()->rect().intersects(
                list->visualRect(list->model()->index(placeUndone, 0))));
            // As a click on the row arranges it.
            QVERIFY(ui().cmdOK->isVisibleTo(ui().picTitles));
        }

        press(u"Ctrl+Y"_s);
        QCOMPARE(documentLines(), after);
        QVERIFY(f->document().DocumentChanged());
        press(u"Ctrl+Z"_s);
        press(u"Ctrl+Shift+Z"_s);
        QCOMPARE(documentLines(), after);
        QCOMPARE(f->document().history().count(), 1);
    }

    // A click on a row hands the value box the focus: it undoes its own typing first, and
    // with none left the keys undo the document.
    void valueBoxPassesUndoOn()
    {
        QVERIFY(f->openDocument(Lines));
        ui().mnuToolsConfirmDelete->trigger();
        QVERIFY(f->clickRow(1));
        f->trigger(u"mnu_PopUpLV_Comment"_s);
        QVERIFY(f->clickRow(0));
        QTRY_VERIFY(ui().txtParam->hasFocus());
        QTest::keyClicks(ui().txtParam, u"7"_s);
        press(u"Ctrl+Z"_s);
        QCOMPARE(ui().txtParam->text(), u"1"_s);
        QCOMPARE(f->rows().row(1).Setting, u";"_s);
        press(u"Ctrl+Z"_s);
        QCOMPARE(f->rows().row(1).Setting, u"CACHESIZE_DATA"_s);
        QVERIFY(ui().txtParam->hasFocus());
        press(u"Ctrl+Y"_s);
        QCOMPARE(f->rows().row(1).Setting, u";"_s);
    }
};

QTEST_MAIN(tst_UndoRedo)
#include "tst_undoredo.moc"
