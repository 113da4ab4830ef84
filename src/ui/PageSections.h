#pragma once

#include <QList>
#include <QString>

class QTextDocument;

// Qt's HTML parser keeps a node for every tag and every run of text until the whole page is in
// the document: for a reference page of 140 KB, 5 MB at once. Read a few sections at a time, the
// page holds only the nodes of one section, and makes the same document.
namespace PageSections {

struct Section {
    qsizetype from;
    qsizetype to;
};

// Where the page can be cut with nothing changed: from the start of the body's content, at
// top-level paragraphs and headings at least `sectionChars` apart. Only right after a paragraph or
// heading with text of its own, and only while every element before is closed by its own end
// tag; a page that leaves an end tag implied is not cut at all. Fewer than two sections: read
// the page whole.
QList<Section> sections(const QString& html, qsizetype sectionChars);

// document.setHtml(html), section by section where the page allows. A section of a few screens
// keeps the cuts, and the documents merged, few.
void setHtml(QTextDocument& document, const QString& html, qsizetype sectionChars = 16 * 1024);

} // namespace PageSections
