#include "PartialKeptLine.h"

namespace kiv {

namespace {

constexpr std::string_view kLead = "enc: stopped early; what was written is kept as ";

} // namespace

std::string PartialKeptLine(const std::string& path) {
    return std::string(kLead) + path + "\n";
}

std::string PartialKeptPath(std::string_view line) {
    if (!line.starts_with(kLead))
        return {};
    line.remove_prefix(kLead.size());
    if (line.ends_with('\n'))
        line.remove_suffix(1);
    return std::string(line);
}

} // namespace kiv
