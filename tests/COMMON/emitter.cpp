// A stand-in child for runner tests: writes chosen bytes to its standard
// output, or behaves like an encoder that does or does not heed "q".

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

void Write(const std::string& text) {
    std::size_t done = 0;
    while (done < text.size()) {
        ssize_t count = write(STDOUT_FILENO, text.data() + done, text.size() - done);
        if (count <= 0)
            return;
        done += static_cast<std::size_t>(count);
    }
}

// Prints a status line every 50 ms; ends on "q" unless told to ignore it.
int Ticker(bool heedQuit) {
    fcntl(STDIN_FILENO, F_SETFL, O_NONBLOCK);
    for (int tick = 1; tick < 2000; ++tick) {
        Write("frame=1 size=1kB time=" + std::to_string(tick) + ".00 bitrate=1.0kbits/s\n");
        char key = 0;
        if (heedQuit && read(STDIN_FILENO, &key, 1) == 1 && key == 'q') {
            Write("finishing 1\nfinishing 2\n");
            return 0;
        }
        usleep(50 * 1000);
    }
    return 0;
}

volatile sig_atomic_t terminations = 0;

// Ignores "q" and takes a second to finish once it is sent SIGTERM, as
// FFmpeg flushing its encoders does; its exit status is the number of
// SIGTERMs it got.
int SlowToStop() {
    std::signal(SIGTERM, [](int) { terminations = terminations + 1; });
    int finishing = 0;
    for (int tick = 1; tick < 2000; ++tick) {
        Write("frame=1 size=1kB time=" + std::to_string(tick) + ".00 bitrate=1.0kbits/s\n");
        if (terminations > 0 && ++finishing > 20)
            return terminations;
        usleep(50 * 1000);
    }
    return 0;
}

volatile sig_atomic_t helperTerminations = 0;

// Ignores "q" like SlowToStop, with a helper in its process group that
// counts the SIGTERMs it gets; told so, the helper leaves with that count,
// which becomes this one's exit status once it was sent SIGTERM itself.
int WithHelper() {
    pid_t helper = fork();
    if (helper == 0) {
        std::signal(SIGTERM, [](int) { helperTerminations = helperTerminations + 1; });
        std::signal(SIGUSR1, [](int) { _exit(helperTerminations); });
        for (;;)
            pause();
    }
    std::signal(SIGTERM, [](int) { terminations = terminations + 1; });
    for (int tick = 1; tick < 2000 && terminations == 0; ++tick) {
        Write("frame=1 size=1kB time=" + std::to_string(tick) + ".00 bitrate=1.0kbits/s\n");
        usleep(50 * 1000);
    }
    usleep(300 * 1000); // a signal to the whole group has reached the helper by now
    kill(helper, SIGUSR1);
    int status = 0;
    waitpid(helper, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 99;
}

} // namespace

int main(int argc, char** argv) {
    std::string mode = argc > 1 ? argv[1] : "";
    // Started as the encoder: the mode comes from the environment.
    if (mode == "quillon-transcode-gates" && std::getenv("KIV_EMITTER_MODE"))
        mode = std::getenv("KIV_EMITTER_MODE");
    if (mode == "raw") { // each further argument is one write, with \r \n escapes
        for (int i = 2; i < argc; ++i) {
            std::string text;
            for (const char* c = argv[i]; *c; ++c) {
                if (c[0] == '\\' && c[1] == 'n') {
                    text += '\n';
                    ++c;
                } else if (c[0] == '\\' && c[1] == 'r') {
                    text += '\r';
                    ++c;
                } else {
                    text += *c;
                }
            }
            Write(text);
            usleep(100 * 1000); // let the reader take each write as its own block
        }
        return 0;
    }
    if (mode == "burst") {
        int lines = argc > 2 ? std::atoi(argv[2]) : 1000;
        std::string text;
        for (int i = 0; i < lines; ++i)
            text += "line " + std::to_string(i) + " " + std::string(40, 'x') + "\n";
        Write(text);
        return 0;
    }
    if (mode == "stderr") {
        std::fputs("to stderr\n", stderr);
        return 3;
    }
    if (mode == "nice") { // the priority it was started with
        Write("nice " + std::to_string(getpriority(PRIO_PROCESS, 0)) + "\n");
        return 0;
    }
    if (mode == "ticker")
        return Ticker(true);
    if (mode == "stubborn")
        return Ticker(false);
    if (mode == "slowstop")
        return SlowToStop();
    if (mode == "helper")
        return WithHelper();
    if (mode == "escapee") { // a helper outside its group keeps the output open
        pid_t helper = fork();
        if (helper == 0) {
            setsid();
            sleep(600);
            _exit(0);
        }
        Write("helper " + std::to_string(helper) + "\n");
        return Ticker(false);
    }
    return 2;
}
