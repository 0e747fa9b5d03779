#include "SlideShowScriptReader.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <optional>

namespace kiv::enc {

namespace {

constexpr int kRate = 25;
constexpr std::string_view kShowFirstLine = "SetMemoryMax(100000000)";
constexpr std::string_view kImagePluginOpening = "LoadPlugin(\"";
constexpr std::string_view kImagePluginEnding = "zoom.dll\")";
constexpr std::string_view kImageSecondLine = "SFH = 462";

std::vector<std::string_view> Lines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        while (!line.empty() && (line.back() == '\r' || line.back() == ' '))
            line.remove_suffix(1);
        lines.push_back(line);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    }
    return lines;
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

std::optional<long long> Number(std::string_view text) {
    text = Trim(text);
    long long value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

// A frame count or frame number: not negative, and cut to
// kLargestFrameCount, so that sums of them never come near overflowing.
std::optional<long long> Count(std::string_view text) {
    std::optional<long long> value = Number(text);
    if (!value || *value < 0)
        return std::nullopt;
    return std::min(*value, kLargestFrameCount);
}

// A text in double quotes, as a whole: "..." (no quote inside).
std::optional<std::string> Literal(std::string_view text) {
    text = Trim(text);
    if (text.size() < 2 || text.front() != '"' || text.back() != '"')
        return std::nullopt;
    text = text.substr(1, text.size() - 2);
    if (text.find('"') != std::string_view::npos)
        return std::nullopt;
    return std::string(text);
}

// The text between "opening" and "closing" when the line is exactly that.
std::optional<std::string_view> Between(std::string_view line, std::string_view opening,
                                        std::string_view closing) {
    if (line.size() < opening.size() + closing.size() || !line.starts_with(opening) ||
        !line.ends_with(closing))
        return std::nullopt;
    return line.substr(opening.size(), line.size() - opening.size() - closing.size());
}

// Splits at the separator where it stands outside quotes and parentheses.
std::vector<std::string_view> SplitOutside(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    int depth = 0;
    bool quoted = false;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '"')
            quoted = !quoted;
        else if (!quoted && c == '(')
            ++depth;
        else if (!quoted && c == ')')
            --depth;
        else if (!quoted && depth == 0 && c == separator) {
            parts.push_back(text.substr(start, i - start));
            start = i + 1;
        }
    }
    parts.push_back(text.substr(start));
    return parts;
}

