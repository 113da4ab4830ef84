#pragma once

#include <QList>
#include <array>

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QMainWindow;
class QMenu;
class QPlainTextEdit;
class QSplitter;
class QStackedWidget;
class QTextBrowser;
class QToolBar;
class QToolButton;
class QTreeView;
class QTreeWidget;
class QWidget;

// The tree keeps each node's key ("P" + category, "C" + setting name) in this role.
inline constexpr int NodeKeyRole = 0x0100 + 1; // Qt::UserRole + 1

// Toolbar button indexes, named after the commands they run.
namespace Button {
enum : int {
    New = 0,
    Open = 1,
    Save = 2,
    Print = 3,
    Cut = 4,
    Copy = 5,
    Paste = 6,
    Delete = 7,
    Find = 8,
    ListAlpha = 9,
    ListCat = 10,
    TextView = 11,
    ListView = 12,
    MoveUp = 13,
    MoveDown = 14,
    Comment = 15,
    ShowHelp = 16,
    Count = 17
};
}

// Every named control of the main window. The main window builds them; components receive
// this struct and use the controls their commands own.
struct MainWidgets {
    QMainWindow* frmMain = nullptr;

    // Menu bar
    QMenu* mnuFile = nullptr;
    QMenu* mnuFilemnuSelectVersion = nullptr;
    std::array<QAction*, 10> mnuDVVersion{};
    QAction* mnuFileNew = nullptr;
    QAction* mnuFileOpen = nullptr;
    QAction* mnuFilemnuSave = nullptr;
    QAction* mnuFilemnuSaveAs = nullptr;
    QAction* mnuFilemnuPrint = nullptr;
    QAction* mnuFileClose = nullptr;
    QAction* mnuFilemnuExit = nullptr;

    QMenu* mnuEdit = nullptr;
    QAction* mnuEditCut = nullptr;
    QAction* mnuEditCopy = nullptr;
    QAction* mnuEditPaste = nullptr;
    QAction* mnuEditDelete = nullptr;
    QAction* mnuEditSelectAll = nullptr;
    QAction* mnuFind = nullptr;

    QMenu* mnuView = nullptr;
    QAction* mnuViewmnuShowHelp = nullptr;
    QAction* mnuViewmnuListCat = nullptr;
    QAction* mnuViewmnuListAlpha = nullptr;
    QAction* mnuViewmnuLVText = nullptr;
    QAction* mnuViewmnuLVList = nullptr;
    QAction* mnuViewmnuExpandTV = nullptr;
    QAction* mnuViewmnuCollapseTV = nullptr;

    QMenu* mnuTools = nullptr;
    QAction* mnuToolsFonts = nullptr;
    QAction* mnuToolsConfirmDelete = nullptr;

    QMenu* mnuHelp = nullptr;
    QAction* mnuHelpContents = nullptr;
    QAction* mnuHelpAbout = nullptr;

    // Pop-up menus of the list and the tree
    QMenu* mnuPopUpLV = nullptr;
    QAction* mnu_PopUpLV_MoveUp = nullptr;
    QAction* mnu_PopUpLV_MoveDown = nullptr;
    QAction* mnu_PopUpLV_Delete = nullptr;
    QAction* mnu_PopUpLV_TextView = nullptr;
    QAction* mnu_PopUpLV_Comment = nullptr;

    QMenu* mnuPopUpTV = nullptr;
    QAction* mnu_PopUpTV_ExpandAll = nullptr;
    QAction* mnu_PopUpTV_CollapseAll = nullptr;
    QAction* mnu_PopUpTV_SortCategory = nullptr;
    QAction* mnu_PopUpTV_SortAlpha = nullptr;

    // Toolbar: FlatBttn[i] is the button of index i (see Button::).
    QToolBar* CoolBar1 = nullptr;
    std::array<QAction*, Button::Count> FlatBttn{};

    // Title strip with the value editor
    QWidget* picTitles = nullptr;
    std::array<QLabel*, 2> lblTitle{};
    QComboBox* cboParam = nullptr;
    QLineEdit* txtParam = nullptr;
    QToolButton* cmdOK = nullptr;
    QToolButton* cmdCancel = nullptr;

    // Work area
    QSplitter* vbuSplitterHoriz = nullptr;
    QSplitter* vbuSplitterVert = nullptr;
    QTreeWidget* tvTreeView = nullptr;
    QWidget* documentPane = nullptr; // holds the text view with the list laid over it
    QPlainTextEdit* txtTextBox = nullptr;
    QTreeView* lvListView = nullptr;

    // Help pane: a stack of the blank frame and the browser
    QStackedWidget* helpPane = nullptr;
    QWidget* fraBrowser = nullptr;
    QTextBrowser* brwHelpBrowser = nullptr;
};
