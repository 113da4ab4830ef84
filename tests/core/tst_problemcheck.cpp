#include "core/ConfigDocument.h"
#include "core/DocumentEdits.h"
#include "core/ProblemCheck.h"
#include "core/QuickFixes.h"
#include "core/Version.h"

#include "support/VersionedRows.h"

#include <QTest>

using namespace Qt::StringLiterals;
using ProblemCheck::Problem;

namespace {

// Versions 5.0 to 8.0. ZIPCODE's type is no type word; BACKWARDS's note is no range.
VersionedCatalogue Catalogue()
{
    return VersionedRows({{"LISTENPORT", 5.0f, "number", "", "1 to 65535, default 7420"},
                          {"CONNECTTIMEOUT", 5.0f, "number", "", "1 to 300, default 30"},
                          {"OFFSET", 5.0f, "number", "", "-10 to 10"},
                          {"POOLSIZE", 5.0f, "number", "", "default 64"},
                          {"BACKWARDS", 5.0f, "number", "", "10 to 1"},
                          {"TRACE", 5.0f, "boolean", "ON|OFF", ""},
                          {"LOGLEVEL", 5.5f, "combo", "ERROR|WARNING|INFO", ""},
                          {"LISTENADDRESS", 5.0f, "string", "", ""},
                          {"KEEPALIVE", 5.0f, "null", "", ""},
                          {"CACHESIZE", 5.0f, "multiple", "_DATA|_INDEX|_TEMP", ""},
                          {"MAXCLIENTSPERHOST", 6.0f, "number", "", "0 to 10000"},
                          {"WORKMEMORY", 8.0f, "multiple", "_SORT|_HASH", ""},
                          {"ZIPCODE", 5.0f, "Number", "", ""},
                          {" COMMENT(;)", 5.0f, "string", "", ""}});
}

QStringList Described(const QList<Problem>& problems)
{
    QStringList lines;
    for (const Problem& p : problems)
        lines.append(u"%1 %2 %3 %4: %5"_s.arg(QString::number(p.line),
                                              ProblemCheck::severityName(p.severity), p.code,
                                              p.setting, p.message));
    return lines;
}

QString dup(int line, const char* setting, const char* others)
{
    return u"%1 warning duplicate-setting %2: %2 is also set on %3."_s.arg(
        QString::number(line), QLatin1StringView(setting), QLatin1StringView(others));
}

} // namespace

class tst_ProblemCheck : public QObject {
    Q_OBJECT

    // The quick fixes' own catalogue, at version 6.
    static constexpr float Version = 6.0f;
    const VersionedCatalogue catalogue =
        VersionedRows({{"LISTENPORT", 5.0f, "number", "", "1 to 65535, default 7420"},
                       {"SPAN", 5.0f, "number", "", "1 to 9, default 12"},
                       {"TRACE", 5.0f, "boolean", "ON|OFF", ""},
                       {"LOGLEVEL", 5.0f, "combo", "ERROR|INFO", ""},
                       {"HOSTNAME", 5.0f, "string", "", ""},
                       {"WORKMEMORY", 8.0f, "number", "", "1 to 9"}});

private slots:
    void problems_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<float>("version");
        QTest::addColumn<QStringList>("expected"); // "line severity code setting: message"
        const auto row = [](const char* tag, const QStringList& lines, float version,
                            const QStringList& expected) {
            QTest::newRow(tag) << lines << version << expected;
        };

