#pragma once
// The texts of a slideshow: the image-preparation script, the show script
// and the two encoder command lines. The scripts are AviSynth scripts; enc
// recognises them and draws what they describe with FFmpeg.

#include "slideshow/SlideShow.h"

#include <optional>
#include <string>
#include <string_view>

namespace kiv {

// The fourteen transition scripts in the order the show walks through them.
inline constexpr const char* kTransitionScripts[14] = {
    "InCenter.avs", "OutCenter.avs", "OutEast.avs", "InEast.avs",  "InNE.avs",
    "OutNE.avs",    "OutNorth.avs",  "InNorth.avs", "InSouth.avs", "OutSouth.avs",
    "OutWest.avs",  "InWest.avs",    "InSW.avs",    "OutSE.avs"};

// The name pattern of the show's work folder: the output prefix followed
// directly by "kiv-XXXXXX"; each show's folder has its own six characters
// in place of the X (see PrivateWorkFolder).
std::string SlideShowWorkFolder(const SlideShow& show);
// "kiv.avs" in the work folder.
std::string SlideShowScriptPath(std::string_view workFolder);

// Why a show cannot be scripted, or nothing: no pictures, negative frame
// counts, a text that would break a script string or a quoted command line
// argument (a double quote or a line break in a path or caption), or a
// caption that is not UTF-8 text (it would fail only when the show is
// encoded, after the pictures were prepared).
std::optional<std::string> SlideShowRefusal(const SlideShow& show);

// Pass 1: fits every picture onto the background and writes the results as
// the numbered frame images "aya%06d.ebmp" in the work folder.
std::string ImageScriptText(std::string_view appFolder, std::string_view workFolder,
                            const SlideShow& show);

enum class ShowSound {
    MusicWhenGiven, // the music path's track, or silence when it is empty
    Silent,         // always silence; the loop lengths differ (see the .cpp)
};

// Pass 3: the timeline from the frame images, with transitions, captions and
// the sound track.
std::string ShowScriptText(std::string_view appFolder, std::string_view workFolder,
                           const SlideShow& show, ShowSound sound);

// The transition script that joins picture number `picture` (counted from
// 1, at least 2) to the one before it in a show of `count` pictures.
const char* TransitionScriptFor(int picture, int count);

} // namespace kiv
