#include "document/ListSelection.h"
#include "document/RowModel.h"

#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTreeView>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(Row)

namespace {

QList<Row> threeRows()
{
    return {{u"K1"_s, u"A"_s, u"1"_s}, {u"K2"_s, u"B"_s, u"2"_s}, {u"K3"_s, u"C"_s, u"3"_s}};
}

QStringList settings(const RowModel& model)
{
    QStringList result;
    for (const Row& row : model.rows())
        result.append(row.Setting);
    return result;
}

} // namespace

class tst_RowModel : public QObject {
    Q_OBJECT

private slots:
    void headersAndCells();
    void insertRowAt_data();
    void insertRowAt();
    void removeRowAt_data();
    void removeRowAt();
    void setTextsSignalTheirCells_data();
    void setTextsSignalTheirCells();
    void keysFollowEveryChange();
    void uniqueKey_data();
    void uniqueKey();
    void resetIsOneSignal();
    void selectRow_data();
    void selectRow();
    void selectRowDoesNotScroll();
    void currentIndexAloneIsNoSelection();
};

void tst_RowModel::headersAndCells()
{
    RowModel model;
    model.resetRows(threeRows());

    QCOMPARE(model.columnCount(), 2);
    QCOMPARE(model.headerData(0, Qt::Horizontal).toString(), u"Setting"_s);
    QCOMPARE(model.headerData(1, Qt::Horizontal).toString(), u"Parameter"_s);
    QCOMPARE(model.data(model.index(1, 0)).toString(), u"B"_s);
    QCOMPARE(model.data(model.index(1, 1)).toString(), u"2"_s);
    // A table has no children: a tree view over it must not show nested rows.
    QCOMPARE(model.rowCount(model.index(0, 0)), 0);
    QCOMPARE(model.row(3), Row());
    QCOMPARE(model.row(-1), Row());
}

void tst_RowModel::insertRowAt_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("key");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QStringList>("settings");

    QTest::newRow("at the start") << 0 << u"K9"_s << true << QStringList{"N", "A", "B", "C"};
    QTest::newRow("in the middle") << 2 << u"K9"_s << true << QStringList{"A", "B", "N", "C"};
    QTest::newRow("at the end") << 3 << u"K9"_s << true << QStringList{"A", "B", "C", "N"};
    QTest::newRow("without a key") << 1 << QString() << true << QStringList{"A", "N", "B", "C"};
    QTest::newRow("key in use") << 1 << u"K2"_s << false << QStringList{"A", "B", "C"};
    QTest::newRow("past the end") << 4 << u"K9"_s << false << QStringList{"A", "B", "C"};
    QTest::newRow("negative") << -1 << u"K9"_s << false << QStringList{"A", "B", "C"};
}

void tst_RowModel::insertRowAt()
{
    QFETCH(int, index);
    QFETCH(QString, key);
    QFETCH(bool, accepted);
    QFETCH(QStringList, settings);

    RowModel model;
    model.resetRows(threeRows());
    QSignalSpy inserted(&model, &RowModel::rowsInserted);

    QCOMPARE(model.insertRowAt(index, {key, u"N"_s, u"new"_s}), accepted);

    QCOMPARE(::settings(model), settings);
    QCOMPARE(inserted.size(), accepted ? 1 : 0);
    if (accepted) {
        QCOMPARE(inserted.at(0).at(1).toInt(), index);
        QCOMPARE(model.row(index).Parameter, u"new"_s);
    }
}

void tst_RowModel::removeRowAt_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QStringList>("settings");

    QTest::newRow("first") << 0 << QStringList{"B", "C"};
    QTest::newRow("last") << 2 << QStringList{"A", "B"};
    QTest::newRow("past the end") << 3 << QStringList{"A", "B", "C"};
    QTest::newRow("negative") << -1 << QStringList{"A", "B", "C"};
}

void tst_RowModel::removeRowAt()
{
    QFETCH(int, index);
    QFETCH(QStringList, settings);

    RowModel model;
    model.resetRows(threeRows());
    QSignalSpy removed(&model, &RowModel::rowsRemoved);

    model.removeRowAt(index);

    QCOMPARE(::settings(model), settings);
    QCOMPARE(removed.size(), settings.size() == 3 ? 0 : 1);
}

void tst_RowModel::setTextsSignalTheirCells_data()
{
    QTest::addColumn<int>("which");
    QTest::addColumn<int>("firstColumn");
    QTest::addColumn<int>("lastColumn");
    QTest::addColumn<QString>("setting");
    QTest::addColumn<QString>("parameter");

    QTest::newRow("both texts") << 0 << 0 << 1 << u"X"_s << u"x"_s;
    QTest::newRow("setting") << 1 << 0 << 0 << u"X"_s << u"2"_s;
    QTest::newRow("parameter") << 2 << 1 << 1 << u"B"_s << u"x"_s;
}

void tst_RowModel::setTextsSignalTheirCells()
{
    QFETCH(int, which);
    QFETCH(int, firstColumn);
    QFETCH(int, lastColumn);
    QFETCH(QString, setting);
    QFETCH(QString, parameter);

    RowModel model;
    model.resetRows(threeRows());
    QSignalSpy changed(&model, &RowModel::dataChanged);

    if (which == 0)
        model.setRowTexts(1, u"X"_s, u"x"_s);
    else if (which == 1)
        model.setSetting(1, u"X"_s);
    else
        model.setParameter(1, u"x"_s);
    // Out of range: ignored.
    model.setRowTexts(3, u"Y"_s, u"y"_s);
    model.setSetting(-1, u"Y"_s);

    QCOMPARE(model.row(1), (Row{u"K2"_s, setting, parameter}));
    QCOMPARE(changed.size(), 1);
    QCOMPARE(changed.at(0).at(0).toModelIndex(), model.index(1, firstColumn));
    QCOMPARE(changed.at(0).at(1).toModelIndex(), model.index(1, lastColumn));
}

