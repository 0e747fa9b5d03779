#include "EngineSetup.h"

#include <unistd.h>

namespace kiv {

void IgnoreProgress(int, void*) {}

ProgressStyle StyleFor(const CliOptions& options) {
    if (options.quiet)
        return ProgressStyle::Quiet;
    if (options.json)
        return ProgressStyle::Json;
    return isatty(STDERR_FILENO) ? ProgressStyle::Bar : ProgressStyle::Lines;
}

} // namespace kiv
