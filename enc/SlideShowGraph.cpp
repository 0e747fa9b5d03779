#include "SlideShowGraph.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <map>

namespace kiv::enc {

namespace {

constexpr int kFitWidth = 576;
constexpr int kFitHeight = 462;
constexpr int kRate = 25;

// The scripts' mlif: down to a multiple of 4 (never below 4 here, so that a
// very long, thin picture still has a drawable side).
int Mlif(float value) {
    return std::max(4, static_cast<int>(value / 4) * 4);
}

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

std::string Label(const char* stem, std::size_t a, std::size_t b = 0) {
    std::string label(1, '[');
    label += stem;
    label += std::to_string(a);
    label += '_';
    label += std::to_string(b);
    label += ']';
    return label;
}

// "[n:v]": the video of input n.
std::string InputLabel(std::size_t input) {
    std::string label(1, '[');
    label += std::to_string(input);
    label += ":v]";
    return label;
}

// Builds the show's pieces: each held picture is one use of its input's
// split, looped to its length.
class ShowPieces {
public:
    explicit ShowPieces(const ShowScriptFacts& facts) {
        for (const ShowSegment& segment : facts.segments) {
            Count(segment.first);
            if (segment.transition)
                Count(segment.second);
        }
    }

    const std::vector<int>& Inputs() const { return inputs_; }

    std::string Splits() const {
        std::string text;
        for (std::size_t i = 0; i < inputs_.size(); ++i) {
            text += InputLabel(i) + "format=yuv420p,split=" + std::to_string(uses_.at(inputs_[i]));
            for (int use = 0; use < uses_.at(inputs_[i]); ++use)
                text += Label("p", i, static_cast<std::size_t>(use));
            text += ";";
        }
        return text;
    }

    // A chain that holds the picture for its frames; returns its label.
    std::string Hold(const HeldPicture& held, std::string& graph) {
        std::size_t input = static_cast<std::size_t>(
            std::find(inputs_.begin(), inputs_.end(), held.picture) - inputs_.begin());
        int use = next_[held.picture]++;
        std::string label = Label("c", ++clips_);
        graph += Label("p", input, static_cast<std::size_t>(use)) +
                 "loop=loop=" + std::to_string(held.frames - 1) + ":size=1:start=0,setpts=N/" +
                 std::to_string(kRate) + "/TB" + label + ";";
        return label;
    }

private:
    std::vector<int> inputs_;
    std::map<int, int> uses_;
    std::map<int, int> next_;
    std::size_t clips_ = 0;

