#pragma once

#include "core/ConfigDocument.h"
#include "ui/DocumentViews.h"
#include "ui/ListSelection.h"
#include "ui/MainWindow.h"

#include <QAction>
#include <QCoreApplication>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <QTreeView>

// Fills the history of the window's open document with `count` steps the way a user makes
// them: half row commands in the list (comment toggles and deletions spread over the rows),
// then the rest typed into the text view, each on a line of its own so that no two merge.
// Ends in the text view unless listLast, where it switches back to the list.
inline void MakeHistorySteps(MainWindow& window, int count, bool listLast = false)
{
    auto action = [&window](const char* name) {
        return window.findChild<QAction*>(QLatin1String(name));
    };
    auto* list = window.findChild<QTreeView*>(QStringLiteral("lvListView"));
    auto* text = window.findChild<QPlainTextEdit*>(QStringLiteral("txtTextBox"));
    action("mnuToolsConfirmDelete")->setChecked(false);
    ConfigDocument& document = window.document();
    if (document.isTextView())
        window.views().listViewCommand();
    const int rowSteps = count / 2;
    for (int i = 0; i < rowSteps; ++i) {
        selectRow(list, (i * 29) % document.rows().count());
        action(i % 2 == 0 ? "mnu_PopUpLV_Comment" : "mnuEditDelete")->trigger();
    }
    window.views().textViewCommand();
    const int lines = text->document()->blockCount();
    for (int i = rowSteps; i < count; ++i) {
        QTextCursor cursor(text->document()->findBlockByNumber((i * 31) % lines));
        text->setTextCursor(cursor);
        cursor.insertText(QStringLiteral("x"));
    }
    if (listLast)
        window.views().listViewCommand();
    QCoreApplication::processEvents();
}
