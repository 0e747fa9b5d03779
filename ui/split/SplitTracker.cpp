#include "SplitTracker.h"

namespace kiv {

SplitTracker::SplitTracker(std::function<bool()> wanted, std::function<void()> poll)
    : wanted_(std::move(wanted)), poll_(std::move(poll)) {}

SplitTracker::~SplitTracker() {
    Stop();
}

void SplitTracker::Start() {
    if (thread_.joinable())
        return;
    quit_ = false;
    thread_ = std::thread([this] { Run(); });
}

void SplitTracker::Stop() {
    if (!thread_.joinable())
        return;
    {
        // Under the wait lock, so the thread cannot miss the news between
        // looking at quit_ and starting to wait.
        std::lock_guard lock(waitMutex_);
        quit_ = true;
    }
    wakeUp_.notify_all();
    thread_.join();
}

void SplitTracker::Wake() {
    { std::lock_guard lock(waitMutex_); }
    wakeUp_.notify_all();
}

void SplitTracker::Run() {
    std::unique_lock wait(waitMutex_);
    while (!quit_) {
        if (!wanted_()) {
            // Nothing to follow: sleep until something changes. The wait
            // is bounded, so a change made without Wake is seen in time.
            wakeUp_.wait_for(wait, kInterval * 5, [this] { return quit_ || wanted_(); });
            continue;
        }
        wait.unlock();
        {
            std::lock_guard player(playerMutex_);
            if (!quit_ && wanted_()) {
                poll_();
                ++polls_;
            }
        }
        wait.lock();
        wakeUp_.wait_for(wait, kInterval, [this] { return quit_.load(); });
    }
}

} // namespace kiv
