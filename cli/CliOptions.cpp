#include "CliOptions.h"

#include <cctype>
#include <charconv>
#include <map>
#include <string>

namespace kiv {

const char* const kUsage =
    "Usage: kiv-convert [OPTION]... FILE...\n"
    "       kiv-convert --probe FILE...\n"
    "       kiv-convert --list\n"
    "       kiv-convert --slideshow [OPTION]... PICTURE...\n"
    "Convert video and audio files with the built-in profiles, several at once: today's\n"
    "MP4, MKV, WebM and audio-only formats, and 70 device profiles of old.\n"
    "\n"
    "  --format NAME|INDEX    output format (category), e.g. \"To 3GP/MP4\" or 8, or\n"
    "                         \"To audio only (MP3/AAC/FLAC/Opus/WAV)\" or 10;\n"
    "                         alone it picks the format's first profile\n"
    "  --profile NAME|INDEX   device profile within the format\n"
    "  --profile-file FILE    a profile of your own, as the window's \"Save as my\n"
    "                         profile\" writes it (see also --list); the options\n"
    "                         below change it\n"
    "  --output-dir DIR       folder for the converted files\n"
    "  --start HH:MM:SS       convert from this time (default 00:00:00)\n"
    "  --end HH:MM:SS         convert up to this time (default: the whole file)\n"
    "  --audio-tracks all|first|LANG,LANG\n"
    "                         sound tracks kept: every one (default), the first,\n"
    "                         or those in these languages (de,eng,French), in\n"
    "                         that order, the first the default; a file with none\n"
    "                         in them keeps its first\n"
    "  --subtitles all|none|LANG,LANG|burn:N|burn:LANG\n"
    "                         subtitles kept: every one (default), none, those in\n"
    "                         these languages; or burn the N-th subtitle track\n"
    "                         (from 1), or a forced one of the language, else its\n"
    "                         first, into the picture\n"
    "  --quality N            constant quality from 16 (better picture) to 40\n"
    "                         (smaller file) for today's video formats (default:\n"
    "                         the profile's)\n"
    "  --crop auto|none|W:H:X:Y\n"
    "                         cut black bars off, found in samples of each file\n"
    "                         (auto), or keep the part W:H:X:Y of the picture\n"
    "  --denoise light|medium|strong\n"
    "                         take noise out of old or dark footage\n"
    "  --deinterlace auto|on|off\n"
    "                         auto: where the source is interlaced (default)\n"
    "  --dry-run              print each encoder command line; convert nothing\n"
    "  --estimate             with --dry-run: also print the expected size of each\n"
    "                         output, from short samples (up to eight, a quarter of\n"
    "                         the file at most) converted and removed\n"
    "  --skip-done            skip each file whose output is there whole already (read\n"
    "                         to its end, as long as its source, not older than it),\n"
    "                         and remove the partial files earlier runs left of it;\n"
    "                         a run started again converts only what is missing\n"
    "  --json                 JSON on standard output, one object per line, in every\n"
    "                         mode: progress and a summary, dry runs, probes, the list\n"
    "  --quiet                no progress display\n"
    "  --jobs N|auto          files converted at once (default: the settings file's,\n"
    "                         else auto: from the cores, the encoder and the memory)\n"
    "  --probe                print what each file holds\n"
    "  --list                 print every profile: category index, profile index,\n"
    "                         category name and profile name, tab-separated; your\n"
    "                         own last, under \"My profiles\"\n"
    "  --slideshow            make one video of the pictures, in order, with the\n"
    "                         format, profile and output folder as for conversions\n"
    "  --music FILE           slideshow sound track, looped or cut to the show's\n"
    "                         length (default: silence)\n"
    "  --picture-seconds S    slideshow: seconds each picture is held (default 4)\n"
    "  --transition-seconds S slideshow: seconds of each transition (default 1)\n"
    "  --caption TEXT         slideshow: caption of the next picture; once per\n"
    "                         picture, in order\n"
    "  --pan-zoom             slideshow: move each picture slowly while it is shown\n"
    "  -h, --help             show this help and exit\n"
    "  --version              show the version and exit\n"
    "  --                     end of options; every further argument is a file\n"
    "\n"
    "Defaults come from the settings file. Progress shows the speed and the time left.\n"
    "Ctrl-Z pauses the conversion (fg or bg goes on); Ctrl-C stops it and keeps what\n"
    "was converted as \"NAME (partial).EXT\"; a second Ctrl-C ends at once.\n"
    "A file that fails does not end the run; the summary names what became of each.\n"
    "Exit status: 0 all converted (or done already), 1 a conversion failed, 2 usage\n"
    "error or unreadable input, 130 interrupted.\n";

bool IsTimeText(const std::string& text) {
    std::size_t colon = text.find(':');
    if (colon == std::string::npos || colon == 0 || text.size() != colon + 6)
        return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        bool separator = i == colon || i == colon + 3;
        if (separator ? text[i] != ':' : !std::isdigit(static_cast<unsigned char>(text[i])))
            return false;
    }
    return text[colon + 1] <= '5' && text[colon + 4] <= '5';
}

