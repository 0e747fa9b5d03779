#include "SlideShowGraph.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <map>

namespace kiv::enc {

namespace {

// Pictures fill at most four fifths of the frame's width and height, as the
// image script's 576 x 462 do on its 720 x 576 frame.
constexpr double kFillShare = 0.8;
// --pan-zoom: pictures are drawn this many times larger before they move,
// so that the crop's steps of whole pixels become quarter pixels.
constexpr int kMotionOversampling = 4;
constexpr const char* kCaptionFont = "serif";

struct TransitionName {
    std::string_view script;
    const char* xfade;
};

// xfade's wipes uncover the new picture from one edge or corner (wipeleft:
// from the east); its slides push the old picture out (slideright: towards
// the east); its diagonals shrink the old picture into a corner.
constexpr std::array<TransitionName, 14> kTransitions = {{
    {"InCenter.avs", "circleopen"},
    {"OutCenter.avs", "circleclose"},
    {"OutEast.avs", "slideright"},
    {"InEast.avs", "wipeleft"},
    {"InNE.avs", "wipebl"},
    {"OutNE.avs", "diagtr"},
    {"OutNorth.avs", "slideup"},
    {"InNorth.avs", "wipedown"},
    {"InSouth.avs", "wipeup"},
    {"OutSouth.avs", "slidedown"},
    {"OutWest.avs", "slideleft"},
    {"InWest.avs", "wiperight"},
    {"InSW.avs", "wipetr"},
    {"OutSE.avs", "diagbr"},
}};

std::string Escaped(std::string_view text, std::string_view special) {
    std::string result;
    for (char c : text) {
        if (special.find(c) != std::string_view::npos)
            result += '\\';
        result += c;
    }
    return result;
}

std::string N(long long value) {
    return std::to_string(value);
}

int Even(double value) {
    return std::max(2, 2 * static_cast<int>(std::lround(value / 2)));
}

// Appended piece by piece: GCC 12 misjudges "[" + string as overlapping.
std::string Label(const char* stem, std::size_t a, std::size_t b = 0) {
    std::string label = "[";
    label += stem;
    label += std::to_string(a);
    label += '_';
    label += std::to_string(b);
    label += ']';
    return label;
}

// "[n:v]": the video of input n.
std::string InputLabel(std::size_t input) {
    std::string label = "[";
    label += std::to_string(input);
    label += ":v]";
    return label;
}

// The slow move of --pan-zoom over a picture's time on screen: the zoom
// grows or shrinks by 6 % while the view drifts; which way depends on the
// picture, so that neighbours move differently.
struct Motion {
    std::string zoom, x, y;
};
Motion MotionFor(const PicturePart& part) {
    std::string progress =
        "min(1,(" + N(part.motionStart) + "+on)/" + N(std::max(1LL, part.motionSpan - 1)) + ")";
    std::string spareX = "(iw-iw/zoom)";
    std::string spareY = "(ih-ih/zoom)";
    std::string zoomIn = "1+0.06*" + progress;
    std::string zoomOut = "1.06-0.06*" + progress;
    switch (part.picture % 4) {
    case 0:
        return {zoomIn, spareX + "/2", spareY + "/2"};
    case 1:
        return {zoomOut, spareX + "*" + progress, spareY + "/2"};
    case 2:
        return {zoomIn, spareX + "*(1-" + progress + ")", spareY + "*(1-" + progress + ")"};
    default:
        return {zoomOut, spareX + "/2", spareY + "*" + progress};
    }
}

// Builds a producer's graph: every part is one chain from a copy of the
// background and a copy of its picture.
class ProducerBuilder {
public:
    ProducerBuilder(const ProducerGraphPlan& plan, const ShowGeometry& geometry)
        : plan_(plan), geometry_(geometry) {}

