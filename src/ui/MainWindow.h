#pragma once

#include "core/CatalogueTable.h"
#include "core/EditingState.h"

#include <QMainWindow>
#include <array>
#include <initializer_list>
#include <memory>

class ApplyEdit;
class CommandSet;
class ConfigDocument;
class Dialogs;
class DocumentViews;
class EditCommands;
class ExternalChanges;
class FileCommands;
class FindCommands;
class ReplaceCommands;
class HelpPane;
class MainLayout;
class ProblemsPane;
class QuickFixMenus;
class Recovery;
class Preferences;
class QFrame;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QSplitter;
class QTreeView;
class RecentFilesMenu;
class QTreeWidget;
class RowOperations;
class SettingsExplorer;
class SettingsTree;
class StatusBar;
class ValueEditor;
class VersionMenu;

// frmMain: builds the menus and toolbar from the command table and the work area, creates the
// components behind them and connects them in wire(), and runs the load and close steps. It
// computes nothing itself.
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
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildVersionItems();
    void buildWorkArea();
    void createComponents();
    void dressControls();
    // MainWindowWiring.cpp: the components connected, by area.
    void wire();
    void wireFile();
    void wireEdit();
    void wireView();
    void wireExplorer();
    void wireProblems();
    void wireHelp();
    void wireTextAssist();
    void showFileFormat();
    void wireLineEnds();
    template <typename Receiver, typename Command>
    void on(std::initializer_list<const char*> commands, Receiver* receiver, Command command);
    void saveShutdownState();

    Dialogs& m_dialogs;
    bool m_readAheadDue = false; // the reference page, once the window has painted
    QString m_programDir;        // where DraCFG.mdb, DraCFG.ini and DraCFG.html live
    std::unique_ptr<EditingState> m_state;
    std::unique_ptr<ConfigDocument> m_document;

    // Menus, pop-up menus and toolbar, from the command table.
    std::unique_ptr<CommandSet> m_commands;
    QAction* item(const char* name) const;
    QAction* button(int index) const;
    std::array<QAction*, 10> mnuDVVersion{}; // Select Dravane Version, filled from the catalogues

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
    QTreeView* lvProblems = nullptr;
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
    std::unique_ptr<ReplaceCommands> m_replace;
    std::unique_ptr<EditCommands> m_edit;
    std::unique_ptr<VersionMenu> m_versions;
    std::unique_ptr<StatusBar> m_status;
    std::unique_ptr<RecentFilesMenu> m_recent;
    std::unique_ptr<ExternalChanges> m_external;
    std::unique_ptr<ProblemsPane> m_problems;
    std::unique_ptr<Recovery> m_recovery;
    std::unique_ptr<QuickFixMenus> m_quickFixes;
};
