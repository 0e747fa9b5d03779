#include "EngineSetup.h"

#include "FixedText.h"

#include <unistd.h>

namespace kiv {

EncoderInit MakeEncoderInit(const AppSettings& settings, ProgressCallback callback, void* user) {
    EncoderInit init{};
    init.scriptInput = settings.Core == 1 ? 1 : 0;
    init.callback = callback;
    init.userData = user;
    SetText(init.appFolder, ProgramDirectory());
    return init;
}

void IgnoreProgress(int, void*) {}

ProgressStyle StyleFor(const CliOptions& options) {
    if (options.quiet)
        return ProgressStyle::Quiet;
    if (options.json)
        return ProgressStyle::Json;
    return isatty(STDERR_FILENO) ? ProgressStyle::Bar : ProgressStyle::Lines;
}

} // namespace kiv
