#include "ui/SplashWindow.h"

#include "core/Version.h"
#include "ui/ProductPicture.h"

#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

namespace {

constexpr int PictureSize = 128;

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

    Frame1 = new QFrame(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setStyleSheet(
        QStringLiteral("#Frame1 { background: #ffffff; border: 2px solid #1d3f6e; }"));
    Frame1->installEventFilter(this);

    auto* picture = newLabel(QString(), "Image1", Frame1);
    picture->setPixmap(productPicture(PictureSize, this));

    auto* row = new QHBoxLayout(Frame1);
    row->setContentsMargins(28, 28, 36, 28);
    row->setSpacing(28);
    row->addWidget(picture, 0, Qt::AlignVCenter);
    row->addWidget(buildTexts(), 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Frame1);
    centreOnScreen();
}

QWidget* SplashWindow::buildTexts()
{
    auto* texts = new QWidget(Frame1);
    auto* title = newLabel(ProductName, "lblProductName", texts);
    QFont titleFont = title->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 2.2);
    titleFont.setBold(true);
    title->setFont(titleFont);
    title->setStyleSheet(QStringLiteral("color: #1d3f6e;"));

    auto* subtitle =
        newLabel(QStringLiteral("Configuration editor for the Dravane database server"),
                 "lblSubtitle", texts);
    lblVersion = newLabel(versionText(), "lblVersion", texts);
    auto* maker = newLabel(QStringLiteral("\u00A9 2026 Dravane Tools Group"), "lblMaker", texts);
    maker->setStyleSheet(QStringLiteral("color: #6b7480;"));

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

bool SplashWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Frame1 && event->type() == QEvent::MouseButtonPress) {
        close();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}
