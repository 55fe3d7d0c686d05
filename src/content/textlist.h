// SPDX-License-Identifier: GPL-3.0-or-later
// A list of text rows indexed from 0, with a current-row index.
// Rows hold Windows-1251 bytes (see cp1251.h for the characters it has not); numbers are stored as
// decimal text, "-1" meaning none.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <initializer_list>
#include <vector>

namespace kovra {

class TextList
{
public:
    TextList() = default;
    TextList(std::initializer_list<QByteArray> rows);

    void addItem(QByteArray row) { m_rows.push_back(std::move(row)); }
    // Out-of-range indexes are faults of the caller: they end the program.
    void removeItem(int row);
    void clear();
    [[nodiscard]] int listCount() const { return static_cast<int>(m_rows.size()); }
    [[nodiscard]] const QByteArray &list(int row) const { return m_rows.at(checked(row)); }
    void setList(int row, QByteArray text) { m_rows.at(checked(row)) = std::move(text); }

    [[nodiscard]] int listIndex() const { return m_listIndex; }
    void setListIndex(int row) { m_listIndex = row; }

    [[nodiscard]] const std::vector<QByteArray> &rows() const { return m_rows; }
    bool operator==(const TextList &other) const { return m_rows == other.m_rows; }

private:
    [[nodiscard]] static std::size_t checked(int row);

    std::vector<QByteArray> m_rows;
    int m_listIndex = -1;
};

} // namespace kovra
