#include "Vocabularies.h"

#include "Catalogue.h"
#include "CodecTable.h"
#include "FixedText.h"

#include <array>
#include <cstdio>
#include <cstring>

namespace kiv {

namespace {

// The order of every list is part of the settings file format: entries are
// only ever appended, and the older kinds are offered the entries they
// always had (the "...Choices" counts below).
constexpr std::array<const char*, 23> kVideoBitrates = {
    "128",  "192",  "256",  "320",  "384",  "480",  "512",  "640",  "768",  "900",  "1024", "1150",
    "1200", "1500", "2000", "2040", "2500", "3000", "3072", "4096", "5000", "6000", "9000"};
// "Original": keep the source's rate (today's kinds only).
constexpr std::array<const char*, 10> kFrameRates = {
    "10.00", "12.00", "15.00", "20.00", "23.97", "24.00", "25.00", "29.97", "30.00", "Original"};
constexpr std::array<const char*, 29> kFrameSizes = {
    "Original", "80x60",   "96x72",    "128x96",    "160x120", "176x120", "176x144", "192x144",
    "208x160",  "240x180", "320x200",  "320x240",   "352x240", "352x288", "368x208", "480x272",
    "480x480",  "480x576", "512x384",  "640x480",   "720x406", "720x432", "720x480", "720x576",
    "848x480",  "960x540", "1280x720", "1920x1080", "854x480"};
constexpr std::array<const char*, 3> kAspectRatios = {"Original", "4:3", "16:9"};
constexpr std::array<const char*, 17> kAudioBitrates = {"12.2", "32",  "48",  "56",  "64",  "80",
                                                        "96",   "112", "128", "160", "192", "224",
                                                        "256",  "320", "384", "448", "576"};
constexpr std::array<const char*, 7> kSampleRates = {"8000",  "11025", "22050",   "24000",
                                                     "44100", "48000", "Original"};
// Constant quality, lower is better: x264's and x265's CRF, libvpx's and
// SVT-AV1's CRF on their own scales (the profiles pick a value per codec).
constexpr std::array<const char*, 25> kVideoQualities = {
    "16", "17", "18", "19", "20", "21", "22", "23", "24", "25", "26", "27", "28",
    "29", "30", "31", "32", "33", "34", "35", "36", "37", "38", "39", "40"};

// "Original": the source's channels, as the codec carries them (today's
// kinds only).
constexpr std::array<const char*, 3> kChannels = {"Mono", "Stereo", "Original"};

constexpr int kFrameRateChoices = 9;
constexpr int kFrameSizeChoices = 28;
constexpr int kSampleRateChoices = 6;

constexpr std::array<const char*, 4> kVideo1 = {"xvid", "divx", "msmpeg4", "h264"};
constexpr std::array<const char*, 5> kAudio1 = {"mp3", "mp2", "pcm_s16le", "pcm_s16be", "pcm_alaw"};
constexpr std::array<const char*, 4> kVideo2 = {"wmv2", "wmv1", "msmpeg4", "msmpeg4v2"};
constexpr std::array<const char*, 2> kAudio2 = {"wmav2", "wmav1"};
constexpr std::array<const char*, 8> kVideo3 = {"pal-vcd", "ntsc-vcd", "pal-svcd",   "ntsc-svcd",
                                                "pal-dvd", "ntsc-dvd", "mpeg2video", "mpeg1video"};
constexpr std::array<const char*, 2> kAudio3 = {"ac3", "mp2"};
constexpr std::array<const char*, 2> kVideoH264Mpeg4 = {"h264", "mpeg4"};
constexpr std::array<const char*, 1> kAudioAac = {"aac"};
constexpr std::array<const char*, 3> kVideo7 = {"xvid", "divx", "h264"};
constexpr std::array<const char*, 5> kAudio7 = {"aac", "mp3", "pcm_alaw", "pcm_s16le", "pcm_s16be"};
constexpr std::array<const char*, 2> kVideo6 = {"swf", "flv"};
constexpr std::array<const char*, 1> kAudio6 = {"mp3"};
constexpr std::array<const char*, 3> kAudio5 = {"aac", "mp3", "mp2"};
constexpr std::array<const char*, 2> kVideo9 = {"mpeg4", "h263"};
constexpr std::array<const char*, 3> kAudio9 = {"aac", "amr_nb", "mp3"};
constexpr std::array<const char*, 2> kVideo22 = {"mjpeg", "flv"};
constexpr std::array<const char*, 2> kAudio22 = {"pcm_s16le", "mp3"};
// The rows of every kind, in table order: the older kinds' lists as they
// always were, today's from the formats table.
const std::array<ContainerCodecRow, 12>& KindRows() {
    static const std::array<ContainerCodecRow, 12> kRows = {{
        {TargetKind::Avi, kVideo1, kAudio1},
        {TargetKind::WindowsMedia, kVideo2, kAudio2},
        {TargetKind::MpegProgramStream, kVideo3, kAudio3},
        {TargetKind::PortableMp4, kVideoH264Mpeg4, kAudioAac},
        {TargetKind::Psp, kVideoH264Mpeg4, kAudioAac},
        {TargetKind::QuickTime, kVideo7, kAudio7},
        {TargetKind::Flash, kVideo6, kAudio6},
        {TargetKind::ThirdGeneration, kVideoH264Mpeg4, kAudio5},
        {TargetKind::ThirdGenerationB, kVideo9, kAudio9},
        {TargetKind::SourceQuality, kVideo22, kAudio22},
        {TargetKind::ModernVideo, TodayCodecNames(CodecMedia::Video, true),
         TodayCodecNames(CodecMedia::Audio, true)},
        {TargetKind::ModernAudio, {}, TodayCodecNames(CodecMedia::Audio, false)},
    }};
    return kRows;
}

CodecMedia MediaOf(CodecStream stream) {
    return stream == CodecStream::Video ? CodecMedia::Video : CodecMedia::Audio;
}

// The job's spelling of a list name: the name itself unless the table
// renames it.
std::string_view JobSpelling(CodecStream stream, std::string_view name) {
    const CodecRow* row = FindListedCodec(MediaOf(stream), name);
    return row ? row->jobName : name;
}

// Copies list[index] into the field; an index outside the list leaves it.
template <std::size_t N> void TakeEntry(char (&field)[N], TextList list, int index) {
    if (const char* entry = EntryAt(list, index))
        SetText(field, entry);
}

// Sets index to the position of text in list; unchanged when absent.
void FindEntry(std::int32_t& index, TextList list, std::string_view text) {
    int found = IndexOf(list, text);
    if (found >= 0)
        index = found;
}

} // namespace

TextList VideoBitrates() {
    return kVideoBitrates;
}
TextList FrameRates() {
    return kFrameRates;
}
TextList FrameSizes() {
    return kFrameSizes;
}
TextList AspectRatios() {
    return kAspectRatios;
}
TextList AudioBitrates() {
    return kAudioBitrates;
}
TextList SampleRates() {
    return kSampleRates;
}
TextList VideoQualities() {
    return kVideoQualities;
}

TextList VideoRateChoices(int targetKind) {
    if (EncodesAtConstantQuality(targetKind))
        return kVideoQualities;
    return kVideoBitrates;
}
TextList FrameRateChoices(int targetKind) {
    return IsModernKind(targetKind) ? TextList(kFrameRates)
                                    : TextList(kFrameRates).first(kFrameRateChoices);
}
TextList FrameSizeChoices(int targetKind) {
    return IsModernKind(targetKind) ? TextList(kFrameSizes)
                                    : TextList(kFrameSizes).first(kFrameSizeChoices);
}
TextList SampleRateChoices(int targetKind) {
    return IsModernKind(targetKind) ? TextList(kSampleRates)
                                    : TextList(kSampleRates).first(kSampleRateChoices);
}
TextList AudioBitrateChoices() {
    return TextList(kAudioBitrates).first(kAudioBitrateChoices);
}
TextList ChannelChoices(int targetKind) {
    return IsModernKind(targetKind) ? TextList(kChannels)
                                    : TextList(kChannels).first(kSourceChannelsIndex);
}

int ChannelCountOf(int channelIndex) {
    return channelIndex == kSourceChannelsIndex ? 0 : channelIndex + 1;
}

std::span<const ContainerCodecRow> ContainerCodecs() {
    return KindRows();
}

const ContainerCodecRow* FindContainerCodecs(int targetKind) {
    for (const ContainerCodecRow& row : KindRows())
        if (KindNumber(row.kind) == targetKind)
            return &row;
    return nullptr;
}

int IndexOf(TextList list, std::string_view text) {
    for (std::size_t i = 0; i < list.size(); ++i)
        if (text == list[i])
            return static_cast<int>(i);
    return -1;
}

const char* EntryAt(TextList list, int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= list.size())
        return nullptr;
    return list[static_cast<std::size_t>(index)];
}

