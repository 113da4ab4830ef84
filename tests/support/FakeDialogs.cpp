#include "support/FakeDialogs.h"

#include <QDialog>
#include <QPrinter>

int FakeDialogs::count(const QString& kind) const
{
    return static_cast<int>(std::count_if(calls.cbegin(), calls.cend(),
                                          [&](const Call& call) { return call.kind == kind; }));
}

FakeDialogs::Call FakeDialogs::last(const QString& kind) const
{
    for (auto it = calls.crbegin(); it != calls.crend(); ++it) {
        if (it->kind == kind)
            return *it;
    }
    return {};
}

void FakeDialogs::clear()
{
    calls.clear();
    messageAnswers.clear();
    openAnswers.clear();
    saveAnswers.clear();
    fontAnswers.clear();
    printAnswers.clear();
    onModal = nullptr;
}

QMessageBox::StandardButton FakeDialogs::message(QWidget*, const QString& title,
                                                 const QString& text, QMessageBox::Icon icon,
                                                 QMessageBox::StandardButtons buttons,
                                                 QMessageBox::StandardButton defaultButton)
{
    Call call;
    call.kind = QStringLiteral("message");
    call.title = title;
    call.text = text;
    call.icon = icon;
    call.buttons = buttons;
    call.defaultButton = defaultButton;
    calls.append(call);
    if (!messageAnswers.isEmpty())
        return messageAnswers.takeFirst();
    if (defaultButton != QMessageBox::NoButton)
        return defaultButton;
    for (int bit = 0; bit < 32; ++bit) {
        const auto button = static_cast<QMessageBox::StandardButton>(1u << bit);
        if (buttons.testFlag(button))
            return button;
    }
    return QMessageBox::Ok;
}

QString FakeDialogs::openFileName(QWidget*, const QString& title, const QString& folder,
                                  const QString& filter)
{
    Call call;
    call.kind = QStringLiteral("open");
    call.title = title;
    call.folder = folder;
    call.filter = filter;
    calls.append(call);
    return openAnswers.isEmpty() ? QString() : openAnswers.takeFirst();
}

QString FakeDialogs::saveFileName(QWidget*, const QString& title, const QString& folder,
                                  const QString& suggestedName, const QString& filter,
                                  const QString& defaultSuffix)
{
    Call call;
    call.kind = QStringLiteral("save");
    call.title = title;
    call.folder = folder;
    call.suggestedName = suggestedName;
    call.filter = filter;
    call.defaultSuffix = defaultSuffix;
    calls.append(call);
    return saveAnswers.isEmpty() ? QString() : saveAnswers.takeFirst();
}

std::optional<QFont> FakeDialogs::chooseFont(QWidget*, const QFont& initial)
{
    Call call;
    call.kind = QStringLiteral("font");
    call.font = initial;
    calls.append(call);
    return fontAnswers.isEmpty() ? std::nullopt : fontAnswers.takeFirst();
}

bool FakeDialogs::choosePrinter(QWidget*, QPrinter& printer, const QString& title)
{
    Call call;
    call.kind = QStringLiteral("print");
    call.title = title;
    calls.append(call);
    const QString path = printAnswers.isEmpty() ? QString() : printAnswers.takeFirst();
    if (path.isEmpty())
        return false;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    return true;
}

void FakeDialogs::runModal(QDialog& dialog)
{
    Call call;
    call.kind = QStringLiteral("modal");
    call.objectName = dialog.objectName();
    call.title = dialog.windowTitle();
    calls.append(call);
    if (onModal)
        onModal(dialog);
}

void FakeDialogs::openUrl(const QUrl& url)
{
    Call call;
    call.kind = QStringLiteral("url");
    call.url = url;
    calls.append(call);
}
