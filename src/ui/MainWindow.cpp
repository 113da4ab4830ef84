#include "ui/MainWindow.h"

#include "core/PreferenceStore.h"
#include "ui/Preferences.h"
#include "core/Version.h"
#include "ui/SettingsExplorer.h"
#include "ui/VersionMenu.h"
#include "ui/ApplyEdit.h"
#include "ui/ConfigDocument.h"
#include "ui/DocumentViews.h"
#include "core/RowModel.h"
#include "ui/RowOperations.h"
#include "ui/ValueEditor.h"
#include "ui/EditCommands.h"
#include "ui/FindCommands.h"
#include "ui/FileCommands.h"
#include "ui/Dialogs.h"
#include "ui/HelpPane.h"
#include "ui/MainLayout.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QStackedWidget>
#include <QTextBrowser>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>
#include <QTreeWidget>
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

// The list's display mode number stored at shutdown: the details (report) mode.
constexpr int ListViewReportMode = 3;

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

} // namespace

MainWindow::MainWindow(Dialogs& dialogs, QString programDir, CatalogueTable catalogue,
                       QWidget* parent)
    : QMainWindow(parent), m_catalogue(std::move(catalogue)),
      m_context(std::make_unique<MainContext>(dialogs, m_catalogue, std::move(programDir)))
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(ProductName);
    widgets().frmMain = this;

    BuildMenus();
    BuildPopUpMenus();
    BuildToolbar();
    BuildWorkArea();
    CreateComponents();
}

MainWindow::~MainWindow()
{
    // Components disconnect from the widgets before the widgets go.
    m_components.clear();
    m_document.reset();
}

