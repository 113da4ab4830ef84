#include "ui/PageSections.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextFrame>

namespace {

bool isVoidElement(QStringView name)
{
    static const QStringView names[] = {u"area",  u"base",   u"br",    u"col",  u"embed",
                                        u"hr",    u"img",    u"input", u"link", u"meta",
                                        u"param", u"source", u"track", u"wbr"};
    for (QStringView known : names) {
        if (name.compare(known, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

// The blocks a section may begin and end with: merged into the document, one text block meets
// the next as it does in a whole parse. A table or list there would leave a block more or less.
bool isTextBlock(QStringView name)
{
    if (name.size() == 2 && name[0].toLower() == u'h' && name[1] >= u'1' && name[1] <= u'6')
        return true;
    return name.compare(u"p", Qt::CaseInsensitive) == 0;
}

// The end of the tag that starts at `at` (just past its '>'), or -1.
qsizetype tagEnd(const QString& html, qsizetype at)
{
    QChar quote;
    for (qsizetype i = at + 1; i < html.size(); ++i) {
        const QChar c = html[i];
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == u'"' || c == u'\'') {
            quote = c;
        } else if (c == u'>') {
            return i + 1;
        }
    }
    return -1;
}

bool hasText(QStringView text)
{
    for (QChar c : text) {
        if (!c.isSpace())
            return true;
    }
    return false;
}

} // namespace

namespace PageSections {

QList<Section> sections(const QString& html, qsizetype sectionChars)
{
    const qsizetype bodyTag = html.indexOf(QLatin1String("<body"), 0, Qt::CaseInsensitive);
    const qsizetype content = bodyTag < 0 ? -1 : tagEnd(html, bodyTag);
    // A page that sets its own white-space rules may keep the space between two blocks.
    if (content < 0 ||
        QStringView(html).first(content).contains(u"white-space", Qt::CaseInsensitive))
        return {};
    QList<Section> found{{content, html.size()}};
    QList<QStringView> open;     // within the body
    bool textBlockEnded = false; // the body's last child so far is a paragraph or heading
    qsizetype textBlockEnd = 0;
    bool blockHasText = false;
    qsizetype at = content;
    for (qsizetype tag = html.indexOf(u'<', at); tag >= 0; tag = html.indexOf(u'<', at)) {
        if (hasText(QStringView(html).sliced(at, tag - at))) {
            if (open.isEmpty())
                textBlockEnded = false;
            blockHasText = true;
        }
        if (QStringView(html).sliced(tag).startsWith(u"<!--")) {
            const qsizetype end = html.indexOf(QLatin1String("-->"), tag + 4);
            if (end < 0)
                return {};
            at = end + 3;
            continue;
        }
        const bool closing = tag + 1 < html.size() && html[tag + 1] == u'/';
        const qsizetype nameAt = tag + (closing ? 2 : 1);
        qsizetype nameEnd = nameAt;
        while (nameEnd < html.size() && html[nameEnd].isLetterOrNumber())
            ++nameEnd;
        const QStringView name = QStringView(html).sliced(nameAt, nameEnd - nameAt);
        const qsizetype end = tagEnd(html, tag);
        // A stray '<', a declaration, a script's or style's raw text: not worth the risk.
        if (name.isEmpty() || end < 0 || name.compare(u"script", Qt::CaseInsensitive) == 0 ||
            name.compare(u"style", Qt::CaseInsensitive) == 0)
            return {};
        at = end;
        if (closing) {
            if (name.compare(u"body", Qt::CaseInsensitive) == 0 ||
                name.compare(u"html", Qt::CaseInsensitive) == 0)
                break;
            if (open.isEmpty() || open.last().compare(name, Qt::CaseInsensitive) != 0)
                return {};
            open.removeLast();
            if (open.isEmpty()) {
                textBlockEnded = isTextBlock(name) && blockHasText;
                textBlockEnd = end;
            }
            continue;
        }
        if (open.isEmpty()) {
            // Qt's parser drops a single white space between two blocks, and turns more into
            // a space at the end of the first: a section would end without it.
            if (textBlockEnded && tag - textBlockEnd <= 1 && isTextBlock(name) &&
                tag - found.last().from >= sectionChars) {
                found.last().to = textBlockEnd;
                found.append({tag, html.size()});
            }
            textBlockEnded = false;
            blockHasText = false;
        }
        if (!isVoidElement(name) && html[end - 2] != u'/')
            open.append(name);
    }
    return found.size() > 1 ? found : QList<Section>();
}

void setHtml(QTextDocument& document, const QString& html, qsizetype sectionChars)
{
    const QList<Section> cuts = sections(html, sectionChars);
    if (cuts.isEmpty()) {
        document.setHtml(html);
        return;
    }
    // Every section is read with the page's head and body tag, so its styles and fonts are the
    // page's.
    const QString head = html.left(cuts.first().from);
    const QString url = document.metaInformation(QTextDocument::DocumentUrl);
    const bool undo = document.isUndoRedoEnabled();
    document.setUndoRedoEnabled(false);
    document.clear();
    document.setMetaInformation(QTextDocument::DocumentUrl, url);
    QTextCursor cursor(&document);
    for (qsizetype i = 0; i < cuts.size(); ++i) {
        const Section cut = cuts[i];
        QTextDocument section;
        section.setDefaultFont(document.defaultFont());
        section.setMetaInformation(QTextDocument::DocumentUrl, url);
        section.setHtml(head + html.sliced(cut.from, cut.to - cut.from));
        if (i == 0) {
            document.rootFrame()->setFrameFormat(section.rootFrame()->frameFormat());
            document.setMetaInformation(QTextDocument::DocumentTitle,
                                        section.metaInformation(QTextDocument::DocumentTitle));
        } else {
            // Inserted as it is, the section's first block would run on from the last block of
            // the section before.
            cursor.movePosition(QTextCursor::End);
            cursor.insertBlock();
        }
        const int first = cursor.blockNumber();
        cursor.insertFragment(QTextDocumentFragment(&section));
        QTextCursor firstBlock(document.findBlockByNumber(first));
        firstBlock.setBlockFormat(section.begin().blockFormat());
        firstBlock.setBlockCharFormat(section.begin().charFormat());
    }
    document.setUndoRedoEnabled(undo);
}

} // namespace PageSections
