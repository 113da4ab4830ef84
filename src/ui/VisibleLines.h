#pragma once

#include <QAbstractTextDocumentLayout>
#include <QPlainTextEdit>
#include <QTextBlock>

namespace VisibleLinesDetail {

// The view tells only its subclasses where its lines lie; these read it from any view.
struct Geometry : QPlainTextEdit {
    static QTextBlock topBlock(const QPlainTextEdit& text)
    {
        return (text.*(&Geometry::firstVisibleBlock))();
    }
    static QPointF topLeft(const QPlainTextEdit& text)
    {
        return (text.*(&Geometry::contentOffset))();
    }
};

} // namespace VisibleLinesDetail

// The text view's lines that meet a part of its viewport, top to bottom, each with its rectangle
// in viewport coordinates, found as the view paints them. Asking the view where each line lies
// instead (cursorForPosition, cursorRect) shapes the line's text again and walks from the top
// line for every line asked.
template <typename Visit>
void forEachVisibleLine(const QPlainTextEdit& text, const QRect& region, Visit&& visit)
{
    const QAbstractTextDocumentLayout* layout = text.document()->documentLayout();
    QPointF offset = VisibleLinesDetail::Geometry::topLeft(text);
    for (QTextBlock block = VisibleLinesDetail::Geometry::topBlock(text); block.isValid();
         block = block.next()) {
        const QRectF bounds = layout->blockBoundingRect(block).translated(offset);
        if (bounds.top() > region.bottom())
            break;
        if (block.isVisible() && bounds.bottom() >= region.top())
            visit(block, bounds);
        offset.ry() += bounds.height();
    }
}