void MainWindow::BuildMenus()
{
    MainWidgets& ui = widgets();
    QMenuBar* bar = menuBar();

    ui.mnuFile = AddMenu(bar, "mnuFile", QStringLiteral("&File"));
    ui.mnuFilemnuSelectVersion = ui.mnuFile->addMenu(QStringLiteral("Select Dra&vane Version"));
    ui.mnuFilemnuSelectVersion->setObjectName(QStringLiteral("mnuFilemnuSelectVersion"));
    for (size_t p = 0; p < ui.mnuDVVersion.size(); ++p) {
        QAction* item = ui.mnuFilemnuSelectVersion->addAction(QString());
        item->setObjectName(QStringLiteral("mnuDVVersion(%1)").arg(p));
        item->setCheckable(true);
        item->setVisible(p == 0); // until the list is filled: one item, empty caption
        ui.mnuDVVersion[p] = item;
    }
    ui.mnuFileNew = AddItem(ui.mnuFile, "mnuFileNew", QStringLiteral("&New"),
                            QKeySequence(QStringLiteral("Ctrl+N")));
    ui.mnuFileOpen = AddItem(ui.mnuFile, "mnuFileOpen", QStringLiteral("&Open..."),
                             QKeySequence(QStringLiteral("Ctrl+O")));
    ui.mnuFilemnuSave = AddItem(ui.mnuFile, "mnuFilemnuSave", QStringLiteral("&Save"),
                                QKeySequence(QStringLiteral("Ctrl+S")));
    ui.mnuFilemnuSaveAs = AddItem(ui.mnuFile, "mnuFilemnuSaveAs", QStringLiteral("Save &As"));
    ui.mnuFilemnuSaveAs->setEnabled(false);
    AddSeparator(ui.mnuFile, "mnuFileBar0");
    ui.mnuFilemnuPrint = AddItem(ui.mnuFile, "mnuFilemnuPrint", QStringLiteral("&Print"),
                                 QKeySequence(QStringLiteral("Ctrl+P")));
    AddSeparator(ui.mnuFile, "mnuFileBar1");
    ui.mnuFileClose = AddItem(ui.mnuFile, "mnuFileClose", QStringLiteral("&Close"));
    ui.mnuFilemnuExit = AddItem(ui.mnuFile, "mnuFilemnuExit", QStringLiteral("&Exit"));

    ui.mnuEdit = AddMenu(bar, "mnuEdit", QStringLiteral("&Edit"));
    ui.mnuEditCut = AddItem(ui.mnuEdit, "mnuEditCut", QStringLiteral("Cu&t"),
                            QKeySequence(QStringLiteral("Ctrl+X")));
    ui.mnuEditCopy = AddItem(ui.mnuEdit, "mnuEditCopy", QStringLiteral("&Copy"),
                             QKeySequence(QStringLiteral("Ctrl+C")));
    ui.mnuEditPaste = AddItem(ui.mnuEdit, "mnuEditPaste", QStringLiteral("&Paste"),
                              QKeySequence(QStringLiteral("Ctrl+V")));
    ui.mnuEditDelete = AddItem(ui.mnuEdit, "mnuEditDelete", QStringLiteral("&Delete"));
    AddSeparator(ui.mnuEdit, "mnuEditBar1");
    ui.mnuEditSelectAll = AddItem(ui.mnuEdit, "mnuEditSelectAll", QStringLiteral("Select &All"),
                                  QKeySequence(QStringLiteral("Ctrl+A")));
    ui.mnuFind = AddItem(ui.mnuEdit, "mnuFind", QStringLiteral("&Find"),
                         QKeySequence(QStringLiteral("Ctrl+F")));

    ui.mnuView = AddMenu(bar, "mnuView", QStringLiteral("&View"));
    ui.mnuViewmnuShowHelp =
        AddItem(ui.mnuView, "mnuViewmnuShowHelp", QStringLiteral("&Show Help Window"));
    AddSeparator(ui.mnuView, "mnuViewBar2");
    ui.mnuViewmnuListCat =
        AddItem(ui.mnuView, "mnuViewmnuListCat", QStringLiteral("List Settings &Categorically"));
    ui.mnuViewmnuListAlpha =
        AddItem(ui.mnuView, "mnuViewmnuListAlpha", QStringLiteral("List Settings &Alphabetically"));
    AddSeparator(ui.mnuView, "mnuViewBar0");
    ui.mnuViewmnuLVText = AddItem(ui.mnuView, "mnuViewmnuLVText", QStringLiteral("&Text View"));
    ui.mnuViewmnuLVList = AddItem(ui.mnuView, "mnuViewmnuLVList", QStringLiteral("&List View"));
    AddSeparator(ui.mnuView, "mnuViewBar1");
    ui.mnuViewmnuExpandTV =
        AddItem(ui.mnuView, "mnuViewmnuExpandTV", QStringLiteral("&Expand Tree"));
    ui.mnuViewmnuCollapseTV =
        AddItem(ui.mnuView, "mnuViewmnuCollapseTV", QStringLiteral("Collapse T&ree"));
    for (QAction* item : {ui.mnuViewmnuShowHelp, ui.mnuViewmnuListCat, ui.mnuViewmnuListAlpha,
                          ui.mnuViewmnuLVText, ui.mnuViewmnuLVList})
        item->setCheckable(true);
    ui.mnuViewmnuShowHelp->setChecked(true);

    ui.mnuTools = AddMenu(bar, "mnuTools", QStringLiteral("&Tools"));
    ui.mnuToolsFonts = AddItem(ui.mnuTools, "mnuToolsFonts", QStringLiteral("&Fonts..."));
    ui.mnuToolsConfirmDelete =
        AddItem(ui.mnuTools, "mnuToolsConfirmDelete", QStringLiteral("&Confirm Delete"));
    ui.mnuToolsConfirmDelete->setCheckable(true);

    ui.mnuHelp = AddMenu(bar, "mnuHelp", QStringLiteral("&Help"));
    ui.mnuHelpContents = AddItem(ui.mnuHelp, "mnuHelpContents", QStringLiteral("&Contents"));
    AddSeparator(ui.mnuHelp, "mnuHelpBar0");
    ui.mnuHelpAbout = AddItem(ui.mnuHelp, "mnuHelpAbout", QStringLiteral("&About "));

    // Check marks are set by the commands, not by Qt's own toggling.
    for (QAction* item :
         {ui.mnuViewmnuListCat, ui.mnuViewmnuListAlpha, ui.mnuViewmnuLVText, ui.mnuViewmnuLVList})
        connect(item, &QAction::triggered, item,
                [item](bool checked) { item->setChecked(!checked); });
}

