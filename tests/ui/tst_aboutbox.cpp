#include "app/Startup.h"
#include "support/FakeDialogs.h"
#include "ui/AboutBox.h"
#include "ui/SplashWindow.h"

#include <QTest>
#include <QtWidgets>

using namespace Qt::StringLiterals;

class tst_AboutBox : public QObject {
    Q_OBJECT

private slots:
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

QTEST_MAIN(tst_AboutBox)
#include "tst_aboutbox.moc"