std::string FileName(std::string_view path) {
    std::size_t slash = path.find_last_of("/\\");
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

// The show script's state while its lines are followed.
class ShowReader {
public:
    explicit ShowReader(ShowScriptFacts& facts) : facts_(facts) {}

    bool Line(std::string_view line, std::string& error);
    void Finish();

private:
    ShowScriptFacts& facts_;
    HeldPicture a_, at_, bt_;
    int overlap_ = 0;
    std::string transition_;
    bool holdPending_ = false; // a was taken after the last join
    long long showFrames_ = 0; // d.framecount
    std::string ssa_;

    HeldPicture* Clip(std::string_view name);
    void Join(bool restart);
    std::optional<long long> FrameExpression(std::string_view text) const;
    std::optional<std::string> TextExpression(std::string_view text) const;
    bool WriteSubtitles(std::string_view arguments);
};

HeldPicture* ShowReader::Clip(std::string_view name) {
    if (name == "a")
        return &a_;
    if (name == "at")
        return &at_;
    if (name == "bt")
        return &bt_;
    return nullptr;
}

void ShowReader::Join(bool restart) {
    if (restart)
        facts_.segments.clear();
    if (restart)
        showFrames_ = 0;
    facts_.segments.push_back(ShowSegment{false, a_, {}, 0, {}});
    facts_.segments.push_back(ShowSegment{true, at_, bt_, overlap_, transition_});
    showFrames_ +=
        facts_.segments[facts_.segments.size() - 2].Frames() + facts_.segments.back().Frames();
    holdPending_ = false;
}

// A sum of whole numbers and d.framecount.
std::optional<long long> ShowReader::FrameExpression(std::string_view text) const {
    long long sum = 0;
    for (std::string_view term : SplitOutside(text, '+')) {
        term = Trim(term);
        if (term == "d.framecount")
            sum += showFrames_;
        else if (std::optional<long long> value = Count(term))
            sum += *value;
        else
            return std::nullopt;
    }
    return std::min(sum, kLargestFrameCount);
}

// A sum of texts in quotes, chr(n), ssa and convert2hhmmscff(frames, rate).
std::optional<std::string> ShowReader::TextExpression(std::string_view text) const {
    std::string result;
    for (std::string_view term : SplitOutside(text, '+')) {
        term = Trim(term);
        if (std::optional<std::string> literal = Literal(term)) {
            result += *literal;
        } else if (term == "ssa") {
            result += ssa_;
        } else if (auto code = Between(term, "chr(", ")")) {
            std::optional<long long> value = Number(*code);
            if (!value || *value < 1 || *value > 127)
                return std::nullopt;
            result += static_cast<char>(*value);
        } else if (auto call = Between(term, "convert2hhmmscff(", ")")) {
            std::vector<std::string_view> arguments = SplitOutside(*call, ',');
            std::optional<long long> frame =
                arguments.size() == 2 ? FrameExpression(arguments[0]) : std::nullopt;
            if (!frame)
                return std::nullopt;
            result += SsaTime(*frame);
        } else {
            return std::nullopt;
        }
    }
    return result;
}

// writefilestart(clip, file, "ssa", append = ...): writes the subtitle text
// gathered so far, and a line end, to the file.
bool ShowReader::WriteSubtitles(std::string_view arguments) {
    std::vector<std::string_view> parts = SplitOutside(arguments, ',');
    if (parts.size() != 4 || Trim(parts[2]) != "\"ssa\"")
        return false;
    std::optional<std::string> path = TextExpression(parts[1]);
    std::string_view append = Trim(parts[3]);
    if (!path || (append != "append = true" && append != "append = false"))
        return false;
    if (append == "append = false" || *path != facts_.subtitlePath)
        facts_.subtitleText.clear();
    facts_.subtitlePath = *path;
    facts_.subtitleText += ssa_ + "\n";
    return true;
}

bool ShowReader::Line(std::string_view line, std::string& error) {
    auto unreadable = [&error, line] {
        error = "unreadable line: " + std::string(line);
        return false;
    };
    if (auto arguments = Between(line, "imgout=ImageSource(", ")")) {
        std::vector<std::string_view> parts = SplitOutside(*arguments, ',');
        std::optional<std::string> pattern = parts.size() == 4 ? Literal(parts[0]) : std::nullopt;
        std::optional<long long> last = parts.size() == 4 ? Count(parts[2]) : std::nullopt;
        if (!pattern || !last || pattern->find("%06d") == std::string::npos)
            return unreadable();
        facts_.framePattern = *pattern;
        facts_.lastFrameImage = static_cast<int>(*last);
    } else if (auto background = Between(line, "bgname = ", "")) {
        if (std::optional<std::string> path = Literal(*background))
            facts_.backgroundPath = *path; // the other bgname lines are the background's size
    } else if (auto music = Between(line, "audiotrack = mpasource(", ").eqaudio()")) {
        std::optional<std::string> path = Literal(*music);
        if (!path)
            return unreadable();
        facts_.musicPath = *path;
    } else if (auto overlap = Between(line, "ft=", "")) {
        std::optional<long long> frames = Count(*overlap);
        if (!frames)
            return unreadable();
        overlap_ = static_cast<int>(*frames);
    } else if (auto script = Between(line, "c = (import(", "))")) {
        std::optional<std::string> path = Literal(*script);
        if (!path)
            return unreadable();
        transition_ = FileName(*path);
    } else if (line == "d = a + c" || line == "d = d + a + c") {
        Join(line == "d = a + c");
    } else if (auto trim = Between(line, "d.trim(", ",d.framecount)")) {
        std::optional<long long> frames = Count(*trim);
        if (!frames)
            return unreadable();
        facts_.leadingTrim = static_cast<int>(*frames);
    } else if (auto value = Between(line, "ssa = ", "")) {
        std::optional<std::string> text = TextExpression(*value);
        if (!text)
            return unreadable();
        ssa_ = *text;
        if (line.find("\"Dialogue: ") != std::string_view::npos)
            ++facts_.captionCount;
    } else if (auto arguments = Between(line, "writefilestart(", ")")) {
        if (!WriteSubtitles(*arguments))
            return unreadable();
    } else if (auto drawn = Between(line, "textsub(", ")")) {
        std::optional<std::string> path = Literal(*drawn);
        if (!path)
            return unreadable();
        facts_.drawnSubtitlePath = *path;
    } else {
        // The picture lines: a, at and bt take one frame image and loop it.
        std::size_t equals = line.find(" = ");
        HeldPicture* clip =
            equals == std::string_view::npos ? nullptr : Clip(line.substr(0, equals));
        if (!clip)
            return true; // a line without facts for the picture (sound, functions)
        std::string_view name = line.substr(0, equals);
        std::string_view value = line.substr(equals + 3);
        if (auto range = Between(value, "(trim(imgout,", "))")) {
            std::vector<std::string_view> parts = SplitOutside(*range, ',');
            std::optional<long long> picture = parts.size() == 2 ? Count(parts[0]) : std::nullopt;
            if (!picture || Count(parts[1]) != picture)
                return unreadable();
            *clip = HeldPicture{static_cast<int>(*picture), 1};
            holdPending_ = holdPending_ || name == "a";
        } else if (auto loop = Between(value, "loop(" + std::string(name) + ",", ")")) {
            std::optional<long long> frames = Count(*loop);
            if (!frames)
                return unreadable();
            clip->frames = static_cast<int>(*frames);
        }
    }
    return true;
}

void ShowReader::Finish() {
    if (holdPending_)
        facts_.segments.push_back(ShowSegment{false, a_, {}, 0, {}});
}

} // namespace

