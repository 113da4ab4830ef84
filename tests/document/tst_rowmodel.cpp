#include "ui/ListSelection.h"
#include "core/RowModel.h"

#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTreeView>

using namespace Qt::StringLiterals;

class tst_RowModel : public QObject {
    Q_OBJECT

private slots:
    void keysHeadersAndReset()
    {
        RowModel model;
        QSignalSpy resets(&model, &RowModel::modelReset);
        QSignalSpy inserted(&model, &RowModel::rowsInserted);
        // A reset may bring a key twice: it stays in use until both rows are gone.
        model.resetRows({{u"K"_s, {}, {}}, {u"K_2"_s, {}, {}}, {u"L"_s, {}, {}}, {u"L"_s, {}, {}}});
        QVERIFY(!model.insertRowAt(0, {u"K_2"_s, u"N"_s, {}}));
        QCOMPARE(model.uniqueKey(u"K"_s), u"K_3"_s);
        model.removeRowAt(3);
        QCOMPARE(model.uniqueKey(u"L"_s), u"L_2"_s);
        model.removeRowAt(2);
        QCOMPARE(model.uniqueKey(u"L"_s), u"L"_s);
        QCOMPARE(model.headerData(0, Qt::Horizontal).toString(), u"Setting"_s);
        QCOMPARE(model.headerData(1, Qt::Horizontal).toString(), u"Parameter"_s);
        // Many rows arrive in one signal: a signal per row would stall the list view.
        model.resetRows(QList<Row>(40000));
        QCOMPARE(resets.size(), 2);
        QCOMPARE(inserted.size(), 0);
    }

    void selectRow()
    {
        RowModel model;
        model.resetRows(QList<Row>(500));
        QTreeView view;
        view.setModel(&model);
        view.resize(300, 200);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));

        SelectRow(&view, 400);
        QCOMPARE(SelectedRow(&view), 400);
        QCOMPARE(view.currentIndex().row(), 400);
        // No scrolling, and auto-scroll is back on for the user's own moves.
        QCOMPARE(view.verticalScrollBar()->value(), 0);
        QVERIFY(view.hasAutoScroll());
        SelectRow(&view, -1);
        QCOMPARE(SelectedRow(&view), -1);
        QCOMPARE(view.currentIndex().row(), -1);
        // A current index alone is not a selection.
        view.selectionModel()->setCurrentIndex(model.index(2, 0), QItemSelectionModel::NoUpdate);
        QCOMPARE(SelectedRow(&view), -1);
    }
};

QTEST_MAIN(tst_RowModel)
#include "tst_rowmodel.moc"
