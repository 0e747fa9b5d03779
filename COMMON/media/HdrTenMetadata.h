#pragma once
// HDR10's static metadata of a video stream: from the stream's side data
// (MP4's mdcv/clli boxes, Matroska's colour elements), else from the first
// picture (HEVC and AV1 carry it in the bitstream, which only a decoder
// reads).

#include "StreamFacts.h"

extern "C" {
#include <libavformat/avformat.h>
}

namespace kiv {

// Fills facts from the stream of the opened file; with firstPicture, reads
// packets of the file for the first picture when the stream says nothing.
void ReadHdrTenMetadata(AVFormatContext* format, int streamIndex, bool firstPicture,
                        HdrTenFacts& facts);

} // namespace kiv
