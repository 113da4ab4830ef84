#include "ui/MainWindow.h"

#include "core/ConfigDocument.h"
#include "core/PreferenceStore.h"
#include "core/Version.h"
#include "ui/AboutBox.h"
#include "ui/ApplyEdit.h"
#include "ui/Dialogs.h"
#include "ui/DocumentViews.h"
#include "ui/EditCommands.h"
#include "ui/FileCommands.h"
#include "ui/FindCommands.h"
#include "ui/HelpPane.h"
#include "ui/ListSelection.h"
#include "ui/MainLayout.h"
#include "ui/Preferences.h"
#include "ui/RowOperations.h"
#include "ui/SettingsExplorer.h"
#include "ui/SettingsTree.h"
#include "ui/ToolbarIcons.h"
#include "ui/Twips.h"
#include "ui/ValueEditor.h"
#include "ui/VersionMenu.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QGridLayout>
#include <QHeaderView>
#include <QMenuBar>
#include <QPlainTextDocumentLayout>
#include <QPlainTextEdit>
#include <QShortcut>
#include <QSplitter>
#include <QToolBar>
#include <QTreeView>
#include <QVBoxLayout>

namespace {

QAction* AddItem(QMenu* menu, const char* name, const QString& caption,
                 const QKeySequence& shortcut = {})
{
    QAction* action = menu->addAction(caption);
    action->setObjectName(QLatin1String(name));
    if (!shortcut.isEmpty())
        action->setShortcut(shortcut);
    return action;
}

void AddSeparator(QMenu* menu, const char* name)
{
    menu->addSeparator()->setObjectName(QLatin1String(name));
}

QMenu* AddMenu(QMenuBar* bar, const char* name, const QString& caption)
{
    QMenu* menu = bar->addMenu(caption);
    menu->setObjectName(QLatin1String(name));
    menu->menuAction()->setObjectName(QLatin1String(name) + QLatin1String("Title"));
    return menu;
}

struct ToolbarEntry {
    int index;
    const char* tooltip;
    bool separatorBefore;
};

// Left to right, with the gaps between the groups.
constexpr ToolbarEntry ToolbarOrder[] = {
    {Button::New, "New", false},
    {Button::Open, "Open", false},
    {Button::Save, "Save", false},
    {Button::Print, "Print", false},
    {Button::Cut, "Cut", true},
    {Button::Copy, "Copy", false},
    {Button::Paste, "Paste", false},
    {Button::Delete, "Delete", false},
    {Button::Find, "Find", true},
    {Button::ListAlpha, "List Settings Alphabetically", true},
    {Button::ListCat, "List Settings Categorically", false},
    {Button::TextView, "Text View", true},
    {Button::ListView, "List View", false},
    {Button::ShowHelp, "Show/Hide Help Window", true},
    {Button::MoveUp, "Move Up", true},
    {Button::MoveDown, "Move Down", false},
    {Button::Comment, "Add/Remove Comment", true},
};

// Toolbar buttons are squares of this side, in twips: the whole row fits the default window.
constexpr double ToolbarButtonSize = 300;

QString WithoutMnemonic(QString caption)
{
    return caption.remove(QLatin1Char('&')).trimmed();
}

// The command sets the item's check mark itself: Qt's own toggling is taken back first.
void CommandOwnsMark(QAction* item)
{
    QObject::connect(item, &QAction::triggered, item,
                     [item](bool checked) { item->setChecked(!checked); });
}

} // namespace

MainWindow::MainWindow(Dialogs& dialogs, QString programDir, CatalogueTable catalogue,
                       QWidget* parent)
    : QMainWindow(parent), m_dialogs(dialogs), m_programDir(std::move(programDir)),
      m_catalogue(std::move(catalogue)), m_document(std::make_unique<ConfigDocument>())
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(ProductName);

    BuildMenus();
    BuildPopUpMenus();
    BuildToolbar();
    BuildWorkArea();
    CreateComponents();
    DressControls();
    wire();
}

