#pragma once
// Writes the kept list on a thread of its own, so the GUI thread never
// waits for the text to be made or for the disk (a save ends with fsync,
// which can take long on a busy or slow disk). The GUI thread posts the
// newest contents; the thread writes the newest it has, and contents posted
// while it writes replace those waiting, so nothing queues up.
//
//     KeptListWriter writer("/home/ann/.local/state/kiv-video-converter/kept-list.json");
//     writer.Post(std::move(contents));  // GUI thread, returns at once
//     writer.Stop();                     // what waits is written first
//
// A file is written whole or not at all: into a new file beside it (mode
// 0600: it names the user's files), synced, then renamed over the old one,
// and the folder synced, so a power cut leaves the old list or the new.
//
// Stop waits at most kStopWait for a write stuck on the disk (a network
// folder gone away); then it leaves the thread to finish on its own: the
// thread owns what it uses.

#include "KeptListFormat.h"

#include <QByteArray>
#include <QString>

#include <chrono>
#include <memory>

namespace kiv {

class KeptListWriter {
public:
    static constexpr std::chrono::seconds kStopWait{5};

    explicit KeptListWriter(QString path);
    // Stops the thread.
    ~KeptListWriter();
    KeptListWriter(const KeptListWriter&) = delete;
    KeptListWriter& operator=(const KeptListWriter&) = delete;

    // Any thread.
    void Post(KeptListContents contents);
    // Writes the text waiting, if any, and ends the thread. Nothing after.
    void Stop();
    // Drops the text waiting and ends the thread: nothing more is written.
    void Drop();
    // The number of files written, for the benchmark.
    int Written() const;

    // The whole write, on the calling thread; false with why.
    static bool WriteWhole(const QString& path, const QByteArray& text, QString& why);

private:
    struct Shared;
    static void Run(const std::shared_ptr<Shared>& shared);

    std::shared_ptr<Shared> shared_;
    bool stopped_ = false;
};

} // namespace kiv
