#include "Commands.h"

#include "CEncoderCntl.h"
#include "CFFmpegEncoder.h"
#include "Catalogue.h"
#include "FixedText.h"
#include "InterruptWatcher.h"
#include "JobBuilder.h"
#include "Log.h"
#include "Paths.h"
#include "ProfileChoice.h"
#include "ProgressReporter.h"
#include "Settings.h"
#include "Vocabularies.h"

#include <cstdio>
#include <filesystem>
#include <memory>
#include <unistd.h>
#include <vector>

namespace kivcli {

namespace {

kiv::EncoderInit MakeInit(const kiv::AppSettings& settings, kiv::ProgressCallback callback,
                          void* user) {
    kiv::EncoderInit init{};
    init.scriptInput = settings.Core == 1 ? 1 : 0;
    init.callback = callback;
    init.userData = user;
    kiv::SetText(init.appFolder, kiv::ProgramDirectory());
    return init;
}

void IgnoreProgress(int, void*) {}

ProgressStyle StyleFor(const CliOptions& options) {
    if (options.quiet)
        return ProgressStyle::Quiet;
    if (options.json)
        return ProgressStyle::Json;
    return isatty(STDERR_FILENO) ? ProgressStyle::Bar : ProgressStyle::Lines;
}

void ReportUnreadable(const std::string& file) {
    std::fprintf(stderr, "kiv-convert: cannot read '%s': not a media file the encoder can open\n",
                 file.c_str());
}

// Probes every file first, so that nothing converts when one is unreadable.
bool ProbeAll(kiv::CEncoderCntl& controller, const std::vector<std::string>& files,
              std::vector<kiv::ConversionJob>& jobs) {
    bool allRead = true;
    jobs.assign(files.size(), kiv::ConversionJob{});
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (files[i].find('"') != std::string::npos) {
            std::fprintf(stderr,
                         "kiv-convert: '%s' cannot be given to the encoder: its name "
                         "holds a double quote\n",
                         files[i].c_str());
            allRead = false;
        } else if (kiv::ProbeIntoJob(controller, files[i], jobs[i]) != 1) {
            ReportUnreadable(files[i]);
            allRead = false;
        }
    }
    return allRead;
}

bool NonEmptyFile(const char* path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error) &&
           std::filesystem::file_size(path, error) > 0 && !error;
}

} // namespace

int ListProfiles() {
    for (int c = 0; c < kiv::CategoryCount(); ++c) {
        const kiv::ProfileCategory* category = kiv::GetCategory(c);
        for (int p = 0; p < category->ProfileCount; ++p)
            std::printf("%d\t%d\t%s\t%s\n", c, p, category->CategoryName,
                        category->Profiles[p].ProfileName);
    }
    return kExitOk;
}

int ProbeFiles(const CliOptions& options) {
    kiv::LoadSettings();
    kiv::CEncoderCntl controller;
    kiv::EncoderInit init = MakeInit(kiv::CurrentSettings(), IgnoreProgress, nullptr);
    controller.bCreateEncoder(&init);
    int status = kExitOk;
    for (const std::string& file : options.files) {
        kiv::ConversionJob job;
        if (kiv::ProbeIntoJob(controller, file, job) != 1) {
            ReportUnreadable(file);
            status = kExitUsage;
            continue;
        }
        const kiv::MediaDescription& s = job.source;
        std::printf("%s\tduration=%.2f\tvideo=%d\taudio=%d\twidth=%d\theight=%d\tfps=%.2f\t"
                    "vbitrate=%d\tabitrate=%.0f\tsamplerate=%.0f\tchannels=%d\tscript=%d\n",
                    file.c_str(), s.audioDuration, job.hasVideo, job.hasAudio, s.width, s.height,
                    s.frameRate, s.videoBitrate, s.audioBitrate, s.sampleRate, s.channels,
                    job.scriptInput);
    }
    return status;
}

int ConvertFiles(const CliOptions& options) {
    kiv::LoadSettings();
    kiv::AppSettings settings = kiv::CurrentSettings();
    ProfileChoice choice;
    std::string error;
    if (!ChooseProfile(options, kiv::CurrentSelection(), choice, error)) {
        std::fprintf(stderr, "kiv-convert: %s\n", error.c_str());
        return kExitUsage;
    }
    std::string folder =
        options.outputDir ? *options.outputDir : std::string(kiv::GetText(settings.Folder));
    if (folder.find('"') != std::string::npos) {
        std::fprintf(stderr,
                     "kiv-convert: the output folder '%s' cannot be given to the encoder: "
                     "its name holds a double quote\n",
                     folder.c_str());
        return kExitUsage;
    }

    // Process-long: the interrupt watcher may use them until the very end.
    static kiv::CEncoderCntl controller;
    static ProgressReporter reporter(StyleFor(options));
    static std::unique_ptr<InterruptWatcher> watcher;
    kiv::EncoderInit init = MakeInit(settings, &ProgressReporter::Callback, &reporter);
    controller.bCreateEncoder(&init);
    // Started after the encoder exists, so the watcher sees it complete.
    if (!options.dryRun)
        watcher = std::make_unique<InterruptWatcher>(controller);

    std::vector<kiv::ConversionJob> jobs;
    if (!ProbeAll(controller, options.files, jobs))
        return kExitUsage;
    if (!options.dryRun) {
        std::error_code ignored; // a folder that cannot be made fails the first conversion
        std::filesystem::create_directories(folder, ignored);
    }

    for (std::size_t i = 0; i < jobs.size(); ++i) {
        kiv::ConversionJob& job = jobs[i];
        const std::string& file = options.files[i];
        kiv::JobPlan plan{
            folder, options.start.value_or("00:00:00"),
            options.end.value_or(kiv::FormatDuration(kiv::DisplayedDurationSeconds(job))),
            kiv::InputScriptPath()};
        if (!kiv::PrepareJobForConversion(job, choice.profile, choice.targetKind, plan, &error)) {
            std::fprintf(stderr, "kiv-convert: %s\n", error.c_str());
            return kExitFailed;
        }
        if (options.dryRun) {
            auto* encoder = dynamic_cast<kiv::CFFmpegEncoder*>(controller.Encoder());
            if (!encoder || encoder->bPrepareConvert(&job) != 1) {
                std::fprintf(stderr, "kiv-convert: no command line can be built for '%s'\n",
                             file.c_str());
                return kExitFailed;
            }
            std::printf("%s\n", encoder->CommandLine().c_str());
            continue;
        }
        if (watcher->Interrupted())
            return kExitInterrupted;
        reporter.Begin(file);
        int result = controller.bDoConvert(&job);
        bool converted = result == 1 && NonEmptyFile(job.outputPath);
        if (watcher->Interrupted()) {
            reporter.Finish("stopped");
            if (converted)
                std::printf("%s\n", job.outputPath);
            return kExitInterrupted;
        }
        if (!converted) {
            reporter.Finish("failed");
            std::fprintf(stderr, "kiv-convert: converting '%s' failed; the log is %s\n",
                         file.c_str(), kiv::OpenLogPath().c_str());
            return kExitFailed;
        }
        reporter.Finish("done");
        std::printf("%s\n", job.outputPath);
        std::fflush(stdout);
    }
    return kExitOk;
}

} // namespace kivcli
