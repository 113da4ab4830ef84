#pragma once

#include "core/Row.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QList>
#include <QString>

// The list form of the document: the one store of its rows, shown in two columns
// "Setting" and "Parameter". Every change goes through the mutators below, so views and
// anything watching edits see each one as a model signal. Indexes are 0-based.
class RowModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { SettingColumn = 0, ParameterColumn = 1, ColumnCount = 2 };

    explicit RowModel(QObject* parent = nullptr);

    const QList<Row>& rows() const { return m_rows; }
    int count() const { return static_cast<int>(m_rows.size()); }
    // An index outside 0..count-1 gives an empty row.
    const Row& row(int index) const;

    // Rows carrying each non-empty key.
    using KeyCounts = QHash<QString, int>;
    static KeyCounts countKeys(const QList<Row>& rows);
    void resetRows(QList<Row> rows);
    // The counts made beforehand, away from the window's thread.
    void resetRows(QList<Row> rows, KeyCounts counts);
    void clear();
    // index in 0..count; refuses a row whose non-empty Key another row already carries.
    bool insertRowAt(int index, const Row& row);
    void removeRowAt(int index);
    // Rows first..first+count-1 give way to rows, in one removal and one insertion. A Key
    // another row already carries is made unique.
    void replaceRows(int first, int count, const QList<Row>& rows);
    void setRowTexts(int index, const QString& setting, const QString& parameter);
    void setSetting(int index, const QString& setting);
    void setParameter(int index, const QString& parameter);

    // Empty keys are never in use.
    bool containsKey(const QString& key) const;
    // wanted when it is free, else the first free of wanted + "_2", "_3", ...
    QString uniqueKey(const QString& wanted) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    bool isRow(int index) const { return index >= 0 && index < count(); }
    void countKey(const QString& key);
    void uncountKey(const QString& key);
    void emitCellsChanged(int index, Column first, Column last);

    QList<Row> m_rows;
    // A reset may bring in duplicates, so keys are counted.
    KeyCounts m_keyCounts;
};
