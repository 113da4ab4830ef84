#include "core/ConfigDocument.h"
#include "core/ConfigFile.h"
#include "core/ConfigText.h"
#include "core/DocumentEdits.h"
#include "core/LineDiff.h"
#include "support/FileBytes.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

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

class tst_ConfigFile : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString path(const QString& name) const { return m_dir.filePath(name); }
    QString file() const { return path(u"x.cfg"_s); }

private slots:
    void init() { QVERIFY(QDir(m_dir.path()).removeRecursively() && QDir().mkpath(m_dir.path())); }

    // Only regular files are read: reading a device or a pipe to its end might never finish.
    void unreadable_data()
    {
        QTest::addColumn<QString>("file");
        QTest::newRow("missing") << path(u"missing.cfg"_s);
        QTest::newRow("folder") << m_dir.path();
        QTest::newRow("device") << u"/dev/zero"_s;
        QTest::newRow("pipe") << path(u"pipe.cfg"_s);
    }
    void unreadable()
    {
        QFETCH(QString, file);
        QVERIFY(mkfifo(QFile::encodeName(path(u"pipe.cfg"_s)).constData(), 0600) == 0);
        QCOMPARE(ConfigFile::readWholeFile(file), std::nullopt);
        ConfigDocument document;
        document.load(path(u"kept.cfg"_s), u"A 1"_s);
        QVERIFY(!document.loadFile(file));
        QCOMPARE(document.path(), path(u"kept.cfg"_s));
        QCOMPARE(document.text(), u"A 1"_s);
    }

    // Bytes a file may hold, and how they come back from the same file saved twice, in either
    // view, and after a switch to the other view.
    void openAndSave_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QByteArray>("written");
        QTest::addColumn<QByteArray>("switched"); // saved from the other view; null: not switched

        // Saved as read unless the row says otherwise.
        const auto row = [](const char* tag, const QByteArray& bytes,
                            const QByteArray& written = {}) {
            const QByteArray out = written.isNull() ? bytes : written;
            QTest::newRow(tag) << bytes << out << out;
        };
        const QByteArray crlf = "SERVERNAME main\r\n; note\r\nLISTENPORT 7420\r\n";
        row("CR LF", crlf);
        QByteArray lf = crlf, cr = crlf;
        lf.replace("\r\n", "\n");
        cr.replace("\r\n", "\r");
        // Each line keeps its break; a last line without one gets the commonest.
        row("LF", lf);
        row("lone CR", cr);
        row("no final break", crlf.chopped(2), crlf);
        row("no final break, LF", lf.chopped(1), lf);
        const QByteArray mixed = "A 1\r\nB 2\nC 3\rD 4\n\r\nE";
        row("mixed", mixed, mixed + "\r\n");
        // Lines nobody edited are written as they were read, not as the list renders a row.
        row("leading blanks, tabs", "  A 1\n\tT\tx\nNOVALUE\n   \n\nB\t2\n");
        row("empty", "");
        row("blank last line", crlf + "\r\n");

        QByteArray all;
        for (int byte = 0; byte < 256; ++byte)
            all += byte == '\r' || byte == '\n' ? QByteArray() : QByteArray(1, char(byte));
        QTest::newRow("Windows-1252, every byte") << all << all + "\r\n" << QByteArray();
        row("Windows-1252, accents", "CERT F\xF5tan\xFAs\xEDtv\xE1ny\r\n");
        const QByteArray utf8 =
            "SERVERNAME F\xC5\x91tan\xC3\xBAs\xC3\xADtv\xC3\xA1ny\r\nNOTE \xF0\x9F\x98\x80\r\n";
        row("UTF-8", utf8);
        row("UTF-8 with BOM", "\xEF\xBB\xBF" + utf8);
        row("ASCII with BOM", "\xEF\xBB\xBF" + crlf);
        row("two marks", "\xEF\xBB\xBF\xEF\xBB\xBF" + utf8);
        // Line and paragraph separators and the text form's own marks are characters of a line.
        row("separators",
            "NAME a\xE2\x80\250b\xE2\x80\251c\r\nX \xEF\xB7\x90\xEF\xB7\x91\xEF\xB7\xAE\r\n");
        // The limit counts the bytes written: an LF file just under it stays under it.
        row("LF, 64,600 bytes", QByteArray("A 1\n").repeated(16150));
    }
    void openAndSave()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QByteArray, written);
        QFETCH(QByteArray, switched);
        const QString file = path(u"real.cfg"_s);
        for (const bool textView : {false, true}) {
            QVERIFY(WriteBytes(file, bytes));
            ConfigDocument document;
            document.setView(textView ? ConfigDocument::View::Text : ConfigDocument::View::List);
            QVERIFY(document.loadFile(file));
            QCOMPARE(document.rows().count(), ConfigText::ReadFileLines(document.text()).size());
            QCOMPARE(document.lineCount(), ConfigText::ReadFileLines(document.text()).size());
            // The file's mark is not part of the text; a second one is.
            QCOMPARE(document.rows().rows().value(0).Setting.startsWith(u'\uFEFF'),
                     bytes.startsWith("\xEF\xBB\xBF\xEF\xBB\xBF"));
            for (int save = 0; save < 3; ++save) { // twice, then once more after a reload
                if (save == 2)
                    QVERIFY(document.loadFile(file));
                QCOMPARE(document.saveAs(file), QString());
                QCOMPARE(ReadBytes(file), written);
            }
            if (switched.isNull())
                continue;
            textView ? document.showList() : document.showText();
            QCOMPARE(document.saveAs(file), QString());
            QCOMPARE(ReadBytes(file), switched);
        }
    }

    // Which encoding a file is read in: bytes that come back exactly from UTF-8, with at least
    // one that is not ASCII, or with the mark; Windows-1252 for everything else.
    void decode_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("described");

        const auto row = [](const char* tag, const char* bytes, const QString& text,
                            const char* format, qsizetype size = -1) {
            QTest::newRow(tag) << QByteArray(bytes, size) << text
                               << QString::fromLatin1(format).replace(u'+', u" | "_s);
        };
        row("ASCII", "A 1\r\n", u"A 1\r\n"_s, "Windows-1252+CR LF");
        row("UTF-8 accents, LF", "CERT F\xC5\x91tan\xC3\xBAs\n", u"CERT Főtanús\n"_s, "UTF-8+LF");
        row("mark, ASCII", "\357\273\277A 1\r", u"A 1\r"_s, "UTF-8 with BOM+CR");
        row("mark alone", "\xEF\xBB\xBF", QString(), "UTF-8 with BOM+CR LF");
        row("Latin-1 accents", "CAF\xC9 1\r\nB\n", u"CAFÉ 1\r\nB\n"_s,
            "Windows-1252+Mixed line ends");
        row("UTF-8 cut short", "A \xC3", u"A Ã"_s, "Windows-1252+CR LF");
        row("overlong NUL", "A \xC0\x80", u"A À€"_s, "Windows-1252+CR LF");
        row("encoded surrogate", "A \xED\xA0\x80", u"A í\u00A0\u20AC"_s, "Windows-1252+CR LF");
        row("mark, then not UTF-8", "\357\273\277A \xFF", u"ï»¿A ÿ"_s, "Windows-1252+CR LF");
        row("two marks", "\357\273\277\357\273\277A \xC3\xA9\n", u"\uFEFFA é\n"_s,
            "UTF-8 with BOM+LF");
        row("UTF-8 with NUL", "A\0\xC3\xA9", u"A\0é"_s, "UTF-8+CR LF", 4);
    }
    void decode()
    {
        QFETCH(QByteArray, bytes);
        const ConfigFile::Decoded decoded = ConfigFile::decode(bytes);
        QTEST(decoded.text, "text");
        QTEST(ConfigFile::describe(decoded.format), "described");
        const ConfigFile::Encoded encoded = ConfigFile::encode(decoded.text, decoded.format);
        QCOMPARE(encoded.bytes.value_or("(refused)"), bytes);
    }

    // A refused save leaves the file on disk and the document as they were, and no file behind.
    void saveRefused_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("target");  // in the test's folder; "doc.cfg/" replaces it by one
        QTest::addColumn<QString>("message"); // empty: the platform's own
        const QString notSaved =
            u"The file was not saved: the character \"%1\" (U+%2) on line %3 "
            u"cannot be written in the Windows-1252 code page of configuration "
            u"files."_s;
        QTest::newRow("first of two unencodable, line 3")
            << u"A 1\rB\n\U0001F600 \u2713"_s << u"doc.cfg"_s
            << notSaved.arg(u"\U0001F600"_s, u"1F600"_s, u"3"_s);
        QTest::newRow("unencodable, four digits")
            << u"x\u0100"_s << u"doc.cfg"_s << notSaved.arg(u"\u0100"_s, u"0100"_s, u"1"_s);
        QTest::newRow("over the limit once LF becomes CR LF")
            << u"A 1\n"_s.repeated(16250) << u"doc.cfg"_s << ConfigFile::sizeRefusal(81250);
        QTest::newRow("full disk") << u"NEW "_s + QString(100, u'x') << u"doc.cfg"_s << QString();
        QTest::newRow("a missing folder") << u"NEW 1"_s << u"missing/doc.cfg"_s << QString();
        QTest::newRow("target replaced by a folder") << u"NEW 1"_s << u"doc.cfg/"_s << QString();
    }
    void saveRefused()
    {
        QFETCH(QString, text);
        QFETCH(QString, target);
        QFETCH(QString, message);
        const QString file = path(u"doc.cfg"_s);
        QVERIFY(WriteBytes(file, "OLD 1\r\n"));
        ConfigDocument document;
        document.setView(ConfigDocument::View::Text);
        QVERIFY(document.loadFile(file));
        document.setText(text);
        const bool replaced = target.endsWith(u'/');
        if (replaced) {
            target.chop(1);
            QVERIFY(QFile::remove(file) && QDir().mkdir(file));
        }

        rlimit unlimited{};
        getrlimit(RLIMIT_FSIZE, &unlimited);
        const rlimit full{4, unlimited.rlim_max}; // writes past 4 bytes fail, as on a full disk
        std::signal(SIGXFSZ, SIG_IGN);
        if (QTest::currentDataTag() == "full disk"_L1)
            setrlimit(RLIMIT_FSIZE, &full);
        const QString failure = document.saveAs(path(target));
        setrlimit(RLIMIT_FSIZE, &unlimited);

        if (!message.isEmpty())
            QCOMPARE(failure, message);
        else // the platform's reason, after what was attempted
            QVERIFY2(failure.startsWith(u"Could not save "_s + path(target) + u": "_s),
                     qPrintable(failure));
        QVERIFY(document.DocumentChanged());
        QCOMPARE(document.path(), file);
        QCOMPARE(QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList{u"doc.cfg"_s});
        if (replaced)
            QVERIFY(QFileInfo(file).isDir());
        else
            QCOMPARE(ReadBytes(file), "OLD 1\r\n");
    }

    // A save keeps what the file had: owner, group, mode, extended attributes, the symbolic
    // link it was reached through and the other names it has.
    void keepsWhatTheFileHad_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::newRow("another account's, mode 600") << u"owner"_s;
        QTest::newRow("set-group-ID, mode 2640") << u"mode"_s;
        QTest::newRow("extended attribute") << u"xattr"_s;
        QTest::newRow("second hard link") << u"hardlink"_s;
        QTest::newRow("through a symbolic link") << u"symlink"_s;
    }
    void keepsWhatTheFileHad()
    {
        QFETCH(QString, setup);
        if (geteuid() != 0 && setup == u"owner")
            QSKIP("only an administrator can give a file to another account");
        const QString file = path(u"server.cfg"_s);
        const QString real = path(u"real/server.cfg"_s);
        const QString other = path(u"other.cfg"_s);
        const QByteArray native = QFile::encodeName(file);
        QVERIFY(WriteBytes(setup == u"symlink" ? real : file, "OLD 1\r\n"));
        if (setup == u"owner")
            QVERIFY(chown(native, 65534, 65534) == 0 && chmod(native, 0600) == 0);
        else if (setup == u"mode")
            QVERIFY(chmod(native, 02640) == 0);
        else if (setup == u"xattr")
            QVERIFY(setxattr(native, "user.dravane", "kept", 4, 0) == 0);
        else if (setup == u"hardlink")
            QVERIFY(link(native, QFile::encodeName(other)) == 0);
        else
            QVERIFY(QFile::link(real, file));
        struct stat before {};
        QVERIFY(stat(native, &before) == 0);

        ConfigDocument document;
        QVERIFY(document.loadFile(file));
        document.rows().setParameter(0, u"2"_s);
        QCOMPARE(document.saveAs(file), QString());

        struct stat after {};
        QVERIFY(stat(native, &after) == 0);
        QCOMPARE(ReadBytes(file), "OLD 2\r\n");
        QCOMPARE(
            QList<unsigned>({after.st_uid, after.st_gid, after.st_mode, unsigned(after.st_nlink)}),
            QList<unsigned>(
                {before.st_uid, before.st_gid, before.st_mode, unsigned(before.st_nlink)}));
        if (setup == u"xattr") {
            char value[8] = {};
            QCOMPARE(getxattr(native, "user.dravane", value, sizeof value), 4);
            QCOMPARE(QByteArray(value), "kept");
        } else if (setup == u"hardlink") {
            QCOMPARE(after.st_ino, before.st_ino);
            QCOMPARE(ReadBytes(other), "OLD 2\r\n");
        } else if (setup == u"symlink") {
            QVERIFY(QFileInfo(file).isSymLink());
            QCOMPARE(ReadBytes(real), "OLD 2\r\n");
        }
    }

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

QTEST_GUILESS_MAIN(tst_ConfigFile)
#include "tst_configfile.moc"
