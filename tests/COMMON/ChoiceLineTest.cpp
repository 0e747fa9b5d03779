// The user's choices on the command line: the track rule worked out for a
// source's streams, and the exact lines of a film with tracks to choose
// from (its languages, a forced subtitle, black bars found in it).

#include "CFFmpegEncoder.h"
#include "Catalogue.h"
#include "EncoderTestSupport.h"
#include "JobFixture.h"
#include "Log.h"
#include "TestFiles.h"
#include "TrackFilm.h"
#include "commandline/TrackChoice.h"
#include "runs/JobBuilder.h"

#include <gtest/gtest.h>

using namespace kiv;
using namespace kiv::test;

namespace {

StreamFacts Stream(int index, StreamType type, const char* language, bool text = false,
                   bool forced = false) {
    StreamFacts stream;
    stream.index = index;
    stream.type = static_cast<int>(type);
    SetText(stream.language, language);
    stream.textSubtitle = text ? 1 : 0;
    stream.forcedTrack = forced ? 1 : 0;
    return stream;
}

// A DVD rip: English, German and French sound; English text, German
// pictures, and a forced German subtitle for the parts in French.
const std::vector<StreamFacts> kRip = {
    Stream(0, StreamType::Video, ""),
    Stream(1, StreamType::Audio, "eng"),
    Stream(2, StreamType::Audio, "ger"),
    Stream(3, StreamType::Audio, "fre"),
    Stream(4, StreamType::Subtitle, "eng", true),
    Stream(5, StreamType::Subtitle, "ger"),
    Stream(6, StreamType::Subtitle, "deu", false, true),
};

struct RuleCase {
    const char* name;
    AudioRule audio;
    const char* audioLanguages;
    SubtitleRule subtitles;
    const char* subtitleLanguages;
    int burnTrack;
    std::vector<int> keptAudio;
    int defaultAudio; // stream + 1
    std::vector<int> keptSubtitles;
    int burn; // stream + 1
    std::string note;
};

const RuleCase kRules[] = {
    {"profile's own", AudioRule::All, "", SubtitleRule::All, "", 0, {}, 0, {}, 0, ""},
    {"first sound only",
     AudioRule::FirstOnly,
     "",
     SubtitleRule::All,
     "",
     0,
     {1},
     0,
     {4, 5, 6},
     0,
     ""},
    {"my languages in my order",
     AudioRule::MyLanguages,
     "fr,German",
     SubtitleRule::MyLanguages,
     "eng",
     0,
     {3, 2},
     4,
     {4},
     0,
     ""},
    {"desktop's languages",
     AudioRule::MyLanguages,
     "",
     SubtitleRule::None,
     "",
     0,
     {2},
     3,
     {},
     0,
     ""},
    {"none of mine: first kept",
     AudioRule::MyLanguages,
     "ita,spa",
     SubtitleRule::All,
     "",
     0,
     {1},
     2,
     {4, 5, 6},
     0,
     "no audio track in Italian or Spanish: the first one is kept"},
    {"burn the forced one",
     AudioRule::All,
     "",
     SubtitleRule::BurnForcedOrMine,
     "deu",
     0,
     {1, 2, 3},
     0,
     {},
     7,
     ""},
    {"burn the first of mine",
     AudioRule::All,
     "",
     SubtitleRule::BurnForcedOrMine,
     "eng",
     0,
     {1, 2, 3},
     0,
     {},
     5,
     ""},
    {"burn nothing of mine",
     AudioRule::All,
     "",
     SubtitleRule::BurnForcedOrMine,
     "jpn",
     0,
     {1, 2, 3},
     0,
     {},
     0,
     "no subtitle in Japanese: none is burned in"},
    {"burn track 2", AudioRule::All, "", SubtitleRule::BurnTrack, "", 2, {1, 2, 3}, 0, {}, 6, ""},
    {"burn a track not there",
     AudioRule::All,
     "",
     SubtitleRule::BurnTrack,
     "",
     9,
     {1, 2, 3},
     0,
     {},
     0,
     "the file has no subtitle track 9 (it has 3): none is burned in"},
};

std::vector<int> List(const std::int32_t* numbers, int count) {
    return std::vector<int>(numbers, numbers + count);
}

} // namespace

TEST(TrackRule, WorkedOutForTheStreams) {
    for (const RuleCase& c : kRules) {
        ProfileChoices rule{};
        rule.audioRule = static_cast<std::int32_t>(c.audio);
        SetText(rule.audioLanguages, c.audioLanguages);
        rule.subtitleRule = static_cast<std::int32_t>(c.subtitles);
        SetText(rule.subtitleLanguages, c.subtitleLanguages);
        rule.burnTrack = c.burnTrack;
        std::vector<std::string> notes;
        TrackPicks picks = ResolveTrackRule(rule, kRip, {"deu"}, notes);
        SCOPED_TRACE(c.name);
        if (c.keptAudio.empty()) {
            EXPECT_EQ(picks.chosen, 0);
            continue;
        }
        EXPECT_EQ(picks.chosen, 1);
        EXPECT_EQ(List(picks.audio, picks.audioCount), c.keptAudio);
        EXPECT_EQ(picks.defaultAudio, c.defaultAudio);
        EXPECT_EQ(List(picks.subtitles, picks.subtitleCount), c.keptSubtitles);
        EXPECT_EQ(picks.burn, c.burn);
        EXPECT_EQ(notes.empty() ? "" : notes.front(), c.note);
        EXPECT_EQ(PickProblem(picks, kRip), "");
    }
    TrackPicks stale{};
    stale.chosen = 1;
    stale.audioCount = 1;
    stale.audio[0] = 4;
    EXPECT_EQ(PickProblem(stale, kRip), "stream #0:4 of the source is not an audio track");
    stale.audio[0] = 12;
    EXPECT_EQ(PickProblem(stale, kRip), "the source has no stream #0:12");
}

