#include "core/LineDiff.h"

#include <QRandomGenerator>
#include <QTest>
#include <vector>

using namespace Qt::StringLiterals;
using Kind = LineDiff::Line::Kind;

namespace {

QStringList side(const QList<LineDiff::Line>& script, Kind skipped)
{
    QStringList lines;
    for (const auto& line : script)
        if (line.kind != skipped)
            lines << line.text;
    return lines;
}

qsizetype edits(const QList<LineDiff::Line>& script)
{
    return std::count_if(script.begin(), script.end(),
                         [](const auto& line) { return line.kind != Kind::Same; });
}

// The fewest removed plus added lines, by the textbook table.
qsizetype fewestEdits(const QStringList& a, const QStringList& b)
{
    std::vector<std::vector<qsizetype>> lcs(a.size() + 1, std::vector<qsizetype>(b.size() + 1));
    for (qsizetype i = a.size() - 1; i >= 0; --i)
        for (qsizetype j = b.size() - 1; j >= 0; --j)
            lcs[i][j] =
                a[i] == b[j] ? lcs[i + 1][j + 1] + 1 : std::max(lcs[i + 1][j], lcs[i][j + 1]);
    return a.size() + b.size() - 2 * lcs[0][0];
}

QStringList letters(const QString& text)
{
    QStringList lines;
    for (QChar c : text)
        lines << QString(c);
    return lines;
}

} // namespace

class tst_LineDiff : public QObject {
    Q_OBJECT

private slots:
    void splitLines_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("empty") << QString() << QStringList{};
        QTest::newRow("one break") << u"\r\n"_s << QStringList{QString()};
        QTest::newRow("each break kind")
            << u"a\r\nb\rc\nd"_s << QStringList{u"a"_s, u"b"_s, u"c"_s, u"d"_s};
        QTest::newRow("LF CR is two breaks")
            << u"a\n\rb\r\n"_s << QStringList{u"a"_s, QString(), u"b"_s};
    }
    void splitLines()
    {
        QFETCH(QString, text);
        QTEST(LineDiff::splitLines(text), "lines");
    }

    // Both sides come back from the script, and it is as short as any.
    void diffIsShortest_data()
    {
        QTest::addColumn<QString>("before"); // one letter a line
        QTest::addColumn<QString>("after");
        QTest::newRow("same") << u"abc"_s << u"abc"_s;
        QTest::newRow("both empty") << QString() << QString();
        QTest::newRow("from nothing") << QString() << u"ab"_s;
        QTest::newRow("to nothing") << u"ab"_s << QString();
        QTest::newRow("inserted") << u"ac"_s << u"abc"_s;
        QTest::newRow("removed") << u"abc"_s << u"ac"_s;
        QTest::newRow("replaced") << u"abc"_s << u"axc"_s;
        QTest::newRow("textbook") << u"abcabba"_s << u"cbabac"_s;
        QTest::newRow("moved line") << u"abcde"_s << u"bcdea"_s;
        QTest::newRow("repeats") << u"aaaabaaaa"_s << u"aaaaaaaab"_s;
    }
    void diffIsShortest()
    {
        QFETCH(QString, before);
        QFETCH(QString, after);
        const QStringList a = letters(before);
        const QStringList b = letters(after);
        const auto script = LineDiff::diff(a, b);
        QCOMPARE(side(script, Kind::Added), a);
        QCOMPARE(side(script, Kind::Removed), b);
        QCOMPARE(edits(script), fewestEdits(a, b));
    }

    void randomTextsAreShortest()
    {
        QRandomGenerator random(15);
        for (int round = 0; round < 300; ++round) {
            QStringList a;
            QStringList b;
            for (int i = int(random.bounded(25)); i > 0; --i)
                a << QString(QChar(u'a' + random.bounded(4)));
            for (int i = int(random.bounded(25)); i > 0; --i)
                b << QString(QChar(u'a' + random.bounded(4)));
            const auto script = LineDiff::diff(a, b);
            QCOMPARE(side(script, Kind::Added), a);
            QCOMPARE(side(script, Kind::Removed), b);
            QCOMPARE(edits(script), fewestEdits(a, b));
        }
    }

    // Beyond MaxEdits the middle is replaced whole, still in the right order.
    void veryDifferentTexts()
    {
        QStringList a;
        QStringList b;
        a << u"head"_s;
        b << u"head"_s;
        for (int i = 0; i < 3000; ++i) {
            a << u"old %1"_s.arg(i);
            b << u"new %1"_s.arg(i);
        }
        const auto script = LineDiff::diff(a, b);
        QCOMPARE(side(script, Kind::Added), a);
        QCOMPARE(side(script, Kind::Removed), b);
        QCOMPARE(script.first().kind, Kind::Same);
    }

    void unified_data()
    {
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<QStringList>("after");
        QTest::addColumn<QString>("text");
        const QStringList ten = letters(u"abcdefghij"_s);
        QTest::newRow("no difference") << ten << ten << QString();
        QTest::newRow("one line changed, context cut at the ends")
            << ten << letters(u"abcdeXghij"_s)
            << u"--- old\n+++ new\n@@ -3,7 +3,7 @@\n c\n d\n e\n-f\n+X\n g\n h\n i\n"_s;
        QTest::newRow("at the start")
            << ten << letters(u"Xbcdefghij"_s)
            << u"--- old\n+++ new\n@@ -1,4 +1,4 @@\n-a\n+X\n b\n c\n d\n"_s;
        QTest::newRow("added at the end") << letters(u"ab"_s) << letters(u"abc"_s)
                                          << u"--- old\n+++ new\n@@ -1,2 +1,3 @@\n a\n b\n+c\n"_s;
        QTest::newRow("into an empty file") << QStringList{} << letters(u"ab"_s)
                                            << u"--- old\n+++ new\n@@ -0,0 +1,2 @@\n+a\n+b\n"_s;
        QTest::newRow("close changes share a hunk")
            << ten << letters(u"aXcdefgXij"_s)
            << u"--- old\n+++ new\n@@ -1,10 +1,10 @@\n a\n-b\n+X\n c\n d\n e\n f\n g\n-h\n+X\n"
               u" i\n j\n"_s;
        const QStringList twenty = letters(u"abcdefghijklmnopqrst"_s);
        QTest::newRow("far changes get two hunks")
            << twenty << letters(u"aXcdefghijklmnopqrsY"_s)
            << u"--- old\n+++ new\n@@ -1,5 +1,5 @@\n a\n-b\n+X\n c\n d\n e\n"
               u"@@ -17,4 +17,4 @@\n q\n r\n s\n-t\n+Y\n"_s;
    }
    void unified()
    {
        QFETCH(QStringList, before);
        QFETCH(QStringList, after);
        QTEST(LineDiff::unified(before, after, u"old"_s, u"new"_s), "text");
    }
};

QTEST_GUILESS_MAIN(tst_LineDiff)
#include "tst_linediff.moc"
