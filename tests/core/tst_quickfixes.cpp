#include "core/ConfigDocument.h"
#include "core/DocumentEdits.h"
#include "core/QuickFixes.h"

#include "support/VersionedRows.h"

#include <QTest>

using namespace Qt::StringLiterals;
using ProblemCheck::Problem;

namespace {

VersionedCatalogue Catalogue()
{
    return VersionedRows({{"LISTENPORT", 5.0f, "number", "", "1 to 65535, default 7420"},
                          {"OFFSET", 5.0f, "number", "", "-10 to 10"},
                          {"SPAN", 5.0f, "number", "", "1 to 9, default 12"},
                          {"TRACE", 5.0f, "boolean", "ON|OFF", ""},
                          {"LOGLEVEL", 5.0f, "combo", "ERROR|INFO", ""},
                          {"HOSTNAME", 5.0f, "string", "", ""},
                          {"WORKMEMORY", 8.0f, "number", "", "1 to 9"}});
}

constexpr float Version = 6.0f;

} // namespace

class tst_QuickFixes : public QObject {
    Q_OBJECT

    const VersionedCatalogue catalogue = Catalogue();

private slots:
    // fix: the title applied, "all" for Fix all.
    void fixesAreOfferedAndApplied_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QStringList>("titles");
        QTest::addColumn<QString>("fix");
        QTest::addColumn<QString>("after");
        const QString tail = u"\r\nTRACE ON\n"_s;
        QTest::newRow("misspelt name")
            << u"  listenprot  80 \u2029 "_s + tail << 1 << u"unknown-setting"_s
            << QStringList{u"Change to LISTENPORT"_s} << u"Change to LISTENPORT"_s
            << u"  LISTENPORT  80 \u2029 "_s + tail;
        QTest::newRow("no suggestion") << u"QQQQQQQQ 1"_s + tail << 1 << u"unknown-setting"_s
                                       << QStringList() << QString() << QString();
        QTest::newRow("all misspelt")
            << u"LISTENPROT 80\r\ntrase OFF\r\nHOSTNAM a\r\nTRACE ON\n"_s << 1
            << u"unknown-setting"_s << QStringList{u"Change to LISTENPORT"_s} << u"all"_s
            << u"LISTENPORT 80\r\nTRACE OFF\r\nHOSTNAME a\r\nTRACE ON\n"_s;
        QTest::newRow("remove this")
            << u"TRACE ON\r\nHOSTNAME a\r\ntrace OFF\n"_s << 3 << u"duplicate-setting"_s
            << QStringList{u"Remove this line"_s, u"Keep this line, remove the others"_s}
            << u"Remove this line"_s << u"TRACE ON\r\nHOSTNAME a\r\n"_s;
        QTest::newRow("keep this")
            << u"TRACE ON\r\nHOSTNAME a\r\nTRACE OFF\r\n;TRACE ON\r\nTRACE ON\n"_s << 3
            << u"duplicate-setting"_s
            << QStringList{u"Remove this line"_s, u"Keep this line, remove the others"_s}
            << u"Keep this line, remove the others"_s
            << u"HOSTNAME a\r\nTRACE OFF\r\n;TRACE ON\r\n"_s;
        QTest::newRow("newer") << u" WORKMEMORY 4 ; big"_s + tail << 1 << u"newer-setting"_s
                               << QStringList{u"Comment out this line"_s}
                               << u"Comment out this line"_s << u"; WORKMEMORY 4 ; big"_s + tail;
        QTest::newRow("above range")
            << u"LISTENPORT  70000 "_s + tail << 1 << u"out-of-range"_s
            << QStringList{u"Set to the minimum (1)"_s, u"Set to the maximum (65535)"_s,
                           u"Set to the default (7420)"_s}
            << u"Set to the default (7420)"_s << u"LISTENPORT  7420 "_s + tail;
        QTest::newRow("no default")
            << u"OFFSET -11"_s + tail << 1 << u"out-of-range"_s
            << QStringList{u"Set to the minimum (-10)"_s, u"Set to the maximum (10)"_s}
            << u"Set to the minimum (-10)"_s << u"OFFSET -10"_s + tail;
        QTest::newRow("default outside")
            << u"SPAN 0"_s + tail << 1 << u"out-of-range"_s
            << QStringList{u"Set to the minimum (1)"_s, u"Set to the maximum (9)"_s}
            << u"Set to the maximum (9)"_s << u"SPAN 9"_s + tail;
        QTest::newRow("choice") << u"HOSTNAME a\r\nLOGLEVEL  LOUD\r\n"_s << 2 << u"not-a-choice"_s
                                << QStringList{u"Set to ERROR"_s, u"Set to INFO"_s}
                                << u"Set to INFO"_s << u"HOSTNAME a\r\nLOGLEVEL  INFO\r\n"_s;
        QTest::newRow("missing value") << u"HOSTNAME "_s + tail << 1 << u"missing-value"_s
                                       << QStringList{u"Edit value..."_s} << QString() << QString();
    }
    void fixesAreOfferedAndApplied()
    {
        QFETCH(QString, file);
        QFETCH(int, line);
        QFETCH(QString, code);
        QFETCH(QStringList, titles);
        QFETCH(QString, fix);
        QFETCH(QString, after);
        for (const bool textView : {false, true}) {
            ConfigDocument document;
            document.setView(textView ? ConfigDocument::View::Text : ConfigDocument::View::List);
            document.load(u"/f.cfg"_s, file);
            const QString before = document.textToWrite();
            const QStringList lines = document.lines();
            const QList<Problem> problems = ProblemCheck::check(lines, catalogue, Version);
            const auto found =
                std::find_if(problems.begin(), problems.end(),
                             [&](const Problem& p) { return p.line == line && p.code == code; });
            QVERIFY(found != problems.end());
            const QList<QuickFixes::Fix> fixes =
                QuickFixes::fixesFor(*found, lines, catalogue, Version);
            QStringList offered;
            for (const QuickFixes::Fix& each : fixes)
                offered.append(each.title);
            QCOMPARE(offered, titles);
            if (after.isEmpty())
                continue;
            const auto chosen =
                fix == u"all"_s
                    ? QuickFixes::fixAllLike(*found, problems, lines, catalogue, Version).value()
                    : fixes.at(titles.indexOf(fix));
            QVERIFY(DocumentEdits(document).changeLines(chosen.changes, chosen.stepName) >= 0);
            QCOMPARE(document.textToWrite(), after);
            QCOMPARE(document.history().undoText(), chosen.stepName);
            QCOMPARE(document.history().count(), 1);
            document.undo();
            QCOMPARE(document.textToWrite(), before);
            QVERIFY(!document.DocumentChanged());
        }
    }

    // Only problems with one certain fix of their own line join in; one such alone is no "all".
    void fixAllTakesOnlyCertainFixes()
    {
        const QStringList lines{u"LISTENPROT 1"_s, u"QQQQQQQQ 2"_s, u"TRACE ON"_s, u"TRACE ON"_s};
        const QList<Problem> problems = ProblemCheck::check(lines, catalogue, Version);
        QCOMPARE(problems.first().code, u"unknown-setting"_s);
        QVERIFY(!QuickFixes::fixAllLike(problems.first(), problems, lines, catalogue, Version));
        QVERIFY(!QuickFixes::fixAllLike(problems.last(), problems, lines, catalogue, Version));
        QCOMPARE(QuickFixes::tipFor({problems.first()}, lines, catalogue, Version),
                 problems.first().message + u"\nQuick fix: Change to LISTENPORT"_s);
    }
};

QTEST_GUILESS_MAIN(tst_QuickFixes)
#include "tst_quickfixes.moc"
