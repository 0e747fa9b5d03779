#include "EncTestSupport.h"

#include "StatusLine.h"

#include "CFFmpegEncoder.h"
#include "Settings.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <poll.h>
#include <spawn.h>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

extern "C" {
#include <libavformat/avformat.h>
#include <libavutil/dict.h>
}

extern char** environ;

namespace kiv::enctest {

namespace fs = std::filesystem;

std::string ScratchFolder(const std::string& name) {
    const char* home = std::getenv("KIV_HOME");
    fs::path base = home && *home ? fs::path(home) : fs::temp_directory_path() / "kiv-enc-tests";
    fs::path folder = base / name;
    std::error_code error;
    fs::create_directories(folder, error);
    return folder.string();
}

std::string EncPath() {
    return ProgramDirectory() + kEncoderExecutable;
}

bool FileExists(const std::string& path) {
    std::error_code error;
    return fs::exists(path, error);
}

bool MakeMedia(const std::string& path, const std::vector<std::string>& arguments) {
    if (FileExists(path))
        return true;
    fs::path target(path);
    std::string hiddenName = std::to_string(::getpid());
    hiddenName.insert(hiddenName.begin(), '.');
    hiddenName += '-';
    hiddenName += target.filename().string();
    std::string temporary = (target.parent_path() / hiddenName).string();
    std::vector<std::string> argv = {"ffmpeg", "-v", "error", "-nostdin", "-y"};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    // The muxer comes from the real name's extension.
    argv.push_back("-f");
    argv.push_back(av_guess_format(nullptr, path.c_str(), nullptr)->name);
    argv.push_back(temporary);
    ProcessResult result = RunProcess(argv);
    if (result.exitCode != 0) {
        std::fprintf(stderr, "making %s failed: %s\n", path.c_str(), result.output.c_str());
        ::unlink(temporary.c_str());
        return FileExists(path);
    }
    std::rename(temporary.c_str(), path.c_str());
    return FileExists(path);
}

std::string VideoSource() {
    std::string path = ScratchFolder("media") + "/video.mp4";
    MakeMedia(path, {"-f", "lavfi", "-i", "testsrc2=size=320x240:rate=25:duration=2", "-f", "lavfi",
                     "-i", "sine=frequency=440:sample_rate=48000:duration=2", "-c:v", "libx264",
                     "-preset", "ultrafast", "-pix_fmt", "yuv420p", "-c:a", "aac", "-ac", "2"});
    return path;
}

std::string AudioSource() {
    std::string path = ScratchFolder("media") + "/audio.mp3";
    MakeMedia(path, {"-f", "lavfi", "-i", "sine=frequency=440:sample_rate=44100:duration=2", "-ac",
                     "2", "-c:a", "libmp3lame", "-b:a", "128k"});
    return path;
}

std::string LongVideoSource() {
    std::string path = ScratchFolder("media") + "/long.avi";
    MakeMedia(path, {"-f", "lavfi", "-i", "testsrc2=size=320x240:rate=25:duration=40", "-f",
                     "lavfi", "-i", "sine=frequency=440:sample_rate=44100:duration=40", "-c:v",
                     "mpeg4", "-q:v", "8", "-c:a", "libmp3lame", "-ac", "2"});
    return path;
}

ProcessResult RunProcess(const std::vector<std::string>& argv, const OutputWatcher& watcher,
                         int timeoutSeconds) {
    ProcessResult result;
    int output[2];
    int input[2];
    if (::pipe2(output, O_CLOEXEC) != 0 || ::pipe2(input, O_CLOEXEC) != 0)
        return result;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, input[0], STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, output[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, output[1], STDERR_FILENO);
    std::vector<char*> pointers;
    for (const std::string& argument : argv)
        pointers.push_back(const_cast<char*>(argument.c_str()));
    pointers.push_back(nullptr);
    pid_t pid = 0;
    int spawned = ::posix_spawnp(&pid, pointers[0], &actions, nullptr, pointers.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(output[1]);
    ::close(input[0]);
    if (spawned != 0) {
        ::close(output[0]);
        ::close(input[1]);
        return result;
    }
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(timeoutSeconds);
    char buffer[4096];
    for (;;) {
        pollfd descriptor = {output[0], POLLIN, 0};
        int ready = ::poll(&descriptor, 1, 200);
        if (std::chrono::steady_clock::now() > deadline) {
            result.timedOut = true;
            ::kill(pid, SIGKILL);
            break;
        }
        if (ready <= 0)
            continue;
        ssize_t count = ::read(output[0], buffer, sizeof buffer);
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0)
            break;
        result.output.append(buffer, static_cast<std::size_t>(count));
        if (watcher)
            watcher(result.output, ProcessControl{pid, input[1]});
    }
    ::close(output[0]);
    ::close(input[1]);
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return result;
}

ProcessResult RunEnc(const std::vector<std::string>& arguments, const OutputWatcher& watcher) {
    std::vector<std::string> argv = {EncPath(), kEncoderToken};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    return RunProcess(argv, watcher);
}

MediaInspection Inspect(const std::string& path) {
    MediaInspection inspection;
    av_log_set_level(AV_LOG_QUIET);
    AVFormatContext* context = nullptr;
    if (avformat_open_input(&context, path.c_str(), nullptr, nullptr) != 0)
        return inspection;
    if (avformat_find_stream_info(context, nullptr) < 0) {
        avformat_close_input(&context);
        return inspection;
    }
    inspection.opened = true;
    inspection.format = context->iformat->name;
    if (const AVDictionaryEntry* brand = av_dict_get(context->metadata, "major_brand", nullptr, 0))
        inspection.majorBrand = brand->value;
    for (unsigned i = 0; i < context->nb_streams; ++i) {
        const AVStream* stream = context->streams[i];
        const AVCodecParameters* parameters = stream->codecpar;
        if (parameters->codec_type == AVMEDIA_TYPE_VIDEO &&
            !(stream->disposition & AV_DISPOSITION_ATTACHED_PIC) && inspection.videoCodec.empty()) {
            inspection.videoCodec = avcodec_get_name(parameters->codec_id);
            inspection.width = parameters->width;
            inspection.height = parameters->height;
        } else if (parameters->codec_type == AVMEDIA_TYPE_AUDIO && inspection.audioCodec.empty()) {
            inspection.audioCodec = avcodec_get_name(parameters->codec_id);
            inspection.sampleRate = parameters->sample_rate;
            inspection.channels = parameters->ch_layout.nb_channels;
        }
    }
    AVPacket* packet = av_packet_alloc();
    while (av_read_frame(context, packet) >= 0) {
        const AVStream* stream = context->streams[packet->stream_index];
        int64_t start = packet->pts != AV_NOPTS_VALUE ? packet->pts : packet->dts;
        if (start != AV_NOPTS_VALUE && !(stream->disposition & AV_DISPOSITION_ATTACHED_PIC)) {
            int64_t first = stream->start_time != AV_NOPTS_VALUE ? stream->start_time : 0;
            double end =
                static_cast<double>(start - first + packet->duration) * av_q2d(stream->time_base);
            inspection.seconds = std::max(inspection.seconds, end);
        }
        av_packet_unref(packet);
    }
    av_packet_free(&packet);
    avformat_close_input(&context);
    return inspection;
}

bool DecodesCleanly(const std::string& path) {
    ProcessResult result =
        RunProcess({"ffmpeg", "-nostdin", "-v", "error", "-i", path, "-f", "null", "-"});
    return result.exitCode == 0 && result.output.empty();
}

std::string ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << bytes;
}

std::vector<int> StatusSeconds(const std::string& output, bool hasVideo) {
    std::vector<int> seconds;
    std::istringstream lines(output);
    std::string line;
    while (std::getline(lines, line)) {
        int value = 0;
        if (ReadStatusSeconds(line.c_str(), hasVideo, value))
            seconds.push_back(value);
    }
    return seconds;
}

} // namespace kiv::enctest
