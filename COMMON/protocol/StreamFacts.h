#pragma once
// The streams of a source, one record each, as the media library reads them
// for enc: enc fits the lines of today's formats to what the source really
// holds. Two more C entry points of libkiv_media.so, loaded on demand.

namespace kiv {

enum class StreamType { Video = 0, Audio = 1, Subtitle = 2, Data = 3, Attachment = 4, Other = 5 };

struct StreamFacts {
    int index = 0;           // the stream's number in the file (#0:index)
    int type = 5;            // a StreamType
    char codec[32] = {};     // libavcodec's name ("h264", "subrip", "hdmv_pgs_subtitle")
    int attachedPicture = 0; // cover art shown as a video stream
    int textSubtitle = 0;    // a subtitle made of text (not pictures)
    int bitsPerSample = 0;   // video: the deepest component of the pixel format (8, 10, 12)
    int hdr = 0;             // video: PQ or HLG transfer (HDR10, HLG)
    int rotation = 0;        // video: degrees the picture is turned when shown (0, 90, 180, 270)
    int emptyTrack = 0;      // audio: no packet where the other tracks have theirs (holds nothing)
};

// Room enough for the streams of most files.
inline constexpr int kMostStreams = 64;

// Fills up to capacity records; returns the number of streams (which may be
// more than capacity: ask again with room for all), negative when the file
// cannot be read.
inline constexpr const char* kListStreamsEntry = "kiv_list_streams";
using ListStreamsFunction = int (*)(const char* path, StreamFacts* streams, int capacity);

// Whether FFmpeg's muxer of that name can hold the codec of that name: 1 yes,
// 0 no, negative when either name is unknown.
inline constexpr const char* kContainerHoldsEntry = "kiv_container_holds";
using ContainerHoldsFunction = int (*)(const char* format, const char* codec);

} // namespace kiv
