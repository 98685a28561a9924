#pragma once

// Window places are designed in twips; 15 twips make one device-independent pixel, so
// high-DPI scaling stays Qt's job. Fonts are named as designed and replaced by their
// metric-compatible Liberation families where they are not installed.

#include <QFont>
#include <QRect>
#include <QString>

namespace ferolune {

constexpr int TwipsPerPixel = 15;

// Nearest pixel, halves up.
constexpr int twipsToPixels(int twips)
{
    return (2 * twips + TwipsPerPixel) / (2 * TwipsPerPixel);
}

// Left, top, width and height in twips. The edges are rounded, not the sizes, so
// controls that touch in twips touch in pixels.
constexpr QRect twipsRect(int left, int top, int width, int height)
{
    const int x = twipsToPixels(left);
    const int y = twipsToPixels(top);
    return QRect(x, y, twipsToPixels(left + width) - x, twipsToPixels(top + height) - y);
}

// "MS Sans Serif", "Arial" or "Courier New" at `points`, or the Liberation family that
// stands in for it.
QFont namedFont(const QString &family, double points, bool bold = false);

} // namespace ferolune
