#include "ui/MainWindow.h"

#include "core/ConfigDocument.h"
#include "core/PreferenceStore.h"
#include "core/ServerInstall.h"
#include "core/Version.h"
#include "ui/ApplyEdit.h"
#include "ui/Commands.h"
#include "ui/Dialogs.h"
#include "ui/DocumentViews.h"
#include "ui/EditCommands.h"
#include "ui/ExternalChanges.h"
#include "ui/FileCommands.h"
#include "ui/FindCommands.h"
#include "ui/HelpPane.h"
#include "ui/MainLayout.h"
#include "ui/Preferences.h"
#include "ui/ProblemsPane.h"
#include "ui/QuickFixMenus.h"
#include "ui/RecentFilesMenu.h"
#include "ui/Recovery.h"
#include "ui/ReplaceCommands.h"
#include "ui/RowOperations.h"
#include "ui/SettingsExplorer.h"
#include "ui/SettingsTree.h"
#include "ui/StatusBar.h"
#include "ui/TextColours.h"
#include "ui/Twips.h"
#include "ui/ValueEditor.h"
#include "ui/VersionMenu.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QTextBrowser>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>
#include <QTreeWidget>
#include <QVBoxLayout>

MainWindow::MainWindow(Dialogs& dialogs, QString programDir, std::unique_ptr<EditingState> state,
                       QWidget* parent)
    : QMainWindow(parent), m_dialogs(dialogs), m_programDir(std::move(programDir)),
      m_state(std::move(state)), m_document(std::make_unique<ConfigDocument>())
{
    setObjectName(QStringLiteral("frmMain"));

    m_commands = std::make_unique<CommandSet>(*this);
    buildVersionItems();
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
    picTitles = new ValueEditor(*m_document, m_state->catalogue(), m_programDir, central);
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
    text.setDocumentLayout((new TextColours(txtTextBox, *m_state))->layoutFor(text));
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
    lvProblems = new QTreeView(fraProblems);
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
    const WorkArea area{this, vbuSplitterHoriz, vbuSplitterVert, lvListView, picTitles};
    m_layout =
        std::make_unique<MainLayout>(MainLayout::Parts{area, tvTreeView, documentPane}, *m_state);
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
    m_applyEdit = std::make_unique<ApplyEdit>(document, m_dialogs, views);
    m_explorer = std::make_unique<SettingsExplorer>(
        *tvTreeView, *m_state,
        SettingsExplorer::Marks{item("mnuViewmnuListCat"), item("mnuViewmnuListAlpha"),
                                button(Button::ListCat), button(Button::ListAlpha),
                                item("mnu_PopUpTV_SortCategory"), item("mnu_PopUpTV_SortAlpha"),
                                commands.enabledWhen(When::ByCategory)});
    m_files = std::make_unique<FileCommands>(document, m_dialogs, this);
    m_rowOperations = std::make_unique<RowOperations>(
        document, m_dialogs, views, commands.menu("mnuPopUpLV"), item("mnuToolsConfirmDelete"));
    m_preferences = std::make_unique<Preferences>(
        document, *m_state, m_dialogs, Preferences::Parts{area, txtTextBox, item("mnuToolsFonts")});
    m_find = std::make_unique<FindCommands>(document, m_dialogs, views, tvTreeView);
    m_replace = std::make_unique<ReplaceCommands>(document, m_dialogs, views);
    m_edit = std::make_unique<EditCommands>(document, m_dialogs, this, txtTextBox);
    m_versions = std::make_unique<VersionMenu>(mnuDVVersion, *m_state);
    m_status = std::make_unique<StatusBar>(this);
    m_recent = std::make_unique<RecentFilesMenu>(commands.menu("mnuFileRecent"), m_dialogs, this);
    m_external = std::make_unique<ExternalChanges>(document, m_dialogs, this);
    m_problems = std::make_unique<ProblemsPane>(
        document, *m_state,
        ProblemsPane::Parts{fraProblems, lvProblems, lvListView, txtTextBox, lblNoProblems,
                            vbuSplitterProblems});
    m_recovery = std::make_unique<Recovery>(document, m_dialogs, this);
    m_quickFixes = std::make_unique<QuickFixMenus>(document, *m_state, *m_problems, views,
                                                   lvProblems, commands.menu("mnuPopUpLV"));
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

void MainWindow::load()
{
    m_views->SetDocumentCommandStates();
    m_preferences->LoadPreferences();
    m_state->chooseVersion(PreferenceStore::storedVersionIndex());

    const auto store = PreferenceStore::open();
    m_views->SetView(PreferenceStore::read<bool>(*store, PreferenceStore::Keys::ShowTextBox));
    m_explorer->BuildSettingsTree(m_state->listByCategory());
    m_preferences->LoadFontPreferences();
    lblNoDocument->setHidden(m_document->DocumentOpen());
    // Where the focus says nothing about the tree: Find starts in the editor, as with every
    // flag false. Qt would otherwise give the first control, the filter box or the tree, the
    // focus when the window shows.
    documentPane->setFocus(Qt::OtherFocusReason);
    m_readAheadDue = true;
}

bool MainWindow::event(QEvent* event)
{
    const bool handled = QMainWindow::event(event);
    // The reference page is read ahead once the window has painted itself and waits for the
    // user: any sooner, the reading would compete with the first paint for the processor and
    // the allocator.
    if (event->type() == QEvent::Paint && m_readAheadDue) {
        m_readAheadDue = false;
        QTimer::singleShot(0, helpPane, [this] {
            helpPane->preload(ServerInstall::GetHelpLocation(m_programDir));
        });
    }
    return handled;
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
    PreferenceStore::write(*store, PreferenceStore::Keys::DravaneVersion, m_state->versionIndex());
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
