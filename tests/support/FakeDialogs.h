#pragma once

#include "ui/Dialogs.h"

#include <QList>
#include <QStringList>
#include <functional>

// Records every modal interaction and answers it from prepared queues, so no test blocks.
class FakeDialogs final : public Dialogs {
public:
    struct Call {
        QString kind; // "message", "open", "save", "font", "print", "modal", "url"
        QString title;
        QString text;
        QString details; // of a message with details
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QMessageBox::StandardButtons buttons;
        QString folder;
        QString suggestedName;
        QString filter;
        QString defaultSuffix;
        QString objectName; // of the modal dialog
        QUrl url;
        QFont font; // the initial font offered by the font dialog
    };

    QList<Call> calls;

    // Answers, consumed front first. An empty queue answers: message -> the default button
    // (or the first of the buttons), open/save -> cancel, font -> cancel, print -> cancel.
    QList<QMessageBox::StandardButton> messageAnswers;
    QStringList openAnswers;
    QStringList saveAnswers;
    QList<std::optional<QFont>> fontAnswers;
    QStringList printAnswers;              // a PDF path to print to; an empty text cancels
    std::function<void(QDialog&)> onModal; // runs while a modal window "is open"
    bool urlOpens = true;                  // whether the desktop opens an address

    int count(const QString& kind) const;
    // The last call of that kind; a default Call when there is none.
    Call last(const QString& kind) const;

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

private:
    Call& record(const char* kind, const QString& title = {});
};
