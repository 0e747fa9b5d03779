// What "Files at once: Automatic" chooses, by the profile's encoder, the
// picture it makes, the cores and the free memory.

#include "runs/FilesAtOnce.h"
#include "Catalogue.h"

#include <gtest/gtest.h>

using namespace kiv;

TEST(FilesAtOnce, AutomaticFollowsTheEncoderTheCoresAndTheMemory) {
    constexpr std::uint64_t kPlenty = 64ull << 30;
    const struct {
        int category, profile, width, height, cores;
        std::uint64_t memory;
        int expected;
    } cases[] = {
        {8, 0, 1280, 720, 2, kPlenty, 2},      // 3GP H.263: one per core
        {8, 0, 1280, 720, 16, kPlenty, 16},    //
        {10, 1, 1920, 1080, 8, kPlenty, 8},    // MP3
        {9, 2, 1920, 1080, 2, kPlenty, 1},     // H.264 fit within 1280x720 fills the cores
        {9, 2, 1920, 1080, 16, kPlenty, 2},    //
        {9, 3, 1920, 1080, 8, kPlenty, 8},     // ... but not at 854x480
        {9, 0, 640, 360, 4, kPlenty, 4},       // nor a small source at its own size
        {5, 15, 640, 360, 2, kPlenty, 1},      // an old profile's size is the output's: 1280x720
        {9, 6, 3840, 2160, 16, 8ull << 30, 1}, // 4K AV1: what the memory holds
        {10, 1, 1920, 1080, 16, 512ull << 20, 4}, {10, 1, 1920, 1080, 4, 1, 1}, // never none
    };
    for (const auto& c : cases) {
        MediaProfile profile;
        ASSERT_TRUE(GetProfile(c.category, c.profile, profile));
        const ConversionLoad load =
            LoadOf(profile, GetCategory(c.category)->Target, c.width, c.height);
        EXPECT_EQ(AutomaticFilesAtOnce(load, c.cores, c.memory), c.expected)
            << profile.ProfileName << " " << c.width << "x" << c.height << " on " << c.cores;
    }
    // A count is a count, bounded by the files there are.
    EXPECT_EQ(FilesAtOnce(3, {}, 12), 3);
    EXPECT_EQ(FilesAtOnce(3, {}, 2), 2);
    EXPECT_GE(FilesAtOnce(kFilesAtOnceAutomatic, {}, 12), 1);
}
