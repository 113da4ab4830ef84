#pragma once

#include "ui/DocumentWidgets.h"

#include <QObject>
#include <QPointer>

class ConfigDocument;
class Dialogs;
class ReplaceDialog;

// Edit > Replace, in the text view: the modeless Replace window. Replace changes the match
// the text view has selected and selects the next one (a selection that is no match is only
// passed over to the next); Replace All changes every match in one step and says how many.
// Like Find, there is no wrap-around and a miss says "String not found.".
class ReplaceCommands : public QObject {
    Q_OBJECT
public:
    ReplaceCommands(ConfigDocument& document, Dialogs& dialogs, const DocumentWidgets& views,
                    QObject* parent = nullptr);

    void openReplace();

private:
    void replacePressed();
    void replaceAllPressed();
    // Selects the first match at or after the cursor position, or says there is none.
    void selectNextFrom(int position);
    void say(const QString& text);

    ConfigDocument& m_document;
    Dialogs& m_dialogs;
    DocumentWidgets m_views;
    QPointer<ReplaceDialog> m_dialog;
};
