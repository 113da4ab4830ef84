#include "edit/Search.h"

#include <QElapsedTimer>
#include <QTest>

#include <limits>

using namespace Qt::StringLiterals;

class tst_Search : public QObject {
    Q_OBJECT

private slots:
    void findRow_data();
    void findRow();
    void findNode_data();
    void findNode();
    void findText_data();
    void findText();
    void overlappingMatchesFollowOneAnother();
    void searchesBeyondSixteenBits();
    void walkOverLargestDocumentIsFast_data();
    void walkOverLargestDocumentIsFast();
};

namespace {

QList<Row> SampleRows()
{
    return {
        {u"K1"_s, u"MAXCONNECTIONS"_s, u"64"_s}, {u"K2"_s, u";"_s, u"cache below"_s},
        {u"KB3"_s, QString(), QString()},        {u"K4"_s, u"CACHESIZE"_s, u"_DATA 512"_s},
        {u"K5"_s, u"LOGLEVEL"_s, u"INFO"_s},     {u"K6"_s, u"CACHESIZE"_s, u"_INDEX 64"_s},
    };
}

} // namespace

void tst_Search::findRow_data()
{
    QTest::addColumn<int>("startAfter");
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("expected");

    QTest::newRow("lower-case key, upper-case setting") << -1 << u"maxconn"_s << 0;
    QTest::newRow("one letter differs") << -1 << u"maxconx"_s << -1;
    QTest::newRow("key in the parameter") << -1 << u"Below"_s << 1;
    QTest::newRow("end of setting joined to parameter") << -1 << u"SIZE_DA"_s << 3;
    QTest::newRow("no separator between the columns") << -1 << u"SIZE _DA"_s << -1;
    QTest::newRow("continues after the selected row") << 3 << u"cachesize"_s << 5;
    QTest::newRow("the selected row itself is skipped") << 5 << u"cachesize"_s << -1;
    QTest::newRow("nothing selected: from the first row") << -1 << u"64"_s << 0;
    QTest::newRow("start below -1 still from the first row") << -7 << u"64"_s << 0;
    QTest::newRow("after the last row") << 5 << u"64"_s << -1;
    QTest::newRow("spaces are part of the key") << -1 << u"_DATA 5"_s << 3;
    QTest::newRow("empty key finds nothing") << -1 << QString() << -1;
}

void tst_Search::findRow()
{
    QFETCH(int, startAfter);
    QFETCH(QString, key);
    QFETCH(int, expected);
    QCOMPARE(Search::FindRow(SampleRows(), startAfter, key), expected);
}

void tst_Search::findNode_data()
{
    QTest::addColumn<int>("startAfter");
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("expected");

    QTest::newRow("category node") << -1 << u"logg"_s << 2;
    QTest::newRow("setting node after it") << 2 << u"log"_s << 3;
    QTest::newRow("node texts are not joined") << -1 << u"LoggingLOG"_s << -1;
    QTest::newRow("nothing after the last match") << 4 << u"log"_s << -1;
    QTest::newRow("short text that upper-cases longer") << -1 << u"mass"_s << 5;
}

void tst_Search::findNode()
{
    QFETCH(int, startAfter);
    QFETCH(QString, key);
    QFETCH(int, expected);
    const QStringList nodes = {u"Connections"_s, u"MAXCONNECTIONS"_s, u"Logging"_s,
                               u"LOGLEVEL"_s,    u"LOGFILE"_s,        u"Maß"_s};
    QCOMPARE(Search::FindNode(nodes, startAfter, key), expected);
}

