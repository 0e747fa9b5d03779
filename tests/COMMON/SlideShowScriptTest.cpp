// The slideshow's scripts and encoder command lines, byte for byte.

#include "FixedText.h"
#include "TestFiles.h"
#include "slideshow/SlideShowCommandLines.h"
#include "slideshow/SlideShowScripts.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

using namespace kiv;
using kiv::test::Lines;

namespace {

const std::string kApp = "/app/";
const std::string kWork = "/out/showkiv";

// A show of `count` pictures "/pics/N.jpg": display frames 100, 90, 80, ...
// (never below 10), transition frames 25, 20, 15, ... (never below 5).
struct ShowFixture {
    std::vector<SlideShowPicture> pictures;
    SlideShow show{};

    explicit ShowFixture(int count, const std::string& music = {},
                         const std::vector<std::string>& captions = {}) {
        pictures.assign(static_cast<std::size_t>(count), SlideShowPicture{});
        for (int i = 0; i < count; ++i) {
            SlideShowPicture& picture = pictures[static_cast<std::size_t>(i)];
            SetText(picture.imagePath, "/pics/" + std::to_string(i + 1) + ".jpg");
            picture.displayFrames = std::max(10, 100 - 10 * i);
            picture.transitionFrames = std::max(5, 25 - 5 * i);
            if (static_cast<std::size_t>(i) < captions.size())
                SetText(picture.caption, captions[static_cast<std::size_t>(i)]);
        }
        show.pictures = pictures.data();
        show.pictureCount = count;
        SetText(show.outputPrefix, "/out/show");
        SetText(show.musicPath, music);
        show.targetKind = 4;
        show.target.variant = 8;
        SetText(show.target.videoCodec, "libx264");
        SetText(show.target.audioCodec, "aac");
        show.target.videoBitrate = 768;
        show.target.width = 320;
        show.target.height = 240;
        show.target.frameRate = 25;
        show.target.audioBitrate = 128;
        show.target.channels = 2;
        show.target.sampleRate = 44100;
        show.target.volume = 256;
    }
};

std::string Between(const std::string& text, const std::string& from, const std::string& to) {
    std::size_t start = text.find(from);
    std::size_t end = text.find(to, start);
    if (start == std::string::npos || end == std::string::npos)
        return "(missing)";
    return text.substr(start + from.size(), end - start - from.size());
}

const std::string kOnePictureImageScript = R"(LoadPlugin("/app/zoom.dll")
SFH = 462
SFW = 576
SfAH = mlif(462)
SfAW = mlif(576)
bgname ="/app/bg.jpg"
SafebH = 576
SafebW = 720
rate = 25
bgname = LanczosResize(imagesource(bgname,1,1,rate),SafeBW,safeBH)
fgname="/pics/1.jpg"
fgname = SfSize(imagesource(fgname,1,1,pixel_type="RGB32",rate),SFW,SFH,rate)
imgout = AddBack(fgname,bgname,1)
fgname = nop()
imgout = imgout + imgout
function SfSize(image, int SFW, int SFH, int fps)
{
a = image
w= Width(a)
h= Height(a)
h = (w > SFW) ? mlif(h * SFW/float(w)) : h
w = (w > SFW) ? SFW : w
w = (h > SFH) ? mlif(w * SFH/float(h)) : w
h = (h > SFH) ? SFH : h
return ((Width(a) != w) || (Height(a) != h)) ? a.LanczosResize(mlif(w), mlif(h)) : a
}
function mlif (val mfour)
{
return (int(mfour/4))*4
}
function AddBack(clip imagef, clip imageb, int dur)
{
b = imageB
f = imageF
x = (width(b)/2)-(width(f)/2)
y = (height(b)/2)-(height(f)/2)
c= overlay(b,f,x,y,mask=showalpha(f.converttorgb32()), mode="blend")
return c
}
imgout = imgout.converttoyv12()
imgout.ImageWriter("/out/showkiv/aya",0,1,"ebmp")
function AddAlphaBack(clip imagef, clip imageb)
{
b = imageB
f = imageF
x = (width(b)/2)-(width(f)/2)
y = (height(b)/2)-(height(f)/2)
c = Layer(b,f,"add",255,x,y)#,0,use_chroma=true)
return c
}
function SafeSizeKB(image, int SFW, int SFH)
{
a = image )"
                                           "\n"
                                           R"(w= Width(a)
h= Height(a)
h = (w > SFW) ? mlif(h * SFW/float(w)) : h
w = (w > SFW) ? SFW : w )"
                                           "\n"
                                           R"(w = (h > SFH) ? mlif(w * SFH/float(h)) : w
