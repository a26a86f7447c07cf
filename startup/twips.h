#pragma once

#include <QRect>
#include <cmath>

// Window layouts are designed in twips; the screen has 15 twips per pixel at 96 dpi.
constexpr int TwipsPerPixel = 15;

inline int twipsToPixels(int twips) {
    return int(std::lround(double(twips) / TwipsPerPixel));
}

inline QRect twipsRect(int left, int top, int width, int height) {
    return QRect(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width),
                 twipsToPixels(height));
}
