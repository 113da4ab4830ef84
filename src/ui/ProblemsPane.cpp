#include "ui/ProblemsPane.h"

#include "core/ConfigDocument.h"
#include "core/ConfigText.h"
#include "core/EditingState.h"
#include "core/QuickFixes.h"
#include "ui/ListSelection.h"
#include "ui/ProblemTable.h"
#include "ui/TextMarks.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QHeaderView>
#include <QHelpEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QStyle>
#include <QTextBlock>
#include <QToolTip>
#include <QTreeView>

#include <algorithm>
#include <tuple>
#include <utility>

namespace {

using ProblemCheck::Severity;

} // namespace

const ProblemMarks::Mark* ProblemMarks::markOf(int row) const
{
    const auto found = m_marks.constFind(row);
    return found == m_marks.cend() ? nullptr : &*found;
}

void ProblemMarks::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    if (const Mark* mark = markOf(index.row())) {
        option->icon = ProblemTable::severityIcon(mark->severity);
        option->features |= QStyleOptionViewItem::HasDecoration;
        const int side = QApplication::style()->pixelMetric(QStyle::PM_SmallIconSize);
        option->decorationSize = QSize(side, side);
    }
}

bool ProblemMarks::helpEvent(QHelpEvent* event, QAbstractItemView* view,
                             const QStyleOptionViewItem& option, const QModelIndex& index)
{
    if (event->type() == QEvent::ToolTip) {
        if (const Mark* mark = markOf(index.row())) {
            QToolTip::showText(event->globalPos(), m_tip ? m_tip(index.row()) : mark->message,
                               view);
            return true;
        }
    }
    return QStyledItemDelegate::helpEvent(event, view, option, index);
}

ProblemsPane::ProblemsPane(const ConfigDocument& document, const EditingState& state,
                           const Parts& parts, QObject* parent)
    : QObject(parent), m_document(document), m_state(state), m_parts(parts),
      m_marks(new ProblemMarks(parts.list)), m_table(new ProblemTable(this)),
      m_textMarks(new TextMarks(parts.text))
{
    m_parts.list->setItemDelegateForColumn(0, m_marks);
    m_marks->setTip([this](int row) { return tipOf(row + 1); });

    QTreeView* list = m_parts.problems;
    list->setModel(m_table);
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setAllColumnsShowFocus(true);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->header()->setStretchLastSection(true);
    list->setColumnWidth(ProblemTable::LineColumn, 70);
    list->setColumnWidth(ProblemTable::SettingColumn, 160);
    // Its height is fitPane's to give: a short document leaves it a line or two, and it scrolls.
    list->setMinimumHeight(list->fontMetrics().height());
    // Enter and a double-click both activate a row.
    connect(list, &QTreeView::activated, this, &ProblemsPane::goTo);

    m_parts.none->hide();
    connect(m_parts.split, &QSplitter::splitterMoved, this, [this] { m_sizedByUser = true; });
    m_parts.split->installEventFilter(this);

    m_pause.setSingleShot(true);
    m_pause.setInterval(PauseMs);
    connect(&m_pause, &QTimer::timeout, this, &ProblemsPane::recheck);

    connect(&m_state, &EditingState::versionChanged, this, &ProblemsPane::recheck);
    connect(&m_state, &EditingState::catalogueLoaded, this, [this] {
        m_checked.reset();
        recheck();
    });
    connect(&m_state, &EditingState::problemsShownChanged, this, &ProblemsPane::showPane);
    m_wanted = m_state.problemsShown();
}

void ProblemsPane::showPane(bool shown)
{
    m_wanted = shown;
    fitPane();
}

// As high as its problems need, one line when there is none, and never more than a quarter of
// the document's height: the document is what the user came to see.
void ProblemsPane::fitPane()
{
    const bool shown = m_wanted && m_document.DocumentOpen();
    m_parts.pane->setVisible(shown);
    const bool none = m_problems.isEmpty();
    m_parts.none->setText(m_state.isLoaded()
                              ? QStringLiteral("No problems")
                              : QStringLiteral("Problems not checked: ") + m_state.loadError());
    m_parts.none->setVisible(none);
    m_parts.problems->setVisible(!none);
    if (!shown || m_sizedByUser)
        return;
    QSplitter* split = m_parts.split;
    const QList<int> sizes = split->sizes();
    const int total = sizes.value(0) + sizes.value(1);
    if (sizes.size() != 2 || total <= 0)
        return;
    int wanted = m_parts.none->sizeHint().height();
    if (!none) {
        QTreeView* list = m_parts.problems;
        // Rows are alike: one is measured, once.
        if (m_rowHeight <= 0)
            m_rowHeight = list->sizeHintForRow(0);
        wanted = list->header()->sizeHint().height() + 2 * list->frameWidth() +
                 static_cast<int>(m_problems.size()) * std::max(1, m_rowHeight);
    }
    const int pane = std::min(wanted, total / 5);
    if (sizes.value(1) != pane)
        split->setSizes({total - pane, pane});
}

void ProblemsPane::recheckSoon()
{
    m_pause.start();
}

void ProblemsPane::checkPending()
{
    if (m_pause.isActive())
        recheck();
}

QList<ProblemCheck::Problem> ProblemsPane::problemsOn(int line) const
{
    QList<ProblemCheck::Problem> found;
    for (const ProblemCheck::Problem& problem : m_problems) {
        if (problem.line == line)
            found.append(problem);
    }
    return found;
}

QString ProblemsPane::tipOf(int line) const
{
    const QList<ProblemCheck::Problem> problems = problemsOn(line);
    if (problems.isEmpty())
        return {};
    return QuickFixes::tipFor(problems, checkedLines(), m_state.everyVersion(),
                              m_state.serverVersion());
}

