#include "process/ConvertResult.h"

#include <cstring>

namespace kiv {

std::string DescribeChildEnd(const ChildEnd& end) {
    if (!end.started)
        return "did not start";
    if (end.exited)
        return "exited with status " + std::to_string(end.exitCode);
    if (end.signal != 0)
        return "was killed by signal " + std::to_string(end.signal) + " (" + strsignal(end.signal) +
               ")";
    return "ended in an unknown way";
}

} // namespace kiv
