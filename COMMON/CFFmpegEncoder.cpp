#include "CFFmpegEncoder.h"

#include "CommandLineBuilder.h"
#include "FixedText.h"
#include "InputScript.h"
#include "Log.h"

#include <cstring>

namespace kiv {

namespace {

constexpr const char* kModule = "COMMON/CFFmpegEncode";

// A text that holds a double quote would end its quoted argument early and
// turn the rest into options of its own; such a job is refused.
bool HasQuotedText(const ConversionJob& job, std::string_view input, std::string& quoted) {
    const std::string_view texts[] = {input,
                                      GetText(job.outputPath),
                                      GetText(job.target.title),
                                      GetText(job.target.author),
                                      GetText(job.target.album),
                                      GetText(job.target.copyright),
                                      GetText(job.target.comment)};
    for (std::string_view text : texts) {
        if (text.find('"') != std::string_view::npos) {
            quoted = text;
            return true;
        }
    }
    return false;
}

} // namespace

CFFmpegEncoder::CFFmpegEncoder() = default;
CFFmpegEncoder::~CFFmpegEncoder() {
    EndSlideShow();
}

// The five slideshow operations are in SlideShowPasses.cpp.

int CFFmpegEncoder::bReserved1(int, int, int) {
    return 1;
}
int CFFmpegEncoder::bReserved2(int, int) {
    return 1;
}

int CFFmpegEncoder::bInit(const EncoderInit* init) {
    if (!init || !init->callback)
        return 0;
    callback_ = init->callback;
    userData_ = init->userData;
    scriptInputSwitch_ = init->scriptInput;
    SetText(appFolder_, GetText(init->appFolder));
    return 1;
}

int CFFmpegEncoder::bRelease() {
    EndSlideShow();
    return 1;
}

void CFFmpegEncoder::SetScriptInput(int value) {
    scriptInputSwitch_ = value;
}

void CFFmpegEncoder::ReportProgress(int value) {
    if (callback_)
        callback_(value, userData_);
}

int CFFmpegEncoder::PrepareFailed(std::string reason) {
    WriteLogFormat("Module:%s,Error Info :%s\r\n", kModule, reason.c_str());
    lastResult_ = {ConvertOutcome::Failed, std::move(reason)};
    return 0;
}

int CFFmpegEncoder::bPrepareConvert(ConversionJob* job) {
    if (!job)
        return 0;
    job_ = *job;
    job_.done = 0;
    slideshowTag_ = 0; // a conversion after a slideshow reports real percentages
    finished_ = 0;
    error_ = 0;
    lastMessage_.clear();
    outputPath_.clear();
    lastResult_ = {};
    try {
        std::string input(GetText(job->sourcePath));
        if (job->scriptInput == 1)
            job->scriptInput = scriptInputSwitch_;
        bool useScript = job->scriptInput == 1;
        if (std::string quoted;
            HasQuotedText(*job, input, quoted) ||
            (useScript && HasQuotedText(*job, GetText(job->inputScriptPath), quoted)))
            return PrepareFailed("a text with a double quote cannot be given to the encoder: " +
                                 quoted);
        if (useScript) {
            std::string script(GetText(job->inputScriptPath));
            ScriptWrite written = WriteInputScript(script, input);
            if (written == ScriptWrite::Failed)
                return PrepareFailed("the input script " + script + " cannot be written");
            if (written == ScriptWrite::Written)
                input = script;
        }

        commandLine_ = CommandPrefix(GetText(appFolder_), input);
        if (job->hasVideo == 1)
            commandLine_ += VideoPart(job->target);
        if (job->hasAudio == 1)
            commandLine_ += AudioPart(job->target);
        int total = 0;
        commandLine_ += VolumeTrimPart(*job, total);
        progressTotal_ = total;

        TargetPart part = BuildTargetPart(*job);
        if (part.result != TargetPart::Built)
            return PrepareFailed("no command line can be built for target kind " +
                                 std::to_string(job->targetKind) + " with these settings");
        std::string finalPath = FinalOutputPath(*job, part);
        // An output this batch wrote is never replaced by a later one.
        for (int n = 2; keepOutputs_.count(finalPath) != 0; ++n)
            finalPath = FinalOutputPath(*job, part, " (" + std::to_string(n) + ")");
        if (!FitsField(job->outputPath, finalPath))
            return PrepareFailed("the output file name is longer than " +
                                 std::to_string(sizeof job->outputPath - 1) +
                                 " characters: " + finalPath);
        commandLine_ += part.options + " -y \"" + finalPath + "\"";
        SetText(job->outputPath, finalPath);
        outputPath_ = finalPath;
        std::size_t from = commandLine_.find("-i");
        if (from != std::string::npos)
            WriteLog(std::string_view(commandLine_).substr(from));
        return 1;
    } catch (...) {
        WriteLogFormat("Module:%s,Line:%d,Unable to get output video convert interface", kModule,
                       307);
        lastResult_ = {ConvertOutcome::Failed, "the command line could not be built"};
        return 0;
    }
}

} // namespace kiv
