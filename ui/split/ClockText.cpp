#include "ClockText.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace kiv {

QString ClockText(double seconds) {
    // Beyond this many hours the digits stop meaning anything anyway.
    constexpr double kLargest = 1e15;
    std::int64_t whole = 0;
    if (std::isfinite(seconds) && seconds > 0)
        whole = static_cast<std::int64_t>(std::min(seconds, kLargest));
    const std::int64_t hours = whole / 3600;
    const int minutes = static_cast<int>(whole % 3600 / 60);
    const int rest = static_cast<int>(whole % 60);
    return QStringLiteral("%1:%2:%3")
        .arg(hours)
        .arg(minutes, 2, 10, QLatin1Char('0'))
        .arg(rest, 2, 10, QLatin1Char('0'));
}

} // namespace kiv
