#include "TrackFilm.h"

#include "TestFiles.h"
#include "TestMedia.h"

#include <cstdint>
#include <fstream>

namespace kiv::test {

namespace {

namespace fs = std::filesystem;

using Bytes = std::string;

void Put16(Bytes& out, int value) {
    out += static_cast<char>((value >> 8) & 0xFF);
    out += static_cast<char>(value & 0xFF);
}

void Put32(Bytes& out, std::uint32_t value) {
    Put16(out, static_cast<int>(value >> 16));
    Put16(out, static_cast<int>(value & 0xFFFF));
}

// One segment: "PG", presentation and decoding time (90 kHz), type, size.
Bytes Segment(double seconds, int type, const Bytes& data) {
    Bytes out = "PG";
    Put32(out, static_cast<std::uint32_t>(seconds * 90000));
    Put32(out, 0);
    out += static_cast<char>(type);
    Put16(out, static_cast<int>(data.size()));
    return out + data;
}

enum : int { kPalette = 0x14, kObject = 0x15, kComposition = 0x16, kWindow = 0x17, kEnd = 0x80 };

Bytes Composition(int width, int height, int number, bool shown, const BoxCue& cue) {
    Bytes data;
    Put16(data, width);
    Put16(data, height);
    data += '\x10'; // frame rate code
    Put16(data, number);
    data += static_cast<char>(shown ? 0x80 : 0x00); // epoch start, or normal
    data += '\0';                                   // no palette update
    data += '\0';                                   // palette 0
    data += static_cast<char>(shown ? 1 : 0);       // objects shown
    if (shown) {
        Put16(data, 0); // object 0
        data += '\0';   // window 0
        data += '\0';   // not cropped
        Put16(data, cue.x);
        Put16(data, cue.y);
    }
    return data;
}

Bytes Window(const BoxCue& cue) {
    Bytes data(1, '\1');
    data += '\0';
    Put16(data, cue.x);
    Put16(data, cue.y);
    Put16(data, cue.width);
    Put16(data, cue.height);
    return data;
}

// Entry 1: opaque white (Y 235, Cr and Cb 128).
Bytes Palette() {
    return Bytes{'\0',
                 '\0',
                 '\1',
                 static_cast<char>(235),
                 static_cast<char>(128),
                 static_cast<char>(128),
                 static_cast<char>(255)};
}

// Every line one run of colour 1, then the end of the line.
Bytes Object(const BoxCue& cue) {
    Bytes lines;
    for (int y = 0; y < cue.height; ++y) {
        lines += '\0';
        lines += static_cast<char>(0xC0 | (cue.width >> 8));
        lines += static_cast<char>(cue.width & 0xFF);
        lines += '\1';
        lines += Bytes(2, '\0');
    }
    Bytes data;
    Put16(data, 0); // object 0
    data += '\0';   // version
    data += '\xC0'; // first and last part
    std::uint32_t length = static_cast<std::uint32_t>(lines.size() + 4);
    data += static_cast<char>((length >> 16) & 0xFF);
    Put16(data, static_cast<int>(length & 0xFFFF));
    Put16(data, cue.width);
    Put16(data, cue.height);
    return data + lines;
}

} // namespace

bool WritePgsSubtitles(const fs::path& path, int width, int height,
                       const std::vector<BoxCue>& cues) {
    Bytes out;
    int number = 0;
    // An empty screen at 0 s first: FFmpeg counts an input's times from its
    // first packet, which would otherwise move the first cue to the start.
    if (!cues.empty()) {
        out += Segment(0, kComposition, Composition(width, height, number++, false, cues.front()));
        out += Segment(0, kWindow, Window(cues.front()));
        out += Segment(0, kEnd, {});
    }
    for (const BoxCue& cue : cues) {
        out += Segment(cue.startSeconds, kComposition,
                       Composition(width, height, number++, true, cue));
        out += Segment(cue.startSeconds, kWindow, Window(cue));
        out += Segment(cue.startSeconds, kPalette, Palette());
        out += Segment(cue.startSeconds, kObject, Object(cue));
        out += Segment(cue.startSeconds, kEnd, {});
        out +=
            Segment(cue.endSeconds, kComposition, Composition(width, height, number++, false, cue));
        out += Segment(cue.endSeconds, kWindow, Window(cue));
        out += Segment(cue.endSeconds, kEnd, {});
    }
    std::ofstream file(path, std::ios::binary);
    file << out;
    return bool(file);
}

std::string TrackFilm() {
    fs::path folder = SharedMediaFolder();
    fs::path film = folder / "track-film.mkv";
    if (fs::exists(film))
        return film.string();
    fs::path boxes = folder / "track-film-de.sup";
    fs::path words = folder / "track-film-en.srt";
    WritePgsSubtitles(boxes, 320, 240, {kBoxCue});
    std::ofstream(words) << "1\n00:00:01,000 --> 00:00:03,000\nHELLO WORLD\n\n";
    auto tone = [](int hertz) { return "sine=frequency=" + std::to_string(hertz) + ":duration=4"; };
    MakeMedia(film, {"-f",
                     "lavfi",
                     "-i",
                     "testsrc2=size=320x160:rate=25:duration=4,pad=320:240:0:40:black",
                     "-f",
                     "lavfi",
                     "-i",
                     tone(440),
                     "-f",
                     "lavfi",
                     "-i",
                     tone(550),
                     "-f",
                     "lavfi",
                     "-i",
                     tone(660),
                     "-i",
                     words.string(),
                     "-i",
                     boxes.string(),
                     "-map",
                     "0",
                     "-map",
                     "1",
                     "-map",
                     "2",
                     "-map",
                     "3",
                     "-map",
                     "4",
                     "-map",
                     "5",
                     "-c:v",
                     "libx264",
                     "-preset",
                     "ultrafast",
                     "-g",
                     "25",
                     "-pix_fmt",
                     "yuv420p",
                     "-c:a",
                     "aac",
                     "-c:s:0",
                     "srt",
                     "-c:s:1",
                     "copy",
                     "-metadata:s:a:0",
                     "language=eng",
                     "-metadata:s:a:1",
                     "language=ger",
                     "-metadata:s:a:2",
                     "language=fre",
                     "-metadata:s:s:0",
                     "language=eng",
                     "-metadata:s:s:1",
                     "language=ger"});
    return film.string();
}

} // namespace kiv::test
