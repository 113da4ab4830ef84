#include "core/ConfigText.h"
#include "core/LineDiff.h"

#include <QTest>

using namespace Qt::StringLiterals;

class tst_ConfigText : public QObject {
    Q_OBJECT

private slots:
    void parseAndRender_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("parsed"); // Key|Setting|Parameter|rendered line

        QTest::newRow("value") << u"NAME 1423"_s << 4 << u"K4|NAME|1423|NAME 1423"_s;
        QTest::newRow("runs of spaces kept")
            << u"NAME  a  b "_s << 1 << u"K1|NAME| a  b |NAME  a  b "_s;
        QTest::newRow("comment glued") << u";NAME 1423"_s << 2 << u"K2|;NAME|1423|;NAME 1423"_s;
        QTest::newRow("comment spaced") << u"; NAME 1423"_s << 2 << u"K2|;|NAME 1423|; NAME 1423"_s;
        QTest::newRow("leading spaces dropped") << u"   NAME V"_s << 3 << u"K3|NAME|V|NAME V"_s;
        QTest::newRow("empty line") << QString() << 7 << u"KB7||| "_s;
        QTest::newRow("line of spaces") << u"   "_s << 7 << u"K7||| "_s;
        QTest::newRow("name alone") << u"NAME"_s << 5 << u"K5|NAME||NAME "_s;
        QTest::newRow("tab is no separator") << u"\tA\tB"_s << 1 << u"K1|\tA\tB||\tA\tB "_s;
    }
    void parseAndRender()
    {
        QFETCH(QString, line);
        QFETCH(int, number);
        QFETCH(QString, parsed);

        const Row row = ConfigText::parseLine(line, number);
        const QString rendered = ConfigText::renderRow(row);
        QCOMPARE(QStringList({row.Key, row.Setting, row.Parameter, rendered}).join(u'|'), parsed);
        // A second pass changes nothing.
        QCOMPARE(ConfigText::renderRow(ConfigText::parseLine(rendered, number)), rendered);
    }
    void parseLinesNumbersFromOne()
    {
        // Line numbers outgrow 16 bits in long files.
        const QList<Row> rows = ConfigText::parseLines(QStringList(40000, u"A"_s) << QString());
        QCOMPARE(rows.constFirst().Key, u"K1"_s);
        QCOMPARE(rows.constLast().Key, u"KB40001"_s);
    }
    void readFileLines_data()
    {
        QTest::addColumn<QString>("fileText");
        QTest::addColumn<QStringList>("lines");

        QTest::newRow("empty file") << QString() << QStringList();
        QTest::newRow("CR LF, final one ends the line") << u"A\r\nB\r\n"_s << QStringList{"A", "B"};
        QTest::newRow("lone CR and LF") << u"A\rB\nC\n"_s << QStringList{"A", "B", "C"};
        QTest::newRow("one break") << u"\r\n"_s << QStringList{QString()};
        QTest::newRow("mixed, empty lines kept")
            << u"A\r\r\nB\n\rC"_s << QStringList{"A", "", "B", "", "C"};
        QTest::newRow("NUL is ordinary") << u"A\0B\r\n\0"_s << QStringList{u"A\0B"_s, u"\0"_s};
        const QString longLine(60000, u'x');
        QTest::newRow("60,000-character line") << longLine << QStringList{longLine};
        const QStringList many(40000, u"NAME 1"_s);
        QTest::newRow("40,000 lines") << many.join(u"\r\n"_s) + u"\r\n"_s << many;
    }
    void readFileLines()
    {
        QFETCH(QString, fileText);
        QFETCH(QStringList, lines);
        QCOMPARE(ConfigText::ReadFileLines(fileText), lines);
        QCOMPARE(LineDiff::splitLines(fileText), lines); // the comparison splits lines alike
    }
    // The text form is the file's form: each line followed by its break, both ways.
    void textViewLines_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("lines");

        QTest::newRow("one line") << u"A\r\n"_s << QStringList{"A"};
        QTest::newRow("two lines") << u" \r\nB 1\r\n"_s << QStringList{" ", "B 1"};
        QTest::newRow("a blank last line") << u"A\r\n\r\n"_s << QStringList{"A", ""};
        QTest::newRow("empty text, no line") << QString() << QStringList{};
    }
    void textViewLines()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, lines);
        QCOMPARE(ConfigText::LinesFromText(text), lines);
        QCOMPARE(ConfigText::TextFromLines(lines), text);
        // Without its final break, or with a lone CR or LF for breaks, the same lines.
        if (!text.isEmpty()) {
            if (!lines.back().isEmpty())
                QCOMPARE(ConfigText::LinesFromText(text.chopped(2)), lines);
            for (const QString& end : {u"\r"_s, u"\n"_s})
                QCOMPARE(ConfigText::LinesFromText(QString(text).replace(u"\r\n"_s, end)), lines);
        }
    }
};

QTEST_GUILESS_MAIN(tst_ConfigText)
#include "tst_configtext.moc"
