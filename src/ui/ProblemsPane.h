#pragma once

#include "core/ProblemCheck.h"

#include <QHash>
#include <QObject>
#include <QStyledItemDelegate>
#include <QTimer>

#include <functional>
#include <future>
#include <optional>

class ConfigDocument;
class EditingState;
class QAction;
class QLabel;
class QPlainTextEdit;
class QSplitter;
class QTreeView;
class ProblemTable;
class QModelIndex;
class TextMarks;

// The severity icon and the message of each row with a problem, in the list's Setting cell.
class ProblemMarks : public QStyledItemDelegate {
    Q_OBJECT
public:
    struct Mark {
        ProblemCheck::Severity severity;
        QString message; // every problem of the row, one a line
    };
    using QStyledItemDelegate::QStyledItemDelegate;

    void setMarks(QHash<int, Mark> marks) { m_marks = std::move(marks); }
    // A marked row's tool tip, when it says more than the mark's message.
    void setTip(std::function<QString(int row)> tip) { m_tip = std::move(tip); }
    // Nothing for a row without a problem; rows are 0-based.
    const Mark* markOf(int row) const;

    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;

private:
    QHash<int, Mark> m_marks;
    std::function<QString(int row)> m_tip;
};

// fraProblems: the problems of the open document, checked again after every change, shown in
// lvProblems, as marks in both views and as counts for the status bar.
class ProblemsPane : public QObject {
    Q_OBJECT
public:
    struct Parts {
        QWidget* pane;
        QTreeView* problems;
        QTreeView* list;
        QPlainTextEdit* text;
        QLabel* none;     // the one line in the pane while there is no problem
        QSplitter* split; // between the document (first) and the pane
    };
    // Checks against the state's catalogue of every version and its chosen version, and shows
    // while the state says so; without a catalogue the pane says why instead of listing problems.
    ProblemsPane(const ConfigDocument& document, const EditingState& state, const Parts& parts,
                 QObject* parent = nullptr);

    const QList<ProblemCheck::Problem>& problems() const { return m_problems; }
    ProblemMarks& marks() { return *m_marks; }
    const TextMarks& textMarks() const { return *m_textMarks; }
    // The problems of a 1-based line, as last checked.
    QList<ProblemCheck::Problem> problemsOn(int line) const;
    // The lines the problems were found in.
    QStringList checkedLines() const { return m_checked ? m_checked->lines : QStringList(); }
    // Every problem of a line of the text view with its quick fixes; empty in the list view.
    QString messagesOnLine(int line) const;

    // How long typing must pause before the check runs again.
    static constexpr int PauseMs = 300;

public slots:
    void recheck();
    // Starts checking, on another thread, lines about to become the document's: the check their
    // arrival asks for then finds its answer ready or under way.
    void checkAhead(const QStringList& lines);
    void recheckSoon();
    // At once, if an edit's check is still waiting: before acting on the problems.
    void checkPending();
    // Until the next check: a new text has other lines.
    void dropUnderlines();
    // The pane shows only while a document is open.
    void showPane(bool shown);
    // A list row was clicked, or selected otherwise: its problem goes to the status bar, and a
    // row without one clears what an earlier row said there. A click checks first.
    void rowChosen(int row);
    void rowSelected(int row);

signals:
    void countsChanged(const QString& text);
    void message(const QString& text);

private:
    QStringList documentLines() const;
    QList<ProblemCheck::Problem> checkLines(const QStringList& lines);
    void fillList();
    void markRows();
    void markText();
    void goTo(const QModelIndex& index);
    // A mark's tool tip: the line's problems, then their fixes.
    QString tipOf(int line) const;
    void fitPane();
    bool eventFilter(QObject* watched, QEvent* event) override;

    const ConfigDocument& m_document;
    const EditingState& m_state;
    Parts m_parts;
    ProblemMarks* m_marks;
    ProblemTable* m_table;
    TextMarks* m_textMarks;
    QTimer m_pause;
    QList<ProblemCheck::Problem> m_problems;
    struct Ahead {
        QStringList lines;
        float version;
        std::future<QList<ProblemCheck::Problem>> problems;
    };
    std::optional<Ahead> m_ahead;
    // What the problems shown were found in.
    struct Checked {
        QStringList lines;
        float version;
    };
    std::optional<Checked> m_checked;
    QHash<int, QString> m_messagesByLine;
    bool m_wanted = false;
    // Once the user drags the pane's edge, its height is theirs.
    int m_rowHeight = 0; // of a row of the problems list
    bool m_sizedByUser = false;
};