void tst_Search::findText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<qsizetype>("offset");
    QTest::addColumn<QString>("key");
    QTest::addColumn<qsizetype>("start");
    QTest::addColumn<qsizetype>("length");

    const QString config = u"MAXCONNECTIONS 64\r\n; cache\r\nCACHESIZE _DATA"_s;
    QTest::newRow("case-insensitive")
        << config << qsizetype(0) << u"cache"_s << qsizetype(21) << qsizetype(5);
    QTest::newRow("across a line break")
        << config << qsizetype(0) << u"64\r\n;"_s << qsizetype(15) << qsizetype(5);
    QTest::newRow("skips the offset")
        << config << qsizetype(22) << u"cache"_s << qsizetype(28) << qsizetype(5);
    QTest::newRow("absent") << config << qsizetype(0) << u"trace"_s << qsizetype(-1)
                            << qsizetype(0);
    QTest::newRow("offset at the end")
        << u"abc"_s << qsizetype(3) << u"a"_s << qsizetype(-1) << qsizetype(0);
    QTest::newRow("offset past a text that became shorter")
        << u"abc"_s << qsizetype(40) << u"a"_s << qsizetype(0) << qsizetype(1);
    QTest::newRow("negative offset")
        << u"abc"_s << qsizetype(-2) << u"b"_s << qsizetype(1) << qsizetype(1);
    QTest::newRow("upper-casing that lengthens the text")
        << u"; straße x"_s << qsizetype(0) << u"E X"_s << qsizetype(7) << qsizetype(3);
    QTest::newRow("match inside a lengthened letter")
        << u"aßb"_s << qsizetype(0) << u"sb"_s << qsizetype(1) << qsizetype(2);
    QTest::newRow("lengthened letter in the key")
        << u"STRASSE"_s << qsizetype(0) << u"straße"_s << qsizetype(0) << qsizetype(7);
    QTest::newRow("empty key") << u"abc"_s << qsizetype(0) << QString() << qsizetype(-1)
                               << qsizetype(0);
}

void tst_Search::findText()
{
    QFETCH(QString, text);
    QFETCH(qsizetype, offset);
    QFETCH(QString, key);
    QFETCH(qsizetype, start);
    QFETCH(qsizetype, length);
    const Search::TextMatch match = Search::FindText(text, offset, key);
    QCOMPARE(match.start, start);
    if (match.found())
        QCOMPARE(match.length, length);
}

// Each continued search skips one character past the start of the last match.
void tst_Search::overlappingMatchesFollowOneAnother()
{
    const QString text = u"XXXX"_s;
    QList<qsizetype> starts;
    qsizetype offset = 0;
    for (Search::TextMatch match; (match = Search::FindText(text, offset, u"xx")).found();) {
        starts << match.start;
        offset = match.start + 1;
    }
    QCOMPARE(starts, (QList<qsizetype>{0, 1, 2}));
}

void tst_Search::searchesBeyondSixteenBits()
{
    constexpr int Beyond = std::numeric_limits<qint16>::max() + 5000;
    QList<Row> rows(Beyond, Row{u"K"_s, u"SETTING"_s, u"1"_s});
    rows.last().Parameter = u"needle"_s;
    QCOMPARE(Search::FindRow(rows, 35000, u"NEEDLE"), Beyond - 1);

    QStringList nodes(Beyond, u"node"_s);
    nodes.last() = u"needle"_s;
    QCOMPARE(Search::FindNode(nodes, -1, u"needle"), Beyond - 1);

    const QString text = QString(Beyond, u'x') + u"needle"_s + QString(10, u'x');
    QCOMPARE(Search::FindText(text, 0, u"needle").start, qsizetype(Beyond));
    QCOMPARE(Search::FindText(text, Beyond, u"needle").start, qsizetype(Beyond));
    QCOMPARE(Search::FindText(text, Beyond + 1, u"needle").start, qsizetype(-1));
}

void tst_Search::walkOverLargestDocumentIsFast_data()
{
    QTest::addColumn<QString>("line");
    QTest::newRow("settings") << u"CACHESIZE _DATA 512 ; résumé"_s;
    QTest::newRow("empty lines") << QString();
}

// The largest document the editor opens is 65,000 bytes; a miss walks every row of it.
void tst_Search::walkOverLargestDocumentIsFast()
{
    QFETCH(QString, line);
    const qsizetype lineBytes = line.size() + 2;
    const qsizetype count = 65000 / lineBytes;
    const qsizetype split = line.indexOf(u' ');
    QList<Row> rows;
    for (qsizetype i = 0; i < count; ++i)
        rows.append({u"K%1"_s.arg(i), line.left(split), line.mid(split + 1)});

    qint64 fastest = std::numeric_limits<qint64>::max();
    for (int run = 0; run < 10; ++run) {
        QElapsedTimer timer;
        timer.start();
        QCOMPARE(Search::FindRow(rows, -1, u"absent"), -1);
        fastest = std::min(fastest, timer.nsecsElapsed());
    }
    QVERIFY2(fastest < 2'000'000, qPrintable(u"%1 ns"_s.arg(fastest)));
}

QTEST_APPLESS_MAIN(tst_Search)
#include "tst_search.moc"