MainWindow::~MainWindow()
{
    // The views show the document: they go before it does.
    delete txtTextBox;
    lvListView->setModel(nullptr);
}

void MainWindow::BuildMenus()
{
    QMenuBar* bar = menuBar();

    mnuFile = AddMenu(bar, "mnuFile", QStringLiteral("&File"));
    mnuFilemnuSelectVersion = mnuFile->addMenu(QStringLiteral("Select Dra&vane Version"));
    mnuFilemnuSelectVersion->setObjectName(QStringLiteral("mnuFilemnuSelectVersion"));
    for (size_t p = 0; p < mnuDVVersion.size(); ++p) {
        QAction* item = mnuFilemnuSelectVersion->addAction(QString());
        item->setObjectName(QStringLiteral("mnuDVVersion(%1)").arg(p));
        item->setCheckable(true);
        item->setVisible(p == 0); // until the list is filled: one item, empty caption
        mnuDVVersion[p] = item;
    }
    mnuFileNew = AddItem(mnuFile, "mnuFileNew", QStringLiteral("&New"),
                         QKeySequence(QStringLiteral("Ctrl+N")));
    mnuFileOpen = AddItem(mnuFile, "mnuFileOpen", QStringLiteral("&Open..."),
                          QKeySequence(QStringLiteral("Ctrl+O")));
    mnuFilemnuSave = AddItem(mnuFile, "mnuFilemnuSave", QStringLiteral("&Save"),
                             QKeySequence(QStringLiteral("Ctrl+S")));
    mnuFilemnuSaveAs = AddItem(mnuFile, "mnuFilemnuSaveAs", QStringLiteral("Save &As"));
    mnuFilemnuSaveAs->setEnabled(false);
    AddSeparator(mnuFile, "mnuFileBar0");
    mnuFilemnuPrint = AddItem(mnuFile, "mnuFilemnuPrint", QStringLiteral("&Print"),
                              QKeySequence(QStringLiteral("Ctrl+P")));
    AddSeparator(mnuFile, "mnuFileBar1");
    mnuFileClose = AddItem(mnuFile, "mnuFileClose", QStringLiteral("&Close"));
    mnuFilemnuExit = AddItem(mnuFile, "mnuFilemnuExit", QStringLiteral("&Exit"));

    mnuEdit = AddMenu(bar, "mnuEdit", QStringLiteral("&Edit"));
    mnuEditCut = AddItem(mnuEdit, "mnuEditCut", QStringLiteral("Cu&t"),
                         QKeySequence(QStringLiteral("Ctrl+X")));
    mnuEditCopy = AddItem(mnuEdit, "mnuEditCopy", QStringLiteral("&Copy"),
                          QKeySequence(QStringLiteral("Ctrl+C")));
    mnuEditPaste = AddItem(mnuEdit, "mnuEditPaste", QStringLiteral("&Paste"),
                           QKeySequence(QStringLiteral("Ctrl+V")));
    mnuEditDelete = AddItem(mnuEdit, "mnuEditDelete", QStringLiteral("&Delete"));
    AddSeparator(mnuEdit, "mnuEditBar1");
    mnuEditSelectAll = AddItem(mnuEdit, "mnuEditSelectAll", QStringLiteral("Select &All"),
                               QKeySequence(QStringLiteral("Ctrl+A")));
    mnuFind = AddItem(mnuEdit, "mnuFind", QStringLiteral("&Find"),
                      QKeySequence(QStringLiteral("Ctrl+F")));

    mnuView = AddMenu(bar, "mnuView", QStringLiteral("&View"));
    mnuViewmnuShowHelp =
        AddItem(mnuView, "mnuViewmnuShowHelp", QStringLiteral("&Show Help Window"));
    AddSeparator(mnuView, "mnuViewBar2");
    mnuViewmnuListCat =
        AddItem(mnuView, "mnuViewmnuListCat", QStringLiteral("List Settings &Categorically"));
    mnuViewmnuListAlpha =
        AddItem(mnuView, "mnuViewmnuListAlpha", QStringLiteral("List Settings &Alphabetically"));
    AddSeparator(mnuView, "mnuViewBar0");
    mnuViewmnuLVText = AddItem(mnuView, "mnuViewmnuLVText", QStringLiteral("&Text View"));
    mnuViewmnuLVList = AddItem(mnuView, "mnuViewmnuLVList", QStringLiteral("&List View"));
    AddSeparator(mnuView, "mnuViewBar1");
    mnuViewmnuExpandTV = AddItem(mnuView, "mnuViewmnuExpandTV", QStringLiteral("&Expand Tree"));
    mnuViewmnuCollapseTV =
        AddItem(mnuView, "mnuViewmnuCollapseTV", QStringLiteral("Collapse T&ree"));
    for (QAction* item : {mnuViewmnuShowHelp, mnuViewmnuListCat, mnuViewmnuListAlpha,
                          mnuViewmnuLVText, mnuViewmnuLVList})
        item->setCheckable(true);
    mnuViewmnuShowHelp->setChecked(true);

    mnuTools = AddMenu(bar, "mnuTools", QStringLiteral("&Tools"));
    mnuToolsFonts = AddItem(mnuTools, "mnuToolsFonts", QStringLiteral("&Fonts..."));
    mnuToolsConfirmDelete =
        AddItem(mnuTools, "mnuToolsConfirmDelete", QStringLiteral("&Confirm Delete"));
    mnuToolsConfirmDelete->setCheckable(true);

    mnuHelp = AddMenu(bar, "mnuHelp", QStringLiteral("&Help"));
    mnuHelpContents = AddItem(mnuHelp, "mnuHelpContents", QStringLiteral("&Contents"));
    AddSeparator(mnuHelp, "mnuHelpBar0");
    mnuHelpAbout = AddItem(mnuHelp, "mnuHelpAbout", QStringLiteral("&About "));
}

