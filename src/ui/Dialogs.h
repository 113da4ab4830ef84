#pragma once

#include <QFont>
#include <QMessageBox>
#include <QString>
#include <QUrl>
#include <optional>

class QDialog;
class QPrinter;
class QWidget;

// Every modal interaction of the program passes through this interface so that tests can
// answer it in advance instead of blocking on a window.
class Dialogs {
public:
    virtual ~Dialogs() = default;

    virtual QMessageBox::StandardButton
    message(QWidget* parent, const QString& title, const QString& text, QMessageBox::Icon icon,
            QMessageBox::StandardButtons buttons = QMessageBox::Ok,
            QMessageBox::StandardButton defaultButton = QMessageBox::NoButton) = 0;

    // A message with an OK button and a second text under it that says more: which file, which
    // limit. Without an implementation of its own, the two texts go into one message.
    virtual void messageWithDetails(QWidget* parent, const QString& title, const QString& text,
                                    const QString& details, QMessageBox::Icon icon);

    // Both return the chosen full path, or an empty text when cancelled. `filter` is in Qt's
    // "Description (*.ext);;..." form.
    virtual QString openFileName(QWidget* parent, const QString& title, const QString& folder,
                                 const QString& filter) = 0;
    virtual QString saveFileName(QWidget* parent, const QString& title, const QString& folder,
                                 const QString& suggestedName, const QString& filter,
                                 const QString& defaultSuffix) = 0;

    // The font the user chose, or nothing when cancelled.
    virtual std::optional<QFont> chooseFont(QWidget* parent, const QFont& initial) = 0;

    // Sets `printer` up through the print dialog; false when the user cancelled.
    virtual bool choosePrinter(QWidget* parent, QPrinter& printer, const QString& title) = 0;

    // Runs one of the program's own modal windows (About box, credits).
    virtual void runModal(QDialog& dialog) = 0;

    // Hands an address (web, mailto:, file) to the desktop shell; false when nothing there
    // could open it.
    virtual bool openUrl(const QUrl& url) = 0;
};

// Opens a web or mail address with the desktop; when it cannot, a message says so and shows
// the address, so the user can take it elsewhere.
void openAddress(Dialogs& dialogs, QWidget* parent, const QUrl& url);

class QtDialogs final : public Dialogs {
public:
    QMessageBox::StandardButton message(QWidget* parent, const QString& title, const QString& text,
                                        QMessageBox::Icon icon,
                                        QMessageBox::StandardButtons buttons,
                                        QMessageBox::StandardButton defaultButton) override;
    void messageWithDetails(QWidget* parent, const QString& title, const QString& text,
                            const QString& details, QMessageBox::Icon icon) override;
    QString openFileName(QWidget* parent, const QString& title, const QString& folder,
                         const QString& filter) override;
    QString saveFileName(QWidget* parent, const QString& title, const QString& folder,
                         const QString& suggestedName, const QString& filter,
                         const QString& defaultSuffix) override;
    std::optional<QFont> chooseFont(QWidget* parent, const QFont& initial) override;
    bool choosePrinter(QWidget* parent, QPrinter& printer, const QString& title) override;
    void runModal(QDialog& dialog) override;
    bool openUrl(const QUrl& url) override;
};
