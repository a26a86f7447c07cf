#pragma once

#include <climits>
#include <cmath>
#include <cstdint>

namespace glowtag {

// Fractional to integer, halves to the even neighbour; out-of-range values saturate instead of
// being undefined.
inline int nearest(double x) {
    if (std::isnan(x))
        return 0;
    if (x >= double(INT_MAX))
        return INT_MAX;
    if (x <= double(INT_MIN))
        return INT_MIN;
    return int(std::nearbyint(x));
}

template <typename T> const T &MaxOf(const T &a, const T &b) {
    return a >= b ? a : b;
}
template <typename T> const T &MinOf(const T &a, const T &b) {
    return a <= b ? a : b;
}

// Channels of a packed colour taken as a plain number, system colours included.
struct Channels {
    int red;
    int green;
    int blue;
};

inline Channels splitColour(int colour) {
    const std::uint32_t c = std::uint32_t(colour);
    return {int(c & 0xFFu), int((c & 0xFF00u) / 256u), int((c & 0xFF0000u) / 65536u)};
}

} // namespace glowtag
