#include "CaptionText.h"

namespace kiv::enc {

namespace {

constexpr std::string_view kWordJoiner = "\xE2\x81\xA0";
constexpr std::string_view kDialogue = "Dialogue:";
constexpr int kFieldsBeforeText = 9; // Layer, Start, End, Style, Actor, three margins, Effect

bool StartsMarkup(char next) {
    return next == 'n' || next == 'N' || next == 'h' || next == '{' || next == '}';
}

} // namespace

std::string LiteralCaption(std::string_view text) {
    std::string literal;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '{' || c == '}') {
            literal += '\\';
            literal += c;
        } else if (c == '\\' && i + 1 < text.size() && StartsMarkup(text[i + 1])) {
            literal += '\\';
            literal += kWordJoiner;
        } else {
            literal += c;
        }
    }
    return literal;
}

std::string WithLiteralCaptions(std::string_view subtitles) {
    std::string result;
    while (!subtitles.empty()) {
        std::size_t end = subtitles.find('\n');
        std::string_view line = subtitles.substr(0, end);
        std::string_view rest =
            end == std::string_view::npos ? std::string_view() : subtitles.substr(end);
        std::size_t text = 0;
        if (line.starts_with(kDialogue)) {
            for (int field = 0; field < kFieldsBeforeText && text != std::string_view::npos;
                 ++field)
                text = line.find(',', text == 0 ? 0 : text + 1);
        }
        if (line.starts_with(kDialogue) && text != std::string_view::npos) {
            result += line.substr(0, text + 1);
            result += LiteralCaption(line.substr(text + 1));
        } else {
            result += line;
        }
        result += rest.substr(0, rest.empty() ? 0 : 1);
        subtitles = rest.empty() ? rest : rest.substr(1);
    }
    return result;
}

} // namespace kiv::enc
