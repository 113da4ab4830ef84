#include "core/ConfigText.h"
#include "core/RowEdits.h"
#include "core/RowModel.h"
#include "core/SettingLookup.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace RowEdits;
using SettingLookup::Kind;

class tst_RowEdits : public QObject {
    Q_OBJECT

private slots:
    // A file's line, toggled as a list row; rows read "Setting|Parameter".
    void toggledComment_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("toggled");
        QTest::newRow("comment") << u"N 5"_s << u";|N 5"_s;
        QTest::newRow("uncomment") << u"; NAME 5"_s << u"NAME|5"_s;
        QTest::newRow("glued to the mark") << u";NAME 5"_s << u";|;NAME 5"_s;
        QTest::newRow("blank") << u""_s << u";| "_s;
        QTest::newRow("commented blank") << u";  "_s << u"|"_s;
        QTest::newRow("leading spaces") << u";  NAME 5"_s << u"|NAME 5"_s;
    }
    void toggledComment()
    {
        QFETCH(QString, line);
        const auto [setting, parameter] = RowEdits::toggledComment(ConfigText::parseLine(line, 1));
        QTEST(setting + u'|' + parameter, "toggled");
    }

    // "[]" is the position given, in text positions (CR LF counts two).
    void toggleCommentAt_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("toggled");
        QTest::newRow("comment") << u"  NA[]ME 5"_s << u";  NAME 5"_s;
        QTest::newRow("uncomment") << u"[];  NAME 5"_s << u"  NAME 5"_s;
        QTest::newRow("after spaces") << u"  ; NAME 5[]"_s << u"   NAME 5"_s;
        QTest::newRow("first mark only") << u";;A[]"_s << u";A"_s;
        QTest::newRow("mark inside") << u"A;[]"_s << u";A;"_s;
        QTest::newRow("empty text") << u"[]"_s << u";"_s;
        QTest::newRow("start") << u"[]A 1\r\nB 2"_s << u";A 1\r\nB 2"_s;
        QTest::newRow("end of a line") << u"A 1[]\r\nB 2"_s << u";A 1\r\nB 2"_s;
        QTest::newRow("between CR and LF") << u"A 1\r[]\nB 2"_s << u";A 1\r\nB 2"_s;
        QTest::newRow("start of the next line") << u"A 1\r\n[]B 2"_s << u"A 1\r\n;B 2"_s;
        QTest::newRow("middle") << u"A\r\nB[] 2\r\n;C"_s << u"A\r\n;B 2\r\n;C"_s;
        QTest::newRow("empty line") << u"A\r\n[]\r\nB"_s << u"A\r\n;\r\nB"_s;
        QTest::newRow("end") << u"A\r\n; B[]"_s << u"A\r\n B"_s;
        QTest::newRow("after a final break") << u"A\r\n[]"_s << u"A\r\n;"_s;
    }
    void toggleCommentAt()
    {
        QFETCH(QString, text);
        const qsizetype position = text.indexOf(u"[]"_s);
        QTEST(RowEdits::toggleCommentAt(text.remove(u"[]"_s), position), "toggled");
    }

    // What OK makes of an edit: a new setting's row and, after a tab, its line; or an existing
    // row rewritten, where what the user left as shown keeps the row's own text. Rows read
    // "Setting|Parameter"; an edit is the arrangement's letter (Number, String, Choice, OK alone,
    // Multiple), then "name|choice|value|stem".
    void valueEdits_data()
    {
        QTest::addColumn<QString>("row"); // empty: a new setting
        QTest::addColumn<QString>("edit");
        QTest::addColumn<QString>("result");
        const auto row = [](const char* tag, const char* before, const char* edit,
                            const char* after) {
            QTest::newRow(tag) << QString(before) << QString(edit) << QString(after);
        };
        row("new number", "", "N MAXCONNECTIONS||50", "MAXCONNECTIONS|50\tMAXCONNECTIONS 50\n");
        row("new choice", "", "C LOGLEVEL|ERROR|", "LOGLEVEL|ERROR\tLOGLEVEL ERROR\n");
        row("new multiple", "", "M CACHESIZE|_INDEX|64",
            "CACHESIZE_INDEX|64\tCACHESIZE_INDEX 64\n");
        row("new comment", "", "S ;||a note", ";|a note\t; a note\n");
        row("new blank line", "", "O  BLANK LINE||", " BLANK LINE|\t \n");
        row("value", "loglevel|1", "N X||50", "loglevel|50");
        row("choice picked", "loglevel| INFO", "C X|ERROR|", "loglevel|ERROR");
        row("choice left: blanks kept", "loglevel|  INFO ", "C X|INFO|", "loglevel|  INFO ");
        row("commented multiple: mark kept", ";CACHESIZE_TEMP|256", "M X|_TEMP|300|;CACHESIZE",
            ";CACHESIZE_TEMP|300");
        row("commented multiple: suffix picked", ";CACHESIZE_TEMP|256", "M X|_DATA|256|;CACHESIZE",
            ";CACHESIZE_DATA|256");
        row("unlisted suffix kept", "CACHESIZE_FOO|5", "M X|_FOO|6|CACHESIZE", "CACHESIZE_FOO|6");
        row("own spelling kept", "cachesize_temp|5", "M X|_TEMP|5|CACHESIZE", "cachesize_temp|5");
    }
    void valueEdits()
    {
        QFETCH(QString, row);
        QFETCH(QString, edit);
        const QStringList parts = edit.mid(2).split(u'|');
        const Kind kinds[] = {Kind::Number, Kind::String, Kind::Choice, Kind::Null, Kind::Multiple};
        const ValueEdit valueEdit{.name = parts[0],
                                  .kind = kinds[u"NSCOM"_s.indexOf(edit[0])],
                                  .choice = parts[1],
                                  .value = parts[2],
                                  .stem = parts.value(3)};
        if (row.isEmpty()) {
            const Row added = newRow(valueEdit);
            QVERIFY(added.Key.isEmpty());
            QTEST(added.Setting + u'|' + added.Parameter + u'\t' + newLine(valueEdit), "result");
        } else {
            const QStringList texts = row.split(u'|');
            const auto [setting, parameter] = editedRow(valueEdit, Row{u"K"_s, texts[0], texts[1]});
            QTEST(setting + u'|' + parameter, "result");
        }
    }

    // A multiple setting's key counts rows; any other's carries the fraction, single-precision.
    void keys()
    {
        QCOMPARE(newRowKey(4, true, 0.5), u"K5"_s);
        QCOMPARE(newRowKey(4, false, 0), u"K6"_s);
        QCOMPARE(newRowKey(4, false, 0.123456789), u"K6.123457"_s);
        QCOMPARE(newRowKey(40000, false, 0.5), u"K40002.5"_s);
        QCOMPARE(newRowKey(1234567, false, 0.75), u"K1234570"_s);
        QCOMPARE(blankRowKey(3), u"KB4"_s);
    }

    // The list's model: unique keys, and a reset in one signal.
    void keysHeadersAndReset()
    {
        RowModel model;
        QAbstractItemModelTester tester(&model);
        // A reset may bring a key twice: it stays in use until both rows are gone.
        model.resetRows({{u"K"_s, {}, {}}, {u"K_2"_s, {}, {}}, {u"L"_s, {}, {}}, {u"L"_s, {}, {}}});
        QVERIFY(!model.insertRowAt(0, {u"K_2"_s, u"N"_s, {}}));
        QCOMPARE(model.uniqueKey(u"K"_s), u"K_3"_s);
        model.removeRowAt(3);
        QCOMPARE(model.uniqueKey(u"L"_s), u"L_2"_s);
        model.removeRowAt(2);
        QCOMPARE(model.uniqueKey(u"L"_s), u"L"_s);
        // Blank rows all carry the empty key, which is never in use.
        QVERIFY(model.insertRowAt(2, {}) && model.insertRowAt(3, {}));
        QVERIFY(!model.insertRowAt(5, {}));
        // Many rows arrive in one signal: a signal per row would stall the list view.
        QSignalSpy resets(&model, &RowModel::modelReset);
        QSignalSpy inserted(&model, &RowModel::rowsInserted);
        model.resetRows(QList<Row>(40000));
        QCOMPARE(resets.size(), 1);
        QCOMPARE(inserted.size(), 0);
    }
};

QTEST_GUILESS_MAIN(tst_RowEdits)
#include "tst_rowedits.moc"
