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

// One line per letter.
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
    // Both sides come back from the script, and it is as short as any; beyond MaxEdits the
    // differing middle is replaced whole, still in order.
    void diff_data()
    {
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<QStringList>("after");
        QTest::addColumn<int>("edits"); // -1: the fewest there are
        // One letter a line, before/after.
        for (const QString& pair : u"abc/abc / /ab ab/ ac/abc abc/ac abc/axc abcabba/cbabac "
                                   u"abcde/bcdea aaaabaaaa/aaaaaaaab"_s.split(u' '))
            QTest::addRow("%s", qPrintable(pair))
                << letters(pair.section(u'/', 0, 0)) << letters(pair.section(u'/', 1)) << -1;
        QRandomGenerator random(15);
        const auto randomLetters = [&random] {
            QString text;
            for (int i = int(random.bounded(25)); i > 0; --i)
                text += QChar(u'a' + random.bounded(4));
            return text;
        };
        for (int round = 0; round < 300; ++round)
            QTest::addRow("random %d", round)
                << letters(randomLetters()) << letters(randomLetters()) << -1;
        QStringList a{u"head"_s};
        QStringList b{u"head"_s};
        for (int i = 0; i < 3000; ++i) {
            a << u"old %1"_s.arg(i);
            b << u"new %1"_s.arg(i);
        }
        QTest::newRow("very different") << a << b << 6000;
    }
    void diff()
    {
        QFETCH(QStringList, before);
        QFETCH(QStringList, after);
        QFETCH(int, edits);
        const auto script = LineDiff::diff(before, after);
        QCOMPARE(side(script, Kind::Added), before);
        QCOMPARE(side(script, Kind::Removed), after);
        const auto made = std::count_if(script.begin(), script.end(),
                                        [](const auto& line) { return line.kind != Kind::Same; });
        QCOMPARE(made, edits < 0 ? fewestEdits(before, after) : edits);
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
        QTest::newRow("added at the end") << letters(u"ab"_s) << letters(u"abc"_s)
                                          << u"--- old\n+++ new\n@@ -1,2 +1,3 @@\n a\n b\n+c\n"_s;
        QTest::newRow("into an empty file") << QStringList{} << letters(u"ab"_s)
                                            << u"--- old\n+++ new\n@@ -0,0 +1,2 @@\n+a\n+b\n"_s;
        QTest::newRow("close changes share a hunk")
            << ten << letters(u"aXcdefgXij"_s)
            << u"--- old\n+++ new\n@@ -1,10 +1,10 @@\n a\n-b\n+X\n c\n d\n e\n f\n g\n-h\n+X\n"
               u" i\n j\n"_s;
        QTest::newRow("far changes get two hunks")
            << letters(u"abcdefghijklmnopqrst"_s) << letters(u"aXcdefghijklmnopqrsY"_s)
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
