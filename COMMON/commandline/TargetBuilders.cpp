// Format and codec options per target kind, with the option sets of the
// MP4 and PSP variants.

#include "FixedText.h"
#include "commandline/CommandLineBuilder.h"
#include "commandline/ModernTargets.h"

#include <array>
#include <string_view>

namespace kiv {

namespace {

using Part = TargetPart;

constexpr const char* kH264Level30 =
    " -flags +loop -cmp +chroma -partitions +parti4x4+partp4x4+partp8x8+partb8x8 -me umh -subq 7 "
    "-trellis 2 -refs 1 -coder 0 -me_range 16 -g 300 -keyint_min 25 -sc_threshold 40 "
    "-i_qfactor 0.71 -maxrate 10M -bufsize 10M -rc_eq \"blurCplx^(1-qComp)\" -qcomp 0.6 -qmin 10 "
    "-qmax 51 -qdiff 4 -level 30 ";

constexpr const char* kH264Level21 =
    " -flags +loop -cmp +chroma -partitions +parti4x4+partp8x8+partb8x8 -flags2 +mixed_refs+brdo "
    "-me umh -subq 7 -trellis 2 -bidir_refine 1 -refs 2 -bf 1 -b_strategy 1 -coder 1 -me_range 16 "
    "-g 300 -keyint_min 25 -sc_threshold 40 -i_qfactor 0.71 -bt 48k -maxrate 768k -bufsize 10M "
    "-rc_eq \"blurCplx^(1-qComp)\" -qcomp 0.6 -qmin 10 -qmax 51 -qdiff 4 -level 21 ";

} // namespace

const char* Mp4OptionSet(int variant) {
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
        return " -qmin 2 -qmax 31 -level 13 -g 250 -coder 0 -maxrate 6000k -bufsize 10M ";
    case 6:
    case 7:
        return " -qmin 10 -qmax 31 -level 21 -g 250 -coder 0 -maxrate 6000k -bufsize 10M ";
    case 8:
    case 9:
        return " -coder 0 -g 250 -level 30 -qmin 10 -qmax 51 -maxrate 10000k -bufsize 10M ";
    case 10:
        return " -flags +aic+mv4+trell -mbd 2 -cmp 2 -subcmp 2 -g 250 -qmin 10 -qmax 51";
    case 11:
        return kH264Level30;
    default:
        return "";
    }
}

const char* PspOptionSet(int variant) {
    switch (variant) {
    case 1:
    case 2:
        return " -maxrate 1500k -coder 1 -g 250 ";
    case 3:
        return kH264Level21;
    case 4:
        return " -g 250 -coder 1 -bufsize 10M -qmin 10 -qmax 51 -sameq -maxrate 6000k";
    case 5:
        return " -maxrate 768k ";
    case 6:
        return " -qscale 4 -bitexact -maxrate 768k ";
    case 7:
        return " -qscale 7 -bitexact -maxrate 768k ";
    case 8:
        return " -qscale 10 -bitexact -maxrate 768k ";
    case 9:
        return " -maxrate 1500k -coder 1 -g 250 -qscale 25 -bitexact ";
    default:
        return "";
    }
}

