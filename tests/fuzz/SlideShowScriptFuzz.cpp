// Any text handed to enc as a slideshow script: read as either script, its
// timeline drawn at another frame rate and its first producer's graph
// built, without a crash, an overflow or undefined behaviour (the target
// is built with AddressSanitizer and UndefinedBehaviorSanitizer). The
// first bytes of the text are also read as a JPEG's header.

#include "CaptionText.h"
#include "PictureFiles.h"
#include "ShowGeometry.h"
#include "ShowTimeline.h"
#include "SlideShowGraph.h"
#include "SlideShowScriptReader.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

using namespace kiv::enc;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    SlideShowScriptOf(text);
    JpegStoredSize(text);
    JpegOrientation(text);

    std::string error;
    ImageScriptFacts images;
    if (ReadImageScript(text, images, error))
        ImagePassFrameCount(static_cast<int>(images.picturePaths.size()), images.firstFrame,
                            images.lastFrame);

    ShowScriptFacts facts;
    if (!ReadShowScript(text, facts, error))
        return 0;
    WithLiteralCaptions(facts.subtitleText);
    // enc draws only shows up to kLargestFrameCount frames long.
    if (facts.TotalFrames() + facts.leadingTrim > kLargestFrameCount)
        return 0;
    ShowGeometry geometry;
    geometry.rateText = "29.97";
    geometry.rate = 29.97;
    ShowTimeline timeline = TimelineAt(facts, geometry.rate);
    timeline.TotalFrames();
    auto runs = PieceRuns(timeline, 8);
    if (!runs.empty() && runs.front().second - runs.front().first < 64) {
        ProducerGraphPlan plan;
        plan.first = runs.front().first;
        plan.end = runs.front().second;
        plan.pictures = PicturesOf(timeline, plan.first, plan.end);
        plan.sizes.assign(plan.pictures.size(), PictureSize{640, 480});
        plan.panZoom = size % 2 == 0;
        ProducerGraph(timeline, plan, geometry);
    }
    return 0;
}
