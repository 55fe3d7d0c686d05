// SPDX-License-Identifier: GPL-3.0-or-later
// What the files of the teacher's window share: the sizes and limits of the window.
#pragma once

#include <QFileInfo>
#include <QSize>
#include <QString>
#include <QStringList>

namespace kovra::teacher {

inline constexpr int kMaxRecent = 8;
// Work is kept aside once the teacher pauses, and while the teacher types on, at least this often.
inline constexpr int kRecoveryDelayMs = 1500;
inline constexpr int kRecoveryAtMostMs = 4000;
inline const QSize kFigureArea{225, 137};
// The size the window opens at where the screen has room; never more than the screen has.
inline const QSize kOpeningSize{1200, 840};

inline bool isFigureFile(const QString &path)
{
    static const QStringList suffixes{QStringLiteral("jpg"), QStringLiteral("jpeg"),
                                      QStringLiteral("png"), QStringLiteral("gif"),
                                      QStringLiteral("bmp")};
    return suffixes.contains(QFileInfo(path).suffix().toLower());
}

// The start of a question's text, for the list.
inline QString shortText(const QString &text)
{
    constexpr int kShown = 48;
    const QString line = text.simplified();
    return line.size() > kShown ? line.left(kShown - 1) + QChar(0x2026) : line;
}

} // namespace kovra::teacher
