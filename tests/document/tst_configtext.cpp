#include "document/ConfigText.h"

#include <QTest>

using namespace Qt::StringLiterals;

class tst_ConfigText : public QObject {
    Q_OBJECT

private slots:
    void parseAndRender_data();
    void parseAndRender();
    void parseLinesNumbersEveryLine();
    void zeroRowsRenderToEmptyText();
    void readFileLines_data();
    void readFileLines();
    void linesFromText_data();
    void linesFromText();
    void textFromLines_data();
    void textFromLines();
    void splitFirstWord_data();
    void splitFirstWord();
    void largeDocuments_data();
    void largeDocuments();
};

void tst_ConfigText::parseAndRender_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<qsizetype>("lineNumber");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("setting");
    QTest::addColumn<QString>("parameter");
    QTest::addColumn<QString>("rendered");

    QTest::newRow("name and number")
        << u"NAME 1423"_s << qsizetype(4) << u"K4"_s << u"NAME"_s << u"1423"_s << u"NAME 1423"_s;
    QTest::newRow("spaces inside and after the value")
        << u"NAME  two  spaces "_s << qsizetype(1) << u"K1"_s << u"NAME"_s << u" two  spaces "_s
        << u"NAME  two  spaces "_s;
    QTest::newRow("comment glued to a name")
        << u";NAME 1423"_s << qsizetype(2) << u"K2"_s << u";NAME"_s << u"1423"_s << u";NAME 1423"_s;
    QTest::newRow("comment with a space") << u"; NAME 1423"_s << qsizetype(2) << u"K2"_s << u";"_s
                                          << u"NAME 1423"_s << u"; NAME 1423"_s;
    QTest::newRow("leading spaces dropped") << u"   NAME VALUE"_s << qsizetype(3) << u"K3"_s
                                            << u"NAME"_s << u"VALUE"_s << u"NAME VALUE"_s;
    QTest::newRow("empty line") << QString() << qsizetype(7) << u"KB7"_s << QString() << QString()
                                << u" "_s;
    QTest::newRow("line of spaces")
        << u"   "_s << qsizetype(7) << u"K7"_s << QString() << QString() << u" "_s;
    QTest::newRow("name alone gains a space")
        << u"NAME"_s << qsizetype(5) << u"K5"_s << u"NAME"_s << QString() << u"NAME "_s;
    QTest::newRow("name and one trailing space")
        << u"NAME "_s << qsizetype(5) << u"K5"_s << u"NAME"_s << QString() << u"NAME "_s;
    QTest::newRow("tabs are not separators")
        << u"\tNAME\tVALUE"_s << qsizetype(1) << u"K1"_s << u"\tNAME\tVALUE"_s << QString()
        << u"\tNAME\tVALUE "_s;
    QTest::newRow("only spaces before a tab are dropped")
        << u"  \tNAME 5"_s << qsizetype(1) << u"K1"_s << u"\tNAME"_s << u"5"_s << u"\tNAME 5"_s;
    QTest::newRow("no-break space is not a separator")
        << u"NAME\u00A0x y"_s << qsizetype(1) << u"K1"_s << u"NAME\u00A0x"_s << u"y"_s
        << u"NAME\u00A0x y"_s;
    QTest::newRow("NUL kept") << u"NA\0ME v\0"_s << qsizetype(1) << u"K1"_s << u"NA\0ME"_s
                              << u"v\0"_s << u"NA\0ME v\0"_s;
    QTest::newRow("line number beyond 16 bits")
        << u"NAME 1"_s << qsizetype(40000) << u"K40000"_s << u"NAME"_s << u"1"_s << u"NAME 1"_s;
    QTest::newRow("empty line beyond 16 bits")
        << QString() << qsizetype(32768) << u"KB32768"_s << QString() << QString() << u" "_s;
}

void tst_ConfigText::parseAndRender()
{
    QFETCH(QString, line);
    QFETCH(qsizetype, lineNumber);
    QFETCH(QString, key);
    QFETCH(QString, setting);
    QFETCH(QString, parameter);
    QFETCH(QString, rendered);

    const Row row = ConfigText::ParseLine(line, lineNumber);
    QCOMPARE(row.Key, key);
    QCOMPARE(row.Setting, setting);
    QCOMPARE(row.Parameter, parameter);
    QCOMPARE(ConfigText::RenderRow(row), rendered);

    // A second pass changes nothing further.
    const Row again = ConfigText::ParseLine(rendered, lineNumber);
    QCOMPARE(ConfigText::RenderRow(again), rendered);
}

