#include "support/EditorFixture.h"
#include "ui/EditCommands.h"

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

// The Edit menu's commands, the list's and the text's, and their undo. For the list's, a document
// is written as its lines, comma-separated, the selected one in brackets; rows read back as
// "Setting|Parameter".
class tst_EditCommands : public QObject {
    Q_OBJECT

    std::optional<EditorFixture> f;

    WindowControls ui() { return f->ui(); }
    QTreeView* list() { return ui().lvListView; }
    bool Changed() { return f->document().DocumentChanged(); }

    // Opens the lines in the list view and clicks the bracketed one.
    bool open(const QString& lines)
    {
        const QString text = QString(lines).remove(u'[').remove(u']').replace(u',', u"\r\n"_s);
        return f->open(text.toLatin1(), true) &&
               f->clickRow(lines.first(lines.indexOf(u'[')).count(u',')) && !Changed();
    }

    QString RowTexts()
    {
        QStringList texts;
        for (const Row& row : f->rows().rows())
            texts.append(row.Setting + u'|' + row.Parameter);
        if (const int selected = selectedRow(list()); selected >= 0)
            texts[selected] = u'[' + texts[selected] + u']';
        return texts.join(u',');
    }
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
        QGuiApplication::clipboard()->setText(u"X\r\nY"_s); // what the tables paste
    }
    void cleanup() { f.reset(); }

    void deleteAsksWhenConfirmDeleteIsOn()
    {
        QVERIFY(open(u"[SERVERNAME alpha],,TRACE ON"_s));
        QVERIFY(ui().cmdOK->isVisibleTo(ui().picTitles)); // the value editor is set up
        f->dialogs.messageAnswers = {QMessageBox::No, QMessageBox::Yes, QMessageBox::No};
        ui().mnuEditDelete->trigger();
        const FakeDialogs::Call asked = f->dialogs.last(u"message"_s);
        QCOMPARE(asked.title, u"Delete Item"_s);
        QCOMPARE(asked.text, u"Are you sure you want to delete the item SERVERNAME ?"_s);
        QCOMPARE(asked.buttons, QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(RowTexts(), u"[SERVERNAME|alpha],|,TRACE|ON"_s);
        QVERIFY(!Changed()); // a refused deletion changes nothing
        // and the editor is arranged again for the row still selected
        QVERIFY(ui().cmdOK->isVisibleTo(ui().picTitles));
        QCOMPARE(ui().lblTitle[0]->text(), u"SERVERNAME"_s);
        ui().mnuEditDelete->trigger();
        QCOMPARE(RowTexts(), u"[|],TRACE|ON"_s);
        ui().mnuEditDelete->trigger();
        QCOMPARE(f->dialogs.last(u"message"_s).text,
                 u"Are you sure you want to delete the item  ?"_s);
    }

    // Every trigger, Confirm Delete off. After a removal the row now in its place is selected.
    void listCommands_data()
    {
        QTest::addColumn<QString>("trigger");
        QTest::addColumn<QString>("lines");
        QTest::addColumn<QString>("expected");
        QTest::newRow("Edit Delete") << u"mnuEditDelete"_s << u"A 1,[B 2],C 3"_s << u"A|1,[C|3]"_s;
        QTest::newRow("toolbar Delete") << u"FlatBttn(7)"_s << u"A 1,[B 2]"_s << u"[A|1]"_s;
        QTest::newRow("pop-up Delete") << u"mnu_PopUpLV_Delete"_s << u"[A 1],B 2"_s << u"[B|2]"_s;
        QTest::newRow("double-click") << u"double-click"_s << u"A 1,[B 2],C 3"_s << u"A|1,[C|3]"_s;
        QTest::newRow("Delete key") << u"Del"_s << u"A 1,[B 2],C 3"_s << u"A|1,[C|3]"_s;
        QTest::newRow("toolbar Up")
            << u"FlatBttn(13)"_s << u"A 1,[B 2],C 3"_s << u"[B|2],A|1,C|3"_s;
        QTest::newRow("pop-up Up") << u"mnu_PopUpLV_MoveUp"_s << u"[A 1],B 2"_s << u"[A|1],B|2"_s;
        QTest::newRow("Ctrl+Up") << u"Ctrl+Up"_s << u"A 1,B 2,[C 3]"_s << u"A|1,[C|3],B|2"_s;
        QTest::newRow("toolbar Down")
            << u"FlatBttn(14)"_s << u"A 1,[B 2],C 3"_s << u"A|1,C|3,[B|2]"_s;
        QTest::newRow("pop-up Down") << u"mnu_PopUpLV_MoveDown"_s << u"A,[B]"_s << u"A|,[B|]"_s;
        QTest::newRow("Ctrl+Down") << u"Ctrl+Down"_s << u"[A 1],B 2"_s << u"B|2,[A|1]"_s;
        QTest::newRow("pop-up Comment") << u"mnu_PopUpLV_Comment"_s << u"[N 5]"_s << u"[;|N 5]"_s;
        QTest::newRow("toolbar Comment")
            << u"FlatBttn(15)"_s << u"A,[; NAME 5]"_s << u"A|,[NAME|5]"_s;
    }
    void listCommands()
    {
        QFETCH(QString, trigger);
        QFETCH(QString, lines);
        QFETCH(QString, expected);
        QVERIFY(open(lines));
        const QString before = RowTexts();
        ui().mnuToolsConfirmDelete->trigger();
        ui().tvTreeView->setFocus();
        QTRY_VERIFY(f->window->find().LastFocusInTree());
        const QPoint selected = list()->visualRect(list()->currentIndex()).center();
        if (trigger == u"double-click")
            QTest::mouseDClick(list()->viewport(), Qt::LeftButton, {}, selected);
        else if (auto* action = f->window->findChild<QAction*>(trigger))
            action->trigger();
        else
            QTest::keySequence(list(), QKeySequence(trigger));
        QCOMPARE(RowTexts(), expected);
        QCOMPARE(Changed(), expected != before);
        QCOMPARE(f->dialogs.count(u"message"_s), 0);
        QTRY_VERIFY(list()->hasFocus()); // so that keys go on working row after row
        QVERIFY(!f->window->find().LastFocusInTree());
    }

    // By menu, toolbar or key: the view's own keys would drop no-break spaces, double CR LFs.
    void clipboardCommands_data()
    {
        QTest::addColumn<QString>("command"); // an action run at the start, or a key run over all
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<bool>("changed");
        const QString same = u"A1\r\nB\u00A0C"_s, all = u"A1\nB\u00A0C"_s, clip = u"X\r\nY"_s;
        QTest::newRow("copy nothing") << u"mnuEditCopy"_s << same << QString() << false;
        QTest::newRow("copy") << u"Ctrl+C"_s << same << all << false;
        QTest::newRow("cut nothing") << u"FlatBttn(4)"_s << same << QString() << false;
        QTest::newRow("cut") << u"Ctrl+X"_s << QString() << all << true;
        QTest::newRow("paste") << u"FlatBttn(6)"_s << clip + same << clip << true;
        QTest::newRow("paste over") << u"Ctrl+V"_s << clip << clip << true;
    }
    void clipboardCommands()
    {
        QFETCH(QString, command);
        QVERIFY(f->open("A1\r\nB\240C"));
        f->ui().txtTextBox->setFocus(); // else a menu shortcut would run it twice
        if (QAction* action = f->window->findChild<QAction*>(command)) {
            action->trigger();
        } else {
            f->ui().mnuEditSelectAll->trigger();
            QTest::keySequence(f->ui().txtTextBox, QKeySequence(command));
        }
        QTEST(f->document().text(), "text");
        QTEST(QGuiApplication::clipboard()->text(), "clipboard");
        QTEST(f->document().DocumentChanged(), "changed");
    }
    void printing()
    {
        QVERIFY(f->open("MAXCONNECTIONS   64\r\n;note\r\n\r\nLOGLEVEL INFO\r\n"));
        WindowControls ui = f->ui();
        ui.FlatBttn[Button::Print]->trigger(); // the fake has no printer to give: cancelled
        QCOMPARE(f->dialogs.calls.last().title, u"Print"_s); // and nothing is said after it
        ui.txtTextBox->setFont(QFont(u"Monospace"_s, 13, QFont::Bold, true));
        ui.mnuViewmnuLVList->trigger();
        QVERIFY(!ui.mnuEditSelectAll->isEnabled() && !ui.FlatBttn[Button::Copy]->isEnabled());
        f->dialogs.printAnswers << f->env.path(u"printed.pdf"_s);
        ui.mnuFilemnuPrint->trigger();
        QVERIFY(QFileInfo(f->env.path(u"printed.pdf"_s)).size() > 0);
        ui.mnuViewmnuLVText->trigger(); // shows the rows in the form the list wrote them
        const QTextDocument& printed = f->window->editCommands().printBuffer();
        QCOMPARE(printed.toPlainText(), ui.txtTextBox->toPlainText());
        QCOMPARE(printed.defaultFont(), ui.txtTextBox->font());
    }

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

QTEST_MAIN(tst_EditCommands)
#include "tst_editcommands.moc"
