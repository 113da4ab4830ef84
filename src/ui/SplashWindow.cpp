#include "ui/SplashWindow.h"

#include "core/Version.h"
#include "ui/ProductPicture.h"

#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QPalette>
#include <QScreen>
#include <QVBoxLayout>

namespace {

const QColor Accent(0x1d, 0x3f, 0x6e);

QPalette withColour(QPalette palette, QPalette::ColorRole role, const QColor& colour)
{
    palette.setColor(role, colour);
    return palette;
}

QLabel* newLabel(const QString& text, const char* name, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    return label;
}

} // namespace

SplashWindow::SplashWindow(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("frmSplash"));
    setWindowTitle(ProductName);
    setFocusPolicy(Qt::StrongFocus);

    // Colours come from palettes, not style sheets: a style sheet brings a style of its own,
    // which start-up would wait for.
    Frame1 = new QFrame(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setFrameStyle(QFrame::Box | QFrame::Plain);
    Frame1->setLineWidth(2);
    Frame1->setPalette(withColour(withColour(palette(), QPalette::Window, Qt::white),
                                  QPalette::WindowText, Accent));
    Frame1->setAutoFillBackground(true);
    Frame1->installEventFilter(this);

    // The picture is drawn when the splash first paints: within the wait, not before it.
    Image1 = newLabel(QString(), "Image1", Frame1);
    Image1->setFixedSize(PictureSize, PictureSize);
    Image1->installEventFilter(this);

    auto* row = new QHBoxLayout(Frame1);
    row->setContentsMargins(28, 28, 36, 28);
    row->setSpacing(28);
    row->addWidget(Image1, 0, Qt::AlignVCenter);
    row->addWidget(buildTexts(), 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Frame1);
    centreOnScreen();
}

QWidget* SplashWindow::buildTexts()
{
    auto* texts = new QWidget(Frame1);
    // The frame's border colour is not the texts'.
    texts->setPalette(
        withColour(texts->palette(), QPalette::WindowText, palette().color(QPalette::WindowText)));
    auto* title = newLabel(ProductName, "lblProductName", texts);
    QFont titleFont = title->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 2.2);
    titleFont.setBold(true);
    title->setFont(titleFont);
    title->setPalette(withColour(title->palette(), QPalette::WindowText, Accent));

    auto* subtitle =
        newLabel(QStringLiteral("Configuration editor for the Dravane database server"),
                 "lblSubtitle", texts);
    lblVersion = newLabel(versionText(), "lblVersion", texts);
    auto* maker = newLabel(QStringLiteral("\u00A9 2026 Dravane Tools Group"), "lblMaker", texts);
    maker->setPalette(withColour(maker->palette(), QPalette::WindowText, QColor(0x6b, 0x74, 0x80)));

    auto* column = new QVBoxLayout(texts);
    column->setContentsMargins(0, 0, 0, 0);
    column->addStretch();
    column->addWidget(title);
    column->addWidget(subtitle);
    column->addSpacing(10);
    column->addWidget(lblVersion);
    column->addSpacing(18);
    column->addWidget(maker);
    column->addStretch();
    return texts;
}

void SplashWindow::centreOnScreen()
{
    adjustSize();
    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
}

// Without the focus the key press that closes the splash would go elsewhere.
void SplashWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    activateWindow();
    setFocus();
}

void SplashWindow::keyPressEvent(QKeyEvent* event)
{
    Q_UNUSED(event);
    close();
}

void SplashWindow::usePicture(const QImage& picture)
{
    if (picture.isNull() || picture.devicePixelRatio() != devicePixelRatioF())
        return;
    Image1->removeEventFilter(this);
    Image1->setPixmap(QPixmap::fromImage(picture));
}

bool SplashWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Image1 && event->type() == QEvent::Paint) {
        Image1->removeEventFilter(this);
        Image1->setPixmap(productPicture(PictureSize, this));
    }
    if (watched == Frame1 && event->type() == QEvent::MouseButtonPress) {
        close();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}
