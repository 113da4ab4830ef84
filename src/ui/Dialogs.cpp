#include "ui/Dialogs.h"

#include "core/Version.h"

#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QPrintDialog>
#include <QPrinter>

QMessageBox::StandardButton QtDialogs::message(QWidget* parent, const QString& title,
                                               const QString& text, QMessageBox::Icon icon,
                                               QMessageBox::StandardButtons buttons,
                                               QMessageBox::StandardButton defaultButton)
{
    QMessageBox box(icon, title, text, buttons, parent);
    if (defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(defaultButton);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

void Dialogs::messageWithDetails(QWidget* parent, const QString& title, const QString& text,
                                 const QString& details, QMessageBox::Icon icon)
{
    message(parent, title, text + QStringLiteral("\n\n") + details, icon, QMessageBox::Ok);
}

void QtDialogs::messageWithDetails(QWidget* parent, const QString& title, const QString& text,
                                   const QString& details, QMessageBox::Icon icon)
{
    QMessageBox box(icon, title, text, QMessageBox::Ok, parent);
    // Shown under the message at once, not behind a button.
    box.setInformativeText(details);
    box.exec();
}

QString QtDialogs::openFileName(QWidget* parent, const QString& title, const QString& folder,
                                const QString& filter)
{
    QFileDialog dialog(parent, title, folder, filter);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

QString QtDialogs::saveFileName(QWidget* parent, const QString& title, const QString& folder,
                                const QString& suggestedName, const QString& filter,
                                const QString& defaultSuffix)
{
    QFileDialog dialog(parent, title, folder, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(defaultSuffix);
    dialog.selectFile(suggestedName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

std::optional<QFont> QtDialogs::chooseFont(QWidget* parent, const QFont& initial)
{
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, initial, parent);
    if (!ok)
        return std::nullopt;
    return font;
}

bool QtDialogs::choosePrinter(QWidget* parent, QPrinter& printer, const QString& title)
{
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(title);
    // Whole document only: no page range, no selection.
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    return dialog.exec() == QDialog::Accepted;
}

void QtDialogs::runModal(QDialog& dialog)
{
    dialog.exec();
}

bool QtDialogs::openUrl(const QUrl& url)
{
    return QDesktopServices::openUrl(url);
}

void openAddress(Dialogs& dialogs, QWidget* parent, const QUrl& url)
{
    if (dialogs.openUrl(url))
        return;
    const QString address =
        url.scheme() == QLatin1String("mailto") ? url.path() : url.toDisplayString();
    dialogs.message(parent, ProductName,
                    QStringLiteral("No program on this computer could open the address:\n\n") +
                        address,
                    QMessageBox::Information, QMessageBox::Ok);
}
