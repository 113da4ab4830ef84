#include "support/TestEnvironment.h"

#include "app/Startup.h"
#include "core/PreferenceStore.h"
#include "support/FakeDialogs.h"
#include "support/FileBytes.h"
#include "ui/MainWindow.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

// Run by hand rather than by ctest, a test must not clear the user's own preferences.
void IsolatePreferences()
{
    if (!qEnvironmentVariableIsSet("XDG_CONFIG_HOME")) {
        qputenv("XDG_CONFIG_HOME", QStringLiteral("%1/dracfg-test-config-%2")
                                       .arg(QDir::tempPath())
                                       .arg(QCoreApplication::applicationPid())
                                       .toLocal8Bit());
    }
}
Q_CONSTRUCTOR_FUNCTION(IsolatePreferences)

} // namespace

TestEnvironment::TestEnvironment()
{
    m_hadKelmpath = qEnvironmentVariableIsSet("KELMPATH");
    m_savedKelmpath = qgetenv("KELMPATH");

    QDir(m_root.path()).mkpath(QStringLiteral("program"));
    QDir(m_root.path()).mkpath(QStringLiteral("server/bin"));
    writeFile(QStringLiteral("server/Docs/techref/TRCFG/homecfgl.htm"),
              "<html><body><h1>Reference</h1>"
              "<a name=\"MAXCONNECTIONS\"></a><h2>MAXCONNECTIONS</h2><p>Connections.</p>"
              "</body></html>");
    qputenv("KELMPATH", serverDir().toLocal8Bit());
    m_hadDataHome = qEnvironmentVariableIsSet("XDG_DATA_HOME");
    m_savedDataHome = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", dataHome().toLocal8Bit());

    writeCatalogue(SmallCatalogue(), SmallCatalogueVersions());
    const auto store = PreferenceStore::open();
    store->clear();
    store->sync();
}

TestEnvironment::~TestEnvironment()
{
    const auto restore = [](const char* name, bool had, const QByteArray& value) {
        if (had)
            qputenv(name, value);
        else
            qunsetenv(name);
    };
    restore("KELMPATH", m_hadKelmpath, m_savedKelmpath);
    restore("XDG_DATA_HOME", m_hadDataHome, m_savedDataHome);
}

bool TestEnvironment::writeCatalogue(const QList<FixtureSetting>& settings,
                                     const QList<double>& versions)
{
    return WriteFixtureCatalogue(cataloguepath(), settings, versions);
}

QString TestEnvironment::writeFile(const QString& relative, const QByteArray& bytes) const
{
    const QString full = path(relative);
    WriteBytes(full, bytes);
    return full;
}

std::unique_ptr<MainWindow> TestEnvironment::startMainWindow(FakeDialogs& dialogs,
                                                             const QString& file) const
{
    Startup::Options options;
    options.splashMilliseconds = 0;
    options.file = file;
    return Startup::run(dialogs, programDir(), options);
}

QList<FixtureSetting> SmallCatalogue()
{
    return {
        {"Editing", " COMMENT(;)", 1, "#COMMENT", "string", "", "", "Comment line"},
        {"Editing", " BLANK LINE", 1, "#BLANKLINE", "null", "", "", "Empty line"},
        {"Connections", "MAXCONNECTIONS", 1, "#MAXCONNECTIONS", "number", "", "1 to 4096",
         "connections"},
        {"Connections", "SERVERNAME", 1, "#SERVERNAME", "string", "", "", "Name of the server"},
        {"Logging", "LOGLEVEL", 1, "#LOGLEVEL", "combo", "ERROR|WARNING|INFO|DEBUG", "",
         "Detail of the log"},
        {"Logging", "LOGFILE", 1, "#LOGFILE", "string", "", "", "Path of the log file"},
        {"Logging", "TRACE", 1, "#TRACE", "boolean", "ON|OFF", "", "Trace every statement"},
        {"Memory", "CACHESIZE", 1, "#CACHESIZE", "multiple", "_DATA|_INDEX|_TEMP", "", "MB"},
        {"Memory", "BUFFERS", 1, "#BUFFERS", "number", "", "8 to 1024, default 64", "n"},
        {"Memory", "LOCKMEMORY", 1, "#LOCKMEMORY", "null", "", "", "Keep memory resident"},
        {"Replication", "REPLICAHOST", 2, "#REPLICAHOST", "string", "", "", "Host of the replica"},
        {"Replication", "SYNCMODE", 3, "#SYNCMODE", "combo", "FULL|NORMAL|OFF", "",
         "Synchronisation"},
    };
}

QList<double> SmallCatalogueVersions()
{
    return {3.0, 2.0, 1.0};
}
