#pragma once
// The media detector, loaded from the program directory when first needed:
// conversions never pay for loading libavformat.

#include "MediaFacts.h"

#include <string>

namespace kiv::enc {

// DetectMedia through the loaded library; a library that cannot be loaded
// reads as an unreadable file.
int DetectMediaOnDemand(const std::string& path, MediaFacts& facts);

} // namespace kiv::enc
