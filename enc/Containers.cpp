#include "Containers.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <filesystem>

namespace kiv::enc {

namespace {

// The presets' rates as FFmpeg 5.1 sets them (maxrate in kbit/s).
constexpr std::array<TargetPreset, 3> kPresets = {{
    {"vcd", "vcd", 44100, 1150, "mpeg1video", "mp2"},
    {"svcd", "svcd", 44100, 2516, "mpeg2video", "mp2"},
    {"dvd", "dvd", 48000, 9000, "mpeg2video", "ac3"},
}};

// Every extension the program gives an output, and a few common others, with
// the muxer libavformat picks for it (".vob" is the svcd muxer's, ".m4v" the
// ipod muxer's).
constexpr std::array<ExtensionRow, 29> kExtensions = {{
    {".avi", "avi"},      {".wmv", "asf"},   {".asf", "asf"},      {".wma", "asf"},
    {".mpg", "mpeg"},     {".mpeg", "mpeg"}, {".vob", "svcd"},     {".mp4", "mp4"},
    {".m4a", "ipod"},     {".mov", "mov"},   {".3gp", "3gp"},      {".3g2", "3g2"},
    {".flv", "flv"},      {".swf", "swf"},   {".ogg", "ogg"},      {".mmf", "mmf"},
    {".amr", "amr"},      {".wav", "wav"},   {".aac", "adts"},     {".mp2", "mp2"},
    {".mp3", "mp3"},      {".ac3", "ac3"},   {".mkv", "matroska"}, {".webm", "webm"},
    {".m4v", "ipod"},     {".ts", "mpegts"}, {".flac", "flac"},    {".opus", "opus"},
    {".mka", "matroska"},
}};

struct DefaultCodecRow {
    std::string_view format;
    std::string_view video;
    std::string_view audio;
};

// clang-format off
constexpr std::array<DefaultCodecRow, 21> kDefaults = {{
    {"avi",  "mpeg4",      "libmp3lame"},
    {"asf",  "msmpeg4",    "wmav2"},
    {"mpeg", "mpeg1video", "mp2"},
    {"vcd",  "mpeg1video", "mp2"},
    {"svcd", "mpeg2video", "mp2"},
    {"vob",  "mpeg2video", "ac3"},
    {"dvd",  "mpeg2video", "ac3"},
    {"mp4",  "libx264",    "aac"},
    {"mov",  "libx264",    "aac"},
    {"psp",  "libx264",    "aac"},
    {"ipod", "libx264",    "aac"},
    {"3gp",  "h263",       "libopencore_amrnb"},
    {"3g2",  "h263",       "libopencore_amrnb"},
    {"flv",  "flv",        "libmp3lame"},
    {"swf",  "flv",        "libmp3lame"},
    {"ogg",  "",           "libvorbis"},
    {"mmf",  "",           "adpcm_yamaha"},
    {"amr",  "",           "libopencore_amrnb"},
    {"wav",  "",           "pcm_s16le"},
    {"adts", "",           "aac"},
    {"mp2",  "",           "mp2"},
}};
// clang-format on

struct FormatText {
    std::string_view format;
    std::string_view text;
};

const DefaultCodecRow* FindDefaults(std::string_view format) {
    for (const DefaultCodecRow& row : kDefaults) {
        if (row.format == format)
            return &row;
    }
    return nullptr;
}

std::string Lower(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower;
}

} // namespace

const TargetPreset* FindTargetPreset(std::string_view target) {
    std::size_t dash = target.rfind('-');
    std::string_view suffix = dash == std::string_view::npos ? target : target.substr(dash + 1);
    for (const TargetPreset& preset : kPresets) {
        if (preset.suffix == suffix)
            return &preset;
    }
    return nullptr;
}

std::span<const ExtensionRow> ExtensionTable() {
    return kExtensions;
}

std::string FormatOfFileName(std::string_view path) {
    std::string extension = Lower(std::filesystem::path(path).extension().string());
    if (extension.empty())
        return {};
    for (const ExtensionRow& row : kExtensions) {
        if (row.extension == extension)
            return std::string(row.format);
    }
    return {};
}

std::string DefaultVideoCodec(std::string_view format) {
    const DefaultCodecRow* row = FindDefaults(format);
    return row ? std::string(row->video) : std::string();
}

std::string DefaultAudioCodec(std::string_view format) {
    const DefaultCodecRow* row = FindDefaults(format);
    return row ? std::string(row->audio) : std::string();
}

std::string ContainerDisplayName(std::string_view format) {
    static constexpr std::array<FormatText, 4> kNames = {
        {{"matroska", "MKV"}, {"webm", "WebM"}, {"ipod", "M4A"}, {"opus", "Opus"}}};
    for (const FormatText& row : kNames) {
        if (row.format == format)
            return std::string(row.text);
    }
    std::string name(format);
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return name;
}

std::string TextSubtitleCodec(std::string_view format) {
    static constexpr std::array<FormatText, 5> kTextCodecs = {{{"mp4", "mov_text"},
                                                               {"mov", "mov_text"},
                                                               {"ipod", "mov_text"},
                                                               {"matroska", "srt"},
                                                               {"webm", "webvtt"}}};
    for (const FormatText& row : kTextCodecs) {
        if (row.format == format)
            return std::string(row.text);
    }
    return {};
}

bool IsMpegProgramStream(std::string_view format) {
    constexpr std::array<std::string_view, 5> kFormats = {"mpeg", "vob", "dvd", "vcd", "svcd"};
    return std::find(kFormats.begin(), kFormats.end(), format) != kFormats.end();
}

} // namespace kiv::enc
