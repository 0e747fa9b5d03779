#pragma once
// The split dialog's tracking worker: one std::thread that, while its owner
// wants tracking, calls a poll function every 100 ms, and otherwise sleeps
// until it is woken or told to end.
//
//     SplitTracker tracker([this] { return IsTracking(); },  // any thread
//                          [this] { PollPosition(); });      // worker
//     tracker.Start();           // GUI thread, once tracking may begin
//     tracker.Wake();            // after anything IsTracking reads changed
//     {
//         auto lock = tracker.LockPlayer();  // no poll runs meanwhile
//         PreviewPlayer::Instance().Close();
//     }
//     tracker.Stop();            // ends and joins the thread
//
// The poll runs with the player lock held, so the GUI thread can open and
// close the player without the worker being inside a player call. The poll
// must not wait for the GUI thread (post to it with queued calls instead):
// the GUI thread may be waiting for the lock or for the thread to end.

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace kiv {

class SplitTracker {
public:
    static constexpr std::chrono::milliseconds kInterval{100};

    SplitTracker(std::function<bool()> wanted, std::function<void()> poll);
    // Stops the thread.
    ~SplitTracker();

    SplitTracker(const SplitTracker&) = delete;
    SplitTracker& operator=(const SplitTracker&) = delete;

    // Starts the thread unless it runs already.
    void Start();
    // Tells the thread to end and waits for it. Nothing when not running.
    void Stop();
    // The wanted state may have changed: look at it again now.
    void Wake();
    bool IsRunning() const { return thread_.joinable(); }
    // Number of polls made since construction.
    unsigned long long Polls() const { return polls_; }

    // Held while the GUI thread opens or closes the player.
    [[nodiscard]] std::unique_lock<std::mutex> LockPlayer() {
        return std::unique_lock<std::mutex>(playerMutex_);
    }

private:
    void Run();

    const std::function<bool()> wanted_;
    const std::function<void()> poll_;
    std::thread thread_;
    std::mutex playerMutex_;
    std::mutex waitMutex_;
    std::condition_variable wakeUp_;
    std::atomic<bool> quit_{false};
    std::atomic<unsigned long long> polls_{0};
};

} // namespace kiv
