#include "CommandLine.h"

namespace kiv {

std::vector<std::string> SplitCommandLine(std::string_view text) {
    std::vector<std::string> arguments;
    std::string current;
    bool inArgument = false;
    bool quoted = false;
    for (char c : text) {
        if (c == '"') {
            quoted = !quoted;
            inArgument = true; // "" is an empty argument
            continue;
        }
        if (!quoted && (c == ' ' || c == '\t')) {
            if (inArgument)
                arguments.push_back(current);
            current.clear();
            inArgument = false;
            continue;
        }
        current += c;
        inArgument = true;
    }
    if (inArgument)
        arguments.push_back(current);
    return arguments;
}

std::string JoinForDisplay(const std::vector<std::string>& arguments) {
    std::string text;
    for (const std::string& argument : arguments) {
        if (!text.empty())
            text += ' ';
        bool needsQuotes = argument.empty() || argument.find_first_of(" \t") != std::string::npos;
        text += needsQuotes ? "\"" + argument + "\"" : argument;
    }
    return text;
}

} // namespace kiv
