#pragma once
// The answer of `enc ... -info FILE`: one line
// "Duration:%d Width:%d Height:%d Video:%d Audio:%d" as the first bytes of
// its output, whole seconds and pixels, 1 or 0 for the streams.

#include <string>

namespace kiv {

struct InfoAnswer {
    int duration = 0;
    int width = 0;
    int height = 0;
    int video = 0;
    int audio = 0;
};

std::string FormatInfoAnswer(const InfoAnswer& answer);

// Reads what the text gives, in order; fields it does not reach keep their
// values. Returns how many fields were read.
int ReadInfoAnswer(const char* text, InfoAnswer& answer);

} // namespace kiv
