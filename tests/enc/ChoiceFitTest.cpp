// The user's choices on a line carried out by enc: the FFmpeg options they
// become for a source's streams (picture subtitles laid over a cropped
// picture, default tracks, an older kind's chosen sound), and the values
// and streams enc refuses. Text subtitles burned in and real pictures are
// the end-to-end tests' (ChoicesE2ETest.cpp).

#include "ChoiceFit.h"
#include "CommandLine.h"
#include "SourceFit.h"
#include "Translator.h"

#include <cstring>
#include <gtest/gtest.h>

namespace kiv::enc {
namespace {

StreamFacts Stream(int index, StreamType type, const char* codec, const char* language = "") {
    StreamFacts facts;
    facts.index = index;
    facts.type = static_cast<int>(type);
    std::strncpy(facts.codec, codec, sizeof facts.codec - 1);
    std::strncpy(facts.language, language, sizeof facts.language - 1);
    facts.textSubtitle = std::strcmp(codec, "subrip") == 0;
    facts.bitsPerSample = 8;
    facts.fieldOrder = static_cast<int>(FieldOrder::Progressive);
    if (type == StreamType::Video) {
        facts.width = 320;
        facts.height = 240;
    }
    return facts;
}

// The film of the track tests: black bars of 40 lines, three languages, a
// text and a picture subtitle.
const std::vector<StreamFacts> kFilm = {
    Stream(0, StreamType::Video, "h264"),
    Stream(1, StreamType::Audio, "aac", "eng"),
    Stream(2, StreamType::Audio, "aac", "ger"),
    Stream(3, StreamType::Audio, "aac", "fre"),
    Stream(4, StreamType::Subtitle, "subrip", "eng"),
    Stream(5, StreamType::Subtitle, "hdmv_pgs_subtitle", "ger"),
};

std::string Fitted(const std::string& line, std::string& error, std::vector<std::string>* notes) {
    FfmpegPlan plan;
    if (!BuildPlan(kiv::SplitCommandLine(line), plan, error))
        return {};
    std::vector<std::string> said;
    if (!FitToStreams(
            plan, kFilm, [](const std::string&, const std::string&) { return -1; },
            [](int, double) { return FieldOrder::Progressive; }, error, said))
        return {};
    if (notes)
        *notes = said;
    std::string text;
    for (const std::string& argument : FfmpegArguments(plan, "o.mp4"))
        text += (text.empty() ? "" : " ") + argument;
    return text.substr(text.find(" -i ") + 1);
}

} // namespace

TEST(ChoiceFit, ChoicesBecomeFfmpegOptions) {
    std::string error;
    std::vector<std::string> notes;
    // Today's MP4: German and English sound with German the default, the
    // German picture subtitle laid over the cropped picture, its halves
    // moved in by the bars; then turned and mirrored, then the line's size.
    EXPECT_EQ(Fitted("-i f.mkv -map 0:V:0? -map 0:2 -map 0:1 -c:v libx264 -vf scale=640:-2 "
                     "-c:a aac -c:s mov_text -f mp4 -default_tracks 2 -burn_subtitles 5 "
                     "-crop_box 320:160:0:40 -denoise strong -grayscale -turn 180 -flip "
                     "horizontal o.mp4",
                     error, &notes),
              "-i f.mkv -map [kivvideo] -map 0:2 -map 0:1 -c:v libx264 -c:a aac -f mp4 "
              "-disposition:a:0 default -disposition:a:1 0 -filter_complex "
              "[0:0]crop=320:160:0:40,hqdn3d=7:7:7:5,hue=s=0[kivpicture];[0:5]scale=320:240,"
              "split[kivupper][kivlower];[kivupper]crop=320:120:0:0[kivtop];[kivlower]crop=320:"
              "120:0:120[kivbottom];[kivpicture][kivtop]overlay=x=0:y=0:eof_action=pass[kivhalf];"
              "[kivhalf][kivbottom]overlay=x=0:y=main_h-overlay_h:eof_action=pass,hflip,vflip,"
              "hflip,scale=640:-2[kivvideo] o.mp4")
        << error;
    EXPECT_EQ(notes.back(),
              "subtitles: stream #0:5 (hdmv_pgs_subtitle, ger) laid over the picture");

    // An older kind's line names no streams: the chosen sound and the
    // picture by number, the subtitle laid over the whole picture, and
    // deinterlacing forced on a picture that says it is progressive.
    EXPECT_EQ(Fitted("-i f.mkv -b 900k -s 320x240 -f avi -vcodec mpeg4 -acodec mp3 "
                     "-audio_track 3 -burn_subtitles 5 -deinterlace on o.avi",
                     error, nullptr),
              "-i f.mkv -b:v 900k -s 320x240 -f avi -c:v mpeg4 -c:a libmp3lame -map [kivvideo] "
              "-map 0:3 -filter_complex [0:0]bwdif=mode=send_frame:parity=auto:deint=all"
              "[kivpicture];[0:5]scale=320:240[kivsubtitles];[kivpicture][kivsubtitles]overlay="
              "eof_action=pass[kivvideo] o.mp4")
        << error;
}

TEST(ChoiceFit, WhatEncRefuses) {
    const std::pair<std::string, std::string> kRefused[] = {
        {"-denoise loud", "enc does not know the value \"loud\" of -denoise"},
        {"-turn 45", "enc does not know the value \"45\" of -turn"},
        {"-crop_box 320:0:0:0", "enc does not know the value \"320:0:0:0\" of -crop_box"},
        {"-default_tracks 1,x", "enc does not know the value \"1,x\" of -default_tracks"},
        {"-deinterlace maybe", "enc does not know the value \"maybe\" of -deinterlace"},
        {"-burn_subtitles 2", "the source has no subtitle stream #0:2"},
        {"-audio_track 4", "the source has no audio stream #0:4"},
        {"-crop_box 320:200:0:41", "the crop box 320:200:0:41 does not fit the picture of 320x240"},
    };
    for (const auto& [choice, reason] : kRefused) {
        std::string error;
        EXPECT_EQ(Fitted("-i f.mkv -map 0:V:0? -map 0:a? -c:v libx264 -c:a aac -f mp4 " + choice +
                             " o.mp4",
                         error, nullptr),
                  "");
        EXPECT_EQ(error, reason);
    }
}

} // namespace kiv::enc
