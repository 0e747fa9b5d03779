// The command lines of today's formats: one table of codecs, one of
// containers, and the story of a line told in order (streams, video, audio,
// subtitles, container).

#include "commandline/ModernTargets.h"

#include "EncoderProtocol.h"
#include "FixedText.h"

#include <algorithm>
#include <array>
#include <charconv>

namespace kiv {

namespace {

struct ModernCodec {
    std::string_view name;    // in the codec lists
    std::string_view alias;   // the same codec as ToEncoderCodecName spells it
    std::string_view encoder; // FFmpeg's encoder, or "copy"
    // Video: fixed options, with %Q where the quality goes. Audio: whether a
    // bit rate applies.
    std::string_view options;
    bool takesBitrate;
};

// Presets measured on Debian 12's FFmpeg 5.1 (bench/modern_formats.sh):
// x264 "fast" at RF 23 (High profile) makes smaller files than HandBrake's
// "Fast 1080p30" (RF 22, Main profile, level 4.0) at a higher SSIM; SVT-AV1
// preset 8 and libvpx-vp9 cpu-used 4 take less time than x265 "fast".
// H.264 and VP9 are always 8-bit 4:2:0 so every player takes them; for
// H.265 and AV1 enc keeps a 10-bit source's depth.
constexpr std::array<ModernCodec, 5> kVideoCodecs = {{
    {"h264", "libx264", "libx264", " -preset fast -crf %Q -pix_fmt yuv420p", false},
    {"hevc", "libx265", "libx265", " -preset fast -crf %Q -tag:v hvc1 -x265-params log-level=error",
     false},
    {"vp9", "libvpx-vp9", "libvpx-vp9",
     " -crf %Q -b:v 0 -deadline good -cpu-used 4 -row-mt 1 -pix_fmt yuv420p", false},
    {"av1", "libsvtav1", "libsvtav1", " -preset 8 -crf %Q", false},
    {"copy", "copy", "copy", "", false},
}};

struct AudioContainer {
    std::string_view format;
    std::string_view extension;
    std::string_view options; // before -f
};

struct ModernAudioCodec {
    ModernCodec codec;
    AudioContainer alone; // the container of the sound alone (ModernAudio)
};

constexpr std::array<ModernAudioCodec, 6> kAudioCodecs = {{
    {{"aac", "libfaac", "aac", "", true}, {"ipod", ".m4a", " -movflags +faststart"}},
    {{"opus", "libopus", "libopus", "", true}, {"opus", ".opus", ""}},
    {{"mp3", "libmp3lame", "libmp3lame", "", true}, {"mp3", ".mp3", ""}},
    {{"flac", "flac", "flac", "", false}, {"flac", ".flac", ""}},
    {{"pcm_s16le", "pcm_s16le", "pcm_s16le", "", false}, {"wav", ".wav", ""}},
    {{"copy", "copy", "copy", "", false}, {"", "", ""}},
}};

// Where a copied audio track goes alone, by the source's codec; anything
// else goes into Matroska audio, which holds nearly every codec.
struct CopyContainer {
    std::string_view sourceCodec;
    AudioContainer container;
};

constexpr std::array<CopyContainer, 12> kCopyContainers = {{
    {"aac", {"ipod", ".m4a", " -movflags +faststart"}},
    {"alac", {"ipod", ".m4a", " -movflags +faststart"}},
    {"mp3", {"mp3", ".mp3", ""}},
    {"opus", {"opus", ".opus", ""}},
    {"vorbis", {"ogg", ".ogg", ""}},
    {"flac", {"flac", ".flac", ""}},
    {"ac3", {"ac3", ".ac3", ""}},
    {"mp2", {"mp2", ".mp2", ""}},
    {"pcm_s16le", {"wav", ".wav", ""}},
    {"pcm_s24le", {"wav", ".wav", ""}},
    {"pcm_f32le", {"wav", ".wav", ""}},
    {"pcm_u8", {"wav", ".wav", ""}},
}};
constexpr AudioContainer kAnyAudio = {"matroska", ".mka", ""};

struct VideoContainer {
    ModernContainer variant;
    std::string_view format;
    std::string_view extension;
    std::string_view subtitles; // -c:s: the container's text subtitles, or copy
    std::string_view options;   // before -f
};

// MP4 carries its index at the front (+faststart) so a web page can play
// it while it loads.
constexpr std::array<VideoContainer, 3> kContainers = {{
    {ModernContainer::Mp4, "mp4", ".mp4", "mov_text", " -movflags +faststart"},
    {ModernContainer::Matroska, "matroska", ".mkv", "copy", ""},
    {ModernContainer::WebM, "webm", ".webm", "webvtt", ""},
}};

const ModernCodec* FindVideo(std::string_view name) {
    for (const ModernCodec& codec : kVideoCodecs)
        if (codec.name == name || codec.alias == name)
            return &codec;
    return nullptr;
}

const ModernAudioCodec* FindAudio(std::string_view name) {
    for (const ModernAudioCodec& row : kAudioCodecs)
        if (row.codec.name == name || row.codec.alias == name)
            return &row;
    return nullptr;
}

const VideoContainer* FindContainer(int variant) {
    for (const VideoContainer& row : kContainers)
        if (static_cast<int>(row.variant) == variant)
            return &row;
    return nullptr;
}

// The shortest text of a number ("160", "12.2", "1.5").
std::string Shortest(double value) {
    char text[32];
    auto result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

std::string VideoOptions(const ModernCodec& codec, const MediaDescription& target) {
    std::string text = " -c:v ";
    text += codec.encoder;
    std::string options(codec.options);
    if (std::size_t at = options.find("%Q"); at != std::string::npos)
        options.replace(at, 2, std::to_string(target.videoBitrate));
    return text + options;
}

// A box the picture is fitted into, never enlarged; or the source's own
// size. Either way even sides, which 4:2:0 encoders need.
std::string SizeFilter(const MediaDescription& target) {
    if (target.width <= 0 || target.height <= 0)
        return " -vf scale=trunc(iw/2)*2:trunc(ih/2)*2";
    std::string w = std::to_string(target.width);
    std::string h = std::to_string(target.height);
    return " -vf scale=w='min(" + w + ",iw)':h='min(" + h +
           ",ih)':force_original_aspect_ratio=decrease:force_divisible_by=2";
}

std::string FrameOptions(const MediaDescription& target) {
    std::string text;
    if (target.aspect[0] != '\0')
        text.append(" -aspect ").append(GetText(target.aspect));
    // Without a rate of its own the source's timing is kept as it is, also
    // for phone videos with a variable frame rate.
    text += target.frameRate > 0 ? " -r " + FixedTwo(target.frameRate) : " -fps_mode:v vfr";
    return text;
}

std::string AudioOptions(const ModernAudioCodec& audio, const MediaDescription& target) {
    std::string text = " -c:a ";
    text += audio.codec.encoder;
    if (audio.codec.encoder == "copy")
        return text;
    if (audio.codec.takesBitrate && target.audioBitrate > 0)
        text += " -b:a " + Shortest(target.audioBitrate) + "k";
    if (target.channels > 0)
        text += " -ac " + std::to_string(target.channels);
    if (target.sampleRate > 0)
        text += " -ar " + Shortest(target.sampleRate);
    if (target.volume != 256)
        text += " -af volume=" + Shortest(std::max(target.volume, 0) / 256.0);
    return text;
}

TargetPart Failed() {
    TargetPart part;
    part.result = TargetPart::Failed;
    return part;
}

TargetPart Built(std::string options, std::string_view extension, bool audioOnly,
                 std::string nameTag) {
    return TargetPart{TargetPart::Built, std::move(options), std::string(extension), audioOnly,
                      std::move(nameTag)};
}

// "_h264_aac": the codecs in the output file name, as the lists spell them.
std::string NameTag(const ModernCodec& video, const ModernCodec& audio) {
    std::string tag = "_";
    tag.append(video.name).append("_").append(audio.name);
    return tag;
}

TargetPart VideoPart(const ConversionJob& job) {
    const MediaDescription& target = job.target;
    const ModernCodec* video = FindVideo(GetText(target.videoCodec));
    const ModernAudioCodec* audio = FindAudio(GetText(target.audioCodec));
    const VideoContainer* container = FindContainer(target.variant);
    // FLAC, WAV and the like are for the audio-only kind.
    if (!video || !audio || !container ||
        (!audio->codec.takesBitrate && audio->codec.encoder != "copy"))
        return Failed();
    bool copyVideo = video->encoder == "copy";
    // A copy keeps every stream; an encode takes the first real video stream
    // (not cover art), and every audio track and subtitle either way.
    std::string text = copyVideo ? " -map 0" : " -map 0:V:0? -map 0:a? -map 0:s?";
    text += VideoOptions(*video, target);
    if (!copyVideo)
        text += SizeFilter(target) + FrameOptions(target);
    text += AudioOptions(*audio, target);
    text.append(" -c:s ").append(container->subtitles);
    text.append(container->options).append(" -f ").append(container->format);
    return Built(text, container->extension, false, NameTag(*video, audio->codec));
}

AudioContainer CopyContainerFor(std::string_view sourceCodec) {
    for (const CopyContainer& row : kCopyContainers)
        if (row.sourceCodec == sourceCodec)
            return row.container;
    return kAnyAudio;
}

TargetPart AudioPart(const ConversionJob& job) {
    const ModernAudioCodec* audio = FindAudio(GetText(job.target.audioCodec));
    if (!audio)
        return Failed();
    AudioContainer container = audio->codec.encoder == "copy"
                                   ? CopyContainerFor(GetText(job.source.audioCodec))
                                   : audio->alone;
    // The first audio track alone: these containers hold one.
    std::string text = " -map 0:a:0" + AudioOptions(*audio, job.target);
    text.append(container.options).append(" -f ").append(container.format);
    return Built(text, container.extension, true, std::string());
}

// The show's frame: 16:9 within the profile's box, Full HD at most and
// when the profile keeps the source's size (a show has no source size).
void ShowFrame(const MediaDescription& target, int& width, int& height) {
    width = target.width > 0 && target.width < 1920 ? target.width - target.width % 2 : 1920;
    height = width * 9 / 16;
    height -= height % 2;
}

} // namespace

std::string ModernPrefix(std::string_view appFolder, std::string_view input) {
    std::string text = "\"";
    text += appFolder;
    text += kEncoderExecutable;
    text += "\" ";
    text += kEncoderToken;
    text += " -i \"";
    text += input;
    text += "\"";
    return text;
}

std::string ModernJobProblem(const ConversionJob& job) {
    if (job.targetKind == KindNumber(TargetKind::ModernAudio) && job.hasAudio != 1)
        return "the file has no sound, so an audio-only profile has nothing to write: " +
               std::string(GetText(job.sourcePath));
    return {};
}

TargetPart BuildModernTargetPart(const ConversionJob& job) {
    if (job.targetKind == KindNumber(TargetKind::ModernVideo))
        return VideoPart(job);
    if (job.targetKind == KindNumber(TargetKind::ModernAudio))
        return AudioPart(job);
    return TargetPart{};
}

TargetPart ModernSlideShowPart(const MediaDescription& target, int targetKind) {
    if (targetKind != KindNumber(TargetKind::ModernVideo))
        return Failed();
    const ModernCodec* video = FindVideo(GetText(target.videoCodec));
    const ModernAudioCodec* audio = FindAudio(GetText(target.audioCodec));
    const VideoContainer* container = FindContainer(target.variant);
    if (!video || !audio || !container || video->encoder == "copy" ||
        audio->codec.encoder == "copy" || !audio->codec.takesBitrate)
        return Failed();
    int width = 0;
    int height = 0;
    ShowFrame(target, width, height);
    std::string text = VideoOptions(*video, target);
    text += " -s " + std::to_string(width) + "x" + std::to_string(height) + " -aspect 16:9";
    text += AudioOptions(*audio, target);
    text.append(container->options).append(" -f ").append(container->format);
    return Built(text, container->extension, false, NameTag(*video, audio->codec));
}

} // namespace kiv