    std::string Build(const ShowTimeline& timeline) {
        std::vector<std::string> pieces;
        for (std::size_t i = plan_.first; i < plan_.end; ++i) {
            const ShowPiece& piece = timeline.pieces[i];
            if (!piece.transition || piece.overlap == 0) {
                for (const PicturePart* part : {&piece.first, &piece.second}) {
                    if (part->frames > 0 && (part == &piece.first || piece.transition))
                        pieces.push_back(Part(*part));
                }
                continue;
            }
            std::string outgoing = Part(piece.first, true);
            std::string incoming = Part(piece.second, true);
            std::string label = Label("x", i);
            parts_ +=
                outgoing + incoming + "xfade=transition=" + XfadeTransitionFor(piece.scriptName) +
                ":duration=" + FrameSeconds(piece.overlap, geometry_.rate) +
                ":offset=" + FrameSeconds(piece.first.frames - piece.overlap, geometry_.rate) +
                ",format=yuv420p" + label + ";";
            pieces.push_back(label);
        }
        std::string graph = Inputs();
        graph += parts_;
        for (const std::string& piece : pieces)
            graph += piece;
        graph += "concat=n=" + N(static_cast<long long>(pieces.size())) + ":v=1:a=0";
        if (plan_.trimFrames > 0)
            graph += ",trim=start_frame=" + N(plan_.trimFrames) + ",setpts=PTS-STARTPTS";
        graph += ",format=yuv420p[out]";
        return graph;
    }

private:
    const ProducerGraphPlan& plan_;
    const ShowGeometry& geometry_;
    std::string parts_;
    std::size_t backgrounds_ = 0;
    std::map<std::size_t, std::size_t> uses_; // input -> copies taken

    std::size_t InputOf(int picture) const {
        auto at = std::find(plan_.pictures.begin(), plan_.pictures.end(), picture);
        return static_cast<std::size_t>(at - plan_.pictures.begin());
    }

    PictureSize Fitted(std::size_t input) const {
        PictureSize size = input < plan_.sizes.size() ? plan_.sizes[input] : PictureSize{2, 2};
        return FitOnFrame(size, geometry_);
    }

    // One part's chain; returns its label. Parts that a transition blends
    // are drawn in yuv444p, the format FFmpeg's xfade works in, so that
    // only the blended frames are converted back; held parts stay in the
    // output's yuv420p throughout.
    std::string Part(const PicturePart& part, bool blended = false) {
        std::size_t input = InputOf(part.picture);
        std::size_t copy = uses_[input]++;
        std::size_t number = backgrounds_++;
        std::string background = Label("b", number);
        std::string picture = Label("p", input, copy);
        std::string label = Label("c", number);
        PictureSize fitted = Fitted(input);
        std::string at = "x=" + N((geometry_.width - fitted.width) / 2 / 2 * 2) +
                         ":y=" + N((geometry_.height - fitted.height) / 2 / 2 * 2);
        std::string hold = "loop=loop=" + N(part.frames - 1) + ":size=1:start=0,setpts=N";
        std::string format = blended ? "yuv444" : "yuv420";
        at += ":format=" + format + ",format=" + format + "p";
        if (!plan_.panZoom) {
            parts_ += background + picture + "overlay=" + at + "," + hold + label + ";";
            return label;
        }
        Motion motion = MotionFor(part);
        std::string moving = Label("m", number);
        std::string held = Label("h", number);
        parts_ += picture + "zoompan=z='" + motion.zoom + "':x='" + motion.x + "':y='" + motion.y +
                  "':d=" + N(part.frames) + ":s=" + N(fitted.width) + "x" + N(fitted.height) +
                  ":fps=" + geometry_.rateText + moving + ";";
        parts_ += background + hold + held + ";";
        parts_ += held + moving + "overlay=" + at + label + ";";
        return label;
    }

