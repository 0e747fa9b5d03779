#include "PictureFit.h"

#include "CodecTable.h"
#include "NumberText.h"
#include "Repairs.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <string_view>

namespace kiv::enc {

namespace {

// Codecs that store progressive pictures only: no need to look.
constexpr std::array<std::string_view, 10> kProgressiveOnly = {
    "vp8", "vp9", "av1", "theora", "mpeg1video", "gif", "png", "apng", "webp", "bmp"};

bool MayBeInterlaced(std::string_view codec) {
    for (std::string_view progressive : kProgressiveOnly)
        if (codec == progressive)
            return false;
    return true;
}

std::string SizeText(int width, int height) {
    return std::to_string(width) + "x" + std::to_string(height);
}

bool ReadSize(const std::string* text, int& width, int& height) {
    char tail = 0;
    return text && std::sscanf(text->c_str(), "%dx%d%c", &width, &height, &tail) == 2;
}

// The source's size as shown (a phone's portrait video turned upright).
void ShownSize(const StreamFacts& video, int& width, int& height) {
    bool turned = video.rotation == 90 || video.rotation == 270;
    width = turned ? video.height : video.width;
    height = turned ? video.width : video.height;
}

void PrependFilter(FfmpegPlan& plan, const std::string& filter) {
    const std::string* filters = plan.Find("-vf");
    plan.Set("-vf", filters ? filter + "," + *filters : filter);
}

// A disc preset's rate and height ("pal-dvd": 25 fps, 576 lines).
struct PresetPicture {
    double rate;
    int height;
};

PresetPicture PictureOfPreset(std::string_view target, std::string_view format) {
    bool pal = target.starts_with("pal");
    bool film = target.starts_with("film");
    double rate = pal ? 25.0 : (film ? 24000.0 / 1001 : 30000.0 / 1001);
    int height = format == "vcd" ? (pal ? 288 : 240) : (pal ? 576 : 480);
    return {rate, height};
}

// The output's rate and picture height; 0 where the source's are kept.
void OutputPicture(const FfmpegPlan& plan, const OutputFacts& output, double& rate, int& height) {
    rate = 0;
    height = 0;
    if (const std::string* target = plan.Find("-target"); target && output.preset) {
        PresetPicture preset = PictureOfPreset(*target, output.format);
        rate = preset.rate;
        height = preset.height;
        return;
    }
    if (const std::string* text = plan.Find("-r"))
        rate = ParseNumber(*text).value_or(0);
    int width = 0;
    ReadSize(plan.Find("-s"), width, height);
}

// FFmpeg 5.1 gives the encoder a time base of one over the rate it guesses
// from the first frames; a variable-rate source (a phone switching from 30
// to 24 fps) then has every frame's time snapped to that grid. The
// source's own time base keeps them.
void KeepFrameTimes(FfmpegPlan& plan) {
    const std::string* mode = plan.Find("-fps_mode:v");
    if (mode && *mode == "vfr" && !plan.Has("-r"))
        plan.Set("-enc_time_base:v", "-1");
}

void CropOddSize(FfmpegPlan& plan, const StreamFacts& video, std::vector<std::string>& notes) {
    int width = 0, height = 0, sourceWidth = 0, sourceHeight = 0;
    ShownSize(video, sourceWidth, sourceHeight);
    if (!ReadSize(plan.Find("-s"), width, height) ||
        (sourceWidth % 2 == 0 && sourceHeight % 2 == 0))
        return;
    if (width != sourceWidth - sourceWidth % 2 || height != sourceHeight - sourceHeight % 2)
        return;
    PrependFilter(plan, "crop=" + std::to_string(width) + ":" + std::to_string(height) + ":0:0");
    notes.push_back("video: " + SizeText(sourceWidth, sourceHeight) + " cropped to " +
                    SizeText(width, height) + " (the encoder needs even sides)");
}

void FitFields(FfmpegPlan& plan, const StreamFacts& video, const OutputFacts& output,
               double startSeconds, const FieldProbe& probe, DeinterlaceChoice deinterlace,
               std::vector<std::string>& notes) {
    if (deinterlace == DeinterlaceChoice::Never) {
        notes.push_back("video: not deinterlaced, as chosen");
        return;
    }
    if (deinterlace == DeinterlaceChoice::Always) {
        auto said = static_cast<FieldOrder>(video.fieldOrder);
        const char* parity = said == FieldOrder::TopFirst      ? "tff"
                             : said == FieldOrder::BottomFirst ? "bff"
                                                               : "auto";
        PrependFilter(plan, std::string("bwdif=mode=send_frame:parity=") + parity + ":deint=all");
        notes.push_back("video: deinterlaced with bwdif, as chosen");
        return;
    }
    auto order = static_cast<FieldOrder>(video.fieldOrder);
    const char* how = "as the stream says";
    if (order == FieldOrder::Unknown && MayBeInterlaced(video.codec) && probe) {
        order = probe(video.index, startSeconds);
        how = "found by idet";
    }
    if (order != FieldOrder::TopFirst && order != FieldOrder::BottomFirst)
        return;
    bool top = order == FieldOrder::TopFirst;
    std::string source = std::string("video: interlaced source (") + (top ? "top" : "bottom") +
                         " field first, " + how + "): ";

    // A disc keeps the fields when the rate stays: each frame's two fields
    // go out as they came, resized per field where the height changes.
    double rate = 0;
    int height = 0;
    OutputPicture(plan, output, rate, height);
    const ContainerRow* container = FindContainerByFormat(output.format);
    bool sameRate = rate <= 0 || (video.frameRate > 0 && std::fabs(rate - video.frameRate) < 0.02);
    if (container && container->keepsFields && output.videoCodec == "mpeg2video" && sameRate) {
        const std::string* flags = plan.Find("-flags");
        plan.Set("-flags", (flags ? *flags : std::string()) + "+ildct+ilme");
        plan.Set("-top", top ? "1" : "0");
        int width = 0, ignored = 0;
        if (height > 0 && height != video.height &&
            (ReadSize(plan.Find("-s"), width, ignored) || output.preset))
            PrependFilter(plan, "scale=w=" + (width > 0 ? std::to_string(width) : "iw") +
                                    ":h=" + std::to_string(height) + ":interl=1");
        notes.push_back(source + "kept interlaced, " + (top ? "top" : "bottom") + " field first");
        return;
    }
    PrependFilter(plan, std::string("bwdif=mode=send_frame:parity=") + (top ? "tff" : "bff") +
                            ":deint=all");
    notes.push_back(source + "deinterlaced with bwdif for a progressive picture");
}

// "(x,y)": x265's integers, or SVT-AV1's plain numbers.
std::string Pair(const int (&xy)[2], bool plain) {
    char text[64];
    if (plain)
        std::snprintf(text, sizeof text, "(%.4f,%.4f)", xy[0] / 50000.0, xy[1] / 50000.0);
    else
        std::snprintf(text, sizeof text, "(%d,%d)", xy[0], xy[1]);
    return text;
}

// The HDR10 parameters in the encoder's own syntax.
std::string HdrTenParameterText(const HdrTenFacts& hdr, HdrTenParameters style) {
    bool svt = style == HdrTenParameters::SvtAv1;
    std::string text;
    char numbers[64];
    if (hdr.hasMasteringDisplay) {
        text += svt ? "mastering-display=G" : "master-display=G";
        text += Pair(hdr.green, svt);
        text += "B";
        text += Pair(hdr.blue, svt);
        text += "R";
        text += Pair(hdr.red, svt);
        text += "WP";
        text += Pair(hdr.whitePoint, svt);
        if (svt)
            std::snprintf(numbers, sizeof numbers, "L(%.4f,%.4f)", hdr.maxLuminance / 10000.0,
                          hdr.minLuminance / 10000.0);
        else
            std::snprintf(numbers, sizeof numbers, "L(%d,%d)", hdr.maxLuminance, hdr.minLuminance);
        text += numbers;
    }
    if (hdr.hasLightLevel) {
        if (!text.empty())
            text += ":";
        std::snprintf(numbers, sizeof numbers, "%s=%d,%d", svt ? "content-light" : "max-cll",
                      hdr.maxContentLight, hdr.maxAverageLight);
        text += numbers;
    }
    return text;
}

void PassHdrTen(FfmpegPlan& plan, const StreamFacts& video, const std::string& encoder,
                std::vector<std::string>& notes) {
    const CodecRow* codec = FindEncoder(CodecMedia::Video, encoder);
    const std::string* pixels = plan.Find("-pix_fmt");
    // An HDR picture squeezed into 8 bits is tone-mapped to SDR: no HDR10.
    bool keepsHdr = pixels && pixels->find("10") != std::string::npos;
    if (!codec || codec->hdrTen == HdrTenParameters::None || !video.hdr || !keepsHdr ||
        (!video.hdrTen.hasMasteringDisplay && !video.hdrTen.hasLightLevel))
        return;
    std::string option =
        codec->hdrTen == HdrTenParameters::X265 ? "-x265-params" : "-svtav1-params";
    std::string parameters = HdrTenParameterText(video.hdrTen, codec->hdrTen);
    const std::string* existing = plan.Find(option);
    plan.Set(option, existing && !existing->empty() ? *existing + ":" + parameters : parameters);
    notes.push_back("video: HDR10 mastering display and light levels passed to the encoder");
}

} // namespace

void FitPicture(FfmpegPlan& plan, const StreamFacts& video, double startSeconds,
                const FieldProbe& probe, DeinterlaceChoice deinterlace,
                std::vector<std::string>& notes) {
    OutputFacts output = ReadOutputFacts(plan);
    if (plan.Has("-vn") || output.videoCodec.empty() || output.videoCodec == "copy")
        return;
    KeepFrameTimes(plan);
    CropOddSize(plan, video, notes);
    FitFields(plan, video, output, startSeconds, probe, deinterlace, notes);
    PassHdrTen(plan, video, output.videoCodec, notes);
}

} // namespace kiv::enc
