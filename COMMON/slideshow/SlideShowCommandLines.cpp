#include "slideshow/SlideShowCommandLines.h"

#include "EncoderProtocol.h"
#include "FixedText.h"
#include "Paths.h"
#include "commandline/CommandLineBuilder.h"
#include "commandline/ModernTargets.h"
#include "slideshow/SlideShowScripts.h"

#include <array>
#include <chrono>
#include <random>
#include <sys/stat.h>

namespace kiv {

namespace {

using OptionSet = SlideShowOptionSet;

constexpr int kLastSlideShowTag = 32767;

OptionSet Known(std::string options, std::string extension) {
    return OptionSet{true, std::move(options), std::move(extension)};
}

std::string Codecs(std::string_view video, std::string_view audio) {
    return " -vcodec " + std::string(video) + " -acodec " + std::string(audio);
}

// Kinds whose set is the conversion's target part unchanged.
OptionSet AsConversion(const MediaDescription& target, int targetKind) {
    ConversionJob job{};
    job.target = target;
    job.targetKind = targetKind;
    TargetPart part = BuildTargetPart(job);
    if (part.result != TargetPart::Built)
        return OptionSet{};
    return Known(part.options, part.extension);
}

OptionSet Avi(int variant, std::string_view vc, std::string_view ac) {
    std::string text = " -f avi -vcodec ";
    switch (variant) {
    case 0:
        text += " libxvid -vtag xvid ";
        break;
    case 1:
        text += " mpeg4 -vtag divx ";
        break;
    case 2:
        text += std::string(vc) + " -vtag MP43 ";
        break;
    default:
        text += vc;
    }
    return Known(text + " -acodec " + std::string(ac), ".avi");
}

const char* Mp4SlideShowSet(int variant) {
    switch (variant) {
    case 0:
    case 1:
    case 12:
        return " -qmin 10 -qmax 31 -maxrate 768k -bufsize 10M ";
    case 2:
    case 3:
        return " -qmin 2 -qmax 31 -maxrate 768k -bufsize 10M ";
    case 4:
    case 5:
    case 6:
    case 7:
    case 9:
        return " -qmin 10 -qmax 51 -maxrate 768k -bufsize 10M ";
    case 8:
        return " -coder 0 -g 250 -vlevel 13 -qmin 10 -qmax 51 -maxrate 768k -bufsize 10M ";
    case 10:
    case 11:
        return Mp4OptionSet(variant);
    default:
        return "";
    }
}

OptionSet ThirdGeneration(int variant, std::string_view vc, std::string_view ac) {
    static constexpr std::array<const char*, 9> kExtensions = {
        ".3gp", ".3g2", ".avi", ".avi", ".wmv", ".mp4", ".mp4", ".mpg", ".mov"};
    std::string text = Codecs(vc, ac);
    if (variant == 0)
        text += " -f 3gp ";
    else if (variant == 1)
        text += " -f 3g2 ";
    bool listed = variant >= 0 && variant < 9;
    return Known(text, listed ? kExtensions[static_cast<std::size_t>(variant)] : "");
}

OptionSet Flash(int variant, std::string_view vc, std::string_view ac) {
    std::string text;
    if (variant == 0)
        text = " -f " + std::string(vc);
    else if (variant == 1)
        text = " -f flv -vcodec " + std::string(vc);
    else
        return OptionSet{};
    return Known(text + " -acodec " + std::string(ac), variant == 0 ? ".swf" : ".flv");
}

const char* PspSlideShowSet(int variant) {
    switch (variant) {
    case 1:
        return " -maxrate 1500k -coder 1 -coder 1 -g 250 ";
    case 3:
        return PspOptionSet(3);
    case 6:
        return " -qscale 4 -bitexact ";
    case 7:
        return " -qscale 7 -bitexact ";
    case 8:
        return " -qscale 10 -bitexact ";
    case 9:
        return " -maxrate 1500k -coder 1 -coder 1 -g 250 -qscale 25 -bitexact ";
    default:
        return "";
    }
}

OptionSet SourceQuality(int variant, std::string_view vc, std::string_view ac) {
    std::string text = Codecs(vc, ac);
    if (variant == 1)
        text += " -f flv ";
    else if (variant == 2)
        text += " -f avi ";
    else if (variant == 3)
        text += " -f mov ";
    return Known(text, "");
}

} // namespace

int DrawSlideShowTag() {
    auto now = std::chrono::system_clock::now().time_since_epoch();
    std::mt19937 generator(static_cast<std::mt19937::result_type>(now.count()));
    return std::uniform_int_distribution<int>(1, kLastSlideShowTag)(generator);
}

std::string EncoderExecutablePath(std::string_view appFolder) {
    return std::string(appFolder) + kEncoderExecutable;
}

std::string EncoderCommandLine(std::string_view executable, std::string_view parameters) {
    std::string line(1, '"');
    line.append(executable);
    line += "\" ";
    line.append(parameters);
    return line;
}

std::string RenderParameters(std::string_view workFolder, int tag) {
    return std::string(kEncoderToken) + " -i \"" + SlideShowScriptPath(workFolder) + "\"  -y \"" +
           std::string(workFolder) + kPathSeparator + std::to_string(tag) + ".mpg\"";
}

SlideShowOptionSet SlideShowOptionsFor(const MediaDescription& target, int targetKind) {
    std::string_view vc = GetText(target.videoCodec);
    std::string_view ac = GetText(target.audioCodec);
    int variant = target.variant;
    switch (static_cast<TargetKind>(targetKind)) {
    case TargetKind::Avi:
        return Avi(variant, vc, ac);
    case TargetKind::WindowsMedia:
    case TargetKind::MpegProgramStream:
    case TargetKind::QuickTime:
        return AsConversion(target, targetKind);
    case TargetKind::PortableMp4:
        return Known(Codecs(vc, ac) + Mp4SlideShowSet(variant), variant == 12 ? ".mov" : ".mp4");
    case TargetKind::ThirdGeneration:
    case TargetKind::ThirdGenerationB:
        return ThirdGeneration(variant, vc, ac);
    case TargetKind::Flash:
        return Flash(variant, vc, ac);
    case TargetKind::Psp:
        return Known(Codecs(vc, ac) + " -f psp " + " -bufsize 10M " + PspSlideShowSet(variant),
                     ".mp4");
    case TargetKind::SourceQuality:
        return SourceQuality(variant, vc, ac);
    case TargetKind::ModernVideo: {
        // The streams' values come with the set: an HD frame, not 720x576.
        TargetPart part = ModernSlideShowPart(target, targetKind);
        return part.result == TargetPart::Built ? Known(part.options, part.extension) : OptionSet{};
    }
    default:
        return OptionSet{};
    }
}

EncodeParameters BuildEncodeParameters(const SlideShow& show, std::string_view workFolder, int tag,
                                       std::string_view nameSuffix) {
    EncodeParameters result;
    std::string text = std::string(kEncoderToken) + " ";
    std::string_view music = GetText(show.musicPath);
    if (!music.empty())
        text += "-i \"" + std::string(music) + "\" ";
    text += "-i \"" + SlideShowScriptPath(workFolder) + "\" ";
    if (IsModernKind(show.targetKind)) {
        text += "-shortest"; // the option set carries the video and audio values
    } else {
        text += VideoPart(show.target) + AudioPart(show.target);
        text += " -vol " + std::to_string(show.target.volume) + " -shortest ";
    }
    SlideShowOptionSet set = SlideShowOptionsFor(show.target, show.targetKind);
    if (!set.known)
        return result;
    result.outputPath = std::string(GetText(show.outputPrefix)) + std::to_string(tag) + "_" +
                        std::string(GetText(show.target.videoCodec)) + "_" +
                        std::string(GetText(show.target.audioCodec)) + std::string(nameSuffix) +
                        set.extension;
    if (show.panZoom == 1)
        set.options += std::string(" ") + kPanZoomOption + " ";
    result.parameters = text + set.options + " -y \"" + result.outputPath + "\"";
    result.built = true;
    return result;
}

EncodeParameters FreeEncodeParameters(const SlideShow& show, std::string_view workFolder,
                                      int& tag) {
    auto taken = [](const EncodeParameters& line) {
        struct stat info {};
        return line.built && lstat(line.outputPath.c_str(), &info) == 0;
    };
    int drawn = tag;
    for (int step = 0; step < kLastSlideShowTag; ++step) {
        int candidate =
            ((drawn - 1 + step) % kLastSlideShowTag + kLastSlideShowTag) % kLastSlideShowTag + 1;
        EncodeParameters line = BuildEncodeParameters(show, workFolder, candidate);
        if (!taken(line)) {
            tag = candidate;
            return line;
        }
    }
    tag = drawn;
    for (int copy = 2;; ++copy) {
        EncodeParameters line =
            BuildEncodeParameters(show, workFolder, drawn, " (" + std::to_string(copy) + ")");
        if (!taken(line))
            return line;
    }
}

} // namespace kiv
