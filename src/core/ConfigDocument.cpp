#include "core/ConfigDocument.h"

#include "core/ConfigFile.h"
#include "core/ConfigText.h"
#include "core/Discard.h"
#include "core/EditHistory.h"
#include "core/LineDiff.h"
#include "core/Version.h"

#include <QTextBlock>
#include <QTextCursor>

#include <array>
#include <future>
#include <tuple>
#include <utility>

namespace {

// The text form keeps its lines as paragraphs.
using EditHistory::isLineBreak;

int textWidth(QChar c)
{
    return isLineBreak(c) ? 2 : 1;
}

const QString UntitledName = QStringLiteral("Untitled");

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

} // namespace

ConfigFile::LineEnds ConfigDocument::lineEndsOf(const QStringList& breaks)
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

namespace {

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
    explicit Quiet(ConfigDocument& document) : m_document(document)
    {
        m_document.m_history.beginQuiet();
    }
    ~Quiet() { m_document.m_history.endQuiet(); }
    Quiet(const Quiet&) = delete;
    Quiet& operator=(const Quiet&) = delete;

private:
    ConfigDocument& m_document;
};

ConfigDocument::Step::Step(ConfigDocument& document, QString name, int placeBefore)
    : m_document(document), m_name(std::move(name)), m_placeBefore(placeBefore)
{
    m_document.m_history.beginStep();
}

ConfigDocument::Step::~Step()
{
    m_document.m_history.endStep(m_name, m_placeBefore, m_placeAfter);
}

ConfigDocument::ConfigDocument(QObject* parent) : QObject(parent)
{
    const auto rowsEdited = [this] {
        m_textLines.reset();
        m_history.rowsEdited();
    };
    connect(&m_rows, &RowModel::rowsInserted, this, rowsEdited);
    connect(&m_rows, &RowModel::rowsRemoved, this, rowsEdited);
    connect(&m_rows, &RowModel::dataChanged, this, rowsEdited);
    connect(&m_rows, &RowModel::modelReset, this, rowsEdited);
    // The document tells where it changed only while a view lays it out; the history falls
    // back to comparing the whole text without it.
    connect(&m_text, &QTextDocument::contentsChange, this,
            [this](int position, int removed, int added) {
                m_history.textChanging(position, removed, added);
            });
    connect(&m_text, &QTextDocument::contentsChanged, this, [this] {
        m_textLines.reset();
        m_history.textEdited();
    });
    // One history: the text form keeps none of its own.
    m_text.setUndoRedoEnabled(false);
    connect(&m_history.stack(), &QUndoStack::cleanChanged, this, &ConfigDocument::updateChanged);
}

QString ConfigDocument::name() const
{
    return m_path.isEmpty() ? UntitledName : m_path;
}

QString ConfigDocument::caption() const
{
    return m_open ? ProductName + QStringLiteral(" [") + name() + u']' : ProductName;
}

void ConfigDocument::updateChanged()
{
    setChanged(!m_history.stack().isClean());
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
    // Dropped here, not on a worker: the lines before are mostly the rows' own or the text
    // form's, so dropping them frees little, and a worker would contend with the save's next
    // steps for the same strings and the allocator.
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
    m_history.clear();
    setOpen(true);
    emit changed({});
}

void ConfigDocument::load(const QString& path, const QString& fileText,
                          const ConfigFile::Format& format)
{
    // The document before, held until the new one stands, then freed on a worker.
    auto before = std::tuple{LineArray, m_baseLines, m_rows.rows()};
    setPath(path);
    setFormat(format);
    {
        const Quiet quiet(*this);
        // Open first: the conversions do nothing without a document.
        m_open = true;
        ReadFileLines(fileText);
        emit linesLoading(LineArray);
        // The rows are parsed on another thread while the text form takes the text.
        auto parsed = std::async(std::launch::async, [lines = LineArray] {
            QList<Row> rows = ConfigText::parseLines(lines);
            RowModel::KeyCounts counts = RowModel::countKeys(rows);
            return std::pair{std::move(rows), std::move(counts)};
        });
        setText(fileText);
        auto [rows, counts] = parsed.get();
        m_rows.resetRows(std::move(rows), std::move(counts));
    }
    QStringList breaks = ConfigText::ReadLineBreaks(fileText);
    m_break = ConfigText::commonestBreak(breaks);
    setBase(LineArray, std::move(breaks));
    ++m_baseGeneration;
    m_listFinalBreak = fileText.isEmpty() || fileText.back() == u'\n' || fileText.back() == u'\r';
    m_diskBytes.clear();
    m_history.clear();
    if (isTextView())
        m_textLines = LineArray;
    setOpen(true);
    emit changed({});
    discardOnWorker(std::move(before));
}

bool ConfigDocument::loadFile(const QString& path)
{
    const std::optional<QByteArray> bytes = ConfigFile::readWholeFile(path);
    if (!bytes || bytes->size() > ConfigFile::MaxFileBytes)
        return false;
    ConfigFile::Decoded decoded = ConfigFile::decode(*bytes);
    load(path, decoded.text, decoded.format);
    m_diskBytes = *bytes;
    return true;
}

void ConfigDocument::close()
{
    {
        const Quiet quiet(*this);
        setText(QString());
        m_rows.clear();
    }
    m_diskBytes.clear();
    setBase({}, {});
    ++m_baseGeneration;
    m_history.clear();
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
    m_diskBytes = *encoded.bytes;
    setPath(path);
    // The written lines are the file's now, with the breaks they were written with.
    m_break = ConfigText::commonestBreak(breaks);
    ConfigFile::Format format = m_format;
    format.lineEnds = lineEndsOf(breaks);
    setBase(std::move(written), std::move(breaks));
    ++m_baseGeneration;
    setFormat(format);
    m_history.stack().setClean();
    updateChanged();
    return {};
}

void ConfigDocument::convertLineEnds(ConfigFile::LineEnds ends)
{
    if (!m_open || m_format.lineEnds == ends)
        return;
    m_history.pushLineEnds(ends);
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
    m_history.viewSwitched();
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
    if (m_textLines)
        return *m_textLines;
    QStringList split = EditHistory::splitLines(rawText());
    // The empty line after a final break is where the next line would start.
    if (split.constLast().isEmpty())
        split.removeLast();
    m_textLines = fromRawForm(std::move(split));
    return *m_textLines;
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
