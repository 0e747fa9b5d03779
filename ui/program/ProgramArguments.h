#pragma once
// The window program's command line: --help and --version print and end
// the program; every other argument names a file to add to the list (after
// "--" even one that starts with a dash; a file: URL stands for its path).
// Qt's own options (-platform, ...) are taken out by the application object
// before the files are read.

#include <QStringList>

#include <string>
#include <vector>

namespace kiv {

enum class ProgramRequest { Run, Help, Version };

struct ProgramArguments {
    ProgramRequest request = ProgramRequest::Run;
    QStringList files;
};

// arguments: without the program's own name.
ProgramArguments ParseProgramArguments(const std::vector<std::string>& arguments);

// The text --help prints.
extern const char* const kProgramHelp;

} // namespace kiv
