#include "core/ConfigDocument.h"

#include "core/ConfigFile.h"
#include "core/ConfigText.h"

#include <QTextBlock>
#include <QTextCursor>

namespace {

// The text form keeps its lines as paragraphs; a line separator comes from Shift+Enter or a
// paste and counts as a line break too.
bool isLineBreak(QChar c)
{
    return c == QChar::ParagraphSeparator || c == QChar::LineSeparator;
}

int textWidth(QChar c)
{
    return isLineBreak(c) ? 2 : 1;
}

const QString UntitledName = QStringLiteral("Untitled");

} // namespace

// Changes made while one is alive are the program's own, not the user's edits.
class ConfigDocument::Quiet {
public:
    explicit Quiet(ConfigDocument& document) : m_document(document) { ++m_document.m_quiet; }
    ~Quiet() { --m_document.m_quiet; }
    Quiet(const Quiet&) = delete;
    Quiet& operator=(const Quiet&) = delete;

private:
    ConfigDocument& m_document;
};

ConfigDocument::ConfigDocument(QObject* parent) : QObject(parent)
{
    connect(&m_rows, &RowModel::rowsInserted, this, &ConfigDocument::edited);
    connect(&m_rows, &RowModel::rowsRemoved, this, &ConfigDocument::edited);
    connect(&m_rows, &RowModel::dataChanged, this, &ConfigDocument::edited);
    // Not contentsChange: that one waits for a layout and also comes when a view lays it out.
    connect(&m_text, &QTextDocument::contentsChanged, this, &ConfigDocument::edited);
}

QString ConfigDocument::name() const
{
    return m_path.isEmpty() ? UntitledName : m_path;
}

void ConfigDocument::edited()
{
    if (m_quiet == 0)
        setChanged(true);
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

void ConfigDocument::newDocument()
{
    {
        const Quiet quiet(*this);
        setText(QString());
        m_rows.resetRows({Row{QStringLiteral("K1"), QString(), QString()}});
        LinesFromRows();
    }
    setPath(QString());
    setFormat({});
    setChanged(false);
    setOpen(true);
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
    setChanged(false);
    setOpen(true);
}

bool ConfigDocument::loadFile(const QString& path)
{
    const std::optional<QByteArray> bytes = ConfigFile::readWholeFile(path);
    if (!bytes)
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
    setChanged(false);
    setOpen(false);
    setPath(QString());
    setFormat({});
}

ConfigFile::Encoded ConfigDocument::bytesToWrite() const
{
    return ConfigFile::encode(textToWrite(), m_format);
}

QString ConfigDocument::saveAs(const QString& path)
{
    const ConfigFile::Encoded encoded = bytesToWrite();
    if (!encoded.bytes)
        return encoded.error;
    if (QString refusal = ConfigFile::sizeRefusal(encoded.bytes->size()); !refusal.isEmpty())
        return refusal;
    if (const QString failure = ConfigFile::writeWholeFile(path, *encoded.bytes);
        !failure.isEmpty())
        return QStringLiteral("Could not save %1: %2").arg(path, failure);
    setPath(path);
    setChanged(false);
    return {};
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
    emit viewChanged(view);
}

void ConfigDocument::showText()
{
    LinesFromRows();
    // Setting the text it already holds would count as an edit.
    if (m_open) {
        const QString rendered = ConfigText::TextFromLines(LineArray);
        if (rendered != text())
            setText(rendered);
    }
    setView(View::Text);
}

void ConfigDocument::showList()
{
    LinesFromText();
    {
        const Quiet quiet(*this);
        RowsFromLines();
    }
    setView(View::List);
}

void ConfigDocument::refreshTextFromRows()
{
    const Quiet quiet(*this);
    LinesFromRows();
    TextFromLines();
}

QString ConfigDocument::textToWrite() const
{
    if (!isTextView())
        return ConfigText::renderFileText(m_rows.rows());
    // A last line gets its break; a text that has it already, or no line at all, gets none.
    QString written = text();
    if (!written.isEmpty() && written.back() != u'\n' && written.back() != u'\r')
        written += ConfigText::LineBreak;
    return written;
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
    LineArray = ConfigText::renderRows(m_rows.rows());
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
    return result;
}

void ConfigDocument::setText(const QString& text)
{
    // A new text is no step the user could undo.
    m_text.setUndoRedoEnabled(false);
    m_text.setPlainText(text);
    m_text.setUndoRedoEnabled(true);
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