std::optional<int> TimeTextSeconds(const std::string& text) {
    if (!IsTimeText(text))
        return std::nullopt;
    const std::size_t colon = text.find(':');
    int hours = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + colon, hours);
    // Hours up to 99 999: beyond any file, and the seconds still fit an int.
    if (error != std::errc() || end != text.data() + colon || hours > 99999)
        return std::nullopt;
    const int minutes = std::stoi(text.substr(colon + 1, 2));
    const int seconds = std::stoi(text.substr(colon + 4, 2));
    return (hours * 60 + minutes) * 60 + seconds;
}

std::optional<int> JobsCount(const std::string& text) {
    if (text == "auto")
        return 0;
    int count = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), count);
    if (error != std::errc() || end != text.data() + text.size() || count < 1 || count > kMostJobs)
        return std::nullopt;
    return count;
}

bool ParseOptions(const std::vector<std::string>& arguments, CliOptions& options,
                  std::string& error) {
    const std::map<std::string, std::optional<std::string> CliOptions::*> valued = {
        {"--format", &CliOptions::format},
        {"--profile", &CliOptions::profile},
        {"--output-dir", &CliOptions::outputDir},
        {"--start", &CliOptions::start},
        {"--end", &CliOptions::end},
        {"--music", &CliOptions::music},
        {"--picture-seconds", &CliOptions::pictureSeconds},
        {"--transition-seconds", &CliOptions::transitionSeconds},
        {"--jobs", &CliOptions::jobs},
        {"--audio-tracks", &CliOptions::audioTracks},
        {"--subtitles", &CliOptions::subtitles},
        {"--quality", &CliOptions::quality},
        {"--crop", &CliOptions::crop},
        {"--denoise", &CliOptions::denoise},
        {"--deinterlace", &CliOptions::deinterlace},
        {"--profile-file", &CliOptions::profileFile},
    };
    const std::map<std::string, bool CliOptions::*> flags = {
        {"--dry-run", &CliOptions::dryRun},   {"--estimate", &CliOptions::estimate},
        {"--json", &CliOptions::json},        {"--quiet", &CliOptions::quiet},
        {"--pan-zoom", &CliOptions::panZoom}, {"--skip-done", &CliOptions::skipDone},
    };
    bool optionsEnded = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (optionsEnded || argument.empty() || argument[0] != '-' || argument == "-") {
            options.files.push_back(argument);
            continue;
        }
        if (argument == "--") {
            optionsEnded = true;
        } else if (argument == "-h" || argument == "--help") {
            options.mode = Mode::Help;
            return true;
        } else if (argument == "--version") {
            options.mode = Mode::Version;
            return true;
        } else if (argument == "--list") {
            options.mode = Mode::List;
        } else if (argument == "--probe") {
            options.mode = Mode::Probe;
        } else if (argument == "--slideshow") {
            options.mode = Mode::SlideShow;
        } else if (auto flag = flags.find(argument); flag != flags.end()) {
            options.*(flag->second) = true;
        } else {
            std::string name = argument, value;
            bool inlineValue = false;
            if (std::size_t equals = argument.find('='); equals != std::string::npos) {
                name = argument.substr(0, equals);
                value = argument.substr(equals + 1);
                inlineValue = true;
            }
            auto option = valued.find(name);
            if (option == valued.end() && name != "--caption") {
                error = "unknown option '" + argument + "'";
                return false;
            }
            if (!inlineValue) {
                if (i + 1 >= arguments.size()) {
                    error = "option '" + name + "' needs a value";
                    return false;
                }
                value = arguments[++i];
            }
            if (name == "--caption")
                options.captions.push_back(value);
            else
                options.*(option->second) = value;
        }
    }
    for (const auto* time : {&options.start, &options.end}) {
        if (*time && !TimeTextSeconds(**time)) {
            error = "'" + **time + "' is not a time of the form HH:MM:SS";
            return false;
        }
    }
    if (options.jobs && !JobsCount(*options.jobs)) {
        error = "--jobs takes a count from 1 to " + std::to_string(kMostJobs) + " or auto, not '" +
                *options.jobs + "'";
        return false;
    }
    if (options.mode == Mode::SlideShow && options.files.empty()) {
        error = "no picture given";
        return false;
    }
    if (options.mode == Mode::SlideShow && options.captions.size() > options.files.size()) {
        error = "more captions than pictures";
        return false;
    }
    if (options.estimate && !(options.mode == Mode::Convert && options.dryRun)) {
        error = "--estimate goes with --dry-run";
        return false;
    }
    if (options.skipDone && options.mode != Mode::Convert) {
        error = "--skip-done goes with conversions";
        return false;
    }
    if ((options.mode == Mode::Convert || options.mode == Mode::Probe) && options.files.empty()) {
        error = "no input file given";
        return false;
    }
    return true;
}

} // namespace kiv
