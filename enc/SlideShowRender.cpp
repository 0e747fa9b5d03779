#include "SlideShowRender.h"

#include "CommandLine.h"
#include "EncoderProtocol.h"
#include "InputScriptReader.h"
#include "MediaLibrary.h"
#include "PictureFiles.h"
#include "SlideShowPasses.h"
#include "SlideShowScriptReader.h"
#include "Translator.h"

#include <algorithm>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace kiv::enc {

namespace {

constexpr std::size_t kLongestScript = 64u << 20;
constexpr std::size_t kHeaderBytes = 256 * 1024; // a JPEG's frame header follows its EXIF block

bool ReadText(const std::string& path, std::string& text) {
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    std::streamoff size = file ? static_cast<std::streamoff>(file.tellg()) : -1;
    if (size < 0 || static_cast<std::size_t>(size) > kLongestScript)
        return false;
    text.assign(static_cast<std::size_t>(size), '\0');
    file.seekg(0);
    file.read(text.data(), size);
    return file.gcount() == size;
}

bool IsFile(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

unsigned Byte(const std::string& bytes, std::size_t at) {
    return static_cast<unsigned char>(bytes[at]);
}

// A PNG's size from its header chunk.
std::optional<PictureSize> PngSize(const std::string& head) {
    if (head.size() < 24 || head.compare(12, 4, "IHDR") != 0)
        return std::nullopt;
    auto word = [&head](std::size_t at) {
        return static_cast<int>((Byte(head, at) << 24 | Byte(head, at + 1) << 16 |
                                 Byte(head, at + 2) << 8 | Byte(head, at + 3)) &
                                0x7fffffff);
    };
    PictureSize size{word(16), word(20)};
    return size.width > 0 && size.height > 0 ? std::optional(size) : std::nullopt;
}

} // namespace

int Fail(const std::string& message, int status) {
    WriteAll(STDERR_FILENO, "enc: " + message + "\n");
    return status;
}

std::vector<std::string> GlobalArguments() {
    return {FfmpegExecutable(),
            "-hide_banner",
            "-nostats",
            "-progress",
            "pipe:" + std::to_string(kProgressDescriptor),
            "-y"};
}

std::string FailureReason(const RunResult& result, const std::string& what) {
    // FFmpeg ends with status 0 when a picture gave it no frame at all.
    std::string reason = what + " failed";
    if (result.exitCode != 0)
        reason += " (FFmpeg exit status " + std::to_string(result.exitCode) + ")";
    if (result.signalled)
        reason = what + " was stopped";
    if (!result.errorLine.empty())
        reason += ": " + result.errorLine;
    return reason;
}

bool ReadPicture(const std::string& path, const char* what, PictureInfo& info, std::string& error) {
    if (!IsFile(path)) {
        error = std::string("cannot read the ") + what + " '" + path + "': no such file";
        return false;
    }
    info = PictureInfo{};
    std::string head = FileHead(path, kHeaderBytes);
    if (std::optional<StoredSize> jpeg = JpegStoredSize(head)) {
        info.stored = PictureSize{jpeg->width, jpeg->height};
        info.jpeg = true;
        info.turned = JpegOrientation(head) >= 5;
        info.shown = info.turned ? PictureSize{jpeg->height, jpeg->width} : info.stored;
        return true;
    }
    if (ReaderIs(PictureReaderFor(head), "png_pipe")) {
        if (std::optional<PictureSize> png = PngSize(head)) {
            info.shown = info.stored = *png;
            return true;
        }
    }
    MediaFacts facts;
    if (DetectMediaOnDemand(path, facts) != 0 || !facts.hasVideo || facts.width <= 0 ||
        facts.height <= 0) {
        error = std::string("cannot read the ") + what + " '" + path + "': not a picture";
        return false;
    }
    info.shown = info.stored = PictureSize{facts.width, facts.height};
    return true;
}

std::vector<std::string> PictureInput(const std::string& path) {
    if (const char* reader = PictureReaderFor(FileHead(path, 16)))
        return {"-f", reader, "-i", path};
    return {"-i", path};
}

std::optional<int> RunSlideShowScript(const std::vector<std::string>& arguments) {
    // --pan-zoom's mark is enc's own; FFmpeg never sees it.
    std::vector<std::string> line = arguments;
    auto mark = std::find(line.begin(), line.end(), kPanZoomOption);
    bool panZoom = mark != line.end();
    if (panZoom)
        line.erase(mark);
    FfmpegPlan plan;
    std::string error;
    if (!BuildPlan(line, plan, error))
        return std::nullopt;
    for (std::size_t i = 0; i < plan.inputs.size(); ++i) {
        std::string text;
        if (!IsAviSynthScript(plan.inputs[i]) || !ReadText(plan.inputs[i], text))
            continue;
        switch (SlideShowScriptOf(text)) {
        case SlideShowScript::Images:
            return RunImagePass(plan.inputs[i], text);
        case SlideShowScript::Show:
            return RunShowPass(plan, i, text, panZoom);
        case SlideShowScript::None:
            break;
        }
    }
    return std::nullopt;
}

} // namespace kiv::enc
