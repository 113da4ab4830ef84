#include "core/DocumentHistory.h"

#include "core/ConfigDocument.h"
#include "core/ConfigText.h"
#include "core/EditHistory.h"

#include <QTextBlock>
#include <QTextDocument>

#include <algorithm>
#include <utility>
#include <variant>

namespace {

const QString TypingName = QStringLiteral("Typing");
const QString EditName = QStringLiteral("Edit");
const QString LineEndsName = QStringLiteral("Line Ends");

} // namespace

// One step: the part of the form that changed, put back in whichever form shows.
class DocumentHistory::Change : public QUndoCommand {
public:
    Change(ConfigDocument& document, const QString& name, EditHistory::RowChange change,
           int placeBefore, int placeAfter)
        : QUndoCommand(name), m_document(document), m_change(std::move(change)),
          m_placeBefore(placeBefore), m_placeAfter(placeAfter)
    {}
    Change(ConfigDocument& document, const QString& name, EditHistory::LineChange change,
           int viewSwitches)
        : QUndoCommand(name), m_document(document), m_change(std::move(change)),
          m_typing(name == TypingName), m_views(viewSwitches)
    {}

    int id() const override { return m_typing ? 1 : -1; }
    bool mergeWith(const QUndoCommand* other) override
    {
        const auto* later = static_cast<const Change*>(other);
        if (later->m_views != m_views)
            return false;
        auto* lines = std::get_if<EditHistory::LineChange>(&m_change);
        const auto* laterLines = std::get_if<EditHistory::LineChange>(&later->m_change);
        return lines && laterLines && EditHistory::mergeLines(*lines, *laterLines);
    }
    void undo() override { apply(false); }
    void redo() override
    {
        // The change is in the document already when the step is recorded.
        if (m_done)
            apply(true);
        m_done = true;
    }

private:
    void apply(bool forward)
    {
        ConfigDocument& document = m_document;
        int place = 0;
        ConfigDocument::Extent extent;
        if (const auto* rows = std::get_if<EditHistory::RowChange>(&m_change)) {
            const QList<Row>& from = forward ? rows->before : rows->after;
            const QList<Row>& to = forward ? rows->after : rows->before;
            extent = {rows->first, int(from.size()), int(to.size())};
            document.applyRows(rows->first, static_cast<int>(from.size()), to);
            const int wanted = forward ? m_placeAfter : m_placeBefore;
            place = wanted >= 0 ? wanted : rows->first;
            if (document.isTextView())
                place = document.textLineStart(place);
        } else {
            const auto& lines = std::get<EditHistory::LineChange>(m_change);
            const QStringList& from = forward ? lines.before : lines.after;
            const QStringList& to = forward ? lines.after : lines.before;
            extent = {lines.first, int(from.size()), int(to.size())};
            document.applyLines(lines.first, static_cast<int>(from.size()), to);
            place = lines.first;
            if (document.isTextView())
                place = document.textLineStart(lines.first) +
                        (forward ? lines.caretAfter : lines.caretBefore);
        }
        if (!document.isTextView())
            place = std::min(place, document.rows().count() - 1);
        emit document.changed(extent);
        emit document.changeShown(place);
    }

    ConfigDocument& m_document;
    std::variant<EditHistory::RowChange, EditHistory::LineChange> m_change;
    int m_placeBefore = -1;
    int m_placeAfter = -1;
    bool m_typing = false;
    int m_views = 0; // the view switches made before the step
    bool m_done = false;
};

// A conversion of every line's break. Undone after a save, which made the written breaks the
// file's own, it converts them back to the break they all had before.
class DocumentHistory::BreaksChange : public QUndoCommand {
public:
    BreaksChange(ConfigDocument& document, ConfigFile::LineEnds ends)
        : QUndoCommand(LineEndsName), m_document(document), m_ends(ends),
          m_breakAfter(ends == ConfigFile::LineEnds::Lf ? QStringLiteral("\n")
                                                        : ConfigText::LineBreak),
          m_endsBefore(document.m_format.lineEnds), m_breaksBefore(document.m_baseBreaks),
          m_breakBefore(document.m_break), m_generation(document.m_baseGeneration)
    {}

    void redo() override
    {
        apply(QStringList(m_document.m_baseLines.size(), m_breakAfter), m_breakAfter, m_ends);
    }
    void undo() override
    {
        const bool sameBase = m_generation == m_document.m_baseGeneration;
        apply(sameBase ? m_breaksBefore : QStringList(m_document.m_baseLines.size(), m_breakBefore),
              m_breakBefore, sameBase ? m_endsBefore : ConfigDocument::lineEndsOf({m_breakBefore}));
    }

private:
    void apply(QStringList breaks, const QString& lineBreak, ConfigFile::LineEnds ends)
    {
        m_document.m_break = lineBreak;
        m_document.setBase(m_document.m_baseLines, std::move(breaks));
        ConfigFile::Format format = m_document.m_format;
        format.lineEnds = ends;
        m_document.setFormat(format);
        emit m_document.changed({});
    }

    ConfigDocument& m_document;
    ConfigFile::LineEnds m_ends;
    QString m_breakAfter;
    ConfigFile::LineEnds m_endsBefore;
    QStringList m_breaksBefore;
    QString m_breakBefore;
    int m_generation;
};

DocumentHistory::DocumentHistory(ConfigDocument& document) : m_document(document)
{
    m_stack.setUndoLimit(Limit);
}

