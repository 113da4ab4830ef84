#include "core/ConfigDocument.h"
#include "core/ConfigText.h"
#include "core/DocumentEdits.h"
#include "core/LineDiff.h"
#include "support/FileBytes.h"

#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>

using namespace Qt::StringLiterals;

namespace {

QString changedLines(const QByteArray& before, const QByteArray& after)
{
    int removed = 0;
    int added = 0;
    for (const LineDiff::Line& line :
         LineDiff::diff(ConfigText::linesWithBreaks(QString::fromLatin1(before)),
                        ConfigText::linesWithBreaks(QString::fromLatin1(after)))) {
        removed += line.kind == LineDiff::Line::Kind::Removed;
        added += line.kind == LineDiff::Line::Kind::Added;
    }
    return u"%1/%2"_s.arg(removed).arg(added);
}

// Each edit on the second line (row 1); a text position on it is 5 or more.
void edit(ConfigDocument& document, const QString& kind)
{
    DocumentEdits edits(document);
    const int line = document.textDocument().findBlockByNumber(1).position();
    const int next = document.textDocument().findBlockByNumber(2).position();
    if (kind == u"value")
        edits.setRowTexts(1, document.rows().row(1).Setting, u"9"_s, kind);
    else if (kind == u"comment")
        edits.toggleComment(1);
    else if (kind == u"blank")
        edits.insertRow(1, Row{u"KB99"_s, QString(), QString()}, kind);
    else if (kind == u"delete")
        edits.deleteRow(1);
    else if (kind == u"move")
        edits.moveDown(1);
    else if (kind == u"typing")
        edits.type(line, line, u"X"_s);
    else if (kind == u"line comment")
        edits.toggleCommentAt(line);
    else if (kind == u"new line")
        edits.insertLine(line, line, u"NEW 9\n"_s, kind);
    else if (kind == u"line deleted")
        edits.replaceRange(line, next, {}, kind);
    else if (kind == u"line replaced")
        edits.replaceRange(line, next - 1, u"B 9"_s, kind);
}

} // namespace

class tst_SavedLines : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString file() const { return m_dir.filePath(u"x.cfg"_s); }

