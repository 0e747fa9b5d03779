#pragma once
// FFmpeg's -progress blocks (key=value lines, one block per update) turned
// into the status line the program reads: "time=" as the third and the
// seventh blank-separated field, whole seconds readable with %d.

#include "StatusLine.h"

#include <optional>
#include <string>
#include <string_view>

namespace kiv::enc {

// Collects one block; Feed returns the values when a line ends the block
// ("progress=continue" or "progress=end").
class ProgressBlockReader {
public:
    std::optional<ProgressValues> Feed(std::string_view line);

private:
    ProgressValues values_;
    bool haveQuality_ = false;
};

} // namespace kiv::enc
