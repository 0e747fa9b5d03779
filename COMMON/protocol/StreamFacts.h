#pragma once
// The streams of a source, one record each, as the media library reads them
// for enc: enc fits the lines of today's formats to what the source really
// holds. Two more C entry points of libkiv_media.so, loaded on demand.

namespace kiv {

enum class StreamType { Video = 0, Audio = 1, Subtitle = 2, Data = 3, Attachment = 4, Other = 5 };

// How a video stream's pictures are scanned, as the stream says.
enum class FieldOrder { Unknown = 0, Progressive = 1, TopFirst = 2, BottomFirst = 3 };

// HDR10's static metadata: the mastering display (SMPTE ST 2086) in x265's
// units (chromaticities in 1/50000, luminance in 1/10000 cd/m2) and the
// content light levels (CTA-861.3) in cd/m2.
struct HdrTenFacts {
    int hasMasteringDisplay = 0;
    int green[2] = {};
    int blue[2] = {};
    int red[2] = {};
    int whitePoint[2] = {};
    int maxLuminance = 0;
    int minLuminance = 0;
    int hasLightLevel = 0;
    int maxContentLight = 0;
    int maxAverageLight = 0;
};

struct StreamFacts {
    int index = 0;           // the stream's number in the file (#0:index)
    int type = 5;            // a StreamType
    char codec[32] = {};     // libavcodec's name ("h264", "subrip", "hdmv_pgs_subtitle")
    int attachedPicture = 0; // cover art shown as a video stream
    int textSubtitle = 0;    // a subtitle made of text (not pictures)
    int defaultTrack = 0;    // marked to be played (or shown) by default
    int forcedTrack = 0;     // a subtitle shown even when subtitles are off
    double seconds = 0;      // the stream's length, else the file's; 0 unknown
    int bitsPerSample = 0;   // video: the deepest component of the pixel format (8, 10, 12)
    int hdr = 0;             // video: PQ or HLG transfer (HDR10, HLG)
    int rotation = 0;        // video: degrees the picture is turned when shown (0, 90, 180, 270)
    int width = 0;           // video: the stored picture's size
    int height = 0;
    double frameRate = 0; // video: frames a second, 0 unknown
    int fieldOrder = 0;   // video: a FieldOrder
    HdrTenFacts hdrTen;   // video: from the stream, else from its first picture
    int channels = 0;     // audio
    char layout[32] = {}; // audio: the channel layout ("5.1(side)", "stereo")
    // Audio: the title and artist a player shows for the file: the file's
    // tags, else this stream's (Ogg keeps them with the stream).
    char title[128] = {};
    char artist[128] = {};
    char language[16] = {}; // the stream's language tag as the file writes it ("ger", "deu")
    char name[128] = {};    // the stream's own title ("Director's comments")
    int emptyTrack = 0;     // audio: no packet where the other tracks have theirs (holds nothing)
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
