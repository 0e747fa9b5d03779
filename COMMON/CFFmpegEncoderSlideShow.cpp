// The slideshow's four passes: the image-preparation script, the encoder
// run that writes the frame images, the show script, and the encoder run
// that encodes the show. The encoder runs go through the process runner and
// wait for the child's end; while the slideshow tag is set every output
// line reports 10.

#include "CFFmpegEncoder.h"
#include "FixedText.h"
#include "Log.h"
#include "Paths.h"
#include "files/NonEmptyFile.h"
#include "process/EncoderProcessRunner.h"
#include "slideshow/SlideShowCommandLines.h"
#include "slideshow/SlideShowScripts.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace kiv {

namespace {

// Writes a script. One that cannot be written fails its pass: the encoder
// would otherwise run an older script, or none.
std::optional<std::string> WriteScript(const std::string& path, const std::string& text) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (file)
        file << text;
    if (!file.flush())
        return "cannot write the slideshow script " + path;
    return std::nullopt;
}

std::string FirstFrameImage(const std::string& work) {
    return work + kPathSeparator + "aya000000.ebmp";
}

} // namespace

// Runs one slideshow pass of the encoder and waits for its end. It
// succeeds only when the encoder exited with status 0 and left `output`,
// so a failed run is never reported as success; a stopped run counts as
// stopped, as for conversions.
int CFFmpegEncoder::RunSlideShowEncoder(const std::string& commandLine, const std::string& output) {
    finished_ = 0;
    error_ = 0;
    lastMessage_.clear();
    lastResult_ = {};
    outputPath_ = output;
    return RunEncoder(commandLine);
}

std::string CFFmpegEncoder::WorkFolder() {
    std::lock_guard lock(workMutex_);
    return workFolder_.Path();
}

std::optional<std::string> CFFmpegEncoder::WorkFolderOfShow(const SlideShow& show,
                                                            std::string& work) {
    lastResult_ = {};
    if (std::optional<std::string> reason = SlideShowRefusal(show))
        return reason;
    work = WorkFolder();
    if (work.empty())
        return "no slideshow image script was written";
    return std::nullopt;
}

void CFFmpegEncoder::EndSlideShow() {
    std::lock_guard lock(workMutex_);
    workFolder_.Remove();
    // The first pass entered the work folder; a removed current directory
    // would break every relative path the program uses later.
    if (formerDirectoryFd_ >= 0) {
        int restored = fchdir(formerDirectoryFd_);
        (void)restored; // nothing better to do than stay where we are
        close(formerDirectoryFd_);
        formerDirectoryFd_ = -1;
    }
}

int CFFmpegEncoder::bMakeSlideShowImageScript(SlideShow* show) {
    if (!show)
        return 0;
    try {
        lastResult_ = {};
        if (std::optional<std::string> reason = SlideShowRefusal(*show))
            return PrepareFailed(*reason);
        std::string work;
        std::optional<std::string> reason;
        std::error_code ignored; // a folder that cannot be made fails below
        std::filesystem::create_directories(
            std::filesystem::path(GetText(show->outputPrefix)).parent_path(), ignored);
        {
            std::lock_guard lock(workMutex_);
            reason = workFolder_.Create(std::string(GetText(show->outputPrefix)));
            work = workFolder_.Path();
            if (!reason && formerDirectoryFd_ < 0)
                formerDirectoryFd_ = open(".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        }
        if (!reason && chdir(work.c_str()) != 0)
            reason = "cannot enter the slideshow work folder " + work;
        if (!reason)
            reason = WriteScript(SlideShowScriptPath(work),
                                 ImageScriptText(GetText(appFolder_), work, *show));
        return reason ? PrepareFailed(*reason) : 1;
    } catch (...) {
        return PrepareFailed("the slideshow image script could not be written");
    }
}

// The show script, with the music's sound track or in silence.
int CFFmpegEncoder::MakeShowScript(SlideShow* show, int sound) {
    if (!show)
        return 0;
    try {
        std::string work;
        if (std::optional<std::string> reason = WorkFolderOfShow(*show, work))
            return PrepareFailed(*reason);
        std::optional<std::string> reason =
            WriteScript(SlideShowScriptPath(work), ShowScriptText(GetText(appFolder_), work, *show,
                                                                  static_cast<ShowSound>(sound)));
        return reason ? PrepareFailed(*reason) : 1;
    } catch (...) {
        return PrepareFailed("the slideshow script could not be written");
    }
}

int CFFmpegEncoder::bMakeSlideShowScript(SlideShow* show) {
    return MakeShowScript(show, static_cast<int>(ShowSound::MusicWhenGiven));
}

int CFFmpegEncoder::bMakeSlideShowScriptSilent(SlideShow* show) {
    return MakeShowScript(show, static_cast<int>(ShowSound::Silent));
}

int CFFmpegEncoder::bRenderSlideShowImages(int flag) {
    if (flag == 0)
        return 0;
    try {
        slideshowTag_ = DrawSlideShowTag();
        std::string work = WorkFolder();
        if (work.empty())
            return PrepareFailed("no slideshow image script was written");
        std::string executable = EncoderExecutablePath(GetText(appFolder_));
        std::string parameters = RenderParameters(work, slideshowTag_);
        WriteLog(executable + parameters + "\r\n");
        // enc leaves the frame images only when it wrote all of them.
        std::filesystem::remove(FirstFrameImage(work));
        int result =
            RunSlideShowEncoder(EncoderCommandLine(executable, parameters), FirstFrameImage(work));
        return result == 1 && IsNonEmptyFile(FirstFrameImage(work)) ? 1 : 0;
    } catch (...) {
        return PrepareFailed("the slideshow pictures could not be prepared");
    }
}

int CFFmpegEncoder::bEncodeSlideShow(SlideShow* show) {
    if (!show)
        return 0;
    try {
        std::string work;
        if (std::optional<std::string> reason = WorkFolderOfShow(*show, work))
            return PrepareFailed(*reason);
        std::string executable = EncoderExecutablePath(GetText(appFolder_));
        WriteLog(executable);
        EncodeParameters line = FreeEncodeParameters(*show, work, slideshowTag_);
        if (!line.built)
            return PrepareFailed("the output format has no slideshow options");
        if (!FitsField(show->outputPrefix, line.outputPath))
            return PrepareFailed("the slideshow output file name is too long: " + line.outputPath);
        SetText(show->outputPrefix, line.outputPath);
        WriteLog(std::string_view(line.parameters).substr(line.parameters.find("-i")));
        return RunSlideShowEncoder(EncoderCommandLine(executable, line.parameters),
                                   line.outputPath);
    } catch (...) {
        return PrepareFailed("the slideshow could not be encoded");
    }
}

} // namespace kiv
