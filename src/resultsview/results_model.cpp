// SPDX-License-Identifier: GPL-3.0-or-later
#include "results_model.h"

#include <QColor>

namespace kovra {

namespace {

const QColor kRightColor(200, 240, 200);
const QColor kWrongColor(250, 200, 200);

} // namespace

ResultsTableModel::ResultsTableModel(QObject *parent) : QAbstractTableModel(parent) {}

void ResultsTableModel::setTable(ResultsTable table)
{
    beginResetModel();
    m_table = std::move(table);
    endResetModel();
}

int ResultsTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_table.rows.size());
}

int ResultsTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_table.columns.size());
}

QVariant ResultsTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount()) {
        return {};
    }
    const std::vector<TableCell> &row = m_table.rows[static_cast<std::size_t>(index.row())];
    if (static_cast<std::size_t>(index.column()) >= row.size()) {
        return {};
    }
    const TableCell &cell = row[static_cast<std::size_t>(index.column())];
    switch (role) {
    case Qt::DisplayRole:
        return cell.text;
    case Qt::UserRole:
        return cell.order.isValid() ? cell.order : QVariant(cell.text);
    case Qt::ToolTipRole:
        return cell.tip.isEmpty() ? QVariant() : QVariant(cell.tip);
    case Qt::TextAlignmentRole:
        return cell.align == CellAlign::Right    ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
               : cell.align == CellAlign::Centre ? QVariant(Qt::AlignCenter)
                                                 : QVariant();
    case Qt::BackgroundRole:
        return cell.tone == CellTone::Right ? QVariant(kRightColor)
               : cell.tone == CellTone::Wrong || cell.tone == CellTone::Alert
                   ? QVariant(kWrongColor)
                   : QVariant();
    default:
        return {};
    }
}

QVariant ResultsTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount()) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    const TableColumn &column = m_table.columns[static_cast<std::size_t>(section)];
    switch (role) {
    case Qt::DisplayRole:
        return column.head;
    case Qt::ToolTipRole:
        return column.tip;
    default:
        return {};
    }
}

} // namespace kovra
