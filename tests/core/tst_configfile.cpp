#include "core/ConfigDocument.h"
#include "core/ConfigFile.h"
#include "support/FileBytes.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

using namespace Qt::StringLiterals;

class tst_ConfigFile : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString path(const QString& name) const { return m_dir.filePath(name); }

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

    // Opened and saved at once, in the list view unless said otherwise.
    void openAndSave_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("textView");
        QTest::addColumn<QByteArray>("written");
        QTest::newRow("65,000 NULs")
            << QByteArray(65000, '\0') << false << QByteArray(65000, '\0') + " \r\n";
        const QByteArray line = "NAME " + QByteArray(64995, 'v');
        QTest::newRow("one 65,000-character line") << line << false << line + "\r\n";
        QTest::newRow("32,500 lone CRs")
            << QByteArray(32500, '\r') << false << QByteArray(" \r\n").repeated(32500);
        // Past 32,767 lines, in the 65,000 bytes Open accepts.
        QTest::newRow("LF-only lines")
            << QByteArray("  A 1\nB\n").repeated(2500) + QByteArray(45000, '\n') << false
            << QByteArray("A 1\r\nB \r\n").repeated(2500) + QByteArray(" \r\n").repeated(45000);
        QByteArray bytes;
        for (int byte = 0; byte < 256; ++byte)
            bytes += byte == '\r' || byte == '\n' ? QByteArray() : QByteArray(1, char(byte));
        QTest::newRow("every other byte, text view") << bytes << true << bytes + "\r\n";
    }
    void openAndSave()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, textView);
        const QString file = path(u"hostile.cfg"_s);
        QVERIFY(WriteBytes(file, bytes));
        ConfigDocument document;
        document.setView(textView ? ConfigDocument::View::Text : ConfigDocument::View::List);
        QVERIFY(document.loadFile(file));
        QCOMPARE(document.saveAs(file), QString());
        QTEST(ReadBytes(file), "written");
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
        QTest::newRow("full disk") << u"NEW "_s + QString(100, u'x') << u"doc.cfg"_s << QString();
        QTest::newRow("a folder") << u"NEW 1"_s << u""_s << QString();
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

        QVERIFY(!failure.isEmpty());
        if (!message.isEmpty())
            QCOMPARE(failure, message);
        QVERIFY(document.DocumentChanged());
        QCOMPARE(document.path(), file);
        QCOMPARE(QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList{u"doc.cfg"_s});
        if (replaced)
            QVERIFY(QFileInfo(file).isDir());
        else
            QCOMPARE(ReadBytes(file), "OLD 1\r\n");
    }
};

QTEST_GUILESS_MAIN(tst_ConfigFile)
#include "tst_configfile.moc"
