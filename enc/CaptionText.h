#pragma once
// Captions as they were typed. libass reads a subtitle line's text as
// markup: "{...}" is a block of style codes and a backslash starts "\n",
// "\N" or "\h". The show's captions are plain text, so before they are
// drawn every character that libass would take for markup is escaped.

#include <string>
#include <string_view>

namespace kiv::enc {

// A caption that libass draws character for character: braces escaped as
// "\{" and "\}", and a word joiner (U+2060, which draws nothing) after a
// backslash that would otherwise begin a markup code.
std::string LiteralCaption(std::string_view text);

// The subtitle file's text with the text of every "Dialogue:" line made
// literal; everything else stays as it is.
std::string WithLiteralCaptions(std::string_view subtitles);

} // namespace kiv::enc
