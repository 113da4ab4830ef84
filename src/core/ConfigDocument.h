#pragma once

#include "core/ConfigFile.h"
#include "core/ConfigText.h"
#include "core/DocumentHistory.h"
#include "core/RowModel.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTextDocument>
#include <QUndoStack>

#include <optional>

// The one owner of the configuration document: its rows (the list form), its text (the text
// form, which the text view displays), the lines of the last conversion between them, the form
// that shows, the file it came from, and whether it is open and changed. Only the form that
// shows is current; the conversions carry the document across. Every edit of either form is a
// step of one history, undone and redone in whichever form shows then. The changed flag follows
// the history: back at the state last loaded or saved, the document is unchanged. A line keeps
// its exact text and its break from the file until the user edits it.
class ConfigDocument : public QObject {
    Q_OBJECT
public:
    enum class View { List, Text };

    // What changed: lines of the form that shows (rows of the list), `removed` of them from
    // `first` on giving way to `added`; or, with first -1, possibly everything.
    struct Extent {
        int first = -1;
        int removed = 0;
        int added = 0;
        bool everything() const { return first < 0; }
    };

    // The steps kept; older ones are forgotten.
    static constexpr int HistoryLimit = DocumentHistory::Limit;

    // What the document undergoes while one is alive is one step, named for the command that
    // made it ("Delete", "Paste"). Outside any, a change of the text is "Typing", and a run of
    // typing is one step. Places are rows of the list, the one to select when the step is
    // undone and when it is redone; by default the first row the step changed.
    class Step {
    public:
        Step(ConfigDocument& document, QString name, int placeBefore = -1);
        ~Step();
        Step(const Step&) = delete;
        Step& operator=(const Step&) = delete;
        void setPlaceAfter(int row) { m_placeAfter = row; }

    private:
        ConfigDocument& m_document;
        QString m_name;
        int m_placeBefore;
        int m_placeAfter = -1;
    };

    explicit ConfigDocument(QObject* parent = nullptr);

    RowModel& rows() { return m_rows; }
    const RowModel& rows() const { return m_rows; }
    // The text form. A view displaying it must give it a plain-text layout first.
    QTextDocument& textDocument() { return m_text; }

    bool DocumentOpen() const { return m_open; }
    bool DocumentChanged() const { return m_changed; }
    View view() const { return m_view; }
    bool isTextView() const { return m_view == View::Text; }
    // The file's full path; empty while the document is untitled or none is open.
    const QString& path() const { return m_path; }
    bool isUntitled() const { return m_open && m_path.isEmpty(); }
    // The path, or "Untitled".
    QString name() const;
    // The window's caption: the product name, then the path or "Untitled" in brackets while a
    // document is open.
    QString caption() const;

    // Clean at the state last loaded or saved; emptied by New, load and close.
    const QUndoStack& history() const { return m_history.stack(); }
    QUndoStack& history() { return m_history.stack(); }
    void undo() { m_history.stack().undo(); }
    void redo() { m_history.stack().redo(); }

    // One empty row and an empty text, untitled and unchanged.
    void newDocument();
    // The text form holds the file as it is, the rows its parse.
    void load(const QString& path, const QString& fileText, const ConfigFile::Format& format = {});
    // Reads and loads a file; false when it cannot be read, and nothing changes then.
    bool loadFile(const QString& path);
    void close();
    // Writes the document to path; on success it is that file's, unchanged. Returns why it
    // failed, or an empty text; a failure leaves the file and the document as they were.
    QString saveAs(const QString& path);
    // The bytes the file held when this document last read or wrote it; empty when unknown.
    const QByteArray& diskBytes() const { return m_diskBytes; }
    // The file's bytes as a save would write them, or why they cannot be written.
    ConfigFile::Encoded bytesToWrite() const;

    // How the file was stored: a save writes the same encoding (and byte-order mark).
    const ConfigFile::Format& format() const { return m_format; }
    // The lines of the form that shows, as a save would write them.
    int lineCount() const;

