// The image pass: every picture of the show checked and made a frame image
// the show pass reads. A JPEG (the photos of cameras and phones) becomes a
// link to itself: the show pass decodes it reduced to the size it is shown
// at, turned by its EXIF orientation, so a 12-megapixel photo is never
// decoded whole. Any other picture is prepared once, a few per FFmpeg run:
// upright, at most 1920 x 1080, as JPEG, or as PNG when it may be
// transparent. Memory stays the same however many pictures the show has.

#include "PictureFiles.h"
#include "SlideShowPasses.h"
#include "SlideShowScriptReader.h"

#include "CommandLine.h"
#include "NonEmptyFile.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <unistd.h>

namespace kiv::enc {

namespace {

constexpr std::size_t kPicturesPerRun = 8;

// FFmpeg's image sequence reader takes a '%' in a file name for a frame
// number. Pictures of a kind enc does not read with a pipe reader are
// handed over through links with plain names in a private folder, removed
// again when the pass ends.
class PlainNames {
public:
    ~PlainNames() {
        for (const std::string& link : links_)
            ::unlink(link.c_str());
        if (!folder_.empty())
            ::rmdir(folder_.c_str());
    }

    std::vector<std::string> Input(const std::string& path) {
        std::vector<std::string> input = PictureInput(path);
        if (input.size() != 2 || path.find('%') == std::string::npos)
            return input;
        if (folder_.empty()) {
            const char* base = std::getenv("TMPDIR");
            std::string pattern = std::string(base && *base ? base : "/tmp") + "/kiv-enc-XXXXXX";
            if (!::mkdtemp(pattern.data()))
                return input;
            folder_ = pattern;
        }
        std::string link = folder_ + "/input" + std::to_string(links_.size()) + Extension(path);
        if (::symlink(path.c_str(), link.c_str()) != 0)
            return input;
        links_.push_back(link);
        return {"-i", link};
    }

private:
    std::string folder_;
    std::vector<std::string> links_;

    // The file's extension when it is letters and digits only, else none.
    static std::string Extension(const std::string& path) {
        std::size_t dot = path.rfind('.');
        if (dot == std::string::npos || path.find('/', dot) != std::string::npos)
            return {};
        for (std::size_t i = dot + 1; i < path.size(); ++i) {
            if (!std::isalnum(static_cast<unsigned char>(path[i])))
                return {};
        }
        return path.substr(dot);
    }
};

std::string FrameImage(const std::string& prefix, int frame) {
    char number[16];
    std::snprintf(number, sizeof number, "%06d", frame);
    return prefix + number + ".ebmp";
}

// One picture to prepare into one frame image.
struct Job {
    std::string picture;
    std::string frame;
};

std::vector<std::string> RunArguments(const std::vector<Job>& jobs, PlainNames& names) {
    std::vector<std::string> argv = GlobalArguments();
    for (const Job& job : jobs) {
        std::vector<std::string> input = names.Input(job.picture);
        argv.insert(argv.end(), input.begin(), input.end());
    }
    for (std::size_t i = 0; i < jobs.size(); ++i) {
        bool transparent = MayBeTransparent(FileHead(jobs[i].picture, 16));
        argv.insert(argv.end(), {"-map", std::to_string(i) + ":v:0", "-frames:v", "1", "-vf",
                                 PrepareChain(), "-c:v", transparent ? "png" : "mjpeg"});
        if (!transparent)
            argv.insert(argv.end(), {"-q:v", "2"});
        argv.insert(argv.end(), {"-f", "image2", "-update", "1", jobs[i].frame});
    }
    return argv;
}

// How one run of pictures ended: 0, or enc's exit status with its message
// written.
int PrepareRun(const std::vector<Job>& jobs) {
    PlainNames names;
    std::vector<std::string> argv = RunArguments(jobs, names);
    WriteAll(STDOUT_FILENO, JoinForDisplay(argv) + "\n");
    RunResult result = RunFfmpeg(argv);
    bool complete = result.started && result.exitCode == 0 && !result.signalled;
    for (const Job& job : jobs)
        complete = complete && IsNonEmptyFile(job.frame);
    if (complete)
        return 0;
    if (result.abandoned)
        return Fail("slideshow abandoned", kAbandoned);
    if (!result.started)
        return Fail(result.startError, kRunError);
    if (result.signalled || result.quitByKey)
        return Fail("preparing the slideshow pictures was stopped", kRunError);
    if (jobs.size() > 1) {
        // Which picture it was: each again on its own.
        for (const Job& job : jobs) {
            if (int status = PrepareRun({job}); status != 0)
                return status;
        }
        return 0;
    }
    return Fail(FailureReason(result, "preparing the picture '" + jobs.front().picture + "'"),
                kRunError);
}

} // namespace

int RunImagePass(const std::string& scriptPath, const std::string& scriptText) {
    ImageScriptFacts facts;
    std::string error;
    if (!ReadImageScript(scriptText, facts, error))
        return Fail("cannot render the slideshow script " + scriptPath + ": " + error,
                    kUnreadableInput);
    PictureInfo background;
    std::vector<PictureInfo> pictures(facts.picturePaths.size());
    if (!ReadPicture(facts.backgroundPath, "background picture", background, error))
        return Fail(error, kUnreadableInput);
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        if (!ReadPicture(facts.picturePaths[i], "picture", pictures[i], error))
            return Fail(error, kUnreadableInput);
    }
    int pictureCount = static_cast<int>(pictures.size());
    int frames = ImagePassFrameCount(pictureCount, facts.firstFrame, facts.lastFrame);
    if (frames == 0)
        return Fail("the image script writes no frame images", kUnreadableInput);
    std::string folder = std::filesystem::path(facts.framePrefix).parent_path().string();
    if (!IsPrivateFolder(folder.empty() ? "." : folder))
        return Fail("the frame images' folder " + folder +
                        " is not a private folder of this user; nothing is written there",
                    kRunError);

