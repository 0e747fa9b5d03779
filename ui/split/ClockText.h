#pragma once
// Seconds as the split dialog shows them: h:mm:ss of the whole seconds
// (cut, not rounded). Hours go on counting past 23, so a file of a day or
// more shows its real length. Negative and non-finite values show 0:00:00.
//
//     ClockText(3725.9) == "1:02:05"
//     ClockText(90061)  == "25:01:01"

#include <QString>

namespace kiv {

QString ClockText(double seconds);

} // namespace kiv
