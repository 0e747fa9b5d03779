#pragma once
// How one conversion ended, as every front end reports it.

#include <string>

namespace kiv {

enum class ConvertOutcome {
    Done,    // the encoder ended normally and left a non-empty output file
    Stopped, // a stop was asked for; outputWritten tells whether the encoder kept a file
    Failed,  // not prepared, not started, ended with an error, or left no output
};

struct ConvertResult {
    ConvertOutcome outcome = ConvertOutcome::Failed;
    // Why it failed, in one line: the encoder's own last message when it
    // gave one. Empty otherwise.
    std::string reason;
    // The output file was written by this conversion (always for Done). An
    // older file of the same name never counts.
    bool outputWritten = false;
    // A conversion a stop cut short: what the encoder wrote, under a name
    // that says it is incomplete (files/PartialOutput.h). The output's own
    // name, and an earlier file there, were left alone. Empty otherwise.
    std::string partialPath{};

    bool Failed() const { return outcome == ConvertOutcome::Failed; }
};

// How a child process ended.
struct ChildEnd {
    bool started = false;
    bool stopRequested = false; // a stop was asked for while it ran
    bool exited = false;        // ended by itself; exitCode holds its status
    int exitCode = -1;
    int signal = 0; // the signal that ended it, when it did not exit
};

// "exited with status 1", "was killed by signal 9 (Killed)".
std::string DescribeChildEnd(const ChildEnd& end);

} // namespace kiv