void MainWindow::BuildPopUpMenus()
{

    mnuPopUpLV = new QMenu(this);
    mnuPopUpLV->setObjectName(QStringLiteral("mnuPopUpLV"));
    mnu_PopUpLV_MoveUp = AddItem(mnuPopUpLV, "mnu_PopUpLV_MoveUp", QStringLiteral("Move Up"));
    mnu_PopUpLV_MoveDown = AddItem(mnuPopUpLV, "mnu_PopUpLV_MoveDown", QStringLiteral("Move Down"));
    AddSeparator(mnuPopUpLV, "mnu_PopUpLV_Bar0");
    mnu_PopUpLV_Delete = AddItem(mnuPopUpLV, "mnu_PopUpLV_Delete", QStringLiteral("Delete"));
    mnu_PopUpLV_TextView =
        AddItem(mnuPopUpLV, "mnu_PopUpLV_TextView", QStringLiteral("Switch to Text View"));
    AddSeparator(mnuPopUpLV, "mnu_PopUpLV_Bar1");
    mnu_PopUpLV_Comment =
        AddItem(mnuPopUpLV, "mnu_PopUpLV_Comment", QStringLiteral("Add/Remove Comment"));

    mnuPopUpTV = new QMenu(this);
    mnuPopUpTV->setObjectName(QStringLiteral("mnuPopUpTV"));
    mnu_PopUpTV_ExpandAll =
        AddItem(mnuPopUpTV, "mnu_PopUpTV_ExpandAll", QStringLiteral("Expand All"));
    mnu_PopUpTV_CollapseAll =
        AddItem(mnuPopUpTV, "mnu_PopUpTV_CollapseAll", QStringLiteral("Collapse All"));
    AddSeparator(mnuPopUpTV, "mnu_PopUpTV_Bar0");
    mnu_PopUpTV_SortCategory =
        AddItem(mnuPopUpTV, "mnu_PopUpTV_SortCategory", QStringLiteral("Sort by Category"));
    mnu_PopUpTV_SortAlpha =
        AddItem(mnuPopUpTV, "mnu_PopUpTV_SortAlpha", QStringLiteral("Sort Alphabetically"));
    for (QAction* item : {mnu_PopUpTV_SortCategory, mnu_PopUpTV_SortAlpha})
        item->setCheckable(true);
}

