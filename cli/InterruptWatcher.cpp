#include "InterruptWatcher.h"

#include "CEncoderCntl.h"
#include "Commands.h"
#include "RunFolder.h"

#include <csignal>
#include <thread>
#include <unistd.h>

namespace kiv {

namespace {

sigset_t InterruptSignals() {
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    sigaddset(&signals, SIGHUP);
    return signals;
}

} // namespace

InterruptWatcher::InterruptWatcher(CEncoderCntl& controller) : controller_(controller) {
    sigset_t signals = InterruptSignals();
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);
    std::thread([this] { Watch(); }).detach();
}

void InterruptWatcher::Watch() {
    sigset_t signals = InterruptSignals();
    for (;;) {
        int signal = 0;
        if (sigwait(&signals, &signal) != 0)
            continue;
        // A closed terminal leaves nobody to wait for the file: it ends
        // everything at once, like a second Ctrl-C.
        if (interrupted_.fetch_add(1) == 0 && signal != SIGHUP) {
            controller_.StopConvert();
            continue;
        }
        controller_.AbortConvert();
        controller_.EndSlideShow(); // the program leaves nothing of a show behind
        RemoveRunFolder();          // _exit skips the removal at exit
        _exit(signal == SIGHUP ? 128 + SIGHUP : kExitInterrupted);
    }
}

} // namespace kiv
