#include "app/Startup.h"
#include "core/PreferenceStore.h"
#include "support/EditorFixture.h"
#include "ui/AboutBox.h"
#include "ui/SplashWindow.h"

using namespace Qt::StringLiterals;

class tst_Startup : public QObject {
    Q_OBJECT

private slots:
    // Start-up ends after one message, before any window exists or anything is stored.
    void endsAfterOneMessage_data()
    {
        QTest::addColumn<QStringList>("setup"); // what is wrong, in a word
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text"); // empty: one sentence of the catalogue reader's
        QTest::addColumn<QMessageBox::Icon>("icon");
        const QString product = u"DraCFG Editor"_s;
        QTest::newRow("no catalogue") << QStringList{u"missing"_s} << u"File Not Found"_s
                                      << u"Cannot find the DraCFG.mdb file.  Please verify\r\n"
                                         u"that this file exists in the installation folder"_s
                                      << QMessageBox::Warning;
        QTest::newRow("no reference help")
            << QStringList{u"no help"_s} << u"Critical Error"_s
            << u"Cannot find the Dravane Technical Reference Help.\r\n\r\n"
               u"Please ensure that the Help is installed and exists in\r\n"
               u"the following folder: ..DRAVANE\\DOCS\\TECHREF, and that\r\n"
               u"the Dravane KELMPATH environment variable is set correctly.\r\n\r\n"
               u"The DraCFG Editor will not function without the Dravane\r\n"
               u"Technical Reference Help installed."_s
            << QMessageBox::Critical;
        QTest::newRow("not a database")
            << QStringList{u"junk"_s} << product << QString() << QMessageBox::Critical;
        // Said at once, not as a missing table after the driver's long wait.
        QTest::newRow("locked by another program")
            << QStringList{u"locked"_s} << product
            << u"The catalogue database is locked by another program; try again once that "
               "program has closed it."_s
            << QMessageBox::Critical;
    }
    void endsAfterOneMessage()
    {
        QFETCH(QStringList, setup);
        QFETCH(QString, text);
        TestEnvironment env;
        std::optional<FixtureLock> lock;
        if (setup.first() == u"no help") {
            QDir(env.serverDir() + u"/Docs"_s).removeRecursively(); // KELMPATH names an empty one
        } else if (setup.first() == u"locked") {
            QVERIFY(lock.emplace(env.cataloguepath()).isHeld());
        } else {
            QFile::remove(env.cataloguepath());
            if (setup.first() == u"junk")
                env.writeFile(u"program/DraCFG.mdb"_s, QByteArray(4096, 'x'));
        }
        FakeDialogs dialogs;

        QVERIFY(!env.startMainWindow(dialogs)); // the catalogue table pins how soon

        QCOMPARE(dialogs.calls.size(), 1);
        const FakeDialogs::Call call = dialogs.calls.first();
        QTEST(call.title, "title");
        QTEST(call.icon, "icon");
        QCOMPARE(call.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        if (text.isEmpty())
            QVERIFY2(call.text.endsWith(u'.') && !call.text.contains(u'\n'), qPrintable(call.text));
        else
            QCOMPARE(call.text, text);
        QVERIFY(PreferenceStore::open()->allKeys().isEmpty());
    }

    // A file named on the command line opens after the usual start-up as File > Open would.
    void opensGivenFile_data()
    {
        QTest::addColumn<bool>("exists");
        QTest::newRow("good") << true;
        QTest::newRow("missing") << false;
    }
    void opensGivenFile()
    {
        QFETCH(bool, exists);
        TestEnvironment env;
        const QString path = env.path(u"server/bin/given.cfg"_s);
        if (exists)
            env.writeFile(u"server/bin/given.cfg"_s, QByteArray(65000, 'x'));
        FakeDialogs dialogs;

        const auto window = env.startMainWindow(dialogs, path);

        QVERIFY(window && window->isVisible());
        QCOMPARE(window->document().DocumentOpen(), exists);
        QCOMPARE(dialogs.calls.size(), exists ? 0 : 1);
        QCOMPARE(dialogs.last(u"message"_s).text,
                 exists ? QString() : u"Can't open file: "_s + path);
        QCOMPARE(window->windowTitle(),
                 exists ? u"DraCFG Editor ["_s + path + u']' : u"DraCFG Editor"_s);
    }

    void clicks_data()
    {
        QTest::addColumn<QString>("on");
        QTest::addColumn<bool>("shift");
        QTest::addColumn<QUrl>("opened"); // empty: none
        QTest::newRow("picture") << u"Image1"_s << false
                                 << QUrl(u"https://www.example.org/dracfg"_s);
        QTest::newRow("Shift+picture: the credits") << u"Image1"_s << true << QUrl();
        QTest::newRow("address") << u"Label5"_s << false << QUrl(u"mailto:support@example.org"_s);
        QTest::newRow("OK") << u"FBOK"_s << false << QUrl();
    }
    void clicks()
    {
        QFETCH(QString, on);
        QFETCH(bool, shift);
        QFETCH(QUrl, opened);
        FakeDialogs dialogs;
        int result = -1;
        dialogs.onModal = [&](QDialog& dialog) {
            if (auto* box = qobject_cast<AboutBox*>(&dialog)) { // not the credits, run inside it
                QCOMPARE(box->lblVersion->text(), u"Version 1.1.0"_s);
                QTest::mouseClick(box->findChild<QWidget*>(on), Qt::LeftButton,
                                  shift ? Qt::ShiftModifier : Qt::NoModifier);
                result = box->result();
            }
        };
        showAboutBox(dialogs, nullptr);
        QCOMPARE(dialogs.calls.first().title, u"About DraCFG Editor"_s);
        QCOMPARE(dialogs.last(u"url"_s).url, opened);
        QCOMPARE(dialogs.last(u"modal"_s).objectName, shift ? u"frmEasterEgg"_s : u"frmAbout"_s);
        QCOMPARE(result == QDialog::Accepted, on == u"FBOK");
    }
    void splashClosesAtOnceButStartUpWaits()
    {
        SplashWindow clicked;
        clicked.show();
        QTest::mouseClick(clicked.Frame1, Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY(clicked.isHidden());

        QTimer::singleShot(0, this, [] {
            // The splash takes the focus, else the closing key would go elsewhere.
            QPointer<QWidget> splash;
            QTRY_VERIFY((splash = qobject_cast<SplashWindow*>(QApplication::focusWidget())));
            QTest::keyClick(splash, Qt::Key_Space);
            QVERIFY(splash->isHidden());
        });
        QElapsedTimer elapsed;
        elapsed.start();
        Startup::ShowSplashScreen(1000);
        QVERIFY(elapsed.elapsed() >= 1000);
    }
};

QTEST_MAIN(tst_Startup)
#include "tst_startup.moc"
