#include "support/EditorFixture.h"
#include "ui/Commands.h"

using namespace Commands;
using namespace Qt::StringLiterals;

// Tests and the user guide find controls by their objectName: a name that changes or goes
// breaks them, so the list changes only on purpose. Qt's own helpers ("qt_...") are not ours to
// keep, nor are their "_q_..." ones (a line edit's clear button). Then the window driven from the
// keyboard alone: shortcuts, mnemonics and the Tab order.
class tst_ObjectNames : public QObject {
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

    void mainWindowNamesAreKept()
    {
        QStringList names{f->window->objectName()};
        for (const QObject* child : f->window->findChildren<QObject*>()) {
            const QString name = child->objectName();
            if (!name.isEmpty() && !name.startsWith(QLatin1String("qt_")) &&
                !name.startsWith(QLatin1String("_q_")))
                names << name;
        }
        names.sort();
        names.removeDuplicates();
        QFile expected(QStringLiteral(DRACFG_SOURCE_DIR "/tests/ui/objectnames.txt"));
        QVERIFY(expected.open(QIODevice::ReadOnly | QIODevice::Text));
        const QStringList known =
            QString::fromUtf8(expected.readAll()).split(u'\n', Qt::SkipEmptyParts);
        if (names != known)
            qWarning().noquote() << "The window now has these names:\n" + names.join(u'\n');
        QCOMPARE(names, known);
    }

    // Each menu's items in order with their shortcuts ("|" a separator, ">" a submenu), and the
    // toolbar's buttons left to right by tooltip.
    void commandsLandInTheirMenus_data()
    {
        QTest::addColumn<QString>("layout");
        QTest::newRow("mnuFile") << u"mnuFilemnuSelectVersion>, mnuFileNew Ctrl+N, mnuFileOpen "
                                    u"Ctrl+O, mnuFileRecent>, mnuFilemnuSave Ctrl+S, "
                                    u"mnuFilemnuSaveAs Ctrl+Shift+S, mnuFileCompare, "
                                    u"mnuFileLineEnds>, |, mnuFilemnuPrint Ctrl+P, |, mnuFileClose "
                                    u"Ctrl+W, mnuFilemnuExit Ctrl+Q"_s;
        QTest::newRow("mnuFileLineEnds") << u"mnuFileLineEndsCrLf, mnuFileLineEndsLf"_s;
        QTest::newRow("mnuEdit") << u"mnuEditUndo Ctrl+Z, mnuEditRedo Ctrl+Y; Ctrl+Shift+Z, |, "
                                    u"mnuEditCut Ctrl+X, mnuEditCopy Ctrl+C, mnuEditPaste Ctrl+V, "
                                    u"mnuEditDelete, |, mnuEditSelectAll Ctrl+A, mnuFind Ctrl+F, "
                                    u"mnuFindNext F3, mnuFindPrevious Shift+F3, mnuReplace Ctrl+H, "
                                    u"mnuGoToLine Ctrl+G"_s;
        QTest::newRow("mnuView") << u"mnuViewmnuShowHelp, |, mnuViewmnuListCat, "
                                    u"mnuViewmnuListAlpha, |, mnuViewmnuLVText, mnuViewmnuLVList, "
                                    u"mnuViewmnuProblems, |, mnuViewmnuExpandTV, "
                                    u"mnuViewmnuCollapseTV"_s;
        QTest::newRow("mnuTools") << u"mnuToolsFonts, mnuToolsConfirmDelete"_s;
        QTest::newRow("mnuHelp") << u"mnuHelpContents F1, |, mnuHelpAbout"_s;
        QTest::newRow("mnuPopUpLV") << u"mnu_PopUpLV_MoveUp, mnu_PopUpLV_MoveDown, |, "
                                       u"mnu_PopUpLV_Delete, mnu_PopUpLV_TextView, |, "
                                       u"mnu_PopUpLV_Comment"_s;
        QTest::newRow("mnuPopUpTV") << u"mnu_PopUpTV_ExpandAll, mnu_PopUpTV_CollapseAll, |, "
                                       u"mnu_PopUpTV_SortCategory, mnu_PopUpTV_SortAlpha"_s;
        QTest::newRow("CoolBar1") << u"New, Open, Save, Print, |, Cut, Copy, Paste, Delete, |, "
                                     u"Find, |, List Settings Alphabetically, List Settings "
                                     u"Categorically, |, Text View, List View, |, Show/Hide Help "
                                     u"Window, |, Move Up, Move Down, |, Add/Remove Comment"_s;
    }
    void commandsLandInTheirMenus()
    {
        QFETCH(QString, layout);
        const QString name = QString::fromLatin1(QTest::currentDataTag());
        QWidget* holder = Control<QWidget>(*f->window, name);
        QStringList shown;
        for (QAction* action : holder->actions()) {
            if (action->isSeparator())
                shown << u"|"_s;
            else if (qobject_cast<QToolBar*>(holder))
                shown << action->toolTip();
            else if (action->menu())
                shown << action->menu()->objectName() + u'>';
            else
                shown << (action->objectName() + u' ' +
                          QKeySequence::listToString(action->shortcuts()))
                             .trimmed();
        }
        QCOMPARE(shown.join(u", "_s), layout);
    }

    // Exclusive choices show radio marks: one exclusive group of two checkable items each (the
    // views' tests follow the mark).
    void exclusiveChoicesKeepOneMark()
    {
        for (const Command& command : table()) {
            if (command.choices == 0)
                continue;
            QAction* item = Control(*f->window, QLatin1String(command.name));
            QActionGroup* group = item->actionGroup();
            QVERIFY2(group && group->isExclusive() && group->actions().size() == 2 &&
                         item->isCheckable(),
                     command.name);
        }
    }

    // Each key reaches its command from the text view, which has key bindings of its own (the
    // undo keys are tst_editcommands').
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

QTEST_MAIN(tst_ObjectNames)
#include "tst_objectnames.moc"
