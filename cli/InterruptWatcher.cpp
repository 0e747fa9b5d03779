#include "InterruptWatcher.h"

#include "CEncoderCntl.h"
#include "Commands.h"
#include "RunFolder.h"

#include <csignal>
#include <thread>
#include <unistd.h>

namespace kiv {

namespace {

sigset_t WatchedSignals() {
    sigset_t signals;
    sigemptyset(&signals);
    for (int signal : {SIGINT, SIGTERM, SIGHUP, SIGTSTP, SIGCONT})
        sigaddset(&signals, signal);
    return signals;
}

} // namespace

InterruptWatcher::InterruptWatcher(CEncoderCntl& controller, std::function<void(bool)> onPause)
    : controller_(controller), onPause_(std::move(onPause)) {
    sigset_t signals = WatchedSignals();
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);
    std::thread([this, lifetime = lifetime_] { Watch(*lifetime); }).detach();
}

InterruptWatcher::~InterruptWatcher() {
    std::lock_guard lock(lifetime_->mutex);
    lifetime_->closed = true;
}

void InterruptWatcher::Watch(Lifetime& lifetime) {
    sigset_t signals = WatchedSignals();
    for (;;) {
        int signal = 0;
        if (sigwait(&signals, &signal) != 0)
            continue;
        {
            std::lock_guard lock(lifetime.mutex);
            if (!lifetime.closed)
                Handle(signal);
        }
        // Suspended as the terminal asked, outside the lock so that the
        // program may end meanwhile; the SIGCONT that wakes us is the next
        // signal this loop sees.
        if (signal == SIGTSTP)
            kill(getpid(), SIGSTOP);
    }
}

void InterruptWatcher::Handle(int signal) {
    if (signal == SIGTSTP) {
        controller_.PauseConvert();
        if (onPause_)
            onPause_(true);
        return;
    }
    if (signal == SIGCONT) {
        if (controller_.IsPaused()) {
            controller_.ResumeConvert();
            if (onPause_)
                onPause_(false);
        }
        return;
    }
    // A closed terminal leaves nobody to wait for the file: it ends
    // everything at once, like a second Ctrl-C.
    if (interrupted_.fetch_add(1) == 0 && signal != SIGHUP) {
        controller_.StopConvert();
        return;
    }
    controller_.AbortConvert();
    controller_.EndSlideShow(); // the program leaves nothing of a show behind
    RemoveRunFolder();          // _exit skips the removal at exit
    _exit(signal == SIGHUP ? 128 + SIGHUP : kExitInterrupted);
}

} // namespace kiv
