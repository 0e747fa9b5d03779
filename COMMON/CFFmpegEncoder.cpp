#include "CFFmpegEncoder.h"

#include "FixedText.h"
#include "Log.h"
#include "RunFolder.h"
#include "commandline/ChoiceOptions.h"
#include "commandline/CommandLineBuilder.h"
#include "commandline/InputScript.h"
#include "commandline/ModernTargets.h"

#include <cstring>
#include <filesystem>
#include <optional>
#include <unistd.h>

namespace kiv {

namespace {

constexpr const char* kModule = "COMMON/CFFmpegEncode";

// A tag that holds a double quote would end its quoted argument early and
// turn the rest into options of its own; such a job is refused, naming the
// tag. (Paths with a double quote reach enc by plain names instead.)
std::optional<std::string> QuotedTag(const MediaDescription& target) {
    const std::pair<const char*, std::string_view> tags[] = {
        {"title", GetText(target.title)},     {"author", GetText(target.author)},
        {"album", GetText(target.album)},     {"copyright", GetText(target.copyright)},
        {"comment", GetText(target.comment)},
    };
    for (const auto& [name, text] : tags) {
        if (text.find('"') != std::string_view::npos)
            return "the " + std::string(name) +
                   " tag holds a double quote, which cannot be given " +
                   "to the encoder: " + std::string(text);
    }
    return std::nullopt;
}

bool IsSameFile(const std::string& path, std::string_view other) {
    std::error_code error;
    std::filesystem::path a(path);
    std::filesystem::path b{std::string(other)};
    return a.lexically_normal() == b.lexically_normal() || std::filesystem::equivalent(a, b, error);
}

} // namespace

CFFmpegEncoder::CFFmpegEncoder() = default;
CFFmpegEncoder::~CFFmpegEncoder() {
    EndSlideShow();
}

// The five slideshow operations are in CFFmpegEncoderSlideShow.cpp, the
// probe in CFFmpegEncoderProbe.cpp, running and progress in
// CFFmpegEncoderRun.cpp.

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

void CFFmpegEncoder::FinishConversionFiles() {
    if (!writtenScript_.empty())
        ::unlink(writtenScript_.c_str());
    writtenScript_.clear();
    plainPaths_.Clear();
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
    tracker_.Begin(0); // nothing converted yet; the encoder's start begins the clock anew
    FinishConversionFiles();
    try {
        std::string source(GetText(job->sourcePath));
        if (job->scriptInput == 1)
            job->scriptInput = scriptInputSwitch_;
        // Today's formats read the source itself: the script only ever
        // named it, and FFmpeg needs the file's own streams to fit them.
        bool modern = IsModernKind(job->targetKind);
        bool useScript = job->scriptInput == 1 && !modern;
        if (std::optional<std::string> refusal = QuotedTag(job->target))
            return PrepareFailed(*refusal);
        // The rule's tracks and an automatic crop, worked out for this file.
        if (std::string problem = WorkOutChoices(*job); !problem.empty())
            return PrepareFailed(problem);
        job_.choices = job->choices;

        // Today's formats write their streams and values in the target part,
        // in FFmpeg's own syntax.
        std::string options;
        int total = 0;
        if (modern) {
            if (std::string problem = ModernJobProblem(*job); !problem.empty())
                return PrepareFailed(problem);
            options = TrimPart(*job, total);
        } else {
            if (job->hasVideo == 1)
                options += VideoPart(job->target);
            if (job->hasAudio == 1)
                options += AudioPart(job->target);
            options += VolumeTrimPart(*job, total);
        }
        progressTotal_ = total;

        TargetPart part = BuildTargetPart(*job);
        if (part.result != TargetPart::Built)
            return PrepareFailed("no command line can be built for target kind " +
                                 std::to_string(job->targetKind) + " with these settings");
        std::string finalPath = FinalOutputPath(*job, part);
        // An output this batch wrote is never replaced by a later one, and
        // the source never by its own output (an MP3 made from "song.mp3"
        // in the same folder).
        for (int n = 2;
             keepOutputs_.count(finalPath) != 0 || IsSameFile(finalPath, GetText(job->sourcePath));
             ++n)
            finalPath = FinalOutputPath(*job, part, " (" + std::to_string(n) + ")");
        if (!FitsField(job->outputPath, finalPath))
            return PrepareFailed("the output file name is longer than " +
                                 std::to_string(sizeof job->outputPath - 1) +
                                 " characters: " + finalPath);

        std::string error;
        bool plain = NeedsPlainName(source) || NeedsPlainName(finalPath);
        if (!plainPaths_.Prepare(plain ? RunFolderPath() : std::string(), source, finalPath, error))
            return PrepareFailed(error);
        std::string input = plainPaths_.Source();
        if (useScript) {
            std::string script(GetText(job->inputScriptPath));
            if (script.empty())
                return PrepareFailed("there is no private folder for the input script; the log "
                                     "says why");
            if (NeedsPlainName(script))
                return PrepareFailed("the input script path holds a double quote or a control "
                                     "character, which cannot be given to the encoder: " +
                                     script);
            ScriptWrite written = WriteInputScript(script, input);
            if (written == ScriptWrite::Failed)
                return PrepareFailed("the input script " + script + " cannot be written");
            if (written == ScriptWrite::Written) {
                input = script;
                writtenScript_ = script;
            }
        }

        commandLine_ = (modern ? ModernPrefix(GetText(appFolder_), input)
                               : CommandPrefix(GetText(appFolder_), input)) +
                       options + part.options + ChoiceOptionText(*job) + " -y \"" +
                       plainPaths_.Output() + "\"";
        SetText(job->outputPath, finalPath);
        outputPath_ = plainPaths_.Output();
        if (plain)
            WriteLogFormat("Plain names for the encoder: %s as %s, %s as %s", source.c_str(),
                           plainPaths_.Source().c_str(), finalPath.c_str(), outputPath_.c_str());
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
