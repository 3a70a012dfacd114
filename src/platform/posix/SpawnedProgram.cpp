#include "platform/posix/SpawnedProgram.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <thread>

extern char** environ;

namespace korvent::platform {

namespace {

std::vector<char*> ArgumentPointers(const std::vector<std::string>& argv) {
    std::vector<char*> pointers;
    for (const std::string& a : argv) {
        pointers.push_back(const_cast<char*>(a.c_str()));
    }
    pointers.push_back(nullptr);
    return pointers;
}

}  // namespace

SpawnedProgram::SpawnedProgram(const std::vector<std::string>& argv, OnDrop onDrop)
    : fOnDrop(onDrop) {
    if (argv.empty()) {
        fSpawnError = EINVAL;
        return;
    }
    std::vector<char*> args = ArgumentPointers(argv);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
    posix_spawnattr_setpgroup(&attributes, 0);
    fSpawnError = posix_spawnp(&fPid, args[0], &actions, &attributes, args.data(), environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    if (fSpawnError != 0) {
        fPid = -1;
    }
}

SpawnedProgram::~SpawnedProgram() {
    if (!Running()) {
        return;
    }
    if (fOnDrop == OnDrop::LetRun) {
        // Only this thread waits for the program; it touches nothing else.
        std::thread([pid = fPid] { waitpid(pid, nullptr, 0); }).detach();
        return;
    }
    // The group is killed only while its leader is not yet collected: until then its id
    // cannot belong to anybody else.
    kill(-fPid, SIGKILL);
    int status = 0;
    waitpid(fPid, &status, 0);
}

bool SpawnedProgram::Running() {
    if (fPid < 0) {
        return false;
    }
    int status = 0;
    const pid_t r = waitpid(fPid, &status, WNOHANG);
    if (r == 0) {
        return true;
    }
    if (r == fPid && WIFEXITED(status)) {
        fExitCode = WEXITSTATUS(status);
    }
    fPid = -1;
    return false;
}

}  // namespace korvent::platform
