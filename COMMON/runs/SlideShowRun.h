#pragma once
// A slideshow from its first pass to its last, with the same rules in every
// front end (as the batch loop is for conversions): the show checked before
// anything is written, the four passes in order, a stop honoured between
// them, the result judged, and the work folder removed on every way out.

#include "CEncoderCntl.h"
#include "slideshow/SlideShow.h"

#include <string>

namespace kiv {

// The two steps a front end shows progress for: the pictures prepared
// (passes 1 and 2) and the show encoded (passes 3 and 4).
enum class SlideShowStep { Pictures, Show };

// What the show tells its front end, on the thread that runs the show.
class SlideShowEvents {
public:
    virtual ~SlideShowEvents() = default;
    virtual void StepBegins(SlideShowStep step) = 0;
    virtual void StepEnds(SlideShowStep step, ConvertOutcome outcome) = 0;
};

enum class SlideShowEnd {
    Done,    // the show's file is written
    Stopped, // a stop ended it; outputPath names what was kept, if anything
             // (the show's name with " (partial)")
    Failed,  // failedStep and reason say what failed and why
};

struct SlideShowResult {
    SlideShowEnd end = SlideShowEnd::Failed;
    std::string failedStep; // "preparing the pictures", ...
    std::string reason;
    std::string outputPath; // the show's file; empty when none was written
};

// Makes the show with the controller's encoder. The show's output prefix
// ends as the output file's path (see SlideShow). A stop
// (CEncoderCntl::StopConvert) ends the running pass early; one that comes
// between two passes ends the show before the next. A stop from before the
// call is not for this show.
SlideShowResult RunSlideShow(CEncoderCntl& controller, SlideShow& show, SlideShowEvents& events);

} // namespace kiv