SlideShowScript SlideShowScriptOf(std::string_view text) {
    std::vector<std::string_view> lines = Lines(text.substr(0, 4096));
    if (lines.size() >= 2 && lines[0] == kShowFirstLine)
        return SlideShowScript::Show;
    if (lines.size() >= 2 && lines[0].starts_with(kImagePluginOpening) &&
        lines[0].ends_with(kImagePluginEnding) && lines[1] == kImageSecondLine)
        return SlideShowScript::Images;
    return SlideShowScript::None;
}

bool ReadImageScript(std::string_view text, ImageScriptFacts& facts, std::string& error) {
    facts = ImageScriptFacts{};
    bool writerFound = false;
    for (std::string_view line : Lines(text)) {
        if (auto background = Between(line, "bgname =", "")) {
            if (std::optional<std::string> path = Literal(*background))
                facts.backgroundPath = *path;
        } else if (auto picture = Between(line, "fgname=", "")) {
            std::optional<std::string> path = Literal(*picture);
            if (!path) {
                error = "unreadable line: " + std::string(line);
                return false;
            }
            facts.picturePaths.push_back(*path);
        } else if (auto arguments = Between(line, "imgout.ImageWriter(", ")")) {
            std::vector<std::string_view> parts = SplitOutside(*arguments, ',');
            std::optional<std::string> prefix =
                parts.size() == 4 ? Literal(parts[0]) : std::nullopt;
            std::optional<long long> first = prefix ? Count(parts[1]) : std::nullopt;
            std::optional<long long> last = prefix ? Count(parts[2]) : std::nullopt;
            if (!first || !last || *last < *first || Trim(parts[3]) != "\"ebmp\"") {
                error = "unreadable line: " + std::string(line);
                return false;
            }
            facts.framePrefix = *prefix;
            facts.firstFrame = static_cast<int>(*first);
            facts.lastFrame = static_cast<int>(*last);
            writerFound = true;
        }
    }
    if (facts.picturePaths.empty() || facts.backgroundPath.empty() || !writerFound) {
        error = "it names no pictures, no background or no frame images";
        return false;
    }
    return true;
}

int ShowSegment::DrawnOverlap() const {
    if (!transition)
        return 0;
    return std::max(0, std::min({overlapFrames, first.frames, second.frames}));
}

long long ShowSegment::Frames() const {
    long long frames = first.frames;
    return transition ? frames + second.frames - DrawnOverlap() : frames;
}

long long ShowScriptFacts::TotalFrames() const {
    long long total = 0;
    for (const ShowSegment& segment : segments)
        total += segment.Frames();
    return std::max<long long>(0, total - leadingTrim);
}

std::string ShowScriptFacts::FrameImagePath(int picture) const {
    char number[16];
    std::snprintf(number, sizeof number, "%06d", picture);
    std::string path = framePattern;
    std::size_t at = path.rfind("%06d");
    return at == std::string::npos ? path : path.replace(at, 4, number);
}

bool ReadShowScript(std::string_view text, ShowScriptFacts& facts, std::string& error) {
    facts = ShowScriptFacts{};
    ShowReader reader(facts);
    for (std::string_view line : Lines(text)) {
        if (!reader.Line(line, error))
            return false;
    }
    reader.Finish();
    if (facts.framePattern.empty() || facts.segments.empty()) {
        error = "it names no frame images or no pictures";
        return false;
    }
    return true;
}

std::string SsaTime(long long frame) {
    long long hundredths = std::clamp(frame, 0LL, kLargestFrameCount) * 100 / kRate;
    char text[48];
    std::snprintf(text, sizeof text, "%02lld:%02lld:%02lld.%02lld", hundredths / 360000,
                  hundredths / 6000 % 60, hundredths / 100 % 60, hundredths % 100);
    return text;
}

} // namespace kiv::enc
