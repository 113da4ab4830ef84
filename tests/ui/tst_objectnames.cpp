#include "support/EditorFixture.h"
#include "ui/Commands.h"

using namespace Commands;
using namespace Qt::StringLiterals;

// Tests and the user guide find controls by their objectName: a name that changes or goes
// breaks them, so the list changes only on purpose. Qt's own helpers ("qt_...") are not ours to
// keep, nor are their "_q_..." ones (a line edit's clear button).
class tst_ObjectNames : public QObject {
    Q_OBJECT

    TestEnvironment env;
    FakeDialogs dialogs;
    std::unique_ptr<MainWindow> window;

private slots:
    void initTestCase() { QVERIFY((window = env.startMainWindow(dialogs))); }

    void mainWindowNamesAreKept()
    {
        QStringList names{window->objectName()};
        for (const QObject* child : window->findChildren<QObject*>()) {
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
        QWidget* holder = Control<QWidget>(*window, name);
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

    // Exclusive choices show radio marks: one group each, and a choice taken leaves one mark.
    void exclusiveChoicesKeepOneMark()
    {
        for (const Command& command : table()) {
            if (command.choices == 0)
                continue;
            QAction* item = Control(*window, QLatin1String(command.name));
            QActionGroup* group = item->actionGroup();
            QVERIFY2(group && group->isExclusive() && group->actions().size() == 2, command.name);
            item->trigger();
            int marks = 0;
            for (const QAction* choice : group->actions())
                marks += choice->isChecked();
            QCOMPARE(marks, 1);
        }
    }
};

QTEST_MAIN(tst_ObjectNames)
#include "tst_objectnames.moc"
