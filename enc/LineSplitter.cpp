#include "LineSplitter.h"

namespace kiv::enc {

void LineSplitter::Feed(std::string_view bytes) {
    for (char c : bytes) {
        if (c == '\n' || (c == '\r' && carriageReturnEndsLine_)) {
            handler_(pending_);
            pending_.clear();
        } else if (c != '\r') {
            pending_ += c;
        }
    }
}

void LineSplitter::Finish() {
    if (!pending_.empty())
        handler_(pending_);
    pending_.clear();
}

} // namespace kiv::enc
