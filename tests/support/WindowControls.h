#pragma once

// The main window's named controls, found the way a test finds them: by objectName.

#include "ui/SettingsTree.h"
#include "ui/ToolbarButtons.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QStackedWidget>
#include <QTextBrowser>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>
#include <array>

struct WindowControls {
    explicit WindowControls(QMainWindow& window);

    QMainWindow* frmMain;
    QMenu* mnuFile;
    QMenu* mnuFilemnuSelectVersion;
    std::array<QAction*, 10> mnuDVVersion{};
    QAction* mnuFileNew;
    QAction* mnuFileOpen;
    QAction* mnuFilemnuSave;
    QAction* mnuFilemnuSaveAs;
    QAction* mnuFilemnuPrint;
    QAction* mnuFileClose;
    QAction* mnuFilemnuExit;
    QMenu* mnuEdit;
    QAction* mnuEditCut;
    QAction* mnuEditCopy;
    QAction* mnuEditPaste;
    QAction* mnuEditDelete;
    QAction* mnuEditSelectAll;
    QAction* mnuFind;
    QMenu* mnuView;
    QAction* mnuViewmnuShowHelp;
    QAction* mnuViewmnuListCat;
    QAction* mnuViewmnuListAlpha;
    QAction* mnuViewmnuLVText;
    QAction* mnuViewmnuLVList;
    QAction* mnuViewmnuExpandTV;
    QAction* mnuViewmnuCollapseTV;
    QMenu* mnuTools;
    QAction* mnuToolsFonts;
    QAction* mnuToolsConfirmDelete;
    QMenu* mnuHelp;
    QAction* mnuHelpContents;
    QAction* mnuHelpAbout;
    QMenu* mnuPopUpLV;
    QAction* mnu_PopUpLV_MoveUp;
    QAction* mnu_PopUpLV_MoveDown;
    QAction* mnu_PopUpLV_Delete;
    QAction* mnu_PopUpLV_TextView;
    QAction* mnu_PopUpLV_Comment;
    QMenu* mnuPopUpTV;
    QAction* mnu_PopUpTV_ExpandAll;
    QAction* mnu_PopUpTV_CollapseAll;
    QAction* mnu_PopUpTV_SortCategory;
    QAction* mnu_PopUpTV_SortAlpha;
    QToolBar* CoolBar1;
    std::array<QAction*, Button::Count> FlatBttn{};
    QWidget* picTitles;
    std::array<QLabel*, 2> lblTitle{};
    QComboBox* cboParam;
    QLineEdit* txtParam;
    QToolButton* cmdOK;
    QToolButton* cmdCancel;
    QSplitter* vbuSplitterHoriz;
    QSplitter* vbuSplitterVert;
    SettingsTree* tvTreeView;
    QWidget* documentPane;
    QPlainTextEdit* txtTextBox;
    QTreeView* lvListView;
    QStackedWidget* helpPane;
    QWidget* fraBrowser;
    QTextBrowser* brwHelpBrowser;
};

inline WindowControls Controls(QMainWindow& window)
{
    return WindowControls(window);
}
