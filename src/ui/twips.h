// SPDX-License-Identifier: GPL-3.0-or-later
// Window geometry is kept in twips (1/1440 inch) and drawn at 15 twips per logical pixel.
#pragma once

#include <QRect>
#include <algorithm>
#include <cmath>

namespace kovra {

inline constexpr float kTwipsPerPixel = 15.0F;

struct Twips
{
    float left = 0;
    float top = 0;
    float width = 0;
    float height = 0;
};

inline int twipsToPixels(float twips)
{
    return static_cast<int>(std::lround(twips / kTwipsPerPixel));
}

// Edges are rounded, not sizes, so that shapes that meet in twips meet in pixels.
// A negative extent is drawn as none.
inline QRect toPixels(const Twips &t)
{
    const int left = twipsToPixels(t.left);
    const int top = twipsToPixels(t.top);
    const int right = twipsToPixels(t.left + t.width);
    const int bottom = twipsToPixels(t.top + t.height);
    return {left, top, std::max(0, right - left), std::max(0, bottom - top)};
}

} // namespace kovra
