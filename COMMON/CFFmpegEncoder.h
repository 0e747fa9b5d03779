#pragma once
// The encoder behind CEncoderBase: builds the command line for the external
// encoder `enc`, runs it through the process runner and turns its status
// lines into progress; probes files.

#include "CEncoderBase.h"
#include "EncoderProtocol.h"
#include "files/PlainPaths.h"
#include "files/PrivateWorkFolder.h"

#include <atomic>
#include <mutex>
#include <optional>
#include <string>

namespace kiv {

// Percent of the seconds written against the progress total: 1 to 99,
// else 0.
int ProgressPercent(int seconds, int progressTotal);
// The same for a status line; parsed tells whether the line carried a
// position at all.
int StatusPercent(const char* line, bool hasVideo, int progressTotal, bool& parsed);

class CFFmpegEncoder : public CEncoderBase {
public:
    CFFmpegEncoder();
    ~CFFmpegEncoder() override;

    int bMakeSlideShowScript(SlideShow* show) override;
    int bEncodeSlideShow(SlideShow* show) override;
    int bMakeSlideShowScriptSilent(SlideShow* show) override;
    int bRenderSlideShowImages(int flag) override;
    int bMakeSlideShowImageScript(SlideShow* show) override;
    int bReserved1(int first, int second, int third) override;
    int bReserved2(int first, int second) override;
    int bPrepareConvert(ConversionJob* job) override;
    int bStop() override;
    int bRunConvert(const char* outputPath, int targetKind) override;
    int bInit(const EncoderInit* init) override;
    int bRelease() override;
    int bGetMediaFileContent(const char* path, ConversionJob* job) override;
    int OnProcessNotify(int code, void* data, int id) override;
    void SetScriptInput(int value) override;
    ConvertResult LastResult() const override { return lastResult_; }
    const std::string& PreparedCommandLine() const override { return commandLine_; }
    void SetOutputsToKeep(std::set<std::string> paths) override { keepOutputs_ = std::move(paths); }
    void Abort() override;
    ProgressTracker& Tracker() override { return tracker_; }
    void EndSlideShow() override;

    // The command line built by the last preparation.
    const std::string& CommandLine() const { return commandLine_; }
    // Whole seconds the progress percentage is measured against.
    int ProgressTotal() const { return progressTotal_; }
    // Seconds of media the conversion writes, for the time-left estimate:
    // the progress total, or less when the source ends before it (an
    // untrimmed file's total has a second to spare). 0 when not known.
    double ExpectedSeconds() const;
    int ScriptInputSwitch() const { return scriptInputSwitch_; }
    const char* ApplicationFolder() const { return appFolder_; }

private:
    friend class CommandLineBuilder;

    ConversionJob job_{}; // copy of the last prepared job (fields up to trim end)
    std::string commandLine_;
    std::string outputPath_;       // the file enc writes for the last preparation
    PlainPaths plainPaths_;        // how sources and outputs with a double quote reach enc
    std::string writtenScript_;    // the input script of the last preparation, if written
    std::mutex workMutex_;         // guards the two below (EndSlideShow may come from any thread)
    PrivateWorkFolder workFolder_; // slideshow only: made by the first pass
    int formerDirectoryFd_ = -1;   // the current directory before the first pass entered it
    std::set<std::string> keepOutputs_;
    ConvertResult lastResult_;
    std::string lastMessage_; // the encoder's last line that was not a status line
    std::string keptPartial_; // the partial file enc named after a stop cut the run short
    std::atomic<int> finished_{0};
    std::atomic<int> error_{0};
    int scriptInputSwitch_ = 1;
    char appFolder_[1024] = {};
    ProgressCallback callback_ = nullptr;
    void* userData_ = nullptr;
    int slideshowTag_ = 0;
    std::atomic<int> progressTotal_{0};
    ProgressTracker tracker_;

    void ReportProgress(int value);
    // Hands one status line to the time-left estimate.
    void TrackStatusLine(const char* line, int seconds, int percent);
    int PrepareFailed(std::string reason);
    // The input script, the links and the output's real name once a
    // conversion has ended.
    void FinishConversionFiles();
    // Runs the encoder with the command line until it ends and judges the
    // run: 1 when done or stopped, 0 (and lastResult_ says why) otherwise.
    int RunEncoder(const std::string& commandLine);
    ConvertResult JudgeRun(const ChildEnd& end) const;
    int RunSlideShowEncoder(const std::string& commandLine, const std::string& output);
    int MakeShowScript(SlideShow* show, int sound);
    std::string WorkFolder();
    // A later pass's start: the show's refusal, or its work folder (the
    // reason when the first pass made none).
    std::optional<std::string> WorkFolderOfShow(const SlideShow& show, std::string& work);
};

} // namespace kiv
