#include "RawStreams.h"

#include "PictureFiles.h"

#include <algorithm>

namespace kiv::enc {

bool IsRawElementaryStream(std::string_view head) {
    std::string_view code = head;
    if (code.starts_with(std::string_view("\0\0\0\1", 4)))
        code.remove_prefix(1);
    if (!code.starts_with(std::string_view("\0\0\1", 3)) || code.size() < 4)
        return false;
    return static_cast<unsigned char>(code[3]) != 0xba;
}

void SeekInsideRawStreams(FfmpegPlan& plan) {
    if (plan.inputs.empty() || !IsRawElementaryStream(FileHead(plan.inputs.front(), 8)))
        return;
    auto seek = std::find(plan.inputOptions.begin(), plan.inputOptions.end(), "-ss");
    if (seek == plan.inputOptions.end() || seek + 1 == plan.inputOptions.end())
        return;
    plan.options.insert(plan.options.begin(), {"-ss", *(seek + 1), true});
    plan.inputOptions.erase(seek, seek + 2);
}

} // namespace kiv::enc