h = (h > SFH) ? SFH : h
return ((Width(a) != w) || (Height(a) != h)) ? a.LanczosResize(mlif(w), mlif(h)) : a
}
)";

// Three pictures with music; captions on the first and the third.
const std::string kThreePictureShowScript = R"(SetMemoryMax(100000000)
loadplugin("/app/TransAll.dll")
loadplugin("/app/vsfilter.dll")
loadplugin("/app/zoom.dll")
SFH = 462
SFW = 576
overimg=blankclip()
SfAH = mlif(462)
SfAW = mlif(576)
bgname = "/app/bg.jpg"
SafebH = 576
SafebW = 720
rate = 25
bgname = LanczosResize(imagesource(bgname,1,1,rate),SafeBW,safeBH)
a = bgname
at = bgname
b = bgname
bt = bgname
loadplugin("/app/mpaSource.dll")
audiotrack = mpasource("/music/song.mp3").eqaudio()
am = bgname
am = loop(am,int(25*(audiotrack.AudioLengthF/audiotrack.AudioRate)))
music = AudioDub(am,audiotrack)
music = Loop(music, int(330/music.Framecount())+1)
imgout=ImageSource("/out/showkiv/aya%06d.ebmp",0,3,rate)
SFH = 576 )"
                                            "\n"
                                            R"(SFW = 720 )"
                                            "\n"
                                            R"(ssa = ""
writefilestart(blankclip(),"/out/showkiv/kiv"+".ssa","ssa",append = false)
ssafile = "/out/showkiv/kiv.ssa"
ssa = ssa + "[Script Info]"+ chr(10)
ssa = ssa + "ScriptType: v4.00+"+ chr(10)
ssa = ssa + "Collisions: Normal"+ chr(10)
ssa = ssa + "PlayResX: 384"+ chr(10)
ssa = ssa + "PlayResY: 180"+ chr(10)
ssa = ssa + "Timer: 100.0000"+ chr(10)
ssa = ssa + chr(10)
ssa = ssa + "[V4+ Styles]"
writefilestart(BlankClip(),"/out/showkiv/kiv"+".ssa","ssa",append = true)
ssa = ""
ssa = ssa + "Format: Name, Fontname, Fontsize, PrimaryColour, SecondaryColour, OutlineColour, BackColour, Bold, Italic, "
ssa = ssa + "Underline, StrikeOut, ScaleX, ScaleY, Spacing, Angle, BorderStyle, Outline, Shadow, Alignment, MarginL, MarginR, MarginV, Encoding"
writefilestart(BlankClip(),"/out/showkiv/kiv"+".ssa","ssa",append = true)
ssa = ""
ssa = ssa + "Style: Default,Times New Roman,20,&H00FFFFFF,&H0000FFFF,&H00000000,&H00000000,0,0,0,0,50,50,0,0.00,1,2,0,2,20,20,20,1"
writefilestart(BlankClip(),"/out/showkiv/kiv"+".ssa","ssa",append = true)
ssa = ""+ chr(10)
ssa = ssa + "[Events]"+ chr(10)
ssa = ssa + "Format: Layer, Start, End, Style, Actor, MarginL, MarginR, MarginV, Effect, Text"+ chr(10)
writefilestart(BlankClip(),"/out/showkiv/kiv"+".ssa","ssa",append = true)
ssa = ""
inpoint = 1
a = (trim(imgout,000001,000001))
a = loop(a,100)
at = (trim(imgout,000001,000001))
at = loop(at,25)
musicbite = trim(music,1,framecount(a))
a = audiodub(a,musicbite)
musicbite = trim(music,framecount(a),framecount(a+audiodub(at,BlankClip(length=framecount(at), fps = rate, audio_rate=48000, stereo = true))))
at = audiodub(at,musicbite).eqaudio()
outpoint = a.framecount+at.framecount
ssa = ssa + "Dialogue: 0,"+ convert2hhmmscff(0, rate)+ ","+ convert2hhmmscff(100, rate)+",Default,NTP,0000,0000,0000,!Effect,First" + chr(10)
writefilestart(BlankClip(),"/out/showkiv/kiv"+".ssa","ssa",append = true)
ssa = ""
bt = (trim(imgout,000002,000002))
bt = loop(bt,30)
musicbite = trim(music,framecount(a),framecount(a+at))
bt = audiodub(bt,musicbite).eqaudio()
at=at.SSRC(48000)
bt=bt.SSRC(48000) )"
                                            "\n"
                                            R"(ft=20
