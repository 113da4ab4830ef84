#include "core/ServerInstall.h"
#include "support/FileBytes.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const char* const VariableNames[] = {"KELMPATH",  "kelmpath",  "KelmPath",
                                     "KELMPATH2", "XKELMPATH", "KELM"};

void UnsetAllVariables()
{
    for (const char* name : VariableNames)
        qunsetenv(name);
}

} // namespace

class tst_ServerInstall : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_root;
    QString serverDir() const { return m_root.path() + "/server folder"; }
    QString programDir() const { return m_root.path() + "/program"; }
    QString defaultPage() const { return serverDir() + "/Docs/techref/TRCFG/homecfgl.htm"; }
    QString iniPath() const { return programDir() + "/DraCFG.ini"; }

private slots:
    void init()
    {
        UnsetAllVariables();
        QDir(m_root.path()).removeRecursively();
        QDir().mkpath(programDir());
        QDir().mkpath(serverDir());
    }
    void cleanupTestCase() { UnsetAllVariables(); }

    void variableNameIgnoresCase_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<bool>("found");
        QTest::newRow("upper") << QByteArray("KELMPATH") << true;
        QTest::newRow("lower") << QByteArray("kelmpath") << true;
        QTest::newRow("mixed") << QByteArray("KelmPath") << true;
        QTest::newRow("longer name") << QByteArray("KELMPATH2") << false;
        QTest::newRow("prefixed name") << QByteArray("XKELMPATH") << false;
        QTest::newRow("shorter name") << QByteArray("KELM") << false;
    }
    void variableNameIgnoresCase()
    {
        QFETCH(QByteArray, name);
        QFETCH(bool, found);
        qputenv(name.constData(), "/srv/dravane");
        QCOMPARE(ServerInstall::GetServerInstallPath(),
                 found ? QString("/srv/dravane") : QString());
    }

    void helpLocation_data()
    {
        QTest::addColumn<bool>("pagePresent");
        QTest::addColumn<QByteArray>("ini");   // empty: no DraCFG.ini; "<root>": the test's folder
        QTest::addColumn<QString>("expected"); // "<default>" stands for the default page
        QTest::addColumn<bool>("exists");

        QTest::newRow("page, no ini") << true << QByteArray() << "<default>" << true;
        QTest::newRow("no page, no ini") << false << QByteArray() << "<default>" << false;
        QTest::newRow("ini ignored without the page")
            << false << QByteArray("[Default]\r\nHelpPath=/etc/hosts\r\n") << "<default>" << false;
        // The temporary folder's path must stay short of the 49-character cut.
        QTest::newRow("override to an existing page")
            << true << QByteArray("[Default]\nHelpPath=<root>/o.htm\n") << "<root>/o.htm" << true;
        QTest::newRow("override trimmed")
            << true << QByteArray("[Default]\r\nHelpPath =   /nowhere/page.htm   \r\n")
            << "/nowhere/page.htm" << false;
        QTest::newRow("override cut at 49")
            << true << QByteArray("[Default]\nHelpPath=" + QByteArray(60, 'a') + "\n")
            << QString(49, 'a') << false;
        QTest::newRow("override of 300 characters")
            << true << QByteArray("[Default]\nHelpPath=/" + QByteArray(299, 'b') + "\n")
            << "/" + QString(48, 'b') << false;
        QTest::newRow("section and key ignore case")
            << true << QByteArray("[default]\nhelppath=/x\n") << "/x" << false;
        QTest::newRow("other section only")
            << true << QByteArray("[Other]\nHelpPath=/x\n") << "" << false;
        QTest::newRow("no HelpPath: empty location, not found")
            << true << QByteArray("[Default]\nSomething=1\n") << "" << false;
        QTest::newRow("byte-order mark")
            << true << QByteArray("\xEF\xBB\xBF[Default]\r\nHelpPath=/bom\r\n") << "/bom" << false;
        QTest::newRow("CR-only lines")
            << true << QByteArray("[Other]\rHelpPath=/no\r[Default]\rHelpPath=/cr\r") << "/cr"
            << false;
        QTest::newRow("comment lines skipped")
            << true << QByteArray("[Default]\n;HelpPath=/no\nHelpPath=/yes\n") << "/yes" << false;
    }
    void helpLocation()
    {
        QFETCH(bool, pagePresent);
        QFETCH(QByteArray, ini);
        QFETCH(QString, expected);
        QFETCH(bool, exists);

        qputenv("KELMPATH", serverDir().toLocal8Bit());
        if (pagePresent)
            QVERIFY(WriteBytes(defaultPage(), "<html></html>"));
        QVERIFY(WriteBytes(m_root.path() + "/o.htm", "<html></html>"));
        if (!ini.isEmpty())
            QVERIFY(WriteBytes(iniPath(), ini.replace("<root>", m_root.path().toLocal8Bit())));
        expected.replace("<default>", defaultPage()).replace("<root>", m_root.path());

        QCOMPARE(ServerInstall::GetHelpLocation(programDir()), expected);
        QCOMPARE(ServerInstall::HelpFileExists(programDir()), exists);
    }

    // KELMPATH as the user may have set it.
    void serverFolder_data()
    {
        QTest::addColumn<QString>("variable"); // null: unset; "<server>": the server folder
        QTest::addColumn<QString>("location");
        QTest::addColumn<bool>("exists");
        const QString bare = "/Docs/techref/TRCFG/homecfgl.htm";
        QTest::newRow("unset") << QString() << bare << false;
        QTest::newRow("empty") << "" << bare << false;
        QTest::newRow("trailing slash") << "<server>/"
                                        << "<server>" + bare << true;
    }
    void serverFolder()
    {
        QFETCH(QString, variable);
        QFETCH(QString, location);
        QFETCH(bool, exists);
        QVERIFY(WriteBytes(defaultPage(), "<html></html>"));
        if (!variable.isNull())
            qputenv("KELMPATH", variable.replace("<server>", serverDir()).toLocal8Bit());
        QCOMPARE(QDir::cleanPath(ServerInstall::GetHelpLocation(programDir())),
                 location.replace("<server>", serverDir()));
        QCOMPARE(ServerInstall::HelpFileExists(programDir()), exists);
    }
};

QTEST_GUILESS_MAIN(tst_ServerInstall)
#include "tst_serverinstall.moc"
