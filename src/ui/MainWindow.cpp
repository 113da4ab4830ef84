#include "ui/MainWindow.h"

#include "core/CatalogueDatabase.h"
#include "core/ConfigDocument.h"
#include "core/PreferenceStore.h"
#include "core/ServerInstall.h"
#include "core/Version.h"
#include "ui/AboutBox.h"
#include "ui/ApplyEdit.h"
#include "ui/Commands.h"
#include "ui/CompareWindow.h"
#include "ui/Dialogs.h"
#include "ui/DocumentViews.h"
#include "ui/EditCommands.h"
#include "ui/ExternalChanges.h"
#include "ui/FileCommands.h"
#include "ui/FileDrop.h"
#include "ui/FindCommands.h"
#include "ui/HelpContents.h"
#include "ui/HelpPane.h"
#include "ui/ListSelection.h"
#include "ui/MainLayout.h"
#include "ui/Preferences.h"
#include "ui/ProblemsPane.h"
#include "ui/RecentFilesMenu.h"
#include "ui/Recovery.h"
#include "ui/RowOperations.h"
#include "ui/SettingsExplorer.h"
#include "ui/SettingsTree.h"
#include "ui/StatusBar.h"
#include "ui/Twips.h"
#include "ui/ValueEditor.h"
#include "ui/VersionMenu.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QCursor>
#include <QFrame>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextDocumentLayout>
#include <QPlainTextEdit>
#include <QShortcut>
#include <QSplitter>
#include <QTextBrowser>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

// The command sets the item's check mark itself: Qt's own toggling is taken back first. Of two
// exclusive choices one is always marked, so taking back a choice marks the other one again.
void commandOwnsMark(QAction* item)
{
    QObject::connect(item, &QAction::triggered, item, [item](bool checked) {
        QActionGroup* group = item->actionGroup();
        const QList<QAction*> choices = group ? group->actions() : QList<QAction*>{};
        if (checked && choices.size() == 2)
            choices.at(choices.at(0) == item ? 1 : 0)->setChecked(true);
        else
            item->setChecked(!checked);
    });
}

} // namespace

MainWindow::MainWindow(Dialogs& dialogs, QString programDir, CatalogueTable catalogue,
                       QWidget* parent)
    : QMainWindow(parent), m_dialogs(dialogs), m_programDir(std::move(programDir)),
      m_catalogue(std::move(catalogue)), m_document(std::make_unique<ConfigDocument>())
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(ProductName);

    m_commands = std::make_unique<CommandSet>(*this);
    buildVersionItems();
    item("mnuViewmnuShowHelp")->setChecked(true);
    buildWorkArea();
    createComponents();
    dressControls();
    wire();
}

MainWindow::~MainWindow()
{
    // The views show the document: they go before it does.
    delete txtTextBox;
    lvListView->setModel(nullptr);
}

QAction* MainWindow::item(const char* name) const
{
    return m_commands->item(name);
}

QAction* MainWindow::button(int index) const
{
    return m_commands->button(index);
}

void MainWindow::buildVersionItems()
{
    QMenu* menu = m_commands->menu("mnuFilemnuSelectVersion");
    for (size_t p = 0; p < mnuDVVersion.size(); ++p) {
        QAction* choice = menu->addAction(QString());
        choice->setObjectName(QStringLiteral("mnuDVVersion(%1)").arg(p));
        choice->setCheckable(true);
        choice->setVisible(p == 0); // until the list is filled: one item, empty caption
        mnuDVVersion[p] = choice;
    }
    Commands::exclusiveChoices(menu, QList<QAction*>(mnuDVVersion.cbegin(), mnuDVVersion.cend()));
}

