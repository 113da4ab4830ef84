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
        QVERIFY(f.openDocument({u"LOGLEVL INFO"_s, u"TRACE maybe"_s, u"BUFFERS"_s},
                               way == u"pane"_s || way == u"list"_s));
        QVERIFY(f.activate());
        auto* problems = Control<QTreeView>(*f.window, u"lvProblems"_s);
        const QModelIndex problem = problems->model()->index(line - 1, 0);
        if (way == u"key"_s) {
            problems->setCurrentIndex(problem);
            QTest::keyClick(problems, Qt::Key_Period, Qt::ControlModifier);
        } else if (way == u"list"_s) {
            QVERIFY(f.clickRow(line - 1));
            QTest::mousePress(f.ui().lvListView->viewport(),
                              Qt::RightButton); // acts on the selected row
        } else {
            QPlainTextEdit* text = f.ui().txtTextBox;
            const bool pane = way == u"pane"_s;
            QWidget* viewport = pane ? problems->viewport() : text->viewport();
            const QPoint at =
                pane ? problems->visualRect(problem).center()
                     : text->cursorRect(QTextCursor(text->document()->findBlockByNumber(line - 1)))
                           .center();
            QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, at, viewport->mapToGlobal(at));
            QApplication::sendEvent(viewport, &menuEvent);
        }
        QMenu* menu = nullptr;
        QTRY_VERIFY((menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())));
        const QList<QAction*> items = menu->actions();
        const auto chosen = std::find_if(items.begin(), items.end(),
                                         [&](QAction* item) { return item->text() == fix; });
        QVERIFY(chosen != items.end());
        (*chosen)->trigger();
        menu->close();
        if (after.isEmpty()) {
            QCOMPARE(selectedRow(f.ui().lvListView), line - 1);
            QTRY_COMPARE(QApplication::focusWidget(), f.ui().txtParam);
            QVERIFY(!f.document().DocumentChanged());
            return;
        }
        QCOMPARE(f.document().lines().at(line - 1), after);
        QCOMPARE(Control(*f.window, u"mnuEditUndo"_s)->text(),
                 u"&Undo Fix: "_s + fix.first(1).toLower() + fix.sliced(1));
        for (const ProblemCheck::Problem& left : f.window->problems().problems())
            QVERIFY(left.line != line);
    }
};

QTEST_MAIN(tst_QuickFixMenus)
#include "tst_quickfixmenus.moc"