c = (import("/app//plugin/InCenter.avs"))
c = audiodub(c,BlankClip(length=c.framecount, fps = rate, audio_rate=48000, stereo = true))
d = a + c
writefilestart(d,"/out/showkiv/kiv"+".ssa","ssa",append = true)
ssa = ""
a = (trim(imgout,000002,000002))
a = loop(a,90)
at = (trim(imgout,000002,000002))
at = loop(at,20)
musicbite = trim(music,framecount(d),framecount(d+audiodub(a,BlankClip(length=a.framecount, fps = rate, audio_rate=48000, stereo = true))))
a = audiodub(a,musicbite).eqaudio()
musicbite = trim(music,framecount(d+a),framecount(d+a+audiodub(at,BlankClip(length=at.framecount, fps = rate, audio_rate=48000, stereo = true))))
at = audiodub(at,musicbite).eqaudio()
outpoint = d.framecount+a.framecount+at.framecount
bt = (trim(imgout,000003,000003))
bt = loop(bt,15)
musicbite = trim(music,framecount(d+a),framecount(d+a+audiodub(at,BlankClip(length=at.framecount, fps = rate, audio_rate=48000, stereo = true)))) )"
                                            "\n"
                                            R"(bt = audiodub(bt,musicbite).eqaudio()
c = (import("/app//plugin/OutCenter.avs"))
c = audiodub(c,bt).eqaudio()
d = d + a + c
ssa = ssa + "Dialogue: 0,"+ convert2hhmmscff(d.framecount+1, rate)+ ","+ convert2hhmmscff(d.framecount+100+1, rate)+",Default,NTP,0000,0000,0000,!Effect,Third"+ chr(10)
writefilestart(d,"/out/showkiv/kiv"+".ssa","ssa",append = true)
ssa = ""
a = (trim(imgout,000003,000003))
a = loop(a,90)
at = (trim(imgout,000003,000003))
at = loop(at,15)
musicbite = trim(music,framecount(d),framecount(d+audiodub(a,BlankClip(length=a.framecount, fps = rate, audio_rate=48000, stereo = true))))
a = audiodub(a,musicbite).eqaudio()
musicbite = trim(music,framecount(d+a),framecount(d+a+audiodub(at,BlankClip(length=at.framecount, fps = rate, audio_rate=48000, stereo = true))))
at = audiodub(at,musicbite).eqaudio()
outpoint = d.framecount+a.framecount+at.framecount
d.trim(2,d.framecount) )"
                                            "\n"
                                            R"(function convert2hhmmscff(int cf,float fr)
{
hh=int(cf/3600/fr)
mm=int((cf-hh*3600*fr)/60/fr)
ss=int((cf-hh*3600*fr-mm*60*fr)/fr)
ff=int((cf-hh*3600*fr-mm*60*fr-ss*fr))
smpte=string(hh,"%02.0f")+":"+string(mm,"%02.0f")+":"+string(ss,"%02.0f")+"."+string(ff,"%02.0f")  return smpte )"
                                            "\n"
                                            R"(}
function HasAudio(clip chkaud)
{
return chkaud.AudioRate() != 0
}
function HasMono (clip mon)
{
return audiochannels(mon)!=2
}
function mlif (val mfour)
{
return (int(mfour/4))*4
}
function eqaudio(clip eqaud)
{
eqaud = eqaud.HasAudio() ? eqaud : audiodub(eqaud,BlankClip(eqaud.framecount, fps = 25, audio_rate=48000))
eqaud = HasMono(eqaud) ? MergeChannels(eqaud.GetChannel(1), eqaud.GetChannel(1)) : eqaud
return eqaud.SSRC(48000)
}
function importavs(string impavs)
{
import(impavs)
}
SSRC(48000)
AssumeFPS(25, 1, true)
textsub("/out/showkiv/kiv.ssa"))";

