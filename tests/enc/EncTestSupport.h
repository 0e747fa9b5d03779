#pragma once
// enc run as the engine runs it, and its status lines read as the engine
// reads them; the general helpers come from tests/support.

#include "TestFiles.h"
#include "TestMedia.h"
#include "TestProcess.h"

#include <string>
#include <vector>

namespace kiv::test {

// The enc beside the test program (both are built into one folder).
std::string EncPath();

// "enc quillon-transcode-gates" followed by the arguments.
ProcessResult RunEnc(const std::vector<std::string>& arguments, const OutputWatcher& watcher = {});

// The seconds of every status line, read as the engine reads them for a
// source with or without video.
std::vector<int> StatusSeconds(const std::string& output, bool hasVideo);

} // namespace kiv::test
