#include "core/ConfigDocument.h"

#include <QAbstractTextDocumentLayout>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>
#include <QUndoStack>

using namespace Qt::StringLiterals;

namespace {

// A text document tells where it changed only while something lays it out; this stands in for
// the text view's layout, which needs a display.
class BareLayout : public QAbstractTextDocumentLayout {
public:
    using QAbstractTextDocumentLayout::QAbstractTextDocumentLayout;
    void draw(QPainter*, const PaintContext&) override {}
    int hitTest(const QPointF&, Qt::HitTestAccuracy) const override { return -1; }
    int pageCount() const override { return 1; }
    QSizeF documentSize() const override { return {}; }
    QRectF frameBoundingRect(QTextFrame*) const override { return {}; }
    QRectF blockBoundingRect(const QTextBlock&) const override { return {}; }

protected:
    void documentChanged(int, int, int) override {}
};

// Position, characters removed, text put in; edits joined by '+' are one edit block.
struct KeyEdit {
    int position;
    int removed;
    QString added;
};
using KeyEdits = QList<QList<KeyEdit>>;

} // namespace

Q_DECLARE_METATYPE(KeyEdits)

class tst_TypingHistory : public QObject {
    Q_OBJECT

private slots:
    // Typing is recorded from where the document says it changed, or by comparing the whole
    // text without a layout: either way its steps undo and redo to the very text.
    void typingUndoesToTheText_data()
    {
        QTest::addColumn<KeyEdits>("edits");
        QTest::addColumn<bool>("laidOut");
        const QList<std::pair<const char*, KeyEdits>> rows{
            {"a key mid-line", {{{3, 0, u"x"_s}}}},
            {"a break taken out", {{{3, 1, {}}}}},
            {"a line split", {{{2, 0, u"\n"_s}}}},
            {"a selection across lines typed over", {{{2, 5, u"Z\nY"_s}}}},
            {"lines added at the end", {{{11, 0, u"\nD 4"_s}}}},
            {"the last character", {{{10, 1, {}}}}},
            {"the first position", {{{0, 0, u";"_s}}}},
            {"a run of keys",
             {{{3, 0, u"x"_s}}, {{4, 0, u"y"_s}}, {{4, 1, {}}}, {{2, 0, u"\n"_s}}}},
            {"two places in one edit", {{{0, 0, u"X"_s}, {9, 0, u"Y"_s}}}},
            {"everything", {{{0, 11, u"E 5"_s}}}},
        };
        for (const auto& [name, edits] : rows) {
            QTest::addRow("%s, laid out", name) << edits << true;
            QTest::addRow("%s, not laid out", name) << edits << false;
        }
    }
    void typingUndoesToTheText()
    {
        QFETCH(KeyEdits, edits);
        QFETCH(bool, laidOut);
        ConfigDocument document;
        document.setView(ConfigDocument::View::Text);
        QTextDocument& text = document.textDocument();
        if (laidOut)
            text.setDocumentLayout(new BareLayout(&text));
        document.load(u"/t.cfg"_s, u"A 1\r\nB 2\r\nC 3"_s);
        const QString loaded = document.text();

        QTextCursor cursor(&text);
        for (const QList<KeyEdit>& block : edits) {
            cursor.beginEditBlock();
            for (const KeyEdit& edit : block) {
                cursor.setPosition(edit.position);
                cursor.setPosition(edit.position + edit.removed, QTextCursor::KeepAnchor);
                cursor.insertText(edit.added);
            }
            cursor.endEditBlock();
        }
        const QString typed = document.text();
        QVERIFY(typed != loaded);

        while (document.history().canUndo())
            document.undo();
        QCOMPARE(document.text(), loaded);
        while (document.history().canRedo())
            document.redo();
        QCOMPARE(document.text(), typed);
    }
};

QTEST_GUILESS_MAIN(tst_TypingHistory)
#include "tst_typinghistory.moc"
