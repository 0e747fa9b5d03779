// The arithmetic of samples and estimates: where samples go, what they add
// up to, and how sizes and rates read.

#include "runs/SampleEncode.h"

#include <gtest/gtest.h>

namespace kiv {
namespace {

struct PlanCase {
    int start, end, length, count;
    std::vector<std::pair<int, int>> spans; // start, length
};

TEST(SampleEncode, SamplesAreSpreadOverThePart) {
    const PlanCase cases[] = {
        {0, 120, 6, 3, {{17, 6}, {57, 6}, {97, 6}}}, // the middles of three shares
        {60, 90, 6, 3, {{62, 6}, {72, 6}, {82, 6}}}, // a trimmed part
        {0, 18, 6, 3, {{0, 18}}},                    // no longer than the samples: all of it
        {5, 8, 6, 3, {{5, 3}}},                      // shorter than one sample
        {0, 19, 6, 3, {{0, 6}, {6, 6}, {12, 6}}},    // barely longer: kept inside
        {0, 3600, 10, 1, {{1795, 10}}},              // one sample: the middle
        {10, 10, 6, 3, {}},                          // empty
        {20, 10, 6, 3, {}},                          // inverted
        {0, 100, 0, 3, {}},                          // no length
    };
    for (const PlanCase& c : cases) {
        std::vector<std::pair<int, int>> spans;
        for (const SampleSpan& s : PlanSamples(c.start, c.end, c.length, c.count))
            spans.emplace_back(s.startSeconds, s.lengthSeconds);
        EXPECT_EQ(spans, c.spans) << c.start << "-" << c.end;
    }
}

TEST(SampleEncode, AnEstimateSamplesAtMostAQuarterOfThePart) {
    const std::pair<int, std::vector<std::pair<int, int>>> cases[] = {
        {2, {{0, 2}}},           // all of a tiny part
        {7, {{2, 2}}},           // one sample in the middle
        {20, {{4, 2}, {14, 2}}}, // a 20 s clip: 4 s of it
        {60, {{3, 2}, {11, 2}, {20, 2}, {29, 2}, {37, 2}, {46, 2}, {54, 2}}},
        {600, {{36, 3}, {111, 3}, {186, 3}, {261, 3}, {336, 3}, {411, 3}, {486, 3}, {561, 3}}},
    };
    for (const auto& [end, expected] : cases) {
        std::vector<std::pair<int, int>> spans;
        int sampled = 0;
        for (const SampleSpan& s : PlanEstimateSamples(0, end)) {
            spans.emplace_back(s.startSeconds, s.lengthSeconds);
            sampled += s.lengthSeconds;
        }
        EXPECT_EQ(spans, expected) << end;
        EXPECT_TRUE(end < 8 || sampled * 4 <= end) << end;
    }
}

SampleResult Made(std::uintmax_t bytes, double seconds) {
    SampleResult sample;
    sample.result = {ConvertOutcome::Done, {}, true};
    sample.bytes = bytes;
    sample.seconds = seconds;
    return sample;
}

TEST(SampleEncode, ExpectedBytesFollowTheSamplesRate) {
    // 100 kB/s and 300 kB/s sampled alike: 200 kB/s.
    EXPECT_EQ(ExpectedBytes({Made(600'000, 6), Made(1'800'000, 6)}, 750), 150'000'000u);
    // Weighed by their lengths.
    EXPECT_EQ(ExpectedBytes({Made(1'000'000, 10), Made(100'000, 0.5)}, 10.5), 1'100'000u);
    SampleResult stopped = Made(999, 1);
    stopped.result.outcome = ConvertOutcome::Stopped;
    EXPECT_EQ(ExpectedBytes({stopped, Made(1'000, 1)}, 10), 10'000u);
    EXPECT_EQ(ExpectedBytes({stopped}, 10), 0u);
    EXPECT_EQ(ExpectedBytes({Made(1'000, 1)}, 0), 0u);
    EXPECT_EQ(ExpectedBytes({}, 10), 0u);
}

TEST(SampleEncode, SizesAndRatesReadAsPeopleReadThem) {
    const std::pair<std::uintmax_t, const char*> sizes[] = {
        {0, "0 bytes"},        {999, "999 bytes"},        {1'000, "1.0 kB"},
        {850'000, "850 kB"},   {8'440'000, "8.4 MB"},     {9'960'000, "10 MB"},
        {84'000'000, "84 MB"}, {1'300'000'000, "1.3 GB"}, {12'000'000'000, "12 GB"},
    };
    for (auto [bytes, text] : sizes)
        EXPECT_EQ(SizeText(bytes), text) << bytes;

    EXPECT_EQ(RateText(Made(120'000, 10)), "96 kb/s");
    EXPECT_EQ(RateText(Made(1'500'000, 10)), "1.2 Mb/s");
    EXPECT_EQ(RateText(Made(1'249'000, 10)), "999 kb/s");
    EXPECT_EQ(RateText(SampleResult{}), "");
}

} // namespace
} // namespace kiv