void MainWindow::BuildToolbar()
{
    CoolBar1 = addToolBar(QStringLiteral("Toolbar"));
    CoolBar1->setObjectName(QStringLiteral("CoolBar1"));
    CoolBar1->setMovable(false);
    CoolBar1->setFloatable(false);
    CoolBar1->setToolButtonStyle(Qt::ToolButtonIconOnly);
    CoolBar1->toggleViewAction()->setEnabled(false);

    for (const ToolbarEntry& entry : ToolbarOrder) {
        if (entry.separatorBefore)
            CoolBar1->addSeparator();
        QAction* button = CoolBar1->addAction(QLatin1String(entry.tooltip));
        button->setObjectName(QStringLiteral("FlatBttn(%1)").arg(entry.index));
        button->setToolTip(QLatin1String(entry.tooltip));
        FlatBttn[static_cast<size_t>(entry.index)] = button;
    }
    for (int index :
         {Button::ListAlpha, Button::ListCat, Button::TextView, Button::ListView, Button::ShowHelp})
        FlatBttn[static_cast<size_t>(index)]->setCheckable(true);
}

void MainWindow::BuildWorkArea()
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

    tvTreeView = new SettingsTree(vbuSplitterVert);

    // The list lies over the text view: both occupy the same cell and only one is shown.
    documentPane = new QWidget(vbuSplitterVert);
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

    helpPane = new HelpPane(vbuSplitterHoriz);

    vbuSplitterHoriz->setStretchFactor(0, 1);
    vbuSplitterVert->setStretchFactor(1, 1);
    column->addWidget(vbuSplitterHoriz, 1);
    setCentralWidget(central);
}

void MainWindow::CreateComponents()
{
    ConfigDocument& document = *m_document;
    const DocumentWidgets views{this, lvListView, txtTextBox};
    m_layout = std::make_unique<MainLayout>(MainLayout::Parts{
        this, vbuSplitterHoriz, vbuSplitterVert, picTitles, tvTreeView, documentPane, lvListView,
        mnuViewmnuShowHelp, FlatBttn[Button::ShowHelp]});
    m_views = std::make_unique<DocumentViews>(
        document, lvListView, txtTextBox,
        DocumentViews::Commands{
            mnuViewmnuLVText,
            mnuViewmnuLVList,
            FlatBttn[Button::TextView],
            FlatBttn[Button::ListView],
            mnuToolsFonts,
            mnuEdit->menuAction(),
            {mnuFilemnuSave, mnuFilemnuSaveAs, mnuFilemnuPrint, mnuFileClose,
             FlatBttn[Button::Save], FlatBttn[Button::Print], FlatBttn[Button::Cut],
             FlatBttn[Button::Copy], FlatBttn[Button::Paste], FlatBttn[Button::Delete],
             FlatBttn[Button::MoveUp], FlatBttn[Button::MoveDown], FlatBttn[Button::Comment]},
            {mnuEditCut, mnuEditCopy, mnuEditPaste, mnuEditSelectAll, FlatBttn[Button::Cut],
             FlatBttn[Button::Copy], FlatBttn[Button::Paste]},
            {FlatBttn[Button::MoveUp], FlatBttn[Button::MoveDown]}});
    m_applyEdit = std::make_unique<ApplyEdit>(document, m_dialogs, views, tvTreeView);
    m_explorer = std::make_unique<SettingsExplorer>(
        *tvTreeView, m_catalogue,
        SettingsExplorer::Marks{mnuViewmnuListCat,
                                mnuViewmnuListAlpha,
                                FlatBttn[Button::ListCat],
                                FlatBttn[Button::ListAlpha],
                                mnu_PopUpTV_SortCategory,
                                mnu_PopUpTV_SortAlpha,
                                {mnu_PopUpTV_ExpandAll, mnu_PopUpTV_CollapseAll, mnuViewmnuExpandTV,
                                 mnuViewmnuCollapseTV}});
    m_files = std::make_unique<FileCommands>(document, m_dialogs, this);
    m_rowOperations = std::make_unique<RowOperations>(document, m_dialogs, views, mnuPopUpLV,
                                                      mnuToolsConfirmDelete);
    m_preferences = std::make_unique<Preferences>(
        document, m_dialogs,
        Preferences::Parts{this, vbuSplitterHoriz, vbuSplitterVert, lvListView, txtTextBox,
                           picTitles, mnuViewmnuShowHelp, FlatBttn[Button::ShowHelp],
                           mnuToolsConfirmDelete, mnuToolsFonts, mnuViewmnuListCat});
    m_find = std::make_unique<FindCommands>(document, m_dialogs, views, tvTreeView);
    m_edit = std::make_unique<EditCommands>(document, m_dialogs, this, txtTextBox);
    m_versions =
        std::make_unique<VersionMenu>(mnuDVVersion, m_catalogue, m_dialogs, this, m_programDir);
}

