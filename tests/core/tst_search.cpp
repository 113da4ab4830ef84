#include "core/ConfigDocument.h"
#include "core/DocumentEdits.h"
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

    // Replace All over a text-view document: what a save would write, then after one undo.
    void replaceAll_data()
    {
        for (const char* column : {"text", "key", "replacement", "after"})
            QTest::addColumn<QString>(column);
        QTest::addColumn<bool>("matchCase");
        QTest::addColumn<int>("count");
        const QString logs = u"LOG x\r\nlog y\r\n"_s;
        const auto row = [](const char* name, const QString& text, const QString& key,
                            const QString& replacement, bool matchCase, int count,
                            const QString& after) {
            QTest::newRow(name) << text << key << replacement << after << matchCase << count;
        };
        row("any case", logs, u"Log"_s, u"T"_s, false, 2, u"T x\r\nT y\r\n"_s);
        row("match case", logs, u"log"_s, u"T"_s, true, 1, u"LOG x\r\nT y\r\n"_s);
        row("overlapping", u"aaaa\r\naaa\r\n"_s, u"AA"_s, u"b"_s, false, 3, u"bb\r\nba\r\n"_s);
        row("holds the key", u"ab ab\r\n"_s, u"ab"_s, u"abab"_s, true, 2, u"abab abab\r\n"_s);
        row("to nothing", u"A=1;a=2\r\n"_s, u"a="_s, {}, false, 2, u"1;2\r\n"_s);
        row("longer upper case", u"Straße\r\n"_s, u"SS"_s, u"ss"_s, false, 1, u"Strasse\r\n"_s);
        row("empty key", logs, {}, u"x"_s, false, 0, logs);
    }
    void replaceAll()
    {
        QFETCH(QString, text);
        QFETCH(QString, key);
        QFETCH(QString, replacement);
        QFETCH(QString, after);
        QFETCH(bool, matchCase);
        QFETCH(int, count);
        ConfigDocument document;
        document.setView(ConfigDocument::View::Text);
        document.load(u"/replace.cfg"_s, text);
        QCOMPARE(DocumentEdits(document).replaceAll(key, replacement, matchCase), count);
        QCOMPARE(document.textToWrite(), after);
        QCOMPARE(document.history().count(), count > 0 ? 1 : 0);
        document.undo();
        QCOMPARE(document.textToWrite(), text);
        QVERIFY(!document.DocumentChanged());
    }
};

QTEST_GUILESS_MAIN(tst_Search)
#include "tst_search.moc"
