#include "UprightFilter.h"

#include "media/MediaStreams.h"

#include <vector>

namespace kiv {

std::string UprightFilter(int rotationDegrees) {
    switch (rotationDegrees) {
    case 90:
        return "transpose=cclock";
    case 180:
        return "hflip,vflip";
    case 270:
        return "transpose=clock";
    default:
        return {};
    }
}

int VideoRotationOf(const std::string& path) {
    std::vector<StreamFacts> streams(kMostStreams);
    const int count = ListStreams(path, streams.data(), kMostStreams);
    for (int i = 0; i < count && i < kMostStreams; ++i) {
        const StreamFacts& stream = streams[i];
        if (stream.type == static_cast<int>(StreamType::Video) && !stream.attachedPicture)
            return stream.rotation;
    }
    return 0;
}

} // namespace kiv
