#pragma once
// A stop that cuts a conversion short: enc keeps what FFmpeg wrote under a
// partial name (kiv_files' KeepAsPartial), never under the requested name,
// so an earlier file of that name stays as it was, and says where in one
// line of its output, which the engine reads:
//
//     enc: stopped early; what was written is kept as /out/clip (partial).mp4

#include <string>
#include <string_view>

namespace kiv {

// The line for path, with its line feed.
std::string PartialKeptLine(const std::string& path);

// The path such a line names (a trailing line feed is no part of it);
// empty for any other line.
std::string PartialKeptPath(std::string_view line);

} // namespace kiv
