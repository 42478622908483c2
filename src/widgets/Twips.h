#pragma once

#include <QRect>

// Positions and sizes in twips, where a window keeps the layout it was drawn with: 15
// twips a pixel at 96 dpi.
namespace twips {

inline constexpr int PerPixel = 15;

constexpr int pixels(int twips)
{
    return twips / PerPixel;
}

inline QRect rect(int x, int y, int w, int h)
{
    return {pixels(x), pixels(y), pixels(w), pixels(h)};
}

} // namespace twips
