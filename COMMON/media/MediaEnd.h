#pragma once
// How far a file really reads: its length as its header gives it, and the
// end of the last packet found where the header says the file ends. A file
// cut short after it was written (a copy that broke off, a disk that filled)
// may keep a header that promises the whole length; reading its last
// seconds shows whether the packets are there.
//
//     MediaEnd end = ReadMediaEnd("/out/clip.mp4");
//     if (end.readable && end.readSeconds + 1 >= end.statedSeconds) ...

#include <string>

namespace kiv {

struct MediaEnd {
    bool readable = false;    // opened, and its last seconds read to the end
    double statedSeconds = 0; // the header's length
    double readSeconds = 0;   // the end of the last packet, from the file's start
};

// Opens the file, seeks to a few seconds before the end its header states
// and reads every packet from there to the end of the file, without
// decoding. Bounded in time like the media detector: a stalled or huge file
// gives an unreadable answer, never a hang.
MediaEnd ReadMediaEnd(const std::string& path);

} // namespace kiv