void MainWindow::buildWorkArea()
{
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("centralWidget"));
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(2, 0, 2, 2);
    column->setSpacing(2);

    // The strip places its controls by hand: they follow the list's left edge.
    picTitles = new ValueEditor(*m_document, m_catalogue, m_programDir, central);
    column->addWidget(picTitles);

    vbuSplitterHoriz = new QSplitter(Qt::Vertical, central);
    vbuSplitterHoriz->setObjectName(QStringLiteral("vbuSplitterHoriz"));
    vbuSplitterHoriz->setChildrenCollapsible(true);
    vbuSplitterVert = new QSplitter(Qt::Horizontal, vbuSplitterHoriz);
    vbuSplitterVert->setObjectName(QStringLiteral("vbuSplitterVert"));

    // The filter box stands over the tree; the two are the splitter's left pane.
    explorerPane = new QWidget(vbuSplitterVert);
    explorerPane->setObjectName(QStringLiteral("explorerPane"));
    auto* explorerColumn = new QVBoxLayout(explorerPane);
    explorerColumn->setContentsMargins(0, 0, 0, 0);
    explorerColumn->setSpacing(2);
    txtFilter = new QLineEdit(explorerPane);
    txtFilter->setObjectName(QStringLiteral("txtFilter"));
    txtFilter->setPlaceholderText(QStringLiteral("Filter settings"));
    txtFilter->setClearButtonEnabled(true);
    explorerColumn->addWidget(txtFilter);
    tvTreeView = new SettingsTree(explorerPane);
    explorerColumn->addWidget(tvTreeView, 1);

    // The problems lie under the document, as wide as it is.
    vbuSplitterProblems = new QSplitter(Qt::Vertical, vbuSplitterVert);
    vbuSplitterProblems->setObjectName(QStringLiteral("vbuSplitterProblems"));
    vbuSplitterProblems->setChildrenCollapsible(false);

    // The list lies over the text view: both occupy the same cell and only one is shown.
    documentPane = new QWidget(vbuSplitterProblems);
    documentPane->setObjectName(QStringLiteral("documentPane"));
    auto* cell = new QGridLayout(documentPane);
    cell->setContentsMargins(0, 0, 0, 0);
    txtTextBox = new QPlainTextEdit(documentPane);
    txtTextBox->setObjectName(QStringLiteral("txtTextBox"));
    txtTextBox->setLineWrapMode(QPlainTextEdit::NoWrap);
    QTextDocument& text = m_document->textDocument();
    text.setDocumentLayout(new QPlainTextDocumentLayout(&text));
    txtTextBox->setDocument(&text);
    lvListView = new QTreeView(documentPane);
    lvListView->setObjectName(QStringLiteral("lvListView"));
    lvListView->setRootIsDecorated(false);
    lvListView->setUniformRowHeights(true);
    lvListView->setItemsExpandable(false);
    lvListView->setAllColumnsShowFocus(true);
    lvListView->setSelectionMode(QAbstractItemView::SingleSelection);
    lvListView->setSelectionBehavior(QAbstractItemView::SelectRows);
    lvListView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lvListView->header()->setStretchLastSection(false);
    lvListView->setModel(&m_document->rows());
    cell->addWidget(txtTextBox, 0, 0);
    cell->addWidget(lvListView, 0, 0);
    // Over the empty, disabled view while no document is open.
    lblNoDocument = new QLabel(
        QStringLiteral("No document is open.\n\nOpen a configuration file with File > Open "
                       "(Ctrl+O),\nor start a new one with File > New (Ctrl+N)."),
        documentPane);
    lblNoDocument->setObjectName(QStringLiteral("lblNoDocument"));
    lblNoDocument->setAlignment(Qt::AlignCenter);
    lblNoDocument->setWordWrap(true);
    lblNoDocument->setMargin(Twips::toPixels(150, this));
    lblNoDocument->setForegroundRole(QPalette::PlaceholderText);
    cell->addWidget(lblNoDocument, 0, 0);

    fraProblems = new QFrame(vbuSplitterProblems);
    fraProblems->setObjectName(QStringLiteral("fraProblems"));
    auto* problemsColumn = new QVBoxLayout(fraProblems);
    problemsColumn->setContentsMargins(0, 0, 0, 0);
    lvProblems = new QTreeWidget(fraProblems);
    lvProblems->setObjectName(QStringLiteral("lvProblems"));
    problemsColumn->addWidget(lvProblems);
    lblNoProblems = new QLabel(QStringLiteral("No problems"), fraProblems);
    lblNoProblems->setObjectName(QStringLiteral("lblNoProblems"));
    lblNoProblems->setIndent(Twips::toPixels(60, this));
    problemsColumn->addWidget(lblNoProblems);
    fraProblems->hide();
    // The document takes what the window gains; the pane sizes itself to its problems.
    vbuSplitterProblems->setStretchFactor(0, 1);
    vbuSplitterProblems->setStretchFactor(1, 0);

    helpPane = new HelpPane(vbuSplitterHoriz);

    vbuSplitterHoriz->setStretchFactor(0, 1);
    vbuSplitterVert->setStretchFactor(1, 1);
    column->addWidget(vbuSplitterHoriz, 1);
    setCentralWidget(central);
}

