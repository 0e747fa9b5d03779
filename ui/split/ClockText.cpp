#include "ClockText.h"

#include <QRegularExpression>

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

std::optional<int> ReadClockText(const QString& text) {
    static const QRegularExpression kClock(QStringLiteral("^(?:(\\d{1,3}):)?(\\d{1,2}):(\\d\\d)$"));
    const QRegularExpressionMatch match = kClock.match(text.trimmed());
    if (!match.hasMatch())
        return std::nullopt;
    const int hours = match.captured(1).toInt(); // 0 when not given
    const int minutes = match.captured(2).toInt();
    const int seconds = match.captured(3).toInt();
    if (minutes > 59 || seconds > 59)
        return std::nullopt;
    return (hours * 60 + minutes) * 60 + seconds;
}

} // namespace kiv
