#include "plugins/BoundedChild.h"

#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>

namespace korvent::test {
namespace {

// Private writable memory mapped now, as the kernel counts it against RLIMIT_DATA.
std::size_t DataBytes() {
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
        if (key == "VmData:") {
            std::size_t kilobytes = 0;
            status >> kilobytes;
            return kilobytes * 1024;
        }
        status.ignore(1 << 20, '\n');
    }
    return 0;
}

[[noreturn]] void RunChild(const std::function<std::string()>& work, int out, unsigned seconds,
                           std::size_t megabytes) {
    alarm(seconds);
    const rlimit limit{DataBytes() + (megabytes << 20), RLIM_INFINITY};
    setrlimit(RLIMIT_DATA, &limit);
    const std::string answer = work();
    std::size_t written = 0;
    while (written < answer.size()) {
        const ssize_t n = write(out, answer.data() + written, answer.size() - written);
        if (n <= 0) {
            _exit(3);
        }
        written += static_cast<std::size_t>(n);
    }
    _exit(0);
}

std::string ReadAll(int in) {
    std::string text;
    char buffer[4096];
    ssize_t n = 0;
    while ((n = read(in, buffer, sizeof buffer)) > 0) {
        text.append(buffer, static_cast<std::size_t>(n));
    }
    return text;
}

std::string Describe(int status) {
    if (WIFSIGNALED(status)) {
        const int signal = WTERMSIG(status);
        return signal == SIGALRM ? "time limit" : "signal " + std::to_string(signal);
    }
    return "exit status " + std::to_string(WEXITSTATUS(status));
}

}  // namespace

TChildOutcome RunBounded(const std::function<std::string()>& work, unsigned seconds,
                         std::size_t megabytes) {
    TChildOutcome outcome;
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) {
        outcome.failure = "no pipe";
        return outcome;
    }
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
        close(pipeEnds[0]);
        RunChild(work, pipeEnds[1], seconds, megabytes);
    }
    close(pipeEnds[1]);
    if (child < 0) {
        close(pipeEnds[0]);
        outcome.failure = "no fork";
        return outcome;
    }
    outcome.answer = ReadAll(pipeEnds[0]);
    close(pipeEnds[0]);
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    outcome.seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    outcome.peakKilobytes = usage.ru_maxrss;
    outcome.finished = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    if (!outcome.finished) {
        outcome.failure = Describe(status);
    }
    return outcome;
}

}  // namespace korvent::test
