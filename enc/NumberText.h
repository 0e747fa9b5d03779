#pragma once
// Numbers in option texts: reading "44100.00" or "12.20k" and writing the
// shortest exact decimal form.

#include <optional>
#include <string>
#include <string_view>

namespace kiv::enc {

// The whole text as a decimal number; nothing for anything else.
std::optional<double> ParseNumber(std::string_view text);

// Shortest decimal text that reads back as the same double ("2", "0.5").
std::string NumberText(double value);

// "192.00k" -> "192k", "12.20k" -> "12.2k"; text that is no number stays.
std::string KilobitsText(std::string_view text);
// Kilobits of "128k" or "128"; nothing for anything else.
std::optional<double> ParseKilobits(std::string_view text);

// "44100.00" -> "44100"; text that is no number stays.
std::string WholeNumberText(std::string_view text);

} // namespace kiv::enc
