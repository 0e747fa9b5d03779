// Running a prepared conversion and turning the encoder's status lines into
// progress for the caller's callback.

#include "CFFmpegEncoder.h"
#include "Log.h"
#include "PartialKeptLine.h"
#include "StatusLine.h"
#include "commandline/CommandLineBuilder.h"
#include "files/NonEmptyFile.h"
#include "process/EncoderProcessRunner.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>

namespace kiv {

namespace {

// Within this much of the expected length a file is whole: a stop that came
// as the encoder wrote its last frames cut nothing off.
constexpr double kWholeToleranceSeconds = 0.25;

} // namespace

int ProgressPercent(int seconds, int progressTotal) {
    if (progressTotal <= 0)
        return 0;
    long long percent = static_cast<long long>(seconds) * 100 / progressTotal;
    return percent >= 1 && percent <= 99 ? static_cast<int>(percent) : 0;
}

int StatusPercent(const char* line, bool hasVideo, int progressTotal, bool& parsed) {
    int seconds = 0;
    parsed = ReadStatusSeconds(line, hasVideo, seconds);
    return parsed ? ProgressPercent(seconds, progressTotal) : 0;
}

double CFFmpegEncoder::ExpectedSeconds() const {
    double total = progressTotal_;
    double duration = job_.hasVideo == 1 ? job_.source.videoDuration : job_.source.audioDuration;
    if (duration > 0) {
        double start = job_.trimStart[0] != '\0' ? TrimSeconds(job_.trimStart) : 0;
        double rest = std::max(0.0, duration - start);
        total = total > 0 ? std::min(total, rest) : 0;
    }
    return total;
}

void CFFmpegEncoder::TrackStatusLine(const char* line, int seconds, int percent) {
    ProgressValues values;
    if (!ReadStatusValues(line, values))
        values.seconds = seconds; // a shorter line: its whole seconds are all there is
    tracker_.Feed(percent, values);
}

int CFFmpegEncoder::bRunConvert(const char*, int) {
    int result = RunEncoder(commandLine_);
    std::string error;
    // An output written under a plain name takes its real name now, and so
    // does the partial file of a stopped one.
    if (!plainPaths_.Commit(error)) {
        lastResult_ = {ConvertOutcome::Failed, error};
        result = 0;
    } else if (!lastResult_.partialPath.empty()) {
        lastResult_.partialPath = plainPaths_.KeepPartial(lastResult_.partialPath, error);
        if (lastResult_.partialPath.empty())
            lastResult_.outputWritten = false;
    }
    if (!error.empty())
        WriteLogFormat("Module:COMMON/CFFmpegEncode,Error Info :%s", error.c_str());
    FinishConversionFiles();
    return result;
}

int CFFmpegEncoder::RunEncoder(const std::string& commandLine) {
    EncoderProcessRunner& runner = EncoderProcessRunner::Instance();
    keptPartial_.clear();
    runner.Init(commandLine, this, 0);
    if (runner.Start() != 1) {
        lastResult_ = {ConvertOutcome::Failed,
                       std::string("the encoder could not be started: ") + std::strerror(errno)};
        return 0;
    }
    lastResult_ = JudgeRun(runner.LastChildEnd());
    // A stop that came as the last frames were written cut nothing off: the
    // file is whole and takes its own name.
    if (lastResult_.outcome == ConvertOutcome::Done && !keptPartial_.empty() &&
        std::rename(keptPartial_.c_str(), outputPath_.c_str()) != 0)
        lastResult_ = {ConvertOutcome::Failed, "cannot rename " + keptPartial_ + " to " +
                                                   outputPath_ + ": " + std::strerror(errno)};
    return lastResult_.Failed() ? 0 : 1;
}

// A run succeeds only when the encoder exited with status 0 and left a
// non-empty output file; an older file of the same name proves nothing,
// because the encoder replaces it only after a normal end. A conversion a
// stop cut short is never under its own name: the encoder names the partial
// file it kept instead.
ConvertResult CFFmpegEncoder::JudgeRun(const ChildEnd& end) const {
    std::string message =
        lastMessage_.empty() ? "the encoder " + DescribeChildEnd(end) : lastMessage_;
    if (end.stopRequested) {
        const bool exited = end.started && end.exited && end.exitCode == 0;
        const double expected = ExpectedSeconds();
        const bool whole =
            expected > 0 && tracker_.Figures().positionSeconds >= expected - kWholeToleranceSeconds;
        if (exited && IsNonEmptyFile(keptPartial_)) {
            if (whole)
                return {ConvertOutcome::Done, {}, true};
            return {ConvertOutcome::Stopped, {}, true, keptPartial_};
        }
        // Under its own name, a conversion ran to its end before the stop
        // reached FFmpeg; a slideshow keeps a show the stop cut short there.
        const bool kept = exited && IsNonEmptyFile(outputPath_);
        if (kept && (whole || slideshowTag_ == 0))
            return {ConvertOutcome::Done, {}, true};
        const bool clean = !end.started || kept;
        return {ConvertOutcome::Stopped, clean ? std::string() : message, kept};
    }
    if (error_ != 0)
        return {ConvertOutcome::Failed, "an output line of the encoder could not be handled"};
    if (!end.exited || end.exitCode != 0)
        return {ConvertOutcome::Failed, message};
    if (!IsNonEmptyFile(outputPath_))
        return {ConvertOutcome::Failed, "the encoder left no output file " + outputPath_};
    return {ConvertOutcome::Done, {}, true};
}

// A stop or an abort also ends a pause: the runner resumes the encoder so
// that it can finish or abandon its work.
void CFFmpegEncoder::Abort() {
    EncoderProcessRunner::Instance().Abort();
    tracker_.Resume();
}

int CFFmpegEncoder::bStop() {
    EncoderProcessRunner::Instance().Stop(this); // catches and logs its own failures
    tracker_.Resume();
    return 1;
}

int CFFmpegEncoder::OnProcessNotify(int code, void* data, int) {
    switch (code) {
    case NotifyStopped:
        finished_ = 1;
        ReportProgress(100);
        return 1;
    case NotifyStarted: // the runner keeps the child itself
        tracker_.Begin(ExpectedSeconds());
        return 1;
    case NotifyEnded:
        finished_ = 1;
        ReportProgress(100);
        return error_ == 0 ? 1 : 0;
    default:
        break;
    }
    std::unique_ptr<std::string> owned(static_cast<std::string*>(data));
    char line[512] = {};
    try {
        if (!owned)
            return 1;
        owned->copy(line, sizeof line - 1);
        if (std::string kept = PartialKeptPath(*owned); !kept.empty()) {
            keptPartial_ = std::move(kept);
            return 1;
        }
        // The line is read once, in the shape this job's status lines have.
        const bool empty = owned->empty();
        const bool hasVideo = job_.hasVideo != 0;
        int seconds = 0;
        const bool status = !empty && ReadStatusSeconds(owned->c_str(), hasVideo, seconds);
        // Kept for the failure report, also after a stop: the encoder's last
        // word says why it ended. A status line of the other shape is no word.
        if (int other = 0;
            !empty && !status && !ReadStatusSeconds(owned->c_str(), !hasVideo, other))
            lastMessage_ = *owned;
        if (finished_ == 1)
            return 1;
        if (slideshowTag_ != 0) {
            ReportProgress(10);
            return 1;
        }
        if (empty)
            return 1;
        if (status) {
            int percent = ProgressPercent(seconds, progressTotal_);
            ReportProgress(percent);
            TrackStatusLine(owned->c_str(), seconds, percent);
        } else
            WriteLogFormat("Module:%x,Line:%s,Error Info :%s", 0xffff06, "PostMessage", line);
        return error_ == 0 ? 1 : 0;
    } catch (...) {
        error_ = 1;
        finished_ = 1;
        WriteLogFormat("Module:%x,Line:%s,Error Info :%s", 0xffff06, "PostMessage", line);
        return 0;
    }
}

} // namespace kiv
