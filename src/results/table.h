// SPDX-License-Identifier: GPL-3.0-or-later
// A class's results as one table, shown in the results view, printed and written as CSV: the
// same columns, words and numbers everywhere, each cell's words made here once. Whole per cent
// are percentOf's; marks and the discrimination have two decimals.
#pragma once

#include "collect.h"

#include <QVariant>
#include <optional>
#include <vector>

namespace kovra {

enum class CellAlign
{
    Left,
    Right, // a number
    Centre,
};

// How a cell stands out: a right or wrong answer, a test not handed in.
enum class CellTone
{
    Plain,
    Right,
    Wrong,
    Alert,
};

struct TableCell
{
    QString text;
    QVariant order; // what the column sorts by; the text when none
    CellAlign align = CellAlign::Left;
    CellTone tone = CellTone::Plain;
    QString tip;
    // What the CSV writes instead of the text, where a spreadsheet counts with it: an answer's
    // verdict is 1 or 0 there, summed in a column.
    std::optional<QString> sheet;
};

struct TableColumn
{
    QString head;
    QString tip; // what the column shows
};

struct ResultsTable
{
    std::vector<TableColumn> columns;
    std::vector<std::vector<TableCell>> rows;
};

// The pupils, the analysis of each question and the files set apart. Numbers with decimals
// have `decimalPoint` (the view's locale's; the CSV's comma); nothing else depends on it.
struct ClassTables
{
    ResultsTable pupils;
    ResultsTable questions;
    ResultsTable apart;
};
[[nodiscard]] ClassTables classTables(const ClassResults &results, const QString &decimalPoint);

} // namespace kovra
