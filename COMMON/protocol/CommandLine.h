#pragma once
// Splits a command-line text into arguments by the rule the child applies:
// blanks and tabs separate, double quotes group (and are removed); nothing
// else is special. The text is never given to a shell.

#include <string>
#include <string_view>
#include <vector>

namespace kiv {

std::vector<std::string> SplitCommandLine(std::string_view text);

// The reverse for display: arguments joined by blanks, each one that holds a
// blank or is empty wrapped in double quotes.
std::string JoinForDisplay(const std::vector<std::string>& arguments);

} // namespace kiv