// Icons, sizes and the names a screen reader announces.
void MainWindow::DressControls()
{
    SetToolbarIcons(CoolBar1, FlatBttn, [this](int button) -> QList<QAction*> {
        // Checkable items go without an icon: in several styles it takes the check mark's place.
        switch (button) {
        case Button::New:
            return {mnuFileNew};
        case Button::Open:
            return {mnuFileOpen};
        case Button::Save:
            return {mnuFilemnuSave};
        case Button::Print:
            return {mnuFilemnuPrint};
        case Button::Cut:
            return {mnuEditCut};
        case Button::Copy:
            return {mnuEditCopy};
        case Button::Paste:
            return {mnuEditPaste};
        case Button::Delete:
            return {mnuEditDelete, mnu_PopUpLV_Delete};
        case Button::Find:
            return {mnuFind};
        case Button::TextView:
            return {mnu_PopUpLV_TextView};
        case Button::MoveUp:
            return {mnu_PopUpLV_MoveUp};
        case Button::MoveDown:
            return {mnu_PopUpLV_MoveDown};
        case Button::Comment:
            return {mnu_PopUpLV_Comment};
        default:
            return {};
        }
    });
    const int side = Twips::toPixels(ToolbarButtonSize, this);
    for (QAction* button : FlatBttn) {
        if (QWidget* widget = CoolBar1->widgetForAction(button)) {
            widget->setFixedSize(side, side);
            widget->setAccessibleName(button->toolTip());
        }
    }

    const std::pair<QWidget*, const char*> names[] = {
        {CoolBar1, "Toolbar"},
        {vbuSplitterHoriz, "Document and help"},
        {vbuSplitterVert, "Settings Explorer and document"},
        {documentPane, "Document"},
        {txtTextBox, "Text View"},
        {lvListView, "List View"},
        {mnuPopUpLV, "List commands"},
        {mnuPopUpTV, "Settings Explorer commands"},
    };
    for (const auto& [widget, name] : names)
        widget->setAccessibleName(QLatin1String(name));
    for (QMenu* menu : {mnuFile, mnuFilemnuSelectVersion, mnuEdit, mnuView, mnuTools, mnuHelp})
        menu->setAccessibleName(WithoutMnemonic(menu->title()));
}

