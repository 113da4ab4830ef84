#include "ui/MainWindow.h"

#include "core/ConfigDocument.h"
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
#include "ui/HelpKey.h"
#include "ui/HelpPane.h"
#include "ui/ListSelection.h"
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
#include "ui/TextCompletion.h"
#include "ui/TextHover.h"
#include "ui/ValueEditor.h"
#include "ui/VersionMenu.h"

#include <QAction>
#include <QActionGroup>
#include <QCursor>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QShortcut>
#include <QTreeView>
#include <QUndoStack>

#include <memory>

// The one place where the components meet: every trigger and every signal between them, by
// area of the window.

namespace {

// The mark shows a flag of the editing state; `set`, when given, is what its toggle sets.
void markFollows(QAction* mark, EditingState* state, bool (EditingState::*flag)() const,
                 void (EditingState::*changed)(bool), void (EditingState::*set)(bool) = nullptr)
{
    mark->setChecked((state->*flag)());
    QObject::connect(state, changed, mark, &QAction::setChecked);
    if (set)
        QObject::connect(mark, &QAction::toggled, state, set);
}

} // namespace

// The command's menu item and its toolbar button.
template <typename Receiver, typename Command>
void MainWindow::on(std::initializer_list<const char*> commands, Receiver* receiver,
                    Command command)
{
    for (const char* name : commands) {
        for (QAction* trigger : m_commands->triggers(name))
            connect(trigger, &QAction::triggered, receiver, command);
    }
}

void MainWindow::wire()
{
    wireFile();
    wireEdit();
    wireView();
    wireExplorer();
    wireProblems();
    wireHelp();
    wireTextAssist();
}

void MainWindow::wireFile()
{
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
    showFileFormat();
    connect(files, &FileCommands::documentCreated, this, [this] { selectRow(lvListView, 0); });
    connect(files, &FileCommands::documentClosed, this, [this] {
        if (QTreeWidgetItem* first = tvTreeView->node(1))
            tvTreeView->setCurrentItem(first);
        helpPane->blankHelpPane();
        picTitles->clear();
    });
}

void MainWindow::wireEdit()
{
    DocumentViews* views = m_views.get();
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
    on({"mnuReplace"}, m_replace.get(), &ReplaceCommands::openReplace);
    on({"mnuGoToLine"}, m_find.get(), &FindCommands::goToLine);
    RowOperations* rows = m_rowOperations.get();
    on({"mnuEditDelete", "mnu_PopUpLV_Delete"}, rows, &RowOperations::DeleteItem);
    on({"mnu_PopUpLV_MoveUp"}, rows, &RowOperations::MoveRowUp);
    on({"mnu_PopUpLV_MoveDown"}, rows, &RowOperations::MoveRowDown);
    on({"mnu_PopUpLV_Comment"}, rows, &RowOperations::ToggleComment);
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
    connect(strip, &ValueEditor::okPressed, m_applyEdit.get(), &ApplyEdit::ApplyValueEdit);
    connect(tvTreeView, &SettingsTree::focusEntered, m_find.get(),
            [this] { m_find->setLastFocusInTree(true); });
    connect(m_find.get(), &FindCommands::nodeFound, tvTreeView, &SettingsTree::announceSelection);
    connect(views, &DocumentViews::documentFocused, m_find.get(),
            [this] { m_find->setLastFocusInTree(false); });
    // The row that a deletion, even a refused one, leaves selected is the one OK would change.
    connect(rows, &RowOperations::rowDeleted, views, &DocumentViews::announceSelection);
    connect(m_applyEdit.get(), &ApplyEdit::notApplied, m_status.get(), &StatusBar::say);
    connect(m_document.get(), &ConfigDocument::changedChanged, m_status.get(),
            &StatusBar::setModified);
    // New, Open and Close: nothing of the previous document's rows stays in the strip.
    connect(m_document.get(), &ConfigDocument::openChanged, strip, &ValueEditor::clear);
}

