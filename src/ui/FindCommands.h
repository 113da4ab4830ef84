#pragma once

#include "ui/MainContext.h"

#include <QPointer>
#include <QString>

class FindDialog;

// Edit > Find: the modeless Find dialog and the searches it runs over the list, the text view
// or the Settings Explorer, one match per press, continuing from the last match.
class FindCommands : public Component {
    Q_OBJECT
public:
    explicit FindCommands(MainContext& context);

    void OpenFind();

    // The search state lives as long as the main window.
    QString FindText;
    bool FindFromStart = false;
    // Leading characters of the document's text that a continued text search skips.
    qsizetype FindTextOffset = 0;

private:
    void ChooseTarget();
    void SearchTextEdited(const QString& text);
    void FindPressed();
    void FindClosed();
    void ListSearch();
    void TreeSearch();
    void TextSearch();
    void ReportNotFound();
    int SelectedNodeIndex() const;

    QPointer<FindDialog> m_dialog;
};
