#include "InfoAnswer.h"

#include <cstdio>

namespace kiv {

std::string FormatInfoAnswer(const InfoAnswer& answer) {
    char line[160];
    std::snprintf(line, sizeof line, "Duration:%d Width:%d Height:%d Video:%d Audio:%d\n",
                  answer.duration, answer.width, answer.height, answer.video, answer.audio);
    return line;
}

int ReadInfoAnswer(const char* text, InfoAnswer& answer) {
    int read =
        std::sscanf(text, "Duration:%d Width:%d Height:%d Video:%d Audio:%d", &answer.duration,
                    &answer.width, &answer.height, &answer.video, &answer.audio);
    return read > 0 ? read : 0;
}

} // namespace kiv
