#include "core/RowModel.h"
#include "ui/ListSelection.h"

#include <QScrollBar>
#include <QTest>
#include <QTreeView>

class tst_ListSelection : public QObject {
    Q_OBJECT

private slots:
    void selectsWithoutScrolling()
    {
        RowModel model;
        model.resetRows(QList<Row>(500));
        QTreeView view;
        view.setModel(&model);
        view.resize(300, 200);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));

        selectRow(&view, 400);
        QCOMPARE(selectedRow(&view), 400);
        QCOMPARE(view.currentIndex().row(), 400);
        // No scrolling, and auto-scroll is back on for the user's own moves.
        QCOMPARE(view.verticalScrollBar()->value(), 0);
        QVERIFY(view.hasAutoScroll());
        selectRow(&view, -1);
        QCOMPARE(selectedRow(&view), -1);
        QCOMPARE(view.currentIndex().row(), -1);
        // A current index alone is not a selection.
        view.selectionModel()->setCurrentIndex(model.index(2, 0), QItemSelectionModel::NoUpdate);
        QCOMPARE(selectedRow(&view), -1);
    }
};

QTEST_MAIN(tst_ListSelection)
#include "tst_listselection.moc"