const std::string kSilentPair =
    "a = audiodub(a,BlankClip(length=a.framecount, fps = rate, audio_rate=48000, stereo = "
    "true))\nat = audiodub(at,BlankClip(length=at.framecount, fps = rate, audio_rate=48000, "
    "stereo = true))\n";

} // namespace

TEST(SlideShowScripts, OnePictureImageScriptIsExact) {
    ShowFixture one(1);
    EXPECT_EQ(ImageScriptText(kApp, kWork, one.show), kOnePictureImageScript);
}

TEST(SlideShowScripts, LaterPicturesAreAddedOneFrameEach) {
    ShowFixture three(3);
    std::string text = ImageScriptText(kApp, kWork, three.show);
    EXPECT_EQ(Between(text, "bgname = LanczosResize(imagesource(bgname,1,1,rate),SafeBW,safeBH)\n",
                      "function SfSize"),
              "fgname=\"/pics/1.jpg\"\n"
              "fgname = SfSize(imagesource(fgname,1,1,pixel_type=\"RGB32\",rate),SFW,SFH,rate)\n"
              "imgout = AddBack(fgname,bgname,1)\n"
              "fgname = nop()\n"
              "imgout = imgout + imgout\n"
              "fgname=\"/pics/2.jpg\"\n"
              "fgname = SfSize(imagesource(fgname,1,1,pixel_type=\"RGB32\",rate),SFW,SFH,rate)\n"
              "imgout = imgout + AddBack(fgname,bgname,1)\n"
              "fgname = nop()\n"
              "fgname=\"/pics/3.jpg\"\n"
              "fgname = SfSize(imagesource(fgname,1,1,pixel_type=\"RGB32\",rate),SFW,SFH,rate)\n"
              "imgout = imgout + AddBack(fgname,bgname,1)\n"
              "fgname = nop()\n");
    EXPECT_NE(text.find("imgout.ImageWriter(\"/out/showkiv/aya\",0,3,\"ebmp\")\n"),
              std::string::npos);
    ShowFixture two(2);
    EXPECT_NE(ImageScriptText(kApp, kWork, two.show)
                  .find("imgout.ImageWriter(\"/out/showkiv/aya\",0,2,\"ebmp\")\n"),
              std::string::npos);
}

TEST(SlideShowScripts, ThreePicturesWithMusicIsExact) {
    ShowFixture three(3, "/music/song.mp3", {"First", "", "Third"});
    EXPECT_EQ(ShowScriptText(kApp, kWork, three.show, ShowSound::MusicWhenGiven),
              kThreePictureShowScript);
}

TEST(SlideShowScripts, OnePictureShowHasTheFirstBlockAndTheTrailer) {
    ShowFixture one(1);
    std::string text = ShowScriptText(kApp, kWork, one.show, ShowSound::Silent);
    EXPECT_EQ(Between(text, "inpoint = 1\n", "function convert2hhmmscff"),
              "a = (trim(imgout,000001,000001))\n"
              "a = loop(a,100)\n"
              "at = (trim(imgout,000001,000001))\n"
              "at = loop(at,25)\n" +
                  kSilentPair +
                  "outpoint = a.framecount+at.framecount\n"
                  "d.trim(2,d.framecount) \n");
    EXPECT_NE(text.find("imgout=ImageSource(\"/out/showkiv/aya%06d.ebmp\",0,1,rate)\n"),
              std::string::npos);
}

TEST(SlideShowScripts, TwoPicturesUseOnlyInCenter) {
    ShowFixture two(2, {}, {"", "Second"});
    std::string text = ShowScriptText(kApp, kWork, two.show, ShowSound::Silent);
    std::vector<std::string> imports;
    for (const std::string& line : Lines(text))
        if (line.starts_with("c = (import("))
            imports.push_back(line);
    EXPECT_EQ(imports, std::vector<std::string>{"c = (import(\"/app//plugin/InCenter.avs\"))"});
    EXPECT_NE(text.find("ssa = ssa + \"Dialogue: 0,\"+ convert2hhmmscff(d.framecount+1, rate)+ "
                        "\",\"+ convert2hhmmscff(d.framecount+100+1, rate)+\",Default,NTP,0000,"
                        "0000,0000,!Effect,Second\"+ chr(10)\nwritefilestart(d,"),
              std::string::npos);
}

