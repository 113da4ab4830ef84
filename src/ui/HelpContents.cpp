#include "ui/HelpContents.h"

#include "core/Version.h"
#include "ui/Dialogs.h"
#include "ui/Twips.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QShortcut>
#include <QStyle>
#include <QTextBrowser>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

namespace {

bool opensOutside(const QUrl& url)
{
    const QString scheme = url.scheme().toLower();
    return scheme == QLatin1String("http") || scheme == QLatin1String("https") ||
           scheme == QLatin1String("mailto");
}

QToolButton* historyButton(const char* name, const QString& text, QStyle::StandardPixmap icon,
                           QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setText(text);
    button->setAccessibleName(text);
    button->setToolTip(text);
    button->setIcon(parent->style()->standardIcon(icon));
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    button->setEnabled(false);
    return button;
}

} // namespace

HelpContents::HelpContents(Dialogs& dialogs, const QString& guidePath, QWidget* owner)
    : QWidget(owner, Qt::Window), m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("frmHelpContents"));
    setWindowTitle(ProductName + QStringLiteral(" Help"));
    setAttribute(Qt::WA_DeleteOnClose);

    cmdBack = historyButton("cmdBack", QStringLiteral("Back"), QStyle::SP_ArrowBack, this);
    cmdForward =
        historyButton("cmdForward", QStringLiteral("Forward"), QStyle::SP_ArrowForward, this);
    brwContents = new QTextBrowser(this);
    brwContents->setObjectName(QStringLiteral("brwContents"));
    brwContents->setAccessibleName(QStringLiteral("User guide"));
    // Every link passes through linkClicked, which alone knows what leaves the program.
    brwContents->setOpenLinks(false);
    brwContents->setOpenExternalLinks(false);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdBack);
    buttons->addWidget(cmdForward);
    buttons->addStretch();
    auto* column = new QVBoxLayout(this);
    column->addLayout(buttons);
    column->addWidget(brwContents, 1);

    connect(cmdBack, &QToolButton::clicked, brwContents, &QTextBrowser::backward);
    connect(cmdForward, &QToolButton::clicked, brwContents, &QTextBrowser::forward);
    connect(brwContents, &QTextBrowser::backwardAvailable, cmdBack, &QWidget::setEnabled);
    connect(brwContents, &QTextBrowser::forwardAvailable, cmdForward, &QWidget::setEnabled);
    connect(brwContents, &QTextBrowser::anchorClicked, this, &HelpContents::linkClicked);

    // A window of its own, but closed with Escape as a dialog is.
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this,
            &QWidget::close);

    brwContents->setSource(QUrl::fromLocalFile(guidePath));
    resize(Twips::toPixels(9000, this), Twips::toPixels(9000, this));
}

void HelpContents::linkClicked(const QUrl& link)
{
    if (opensOutside(link)) {
        openAddress(m_dialogs, this, link);
        return;
    }
    const QUrl target = brwContents->source().resolved(link);
    if (target.isLocalFile() && QFileInfo(target.toLocalFile()).isFile())
        brwContents->setSource(target);
}

void showHelpContents(Dialogs& dialogs, const QString& guidePath, QWidget* owner)
{
    auto* window = owner->findChild<HelpContents*>(QStringLiteral("frmHelpContents"));
    if (!window) {
        if (!QFileInfo(guidePath).isFile()) {
            dialogs.message(owner, ProductName,
                            QStringLiteral("The user guide is missing: ") + guidePath,
                            QMessageBox::Warning, QMessageBox::Ok);
            return;
        }
        window = new HelpContents(dialogs, guidePath, owner);
    }
    window->show();
    window->raise();
    window->activateWindow();
}
