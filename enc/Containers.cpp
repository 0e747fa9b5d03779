#include "Containers.h"

#include "ContainerTable.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <filesystem>
#include <vector>

namespace kiv::enc {

namespace {

// The presets' rates as FFmpeg 5.1 sets them (maxrate in kbit/s).
constexpr std::array<TargetPreset, 3> kPresets = {{
    {"vcd", "vcd", 44100, 1150, "mpeg1video", "mp2"},
    {"svcd", "svcd", 44100, 2516, "mpeg2video", "mp2"},
    {"dvd", "dvd", 48000, 9000, "mpeg2video", "ac3"},
}};

// Every extension of the formats table with the muxer libavformat picks for
// it (".vob" is the svcd muxer's, ".m4v" the ipod muxer's).
std::vector<ExtensionRow> ExtensionRows() {
    std::vector<ExtensionRow> rows;
    for (const ContainerRow& container : ContainerRows())
        for (std::string_view extension : ExtensionsOf(container))
            rows.push_back({extension, container.format});
    return rows;
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
    static const std::vector<ExtensionRow> kRows = ExtensionRows();
    return kRows;
}

std::string FormatOfFileName(std::string_view path) {
    std::string extension = Lower(std::filesystem::path(path).extension().string());
    const ContainerRow* row = FindContainerByExtension(extension);
    return row ? std::string(row->format) : std::string();
}

std::string DefaultVideoCodec(std::string_view format) {
    const ContainerRow* row = FindContainerByFormat(format);
    return row ? std::string(row->video) : std::string();
}

std::string DefaultAudioCodec(std::string_view format) {
    const ContainerRow* row = FindContainerByFormat(format);
    return row ? std::string(row->audio) : std::string();
}

std::string ContainerDisplayName(std::string_view format) {
    const ContainerRow* row = FindContainerByFormat(format);
    if (row && !row->name.empty())
        return std::string(row->name);
    std::string name(format);
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return name;
}

std::string TextSubtitleCodec(std::string_view format) {
    const ContainerRow* row = FindContainerByFormat(format);
    return row ? std::string(row->textSubtitles) : std::string();
}

} // namespace kiv::enc
