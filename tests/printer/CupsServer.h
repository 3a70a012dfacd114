#pragma once

#include <sys/types.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace korvent::printer::testing {

// Output and exit status of a program run with an argument vector (never through a shell).
struct RunResult {
    int status = -1;  // exit status, -1 when it could not be started or did not exit
    std::string output;
};
RunResult Run(const std::vector<std::string>& argv);

// A private CUPS scheduler for integration tests: its own configuration, spool and state in a
// temporary folder, listening only on a local socket there, so that a print system running on
// the machine is neither seen nor touched. Start() points this process (and the programs it
// runs) at it through CUPS_SERVER, CUPS_SERVERROOT and HOME; the user's lpoptions files are
// saved and put back by Stop(). Needs root and /usr/sbin/cupsd.
class CupsServer {
public:
    ~CupsServer();

    // Empty on success, otherwise why the server could not be started.
    std::string Start();
    // Stops the scheduler by its process id, restores the user's files and environment and
    // removes the folder.
    void Stop();

    const std::filesystem::path& Dir() const { return fDir; }
    // The file where libcups keeps this test's user defaults.
    std::filesystem::path UserOptionsFile() const { return fDir / "home" / ".cups" / "lpoptions"; }
    // Runs a CUPS command-line program against this server; its output and status.
    RunResult Tool(std::vector<std::string> argv) const;

private:
    struct SavedFile {
        std::filesystem::path path;
        std::optional<std::string> content;
    };
    struct SavedVariable {
        std::string name;
        std::optional<std::string> value;
    };

    void SaveEnvironment(const std::string& name);

    std::filesystem::path fDir;
    pid_t fPid = -1;
    std::vector<SavedFile> fUserFiles;
    std::vector<SavedVariable> fEnvironment;
};

}  // namespace korvent::printer::testing
