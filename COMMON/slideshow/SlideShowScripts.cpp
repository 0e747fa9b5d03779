#include "slideshow/SlideShowScripts.h"

#include "FixedText.h"
#include "Paths.h"
#include "files/PrivateWorkFolder.h"

#include <cstdio>

namespace kiv {

namespace {

const std::string kSeparator(1, kPathSeparator);
constexpr const char* kSubtitleName = "kiv";

std::string Pad6(int value) {
    char text[32];
    std::snprintf(text, sizeof text, "%06d", value);
    return text;
}

std::string N(int value) {
    return std::to_string(value);
}

// The two lines that write the subtitle text gathered so far to the file.
std::string FlushLines(std::string_view work) {
    return "writefilestart(BlankClip(),\"" + std::string(work) + kSeparator + kSubtitleName +
           "\"+\".ssa\",\"ssa\",append = true)\n" + "ssa = \"\"\n";
}

std::string TrimLines(const char* clip, int picture, int frames) {
    std::string name(clip);
    return name + " = (trim(imgout," + Pad6(picture) + "," + Pad6(picture) + "))\n" + name +
           " = loop(" + name + "," + N(frames) + ")\n";
}

// Sound lines: S1 (first picture, a and at), S2 (bt of the second
// picture), S3 (a and at of later pictures), S4 (bt of pictures 3 on).
const char* const kSilentPair =
    "a = audiodub(a,BlankClip(length=a.framecount, fps = rate, audio_rate=48000, stereo = "
    "true))\n"
    "at = audiodub(at,BlankClip(length=at.framecount, fps = rate, audio_rate=48000, stereo = "
    "true))\n";
const char* const kSilentBt = "bt = audiodub(bt,BlankClip(length=bt.framecount, fps = rate, "
                              "audio_rate=48000, stereo = true))\n";
const char* const kMusicS1 =
    "musicbite = trim(music,1,framecount(a))\n"
    "a = audiodub(a,musicbite)\n"
    "musicbite = trim(music,framecount(a),framecount(a+audiodub(at,BlankClip(length=framecount("
    "at), fps = rate, audio_rate=48000, stereo = true))))\n"
    "at = audiodub(at,musicbite).eqaudio()\n";
const char* const kMusicS2 = "musicbite = trim(music,framecount(a),framecount(a+at))\n"
                             "bt = audiodub(bt,musicbite).eqaudio()\n";
const char* const kMusicS3 =
    "musicbite = trim(music,framecount(d),framecount(d+audiodub(a,BlankClip(length=a.framecount, "
    "fps = rate, audio_rate=48000, stereo = true))))\n"
    "a = audiodub(a,musicbite).eqaudio()\n"
    "musicbite = trim(music,framecount(d+a),framecount(d+a+audiodub(at,BlankClip(length=at."
    "framecount, fps = rate, audio_rate=48000, stereo = true))))\n"
    "at = audiodub(at,musicbite).eqaudio()\n";
const char* const kMusicS4 =
    "musicbite = trim(music,framecount(d+a),framecount(d+a+audiodub(at,BlankClip(length=at."
    "framecount, fps = rate, audio_rate=48000, stereo = true)))) \n"
    "bt = audiodub(bt,musicbite).eqaudio()\n";

const char* const kImageFunctions =
    "function SfSize(image, int SFW, int SFH, int fps)\n"
    "{\n"
    "a = image\n"
    "w= Width(a)\n"
    "h= Height(a)\n"
    "h = (w > SFW) ? mlif(h * SFW/float(w)) : h\n"
    "w = (w > SFW) ? SFW : w\n"
    "w = (h > SFH) ? mlif(w * SFH/float(h)) : w\n"
    "h = (h > SFH) ? SFH : h\n"
    "return ((Width(a) != w) || (Height(a) != h)) ? a.LanczosResize(mlif(w), mlif(h)) : a\n"
    "}\n"
    "function mlif (val mfour)\n"
    "{\n"
    "return (int(mfour/4))*4\n"
    "}\n"
    "function AddBack(clip imagef, clip imageb, int dur)\n"
    "{\n"
    "b = imageB\n"
    "f = imageF\n"
    "x = (width(b)/2)-(width(f)/2)\n"
    "y = (height(b)/2)-(height(f)/2)\n"
    "c= overlay(b,f,x,y,mask=showalpha(f.converttorgb32()), mode=\"blend\")\n"
    "return c\n"
    "}\n";

const char* const kImageTrailerFunctions =
    "function AddAlphaBack(clip imagef, clip imageb)\n"
    "{\n"
    "b = imageB\n"
    "f = imageF\n"
    "x = (width(b)/2)-(width(f)/2)\n"
    "y = (height(b)/2)-(height(f)/2)\n"
    "c = Layer(b,f,\"add\",255,x,y)#,0,use_chroma=true)\n"
    "return c\n"
    "}\n"
    "function SafeSizeKB(image, int SFW, int SFH)\n"
    "{\n"
    "a = image \n"
    "w= Width(a)\n"
    "h= Height(a)\n"
    "h = (w > SFW) ? mlif(h * SFW/float(w)) : h\n"
    "w = (w > SFW) ? SFW : w \n"
    "w = (h > SFH) ? mlif(w * SFH/float(h)) : w\n"
    "h = (h > SFH) ? SFH : h\n"
    "return ((Width(a) != w) || (Height(a) != h)) ? a.LanczosResize(mlif(w), mlif(h)) : a\n"
    "}\n";

const char* const kShowTrailerFunctions =
    "function convert2hhmmscff(int cf,float fr)\n"
    "{\n"
    "hh=int(cf/3600/fr)\n"
    "mm=int((cf-hh*3600*fr)/60/fr)\n"
    "ss=int((cf-hh*3600*fr-mm*60*fr)/fr)\n"
    "ff=int((cf-hh*3600*fr-mm*60*fr-ss*fr))\n"
    "smpte=string(hh,\"%02.0f\")+\":\"+string(mm,\"%02.0f\")+\":\"+string(ss,\"%02.0f\")+\".\"+"
    "string(ff,\"%02.0f\")  return smpte \n"
    "}\n"
    "function HasAudio(clip chkaud)\n"
    "{\n"
    "return chkaud.AudioRate() != 0\n"
    "}\n"
    "function HasMono (clip mon)\n"
    "{\n"
    "return audiochannels(mon)!=2\n"
    "}\n"
    "function mlif (val mfour)\n"
    "{\n"
    "return (int(mfour/4))*4\n"
    "}\n"
    "function eqaudio(clip eqaud)\n"
    "{\n"
    "eqaud = eqaud.HasAudio() ? eqaud : audiodub(eqaud,BlankClip(eqaud.framecount, fps = 25, "
    "audio_rate=48000))\n"
    "eqaud = HasMono(eqaud) ? MergeChannels(eqaud.GetChannel(1), eqaud.GetChannel(1)) : eqaud\n"
    "return eqaud.SSRC(48000)\n"
    "}\n"
    "function importavs(string impavs)\n"
    "{\n"
    "import(impavs)\n"
    "}\n"
    "SSRC(48000)\n"
    "AssumeFPS(25, 1, true)\n";

std::string ShowHeader(std::string_view app) {
    std::string a(app);
    return "SetMemoryMax(100000000)\n"
           "loadplugin(\"" +
           a + "TransAll.dll\")\n" + "loadplugin(\"" + a + "vsfilter.dll\")\n" + "loadplugin(\"" +
           a + "zoom.dll\")\n" +
           "SFH = 462\n"
           "SFW = 576\n"
           "overimg=blankclip()\n"
           "SfAH = mlif(462)\n"
           "SfAW = mlif(576)\n"
           "bgname = \"" +
           a + "bg.jpg\"\n" +
           "SafebH = 576\n"
           "SafebW = 720\n"
           "rate = 25\n"
           "bgname = LanczosResize(imagesource(bgname,1,1,rate),SafeBW,safeBH)\n"
           "a = bgname\n"
           "at = bgname\n"
           "b = bgname\n"
           "bt = bgname\n";
}

std::string SubtitleStart(std::string_view work) {
    std::string file = std::string(work) + kSeparator + kSubtitleName;
    return "writefilestart(blankclip(),\"" + file + "\"+\".ssa\",\"ssa\",append = false)\n" +
           "ssafile = \"" + file + ".ssa\"\n" +
           "ssa = ssa + \"[Script Info]\"+ chr(10)\n"
           "ssa = ssa + \"ScriptType: v4.00+\"+ chr(10)\n"
           "ssa = ssa + \"Collisions: Normal\"+ chr(10)\n"
           "ssa = ssa + \"PlayResX: 384\"+ chr(10)\n"
           "ssa = ssa + \"PlayResY: 180\"+ chr(10)\n"
           "ssa = ssa + \"Timer: 100.0000\"+ chr(10)\n"
           "ssa = ssa + chr(10)\n"
           "ssa = ssa + \"[V4+ Styles]\"\n" +
           FlushLines(work) +
           "ssa = ssa + \"Format: Name, Fontname, Fontsize, PrimaryColour, SecondaryColour, "
           "OutlineColour, BackColour, Bold, Italic, \"\n"
           "ssa = ssa + \"Underline, StrikeOut, ScaleX, ScaleY, Spacing, Angle, BorderStyle, "
           "Outline, Shadow, Alignment, MarginL, MarginR, MarginV, Encoding\"\n" +
           FlushLines(work) +
           "ssa = ssa + \"Style: Default,Times New Roman,20,&H00FFFFFF,&H0000FFFF,&H00000000,"
           "&H00000000,0,0,0,0,50,50,0,0.00,1,2,0,2,20,20,20,1\"\n"
           "writefilestart(BlankClip(),\"" +
           file + "\"+\".ssa\",\"ssa\",append = true)\n" +
           "ssa = \"\"+ chr(10)\n"
           "ssa = ssa + \"[Events]\"+ chr(10)\n"
           "ssa = ssa + \"Format: Layer, Start, End, Style, Actor, MarginL, MarginR, MarginV, "
           "Effect, Text\"+ chr(10)\n" +
           FlushLines(work);
}

std::string LaterCaption(std::string_view caption) {
    return "ssa = ssa + \"Dialogue: 0,\"+ convert2hhmmscff(d.framecount+1, rate)+ \",\"+ "
           "convert2hhmmscff(d.framecount+100+1, rate)+\",Default,NTP,0000,0000,0000,!Effect," +
           std::string(caption) + "\"+ chr(10)\n";
}

// The lines that join a picture to the show: writes the pending caption and
// takes the picture's hold (a) and outgoing transition part (at).
std::string JoinedPictureTail(std::string_view work, const SlideShowPicture& picture, int number,
                              int holdFrames, const char* soundS3) {
    std::string text;
    if (picture.caption[0] != '\0')
        text += LaterCaption(GetText(picture.caption));
    text += "writefilestart(d,\"" + std::string(work) + kSeparator + kSubtitleName +
            "\"+\".ssa\",\"ssa\",append = true)\n" + "ssa = \"\"\n";
    text += TrimLines("a", number, holdFrames);
    text += TrimLines("at", number, picture.transitionFrames);
    text += soundS3;
    text += "outpoint = d.framecount+a.framecount+at.framecount\n";
    return text;
}

std::string ImportLine(std::string_view app, const char* transition) {
    return "c = (import(\"" + std::string(app) + kSeparator + "plugin" + kSeparator + transition +
           "\"))\n";
}

bool HasLineBreak(std::string_view text) {
    return text.find_first_of("\r\n") != std::string_view::npos;
}

// Whole UTF-8 sequences only (no overlong forms, no surrogates, nothing
// beyond U+10FFFF): what the captions' renderer reads.
bool IsUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        auto byte = [&text](std::size_t at) { return static_cast<unsigned char>(text[at]); };
        unsigned lead = byte(i);
        std::size_t length = lead < 0x80                    ? 1
                             : lead >= 0xC2 && lead <= 0xDF ? 2
                             : lead >= 0xE0 && lead <= 0xEF ? 3
                             : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                            : 0;
        if (length == 0 || i + length > text.size())
            return false;
        for (std::size_t k = 1; k < length; ++k) {
            if ((byte(i + k) & 0xC0) != 0x80)
                return false;
        }
        unsigned second = length > 1 ? byte(i + 1) : 0x80;
        if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second > 0x9F) ||
            (lead == 0xF0 && second < 0x90) || (lead == 0xF4 && second > 0x8F))
            return false;
        i += length;
    }
    return true;
}

