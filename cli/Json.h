#pragma once
// JSON texts for kiv-convert's --json output, one object per line. File
// names are bytes: one that is not UTF-8 (a Latin-1 name from an old disc)
// is written with U+FFFD for each byte that is not, so the line stays valid
// JSON, and its bytes are carried whole beside it, in base64, under the same
// key with "_base64" added:
//   "file":"caf\ufffd.mp4","file_base64":"Y2Fm6S5tcDQ="

#include <string>
#include <string_view>

namespace kiv {

// True when the bytes are well-formed UTF-8 (no overlong forms, no
// surrogates, nothing above U+10FFFF).
bool IsUtf8Text(std::string_view bytes);

// The standard base64 of the bytes, with padding.
std::string Base64(std::string_view bytes);

// A JSON string, quotes included: control characters escaped, every byte
// that is not part of well-formed UTF-8 written as \ufffd.
std::string JsonString(std::string_view text);

// "key":"text", and ,"key_base64":"..." when the text is not UTF-8.
std::string JsonField(std::string_view key, std::string_view text);

// A JSON number with two decimals ("4.00"); null when not finite.
std::string JsonNumber(double value);

} // namespace kiv
