// The slideshow's four passes: the image-preparation script, the encoder
// run that writes the frame images, the show script, and the encoder run
// that encodes the show. The encoder runs go through the process runner and
// wait for the child's end; while the slideshow tag is set every output
// line reports 10.

#include "CFFmpegEncoder.h"
#include "DirectoryTree.h"
#include "EncoderProcessRunner.h"
#include "FixedText.h"
#include "Log.h"
#include "Paths.h"
#include "SlideShowCommandLines.h"
#include "SlideShowScripts.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>

namespace kiv {

namespace {

constexpr const char* kScriptName = "kiv.avs";

// The work folder is cleared before each show. Only a folder a show made is
// cleared: one that is empty or holds the show's script. Anything else at
// that path (a file, a link, a folder of other things) is left alone.
bool MayClearWorkFolder(const std::string& work) {
    struct stat info {};
    if (lstat(work.c_str(), &info) != 0)
        return true; // nothing there
    if (!S_ISDIR(info.st_mode))
        return false;
    std::error_code error;
    std::filesystem::directory_iterator entries(work, error);
    if (error)
        return false;
    return entries == std::filesystem::directory_iterator() ||
           std::filesystem::is_regular_file(std::filesystem::path(work) / kScriptName, error);
}

// Clears and makes the work folder, leaving it the current directory.
// Returns why it cannot be used, or nothing.
std::optional<std::string> PrepareWorkFolder(const std::string& work) {
    if (!MayClearWorkFolder(work))
        return "the slideshow work folder " + work +
               " exists and is not one a slideshow made; it is left alone";
    RemoveDirectoryTree(work);
    std::error_code error;
    if (std::filesystem::exists(std::filesystem::symlink_status(work, error)))
        return std::nullopt; // what could not be removed stays; the script is rewritten
    if (!MakeDirectoryPath(work))
        return "cannot make the slideshow work folder " + work;
    return std::nullopt;
}

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

bool NonEmptyFile(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error) &&
           std::filesystem::file_size(path, error) > 0 && !error;
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

int CFFmpegEncoder::bMakeSlideShowImageScript(SlideShow* show) {
    if (!show)
        return 0;
    try {
        lastResult_ = {};
        if (std::optional<std::string> reason = SlideShowRefusal(*show))
            return PrepareFailed(*reason);
        workFolder_ = SlideShowWorkFolder(*show);
        std::optional<std::string> reason = PrepareWorkFolder(workFolder_);
        if (!reason)
            reason = WriteScript(SlideShowScriptPath(workFolder_),
                                 ImageScriptText(GetText(appFolder_), workFolder_, *show));
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
        lastResult_ = {};
        if (std::optional<std::string> reason = SlideShowRefusal(*show))
            return PrepareFailed(*reason);
        workFolder_ = SlideShowWorkFolder(*show);
        std::optional<std::string> reason = WriteScript(
            SlideShowScriptPath(workFolder_),
            ShowScriptText(GetText(appFolder_), workFolder_, *show, static_cast<ShowSound>(sound)));
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
        if (workFolder_.empty())
            return PrepareFailed("no slideshow image script was written");
        std::string executable = EncoderExecutablePath(GetText(appFolder_));
        std::string parameters = RenderParameters(workFolder_, slideshowTag_);
        WriteLog(executable + parameters + "\r\n");
        // enc leaves the frame images only when it wrote all of them.
        std::filesystem::remove(FirstFrameImage(workFolder_));
        int result = RunSlideShowEncoder(EncoderCommandLine(executable, parameters),
                                         FirstFrameImage(workFolder_));
        return result == 1 && NonEmptyFile(FirstFrameImage(workFolder_)) ? 1 : 0;
    } catch (...) {
        return PrepareFailed("the slideshow pictures could not be prepared");
    }
}

int CFFmpegEncoder::bEncodeSlideShow(SlideShow* show) {
    if (!show)
        return 0;
    try {
        lastResult_ = {};
        if (std::optional<std::string> reason = SlideShowRefusal(*show))
            return PrepareFailed(*reason);
        workFolder_ = SlideShowWorkFolder(*show);
        std::string executable = EncoderExecutablePath(GetText(appFolder_));
        WriteLog(executable);
        EncodeParameters line = BuildEncodeParameters(*show, workFolder_, slideshowTag_);
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
