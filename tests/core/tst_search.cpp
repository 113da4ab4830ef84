#include "core/Search.h"

#include <QTest>

using namespace Qt::StringLiterals;
using Match = QPair<qsizetype, qsizetype>; // start and length; (-1, 0) when not found

static Match Find(QStringView text, qsizetype offset, QStringView key)
{
    const Search::TextMatch match = Search::FindText(text, offset, key);
    return {match.start, match.found() ? match.length : 0};
}

class tst_Search : public QObject {
    Q_OBJECT

private slots:
    void findRow()
    {
        const QList<Row> rows = {{{}, u"CACHESIZE"_s, u"_DATA"_s},
                                 {{}, u"CACHESIZE"_s, u"_INDEX"_s}};
        // -1, nothing selected: from the start.
        QCOMPARE(Search::findRow(rows, -1, u"cachesize"), 0);
        QCOMPARE(Search::findRow(rows, -1, u"SIZE_IN"), 1); // the setting joined to its parameter
        QCOMPARE(Search::findRow(rows, 0, u"cachesize"), 1);
        QCOMPARE(Search::findRow(rows, 1, u"cachesize"), -1);
    }
    void findText()
    {
        // A continued search starts one past the last match, so overlapping matches follow.
        QCOMPARE(Find(u"XXXX", 0, u"xx"), Match(0, 2));
        QCOMPARE(Find(u"XXXX", 1, u"xx"), Match(1, 2));
        QCOMPARE(Find(u"XXXX", 2, u"xx"), Match(2, 2));
        QCOMPARE(Find(u"XXXX", 3, u"xx"), Match(-1, 0));
        // The text may have become shorter than the offset since the last match.
        QCOMPARE(Find(u"abc", 40, u"A"), Match(0, 1));
        // "ß" upper-cases to "SS": positions after it, and a match inside it, map back.
        QCOMPARE(Find(u"; straße x", 0, u"E X"), Match(7, 3));
        QCOMPARE(Find(u"aßb", 0, u"sb"), Match(1, 2));
    }
    // Backwards: before the row or position given, or from the end when it is outside.
    void findBackwards()
    {
        const QList<Row> rows = {{{}, u"A"_s, u"1"_s}, {{}, u"B"_s, u"2"_s}, {{}, u"A"_s, u"3"_s}};
        QCOMPARE(Search::findRowBefore(rows, -1, u"a"), 2);
        QCOMPARE(Search::findRowBefore(rows, 2, u"a"), 0);
        QCOMPARE(Search::findRowBefore(rows, 0, u"a"), -1);
        QCOMPARE(Search::findNodeBefore({u"x"_s, u"ax"_s, u"b"_s}, 99, u"X"), 1);
        const auto before = [](QStringView text, qsizetype offset, QStringView key) {
            const Search::TextMatch match = Search::FindTextBefore(text, offset, key);
            return Match(match.start, match.found() ? match.length : 0);
        };
        QCOMPARE(before(u"xx-xx", -1, u"XX"), Match(3, 2));
        QCOMPARE(before(u"xx-xx", 4, u"XX"), Match(0, 2)); // it must end before the offset
        QCOMPARE(before(u"xx-xx", 1, u"XX"), Match(-1, 0));
        QCOMPARE(before(u"aßb aßb", 5, u"SB"), Match(1, 2));
    }
    void searchesBeyondSixteenBits()
    {
        constexpr int Beyond = 32767 + 5000;
        QList<Row> rows(Beyond, Row{u"K"_s, u"SETTING"_s, u"1"_s});
        rows.last().Parameter = u"needle"_s;
        QCOMPARE(Search::findRow(rows, 35000, u"NEEDLE"), Beyond - 1);
        const QString text = QString(Beyond, u'x') + u"needle"_s;
        QCOMPARE(Find(text, Beyond, u"needle"), Match(Beyond, 6));
        QCOMPARE(Find(text, Beyond + 1, u"needle"), Match(-1, 0));
    }
};

QTEST_GUILESS_MAIN(tst_Search)
#include "tst_search.moc"
