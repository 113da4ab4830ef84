#include "core/ServerInstall.h"
#include "support/FileBytes.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;

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

    // Only the variable's own name is read, in any case.
    void variableNameIgnoresCase()
    {
        for (const char* name : VariableNames) {
            qputenv(name, "/srv/dravane");
            const bool found = QByteArray(name).toUpper() == "KELMPATH";
            QCOMPARE(ServerInstall::GetServerInstallPath(), found ? "/srv/dravane" : QString());
            qunsetenv(name);
        }
    }

    void helpLocation_data()
    {
        QTest::addColumn<QString>("variable"); // KELMPATH; null: unset; "<server>": the folder
        QTest::addColumn<bool>("pagePresent");
        QTest::addColumn<QByteArray>("ini");   // empty: no DraCFG.ini; "<root>": the test's folder
        QTest::addColumn<QString>("expected"); // "<default>" stands for the default page
        QTest::addColumn<bool>("exists");
        const auto row = [](const char* tag, bool page, const QByteArray& ini,
                            const QString& expected, bool exists, const QString& variable) {
            QTest::newRow(tag) << variable << page << ini << expected << exists;
        };
        const auto ini = [](const char* text) { return QByteArray(text); };
        const QString server = u"<server>"_s;
        row("page, no ini", true, {}, u"<default>"_s, true, server);
        row("no page, no ini", false, {}, u"<default>"_s, false, server);
        row("ini ignored without the page", false, ini("[Default]\r\nHelpPath=/etc/hosts\r\n"),
            u"<default>"_s, false, server);
        // The temporary folder's path must stay short of the 49-character cut.
        row("override to an existing page", true, ini("[Default]\nHelpPath=<root>/o.htm\n"),
            u"<root>/o.htm"_s, true, server);
        row("override trimmed", true, ini("[Default]\r\nHelpPath =   /nowhere/page.htm   \r\n"),
            u"/nowhere/page.htm"_s, false, server);
        row("override cut at 49", true, "[Default]\nHelpPath=" + QByteArray(60, 'a') + "\n",
            QString(49, u'a'), false, server);
        row("override of 300 characters", true,
            "[Default]\nHelpPath=/" + QByteArray(299, 'b') + "\n", "/" + QString(48, u'b'), false,
            server);
        row("section and key ignore case", true, ini("[default]\nhelppath=/x\n"), u"/x"_s, false,
            server);
        row("other section only", true, ini("[Other]\nHelpPath=/x\n"), u""_s, false, server);
        row("no HelpPath: empty location, not found", true, ini("[Default]\nSomething=1\n"), u""_s,
            false, server);
        row("byte-order mark", true, ini("\xEF\xBB\xBF[Default]\r\nHelpPath=/bom\r\n"), u"/bom"_s,
            false, server);
        row("CR-only lines", true, ini("[Other]\rHelpPath=/no\r[Default]\rHelpPath=/cr\r"),
            u"/cr"_s, false, server);
        row("comment lines skipped", true, ini("[Default]\n;HelpPath=/no\nHelpPath=/yes\n"),
            u"/yes"_s, false, server);
        // KELMPATH as the user may have set it.
        const QString bare = u"/Docs/techref/TRCFG/homecfgl.htm"_s;
        row("variable unset", true, {}, bare, false, QString());
        row("variable empty", true, {}, bare, false, u""_s);
        row("variable with a trailing slash", true, {}, u"<default>"_s, true, u"<server>/"_s);
    }
    void helpLocation()
    {
        QFETCH(QString, variable);
        QFETCH(bool, pagePresent);
        QFETCH(QByteArray, ini);
        QFETCH(QString, expected);

        if (!variable.isNull())
            qputenv("KELMPATH", variable.replace("<server>", serverDir()).toLocal8Bit());
        if (pagePresent)
            QVERIFY(WriteBytes(defaultPage(), "<html></html>"));
        QVERIFY(WriteBytes(m_root.path() + "/o.htm", "<html></html>"));
        if (!ini.isEmpty())
            QVERIFY(WriteBytes(iniPath(), ini.replace("<root>", m_root.path().toLocal8Bit())));
        expected.replace("<default>", defaultPage()).replace("<root>", m_root.path());

        QCOMPARE(QDir::cleanPath(ServerInstall::GetHelpLocation(programDir())), expected);
        QTEST(ServerInstall::HelpFileExists(programDir()), "exists");
    }
};

QTEST_GUILESS_MAIN(tst_ServerInstall)
#include "tst_serverinstall.moc"
