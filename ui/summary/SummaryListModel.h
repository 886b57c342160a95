// The summary list as a model over the engine's rows: the view asks only for
// the rows it paints, so a year of single entries opens and sorts without one
// widget item per row.
#pragma once

#include "ui/summary/Aggregation.h"
#include "ui/summary/RowOrder.h"

#include <QAbstractTableModel>
#include <vector>

class SummaryListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    // A new layout, with no rows.
    void SetColumns(std::vector<summary::ColumnSpec> columns);
    // The rows of one rebuild, in the order the engine made them.
    void SetRows(std::vector<summary::SummaryRow> rows);
    void Sort(summary::SortChoice choice, int dateColumn);

    const std::vector<summary::ColumnSpec>& columns() const { return m_columns; }
    const summary::SummaryRow& rowAt(int row) const {
        return m_rows[static_cast<std::size_t>(row)];
    }
    int count() const { return static_cast<int>(m_rows.size()); }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::vector<summary::ColumnSpec> m_columns;
    std::vector<summary::SummaryRow> m_rows;
};
