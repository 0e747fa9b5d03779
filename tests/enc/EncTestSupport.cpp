#include "EncTestSupport.h"

#include "EncoderProtocol.h"
#include "StatusLine.h"

#include <sstream>

namespace kiv::test {

std::string EncPath() {
    return BinDirectory() + kEncoderExecutable;
}

ProcessResult RunEnc(const std::vector<std::string>& arguments, const OutputWatcher& watcher) {
    std::vector<std::string> argv = {EncPath(), kEncoderToken};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    return RunProcess(argv, watcher);
}

std::vector<int> StatusSeconds(const std::string& output, bool hasVideo) {
    std::vector<int> seconds;
    std::istringstream lines(output);
    std::string line;
    while (std::getline(lines, line)) {
        int value = 0;
        if (ReadStatusSeconds(line.c_str(), hasVideo, value))
            seconds.push_back(value);
    }
    return seconds;
}

} // namespace kiv::test
