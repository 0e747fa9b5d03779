#pragma once
// Starting a child process with pipes for its standard handles, through
// posix_spawn and an argument vector: never through a shell.

#include <string>
#include <sys/types.h>
#include <vector>

namespace kiv {

// Output pipe (the child's standard output and error) and, optionally, an
// input pipe (its standard input). Every end is close-on-exec; the spawn
// gives the child its copies.
class ChildPipes {
public:
    ChildPipes() = default;
    ChildPipes(const ChildPipes&) = delete;
    ChildPipes& operator=(const ChildPipes&) = delete;
    ~ChildPipes() { CloseAll(); }

    bool Create(bool withInput);
    int TakeOutputRead();
    int TakeInputWrite();
    void CloseAll();

    int outputRead = -1;
    int outputWrite = -1;
    int inputRead = -1;
    int inputWrite = -1;
};

// Starts arguments[0] (looked up in PATH when it holds no "/") in a process
// group of its own, so a stop can reach the encoder and everything it
// started. Without an input pipe the child reads /dev/null. Returns the
// pid, or 0 with error set to the reason. Once StartSpawnerThread has run,
// every child is started from that thread.
pid_t SpawnChild(const std::vector<std::string>& arguments, const ChildPipes& pipes, int& error);

// On Linux a new process inherits the priority (nice value) of the thread
// that starts it, and a program cannot raise a priority it lowered. So that
// a thread of low priority (the window's batch thread) still gets encoders
// of normal priority, children are started from one long-lived thread,
// made by the first call of this function: call it early, from a thread of
// normal priority. Later calls do nothing.
void StartSpawnerThread();

} // namespace kiv
