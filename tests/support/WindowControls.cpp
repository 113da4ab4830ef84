#include "support/WindowControls.h"

#include <QTest>

namespace {

// A missing control fails the test that asked for it at once, by name.
template <typename T> T* Find(QMainWindow& window, const QString& name)
{
    T* found = window.findChild<T*>(name);
    if (!found)
        qWarning("no control named %s", qPrintable(name));
    return found;
}

} // namespace

WindowControls::WindowControls(QMainWindow& window) : frmMain(&window)
{
    mnuFile = Find<QMenu>(window, QStringLiteral("mnuFile"));
    mnuFilemnuSelectVersion = Find<QMenu>(window, QStringLiteral("mnuFilemnuSelectVersion"));
    mnuFileNew = Find<QAction>(window, QStringLiteral("mnuFileNew"));
    mnuFileOpen = Find<QAction>(window, QStringLiteral("mnuFileOpen"));
    mnuFilemnuSave = Find<QAction>(window, QStringLiteral("mnuFilemnuSave"));
    mnuFilemnuSaveAs = Find<QAction>(window, QStringLiteral("mnuFilemnuSaveAs"));
    mnuFilemnuPrint = Find<QAction>(window, QStringLiteral("mnuFilemnuPrint"));
    mnuFileClose = Find<QAction>(window, QStringLiteral("mnuFileClose"));
    mnuFilemnuExit = Find<QAction>(window, QStringLiteral("mnuFilemnuExit"));
    mnuEdit = Find<QMenu>(window, QStringLiteral("mnuEdit"));
    mnuEditCut = Find<QAction>(window, QStringLiteral("mnuEditCut"));
    mnuEditCopy = Find<QAction>(window, QStringLiteral("mnuEditCopy"));
    mnuEditPaste = Find<QAction>(window, QStringLiteral("mnuEditPaste"));
    mnuEditDelete = Find<QAction>(window, QStringLiteral("mnuEditDelete"));
    mnuEditSelectAll = Find<QAction>(window, QStringLiteral("mnuEditSelectAll"));
    mnuFind = Find<QAction>(window, QStringLiteral("mnuFind"));
    mnuView = Find<QMenu>(window, QStringLiteral("mnuView"));
    mnuViewmnuShowHelp = Find<QAction>(window, QStringLiteral("mnuViewmnuShowHelp"));
    mnuViewmnuListCat = Find<QAction>(window, QStringLiteral("mnuViewmnuListCat"));
    mnuViewmnuListAlpha = Find<QAction>(window, QStringLiteral("mnuViewmnuListAlpha"));
    mnuViewmnuLVText = Find<QAction>(window, QStringLiteral("mnuViewmnuLVText"));
    mnuViewmnuLVList = Find<QAction>(window, QStringLiteral("mnuViewmnuLVList"));
    mnuViewmnuExpandTV = Find<QAction>(window, QStringLiteral("mnuViewmnuExpandTV"));
    mnuViewmnuCollapseTV = Find<QAction>(window, QStringLiteral("mnuViewmnuCollapseTV"));
    mnuTools = Find<QMenu>(window, QStringLiteral("mnuTools"));
    mnuToolsFonts = Find<QAction>(window, QStringLiteral("mnuToolsFonts"));
    mnuToolsConfirmDelete = Find<QAction>(window, QStringLiteral("mnuToolsConfirmDelete"));
    mnuHelp = Find<QMenu>(window, QStringLiteral("mnuHelp"));
    mnuHelpContents = Find<QAction>(window, QStringLiteral("mnuHelpContents"));
    mnuHelpAbout = Find<QAction>(window, QStringLiteral("mnuHelpAbout"));
    mnuPopUpLV = Find<QMenu>(window, QStringLiteral("mnuPopUpLV"));
    mnu_PopUpLV_MoveUp = Find<QAction>(window, QStringLiteral("mnu_PopUpLV_MoveUp"));
    mnu_PopUpLV_MoveDown = Find<QAction>(window, QStringLiteral("mnu_PopUpLV_MoveDown"));
    mnu_PopUpLV_Delete = Find<QAction>(window, QStringLiteral("mnu_PopUpLV_Delete"));
    mnu_PopUpLV_TextView = Find<QAction>(window, QStringLiteral("mnu_PopUpLV_TextView"));
    mnu_PopUpLV_Comment = Find<QAction>(window, QStringLiteral("mnu_PopUpLV_Comment"));
    mnuPopUpTV = Find<QMenu>(window, QStringLiteral("mnuPopUpTV"));
    mnu_PopUpTV_ExpandAll = Find<QAction>(window, QStringLiteral("mnu_PopUpTV_ExpandAll"));
    mnu_PopUpTV_CollapseAll = Find<QAction>(window, QStringLiteral("mnu_PopUpTV_CollapseAll"));
    mnu_PopUpTV_SortCategory = Find<QAction>(window, QStringLiteral("mnu_PopUpTV_SortCategory"));
    mnu_PopUpTV_SortAlpha = Find<QAction>(window, QStringLiteral("mnu_PopUpTV_SortAlpha"));
    CoolBar1 = Find<QToolBar>(window, QStringLiteral("CoolBar1"));
    picTitles = Find<QWidget>(window, QStringLiteral("picTitles"));
    cboParam = Find<QComboBox>(window, QStringLiteral("cboParam"));
    txtParam = Find<QLineEdit>(window, QStringLiteral("txtParam"));
    cmdOK = Find<QToolButton>(window, QStringLiteral("cmdOK"));
    cmdCancel = Find<QToolButton>(window, QStringLiteral("cmdCancel"));
    vbuSplitterHoriz = Find<QSplitter>(window, QStringLiteral("vbuSplitterHoriz"));
    vbuSplitterVert = Find<QSplitter>(window, QStringLiteral("vbuSplitterVert"));
    tvTreeView = Find<SettingsTree>(window, QStringLiteral("tvTreeView"));
    documentPane = Find<QWidget>(window, QStringLiteral("documentPane"));
    txtTextBox = Find<QPlainTextEdit>(window, QStringLiteral("txtTextBox"));
    lvListView = Find<QTreeView>(window, QStringLiteral("lvListView"));
    helpPane = Find<QStackedWidget>(window, QStringLiteral("helpPane"));
    fraBrowser = Find<QWidget>(window, QStringLiteral("fraBrowser"));
    brwHelpBrowser = Find<QTextBrowser>(window, QStringLiteral("brwHelpBrowser"));
    for (size_t i = 0; i < mnuDVVersion.size(); ++i)
        mnuDVVersion[i] = Find<QAction>(window, QStringLiteral("mnuDVVersion(%1)").arg(i));
    for (size_t i = 0; i < FlatBttn.size(); ++i)
        FlatBttn[i] = Find<QAction>(window, QStringLiteral("FlatBttn(%1)").arg(i));
    for (size_t i = 0; i < lblTitle.size(); ++i)
        lblTitle[i] = Find<QLabel>(window, QStringLiteral("lblTitle(%1)").arg(i));
}