    std::string Inputs() const {
        std::string text = "[0:v]scale=" + N(geometry_.width) + ":" + N(geometry_.height) +
                           ":flags=lanczos,setsar=1,format=yuv420p,split=" +
                           N(static_cast<long long>(backgrounds_));
        for (std::size_t i = 0; i < backgrounds_; ++i)
            text += Label("b", i);
        text += ";";
        for (const auto& [input, copies] : uses_) {
            PictureSize fitted = Fitted(input);
            int scale = plan_.panZoom ? kMotionOversampling : 1;
            text += InputLabel(input + 1) + "scale=" + N(fitted.width * scale) + ":" +
                    N(fitted.height * scale) + ":flags=lanczos,setsar=1,format=yuva420p,split=" +
                    N(static_cast<long long>(copies));
            for (std::size_t copy = 0; copy < copies; ++copy)
                text += Label("p", input, copy);
            text += ";";
        }
        return text;
    }
};

} // namespace

std::string PrepareChain() {
    return "scale=w='min(iw," + N(kPreparedWidth) + ")':h='min(ih," + N(kPreparedHeight) +
           ")':force_original_aspect_ratio=decrease:force_divisible_by=2:flags=lanczos,setsar=1";
}

int LowresFor(int width, int height, int neededWidth, int neededHeight) {
    int level = 0;
    auto reduced = [](int side, int level) { return (side + (1 << level) - 1) >> level; };
    while (level < 3 && reduced(width, level + 1) >= neededWidth &&
           reduced(height, level + 1) >= neededHeight)
        ++level;
    return level;
}

PictureSize FitOnFrame(PictureSize picture, const ShowGeometry& geometry) {
    double aspect = geometry.PixelAspect();
    double width = std::max(1, picture.width);
    double height = std::max(1, picture.height);
    // In displayed units: a frame pixel is `aspect` wide and 1 high.
    double scale = std::min(
        {1.0, kFillShare * geometry.width * aspect / width, kFillShare * geometry.height / height});
    return PictureSize{std::min(geometry.width, Even(width * scale / aspect)),
                       std::min(geometry.height, Even(height * scale))};
}

const char* XfadeTransitionFor(std::string_view scriptName) {
    for (const TransitionName& entry : kTransitions) {
        if (entry.script == scriptName)
            return entry.xfade;
    }
    return "fade";
}

std::string FilterGraphPath(std::string_view path) {
    return Escaped(Escaped(path, "\\':"), "\\'[],;");
}

int ImagePassFrameCount(int pictureCount, int firstFrame, int lastFrame) {
    // The prepared clip has pictureCount + 1 frames (0 .. pictureCount).
    int last = std::min(lastFrame, pictureCount);
    return last >= firstFrame ? last - firstFrame + 1 : 0;
}

std::string FrameSeconds(long long frames, double rate) {
    char text[64];
    std::snprintf(text, sizeof text, "%.6f", double(frames) / rate);
    return text;
}

std::vector<int> PicturesOf(const ShowTimeline& timeline, std::size_t first, std::size_t end) {
    std::vector<int> pictures;
    auto add = [&pictures](int picture) {
        if (std::find(pictures.begin(), pictures.end(), picture) == pictures.end())
            pictures.push_back(picture);
    };
    for (std::size_t i = first; i < end && i < timeline.pieces.size(); ++i) {
        const ShowPiece& piece = timeline.pieces[i];
        if (piece.first.frames > 0)
            add(piece.first.picture);
        if (piece.transition && piece.second.frames > 0)
            add(piece.second.picture);
    }
    return pictures;
}

std::string ProducerGraph(const ShowTimeline& timeline, const ProducerGraphPlan& plan,
                          const ShowGeometry& geometry) {
    return ProducerBuilder(plan, geometry).Build(timeline);
}

std::string EncoderGraph(const EncoderGraphPlan& plan, const ShowGeometry& geometry) {
    std::string video =
        "[0:v]setsar=" + N(geometry.pixelAspectNum) + "/" + N(geometry.pixelAspectDen);
    if (!plan.subtitleFile.empty())
        video += ",subtitles=filename=" + FilterGraphPath(plan.subtitleFile) +
                 ":original_size=" + N(geometry.DisplayWidth()) + "x" + N(geometry.height) +
                 ":force_style='Fontname=" + kCaptionFont + "'";
    if (!plan.videoFilters.empty())
        video += "," + plan.videoFilters;
    video += "[v]";

    long long samples = std::llround(double(plan.frames) / geometry.rate * kShowSampleRate);
    std::string sound = plan.withMusic ? "[1:a]aresample=" + N(kShowSampleRate) +
                                             ",aformat=channel_layouts=stereo,asetnsamples=n=480:"
                                             "p=0,volume=eval=frame:volume='" +
                                             plan.musicGain + "',"
                                       : "anullsrc=r=" + N(kShowSampleRate) + ":cl=stereo,";
    sound += "atrim=end_sample=" + N(samples) + ",asetpts=PTS-STARTPTS";
    if (!plan.audioFilters.empty())
        sound += "," + plan.audioFilters;
    sound += "[a]";
    return video + ";" + sound;
}

} // namespace kiv::enc
