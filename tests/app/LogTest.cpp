#include "Log.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <atomic>
#include <fcntl.h>
#include <sstream>
#include <sys/file.h>
#include <thread>

using namespace kiv;
using namespace kiv::test;

TEST(Log, OneWholeRecordPerLine) {
    auto folder = ScratchFolder("log-records");
    auto path = (folder / "kiv.dmp").string();
    ASSERT_TRUE(OpenLog(path));
    WriteLogFormat("Module:%s,Line:%d,pointer is NULL ", "COMMON/CEncoderCntl", 109);
    WriteLog("kept as it is\r\n");
    CloseLog();
    EXPECT_EQ(ReadFile(path), "Module:COMMON/CEncoderCntl,Line:109,pointer is NULL \n"
                              "kept as it is\r\n");
}

// The log is reopened while two threads write to it: every record lands
// whole in one of the files, none is lost, and nothing writes to a closed
// file.
TEST(Log, WritersAndReopeningNeverCollide) {
    auto folder = ScratchFolder("log-threads");
    const std::string a(300, 'a'), b(300, 'b');
    constexpr int kWrites = 20000;
    std::atomic<int> running{0};
    auto writer = [&running](const std::string& text) {
        running.fetch_add(1);
        for (int i = 0; i < kWrites; ++i)
            WriteLog(text);
        running.fetch_sub(1);
    };
    ASSERT_TRUE(OpenLog((folder / "log-0").string()));
    std::thread first(writer, a), second(writer, b);
    int files = 1;
    while (running.load() != 0 || files < 3) {
        ASSERT_TRUE(OpenLog((folder / ("log-" + std::to_string(files++))).string()));
        std::this_thread::yield();
    }
    first.join();
    second.join();
    CloseLog();
    int records = 0, broken = 0;
    for (int i = 0; i < files; ++i) {
        std::istringstream log(ReadFile(folder / ("log-" + std::to_string(i))));
        for (std::string line; std::getline(log, line); ++records)
            broken += line != a && line != b;
    }
    EXPECT_EQ(records, 2 * kWrites);
    EXPECT_EQ(broken, 0);
}

TEST(Log, OpeningEmptiesTheFileAndAFailedOpenFallsBackToStandardError) {
    auto folder = ScratchFolder("log-reopen");
    auto path = (folder / "kiv.dmp").string();
    WriteFile(path, "old text");
    ASSERT_TRUE(OpenLog(path));
    WriteLog("new");
    CloseLog();
    EXPECT_EQ(ReadFile(path), "new\n");

    // Another run writes the log (it holds it shared, appending): a start
    // now keeps its records and appends behind them.
    int other = open(path.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
    ASSERT_EQ(flock(other, LOCK_SH), 0);
    ASSERT_TRUE(OpenLog(path));
    ASSERT_EQ(write(other, "theirs\n", 7), 7);
    WriteLog("mine");
    CloseLog();
    close(other);
    EXPECT_EQ(ReadFile(path), "new\ntheirs\nmine\n");

    EXPECT_FALSE(OpenLog("/nonexistent-folder/kiv.dmp"));
    EXPECT_EQ(OpenLogPath(), "");
    testing::internal::CaptureStderr();
    WriteLog("to stderr");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "to stderr\n");
}
