#pragma once
// The batch's progress on the desktop's task-bar or dock entry: the
// com.canonical.Unity.LauncherEntry "Update" signal, which KDE Plasma,
// Ubuntu's dock and others read for the application named by its desktop
// file. A signal needs no answer: where nothing listens it goes nowhere,
// and without a bus nothing happens. GUI thread.

namespace kiv {

class TaskbarProgress {
public:
    // fraction: of the whole batch, 0 to 1. Sent only when it changed by a
    // percent or more, so a batch sends at most about a hundred signals.
    void Show(double fraction);
    // The entry shows no progress any more.
    void Hide();

private:
    int shownPercent_ = -1; // -1: hidden
    void Send(double fraction, bool visible);
};

} // namespace kiv
