#pragma once

#include "core/ProblemCheck.h"

#include <QHash>
#include <QPixmap>
#include <QWidget>

#include <array>
#include <utility>

class QPlainTextEdit;
class QTextBlock;
class QTextDocument;

// The wavy underlines under the setting of each line with a problem in the text view, painted
// over its viewport for the lines in sight only. Extra selections would hold a cursor per mark,
// moved at every key stroke, and lay out every line when set.
class TextMarks : public QWidget {
    Q_OBJECT
public:
    explicit TextMarks(QPlainTextEdit* text);

    // By 1-based line, the worst severity on it; none clears them.
    void setMarks(QHash<int, ProblemCheck::Severity> marks);
    const QHash<int, ProblemCheck::Severity>& marks() const { return m_marks; }

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void followLines(int position);
    void watchDocument();
    const QPixmap& waveTile(ProblemCheck::Severity severity);
    std::pair<double, int> nameExtent(const QTextBlock& block);

    QPlainTextEdit* m_text;
    QTextDocument* m_watched = nullptr;
    int m_blockCount = 0;
    QHash<int, ProblemCheck::Severity> m_marks;
    std::array<QPixmap, 2> m_tiles;                   // error, warning
    QHash<QString, std::pair<double, int>> m_extents; // by the line up to its name's end
};