    auto removeAll = [&] {
        for (int f = facts.firstFrame; f < facts.firstFrame + frames; ++f)
            ::unlink(FrameImage(facts.framePrefix, f).c_str());
    };
    // Frame 0 and frame 1 both show the first picture: it is prepared once.
    std::vector<Job> jobs;
    bool copyFirst = false;
    for (int f = facts.firstFrame; f < facts.firstFrame + frames; ++f) {
        if (f == 0 && facts.firstFrame + frames > 1) {
            copyFirst = true;
            continue;
        }
        std::size_t index = static_cast<std::size_t>(std::max(f, 1) - 1);
        std::string frame = FrameImage(facts.framePrefix, f);
        if (!pictures[index].jpeg) {
            jobs.push_back({facts.picturePaths[index], frame});
            continue;
        }
        std::error_code absolute;
        std::filesystem::path target =
            std::filesystem::absolute(facts.picturePaths[index], absolute);
        ::unlink(frame.c_str());
        if (absolute || ::symlink(target.c_str(), frame.c_str()) != 0) {
            removeAll();
            return Fail("cannot write the frame image " + frame, kRunError);
        }
    }
    for (std::size_t first = 0; first < jobs.size(); first += kPicturesPerRun) {
        std::vector<Job> run(jobs.begin() + static_cast<std::ptrdiff_t>(first),
                             jobs.begin() + static_cast<std::ptrdiff_t>(
                                                std::min(jobs.size(), first + kPicturesPerRun)));
        if (int status = PrepareRun(run); status != 0) {
            removeAll();
            return status;
        }
    }
    if (copyFirst) {
        std::error_code copied;
        std::string first = FrameImage(facts.framePrefix, 1);
        std::string zero = FrameImage(facts.framePrefix, 0);
        ::unlink(zero.c_str());
        if (std::filesystem::is_symlink(first, copied))
            std::filesystem::create_symlink(std::filesystem::read_symlink(first, copied), zero,
                                            copied);
        else
            std::filesystem::copy_file(first, zero, copied);
        if (copied) {
            removeAll();
            return Fail("cannot write the frame image " + FrameImage(facts.framePrefix, 0) + ": " +
                            copied.message(),
                        kRunError);
        }
    }
    return 0;
}

} // namespace kiv::enc