// The text with every byte outside printable ASCII written as \xNN, so a
// message can show what a caption holds.
std::string Shown(std::string_view text) {
    std::string shown;
    for (char c : text) {
        auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7F) {
            shown += c;
        } else {
            char code[8];
            std::snprintf(code, sizeof code, "\\x%02X", byte);
            shown += code;
        }
    }
    return shown;
}

} // namespace

std::string SlideShowWorkFolder(const SlideShow& show) {
    return WorkFolderPattern(std::string(GetText(show.outputPrefix)));
}

std::string SlideShowScriptPath(std::string_view workFolder) {
    return std::string(workFolder) + kSeparator + "kiv.avs";
}

std::optional<std::string> SlideShowRefusal(const SlideShow& show) {
    if (!show.pictures || show.pictureCount < 1)
        return "a slideshow needs at least one picture";
    auto unsafe = [](std::string_view text) {
        return text.find('"') != std::string_view::npos || HasLineBreak(text);
    };
    for (int i = 0; i < show.pictureCount; ++i) {
        const SlideShowPicture& picture = show.pictures[i];
        if (unsafe(GetText(picture.imagePath)))
            return "a picture path with a double quote or a line break cannot be written into "
                   "the script: " +
                   std::string(GetText(picture.imagePath));
        if (unsafe(GetText(picture.caption)))
            return "a caption with a double quote or a line break cannot be written into the "
                   "script: " +
                   std::string(GetText(picture.caption));
        if (!IsUtf8(GetText(picture.caption)))
            return "the caption of picture " + N(i + 1) +
                   " is not UTF-8 text, which the captions need: " +
                   Shown(GetText(picture.caption));
        if (picture.displayFrames < 0 || picture.transitionFrames < 0)
            return "picture " + N(i + 1) + " has a negative frame count";
    }
    if (unsafe(GetText(show.musicPath)))
        return "a music path with a double quote or a line break cannot be given to the "
               "encoder: " +
               std::string(GetText(show.musicPath));
    if (unsafe(GetText(show.outputPrefix)))
        return "an output prefix with a double quote or a line break cannot be given to the "
               "encoder: " +
               std::string(GetText(show.outputPrefix));
    return std::nullopt;
}

