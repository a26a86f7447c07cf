#include "xpcolour.h"

#include <QApplication>
#include <QPalette>

namespace {

QPalette::ColorRole systemRole(int index) {
    switch (index) {
    case 1:  // desktop
    case 12: // application workspace
    case 15: // button face
        return QPalette::Button;
    case 5: // window background
        return QPalette::Base;
    case 6:  // window frame
    case 21: // 3D dark shadow
        return QPalette::Shadow;
    case 7: // menu text
    case 8: // window text
        return QPalette::WindowText;
    case 9:  // caption text
    case 14: // highlight text
        return QPalette::HighlightedText;
    case 2:  // active caption
    case 13: // highlight
        return QPalette::Highlight;
    case 16: // button shadow
        return QPalette::Dark;
    case 17: // grey text
    case 19: // inactive caption text
        return QPalette::PlaceholderText;
    case 18: // button text
        return QPalette::ButtonText;
    case 20: // button highlight
        return QPalette::Light;
    case 22: // 3D light
        return QPalette::Midlight;
    case 23: // tooltip text
        return QPalette::ToolTipText;
    case 24: // tooltip background
        return QPalette::ToolTipBase;
    default:
        return QPalette::Window;
    }
}

} // namespace

QColor xpColour(int colour, const QPalette &palette) {
    const quint32 value = quint32(colour);
    if (value & 0x80000000u)
        return palette.color(QPalette::Active, systemRole(int(value & 0xFFu)));
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

QColor xpColour(int colour) {
    return xpColour(colour, QApplication::palette());
}
