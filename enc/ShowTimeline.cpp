#include "ShowTimeline.h"

#include <algorithm>
#include <cmath>
#include <set>

namespace kiv::enc {

namespace {

constexpr double kScriptRate = 25;

// Frame boundaries at the new rate, counted from the start of the show.
class Clock {
public:
    explicit Clock(double rate) : scale_(rate / kScriptRate) {}
    long long At(long long scriptFrame) const {
        return std::llround(double(std::clamp(scriptFrame, 0LL, 4 * kLargestFrameCount)) * scale_);
    }

private:
    double scale_;
};

// Sets where each part lies in its picture's time on screen: a hold and
// the transitions beside it that show the same picture form one stretch.
void SetMotion(std::vector<ShowPiece>& pieces) {
    for (ShowPiece& piece : pieces) {
        for (PicturePart* part : {&piece.first, &piece.second})
            part->motionSpan = part->frames;
    }
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        if (pieces[i].transition)
            continue;
        PicturePart& hold = pieces[i].first;
        PicturePart* incoming = i > 0 && pieces[i - 1].transition ? &pieces[i - 1].second : nullptr;
        PicturePart* outgoing =
            i + 1 < pieces.size() && pieces[i + 1].transition ? &pieces[i + 1].first : nullptr;
        if (incoming && incoming->picture != hold.picture)
            incoming = nullptr;
        if (outgoing && outgoing->picture != hold.picture)
            outgoing = nullptr;
        long long before = incoming ? incoming->frames : 0;
        long long span = before + hold.frames + (outgoing ? outgoing->frames : 0);
        hold.motionStart = before;
        hold.motionSpan = span;
        if (incoming) {
            incoming->motionStart = 0;
            incoming->motionSpan = span;
        }
        if (outgoing) {
            outgoing->motionStart = before + hold.frames;
            outgoing->motionSpan = span;
        }
    }
}

} // namespace

long long ShowPiece::Frames() const {
    return transition ? first.frames + second.frames - overlap : first.frames;
}

long long ShowTimeline::TotalFrames() const {
    long long total = 0;
    for (const ShowPiece& piece : pieces)
        total += piece.Frames();
    return std::max(0LL, total - leadingTrim);
}

ShowTimeline TimelineAt(const ShowScriptFacts& facts, double rate) {
    ShowTimeline timeline;
    timeline.rate = rate;
    Clock clock(rate);
    long long at = 0; // script frames so far
    for (const ShowSegment& segment : facts.segments) {
        ShowPiece piece;
        piece.transition = segment.transition;
        piece.scriptName = segment.scriptName;
        piece.first.picture = segment.first.picture;
        piece.second.picture = segment.second.picture;
        long long start = clock.At(at);
        if (!segment.transition) {
            piece.first.frames = clock.At(at + segment.first.frames) - start;
        } else {
            long long overlap = segment.DrawnOverlap();
            long long blendFrom = clock.At(at + segment.first.frames - overlap);
            long long blendTo = clock.At(at + segment.first.frames);
            long long end = clock.At(at + segment.Frames());
            piece.first.frames = blendTo - start;
            piece.overlap = blendTo - blendFrom;
            piece.second.frames = end - blendFrom;
        }
        at += segment.Frames();
        timeline.pieces.push_back(std::move(piece));
    }
    timeline.leadingTrim = clock.At(facts.leadingTrim);
    SetMotion(timeline.pieces);
    return timeline;
}

std::vector<std::pair<std::size_t, std::size_t>> PieceRuns(const ShowTimeline& timeline,
                                                           int pictures) {
    std::vector<std::pair<std::size_t, std::size_t>> runs;
    std::set<int> seen;
    std::size_t first = 0;
    for (std::size_t i = 0; i < timeline.pieces.size(); ++i) {
        const ShowPiece& piece = timeline.pieces[i];
        std::set<int> with = seen;
        with.insert(piece.first.picture);
        if (piece.transition)
            with.insert(piece.second.picture);
        if (i > first && static_cast<int>(with.size()) > pictures) {
            runs.emplace_back(first, i);
            first = i;
            with.clear();
            with.insert(piece.first.picture);
            if (piece.transition)
                with.insert(piece.second.picture);
        }
        seen = std::move(with);
    }
    if (first < timeline.pieces.size())
        runs.emplace_back(first, timeline.pieces.size());
    return runs;
}

} // namespace kiv::enc
