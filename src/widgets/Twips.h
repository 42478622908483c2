#pragma once

#include <QRect>

class QFont;

// Positions and sizes in twips, where a window keeps the layout it was drawn with, and the
// widths of grid columns. Twips were drawn for a 9-point font at 96 dpi (15 twips a pixel,
// a digit 6 pixels wide, a Chinese character 12); a wider font draws the same text wider,
// so twips become pixels scaled by the font in use against that font, and what filled a
// width there fills it here.
namespace twips {

inline constexpr int PerPixel = 15;
inline constexpr double ReferenceDigitWidth = 6;
inline constexpr double ReferenceChineseWidth = 12;

// How much wider the font draws digits or Chinese characters, whichever is more, than the
// font the twips were drawn for.
double fontScale(const QFont &font);
// The scale of the application's font, measured on every call.
double fontScale();

int pixels(int twips, double scale);
int toTwips(int pixels, double scale);

// In the application's font, measured on every call: a loop takes fontScale() once.
int pixels(int twips);
QRect rect(int x, int y, int w, int h);

} // namespace twips
