#pragma once

#include <QList>
#include <QString>
#include <QUndoStack>

#include <optional>

#include "core/ConfigFile.h"
#include "core/EditHistory.h"
#include "core/Row.h"

class ConfigDocument;

// The one history of a ConfigDocument's edits, in either form. What changes while a step is
// open is one step, named for the command that made it; a change of the text outside any is
// "Typing", merged into runs. A step keeps only the rows or whole lines that differ from the
// form as it was before (EditHistory), so it can be undone in either form. Changes made
// "quietly" (the document's own loading and converting) are no steps: the forms as they are
// afterwards become the new starting point.
class DocumentHistory {
public:
    // The steps kept; older ones are forgotten.
    static constexpr int Limit = 200;

    explicit DocumentHistory(ConfigDocument& document);

    QUndoStack& stack() { return m_stack; }
    const QUndoStack& stack() const { return m_stack; }

    void beginStep() { ++m_steps; }
    // Places are rows of the list, the one to select when the step is undone and when it is
    // redone; -1: the first row the step changed.
    void endStep(const QString& name, int placeBefore, int placeAfter);
    void beginQuiet() { ++m_quiet; }
    void endQuiet();
    bool isQuiet() const { return m_quiet > 0; }

    // What the document hears from its forms.
    void rowsEdited();
    void textEdited();
    // Where the text changes, as its document tells while a view lays it out: typing is then
    // recorded from that part alone rather than by comparing the whole text.
    void textChanging(int position, int removed, int added);
    // A run of typing ends where the user switched views.
    void viewSwitched() { ++m_viewSwitches; }

    void clear();
    // Converts every line's break, as one step.
    void pushLineEnds(ConfigFile::LineEnds ends);

private:
    class Change;
    class BreaksChange;

    void record(const QString& name, int placeBefore, int placeAfter);
    std::optional<EditHistory::LineChange> takeTextChange();
    void takeSnapshots();

    ConfigDocument& m_document;
    QUndoStack m_stack;
    int m_quiet = 0;
    int m_steps = 0; // Steps alive
    // Each form as the history last saw it: an edit is what differs from these.
    QList<Row> m_rowsShot;
    QString m_textShot;
    bool m_rowsEdited = false;
    bool m_textEdited = false;
    bool m_textShotStale = false; // the program changed the text since m_textShot was taken
    // The part of m_textShot that differs from the text now: [start, endBefore) of the one gave
    // way to [start, endAfter) of the other. None: not told, so the whole text is compared.
    struct Window {
        qsizetype start = 0;
        qsizetype endBefore = 0;
        qsizetype endAfter = 0;
    };
    std::optional<Window> m_window;
    int m_viewSwitches = 0;
};
