#include "core/RowModel.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

class tst_RowModel : public QObject {
    Q_OBJECT

private slots:
    void keysHeadersAndReset()
    {
        RowModel model;
        QAbstractItemModelTester tester(&model);
        // A reset may bring a key twice: it stays in use until both rows are gone.
        model.resetRows({{u"K"_s, {}, {}}, {u"K_2"_s, {}, {}}, {u"L"_s, {}, {}}, {u"L"_s, {}, {}}});
        QVERIFY(!model.insertRowAt(0, {u"K_2"_s, u"N"_s, {}}));
        QCOMPARE(model.uniqueKey(u"K"_s), u"K_3"_s);
        model.removeRowAt(3);
        QCOMPARE(model.uniqueKey(u"L"_s), u"L_2"_s);
        model.removeRowAt(2);
        QCOMPARE(model.uniqueKey(u"L"_s), u"L"_s);
        // Blank rows all carry the empty key, which is never in use.
        QVERIFY(model.insertRowAt(2, {}) && model.insertRowAt(3, {}));
        QVERIFY(!model.insertRowAt(5, {}));
        // Many rows arrive in one signal: a signal per row would stall the list view.
        QSignalSpy resets(&model, &RowModel::modelReset);
        QSignalSpy inserted(&model, &RowModel::rowsInserted);
        model.resetRows(QList<Row>(40000));
        QCOMPARE(resets.size(), 1);
        QCOMPARE(inserted.size(), 0);
    }
};

QTEST_GUILESS_MAIN(tst_RowModel)
#include "tst_rowmodel.moc"
