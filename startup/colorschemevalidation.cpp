#include "colorschemevalidation.h"

#include <limits>
#include <optional>

namespace {

// The absolute value, or nullopt for the one value whose absolute value does not fit.
template <typename T> std::optional<T> absolute(T value) {
    if (value == std::numeric_limits<T>::min())
        return std::nullopt;
    return value < 0 ? T(-value) : value;
}

template <typename T> T withinOr(T value, T highest, T fallback) {
    const std::optional<T> magnitude = absolute(value);
    return magnitude && *magnitude <= highest ? *magnitude : fallback;
}

constexpr qint32 White = 0x00FFFFFF;

} // namespace

void ValidateColorScheme(SettingsRecord &record, const SettingsRecord &defaults) {
    record.SchemeColorBegin = withinOr(record.SchemeColorBegin, White, defaults.SchemeColorBegin);
    record.SchemeColorEnd = withinOr(record.SchemeColorEnd, White, defaults.SchemeColorEnd);
    record.SchemeControlStyle =
        withinOr<qint16>(record.SchemeControlStyle, 1, defaults.SchemeControlStyle);
    record.LabelColorBegin = withinOr(record.LabelColorBegin, White, defaults.LabelColorBegin);
    record.LabelColorEnd = withinOr(record.LabelColorEnd, White, defaults.LabelColorEnd);
    record.LabelStyle = withinOr<qint16>(record.LabelStyle, 8, defaults.LabelStyle);
    record.SchemeSpare = absolute(record.SchemeSpare).value_or(defaults.SchemeSpare);
    const qint16 port = absolute(record.SelectedPortNumber).value_or(qint16(1));
    record.SelectedPortNumber = port >= 1 && port <= 99 ? port : qint16(1);
}
