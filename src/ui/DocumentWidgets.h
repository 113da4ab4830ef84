#pragma once

class QPlainTextEdit;
class QTreeView;
class QWidget;

// What a document command acts on: the window its messages belong to, and the two views.
struct DocumentWidgets {
    QWidget* window;
    QTreeView* list;
    QPlainTextEdit* text;
};
