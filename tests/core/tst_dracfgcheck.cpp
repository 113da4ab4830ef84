// dracfg-check run as a script runs it: arguments in, output lines, JSON and exit status out.
#include "support/CatalogueFixture.h"
#include "support/FileBytes.h"

#include <unistd.h>

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

// A name a terminal would obey: it sets the window title and turns the text right to left.
const QString ControlName = u"\x1b]0;x\x07\u202e.cfg"_s;
const QString ControlNameShown = u"\\x1B]0;x\\x07\\u202E.cfg"_s;

class tst_DracfgCheck : public QObject {
    Q_OBJECT

    QTemporaryDir m_folder;
    struct Run {
        int status = -1;
        QString out, err;
    };

    QString path(const QString& name) const { return m_folder.filePath(name); }

    // Arguments name files by their names in the folder; the catalogue is the fixture's unless
    // the arguments name one or `fixture` is false.
    // output: "" the pipe, "closed", or a file for the standard output.
    Run run(QStringList arguments, bool fixture = true, const QString& output = {}) const
    {
        if (fixture && !arguments.contains(u"--catalogue"_s))
            arguments = QStringList{u"--catalogue"_s, path(u"fixture.mdb"_s)} + arguments;
        QProcess process;
        process.setWorkingDirectory(m_folder.path());
        if (output == u"closed")
            process.setChildProcessModifier([] { ::close(STDOUT_FILENO); });
        else if (!output.isEmpty())
            process.setStandardOutputFile(output);
        process.start(QStringLiteral(DRACFG_CHECK_PROGRAM), arguments);
        if (!process.waitForFinished(30000))
            return {};
        return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                QString::fromUtf8(process.readAllStandardOutput()),
                QString::fromUtf8(process.readAllStandardError())};
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_folder.isValid());
        QVERIFY(WriteFixtureCatalogue(
            path(u"fixture.mdb"_s),
            {{u"Net"_s, u"LISTENPORT"_s, 5.0, u"#"_s, u"number"_s, {}, u"1 to 65535"_s, u"port"_s},
             {u"Net"_s, u"TRACE"_s, 5.0, u"#"_s, u"boolean"_s, u"ON|OFF"_s, {}, u"t"_s},
             {u"Net"_s, u"MAXCLIENTSPERHOST"_s, 6.0, u"#"_s, u"number"_s, {}, {}, u"n"_s}},
            {6.0, 5.5, 5.0}));
        QVERIFY(WriteBytes(path(u"good.cfg"_s), "; fine\r\nLISTENPORT 7420\r\nTRACE on\r\n"));
        QVERIFY(WriteBytes(path(u"warn.cfg"_s), "LISTENPROT 7420\nMAXCLIENTSPERHOST 2\n"));
        // Lone CR ends a line as in the editor; the e acute is one Windows-1252 byte.
        QVERIFY(WriteBytes(path(u"bad.cfg"_s), "TRACE maybe\rLISTENPORT 0\r\xe9T\xe9 1"));
        QVERIFY(WriteBytes(path(u"large.cfg"_s), QByteArray(65001, 'x')));
        QVERIFY(WriteBytes(path(u"limit.cfg"_s), "TRACE ON\r\n" + QByteArray(64990, ';')));
        QVERIFY(WriteBytes(path(u"notdb.mdb"_s), "plain text"));
        QVERIFY(WriteBytes(path(ControlName), u"TRACE \u202e1\n"_s.toUtf8()));
    }

    // Problems found give status 1, errors among them; a file not checked gives status 2 and
    // says why in one sentence on the error output.
    void textOutput_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QStringList>("out");
        QTest::addColumn<QString>("err"); // contained in the error output
        QTest::newRow("clean") << QStringList{u"good.cfg"_s} << 0 << QStringList{}
                               << u"dracfg-check: 1 file against server version 6: no "
                                  "problems.\n"_s;
        QTest::newRow("warnings only: success")
            << QStringList{u"warn.cfg"_s} << 0
            << QStringList{u"warn.cfg:1: warning: Unknown setting LISTENPROT. Did you mean "
                           "LISTENPORT? [unknown-setting]"_s}
            << u"dracfg-check: 1 file against server version 6: 1 warning.\n"_s;
        QTest::newRow("an older version")
            << QStringList{u"--server-version"_s, u"5.5"_s, u"warn.cfg"_s} << 0
            << QStringList{u"warn.cfg:1: warning: Unknown setting LISTENPROT. Did you mean "
                           "LISTENPORT? [unknown-setting]"_s,
                           u"warn.cfg:2: warning: MAXCLIENTSPERHOST needs Dravane version 6 or "
                           "later; the chosen version is 5.5. [newer-setting]"_s}
            << u"dracfg-check: 1 file against server version 5.5: 2 warnings.\n"_s;
        QTest::newRow("errors, two files")
            << QStringList{u"bad.cfg"_s, u"good.cfg"_s} << 1
            << QStringList{u"bad.cfg:1: error: TRACE takes ON or OFF; \"maybe\" is neither. "
                           "[not-a-choice]"_s,
                           u"bad.cfg:2: error: LISTENPORT must be between 1 and 65535; 0 is "
                           "outside. [out-of-range]"_s,
                           u"bad.cfg:3: warning: Unknown setting ÉTÉ. [unknown-setting]"_s}
            << u"dracfg-check: 2 files against server version 6: 2 errors, 1 warning.\n"_s;
        QTest::newRow("control characters written out")
            << QStringList{ControlName} << 1
            << QStringList{ControlNameShown + u":1: error: TRACE takes ON or OFF; \"\\u202E1\" is "
                                              "neither. [not-a-choice]"_s}
            << QString();
        // A version as the catalogue writes it, or the same number written otherwise.
        const auto version = [](const char* tag, const QString& named, const QString& shown) {
            QTest::newRow(tag) << QStringList{u"--server-version"_s, named, u"good.cfg"_s} << 0
                               << QStringList{}
                               << u"against server version %1: no problems"_s.arg(shown);
        };
        version("version as the menu writes it", u"v5.5"_s, u"5.5"_s);
        version("whole version with a fraction", u"6.0"_s, u"6"_s);
        QTest::newRow("just within the size limit")
            << QStringList{u"limit.cfg"_s} << 0 << QStringList{} << u"no problems"_s;

        const auto refused = [](const char* tag, const QStringList& arguments, const QString& err) {
            QTest::newRow(tag) << arguments << 2 << QStringList{} << err;
        };
        refused("unknown option", {u"--fast"_s, u"good.cfg"_s},
                u"dracfg-check: Unknown option 'fast'."_s);
        refused("no file", {}, u"No file to check."_s);
        refused("unknown format", {u"--format"_s, u"xml"_s, u"good.cfg"_s},
                u"The format must be text or json, not \"xml\"."_s);
        refused("missing file", {u"nothere.cfg"_s},
                u"Cannot check nothere.cfg: The file does not exist."_s);
        refused("too large, beside a good one", {u"good.cfg"_s, u"large.cfg"_s},
                u"Cannot check large.cfg: The file is too large to open."_s);
        refused("a folder", {u"."_s}, u"Cannot check .: It is not a file."_s);
        refused("unreadable catalogue", {u"--catalogue"_s, u"notdb.mdb"_s, u"good.cfg"_s},
                u"Cannot read the catalogue notdb.mdb: The catalogue database is not a readable "
                "database."_s);
        refused("unknown version", {u"--server-version"_s, u"9.1"_s, u"good.cfg"_s},
                u"The catalogue has no server version \"9.1\"; it has 6, 5.5, 5."_s);
        // Single precision, which the check compares in, cannot tell it from 6.
        refused("not quite a version", {u"--server-version"_s, u"6.00000001"_s, u"good.cfg"_s},
                u"no server version \"6.00000001\";"_s);
        refused("control characters in an option", {u"--format"_s, u"\x1b[2J"_s, u"good.cfg"_s},
                u"not \"\\x1B[2J\"."_s);
    }

    void textOutput()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, err);
        const Run result = run(arguments);
        QTEST(result.status, "status");
        QTEST(result.out.split(u'\n', Qt::SkipEmptyParts), "out");
        QVERIFY2(result.err.contains(err), qPrintable(result.err));
    }

    void json()
    {
        const Run result = run({u"--format"_s, u"json"_s, u"bad.cfg"_s, u"good.cfg"_s});
        QCOMPARE(result.status, 1);
        QJsonParseError error;
        const QJsonDocument document = QJsonDocument::fromJson(result.out.toUtf8(), &error);
        QCOMPARE(error.error, QJsonParseError::NoError);
        const QJsonArray problems = document.array();
        QCOMPARE(problems.size(), 3);
        QCOMPARE(
            QJsonDocument(problems.at(1).toObject()).toJson(QJsonDocument::Compact),
            R"({"code":"out-of-range","file":"bad.cfg","line":2,"message":"LISTENPORT must )"
            R"(be between 1 and 65535; 0 is outside.","setting":"LISTENPORT","severity":"error"})");
        QCOMPARE(problems.at(2).toObject().value(u"setting"_s).toString(), u"ÉTÉ"_s);

        const Run clean = run({u"--format"_s, u"json"_s, u"good.cfg"_s});
        QCOMPARE(clean.status, 0);
        QCOMPARE(QJsonDocument::fromJson(clean.out.toUtf8()).array(), QJsonArray());

        // The path as it is, for a script to open the file by; escaped so that a terminal
        // shows the report rather than obeying it.
        const Run named = run({u"--format"_s, u"json"_s, ControlName});
        QCOMPARE(named.status, 1);
        QVERIFY(!named.out.contains(u'\x1b') && !named.out.contains(u'\u202e'));
        const QJsonObject problem = QJsonDocument::fromJson(named.out.toUtf8())[0].toObject();
        QCOMPARE(problem.value(u"file"_s).toString(), ControlName);
        QCOMPARE(problem.value(u"message"_s).toString(),
                 u"TRACE takes ON or OFF; \"\\u202E1\" is neither."_s);
    }

    // A report that did not reach its reader is no success.
    void unwritableOutput_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("output");
        QTest::newRow("full disk, warnings") << QStringList{u"warn.cfg"_s} << u"/dev/full"_s;
        QTest::newRow("full disk, JSON")
            << QStringList{u"--format"_s, u"json"_s, u"good.cfg"_s} << u"/dev/full"_s;
        QTest::newRow("closed") << QStringList{u"bad.cfg"_s} << u"closed"_s;
    }
    void unwritableOutput()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, output);
        if (output.startsWith(u'/') && !QFileInfo::exists(output))
            QSKIP("no /dev/full here");
        const Run result = run(arguments, true, output);
        QCOMPARE(result.status, 2);
        QVERIFY2(result.err.contains(u"dracfg-check: Cannot write the report: "_s),
                 qPrintable(result.err));
    }

    // Without --catalogue the program reads DraCFG.mdb from its own folder.
    void withoutTheFixture()
    {
        for (const QString& argument : {u"good.cfg"_s, u"--help"_s, u"--version"_s})
            QCOMPARE(run({argument}, false).status, 0);
    }
};

QTEST_GUILESS_MAIN(tst_DracfgCheck)
#include "tst_dracfgcheck.moc"