void MainWindow::BuildPopUpMenus()
{
    MainWidgets& ui = widgets();

    ui.mnuPopUpLV = new QMenu(this);
    ui.mnuPopUpLV->setObjectName(QStringLiteral("mnuPopUpLV"));
    ui.mnu_PopUpLV_MoveUp = AddItem(ui.mnuPopUpLV, "mnu_PopUpLV_MoveUp", QStringLiteral("Move Up"));
    ui.mnu_PopUpLV_MoveDown =
        AddItem(ui.mnuPopUpLV, "mnu_PopUpLV_MoveDown", QStringLiteral("Move Down"));
    AddSeparator(ui.mnuPopUpLV, "mnu_PopUpLV_Bar0");
    ui.mnu_PopUpLV_Delete = AddItem(ui.mnuPopUpLV, "mnu_PopUpLV_Delete", QStringLiteral("Delete"));
    ui.mnu_PopUpLV_TextView =
        AddItem(ui.mnuPopUpLV, "mnu_PopUpLV_TextView", QStringLiteral("Switch to Text View"));
    AddSeparator(ui.mnuPopUpLV, "mnu_PopUpLV_Bar1");
    ui.mnu_PopUpLV_Comment =
        AddItem(ui.mnuPopUpLV, "mnu_PopUpLV_Comment", QStringLiteral("Add/Remove Comment"));

    ui.mnuPopUpTV = new QMenu(this);
    ui.mnuPopUpTV->setObjectName(QStringLiteral("mnuPopUpTV"));
    ui.mnu_PopUpTV_ExpandAll =
        AddItem(ui.mnuPopUpTV, "mnu_PopUpTV_ExpandAll", QStringLiteral("Expand All"));
    ui.mnu_PopUpTV_CollapseAll =
        AddItem(ui.mnuPopUpTV, "mnu_PopUpTV_CollapseAll", QStringLiteral("Collapse All"));
    AddSeparator(ui.mnuPopUpTV, "mnu_PopUpTV_Bar0");
    ui.mnu_PopUpTV_SortCategory =
        AddItem(ui.mnuPopUpTV, "mnu_PopUpTV_SortCategory", QStringLiteral("Sort by Category"));
    ui.mnu_PopUpTV_SortAlpha =
        AddItem(ui.mnuPopUpTV, "mnu_PopUpTV_SortAlpha", QStringLiteral("Sort Alphabetically"));
    for (QAction* item : {ui.mnu_PopUpTV_SortCategory, ui.mnu_PopUpTV_SortAlpha}) {
        item->setCheckable(true);
        connect(item, &QAction::triggered, item,
                [item](bool checked) { item->setChecked(!checked); });
    }
}

void MainWindow::BuildToolbar()
{
    MainWidgets& ui = widgets();
    ui.CoolBar1 = addToolBar(QStringLiteral("Toolbar"));
    ui.CoolBar1->setObjectName(QStringLiteral("CoolBar1"));
    ui.CoolBar1->setMovable(false);
    ui.CoolBar1->setFloatable(false);
    ui.CoolBar1->setToolButtonStyle(Qt::ToolButtonIconOnly);
    ui.CoolBar1->toggleViewAction()->setEnabled(false);

    for (const ToolbarEntry& entry : ToolbarOrder) {
        if (entry.separatorBefore)
            ui.CoolBar1->addSeparator();
        QAction* button = ui.CoolBar1->addAction(QLatin1String(entry.tooltip));
        button->setObjectName(QStringLiteral("FlatBttn(%1)").arg(entry.index));
        button->setToolTip(QLatin1String(entry.tooltip));
        ui.FlatBttn[static_cast<size_t>(entry.index)] = button;
    }
    for (int index :
         {Button::ListAlpha, Button::ListCat, Button::TextView, Button::ListView, Button::ShowHelp})
        ui.FlatBttn[static_cast<size_t>(index)]->setCheckable(true);
}

