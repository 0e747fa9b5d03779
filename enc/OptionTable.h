#pragma once
// The translation table: one row per option the program's command lines
// use, saying what FFmpeg 5.1 gets instead and for which encoders.

#include <span>
#include <string>
#include <string_view>

namespace kiv::enc {

enum class Action {
    Keep,        // same name and value
    Rename,      // the modern name, the value through its form
    Drop,        // nothing is passed on
    Metadata,    // -metadata <modern>=<value>
    InputSeek,   // becomes an input option before -i (fast, exact seek)
    Async,       // aresample filter at the head of the audio filter chain
    Vsync,       // -fps_mode:v with the mode the old number meant
    Volume,      // volume filter (N/256) in the audio filter chain
    NoSubtitles, // -sn: no target takes copied text subtitles
    Flags,       // -flags without +trell; +trell becomes -trellis 1
    Input,       // an input file
    Choice,      // enc's own: a choice of the user's (EncChoiceOptions.h), never FFmpeg's
};

// Which video encoders an option is passed to; for the others it is dropped.
enum class Scope { AnyEncoder, X264Only };

enum class ValueForm {
    AsIs,
    Kilobits,    // "192.00k" -> "192k"
    WholeNumber, // "44100.00" -> "44100"
    VideoCodec,  // legacy encoder names -> FFmpeg 5.1 names
    AudioCodec,
};

struct OptionRow {
    std::string_view legacy;
    bool takesValue;
    Action action;
    std::string_view modern;
    Scope scope;
    ValueForm form;
    bool audioPart; // written only when the source has audio
};

std::span<const OptionRow> OptionRows();
// The row of a legacy option name, or nullptr for an option not in the table.
const OptionRow* FindOptionRow(std::string_view legacy);

// FFmpeg 5.1's encoder name for a legacy codec name; other names unchanged.
std::string ModernVideoCodec(std::string_view legacy);
std::string ModernAudioCodec(std::string_view legacy);

// The value of a line's option after its form ("192.00k" -> "192k").
std::string ApplyValueForm(ValueForm form, std::string_view value);

// The -fps_mode of an old -vsync number: 0 passthrough, 2 vfr, -1 auto, any
// other value meant constant rate (duplicate and drop).
std::string_view FpsModeOfVsync(std::string_view value);

} // namespace kiv::enc
