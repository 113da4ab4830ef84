#include "support/EditorFixture.h"
#include "ui/ProblemsPane.h"
#include "ui/StatusBar.h"
#include "ui/TextMarks.h"

using namespace Qt::StringLiterals;

namespace {

// Two errors and two warnings in the small catalogue's terms; line 3 is clean.
const QStringList Troubled{u"MAXCONNECTIONS 5000"_s, u"TRACE maybe"_s,   u"LOGLEVEL INFO"_s,
                           u"LOGLEVL INFO"_s,        u"SYNCMODE FULL"_s, u"BUFFERS"_s};

QTreeView* ProblemList(EditorFixture& f)
{
    return Control<QTreeView>(*f.window, u"lvProblems"_s);
}

QModelIndex Problem(EditorFixture& f, int row)
{
    return ProblemList(f)->model()->index(row, 0);
}

QString Counts(EditorFixture& f)
{
    return f.window->status().problemCounts();
}

} // namespace

class tst_Problems : public QObject {
    Q_OBJECT

private slots:
    // The pane lists the problems; the list marks its rows and the text underlines its lines,
    // each with the message as a tool tip; activating a problem goes to its line.
    void problemsShownInBothViews_data()
    {
        QTest::addColumn<bool>("listView");
        QTest::newRow("list") << true;
        QTest::newRow("text") << false;
    }
    void problemsShownInBothViews()
    {
        QFETCH(bool, listView);
        EditorFixture f;
        QVERIFY(f.openDocument(Troubled, listView));
        QVERIFY(Control<QWidget>(*f.window, u"fraProblems"_s)->isVisible());
        // Line, setting and message columns (the messages are the core table's).
        const QAbstractItemModel* listed = ProblemList(f)->model();
        QCOMPARE(listed->rowCount(), 4);
        QCOMPARE(listed->index(2, 0).data().toString() + listed->index(2, 1).data().toString() +
                     listed->index(2, 2).data().toString(),
                 u"4LOGLEVLUnknown setting LOGLEVL. Did you mean LOGLEVEL?"_s);
        QCOMPARE(Counts(f), u"2 errors, 2 warnings"_s);
        QCOMPARE(Problem(f, 2).data(Qt::AccessibleTextRole).toString(),
                 u"Line 4, warning, Unknown setting LOGLEVL. Did you mean LOGLEVEL?"_s);

        if (listView) {
            ProblemMarks& marks = f.window->problems().marks();
            QVERIFY(marks.markOf(0) && marks.markOf(0)->severity == ProblemCheck::Severity::Error);
            QVERIFY(marks.markOf(3) &&
                    marks.markOf(3)->severity == ProblemCheck::Severity::Warning);
            QVERIFY(!marks.markOf(2));
            QTreeView* list = f.ui().lvListView;
            const QPoint setting = list->visualRect(list->model()->index(1, 0)).center();
            QCOMPARE(ToolTipAt(list->viewport(), setting),
                     u"TRACE takes ON or OFF; \"maybe\" is neither.\nQuick fix: Set to ON\n"
                     "Quick fix: Set to OFF"_s);
        } else {
            const TextMarks& underlines = f.window->problems().textMarks();
            QCOMPARE(underlines.marks(),
                     (QHash<int, ProblemCheck::Severity>{{1, ProblemCheck::Severity::Error},
                                                         {2, ProblemCheck::Severity::Error},
                                                         {4, ProblemCheck::Severity::Warning},
                                                         {6, ProblemCheck::Severity::Warning}}));
            QVERIFY(underlines.isVisible()); // its tooltips: tst_documentviews
        }

        QVERIFY(f.activate());
        QTreeView* list = ProblemList(f);
        list->setFocus();
        list->setCurrentIndex(Problem(f, 2)); // line 4
        QTest::keyClick(list, Qt::Key_Return);
        const QTextCursor caret = f.ui().txtTextBox->textCursor();
        QCOMPARE(listView ? selectedRow(f.ui().lvListView) : caret.blockNumber(), 3);
        QVERIFY(listView || caret.positionInBlock() == 0);
        QTRY_VERIFY(listView ? f.ui().lvListView->hasFocus() : f.ui().txtTextBox->hasFocus());
        // A double-click does the same.
        list->scrollTo(Problem(f, 0));
        const QRect first = list->visualRect(Problem(f, 0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, first.center());
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, first.center());
        QCOMPARE(listView ? selectedRow(f.ui().lvListView)
                          : f.ui().txtTextBox->textCursor().blockNumber(),
                 0);
    }

