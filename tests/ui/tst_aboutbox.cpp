#include "app/Startup.h"
#include "support/FakeDialogs.h"
#include "support/TestEnvironment.h"
#include "ui/AboutBox.h"
#include "ui/MainWindow.h"
#include "ui/SplashWindow.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QFrame>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

using namespace Qt::StringLiterals;

class tst_AboutBox : public QObject {
    Q_OBJECT

private slots:
    void cleanup();

    void helpAboutShowsTheBoxModally();
    void pictureClick_data();
    void pictureClick();
    void supportAddressOpensMail();
    void okCloses();
    void splashShowsPictureAndVersion();
    void splashClosesAtOnceButStartUpWaits_data();
    void splashClosesAtOnceButStartUpWaits();

private:
    // Runs the About box with `inspect` called while it is open.
    void runAboutBox(const std::function<void(AboutBox&)>& inspect);

    FakeDialogs m_dialogs;
};

void tst_AboutBox::cleanup()
{
    m_dialogs.clear();
}

void tst_AboutBox::runAboutBox(const std::function<void(AboutBox&)>& inspect)
{
    m_dialogs.onModal = [&](QDialog& dialog) {
        if (auto* box = qobject_cast<AboutBox*>(&dialog))
            inspect(*box);
    };
    ShowAboutBox(m_dialogs, nullptr);
}

void tst_AboutBox::helpAboutShowsTheBoxModally()
{
    TestEnvironment env;
    auto window = env.startMainWindow(m_dialogs);
    QVERIFY(window);
    bool inspected = false;
    m_dialogs.onModal = [&](QDialog& box) {
        inspected = true;
        QCOMPARE(box.objectName(), u"frmAbout"_s);
        QCOMPARE(box.windowTitle(), u"About DraCFG Editor"_s);
        QCOMPARE(box.parentWidget(), window.get());
        QCOMPARE(box.findChild<QLabel*>(u"lblTitle"_s)->text(), u"DraCFG Editor"_s);
        QCOMPARE(box.findChild<QLabel*>(u"lblVersion"_s)->text(), u"Version 1.1.0"_s);
        QVERIFY(!box.findChild<QLabel*>(u"Label3"_s)->text().isEmpty());
        QVERIFY(box.findChild<QLabel*>(u"Label5"_s)->text().contains(u"support@example.org"_s));
        QVERIFY(!box.findChild<QLabel*>(u"Image1"_s)->pixmap().isNull());
        auto* ok = box.findChild<QPushButton*>(u"FBOK"_s);
        QCOMPARE(ok->text(), u"OK"_s);
        QCOMPARE(ok->parentWidget()->objectName(), u"fraOK"_s);
    };
    window->widgets().mnuHelpAbout->trigger();
    QVERIFY(inspected);
    QCOMPARE(m_dialogs.count(u"modal"_s), 1);
    // The box is discarded when it closes.
    QVERIFY(!window->findChild<QDialog*>(u"frmAbout"_s));
}

void tst_AboutBox::pictureClick_data()
{
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<bool>("credits");
    QTest::newRow("plain click opens the web site") << Qt::KeyboardModifiers() << false;
    QTest::newRow("Shift+click shows the credits")
        << Qt::KeyboardModifiers(Qt::ShiftModifier) << true;
    QTest::newRow("Ctrl+click opens the web site")
        << Qt::KeyboardModifiers(Qt::ControlModifier) << false;
}

