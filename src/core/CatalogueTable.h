#pragma once

#include <QList>
#include <QString>
#include <array>

// One catalogue row: columns 1 to 8 of the settings table, each the stored value as text.
struct CatalogueRow {
    std::array<QString, 8> columns;

    const QString& column(int number) const { return columns[static_cast<size_t>(number - 1)]; }
    const QString& Category() const { return columns[0]; }
    const QString& SettingName() const { return columns[1]; }
    const QString& HelpLink() const { return columns[3]; }
    const QString& ValueType() const { return columns[4]; }
    const QString& Choices() const { return columns[5]; }
    const QString& NumberNote() const { return columns[6]; }
    const QString& Description() const { return columns[7]; }
};
// Moved as memory when a list of rows grows, as its strings are.
Q_DECLARE_TYPEINFO(CatalogueRow, Q_RELOCATABLE_TYPE);

// The settings of the chosen server version, in catalogue order; replaced whole by each load.
class CatalogueTable {
public:
    const QList<CatalogueRow>& rows() const { return m_rows; }
    int size() const { return static_cast<int>(m_rows.size()); }
    bool isEmpty() const { return m_rows.isEmpty(); }
    const CatalogueRow& at(int index) const { return m_rows.at(index); }
    void replace(QList<CatalogueRow> rows) { m_rows = std::move(rows); }

private:
    QList<CatalogueRow> m_rows;
};

// Every server version's settings, each with the version that introduced it (same order).
struct VersionedCatalogue {
    CatalogueTable settings;
    QList<float> introduced;
};
