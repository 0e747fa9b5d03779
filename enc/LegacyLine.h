#pragma once
// Reads the argument vector of a legacy encoder command line (after the
// fixed first token) into its mode, options in order, and output file.

#include <string>
#include <vector>

namespace kiv::enc {

enum class Mode { Convert, Info };

struct LegacyOption {
    std::string name;
    std::string value;
    bool hasValue = true;
};

struct LegacyLine {
    Mode mode = Mode::Convert;
    std::string infoPath;
    std::vector<LegacyOption> options; // "-i" entries included, in order
    std::string outputPath;
};

// Options of the translation table take the number of values the table
// says; an option not in the table takes the next argument as its value
// unless that looks like an option or is the last argument (the output).
// The last bare argument is the output file. Returns false with a reason for
// a line that cannot be read.
bool ParseLegacyLine(const std::vector<std::string>& arguments, LegacyLine& line,
                     std::string& error);

} // namespace kiv::enc
