#pragma once
// One row per container the programs write, or meet in a file name: FFmpeg's
// muxer, the file extensions, the name people call it by, what a line of
// today's formats writes for it, the codecs FFmpeg picks when a line names
// none, and what the container can hold. The engine's command-line builder,
// enc and the window all read these rows; nothing else repeats them.
//
// Which codecs a container takes is said once, in the codec rows
// (CodecTable.h). A container that takes only some codecs names the codec
// that replaces any other (onlyVideo, onlyAudio).

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace kiv {

// The containers by name. The numbers are bit positions in a ContainerSet
// and are never stored anywhere.
enum class Container : std::uint8_t {
    Avi,
    Asf,
    Mpeg, // MPEG program stream (.mpg)
    Vcd,
    Svcd,
    Vob,
    Dvd,
    Mp4,
    Mov,
    Psp,
    Ipod, // MP4 for sound alone (.m4a)
    ThreeGp,
    ThreeG2,
    Flv,
    Swf,
    Ogg,
    Mmf,
    Amr,
    Wav,
    Adts, // AAC alone (.aac)
    Mp2,
    Mp3,
    Ac3,
    Matroska,
    WebM,
    MpegTs,
    Flac,
    Opus,
    None, // no container: the row of a codec that goes nowhere alone
};

using ContainerSet = std::uint64_t;

constexpr ContainerSet SetOf(Container container) {
    return ContainerSet{1} << static_cast<unsigned>(container);
}
template <typename... More> constexpr ContainerSet SetOf(Container first, More... more) {
    return (SetOf(first) | ... | SetOf(more));
}
constexpr bool Holds(ContainerSet set, Container container) {
    return (set & SetOf(container)) != 0;
}

struct ContainerRow {
    Container id;
    std::string_view format;          // FFmpeg's muxer
    std::string_view extension;       // of the files the programs write in it
    std::string_view soundExtension;  // of a file of sound alone, where it differs
    std::string_view otherExtensions; // more that libavformat gives it, blank-separated
    std::string_view name;            // in messages; empty: the muxer's name in capitals
    int variant;                      // the Variant of a today's video profile in it; -1: none
    // The text subtitle codec it takes when a subtitle cannot be copied;
    // empty: it holds no subtitles.
    std::string_view textSubtitles;
    bool copiesSubtitles;     // holds subtitles as they are (text and pictures)
    std::string_view options; // written before -f by today's lines
    // The encoders FFmpeg picks when a line names none (where enc needs to
    // know them: the older kinds' lines).
    std::string_view video;
    std::string_view audio;
    std::string_view onlyVideo; // not empty: other video codecs become this one
    std::string_view onlyAudio;
    bool holdsCover;       // an attached picture (cover art) beside the sound
    bool holdsAttachments; // fonts and other files
    bool keepsFields;      // the picture may stay interlaced (the disc formats)
};

// clang-format off
inline constexpr ContainerRow kContainerRows[] = {
    //                    format      ext      sound   others       name    var text subs   copies options                  video         audio                only video    only audio cover  attach fields
    {Container::Avi,      "avi",      ".avi",  "",     "",          "",     -1, "",         false, "",                      "mpeg4",      "libmp3lame",        "",           "",        false, false, false},
    {Container::Asf,      "asf",      ".wmv",  "",     ".asf .wma", "",     -1, "",         false, "",                      "msmpeg4",    "wmav2",             "",           "",        false, false, false},
    {Container::Mpeg,     "mpeg",     ".mpg",  "",     ".mpeg",     "",     -1, "",         false, "",                      "mpeg1video", "mp2",               "mpeg1video", "mp2",     false, false, false},
    {Container::Vcd,      "vcd",      "",      "",     "",          "",     -1, "",         false, "",                      "mpeg1video", "mp2",               "mpeg1video", "mp2",     false, false, false},
    {Container::Svcd,     "svcd",     "",      "",     ".vob",      "",     -1, "",         false, "",                      "mpeg2video", "mp2",               "mpeg1video", "mp2",     false, false, true},
    {Container::Vob,      "vob",      "",      "",     "",          "",     -1, "",         false, "",                      "mpeg2video", "ac3",               "mpeg1video", "mp2",     false, false, true},
    {Container::Dvd,      "dvd",      "",      "",     "",          "",     -1, "",         false, "",                      "mpeg2video", "ac3",               "mpeg1video", "mp2",     false, false, true},
    {Container::Mp4,      "mp4",      ".mp4",  "",     "",          "MP4",  0,  "mov_text", false, " -movflags +faststart", "libx264",    "aac",               "",           "",        false, false, false},
    {Container::Mov,      "mov",      ".mov",  "",     "",          "",     -1, "mov_text", false, "",                      "libx264",    "aac",               "",           "",        false, false, false},
    {Container::Psp,      "psp",      "",      "",     "",          "",     -1, "",         false, "",                      "libx264",    "aac",               "",           "",        false, false, false},
    {Container::Ipod,     "ipod",     ".m4a",  "",     ".m4v",      "M4A",  -1, "mov_text", false, " -movflags +faststart", "libx264",    "aac",               "",           "",        true,  false, false},
    {Container::ThreeGp,  "3gp",      ".3gp",  "",     "",          "",     -1, "",         false, "",                      "h263",       "libopencore_amrnb", "",           "aac",     false, false, false},
    {Container::ThreeG2,  "3g2",      ".3g2",  "",     "",          "",     -1, "",         false, "",                      "h263",       "libopencore_amrnb", "",           "aac",     false, false, false},
    {Container::Flv,      "flv",      ".flv",  "",     "",          "",     -1, "",         false, "",                      "flv",        "libmp3lame",        "flv",        "",        false, false, false},
    {Container::Swf,      "swf",      ".swf",  "",     "",          "",     -1, "",         false, "",                      "flv",        "libmp3lame",        "",           "",        false, false, false},
    {Container::Ogg,      "ogg",      ".ogg",  "",     "",          "",     -1, "",         false, "",                      "",           "libvorbis",         "",           "",        false, false, false},
    {Container::Mmf,      "mmf",      ".mmf",  "",     "",          "",     -1, "",         false, "",                      "",           "adpcm_yamaha",      "",           "",        false, false, false},
    {Container::Amr,      "amr",      ".amr",  "",     "",          "",     -1, "",         false, "",                      "",           "libopencore_amrnb", "",           "",        false, false, false},
    {Container::Wav,      "wav",      ".wav",  "",     "",          "",     -1, "",         false, "",                      "",           "pcm_s16le",         "",           "",        false, false, false},
    {Container::Adts,     "adts",     ".aac",  "",     "",          "",     -1, "",         false, "",                      "",           "aac",               "",           "",        false, false, false},
    {Container::Mp2,      "mp2",      ".mp2",  "",     "",          "",     -1, "",         false, "",                      "",           "mp2",               "",           "",        false, false, false},
    {Container::Mp3,      "mp3",      ".mp3",  "",     "",          "",     -1, "",         false, "",                      "",           "",                  "",           "",        true,  false, false},
    {Container::Ac3,      "ac3",      ".ac3",  "",     "",          "",     -1, "",         false, "",                      "",           "",                  "",           "",        false, false, false},
    {Container::Matroska, "matroska", ".mkv",  ".mka", "",          "MKV",  1,  "srt",      true,  "",                      "",           "",                  "",           "",        false, true,  false},
    {Container::WebM,     "webm",     ".webm", "",     "",          "WebM", 2,  "webvtt",   false, "",                      "",           "",                  "libvpx-vp9", "libopus", false, false, false},
    {Container::MpegTs,   "mpegts",   ".ts",   "",     "",          "",     -1, "",         false, "",                      "",           "",                  "",           "",        false, false, false},
    {Container::Flac,     "flac",     ".flac", "",     "",          "",     -1, "",         false, "",                      "",           "",                  "",           "",        true,  false, false},
    {Container::Opus,     "opus",     ".opus", "",     "",          "Opus", -1, "",         false, "",                      "",           "",                  "",           "",        false, false, false},
};
// clang-format on

std::span<const ContainerRow> ContainerRows();

// The row of a container; nullptr for None.
const ContainerRow* FindContainer(Container id);
// The first row of FFmpeg's muxer of that name, or nullptr.
const ContainerRow* FindContainerByFormat(std::string_view format);
// The row a today's video profile's Variant names, or nullptr.
const ContainerRow* FindContainerByVariant(int variant);
// Every extension of the container (lower case, with the dot), the one the
// programs write first.
std::vector<std::string_view> ExtensionsOf(const ContainerRow& row);
// The row a file extension names (lower case, with its dot: ".mkv").
const ContainerRow* FindContainerByExtension(std::string_view extension);

// The extension of a file that holds sound alone in the container.
std::string_view SoundExtension(const ContainerRow& row);

// The Variant a today's video profile in the container stores (the
// catalogue's rows write it); -1 when today's video kind does not write it.
constexpr int VariantOf(Container id) {
    for (const ContainerRow& row : kContainerRows)
        if (row.id == id)
            return row.variant;
    return -1;
}

} // namespace kiv