        row("comments, blank and blank-only lines, good values: nothing",
            {u"; LISTENPORT 70000"_s, u""_s, u"   "_s, u";"_s, u"LISTENPORT 7420"_s,
             u"  trace off"_s, u"CACHESIZE_data 64"_s, u"KEEPALIVE "_s, u"OFFSET -10"_s,
             u"CONNECTTIMEOUT +1"_s, u"BACKWARDS 50"_s, u"LOGLEVEL info"_s},
            5.5f, {});
        row("unknown, the closest name suggested",
            {u"LISTENPROT 7420"_s, u"lstenprt 1"_s, u"LSTNPRT 1"_s, u"CACHESIZ_DATA 5"_s}, 5.5f,
            {u"1 warning unknown-setting LISTENPROT: Unknown setting LISTENPROT. Did you mean "
             "LISTENPORT?"_s,
             u"2 warning unknown-setting LSTENPRT: Unknown setting LSTENPRT. Did you mean "
             "LISTENPORT?"_s,
             u"3 warning unknown-setting LSTNPRT: Unknown setting LSTNPRT."_s,
             u"4 warning unknown-setting CACHESIZ_DATA: Unknown setting CACHESIZ_DATA. Did you "
             "mean CACHESIZE_DATA?"_s});
        row("a later setting is never suggested", {u"LOGLEVE INFO"_s}, 5.0f,
            {u"1 warning unknown-setting LOGLEVE: Unknown setting LOGLEVE."_s});
        row("newer, exact and with a suffix", {u"MAXCLIENTSPERHOST 5"_s, u"WORKMEMORY_HASH 9"_s},
            5.25f,
            {u"1 warning newer-setting MAXCLIENTSPERHOST: MAXCLIENTSPERHOST needs Dravane version "
             "6 or later; the chosen version is 5.25."_s,
             u"2 warning newer-setting WORKMEMORY_HASH: WORKMEMORY_HASH needs Dravane version 8 "
             "or later; the chosen version is 5.25."_s});
        // Shown, not obeyed by a terminal or a text view; the name's escape survives its
        // upper-casing ("\x1B[0m" would otherwise become "\X1B[0M" or ESC [0M).
        row("control characters written out",
            {u"TITLE\x1b]0;x\x07 1"_s, u"TRACE \x1b[0m"_s, u"LISTENPORT \u0085\u202e9"_s,
             u"KEEPALIVE \u2028\u2069\x7f"_s},
            5.5f,
            {u"1 warning unknown-setting TITLE\\x1B]0;X\\x07: Unknown setting "
             "TITLE\\x1B]0;X\\x07."_s,
             u"2 error not-a-choice TRACE: TRACE takes ON or OFF; \"\\x1B[0m\" is neither."_s,
             u"3 error not-a-number LISTENPORT: LISTENPORT needs a whole number; "
             "\"\\x85\\u202E9\" is not one."_s,
             u"4 warning unexpected-value KEEPALIVE: KEEPALIVE takes no value; "
             "\"\\u2028\\u2069\\x7F\" is written after it."_s});
        row("the version that introduced a setting has it", {u"MAXCLIENTSPERHOST 5"_s}, 6.0f, {});
        row("duplicates named on each line, case ignored",
            {u"LISTENPORT 1"_s, u""_s, u"listenport 2"_s, u"LISTENPORT 3"_s, u"TRACE ON"_s,
             u"TRACE OFF"_s},
            5.5f,
            {dup(1, "LISTENPORT", "lines 3 and 4"), dup(3, "LISTENPORT", "lines 1 and 4"),
             dup(4, "LISTENPORT", "lines 1 and 3"), dup(5, "TRACE", "line 6"),
             dup(6, "TRACE", "line 5")});
        // Five lines are named in full; beyond that, three and a count.
        row("five times", QStringList(5, u"TRACE ON"_s), 5.5f,
            {dup(1, "TRACE", "lines 2, 3, 4 and 5"), dup(2, "TRACE", "lines 1, 3, 4 and 5"),
             dup(3, "TRACE", "lines 1, 2, 4 and 5"), dup(4, "TRACE", "lines 1, 2, 3 and 5"),
             dup(5, "TRACE", "lines 1, 2, 3 and 4")});
        const char* const others = "lines 1, 2, 3 and 2 other lines";
        row("six times", QStringList(6, u"TRACE ON"_s), 5.5f,
            {dup(1, "TRACE", "lines 2, 3, 4 and 2 other lines"),
             dup(2, "TRACE", "lines 1, 3, 4 and 2 other lines"),
             dup(3, "TRACE", "lines 1, 2, 4 and 2 other lines"), dup(4, "TRACE", others),
             dup(5, "TRACE", others), dup(6, "TRACE", others)});
        row("a bad value and a duplicate on one line", {u"LISTENPORT x"_s, u"LISTENPORT 1"_s}, 5.5f,
            {u"1 error not-a-number LISTENPORT: LISTENPORT needs a whole number; \"x\" is not "
             "one."_s,
             dup(1, "LISTENPORT", "line 2"), dup(2, "LISTENPORT", "line 1")});
        // A note without a range (POOLSIZE's, BACKWARDS's) checks only that it is a number.
        row("not whole numbers",
            {u"CONNECTTIMEOUT 30s"_s, u"POOLSIZE 1.5"_s, u"OFFSET -"_s, u"BACKWARDS ten"_s,
             u"XPOOLSIZE 999999999999999999999"_s},
            5.5f,
            {u"1 error not-a-number CONNECTTIMEOUT: CONNECTTIMEOUT needs a whole number; \"30s\" "
             "is not one."_s,
             u"2 error not-a-number POOLSIZE: POOLSIZE needs a whole number; \"1.5\" is not "
             "one."_s,
             u"3 error not-a-number OFFSET: OFFSET needs a whole number; \"-\" is not one."_s,
             u"4 error not-a-number BACKWARDS: BACKWARDS needs a whole number; \"ten\" is not "
             "one."_s});
        // Bounds are inside; a number too long for any integer type is still outside. The
        // name is looked up as the editor does: XLISTENPORT holds LISTENPORT.
        row("range notes",
            {u"LISTENPORT 1"_s, u"CONNECTTIMEOUT 300"_s, u"OFFSET 11"_s, u"LISTENADDRESS 0"_s,
             u"CACHESIZE_TEMP 0"_s, u"XLISTENPORT 70000"_s, u"YLISTENPORT  0 "_s,
             u"XCONNECTTIMEOUT 99999999999999999999999"_s},
            5.5f,
            {u"3 error out-of-range OFFSET: OFFSET must be between -10 and 10; 11 is outside."_s,
             u"6 error out-of-range XLISTENPORT: XLISTENPORT must be between 1 and 65535; 70000 "
             "is outside."_s,
             u"7 error out-of-range YLISTENPORT: YLISTENPORT must be between 1 and 65535; 0 is "
             "outside."_s,
             u"8 error out-of-range XCONNECTTIMEOUT: XCONNECTTIMEOUT must be between 1 and 300; "
             "99999999999999999999999 is outside."_s});
        row("choices, case ignored", {u"TRACE maybe"_s, u"LOGLEVEL x"_s}, 5.5f,
            {u"1 error not-a-choice TRACE: TRACE takes ON or OFF; \"maybe\" is neither."_s,
             u"2 error not-a-choice LOGLEVEL: LOGLEVEL takes ERROR, WARNING or INFO; \"x\" is "
             "none of them."_s});
        row("suffixes", {u"CACHESIZE_FOO 5"_s, u"CACHESIZE 5"_s, u"CACHESIZE_index 5"_s}, 5.5f,
            {u"1 warning unknown-suffix CACHESIZE_FOO: CACHESIZE_FOO is not CACHESIZE followed by "
             "one of its suffixes _DATA, _INDEX or _TEMP."_s,
             u"2 warning unknown-suffix CACHESIZE: CACHESIZE is not CACHESIZE followed by one of "
             "its suffixes _DATA, _INDEX or _TEMP."_s});
        // An entry of a type the editor does not know (ZIPCODE) is passed over, as it is there.
        row("values present or not",
            {u"LISTENPORT"_s, u"LISTENADDRESS   "_s, u"TRACE"_s, u"CACHESIZE_DATA"_s,
             u"KEEPALIVE  yes please"_s, u"ZIPCODE abc"_s},
            5.5f,
            {u"1 warning missing-value LISTENPORT: LISTENPORT needs a value."_s,
             u"2 warning missing-value LISTENADDRESS: LISTENADDRESS needs a value."_s,
             u"3 warning missing-value TRACE: TRACE needs a value."_s,
             u"4 warning missing-value CACHESIZE_DATA: CACHESIZE_DATA needs a value."_s,
             u"5 warning unexpected-value KEEPALIVE: KEEPALIVE takes no value; \"yes please\" "
             "is written after it."_s});
    }

    void problems()
    {
        QFETCH(QStringList, lines);
        QFETCH(float, version);
        QFETCH(QStringList, expected);
        QCOMPARE(Described(ProblemCheck::check(lines, Catalogue(), version)), expected);
    }

    // Every message, the editor's and the command line's, writes a version this one way:
    // shortest, never with an exponent.
    void versionText()
    {
        for (const auto& [version, text] : std::initializer_list<std::pair<float, const char*>>{
                 {8.0f, "8"}, {6.1f, "6.1"}, {5.25f, "5.25"}, {10.0f, "10"}, {0.0f, "0"}})
            QCOMPARE(serverVersionText(version), QLatin1StringView(text));
    }

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

QTEST_GUILESS_MAIN(tst_ProblemCheck)
#include "tst_problemcheck.moc"