void tst_ConfigText::parseLinesNumbersEveryLine()
{
    const QList<Row> rows = ConfigText::ParseLines({u"A 1"_s, QString(), u"  "_s, u"B"_s});

    const QList<Row> expected = {{u"K1"_s, u"A"_s, u"1"_s},
                                 {u"KB2"_s, QString(), QString()},
                                 {u"K3"_s, QString(), QString()},
                                 {u"K4"_s, u"B"_s, QString()}};
    QCOMPARE(rows, expected);
    QCOMPARE(ConfigText::RenderRows(rows), QStringList({u"A 1"_s, u" "_s, u" "_s, u"B "_s}));
}

void tst_ConfigText::zeroRowsRenderToEmptyText()
{
    const QStringList lines = ConfigText::RenderRows({});
    QVERIFY(lines.isEmpty());
    QCOMPARE(ConfigText::TextFromLines(lines), QString());
}

void tst_ConfigText::readFileLines_data()
{
    QTest::addColumn<QString>("fileText");
    QTest::addColumn<QStringList>("lines");

    QTest::newRow("empty file") << QString() << QStringList();
    QTest::newRow("no terminator") << u"A"_s << QStringList{u"A"_s};
    QTest::newRow("final CR LF") << u"A\r\n"_s << QStringList{u"A"_s};
    QTest::newRow("final CR") << u"A\r"_s << QStringList{u"A"_s};
    QTest::newRow("final LF") << u"A\n"_s << QStringList{u"A"_s};
    QTest::newRow("CR LF") << u"A\r\nB"_s << QStringList{u"A"_s, u"B"_s};
    QTest::newRow("lone CR") << u"A\rB\r"_s << QStringList{u"A"_s, u"B"_s};
    QTest::newRow("lone LF") << u"A\nB\n"_s << QStringList{u"A"_s, u"B"_s};
    QTest::newRow("mixed") << u"A\r\nB\rC\nD"_s << QStringList{u"A"_s, u"B"_s, u"C"_s, u"D"_s};
    QTest::newRow("only CR LF") << u"\r\n"_s << QStringList{QString()};
    QTest::newRow("two CR LF") << u"\r\n\r\n"_s << QStringList{QString(), QString()};
    QTest::newRow("LF then CR is two breaks") << u"\n\r"_s << QStringList{QString(), QString()};
    QTest::newRow("CR before CR LF") << u"A\r\r\nB"_s << QStringList{u"A"_s, QString(), u"B"_s};
    QTest::newRow("empty lines inside")
        << u"A\r\n\r\n\r\nB\r\n"_s << QStringList{u"A"_s, QString(), QString(), u"B"_s};
    QTest::newRow("spaces and tabs kept")
        << u"  \r\n\t\r\n \t \r\n  NAME 1"_s
        << QStringList{u"  "_s, u"\t"_s, u" \t "_s, u"  NAME 1"_s};
    QTest::newRow("NUL is an ordinary character")
        << u"A\0B\r\n\0"_s << QStringList{u"A\0B"_s, u"\0"_s};
}

void tst_ConfigText::readFileLines()
{
    QFETCH(QString, fileText);
    QFETCH(QStringList, lines);

    QCOMPARE(ConfigText::ReadFileLines(fileText), lines);
}

void tst_ConfigText::linesFromText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("lines");

    QTest::newRow("single line") << u"A"_s << QStringList{u"A"_s};
    QTest::newRow("final CR LF gives an empty line")
        << u"A\r\n"_s << QStringList{u"A"_s, QString()};
    QTest::newRow("empty text is one empty line") << QString() << QStringList{QString()};
    QTest::newRow("two lines") << u"A\r\nB"_s << QStringList{u"A"_s, u"B"_s};
    QTest::newRow("final CR") << u"A\r"_s << QStringList{u"A"_s, QString()};
    QTest::newRow("final LF") << u"A\n"_s << QStringList{u"A"_s, QString()};
    QTest::newRow("only a break") << u"\r\n"_s << QStringList{QString(), QString()};
    QTest::newRow("mixed breaks") << u"A\rB\nC\r\nD"_s
                                  << QStringList{u"A"_s, u"B"_s, u"C"_s, u"D"_s};
    QTest::newRow("line of spaces") << u"   "_s << QStringList{u"   "_s};
}

