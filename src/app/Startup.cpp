#include "app/Startup.h"

#include "app/TerminationSignals.h"
#include "core/CatalogueDatabase.h"
#include "core/EditingState.h"
#include "core/PreferenceStore.h"
#include "core/ServerInstall.h"
#include "core/Version.h"
#include "ui/Dialogs.h"
#include "ui/FileCommands.h"
#include "ui/MainWindow.h"
#include "ui/ProductPicture.h"
#include "ui/Recovery.h"
#include "ui/SplashWindow.h"
#include "ui/ToolbarIcons.h"
#include "ui/VersionMenu.h"

#include <QApplication>
#include <QBuffer>
#include <QEventLoop>
#include <QFontDatabase>
#include <QImageReader>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <future>

namespace Startup {

const QString CriticalErrorText =
    QStringLiteral("Cannot find the Dravane Technical Reference Help.\r\n"
                   "\r\n"
                   "Please ensure that the Help is installed and exists in\r\n"
                   "the following folder: ..DRAVANE\\DOCS\\TECHREF, and that\r\n"
                   "the Dravane KELMPATH environment variable is set correctly.\r\n"
                   "\r\n"
                   "The DraCFG Editor will not function without the Dravane\r\n"
                   "Technical Reference Help installed.");

void ShowSplashScreen(int milliseconds, const std::shared_future<QImage>* picture)
{
    // Shown for no time, it would never be seen, only built and painted.
    if (milliseconds <= 0)
        return;
    QPointer<SplashWindow> splash = new SplashWindow;
    if (picture && picture->wait_for(std::chrono::seconds(0)) == std::future_status::ready)
        splash->usePicture(picture->get());
    splash->setAttribute(Qt::WA_DeleteOnClose);
    splash->show();
    QApplication::setOverrideCursor(Qt::WaitCursor);

    // The wait lasts the full time even when the user closes the splash early; a coarse timer
    // could end it a little before.
    QEventLoop wait;
    QTimer::singleShot(milliseconds, Qt::PreciseTimer, &wait, &QEventLoop::quit);
    wait.exec();

    if (splash)
        splash->close();
    QApplication::restoreOverrideCursor();
}

std::unique_ptr<MainWindow> run(Dialogs& dialogs, const QString& programDir, const Options& options)
{
    const QString dbPath = CatalogueDatabase::GetCatalogueDatabasePath(programDir);
    if (!CatalogueDatabase::catalogueDatabaseExists(dbPath)) {
        dialogs.message(nullptr, CatalogueDatabase::MissingDatabaseTitle,
                        CatalogueDatabase::MissingDatabaseText, QMessageBox::Warning);
        return nullptr;
    }

    const auto ending = [&options] {
        return options.termination && options.termination->received();
    };
    // A worker does what the window will need and no window has to do itself, while the splash
    // is built and shown: first the splash's own picture, then the catalogue and the icons of the
    // commands. Last it loads the image plugins, which Qt loads every one of the first time it
    // reads a picture (the menu bar's own icon), to ask each whether it reads PNG.
    struct Prepared {
        EditingState::Reading reading;
        QHash<QString, QIcon> icons;
    };
    const bool splash = options.splashMilliseconds > 0;
    const QScreen* screen = QGuiApplication::primaryScreen();
    const qreal ratio = screen ? screen->devicePixelRatio() : 1.0;
    // A second start in the same process draws and parses nothing again; with no splash, nothing
    // is drawn for it, and this thread, free meanwhile, parses the icons itself.
    static QImage drawn;
    const bool drawPicture = splash && (drawn.isNull() || drawn.devicePixelRatio() != ratio);
    const bool loadIcons = !bundledIconsInUse();
    const bool iconsOnWorker = splash && loadIcons;
    std::promise<QImage> picture;
    const std::shared_future<QImage> pictureDrawn = picture.get_future().share();
    if (!drawPicture)
        picture.set_value(drawn);
    std::future<Prepared> preparing =
        std::async(std::launch::async, [dbPath, ratio, drawPicture, iconsOnWorker, &picture] {
            if (drawPicture)
                picture.set_value(productPictureImage(SplashWindow::PictureSize, ratio));
            Prepared prepared{EditingState::readCatalogue(dbPath),
                              iconsOnWorker ? loadBundledIcons() : QHash<QString, QIcon>()};
            QBuffer nothing;
            QImageReader(&nothing, "png").canRead();
            return prepared;
        });
    ShowSplashScreen(options.splashMilliseconds, &pictureDrawn);
    if (drawPicture)
        drawn = pictureDrawn.get();
    if (ending())
        return nullptr;

    if (!ServerInstall::HelpFileExists(programDir)) {
        dialogs.message(nullptr, QStringLiteral("Critical Error"), CriticalErrorText,
                        QMessageBox::Critical);
        return nullptr;
    }

    if (!splash) {
        // While the worker reads: the font database filled, as the splash's texts fill it when
        // it shows, and the icons parsed. The window needs both at once.
        QFontDatabase::families();
        if (loadIcons)
            useBundledIcons(loadBundledIcons());
    }

    // An unreadable catalogue ends start-up before any window exists or anything is written.
    // The stored version is chosen first: the settings offered start as that version's.
    auto state = std::make_unique<EditingState>();
    state->chooseVersion(PreferenceStore::storedVersionIndex());
    QString error;
    Prepared prepared = preparing.get();
    useBundledIcons(prepared.icons);
    if (!state->take(std::move(prepared.reading), &error)) {
        dialogs.message(nullptr, ProductName, error, QMessageBox::Critical);
        return nullptr;
    }

    auto window = std::make_unique<MainWindow>(dialogs, programDir, std::move(state));
    Recovery& recovery = window->recovery();
    if (options.termination)
        QObject::connect(options.termination, &TerminationSignals::arrived, &recovery,
                         &Recovery::endSession);
    window->versions().BuildVersionMenu();
    window->load();
    window->show();
    if (!options.file.isEmpty() && !ending())
        window->files().openChosenFile(options.file);
    if (!ending())
        recovery.offer(recovery.leftoverOffers());
    return ending() ? nullptr : std::move(window);
}

} // namespace Startup
