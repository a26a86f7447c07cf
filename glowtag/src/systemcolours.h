#pragma once

#include <QColor>

class QPalette;

namespace glowtag {

// A packed colour as shown on screen: 0x00BBGGRR as is, 0x800000nn through the palette.
QColor resolveColour(int colour, const QPalette &palette);
// System colour nn; indices outside the standard table give black.
QColor systemColour(int index, const QPalette &palette);
// Plain channels built into a colour, each saturated to 0..255.
QColor colourFromChannels(double red, double green, double blue);

} // namespace glowtag