TEST(SlideShowScripts, SeventeenPicturesWalkTheTransitionTableUpAndBack) {
    ShowFixture seventeen(17);
    std::string text = ShowScriptText(kApp, kWork, seventeen.show, ShowSound::Silent);
    std::vector<std::string> imports;
    int overlaps = 0;
    for (const std::string& line : Lines(text)) {
        if (line.starts_with("c = (import(\"/app//plugin/"))
            imports.push_back(line.substr(26, line.size() - 26 - 3));
        overlaps += line.starts_with("ft=") ? 1 : 0;
    }
    EXPECT_EQ(imports, (std::vector<std::string>{
                           "InCenter.avs", "OutCenter.avs", "OutEast.avs", "InEast.avs", "InNE.avs",
                           "OutNE.avs", "OutNorth.avs", "InNorth.avs", "InSouth.avs",
                           "OutSouth.avs", "OutWest.avs", "InWest.avs", "InSW.avs", "OutSE.avs",
                           "OutSE.avs", "OutCenter.avs"}));
    EXPECT_EQ(overlaps, 15); // pictures 2 to 16; the last keeps the one before
    EXPECT_NE(text.find(",0,17,rate)\n"), std::string::npos);
    // The table walk on its own: up to 13, once more 13, then down.
    std::vector<std::string> walk;
    for (int k = 2; k <= 30; ++k)
        walk.push_back(TransitionScriptFor(k, 31));
    EXPECT_EQ(walk[14], "OutSE.avs");     // picture 16
    EXPECT_EQ(walk[15], "InSW.avs");      // picture 17: index 12
    EXPECT_EQ(walk[26], "OutCenter.avs"); // picture 28: index 1
    EXPECT_EQ(walk[27], "OutCenter.avs"); // picture 29: index 1 again
    EXPECT_EQ(walk[28], "OutEast.avs");   // picture 30: rising to 2
    EXPECT_STREQ(TransitionScriptFor(31, 31), "OutCenter.avs");
}

TEST(SlideShowScripts, EmptyMusicGivesSilentSoundWithTheMusicLoopLengths) {
    ShowFixture four(4);
    std::vector<std::string> music =
        Lines(ShowScriptText(kApp, kWork, four.show, ShowSound::MusicWhenGiven));
    std::vector<std::string> silent =
        Lines(ShowScriptText(kApp, kWork, four.show, ShowSound::Silent));
    ASSERT_EQ(music.size(), silent.size());
    std::vector<std::string> differences;
    for (std::size_t i = 0; i < music.size(); ++i)
        if (music[i] != silent[i])
            differences.push_back(music[i] + " | " + silent[i]);
    // Transition frames 20, 15, 10 for pictures 2, 3, 4.
    EXPECT_EQ(differences, (std::vector<std::string>{"bt = loop(bt,30) | bt = loop(bt,20)",
                                                     "bt = loop(bt,15) | bt = loop(bt,25)",
                                                     "bt = loop(bt,10) | bt = loop(bt,20)"}));
    for (const std::string& line : music)
        EXPECT_EQ(line.find("music"), std::string::npos) << line;
}

