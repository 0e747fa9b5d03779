#pragma once
// Seconds as the split dialog shows them: h:mm:ss of the whole seconds
// (cut, not rounded). Hours go on counting past 23, so a file of a day or
// more shows its real length. Negative and non-finite values show 0:00:00.
//
//     ClockText(3725.9) == "1:02:05"
//     ClockText(90061)  == "25:01:01"
//
// ReadClockText reads what a user types into a time field: "h:mm:ss" or
// "m:ss" (blanks around it allowed), minutes and seconds below 60, hours
// up to 999.
//
//     ReadClockText("1:02:05") == 3725
//     ReadClockText("2:30")    == 150
//     ReadClockText("1:75:00") == std::nullopt

#include <QString>

#include <optional>

namespace kiv {

QString ClockText(double seconds);

std::optional<int> ReadClockText(const QString& text);

} // namespace kiv
