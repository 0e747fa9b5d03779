#include "media/CropDetection.h"

#include "media/OpenedMedia.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <mutex>
#include <sys/stat.h>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavfilter/buffersink.h>
#include <libavfilter/buffersrc.h>
#include <libavutil/display.h>
#include <libavutil/opt.h>
}

namespace kiv {

namespace {

// Packets read after a seek before giving up on a sample (a key frame is
// never that far away in a file a player can seek in).
constexpr int kMostPacketsPerSample = 600;

// Each picture is measured alone (reset after every frame, none skipped);
// sides are found to the pixel (rounding is done here, always towards
// keeping more). A line is black when its mean is below 7 % of the range
// (17.9 of 255): a letterbox bar is video black (16) to a pixel, while the
// dark edges of a night scene lie above it (cropdetect's own 24 would cut
// into them).
constexpr const char* kCropDetectOptions = "limit=0.07:round=2:reset=1:skip=0";

struct Bars {
    int left = 0, top = 0, right = 0, bottom = 0;
};

struct Graph {
    AVFilterGraph* graph = nullptr;
    AVFilterContext* source = nullptr;
    AVFilterContext* sink = nullptr;
    int width = 0, height = 0, format = -1;
    ~Graph() { avfilter_graph_free(&graph); }

    bool Fits(const AVFrame* frame) const {
        return graph && frame->width == width && frame->height == height && frame->format == format;
    }
    bool Make(const AVFrame* frame) {
        avfilter_graph_free(&graph);
        graph = avfilter_graph_alloc();
        if (!graph)
            return false;
        graph->nb_threads = 1;
        width = frame->width;
        height = frame->height;
        format = frame->format;
        char arguments[160];
        std::snprintf(arguments, sizeof arguments,
                      "video_size=%dx%d:pix_fmt=%d:time_base=1/90000:pixel_aspect=1/1", width,
                      height, format);
        AVFilterContext* detect = nullptr;
        if (avfilter_graph_create_filter(&source, avfilter_get_by_name("buffer"), "in", arguments,
                                         nullptr, graph) < 0 ||
            avfilter_graph_create_filter(&sink, avfilter_get_by_name("buffersink"), "out", nullptr,
                                         nullptr, graph) < 0 ||
            avfilter_graph_create_filter(&detect, avfilter_get_by_name("cropdetect"), "detect",
                                         kCropDetectOptions, nullptr, graph) < 0 ||
            avfilter_link(source, 0, detect, 0) < 0 || avfilter_link(detect, 0, sink, 0) < 0 ||
            avfilter_graph_config(graph, nullptr) < 0) {
            avfilter_graph_free(&graph);
            return false;
        }
        return true;
    }
};

int MetadataNumber(const AVFrame* frame, const char* key, int fallback) {
    const AVDictionaryEntry* entry = av_dict_get(frame->metadata, key, nullptr, 0);
    return entry ? std::atoi(entry->value) : fallback;
}

// The frame's lit area through cropdetect: false when the whole picture is
// black (or the graph fails).
bool LitArea(Graph& graph, AVFrame* frame, int& x1, int& y1, int& x2, int& y2) {
    if (!graph.Fits(frame) && !graph.Make(frame))
        return false;
    frame->pts = 0;
    if (av_buffersrc_add_frame_flags(graph.source, frame, AV_BUFFERSRC_FLAG_KEEP_REF) < 0)
        return false;
    AVFrame* measured = av_frame_alloc();
    bool got = measured && av_buffersink_get_frame(graph.sink, measured) >= 0;
    if (got) {
        x1 = MetadataNumber(measured, "lavfi.cropdetect.x1", 1);
        x2 = MetadataNumber(measured, "lavfi.cropdetect.x2", 0);
        y1 = MetadataNumber(measured, "lavfi.cropdetect.y1", 1);
        y2 = MetadataNumber(measured, "lavfi.cropdetect.y2", 0);
    }
    av_frame_free(&measured);
    return got && x2 >= x1 && y2 >= y1;
}

// The first key frame at or after the seek point.
bool DecodeKeyFrame(AVFormatContext* format, AVCodecContext* decoder, int stream, AVFrame* frame) {
    AVPacket* packet = av_packet_alloc();
    if (!packet)
        return false;
    bool got = false;
    for (int n = 0; n < kMostPacketsPerSample && !got;) {
        int read = av_read_frame(format, packet);
        if (read < 0) {
            avcodec_send_packet(decoder, nullptr); // drain what is held
            got = avcodec_receive_frame(decoder, frame) >= 0;
            break;
        }
        if (packet->stream_index == stream) {
            ++n;
            avcodec_send_packet(decoder, packet);
            got = avcodec_receive_frame(decoder, frame) >= 0;
        }
        av_packet_unref(packet);
    }
    av_packet_free(&packet);
    return got;
}

Bars Turned(const Bars& stored, int clockwise) {
    switch (clockwise) {
    case 90:
        return {stored.bottom, stored.left, stored.top, stored.right};
    case 180:
        return {stored.right, stored.bottom, stored.left, stored.top};
    case 270:
        return {stored.top, stored.right, stored.bottom, stored.left};
    default:
        return stored;
    }
}

// The picture's length: the stream's own, or Matroska's tag of it, before
// the file's (which a stray subtitle can make far too long).
double PictureSeconds(const AVFormatContext* format, const AVStream* video) {
    if (video->duration != AV_NOPTS_VALUE && video->duration > 0)
        return static_cast<double>(video->duration) * av_q2d(video->time_base);
    if (const AVDictionaryEntry* tag = av_dict_get(video->metadata, "DURATION", nullptr, 0)) {
        int hours = 0, minutes = 0;
        double seconds = 0;
        if (std::sscanf(tag->value, "%d:%d:%lf", &hours, &minutes, &seconds) == 3)
            return hours * 3600.0 + minutes * 60.0 + seconds;
    }
    return format->duration > 0 ? double(format->duration) / AV_TIME_BASE : 0;
}

BlackBars Detect(const std::string& path, int samples) {
    BlackBars result;
    OpenedMedia media(path);
    AVFormatContext* format = media.Format();
    if (!format)
        return result;
    const AVCodec* codec = nullptr;
    int stream = av_find_best_stream(format, AVMEDIA_TYPE_VIDEO, -1, -1, &codec, 0);
    if (stream < 0 || !codec ||
        (format->streams[stream]->disposition & AV_DISPOSITION_ATTACHED_PIC))
        return result;
    AVStream* video = format->streams[stream];
    AVCodecContext* decoder = avcodec_alloc_context3(codec);
    AVFrame* frame = av_frame_alloc();
    Graph graph;
    bool ready = decoder && frame && avcodec_parameters_to_context(decoder, video->codecpar) >= 0;
    if (ready) {
        decoder->skip_frame = AVDISCARD_NONKEY; // key frames alone: nothing in between
        decoder->thread_count = 1;
        ready = avcodec_open2(decoder, codec, nullptr) >= 0;
    }
    double seconds = PictureSeconds(format, video);
    int width = video->codecpar->width;
    int height = video->codecpar->height;
    int left = width, top = height, right = -1, bottom = -1; // the lit area's union
    for (int i = 0; ready && i < samples && width > 0 && height > 0; ++i) {
        double at = seconds * (i + 0.5) / samples;
        std::int64_t timestamp = av_rescale_q(static_cast<std::int64_t>(at * AV_TIME_BASE),
                                              AV_TIME_BASE_Q, video->time_base);
        if (video->start_time != AV_NOPTS_VALUE)
            timestamp += video->start_time;
        if (av_seek_frame(format, stream, timestamp, AVSEEK_FLAG_BACKWARD) < 0 && i > 0)
            break;
        avcodec_flush_buffers(decoder);
        if (!DecodeKeyFrame(format, decoder, stream, frame))
            continue;
        ++result.samples;
        int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
        if (frame->width == width && frame->height == height &&
            LitArea(graph, frame, x1, y1, x2, y2)) {
            ++result.lit;
            left = std::min(left, x1);
            top = std::min(top, y1);
            right = std::max(right, x2);
            bottom = std::max(bottom, y2);
        }
        av_frame_unref(frame);
    }
    av_frame_free(&frame);
    avcodec_free_context(&decoder);
    if (result.samples == 0)
        return result;
    result.readable = true;
    // FFmpeg turns the picture back by the player's turn, to the nearest quarter.
    int turn = ((360 - RotationOf(video)) % 360 + 45) / 90 % 4 * 90;
    bool across = turn == 90 || turn == 270;
    result.width = across ? height : width;
    result.height = across ? width : height;
    // One lit picture may be a dark scene's one lamp: it takes two to tell.
    if (result.lit < 2)
        return result;
    // Each bar rounded down to even, so the box never reaches into the
    // picture and its sides and corner stay even for 4:2:0.
    Bars stored{left & ~1, top & ~1, (width - 1 - right) & ~1, (height - 1 - bottom) & ~1};
    Bars shown = Turned(stored, turn);
    if (shown.left + shown.top + shown.right + shown.bottom == 0)
        return result;
    result.keep = CropBox{result.width - shown.left - shown.right,
                          result.height - shown.top - shown.bottom, shown.left, shown.top};
    return result;
}

} // namespace

BlackBars FindBlackBars(const std::string& path, int samples) {
    static std::mutex mutex;
    static std::map<std::string, BlackBars> found;
    struct stat info {};
    if (stat(path.c_str(), &info) != 0)
        return {};
    std::string key = path + "|" + std::to_string(samples) + "|" + std::to_string(info.st_size) +
                      "|" + std::to_string(info.st_mtim.tv_sec) + "." +
                      std::to_string(info.st_mtim.tv_nsec);
    {
        std::lock_guard lock(mutex);
        if (auto known = found.find(key); known != found.end())
            return known->second;
    }
    BlackBars bars = Detect(path, samples);
    if (bars.readable) {
        std::lock_guard lock(mutex);
        found[key] = bars;
    }
    return bars;
}

} // namespace kiv
