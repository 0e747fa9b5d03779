#pragma once
// The media library (libkiv_media.so), loaded from the program directory
// when first needed (a conversion reads its source's streams, "-info" the
// file's facts): enc itself links no FFmpeg library, so a slideshow's
// drawing passes never load libavformat.

#include "MediaFacts.h"
#include "StreamFacts.h"

#include <string>
#include <vector>

namespace kiv::enc {

// DetectMedia through the loaded library; a library that cannot be loaded
// reads as an unreadable file.
int DetectMediaOnDemand(const std::string& path, MediaFacts& facts);

// Every stream of the file; false when it cannot be read.
bool ListStreamsOnDemand(const std::string& path, std::vector<StreamFacts>& streams);

// Whether FFmpeg's muxer holds the codec: 1 yes, 0 no, negative unknown.
int ContainerHoldsOnDemand(const std::string& format, const std::string& codec);

} // namespace kiv::enc
