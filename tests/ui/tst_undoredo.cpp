#include "support/EditorFixture.h"

using namespace Qt::StringLiterals;

namespace {

const QStringList Lines = {u"MAXCONNECTIONS 1"_s, u"CACHESIZE_DATA 3"_s, u"LOGLEVEL INFO"_s,
                           u"; x"_s};
// Where the second line starts in the text view.
constexpr int SecondLine = 17;

QString withoutMnemonic(QString caption)
{
    return caption.remove(u'&');
}

} // namespace

class tst_UndoRedo : public QObject {
    Q_OBJECT

    std::optional<EditorFixture> f;

    WindowControls ui() { return f->ui(); }
    QAction* undoItem() { return Control(*f->window, u"mnuEditUndo"_s); }
    QAction* redoItem() { return Control(*f->window, u"mnuEditRedo"_s); }
    bool textView() { return !ui().txtTextBox->isHidden(); }

    QStringList documentLines()
    {
        if (textView())
            return f->document().text().split(u"\r\n"_s);
        QStringList lines;
        for (const Row& row : f->rows().rows())
            lines << row.Setting + u' ' + row.Parameter;
        return lines;
    }

    // Keys go where the user's focus is, so that the text view's own handling is met.
    void press(const QKeySequence& keys)
    {
        QWidget* target =
            QApplication::focusWidget() ? QApplication::focusWidget() : f->window.get();
        QTest::keySequence(target, keys);
    }

