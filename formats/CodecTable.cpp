#include "CodecTable.h"

#include <vector>

namespace kiv {

namespace {

using enum Container;
constexpr CodecMedia kVideo = CodecMedia::Video;
constexpr CodecMedia kAudio = CodecMedia::Audio;

constexpr ContainerSet kMpegFamily = SetOf(Mpeg, Vcd, Svcd, Vob, Dvd);
constexpr ContainerSet kMp4Family = SetOf(Mp4, Mov, Psp);
constexpr ContainerSet kMpeg4Part2 = kMp4Family | SetOf(Avi, Asf, Ipod, ThreeGp, ThreeG2, Matroska);
constexpr ContainerSet kMpegVideo = kMpegFamily | kMp4Family | SetOf(Avi, Asf, Matroska, MpegTs);
constexpr ContainerSet kWindows = SetOf(Avi, Asf);
constexpr ContainerSet kPcm = SetOf(Avi, Asf, Mov, Wav, Matroska);

constexpr int kMp2Rates[] = {16000, 22050, 24000, 32000, 44100, 48000};
constexpr int kAc3Rates[] = {32000, 44100, 48000};
constexpr int kOpusRates[] = {8000, 12000, 16000, 24000, 48000};
constexpr int kAmrNarrowRates[] = {8000};
constexpr int kAmrWideRates[] = {16000};

// Presets measured on Debian 12's FFmpeg 5.1 (bench/modern_formats.sh):
// x264 "fast" at RF 23 (High profile) makes smaller files than HandBrake's
// "Fast 1080p30" (RF 22, Main profile, level 4.0) at a higher SSIM; SVT-AV1
// preset 8 and libvpx-vp9 cpu-used 4 take less time than x265 "fast".
// H.264 and VP9 are always 8-bit 4:2:0 so every player takes them; H.265
// and AV1 keep a 10-bit source's depth.
//
// "Which containers take it" is what the programs let a container take:
// a subset of what FFmpeg accepts (a test holds it to FFmpeg's answers).
// clang-format off
const CodecRow kCodecs[] = {
    // Today's video kind offers these, in this order.
    {kVideo, "h264", "libx264", "", "libx264", "h264", " -preset fast -crf %Q -pix_fmt yuv420p",
     false, false, 0, kMpegVideo | SetOf(Ipod, ThreeGp, ThreeG2, Flv), None, TodayOffer::WithVideo, {}},
    {kVideo, "hevc", "hevc", "", "libx265", "hevc",
     " -preset fast -crf %Q -tag:v hvc1 -x265-params log-level=error",
     false, true, 0, kMp4Family | SetOf(Matroska, MpegTs), None, TodayOffer::WithVideo, {}, false, HdrTenParameters::X265},
    {kVideo, "vp9", "vp9", "", "libvpx-vp9", "vp9",
     " -crf %Q -b:v 0 -deadline good -cpu-used 4 -row-mt 1 -pix_fmt yuv420p",
     false, false, 0, SetOf(Mp4, Mov, Matroska, WebM), None, TodayOffer::WithVideo, {}},
    {kVideo, "av1", "av1", "", "libsvtav1", "av1", " -preset 8 -crf %Q",
     false, true, 0, SetOf(Mp4, Mov, Matroska, WebM), None, TodayOffer::WithVideo, {}, false, HdrTenParameters::SvtAv1},
    {kVideo, "copy", "copy", "", "copy", "", "", false, false, 0, 0, None, TodayOffer::WithVideo, {}},
    // The older kinds' video codecs.
    {kVideo, "xvid", "libxvid", "", "libxvid", "mpeg4", "", false, false, 0, kMpeg4Part2, None, TodayOffer::None, {}},
    {kVideo, "divx", "divx", "", "mpeg4", "mpeg4", "", false, false, 0, kMpeg4Part2 | kMpegFamily, None, TodayOffer::None, {}},
    {kVideo, "mpeg4", "mpeg4", "", "mpeg4", "mpeg4", "", false, false, 0, kMpeg4Part2 | kMpegFamily, None, TodayOffer::None, {}},
    {kVideo, "msmpeg4", "msmpeg4", "msmpeg4v3", "msmpeg4", "msmpeg4v3", "", false, false, 0, kWindows | SetOf(Mov, Matroska), None, TodayOffer::None, {}},
    {kVideo, "msmpeg4v2", "msmpeg4v2", "", "msmpeg4v2", "msmpeg4v2", "", false, false, 0, kWindows, None, TodayOffer::None, {}},
    {kVideo, "wmv2", "wmv2", "", "wmv2", "wmv2", "", false, false, 0, kWindows, None, TodayOffer::None, {}},
    {kVideo, "wmv1", "wmv1", "", "wmv1", "wmv1", "", false, false, 0, kWindows, None, TodayOffer::None, {}},
    {kVideo, "h263", "h263", "", "h263", "h263", "", false, false, 0, kWindows | SetOf(Mov, ThreeGp, ThreeG2), None, TodayOffer::None, {}},
    {kVideo, "flv", "flv", "", "flv", "flv1", "", false, false, 0, kWindows | SetOf(Flv, Swf), None, TodayOffer::None, {}},
    {kVideo, "swf", "swf", "", "flv", "flv1", "", false, false, 0, kWindows | SetOf(Flv, Swf), None, TodayOffer::None, {}},
    {kVideo, "mjpeg", "mjpeg", "", "mjpeg", "mjpeg", "", false, false, 0, kWindows | kMp4Family | SetOf(Matroska), None, TodayOffer::None, {}},
    {kVideo, "mpeg1video", "mpeg1video", "", "mpeg1video", "mpeg1video", "", false, false, 0, kMpegVideo, None, TodayOffer::None, {}},
    {kVideo, "mpeg2video", "mpeg2video", "", "mpeg2video", "mpeg2video", "", false, false, 0, kMpegVideo, None, TodayOffer::None, {}},
    // The disc presets: FFmpeg's -target picks the encoder.
    {kVideo, "pal-vcd", "pal-vcd", "", "", "mpeg1video", "", false, false, 0, SetOf(Vcd), None, TodayOffer::None, {}},
    {kVideo, "ntsc-vcd", "ntsc-vcd", "", "", "mpeg1video", "", false, false, 0, SetOf(Vcd), None, TodayOffer::None, {}},
    {kVideo, "pal-svcd", "pal-svcd", "", "", "mpeg2video", "", false, false, 0, SetOf(Svcd), None, TodayOffer::None, {}},
    {kVideo, "ntsc-svcd", "ntsc-svcd", "", "", "mpeg2video", "", false, false, 0, SetOf(Svcd), None, TodayOffer::None, {}},
    {kVideo, "pal-dvd", "pal-dvd", "", "", "mpeg2video", "", false, false, 0, SetOf(Dvd), None, TodayOffer::None, {}},
    {kVideo, "ntsc-dvd", "ntsc-dvd", "", "", "mpeg2video", "", false, false, 0, SetOf(Dvd), None, TodayOffer::None, {}},
    // Encoders no list offers.
    {kVideo, "", "libvpx", "", "libvpx", "vp8", "", false, false, 0, SetOf(Matroska, WebM), None, TodayOffer::None, {}},
    {kVideo, "", "libaom-av1", "", "libaom-av1", "av1", "", false, true, 0, SetOf(Mp4, Mov, Matroska, WebM), None, TodayOffer::None, {}},

    // Today's kinds offer these, in this order: the sound alone all six,
    // the video kind AAC, Opus and the copy.
    {kAudio, "mp3", "libmp3lame", "", "libmp3lame", "mp3", "", true, false, 2,
     kMpegFamily | kMp4Family | kWindows | SetOf(Flv, Swf, Wav, Mp3, Matroska, MpegTs), Mp3, TodayOffer::Alone, {}},
    {kAudio, "aac", "libfaac", "mpeg4aac", "aac", "aac", "", true, false, 8,
     kMp4Family | kWindows | SetOf(Ipod, ThreeGp, ThreeG2, Flv, Wav, Adts, Matroska, MpegTs), Ipod, TodayOffer::Both, {}, true},
    {kAudio, "flac", "flac", "", "flac", "flac", "", false, false, 8, SetOf(Flac, Matroska), Flac, TodayOffer::Alone, {}},
    {kAudio, "opus", "opus", "", "libopus", "opus", "", true, false, 8,
     kMp4Family | SetOf(Matroska, WebM, Opus), Opus, TodayOffer::Both, kOpusRates, true},
    {kAudio, "pcm_s16le", "pcm_s16le", "", "pcm_s16le", "pcm_s16le", "", false, false, 8, kPcm | SetOf(Flv), Wav, TodayOffer::Alone, {}},
    {kAudio, "copy", "copy", "", "copy", "", "", false, false, 0, 0, None, TodayOffer::Both, {}},
    // The older kinds' audio codecs.
    {kAudio, "mp2", "mp2", "", "mp2", "mp2", "", true, false, 2,
     kMpegFamily | kMp4Family | kWindows | SetOf(Wav, Mp2, Matroska, MpegTs), Mp2, TodayOffer::None, kMp2Rates},
    {kAudio, "ac3", "ac3", "", "ac3", "ac3", "", true, false, 6,
     kMpegFamily | kMp4Family | kWindows | SetOf(Ipod, Wav, Ac3, Matroska, MpegTs), Ac3, TodayOffer::None, kAc3Rates},
    {kAudio, "pcm_s16be", "pcm_s16be", "", "pcm_s16be", "pcm_s16be", "", false, false, 8, kMpegFamily | SetOf(Mov, Flv, Matroska), None, TodayOffer::None, {}},
    {kAudio, "pcm_alaw", "pcm_alaw", "", "pcm_alaw", "pcm_alaw", "", false, false, 8, kWindows | SetOf(Mov, Flv, Wav), None, TodayOffer::None, {}},
    {kAudio, "wmav2", "wmav2", "", "wmav2", "wmav2", "", true, false, 2, kWindows | SetOf(Wav), None, TodayOffer::None, {}},
    {kAudio, "wmav1", "wmav1", "", "wmav1", "wmav1", "", true, false, 2, kWindows | SetOf(Wav), None, TodayOffer::None, {}},
    {kAudio, "amr_nb", "libamr_nb", "", "libopencore_amrnb", "amr_nb", "", true, false, 1,
     kWindows | SetOf(Mov, ThreeGp, ThreeG2, Amr, Wav), None, TodayOffer::None, kAmrNarrowRates},
    {kAudio, "amr_wb", "amr_wb", "libamr_wb", "libvo_amrwbenc", "amr_wb", "", true, false, 1,
     kWindows | SetOf(Mov, ThreeGp, ThreeG2, Amr, Wav), None, TodayOffer::None, kAmrWideRates},
    {kAudio, "adpcm_yamaha", "adpcm_yamaha", "", "adpcm_yamaha", "adpcm_yamaha", "", false, false, 1, kWindows | SetOf(Mmf, Wav), None, TodayOffer::None, {}},
    // Codecs no list offers: what a source may hold, or a repair picks.
    {kAudio, "", "libvorbis", "", "libvorbis", "vorbis", "", true, false, 8, SetOf(Ogg, Matroska, WebM), Ogg, TodayOffer::None, {}},
    {kAudio, "", "dca", "", "dca", "dts", "", true, false, 6, kMpegFamily | kMp4Family | kWindows | SetOf(Wav, Matroska), None, TodayOffer::None, {}},
    {kAudio, "", "alac", "", "alac", "alac", "", false, false, 8, kMp4Family | SetOf(Ipod, Matroska), Ipod, TodayOffer::None, {}},
    {kAudio, "", "pcm_s24le", "", "pcm_s24le", "pcm_s24le", "", false, false, 8, kPcm, Wav, TodayOffer::None, {}},
    {kAudio, "", "pcm_f32le", "", "pcm_f32le", "pcm_f32le", "", false, false, 8, kPcm, Wav, TodayOffer::None, {}},
    {kAudio, "", "pcm_u8", "", "pcm_u8", "pcm_u8", "", false, false, 8, kPcm | SetOf(Flv), Wav, TodayOffer::None, {}},
};
// clang-format on

template <typename Match> const CodecRow* FindRow(CodecMedia media, Match match) {
    for (const CodecRow& row : kCodecs)
        if (row.media == media && match(row))
            return &row;
    return nullptr;
}

bool Offered(const CodecRow& row, bool withVideo) {
    return row.offer == TodayOffer::Both ||
           row.offer == (withVideo ? TodayOffer::WithVideo : TodayOffer::Alone);
}

std::vector<const char*> OfferedNames(CodecMedia media, bool withVideo) {
    std::vector<const char*> names;
    for (const CodecRow& row : kCodecs)
        if (row.media == media && Offered(row, withVideo))
            names.push_back(row.name);
    return names;
}

} // namespace

std::span<const CodecRow> CodecRows() {
    return kCodecs;
}

const CodecRow* FindListedCodec(CodecMedia media, std::string_view name) {
    if (name.empty())
        return nullptr;
    return FindRow(media, [name](const CodecRow& row) { return row.name == name; });
}

const CodecRow* FindCodec(CodecMedia media, std::string_view spelling) {
    // A list name first: "flv" is the FLV row's name and the SWF row's encoder.
    if (const CodecRow* row = FindListedCodec(media, spelling))
        return row;
    if (spelling.empty())
        return nullptr;
    if (const CodecRow* row = FindRow(media, [spelling](const CodecRow& r) {
            return r.jobName == spelling || r.legacyName == spelling;
        }))
        return row;
    return FindEncoder(media, spelling);
}

const CodecRow* FindEncoder(CodecMedia media, std::string_view encoder) {
    if (encoder.empty())
        return nullptr;
    return FindRow(media, [encoder](const CodecRow& row) { return row.encoder == encoder; });
}

const CodecRow* FindAloneByDecoder(std::string_view decoder) {
    if (decoder.empty())
        return nullptr;
    return FindRow(CodecMedia::Audio, [decoder](const CodecRow& row) {
        return row.decoder == decoder && row.alone != Container::None;
    });
}

bool ContainerTakes(const ContainerRow& container, CodecMedia media, std::string_view encoder) {
    if (encoder == "copy")
        return true;
    for (const CodecRow& row : kCodecs)
        if (row.media == media && row.encoder == encoder && Holds(row.takenBy, container.id))
            return true;
    return false;
}

std::span<const char* const> TodayCodecNames(CodecMedia media, bool withVideo) {
    static const std::vector<const char*> kVideoNames = OfferedNames(CodecMedia::Video, true);
    static const std::vector<const char*> kWithVideo = OfferedNames(CodecMedia::Audio, true);
    static const std::vector<const char*> kAlone = OfferedNames(CodecMedia::Audio, false);
    if (media == CodecMedia::Video)
        return withVideo ? std::span<const char* const>(kVideoNames)
                         : std::span<const char* const>();
    return withVideo ? kWithVideo : kAlone;
}

} // namespace kiv
