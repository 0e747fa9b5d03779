#pragma once
// Waiting in tests without guessing how long something takes: a loaded
// machine may be slow, so every wait has a generous bound and ends as soon
// as what it waits for is there.

#include <chrono>
#include <thread>

namespace kiv::test {

// Waits until condition() holds, looking every 20 ms, at most `bound`.
template <typename Condition>
bool Eventually(Condition condition, std::chrono::milliseconds bound = std::chrono::seconds(60)) {
    const auto deadline = std::chrono::steady_clock::now() + bound;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

// Waits until value() has not changed for `quiet`, looking every 20 ms, at
// most `bound` in all. True when it settled: what was still on its way has
// arrived and nothing moves any more. Something that keeps moving fails it.
template <typename Value>
bool Settled(Value value, std::chrono::milliseconds quiet = std::chrono::seconds(1),
             std::chrono::milliseconds bound = std::chrono::seconds(60)) {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + bound;
    auto last = value();
    Clock::time_point since = Clock::now();
    while (Clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        auto now = value();
        if (now != last) {
            last = now;
            since = Clock::now();
        } else if (Clock::now() - since >= quiet) {
            return true;
        }
    }
    return false;
}

} // namespace kiv::test
