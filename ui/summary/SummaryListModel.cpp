#include "ui/summary/SummaryListModel.h"

void SummaryListModel::SetColumns(std::vector<summary::ColumnSpec> columns) {
    beginResetModel();
    m_columns = std::move(columns);
    m_rows.clear();
    endResetModel();
}

void SummaryListModel::SetRows(std::vector<summary::SummaryRow> rows) {
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

void SummaryListModel::Sort(summary::SortChoice choice, int dateColumn) {
    emit layoutAboutToBeChanged();
    summary::SortRows(m_rows, choice, static_cast<int>(m_columns.size()), dateColumn);
    emit layoutChanged();
}

int SummaryListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : count();
}

int SummaryListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_columns.size());
}

QVariant SummaryListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= count() || index.column() >= 5) return {};
    if (role == Qt::DisplayRole) return rowAt(index.row()).texts[index.column()];
    if (role == Qt::TextAlignmentRole) {
        const bool right = m_columns[static_cast<std::size_t>(index.column())].alignRight;
        return QVariant::fromValue((right ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    }
    return {};
}

QVariant SummaryListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 ||
        section >= static_cast<int>(m_columns.size()))
        return {};
    const summary::ColumnSpec& c = m_columns[static_cast<std::size_t>(section)];
    if (role == Qt::DisplayRole) return c.title;
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue((c.alignRight ? Qt::AlignRight : Qt::AlignLeft) |
                                   Qt::AlignVCenter);
    return {};
}
