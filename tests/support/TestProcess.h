#pragma once
// Test helpers that run real programs: generating media with ffmpeg and
// running our own executables with captured output.

#include <chrono>
#include <filesystem>
#include <string>
#include <sys/types.h>
#include <vector>

namespace kivtest {

struct ProgramResult {
    int exitStatus = -1; // 128 + signal when killed by a signal
    std::string out;
    std::string err;
};

// Runs a program (no shell) with extra environment entries "NAME=value",
// waiting at most timeLimit; a program still running then is killed.
ProgramResult RunProgram(const std::vector<std::string>& arguments,
                         const std::vector<std::string>& environment = {},
                         std::chrono::seconds timeLimit = std::chrono::seconds(120));

// Starts a program in the background with its output in the given files.
pid_t StartProgram(const std::vector<std::string>& arguments,
                   const std::vector<std::string>& environment, const std::string& outPath,
                   const std::string& errPath);
// Waits for a started program; returns its exit status as RunProgram does.
int WaitProgram(pid_t child, std::chrono::seconds timeLimit);

// Makes a media file with ffmpeg from lavfi sources; fails the test when
// ffmpeg fails. Example inputs: {"-f", "lavfi", "-i", "testsrc2=..."}.
void MakeMedia(const std::filesystem::path& output, const std::vector<std::string>& arguments);

// A video clip with sound, small and short.
void MakeClip(const std::filesystem::path& output, int seconds,
              const std::string& size = "320x240");

// Directory of the running test executable (where our programs are built).
std::string BinDirectory();

} // namespace kivtest
