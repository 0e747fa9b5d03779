#include "NumberText.h"

#include <array>
#include <charconv>
#include <cmath>

namespace kiv::enc {

std::optional<double> ParseNumber(std::string_view text) {
    double value = 0;
    const char* end = text.data() + text.size();
    auto [last, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || last != end || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::string NumberText(double value) {
    std::array<char, 64> buffer{};
    auto [last, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    if (error != std::errc())
        return "0";
    return std::string(buffer.data(), last);
}

std::optional<double> ParseKilobits(std::string_view text) {
    if (!text.empty() && (text.back() == 'k' || text.back() == 'K'))
        text.remove_suffix(1);
    return ParseNumber(text);
}

std::string KilobitsText(std::string_view text) {
    if (text.empty() || (text.back() != 'k' && text.back() != 'K'))
        return std::string(text);
    std::optional<double> value = ParseKilobits(text);
    return value ? NumberText(*value) + "k" : std::string(text);
}

std::string WholeNumberText(std::string_view text) {
    std::optional<double> value = ParseNumber(text);
    if (!value || *value != std::floor(*value) || std::fabs(*value) > 1e15)
        return std::string(text);
    return NumberText(*value);
}

} // namespace kiv::enc
