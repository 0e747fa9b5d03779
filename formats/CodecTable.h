#pragma once
// One row per codec the programs offer, write or read back: the name the
// codec lists and the settings file use, the spelling a job carries, FFmpeg's
// encoder, the options today's formats write for it, and what it can keep.
//
// The rows are in the settings file's order: today's kinds offer, in row
// order, the rows marked for them, and a settings file stores a position in
// that list. New rows are therefore only ever appended; the older kinds'
// lists stay as they always were (app/Vocabularies.cpp).

#include "ContainerTable.h"

#include <span>
#include <string_view>

namespace kiv {

enum class CodecMedia { Video, Audio };

// How an encoder takes HDR10's mastering display and light levels: in
// x265's parameters (chromaticities in 1/50000, luminance in 1/10000
// cd/m2) or in SVT-AV1's (plain numbers); None where it takes none.
enum class HdrTenParameters { None, X265, SvtAv1 };

// Whether today's kinds offer a codec: with a picture (ModernVideo), for the
// sound alone (ModernAudio), both or neither.
enum class TodayOffer { None, WithVideo, Alone, Both };

struct CodecRow {
    CodecMedia media;
    // The codec lists' and the settings file's spelling ("h264"); empty for
    // a codec no list offers (a source's codec, an encoder a repair picks).
    const char* name;
    // The spelling a job and the older kinds' lines carry ("libx264"); the
    // same as name where the lists' name is not renamed.
    std::string_view jobName;
    std::string_view legacyName; // one more spelling an older line writes, or empty
    // FFmpeg 5.1's encoder; "copy" for the stream as it is; empty where a
    // -target preset picks it.
    std::string_view encoder;
    std::string_view decoder; // libavcodec's name of the codec in a file ("h264")
    // Today's options after -c:v and the encoder, %Q where the constant
    // quality goes.
    std::string_view options;
    bool takesBitrate;    // audio: the profile's bit rate applies
    bool keepsTenBits;    // video: a 10-bit source stays 10-bit
    int mostChannels;     // audio: the most channels it carries (0: any)
    ContainerSet takenBy; // the containers that take it
    Container alone;      // audio: where it goes as the sound alone
    TodayOffer offer;
    std::span<const int> sampleRates; // audio: the only rates it takes; empty: any
    // Audio: takes each channel count in its standard layout only (5.1,
    // not 5.1(side)).
    bool standardLayouts = false;
    HdrTenParameters hdrTen = HdrTenParameters::None; // video
};

std::span<const CodecRow> CodecRows();

// The row whose list name is name, or nullptr.
const CodecRow* FindListedCodec(CodecMedia media, std::string_view name);
// The row a codec is named by in any of its spellings (list name, job name,
// older spelling or encoder), or nullptr.
const CodecRow* FindCodec(CodecMedia media, std::string_view spelling);
// The row of FFmpeg's encoder, or nullptr.
const CodecRow* FindEncoder(CodecMedia media, std::string_view encoder);
// The row of a source's codec (libavcodec's name) that has a container of
// its own for the sound alone, or nullptr.
const CodecRow* FindAloneByDecoder(std::string_view decoder);

// Whether a container takes what FFmpeg's encoder makes ("copy" always
// fits: whether a copied stream fits is FFmpeg's to say).
bool ContainerTakes(const ContainerRow& container, CodecMedia media, std::string_view encoder);

// The list names today's kinds offer, in row order.
std::span<const char* const> TodayCodecNames(CodecMedia media, bool withVideo);

} // namespace kiv