void MainWindow::wireView()
{
    DocumentViews* views = m_views.get();
    ValueEditor* strip = picTitles;
    on({"mnuViewmnuLVText"}, views, &DocumentViews::textViewCommand);
    on({"mnuViewmnuLVList"}, views, &DocumentViews::listViewCommand);
    on({"mnu_PopUpLV_TextView"}, views, &DocumentViews::popUpSwitchToTextView);
    on({"mnuViewmnuShowHelp"}, m_layout.get(), &MainLayout::showHelpWindow);
    for (QAction* mark : m_commands->triggers("mnuViewmnuShowHelp"))
        markFollows(mark, m_state.get(), &EditingState::helpShown, &EditingState::helpShownChanged);
    on({"mnuToolsFonts"}, m_preferences.get(), &Preferences::fontsCommand);
    markFollows(item("mnuToolsConfirmDelete"), m_state.get(), &EditingState::confirmDelete,
                &EditingState::confirmDeleteChanged, &EditingState::setConfirmDelete);
    connect(views, &DocumentViews::rowChosen, strip, &ValueEditor::listClicked);
    connect(views, &DocumentViews::rowSelected, strip, &ValueEditor::listSelected);
    connect(views, &DocumentViews::editRequested, strip, &ValueEditor::focusValueBox);
    connect(views, &DocumentViews::viewSwitched, strip, &ValueEditor::ResetValueEditor);
    connect(m_document.get(), &ConfigDocument::openChanged, lblNoDocument, &QWidget::setHidden);
}

void MainWindow::wireExplorer()
{
    ValueEditor* strip = picTitles;
    SettingsExplorer* explorer = m_explorer.get();
    on({"mnuViewmnuListCat", "mnu_PopUpTV_SortCategory"}, explorer,
       [explorer] { explorer->listCommand(true); });
    on({"mnuViewmnuListAlpha", "mnu_PopUpTV_SortAlpha"}, explorer,
       [explorer] { explorer->listCommand(false); });
    on({"mnuViewmnuExpandTV", "mnu_PopUpTV_ExpandAll"}, explorer,
       &SettingsExplorer::ExpandAllNodes);
    on({"mnuViewmnuCollapseTV", "mnu_PopUpTV_CollapseAll"}, explorer,
       &SettingsExplorer::CollapseAllNodes);
    connect(tvTreeView, &SettingsTree::settingChosen, strip, &ValueEditor::treeClicked);
    connect(tvTreeView, &SettingsTree::categoryChosen, strip, &ValueEditor::categoryClicked);
    connect(tvTreeView, &SettingsTree::settingSelected, strip, &ValueEditor::treeSelected);
    connect(tvTreeView, &SettingsTree::categorySelected, strip, &ValueEditor::categoryClicked);
    connect(tvTreeView, &SettingsTree::editRequested, strip, &ValueEditor::focusValueBox);
    QMenu* treePopUp = m_commands->menu("mnuPopUpTV");
    connect(tvTreeView, &SettingsTree::popUpRequested, treePopUp,
            [treePopUp] { treePopUp->popup(QCursor::pos()); });
    connect(explorer, &SettingsExplorer::treeRebuilt, strip, &ValueEditor::clear);
    connect(explorer, &SettingsExplorer::helpBlankRequested, helpPane, &HelpPane::blankHelpPane);
    connect(m_versions.get(), &VersionMenu::catalogueReloaded, explorer,
            [explorer] { explorer->BuildSettingsTree(explorer->isByCategory()); });
    connect(txtFilter, &QLineEdit::textChanged, tvTreeView, &SettingsTree::filter);
    auto* clearFilter = new QShortcut(QKeySequence(Qt::Key_Escape), txtFilter);
    clearFilter->setContext(Qt::WidgetShortcut);
    connect(clearFilter, &QShortcut::activated, txtFilter, &QLineEdit::clear);
}

