#pragma once
// Splits a byte stream into lines. FFmpeg ends its messages with LF and its
// status lines with CR, so either may end a line here.

#include <functional>
#include <string>
#include <string_view>

namespace kiv::enc {

class LineSplitter {
public:
    using LineHandler = std::function<void(std::string_view)>;

    LineSplitter(bool carriageReturnEndsLine, LineHandler handler)
        : carriageReturnEndsLine_(carriageReturnEndsLine), handler_(std::move(handler)) {}

    void Feed(std::string_view bytes);
    // Hands over unfinished text at the end of the stream.
    void Finish();

private:
    bool carriageReturnEndsLine_;
    LineHandler handler_;
    std::string pending_;
};

} // namespace kiv::enc
