#include "ui/SettingsTree.h"

#include "core/CatalogueTable.h"

#include <QHash>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QSet>
#include <QSignalBlocker>

namespace {

// A node that sorts by a copy of its text, in the same order as QTreeWidgetItem's own
// comparison but without building QVariants: the alphabetical tree of a large catalogue sorts
// in a few milliseconds. Node texts never change after the build.
class ExplorerNode final : public QTreeWidgetItem {
public:
    ExplorerNode(const QString& key, const QString& text) : QTreeWidgetItem(UserType), m_text(text)
    {
        setText(0, text);
        setData(0, SettingsTree::NodeKeyRole, key);
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

} // namespace

SettingsTree::SettingsTree(QWidget* parent) : QTreeWidget(parent)
{
    setObjectName(QStringLiteral("tvTreeView"));
    setAccessibleName(QStringLiteral("Settings Explorer"));
    setHeaderHidden(true);
    setColumnCount(1);
    connect(this, &QTreeWidget::itemClicked, this, &SettingsTree::chooseSelectedNode);
    connect(this, &QTreeWidget::itemDoubleClicked, this, &SettingsTree::chooseSelectedNode);
    connect(this, &QTreeWidget::itemSelectionChanged, this, [this] {
        // No node selected leaves the value editor as it was.
        const QTreeWidgetItem* node = selectedNode();
        if (!node)
            return;
        if (isCategoryNode(node))
            emit categorySelected();
        else
            emit settingSelected(node->text(0));
    });
}

void SettingsTree::rebuild(const CatalogueTable& catalogue, bool byCategory)
{
    setUpdatesEnabled(false);
    const QSignalBlocker blocker(this);

    m_nodes.clear();
    setSortingEnabled(false);
    clear();

    QList<QTreeWidgetItem*> topLevel;
    if (byCategory)
        addCategoryNodes(catalogue, topLevel);
    else
        addAlphabeticalNodes(catalogue, topLevel);
    addTopLevelItems(topLevel);
    if (!byCategory) {
        header()->setSortIndicator(0, Qt::AscendingOrder);
        setSortingEnabled(true);
    }
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
        QTreeWidgetItem* node = new ExplorerNode(u'C' + name, name);
        topLevel.append(node);
        m_nodes.append(node);
    }
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
    return node && node->data(0, NodeKeyRole).toString().startsWith(u'P');
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