    void runTrigger(const QString& trigger)
    {
        QTreeView* list = ui().lvListView;
        if (trigger == u"double-click") {
            const QPoint selected = list->visualRect(list->currentIndex()).center();
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, selected);
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, selected);
        } else if (trigger.startsWith(u"OK")) {
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

    // Undo and Redo head the Edit menu, name the step and are off with nothing to take.
    void editMenu()
    {
        const QList<QAction*> items = ui().mnuEdit->actions();
        QCOMPARE(items.value(0), undoItem());
        QCOMPARE(items.value(1), redoItem());
        QVERIFY(items.value(2)->isSeparator());
        QCOMPARE(undoItem()->shortcuts(), QList<QKeySequence>{QKeySequence(u"Ctrl+Z"_s)});
        QCOMPARE(redoItem()->shortcuts(),
                 (QList<QKeySequence>{QKeySequence(u"Ctrl+Y"_s), QKeySequence(u"Ctrl+Shift+Z"_s)}));

        QVERIFY(f->openDocument(Lines));
        QVERIFY(!undoItem()->isEnabled() && !redoItem()->isEnabled());
        QCOMPARE(undoItem()->text(), u"&Undo"_s);
        QVERIFY(f->clickRow(1));
        ui().mnu_PopUpTV_SortAlpha->trigger(); // no edit
        f->trigger(u"mnu_PopUpLV_Comment"_s);
        QVERIFY(undoItem()->isEnabled() && !redoItem()->isEnabled());
        QCOMPARE(withoutMnemonic(undoItem()->text()), u"Undo Add/Remove Comment"_s);
        undoItem()->trigger();
        QCOMPARE(withoutMnemonic(redoItem()->text()), u"Redo Add/Remove Comment"_s);
        QVERIFY(!undoItem()->isEnabled() && redoItem()->isEnabled());
        // New starts an empty history.
        ui().mnuFileNew->trigger();
        QVERIFY(!undoItem()->isEnabled() && !redoItem()->isEnabled());
    }

    // Each trigger makes one step; Ctrl+Z takes it back and puts the selection where it was,
    // with the value editor arranged for the row; Ctrl+Y makes it again.
    void everyTriggerIsOneStep_data()
    {
        QTest::addColumn<bool>("inText");
        QTest::addColumn<QString>("trigger");
        QTest::addColumn<int>("row");    // list: the row clicked first; text: the caret
        QTest::addColumn<int>("length"); // text: characters selected from the caret
        QTest::addColumn<QString>("step");
        QTest::addColumn<int>("placeUndone"); // list: the row selected; text: the caret
        QTest::newRow("list: Edit Delete")
            << false << u"mnuEditDelete"_s << 1 << 0 << u"Delete"_s << 1;
        QTest::newRow("list: double-click")
            << false << u"double-click"_s << 2 << 0 << u"Delete"_s << 2;
        QTest::newRow("list: Delete key") << false << u"Del"_s << 0 << 0 << u"Delete"_s << 0;
        QTest::newRow("list: Ctrl+Up") << false << u"Ctrl+Up"_s << 2 << 0 << u"Move Up"_s << 2;
        QTest::newRow("list: toolbar Down")
            << false << u"FlatBttn(14)"_s << 0 << 0 << u"Move Down"_s << 0;
        QTest::newRow("list: pop-up Comment")
            << false << u"mnu_PopUpLV_Comment"_s << 1 << 0 << u"Add/Remove Comment"_s << 1;
        QTest::newRow("list: OK on a row")
            << false << u"OK"_s << 0 << 0 << u"Set MAXCONNECTIONS"_s << 0;
        QTest::newRow("list: OK on a node")
            << false << u"OK SERVERNAME"_s << 1 << 0 << u"Set SERVERNAME"_s << 1;
        QTest::newRow("list: OK on a blank line")
            << false << u"OK  BLANK LINE"_s << 2 << 0 << u"Add Blank Line"_s << 0;
        QTest::newRow("text: typing")
            << true << u"typing"_s << SecondLine << 0 << u"Typing"_s << SecondLine;
        QTest::newRow("text: Ctrl+V")
            << true << u"Ctrl+V"_s << SecondLine << 0 << u"Paste"_s << SecondLine;
        QTest::newRow("text: Ctrl+X")
            << true << u"Ctrl+X"_s << SecondLine << 5 << u"Cut"_s << SecondLine + 5;
        QTest::newRow("text: Edit Delete")
            << true << u"mnuEditDelete"_s << 4 << 16 << u"Delete"_s << 20;
        QTest::newRow("text: toolbar Comment") << true << u"FlatBttn(15)"_s << SecondLine + 2 << 0
                                               << u"Add/Remove Comment"_s << SecondLine;
        QTest::newRow("text: OK on a node")
            << true << u"OK SERVERNAME"_s << SecondLine << 0 << u"Set SERVERNAME"_s << SecondLine;
    }
    void everyTriggerIsOneStep()
    {
        QFETCH(bool, inText);
        QFETCH(QString, trigger);
        QFETCH(int, row);
        QFETCH(int, length);
        QFETCH(QString, step);
        QFETCH(int, placeUndone);
        QVERIFY(f->openDocument(Lines, !inText));
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
        QCOMPARE(withoutMnemonic(undoItem()->text()), u"Undo "_s + step);

        // Elsewhere in the window, so that the position put back is the history's own doing.
        if (inText) {
            text->moveCursor(QTextCursor::End);
            text->setFocus();
        } else {
            list->setFocus();
            selectRow(list, -1);
        }
        press(QKeySequence(u"Ctrl+Z"_s));
        QCOMPARE(documentLines(), before);
        QVERIFY(!f->document().DocumentChanged());
        QCOMPARE(withoutMnemonic(redoItem()->text()), u"Redo "_s + step);
        if (inText) {
            QCOMPARE(text->textCursor().position(), placeUndone);
        } else {
            QCOMPARE(selectedRow(list), placeUndone);
            QVERIFY(list->viewport()->rect().intersects(
                list->visualRect(list->model()->index(placeUndone, 0))));
            // As a click on the row arranges it.
            QVERIFY(ui().cmdOK->isVisibleTo(ui().picTitles));
        }

        press(QKeySequence(u"Ctrl+Y"_s));
        QCOMPARE(documentLines(), after);
        QVERIFY(f->document().DocumentChanged());
        press(QKeySequence(u"Ctrl+Z"_s));
        press(QKeySequence(u"Ctrl+Shift+Z"_s));
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
        press(QKeySequence(u"Ctrl+Z"_s));
        QCOMPARE(ui().txtParam->text(), u"1"_s);
        QCOMPARE(f->rows().row(1).Setting, u";"_s);
        press(QKeySequence(u"Ctrl+Z"_s));
        QCOMPARE(f->rows().row(1).Setting, u"CACHESIZE_DATA"_s);
        QVERIFY(ui().txtParam->hasFocus());
        press(QKeySequence(u"Ctrl+Y"_s));
        QCOMPARE(f->rows().row(1).Setting, u";"_s);
    }

    // Steps made in either view are undone in the view that shows; switching is no step.
    void historyAcrossViewSwitch()
    {
        QVERIFY(f->openDocument(Lines));
        ui().mnuToolsConfirmDelete->trigger();
        QVERIFY(f->clickRow(1));
        ui().mnuEditDelete->trigger();
        ui().mnuViewmnuLVText->trigger();
        QTest::keyClicks(ui().txtTextBox, u"Z"_s);
        QCOMPARE(f->document().history().count(), 2);
        ui().mnuViewmnuLVList->trigger();
        QCOMPARE(f->document().history().count(), 2);
        QCOMPARE(f->rows().row(0).Setting, u"ZMAXCONNECTIONS"_s);

        undoItem()->trigger();
        QCOMPARE(f->rows().row(0).Setting, u"MAXCONNECTIONS"_s);
        ui().mnuViewmnuLVText->trigger();
        ui().txtTextBox->setFocus();
        press(QKeySequence(u"Ctrl+Z"_s));
        QCOMPARE(f->document().text(), Lines.join(u"\r\n"_s) + u"\r\n"_s);
        QCOMPARE(ui().txtTextBox->textCursor().position(), SecondLine);
        QVERIFY(!f->document().DocumentChanged());
    }
};

QTEST_MAIN(tst_UndoRedo)
#include "tst_undoredo.moc"
