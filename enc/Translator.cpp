#include "Translator.h"

#include "NumberText.h"
#include "OptionRanges.h"
#include "OptionTable.h"
#include "Repairs.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <string_view>

namespace kiv::enc {

namespace {

constexpr int kUnchangedVolume = 256;

std::string AsyncFilter(const std::string& samples) {
    return "aresample=async=" + samples + ":min_hard_comp=0.100000:first_pts=0";
}

std::optional<int> ParseInt(std::string_view text) {
    int value = 0;
    auto [last, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || last != text.data() + text.size())
        return std::nullopt;
    return value;
}

// "+aic+mv4+trell" -> "+aic+mv4", with trell reported apart.
std::string WithoutTrell(std::string_view flags, bool& hadTrell) {
    std::string kept;
    hadTrell = false;
    std::size_t start = 0;
    while (start < flags.size()) {
        std::size_t end = flags.find_first_of("+-", start + 1);
        if (end == std::string_view::npos)
            end = flags.size();
        std::string_view flag = flags.substr(start, end - start);
        if (flag == "+trell" || flag == "trell")
            hadTrell = true;
        else
            kept += flag;
        start = end;
    }
    return kept;
}

struct LineState {
    std::string asyncSamples;
    int volume = kUnchangedVolume;
    std::string fpsMode;
};

void ApplyRow(const OptionRow& row, const LegacyOption& option, bool videoIsX264, FfmpegPlan& plan,
              LineState& state) {
    if (row.audioPart)
        plan.hasAudioPart = true;
    if (row.scope == Scope::X264Only && !videoIsX264)
        return;
    switch (row.action) {
    case Action::Input:
        plan.inputs.push_back(option.value);
        break;
    case Action::Async:
        state.asyncSamples = option.value;
        break;
    case Action::Vsync:
        state.fpsMode = FpsModeOfVsync(option.value);
        break;
    case Action::Volume:
        state.volume = ParseInt(option.value).value_or(kUnchangedVolume);
        break;
    case Action::InputSeek:
        plan.inputOptions.push_back(std::string(row.modern));
        plan.inputOptions.push_back(option.value);
        break;
    case Action::NoSubtitles:
        plan.SetFlag(row.modern);
        break;
    case Action::Metadata:
        plan.options.push_back({"-metadata", std::string(row.modern) + "=" + option.value});
        break;
    case Action::Flags: {
        bool hadTrell = false;
        std::string flags = WithoutTrell(option.value, hadTrell);
        if (hadTrell)
            plan.options.push_back({"-trellis", "1"});
        if (!flags.empty())
            plan.options.push_back({std::string(row.modern), flags});
        break;
    }
    case Action::Drop:
        break;
    case Action::Choice:
        plan.choices.push_back({option.name, option.value, row.takesValue});
        break;
    case Action::Keep:
    case Action::Rename:
        plan.options.push_back(
            {std::string(row.modern), ApplyValueForm(row.form, option.value), row.takesValue});
        break;
    }
}

bool VideoIsX264(const LegacyLine& line) {
    std::string codec;
    for (const LegacyOption& option : line.options) {
        if (option.name == "-vcodec")
            codec = ModernVideoCodec(option.value);
    }
    return codec == "libx264";
}

} // namespace

bool TranslateOptions(const LegacyLine& line, FfmpegPlan& plan, std::string& error) {
    plan = FfmpegPlan{};
    plan.outputPath = line.outputPath;
    bool videoIsX264 = VideoIsX264(line);
    LineState state;
    for (const LegacyOption& option : line.options) {
        if (const OptionRow* row = FindOptionRow(option.name))
            ApplyRow(*row, option, videoIsX264, plan, state);
        else
            plan.options.push_back({option.name, option.value, option.hasValue});
    }
    if (plan.inputs.empty()) {
        error = "no input file";
        return false;
    }
    if (!state.fpsMode.empty())
        plan.Set("-fps_mode:v", state.fpsMode);
    std::string filters;
    if (plan.hasAudioPart && !state.asyncSamples.empty())
        filters = AsyncFilter(state.asyncSamples);
    if (plan.hasAudioPart && state.volume != kUnchangedVolume) {
        std::string volume = "volume=" + NumberText(std::max(state.volume, 0) / 256.0);
        filters = filters.empty() ? volume : filters + "," + volume;
    }
    if (!filters.empty())
        plan.Set("-af", filters);
    return true;
}

bool BuildPlan(const std::vector<std::string>& arguments, FfmpegPlan& plan, std::string& error) {
    LegacyLine line;
    if (!ParseLegacyLine(arguments, line, error))
        return false;
    if (line.mode != Mode::Convert) {
        error = "not a conversion line";
        return false;
    }
    if (!TranslateOptions(line, plan, error))
        return false;
    if (std::optional<std::string> range = OutOfRangeOption(plan)) {
        error = *range;
        return false;
    }
    RepairPlan(plan);
    return true;
}

} // namespace kiv::enc
