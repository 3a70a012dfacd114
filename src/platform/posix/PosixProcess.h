#pragma once

#include <sys/types.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/ShellActions.h"

namespace korvent::platform {

// A child process, polled without blocking. Destroying the object never waits for the
// program: an ended child is reaped at once, a running one by a detached thread that waits
// for it, so no zombie outlives it either way.
class PosixProcess final : public Process {
public:
    // Starts argv[0], looked up in PATH, with argv as its arguments and the current
    // environment; no shell is involved. Returns null and sets `error` to the errno value
    // when the program could not be started.
    static std::unique_ptr<PosixProcess> Spawn(const std::vector<std::string>& argv, int& error);

    explicit PosixProcess(pid_t pid) : fPid(pid) {}
    ~PosixProcess() override;
    PosixProcess(const PosixProcess&) = delete;
    PosixProcess& operator=(const PosixProcess&) = delete;

    bool Running() override;
    pid_t Pid() const { return fPid; }

private:
    pid_t fPid;
    bool fReaped = false;
};

}  // namespace korvent::platform
