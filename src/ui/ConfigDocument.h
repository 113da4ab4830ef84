#pragma once

#include <QString>
#include <QStringList>

class QPlainTextEdit;
class RowModel;
struct WindowState;

// The configuration document in its two forms, the rows of the list view and the text of
// the text view, and the conversions that carry it from one form to the other through
// LineArray. The text view is read and written only through text() and setText().
class ConfigDocument {
public:
    ConfigDocument(RowModel& rows, QPlainTextEdit& textView, WindowState& state);

    // The lines of the last conversion; line 1 of the document is index 0.
    QStringList LineArray;

    void ReadFileLines(const QString& fileText);
    // Does nothing while no document is open.
    void RowsFromLines();
    void LinesFromRows();
    void LinesFromText();
    // Does nothing while no document is open.
    void TextFromLines();

    // The text view's content with CR LF between its lines, every other character kept.
    QString text() const;
    // CR LF, a lone CR and a lone LF each start a new line in the view.
    void setText(const QString& text);

    // text() counts two characters for each line break, the view's cursor counts one.
    int textPositionFromCursor(int cursorPosition) const;
    int cursorPositionFromText(int textPosition) const;

private:
    QString rawViewText() const;

    RowModel& m_rows;
    QPlainTextEdit& m_textView;
    WindowState& m_state;
};