TEST(SlideShowScripts, RefusesTextsThatWouldBreakAScriptString) {
    struct Row {
        const char* picture;
        const char* caption;
        const char* music;
        bool refused;
    } rows[] = {
        {"/pics/a.jpg", "fine caption", "/m/song.mp3", false},
        {"/pics/say \"cheese\".jpg", "", "", true},
        {"/pics/a.jpg", "a \"quoted\" word", "", true},
        {"/pics/a.jpg", "two\nlines", "", true},
        {"/pics/a.jpg", "", "/m/\"best\".mp3", true},
        {"/pics/a.jpg", "caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x8E\x82", "", false},
        {"/pics/a.jpg", "caf\xE9", "", true},      // Latin-1
        {"/pics/a.jpg", "\xC0\xAF", "", true},     // an overlong "/"
        {"/pics/a.jpg", "cut \xE2\x82", "", true}, // a sequence cut short
        {"/pics/a.jpg", "\xED\xA0\x80", "", true}, // a surrogate
    };
    for (const Row& row : rows) {
        ShowFixture one(1, row.music, {row.caption});
        SetText(one.pictures[0].imagePath, row.picture);
        EXPECT_EQ(SlideShowRefusal(one.show).has_value(), row.refused)
            << row.picture << row.caption;
    }
    ShowFixture latin1(2, "", {"", "caf\xE9"});
    EXPECT_EQ(SlideShowRefusal(latin1.show),
              "the caption of picture 2 is not UTF-8 text, which the captions need: caf\\xE9");
    ShowFixture none(1);
    none.show.pictureCount = 0;
    EXPECT_TRUE(SlideShowRefusal(none.show).has_value());
    ShowFixture negative(2);
    negative.pictures[1].transitionFrames = -1;
    EXPECT_TRUE(SlideShowRefusal(negative.show).has_value());
}

TEST(SlideShowCommandLines, RenderAndEncodeParametersAreExact) {
    EXPECT_EQ(RenderParameters(kWork, 1234),
              "quillon-transcode-gates -i \"/out/showkiv/kiv.avs\"  -y \"/out/showkiv/1234.mpg\"");
    EXPECT_EQ(EncoderCommandLine("/app/enc", "quillon-transcode-gates -i \"x\""),
              "\"/app/enc\" quillon-transcode-gates -i \"x\"");
    ShowFixture withMusic(2, "/music/song.mp3");
    EncodeParameters line = BuildEncodeParameters(withMusic.show, kWork, 1234);
    ASSERT_TRUE(line.built);
    EXPECT_EQ(line.parameters,
              "quillon-transcode-gates -i \"/music/song.mp3\" -i \"/out/showkiv/kiv.avs\"  -b 768k "
              "-s 320x240 -r 25.00 -scodec copy  -ab 128.00k  -ac 2 -ar 44100.00 -vol 256 "
              "-shortest  -vcodec libx264 -acodec aac -coder 0 -g 250 -vlevel 13 -qmin 10 -qmax "
              "51 -maxrate 768k -bufsize 10M  -y \"/out/show1234_libx264_aac.mp4\"");
    EXPECT_EQ(line.outputPath, "/out/show1234_libx264_aac.mp4");
    ShowFixture silent(2);
    EXPECT_TRUE(BuildEncodeParameters(silent.show, kWork, 7)
                    .parameters.starts_with("quillon-transcode-gates -i \"/out/showkiv/kiv.avs\"  "
                                            "-b 768k"));
}