void DocumentHistory::endStep(const QString& name, int placeBefore, int placeAfter)
{
    if (--m_steps == 0)
        record(name, placeBefore, placeAfter);
}

void DocumentHistory::endQuiet()
{
    if (--m_quiet == 0)
        takeSnapshots();
}

void DocumentHistory::rowsEdited()
{
    if (m_quiet > 0)
        return;
    m_rowsEdited = true;
    if (m_steps == 0)
        record(EditName, -1, -1);
}

void DocumentHistory::textEdited()
{
    if (m_quiet > 0) {
        m_textShotStale = true;
        return;
    }
    m_textEdited = true;
    if (m_steps == 0)
        record(TypingName, -1, -1);
}

void DocumentHistory::record(const QString& name, int placeBefore, int placeAfter)
{
    QList<QUndoCommand*> changes;
    ConfigDocument::Extent extent;
    if (m_rowsEdited) {
        if (auto change = EditHistory::rowChange(m_rowsShot, m_document.rows().rows())) {
            extent = {change->first, int(change->before.size()), int(change->after.size())};
            changes.append(
                new Change(m_document, name, std::move(*change), placeBefore, placeAfter));
        }
    }
    if (m_textEdited) {
        if (auto change = takeTextChange()) {
            extent = {change->first, int(change->before.size()), int(change->after.size())};
            changes.append(new Change(m_document, name, std::move(*change), m_viewSwitches));
        }
        m_textEdited = false;
    }
    if (m_rowsEdited) {
        m_rowsShot = m_document.rows().rows();
        m_rowsEdited = false;
    }
    if (changes.size() > 1)
        m_stack.beginMacro(name);
    for (QUndoCommand* change : changes)
        m_stack.push(change);
    if (changes.size() > 1) {
        m_stack.endMacro();
        extent = {};
    }
    m_document.updateChanged();
    if (!changes.isEmpty())
        emit m_document.changed(extent);
}

void DocumentHistory::textChanging(int position, int removed, int added)
{
    if (m_quiet > 0)
        return;
    const qsizetype from = position;
    const qsizetype to = from + removed; // in the text as it was before this change
    if (!m_window) {
        m_window = Window{from, to, from + added};
        return;
    }
    // Both parts as one: what lies beyond them is alike in the shot and the text.
    Window& window = *m_window;
    const qsizetype end = std::max(window.endAfter, to);
    window.endBefore = end + (window.endBefore - window.endAfter);
    window.endAfter = end + (added - removed);
    window.start = std::min(window.start, from);
}

// The lines the text changed in since m_textShot, which is brought up to date.
std::optional<EditHistory::LineChange> DocumentHistory::takeTextChange()
{
    const std::optional<Window> told = std::exchange(m_window, std::nullopt);
    QTextDocument& text = m_document.m_text;
    const qsizetype length = text.characterCount() - 1; // the last break is no character
    const qsizetype shotLength = m_textShot.size();
    // The document's final break may be counted in; anything else out of step (a change made
    // while it was telling of another) falls back to comparing the whole text.
    if (!told || told->start > shotLength || told->start > length ||
        shotLength - std::min(told->endBefore, shotLength) !=
            length - std::min(told->endAfter, length)) {
        QString raw = m_document.rawText();
        auto change = EditHistory::lineChange(m_textShot, raw);
        m_textShot = std::move(raw);
        return change;
    }
    const QStringView shot(m_textShot);
    qsizetype lineStart = told->start;
    while (lineStart > 0 && !EditHistory::isLineBreak(shot[lineStart - 1]))
        --lineStart;
    qsizetype lineEndBefore = std::min(told->endBefore, shotLength);
    const qsizetype endAfter = std::min(told->endAfter, length);
    const qsizetype rest = [&] {
        qsizetype end = lineEndBefore;
        while (end < shotLength && !EditHistory::isLineBreak(shot[end]))
            ++end;
        return end - lineEndBefore;
    }();
    // Whole lines, so their blocks' texts joined as the raw text joins them; a cursor would lay
    // each line out to find where its caret would stand.
    QString after;
    const QTextBlock last = text.findBlock(static_cast<int>(endAfter + rest));
    for (QTextBlock block = text.findBlock(static_cast<int>(lineStart)); block.isValid();
         block = block.next()) {
        if (block.position() > lineStart)
            after += QChar::ParagraphSeparator;
        after += block.text();
        if (block == last)
            break;
    }
    lineEndBefore += rest;
    auto change = EditHistory::lineChange(shot.sliced(lineStart, lineEndBefore - lineStart), after);
    if (change)
        change->first += text.findBlock(static_cast<int>(lineStart)).blockNumber();
    m_textShot.replace(lineStart, lineEndBefore - lineStart, after);
    return change;
}

void DocumentHistory::takeSnapshots()
{
    m_window.reset();
    m_rowsShot = m_document.rows().rows();
    if (m_textShotStale || m_textEdited)
        m_textShot = m_document.rawText();
    m_textShotStale = false;
    m_rowsEdited = false;
    m_textEdited = false;
}

void DocumentHistory::clear()
{
    m_stack.clear();
    m_document.updateChanged();
}

void DocumentHistory::pushLineEnds(ConfigFile::LineEnds ends)
{
    m_stack.push(new BreaksChange(m_document, ends));
}