void ProfileFromSelection(const ProfileSelection& selection, int targetKind,
                          MediaProfile& destination) {
    TakeEntry(destination.VideoBitrate, VideoRateChoices(targetKind), selection.VBR);
    TakeEntry(destination.AudioBitrate, kAudioBitrates, selection.ABR);
    TakeEntry(destination.SampleRate, SampleRateChoices(targetKind), selection.ASR);
    TakeEntry(destination.Aspect, kAspectRatios, selection.Apsect);
    TakeEntry(destination.FrameRate, FrameRateChoices(targetKind), selection.VFR);
    TakeEntry(destination.FrameSize, FrameSizeChoices(targetKind), selection.Size);
    destination.ChannelIndex = selection.ACH;
    destination.Volume = selection.VOL;
    if (const ContainerCodecRow* row = FindContainerCodecs(targetKind)) {
        TakeEntry(destination.VideoCodec, row->videoCodecs, selection.VCodec);
        TakeEntry(destination.AudioCodec, row->audioCodecs, selection.ACodec);
    }
    MediaProfile record;
    if (GetProfile(selection.Kind, selection.Class, record)) {
        destination.Variant = record.Variant;
        SetText(destination.ProfileName, GetText(record.ProfileName));
    }
}

void SelectionFromProfile(const MediaProfile& profile, int targetKind,
                          ProfileSelection& selection) {
    FindEntry(selection.VBR, VideoRateChoices(targetKind), GetText(profile.VideoBitrate));
    FindEntry(selection.ABR, AudioBitrateChoices(), GetText(profile.AudioBitrate));
    FindEntry(selection.ASR, SampleRateChoices(targetKind), GetText(profile.SampleRate));
    FindEntry(selection.Apsect, kAspectRatios, GetText(profile.Aspect));
    FindEntry(selection.VFR, FrameRateChoices(targetKind), GetText(profile.FrameRate));
    selection.ACH = profile.ChannelIndex;
    selection.VOL = profile.Volume;
    FindEntry(selection.Size, FrameSizeChoices(targetKind), GetText(profile.FrameSize));
    for (const ContainerCodecRow& row : KindRows()) {
        if (KindNumber(row.kind) != targetKind)
            continue;
        FindEntry(selection.VCodec, row.videoCodecs, GetText(profile.VideoCodec));
        FindEntry(selection.ACodec, row.audioCodecs, GetText(profile.AudioCodec));
    }
    int kind = selection.Kind;
    int profileClass = selection.Class;
    FindProfileByName(GetText(profile.ProfileName), targetKind, kind, profileClass);
    selection.Kind = kind;
    selection.Class = profileClass;
}

void ToEncoderCodecName(CodecStream stream, char* buffer, std::size_t bufferSize) {
    if (!buffer || bufferSize == 0)
        return;
    std::string_view name(buffer, strnlen(buffer, bufferSize));
    std::string_view renamed = JobSpelling(stream, name);
    if (renamed == name || renamed.size() + 1 > bufferSize)
        return;
    std::memcpy(buffer, renamed.data(), renamed.size());
    buffer[renamed.size()] = '\0';
}

std::string ToEncoderCodecName(CodecStream stream, std::string_view name) {
    return std::string(JobSpelling(stream, name));
}

bool FormatDuration(int seconds, char* buffer, std::size_t bufferSize) {
    if (!buffer || bufferSize == 0)
        return false;
    if (seconds < 0)
        seconds = 0;
    std::snprintf(buffer, bufferSize, "%02d:%02d:%02d", seconds / 3600, (seconds % 3600) / 60,
                  seconds % 60);
    return true;
}

std::string FormatDuration(int seconds) {
    char text[32];
    FormatDuration(seconds, text, sizeof text);
    return text;
}

} // namespace kiv
