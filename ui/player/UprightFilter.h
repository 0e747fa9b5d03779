#pragma once
// Phone videos store their picture lying on its side and say in a display
// matrix how to turn it. libmpv 0.35's software renderer cannot turn a
// picture by 90 or 270 degrees itself (it aborts on such files), and leaves
// one that should be turned by 180 degrees upside down. So the player turns
// libmpv's own rotation off and turns the picture with a video filter,
// chosen here before the file is loaded.
//
//     UprightFilter(90)  == "transpose=cclock"   // ffprobe's "rotation of 90"
//     UprightFilter(270) == "transpose=clock"    // and of -90
//     UprightFilter(180) == "hflip,vflip"
//     UprightFilter(0)   == ""

#include <string>

namespace kiv {

// The libavfilter chain that shows a picture upright whose display matrix
// turns it by rotationDegrees counter-clockwise (0 to 359, as the media
// library reads it); empty when none is needed or the angle is not a
// quarter turn.
std::string UprightFilter(int rotationDegrees);

// The turn of the file's first video stream that is not cover art, read
// from its display matrix; 0 when there is none or the file cannot be read.
int VideoRotationOf(const std::string& path);

} // namespace kiv