QStringList ProblemsPane::documentLines() const
{
    return m_document.lines();
}

void ProblemsPane::checkAhead(const QStringList& lines)
{
    // A file read again as it was needs no check; its result would only be thrown away.
    if (!m_state.isLoaded() ||
        (m_checked && m_checked->version == m_state.serverVersion() && m_checked->lines == lines))
        return;
    // The copies share their data with the originals; the thread only reads them.
    const float version = m_state.serverVersion();
    m_ahead.emplace(
        Ahead{lines, version,
              std::async(std::launch::async, [lines, catalogue = m_state.everyVersion(), version] {
                  return ProblemCheck::check(lines, catalogue, version);
              })});
}

QList<ProblemCheck::Problem> ProblemsPane::checkLines(const QStringList& lines)
{
    std::optional<Ahead> ahead = std::exchange(m_ahead, std::nullopt);
    if (ahead && ahead->version == m_state.serverVersion() && ahead->lines == lines)
        return ahead->problems.get();
    return ProblemCheck::check(lines, m_state.everyVersion(), m_state.serverVersion());
}

void ProblemsPane::recheck()
{
    m_pause.stop();
    // A view switch, a save or a second signal of one load leaves the lines as they were.
    QStringList lines = documentLines();
    const float version = m_state.serverVersion();
    if (!m_checked || m_checked->version != version || m_checked->lines != lines) {
        // The check before, a string or more for every line, is freed once the window is idle
        // again. Not on a worker: there its frees would contend for the allocator's lock with
        // the very check that replaces it, which cost more than freeing it here.
        auto before = std::tuple{m_problems, std::exchange(m_checked, std::nullopt),
                                 std::exchange(m_messagesByLine, {})};
        m_problems = m_state.isLoaded() ? checkLines(lines) : QList<ProblemCheck::Problem>();
        m_checked = Checked{std::move(lines), version};
        m_messagesByLine.reserve(m_problems.size());
        for (const ProblemCheck::Problem& problem : std::as_const(m_problems)) {
            QString& messages = m_messagesByLine[problem.line];
            if (messages.isEmpty())
                messages = problem.message;
            else
                messages += u'\n' + problem.message;
        }
        fillList();
        QTimer::singleShot(0, this, [held = std::move(before)] {});
    }
    markRows();
    markText();
    fitPane();
    // A check that could not run finds nothing, which is no "No problems".
    QString counts;
    if (m_document.DocumentOpen())
        counts = m_state.isLoaded() ? ProblemCheck::summary(ProblemCheck::count(m_problems))
                                    : QStringLiteral("Problems not checked");
    emit countsChanged(counts);
}

void ProblemsPane::fillList()
{
    m_table->setProblems(m_problems);
}

void ProblemsPane::markRows()
{
    QHash<int, ProblemMarks::Mark> marks;
    if (!m_document.isTextView()) {
        for (const ProblemCheck::Problem& problem : std::as_const(m_problems)) {
            auto found = marks.find(problem.line - 1);
            if (found == marks.end())
                marks.insert(problem.line - 1,
                             {problem.severity, m_messagesByLine.value(problem.line)});
            else if (problem.severity == Severity::Error)
                found->severity = Severity::Error;
        }
    }
    m_marks->setMarks(std::move(marks));
    m_parts.list->viewport()->update();
}

void ProblemsPane::markText()
{
    QHash<int, Severity> worst; // by line
    if (m_document.isTextView()) {
        worst.reserve(m_problems.size());
        for (const ProblemCheck::Problem& problem : std::as_const(m_problems)) {
            auto found = worst.find(problem.line);
            if (found == worst.end())
                worst.insert(problem.line, problem.severity);
            else if (problem.severity == Severity::Error)
                *found = Severity::Error;
        }
    }
    m_textMarks->setMarks(std::move(worst));
}

void ProblemsPane::dropUnderlines()
{
    m_textMarks->setMarks({});
}

bool ProblemsPane::eventFilter(QObject* watched, QEvent* event)
{
    // Once the splitter has shared out its new height, which it does after this event.
    if (watched == m_parts.split && event->type() == QEvent::Resize) {
        QMetaObject::invokeMethod(this, &ProblemsPane::fitPane, Qt::QueuedConnection);
        return false;
    }
    return QObject::eventFilter(watched, event);
}

QString ProblemsPane::messagesOnLine(int line) const
{
    return m_document.isTextView() ? tipOf(line) : QString();
}

void ProblemsPane::goTo(const QModelIndex& index)
{
    if (!index.isValid())
        return;
    const int line = index.data(ProblemTable::LineRole).toInt();
    if (m_document.isTextView()) {
        QPlainTextEdit* text = m_parts.text;
        const QTextBlock block = text->document()->findBlockByNumber(line - 1);
        if (!block.isValid())
            return;
        text->setTextCursor(QTextCursor(block));
        text->ensureCursorVisible();
        text->setFocus(Qt::OtherFocusReason);
    } else {
        QTreeView* list = m_parts.list;
        selectRow(list, line - 1);
        list->scrollTo(list->model()->index(line - 1, 0));
        list->setFocus(Qt::OtherFocusReason);
    }
}

void ProblemsPane::rowChosen(int row)
{
    if (m_pause.isActive())
        recheck();
    rowSelected(row);
}

// No check here: an undo or a row command selects rows while the edit's check still waits.
void ProblemsPane::rowSelected(int row)
{
    // A row without problems clears what an earlier row said.
    emit message(QString(m_messagesByLine.value(row + 1)).replace(u'\n', u' '));
}
