#include "TestMedia.h"

#include "TestFiles.h"
#include "TestProcess.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <unistd.h>

extern "C" {
#include <libavformat/avformat.h>
#include <libavutil/dict.h>
#include <libavutil/display.h>
#include <libavutil/pixdesc.h>
}

namespace kiv::test {

namespace fs = std::filesystem;

bool MakeMedia(const fs::path& output, const std::vector<std::string>& arguments) {
    std::error_code error;
    if (fs::exists(output, error))
        return true;
    // The hidden name keeps the extension, from which ffmpeg picks the muxer.
    std::string hidden = ".";
    hidden += std::to_string(getpid());
    hidden += "-";
    hidden += output.filename().string();
    fs::path temporary = output.parent_path() / hidden;
    std::vector<std::string> argv = {"ffmpeg", "-v", "error", "-nostdin", "-y"};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    argv.push_back(temporary.string());
    ProcessResult result = RunProcess(argv);
    if (result.exitCode != 0) {
        std::fprintf(stderr, "making %s failed: %s\n", output.c_str(), result.output.c_str());
        fs::remove(temporary, error);
    } else {
        fs::rename(temporary, output, error);
    }
    return fs::exists(output, error);
}

bool SetExifOrientation(const fs::path& jpeg, int orientation) {
    std::string bytes = ReadFile(jpeg);
    if (bytes.size() < 2 || bytes.compare(0, 2, "\xFF\xD8") != 0)
        return false;
    // "Exif\0\0", a big-endian TIFF header and one IFD entry: Orientation
    // (0x0112), a SHORT, count 1.
    const char ifd[] = {'M',  'M',  0, 42, 0, 0, 0, 8, 0, 1,
                        0x01, 0x12, 0, 3,  0, 0, 0, 1, 0, static_cast<char>(orientation),
                        0,    0,    0, 0,  0, 0};
    std::string payload = std::string("Exif\0\0", 6) + std::string(ifd, sizeof ifd);
    std::size_t length = payload.size() + 2;
    std::string segment = "\xFF\xE1";
    segment += static_cast<char>(length >> 8);
    segment += static_cast<char>(length & 0xFF);
    WriteFile(jpeg, bytes.substr(0, 2) + segment + payload + bytes.substr(2));
    return true;
}

bool MakeClip(const fs::path& output, int seconds, const std::string& size) {
    std::string length = std::to_string(seconds);
    return MakeMedia(
        output,
        {"-f",       "lavfi",
         "-i",       "testsrc2=size=" + size + ":rate=25:duration=" + length + ",hue=H=t*0.8",
         "-f",       "lavfi",
         "-i",       "sine=frequency=440:sample_rate=48000:duration=" + length,
         "-c:v",     "libx264",
         "-preset",  "ultrafast",
         "-g",       "25",
         "-pix_fmt", "yuv420p",
         "-c:a",     "aac",
         "-ac",      "2",
         "-shortest"});
}

bool MakeTone(const fs::path& output, int seconds) {
    return MakeMedia(output,
                     {"-f", "lavfi", "-i", "sine=frequency=440:duration=" + std::to_string(seconds),
                      "-c:a", "pcm_s16le"});
}

std::string VideoSource() {
    fs::path path = SharedMediaFolder() / "video.mp4";
    MakeMedia(path, {"-f", "lavfi", "-i", "testsrc2=size=320x240:rate=25:duration=2", "-f", "lavfi",
                     "-i", "sine=frequency=440:sample_rate=48000:duration=2", "-c:v", "libx264",
                     "-preset", "ultrafast", "-pix_fmt", "yuv420p", "-c:a", "aac", "-ac", "2"});
    return path.string();
}

std::string AudioSource() {
    fs::path path = SharedMediaFolder() / "audio.mp3";
    MakeMedia(path, {"-f", "lavfi", "-i", "sine=frequency=440:sample_rate=44100:duration=2", "-ac",
                     "2", "-c:a", "libmp3lame", "-b:a", "128k"});
    return path.string();
}

std::string LongVideoSource() {
    fs::path path = SharedMediaFolder() / "long.avi";
    MakeMedia(path, {"-f", "lavfi", "-i", "testsrc2=size=320x240:rate=25:duration=40", "-f",
                     "lavfi", "-i", "sine=frequency=440:sample_rate=44100:duration=40", "-c:v",
                     "mpeg4", "-q:v", "8", "-c:a", "libmp3lame", "-ac", "2"});
    return path.string();
}

MediaInspection Inspect(const std::string& path) {
    MediaInspection inspection;
    av_log_set_level(AV_LOG_QUIET);
    AVFormatContext* context = nullptr;
    if (avformat_open_input(&context, path.c_str(), nullptr, nullptr) != 0)
        return inspection;
    if (avformat_find_stream_info(context, nullptr) < 0) {
        avformat_close_input(&context);
        return inspection;
    }
    inspection.opened = true;
    inspection.format = context->iformat->name;
    if (const AVDictionaryEntry* brand = av_dict_get(context->metadata, "major_brand", nullptr, 0))
        inspection.majorBrand = brand->value;
    for (unsigned i = 0; i < context->nb_streams; ++i) {
        const AVStream* stream = context->streams[i];
        const AVCodecParameters* parameters = stream->codecpar;
        if (parameters->codec_type == AVMEDIA_TYPE_VIDEO &&
            !(stream->disposition & AV_DISPOSITION_ATTACHED_PIC) && inspection.videoCodec.empty()) {
            inspection.videoCodec = avcodec_get_name(parameters->codec_id);
            inspection.width = parameters->width;
            inspection.height = parameters->height;
            inspection.frameRate = av_q2d(stream->avg_frame_rate);
            AVRational pixel = stream->sample_aspect_ratio.num > 0 ? stream->sample_aspect_ratio
                                                                   : AVRational{1, 1};
            if (parameters->height > 0)
                inspection.displayAspect = parameters->width * av_q2d(pixel) / parameters->height;
            if (const std::uint8_t* matrix =
                    av_stream_get_side_data(stream, AV_PKT_DATA_DISPLAYMATRIX, nullptr))
                inspection.rotation = static_cast<int>(
                    std::lround(av_display_rotation_get(reinterpret_cast<const int32_t*>(matrix))));
            if (const AVPixFmtDescriptor* pixels =
                    av_pix_fmt_desc_get(static_cast<AVPixelFormat>(parameters->format)))
                inspection.bitsPerSample = pixels->comp[0].depth;
        } else if (parameters->codec_type == AVMEDIA_TYPE_AUDIO) {
            if (inspection.audioTracks++ == 0) {
                inspection.audioCodec = avcodec_get_name(parameters->codec_id);
                inspection.sampleRate = parameters->sample_rate;
                inspection.channels = parameters->ch_layout.nb_channels;
            }
        } else if (parameters->codec_type == AVMEDIA_TYPE_SUBTITLE) {
            if (inspection.subtitleTracks++ == 0)
                inspection.subtitleCodec = avcodec_get_name(parameters->codec_id);
        }
    }
    AVPacket* packet = av_packet_alloc();
    while (av_read_frame(context, packet) >= 0) {
        const AVStream* stream = context->streams[packet->stream_index];
        int64_t start = packet->pts != AV_NOPTS_VALUE ? packet->pts : packet->dts;
        if (start != AV_NOPTS_VALUE && !(stream->disposition & AV_DISPOSITION_ATTACHED_PIC)) {
            int64_t first = stream->start_time != AV_NOPTS_VALUE ? stream->start_time : 0;
            double end =
                static_cast<double>(start - first + packet->duration) * av_q2d(stream->time_base);
            inspection.seconds = std::max(inspection.seconds, end);
        }
        av_packet_unref(packet);
    }
    av_packet_free(&packet);
    avformat_close_input(&context);
    return inspection;
}

bool DecodesCleanly(const std::string& path) {
    ProcessResult result =
        RunProcess({"ffmpeg", "-nostdin", "-v", "error", "-i", path, "-f", "null", "-"});
    return result.exitCode == 0 && result.output.empty();
}

} // namespace kiv::test
