#include "Log.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <thread>

using namespace kiv;
using namespace kivtest;

TEST(Log, TextsArriveVerbatimAndWholeFromTwoThreads) {
    auto folder = ScratchFolder("log-threads");
    auto path = (folder / "kiv.dmp").string();
    ASSERT_TRUE(OpenLog(path));
    WriteLog("Module:");
    WriteLogFormat("%s,Line:%d,pointer is NULL ", "COMMON/CEncoderCntl", 109);
    const std::string a(300, 'a'), b(300, 'b');
    auto writer = [](const std::string& text) {
        for (int i = 0; i < 500; ++i)
            WriteLog(text);
    };
    std::thread first(writer, a), second(writer, b);
    first.join();
    second.join();
    CloseLog();
    std::string log = ReadFile(path);
    std::string head = "Module:COMMON/CEncoderCntl,Line:109,pointer is NULL ";
    ASSERT_EQ(log.substr(0, head.size()), head);
    std::string rest = log.substr(head.size());
    ASSERT_EQ(rest.size(), 1000u * 300u);
    for (std::size_t at = 0; at < rest.size(); at += 300)
        EXPECT_TRUE(rest.compare(at, 300, a) == 0 || rest.compare(at, 300, b) == 0) << at;
}

TEST(Log, OpeningEmptiesTheFileAndAFailedOpenFallsBackToStandardError) {
    auto folder = ScratchFolder("log-reopen");
    auto path = (folder / "kiv.dmp").string();
    WriteFile(path, "old text");
    ASSERT_TRUE(OpenLog(path));
    WriteLog("new");
    CloseLog();
    EXPECT_EQ(ReadFile(path), "new");

    EXPECT_FALSE(OpenLog("/nonexistent-folder/kiv.dmp"));
    EXPECT_EQ(OpenLogPath(), "");
    testing::internal::CaptureStderr();
    WriteLog("to stderr");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "to stderr");
}
