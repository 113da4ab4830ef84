#include "support/FakeDialogs.h"

#include <QDialog>
#include <QPrinter>

FakeDialogs::Call& FakeDialogs::record(const char* kind, const QString& title)
{
    Call call;
    call.kind = QLatin1String(kind);
    call.title = title;
    calls.append(call);
    return calls.last();
}

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

QMessageBox::StandardButton FakeDialogs::message(QWidget*, const QString& title,
                                                 const QString& text, QMessageBox::Icon icon,
                                                 QMessageBox::StandardButtons buttons,
                                                 QMessageBox::StandardButton defaultButton)
{
    Call& call = record("message", title);
    call.text = text;
    call.icon = icon;
    call.buttons = buttons;
    if (!messageAnswers.isEmpty())
        return messageAnswers.takeFirst();
    if (defaultButton != QMessageBox::NoButton)
        return defaultButton;
    const int first = buttons.toInt() & -buttons.toInt(); // the lowest bit set
    return first ? QMessageBox::StandardButton(first) : QMessageBox::Ok;
}

void FakeDialogs::messageWithDetails(QWidget* parent, const QString& title, const QString& text,
                                     const QString& details, QMessageBox::Icon icon)
{
    message(parent, title, text, icon, QMessageBox::Ok, QMessageBox::NoButton);
    calls.last().details = details;
}

QString FakeDialogs::openFileName(QWidget*, const QString& title, const QString&, const QString&)
{
    record("open", title);
    return openAnswers.isEmpty() ? QString() : openAnswers.takeFirst();
}

QString FakeDialogs::saveFileName(QWidget*, const QString& title, const QString& folder,
                                  const QString& suggestedName, const QString& filter,
                                  const QString& defaultSuffix)
{
    Call& call = record("save", title);
    call.folder = folder;
    call.suggestedName = suggestedName;
    call.filter = filter;
    call.defaultSuffix = defaultSuffix;
    return saveAnswers.isEmpty() ? QString() : saveAnswers.takeFirst();
}

std::optional<QFont> FakeDialogs::chooseFont(QWidget*, const QFont& initial)
{
    record("font").font = initial;
    return fontAnswers.isEmpty() ? std::nullopt : fontAnswers.takeFirst();
}

bool FakeDialogs::choosePrinter(QWidget*, QPrinter& printer, const QString& title)
{
    record("print", title);
    const QString path = printAnswers.isEmpty() ? QString() : printAnswers.takeFirst();
    if (path.isEmpty())
        return false;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    return true;
}

void FakeDialogs::runModal(QDialog& dialog)
{
    record("modal", dialog.windowTitle()).objectName = dialog.objectName();
    if (onModal)
        onModal(dialog);
}

bool FakeDialogs::openUrl(const QUrl& url)
{
    record("url").url = url;
    return urlOpens;
}
