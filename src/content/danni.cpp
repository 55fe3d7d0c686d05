// SPDX-License-Identifier: GPL-3.0-or-later
#include "danni.h"

#include "figures.h"
#include "textnum.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

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

QImage &KOVRA_Danni::Picture1(int k)
{
    QImage &image = const_cast<QImage &>(std::as_const(*this).Picture1(k));
    m_picture1File.at(static_cast<std::size_t>(k)) = FigureFile(); // the caller may change it
    return image;
}

const QImage &KOVRA_Danni::Picture1(int k) const
{
    const auto slot = static_cast<std::size_t>(k);
    QImage &image = m_picture1.at(slot);
    FigureFile &file = m_picture1File.at(slot);
    if (!file.bytes.isNull() && !file.decoded) {
        image = decodeFigure(file.bytes, file.format);
        file.decoded = true;
    }
    return image;
}

const QByteArray &KOVRA_Danni::Picture1File(int k) const
{
    return m_picture1File.at(static_cast<std::size_t>(k)).bytes;
}

const QByteArray &KOVRA_Danni::Picture1Format(int k) const
{
    return m_picture1File.at(static_cast<std::size_t>(k)).format;
}

void KOVRA_Danni::setPicture1File(int k, QByteArray file, QByteArray format)
{
    const auto slot = static_cast<std::size_t>(k);
    m_picture1.at(slot) = QImage();
    m_picture1File.at(slot) = {std::move(file), std::move(format)};
}

bool KOVRA_Danni::hasPicture1(int k) const
{
    const auto slot = static_cast<std::size_t>(k);
    const FigureFile &file = m_picture1File.at(slot);
    return (!file.bytes.isNull() && !file.decoded) || !m_picture1.at(slot).isNull();
}

void KOVRA_Danni::copyPicture1(int to, int from)
{
    m_picture1.at(static_cast<std::size_t>(to)) = m_picture1.at(static_cast<std::size_t>(from));
    m_picture1File.at(static_cast<std::size_t>(to)) =
        m_picture1File.at(static_cast<std::size_t>(from));
}

int KOVRA_Danni::flag(int settingsRow) const
{
    return flagDigit(m_settings.list(settingsRow));
}

} // namespace kovra
