#include "ui/ProblemTable.h"

#include <QApplication>
#include <QStyle>

void ProblemTable::setProblems(const QList<ProblemCheck::Problem>& problems)
{
    beginResetModel();
    m_problems = problems;
    endResetModel();
}

QIcon ProblemTable::severityIcon(ProblemCheck::Severity severity)
{
    return QApplication::style()->standardIcon(severity == ProblemCheck::Severity::Error
                                                   ? QStyle::SP_MessageBoxCritical
                                                   : QStyle::SP_MessageBoxWarning);
}

int ProblemTable::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_problems.size());
}

int ProblemTable::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant ProblemTable::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_problems.size())
        return {};
    const ProblemCheck::Problem& problem = m_problems.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
        switch (index.column()) {
        case LineColumn:
            return QString::number(problem.line);
        case SettingColumn:
            return problem.setting;
        default:
            return problem.message;
        }
    case Qt::DecorationRole:
        if (index.column() != LineColumn)
            return {};
        return severityIcon(problem.severity);
    case Qt::ToolTipRole:
        return index.column() == ProblemColumn ? QVariant(problem.message) : QVariant();
    case Qt::AccessibleTextRole:
        // Read out as one sentence, where the columns would be three fragments.
        if (index.column() != LineColumn)
            return {};
        return QStringLiteral("Line %1, %2, %3")
            .arg(QString::number(problem.line), ProblemCheck::severityName(problem.severity),
                 problem.message);
    case LineRole:
        return problem.line;
    default:
        return {};
    }
}

QVariant ProblemTable::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case LineColumn:
        return QStringLiteral("Line");
    case SettingColumn:
        return QStringLiteral("Setting");
    case ProblemColumn:
        return QStringLiteral("Problem");
    default:
        return {};
    }
}
