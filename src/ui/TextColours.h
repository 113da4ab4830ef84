#pragma once

#include "core/SettingLookup.h"

#include <QHash>
#include <QObject>
#include <QTextCharFormat>
#include <memory>

class EditingState;
class QPlainTextDocumentLayout;
class QPlainTextEdit;
class QTextDocument;
class QWidget;
class QTextBlock;

// The text view's colours: comment lines, setting names the chosen version knows and those it
// does not, and values, in colours drawn from the view's palette. A line is coloured as it is
// about to be painted or laid out after an edit, and again only once its text, the version or
// the palette changes: a highlighter over the whole document would cost Open and every key
// stroke far more.
class TextColours : public QObject {
    Q_OBJECT
public:
    TextColours(QPlainTextEdit* text, const EditingState& state);
    ~TextColours() override;

    enum Part { Comment, KnownName, UnknownName, Value, PartCount };
    const QTextCharFormat& format(Part part) const { return m_formats[part]; }

    // The layout to give the view's document, so that an edited line is coloured as it is laid out.
    QPlainTextDocumentLayout* layoutFor(QTextDocument& document);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    class Layout;

    void colourLines(const QRect& region);
    void colourChange(const QTextDocument& document, int position, int added);
    bool colour(const QTextBlock& block);
    bool isKnown(const QString& name);
    void recolour();
    void chooseFormats();

    QPlainTextEdit* m_text;
    QWidget* m_viewport; // kept: events still come while the text view is being destroyed
    const EditingState& m_state;
    QTextCharFormat m_formats[PartCount];
    int m_generation = 0; // of the catalogue and palette the lines were last coloured for
    std::unique_ptr<SettingLookup::CandidateIndex> m_index;
    QHash<QString, bool> m_known;
};
