#pragma once

#include "core/CatalogueTable.h"
#include "core/EditingState.h"
#include "ui/ToolbarButtons.h"

#include <QMainWindow>
#include <array>
#include <memory>

class ApplyEdit;
class ConfigDocument;
class Dialogs;
class DocumentViews;
class EditCommands;
class ExternalChanges;
class FileCommands;
class FindCommands;
class HelpPane;
class MainLayout;
class ProblemsPane;
class Recovery;
class Preferences;
class QFrame;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QSplitter;
class QToolBar;
class QTreeView;
class RecentFilesMenu;
class QTreeWidget;
class RowOperations;
class SettingsExplorer;
class SettingsTree;
class StatusBar;
class ValueEditor;
class VersionMenu;

// frmMain: builds the menus, toolbar and work area, creates the components behind them and
// connects them in wire(), and runs the load and close steps. It computes nothing itself.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    MainWindow(Dialogs& dialogs, QString programDir, std::unique_ptr<EditingState> state,
               QWidget* parent = nullptr);
    ~MainWindow() override;

    // The load step: no document, caption, preferences, view, tree, font.
    void load();

    const CatalogueTable& catalogue() const { return m_state->catalogue(); }
    EditingState& editingState() { return *m_state; }
    ConfigDocument& document() { return *m_document; }
    FileCommands& files() { return *m_files; }
    DocumentViews& views() { return *m_views; }
    SettingsExplorer& explorer() { return *m_explorer; }
    VersionMenu& versions() { return *m_versions; }
    Preferences& preferences() { return *m_preferences; }
    EditCommands& editCommands() { return *m_edit; }
    FindCommands& find() { return *m_find; }
    MainLayout& layout() { return *m_layout; }
    StatusBar& status() { return *m_status; }
    RecentFilesMenu& recentFiles() { return *m_recent; }
    ExternalChanges& externalChanges() { return *m_external; }

    // Qt's own menu of toolbars has no place among the window's menus.
    QMenu* createPopupMenu() override { return nullptr; }
    ProblemsPane& problems() { return *m_problems; }
    Recovery& recovery() { return *m_recovery; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildMenus();
    void buildPopUpMenus();
    void buildToolbar();
    void buildWorkArea();
    void createComponents();
    void dressControls();
    void wire();
    void showFileFormat();
    void wireLineEnds();
    void saveShutdownState();

    Dialogs& m_dialogs;
    QString m_programDir; // where DraCFG.mdb, DraCFG.ini and DraCFG.html live
    std::unique_ptr<EditingState> m_state;
    std::unique_ptr<ConfigDocument> m_document;

    // Menu bar
    QMenu* mnuFile = nullptr;
    QMenu* mnuFilemnuSelectVersion = nullptr;
    std::array<QAction*, 10> mnuDVVersion{};
    QAction* mnuFileNew = nullptr;
    QAction* mnuFileOpen = nullptr;
    QMenu* mnuFileRecent = nullptr;
    QAction* mnuFilemnuSave = nullptr;
    QAction* mnuFilemnuSaveAs = nullptr;
    QAction* mnuFileCompare = nullptr;
    QMenu* mnuFileLineEnds = nullptr;
    QAction* mnuFileLineEndsCrLf = nullptr;
    QAction* mnuFileLineEndsLf = nullptr;
    QAction* mnuFilemnuPrint = nullptr;
    QAction* mnuFileClose = nullptr;
    QAction* mnuFilemnuExit = nullptr;
    QMenu* mnuEdit = nullptr;
    QAction* mnuEditUndo = nullptr;
    QAction* mnuEditRedo = nullptr;
    QAction* mnuEditCut = nullptr;
    QAction* mnuEditCopy = nullptr;
    QAction* mnuEditPaste = nullptr;
    QAction* mnuEditDelete = nullptr;
    QAction* mnuEditSelectAll = nullptr;
    QAction* mnuFind = nullptr;
    QAction* mnuFindNext = nullptr;
    QAction* mnuFindPrevious = nullptr;
    QMenu* mnuView = nullptr;
    QAction* mnuViewmnuShowHelp = nullptr;
    QAction* mnuViewmnuListCat = nullptr;
    QAction* mnuViewmnuListAlpha = nullptr;
    QAction* mnuViewmnuLVText = nullptr;
    QAction* mnuViewmnuLVList = nullptr;
    QAction* mnuViewmnuProblems = nullptr;
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

    // Work area
    ValueEditor* picTitles = nullptr;
    QSplitter* vbuSplitterHoriz = nullptr;
    QSplitter* vbuSplitterVert = nullptr;
    QWidget* explorerPane = nullptr; // the filter box over the tree
    QLineEdit* txtFilter = nullptr;
    SettingsTree* tvTreeView = nullptr;
    QWidget* documentPane = nullptr;
    QLabel* lblNoDocument = nullptr; // how to begin, while no document is open // holds the text
                                     // view with the list laid over it
    QPlainTextEdit* txtTextBox = nullptr;
    QTreeView* lvListView = nullptr;
    HelpPane* helpPane = nullptr;
    QSplitter* vbuSplitterProblems = nullptr;
    QFrame* fraProblems = nullptr;
    QTreeWidget* lvProblems = nullptr;
    QLabel* lblNoProblems = nullptr;

    // Components, each with what it uses; wire() connects them.
    std::unique_ptr<MainLayout> m_layout;
    std::unique_ptr<DocumentViews> m_views;
    std::unique_ptr<ApplyEdit> m_applyEdit;
    std::unique_ptr<SettingsExplorer> m_explorer;
    std::unique_ptr<FileCommands> m_files;
    std::unique_ptr<RowOperations> m_rowOperations;
    std::unique_ptr<Preferences> m_preferences;
    std::unique_ptr<FindCommands> m_find;
    std::unique_ptr<EditCommands> m_edit;
    std::unique_ptr<VersionMenu> m_versions;
    std::unique_ptr<StatusBar> m_status;
    std::unique_ptr<RecentFilesMenu> m_recent;
    std::unique_ptr<ExternalChanges> m_external;
    std::unique_ptr<ProblemsPane> m_problems;
    std::unique_ptr<Recovery> m_recovery;
};
