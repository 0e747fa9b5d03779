#pragma once
// Fixed-width text fields: records keep fixed char arrays so they copy
// whole by value; these helpers fill and read them without overrunning.

#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

namespace kiv {

// Length of the longest prefix of text that fits in limit bytes without
// cutting a UTF-8 sequence in two.
inline std::size_t Utf8SafeLength(std::string_view text, std::size_t limit) {
    if (text.size() <= limit)
        return text.size();
    std::size_t cut = limit;
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80)
        --cut;
    return cut;
}

// Copies text into a fixed field, zero-filling the rest; longer text is cut.
template <std::size_t N> void SetText(char (&field)[N], std::string_view text) {
    std::size_t length = Utf8SafeLength(text, N - 1);
    std::memset(field, 0, N);
    std::memcpy(field, text.data(), length);
}

// True when text fits the field unchanged.
template <std::size_t N> constexpr bool FitsField(const char (&)[N], std::string_view text) {
    return text.size() <= N - 1;
}

template <std::size_t N> std::string_view GetText(const char (&field)[N]) {
    return std::string_view(field, strnlen(field, N));
}

} // namespace kiv
