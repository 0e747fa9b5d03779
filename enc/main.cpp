// enc: the encoder the program starts for conversions and probes. It takes
// the program's legacy command lines, translates them for FFmpeg 5.1 and
// runs FFmpeg; "-info" answers from libavformat in process.

#include "CFFmpegEncoder.h"
#include "Conversion.h"
#include "FfmpegRunner.h"
#include "InfoMode.h"
#include "LegacyLine.h"

#include <csignal>
#include <string>
#include <sys/prctl.h>
#include <unistd.h>
#include <vector>

int main(int argc, char** argv) {
    using namespace kiv::enc;
    // When the program that started enc dies, enc hears SIGHUP and abandons
    // its conversion instead of finishing it for nobody. A parent that died
    // before this line was reached is seen as a changed parent.
    pid_t parent = ::getppid();
    ::prctl(PR_SET_PDEATHSIG, SIGHUP);
    if (::getppid() != parent)
        return 128 + SIGHUP;
    if (argc < 2 || std::string(argv[1]) != kiv::kEncoderToken) {
        WriteAll(STDERR_FILENO, std::string("usage: enc ") + kiv::kEncoderToken +
                                    " (-info FILE | OPTIONS -i INPUT OPTIONS OUTPUT)\n");
        return 2;
    }
    std::vector<std::string> arguments(argv + 2, argv + argc);
    if (!arguments.empty() && arguments[0] == "-info") {
        LegacyLine line;
        std::string error;
        return RunInfo(ParseLegacyLine(arguments, line, error) ? line.infoPath : std::string());
    }
    return RunConversion(arguments);
}
