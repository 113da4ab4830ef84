#pragma once

// The main window's named controls, found the way a test finds them: by objectName.

#include "ui/SettingsTree.h"
#include "ui/ToolbarButtons.h"

#include <QtWidgets>
#include <array>

// A missing control fails the test that asked for it at once, by name.
template <typename T = QAction> T* Control(const QObject& window, const QString& name)
{
    T* found = window.findChild<T*>(name);
    if (!found)
        qWarning("no control named %s", qPrintable(name));
    return found;
}

// The controls tests reach for by name; any other is found with Control().
// clang-format off
#define DRACFG_WINDOW_CONTROLS(X)                                                                  \
    X(QAction, mnuFileNew) X(QAction, mnuFileOpen) X(QAction, mnuFilemnuSave)                      \
    X(QAction, mnuFilemnuSaveAs) X(QAction, mnuFilemnuPrint) X(QAction, mnuFileClose)              \
    X(QMenu, mnuEdit) X(QAction, mnuEditCut) X(QAction, mnuEditDelete)                             \
    X(QAction, mnuEditSelectAll) X(QAction, mnuFind) X(QAction, mnuViewmnuShowHelp)                \
    X(QAction, mnuViewmnuListCat) X(QAction, mnuViewmnuListAlpha) X(QAction, mnuViewmnuLVText)     \
    X(QAction, mnuViewmnuLVList) X(QAction, mnuViewmnuExpandTV) X(QAction, mnuViewmnuCollapseTV)   \
    X(QAction, mnuToolsFonts) X(QAction, mnuToolsConfirmDelete) X(QAction, mnuHelpContents)        \
    X(QMenu, mnuPopUpTV) X(QAction, mnu_PopUpTV_ExpandAll) X(QAction, mnu_PopUpTV_CollapseAll)     \
    X(QAction, mnu_PopUpTV_SortCategory) X(QAction, mnu_PopUpTV_SortAlpha) X(QToolBar, CoolBar1)   \
    X(QWidget, picTitles) X(QComboBox, cboParam) X(QLineEdit, txtParam) X(QToolButton, cmdOK)      \
    X(QToolButton, cmdCancel) X(QSplitter, vbuSplitterHoriz) X(QSplitter, vbuSplitterVert)         \
    X(SettingsTree, tvTreeView) X(QPlainTextEdit, txtTextBox) X(QTreeView, lvListView)             \
    X(QStackedWidget, helpPane) X(QWidget, fraBrowser) X(QTextBrowser, brwHelpBrowser)
// clang-format on

struct WindowControls {
#define DRACFG_FIND_CONTROL(Type, name) , name(Control<Type>(window, QStringLiteral(#name)))
    explicit WindowControls(QMainWindow& window)
        : frmMain(&window) DRACFG_WINDOW_CONTROLS(DRACFG_FIND_CONTROL)
    {
        for (size_t i = 0; i < mnuDVVersion.size(); ++i)
            mnuDVVersion[i] = Control(window, QStringLiteral("mnuDVVersion(%1)").arg(i));
        for (size_t i = 0; i < FlatBttn.size(); ++i)
            FlatBttn[i] = Control(window, QStringLiteral("FlatBttn(%1)").arg(i));
        for (size_t i = 0; i < lblTitle.size(); ++i)
            lblTitle[i] = Control<QLabel>(window, QStringLiteral("lblTitle(%1)").arg(i));
    }
#undef DRACFG_FIND_CONTROL

    QMainWindow* frmMain;
#define DRACFG_CONTROL_FIELD(Type, name) Type* name;
    DRACFG_WINDOW_CONTROLS(DRACFG_CONTROL_FIELD)
#undef DRACFG_CONTROL_FIELD
    std::array<QAction*, 10> mnuDVVersion{};
    std::array<QAction*, Button::Count> FlatBttn{};
    std::array<QLabel*, 2> lblTitle{};
};
