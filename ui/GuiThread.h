#pragma once
// The one way the window program's workers (the batch thread, the file
// reader, the preview maker, the Split dialog's tracker, libmpv's threads)
// reach the GUI thread. They never touch a widget themselves and never wait
// for the GUI thread: they post what is to happen there.
//
//     PostToGui(this, [this, row, percent] { SetPercent(row, percent); });

#include <QMetaObject>
#include <QObject>

#include <utility>

namespace kiv {

// Runs work on the thread receiver lives on (for every window object, the
// GUI thread), after what was posted to it before, and not at all when
// receiver is destroyed first. Returns at once; callable from any thread.
// What work captures is copied into the queued call and belongs to it alone.
template <typename Work> void PostToGui(QObject* receiver, Work&& work) {
    QMetaObject::invokeMethod(receiver, std::forward<Work>(work), Qt::QueuedConnection);
}

} // namespace kiv