void tst_AboutBox::pictureClick()
{
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(bool, credits);
    QString creditsOwner;
    QString creditsText;
    m_dialogs.onModal = [&](QDialog& dialog) {
        if (auto* box = qobject_cast<AboutBox*>(&dialog)) {
            QTest::mouseClick(box->Image1, Qt::LeftButton, modifiers);
            return;
        }
        creditsOwner = dialog.parentWidget() ? dialog.parentWidget()->objectName() : QString();
        const auto* page = dialog.findChild<QTextBrowser*>(u"RichTextBox1"_s);
        QVERIFY(page && page->isReadOnly());
        creditsText = page->toPlainText();
    };
    ShowAboutBox(m_dialogs, nullptr);

    if (credits) {
        QCOMPARE(m_dialogs.count(u"modal"_s), 2);
        QCOMPARE(m_dialogs.last(u"modal"_s).objectName, u"frmEasterEgg"_s);
        QCOMPARE(creditsOwner, u"frmAbout"_s);
        QVERIFY(creditsText.contains(u"DraCFG Editor"_s));
        QCOMPARE(m_dialogs.count(u"url"_s), 0);
    } else {
        QCOMPARE(m_dialogs.count(u"modal"_s), 1);
        QCOMPARE(m_dialogs.count(u"url"_s), 1);
        QCOMPARE(m_dialogs.last(u"url"_s).url, QUrl(u"https://www.example.org/dracfg"_s));
    }
}

void tst_AboutBox::supportAddressOpensMail()
{
    runAboutBox([](AboutBox& box) { QTest::mouseClick(box.Label5, Qt::LeftButton); });
    QCOMPARE(m_dialogs.count(u"url"_s), 1);
    QCOMPARE(m_dialogs.last(u"url"_s).url, QUrl(u"mailto:support@example.org"_s));
    QCOMPARE(m_dialogs.count(u"modal"_s), 1);
}

void tst_AboutBox::okCloses()
{
    bool closedByOK = false;
    runAboutBox([&](AboutBox& box) {
        box.show();
        QTest::mouseClick(box.FBOK, Qt::LeftButton);
        closedByOK = !box.isVisible() && box.result() == QDialog::Accepted;
    });
    QVERIFY(closedByOK);
    QCOMPARE(m_dialogs.count(u"url"_s), 0);
}

void tst_AboutBox::splashShowsPictureAndVersion()
{
    SplashWindow splash;
    QCOMPARE(splash.objectName(), u"frmSplash"_s);
    QCOMPARE(splash.lblVersion->text(), u"Version 1.1.0"_s);
    QVERIFY(splash.Frame1->isAncestorOf(splash.lblVersion));
    const auto texts = splash.findChildren<QLabel*>();
    QVERIFY(std::any_of(texts.cbegin(), texts.cend(),
                        [](const QLabel* label) { return label->text() == u"DraCFG Editor"_s; }));
    QVERIFY(std::any_of(texts.cbegin(), texts.cend(),
                        [](const QLabel* label) { return !label->pixmap().isNull(); }));
}

void tst_AboutBox::splashClosesAtOnceButStartUpWaits_data()
{
    QTest::addColumn<bool>("byKey");
    QTest::newRow("key press") << true;
    QTest::newRow("click on the frame") << false;
}

void tst_AboutBox::splashClosesAtOnceButStartUpWaits()
{
    QFETCH(bool, byKey);
    QPointer<SplashWindow> splash;
    bool closedAtOnce = false;
    bool hadFocus = false;
    // Once the splash is up, the user dismisses it.
    QTimer poll;
    poll.setInterval(10);
    connect(&poll, &QTimer::timeout, this, [&] {
        const auto windows = QApplication::topLevelWidgets();
        for (QWidget* window : windows) {
            if (auto* shown = qobject_cast<SplashWindow*>(window); shown && shown->isVisible())
                splash = shown;
        }
        if (!splash)
            return;
        poll.stop();
        hadFocus = QApplication::focusWidget() == splash;
        if (byKey)
            QTest::keyClick(splash, Qt::Key_Space);
        else
            QTest::mouseClick(splash->Frame1, Qt::LeftButton, {}, QPoint(5, 5));
        closedAtOnce = !splash || !splash->isVisible();
    });
    poll.start();

    QElapsedTimer elapsed;
    elapsed.start();
    Startup::ShowSplashScreen(1000);
    QVERIFY(elapsed.elapsed() >= 1000);
    QVERIFY(closedAtOnce);
    QVERIFY(hadFocus || !byKey);
    QTRY_VERIFY(!splash);
    QVERIFY(!QApplication::overrideCursor());
}

QTEST_MAIN(tst_AboutBox)
#include "tst_aboutbox.moc"
