#include "Commands.h"

#include "CEncoderCntl.h"
#include "Catalogue.h"
#include "ChoiceArguments.h"
#include "EngineSetup.h"
#include "EstimateCommand.h"
#include "FileRows.h"
#include "FixedText.h"
#include "InterruptWatcher.h"
#include "Json.h"
#include "Log.h"
#include "Paths.h"
#include "ProfileChoice.h"
#include "ProgressReporter.h"
#include "Settings.h"
#include "SkipDone.h"
#include "UserProfiles.h"
#include "Vocabularies.h"
#include "runs/BatchLoop.h"
#include "runs/CompleteOutput.h"
#include "runs/JobBuilder.h"

#include <cstdio>
#include <filesystem>
#include <memory>
#include <set>
#include <unistd.h>
#include <vector>

namespace kiv {

namespace {

const char* const kUnreadable = "not a media file the encoder can open";

void ReportUnreadable(const std::string& file) {
    std::fprintf(stderr, "kiv-convert: cannot read '%s': %s\n", file.c_str(), kUnreadable);
}

// Probes every file first, so that nothing converts when one is unreadable.
bool ProbeAll(CEncoderCntl& controller, const std::vector<std::string>& files,
              std::vector<ConversionJob>& jobs) {
    bool allRead = true;
    jobs.assign(files.size(), ConversionJob{});
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (ProbeIntoJob(controller, files[i], jobs[i]) != 1) {
            ReportUnreadable(files[i]);
            allRead = false;
        }
    }
    return allRead;
}

} // namespace

namespace {

void ListOne(const CliOptions& options, int format, int profile, const std::string& formatName,
             const std::string& profileName) {
    if (options.json)
        std::printf("{\"format\":%d,\"profile\":%d,\"format_name\":%s,"
                    "\"profile_name\":%s}\n",
                    format, profile, JsonString(formatName).c_str(),
                    JsonString(profileName).c_str());
    else
        std::printf("%d\t%d\t%s\t%s\n", format, profile, formatName.c_str(), profileName.c_str());
}

} // namespace

int ListProfiles(const CliOptions& options) {
    for (int c = 0; c < CategoryCount(); ++c) {
        const ProfileCategory* category = GetCategory(c);
        for (int p = 0; p < category->ProfileCount; ++p)
            ListOne(options, c, p, category->CategoryName, category->Profiles[p].ProfileName);
    }
    // The user's own after the built-in ones; a file that does not read is
    // named, not listed.
    std::vector<std::string> problems;
    std::vector<StoredProfile> stored = LoadUserProfiles(UserProfilesFolder(), &problems);
    for (std::size_t p = 0; p < stored.size(); ++p)
        ListOne(options, CategoryCount(), static_cast<int>(p), kMyProfilesFormat,
                stored[p].profile.name);
    for (const std::string& problem : problems)
        std::fprintf(stderr, "kiv-convert: %s\n", problem.c_str());
    return kExitOk;
}

int ProbeFiles(const CliOptions& options) {
    LoadSettings();
    CEncoderCntl controller;
    EncoderInit init = MakeEncoderInit(CurrentSettings(), IgnoreProgress, nullptr);
    controller.bCreateEncoder(&init);
    int status = kExitOk;
    for (const std::string& file : options.files) {
        ConversionJob job;
        if (ProbeIntoJob(controller, file, job) != 1) {
            ReportUnreadable(file);
            if (options.json)
                std::printf("{%s,\"error\":%s}\n", JsonField("file", file).c_str(),
                            JsonString(kUnreadable).c_str());
            status = kExitUsage;
            continue;
        }
        const MediaDescription& s = job.source;
        if (options.json)
            std::printf("{%s,\"duration\":%.2f,\"video\":%d,\"audio\":%d,\"width\":%d,"
                        "\"height\":%d,\"fps\":%.2f,\"vbitrate\":%d,\"abitrate\":%.0f,"
                        "\"samplerate\":%.0f,\"channels\":%d,\"script\":%d}\n",
                        JsonField("file", file).c_str(), s.audioDuration, job.hasVideo,
                        job.hasAudio, s.width, s.height, s.frameRate, s.videoBitrate,
                        s.audioBitrate, s.sampleRate, s.channels, job.scriptInput);
        else
            std::printf("%s\tduration=%.2f\tvideo=%d\taudio=%d\twidth=%d\theight=%d\tfps=%.2f\t"
                        "vbitrate=%d\tabitrate=%.0f\tsamplerate=%.0f\tchannels=%d\tscript=%d\n",
                        file.c_str(), s.audioDuration, job.hasVideo, job.hasAudio, s.width,
                        s.height, s.frameRate, s.videoBitrate, s.audioBitrate, s.sampleRate,
                        s.channels, job.scriptInput);
    }
    return status;
}

