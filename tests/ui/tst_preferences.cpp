#include "app/AllocatorTuning.h"
#include "app/Startup.h"
#include "core/PreferenceStore.h"
#include "support/EditorFixture.h"
#include "ui/AboutBox.h"
#include "ui/Preferences.h"
#include "ui/SplashWindow.h"
#include "ui/Twips.h"

#include <cstdlib>
#if defined(__GLIBC__)
#include <malloc.h>
#endif

using namespace Qt::StringLiterals;

namespace {

void Store(const QString& key, const QString& text)
{
    PreferenceStore::open()->setValue(u"Settings/"_s + key, text);
}

// What a new reader of the store's file sees.
QString Stored()
{
    const QSettings fresh(PreferenceStore::open()->fileName(), QSettings::IniFormat);
    QString stored;
    for (const QString& key : fresh.allKeys())
        stored += key + u'=' + fresh.value(key).toString() + u' ';
    return stored;
}

} // namespace

// Start-up, and the preferences it reads and closing stores.
class tst_Preferences : public QObject {
    Q_OBJECT

    FakeDialogs dialogs;
    std::unique_ptr<TestEnvironment> env;

    // Closing stores what the window shows, so this is what a window started from the store
    // showed; its font is stored as the font dialog stores it.
    QString StartAndClose()
    {
        const auto window = env->startMainWindow(dialogs);
        window->preferences().SaveFontPreferences();
        window->close();
        return Stored();
    }

private slots:
    void init() { env = std::make_unique<TestEnvironment>(); }
    void cleanup() { env.reset(); }

    void emptyStoreGivesTheDefaults()
    {
        const auto window = env->startMainWindow(dialogs);
        const WindowControls ui(*window);
        const auto px = [&](double twips) { return Twips::toPixels(twips, window.get()); };
        // As wide as the value editor needs beside the tree (tst_mainlayout), at least the
        // default width.
        const QRect frame = window->frameGeometry();
        QCOMPARE(frame.topLeft(), QPoint(px(1000), px(1000)));
        QCOMPARE(frame.height(), px(8970));
        QVERIFY(frame.width() > px(6500));
        QCOMPARE(ui.vbuSplitterHoriz->sizes().value(0), px(3000));
        QCOMPARE(ui.vbuSplitterVert->sizes().value(0), px(3000));
        const QFont font = ui.txtTextBox->font();
        QCOMPARE(font.family(), u"MS Sans Serif"_s); // kept, though shown in a sans-serif face
        QVERIFY(QFontInfo(font).family().contains(u"Sans"_s));
        QCOMPARE(font.pointSizeF(), 10.0);
        QVERIFY(!font.bold() && !font.italic());
        // Before the window is shown: then the Parameter column takes the spare width.
        MainWindow loaded(dialogs, env->programDir(), std::make_unique<EditingState>());
        loaded.preferences().LoadPreferences();
        QCOMPARE(WindowControls(loaded).lvListView->header()->sectionSize(0), px(2500.15));
        QCOMPARE(WindowControls(loaded).lvListView->header()->sectionSize(1), px(3500.22));
        QVERIFY(WindowControls(loaded).mnuToolsFonts->isEnabled());
    }

    void roundTripThroughTheStore_data()
    {
        QTest::addColumn<bool>("helpShown");
        QTest::newRow("help shown") << true;
        QTest::newRow("help hidden") << false;
    }
    void roundTripThroughTheStore()
    {
        QFETCH(bool, helpShown);
        const auto window = env->startMainWindow(dialogs);
        WindowControls ui(*window);
        window->setGeometry(120, 90, 500, 540);
        ui.vbuSplitterHoriz->setSizes({160, 100});
        ui.vbuSplitterVert->setSizes({120, 300});
        ui.lvListView->header()->resizeSection(0, 180);
        dialogs.fontAnswers = {QFont(u"DejaVu Serif"_s, 13, QFont::Bold, true)};
        ui.mnuFileNew->trigger();
        ui.mnuToolsFonts->trigger();
        if (!helpShown)
            ui.mnuViewmnuShowHelp->trigger();
        ui.mnuToolsConfirmDelete->trigger();
        Control(*window, u"mnuViewmnuProblems"_s)->trigger();
        ui.mnuViewmnuListAlpha->trigger();
        ui.mnuViewmnuLVList->trigger();
        ui.mnuDVVersion[2]->trigger();
        QVERIFY(window->close());
        const QString saved = Stored();

        QCOMPARE(StartAndClose(), saved);
        QVERIFY(saved.contains(u"ConfirmDelete=False"_s) && saved.contains(u"FontBold=True"_s) &&
                saved.contains(u"ShowProblems=False"_s));
        QCOMPARE(saved.count(u"Settings/"_s), 19); // every key
    }

