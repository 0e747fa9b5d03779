#include "OptionTable.h"

#include "CodecTable.h"
#include "EncChoiceOptions.h"
#include "NumberText.h"

#include <array>

namespace kiv::enc {

namespace {

using enum Action;
using enum ValueForm;
constexpr Scope kAny = Scope::AnyEncoder;
constexpr Scope kX264 = Scope::X264Only;

// clang-format off
constexpr std::array<OptionRow, 69> kRows = {{
    // legacy          value  action       modern          scope  form         audio
    {"-i",             true,  Input,       "",             kAny,  AsIs,        false},
    {"-async",         true,  Async,       "",             kAny,  AsIs,        false},
    {"-vsync",         true,  Vsync,       "-fps_mode:v",  kAny,  AsIs,        false},
    {"-y",             false, Drop,        "",             kAny,  AsIs,        false}, // always given up front
    // video part
    {"-b",             true,  Rename,      "-b:v",         kAny,  AsIs,        false},
    {"-s",             true,  Keep,        "-s",           kAny,  AsIs,        false},
    {"-r",             true,  Keep,        "-r",           kAny,  AsIs,        false},
    {"-aspect",        true,  Keep,        "-aspect",      kAny,  AsIs,        false},
    {"-scodec",        true,  NoSubtitles, "-sn",          kAny,  AsIs,        false},
    {"-title",         true,  Metadata,    "title",        kAny,  AsIs,        false},
    // audio part
    {"-ab",            true,  Rename,      "-b:a",         kAny,  Kilobits,    true},
    {"-ac",            true,  Keep,        "-ac",          kAny,  WholeNumber, true},
    {"-ar",            true,  Keep,        "-ar",          kAny,  WholeNumber, true},
    {"-author",        true,  Metadata,    "artist",       kAny,  AsIs,        false},
    {"-album",         true,  Metadata,    "album",        kAny,  AsIs,        false},
    {"-copyright",     true,  Metadata,    "copyright",    kAny,  AsIs,        false},
    {"-comment",       true,  Metadata,    "comment",      kAny,  AsIs,        false},
    // volume and trim
    {"-vol",           true,  Volume,      "",             kAny,  AsIs,        false},
    {"-ss",            true,  InputSeek,   "-ss",          kAny,  AsIs,        false},
    {"-t",             true,  Keep,        "-t",           kAny,  AsIs,        false},
    // target part
    {"-f",             true,  Keep,        "-f",           kAny,  AsIs,        false},
    {"-vcodec",        true,  Rename,      "-c:v",         kAny,  VideoCodec,  false},
    {"-acodec",        true,  Rename,      "-c:a",         kAny,  AudioCodec,  false},
    {"-vtag",          true,  Rename,      "-tag:v",       kAny,  AsIs,        false},
    {"-target",        true,  Keep,        "-target",      kAny,  AsIs,        false},
    {"-vn",            false, Keep,        "-vn",          kAny,  AsIs,        false},
    {"-shortest",      false, Keep,        "-shortest",    kAny,  AsIs,        false},
    {"-bitexact",      false, Keep,        "-bitexact",    kAny,  AsIs,        false},
    {"-sameq",         false, Drop,        "",             kAny,  AsIs,        false},
    {"-qscale",        true,  Rename,      "-q:v",         kAny,  AsIs,        false},
    {"-mbd",           true,  Keep,        "-mbd",         kAny,  AsIs,        false},
    {"-qmin",          true,  Keep,        "-qmin",        kAny,  AsIs,        false},
    {"-qmax",          true,  Keep,        "-qmax",        kAny,  AsIs,        false},
    {"-qdiff",         true,  Keep,        "-qdiff",       kAny,  AsIs,        false},
    {"-qcomp",         true,  Keep,        "-qcomp",       kAny,  AsIs,        false},
    {"-maxrate",       true,  Keep,        "-maxrate",     kAny,  AsIs,        false},
    {"-bufsize",       true,  Keep,        "-bufsize",     kAny,  AsIs,        false},
    {"-bt",            true,  Keep,        "-bt",          kAny,  AsIs,        false},
    {"-g",             true,  Keep,        "-g",           kAny,  AsIs,        false},
    {"-keyint_min",    true,  Keep,        "-keyint_min",  kAny,  AsIs,        false},
    {"-sc_threshold",  true,  Keep,        "-sc_threshold", kAny, AsIs,        false},
    {"-i_qfactor",     true,  Keep,        "-i_qfactor",   kAny,  AsIs,        false},
    {"-cmp",           true,  Keep,        "-cmp",         kAny,  AsIs,        false},
    {"-subcmp",        true,  Keep,        "-subcmp",      kAny,  AsIs,        false},
    {"-subq",          true,  Keep,        "-subq",        kAny,  AsIs,        false},
    {"-trellis",       true,  Keep,        "-trellis",     kAny,  AsIs,        false},
    {"-refs",          true,  Keep,        "-refs",        kAny,  AsIs,        false},
    {"-bf",            true,  Keep,        "-bf",          kAny,  AsIs,        false},
    {"-me_range",      true,  Keep,        "-me_range",    kAny,  AsIs,        false},
    {"-bidir_refine",  true,  Keep,        "-bidir_refine", kAny, AsIs,        false},
    {"-b_strategy",    true,  Keep,        "-b_strategy",  kAny,  AsIs,        false},
    {"-flags",         true,  Flags,       "-flags",       kAny,  AsIs,        false},
    {"-flags2",        true,  Drop,        "",             kAny,  AsIs,        false},
    {"-rc_eq",         true,  Drop,        "",             kAny,  AsIs,        false},
    // options only libx264 understands
    {"-level",         true,  Keep,        "-level",       kX264, AsIs,        false},
    {"-vlevel",        true,  Rename,      "-level:v",     kX264, AsIs,        false},
    {"-coder",         true,  Keep,        "-coder",       kX264, AsIs,        false},
    {"-me",            true,  Rename,      "-me_method",   kX264, AsIs,        false},
    {"-partitions",    true,  Keep,        "-partitions",  kX264, AsIs,        false},
    // the user's choices, carried out by enc itself
    {kAudioTrackOption,     true,  Choice, kAudioTrackOption,     kAny, AsIs,  false},
    {kDefaultTracksOption,  true,  Choice, kDefaultTracksOption,  kAny, AsIs,  false},
    {kBurnSubtitlesOption,  true,  Choice, kBurnSubtitlesOption,  kAny, AsIs,  false},
    {kCropBoxOption,        true,  Choice, kCropBoxOption,        kAny, AsIs,  false},
    {kDenoiseOption,        true,  Choice, kDenoiseOption,        kAny, AsIs,  false},
    {kDeblockOption,        false, Choice, kDeblockOption,        kAny, AsIs,  false},
    {kGrayscaleOption,      false, Choice, kGrayscaleOption,      kAny, AsIs,  false},
    {kTurnOption,           true,  Choice, kTurnOption,           kAny, AsIs,  false},
    {kFlipOption,           true,  Choice, kFlipOption,           kAny, AsIs,  false},
    {kDeinterlaceOption,    true,  Choice, kDeinterlaceOption,    kAny, AsIs,  false},
}};
// clang-format on

// FFmpeg 5.1's encoder for a name an older line writes (a list name, a job
// spelling or an older spelling); the name itself when the table does not
// rename it (a -target preset, an encoder named as it is).
std::string RenameCodec(CodecMedia media, std::string_view legacy) {
    const CodecRow* row = FindCodec(media, legacy);
    return row && !row->encoder.empty() ? std::string(row->encoder) : std::string(legacy);
}

struct VsyncRow {
    std::string_view value;
    std::string_view mode;
};

constexpr std::array<VsyncRow, 3> kVsyncModes = {{
    {"0", "passthrough"},
    {"2", "vfr"},
    {"-1", "auto"},
}};

} // namespace

std::span<const OptionRow> OptionRows() {
    return kRows;
}

const OptionRow* FindOptionRow(std::string_view legacy) {
    for (const OptionRow& row : kRows) {
        if (row.legacy == legacy)
            return &row;
    }
    return nullptr;
}

std::string ModernVideoCodec(std::string_view legacy) {
    return RenameCodec(CodecMedia::Video, legacy);
}

std::string ModernAudioCodec(std::string_view legacy) {
    return RenameCodec(CodecMedia::Audio, legacy);
}

std::string ApplyValueForm(ValueForm form, std::string_view value) {
    switch (form) {
    case ValueForm::Kilobits:
        return KilobitsText(value);
    case ValueForm::WholeNumber:
        return WholeNumberText(value);
    case ValueForm::VideoCodec:
        return ModernVideoCodec(value);
    case ValueForm::AudioCodec:
        return ModernAudioCodec(value);
    case ValueForm::AsIs:
        break;
    }
    return std::string(value);
}

std::string_view FpsModeOfVsync(std::string_view value) {
    for (const VsyncRow& row : kVsyncModes) {
        if (row.value == value)
            return row.mode;
    }
    return "cfr";
}

} // namespace kiv::enc
