#pragma once
// Every stream of a media file, and which codecs a container holds, read
// with libavformat for enc (through the media library's entry points).

#include "StreamFacts.h"

#include <string>

namespace kiv {

// Fills up to capacity records; the number of streams, negative when the
// file cannot be read. With firstPictures, HDR10 data that only the
// pictures carry is decoded from them (the first picture of such a stream).
int ListStreams(const std::string& path, StreamFacts* streams, int capacity,
                bool firstPictures = false);

// 1 when FFmpeg's muxer named format can hold the codec named codec, 0 when
// not, negative when a name is unknown.
int ContainerHolds(const std::string& format, const std::string& codec);

} // namespace kiv