void MainWindow::BuildWorkArea()
{
    MainWidgets& ui = widgets();
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("centralWidget"));
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(2, 0, 2, 2);
    column->setSpacing(2);

    // The title strip is placed by hand: its controls follow the list's left edge.
    ui.picTitles = new QWidget(central);
    ui.picTitles->setObjectName(QStringLiteral("picTitles"));
    for (size_t i = 0; i < ui.lblTitle.size(); ++i) {
        ui.lblTitle[i] = new QLabel(ui.picTitles);
        ui.lblTitle[i]->setObjectName(QStringLiteral("lblTitle(%1)").arg(i));
    }
    ui.cboParam = new QComboBox(ui.picTitles);
    ui.cboParam->setObjectName(QStringLiteral("cboParam"));
    ui.cboParam->setEditable(true);
    ui.cboParam->setInsertPolicy(QComboBox::NoInsert);
    ui.txtParam = new QLineEdit(ui.picTitles);
    ui.txtParam->setObjectName(QStringLiteral("txtParam"));
    ui.cmdOK = new QToolButton(ui.picTitles);
    ui.cmdOK->setObjectName(QStringLiteral("cmdOK"));
    ui.cmdOK->setText(QStringLiteral("OK"));
    ui.cmdCancel = new QToolButton(ui.picTitles);
    ui.cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    ui.cmdCancel->setText(QStringLiteral("Cancel"));
    for (QWidget* control :
         std::initializer_list<QWidget*>{ui.cboParam, ui.txtParam, ui.cmdOK, ui.cmdCancel})
        control->hide();
    column->addWidget(ui.picTitles);

    ui.vbuSplitterHoriz = new QSplitter(Qt::Vertical, central);
    ui.vbuSplitterHoriz->setObjectName(QStringLiteral("vbuSplitterHoriz"));
    ui.vbuSplitterHoriz->setChildrenCollapsible(true);
    ui.vbuSplitterVert = new QSplitter(Qt::Horizontal, ui.vbuSplitterHoriz);
    ui.vbuSplitterVert->setObjectName(QStringLiteral("vbuSplitterVert"));

    ui.tvTreeView = new QTreeWidget(ui.vbuSplitterVert);
    ui.tvTreeView->setObjectName(QStringLiteral("tvTreeView"));
    ui.tvTreeView->setHeaderHidden(true);
    ui.tvTreeView->setColumnCount(1);

    // The list lies over the text view: both occupy the same cell and only one is shown.
    ui.documentPane = new QWidget(ui.vbuSplitterVert);
    ui.documentPane->setObjectName(QStringLiteral("documentPane"));
    auto* cell = new QGridLayout(ui.documentPane);
    cell->setContentsMargins(0, 0, 0, 0);
    ui.txtTextBox = new QPlainTextEdit(ui.documentPane);
    ui.txtTextBox->setObjectName(QStringLiteral("txtTextBox"));
    ui.txtTextBox->setLineWrapMode(QPlainTextEdit::NoWrap);
    ui.lvListView = new QTreeView(ui.documentPane);
    ui.lvListView->setObjectName(QStringLiteral("lvListView"));
    ui.lvListView->setRootIsDecorated(false);
    ui.lvListView->setUniformRowHeights(true);
    ui.lvListView->setItemsExpandable(false);
    ui.lvListView->setAllColumnsShowFocus(true);
    ui.lvListView->setSelectionMode(QAbstractItemView::SingleSelection);
    ui.lvListView->setSelectionBehavior(QAbstractItemView::SelectRows);
    ui.lvListView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ui.lvListView->header()->setStretchLastSection(false);
    cell->addWidget(ui.txtTextBox, 0, 0);
    cell->addWidget(ui.lvListView, 0, 0);

    ui.helpPane = new QStackedWidget(ui.vbuSplitterHoriz);
    ui.helpPane->setObjectName(QStringLiteral("helpPane"));
    ui.fraBrowser = new QWidget(ui.helpPane);
    ui.fraBrowser->setObjectName(QStringLiteral("fraBrowser"));
    ui.fraBrowser->setAutoFillBackground(true);
    ui.fraBrowser->setBackgroundRole(QPalette::Base);
    ui.brwHelpBrowser = new QTextBrowser(ui.helpPane);
    ui.brwHelpBrowser->setObjectName(QStringLiteral("brwHelpBrowser"));
    ui.helpPane->addWidget(ui.fraBrowser);
    ui.helpPane->addWidget(ui.brwHelpBrowser);
    ui.helpPane->setCurrentWidget(ui.fraBrowser);

    ui.vbuSplitterHoriz->setStretchFactor(0, 1);
    ui.vbuSplitterVert->setStretchFactor(1, 1);
    column->addWidget(ui.vbuSplitterHoriz, 1);
    setCentralWidget(central);
}

