#pragma once
// A film with tracks to choose from, as DVD and Blu-ray rips have them:
// several dubbed languages and subtitles made of text and of pictures. The
// picture subtitles are written here as a Blu-ray subtitle stream (PGS: one
// filled box per cue), since FFmpeg makes picture subtitles only from other
// pictures.

#include <filesystem>
#include <string>
#include <vector>

namespace kiv::test {

// One cue of a picture subtitle: a box of the one colour, shown from
// startSeconds to endSeconds.
struct BoxCue {
    double startSeconds;
    double endSeconds;
    int x, y, width, height;
};

// Writes a PGS (.sup) stream of the cues for a picture of width x height.
bool WritePgsSubtitles(const std::filesystem::path& path, int width, int height,
                       const std::vector<BoxCue>& cues);

// Where the cue of TrackFilm's subtitles sits and when: a text cue
// ("HELLO WORLD", bottom centre) and a box cue, both from 1 s to 3 s.
inline constexpr double kCueStartSeconds = 1.0;
inline constexpr double kCueEndSeconds = 3.0;
inline const BoxCue kBoxCue{kCueStartSeconds, kCueEndSeconds, 80, 204, 160, 30};

// Made once in the shared media folder, 4 s, Matroska: stream 0 video
// (320x240 H.264: a 320x160 picture between black bars of 40 lines, so
// the box cue lies in the lower bar), streams 1 to 3 audio in English,
// German and French (440, 550, 660 Hz), stream 4 a text subtitle in English
// (SubRip), stream 5 a picture subtitle in German (PGS).
std::string TrackFilm();

} // namespace kiv::test