std::string ImageScriptText(std::string_view appFolder, std::string_view workFolder,
                            const SlideShow& show) {
    std::string app(appFolder);
    std::string text = "LoadPlugin(\"" + app + "zoom.dll\")\n" +
                       "SFH = 462\n"
                       "SFW = 576\n"
                       "SfAH = mlif(462)\n"
                       "SfAW = mlif(576)\n"
                       "bgname =\"" +
                       app + "bg.jpg\"\n" +
                       "SafebH = 576\n"
                       "SafebW = 720\n"
                       "rate = 25\n"
                       "bgname = LanczosResize(imagesource(bgname,1,1,rate),SafeBW,safeBH)\n";
    for (int i = 0; i < show.pictureCount; ++i) {
        text += "fgname=\"" + std::string(GetText(show.pictures[i].imagePath)) + "\"\n";
        text += "fgname = SfSize(imagesource(fgname,1,1,pixel_type=\"RGB32\",rate),SFW,SFH,rate)\n";
        if (i == 0) {
            // The first picture fills frames 0 and 1; picture k is frame k.
            text += "imgout = AddBack(fgname,bgname,1)\n"
                    "fgname = nop()\n"
                    "imgout = imgout + imgout\n";
        } else {
            text += "imgout = imgout + AddBack(fgname,bgname,1)\n"
                    "fgname = nop()\n";
        }
    }
    text += kImageFunctions;
    int lastFrame = show.pictureCount >= 2 ? show.pictureCount : 1;
    text += "imgout = imgout.converttoyv12()\n";
    text += "imgout.ImageWriter(\"" + std::string(workFolder) + kSeparator + "aya\",0," +
            N(lastFrame) + ",\"ebmp\")\n";
    text += kImageTrailerFunctions;
    return text;
}

