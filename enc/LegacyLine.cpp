#include "LegacyLine.h"

#include "OptionTable.h"

#include <cctype>

namespace kiv::enc {

namespace {

bool LooksLikeOption(const std::string& text) {
    return text.size() > 1 && text[0] == '-' &&
           !std::isdigit(static_cast<unsigned char>(text[1])) && text[1] != '.';
}

bool TakesValue(const std::vector<std::string>& arguments, std::size_t index) {
    if (const OptionRow* row = FindOptionRow(arguments[index]))
        return row->takesValue;
    std::size_t next = index + 1;
    return next + 1 < arguments.size() && !LooksLikeOption(arguments[next]);
}

} // namespace

bool ParseLegacyLine(const std::vector<std::string>& arguments, LegacyLine& line,
                     std::string& error) {
    line = LegacyLine{};
    if (!arguments.empty() && arguments[0] == "-info") {
        if (arguments.size() != 2) {
            error = "-info takes exactly one file";
            return false;
        }
        line.mode = Mode::Info;
        line.infoPath = arguments[1];
        return true;
    }
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (!LooksLikeOption(argument)) {
            if (i + 1 != arguments.size()) {
                error = "unexpected argument \"" + argument + "\"";
                return false;
            }
            line.outputPath = argument;
            continue;
        }
        LegacyOption option{argument, {}, false};
        if (TakesValue(arguments, i)) {
            if (i + 1 >= arguments.size()) {
                error = "option " + argument + " needs a value";
                return false;
            }
            option.value = arguments[++i];
            option.hasValue = true;
        }
        line.options.push_back(std::move(option));
    }
    if (line.outputPath.empty()) {
        error = "no output file";
        return false;
    }
    return true;
}

} // namespace kiv::enc
