#include "ui/QuickFixMenus.h"

#include "core/ConfigDocument.h"
#include "core/DocumentEdits.h"
#include "core/EditingState.h"
#include "ui/ListSelection.h"
#include "ui/ProblemsPane.h"

#include <QAction>
#include <QKeyEvent>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTreeView>

QuickFixMenus::QuickFixMenus(ConfigDocument& document, const EditingState& state,
                             ProblemsPane& pane, const DocumentWidgets& views,
                             QAbstractItemView* problems, QMenu* listPopUp, QObject* parent)
    : QObject(parent), m_document(document), m_state(state), m_pane(pane), m_views(views),
      m_problems(problems), m_listPopUp(listPopUp)
{
    m_problems->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_problems, &QWidget::customContextMenuRequested, this, [this](QPoint pos) {
        popUpPaneMenu(m_problems->indexAt(pos), m_problems->viewport()->mapToGlobal(pos));
    });
    m_problems->installEventFilter(this);
    m_views.text->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_views.text, &QWidget::customContextMenuRequested, this,
            &QuickFixMenus::popUpTextMenu);
    connect(m_listPopUp, &QMenu::aboutToShow, this, &QuickFixMenus::extendListMenu);
    // Once a chosen item has run: the menu hides before it triggers.
    connect(m_listPopUp, &QMenu::aboutToHide, this, [this] {
        QMetaObject::invokeMethod(
            this, [this] { qDeleteAll(std::exchange(m_listFixes, {})); }, Qt::QueuedConnection);
    });
}

bool QuickFixMenus::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_problems && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Period &&
            (key->modifiers() & ~Qt::KeypadModifier) == Qt::ControlModifier) {
            const QModelIndex current = m_problems->currentIndex();
            const QRect place = m_problems->visualRect(current);
            popUpPaneMenu(current, m_problems->viewport()->mapToGlobal(place.bottomLeft()));
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

QList<QAction*> QuickFixMenus::fixActions(QObject* owner,
                                          const QList<ProblemCheck::Problem>& problems)
{
    const QStringList lines = m_pane.checkedLines();
    const VersionedCatalogue& catalogue = m_state.everyVersion();
    const float version = m_state.serverVersion();
    QList<QuickFixes::Fix> fixes;
    QStringList kinds;
    for (const ProblemCheck::Problem& problem : problems) {
        fixes += QuickFixes::fixesFor(problem, lines, catalogue, version);
        if (kinds.contains(problem.code))
            continue;
        kinds.append(problem.code);
        if (auto all =
                QuickFixes::fixAllLike(problem, m_pane.problems(), lines, catalogue, version))
            fixes.append(std::move(*all));
    }
    QList<QAction*> actions;
    for (const QuickFixes::Fix& fix : std::as_const(fixes)) {
        actions.append(new QAction(fix.title, owner));
        connect(actions.last(), &QAction::triggered, this, [this, fix] { apply(fix); });
    }
    return actions;
}

void QuickFixMenus::popUpPaneMenu(const QModelIndex& index, QPoint globalPos)
{
    if (!index.isValid())
        return;
    m_pane.checkPending();
    const int row = index.row();
    auto* menu = new QMenu(m_problems);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    // The check may just have run again: the problem is looked up by its row now.
    if (row < m_pane.problems().size())
        menu->addActions(fixActions(menu, {m_pane.problems().at(row)}));
    if (menu->isEmpty())
        menu->addAction(QStringLiteral("No quick fixes"))->setEnabled(false);
    menu->popup(globalPos);
}

void QuickFixMenus::popUpTextMenu(QPoint pos)
{
    QPlainTextEdit* text = m_views.text;
    QMenu* menu = text->createStandardContextMenu(pos);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    m_pane.checkPending();
    const int line = text->cursorForPosition(pos).blockNumber() + 1;
    const QList<QAction*> fixes =
        m_document.isTextView() ? fixActions(menu, m_pane.problemsOn(line)) : QList<QAction*>();
    if (!fixes.isEmpty()) {
        menu->addSeparator();
        menu->addActions(fixes);
    }
    menu->popup(text->viewport()->mapToGlobal(pos));
}

void QuickFixMenus::extendListMenu()
{
    qDeleteAll(std::exchange(m_listFixes, {}));
    const int row = selectedRow(m_views.list);
    if (row < 0 || m_document.isTextView())
        return;
    m_pane.checkPending();
    const QList<QAction*> fixes = fixActions(m_listPopUp, m_pane.problemsOn(row + 1));
    if (fixes.isEmpty())
        return;
    m_listFixes = QList<QAction*>{m_listPopUp->addSeparator()} + fixes;
    m_listPopUp->addActions(fixes);
}

void QuickFixMenus::apply(const QuickFixes::Fix& fix)
{
    if (fix.editsValue) {
        if (m_document.isTextView()) {
            // The value is typed after the setting.
            QTextCursor cursor(m_document.textDocument().findBlockByNumber(fix.line - 1));
            cursor.movePosition(QTextCursor::EndOfBlock);
            m_views.text->setTextCursor(cursor);
            m_views.text->setFocus(Qt::OtherFocusReason);
        } else {
            selectRow(m_views.list, fix.line - 1);
            m_views.list->scrollTo(m_views.list->model()->index(fix.line - 1, 0));
            emit editValueRequested(fix.line - 1);
        }
        return;
    }
    const int place = DocumentEdits(m_document).changeLines(fix.changes, fix.stepName);
    if (place < 0)
        return;
    if (m_document.isTextView()) {
        QTextCursor cursor(&m_document.textDocument());
        cursor.setPosition(place);
        m_views.text->setTextCursor(cursor);
    } else {
        selectRow(m_views.list, place);
    }
    m_pane.recheck();
}
