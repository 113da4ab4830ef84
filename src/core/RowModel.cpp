#include "core/RowModel.h"

RowModel::RowModel(QObject* parent) : QAbstractTableModel(parent) {}

const Row& RowModel::row(int index) const
{
    static const Row NoRow;
    return isRow(index) ? m_rows[index] : NoRow;
}

void RowModel::resetRows(QList<Row> rows)
{
    KeyCounts counts = countKeys(rows);
    resetRows(std::move(rows), std::move(counts));
}

void RowModel::resetRows(QList<Row> rows, KeyCounts counts)
{
    beginResetModel();
    m_rows = std::move(rows);
    m_keyCounts = std::move(counts);
    endResetModel();
}

RowModel::KeyCounts RowModel::countKeys(const QList<Row>& rows)
{
    KeyCounts counts;
    counts.reserve(rows.size());
    for (const Row& each : rows) {
        if (!each.Key.isEmpty())
            ++counts[each.Key];
    }
    return counts;
}

void RowModel::clear()
{
    resetRows({});
}

bool RowModel::insertRowAt(int index, const Row& row)
{
    if (index < 0 || index > count() || containsKey(row.Key))
        return false;
    beginInsertRows(QModelIndex(), index, index);
    m_rows.insert(index, row);
    countKey(row.Key);
    endInsertRows();
    return true;
}

void RowModel::removeRowAt(int index)
{
    if (!isRow(index))
        return;
    beginRemoveRows(QModelIndex(), index, index);
    uncountKey(m_rows[index].Key);
    m_rows.removeAt(index);
    endRemoveRows();
}

void RowModel::replaceRows(int first, int count, const QList<Row>& rows)
{
    first = qBound(0, first, this->count());
    count = qBound(0, count, this->count() - first);
    if (count > 0) {
        beginRemoveRows(QModelIndex(), first, first + count - 1);
        for (int i = first; i < first + count; ++i)
            uncountKey(m_rows[i].Key);
        m_rows.remove(first, count);
        endRemoveRows();
    }
    if (rows.isEmpty())
        return;
    beginInsertRows(QModelIndex(), first, first + static_cast<int>(rows.size()) - 1);
    m_rows.insert(first, rows.size(), Row{});
    for (qsizetype i = 0; i < rows.size(); ++i) {
        Row& target = m_rows[first + i];
        target = rows[i];
        if (containsKey(target.Key))
            target.Key = uniqueKey(target.Key);
        countKey(target.Key);
    }
    endInsertRows();
}

void RowModel::setRowTexts(int index, const QString& setting, const QString& parameter)
{
    if (!isRow(index))
        return;
    Row& target = m_rows[index];
    // The same texts again are no edit: the row keeps the line it was read from.
    if (target.Setting == setting && target.Parameter == parameter)
        return;
    target.Setting = setting;
    target.Parameter = parameter;
    target.Line.reset();
    emitCellsChanged(index, SettingColumn, ParameterColumn);
}

void RowModel::setSetting(int index, const QString& setting)
{
    if (!isRow(index) || m_rows[index].Setting == setting)
        return;
    m_rows[index].Setting = setting;
    m_rows[index].Line.reset();
    emitCellsChanged(index, SettingColumn, SettingColumn);
}

void RowModel::setParameter(int index, const QString& parameter)
{
    if (!isRow(index) || m_rows[index].Parameter == parameter)
        return;
    m_rows[index].Parameter = parameter;
    m_rows[index].Line.reset();
    emitCellsChanged(index, ParameterColumn, ParameterColumn);
}

bool RowModel::containsKey(const QString& key) const
{
    return !key.isEmpty() && m_keyCounts.contains(key);
}

QString RowModel::uniqueKey(const QString& wanted) const
{
    if (!containsKey(wanted))
        return wanted;
    for (int suffix = 2;; ++suffix) {
        QString candidate = wanted + u'_' + QString::number(suffix);
        if (!containsKey(candidate))
            return candidate;
    }
}

int RowModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : count();
}

int RowModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant RowModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || !isRow(index.row()))
        return {};
    const Row& shown = m_rows[index.row()];
    return index.column() == SettingColumn ? shown.Setting : shown.Parameter;
}

QVariant RowModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case SettingColumn:
        return QStringLiteral("Setting");
    case ParameterColumn:
        return QStringLiteral("Parameter");
    default:
        return {};
    }
}

Qt::ItemFlags RowModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemNeverHasChildren;
}

void RowModel::countKey(const QString& key)
{
    if (!key.isEmpty())
        ++m_keyCounts[key];
}

void RowModel::uncountKey(const QString& key)
{
    if (key.isEmpty())
        return;
    const auto found = m_keyCounts.find(key);
    if (found == m_keyCounts.end())
        return;
    if (--found.value() == 0)
        m_keyCounts.erase(found);
}

void RowModel::emitCellsChanged(int index, Column first, Column last)
{
    emit dataChanged(this->index(index, first), this->index(index, last), {Qt::DisplayRole});
}
