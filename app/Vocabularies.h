#pragma once
// The fixed value lists, the codec lists per target kind, the conversions
// between a selection and a profile, encoder codec names and time texts.

#include "MediaProfile.h"
#include "ProfileSelection.h"
#include "TargetKind.h"

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

namespace kiv {

using TextList = std::span<const char* const>;

TextList VideoBitrates();
TextList FrameRates();
TextList FrameSizes();
TextList AspectRatios();
// All 17 stored entries; the editor offers only the first kAudioBitrateChoices.
TextList AudioBitrates();
TextList SampleRates();
TextList VideoQualities();
constexpr int kAudioBitrateChoices = 16;

// The entries a kind offers, which a selection's index points into: the
// older kinds see the lists as they always were; today's kinds also see the
// entries appended for them ("Original" rate, "854x480"), and the kinds that
// encode at constant quality pick a quality instead of a video bit rate.
TextList VideoRateChoices(int targetKind);
TextList FrameRateChoices(int targetKind);
TextList FrameSizeChoices(int targetKind);
TextList SampleRateChoices(int targetKind);
TextList AudioBitrateChoices();
// "Mono", "Stereo"; today's kinds also "Original" (kSourceChannelsIndex).
TextList ChannelChoices(int targetKind);
// The channel count a job gets for a profile's ChannelIndex: index + 1, or
// 0 (the source's own) for "Original".
int ChannelCountOf(int channelIndex);

struct ContainerCodecRow {
    TargetKind kind;
    TextList videoCodecs;
    TextList audioCodecs;
};

// The rows in table order (ten of old, then today's kinds).
std::span<const ContainerCodecRow> ContainerCodecs();
// The first row of the kind, or nullptr.
const ContainerCodecRow* FindContainerCodecs(int targetKind);

// Index of the first entry equal to text, or -1.
int IndexOf(TextList list, std::string_view text);
// The entry at index, or nullptr outside the list.
const char* EntryAt(TextList list, int index);

void ProfileFromSelection(const ProfileSelection& selection, int targetKind,
                          MediaProfile& destination);
void SelectionFromProfile(const MediaProfile& profile, int targetKind, ProfileSelection& selection);

enum class CodecStream { Video, Audio };

// Replaces a profile codec name by the encoder's library name in place.
// The buffer holds at least 11 bytes.
void ToEncoderCodecName(CodecStream stream, char* buffer, std::size_t bufferSize);
std::string ToEncoderCodecName(CodecStream stream, std::string_view name);

// Seconds as "%02d:%02d:%02d"; false and nothing written without a buffer.
bool FormatDuration(int seconds, char* buffer, std::size_t bufferSize);
std::string FormatDuration(int seconds);

} // namespace kiv
