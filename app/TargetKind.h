#pragma once
// The output family of a profile, a category and a job: the key of the
// catalogue's categories, the codec lists and the command-line builders.
// Records keep it as a plain integer field (the settings and the job store
// numbers), so the values never change; new kinds are only appended.

#include <cstdint>

namespace kiv {

enum class TargetKind : std::int32_t {
    Avi = 1,
    WindowsMedia = 2,
    MpegProgramStream = 3,
    PortableMp4 = 4,     // MP4 or MOV for iPod-like players
    ThirdGeneration = 5, // 3GP family
    Flash = 6,           // FLV or SWF
    QuickTime = 7,
    Psp = 8,
    ThirdGenerationB = 9, // 3GP family, the catalogue's "To 3GP/MP4"
    Unbuilt = 10,         // no builder: preparation fails
    WmaAudio = 11,
    Mp3Audio = 12,
    OggAudio = 13,
    AacAudio = 14,
    Mp2Audio = 15,
    M4aAudio = 16,
    Ac3Audio = 17,
    AmrNarrowAudio = 18,
    AmrWideAudio = 19,
    WavAudio = 20,
    MmfAudio = 21,
    SourceQuality = 22, // FLV, AVI or MOV at the source's quality
    // Today's formats. The lines keep the source's frame rate, size (or fit
    // it into a box) and every stream the container holds.
    ModernVideo = 23, // MP4, MKV or WebM (the container row its Variant names):
                      // H.264, H.265, VP9 or AV1 at constant quality, or the streams
                      // copied
    ModernAudio = 24, // the sound alone; the container follows the audio codec
};

// The integer a record stores for a kind.
constexpr std::int32_t KindNumber(TargetKind kind) {
    return static_cast<std::int32_t>(kind);
}

constexpr bool IsModernKind(std::int32_t kind) {
    return kind == KindNumber(TargetKind::ModernVideo) ||
           kind == KindNumber(TargetKind::ModernAudio);
}

// Kinds whose video is encoded at a constant quality (HandBrake's RF): the
// profile's VideoBitrate then holds a quality from VideoQualities, not kbit/s.
constexpr bool EncodesAtConstantQuality(std::int32_t kind) {
    return kind == KindNumber(TargetKind::ModernVideo);
}

} // namespace kiv
