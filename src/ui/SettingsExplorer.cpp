#include "ui/SettingsExplorer.h"

#include "core/CatalogueTable.h"
#include "ui/ValueEditor.h"
#include "ui/HelpPane.h"
#include "ui/Twips.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QCursor>
#include <QHash>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QSet>
#include <QSignalBlocker>
#include <QToolButton>
#include <QTreeView>
#include <QTreeWidget>

#include <algorithm>

namespace {

// A node that sorts by a copy of its text, in the same order as QTreeWidgetItem's own
// comparison but without building QVariants: the alphabetical tree of a large catalogue sorts
// in a few milliseconds. Node texts never change after the build.
class ExplorerNode final : public QTreeWidgetItem {
public:
    ExplorerNode(const QString& key, const QString& text) : QTreeWidgetItem(UserType), m_text(text)
    {
        setText(0, text);
        setData(0, NodeKeyRole, key);
    }

    bool operator<(const QTreeWidgetItem& other) const override
    {
        if (other.type() != UserType)
            return QTreeWidgetItem::operator<(other);
        return m_text < static_cast<const ExplorerNode&>(other).m_text;
    }

private:
    QString m_text;
};

bool IsCategoryNode(const QTreeWidgetItem* node)
{
    return node && node->data(0, NodeKeyRole).toString().startsWith(u'P');
}

bool IsNavigationKey(int key)
{
    switch (key) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        return true;
    default:
        return false;
    }
}

} // namespace

SettingsExplorer::SettingsExplorer(MainContext& context) : Component(context)
{
    QTreeWidget* tree = ui().tvTreeView;
    tree->installEventFilter(this);
    tree->viewport()->installEventFilter(this);
    connect(tree, &QTreeWidget::itemClicked, this, [this] { ctx.valueEditor->TreeClicked(); });
    connect(tree, &QTreeWidget::itemDoubleClicked, this,
            [this] { ctx.valueEditor->TreeClicked(); });
    ConnectCommands();
}

void SettingsExplorer::ConnectCommands()
{
    MainWidgets& ui = this->ui();
    for (QAction* trigger : {ui.mnuViewmnuListCat, ui.FlatBttn[Button::ListCat]})
        connect(trigger, &QAction::triggered, this, [this] { ListCommand(true); });
    for (QAction* trigger : {ui.mnuViewmnuListAlpha, ui.FlatBttn[Button::ListAlpha]})
        connect(trigger, &QAction::triggered, this, [this] { ListCommand(false); });
    connect(ui.mnu_PopUpTV_SortCategory, &QAction::triggered, this,
            [this] { PopUpListCommand(true); });
    connect(ui.mnu_PopUpTV_SortAlpha, &QAction::triggered, this,
            [this] { PopUpListCommand(false); });
    for (QAction* trigger : {ui.mnuViewmnuExpandTV, ui.mnu_PopUpTV_ExpandAll})
        connect(trigger, &QAction::triggered, this, &SettingsExplorer::ExpandAllNodes);
    for (QAction* trigger : {ui.mnuViewmnuCollapseTV, ui.mnu_PopUpTV_CollapseAll})
        connect(trigger, &QAction::triggered, this, &SettingsExplorer::CollapseAllNodes);
}

void SettingsExplorer::BuildSettingsTree(bool byCategory)
{
    QTreeWidget* tree = ui().tvTreeView;
    tree->setUpdatesEnabled(false);
    const QSignalBlocker blocker(tree);

    m_nodes.clear();
    tree->setSortingEnabled(false);
    tree->clear();

    QList<QTreeWidgetItem*> topLevel;
    if (byCategory)
        AddCategoryNodes(topLevel);
    else
        AddAlphabeticalNodes(topLevel);
    tree->addTopLevelItems(topLevel);
    if (!byCategory) {
        tree->header()->setSortIndicator(0, Qt::AscendingOrder);
        tree->setSortingEnabled(true);
    }

    SetButtonMarks(byCategory);
    SetMenuMarks(byCategory);
    ClearEditorStrip();
    tree->setRootIsDecorated(true);
    CollapseAllNodes();
    if (QTreeWidgetItem* first = Node(1))
        first->setExpanded(true);

    tree->setUpdatesEnabled(true);
}

// Categories first, in catalogue order, then each setting under its category. A row without a
// category has no place in the tree, a category that comes back after another keeps its first
// node, and a setting name already in the tree is skipped: the rest of the tree still builds.
void SettingsExplorer::AddCategoryNodes(QList<QTreeWidgetItem*>& topLevel)
{
    const QList<CatalogueRow>& rows = ctx.catalogue.rows();
    QHash<QString, QTreeWidgetItem*> categories;
    for (const CatalogueRow& row : rows) {
        const QString& category = row.Category();
        if (category.isEmpty() || categories.contains(category))
            continue;
        QTreeWidgetItem* node = new ExplorerNode(u'P' + category, category);
        categories.insert(category, node);
        topLevel.append(node);
        m_nodes.append(node);
    }

    QSet<QString> names;
    names.reserve(rows.size());
    for (const CatalogueRow& row : rows) {
        QTreeWidgetItem* parent = categories.value(row.Category());
        const QString& name = row.SettingName();
        if (!parent || names.contains(name))
            continue;
        names.insert(name);
        QTreeWidgetItem* node = new ExplorerNode(u'C' + name, name);
        parent->addChild(node);
        m_nodes.append(node);
    }
}

