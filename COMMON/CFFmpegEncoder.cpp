#include "CFFmpegEncoder.h"

#include "CommandLineBuilder.h"
#include "FixedText.h"
#include "InputScript.h"
#include "Log.h"

#include <cstring>
#include <exception>

namespace kiv {

namespace {

constexpr const char* kModule = "COMMON/CFFmpegEncode";

// A text that holds a double quote would end its quoted argument early and
// turn the rest into options of its own; such a job is refused.
bool RefuseQuotedTexts(const ConversionJob& job, std::string_view input) {
    const std::string_view texts[] = {input,
                                      GetText(job.outputPath),
                                      GetText(job.target.title),
                                      GetText(job.target.author),
                                      GetText(job.target.album),
                                      GetText(job.target.copyright),
                                      GetText(job.target.comment)};
    for (std::string_view text : texts) {
        if (text.find('"') != std::string_view::npos) {
            WriteLogFormat("Module:%s,Error Info :a text with a double quote cannot be given to "
                           "the encoder: %.*s\r\n",
                           kModule, static_cast<int>(text.size()), text.data());
            return true;
        }
    }
    return false;
}

} // namespace

CFFmpegEncoder::CFFmpegEncoder() = default;
CFFmpegEncoder::~CFFmpegEncoder() = default;

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
    return 1;
}

void CFFmpegEncoder::SetScriptInput(int value) {
    scriptInputSwitch_ = value;
}

void CFFmpegEncoder::ReportProgress(int value) {
    if (callback_)
        callback_(value, userData_);
}

int CFFmpegEncoder::bPrepareConvert(ConversionJob* job) {
    if (!job)
        return 0;
    job_ = *job;
    job_.done = 0;
    process_ = 0;
    finished_ = 0;
    error_ = 0;
    try {
        std::string input(GetText(job->sourcePath));
        if (job->scriptInput == 1)
            job->scriptInput = scriptInputSwitch_;
        bool useScript = job->scriptInput == 1;
        if (RefuseQuotedTexts(*job, input) ||
            (useScript && RefuseQuotedTexts(*job, GetText(job->inputScriptPath))))
            return 0;
        if (useScript && WriteInputScript(std::string(GetText(job->inputScriptPath)), input) == 1)
            input = GetText(job->inputScriptPath);

        commandLine_ = CommandPrefix(GetText(appFolder_), input);
        if (job->hasVideo == 1)
            commandLine_ += VideoPart(job->target);
        if (job->hasAudio == 1)
            commandLine_ += AudioPart(job->target);
        int total = 0;
        commandLine_ += VolumeTrimPart(*job, total);
        progressTotal_ = total;

        TargetPart part = BuildTargetPart(*job);
        if (part.result == TargetPart::NoBuilder)
            return 0;
        int result = 0;
        if (part.result == TargetPart::Built) {
            std::string finalPath = FinalOutputPath(*job, part);
            if (FitsField(job->outputPath, finalPath)) {
                commandLine_ += part.options + " -y \"" + finalPath + "\"";
                SetText(job->outputPath, finalPath);
                result = 1;
            } else {
                WriteLogFormat("Module:%s,Error Info :the output file name is longer than %zu "
                               "characters: %s\r\n",
                               kModule, sizeof job->outputPath - 1, finalPath.c_str());
            }
        }
        std::size_t from = commandLine_.find("-i");
        if (from != std::string::npos)
            WriteLog(std::string_view(commandLine_).substr(from));
        return result;
    } catch (...) {
        WriteLogFormat("Module:%s,Line:%d,Unable to get output video convert interface", kModule,
                       307);
        return 0;
    }
}

} // namespace kiv
