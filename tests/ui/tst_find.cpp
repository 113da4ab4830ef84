#include "support/EditorFixture.h"

using namespace Qt::StringLiterals;

// Find, Find Next and Previous, Replace and Go to Line.
class tst_Find : public QObject {
    Q_OBJECT

private slots:
    void init() { QVERIFY(f.emplace().window); }
    void dialogAndTreeSearchWithoutADocument()
    {
        f->window->setGeometry(60, 40, 640, 420);
        openFind(QString());
        QVERIFY(button("optTV")->isChecked() && !button("optEditor")->isEnabled());
        QCOMPARE(dialog()->y() - f->window->y(), f->window->frameGeometry().height() / 2);
        for (QAction* again : {ui().mnuFind, ui().FlatBttn[Button::Find]})
            again->trigger();
        QCOMPARE(f->window->findChildren<QDialog*>(u"frmFind"_s).size(), 1);

        // The Settings Explorer adds the category nodes first, then the settings under them.
        QTest::keyClicks(txtFind(), u"log"_s);
        for (const QString& node : {u"PLogging"_s, u"CLOGLEVEL"_s, u"CLOGFILE"_s}) {
            pressFind();
            QCOMPARE(ui().tvTreeView->currentItem()->data(0, SettingsTree::NodeKeyRole).toString(),
                     node);
        }

        // Nodes the filter hides are passed over: only LOGFILE shows, under its category.
        f->window->findChild<QLineEdit*>(u"txtFilter"_s)->setText(u"LOGFILE"_s);
        txtFind()->setText(u"e"_s);
        pressFind();
        QCOMPARE(ui().tvTreeView->currentItem()->text(0), u"LOGFILE"_s);
        QVERIFY(ui().tvTreeView->currentItem()->isSelected());
        pressFind();
        QCOMPARE(f->dialogs.last(u"message"_s).text, u"String not found."_s);
    }
    // The window starts with the focus where it says nothing about the tree, so the first Find
    // over a document looks in the editor.
    void searchesAndClosingResets()
    {
        QVERIFY(f->activate());
        QVERIFY(QApplication::focusWidget() != ui().tvTreeView);
        QVERIFY(f->open("AAAA\r\nAA"));
        QVERIFY(!f->window->find().LastFocusInTree());
        openFind(u"aa"_s);
        QVERIFY(button("optEditor")->isChecked());
        // The last match lies past a line break, which is one position in the text view.
        for (int start : {0, 1, 2, 5}) {
            pressFind();
            QCOMPARE(qMakePair(cursor().anchor(), cursor().position()),
                     qMakePair(start, start + 2));
        }
        pressFind();
        QCOMPARE(f->dialogs.last(u"message"_s).text, u"String not found."_s);
        QTest::mouseClick(button("FBCancel"), Qt::LeftButton);
        QTRY_VERIFY(!dialog());
        QCOMPARE(f->window->find().FindTextOffset, 0);

        QVERIFY(f->open("LOG 1\r\n; cache\r\n\r\nCACHESIZE _DATA\r\nLOG 2\r\nCACHESIZE x", true));
        QVERIFY(f->activate()); // the closed dialog had the focus
        ui().tvTreeView->setFocus();
        QTRY_VERIFY(f->window->find().LastFocusInTree());
        openFind(u"cachesize"_s); // the new dialog starts empty: this is the whole key
        QVERIFY(button("optTV")->isChecked());
        button("optEditor")->setChecked(true);
        for (int row : {3, 5}) {
            QCOMPARE(pressFind(), u"Find Next"_s);
            QCOMPARE(selectedRow(ui().lvListView), row);
        }
        pressFind();
        QCOMPARE(f->dialogs.count(u"message"_s), 1); // the earlier one went with the first document
        const FakeDialogs::Call message = f->dialogs.last(u"message"_s);
        QCOMPARE(QStringList({message.title, message.text}),
                 QStringList({u"DraCFG Editor"_s, u"String not found."_s}));
        QCOMPARE(message.icon, QMessageBox::NoIcon);
        QCOMPARE(selectedRow(ui().lvListView), 5);
        QTest::keyClick(txtFind(), Qt::Key_Backspace); // an edited key starts from the top
        pressFind();
        QCOMPARE(selectedRow(ui().lvListView), 3);
    }

