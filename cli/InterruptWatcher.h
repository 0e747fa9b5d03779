#pragma once
// Turns Ctrl-C into a stop request: the first asks the running encoder to
// finish (its partial file is kept), the second ends everything at once,
// leaving no unfinished output and no slideshow work folder. A hang-up
// (SIGHUP, the terminal closed) ends everything at once too.
// Ctrl-Z (SIGTSTP) pauses the encoder and everything it started, then
// suspends kiv-convert as the terminal asked; SIGCONT (the shell's fg or bg)
// lets the encoder go on.

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>

namespace kiv {

class CEncoderCntl;

class InterruptWatcher {
public:
    // Blocks SIGINT, SIGTERM, SIGHUP, SIGTSTP and SIGCONT in every thread
    // started after this call and watches for them on a thread of its own.
    // Call before other threads start. onPause hears each pause (true) and
    // resume (false) on that thread.
    explicit InterruptWatcher(CEncoderCntl& controller,
                              std::function<void(bool paused)> onPause = {});
    // From here on a signal no longer reaches the controller, which may be
    // going away with the program: a late Ctrl-C while it exits is ignored.
    ~InterruptWatcher();
    bool Interrupted() const { return interrupted_ != 0; }

private:
    // Outlives the watcher: its thread is detached and checks `closed`
    // under the lock before it touches the watcher.
    struct Lifetime {
        std::mutex mutex;
        bool closed = false;
    };
    CEncoderCntl& controller_;
    const std::function<void(bool)> onPause_;
    std::atomic<int> interrupted_{0};
    const std::shared_ptr<Lifetime> lifetime_ = std::make_shared<Lifetime>();

    void Watch(Lifetime& lifetime);
    void Handle(int signal);
};

} // namespace kiv
