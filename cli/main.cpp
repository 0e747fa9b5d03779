// kiv-convert: converts files from the command line on the same engine as
// the window program.

#include "CliOptions.h"
#include "Commands.h"
#include "DesktopLanguages.h"
#include "Environment.h"
#include "Paths.h"
#include "SlideShowCommand.h"
#include "TranslatedHelp.h"

#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    using namespace kiv;
    // A log of its own: kiv.dmp is the window's, and runs of both at once
    // must not empty or mix each other's.
    UseLogName("kiv-convert.log");
    std::vector<std::string> arguments(argv + 1, argv + argc);
    CliOptions options;
    std::string error;
    if (arguments.empty()) {
        std::fputs(kUsage, stderr);
        return kExitUsage;
    }
    if (!ParseOptions(arguments, options, error)) {
        std::fprintf(stderr, "kiv-convert: %s\nTry 'kiv-convert --help'.\n", error.c_str());
        return kExitUsage;
    }
    switch (options.mode) {
    case Mode::Help:
        // The help alone speaks the desktop's language; scripts read the rest.
        std::fputs(TranslatedHelp(DesktopLanguages(ProcessEnvironment)), stdout);
        return kExitOk;
    case Mode::Version:
        std::puts("kiv-convert 1.0.0");
        return kExitOk;
    case Mode::List:
        return ListProfiles(options);
    case Mode::Probe:
        return ProbeFiles(options);
    case Mode::Convert:
        return ConvertFiles(options);
    case Mode::SlideShow:
        return MakeSlideShow(options);
    }
    return kExitUsage;
}
