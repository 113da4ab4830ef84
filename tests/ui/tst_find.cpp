#include "support/EditorFixture.h"

using namespace Qt::StringLiterals;

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
    void searchesAndClosingResets()
    {
        QVERIFY(f->open("AAAA\r\nAA"));
        ui().tvTreeView->setFocus();
        QTRY_VERIFY(f->window->find().LastFocusInTree());
        ui().txtTextBox->setFocus();
        QTRY_VERIFY(!f->window->find().LastFocusInTree());
        openFind(u"aa"_s); // the focus last in a view: the editor is the default target
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

    // The window starts with the focus where it says nothing about the tree, so the first Find
    // over a document looks in the editor.
    void startsWithTheFocusOutsideTheTree()
    {
        QVERIFY(f->activate());
        QWidget* focus = QApplication::focusWidget();
        QVERIFY2(focus && focus != ui().tvTreeView, focus ? qPrintable(focus->objectName()) : "");
        QVERIFY(!f->window->find().LastFocusInTree());
        ui().mnuFileNew->trigger();
        openFind(QString());
        QVERIFY(button("optEditor")->isChecked());
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

    // Shift+F3 goes back from the row shown in the list.
    void findPreviousGoesBack()
    {
        QVERIFY(f->open("AA 1\r\nB 2\r\nAA 3\r\nAA 4\r\n", true));
        openFind(u"aa"_s);
        pressFind();
        QVERIFY(f->clickRow(3));
        for (int row : {2, 0}) {
            f->trigger(u"mnuFindPrevious"_s);
            QCOMPARE(selectedRow(ui().lvListView), row);
        }
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
