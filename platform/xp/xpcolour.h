#pragma once

#include <QColor>

class QPalette;

// Turns a stored colour (0x00BBGGRR, or 0x800000nn for system colour nn) into a QColor.
// System colours come from the palette so they follow the desktop theme.
QColor xpColour(int colour);
QColor xpColour(int colour, const QPalette &palette);
