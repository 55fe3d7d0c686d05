// SPDX-License-Identifier: GPL-3.0-or-later
#include "textlist.h"

#include <stdexcept>

namespace kovra {

TextList::TextList(std::initializer_list<QByteArray> rows) : m_rows(rows) {}

std::size_t TextList::checked(int row)
{
    if (row < 0) {
        throw std::out_of_range("text list row below 0");
    }
    return static_cast<std::size_t>(row);
}

void TextList::removeItem(int row)
{
    const std::size_t at = checked(row);
    if (at >= m_rows.size()) {
        throw std::out_of_range("text list row past the end");
    }
    m_rows.erase(m_rows.begin() + static_cast<std::ptrdiff_t>(at));
    if (m_listIndex >= listCount()) {
        m_listIndex = listCount() - 1;
    }
}

void TextList::clear()
{
    m_rows.clear();
    m_listIndex = -1;
}

} // namespace kovra