void MainWindow::wireProblems()
{
    DocumentViews* views = m_views.get();
    // The problems follow every edit after a pause, and the rest at once.
    ProblemsPane* problems = m_problems.get();
    markFollows(item("mnuViewmnuProblems"), m_state.get(), &EditingState::problemsShown,
                &EditingState::problemsShownChanged, &EditingState::setProblemsShown);
    connect(problems, &ProblemsPane::countsChanged, m_status.get(), &StatusBar::setProblemCounts);
    connect(m_document.get(), &ConfigDocument::textAboutToBeReplaced, problems,
            &ProblemsPane::dropUnderlines);
    connect(problems, &ProblemsPane::message, m_status.get(), &StatusBar::say);
    connect(views, &DocumentViews::rowChosen, problems, &ProblemsPane::rowChosen);
    connect(views, &DocumentViews::rowSelected, problems, &ProblemsPane::rowSelected);
    connect(m_document.get(), &ConfigDocument::changed, problems, &ProblemsPane::recheckSoon);
    connect(m_document.get(), &ConfigDocument::linesLoading, problems, &ProblemsPane::checkAhead);
    connect(m_document.get(), &ConfigDocument::openChanged, problems, &ProblemsPane::recheck);
    connect(m_document.get(), &ConfigDocument::viewChanged, problems, &ProblemsPane::recheck);
    connect(m_document.get(), &ConfigDocument::pathChanged, problems, &ProblemsPane::recheck);
    connect(m_quickFixes.get(), &QuickFixMenus::editValueRequested, picTitles, [this](int row) {
        picTitles->listClicked(row);
        picTitles->focusValueBox();
    });
}

void MainWindow::wireHelp()
{
    on({"mnuHelpContents"}, this, [this] {
        showHelpContents(m_dialogs, m_programDir + QStringLiteral("/DraCFG.html"), this);
    });
    on({"mnuHelpAbout"}, this, [this] { showAboutBox(m_dialogs, this); });
    connect(helpPane, &HelpPane::externalLinkClicked, this,
            [this](const QUrl& url) { openAddress(m_dialogs, this, url); });
    ValueEditor* strip = picTitles;
    connect(strip, &ValueEditor::helpPageRequested, helpPane, &HelpPane::showHelpPage);
    connect(strip, &ValueEditor::helpBlankRequested, helpPane, &HelpPane::blankHelpPane);
}

// "UTF-8 | CR LF | 214 lines" while a document is open, following its edits.
void MainWindow::showFileFormat()
{
    ConfigDocument* document = m_document.get();
    auto shownLines = std::make_shared<int>(-1);
    const auto show = [this, document, shownLines] {
        *shownLines = document->lineCount();
        if (!document->DocumentOpen()) {
            m_status->setFileFormat(QString());
            return;
        }
        const int lines = *shownLines;
        m_status->setFileFormat(
            ConfigFile::describe(document->format()) +
            (lines == 1 ? QStringLiteral(" | 1 line") : QStringLiteral(" | %1 lines").arg(lines)));
    };
    // Most key strokes leave the count as it was.
    connect(document, &ConfigDocument::changed, m_status.get(), [document, shownLines, show] {
        if (document->lineCount() != *shownLines)
            show();
    });
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

// Completion, the tool tip and F1 in the text view; F1 in the list too.
void MainWindow::wireTextAssist()
{
    new TextCompletion(txtTextBox, *m_document, *m_state);
    ProblemsPane* problems = m_problems.get();
    new TextHover(txtTextBox, *m_state,
                  [problems](int line) { return problems->messagesOnLine(line); });
    auto* help = new HelpKey(*m_document, *m_state, m_programDir, txtTextBox, lvListView);
    connect(help, &HelpKey::helpPageRequested, helpPane, [this](const QString& address) {
        if (!m_state->helpShown())
            m_layout->showHelpWindow(true);
        helpPane->showHelpPage(address);
    });
    connect(help, &HelpKey::guideRequested, item("mnuHelpContents"), &QAction::trigger);
}