void MainWindow::createComponents()
{
    ConfigDocument& document = *m_document;
    const DocumentWidgets views{this, lvListView, txtTextBox};
    const WorkArea area{this,      vbuSplitterHoriz,           vbuSplitterVert,         lvListView,
                        picTitles, item("mnuViewmnuShowHelp"), button(Button::ShowHelp)};
    m_layout = std::make_unique<MainLayout>(MainLayout::Parts{area, tvTreeView, documentPane});
    using Commands::When;
    const CommandSet& commands = *m_commands;
    m_views = std::make_unique<DocumentViews>(
        document, lvListView, txtTextBox,
        DocumentViews::Commands{
            item("mnuViewmnuLVText"), item("mnuViewmnuLVList"), button(Button::TextView),
            button(Button::ListView), item("mnuToolsFonts"), commands.menu("mnuEdit")->menuAction(),
            commands.enabledWhen(When::WithDocument) + commands.enabledWhen(When::InTextView) +
                commands.enabledWhen(When::InListView),
            commands.enabledWhen(When::InTextView), commands.enabledWhen(When::InListView)});
    m_applyEdit = std::make_unique<ApplyEdit>(document, m_dialogs, views, tvTreeView);
    m_explorer = std::make_unique<SettingsExplorer>(
        *tvTreeView, m_catalogue,
        SettingsExplorer::Marks{item("mnuViewmnuListCat"), item("mnuViewmnuListAlpha"),
                                button(Button::ListCat), button(Button::ListAlpha),
                                item("mnu_PopUpTV_SortCategory"), item("mnu_PopUpTV_SortAlpha"),
                                commands.enabledWhen(When::ByCategory)});
    m_files = std::make_unique<FileCommands>(document, m_dialogs, this);
    m_rowOperations = std::make_unique<RowOperations>(
        document, m_dialogs, views, commands.menu("mnuPopUpLV"), item("mnuToolsConfirmDelete"));
    m_preferences = std::make_unique<Preferences>(
        document, m_dialogs,
        Preferences::Parts{area, txtTextBox, item("mnuToolsConfirmDelete"), item("mnuToolsFonts"),
                           item("mnuViewmnuListCat"), item("mnuViewmnuProblems")});
    m_find = std::make_unique<FindCommands>(document, m_dialogs, views, tvTreeView);
    m_edit = std::make_unique<EditCommands>(document, m_dialogs, this, txtTextBox);
    m_versions =
        std::make_unique<VersionMenu>(mnuDVVersion, m_catalogue, m_dialogs, this, m_programDir);
    m_status = std::make_unique<StatusBar>(this);
    m_recent = std::make_unique<RecentFilesMenu>(commands.menu("mnuFileRecent"), m_dialogs, this);
    m_external = std::make_unique<ExternalChanges>(document, m_dialogs, this);
    m_problems = std::make_unique<ProblemsPane>(
        document, CatalogueDatabase::GetCatalogueDatabasePath(m_programDir),
        ProblemsPane::Parts{fraProblems, lvProblems, lvListView, txtTextBox, lblNoProblems,
                            vbuSplitterProblems});
    m_recovery = std::make_unique<Recovery>(document, m_dialogs, this);
}

