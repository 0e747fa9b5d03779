#pragma once
// The one test of "the encoder wrote something": the engine judges outputs
// and probes sources with it, and enc its temporaries and frames. It lives in
// the library kiv_files, which needs nothing else, so enc links it without
// the engine.

#include <string>

namespace kiv {

// True for a regular file (a link is followed) holding at least one byte.
bool IsNonEmptyFile(const std::string& path);

} // namespace kiv