namespace {

std::string Codecs(std::string_view video, std::string_view audio) {
    return " -vcodec " + std::string(video) + " -acodec " + std::string(audio);
}

Part Built(std::string options, std::string extension) {
    return Part{Part::Built, std::move(options), std::move(extension), false, {}};
}

Part Avi(int variant, std::string_view vc, std::string_view ac) {
    std::string text = " -f avi -vcodec ";
    switch (variant) {
    case 0:
        text += std::string(vc) + " -vtag xvid ";
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
    return Built(text + " -acodec " + std::string(ac), ".avi");
}

Part WindowsMedia(int variant, std::string_view vc, std::string_view ac) {
    std::string text = Codecs(vc, ac);
    if (variant == 3 || variant == 4)
        text += "  -f asf ";
    return Built(text, vc == "wmv2" || vc == "wmv1" ? ".wmv" : ".asf");
}

Part MpegProgram(std::string_view vc, std::string_view ac) {
    bool plainCodec = vc == "mpeg1video" || vc == "mpeg2video";
    std::string text = plainCodec ? " -vcodec " : " -target ";
    text += std::string(vc) + " -acodec " + std::string(ac) + " -mbd 2 -qmin 2 ";
    return Built(text, ".mpg");
}

Part Mp4(int variant, std::string_view vc, std::string_view ac) {
    std::string text = variant == 12 ? " -f mov " : " -f mp4 ";
    text += Codecs(vc, ac) + Mp4OptionSet(variant);
    return Built(text, variant == 12 ? ".mov" : ".mp4");
}

Part ThirdGeneration(int variant, std::string_view vc, std::string_view ac) {
    static constexpr std::array<const char*, 9> kFormats = {
        " -f 3gp ", " -f 3g2 ", " -f avi ", " -f avi ", "", " -f mp4 ", " -f mp4 ", "", ""};
    static constexpr std::array<const char*, 9> kExtensions = {
        ".3gp", ".3g2", ".avi", ".avi", ".wmv", ".mp4", ".mp4", ".mpg", ".mov"};
    bool known = variant >= 0 && variant < 9;
    std::string text = Codecs(vc, ac);
    if (known)
        text += kFormats[static_cast<std::size_t>(variant)];
    return Built(text, known ? kExtensions[static_cast<std::size_t>(variant)] : "");
}

Part Flash(int variant, std::string_view vc, std::string_view ac) {
    std::string text;
    if (variant == 0)
        text = " -g 0 -f " + std::string(vc);
    else if (variant == 1)
        text = " -f flv -vcodec " + std::string(vc);
    else
        return Part{Part::Failed, "", "", false, {}};
    text += " -acodec " + std::string(ac) + " -qmin 10 -qmax 31 -sameq ";
    return Built(text, variant == 0 ? ".swf" : ".flv");
}

Part QuickTime(int variant, std::string_view vc, std::string_view ac) {
    std::string text = " -f mov -vcodec ";
    text += variant == 1 ? std::string(" mpeg4 ") : std::string(vc);
    return Built(text + " -acodec " + std::string(ac), ".mov");
}

Part Psp(int variant, std::string_view vc, std::string_view ac) {
    return Built(Codecs(vc, ac) + " -f psp " + " -bufsize 10M " + PspOptionSet(variant), ".mp4");
}

Part SourceQuality(int variant, std::string_view vc, std::string_view ac) {
    std::string text = Codecs(vc, ac);
    std::string extension;
    if (variant == 1) {
        text += " -f flv ";
        extension = ".flv";
    } else if (variant == 2) {
        text += " -f avi -sameq -qmin 10 -qmax 31 ";
        extension = ".avi";
    } else if (variant == 3) {
        text += " -sameq ";
        extension = ".mov";
    }
    return Built(text, extension);
}

struct AudioTarget {
    TargetKind kind;
    const char* options;
    const char* extension;
};

constexpr std::array<AudioTarget, 11> kAudioTargets = {{
    {TargetKind::WmaAudio, " -vn -acodec wmav2 ", ".wma"},
    {TargetKind::Mp3Audio, " -vn -acodec mp3 ", ".mp3"},
    {TargetKind::OggAudio, " -vn -f ogg ", ".ogg"},
    {TargetKind::AacAudio, " -vn -acodec libfaac ", ".aac"},
    {TargetKind::Mp2Audio, " -vn -acodec mp2 ", ".mp2"},
    {TargetKind::M4aAudio, " -vn -acodec mpeg4aac ", ".m4a"},
    {TargetKind::Ac3Audio, " -vn -acodec ac3 ", ".ac3"},
    {TargetKind::AmrNarrowAudio, " -vn -acodec libamr_nb ", ".amr"},
    {TargetKind::AmrWideAudio, " -vn -acodec libamr_wb ", ".amr"},
    {TargetKind::WavAudio, " -vn -acodec pcm_s16le ", ".wav"},
    {TargetKind::MmfAudio, " -vn -acodec adpcm_yamaha -f mmf ", ".mmf"},
}};

} // namespace

TargetPart BuildTargetPart(const ConversionJob& job) {
    std::string_view vc = GetText(job.target.videoCodec);
    std::string_view ac = GetText(job.target.audioCodec);
    int variant = job.target.variant;
    auto kind = static_cast<TargetKind>(job.targetKind);
    switch (kind) {
    case TargetKind::Avi:
        return Avi(variant, vc, ac);
    case TargetKind::WindowsMedia:
        return WindowsMedia(variant, vc, ac);
    case TargetKind::MpegProgramStream:
        return MpegProgram(vc, ac);
    case TargetKind::PortableMp4:
        return Mp4(variant, vc, ac);
    case TargetKind::ThirdGeneration:
    case TargetKind::ThirdGenerationB:
        return ThirdGeneration(variant, vc, ac);
    case TargetKind::Flash:
        return Flash(variant, vc, ac);
    case TargetKind::QuickTime:
        return QuickTime(variant, vc, ac);
    case TargetKind::Psp:
        return Psp(variant, vc, ac);
    case TargetKind::SourceQuality:
        return SourceQuality(variant, vc, ac);
    case TargetKind::ModernVideo:
    case TargetKind::ModernAudio:
        return BuildModernTargetPart(job);
    default:
        break;
    }
    for (const AudioTarget& audio : kAudioTargets)
        if (audio.kind == kind)
            return Part{Part::Built, audio.options, audio.extension, true, {}};
    return Part{};
}

} // namespace kiv