void MainWindow::CreateComponents()
{
    MainContext& ctx = context();
    ctx.rows = new RowModel(this);
    ctx.ui.lvListView->setModel(ctx.rows);
    m_document = std::make_unique<ConfigDocument>(*ctx.rows, *ctx.ui.txtTextBox, ctx.state);
    ctx.document = m_document.get();

    auto add = [this](auto component) {
        auto* raw = component.get();
        m_components.push_back(std::move(component));
        return raw;
    };
    ctx.help = add(std::make_unique<HelpPane>(ctx));
    ctx.layout = add(std::make_unique<MainLayout>(ctx));
    ctx.views = add(std::make_unique<DocumentViews>(ctx));
    ctx.valueEditor = add(std::make_unique<ValueEditor>(ctx));
    ctx.applyEdit = add(std::make_unique<ApplyEdit>(ctx));
    ctx.explorer = add(std::make_unique<SettingsExplorer>(ctx));
    ctx.files = add(std::make_unique<FileCommands>(ctx));
    ctx.rowOperations = add(std::make_unique<RowOperations>(ctx));
    ctx.preferences = add(std::make_unique<Preferences>(ctx));
    ctx.find = add(std::make_unique<FindCommands>(ctx));
    ctx.edit = add(std::make_unique<EditCommands>(ctx));
    ctx.versions = add(std::make_unique<VersionMenu>(ctx));

    connect(widgets().mnuFilemnuExit, &QAction::triggered, this, &QWidget::close);
}

void MainWindow::Load()
{
    MainContext& ctx = context();
    ctx.state.DocumentOpen = false;
    ctx.files->SetDocumentCommandStates();
    setWindowTitle(ProductName);
    ctx.preferences->LoadPreferences();

    const auto store = PreferenceStore::Open();
    ctx.views->SetView(PreferenceStore::ReadBool(*store, QStringLiteral("ShowTextBox"), true));
    ctx.explorer->BuildSettingsTree(
        PreferenceStore::ReadBool(*store, QStringLiteral("ListByCategory"), true));
    ctx.preferences->LoadFontPreferences();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    MainContext& ctx = context();
    if (ctx.state.DocumentChanged && !ctx.files->MaySetDocumentAside()) {
        event->ignore();
        return;
    }
    ctx.files->CloseDocument();

    const QWidgetList windows = QApplication::topLevelWidgets();
    for (auto it = windows.crbegin(); it != windows.crend(); ++it) {
        if (*it != this && (*it)->isVisible())
            (*it)->close();
    }

    if (!isMinimized())
        ctx.preferences->SavePreferences();
    SaveShutdownState();
    event->accept();
}

void MainWindow::SaveShutdownState()
{
    const auto store = PreferenceStore::Open();
    const int checked = context().versions->CheckedIndex();
    if (checked >= 0)
        PreferenceStore::WriteInt(*store, QStringLiteral("DravaneVersion"), checked);
    // The list's display mode: always the report (details) mode.
    PreferenceStore::WriteInt(*store, QStringLiteral("ViewMode"), ListViewReportMode);
    store->sync();
}

void MainWindow::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    context().layout->ResizeLayout();
}
