#include "Conversion.h"

#include "AtomicOutput.h"
#include "CommandLine.h"
#include "FfmpegRunner.h"
#include "InputScriptReader.h"
#include "PartialKeptLine.h"
#include "PartialOutput.h"
#include "RawStreams.h"
#include "SourceFit.h"
#include "Translator.h"

#include <csignal>
#include <unistd.h>

namespace kiv::enc {

namespace {

constexpr int kUsageError = 2;
constexpr int kRunError = 1;
constexpr int kAbandoned = 128 + SIGHUP;

int Fail(const std::string& message, int status) {
    WriteAll(STDERR_FILENO, "enc: " + message + "\n");
    return status;
}

bool ResolveScripts(FfmpegPlan& plan, std::string& error) {
    for (std::string& input : plan.inputs) {
        if (!IsAviSynthScript(input))
            continue;
        std::string source;
        if (!ResolveInputScript(input, source, error))
            return false;
        input = source;
    }
    return true;
}

// FFmpeg wrote a file it may keep: it ended by itself, or a stop (a "q" on
// standard input, or SIGINT/SIGTERM passed on) made it finish early.
bool Wrote(const RunResult& result, const std::string& written) {
    return (result.exitCode == 0 || result.signalled) && IsNonEmptyFile(written);
}

// A stop cut the conversion short: what FFmpeg wrote is kept under a partial
// name, and the requested name, which may hold an earlier whole file, is
// left alone. The engine reads where from the line enc prints.
int KeepCutShort(const std::string& written, const std::string& outputPath) {
    std::string error;
    std::string partial = KeepAsPartial(written, outputPath, error);
    if (partial.empty()) {
        DiscardOutput(written);
        return Fail(error, kRunError);
    }
    ReleaseOutputLock(written);
    WriteAll(STDOUT_FILENO, PartialKeptLine(partial));
    return 0;
}

} // namespace

int RunConversion(const std::vector<std::string>& arguments) {
    FfmpegPlan plan;
    std::string error;
    if (!BuildPlan(arguments, plan, error))
        return Fail(error, kUsageError);
    if (!ResolveScripts(plan, error))
        return Fail(error, kUsageError);
    SeekInsideRawStreams(plan);
    std::vector<std::string> notes;
    bool fits = FitToSource(plan, error, notes);
    // The prepared inputs (re-timed subtitles) live until FFmpeg has ended.
    struct PreparedInputs {
        std::vector<int> descriptors;
        ~PreparedInputs() {
            for (int descriptor : descriptors)
                ::close(descriptor);
        }
    } prepared;
    for (const PreparedInput& input : plan.preparedInputs)
        prepared.descriptors.push_back(input.descriptor);
    if (!fits)
        return Fail(error, kRunError);

    bool atomic = false;
    std::string written = WrittenPathFor(plan.outputPath, atomic, error);
    if (written.empty())
        return Fail(error, kRunError);
    std::vector<std::string> argv = FfmpegArguments(plan, written);
    argv.insert(argv.begin(), FfmpegExecutable());
    WriteAll(STDOUT_FILENO, JoinForDisplay(argv) + "\n");
    for (const std::string& note : notes)
        WriteAll(STDERR_FILENO, "enc: " + note + "\n");

    RunResult result = RunFfmpeg(argv, -1, prepared.descriptors);
    if (result.abandoned) {
        if (atomic)
            DiscardOutput(written);
        return Fail("conversion abandoned", kAbandoned);
    }
    if (!result.started) {
        if (atomic)
            DiscardOutput(written);
        return Fail(result.startError, kRunError);
    }
    if (!atomic)
        return result.exitCode == 0 || result.signalled ? 0 : kRunError;
    if (!Wrote(result, written)) {
        DiscardOutput(written);
        std::string reason =
            "conversion failed (FFmpeg exit status " + std::to_string(result.exitCode) + ")";
        if (!result.errorLine.empty())
            reason += ": " + result.errorLine;
        return Fail(reason, result.exitCode > 0 ? result.exitCode : kRunError);
    }
    if (result.quitByKey || result.signalled)
        return KeepCutShort(written, plan.outputPath);
    if (!CommitOutput(written, plan.outputPath, error))
        return Fail(error, kRunError);
    return 0;
}

} // namespace kiv::enc
