#pragma once

#include "core/ProblemCheck.h"

#include <QAbstractTableModel>
#include <QIcon>
#include <QList>

// The rows of lvProblems: one a problem, in the order the check found them. A model rather than
// an item per problem, so that thousands of problems cost nothing until they are scrolled to.
class ProblemTable : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { LineColumn, SettingColumn, ProblemColumn, ColumnCount };
    // The 1-based line of a row's problem, in any column.
    static constexpr int LineRole = Qt::UserRole;

    using QAbstractTableModel::QAbstractTableModel;

    void setProblems(const QList<ProblemCheck::Problem>& problems);
    // The icon a problem of this severity shows, here and in the list's marks.
    static QIcon severityIcon(ProblemCheck::Severity severity);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QList<ProblemCheck::Problem> m_problems;
};
