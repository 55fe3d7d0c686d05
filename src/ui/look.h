// SPDX-License-Identifier: GPL-3.0-or-later
// How the program looks: the one font of every widget, the widget style, and icons that are
// read only when something draws them.
#pragma once

#include <QFont>
#include <QIcon>
#include <functional>

class QStyle;

namespace kovra {

// The font of every widget of the program.
[[nodiscard]] QFont windowFont();

// The widget style of the program: Fusion, with the menu bar's extension arrow (shown only
// when the menus do not fit) read when it is first drawn rather than when the bar is made,
// and push buttons that show their background colour as a flat face inside a thin frame:
// pressed, they show a shadow and shift the caption; focused, a ring in the highlight colour;
// disabled, a greyed, etched caption on the same face.
[[nodiscard]] QStyle *createStyle();

// An icon that calls load() the first time it is drawn or measured; until then it is not
// null and holds nothing.
[[nodiscard]] QIcon deferredIcon(std::function<QIcon()> load);

} // namespace kovra