// The same settings as by category, so a row without a category is left out here too.
void SettingsExplorer::AddAlphabeticalNodes(QList<QTreeWidgetItem*>& topLevel)
{
    const QList<CatalogueRow>& rows = ctx.catalogue.rows();
    QSet<QString> names;
    names.reserve(rows.size());
    for (const CatalogueRow& row : rows) {
        const QString& name = row.SettingName();
        if (row.Category().isEmpty() || names.contains(name))
            continue;
        names.insert(name);
        QTreeWidgetItem* node = new ExplorerNode(u'C' + name, name);
        topLevel.append(node);
        m_nodes.append(node);
    }
}

void SettingsExplorer::ListCommand(bool byCategory)
{
    BuildSettingsTree(byCategory);
    SetMenuMarks(byCategory);
    PlaceDescriptionLabel();
    ctx.help->BlankHelpPane();
    for (QAction* item : {ui().mnu_PopUpTV_ExpandAll, ui().mnu_PopUpTV_CollapseAll,
                          ui().mnuViewmnuExpandTV, ui().mnuViewmnuCollapseTV})
        item->setEnabled(byCategory);
    SetButtonMarks(byCategory);
    if (QTreeWidgetItem* first = Node(1))
        ui().tvTreeView->setCurrentItem(first);
}

void SettingsExplorer::PopUpListCommand(bool byCategory)
{
    ListCommand(byCategory);
    SetMenuMarks(byCategory);
}

void SettingsExplorer::ExpandAllNodes()
{
    if (IsCategoryNode(SelectedNode()))
        ctx.help->BlankHelpPane();
    QTreeWidget* tree = ui().tvTreeView;
    tree->expandAll();
    if (QTreeWidgetItem* first = Node(1))
        tree->scrollToItem(first);
}

void SettingsExplorer::CollapseAllNodes()
{
    ui().tvTreeView->collapseAll();
    ctx.help->BlankHelpPane();
}

bool SettingsExplorer::IsByCategory() const
{
    return ctx.ui.mnuViewmnuListCat->isChecked();
}

QTreeWidgetItem* SettingsExplorer::Node(int number) const
{
    if (number < 1 || number > m_nodes.size())
        return nullptr;
    return m_nodes.at(number - 1);
}

int SettingsExplorer::NodeCount() const
{
    return static_cast<int>(m_nodes.size());
}

void SettingsExplorer::SetMenuMarks(bool byCategory)
{
    ui().mnuViewmnuListCat->setChecked(byCategory);
    ui().mnuViewmnuListAlpha->setChecked(!byCategory);
    ui().mnu_PopUpTV_SortCategory->setChecked(byCategory);
    ui().mnu_PopUpTV_SortAlpha->setChecked(!byCategory);
}

void SettingsExplorer::SetButtonMarks(bool byCategory)
{
    ui().FlatBttn[Button::ListCat]->setChecked(byCategory);
    ui().FlatBttn[Button::ListAlpha]->setChecked(!byCategory);
}

// The strip goes bare without ResetValueEditor, which would also move the focus.
void SettingsExplorer::ClearEditorStrip()
{
    MainWidgets& ui = this->ui();
    ui.lblTitle[0]->setText(QString());
    ui.txtParam->hide();
    ui.cboParam->hide();
    ui.txtParam->clear();
    ui.cboParam->clear();
    ui.cmdOK->hide();
    ui.cmdCancel->hide();
}

void SettingsExplorer::PlaceDescriptionLabel()
{
    QLabel* label = ui().lblTitle[1];
    label->setText(QString());
    const int width = ui().lvListView->width() - Twips::toPixels(20, label);
    label->setGeometry(ui().cboParam->x(), label->y(), std::max(0, width), label->height());
}

QTreeWidgetItem* SettingsExplorer::SelectedNode() const
{
    const QList<QTreeWidgetItem*> selected = ctx.ui.tvTreeView->selectedItems();
    return selected.isEmpty() ? nullptr : selected.constFirst();
}

bool SettingsExplorer::eventFilter(QObject* watched, QEvent* event)
{
    QTreeWidget* tree = ui().tvTreeView;
    if (watched == tree) {
        if (event->type() == QEvent::FocusIn)
            state().LastFocusInTree = true;
        else if (event->type() == QEvent::KeyPress)
            return ForwardNavigationKey(event);
    } else if (watched == tree->viewport() && event->type() == QEvent::MouseButtonPress) {
        // The right button only opens the pop-up menu; it does not move the selection.
        if (static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
            ui().mnuPopUpTV->popup(QCursor::pos());
            return true;
        }
    }
    return false;
}

// Moving through the tree with the keyboard hands the new node to the value editor as a click
// would. The key is delivered to the tree here, so that the node can be compared before and
// after; programmatic selection never passes through this path.
bool SettingsExplorer::ForwardNavigationKey(QEvent* event)
{
    if (m_forwardingKey || !IsNavigationKey(static_cast<QKeyEvent*>(event)->key()))
        return false;
    QTreeWidget* tree = ui().tvTreeView;
    const QTreeWidgetItem* before = tree->currentItem();
    m_forwardingKey = true;
    QCoreApplication::sendEvent(tree, event);
    m_forwardingKey = false;
    if (tree->currentItem() != before)
        ctx.valueEditor->TreeClicked();
    return true;
}
