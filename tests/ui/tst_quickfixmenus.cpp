#include "support/EditorFixture.h"
#include "ui/ProblemsPane.h"

using namespace Qt::StringLiterals;

class tst_QuickFixMenus : public QObject {
    Q_OBJECT

private slots:
    // Each way to a problem's fixes: the chosen fix is one named step, and the check has run
    // again by the time it returns. "Edit value..." sets the value editor up on the row.
    void fixFromEachPlace_data()
    {
        QTest::addColumn<QString>("way");
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("fix");
        QTest::addColumn<QString>("after");
        QTest::newRow("pane menu")
            << u"pane"_s << 1 << u"Change to LOGLEVEL"_s << u"LOGLEVEL INFO"_s;
        QTest::newRow("Ctrl+. in pane") << u"key"_s << 2 << u"Set to ON"_s << u"TRACE ON"_s;
        QTest::newRow("text menu") << u"text"_s << 2 << u"Set to OFF"_s << u"TRACE OFF"_s;
        QTest::newRow("list menu") << u"list"_s << 3 << u"Edit value..."_s << QString();
    }
    void fixFromEachPlace()
    {
        QFETCH(QString, way);
        QFETCH(int, line);
        QFETCH(QString, fix);
        QFETCH(QString, after);
        EditorFixture f;
        const QStringList lines{u"LOGLEVL INFO"_s, u"TRACE maybe"_s, u"BUFFERS"_s};
        QVERIFY(f.openDocument(lines, way == u"pane"_s || way == u"list"_s));
        QVERIFY(f.activate());
        auto* problems = Control<QTreeView>(*f.window, u"lvProblems"_s);
        const QModelIndex problem = problems->model()->index(line - 1, 0);
        if (way == u"key"_s) {
            problems->setCurrentIndex(problem);
            QTest::keyClick(problems, Qt::Key_Period, Qt::ControlModifier);
        } else if (way == u"list"_s) {
            QTreeView* list = f.ui().lvListView;
            QVERIFY(f.clickRow(line - 1));
            QTest::mousePress(list->viewport(), Qt::RightButton, {},
                              list->visualRect(list->model()->index(line - 1, 0)).center());
        } else {
            QWidget* viewport =
                way == u"pane"_s ? problems->viewport() : f.ui().txtTextBox->viewport();
            const QPoint at =
                way == u"pane"_s
                    ? problems->visualRect(problem).center()
                    : f.ui()
                          .txtTextBox
                          ->cursorRect(QTextCursor(
                              f.ui().txtTextBox->document()->findBlockByNumber(line - 1)))
                          .center();
            QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, at, viewport->mapToGlobal(at));
            QApplication::sendEvent(viewport, &menuEvent);
        }
        QMenu* menu = nullptr;
        QTRY_VERIFY((menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())));
        QAction* chosen = nullptr;
        for (QAction* item : menu->actions())
            chosen = item->text() == fix ? item : chosen;
        QVERIFY(chosen);
        chosen->trigger();
        menu->close();
        if (after.isEmpty()) {
            QCOMPARE(selectedRow(f.ui().lvListView), line - 1);
            QCOMPARE(f.ui().txtParam->isVisible(), true);
            QTRY_COMPARE(QApplication::focusWidget(), f.ui().txtParam);
            QVERIFY(!f.document().DocumentChanged());
            return;
        }
        QCOMPARE(f.document().lines().at(line - 1), after);
        QAction* undo = Control(*f.window, u"mnuEditUndo"_s);
        QCOMPARE(undo->text(), u"&Undo Fix: "_s + fix.first(1).toLower() + fix.sliced(1));
        for (const ProblemCheck::Problem& left : f.window->problems().problems())
            QVERIFY(left.line != line);
        undo->trigger();
        QCOMPARE(f.document().lines(), lines);
        QVERIFY(!f.document().DocumentChanged());
    }
};

QTEST_MAIN(tst_QuickFixMenus)
#include "tst_quickfixmenus.moc"
