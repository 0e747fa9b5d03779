#pragma once
// What enc hands to FFmpeg: input options, inputs, output options and the
// output file, with small helpers to read and change single-valued options.

#include <string>
#include <string_view>
#include <vector>

namespace kiv::enc {

struct PlanOption {
    std::string name;
    std::string value;
    bool hasValue = true;
};

// An input enc makes itself (subtitles re-timed for a trim): FFmpeg reads
// it from a descriptor it inherits, in the format named.
struct PreparedInput {
    std::string format;
    int descriptor = -1; // enc's, closed by whoever made it
};

struct FfmpegPlan {
    std::vector<std::string> inputOptions; // placed before the first -i
    std::vector<std::string> inputs;
    std::vector<PreparedInput> preparedInputs; // after the inputs
    std::vector<PlanOption> options;           // output options, in order
    std::vector<PlanOption> choices;           // enc's own options: the user's choices
    // Files FFmpeg reads by name ("/dev/fd/N"), handed over after the
    // prepared inputs (a subtitle burned into the picture); enc's, closed by
    // whoever made them.
    std::vector<int> heldFiles;
    std::string outputPath;    // the file the caller asked for
    bool hasAudioPart = false; // the line set audio values (-ab/-ac/-ar)

    // The value of the last option of that name, or nullptr.
    const std::string* Find(std::string_view name) const;
    bool Has(std::string_view name) const { return Find(name) != nullptr; }
    // Replaces the value of every option of that name in place; appends the
    // option when there is none.
    void Set(std::string_view name, std::string_view value);
    // Appends a value-less option unless it is present.
    void SetFlag(std::string_view name);
    void Remove(std::string_view name);
    // The value of the user's choice of that name (empty for a flag), or
    // nullptr when the line does not make it.
    const std::string* Choice(std::string_view name) const;
};

// The FFmpeg arguments after the executable name: fixed global options, the
// input options, the inputs, the output options and outputName (the file
// FFmpeg writes, normally a temporary name beside the requested one).
std::vector<std::string> FfmpegArguments(const FfmpegPlan& plan, const std::string& outputName);

// Where FFmpeg writes its -progress blocks in the child.
inline constexpr int kProgressDescriptor = 3;
// Where FFmpeg reads the prepared inputs: this descriptor and the next ones.
inline constexpr int kFirstPreparedDescriptor = 5;

} // namespace kiv::enc