// The names a screen reader announces, and the Tab order.
void MainWindow::dressControls()
{
    const std::pair<QWidget*, const char*> names[] = {
        {vbuSplitterHoriz, "Document and help"},
        {vbuSplitterVert, "Settings Explorer and document"},
        {documentPane, "Document"},
        {explorerPane, "Settings Explorer and filter"},
        {txtFilter, "Filter settings"},
        {txtTextBox, "Text View"},
        {lvListView, "List View"},
        {vbuSplitterProblems, "Document and problems"},
        {fraProblems, "Problems"},
        {lvProblems, "Problems"},
    };
    for (const auto& [widget, name] : names)
        widget->setAccessibleName(QLatin1String(name));

    // Tab goes through the regions in reading order, whatever order they were built in: the
    // Settings Explorer, the value editor over the document, the document, its problems, help.
    QWidget* const order[] = {txtFilter,           tvTreeView,
                              picTitles->cboParam, picTitles->txtParam,
                              picTitles->cmdOK,    picTitles->cmdCancel,
                              txtTextBox,          lvListView,
                              lvProblems,          helpPane->brwHelpBrowser};
    for (size_t i = 1; i < std::size(order); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

// The one place where the components meet: every trigger and every signal between them.
void MainWindow::wire()
{
    // The command's menu item and its toolbar button.
    const auto on = [this](std::initializer_list<const char*> commands, auto* receiver,
                           auto command) {
        for (const char* name : commands) {
            for (QAction* trigger : m_commands->triggers(name))
                connect(trigger, &QAction::triggered, receiver, command);
        }
    };
    // Before the commands, which read the marks as they were.
    for (const char* name :
         {"mnuViewmnuListCat", "mnuViewmnuListAlpha", "mnuViewmnuLVText", "mnuViewmnuLVList",
          "mnu_PopUpTV_SortCategory", "mnu_PopUpTV_SortAlpha", "mnuViewmnuShowHelp",
          "mnuToolsConfirmDelete"})
        commandOwnsMark(item(name));

    wireLineEnds();
    FileCommands* files = m_files.get();
    on({"mnuFileNew"}, files, &FileCommands::NewDocument);
    on({"mnuFileOpen"}, files, &FileCommands::OpenDocument);
    on({"mnuFilemnuSave"}, files, &FileCommands::SaveDocument);
    on({"mnuFilemnuSaveAs"}, files, &FileCommands::SaveDocumentAs);
    on({"mnuFileClose"}, files, &FileCommands::closeCommand);
    on({"mnuFileCompare"}, this, [this] { CompareWindow::showFor(*m_document, m_dialogs, this); });
    RecentFilesMenu* recent = m_recent.get();
    connect(files, &FileCommands::fileUsed, recent, &RecentFilesMenu::fileUsed);
    connect(recent, &RecentFilesMenu::openRequested, files, &FileCommands::openRecent);
    ExternalChanges* external = m_external.get();
    files->setWriteGuard([external](const QString& path) { return external->mayOverwrite(path); });
    connect(files, &FileCommands::fileUsed, external, &ExternalChanges::fileUsed);
    connect(files, &FileCommands::documentCreated, external, &ExternalChanges::forget);
    connect(files, &FileCommands::documentClosed, external, &ExternalChanges::forget);
    connect(external, &ExternalChanges::reloadRequested, files, &FileCommands::openChosenFile);
    Recovery* recovery = m_recovery.get();
    recovery->setSetAsideGuard([files] { return files->maySetDocumentAside(); });
    connect(recovery, &Recovery::viewWanted, m_views.get(), &DocumentViews::SetView);
    connect(recovery, &Recovery::documentRecovered, files, &FileCommands::documentReplaced);
    connect(recovery, &Recovery::message, m_status.get(), &StatusBar::say);
    // A dropped file opens as a recent one does: the save question, then the file.
    connect(new FileDrop(this), &FileDrop::fileDropped, files, &FileCommands::openRecent);
    on({"mnuFilemnuExit"}, this, &QWidget::close);
    for (size_t i = 0; i < mnuDVVersion.size(); ++i)
        connect(mnuDVVersion[i], &QAction::triggered, m_versions.get(),
                [this, i] { m_versions->versionChosen(static_cast<int>(i)); });

    EditCommands* edit = m_edit.get();
    on({"mnuEditUndo"}, edit, &EditCommands::undo);
    on({"mnuEditRedo"}, edit, &EditCommands::redo);
    on({"mnuEditCut"}, edit, &EditCommands::cut);
    on({"mnuEditCopy"}, edit, &EditCommands::copy);
    on({"mnuEditPaste"}, edit, &EditCommands::paste);
    on({"mnuEditSelectAll"}, edit, &EditCommands::selectAll);
    on({"mnuFilemnuPrint"}, edit, &EditCommands::print);
    on({"mnuFind"}, m_find.get(), &FindCommands::openFind);
    on({"mnuFindNext"}, m_find.get(), &FindCommands::findNext);
    on({"mnuFindPrevious"}, m_find.get(), &FindCommands::findPrevious);

    RowOperations* rows = m_rowOperations.get();
    on({"mnuEditDelete", "mnu_PopUpLV_Delete"}, rows, &RowOperations::DeleteItem);
    on({"mnu_PopUpLV_MoveUp"}, rows, &RowOperations::MoveRowUp);
    on({"mnu_PopUpLV_MoveDown"}, rows, &RowOperations::MoveRowDown);
    on({"mnu_PopUpLV_Comment"}, rows, &RowOperations::ToggleComment);

    DocumentViews* views = m_views.get();
    on({"mnuViewmnuLVText"}, views, &DocumentViews::textViewCommand);
    on({"mnuViewmnuLVList"}, views, &DocumentViews::listViewCommand);
    on({"mnu_PopUpLV_TextView"}, views, &DocumentViews::popUpSwitchToTextView);

    SettingsExplorer* explorer = m_explorer.get();
    on({"mnuViewmnuListCat", "mnu_PopUpTV_SortCategory"}, explorer,
       [explorer] { explorer->listCommand(true); });
    on({"mnuViewmnuListAlpha", "mnu_PopUpTV_SortAlpha"}, explorer,
       [explorer] { explorer->listCommand(false); });
    on({"mnuViewmnuExpandTV", "mnu_PopUpTV_ExpandAll"}, explorer,
       &SettingsExplorer::ExpandAllNodes);
    on({"mnuViewmnuCollapseTV", "mnu_PopUpTV_CollapseAll"}, explorer,
       &SettingsExplorer::CollapseAllNodes);
    on({"mnuViewmnuShowHelp"}, m_layout.get(), &MainLayout::toggleHelpWindow);

    on({"mnuToolsFonts"}, m_preferences.get(), &Preferences::fontsCommand);
    on({"mnuToolsConfirmDelete"}, m_preferences.get(), &Preferences::confirmDeleteCommand);

    on({"mnuHelpContents"}, this, [this] {
        showHelpContents(m_dialogs, m_programDir + QStringLiteral("/DraCFG.html"), this);
    });
    on({"mnuHelpAbout"}, this, [this] { showAboutBox(m_dialogs, this); });
    connect(helpPane, &HelpPane::externalLinkClicked, this,
            [this](const QUrl& url) { openAddress(m_dialogs, this, url); });

    // Undo and Redo name the step they would take.
    QUndoStack& history = m_document->history();
    const auto follow = [&history](QAction* item, const QString& caption, auto canSignal,
                                   auto textSignal) {
        connect(&history, canSignal, item, &QAction::setEnabled);
        connect(&history, textSignal, item, [item, caption](const QString& step) {
            item->setText(step.isEmpty() ? caption : caption + QLatin1Char(' ') + step);
        });
    };
    follow(item("mnuEditUndo"), QStringLiteral("&Undo"), &QUndoStack::canUndoChanged,
           &QUndoStack::undoTextChanged);
    follow(item("mnuEditRedo"), QStringLiteral("&Redo"), &QUndoStack::canRedoChanged,
           &QUndoStack::redoTextChanged);
    connect(m_document.get(), &ConfigDocument::changeShown, views, &DocumentViews::showChange);

    // What one component does that another shows.
    ValueEditor* strip = picTitles;
    strip->setFocusAfterReset(tvTreeView);
    connect(strip, &ValueEditor::okPressed, m_applyEdit.get(),
            [this](const RowEdits::ValueEdit& edit) {
                m_applyEdit->ApplyValueEdit(edit, picTitles->EditingExistingRow());
            });
    connect(strip, &ValueEditor::helpPageRequested, helpPane, &HelpPane::showHelpPage);
    connect(strip, &ValueEditor::helpBlankRequested, helpPane, &HelpPane::blankHelpPane);
    connect(tvTreeView, &SettingsTree::settingChosen, strip, &ValueEditor::treeClicked);
    connect(tvTreeView, &SettingsTree::categoryChosen, strip, &ValueEditor::categoryClicked);
    connect(tvTreeView, &SettingsTree::settingSelected, strip, &ValueEditor::treeSelected);
    connect(tvTreeView, &SettingsTree::categorySelected, strip, &ValueEditor::categoryClicked);
    connect(tvTreeView, &SettingsTree::editRequested, strip, &ValueEditor::focusValueBox);
    QMenu* treePopUp = m_commands->menu("mnuPopUpTV");
    connect(tvTreeView, &SettingsTree::popUpRequested, treePopUp,
            [treePopUp] { treePopUp->popup(QCursor::pos()); });
    connect(tvTreeView, &SettingsTree::focusEntered, m_find.get(),
            [this] { m_find->setLastFocusInTree(true); });
    connect(m_find.get(), &FindCommands::nodeFound, tvTreeView, &SettingsTree::announceSelection);
    connect(views, &DocumentViews::documentFocused, m_find.get(),
            [this] { m_find->setLastFocusInTree(false); });
    connect(views, &DocumentViews::rowChosen, strip, &ValueEditor::listClicked);
    connect(views, &DocumentViews::rowSelected, strip, &ValueEditor::listSelected);
    connect(views, &DocumentViews::editRequested, strip, &ValueEditor::focusValueBox);
    connect(views, &DocumentViews::viewSwitched, strip, &ValueEditor::ResetValueEditor);
    // The row that a deletion, even a refused one, leaves selected is the one OK would change.
    connect(rows, &RowOperations::rowDeleted, views, &DocumentViews::announceSelection);
    connect(m_applyEdit.get(), &ApplyEdit::notApplied, m_status.get(), &StatusBar::say);
    connect(m_document.get(), &ConfigDocument::changedChanged, m_status.get(),
            &StatusBar::setModified);
    connect(explorer, &SettingsExplorer::treeRebuilt, strip, &ValueEditor::clear);
    connect(explorer, &SettingsExplorer::helpBlankRequested, helpPane, &HelpPane::blankHelpPane);
    connect(m_versions.get(), &VersionMenu::catalogueReloaded, explorer,
            [explorer] { explorer->BuildSettingsTree(explorer->isByCategory()); });
    // New, Open and Close: nothing of the previous document's rows stays in the strip.
    connect(m_document.get(), &ConfigDocument::openChanged, strip, &ValueEditor::clear);
    showFileFormat();
    connect(m_document.get(), &ConfigDocument::openChanged, lblNoDocument, &QWidget::setHidden);
    connect(txtFilter, &QLineEdit::textChanged, tvTreeView, &SettingsTree::filter);
    auto* clearFilter = new QShortcut(QKeySequence(Qt::Key_Escape), txtFilter);
    clearFilter->setContext(Qt::WidgetShortcut);
    connect(clearFilter, &QShortcut::activated, txtFilter, &QLineEdit::clear);
    connect(files, &FileCommands::documentCreated, this, [this] { selectRow(lvListView, 0); });

    // The problems follow every edit after a pause, and the rest at once.
    ProblemsPane* problems = m_problems.get();
    connect(item("mnuViewmnuProblems"), &QAction::toggled, problems, &ProblemsPane::showPane);
    connect(problems, &ProblemsPane::countsChanged, m_status.get(), &StatusBar::setProblemCounts);
    connect(m_document.get(), &ConfigDocument::textAboutToBeReplaced, problems,
            &ProblemsPane::dropUnderlines);
    connect(problems, &ProblemsPane::message, m_status.get(), &StatusBar::say);
    connect(views, &DocumentViews::rowChosen, problems, &ProblemsPane::rowChosen);
    connect(views, &DocumentViews::rowSelected, problems, &ProblemsPane::rowSelected);
    const RowModel* model = &m_document->rows();
    connect(model, &QAbstractItemModel::dataChanged, problems, &ProblemsPane::recheckSoon);
    connect(model, &QAbstractItemModel::rowsInserted, problems, &ProblemsPane::recheckSoon);
    connect(model, &QAbstractItemModel::rowsRemoved, problems, &ProblemsPane::recheckSoon);
    connect(model, &QAbstractItemModel::rowsMoved, problems, &ProblemsPane::recheckSoon);
    connect(model, &QAbstractItemModel::layoutChanged, problems, &ProblemsPane::recheckSoon);
    connect(model, &QAbstractItemModel::modelReset, problems, &ProblemsPane::recheckSoon);
    connect(&m_document->textDocument(), &QTextDocument::contentsChanged, problems,
            &ProblemsPane::recheckSoon);
    connect(m_document.get(), &ConfigDocument::openChanged, problems, &ProblemsPane::recheck);
    connect(m_document.get(), &ConfigDocument::viewChanged, problems, &ProblemsPane::recheck);
    connect(m_document.get(), &ConfigDocument::pathChanged, problems, &ProblemsPane::recheck);
    for (size_t i = 0; i < mnuDVVersion.size(); ++i)
        connect(mnuDVVersion[i], &QAction::toggled, problems, [problems, i](bool checked) {
            if (checked)
                problems->setVersionIndex(static_cast<int>(i));
        });
    connect(files, &FileCommands::documentClosed, this, [this] {
        if (QTreeWidgetItem* first = tvTreeView->node(1))
            tvTreeView->setCurrentItem(first);
        helpPane->blankHelpPane();
        picTitles->clear();
    });
}

// "UTF-8 | CR LF | 214 lines" while a document is open, following its edits.
void MainWindow::showFileFormat()
{
    ConfigDocument* document = m_document.get();
    const auto show = [this, document] {
        if (!document->DocumentOpen()) {
            m_status->setFileFormat(QString());
            return;
        }
        const int lines = document->lineCount();
        m_status->setFileFormat(
            ConfigFile::describe(document->format()) +
            (lines == 1 ? QStringLiteral(" | 1 line") : QStringLiteral(" | %1 lines").arg(lines)));
    };
    for (auto signal : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
        connect(&document->rows(), signal, m_status.get(), show);
    connect(&document->rows(), &QAbstractItemModel::modelReset, m_status.get(), show);
    connect(&document->textDocument(), &QTextDocument::contentsChanged, m_status.get(), show);
    connect(document, &ConfigDocument::textReplaced, m_status.get(), show);
    connect(document, &ConfigDocument::openChanged, m_status.get(), show);
    connect(document, &ConfigDocument::formatChanged, m_status.get(), show);
    connect(document, &ConfigDocument::viewChanged, m_status.get(), show);
    show();
}

void MainWindow::wireLineEnds()
{
    using ConfigFile::LineEnds;
    ConfigDocument* document = m_document.get();
    const auto showMarks = [this, document] {
        const LineEnds ends = document->format().lineEnds;
        item("mnuFileLineEndsCrLf")->setChecked(ends == LineEnds::CrLf || ends == LineEnds::None);
        item("mnuFileLineEndsLf")->setChecked(ends == LineEnds::Lf);
    };
    connect(document, &ConfigDocument::formatChanged, this, showMarks);
    connect(document, &ConfigDocument::openChanged, this, showMarks);
    const auto convert = [document, showMarks](LineEnds ends) {
        document->convertLineEnds(ends);
        // Choosing the mark already set changes nothing, and must not clear it.
        showMarks();
    };
    connect(item("mnuFileLineEndsCrLf"), &QAction::triggered, this,
            [convert] { convert(LineEnds::CrLf); });
    connect(item("mnuFileLineEndsLf"), &QAction::triggered, this,
            [convert] { convert(LineEnds::Lf); });
    showMarks();
}

void MainWindow::load()
{
    m_views->SetDocumentCommandStates();
    setWindowTitle(ProductName);
    m_preferences->LoadPreferences();
    m_versions->setCheckedIndex(PreferenceStore::storedVersionIndex());

    const auto store = PreferenceStore::open();
    m_views->SetView(PreferenceStore::read<bool>(*store, PreferenceStore::Keys::ShowTextBox));
    m_explorer->BuildSettingsTree(
        PreferenceStore::read<bool>(*store, PreferenceStore::Keys::ListByCategory));
    m_preferences->LoadFontPreferences();
    lblNoDocument->setHidden(m_document->DocumentOpen());
    // Where the focus says nothing about the tree: Find starts in the editor, as with every
    // flag false. Qt would otherwise give the first control, the filter box or the tree, the
    // focus when the window shows.
    documentPane->setFocus(Qt::OtherFocusReason);
    // Once the window shows and waits for the user, the reference page is read ahead.
    QMetaObject::invokeMethod(
        helpPane, [this] { helpPane->preload(ServerInstall::GetHelpLocation(m_programDir)); },
        Qt::QueuedConnection);
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (m_document->DocumentChanged() && !m_files->maySetDocumentAside()) {
        event->ignore();
        return;
    }
    m_files->CloseDocument();

    const QWidgetList windows = QApplication::topLevelWidgets();
    for (auto it = windows.crbegin(); it != windows.crend(); ++it) {
        if (*it != this && (*it)->isVisible())
            (*it)->close();
    }

    if (!isMinimized())
        m_preferences->SavePreferences();
    saveShutdownState();
    event->accept();
}

void MainWindow::saveShutdownState()
{
    const auto store = PreferenceStore::open();
    const int checked = m_versions->checkedIndex();
    if (checked >= 0)
        PreferenceStore::write(*store, PreferenceStore::Keys::DravaneVersion, checked);
    const PreferenceStore::Key& viewMode = PreferenceStore::Keys::ViewMode;
    PreferenceStore::write(*store, viewMode, static_cast<qint32>(viewMode.defaultValue));
    store->sync();
}

void MainWindow::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    if (m_layout)
        m_layout->resizeLayout();
}
