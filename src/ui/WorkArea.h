#pragma once

class QMainWindow;
class QSplitter;
class QTreeView;
class ValueEditor;

// The parts of the main window whose sizes and visibility both the layout and the stored
// preferences look after.
struct WorkArea {
    QMainWindow* window;
    QSplitter* vbuSplitterHoriz;
    QSplitter* vbuSplitterVert;
    QTreeView* list;
    ValueEditor* strip;
};