private slots:
    // Whatever the file's breaks, spacing and encoding, a save after one edit differs from the
    // file in the lines the edit touched and in nothing else.
    void oneEditOneLine_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("edit");
        QTest::addColumn<bool>("textView");
        QTest::addColumn<QString>("changed"); // removed/added lines
        const QList<std::pair<const char*, QByteArray>> files{
            {"CR LF", "A 1\r\nB 2\r\nC 3\r\nD 4\r\n"},
            {"LF", "A 1\nB 2\nC 3\nD 4\n"},
            {"lone CR", "A 1\rB 2\rC 3\rD 4\r"},
            {"mixed", "A 1\r\nB 2\nC 3\rD 4\r\n"},
            {"no final break", "A 1\nB 2\nC 3\nD 4"},
            {"blanks and tabs", "  A 1\n\tB\t2\n\nNOVALUE\n   \n"},
            {"UTF-8 with mark", "\xEF\xBB\xBF\xC3\x84 1\nB \xC3\xBC\n\xE2\x80\xA8 3\nD 4\n"},
            {"Windows-1252", "\xC4 1\r\nB \xFC\r\nC 3\r\nD 4\r\n"},
            {"CR before an empty LF line", "A 1\rB 2\n\nC 3\rD 4\r"}};
        // The list's edits, then the text's, each with the lines it removes/adds ("": none).
        const char* kinds[] = {
            "value",  "comment",      "blank",    "delete",       "move",          "",
            "typing", "line comment", "new line", "line deleted", "line replaced", ""};
        const char* changes[] = {"1/1", "1/1", "0/1", "1/0", "1/1", "0/0",
                                 "1/1", "1/1", "0/1", "1/0", "1/1", "0/0"};
        for (const auto& [name, bytes] : files) {
            for (int i = 0; i < 12; ++i) {
                const bool textView = i >= 6;
                QTest::addRow("%s, %s in the %s", name, *kinds[i] ? kinds[i] : "nothing",
                              textView ? "text" : "list")
                    << bytes << QString::fromLatin1(kinds[i]) << textView
                    << QString::fromLatin1(changes[i]);
            }
        }
    }
    void oneEditOneLine()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, edit);
        QFETCH(bool, textView);
        QVERIFY(WriteBytes(file(), bytes));
        ConfigDocument document;
        QVERIFY(document.loadFile(file()));
        textView ? document.showText() : document.showList();
        if (!edit.isEmpty())
            ::edit(document, edit);
        // Through the other view and back, as a user may go before saving.
        textView ? document.showList() : document.showText();
        textView ? document.showText() : document.showList();
        QCOMPARE(document.saveAs(file()), QString());
        // The file holds the lines the document held.
        const QStringList lines = document.lines();
        ConfigDocument saved;
        QVERIFY(saved.loadFile(file()));
        QCOMPARE(saved.lines(), lines);
        // A last line without a break gets the file's commonest.
        QByteArray expected = bytes;
        if (!bytes.endsWith('\n') && !bytes.endsWith('\r'))
            expected += bytes.contains("\r\n") ? "\r\n" : "\n";
        QFETCH(QString, changed);
        // A CR that an edit puts before an empty LF line would merge with its break: that line
        // gets CR LF, one more line changed.
        const QString tag = QString::fromLatin1(QTest::currentDataTag());
        if (tag.startsWith(u"CR before") && (tag.contains(u"delete") || tag.contains(u"move")))
            changed = tag.contains(u"move") ? u"2/2"_s : u"2/1"_s;
        QCOMPARE(changedLines(expected, ReadBytes(file())), changed);
    }

    void lineEndsConverted_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("toLf");
        QTest::addColumn<QByteArray>("written");
        QTest::newRow("CR LF to LF")
            << QByteArray("A 1\r\nB 2\r\n") << true << QByteArray("A 1\nB 2\n");
        QTest::newRow("mixed to CR LF")
            << QByteArray("A 1\nB 2\rC\r\n") << false << QByteArray("A 1\r\nB 2\r\nC\r\n");
        QTest::newRow("LF to LF") << QByteArray("A 1\nB 2") << true << QByteArray("A 1\nB 2\n");
    }
    void lineEndsConverted()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, toLf);
        QFETCH(QByteArray, written);
        QVERIFY(WriteBytes(file(), bytes));
        ConfigDocument document;
        QVERIFY(document.loadFile(file()));
        const QByteArray before = document.bytesToWrite().bytes.value();
        const auto ends = toLf ? ConfigFile::LineEnds::Lf : ConfigFile::LineEnds::CrLf;
        document.convertLineEnds(ends);
        QCOMPARE(document.format().lineEnds, ends);
        // A line the user adds afterwards gets the new break too.
        document.rows().insertRowAt(0, Row{u"K0"_s, u"NEW"_s, u"1"_s});
        const QByteArray after = (toLf ? "NEW 1\n" : "NEW 1\r\n") + written;
        QCOMPARE(document.bytesToWrite().bytes.value(), after);
        // One step: undone, each line has its own break again.
        document.undo();
        document.undo();
        QCOMPARE(document.bytesToWrite().bytes.value(), before);
        document.redo();
        document.redo();
        QCOMPARE(document.saveAs(file()), QString());
        QCOMPARE(ReadBytes(file()), after);
        QCOMPARE(document.format().lineEnds, ends);
    }

    // A line typed after the final break, then undone in the list, leaves no row behind.
    void undoTypingAtTheEndInTheList()
    {
        QVERIFY(WriteBytes(file(), "A 1\r\nB 2\r\n"));
        ConfigDocument document;
        QVERIFY(document.loadFile(file()));
        document.showText();
        QTextCursor end(&document.textDocument());
        end.movePosition(QTextCursor::End);
        end.insertText(u"KEEPALIVE 1"_s);
        document.showList();
        QCOMPARE(document.rows().count(), 3);
        document.undo();
        QCOMPARE(document.rows().count(), 2);
        QVERIFY(!document.DocumentChanged());
        document.redo();
        QCOMPARE(document.lines(), (QStringList{u"A 1"_s, u"B 2"_s, u"KEEPALIVE 1"_s}));
    }
};

QTEST_GUILESS_MAIN(tst_SavedLines)
#include "tst_savedlines.moc"
