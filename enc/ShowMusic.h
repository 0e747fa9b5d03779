#pragma once
// The show's music: looped when it is shorter than the show, cut when it is
// longer, and never ending dead. The show's last seconds fade out (2 s, a
// fifth of the show when it is shorter than 10 s), and where a loop
// restarts the music fades out before and back in after, unless the music
// ends in silence by itself.

#include <string>

namespace kiv::enc {

struct MusicFacts {
    double seconds = 0;         // how long one play of the music lasts
    bool endsInSilence = false; // its last half second or more is silent
};

// Decodes the music once with FFmpeg to learn both facts exactly; nothing
// is known (seconds 0) when that fails.
MusicFacts MeasureMusic(const std::string& path);

// Reads what the measuring run says: its last "time=" and the silence
// detector's lines.
MusicFacts ReadMusicMeasure(const std::string& messages);

// Seconds of the fade at the show's end.
double EndFadeSeconds(double showSeconds);

// The music's gain at the show's time t as an FFmpeg expression for the
// volume filter (evaluated per audio frame).
std::string MusicGainExpression(const MusicFacts& music, double showSeconds);

} // namespace kiv::enc
