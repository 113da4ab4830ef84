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

QTEST_GUILESS_MAIN(tst_Replace)
#include "tst_replace.moc"
