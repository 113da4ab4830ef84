#include "ui/SettingsTree.h"

#include "core/CatalogueTable.h"

#include <QHash>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QSet>
#include <QSignalBlocker>

#include <algorithm>

namespace {

// A node's kind is its item type, and its text and key are answered from one string of its own
// rather than stored as values: a tree of thousands then builds and frees in far less time.
constexpr int SettingNodeType = QTreeWidgetItem::UserType;
constexpr int CategoryNodeType = QTreeWidgetItem::UserType + 1;

class ExplorerNode final : public QTreeWidgetItem {
public:
    ExplorerNode(const QString& text, bool category)
        : QTreeWidgetItem(category ? CategoryNodeType : SettingNodeType), m_text(text)
    {}

    QVariant data(int column, int role) const override
    {
        if (column == 0 && (role == Qt::DisplayRole || role == Qt::EditRole))
            return m_text;
        if (column == 0 && role == SettingsTree::NodeKeyRole)
            return QString((type() == CategoryNodeType ? u'P' : u'C') + m_text);
        return QTreeWidgetItem::data(column, role);
    }

    // The order the view's own sorting by text would give.
    static bool byText(const QTreeWidgetItem* a, const QTreeWidgetItem* b)
    {
        return static_cast<const ExplorerNode*>(a)->m_text <
               static_cast<const ExplorerNode*>(b)->m_text;
    }

private:
    QString m_text;
};

} // namespace

SettingsTree::SettingsTree(QWidget* parent) : QTreeWidget(parent)
{
    setObjectName(QStringLiteral("tvTreeView"));
    setAccessibleName(QStringLiteral("Settings Explorer"));
    setHeaderHidden(true);
    setColumnCount(1);
    // Every node is one line of text: the view need not measure each one when the filter
    // shows and hides thousands of them.
    setUniformRowHeights(true);
    connect(this, &QTreeWidget::itemClicked, this, &SettingsTree::chooseSelectedNode);
    connect(this, &QTreeWidget::itemDoubleClicked, this, &SettingsTree::chooseSelectedNode);
    connect(this, &QTreeWidget::itemSelectionChanged, this, &SettingsTree::announceSelection);
}

void SettingsTree::rebuild(const CatalogueTable& catalogue, bool byCategory)
{
    setUpdatesEnabled(false);
    const QSignalBlocker blocker(this);

    m_nodes.clear();
    m_descriptions.clear();
    m_hidden.clear();
    m_expandedBeforeFilter.clear();
    clear();

    m_nodes.reserve(catalogue.size());
    m_descriptions.reserve(catalogue.size());
    QList<QTreeWidgetItem*> topLevel;
    if (byCategory)
        addCategoryNodes(catalogue, topLevel);
    else
        addAlphabeticalNodes(catalogue, topLevel);
    addTopLevelItems(topLevel);
    m_hidden.fill(false, m_nodes.size());
    setRootIsDecorated(true);
    setUpdatesEnabled(true);
}

// Categories first, in catalogue order, then each setting under its category. A row without a
// category has no place in the tree, a category that comes back after another keeps its first
// node, and a setting name already in the tree is skipped: the rest of the tree still builds.
void SettingsTree::addCategoryNodes(const CatalogueTable& catalogue,
                                    QList<QTreeWidgetItem*>& topLevel)
{
    const QList<CatalogueRow>& rows = catalogue.rows();
    QHash<QString, QTreeWidgetItem*> categories;
    for (const CatalogueRow& row : rows) {
        const QString& category = row.Category();
        if (category.isEmpty() || categories.contains(category))
            continue;
        QTreeWidgetItem* node = new ExplorerNode(category, true);
        categories.insert(category, node);
        topLevel.append(node);
        m_nodes.append(node);
        m_descriptions.append(QString());
    }

    QSet<QString> names;
    names.reserve(rows.size());
    for (const CatalogueRow& row : rows) {
        QTreeWidgetItem* parent = categories.value(row.Category());
        const QString& name = row.SettingName();
        if (!parent || names.contains(name))
            continue;
        names.insert(name);
        QTreeWidgetItem* node = new ExplorerNode(name, false);
        parent->addChild(node);
        m_nodes.append(node);
        m_descriptions.append(row.Description());
    }
}

// The same settings as by category, so a row without a category is left out here too.
void SettingsTree::addAlphabeticalNodes(const CatalogueTable& catalogue,
                                        QList<QTreeWidgetItem*>& topLevel)
{
    const QList<CatalogueRow>& rows = catalogue.rows();
    QSet<QString> names;
    names.reserve(rows.size());
    for (const CatalogueRow& row : rows) {
        const QString& name = row.SettingName();
        if (row.Category().isEmpty() || names.contains(name))
            continue;
        names.insert(name);
        QTreeWidgetItem* node = new ExplorerNode(name, false);
        topLevel.append(node);
        m_nodes.append(node);
        m_descriptions.append(row.Description());
    }
    // Sorted here, once, rather than by the view, which sorts through its model and moves each
    // node's index as it goes.
    std::sort(topLevel.begin(), topLevel.end(), ExplorerNode::byText);
}

