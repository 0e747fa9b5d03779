// Any text handed to the readers of the programs' own formats and of what
// enc is given: the settings file, the status line, the "-info" answer, the
// command-line splitter, the input script, kiv-convert's options and its
// JSON, enc's line translation, stream fitting and raw-stream check, and
// the number readers. None may
// crash, overflow or reach undefined behaviour (the target is built with
// AddressSanitizer and UndefinedBehaviorSanitizer), and where a writer and
// its reader meet, the reader gets back what was written.
//
// The first byte picks the reader, the rest is its text; stream fitting
// takes the streams from the first bytes of the text and the line from the
// rest.

#include "CliOptions.h"
#include "CommandLine.h"
#include "ErrorLine.h"
#include "FfmpegPlan.h"
#include "InfoAnswer.h"
#include "IniFile.h"
#include "InputScriptFormat.h"
#include "Json.h"
#include "LineSplitter.h"
#include "NumberText.h"
#include "ProgressReport.h"
#include "RawStreams.h"
#include "Settings.h"
#include "ShowGeometry.h"
#include "StatusLine.h"
#include "StreamFit.h"
#include "Translator.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace kiv;

void Check(bool condition) {
    if (!condition)
        std::abort();
}

void Settings(std::string_view text) {
    IniFile ini = IniFile::Parse(text);
    ProfileSelection selection{};
    std::int32_t* fields[] = {&selection.Kind,   &selection.Class,  &selection.VCodec,
                              &selection.VFR,    &selection.VBR,    &selection.Size,
                              &selection.Apsect, &selection.ACodec, &selection.ACH,
                              &selection.ABR,    &selection.ASR,    &selection.VOL};
    const char* keys[] = {"Kind",   "Class",  "VCodec", "VFR", "VBR", "Size",
                          "Apsect", "ACodec", "ACH",    "ABR", "ASR", "VOL"};
    for (std::size_t i = 0; i < std::size(keys); ++i)
        *fields[i] = ini.GetInt("Video", keys[i], 0);
    RepairSelection(selection);
    ini.GetString("Options", "Folder", "");
    // A value written is read back as written (blanks at its ends aside).
    ini.SetString("Options", "Folder", "/out/");
    ini.SetInt("Video", "Kind", selection.Kind);
    IniFile again = IniFile::Parse(ini.Text());
    Check(again.GetString("Options", "Folder", "") == "/out/");
    Check(again.GetInt("Video", "Kind", -1) == selection.Kind);
}

void Status(std::string_view text) {
    std::string line(text);
    int seconds = 0;
    ReadStatusSeconds(line.c_str(), false, seconds);
    ReadStatusSeconds(line.c_str(), true, seconds);
    ProgressValues values;
    if (ReadStatusValues(line.c_str(), values) && values.seconds >= 0 && values.seconds < 1e9) {
        // What enc writes, the engine reads.
        std::string written = FormatStatusLine(values);
        int read = -1;
        Check(ReadStatusSeconds(written.c_str(), true, read));
        Check(ReadStatusSeconds(written.c_str(), false, read));
    }
    // FFmpeg's -progress blocks as enc reads them.
    enc::ProgressBlockReader blocks;
    enc::LineSplitter lines(false, [&blocks](std::string_view block) {
        if (auto values = blocks.Feed(block))
            FormatStatusLine(*values);
    });
    lines.Feed(text);
    lines.Finish();
    enc::ErrorLineChooser errors;
    enc::LineSplitter messages(true, [&errors](std::string_view message) {
        enc::NamesAnError(message);
        errors.Feed(message);
    });
    messages.Feed(text);
    messages.Finish();
    errors.Reason();
}

void Info(std::string_view text) {
    std::string answer(text);
    InfoAnswer read;
    ReadInfoAnswer(answer.c_str(), read);
    InfoAnswer back;
    Check(ReadInfoAnswer(FormatInfoAnswer(read).c_str(), back) == 5);
    Check(back.duration == read.duration && back.width == read.width && back.audio == read.audio);
}

