#pragma once

#include <sys/types.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/ShellActions.h"

namespace korvent::platform {

// A program started from an argument vector (found on PATH, never through a shell) in a process
// group of its own, with no input and its output discarded. Helpers that the program starts
// stay in that group. Dropping a program that still runs either kills all of them (a job's own
// worker) or lets them go on (a program handed to the user), reaped so no zombie is left.
class SpawnedProgram final : public Process {
public:
    enum class OnDrop { Kill, LetRun };

    // Starts argv[0]; a program that could not be started reports the reason in SpawnError().
    explicit SpawnedProgram(const std::vector<std::string>& argv, OnDrop onDrop = OnDrop::Kill);
    ~SpawnedProgram() override;
    SpawnedProgram(const SpawnedProgram&) = delete;
    SpawnedProgram& operator=(const SpawnedProgram&) = delete;

    // Never blocks: looks whether the program has ended, and collects it once it has.
    bool Running() override;
    // The errno of a failed start (ENOENT: no such program); 0 when it started.
    int SpawnError() const { return fSpawnError; }
    // The exit code of a program that ended by itself; nothing while it runs, after a signal
    // or when it never started.
    std::optional<int> ExitCode() const { return fExitCode; }
    // The process id; -1 once collected or when it never started.
    pid_t Pid() const { return fPid; }

private:
    OnDrop fOnDrop;
    pid_t fPid = -1;
    int fSpawnError = 0;
    std::optional<int> fExitCode;
};

}  // namespace korvent::platform