const char* TransitionScriptFor(int picture, int count) {
    if (picture <= 2)
        return kTransitionScripts[0];
    if (picture >= count)
        return kTransitionScripts[1];
    // The running index rises from 1 to 13, falls back to 1, and so on; it
    // is taken once by each of pictures 3 .. count - 1.
    int index = 1;
    int step = 1;
    for (int k = 3; k < picture; ++k) {
        index += step;
        if (index == 14) {
            index = 13;
            step = -1;
        } else if (index == 0) {
            index = 1;
            step = 1;
        }
    }
    return kTransitionScripts[index];
}

// Loop lengths: the script with music lengthens the second picture's
// incoming part by 10 frames, the silent one that of pictures 3 on; both
// lengthen the hold of pictures 3 on by 10.
std::string ShowScriptText(std::string_view appFolder, std::string_view workFolder,
                           const SlideShow& show, ShowSound sound) {
    std::string_view music = GetText(show.musicPath);
    bool withMusic = sound == ShowSound::MusicWhenGiven && !music.empty();
    bool musicColumn = sound == ShowSound::MusicWhenGiven;
    const char* s1 = withMusic ? kMusicS1 : kSilentPair;
    const char* s2 = withMusic ? kMusicS2 : kSilentBt;
    const char* s3 = withMusic ? kMusicS3 : kSilentPair;
    const char* s4 = withMusic ? kMusicS4 : kSilentBt;

    std::string text = ShowHeader(appFolder);
    if (withMusic) {
        long long totalFrames = 0;
        for (int i = 0; i < show.pictureCount; ++i)
            totalFrames += show.pictures[i].displayFrames + show.pictures[i].transitionFrames;
        text += "loadplugin(\"" + std::string(appFolder) + "mpaSource.dll\")\n" +
                "audiotrack = mpasource(\"" + std::string(music) + "\").eqaudio()\n" +
                "am = bgname\n"
                "am = loop(am,int(25*(audiotrack.AudioLengthF/audiotrack.AudioRate)))\n"
                "music = AudioDub(am,audiotrack)\n"
                "music = Loop(music, int(" +
                std::to_string(static_cast<int>(totalFrames)) + "/music.Framecount())+1)\n";
    }
    text += "imgout=ImageSource(\"" + std::string(workFolder) + kSeparator + "aya%06d.ebmp\",0," +
            N(show.pictureCount) + ",rate)\n" +
            "SFH = 576 \n"
            "SFW = 720 \n"
            "ssa = \"\"\n";
    text += SubtitleStart(workFolder);

    const SlideShowPicture& first = show.pictures[0];
    text += "inpoint = 1\n";
    text += TrimLines("a", 1, first.displayFrames);
    text += TrimLines("at", 1, first.transitionFrames);
    text += s1;
    text += "outpoint = a.framecount+at.framecount\n";
    if (first.caption[0] != '\0') {
        text += "ssa = ssa + \"Dialogue: 0,\"+ convert2hhmmscff(0, rate)+ \",\"+ "
                "convert2hhmmscff(100, rate)+\",Default,NTP,0000,0000,0000,!Effect," +
                std::string(GetText(first.caption)) + "\" + chr(10)\n";
        text += FlushLines(workFolder);
    }

    for (int k = 2; k <= show.pictureCount; ++k) {
        const SlideShowPicture& picture = show.pictures[k - 1];
        int t = picture.transitionFrames;
        bool second = k == 2;
        int incoming = second ? (musicColumn ? t + 10 : t) : (musicColumn ? t : t + 10);
        text += TrimLines("bt", k, incoming);
        text += second ? s2 : s4;
        if (second || k < show.pictureCount)
            text += "at=at.SSRC(48000)\n"
                    "bt=bt.SSRC(48000) \n"
                    "ft=" +
                    N(t) + "\n";
        text += ImportLine(appFolder, TransitionScriptFor(k, show.pictureCount));
        if (second) {
            text += "c = audiodub(c,BlankClip(length=c.framecount, fps = rate, audio_rate=48000, "
                    "stereo = true))\n"
                    "d = a + c\n";
        } else {
            text += "c = audiodub(c,bt).eqaudio()\n"
                    "d = d + a + c\n";
        }
        int hold = second ? picture.displayFrames : picture.displayFrames + 10;
        text += JoinedPictureTail(workFolder, picture, k, hold, s3);
    }

    text += "d.trim(2,d.framecount) \n";
    text += kShowTrailerFunctions;
    text += "textsub(\"" + std::string(workFolder) + kSeparator + kSubtitleName + ".ssa\")";
    return text;
}

} // namespace kiv
