#include "danni.h"

#include "textnum.h"

#include <algorithm>
#include <stdexcept>

namespace kovra {

KOVRA_Danni::KOVRA_Danni()
{
    for (int c = kMinChoices; c <= kMaxChoices; ++c) {
        QByteArray digits;
        for (int d = 1; d <= c; ++d) {
            digits.append(static_cast<char>('0' + d));
        }
        TextList &table = m_poredica.at(static_cast<std::size_t>(c));
        do {
            table.addItem(digits);
        } while (std::next_permutation(digits.begin(), digits.end()));
    }
}

const TextList &KOVRA_Danni::Poredica(int c) const
{
    if (c < kMinChoices || c > kMaxChoices) {
        throw std::out_of_range("no choice-order table for this number of choices");
    }
    return m_poredica.at(static_cast<std::size_t>(c));
}

int KOVRA_Danni::flag(int settingsRow) const { return flagDigit(m_settings.list(settingsRow)); }

} // namespace kovra
