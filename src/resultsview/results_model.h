// SPDX-License-Identifier: GPL-3.0-or-later
// One table of a class's results (results/table.h) as a Qt item model: its words shown, each
// column sorted by its values (Qt::UserRole), its heads' tooltips saying what they show.
#pragma once

#include "results/table.h"

#include <QAbstractTableModel>

namespace kovra {

class ResultsTableModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    explicit ResultsTableModel(QObject *parent = nullptr);

    void setTable(ResultsTable table);
    [[nodiscard]] const ResultsTable &table() const { return m_table; }

    [[nodiscard]] int rowCount(const QModelIndex &parent = {}) const override;
    [[nodiscard]] int columnCount(const QModelIndex &parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex &index, int role) const override;
    [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation,
                                      int role) const override;

private:
    ResultsTable m_table;
};

} // namespace kovra
