#pragma once
// The media detector, loaded from the program directory when first needed:
// conversions never pay for loading libavformat.

#include "MediaDetector.h"

#include <string>

namespace kiv::enc {

// Name of the detector library beside the programs.
inline constexpr const char* kMediaLibrary = "libkiv_media.so";

// DetectMedia through the loaded library; a library that cannot be loaded
// reads as an unreadable file.
int DetectMediaOnDemand(const std::string& path, MediaFacts& facts);

} // namespace kiv::enc
