#include "systemcolours.h"

#include "glowtagmath.h"

#include <QPalette>
#include <array>
#include <cstdint>

namespace glowtag {
namespace {

// A system colour comes from a palette role where the desktop has one, else from the classic
// fixed value.
struct SystemEntry {
    bool fromPalette;
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
    QRgb fixed;
};

constexpr SystemEntry role(QPalette::ColorRole r, QPalette::ColorGroup g = QPalette::Active) {
    return {true, g, r, 0};
}
constexpr SystemEntry fixed(QRgb rgb) {
    return {false, QPalette::Active, QPalette::NoRole, rgb};
}

const std::array<SystemEntry, 31> &systemTable() {
    static const std::array<SystemEntry, 31> table = {{
        role(QPalette::Button),                   // 0 scroll bar
        fixed(qRgb(0x3A, 0x6E, 0xA5)),            // 1 desktop
        role(QPalette::Highlight),                // 2 active caption
        fixed(qRgb(0x80, 0x80, 0x80)),            // 3 inactive caption
        role(QPalette::Window),                   // 4 menu
        role(QPalette::Base),                     // 5 window
        role(QPalette::Shadow),                   // 6 window frame
        role(QPalette::WindowText),               // 7 menu text
        role(QPalette::Text),                     // 8 window text
        role(QPalette::HighlightedText),          // 9 caption text
        role(QPalette::Button),                   // 10 active border
        role(QPalette::Button),                   // 11 inactive border
        role(QPalette::Dark),                     // 12 application workspace
        role(QPalette::Highlight),                // 13 highlight
        role(QPalette::HighlightedText),          // 14 highlight text
        role(QPalette::Button),                   // 15 button face
        role(QPalette::Dark),                     // 16 button shadow
        role(QPalette::Text, QPalette::Disabled), // 17 grey text
        role(QPalette::ButtonText),               // 18 button text
        role(QPalette::Midlight),                 // 19 inactive caption text
        role(QPalette::Light),                    // 20 3-D highlight
        role(QPalette::Shadow),                   // 21 3-D dark shadow
        role(QPalette::Midlight),                 // 22 3-D light
        role(QPalette::ToolTipText),              // 23 tooltip text
        role(QPalette::ToolTipBase),              // 24 tooltip background
        fixed(qRgb(0, 0, 0)),                     // 25 unassigned
        role(QPalette::Link),                     // 26 hot-tracked item
        fixed(qRgb(0xA6, 0xCA, 0xF0)),            // 27 active caption gradient
        fixed(qRgb(0xC0, 0xC0, 0xC0)),            // 28 inactive caption gradient
        role(QPalette::Highlight),                // 29 menu highlight
        role(QPalette::Window),                   // 30 menu bar
    }};
    return table;
}

int saturateChannel(double value) {
    const int v = nearest(value);
    return v < 0 ? 0 : (v > 255 ? 255 : v);
}

} // namespace

QColor systemColour(int index, const QPalette &palette) {
    const auto &table = systemTable();
    if (index < 0 || index >= int(table.size()))
        return QColor(0, 0, 0);
    const SystemEntry &entry = table[std::size_t(index)];
    if (!entry.fromPalette)
        return QColor::fromRgb(entry.fixed);
    return palette.color(entry.group, entry.role);
}

QColor resolveColour(int colour, const QPalette &palette) {
    const std::uint32_t c = std::uint32_t(colour);
    if ((c & 0xFF000000u) == 0x80000000u)
        return systemColour(int(c & 0xFFFFu), palette);
    const Channels ch = splitColour(colour);
    return QColor(ch.red, ch.green, ch.blue);
}

QColor colourFromChannels(double red, double green, double blue) {
    return QColor(saturateChannel(red), saturateChannel(green), saturateChannel(blue));
}

} // namespace glowtag
