// Whole conversions through the controller, the runner, enc and FFmpeg.

#include "CEncoderCntl.h"
#include "Catalogue.h"
#include "EncoderTestSupport.h"
#include "JobBuilder.h"
#include "Log.h"
#include "MediaDetector.h"
#include "TestFiles.h"
#include "TestProcess.h"

#include <gtest/gtest.h>

#include <future>
#include <thread>

using namespace kiv;
using namespace kivtest;

namespace {

class Conversion : public testing::Test {
protected:
    void SetUp() override {
        folder_ = ScratchFolder(testing::UnitTest::GetInstance()->current_test_info()->name());
        ASSERT_TRUE(OpenLog((folder_ / "kiv.dmp").string()));
        init_ = MakeInit(record_, BinDirectory(), 0);
        ASSERT_EQ(controller_.bCreateEncoder(&init_), 1);
    }
    void TearDown() override { CloseLog(); }

    ConversionJob Prepare(const std::string& source, int category, int profile,
                          const std::string& start, const std::string& end) {
        ConversionJob job;
        EXPECT_EQ(ProbeIntoJob(controller_, source, job), 1);
        MediaProfile chosen;
        EXPECT_TRUE(GetProfile(category, profile, chosen));
        EXPECT_TRUE(PrepareJobForConversion(
            job, chosen, GetCategory(category)->Target,
            {folder_.string(), start, end, (folder_ / "edit.avs").string()}));
        return job;
    }

    std::filesystem::path folder_;
    ProgressRecord record_;
    EncoderInit init_{};
    CEncoderCntl controller_;
};

} // namespace

TEST_F(Conversion, ReportsRisingPercentagesEndingInOneHundred) {
    MakeClip(folder_ / "clip.mp4", 12, "640x360");
    ConversionJob job = Prepare((folder_ / "clip.mp4").string(), 5, 0, "00:00:00", "00:00:13");
    ASSERT_EQ(controller_.bDoConvert(&job), 1);
    auto values = record_.Values();
    ASSERT_FALSE(values.empty());
    EXPECT_EQ(values.back(), 100);
    int last = 0, rises = 0;
    for (std::size_t i = 0; i + 1 < values.size(); ++i) {
        if (values[i] == 0)
            continue;
        EXPECT_GE(values[i], last);
        rises += values[i] > last;
        last = values[i];
    }
    EXPECT_GE(rises, 2);
    MediaFacts facts;
    ASSERT_EQ(DetectMedia(job.outputPath, facts), 0);
    EXPECT_EQ(facts.width, 640);
    EXPECT_NEAR(facts.duration, 12.0, 0.6);
}

TEST_F(Conversion, ATrimmedConversionReachesNinetyPercentBeforeItsEnd) {
    // A heavy profile, so that the encoder reports progress many times.
    MakeClip(folder_ / "clip.mp4", 30, "640x360");
    ConversionJob job = Prepare((folder_ / "clip.mp4").string(), 5, 15, "00:00:10", "00:00:25");
    ASSERT_EQ(controller_.bDoConvert(&job), 1);
    auto values = record_.Values();
    ASSERT_GE(values.size(), 2u);
    EXPECT_EQ(values.back(), 100);
    EXPECT_GE(*std::max_element(values.begin(), values.end() - 1), 90)
        << testing::PrintToString(values);
    MediaFacts facts;
    ASSERT_EQ(DetectMedia(job.outputPath, facts), 0);
    EXPECT_NEAR(facts.duration, 15.0, 0.6);
}

TEST_F(Conversion, StoppingMidwayKeepsAPlayablePartialFile) {
    MakeClip(folder_ / "long.mp4", 40, "640x360");
    ConversionJob job = Prepare((folder_ / "long.mp4").string(), 5, 15, "00:00:00", "00:00:41");
    auto run = std::async(std::launch::async, [&] { return controller_.bDoConvert(&job); });
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    auto progressed = [&] {
        auto values = record_.Values();
        return std::any_of(values.begin(), values.end(), [](int v) { return v >= 2 && v < 100; });
    };
    while (!progressed() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    controller_.StopConvert();
    ASSERT_EQ(run.wait_for(std::chrono::seconds(30)), std::future_status::ready);
    EXPECT_EQ(run.get(), 1);
    EXPECT_EQ(record_.Values().back(), 100);
    MediaFacts facts;
    ASSERT_EQ(DetectMedia(job.outputPath, facts), 0) << job.outputPath;
    EXPECT_EQ(facts.hasVideo, 1);
    EXPECT_GT(facts.duration, 0.2);
    EXPECT_LT(facts.duration, 35.0);
}
