#include "ui/AboutBox.h"

#include "core/Version.h"
#include "ui/CreditsWindow.h"
#include "ui/Dialogs.h"
#include "ui/ProductPicture.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int PictureSize = 96;

template <typename Widget> Widget* named(Widget* widget, const char* name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

bool isLeftClickRelease(const QEvent* event, const QWidget* on)
{
    if (event->type() != QEvent::MouseButtonRelease)
        return false;
    const auto* mouse = static_cast<const QMouseEvent*>(event);
    return mouse->button() == Qt::LeftButton && on->rect().contains(mouse->position().toPoint());
}

} // namespace

const QUrl AboutBox::WebSite(QStringLiteral("https://www.example.org/dracfg"));
const QUrl AboutBox::SupportAddress(QStringLiteral("mailto:support@example.org"));

AboutBox::AboutBox(Dialogs& dialogs, QWidget* owner) : QDialog(owner), m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About ") + ProductName);

    Image1 = named(new QLabel(this), "Image1");
    Image1->setPixmap(productPicture(PictureSize, this));
    Image1->setAlignment(Qt::AlignTop);
    Image1->setCursor(Qt::PointingHandCursor);
    Image1->setToolTip(WebSite.toString());
    Image1->installEventFilter(this);

    auto* body = new QHBoxLayout;
    body->setSpacing(18);
    body->addWidget(Image1);
    body->addWidget(buildTexts(), 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 18, 18, 12);
    layout->addLayout(body);
    layout->addWidget(buildOKFrame());
    layout->setSizeConstraint(QLayout::SetFixedSize);

    lblVersion->setText(versionText());
}

QWidget* AboutBox::buildTexts()
{
    auto* texts = new QWidget(this);
    lblTitle = named(new QLabel(ProductName, texts), "lblTitle");
    QFont titleFont = lblTitle->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.6);
    titleFont.setBold(true);
    lblTitle->setFont(titleFont);

    lblVersion = named(new QLabel(texts), "lblVersion");
    Label3 = named(
        new QLabel(QStringLiteral("\u00A9 2026 Dravane Tools Group. All rights reserved."), texts),
        "Label3");
    Label5 = named(new QLabel(SupportAddress.path(), texts), "Label5");
    QPalette link = Label5->palette();
    link.setColor(QPalette::WindowText, Qt::blue);
    Label5->setPalette(link);
    QFont linkFont = Label5->font();
    linkFont.setUnderline(true);
    Label5->setFont(linkFont);
    Label5->setCursor(Qt::PointingHandCursor);
    Label5->setToolTip(QStringLiteral("Write to support"));
    Label5->installEventFilter(this);

    auto* column = new QVBoxLayout(texts);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(lblTitle);
    column->addWidget(lblVersion);
    column->addSpacing(12);
    column->addWidget(Label3);
    column->addSpacing(6);
    column->addWidget(Label5);
    column->addStretch();
    return texts;
}

QFrame* AboutBox::buildOKFrame()
{
    fraOK = named(new QFrame(this), "fraOK");
    FBOK = named(new QPushButton(QStringLiteral("OK"), fraOK), "FBOK");
    FBOK->setDefault(true);
    connect(FBOK, &QPushButton::clicked, this, &QDialog::accept);
    auto* row = new QHBoxLayout(fraOK);
    row->setContentsMargins(0, 12, 0, 0);
    row->addStretch();
    row->addWidget(FBOK);
    return fraOK;
}

bool AboutBox::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Image1 && isLeftClickRelease(event, Image1)) {
        pictureClicked(static_cast<QMouseEvent*>(event)->modifiers());
        return true;
    }
    if (watched == Label5 && isLeftClickRelease(event, Label5)) {
        openAddress(m_dialogs, this, SupportAddress);
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void AboutBox::pictureClicked(Qt::KeyboardModifiers modifiers)
{
    if (modifiers.testFlag(Qt::ShiftModifier)) {
        CreditsWindow credits(this);
        m_dialogs.runModal(credits);
        return;
    }
    openAddress(m_dialogs, this, WebSite);
}

void showAboutBox(Dialogs& dialogs, QWidget* owner)
{
    AboutBox box(dialogs, owner);
    dialogs.runModal(box);
}
