#pragma once

#include <QObject>
#include <functional>

class EditingState;
class QPlainTextEdit;
class QPoint;

// The text view's one tool tip: a marked line's problems first, then, over a setting's name,
// what the chosen version's catalogue says of it.
class TextHover : public QObject {
    Q_OBJECT
public:
    using ProblemText = std::function<QString(int line)>; // 1-based; empty: none
    TextHover(QPlainTextEdit* text, const EditingState& state, ProblemText problems);

    // What resting the mouse at `point` of the viewport shows; empty for nothing.
    QString textAt(const QPoint& point) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QString settingAt(const QPoint& point, int* line) const;

    QPlainTextEdit* m_text;
    const EditingState& m_state;
    ProblemText m_problems;
};