class ChoiceLine : public testing::Test {
protected:
    void SetUp() override {
        folder_ = ScratchFolder("choice-line");
        ASSERT_TRUE(OpenLog((folder_ / "kiv.dmp").string()));
        ASSERT_EQ(encoder_.bInit(&init_), 1);
        film_ = TrackFilm();
    }
    void TearDown() override { CloseLog(); }

    ConversionJob JobFor(int category, int profileIndex, const ProfileChoices& rule) {
        MediaProfile profile{};
        EXPECT_TRUE(GetProfile(category, profileIndex, profile));
        ConversionJob job = MakeJob(0, 0, "", "");
        SetText(job.sourcePath, film_);
        JobPlan plan{"/out", "00:00:00", "00:01:30", "", rule};
        EXPECT_TRUE(PrepareJobForConversion(job, profile, GetCategory(category)->Target, plan));
        return job;
    }
    std::string Line(ConversionJob job) {
        EXPECT_EQ(encoder_.bPrepareConvert(&job), 1) << encoder_.LastResult().reason;
        return encoder_.CommandLine();
    }

    std::filesystem::path folder_;
    std::string film_;
    ProgressRecord record_;
    EncoderInit init_ = MakeInit(record_, "/opt/kiv/", 0);
    CFFmpegEncoder encoder_;
};

TEST_F(ChoiceLine, ExactLinesOfChoices) {
    const std::string head =
        "\"/opt/kiv/enc\" quillon-transcode-gates -i \"" + film_ + "\" -ss 00:00:00 -t 90";
    const std::string h264 = " -c:v libx264 -preset fast -crf 23 -pix_fmt yuv420p"
                             " -vf crop=trunc(iw/2)*2:trunc(ih/2)*2 -fps_mode:v vfr"
                             " -c:a aac -b:a 160k -c:s mov_text -movflags +faststart -f mp4";
    const std::string out = " -y \"/out/track-film_h264_aac.mp4\"";

    // Nothing chosen: the line of old.
    EXPECT_EQ(Line(JobFor(9, 0, {})), head + " -map 0:V:0? -map 0:a? -map 0:s?" + h264 + out);

    // German sound, the English text burned in, the bars found and cut off,
    // a light denoise.
    ProfileChoices rule{};
    rule.audioRule = static_cast<std::int32_t>(AudioRule::MyLanguages);
    SetText(rule.audioLanguages, "de");
    rule.subtitleRule = static_cast<std::int32_t>(SubtitleRule::BurnForcedOrMine);
    SetText(rule.subtitleLanguages, "en");
    rule.cropRule = static_cast<std::int32_t>(CropRule::Auto);
    rule.denoise = static_cast<std::int32_t>(Denoise::Light);
    ConversionJob job = JobFor(9, 0, rule);
    EXPECT_EQ(Line(job), head + " -map 0:V:0? -map 0:2" + h264 +
                             " -default_tracks 2 -burn_subtitles 4 -crop_box 320:160:0:40"
                             " -denoise light" +
                             out);

    // The tracks ticked for this file win over the rule; an older kind
    // takes the first of them as its sound, and keeps its fixed frame
    // whole (a crop or a quarter turn would stretch the picture).
    job = JobFor(0, 1, rule); // "XVID Video"
    job.choices.picks = TrackPicks{};
    job.choices.picks.chosen = 1;
    job.choices.picks.audioCount = 2;
    job.choices.picks.audio[0] = 3;
    job.choices.picks.audio[1] = 1;
    job.choices.rule.turn = 90;
    job.choices.rule.deinterlace = static_cast<std::int32_t>(Deinterlace::Never);
    std::string line = Line(job);
    EXPECT_EQ(line.substr(line.find(" -f avi")),
              " -f avi -vcodec libxvid -vtag xvid  -acodec libmp3lame -audio_track 3 -denoise "
              "light -deinterlace off -y \"/out/track-film_libxvid_libmp3lame.avi\"");

    // Ticked tracks that the file no longer has are refused, not guessed.
    job.choices.picks.audio[1] = 4;
    EXPECT_EQ(encoder_.bPrepareConvert(&job), 0);
    EXPECT_EQ(encoder_.LastResult().reason,
              "the tracks chosen for this file no longer fit it: stream #0:4 of the source is "
              "not an audio track");
}
