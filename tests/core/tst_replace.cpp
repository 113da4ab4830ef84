#include "core/ConfigDocument.h"
#include "core/DocumentEdits.h"

#include <QTest>
#include <QUndoStack>

using namespace Qt::StringLiterals;

class tst_Replace : public QObject {
    Q_OBJECT

private slots:
    // Replace All over a text-view document: what a save would write, then after one undo.
    void replaceAll_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("replacement");
        QTest::addColumn<bool>("matchCase");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("after");
        const QString logs = u"LOG x\r\nlog y\r\nCACHE z\r\n"_s;
        QTest::newRow("any case") << logs << u"Log"_s << u"TRACE"_s << false << 2
                                  << u"TRACE x\r\nTRACE y\r\nCACHE z\r\n"_s;
        QTest::newRow("match case")
            << logs << u"log"_s << u"TRACE"_s << true << 1 << u"LOG x\r\nTRACE y\r\nCACHE z\r\n"_s;
        QTest::newRow("overlapping")
            << u"aaaa\r\naaa\r\n"_s << u"AA"_s << u"b"_s << false << 3 << u"bb\r\nba\r\n"_s;
        QTest::newRow("replacement holds key")
            << u"ab ab\r\n"_s << u"ab"_s << u"abab"_s << true << 2 << u"abab abab\r\n"_s;
        QTest::newRow("to nothing")
            << u"A=1;a=2\r\n"_s << u"a="_s << QString() << false << 2 << u"1;2\r\n"_s;
        QTest::newRow("longer in upper case")
            << u"Straße\r\n"_s << u"SS"_s << u"ss"_s << false << 1 << u"Strasse\r\n"_s;
        QTest::newRow("empty key") << logs << QString() << u"x"_s << false << 0 << logs;
        QTest::newRow("not found") << logs << u"zz"_s << u"x"_s << false << 0 << logs;
        // A line without a match keeps its own break, even one unlike the others.
        QTest::newRow("untouched lines") << u"A 1\nB x\r\nC 1\rD x\r\n"_s << u"x"_s << u"y"_s
                                         << true << 2 << u"A 1\nB y\r\nC 1\rD y\r\n"_s;
    }
    void replaceAll()
    {
        QFETCH(QString, text);
        QFETCH(QString, key);
        QFETCH(QString, replacement);
        QFETCH(bool, matchCase);
        QFETCH(int, count);
        QFETCH(QString, after);
        ConfigDocument document;
        document.setView(ConfigDocument::View::Text);
        document.load(u"/replace.cfg"_s, text);
        QCOMPARE(DocumentEdits(document).replaceAll(key, replacement, matchCase), count);
        QCOMPARE(document.textToWrite(), after);
        QCOMPARE(document.history().count(), count > 0 ? 1 : 0);
        QCOMPARE(document.DocumentChanged(), count > 0);
        document.undo();
        QCOMPARE(document.textToWrite(), text);
        QVERIFY(!document.DocumentChanged());
    }
};

QTEST_GUILESS_MAIN(tst_Replace)
#include "tst_replace.moc"
