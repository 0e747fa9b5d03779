#include "OptionRanges.h"

#include "NumberText.h"

#include <charconv>
#include <string_view>

namespace kiv::enc {

namespace {

enum class Reading {
    Number,   // "44100", "29.97"
    Kilobits, // "192k", "1150"
    Fraction, // "29.97" or "30000/1001"
    Size,     // "640x480"
    Aspect,   // "4:3", "16/9" or "1.7778"
};

struct Range {
    std::string_view option; // as FFmpeg reads it
    std::string_view what;
    Reading reading;
    double lowest;
    double highest;
    std::string_view unit;
};

// clang-format off
constexpr Range kRanges[] = {
    {"-ar",     "sample rate",      Reading::Number,   1, 1000000, " Hz"},
    {"-ac",     "channel count",    Reading::Number,   1, 64,      ""},
    {"-b:a",    "audio bit rate",   Reading::Kilobits, 0, 100000,  " kb/s"},
    {"-b:v",    "video bit rate",   Reading::Kilobits, 0, 1000000, " kb/s"},
    {"-r",      "frame rate",       Reading::Fraction, 0.001, 1000, " frames a second"},
    {"-s",      "frame size",       Reading::Size,     1, 16384,   " pixels a side"},
    {"-aspect", "aspect",           Reading::Aspect,   0.001, 1000, ""},
};
// clang-format on

std::optional<long long> WholeNumber(std::string_view text) {
    long long value = 0;
    auto [last, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || last != text.data() + text.size())
        return std::nullopt;
    return value;
}

// Two whole numbers around one separator ("640x480", "4:3"); nothing for
// any other shape.
bool Pair(std::string_view text, std::string_view separators, double& first, double& second) {
    std::size_t at = text.find_first_of(separators);
    if (at == std::string_view::npos)
        return false;
    std::optional<long long> a = WholeNumber(text.substr(0, at));
    std::optional<long long> b = WholeNumber(text.substr(at + 1));
    if (!a || !b)
        return false;
    first = static_cast<double>(*a);
    second = static_cast<double>(*b);
    return true;
}

// True when the value is in range or is no number this reading knows.
bool InRange(const Range& range, std::string_view value) {
    auto within = [&range](double number) {
        return number >= range.lowest && number <= range.highest;
    };
    double first = 0, second = 0;
    switch (range.reading) {
    case Reading::Number:
        if (std::optional<double> number = ParseNumber(value))
            return within(*number);
        return true;
    case Reading::Kilobits: // 0 leaves the rate free (VP9 at a constant quality)
        if (std::optional<double> number = ParseKilobits(value))
            return within(*number);
        return true;
    case Reading::Fraction:
        if (Pair(value, "/", first, second))
            return second > 0 && within(first / second);
        if (std::optional<double> number = ParseNumber(value))
            return within(*number);
        return true;
    case Reading::Size:
        if (Pair(value, "x", first, second))
            return within(first) && within(second);
        return true;
    case Reading::Aspect:
        if (Pair(value, ":/", first, second))
            return second > 0 && within(first / second);
        if (std::optional<double> number = ParseNumber(value))
            return within(*number);
        return true;
    }
    return true;
}

// "1000000", "0.001": the limits as people write them.
std::string Number(double value) {
    char buffer[64];
    auto [last, error] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    return error == std::errc() ? std::string(buffer, last) : NumberText(value);
}

} // namespace

std::optional<std::string> OutOfRangeOption(const FfmpegPlan& plan) {
    for (const PlanOption& option : plan.options) {
        for (const Range& range : kRanges) {
            if (option.name != range.option || InRange(range, option.value))
                continue;
            return std::string("the ") + std::string(range.what) + " " + option.value +
                   " is out of range: it lies between " + Number(range.lowest) + " and " +
                   Number(range.highest) + std::string(range.unit);
        }
    }
    return std::nullopt;
}

} // namespace kiv::enc