// The one place where the components meet: every trigger and every signal between them.
void MainWindow::wire()
{
    const auto on = [this](std::initializer_list<QAction*> triggers, auto* receiver, auto command) {
        for (QAction* trigger : triggers)
            connect(trigger, &QAction::triggered, receiver, command);
    };
    // Before the commands, which read the marks as they were.
    for (QAction* item : {mnuViewmnuListCat, mnuViewmnuListAlpha, mnuViewmnuLVText,
                          mnuViewmnuLVList, mnu_PopUpTV_SortCategory, mnu_PopUpTV_SortAlpha,
                          mnuViewmnuShowHelp, mnuToolsConfirmDelete})
        CommandOwnsMark(item);

    FileCommands* files = m_files.get();
    on({mnuFileNew, FlatBttn[Button::New]}, files, &FileCommands::NewDocument);
    on({mnuFileOpen, FlatBttn[Button::Open]}, files, &FileCommands::OpenDocument);
    on({mnuFilemnuSave, FlatBttn[Button::Save]}, files, &FileCommands::SaveDocument);
    on({mnuFilemnuSaveAs}, files, &FileCommands::SaveDocumentAs);
    on({mnuFileClose}, files, &FileCommands::CloseCommand);
    on({mnuFilemnuExit}, this, &QWidget::close);
    for (size_t i = 0; i < mnuDVVersion.size(); ++i)
        connect(mnuDVVersion[i], &QAction::triggered, m_versions.get(),
                [this, i] { m_versions->VersionChosen(static_cast<int>(i)); });

    EditCommands* edit = m_edit.get();
    on({mnuEditCut, FlatBttn[Button::Cut]}, edit, &EditCommands::Cut);
    on({mnuEditCopy, FlatBttn[Button::Copy]}, edit, &EditCommands::Copy);
    on({mnuEditPaste, FlatBttn[Button::Paste]}, edit, &EditCommands::Paste);
    on({mnuEditSelectAll}, edit, &EditCommands::SelectAll);
    on({mnuFilemnuPrint, FlatBttn[Button::Print]}, edit, &EditCommands::Print);
    on({mnuFind, FlatBttn[Button::Find]}, m_find.get(), &FindCommands::OpenFind);

    RowOperations* rows = m_rowOperations.get();
    on({mnuEditDelete, FlatBttn[Button::Delete], mnu_PopUpLV_Delete}, rows,
       &RowOperations::DeleteItem);
    on({mnu_PopUpLV_MoveUp, FlatBttn[Button::MoveUp]}, rows, &RowOperations::MoveRowUp);
    on({mnu_PopUpLV_MoveDown, FlatBttn[Button::MoveDown]}, rows, &RowOperations::MoveRowDown);
    on({mnu_PopUpLV_Comment, FlatBttn[Button::Comment]}, rows, &RowOperations::ToggleComment);

    DocumentViews* views = m_views.get();
    on({mnuViewmnuLVText, FlatBttn[Button::TextView]}, views, &DocumentViews::TextViewCommand);
    on({mnuViewmnuLVList, FlatBttn[Button::ListView]}, views, &DocumentViews::ListViewCommand);
    on({mnu_PopUpLV_TextView}, views, &DocumentViews::PopUpSwitchToTextView);

    SettingsExplorer* explorer = m_explorer.get();
    on({mnuViewmnuListCat, FlatBttn[Button::ListCat], mnu_PopUpTV_SortCategory}, explorer,
       [explorer] { explorer->ListCommand(true); });
    on({mnuViewmnuListAlpha, FlatBttn[Button::ListAlpha], mnu_PopUpTV_SortAlpha}, explorer,
       [explorer] { explorer->ListCommand(false); });
    on({mnuViewmnuExpandTV, mnu_PopUpTV_ExpandAll}, explorer, &SettingsExplorer::ExpandAllNodes);
    on({mnuViewmnuCollapseTV, mnu_PopUpTV_CollapseAll}, explorer,
       &SettingsExplorer::CollapseAllNodes);
    on({mnuViewmnuShowHelp, FlatBttn[Button::ShowHelp]}, m_layout.get(),
       &MainLayout::ToggleHelpWindow);

    on({mnuToolsFonts}, m_preferences.get(), &Preferences::FontsCommand);
    on({mnuToolsConfirmDelete}, m_preferences.get(), &Preferences::ConfirmDeleteCommand);

    const auto helpContents = [this] {
        m_dialogs.openUrl(QUrl::fromLocalFile(m_programDir + QStringLiteral("/DraCFG.html")));
    };
    on({mnuHelpContents}, this, helpContents);
    auto* f1 = new QShortcut(QKeySequence::HelpContents, this);
    f1->setObjectName(QStringLiteral("helpContentsShortcut"));
    connect(f1, &QShortcut::activated, this, helpContents);
    on({mnuHelpAbout}, this, [this] { ShowAboutBox(m_dialogs, this); });
    connect(helpPane, &HelpPane::externalLinkClicked, this,
            [this](const QUrl& url) { m_dialogs.openUrl(url); });

    // What one component does that another shows.
    ValueEditor* strip = picTitles;
    strip->setFocusAfterReset(tvTreeView);
    connect(strip, &ValueEditor::okPressed, m_applyEdit.get(),
            [this](const RowEdits::ValueEdit& edit) {
                m_applyEdit->ApplyValueEdit(edit, picTitles->EditingExistingRow());
            });
    connect(strip, &ValueEditor::helpPageRequested, helpPane, &HelpPane::ShowHelpPage);
    connect(strip, &ValueEditor::helpBlankRequested, helpPane, &HelpPane::BlankHelpPane);
    connect(tvTreeView, &SettingsTree::settingChosen, strip, &ValueEditor::TreeClicked);
    connect(tvTreeView, &SettingsTree::categoryChosen, strip, &ValueEditor::CategoryClicked);
    connect(tvTreeView, &SettingsTree::popUpRequested, mnuPopUpTV,
            [this] { mnuPopUpTV->popup(QCursor::pos()); });
    connect(tvTreeView, &SettingsTree::focusEntered, m_find.get(),
            [this] { m_find->setLastFocusInTree(true); });
    connect(views, &DocumentViews::documentFocused, m_find.get(),
            [this] { m_find->setLastFocusInTree(false); });
    connect(views, &DocumentViews::rowChosen, strip, &ValueEditor::ListClicked);
    connect(views, &DocumentViews::viewSwitched, strip, &ValueEditor::ResetValueEditor);
    connect(rows, &RowOperations::rowDeleted, strip, &ValueEditor::ResetValueEditor);
    connect(explorer, &SettingsExplorer::treeRebuilt, strip, &ValueEditor::Clear);
    connect(explorer, &SettingsExplorer::helpBlankRequested, helpPane, &HelpPane::BlankHelpPane);
    connect(m_versions.get(), &VersionMenu::catalogueReloaded, explorer,
            [explorer] { explorer->BuildSettingsTree(explorer->IsByCategory()); });
    connect(m_document.get(), &ConfigDocument::openChanged, strip, [strip](bool open) {
        if (!open)
            strip->HideControls();
    });
    connect(files, &FileCommands::documentCreated, this, [this] { SelectRow(lvListView, 0); });
    connect(files, &FileCommands::documentClosed, this, [this] {
        if (QTreeWidgetItem* first = tvTreeView->Node(1))
            tvTreeView->setCurrentItem(first);
        helpPane->BlankHelpPane();
        picTitles->Clear();
    });
}

