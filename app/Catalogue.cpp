#include "Catalogue.h"

#include "ContainerTable.h"
#include "FixedText.h"

#include <array>

namespace kiv {

MediaProfile EmptyProfile() {
    MediaProfile profile{};
    return profile;
}

namespace {

template <std::size_t N> constexpr void Fill(char (&field)[N], const char* text) {
    std::size_t i = 0;
    for (; text[i] != '\0' && i + 1 < N; ++i)
        field[i] = text[i];
}

constexpr MediaProfile Row(const char* name, const char* videoCodec, const char* videoBitrate,
                           const char* frameRate, const char* frameSize, const char* aspect,
                           const char* audioCodec, const char* audioBitrate, const char* sampleRate,
                           int channelIndex, int volume, int variant) {
    MediaProfile p{};
    Fill(p.ProfileName, name);
    Fill(p.VideoCodec, videoCodec);
    Fill(p.VideoBitrate, videoBitrate);
    Fill(p.FrameRate, frameRate);
    Fill(p.FrameSize, frameSize);
    Fill(p.Aspect, aspect);
    Fill(p.AudioCodec, audioCodec);
    Fill(p.AudioBitrate, audioBitrate);
    Fill(p.SampleRate, sampleRate);
    p.ChannelIndex = channelIndex;
    p.Volume = volume;
    p.Variant = variant;
    return p;
}

// clang-format off
// 0: "To AVI/DIVX/XVID", target kind 1
constexpr MediaProfile kCategory0[] = {
    Row("DIVX Video", "divx", "1150", "29.97", "320x240", "Original", "mp3", "192", "44100", 1, 256, 1),
    Row("XVID Video", "xvid", "1150", "29.97", "320x240", "Original", "mp3", "192", "44100", 1, 256, 0),
    Row("MPEG4 Video", "msmpeg4", "1150", "29.97", "320x240", "Original", "mp3", "192", "44100", 1, 256, 2),
    Row("H264/AVC Video", "h264", "1200", "29.97", "Original", "Original", "mp3", "192", "44100", 1, 256, -1),
};

// 1: "To WMV/ASF/Zune", target kind 2
constexpr MediaProfile kCategory1[] = {
    Row("WMV Video", "wmv2", "1150", "29.97", "320x240", "Original", "wmav2", "128", "48000", 1, 256, 2),
    Row("ASF Video", "msmpeg4v2", "1150", "29.97", "320x240", "Original", "wmav2", "128", "48000", 1, 256, 4),
    Row("Zune", "wmv2", "1150", "29.97", "208x160", "Original", "wmav2", "192", "44100", 1, 256, 2),
    Row("Creative ZEN Vision", "wmv2", "1150", "29.97", "640x480", "Original", "wmav2", "128", "44100", 1, 256, 2),
    Row("Creative ZEN Vision M", "wmv2", "1150", "29.97", "320x240", "Original", "wmav2", "96", "44100", 1, 256, 2),
    Row("Creative ZEN Vision W", "wmv2", "1150", "29.97", "720x480", "Original", "wmav2", "128", "44100", 1, 256, 2),
};

// 2: "To QuickTime", target kind 7
constexpr MediaProfile kCategory2[] = {
    Row("Quick Time(HD Quality)", "h264", "6000", "29.97", "848x480", "Original", "aac", "320", "48000", 1, 256, 2),
    Row("Quick Time(DVD Quality)", "h264", "6000", "29.97", "720x576", "Original", "aac", "320", "48000", 1, 256, 2),
    Row("Quick Time(Best Quality)", "divx", "1150", "29.97", "352x288", "Original", "mp3", "192", "44100", 1, 256, 1),
    Row("Quick Time(Standard Quality)", "divx", "1150", "29.97", "176x144", "Original", "mp3", "128", "44100", 1, 256, 1),
};

// 3: "To SWF/FLV", target kind 6
constexpr MediaProfile kCategory3[] = {
    Row("FLV Video", "flv", "1150", "23.97", "320x240", "Original", "mp3", "256", "44100", 1, 256, 1),
    Row("SWF Video", "swf", "1150", "23.97", "320x240", "Original", "mp3", "256", "44100", 1, 256, 0),
};

// 4: "To DVD/SVCD/VCD/MPEG", target kind 3
constexpr MediaProfile kCategory4[] = {
    Row("PAL DVD Video", "pal-dvd", "6000", "25.00", "720x576", "4:3", "ac3", "448", "44100", 1, 256, 5),
    Row("NTSC DVD Video", "ntsc-dvd", "6000", "29.97", "720x480", "4:3", "ac3", "448", "44100", 1, 256, 6),
    Row("PAL SVCD Video", "pal-svcd", "2040", "25.00", "480x576", "4:3", "mp2", "224", "44100", 1, 256, 3),
    Row("NTSC SVCD Video", "ntsc-svcd", "2040", "29.97", "480x480", "4:3", "mp2", "224", "44100", 1, 256, 4),
    Row("PAL VCD Video", "pal-vcd", "1150", "25.00", "352x288", "4:3", "mp2", "224", "44100", 1, 256, 1),
    Row("NTSC VCD Video", "ntsc-vcd", "1150", "29.97", "352x240", "4:3", "mp2", "224", "44100", 1, 256, 2),
    Row("MPEG2 Video", "mpeg2video", "900", "29.97", "320x240", "4:3", "mp2", "128", "48000", 1, 256, 0),
    Row("MPEG1 Video", "mpeg1video", "900", "29.97", "320x240", "4:3", "mp2", "128", "48000", 1, 256, 0),
};

// 5: "To iPod/iPhone/AppleTV", target kind 4
constexpr MediaProfile kCategory5[] = {
    Row("iPod Classic(Excelent Quality)", "h264", "2500", "30.00", "640x480", "Original", "aac", "160", "48000", 1, 256, 9),
    Row("iPod Classic(Good Quality)", "h264", "1500", "30.00", "640x480", "Original", "aac", "160", "48000", 1, 256, 7),
    Row("iPod Classic(Normal Quality)", "mpeg4", "768", "30.00", "320x240", "Original", "aac", "128", "44100", 1, 256, 0),
    Row("iPod Classic(TV out)", "mpeg4", "1500", "24.00", "512x384", "Original", "aac", "160", "48000", 1, 256, 10),
    Row("iPod nano(Excelent Quality)", "h264", "2500", "30.00", "640x480", "Original", "aac", "160", "48000", 1, 256, 9),
    Row("iPod nano(Good Quality)", "h264", "1500", "30.00", "640x480", "Original", "aac", "160", "48000", 1, 256, 7),
    Row("iPod nano(Normal Quality)", "mpeg4", "768", "30.00", "320x240", "Original", "aac", "160", "48000", 1, 256, 0),
    Row("iPod touch(Excelent Quality)", "h264", "2500", "30.00", "640x480", "Original", "aac", "160", "48000", 1, 256, 9),
    Row("iPod touch(Good Quality)", "h264", "1500", "30.00", "640x480", "Original", "aac", "160", "48000", 1, 256, 7),
    Row("iPod touch(Normal Quality)", "mpeg4", "768", "30.00", "320x240", "Original", "aac", "160", "48000", 1, 256, 0),
    Row("iPod touch(Wide Screen)", "mpeg4", "768", "30.00", "720x406", "Original", "aac", "160", "48000", 1, 256, 0),
    Row("iPod Phone(Excelent Quality)", "h264", "2500", "30.00", "640x480", "Original", "aac", "160", "48000", 1, 256, 9),
    Row("iPod Phone(Good Quality)", "h264", "1500", "30.00", "640x480", "Original", "aac", "160", "48000", 1, 256, 7),
    Row("iPod Phone(Normal Quality)", "mpeg4", "768", "30.00", "320x240", "Original", "aac", "160", "48000", 1, 256, 0),
    Row("iPod Phone(Wide Screen)", "mpeg4", "768", "30.00", "720x406", "Original", "aac", "160", "48000", 1, 256, 0),
    Row("Apple TV(HD Quality)", "h264", "5000", "24.00", "1280x720", "Original", "aac", "160", "44100", 1, 256, 11),
    Row("Apple TV(Best Quality)", "h264", "5000", "30.00", "960x540", "Original", "aac", "160", "44100", 1, 256, 11),
    Row("Apple TV(Good Quality)", "h264", "2000", "30.00", "640x480", "Original", "aac", "160", "44100", 1, 256, 11),
    Row("Apple TV(Normal Quality)", "mpeg4", "3000", "30.00", "720x432", "Original", "aac", "160", "44100", 1, 256, 10),
};

// 6: "To PSP/PS3", target kind 8
constexpr MediaProfile kCategory6[] = {
    Row("PSP(Firmware3.3+ Good)", "h264", "768", "29.97", "720x480", "Original", "aac", "128", "48000", 1, 256, 3),
    Row("PSP(Firmware3.3+ Normal)", "h264", "768", "29.97", "480x272", "Original", "aac", "128", "44100", 1, 256, 1),
    Row("PSP(Firmware2.8+ Good)", "h264", "768", "29.97", "320x240", "Original", "aac", "128", "48000", 1, 256, 3),
    Row("PSP(Firmware2.0+ Good)", "h264", "768", "29.97", "368x208", "Original", "aac", "128", "48000", 1, 256, 3),
    Row("PSP(Firmware2.0+ Normal)", "h264", "768", "29.97", "320x240", "Original", "aac", "128", "44100", 1, 256, 1),
    Row("PSP(Firmware1.5+ Good)", "mpeg4", "768", "29.97", "368x208", "Original", "aac", "128", "24000", 1, 256, 5),
    Row("PSP(Firmware1.5+ Normal)", "mpeg4", "768", "29.97", "320x240", "Original", "aac", "128", "24000", 1, 256, 5),
    Row("PS3(Excelent Quality)", "h264", "4096", "29.97", "1920x1080", "Original", "aac", "160", "48000", 1, 256, 3),
    Row("PS3(Good Quality)", "h264", "3072", "29.97", "1280x720", "Original", "aac", "160", "48000", 1, 256, 3),
    Row("PS3(Normal Quality)", "h264", "1024", "29.97", "720x480", "Original", "aac", "128", "48000", 1, 256, 3),
};

// 7: "To Zune/Xbox360/Zen/iPaq/PDA", target kind 2
constexpr MediaProfile kCategory7[] = {
    Row("Zune", "wmv2", "1150", "29.97", "208x160", "Original", "wmav2", "192", "44100", 1, 256, 2),
    Row("Xbox 360", "wmv2", "1500", "30.00", "1920x1080", "Original", "wmav2", "192", "48000", 1, 256, 4),
    Row("Pocket PC/PDA Movie", "wmv2", "2040", "29.97", "480x576", "Original", "wmav2", "32", "22050", 1, 256, 2),
    Row("Archos AV500/700(704/604/504/404)", "wmv2", "1150", "29.97", "352x288", "Original", "wmav2", "128", "44100", 1, 256, 2),
    Row("Creative ZEN Vision W", "wmv2", "1150", "29.97", "720x480", "Original", "wmav2", "128", "44100", 1, 256, 2),
    Row("Creative ZEN Vision", "wmv2", "1150", "29.97", "640x480", "Original", "wmav2", "128", "44100", 1, 256, 2),
    Row("Creative ZEN Vision M", "wmv2", "1150", "29.97", "320x240", "Original", "wmav2", "96", "44100", 1, 256, 2),
    Row("Epson Multimedia Storage Viewer P3000/P5000", "wmv2", "1150", "29.97", "352x288", "Original", "wmav2", "96", "44100", 1, 256, 2),
    Row("HP iPaq series", "wmv2", "1150", "29.97", "320x240", "Original", "wmav2", "128", "44100", 1, 256, 2),
};

// 8: "To 3GP/MP4", target kind 9
constexpr MediaProfile kCategory8[] = {
    Row("3GP(h263/aac)", "h263", "512", "12.00", "176x144", "Original", "aac", "96", "48000", 1, 256, 0),
    Row("3GP(h263/amr)", "h263", "512", "12.00", "176x144", "Original", "amr_nb", "12.2", "8000", 0, 256, 0),
    Row("3GP(mpeg4/aac)", "mpeg4", "512", "15.00", "176x144", "Original", "aac", "64", "22050", 1, 256, 0),
    Row("3GP(mpeg4/amr)", "mpeg4", "512", "15.00", "176x144", "Original", "amr_nb", "12.2", "8000", 0, 256, 0),
    Row("3GP2(mpeg4/aac)", "mpeg4", "512", "29.97", "176x144", "Original", "aac", "96", "22050", 1, 256, 1),
    Row("BlackBerry 81xx", "mpeg4", "320", "24.00", "320x240", "Original", "mp3", "96", "44100", 1, 256, 2),
    Row("BlackBerry 8xxx", "mpeg4", "320", "29.97", "240x180", "Original", "mp3", "96", "44100", 1, 256, 2),
    Row("MP4(Standard video)", "mpeg4", "512", "15.00", "176x144", "Original", "aac", "128", "44100", 1, 256, 5),
};

// Today's formats keep the source's frame rate, sample rate and channels
// ("Original"), and its size unless they name a box to fit it into. VideoBitrate holds the
// constant quality (lower is better); the variant is the container.
constexpr int kMp4 = VariantOf(Container::Mp4);
constexpr int kMkv = VariantOf(Container::Matroska);
constexpr int kWebM = VariantOf(Container::WebM);
constexpr int kKeep = kSourceChannelsIndex; // the source's channels

// 9: "To MP4/MKV/WebM (today's devices and the web)", target kind 23
constexpr MediaProfile kCategory9[] = {
    Row("H.264 MP4, same size (plays everywhere)", "h264", "23", "Original", "Original", "Original", "aac", "160", "Original", kKeep, 256, kMp4),
    Row("H.264 MP4, fit within 1920x1080 (Full HD)", "h264", "23", "Original", "1920x1080", "Original", "aac", "160", "Original", kKeep, 256, kMp4),
    Row("H.264 MP4, fit within 1280x720 (HD)", "h264", "23", "Original", "1280x720", "Original", "aac", "160", "Original", kKeep, 256, kMp4),
    Row("H.264 MP4, fit within 854x480 (SD)", "h264", "23", "Original", "854x480", "Original", "aac", "128", "Original", kKeep, 256, kMp4),
    Row("H.265 MP4, same size (smaller file, newer devices)", "hevc", "26", "Original", "Original", "Original", "aac", "160", "Original", kKeep, 256, kMp4),
    Row("VP9 WebM with Opus, same size (for the web)", "vp9", "32", "Original", "Original", "Original", "opus", "128", "Original", kKeep, 256, kWebM),
    Row("AV1 MKV with Opus, same size (smallest)", "av1", "34", "Original", "Original", "Original", "opus", "128", "Original", kKeep, 256, kMkv),
    Row("AV1 WebM with Opus, same size (for the web)", "av1", "34", "Original", "Original", "Original", "opus", "128", "Original", kKeep, 256, kWebM),
    Row("MKV, same streams (no re-encoding)", "copy", "23", "Original", "Original", "Original", "copy", "160", "Original", kKeep, 256, kMkv),
    Row("MP4, same streams (no re-encoding)", "copy", "23", "Original", "Original", "Original", "copy", "160", "Original", kKeep, 256, kMp4),
};

// 10: "To audio only (MP3/AAC/FLAC/Opus/WAV)", target kind 24; no video codec
constexpr MediaProfile kCategory10[] = {
    Row("MP3, 320 kb/s (best MP3)", "", "1150", "Original", "Original", "Original", "mp3", "320", "Original", kKeep, 256, 0),
    Row("MP3, 192 kb/s (smaller)", "", "1150", "Original", "Original", "Original", "mp3", "192", "Original", kKeep, 256, 0),
    Row("AAC in M4A, 256 kb/s (Apple devices)", "", "1150", "Original", "Original", "Original", "aac", "256", "Original", kKeep, 256, 0),
    Row("FLAC (lossless)", "", "1150", "Original", "Original", "Original", "flac", "320", "Original", kKeep, 256, 0),
    Row("Opus, 160 kb/s (smallest)", "", "1150", "Original", "Original", "Original", "opus", "160", "Original", kKeep, 256, 0),
    Row("WAV (uncompressed)", "", "1150", "Original", "Original", "Original", "pcm_s16le", "320", "Original", kKeep, 256, 0),
    Row("The audio track as it is (no re-encoding)", "", "1150", "Original", "Original", "Original", "copy", "320", "Original", kKeep, 256, 0),
};
// clang-format on

template <std::size_t N>
constexpr ProfileCategory Category(const char* name, TargetKind target,
                                   const MediaProfile (&profiles)[N]) {
    ProfileCategory c{};
    Fill(c.CategoryName, name);
    c.Target = KindNumber(target);
    c.Profiles = profiles;
    c.ProfileCount = static_cast<int>(N);
    return c;
}

constexpr std::array<ProfileCategory, kCategoryCount> kCategories = {
    Category("To AVI/DIVX/XVID", TargetKind::Avi, kCategory0),
    Category("To WMV/ASF/Zune", TargetKind::WindowsMedia, kCategory1),
    Category("To QuickTime", TargetKind::QuickTime, kCategory2),
    Category("To SWF/FLV", TargetKind::Flash, kCategory3),
    Category("To DVD/SVCD/VCD/MPEG", TargetKind::MpegProgramStream, kCategory4),
    Category("To iPod/iPhone/AppleTV", TargetKind::PortableMp4, kCategory5),
    Category("To PSP/PS3", TargetKind::Psp, kCategory6),
    Category("To Zune/Xbox360/Zen/iPaq/PDA", TargetKind::WindowsMedia, kCategory7),
    Category("To 3GP/MP4", TargetKind::ThirdGenerationB, kCategory8),
    Category("To MP4/MKV/WebM (today's devices and the web)", TargetKind::ModernVideo, kCategory9),
    Category("To audio only (MP3/AAC/FLAC/Opus/WAV)", TargetKind::ModernAudio, kCategory10),
};

} // namespace

int CategoryCount() {
    return kCategoryCount;
}

const ProfileCategory* GetCategory(int categoryIndex) {
    if (categoryIndex < 0 || categoryIndex >= kCategoryCount)
        return nullptr;
    return &kCategories[static_cast<std::size_t>(categoryIndex)];
}

bool IsValidProfileIndex(int categoryIndex, int profileIndex) {
    const ProfileCategory* category = GetCategory(categoryIndex);
    return category && profileIndex >= 0 && profileIndex < category->ProfileCount;
}

bool GetProfile(int categoryIndex, int profileIndex, MediaProfile& out) {
    if (!IsValidProfileIndex(categoryIndex, profileIndex))
        return false;
    out = GetCategory(categoryIndex)->Profiles[profileIndex];
    return true;
}

bool FindProfileByName(std::string_view profileName, int targetKind, int& categoryIndex,
                       int& profileIndex) {
    bool found = false;
    for (int c = 0; c < kCategoryCount; ++c) {
        const ProfileCategory& category = kCategories[static_cast<std::size_t>(c)];
        if (category.Target != targetKind)
            continue;
        for (int p = 0; p < category.ProfileCount; ++p) {
            if (GetText(category.Profiles[p].ProfileName) == profileName) {
                categoryIndex = c;
                profileIndex = p;
                found = true;
                break;
            }
        }
    }
    return found;
}

} // namespace kiv