void tst_RowModel::keysFollowEveryChange()
{
    RowModel model;
    QVERIFY(!model.containsKey(QString()));
    model.resetRows(threeRows());
    QVERIFY(model.containsKey(u"K2"_s));

    model.removeRowAt(1);
    QVERIFY(!model.containsKey(u"K2"_s));
    QVERIFY(model.insertRowAt(0, {u"K2"_s, u"B"_s, QString()}));
    QVERIFY(!model.insertRowAt(0, {u"K2"_s, u"B"_s, QString()}));

    QVERIFY(model.insertRowAt(0, {QString(), u"E"_s, QString()}));
    QVERIFY(model.insertRowAt(0, {QString(), u"E"_s, QString()}));
    QVERIFY(!model.containsKey(QString()));

    // A reset may bring a key twice; it stays in use until both rows are gone.
    model.resetRows({{u"K1"_s, u"A"_s, QString()}, {u"K1"_s, u"B"_s, QString()}});
    model.removeRowAt(0);
    QVERIFY(model.containsKey(u"K1"_s));
    model.removeRowAt(0);
    QVERIFY(!model.containsKey(u"K1"_s));

    model.resetRows(threeRows());
    model.clear();
    QCOMPARE(model.count(), 0);
    QVERIFY(!model.containsKey(u"K1"_s));
}

void tst_RowModel::uniqueKey_data()
{
    QTest::addColumn<QList<Row>>("rows");
    QTest::addColumn<QString>("wanted");
    QTest::addColumn<QString>("key");

    const QList<Row> taken = {{u"KNAME"_s, {}, {}}, {u"KNAME_2"_s, {}, {}}, {u"KOTHER"_s, {}, {}}};
    QTest::newRow("free") << taken << u"KFREE"_s << u"KFREE"_s;
    QTest::newRow("taken once") << taken << u"KOTHER"_s << u"KOTHER_2"_s;
    QTest::newRow("taken with _2") << taken << u"KNAME"_s << u"KNAME_3"_s;
    QTest::newRow("empty list") << QList<Row>() << u"KNAME"_s << u"KNAME"_s;
}

void tst_RowModel::uniqueKey()
{
    QFETCH(QList<Row>, rows);
    QFETCH(QString, wanted);
    QFETCH(QString, key);

    RowModel model;
    model.resetRows(rows);
    QCOMPARE(model.uniqueKey(wanted), key);
    QVERIFY(model.insertRowAt(0, {key, u"N"_s, QString()}));
}

void tst_RowModel::resetIsOneSignal()
{
    RowModel model;
    QSignalSpy resets(&model, &RowModel::modelReset);
    QSignalSpy inserted(&model, &RowModel::rowsInserted);
    QList<Row> many;
    for (int i = 1; i <= 40000; ++i)
        many.append({u"K"_s + QString::number(i), u"S"_s, QString()});

    model.resetRows(many);

    QCOMPARE(model.count(), 40000);
    QCOMPARE(resets.size(), 1);
    QCOMPARE(inserted.size(), 0);
    QVERIFY(model.containsKey(u"K40000"_s));
}

void tst_RowModel::selectRow_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("selected");

    QTest::newRow("first") << 0 << 0;
    QTest::newRow("last") << 2 << 2;
    QTest::newRow("none") << -1 << -1;
    QTest::newRow("past the end") << 3 << -1;
}

void tst_RowModel::selectRow()
{
    QFETCH(int, row);
    QFETCH(int, selected);

    RowModel model;
    model.resetRows(threeRows());
    QTreeView view;
    view.setModel(&model);
    view.setSelectionMode(QAbstractItemView::SingleSelection);
    view.setSelectionBehavior(QAbstractItemView::SelectRows);
    SelectRow(&view, 1);

    SelectRow(&view, row);

    QCOMPARE(SelectedRow(&view), selected);
    QCOMPARE(view.currentIndex().row(), selected);
    QCOMPARE(view.selectionModel()->selectedRows().size(), selected < 0 ? 0 : 1);
    QCOMPARE(view.selectionModel()->isRowSelected(selected, QModelIndex()), selected >= 0);
}

void tst_RowModel::selectRowDoesNotScroll()
{
    RowModel model;
    QList<Row> many;
    for (int i = 0; i < 500; ++i)
        many.append({QString(), u"S"_s + QString::number(i), QString()});
    model.resetRows(many);
    QTreeView view;
    view.setModel(&model);
    view.resize(300, 200);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));

    SelectRow(&view, 400);

    QCOMPARE(SelectedRow(&view), 400);
    QCOMPARE(view.verticalScrollBar()->value(), 0);
    QVERIFY(view.hasAutoScroll());
}

void tst_RowModel::currentIndexAloneIsNoSelection()
{
    RowModel model;
    model.resetRows(threeRows());
    QTreeView view;
    view.setModel(&model);
    view.selectionModel()->setCurrentIndex(model.index(2, 0), QItemSelectionModel::NoUpdate);

    QCOMPARE(SelectedRow(&view), -1);
}

QTEST_MAIN(tst_RowModel)
#include "tst_rowmodel.moc"
