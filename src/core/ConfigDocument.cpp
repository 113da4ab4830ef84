#include "core/ConfigDocument.h"

#include "core/ConfigFile.h"
#include "core/ConfigText.h"
#include "core/EditHistory.h"
#include "core/LineDiff.h"
#include "core/Version.h"

#include <QTextBlock>
#include <QTextCursor>

#include <array>
#include <variant>

namespace {

// The text form keeps its lines as paragraphs.
using EditHistory::isLineBreak;

int textWidth(QChar c)
{
    return isLineBreak(c) ? 2 : 1;
}

const QString UntitledName = QStringLiteral("Untitled");
const QString LineEndsName = QStringLiteral("Line Ends");

// The text form takes U+2029 for its line breaks and U+FDD0 and U+FDD1 for its own frame marks,
// so none of them could stand in a line there. In the text form they become lone low surrogates,
// which no decoded file holds, and come back whenever lines leave it.
constexpr std::array<std::pair<char16_t, char16_t>, 3> RawStandIns{
    {{0x2029, 0xDFFD}, {0xFDD0, 0xDFFE}, {0xFDD1, 0xDFFF}}};

QString toRawForm(QString text)
{
    for (QChar& c : text) {
        for (const auto& [character, standIn] : RawStandIns) {
            if (c.unicode() == character)
                c = QChar(standIn);
        }
    }
    return text;
}

QString fromRawForm(QString text)
{
    for (QChar& c : text) {
        if (c.isLowSurrogate()) {
            for (const auto& [character, standIn] : RawStandIns) {
                if (c.unicode() == standIn)
                    c = QChar(character);
            }
        }
    }
    return text;
}

QStringList fromRawForm(QStringList lines)
{
    for (QString& line : lines)
        line = fromRawForm(std::move(line));
    return lines;
}

QStringList toRawForm(QStringList lines)
{
    for (QString& line : lines)
        line = toRawForm(std::move(line));
    return lines;
}

QString joinLines(const QStringList& lines, const QStringList& breaks)
{
    qsizetype size = 0;
    for (qsizetype i = 0; i < lines.size(); ++i)
        size += lines[i].size() + breaks[i].size();
    QString text;
    text.reserve(size);
    for (qsizetype i = 0; i < lines.size(); ++i)
        text.append(lines[i]).append(breaks[i]);
    return text;
}

ConfigFile::LineEnds lineEndsOf(const QStringList& breaks)
{
    QString seen;
    for (const QString& each : breaks) {
        if (each.isEmpty() || each == seen)
            continue;
        if (!seen.isEmpty())
            return ConfigFile::LineEnds::Mixed;
        seen = each;
    }
    if (seen.isEmpty())
        return ConfigFile::LineEnds::None;
    return seen.size() == 2 ? ConfigFile::LineEnds::CrLf
           : seen == u"\n"  ? ConfigFile::LineEnds::Lf
                            : ConfigFile::LineEnds::Cr;
}

const QString TypingName = QStringLiteral("Typing");
const QString EditName = QStringLiteral("Edit");

// Where line starts in raw text; past the last line, its end.
int lineStartIn(const QString& raw, int line)
{
    if (line <= 0)
        return 0;
    for (qsizetype i = 0; i < raw.size(); ++i) {
        if (isLineBreak(raw[i]) && --line == 0)
            return static_cast<int>(i + 1);
    }
    return static_cast<int>(raw.size());
}

} // namespace

// Changes made while one is alive are the program's own, not the user's edits: the history
// takes the forms as they are afterwards as its new starting point.
class ConfigDocument::Quiet {
public:
    explicit Quiet(ConfigDocument& document) : m_document(document) { ++m_document.m_quiet; }
    ~Quiet()
    {
        if (--m_document.m_quiet == 0)
            m_document.takeSnapshots();
    }
    Quiet(const Quiet&) = delete;
    Quiet& operator=(const Quiet&) = delete;

private:
    ConfigDocument& m_document;
};

// One step of the history: the part of the form that changed, put back in whichever form shows.
class ConfigDocument::Change : public QUndoCommand {
public:
    Change(ConfigDocument& document, const QString& name, EditHistory::RowChange change,
           int placeBefore, int placeAfter)
        : QUndoCommand(name), m_document(document), m_change(std::move(change)),
          m_placeBefore(placeBefore), m_placeAfter(placeAfter)
    {}
    Change(ConfigDocument& document, const QString& name, EditHistory::LineChange change)
        : QUndoCommand(name), m_document(document), m_change(std::move(change)),
          m_typing(name == TypingName), m_views(document.m_viewSwitches)
    {}

