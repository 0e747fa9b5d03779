#pragma once
// One output preset and one output-format category of the catalogue.

#include <cstdint>

namespace kiv {

struct MediaProfile {
    char ProfileName[256];
    char VideoCodec[256];
    char VideoBitrate[256];
    char FrameRate[256];
    char FrameSize[256];
    char Aspect[256];
    char AudioCodec[256];
    char AudioBitrate[256];
    char SampleRate[256];
    std::int32_t ChannelIndex;
    std::int32_t Volume;
    std::int32_t Variant;
};

// The ChannelIndex of today's kinds that keeps the source's channels (as
// the codec carries them); the older kinds offer mono (0) and stereo (1).
constexpr std::int32_t kSourceChannelsIndex = 2;

struct ProfileCategory {
    char CategoryName[256];
    std::int32_t Target;
    const MediaProfile* Profiles;
    std::int32_t ProfileCount;
};

// A zero-filled profile, as the records start out.
MediaProfile EmptyProfile();

} // namespace kiv
