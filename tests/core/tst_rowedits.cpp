#include "core/ConfigText.h"
#include "core/RowEdits.h"
#include "core/SettingLookup.h"

#include <QTest>

using namespace Qt::StringLiterals;
using namespace RowEdits;

namespace {

QString Texts(const QString& setting, const QString& parameter)
{
    return setting + u'|' + parameter;
}

} // namespace

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
        QTEST(Texts(setting, parameter), "toggled");
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

    // What OK makes of the value editor's contents: a new row, a line for the text view.
    void valueEdits_data()
    {
        QTest::addColumn<QStringList>("edit"); // name, choice, value; "multiple" when it is
        QTest::addColumn<QString>("newRow");
        QTest::addColumn<QString>("newLine");
        QTest::newRow("number") << QStringList{u"MAXCONNECTIONS"_s, u""_s, u"50"_s}
                                << u"MAXCONNECTIONS|50"_s << u"MAXCONNECTIONS 50\n"_s;
        QTest::newRow("choice") << QStringList{u"LOGLEVEL"_s, u"ERROR"_s, u""_s}
                                << u"LOGLEVEL|ERROR"_s << u"LOGLEVEL ERROR\n"_s;
        QTest::newRow("multiple") << QStringList{u"CACHESIZE"_s, u"_INDEX"_s, u"64"_s,
                                                 u"multiple"_s}
                                  << u"CACHESIZE_INDEX|64"_s << u"CACHESIZE_INDEX 64\n"_s;
        QTest::newRow("comment") << QStringList{u";"_s, u""_s, u"a note"_s} << u";|a note"_s
                                 << u"; a note\n"_s;
        QTest::newRow("blank line") << QStringList{SettingLookup::BlankLineEntry, u""_s, u""_s}
                                    << Texts(SettingLookup::BlankLineEntry, u""_s) << u" \n"_s;
    }
    void valueEdits()
    {
        QFETCH(QStringList, edit);
        const ValueEdit valueEdit{edit[0], edit[1], edit[2], edit.size() > 3, false, {}};
        const Row row = newRow(valueEdit);
        QVERIFY(row.Key.isEmpty());
        QTEST(Texts(row.Setting, row.Parameter), "newRow");
        QTEST(newLine(valueEdit), "newLine");
    }

    // An existing row rewritten by OK ("Setting|Parameter"; the edit "choice|value", with the
    // stem of a multiple setting third): what the user left as shown keeps the row's own text.
    void editedRow_data()
    {
        QTest::addColumn<QString>("row");
        QTest::addColumn<QString>("edit");
        QTest::addColumn<QString>("edited");
        const auto row = [](const char* tag, const char* before, const char* edit,
                            const char* after) {
            QTest::newRow(tag) << QString(before) << QString(edit) << QString(after);
        };
        row("value", "loglevel|1", "|50", "loglevel|50");
        row("choice picked", "loglevel| INFO", "ERROR|", "loglevel|ERROR");
        row("choice left: blanks kept", "loglevel|  INFO ", "INFO|", "loglevel|  INFO ");
        row("commented multiple: mark kept", ";CACHESIZE_TEMP|256", "_TEMP|300|;CACHESIZE",
            ";CACHESIZE_TEMP|300");
        row("commented multiple: suffix picked", ";CACHESIZE_TEMP|256", "_DATA|256|;CACHESIZE",
            ";CACHESIZE_DATA|256");
        row("unlisted suffix kept", "CACHESIZE_FOO|5", "_FOO|6|CACHESIZE", "CACHESIZE_FOO|6");
        row("own spelling kept", "cachesize_temp|5", "_TEMP|5|CACHESIZE", "cachesize_temp|5");
    }
    void editedRow()
    {
        QFETCH(QString, row);
        QFETCH(QString, edit);
        const QStringList texts = row.split(u'|'), parts = edit.split(u'|');
        const ValueEdit valueEdit{
            u"X"_s, parts[0], parts[1], parts.size() > 2, !parts[1].isEmpty(), parts.value(2)};
        const auto [setting, parameter] =
            RowEdits::editedRow(valueEdit, Row{u"K"_s, texts[0], texts[1]});
        QTEST(Texts(setting, parameter), "edited");
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
};

QTEST_GUILESS_MAIN(tst_RowEdits)
#include "tst_rowedits.moc"
