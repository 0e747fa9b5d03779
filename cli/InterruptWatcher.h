#pragma once
// Turns Ctrl-C into a stop request: the first asks the running encoder to
// finish (its partial file is kept), the second ends everything at once,
// leaving no unfinished output and no slideshow work folder. A hang-up
// (SIGHUP, the terminal closed) ends everything at once too.

#include <atomic>

namespace kiv {

class CEncoderCntl;

class InterruptWatcher {
public:
    // Blocks SIGINT, SIGTERM and SIGHUP in every thread started after this call and
    // watches for them on a thread of its own. Call before other threads start.
    explicit InterruptWatcher(CEncoderCntl& controller);
    bool Interrupted() const { return interrupted_ != 0; }

private:
    CEncoderCntl& controller_;
    std::atomic<int> interrupted_{0};

    void Watch();
};

} // namespace kiv
