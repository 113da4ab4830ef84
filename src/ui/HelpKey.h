#pragma once

#include <QObject>

class ConfigDocument;
class EditingState;
class QPlainTextEdit;
class QTreeView;

// F1 in the text view or the list: the reference page of the setting at the caret or on the
// selected row. Where there is no setting the chosen version knows, the guide opens, as F1
// does everywhere else.
class HelpKey : public QObject {
    Q_OBJECT
public:
    HelpKey(const ConfigDocument& document, const EditingState& state, QString programDir,
            QPlainTextEdit* text, QTreeView* list);

signals:
    void helpPageRequested(const QString& address);
    void guideRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showHelp(bool inText);

    const ConfigDocument& m_document;
    const EditingState& m_state;
    QString m_programDir;
    QPlainTextEdit* m_text;
    QTreeView* m_list;
};
