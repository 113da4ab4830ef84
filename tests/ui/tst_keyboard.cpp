// The window driven from the keyboard alone: shortcuts, mnemonics and the Tab order.

#include "support/EditorFixture.h"

using namespace Qt::StringLiterals;

class tst_Keyboard : public QObject {
    Q_OBJECT

    std::optional<EditorFixture> f;
    WindowControls ui() { return f->ui(); }
    static QString focusName()
    {
        const QWidget* focus = QApplication::focusWidget();
        return focus ? focus->objectName() : u"(none)"_s;
    }

private slots:
    void init()
    {
        QVERIFY(f.emplace().window);
        QVERIFY(f->activate());
    }

    // Each key reaches its command from the text view, which has key bindings of its own (the
    // undo keys are tst_undoredo's).
    void shortcuts_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("keys");
        QTest::newRow("Save As") << u"mnuFilemnuSaveAs"_s << u"Ctrl+Shift+S"_s;
        QTest::newRow("Close") << u"mnuFileClose"_s << u"Ctrl+W"_s;
        QTest::newRow("Exit") << u"mnuFilemnuExit"_s << u"Ctrl+Q"_s;
        QTest::newRow("Find Next") << u"mnuFindNext"_s << u"F3"_s;
        QTest::newRow("Find Previous") << u"mnuFindPrevious"_s << u"Shift+F3"_s;
    }
    void shortcuts()
    {
        QFETCH(QString, item);
        QFETCH(QString, keys);
        QVERIFY(f->open("A 1\r\n"));
        QPlainTextEdit* text = ui().txtTextBox;
        text->setFocus();
        QAction* action = Control(*f->window, item);
        QSignalSpy triggered(action, &QAction::triggered);
        QTest::keySequence(text, QKeySequence(keys));
        QCOMPARE(triggered.size(), 1);
    }

    // Every item of every menu, pop-ups included, has a mnemonic of its own in its menu.
    void mnemonics()
    {
        QList<QList<QAction*>> menus{f->window->menuBar()->actions()};
        for (QMenu* menu : f->window->findChildren<QMenu*>())
            menus << menu->actions();
        for (const QList<QAction*>& items : std::as_const(menus)) {
            QSet<QKeySequence> taken;
            for (QAction* item : items) {
                if (item->isSeparator() || !item->isVisible())
                    continue;
                const QKeySequence key = QKeySequence::mnemonic(item->text());
                QVERIFY2(!key.isEmpty() && !taken.contains(key), qPrintable(item->text()));
                taken.insert(key);
            }
        }
    }

    // Tab and Shift+Tab go round the regions in reading order. In the text Tab types a tab
    // and Ctrl+Tab leaves.
    void tabOrder()
    {
        QVERIFY(f->openDocument({u"SERVERNAME main"_s, u"LOGLEVL 1"_s}));
        QVERIFY(f->clickNode(u"SERVERNAME"_s));
        const QStringList round{u"txtFilter"_s,  u"tvTreeView"_s,     u"txtParam"_s,
                                u"cmdOK"_s,      u"cmdCancel"_s,      u"lvListView"_s,
                                u"lvProblems"_s, u"brwHelpBrowser"_s, u"txtFilter"_s};
        ui().lvListView->setFocus();
        Control<QWidget>(*f->window, round.first())->setFocus();
        QStringList forward{focusName()}, backward{focusName()};
        for (qsizetype i = 1; i < round.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            forward << focusName();
        }
        QCOMPARE(forward, round);
        for (qsizetype i = 1; i < round.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
            backward.prepend(focusName());
        }
        QCOMPARE(backward, round);
        f->trigger(u"mnuViewmnuLVText"_s);
        QPlainTextEdit* text = ui().txtTextBox;
        text->setFocus();
        QTest::keyClick(text, Qt::Key_Tab);
        QCOMPARE(focusName(), u"txtTextBox"_s);
        QVERIFY(f->document().text().startsWith(u'\t'));
        QTest::keyClick(text, Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(focusName(), u"lvProblems"_s);
        text->setFocus();
        QTest::keyClick(text, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(focusName(), u"tvTreeView"_s); // the switch of view emptied the value editor
    }

    // The list has no clipboard commands: Ctrl+C there leaves the clipboard alone.
    void noCopyInTheList()
    {
        QVERIFY(f->openDocument({u"LOGLEVEL 1"_s}));
        QVERIFY(f->clickRow(0));
        QGuiApplication::clipboard()->setText(u"kept"_s);
        QTest::keyClick(ui().lvListView, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), u"kept"_s);
    }
};

QTEST_MAIN(tst_Keyboard)
#include "tst_keyboard.moc"
