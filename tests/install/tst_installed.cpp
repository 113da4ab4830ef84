// Run by CheckInstall.cmake against an installed prefix: the editor's start-up, pointed where
// the installed program would point itself, finds the catalogue and fills the tree.

#include "app/Startup.h"
#include "core/InstallLayout.h"
#include "support/FakeDialogs.h"
#include "ui/MainWindow.h"
#include "ui/SettingsTree.h"

#include <QDir>
#include <QFile>
#include <QtTest>

using namespace Qt::StringLiterals;

class tst_Installed : public QObject {
    Q_OBJECT

private slots:
    void startsFromThePrefix()
    {
        const QString prefix = qEnvironmentVariable("DRACFG_INSTALLED_PREFIX");
        if (prefix.isEmpty())
            QSKIP("DRACFG_INSTALLED_PREFIX names no installation");
        const QString programDir = prefix + u"/bin"_s;
        QVERIFY(QFile::exists(programDir + u"/dracfg-editor"_s));
        QVERIFY(!QFile::exists(programDir + u"/DraCFG.mdb"_s));

        const QString dataDir = InstallLayout::dataDirectory(programDir);
        QCOMPARE(dataDir, QDir::cleanPath(prefix + u"/share/dracfg-editor"_s));

        FakeDialogs dialogs;
        Startup::Options options;
        options.splashMilliseconds = 0;
        const auto window = Startup::run(dialogs, dataDir, options);

        QVERIFY2(window, qPrintable(dialogs.last(u"message"_s).text));
        QCOMPARE(dialogs.calls.size(), 0);
        const auto* tree = window->findChild<SettingsTree*>(u"tvTreeView"_s);
        QVERIFY(tree);
        QVERIFY(tree->topLevelItemCount() > 1);
        QVERIFY(window->catalogue().size() > 10);
    }
};

QTEST_MAIN(tst_Installed)
#include "tst_installed.moc"