void Splitting(std::string_view text) {
    std::vector<std::string> arguments = SplitCommandLine(text);
    // Arguments without quotes come back as they were split.
    bool plain = true;
    for (const std::string& argument : arguments)
        plain = plain && argument.find('"') == std::string::npos;
    if (plain)
        Check(SplitCommandLine(JoinForDisplay(arguments)) == arguments);
    CliOptions options;
    std::string error;
    ParseOptions(arguments, options, error);
    for (const std::string& argument : arguments)
        IsTimeText(argument);
}

void InputScript(std::string_view text) {
    SourceOfInputScript(text);
    // Every path without a quote or a line end survives its script.
    if (text.find_first_of("\"\r\n") == std::string_view::npos && !text.empty()) {
        for (ScriptClass scriptClass : {ScriptClass::A, ScriptClass::B, ScriptClass::C}) {
            std::optional<std::string> source =
                SourceOfInputScript(InputScriptText(scriptClass, text));
            Check(source && *source == text);
        }
    }
}

void Translation(std::string_view text) {
    enc::FfmpegPlan plan;
    std::string error;
    if (!enc::BuildPlan(SplitCommandLine(text), plan, error))
        return;
    enc::FfmpegArguments(plan, "out");
    enc::ShowGeometryOf(plan);
}

// A container holds a codec or not by the names alone, so runs repeat.
int Holds(const std::string& format, const std::string& codec) {
    return static_cast<int>((format.size() * 7 + codec.size() * 3) % 3) - 1;
}

void Fitting(std::string_view text) {
    static const char* const kCodecs[] = {
        "h264", "hevc", "aac", "ac3", "subrip", "hdmv_pgs_subtitle", "ttf", "bin_data"};
    const std::size_t count = text.empty() ? 0 : static_cast<unsigned char>(text[0]) % 80;
    text.remove_prefix(text.empty() ? 0 : 1);
    std::vector<StreamFacts> streams;
    for (std::size_t i = 0; i < count && text.size() >= 2; ++i) {
        const auto a = static_cast<unsigned char>(text[0]);
        const auto b = static_cast<unsigned char>(text[1]);
        text.remove_prefix(2);
        StreamFacts stream;
        stream.index = static_cast<int>(i);
        stream.type = a % 7; // one more than the types: an unknown one
        std::snprintf(stream.codec, sizeof stream.codec, "%s", kCodecs[(a >> 3) % 8]);
        stream.attachedPicture = b & 1;
        stream.textSubtitle = (b >> 1) & 1;
        stream.rotation = ((b >> 2) % 4) * 90;
        stream.bitsPerSample = (b >> 4) & 1 ? 10 : 8;
        stream.hdr = (b >> 5) & 1;
        streams.push_back(stream);
    }
    enc::FfmpegPlan plan;
    std::string error;
    if (!enc::BuildPlan(SplitCommandLine(text), plan, error) || !enc::MapsStreams(plan))
        return;
    enc::StreamFit fit = enc::FitStreams(plan, streams, Holds);
    if (fit.error.empty())
        enc::FfmpegArguments(plan, "out");
}

// kiv-convert's JSON of any bytes (a file name) is UTF-8, and the bytes
// come back whole from base64.
void JsonText(std::string_view text) {
    Check(IsUtf8Text(JsonString(text)));
    Check(IsUtf8Text(JsonField("file", text)));
    // The base64 field comes only for names that are not UTF-8 (a name may
    // hold its words, but never an unescaped quote before them).
    if (IsUtf8Text(text))
        Check(JsonField("file", text).find(",\"file_base64\":") == std::string::npos);
    enc::IsRawElementaryStream(text);
    const std::string coded = Base64(text);
    Check(coded.size() == (text.size() + 2) / 3 * 4);
}

void Numbers(std::string_view text) {
    if (std::optional<double> value = enc::ParseNumber(text))
        Check(enc::ParseNumber(enc::NumberText(*value)) == *value);
    enc::ParseKilobits(text);
    enc::KilobitsText(text);
    enc::WholeNumberText(text);
    ParseLeadingInt(text);
}

using Reader = void (*)(std::string_view);
constexpr Reader kReaders[] = {Settings,    Status,  Info,    Splitting, InputScript,
                               Translation, Fitting, Numbers, JsonText};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);
    kReaders[data[0] % std::size(kReaders)](text);
    return 0;
}