void MainWindow::Load()
{
    m_views->SetDocumentCommandStates();
    setWindowTitle(ProductName);
    m_preferences->LoadPreferences();
    m_versions->SetCheckedIndex(PreferenceStore::StoredVersionIndex());

    const auto store = PreferenceStore::Open();
    m_views->SetView(PreferenceStore::Read<bool>(*store, PreferenceStore::Keys::ShowTextBox));
    m_explorer->BuildSettingsTree(
        PreferenceStore::Read<bool>(*store, PreferenceStore::Keys::ListByCategory));
    m_preferences->LoadFontPreferences();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (m_document->DocumentChanged() && !m_files->MaySetDocumentAside()) {
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
    SaveShutdownState();
    event->accept();
}

void MainWindow::SaveShutdownState()
{
    const auto store = PreferenceStore::Open();
    const int checked = m_versions->CheckedIndex();
    if (checked >= 0)
        PreferenceStore::Write(*store, PreferenceStore::Keys::DravaneVersion, checked);
    const PreferenceStore::Key& viewMode = PreferenceStore::Keys::ViewMode;
    PreferenceStore::Write(*store, viewMode, static_cast<qint32>(viewMode.defaultValue));
    store->sync();
}

void MainWindow::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    if (m_layout)
        m_layout->ResizeLayout();
}
