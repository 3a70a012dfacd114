// Runs a command against a private CUPS scheduler with one cups-pdf queue named by the first
// argument, so that a benchmark prints through a real queue without touching the machine's
// print system. Exits with the command's status, or 77 where no scheduler can be started.
#include <spawn.h>
#include <sys/wait.h>

#include <cstdio>
#include <string>
#include <vector>

#include "writers/PdfQueueServer.h"

extern char** environ;

namespace {

int RunCommand(char** argv) {
    pid_t pid = -1;
    if (posix_spawnp(&pid, argv[0], nullptr, nullptr, argv, environ) != 0) {
        std::fprintf(stderr, "with_pdf_queue: cannot start %s\n", argv[0]);
        return 127;
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: with_pdf_queue QUEUE COMMAND [ARGUMENT...]\n");
        return 2;
    }
    korvent::writers::testing::PdfQueueServer server(argv[1]);
    if (const std::string why = server.Start(); !why.empty()) {
        std::fprintf(stderr, "with_pdf_queue: %s\n", why.c_str());
        return 77;
    }
    return RunCommand(argv + 2);
}