    // Which form shows, without converting: for the view chosen before anything is loaded.
    void setView(View view);
    // The switches between the forms, converting the document across.
    void showText();
    void showList();
    // What a save writes: the lines of the form that shows, each ended by the break it had in
    // the file, or by lineBreak() when the file did not have it.
    QString textToWrite() const;
    // The lines of the form that shows, without their breaks.
    QStringList lines() const;
    // The break a line the user adds is written with: the file's commonest.
    const QString& lineBreak() const { return m_break; }
    // Converts every line's break, as one step. Only CR LF and LF are offered.
    void convertLineEnds(ConfigFile::LineEnds ends);

    // The text form with CR LF between its lines, every other character kept.
    QString text() const;
    // CR LF, a lone CR and a lone LF each start a new line of the text form; every other
    // character (U+2028 among them) is kept as it is.
    void setText(const QString& text);

    // text() counts two characters for each line break, a cursor of the text form one.
    int textPositionFromCursor(int cursorPosition) const;
    int cursorPositionFromText(int textPosition) const;

signals:
    // After every edit, undo and redo, New, load, close and view switch.
    void changed(ConfigDocument::Extent extent);
    // A file's lines, before they fill the forms: work on them may start at once.
    void linesLoading(const QStringList& lines);
    // After every New, load and close.
    void openChanged(bool open);
    void changedChanged(bool changed);
    void pathChanged(const QString& path);
    void viewChanged(ConfigDocument::View view);
    // The whole text form was replaced: a view's caret goes back to the start.
    void textReplaced();
    // Cursors kept on the text would each be moved along with every line of a new text.
    void textAboutToBeReplaced();
    void formatChanged(const ConfigFile::Format& format);
    // An undo or redo changed the document here: a row of the list, or a cursor position of the
    // text form, whichever shows.
    void changeShown(int place);

private:
    friend class DocumentHistory;
    class Quiet;

    void setOpen(bool open);
    void setChanged(bool changed);
    void setPath(const QString& path);
    void setFormat(const ConfigFile::Format& format);
    // The conversions through LineArray; line 1 of the document is index 0.
    void ReadFileLines(const QString& fileText);
    // Does nothing while no document is open.
    void RowsFromLines();
    void LinesFromRows();
    void LinesFromText();
    // Does nothing while no document is open.
    void TextFromLines();
    void updateChanged();
    static ConfigFile::LineEnds lineEndsOf(const QStringList& breaks);
    void applyRows(int first, int count, const QList<Row>& rows);
    void applyLines(int first, int count, const QStringList& lines);
    int textLineStart(int line) const;
    QString rawText() const;
    QStringList breaksFor(const QStringList& lines) const;
    void setBase(QStringList lines, QStringList breaks);

    RowModel m_rows;
    QTextDocument m_text;
    QStringList LineArray;
    View m_view = View::List;
    QString m_path;
    ConfigFile::Format m_format;
    bool m_open = false;
    bool m_changed = false;
    // The text form last ended with a line break: a change of its lines recorded then, undone in
    // the list, counts no empty line after that break as a row.
    bool m_listFinalBreak = true;
    // The text form's lines, until either form changes: a quick fix asks for them, then the
    // problem check; a load has them at hand. Split from the text once, not for every asker.
    mutable std::optional<QStringList> m_textLines;

    // The lines as last loaded or saved, each with the break it had (empty for a last line
    // without one): a line still among them is written with its own break.
    QStringList m_baseLines;
    QStringList m_baseBreaks;
    bool m_baseUniform = true; // every base break is m_break
    int m_baseGeneration = 0;  // counts loads and saves
    QString m_break = ConfigText::LineBreak;
    QByteArray m_diskBytes;
    // Last: it replays changes through the members above.
    DocumentHistory m_history{*this};
};
