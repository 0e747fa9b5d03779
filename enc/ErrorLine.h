#pragma once
// Which of FFmpeg's messages says why a run failed. FFmpeg closes a failed
// run with a summary ("Conversion failed!") that names no cause; the cause
// comes earlier, in a line ending in a system error ("No space left on
// device") or one of FFmpeg's own ("Invalid data found when processing
// input").

#include <string>
#include <string_view>

namespace kiv::enc {

// True when the line names a system error text or one of FFmpeg's error
// texts.
bool NamesAnError(std::string_view line);

class ErrorLineChooser {
public:
    void Feed(std::string_view line);
    // The first line that names an error; else the first in which an
    // encoder or FFmpeg's set-up says it cannot go on; else the last line
    // that is not a closing summary; else the last line. Empty when nothing
    // was fed.
    std::string Reason() const;

private:
    std::string first_, firstEncoder_, lastPlain_, last_;
};

} // namespace kiv::enc