QTreeWidgetItem* SettingsTree::node(int number) const
{
    if (number < 1 || number > m_nodes.size())
        return nullptr;
    return m_nodes.at(number - 1);
}

int SettingsTree::nodeCount() const
{
    return static_cast<int>(m_nodes.size());
}

int SettingsTree::nodeIndex(const QTreeWidgetItem* node) const
{
    return node ? static_cast<int>(m_nodes.indexOf(node)) : -1;
}

QTreeWidgetItem* SettingsTree::selectedNode() const
{
    const QList<QTreeWidgetItem*> selected = selectedItems();
    return selected.isEmpty() ? nullptr : selected.constFirst();
}

bool SettingsTree::isCategoryNode(const QTreeWidgetItem* node)
{
    return node && node->type() == CategoryNodeType;
}

void SettingsTree::filter(const QString& text)
{
    if (text == m_filter)
        return;
    const bool starting = m_filter.isEmpty();
    m_filter = text;
    if (starting) {
        m_expandedBeforeFilter.clear();
        for (QTreeWidgetItem* node : std::as_const(m_nodes)) {
            if (node->childCount() && node->isExpanded())
                m_expandedBeforeFilter.append(node);
        }
    }

    setUpdatesEnabled(false);
    // A node's hidden state is set only when it changes: the view's own bookkeeping of hidden
    // rows is what costs.
    const auto hide = [this](qsizetype i, bool hidden) {
        if (m_hidden[i] != hidden) {
            m_hidden[i] = hidden;
            m_nodes[i]->setHidden(hidden);
        }
    };
    QHash<QTreeWidgetItem*, bool> categoryHasMatch;
    for (qsizetype i = 0; i < m_nodes.size(); ++i) {
        QTreeWidgetItem* node = m_nodes[i];
        if (isCategoryNode(node))
            continue;
        const bool match = text.isEmpty() || node->text(0).contains(text, Qt::CaseInsensitive) ||
                           m_descriptions[i].contains(text, Qt::CaseInsensitive);
        hide(i, !match);
        if (QTreeWidgetItem* parent = node->parent(); parent && match)
            categoryHasMatch.insert(parent, true);
    }
    for (qsizetype i = 0; i < m_nodes.size(); ++i) {
        QTreeWidgetItem* node = m_nodes[i];
        if (!isCategoryNode(node))
            continue;
        const bool match = text.isEmpty() || categoryHasMatch.contains(node);
        hide(i, !match);
        if (!text.isEmpty() && match)
            node->setExpanded(true);
    }
    if (text.isEmpty()) {
        for (QTreeWidgetItem* node : std::as_const(m_nodes)) {
            if (node->childCount())
                node->setExpanded(m_expandedBeforeFilter.contains(node));
        }
        m_expandedBeforeFilter.clear();
        if (QTreeWidgetItem* current = currentItem())
            scrollToItem(current);
    }
    setUpdatesEnabled(true);
}

void SettingsTree::reapplyFilter()
{
    const QString text = m_filter;
    m_filter.clear();
    filter(text);
}

// No node selected leaves the value editor as it was.
void SettingsTree::announceSelection()
{
    const QTreeWidgetItem* node = selectedNode();
    if (!node)
        return;
    if (isCategoryNode(node))
        emit categorySelected();
    else
        emit settingSelected(node->text(0));
}

void SettingsTree::chooseSelectedNode()
{
    const QTreeWidgetItem* node = selectedNode();
    if (!node)
        return;
    if (isCategoryNode(node))
        emit categoryChosen();
    else
        emit settingChosen(node->text(0));
}

void SettingsTree::focusInEvent(QFocusEvent* event)
{
    emit focusEntered();
    QTreeWidget::focusInEvent(event);
}

void SettingsTree::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    const bool edit = key == Qt::Key_F2 || ((key == Qt::Key_Return || key == Qt::Key_Enter) &&
                                            !(event->modifiers() & ~Qt::KeypadModifier));
    const QTreeWidgetItem* node = selectedNode();
    if (edit && node && !isCategoryNode(node)) {
        emit editRequested();
        return;
    }
    QTreeWidget::keyPressEvent(event);
}

// The right button only opens the pop-up menu; it does not move the selection.
void SettingsTree::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton) {
        emit popUpRequested();
        return;
    }
    QTreeWidget::mousePressEvent(event);
}
