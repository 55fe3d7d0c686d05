// SPDX-License-Identifier: GPL-3.0-or-later
// How one fuzz input carries a content file and its figure files: the JSON text up to the
// first NUL byte; after it the figure files, one after another, each ended by the separator.
// The figures go to the file names in the order the loader first asks for them; a name asked
// for after the files have run out has no file.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace kovra::fuzz {

inline const QByteArray kFigureSeparator = QByteArrayLiteral("\n--kovra-figure--\n");

struct Input
{
    QByteArray json;
    std::vector<QByteArray> figures;
};

inline Input splitInput(const QByteArray &bytes)
{
    Input input;
    const qsizetype nul = bytes.indexOf('\0');
    if (nul < 0) {
        input.json = bytes;
        return input;
    }
    input.json = bytes.left(nul);
    qsizetype from = nul + 1;
    while (from < bytes.size()) {
        const qsizetype end = bytes.indexOf(kFigureSeparator, from);
        if (end < 0) {
            input.figures.push_back(bytes.mid(from));
            break;
        }
        input.figures.push_back(bytes.mid(from, end - from));
        from = end + kFigureSeparator.size();
    }
    return input;
}

inline QByteArray joinInput(const QByteArray &json, const std::vector<QByteArray> &figures)
{
    QByteArray bytes = json;
    if (!figures.empty()) {
        bytes += '\0';
        for (const QByteArray &figure : figures) {
            bytes += figure + kFigureSeparator;
        }
    }
    return bytes;
}

// The figure files of one input, handed out by name in the order of first request.
class FigureChunks
{
public:
    explicit FigureChunks(std::vector<QByteArray> figures) : m_figures(std::move(figures)) {}

    std::optional<QByteArray> operator()(const QString &name)
    {
        qsizetype at = m_names.indexOf(name);
        if (at < 0) {
            at = m_names.size();
            m_names << name;
        }
        if (at >= static_cast<qsizetype>(m_figures.size())) {
            return std::nullopt;
        }
        return m_figures[static_cast<std::size_t>(at)];
    }

private:
    std::vector<QByteArray> m_figures;
    QStringList m_names;
};

} // namespace kovra::fuzz
