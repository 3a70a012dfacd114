#include "platform/posix/PosixProcess.h"

#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <thread>

extern char** environ;

namespace korvent::platform {

std::unique_ptr<PosixProcess> PosixProcess::Spawn(const std::vector<std::string>& argv,
                                                  int& error) {
    if (argv.empty()) {
        error = EINVAL;
        return nullptr;
    }
    std::vector<char*> args;
    for (const std::string& arg : argv) {
        args.push_back(const_cast<char*>(arg.c_str()));
    }
    args.push_back(nullptr);
    pid_t pid = 0;
    error = posix_spawnp(&pid, args[0], nullptr, nullptr, args.data(), environ);
    return error == 0 ? std::make_unique<PosixProcess>(pid) : nullptr;
}

PosixProcess::~PosixProcess() {
    if (Running()) {
        std::thread([pid = fPid] { waitpid(pid, nullptr, 0); }).detach();
    }
}

bool PosixProcess::Running() {
    if (fReaped) {
        return false;
    }
    pid_t rc = 0;
    do {
        rc = waitpid(fPid, nullptr, WNOHANG);
    } while (rc < 0 && errno == EINTR);
    // Any error (ECHILD: someone else reaped it) also means there is nothing left to wait for.
    fReaped = rc != 0;
    return !fReaped;
}

}  // namespace korvent::platform