TEST(SlideShowCommandLines, OptionSetsPerKind) {
    const std::string kL21 =
        " -flags +loop -cmp +chroma -partitions +parti4x4+partp8x8+partb8x8 -flags2 "
        "+mixed_refs+brdo -me umh -subq 7 -trellis 2 -bidir_refine 1 -refs 2 -bf 1 -b_strategy 1 "
        "-coder 1 -me_range 16 -g 300 -keyint_min 25 -sc_threshold 40 -i_qfactor 0.71 -bt 48k "
        "-maxrate 768k -bufsize 10M -rc_eq \"blurCplx^(1-qComp)\" -qcomp 0.6 -qmin 10 -qmax 51 "
        "-qdiff 4 -level 21 ";
    struct Row {
        int kind, variant;
        const char *video, *audio;
        bool known;
        std::string options, extension;
    } rows[] = {
        {1, 0, "libxvid", "mp3", true, " -f avi -vcodec  libxvid -vtag xvid  -acodec mp3", ".avi"},
        {1, 1, "divx", "mp3", true, " -f avi -vcodec  mpeg4 -vtag divx  -acodec mp3", ".avi"},
        {1, 2, "msmpeg4", "mp3", true, " -f avi -vcodec msmpeg4 -vtag MP43  -acodec mp3", ".avi"},
        {1, 7, "mjpeg", "mp3", true, " -f avi -vcodec mjpeg -acodec mp3", ".avi"},
        {2, 0, "wmv2", "wmav2", true, " -vcodec wmv2 -acodec wmav2", ".wmv"},
        {2, 3, "msmpeg4", "wmav2", true, " -vcodec msmpeg4 -acodec wmav2  -f asf ", ".asf"},
        {3, 0, "pal-dvd", "ac3", true, " -target pal-dvd -acodec ac3 -mbd 2 -qmin 2 ", ".mpg"},
        {4, 1, "mpeg4", "aac", true,
         " -vcodec mpeg4 -acodec aac -qmin 10 -qmax 31 -maxrate 768k -bufsize 10M ", ".mp4"},
        {4, 3, "mpeg4", "aac", true,
         " -vcodec mpeg4 -acodec aac -qmin 2 -qmax 31 -maxrate 768k -bufsize 10M ", ".mp4"},
        {4, 6, "libx264", "aac", true,
         " -vcodec libx264 -acodec aac -qmin 10 -qmax 51 -maxrate 768k -bufsize 10M ", ".mp4"},
        {4, 10, "mpeg4", "aac", true,
         " -vcodec mpeg4 -acodec aac -flags +aic+mv4+trell -mbd 2 -cmp 2 -subcmp 2 -g 250 -qmin "
         "10 -qmax 51",
         ".mp4"},
        {4, 12, "mpeg4", "aac", true,
         " -vcodec mpeg4 -acodec aac -qmin 10 -qmax 31 -maxrate 768k -bufsize 10M ", ".mov"},
        {4, 13, "mpeg4", "aac", true, " -vcodec mpeg4 -acodec aac", ".mp4"},
        {5, 0, "h263", "aac", true, " -vcodec h263 -acodec aac -f 3gp ", ".3gp"},
        {9, 1, "h263", "aac", true, " -vcodec h263 -acodec aac -f 3g2 ", ".3g2"},
        {9, 5, "mpeg4", "aac", true, " -vcodec mpeg4 -acodec aac", ".mp4"},
        {9, 9, "mpeg4", "aac", true, " -vcodec mpeg4 -acodec aac", ""},
        {6, 0, "swf", "mp3", true, " -f swf -acodec mp3", ".swf"},
        {6, 1, "flv", "mp3", true, " -f flv -vcodec flv -acodec mp3", ".flv"},
        {6, 2, "flv", "mp3", false, "", ""},
        {7, 1, "divx", "aac", true, " -f mov -vcodec  mpeg4  -acodec aac", ".mov"},
        {8, 1, "mpeg4", "aac", true,
         " -vcodec mpeg4 -acodec aac -f psp  -bufsize 10M  -maxrate 1500k -coder 1 -coder 1 -g "
         "250 ",
         ".mp4"},
        {8, 3, "libx264", "aac", true, " -vcodec libx264 -acodec aac -f psp  -bufsize 10M " + kL21,
         ".mp4"},
        {8, 7, "mpeg4", "aac", true,
         " -vcodec mpeg4 -acodec aac -f psp  -bufsize 10M  -qscale 7 -bitexact ", ".mp4"},
        {8, 9, "mpeg4", "aac", true,
         " -vcodec mpeg4 -acodec aac -f psp  -bufsize 10M  -maxrate 1500k -coder 1 -coder 1 -g "
         "250 -qscale 25 -bitexact ",
         ".mp4"},
        {22, 2, "mjpeg", "pcm_s16le", true, " -vcodec mjpeg -acodec pcm_s16le -f avi ", ""},
        {22, 0, "mjpeg", "pcm_s16le", true, " -vcodec mjpeg -acodec pcm_s16le", ""},
        {10, 0, "mpeg4", "aac", false, "", ""},
        {12, 0, "mpeg4", "mp3", false, "", ""},
    };
    for (const Row& row : rows) {
        MediaDescription target{};
        target.variant = row.variant;
        SetText(target.videoCodec, row.video);
        SetText(target.audioCodec, row.audio);
        SlideShowOptionSet set = SlideShowOptionsFor(target, row.kind);
        EXPECT_EQ(set.known, row.known) << row.kind << "/" << row.variant;
        if (!row.known)
            continue;
        EXPECT_EQ(set.options, row.options) << row.kind << "/" << row.variant;
        EXPECT_EQ(set.extension, row.extension) << row.kind << "/" << row.variant;
    }
}
