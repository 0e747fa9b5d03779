#include "CEncoderCntl.h"
#include "CFFmpegEncoder.h"
#include "EncoderTestSupport.h"
#include "JobFixture.h"
#include "Log.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

using namespace kiv;
using namespace kiv::test;

TEST(Controller, GuardsEveryCallAndLogsItsFixedTexts) {
    auto folder = ScratchFolder("controller");
    ASSERT_TRUE(OpenLog((folder / "kiv.dmp").string()));
    CEncoderCntl controller;
    ConversionJob job = MakeJob(12, 0, "x", "y");

    EXPECT_EQ(controller.bDoConvert(&job), 0); // no encoder yet
    EXPECT_EQ(controller.bGetMediaFileContent("/v/a.avi", &job), 0);
    EXPECT_EQ(controller.bCreateEncoder(nullptr), 0);
    EXPECT_EQ(controller.Encoder(), nullptr);

    ProgressRecord record;
    EncoderInit noCallback = MakeInit(record, "/opt/kiv/");
    noCallback.callback = nullptr;
    EXPECT_EQ(controller.bCreateEncoder(&noCallback), 0);
    EXPECT_NE(controller.Encoder(), nullptr); // kept all the same

    EncoderInit init = MakeInit(record, folder.string() + "/");
    EXPECT_EQ(controller.bCreateEncoder(&init), 1);
    EXPECT_EQ(controller.bDoConvert(nullptr), 0);
    EXPECT_EQ(ReadFile(folder / "kiv.dmp"),
              "Module:COMMON/CEncoderCntl,Line:109,pointer is NULL \n");

    EXPECT_EQ(controller.bGetMediaFileContent("", &job), 0);
    EXPECT_EQ(controller.bGetMediaFileContent(nullptr, &job), 0);
    EXPECT_EQ(controller.bGetMediaFileContent("/v/a.avi", nullptr), 0);

    // A kind without a builder runs nothing and fails with the reason.
    ConversionJob unbuilt = MakeJob(10, 0, "x", "y");
    EXPECT_EQ(controller.bDoConvert(&unbuilt), 0);
    EXPECT_EQ(controller.LastResult().outcome, ConvertOutcome::Failed);
    EXPECT_EQ(controller.LastResult().reason,
              "no command line can be built for target kind 10 with these settings");
    EXPECT_EQ(GetText(unbuilt.outputPath), "/out/clip");
    EXPECT_TRUE(record.Values().empty()); // no process, so no 100

    // A stop while nothing runs only reports 100.
    controller.StopConvert();
    EXPECT_EQ(record.Values(), std::vector<int>{100});

    EXPECT_EQ(controller.bDestroyEncoder(), 1);
    EXPECT_EQ(controller.Encoder(), nullptr);
    EXPECT_EQ(controller.bDestroyEncoder(), 1);
    CloseLog();
}
