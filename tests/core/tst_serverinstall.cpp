#include "core/ServerInstall.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

void WriteFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

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
    QString serverDir() const { return m_root.path() + "/server"; }
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

    void unsetVariableGivesBareDefaultAndNoHelp()
    {
        QCOMPARE(ServerInstall::GetHelpLocation(programDir()),
                 QString("/Docs/techref/TRCFG/homecfgl.htm"));
        QVERIFY(!ServerInstall::HelpFileExists(programDir()));
    }

    void helpLocation_data()
    {
        QTest::addColumn<bool>("pagePresent");
        QTest::addColumn<QByteArray>("ini");   // empty: no DraCFG.ini
        QTest::addColumn<QString>("expected"); // "<default>" stands for the default page
        QTest::addColumn<bool>("exists");

        QTest::newRow("page, no ini") << true << QByteArray() << "<default>" << true;
        QTest::newRow("no page, no ini") << false << QByteArray() << "<default>" << false;
        QTest::newRow("ini ignored without the page")
            << false << QByteArray("[Default]\r\nHelpPath=/etc/hosts\r\n") << "<default>" << false;
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
            WriteFile(defaultPage(), "<html></html>");
        if (!ini.isEmpty())
            WriteFile(iniPath(), ini);
        if (expected == "<default>")
            expected = defaultPage();

        QCOMPARE(ServerInstall::GetHelpLocation(programDir()), expected);
        QCOMPARE(ServerInstall::HelpFileExists(programDir()), exists);
    }

    void overrideToAnExistingPageIsFound()
    {
        qputenv("KELMPATH", serverDir().toLocal8Bit());
        WriteFile(defaultPage(), "<html></html>");
        const QString other = m_root.path() + "/o.htm";
        WriteFile(other, "<html></html>");
        QVERIFY(other.size() <= ServerInstall::IniValueMaxLength);
        WriteFile(iniPath(), "[Default]\nHelpPath=" + other.toLocal8Bit() + "\n");
        QCOMPARE(ServerInstall::GetHelpLocation(programDir()), other);
        QVERIFY(ServerInstall::HelpFileExists(programDir()));
    }

    void serverPathVariants_data()
    {
        QTest::addColumn<QString>("suffix");
        QTest::newRow("trailing slash") << "/";
        QTest::newRow("spaces in the path") << "";
    }
    void serverPathVariants()
    {
        QFETCH(QString, suffix);
        const QString folder = m_root.path() + "/with spaces/server";
        WriteFile(folder + "/Docs/techref/TRCFG/homecfgl.htm", "<html></html>");
        qputenv("KELMPATH", (folder + suffix).toLocal8Bit());
        QVERIFY(ServerInstall::HelpFileExists(programDir()));
    }

    void emptyVariableIsNotFound()
    {
        qputenv("KELMPATH", "");
        QVERIFY(!ServerInstall::HelpFileExists(programDir()));
    }
};

QTEST_GUILESS_MAIN(tst_ServerInstall)
#include "tst_serverinstall.moc"
