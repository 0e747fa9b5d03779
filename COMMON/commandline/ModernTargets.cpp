// The command lines of today's formats: the codecs and containers of the
// formats table, and the story of a line told in order (streams, video,
// audio, subtitles, container).

#include "commandline/ModernTargets.h"

#include "commandline/ChoiceOptions.h"

#include "CodecTable.h"
#include "EncoderProtocol.h"
#include "FixedText.h"

#include <algorithm>
#include <charconv>

namespace kiv {

namespace {

// A codec of today's kinds: the video kind takes what either kind offers
// (an audio codec for the sound alone is refused below by its rate).
const CodecRow* FindToday(CodecMedia media, std::string_view spelling) {
    const CodecRow* row = FindCodec(media, spelling);
    return row && row->offer != TodayOffer::None ? row : nullptr;
}

// The shortest text of a number ("160", "12.2", "1.5").
std::string Shortest(double value) {
    char text[32];
    auto result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

std::string VideoOptions(const CodecRow& codec, const MediaDescription& target) {
    std::string text = " -c:v ";
    text += codec.encoder;
    std::string options(codec.options);
    if (std::size_t at = options.find("%Q"); at != std::string::npos)
        options.replace(at, 2, std::to_string(target.videoBitrate));
    return text + options;
}

// A box the picture is fitted into, never enlarged; or the source's own
// size, an odd side cropped by a pixel (not resampled). Either way even
// sides, which 4:2:0 encoders need.
std::string SizeFilter(const MediaDescription& target) {
    if (target.width <= 0 || target.height <= 0)
        return " -vf crop=trunc(iw/2)*2:trunc(ih/2)*2";
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

std::string AudioOptions(const CodecRow& audio, const MediaDescription& target) {
    std::string text = " -c:a ";
    text += audio.encoder;
    if (audio.encoder == "copy")
        return text;
    if (audio.takesBitrate && target.audioBitrate > 0)
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
std::string NameTag(const CodecRow& video, const CodecRow& audio) {
    std::string tag = "_";
    tag.append(video.name).append("_").append(audio.name);
    return tag;
}

TargetPart VideoPart(const ConversionJob& job) {
    const MediaDescription& target = job.target;
    const CodecRow* video = FindToday(CodecMedia::Video, GetText(target.videoCodec));
    const CodecRow* audio = FindToday(CodecMedia::Audio, GetText(target.audioCodec));
    const ContainerRow* container = FindContainerByVariant(target.variant);
    // FLAC, WAV and the like are for the audio-only kind.
    if (!video || !audio || !container || (!audio->takesBitrate && audio->encoder != "copy"))
        return Failed();
    bool copyVideo = video->encoder == "copy";
    // A copy keeps every stream; an encode takes the first real video stream
    // (not cover art), and every audio track and subtitle either way, unless
    // the user picked the tracks.
    std::string text = PickedVideoMaps(job.choices.picks, copyVideo);
    if (text.empty())
        text = copyVideo ? " -map 0" : " -map 0:V:0? -map 0:a? -map 0:s?";
    text += VideoOptions(*video, target);
    if (!copyVideo)
        text += SizeFilter(target) + FrameOptions(target);
    text += AudioOptions(*audio, target);
    // Matroska keeps subtitles as they are; the others take their own text.
    text.append(" -c:s ").append(container->copiesSubtitles ? "copy" : container->textSubtitles);
    text.append(container->options).append(" -f ").append(container->format);
    return Built(text, container->extension, false, NameTag(*video, *audio));
}

// Where the sound alone goes: the codec's own container, and for a copy
// the source codec's; anything else into Matroska audio, which holds
// nearly every codec.
const ContainerRow& AloneContainer(const CodecRow& audio, std::string_view sourceCodec) {
    const CodecRow* placed = audio.encoder == "copy" ? FindAloneByDecoder(sourceCodec) : &audio;
    const ContainerRow* container = placed ? FindContainer(placed->alone) : nullptr;
    return container ? *container : *FindContainer(Container::Matroska);
}

TargetPart AudioPart(const ConversionJob& job) {
    const CodecRow* audio = FindToday(CodecMedia::Audio, GetText(job.target.audioCodec));
    if (!audio)
        return Failed();
    const ContainerRow& container = AloneContainer(*audio, GetText(job.source.audioCodec));
    // The first audio track alone (or the one picked): these containers
    // hold one.
    std::string map = PickedSoundMap(job.choices.picks);
    std::string text = (map.empty() ? " -map 0:a:0" : map) + AudioOptions(*audio, job.target);
    text.append(container.options).append(" -f ").append(container.format);
    return Built(text, SoundExtension(container), true, std::string());
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
    const CodecRow* video = FindToday(CodecMedia::Video, GetText(target.videoCodec));
    const CodecRow* audio = FindToday(CodecMedia::Audio, GetText(target.audioCodec));
    const ContainerRow* container = FindContainerByVariant(target.variant);
    if (!video || !audio || !container || video->encoder == "copy" || audio->encoder == "copy" ||
        !audio->takesBitrate)
        return Failed();
    int width = 0;
    int height = 0;
    ShowFrame(target, width, height);
    std::string text = VideoOptions(*video, target);
    text += " -s " + std::to_string(width) + "x" + std::to_string(height) + " -aspect 16:9";
    text += AudioOptions(*audio, target);
    text.append(container->options).append(" -f ").append(container->format);
    return Built(text, container->extension, false, NameTag(*video, *audio));
}

} // namespace kiv