namespace {

// The trim range each file converts: the options', or the whole file.
bool PlanTrims(const CliOptions& options, const std::vector<ConversionJob>& jobs,
               std::vector<TrimRange>& trims) {
    // The options were checked as times when they were read.
    const int start = options.start ? TimeTextSeconds(*options.start).value_or(0) : 0;
    const std::optional<int> end = options.end ? TimeTextSeconds(*options.end) : std::nullopt;
    for (std::size_t i = 0; i < jobs.size(); ++i) {
        trims.push_back({start, end.value_or(WholeFileEndSeconds(jobs[i]))});
        const JobPlan plan = RowJobPlan({}, trims.back());
        std::string reason;
        if (!CheckTrimRange(plan.trimStart, plan.trimEnd, &reason)) {
            std::fprintf(stderr, "kiv-convert: '%s' cannot be converted: %s\n",
                         options.files[i].c_str(), reason.c_str());
            return false;
        }
    }
    return true;
}

// Prints the command line each file would run, with the names a real run
// would give (a second output of the same name gets " (2)").
int PrintCommandLines(CEncoderCntl& controller, const CliOptions& options,
                      std::vector<ConversionJob>& jobs, const BatchPlan& plan,
                      const std::vector<TrimRange>& trims) {
    std::set<std::string> named = plan.outputsToKeep;
    for (std::size_t i = 0; i < jobs.size(); ++i) {
        if (jobs[i].done == 1)
            continue; // its output is there whole (--skip-done)
        std::string commandLine, reason;
        controller.SetOutputsToKeep(named);
        if (!PrepareJobForConversion(jobs[i], plan.profile, plan.targetKind,
                                     RowJobPlan(plan, trims[i]), &reason) ||
            !controller.PrepareCommandLine(jobs[i], commandLine, reason)) {
            std::fprintf(stderr, "kiv-convert: no command line can be built for '%s': %s\n",
                         options.files[i].c_str(), reason.c_str());
            return kExitFailed;
        }
        const std::string output(GetText(jobs[i].outputPath));
        named.insert(output);
        if (options.json)
            std::printf("{%s,%s,%s}\n", JsonField("file", options.files[i]).c_str(),
                        JsonField("output", output).c_str(),
                        JsonField("command_line", commandLine).c_str());
        else
            std::printf("%s\n", commandLine.c_str());
    }
    return kExitOk;
}

} // namespace

int ConvertFiles(const CliOptions& options) {
    LoadSettings();
    AppSettings settings = CurrentSettings();
    ProfileChoice choice;
    std::string error;
    if (!ChooseProfile(options, CurrentSelection(), choice, error) ||
        !ApplyChoiceArguments(options, choice, error)) {
        std::fprintf(stderr, "kiv-convert: %s\n", error.c_str());
        return kExitUsage;
    }
    std::string folder =
        options.outputDir ? *options.outputDir : std::string(GetText(settings.Folder));

    // Process-long: the interrupt watcher may use them until the very end.
    static CEncoderCntl controller;
    static ProgressReporter reporter(StyleFor(options));
    static std::unique_ptr<InterruptWatcher> watcher;
    // The reporter hears the figures of each status line through the rows,
    // not the bare percentage.
    EncoderInit init = MakeEncoderInit(settings, IgnoreProgress, nullptr);
    if (controller.bCreateEncoder(&init) != 1) {
        std::fprintf(stderr, "kiv-convert: the conversion engine could not be started\n");
        return kExitFailed;
    }

    std::vector<ConversionJob> jobs;
    std::vector<TrimRange> trims;
    if (!ProbeAll(controller, options.files, jobs) || !PlanTrims(options, jobs, trims))
        return kExitUsage;
    BatchPlan plan{choice.profile, choice.targetKind, folder, InputScriptPath()};
    plan.choices = choice.choices;
    plan.goOnAfterFailure = true; // every file is tried; the summary names each one's end
    plan.filesAtOnce = options.jobs ? JobsCount(*options.jobs).value_or(1) : settings.FilesAtOnce;
    std::vector<std::string> skipped(jobs.size());
    if (options.skipDone)
        skipped = SkipDoneFiles(controller, options, jobs, plan, trims);
    if (options.dryRun) {
        const int status = PrintCommandLines(controller, options, jobs, plan, trims);
        if (status != kExitOk || !options.estimate)
            return status;
        return PrintEstimates(options, controller, jobs, plan, trims);
    }

    // Started after the encoder exists, so the watcher sees it complete.
    watcher = std::make_unique<InterruptWatcher>(controller,
                                                 [](bool paused) { reporter.Paused(paused); });
    std::error_code ignored; // a folder that cannot be made fails the first conversion
    std::filesystem::create_directories(folder, ignored);
    FileRows rows(jobs, options.files, trims, reporter);
    for (std::size_t i = 0; i < skipped.size(); ++i) {
        if (!skipped[i].empty())
            rows.Skip(static_cast<int>(i), skipped[i]);
    }
    BatchReport report = RunBatch(controller, rows, plan);
    if (options.skipDone) {
        // Whole now: what earlier tries left of it goes.
        for (const FileResult& result : rows.Results()) {
            if (result.result == "done")
                RemoveLeftoversOf(result.output);
        }
    }
    if (options.json)
        PrintJsonSummary(report, options.files, rows.Results());
    if (!options.quiet)
        PrintSummary(report, options.files, rows.Results());
    if (watcher->Interrupted() || report.end == BatchEnd::Stopped)
        return kExitInterrupted;
    return report.end == BatchEnd::Finished && report.failed == 0 ? kExitOk : kExitFailed;
}

} // namespace kiv
