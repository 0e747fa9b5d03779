#pragma once
// What enc asks of the output containers: the muxer a file name or a -target
// preset chooses, and the codecs a muxer picks when none is given, read from
// the formats table (formats/ContainerTable.h).

#include <span>
#include <string>
#include <string_view>

namespace kiv::enc {

struct TargetPreset {
    std::string_view suffix; // "vcd" for "pal-vcd", "ntsc-vcd", "film-vcd"
    std::string_view format;
    int sampleRate;
    int maxVideoKilobits;
    std::string_view videoCodec;
    std::string_view audioCodec;
};

// The preset a -target value names, or nullptr.
const TargetPreset* FindTargetPreset(std::string_view target);

// The muxer FFmpeg picks for a file name; empty when none fits.
std::string FormatOfFileName(std::string_view path);

// The extension-to-muxer rows behind FormatOfFileName (extensions with their
// dot, lower case), from the formats table, so a conversion need not load
// libavformat; a test holds them against libavformat's choice.
struct ExtensionRow {
    std::string_view extension;
    std::string_view format;
};
std::span<const ExtensionRow> ExtensionTable();

// The codec a muxer uses when the line names none; empty when unknown.
std::string DefaultVideoCodec(std::string_view format);
std::string DefaultAudioCodec(std::string_view format);

// The container as people call it in messages ("MP4", "MKV"); the muxer's
// name in capitals for the others.
std::string ContainerDisplayName(std::string_view format);

// The text subtitle codec a container takes when a text subtitle cannot be
// copied into it (mov_text for MP4, srt for Matroska, webvtt for WebM);
// empty for a container without subtitles.
std::string TextSubtitleCodec(std::string_view format);

} // namespace kiv::enc
