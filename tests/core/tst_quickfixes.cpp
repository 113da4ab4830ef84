#include "core/ConfigDocument.h"
#include "core/DocumentEdits.h"
#include "core/QuickFixes.h"

#include "support/VersionedRows.h"

#include <QTest>

using namespace Qt::StringLiterals;
using ProblemCheck::Problem;

class tst_QuickFixes : public QObject {
    Q_OBJECT

    static constexpr float Version = 6.0f;
    const VersionedCatalogue catalogue =
        VersionedRows({{"LISTENPORT", 5.0f, "number", "", "1 to 65535, default 7420"},
                       {"SPAN", 5.0f, "number", "", "1 to 9, default 12"},
                       {"TRACE", 5.0f, "boolean", "ON|OFF", ""},
                       {"LOGLEVEL", 5.0f, "combo", "ERROR|INFO", ""},
                       {"HOSTNAME", 5.0f, "string", "", ""},
                       {"WORKMEMORY", 8.0f, "number", "", "1 to 9"}});

private slots:
    // titles: those offered; fix: the one applied, -1 for "Fix all of this kind", the only row
    // where that is offered.
    void fixesAreOfferedAndApplied_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("titles");
        QTest::addColumn<int>("fix");
        QTest::addColumn<QString>("after"); // empty: no change of text
        const QString tail = u"\r\nTRACE ON\n"_s;
        const QString duplicates = u"Remove this line; Keep this line, remove the others"_s;
        QTest::newRow("misspelt name")
            << u"  listenprot  80 \u2029 "_s + tail << 1 << u"unknown-setting"_s
            << u"Change to LISTENPORT"_s << 0 << u"  LISTENPORT  80 \u2029 "_s + tail;
        QTest::newRow("all misspelt")
            << u"LISTENPROT 80\r\ntrase OFF\r\nHOSTNAM a\r\nTRACE ON\n"_s << 1
            << u"unknown-setting"_s << u"Change to LISTENPORT"_s << -1
            << u"LISTENPORT 80\r\nTRACE OFF\r\nHOSTNAME a\r\nTRACE ON\n"_s;
        QTest::newRow("remove this")
            << u"TRACE ON\r\nHOSTNAME a\r\ntrace OFF\n"_s << 3 << u"duplicate-setting"_s
            << duplicates << 0 << u"TRACE ON\r\nHOSTNAME a\r\n"_s;
        QTest::newRow("keep this")
            << u"TRACE ON\r\nHOSTNAME a\r\nTRACE OFF\r\n;TRACE ON\r\nTRACE ON\n"_s << 3
            << u"duplicate-setting"_s << duplicates << 1
            << u"HOSTNAME a\r\nTRACE OFF\r\n;TRACE ON\r\n"_s;
        QTest::newRow("newer") << u" WORKMEMORY 4 ; big"_s + tail << 1 << u"newer-setting"_s
                               << u"Comment out this line"_s << 0
                               << u"; WORKMEMORY 4 ; big"_s + tail;
        QTest::newRow("above range")
            << u"LISTENPORT  70000 "_s + tail << 1 << u"out-of-range"_s
            << u"Set to the minimum (1); Set to the maximum (65535); Set to the default (7420)"_s
            << 2 << u"LISTENPORT  7420 "_s + tail;
        QTest::newRow("default outside")
            << u"SPAN 0"_s + tail << 1 << u"out-of-range"_s
            << u"Set to the minimum (1); Set to the maximum (9)"_s << 1 << u"SPAN 9"_s + tail;
        QTest::newRow("choice") << u"HOSTNAME a\r\nLOGLEVEL  LOUD\r\n"_s << 2 << u"not-a-choice"_s
                                << u"Set to ERROR; Set to INFO"_s << 1
                                << u"HOSTNAME a\r\nLOGLEVEL  INFO\r\n"_s;
        QTest::newRow("missing value") << u"HOSTNAME "_s + tail << 1 << u"missing-value"_s
                                       << u"Edit value..."_s << 0 << QString();
    }
    void fixesAreOfferedAndApplied()
    {
        QFETCH(QString, file);
        QFETCH(int, line);
        QFETCH(QString, code);
        QFETCH(QString, titles);
        QFETCH(int, fix);
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
            QCOMPARE(offered.join(u"; "_s), titles);
            // Only where several problems each have one certain fix of their own line.
            QCOMPARE(bool(QuickFixes::fixAllLike(*found, problems, lines, catalogue, Version)),
                     fix < 0);
            if (after.isEmpty())
                continue;
            const auto chosen =
                fix < 0
                    ? QuickFixes::fixAllLike(*found, problems, lines, catalogue, Version).value()
                    : fixes.at(fix);
            QVERIFY(DocumentEdits(document).changeLines(chosen.changes, chosen.stepName) >= 0);
            QCOMPARE(document.textToWrite(), after);
            QCOMPARE(document.history().undoText(), chosen.stepName);
            QCOMPARE(document.history().count(), 1);
            document.undo();
            QCOMPARE(document.textToWrite(), before);
            QVERIFY(!document.DocumentChanged());
        }
    }
};

QTEST_GUILESS_MAIN(tst_QuickFixes)
#include "tst_quickfixes.moc"