    // Typing waits for a pause; a row operation, a view switch, an applied value, a version
    // choice and the document commands count too.
    void problemsFollowEdits()
    {
        EditorFixture f;
        QVERIFY(
            f.openDocument({u"MAXCONNECTIONS 5000"_s, u"BUFFERS 16"_s, u"SYNCMODE FULL"_s}, false));
        QCOMPARE(Counts(f), u"1 error"_s);

        QPlainTextEdit* text = f.ui().txtTextBox;
        text->moveCursor(QTextCursor::End);
        QTest::keyClick(text, Qt::Key_Return);
        QTest::keyClicks(text, u"TRACE"_s);
        QCOMPARE(Counts(f), u"1 error"_s); // not at every key
        QTRY_COMPARE(Counts(f), u"1 error, 1 warning"_s);

        f.trigger(u"mnuViewmnuLVList"_s);
        QCOMPARE(Counts(f), u"1 error, 1 warning"_s);
        QCOMPARE(f.rows().row(4).Setting, u"TRACE"_s); // after the empty last line
        QVERIFY(f.clickRow(4));
        f.dialogs.messageAnswers << QMessageBox::Yes;
        f.ui().mnuEditDelete->trigger();
        QTRY_COMPARE(Counts(f), u"1 error"_s);

        QVERIFY(f.clickRow(0));
        f.fill(-1, u"100"_s);
        QTest::mouseClick(f.ui().cmdOK, Qt::LeftButton);
        QCOMPARE(f.rows().row(0).Parameter, u"100"_s);
        QTRY_COMPARE(Counts(f), u"No problems"_s);
        QVERIFY(!f.window->problems().marks().markOf(0));

        f.ui().mnuDVVersion[2]->trigger(); // version 1 has no SYNCMODE
        QCOMPARE(Counts(f), u"1 warning"_s);
        QVERIFY(f.clickRow(2));
        QCOMPARE(f.window->status().bar()->currentMessage(),
                 u"SYNCMODE needs Dravane version 3 or later; the chosen version is 1."_s);

        f.dialogs.messageAnswers << QMessageBox::No; // the edits are not saved
        f.trigger(u"mnuFileClose"_s);
        QCOMPARE(Counts(f), QString());
        QCOMPARE(ProblemList(f)->model()->rowCount(), 0);
        f.trigger(u"mnuFileNew"_s);
        QCOMPARE(Counts(f), u"No problems"_s);
    }

    // The pane is as high as its problems, one line without any, never more than a quarter of
    // the document unless the user drags it so, and not there without a document.
    void paneLeavesTheDocumentItsRoom()
    {
        EditorFixture f;
        auto* pane = Control<QWidget>(*f.window, u"fraProblems"_s);
        auto* split = Control<QSplitter>(*f.window, u"vbuSplitterProblems"_s);
        const auto quarter = [&] { return pane->height() <= split->sizes().value(0) / 4; };
        QVERIFY(pane->isHidden());
        QVERIFY(f.openDocument({u"LOGLEVEL INFO"_s}));
        QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
        QTRY_VERIFY(pane->isVisible() &&
                    Control<QLabel>(*f.window, u"lblNoProblems"_s)->isVisible());
        QVERIFY(pane->height() < 2 * pane->fontMetrics().height());
        f.ui().vbuSplitterHoriz->setSizes({600, 100}); // room for all four problems
        QVERIFY(f.openDocument(Troubled));
        QTreeView* list = ProblemList(f);
        QTRY_VERIFY(list->isVisible());
        QVERIFY(list->viewport()->rect().contains(list->visualRect(Problem(f, 3))));
        QVERIFY(quarter());
        f.ui().vbuSplitterHoriz->setSizes({200, 500});
        QTRY_VERIFY(quarter());

        const int dragged = split->sizes().value(1) + 60;
        split->setSizes({split->sizes().value(0) - 60, dragged});
        emit split->splitterMoved(split->sizes().value(0), 1);
        QVERIFY(f.openDocument({u"LOGLEVEL INFO"_s}));
        QCOMPARE(split->sizes().value(1), dragged);
        f.trigger(u"mnuViewmnuProblems"_s); // View > Problems hides it, the document open
        QVERIFY(pane->isHidden());
        f.trigger(u"mnuViewmnuProblems"_s);
        f.trigger(u"mnuFileClose"_s);
        QVERIFY(pane->isHidden());
    }

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
        QTreeView* problems = ProblemList(f);
        const QModelIndex problem = Problem(f, line - 1);
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

    // Without the catalogue nothing is checked, and nothing claims there is no problem.
    void uncheckedIsNotClean()
    {
        ConfigDocument document;
        document.newDocument();
        QWidget pane;
        QTreeView problems;
        QTreeView list;
        QPlainTextEdit text;
        QLabel none;
        QSplitter split;
        EditingState state;
        QVERIFY(!state.load(u"/nonexistent/DraCFG.mdb"_s));
        ProblemsPane check(document, state, {&pane, &problems, &list, &text, &none, &split});
        QSignalSpy counts(&check, &ProblemsPane::countsChanged);
        check.recheck();
        QCOMPARE(counts.value(0).value(0).toString(), u"Problems not checked"_s);
        QVERIFY(none.text().startsWith(u"Problems not checked: "_s));
    }
};

QTEST_MAIN(tst_Problems)
#include "tst_problems.moc"
