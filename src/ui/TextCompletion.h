#pragma once

#include "core/Completion.h"

#include <QObject>
#include <memory>

class ConfigDocument;
class EditingState;
class QPlainTextEdit;
class QTreeView;
class CompletionModel;

// lstCompletion: the list of what may complete the word at the text view's caret, under it.
// It opens after two letters of a name, at once after a choice setting's name and a space,
// and on Ctrl+Space; it never takes the focus, so typing goes on in the text. Enter, Tab or a
// click inserts the entry chosen as typing does; Escape or a move elsewhere closes it.
class TextCompletion : public QObject {
    Q_OBJECT
public:
    TextCompletion(QPlainTextEdit* text, ConfigDocument& document, const EditingState& state);
    ~TextCompletion() override;

    QTreeView* list() const { return m_list; }
    // Shows what the caret's place offers; unasked, names wait for two letters.
    void refresh(bool asked);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void pick(int entry);
    void close();
    void place();
    const Completion::Index& index();

    QPlainTextEdit* m_text;
    ConfigDocument& m_document;
    const EditingState& m_state;
    QTreeView* m_list;
    CompletionModel* m_model;
    std::unique_ptr<Completion::Index> m_index; // of the chosen version, made when first needed
    Completion::Offer m_offer;
    bool m_asked = false;  // the list shown was asked for with Ctrl+Space
    bool m_typing = false; // a key stroke is changing the text
};