    void unreadableValuesReadAsTheDefault_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("text");
        QTest::newRow("too small a window") << u"MainWidth"_s << u"3"_s;
        QTest::newRow("absurd size") << u"FontSize"_s << u"100000"_s;
    }
    // The window keys are also written sound again at close.
    void unreadableValuesReadAsTheDefault()
    {
        QFETCH(QString, key);
        QFETCH(QString, text);
        const QString defaults = StartAndClose();
        Store(key, text);
        QCOMPARE(StartAndClose(), defaults);
    }

    void closingMinimisedLosesTheConfirmDeleteToggle()
    {
        const auto window = env->startMainWindow(dialogs);
        WindowControls(*window).mnuToolsConfirmDelete->trigger();
        window->showMinimized();
        QTRY_VERIFY(window->isMinimized());
        QVERIFY(window->close());
        QCOMPARE(Stored(), u"Settings/DravaneVersion=0 Settings/ViewMode=3 "_s);
    }

    void fontDialogOpensWithItsLastChoice()
    {
        const auto window = env->startMainWindow(dialogs);
        const WindowControls ui(*window);
        const QFont start = ui.txtTextBox->font(), choice(u"DejaVu Serif"_s, 13);
        dialogs.fontAnswers = {std::nullopt, choice};
        ui.mnuFileNew->trigger();
        ui.mnuToolsFonts->trigger();                     // cancelled: nothing changes
        QCOMPARE(dialogs.last(u"font"_s).font, QFont()); // not the text view's font
        QVERIFY(start != QFont());
        QCOMPARE(ui.txtTextBox->font(), start);
        QVERIFY(PreferenceStore::open()->allKeys().isEmpty());

        ui.mnuToolsFonts->trigger();
        Store(u"FontName"_s, u"Nimbus Sans"_s); // the text view's font changes, not the choice
        window->preferences().LoadFontPreferences();
        ui.mnuToolsFonts->trigger();
        QCOMPARE(dialogs.last(u"font"_s).font, choice);
    }

    // A stored geometry that does not fit the screen any more (another monitor, another scale
    // factor) is fitted inside its available area; one that fits is kept.
    void windowIsFittedToTheScreen_data()
    {
        QTest::addColumn<QRect>("stored"); // twips
        QTest::addColumn<bool>("kept");
        QTest::newRow("fits") << QRect(1500, 1200, 6000, 6000) << true;
        QTest::newRow("partly off the left edge") << QRect(-3000, 1000, 6500, 6000) << false;
        QTest::newRow("far right") << QRect(200000, 1000, 6500, 6000) << false;
        QTest::newRow("taller than the screen") << QRect(1000, 1000, 6500, 40000) << false;
    }
    void windowIsFittedToTheScreen()
    {
        QFETCH(QRect, stored);
        QFETCH(bool, kept);
        for (const auto& [key, value] : {std::pair{"MainLeft", stored.left()},
                                         {"MainTop", stored.top()},
                                         {"MainWidth", stored.width()},
                                         {"MainHeight", stored.height()}})
            Store(QString::fromLatin1(key), QString::number(value));
        const auto window = env->startMainWindow(dialogs);
        const auto px = [&](int twips) { return Twips::toPixels(twips, window.get()); };
        const QRect frame = window->frameGeometry();
        QVERIFY(QGuiApplication::primaryScreen()->availableGeometry().contains(frame));
        const QRect asStored(px(stored.left()), px(stored.top()), px(stored.width()),
                             px(stored.height()));
        QCOMPARE(frame == asStored, kept);
    }

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
        std::optional<FixtureLock> lock;
        if (setup.first() == u"no help") {
            QDir(env->serverDir() + u"/Docs"_s).removeRecursively(); // KELMPATH names an empty one
        } else if (setup.first() == u"locked") {
            QVERIFY(lock.emplace(env->cataloguepath()).isHeld());
        } else {
            QFile::remove(env->cataloguepath());
            if (setup.first() == u"junk")
                env->writeFile(u"program/DraCFG.mdb"_s, QByteArray(4096, 'x'));
        }
        FakeDialogs dialogs;

        QVERIFY(!env->startMainWindow(dialogs)); // the catalogue table pins how soon

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
        const QString path = env->path(u"server/bin/given.cfg"_s);
        if (exists)
            env->writeFile(u"server/bin/given.cfg"_s, QByteArray(65000, 'x'));
        FakeDialogs dialogs;

        const auto window = env->startMainWindow(dialogs, path);

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
    void largeTextsComeFromTheHeap()
    {
#if !defined(__GLIBC__) || defined(__SANITIZE_ADDRESS__)
        QSKIP("glibc's own allocator only");
#else
        tuneAllocator();
        const size_t mappedBefore = mallinfo2().hblkhd;
        const QByteArray text(512 * 1024, 'x');
        QCOMPARE(mallinfo2().hblkhd, mappedBefore);
#endif
    }
};

QTEST_MAIN(tst_Preferences)
#include "tst_preferences.moc"
