// Files at the edges of what Open accepts, and a save target that changed under the editor.
#include "core/ConfigDocument.h"
#include "core/RowModel.h"
#include "support/FakeDialogs.h"
#include "support/TestEnvironment.h"
#include "support/WindowControls.h"
#include "ui/MainWindow.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QtTest>

class tst_HostileFiles : public QObject {
    Q_OBJECT

    static QByteArray read(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(none)");
    }

private slots:
    void openAndSaveFromTheList_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("rows");
        QTest::addColumn<QByteArray>("written");
        QTest::newRow("65,000 NULs")
            << QByteArray(65000, '\0') << 1 << QByteArray(65000, '\0') + " \r\n";
        const QByteArray line = "NAME " + QByteArray(64995, 'v');
        QTest::newRow("one 65,000-character line") << line << 1 << line + "\r\n";
        QTest::newRow("32,500 lone CRs")
            << QByteArray(32500, '\r') << 32500 << QByteArray(" \r\n").repeated(32500);
    }
    void openAndSaveFromTheList()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, rows);
        QFETCH(QByteArray, written);
        TestEnvironment env;
        FakeDialogs dialogs;
        const auto window = env.startMainWindow(dialogs);
        QVERIFY(window);
        Controls(*window).mnuViewmnuLVList->trigger();
        const QString path = env.writeFile("server/bin/hostile.cfg", bytes);
        dialogs.openAnswers << path;
        Controls(*window).mnuFileOpen->trigger();
        QCOMPARE(window->document().rows().count(), rows);

        Controls(*window).mnuFilemnuSave->trigger();
        QCOMPARE(dialogs.count("message"), 0);
        QCOMPARE(read(path), written);
    }

    void targetReplacedByAFolderBeforeSave()
    {
        TestEnvironment env;
        FakeDialogs dialogs;
        const auto window = env.startMainWindow(dialogs);
        QVERIFY(window);
        const QString path = env.writeFile("server/bin/doc.cfg", "A 1\r\n");
        dialogs.openAnswers << path;
        Controls(*window).mnuFileOpen->trigger();
        Controls(*window).txtTextBox->setPlainText("A 2");
        QVERIFY(QFile::remove(path) && QDir().mkdir(path));

        Controls(*window).mnuFilemnuSave->trigger();

        QCOMPARE(dialogs.count("message"), 1);
        QCOMPARE(dialogs.last("message").icon, QMessageBox::Warning);
        QVERIFY(QFileInfo(path).isDir());
        QVERIFY(window->document().DocumentChanged());
        QCOMPARE(window->windowTitle(), "DraCFG Editor [" + path + ']');
    }
};

QTEST_MAIN(tst_HostileFiles)
#include "tst_hostilefiles.moc"
