#pragma once

#include <memory>
#include <string>

namespace korvent::platform {

// Error codes of a refused shell request, with the values the Windows shell returns, so that
// the run's summary names the same causes on every system.
namespace shell_error {
constexpr int FileNotFound = 2;
constexpr int PathNotFound = 3;
constexpr int AccessDenied = 5;
constexpr int OutOfMemory = 8;
constexpr int AssociationIncomplete = 27;
constexpr int NoAssociation = 31;
// Not a Windows code: the print system did not answer (no CUPS server), so nothing could be
// printed. Chosen far above the shell's own range.
constexpr int PrintSystemUnavailable = 1001;
}  // namespace shell_error

enum class ShellVerb { Print, Open };

// A program started by a shell request; the request's caller may wait for it to end.
class Process {
public:
    virtual ~Process() = default;
    // True while the program runs (a wait with a zero time-out would time out).
    virtual bool Running() = 0;
};

// The outcome of a shell request: error 0 is success, optionally with the program that carries
// the request out; any other value is one of the codes above.
struct ShellResult {
    int error = 0;
    std::unique_ptr<Process> process;

    bool Succeeded() const { return error == 0; }
};

// The desktop's registered actions on a file: "Print" sends it to the default printer through
// the program registered for its type, "Open" shows it in its default application. Neither
// shows an error dialog of its own; the caller reports failures.
class ShellActions {
public:
    virtual ~ShellActions() = default;
    // `path` is a full native path; it is handed on as one argument, never through a shell.
    virtual ShellResult Execute(ShellVerb verb, const std::string& path) = 0;
};

}  // namespace korvent::platform
