#pragma once
// Who makes the program and where users write to, in one place. Neutral
// texts: the project's own names, no person's or company's.

#include <QtGlobal>

namespace kiv {

// Ends the messages that ask the user to report a problem.
inline constexpr char kSupportAddress[] = "support@kiv-video-converter.example";

// The two lines under the version in the About box, shown translated.
inline constexpr char kMakerLine[] =
    QT_TRANSLATE_NOOP("kiv::MainWindow", "Made by the Kiv Video Converter project");
inline constexpr char kMakerNote[] =
    QT_TRANSLATE_NOOP("kiv::MainWindow", "Converts video and audio for players and phones");

// The main window's two links, both to pages shipped in help/ beside the
// program, so that they work without a network and never go dead.
inline constexpr char kWebSiteLinkText[] =
    QT_TRANSLATE_NOOP("kiv::MainWindow", "Kiv Video Converter Home Page");
inline constexpr char kWebSitePage[] = "help/index.html";
inline constexpr char kFaqLinkText[] = QT_TRANSLATE_NOOP("kiv::MainWindow", "Online FAQ");
inline constexpr char kFaqPage[] = "help/faq.html";

} // namespace kiv