    void Count(const HeldPicture& held) {
        if (held.frames <= 0)
            return;
        if (uses_[held.picture]++ == 0)
            inputs_.push_back(held.picture);
    }
};

} // namespace

FittedSize FitPicture(int width, int height) {
    float w = static_cast<float>(width);
    float h = static_cast<float>(height);
    if (w > kFitWidth) {
        h = static_cast<float>(Mlif(h * kFitWidth / w));
        w = kFitWidth;
    }
    if (h > kFitHeight) {
        w = static_cast<float>(Mlif(w * kFitHeight / h));
        h = kFitHeight;
    }
    if (static_cast<int>(w) == width && static_cast<int>(h) == height)
        return FittedSize{width, height, false};
    return FittedSize{Mlif(w), Mlif(h), true};
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

std::string FrameSeconds(long long frames) {
    long long hundredths = frames * 100 / kRate;
    char text[48];
    std::snprintf(text, sizeof text, "%lld.%02lld", hundredths / 100, hundredths % 100);
    return text;
}

int ImagePassFrameCount(int pictureCount, int firstFrame, int lastFrame) {
    // The prepared clip has pictureCount + 1 frames (0 .. pictureCount).
    int last = std::min(lastFrame, pictureCount);
    return last >= firstFrame ? last - firstFrame + 1 : 0;
}

std::string ImagePassGraph(const std::vector<PictureSize>& pictures, int firstFrame,
                           int lastFrame) {
    int count = static_cast<int>(pictures.size());
    int frames = ImagePassFrameCount(count, firstFrame, lastFrame);
    std::map<int, int> uses; // picture -> frames that show it
    for (int f = firstFrame; f < firstFrame + frames; ++f)
        ++uses[std::max(f, 1)];

    std::string graph = "[0:v]scale=" + std::to_string(kShowWidth) + ":" +
                        std::to_string(kShowHeight) +
                        ":flags=lanczos,split=" + std::to_string(uses.size());
    for (const auto& [picture, n] : uses)
        graph += Label("b", static_cast<std::size_t>(picture));
    graph += ";";
    for (const auto& [picture, n] : uses) {
        const PictureSize& size = pictures[static_cast<std::size_t>(picture - 1)];
        FittedSize fitted = FitPicture(size.width, size.height);
        int x = kShowWidth / 2 - fitted.width / 2;
        int y = kShowHeight / 2 - fitted.height / 2;
        std::string fg = Label("f", static_cast<std::size_t>(picture));
        graph += InputLabel(static_cast<std::size_t>(picture)) + "trim=end_frame=1,";
        if (fitted.scaled)
            graph += "scale=" + std::to_string(fitted.width) + ":" + std::to_string(fitted.height) +
                     ":flags=lanczos,";
        graph += "format=rgba" + fg + ";";
        graph += Label("b", static_cast<std::size_t>(picture)) + fg +
                 "overlay=x=" + std::to_string(x) + ":y=" + std::to_string(y) +
                 ":format=rgb,split=" + std::to_string(n);
        for (int use = 0; use < n; ++use)
            graph += Label("o", static_cast<std::size_t>(picture), static_cast<std::size_t>(use));
        graph += ";";
    }
    std::map<int, int> taken;
    for (int f = firstFrame; f < firstFrame + frames; ++f) {
        int picture = std::max(f, 1);
        graph += Label("o", static_cast<std::size_t>(picture),
                       static_cast<std::size_t>(taken[picture]++));
    }
    graph += "concat=n=" + std::to_string(frames) + ":v=1:a=0,format=bgr24[out]";
    return graph;
}

ShowGraph ShowPassGraph(const ShowScriptFacts& facts, bool withMusic, std::string_view audioFilters,
                        std::string_view subtitleFile) {
    ShowPieces pieces(facts);
    ShowGraph result;
    result.pictureInputs = pieces.Inputs();
    std::string chains;
    std::vector<std::string> parts;
    int transitions = 0;
    for (const ShowSegment& segment : facts.segments) {
        int overlap = segment.DrawnOverlap();
        if (overlap == 0) { // a hold, or a transition without frames: a cut
            if (segment.first.frames > 0)
                parts.push_back(pieces.Hold(segment.first, chains));
            if (segment.transition && segment.second.frames > 0)
                parts.push_back(pieces.Hold(segment.second, chains));
            continue;
        }
        std::string outgoing = pieces.Hold(segment.first, chains);
        std::string incoming = pieces.Hold(segment.second, chains);
        std::string label = "[x" + std::to_string(++transitions) + "]";
        chains += outgoing + incoming +
                  "xfade=transition=" + XfadeTransitionFor(segment.scriptName) +
                  ":duration=" + FrameSeconds(overlap) +
                  ":offset=" + FrameSeconds(segment.first.frames - overlap) + label + ";";
        parts.push_back(label);
    }

    std::string video;
    for (const std::string& part : parts)
        video += part;
    video += "concat=n=" + std::to_string(parts.size()) + ":v=1:a=0";
    if (facts.leadingTrim > 0)
        video += ",trim=start_frame=" + std::to_string(facts.leadingTrim) + ",setpts=PTS-STARTPTS";
    if (!subtitleFile.empty())
        video += ",subtitles=filename=" + FilterGraphPath(subtitleFile);
    video += "[v]";

    long long samples = static_cast<long long>(facts.TotalFrames()) * kShowSampleRate / kRate;
    std::string sound = withMusic ? "[" + std::to_string(result.pictureInputs.size()) +
                                        ":a]aresample=" + std::to_string(kShowSampleRate) +
                                        ",aformat=channel_layouts=stereo,"
                                  : "anullsrc=r=" + std::to_string(kShowSampleRate) + ":cl=stereo,";
    sound += "atrim=end_sample=" + std::to_string(samples) + ",asetpts=PTS-STARTPTS";
    if (!audioFilters.empty())
        sound += "," + std::string(audioFilters);
    sound += "[a]";

    result.graph = pieces.Splits() + chains + video + ";" + sound;
    return result;
}

} // namespace kiv::enc
