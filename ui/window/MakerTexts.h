#pragma once
// Who makes the program and where users write to, in one place. Neutral
// texts: the project's own names, no person's or company's.

namespace kiv {

// Ends the messages that ask the user to report a problem.
inline constexpr char kSupportAddress[] = "support@kiv-video-converter.example";

// The two lines under the version in the About box.
inline constexpr char kMakerLine[] = "Made by the Kiv Video Converter project";
inline constexpr char kMakerNote[] = "Converts video and audio for players and phones";

// The main window's two links, both to pages shipped in help/ beside the
// program, so that they work without a network and never go dead.
inline constexpr char kWebSiteLinkText[] = "Kiv Video Converter Home Page";
inline constexpr char kWebSitePage[] = "help/index.html";
inline constexpr char kFaqLinkText[] = "Online FAQ";
inline constexpr char kFaqPage[] = "help/faq.html";

} // namespace kiv