    int id() const override { return m_typing ? 1 : -1; }
    bool mergeWith(const QUndoCommand* other) override
    {
        const auto* later = static_cast<const Change*>(other);
        // A run of typing ends where the user switched views.
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
        int place = 0;
        ConfigDocument::Extent extent;
        if (const auto* rows = std::get_if<EditHistory::RowChange>(&m_change)) {
            const QList<Row>& from = forward ? rows->before : rows->after;
            const QList<Row>& to = forward ? rows->after : rows->before;
            extent = {rows->first, int(from.size()), int(to.size())};
            m_document.applyRows(rows->first, static_cast<int>(from.size()), to);
            const int wanted = forward ? m_placeAfter : m_placeBefore;
            place = wanted >= 0 ? wanted : rows->first;
            if (m_document.isTextView())
                place = m_document.textLineStart(place);
        } else {
            const auto& lines = std::get<EditHistory::LineChange>(m_change);
            const QStringList& from = forward ? lines.before : lines.after;
            const QStringList& to = forward ? lines.after : lines.before;
            extent = {lines.first, int(from.size()), int(to.size())};
            m_document.applyLines(lines.first, static_cast<int>(from.size()), to);
            place = lines.first;
            if (m_document.isTextView())
                place = m_document.textLineStart(lines.first) +
                        (forward ? lines.caretAfter : lines.caretBefore);
        }
        if (!m_document.isTextView())
            place = std::min(place, m_document.m_rows.count() - 1);
        emit m_document.changed(extent);
        emit m_document.changeShown(place);
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
class ConfigDocument::BreaksChange : public QUndoCommand {
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
              m_breakBefore, sameBase ? m_endsBefore : lineEndsOf({m_breakBefore}));
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

ConfigDocument::Step::Step(ConfigDocument& document, QString name, int placeBefore)
    : m_document(document), m_name(std::move(name)), m_placeBefore(placeBefore)
{
    ++m_document.m_steps;
}

ConfigDocument::Step::~Step()
{
    if (--m_document.m_steps == 0)
        m_document.record(m_name, m_placeBefore, m_placeAfter);
}

ConfigDocument::ConfigDocument(QObject* parent) : QObject(parent)
{
    connect(&m_rows, &RowModel::rowsInserted, this, &ConfigDocument::rowsEdited);
    connect(&m_rows, &RowModel::rowsRemoved, this, &ConfigDocument::rowsEdited);
    connect(&m_rows, &RowModel::dataChanged, this, &ConfigDocument::rowsEdited);
    connect(&m_rows, &RowModel::modelReset, this, &ConfigDocument::rowsEdited);
    // Not contentsChange: that one waits for a layout and also comes when a view lays it out.
    connect(&m_text, &QTextDocument::contentsChanged, this, &ConfigDocument::textEdited);
    // One history: the text form keeps none of its own.
    m_text.setUndoRedoEnabled(false);
    m_history.setUndoLimit(HistoryLimit);
    connect(&m_history, &QUndoStack::cleanChanged, this, &ConfigDocument::updateChanged);
}

QString ConfigDocument::name() const
{
    return m_path.isEmpty() ? UntitledName : m_path;
}

QString ConfigDocument::caption() const
{
    return m_open ? ProductName + QStringLiteral(" [") + name() + u']' : ProductName;
}

void ConfigDocument::rowsEdited()
{
    if (m_quiet > 0)
        return;
    m_rowsEdited = true;
    if (m_steps == 0)
        record(EditName, -1, -1);
}

void ConfigDocument::textEdited()
{
    if (m_quiet > 0) {
        m_textShotStale = true;
        return;
    }
    m_textEdited = true;
    if (m_steps == 0)
        record(TypingName, -1, -1);
}

void ConfigDocument::record(const QString& name, int placeBefore, int placeAfter)
{
    QList<QUndoCommand*> changes;
    Extent extent;
    if (m_rowsEdited) {
        if (auto change = EditHistory::rowChange(m_rowsShot, m_rows.rows())) {
            extent = {change->first, int(change->before.size()), int(change->after.size())};
            changes.append(new Change(*this, name, std::move(*change), placeBefore, placeAfter));
        }
    }
    if (m_textEdited) {
        QString raw = rawText();
        if (auto change = EditHistory::lineChange(m_textShot, raw)) {
            extent = {change->first, int(change->before.size()), int(change->after.size())};
            changes.append(new Change(*this, name, std::move(*change)));
        }
        m_textShot = std::move(raw);
        m_textEdited = false;
    }
    if (m_rowsEdited) {
        m_rowsShot = m_rows.rows();
        m_rowsEdited = false;
    }
    if (changes.size() > 1)
        m_history.beginMacro(name);
    for (QUndoCommand* change : changes)
        m_history.push(change);
    if (changes.size() > 1)
        m_history.endMacro();
    updateChanged();
    if (changes.size() > 1)
        extent = {};
    if (!changes.isEmpty())
        emit changed(extent);
}

void ConfigDocument::takeSnapshots()
{
    m_rowsShot = m_rows.rows();
    if (m_textShotStale || m_textEdited)
        m_textShot = rawText();
    m_textShotStale = false;
    m_rowsEdited = false;
    m_textEdited = false;
}

void ConfigDocument::clearHistory()
{
    m_history.clear();
    updateChanged();
}

void ConfigDocument::updateChanged()
{
    setChanged(!m_history.isClean());
}

void ConfigDocument::applyRows(int first, int count, const QList<Row>& rows)
{
    if (isTextView()) {
        applyLines(first, count, toRawForm(ConfigText::linesOf(rows)));
        return;
    }
    const Quiet quiet(*this);
    m_rows.replaceRows(first, count, rows);
}

void ConfigDocument::applyLines(int first, int count, const QStringList& lines)
{
    const Quiet quiet(*this);
    if (!isTextView()) {
        // The change was made to the text form's lines, where an empty line after the final
        // break is where the next line would start, not a row: replay it on those lines.
        QStringList textLines = ConfigText::linesOf(m_rows.rows());
        if (m_listFinalBreak)
            textLines.append(QString());
        first = qBound(0, first, int(textLines.size()));
        count = qBound(0, count, int(textLines.size()) - first);
        textLines.remove(first, count);
        for (qsizetype i = 0; i < lines.size(); ++i)
            textLines.insert(first + i, fromRawForm(lines[i]));
        m_listFinalBreak = textLines.isEmpty() || textLines.constLast().isEmpty();
        if (!textLines.isEmpty() && textLines.constLast().isEmpty())
            textLines.removeLast();
        const QList<Row> rows = ConfigText::parseLines(textLines);
        if (const auto change = EditHistory::rowChange(m_rows.rows(), rows))
            m_rows.replaceRows(change->first, int(change->before.size()), change->after);
        return;
    }
    const QString raw = rawText();
    const int lineCount = static_cast<int>(std::count_if(raw.begin(), raw.end(), isLineBreak)) + 1;
    first = qBound(0, first, lineCount);
    count = qBound(0, count, lineCount - first);
    const auto lineStart = [&raw](int line) { return lineStartIn(raw, line); };
    // Line n ends where line n + 1 starts, less its break.
    const auto lineEnd = [&raw, &lineStart, lineCount](int line) {
        return line + 1 < lineCount ? lineStart(line + 1) - 1 : static_cast<int>(raw.size());
    };
    QString inserted = lines.join(u'\n');
    int from = 0;
    int to = 0;
    if (count > 0) {
        from = lineStart(first);
        to = lineEnd(first + count - 1);
        if (lines.isEmpty()) {
            // The lines go with one line break.
            if (first + count < lineCount)
                to = lineStart(first + count);
            else if (first > 0)
                from = lineEnd(first - 1);
        }
    } else if (lines.isEmpty()) {
        return;
    } else if (first < lineCount) {
        from = to = lineStart(first);
        inserted.append(u'\n');
    } else {
        from = to = static_cast<int>(raw.size());
        inserted.prepend(u'\n');
    }
    QTextCursor cursor(&m_text);
    cursor.setPosition(from);
    cursor.setPosition(to, QTextCursor::KeepAnchor);
    cursor.insertText(inserted);
}

// The cursor position where line starts in the text form; past the last line, its end.
int ConfigDocument::textLineStart(int line) const
{
    return lineStartIn(rawText(), line);
}

// Announced even when it stays the same: a new document replaces the open one.
void ConfigDocument::setOpen(bool open)
{
    m_open = open;
    emit openChanged(open);
}

void ConfigDocument::setChanged(bool changed)
{
    if (m_changed == changed)
        return;
    m_changed = changed;
    emit changedChanged(changed);
}

void ConfigDocument::setPath(const QString& path)
{
    if (m_path == path)
        return;
    m_path = path;
    emit pathChanged(path);
}

void ConfigDocument::setFormat(const ConfigFile::Format& format)
{
    if (m_format == format)
        return;
    m_format = format;
    emit formatChanged(format);
}

void ConfigDocument::setBase(QStringList lines, QStringList breaks)
{
    m_baseLines = std::move(lines);
    m_baseBreaks = std::move(breaks);
    m_baseUniform =
        std::all_of(m_baseBreaks.cbegin(), m_baseBreaks.cend(),
                    [this](const QString& each) { return each.isEmpty() || each == m_break; });
}

void ConfigDocument::newDocument()
{
    {
        const Quiet quiet(*this);
        setText(QString());
        m_rows.resetRows({Row{QStringLiteral("K1"), QString(), QString()}});
        LinesFromRows();
    }
    m_break = ConfigText::LineBreak;
    setBase({}, {});
    ++m_baseGeneration;
    m_listFinalBreak = true;
    setPath(QString());
    setFormat({});
    clearHistory();
    setOpen(true);
    emit changed({});
}

void ConfigDocument::load(const QString& path, const QString& fileText,
                          const ConfigFile::Format& format)
{
    setPath(path);
    setFormat(format);
    {
        const Quiet quiet(*this);
        // Open first: the conversions do nothing without a document.
        m_open = true;
        setText(fileText);
        ReadFileLines(fileText);
        RowsFromLines();
    }
    QStringList breaks = ConfigText::ReadLineBreaks(fileText);
    m_break = ConfigText::commonestBreak(breaks);
    setBase(LineArray, std::move(breaks));
    ++m_baseGeneration;
    m_listFinalBreak = fileText.isEmpty() || fileText.back() == u'\n' || fileText.back() == u'\r';
    clearHistory();
    setOpen(true);
    emit changed({});
}

bool ConfigDocument::loadFile(const QString& path)
{
    const std::optional<QByteArray> bytes = ConfigFile::readWholeFile(path);
    if (!bytes || bytes->size() > ConfigFile::MaxFileBytes)
        return false;
    ConfigFile::Decoded decoded = ConfigFile::decode(*bytes);
    load(path, decoded.text, decoded.format);
    return true;
}

void ConfigDocument::close()
{
    {
        const Quiet quiet(*this);
        setText(QString());
        m_rows.clear();
    }
    setBase({}, {});
    ++m_baseGeneration;
    clearHistory();
    setOpen(false);
    setPath(QString());
    setFormat({});
    emit changed({});
}

ConfigFile::Encoded ConfigDocument::bytesToWrite() const
{
    return ConfigFile::encode(textToWrite(), m_format);
}

QString ConfigDocument::saveAs(const QString& path)
{
    QStringList written = lines();
    QStringList breaks = breaksFor(written);
    const ConfigFile::Encoded encoded = ConfigFile::encode(joinLines(written, breaks), m_format);
    if (!encoded.bytes)
        return encoded.error;
    if (QString refusal = ConfigFile::sizeRefusal(encoded.bytes->size()); !refusal.isEmpty())
        return refusal;
    if (const QString failure = ConfigFile::writeWholeFile(path, *encoded.bytes);
        !failure.isEmpty())
        return QStringLiteral("Could not save %1: %2").arg(path, failure);
    setPath(path);
    // The written lines are the file's now, with the breaks they were written with.
    m_break = ConfigText::commonestBreak(breaks);
    ConfigFile::Format format = m_format;
    format.lineEnds = lineEndsOf(breaks);
    setBase(std::move(written), std::move(breaks));
    ++m_baseGeneration;
    setFormat(format);
    m_history.setClean();
    updateChanged();
    return {};
}

void ConfigDocument::convertLineEnds(ConfigFile::LineEnds ends)
{
    if (!m_open || m_format.lineEnds == ends)
        return;
    m_history.push(new BreaksChange(*this, ends));
}

int ConfigDocument::lineCount() const
{
    if (!m_open)
        return 0;
    if (!isTextView())
        return m_rows.count();
    // The empty block after a final break is where the next line would start.
    const int blocks = m_text.blockCount();
    return m_text.lastBlock().length() <= 1 ? blocks - 1 : blocks;
}

void ConfigDocument::setView(View view)
{
    if (m_view == view)
        return;
    m_view = view;
    ++m_viewSwitches;
    emit viewChanged(view);
}

void ConfigDocument::showText()
{
    LinesFromRows();
    // Rows keep the lines they were read from, so this changes the document only where it
    // stood otherwise in the hidden text form; setting the same text would be an edit.
    if (m_open) {
        const QString rendered = ConfigText::TextFromLines(LineArray);
        if (rendered != text()) {
            const Quiet quiet(*this);
            setText(rendered);
        }
    }
    setView(View::Text);
    emit changed({});
}

void ConfigDocument::showList()
{
    const QString raw = rawText();
    m_listFinalBreak = raw.isEmpty() || isLineBreak(raw.back());
    LinesFromText();
    {
        const Quiet quiet(*this);
        RowsFromLines();
    }
    setView(View::List);
    emit changed({});
}

QString ConfigDocument::textToWrite() const
{
    const QStringList written = lines();
    return joinLines(written, breaksFor(written));
}

QStringList ConfigDocument::lines() const
{
    if (!m_open)
        return {};
    if (!isTextView())
        return ConfigText::linesOf(m_rows.rows());
    QStringList split = EditHistory::splitLines(rawText());
    // The empty line after a final break is where the next line would start.
    if (split.constLast().isEmpty())
        split.removeLast();
    return fromRawForm(std::move(split));
}

// Lines still as they were loaded or saved keep their own break; a last line that had none, and
// every line the user wrote, get the commonest one.
QStringList ConfigDocument::breaksFor(const QStringList& lines) const
{
    if (m_baseUniform)
        return QStringList(lines.size(), m_break);
    QStringList breaks;
    breaks.reserve(lines.size());
    qsizetype base = 0;
    for (const LineDiff::Line& line : LineDiff::diff(m_baseLines, lines)) {
        switch (line.kind) {
        case LineDiff::Line::Kind::Same: {
            const QString& kept = m_baseBreaks.at(base++);
            breaks.append(kept.isEmpty() ? m_break : kept);
            break;
        }
        case LineDiff::Line::Kind::Removed:
            ++base;
            break;
        case LineDiff::Line::Kind::Added:
            breaks.append(m_break);
            break;
        }
    }
    // A CR before an empty line ended by LF would be read back as one CR LF, losing that line.
    for (qsizetype i = 0; i + 1 < lines.size(); ++i) {
        if (breaks[i] == u"\r" && lines[i + 1].isEmpty() && breaks[i + 1] == u"\n")
            breaks[i] = QStringLiteral("\r\n");
    }
    return breaks;
}

void ConfigDocument::ReadFileLines(const QString& fileText)
{
    LineArray = ConfigText::ReadFileLines(fileText);
}

void ConfigDocument::RowsFromLines()
{
    if (m_open)
        m_rows.resetRows(ConfigText::parseLines(LineArray));
}

void ConfigDocument::LinesFromRows()
{
    LineArray = ConfigText::linesOf(m_rows.rows());
}

void ConfigDocument::LinesFromText()
{
    LineArray = ConfigText::LinesFromText(text());
}

void ConfigDocument::TextFromLines()
{
    if (m_open)
        setText(ConfigText::TextFromLines(LineArray));
}

QString ConfigDocument::rawText() const
{
    // toPlainText() would turn U+00A0 into a space.
    return m_text.toRawText();
}

QString ConfigDocument::text() const
{
    const QString raw = rawText();
    QString result;
    result.reserve(raw.size() + m_text.blockCount());
    qsizetype lineStart = 0;
    for (qsizetype i = 0; i < raw.size(); ++i) {
        if (!isLineBreak(raw[i]))
            continue;
        result.append(QStringView(raw).sliced(lineStart, i - lineStart));
        result.append(ConfigText::LineBreak);
        lineStart = i + 1;
    }
    result.append(QStringView(raw).sliced(lineStart));
    return fromRawForm(std::move(result));
}

void ConfigDocument::setText(const QString& text)
{
    emit textAboutToBeReplaced();
    m_text.setPlainText(toRawForm(text));
    emit textReplaced();
}

int ConfigDocument::textPositionFromCursor(int cursorPosition) const
{
    const QString raw = rawText();
    const QStringView before = QStringView(raw).first(qBound(0, cursorPosition, int(raw.size())));
    qsizetype breaks = 0;
    for (const QChar c : before)
        breaks += isLineBreak(c);
    return static_cast<int>(before.size() + breaks);
}

// A position between the CR and the LF of a break gives the position of the break itself.
int ConfigDocument::cursorPositionFromText(int textPosition) const
{
    const QString raw = rawText();
    qsizetype counted = 0;
    for (qsizetype cursor = 0; cursor < raw.size(); ++cursor) {
        counted += textWidth(raw[cursor]);
        if (counted > textPosition)
            return static_cast<int>(cursor);
    }
    return static_cast<int>(raw.size());
}
