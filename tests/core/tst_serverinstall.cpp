#include "core/InstallLayout.h"
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
        // The page is present, KELMPATH names the server folder and the page is not found,
        // unless the row says otherwise.
        const auto row = [](const char* tag, const QByteArray& ini, const QString& expected,
                            bool exists = false, bool page = true,
                            const QString& variable = u"<server>"_s) {
            QTest::newRow(tag) << variable << page << ini << expected << exists;
        };
        row("page, no ini", {}, u"<default>"_s, true);
        row("no page, no ini", {}, u"<default>"_s, false, false);
        row("ini ignored without the page", "[Default]\r\nHelpPath=/etc/hosts\r\n", u"<default>"_s,
            false, false);
        // The temporary folder's path must stay short of the 49-character cut.
        row("override to an existing page", "[Default]\nHelpPath=<root>/o.htm\n", u"<root>/o.htm"_s,
            true);
        row("override trimmed", "[Default]\r\nHelpPath =   /nowhere/page.htm   \r\n",
            u"/nowhere/page.htm"_s);
        row("override cut at 49", "[Default]\nHelpPath=" + QByteArray(60, 'a') + "\n",
            QString(49, u'a'));
        row("override of 300 characters", "[Default]\nHelpPath=/" + QByteArray(299, 'b') + "\n",
            "/" + QString(48, u'b'));
        row("section and key ignore case", "[default]\nhelppath=/x\n", u"/x"_s);
        row("other section only", "[Other]\nHelpPath=/x\n", u""_s);
        row("no HelpPath: empty location, not found", "[Default]\nSomething=1\n", u""_s);
        row("byte-order mark", "\xEF\xBB\xBF[Default]\r\nHelpPath=/bom\r\n", u"/bom"_s);
        row("CR-only lines", "[Other]\rHelpPath=/no\r[Default]\rHelpPath=/cr\r", u"/cr"_s);
        row("comment lines skipped", "[Default]\n;HelpPath=/no\nHelpPath=/yes\n", u"/yes"_s);
        // KELMPATH as the user may have set it.
        const QString bare = u"/Docs/techref/TRCFG/homecfgl.htm"_s;
        row("variable unset", {}, bare, false, true, QString());
        row("variable empty", {}, bare, false, true, u""_s);
        row("variable with a trailing slash", {}, u"<default>"_s, true, true, u"<server>/"_s);
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

    // Where the program finds its catalogue, in the build tree or installed.
    void dataDirectory_data()
    {
        QTest::addColumn<QStringList>("catalogues"); // folders below the prefix holding one
        QTest::addColumn<QString>("chosen");
        QTest::newRow("build tree: beside the program") << QStringList{u"bin"_s} << u"bin"_s;
        QTest::newRow("installed")
            << QStringList{u"share/dracfg-editor"_s} << u"share/dracfg-editor"_s;
        QTest::newRow("beside wins") << QStringList{u"bin"_s, u"share/dracfg-editor"_s} << u"bin"_s;
        QTest::newRow("nowhere: the program's own, to be reported") << QStringList{} << u"bin"_s;
        QTest::newRow("a folder of that name is no catalogue")
            << QStringList{u"share/dracfg-editor/DraCFG.mdb"_s} << u"bin"_s;
    }
    void dataDirectory()
    {
        QFETCH(QStringList, catalogues);
        QFETCH(QString, chosen);
        QTemporaryDir prefix;
        QDir(prefix.path()).mkpath(u"bin"_s);
        for (const QString& folder : catalogues) {
            QDir(prefix.path()).mkpath(folder);
            QVERIFY(folder.endsWith(u".mdb"_s) ||
                    QFile(prefix.filePath(folder + u"/DraCFG.mdb"_s)).open(QIODevice::WriteOnly));
        }
        QCOMPARE(InstallLayout::dataDirectory(prefix.filePath(u"bin"_s)), prefix.filePath(chosen));
    }
};

QTEST_GUILESS_MAIN(tst_ServerInstall)
#include "tst_serverinstall.moc"
