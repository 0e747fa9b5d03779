#pragma once
// The picture a slideshow is drawn on: the output's own frame size, frame
// rate and display shape, read from the show's encoding line. The show is
// drawn once at the size the file gets, its motion at the rate the file
// plays at, and every picture in its true proportions on screen whatever
// shape the output's pixels have (a 4:3 DVD frame of 720 x 576 has pixels
// 16/15 as wide as they are high).

#include "FfmpegPlan.h"

#include <string>
#include <string_view>

namespace kiv::enc {

struct ShowGeometry {
    int width = 720;
    int height = 576;
    std::string rateText = "25"; // the frame rate as the line gives it, for FFmpeg
    double rate = 25;            // frames per second
    // The shape of a pixel: its displayed width over its height.
    int pixelAspectNum = 1;
    int pixelAspectDen = 1;

    double PixelAspect() const { return double(pixelAspectNum) / pixelAspectDen; }
    // The frame's width as displayed at its own height.
    int DisplayWidth() const;
};

// From the line's -s, -r and -aspect, with the -target norm's size and
// rate where the line gives none, and 720 x 576 at 25 frames per second
// where neither does. Without -aspect the pixels are square.
ShowGeometry ShowGeometryOf(const FfmpegPlan& plan);

// A display aspect text ("4:3", "16/9", "1.7778") as a number; 0 when it is
// none.
double AspectValue(std::string_view text);

} // namespace kiv::enc