    // A match far below the visible rows is brought into view, in each of the three targets;
    // a node found in the Settings Explorer arranges the value editor as a click does.
    void aMatchIsScrolledIntoView_data()
    {
        QTest::addColumn<QString>("target"); // list, text or tree
        QTest::newRow("list") << u"list"_s;
        QTest::newRow("text") << u"text"_s;
        QTest::newRow("tree") << u"tree"_s;
    }
    void aMatchIsScrolledIntoView()
    {
        QFETCH(QString, target);
        QStringList lines;
        for (int i = 0; i < 400; ++i)
            lines << u"LOGFILE %1.log"_s.arg(i);
        lines << u"NEEDLE 1"_s;
        QVERIFY(f->openDocument(lines, target != u"text"));
        f->window->resize(900, 420);
        QVERIFY(QTest::qWaitForWindowExposed(f->window.get()));
        ui().tvTreeView->expandAll();
        const QList<QWidget*> views{ui().lvListView, ui().txtTextBox, ui().tvTreeView};
        views.at(QStringList{u"list"_s, u"text"_s, u"tree"_s}.indexOf(target))->setFocus();
        QTRY_COMPARE(f->window->find().LastFocusInTree(), target == u"tree");
        // The tree's last category holds the sought node.
        openFind(target == u"tree" ? u"syncmode"_s : u"needle"_s);
        pressFind();
        QCOMPARE(f->dialogs.count(u"message"_s), 0);
        QAbstractScrollArea* view = ui().tvTreeView;
        QRect match;
        if (target == u"list") {
            view = ui().lvListView;
            QCOMPARE(selectedRow(ui().lvListView), 400);
            match = ui().lvListView->visualRect(ui().lvListView->model()->index(400, 0));
        } else if (target == u"text") {
            view = ui().txtTextBox;
            QCOMPARE(cursor().selectedText(), u"NEEDLE"_s);
            match = ui().txtTextBox->cursorRect();
        } else {
            QCOMPARE(ui().tvTreeView->currentItem()->text(0), u"SYNCMODE"_s);
            match = ui().tvTreeView->visualItemRect(ui().tvTreeView->currentItem());
            QCOMPARE(ui().lblTitle[0]->text(), u"SYNCMODE"_s);
            QVERIFY(ui().cboParam->isVisibleTo(ui().picTitles));
            QCOMPARE(ui().helpPane->currentWidget(), ui().brwHelpBrowser);
        }
        QVERIFY2(view->viewport()->rect().contains(match), qPrintable(QDebug::toString(match)));
    }
    // Return in the dialog is always the next press: the dialog keeps the keyboard focus, so
    // the match selected in the text view is never typed over.
    void returnIsFindNextWithTheFocusKept()
    {
        QVERIFY(f->open("LOG 1\r\nCACHESIZE 2\r\nCACHESIZE 3\r\n"));
        QVERIFY(f->activate());
        ui().txtTextBox->setFocus();
        const QString before = f->document().text();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F, Qt::ControlModifier);
        QTRY_COMPARE(QApplication::focusWidget(), txtFind());
        QTest::keyClicks(QApplication::focusWidget(), u"cachesize"_s);
        for (int start : {6, 18}) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            QCOMPARE(QApplication::focusWidget(), txtFind());
            QCOMPARE(qMakePair(cursor().anchor(), cursor().position()),
                     qMakePair(start, start + 9));
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab); // nothing typed over either
        QCOMPARE(f->document().text(), before);
        QVERIFY(!f->document().DocumentChanged());
        // Ctrl+F with the dialog open brings the focus back to the search text.
        ui().txtTextBox->activateWindow();
        ui().mnuFind->trigger();
        QTRY_COMPARE(QApplication::focusWidget(), txtFind());
    }

    // Ctrl+G goes to the line asked for, within the document, in either view.
    void goToLine_data()
    {
        QTest::addColumn<bool>("listView");
        QTest::addColumn<int>("asked");
        QTest::addColumn<int>("line"); // 0-based: the row selected, or the caret's line
        QTest::newRow("text") << false << 3 << 2;
        QTest::newRow("list, past the end") << true << 99 << 3;
    }
    void goToLine()
    {
        QFETCH(bool, listView);
        QFETCH(int, asked);
        QFETCH(int, line);
        QVERIFY(f->open("A 1\r\nB 2\r\nC 3\r\nD 4\r\n", listView));
        QVERIFY(f->activate());
        f->dialogs.onModal = [asked](QDialog& dialog) {
            qobject_cast<QInputDialog*>(&dialog)->setIntValue(asked);
            dialog.accept();
        };
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_G, Qt::ControlModifier);
        const QTextCursor caret = cursor();
        QCOMPARE(listView ? selectedRow(ui().lvListView) : caret.blockNumber(), line);
        QVERIFY(listView || caret.atBlockStart());
    }

    // Before any search F3 opens the Find window; once it is closed, F3 and Shift+F3 go on
    // from the match shown, in the text or from the row shown in the list.
    void findAgainWithTheWindowClosed()
    {
        QVERIFY(f->open("AA 1\r\nB 2\r\nAA 3\r\nAA 4\r\n"));
        f->trigger(u"mnuFindNext"_s);
        QTest::keyClicks(txtFind(), u"aa"_s);
        QTest::keyClick(dialog(), Qt::Key_Return);
        QTest::keyClick(dialog(), Qt::Key_Escape);
        QTRY_VERIFY(!dialog());
        for (const auto& [command, start] :
             {std::pair{"mnuFindNext", 9}, {"mnuFindNext", 14}, {"mnuFindPrevious", 9}}) {
            f->trigger(QLatin1String(command));
            QCOMPARE(cursor().selectionStart(), start);
        }
        ui().mnuViewmnuLVList->trigger();
        QVERIFY(f->clickRow(3));
        for (int row : {2, 0}) {
            f->trigger(u"mnuFindPrevious"_s);
            QCOMPARE(selectedRow(ui().lvListView), row);
        }
    }

    // Replace takes the match selected and selects the next; Replace All takes the rest in one
    // step, a save rewrites only the lines changed, and the window goes with the text view.
    void replaceThenReplaceAllThenUndo()
    {
        QVERIFY(f->open("A log\r\nB 2\nLOG 3\r\n"));
        QVERIFY(f->activate());
        QTest::keyClick(ui().txtTextBox, Qt::Key_H, Qt::ControlModifier);
        QDialog* replace = f->window->findChild<QDialog*>(u"frmReplace"_s);
        QTest::keyClicks(replace->findChild<QLineEdit*>(u"txtFind"_s), u"log"_s);
        QTest::keyClicks(replace->findChild<QLineEdit*>(u"txtReplace"_s), u"Trace"_s);
        QCheckBox* matchCase = replace->findChild<QCheckBox*>(u"chkMatchCase"_s);
        matchCase->setChecked(true);
        // Replace with the case matched selects "log", replaces it and finds no other; Replace
        // All, ignoring case, then takes "LOG".
        for (const char* button : {"FBReplace", "FBReplace", "FBReplaceAll"}) {
            QTest::mouseClick(replace->findChild<QPushButton*>(button), Qt::LeftButton);
            matchCase->setChecked(f->dialogs.calls.isEmpty());
        }
        QCOMPARE(f->dialogs.count(u"message"_s), 2); // "String not found.", then the count
        QCOMPARE(f->dialogs.last(u"message"_s).text, u"Replaced 1 occurrence."_s);
        f->trigger(u"mnuFilemnuSave"_s);
        QCOMPARE(ReadBytes(f->document().path()), "A Trace\r\nB 2\nTrace 3\r\n");
        f->trigger(u"mnuEditUndo"_s);
        QCOMPARE(f->document().text(), u"A Trace\r\nB 2\r\nLOG 3\r\n"_s);
        ui().mnuViewmnuLVList->trigger();
        QTRY_VERIFY(!f->window->findChild<QDialog*>(u"frmReplace"_s));
    }

private:
    WindowControls ui() { return f->ui(); }
    QDialog* dialog() { return f->window->findChild<QDialog*>(u"frmFind"_s); }
    QAbstractButton* button(const char* id) { return dialog()->findChild<QAbstractButton*>(id); }
    QLineEdit* txtFind() { return dialog()->findChild<QLineEdit*>(u"txtFind"_s); }
    void openFind(const QString& key)
    {
        ui().mnuFind->trigger();
        QTest::keyClicks(txtFind(), key);
    }
    QString pressFind() // returns the button's caption afterwards
    {
        QTest::mouseClick(button("FBFind"), Qt::LeftButton);
        return button("FBFind")->text();
    }
    QTextCursor cursor() { return ui().txtTextBox->textCursor(); }

    std::optional<EditorFixture> f;
};

QTEST_MAIN(tst_Find)
#include "tst_find.moc"