void tst_ConfigText::linesFromText()
{
    QFETCH(QString, text);
    QFETCH(QStringList, lines);

    QCOMPARE(ConfigText::LinesFromText(text), lines);
}

void tst_ConfigText::textFromLines_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("text");

    QTest::newRow("no lines") << QStringList() << QString();
    QTest::newRow("one empty line") << QStringList{QString()} << QString();
    QTest::newRow("one line") << QStringList{u"A"_s} << u"A"_s;
    QTest::newRow("final empty line") << QStringList{u"A"_s, QString()} << u"A\r\n"_s;
    QTest::newRow("two lines") << QStringList{u"A"_s, u"B"_s} << u"A\r\nB"_s;
    QTest::newRow("two empty lines") << QStringList{QString(), QString()} << u"\r\n"_s;
    QTest::newRow("blank row rendered") << QStringList{u" "_s, u"NAME 1"_s} << u" \r\nNAME 1"_s;
}

void tst_ConfigText::textFromLines()
{
    QFETCH(QStringList, lines);
    QFETCH(QString, text);

    QCOMPARE(ConfigText::TextFromLines(lines), text);
    // Through the text view and back, any line list but the empty one is kept.
    if (!lines.isEmpty())
        QCOMPARE(ConfigText::LinesFromText(text), lines);
}

void tst_ConfigText::splitFirstWord_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("rest");

    QTest::newRow("two words") << u"NAME VALUE"_s << u"NAME"_s << u"VALUE"_s;
    QTest::newRow("one word") << u"NAME"_s << u"NAME"_s << QString();
    QTest::newRow("empty") << QString() << QString() << QString();
    QTest::newRow("only the first space is taken") << u"A  B C"_s << u"A"_s << u" B C"_s;
    QTest::newRow("trailing space") << u"A "_s << u"A"_s << QString();
    QTest::newRow("leading space is an empty word") << u" x"_s << QString() << u"x"_s;
}

void tst_ConfigText::splitFirstWord()
{
    QFETCH(QString, text);
    QFETCH(QString, first);
    QFETCH(QString, rest);

    const auto [gotFirst, gotRest] = ConfigText::SplitFirstWord(text);
    QCOMPARE(gotFirst, first);
    QCOMPARE(gotRest, rest);
}

void tst_ConfigText::largeDocuments_data()
{
    QTest::addColumn<QString>("fileText");
    QTest::addColumn<qsizetype>("lineCount");
    QTest::addColumn<QString>("lastKey");

    const QString longValue(59995, u'x');
    QTest::newRow("60,000-character line") << u"NAME "_s + longValue << qsizetype(1) << u"K1"_s;

    QString manyLines;
    for (int i = 1; i <= 40000; ++i)
        manyLines += i % 4 == 0 ? u"\r\n"_s : u"NAME "_s + QString::number(i) + u"\r\n"_s;
    QTest::newRow("40,000 lines") << manyLines << qsizetype(40000) << u"KB40000"_s;
}

void tst_ConfigText::largeDocuments()
{
    QFETCH(QString, fileText);
    QFETCH(qsizetype, lineCount);
    QFETCH(QString, lastKey);

    const QStringList lines = ConfigText::ReadFileLines(fileText);
    QCOMPARE(lines.size(), lineCount);
    const QList<Row> rows = ConfigText::ParseLines(lines);
    QCOMPARE(rows.size(), lineCount);
    QCOMPARE(rows.constLast().Key, lastKey);

    // Every line either comes back unchanged or, being empty, as a single space.
    const QStringList rendered = ConfigText::RenderRows(rows);
    for (qsizetype i = 0; i < lines.size(); ++i)
        QCOMPARE(rendered[i], lines[i].isEmpty() ? u" "_s : lines[i]);
}

QTEST_MAIN(tst_ConfigText)
#include "tst_configtext.moc"
