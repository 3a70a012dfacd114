#pragma once

#include <chrono>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/Clock.h"
#include "platform/PrintSystem.h"
#include "platform/ShellActions.h"
#include "platform/sim/SimPdfPrinter.h"

namespace korvent::platform {

// The shell's "Print" and "Open" actions, for tests. "Print" hands the file to the program of
// the current default printer: a registered PDF printer's program opens its Save dialog; any
// other printer prints at once and its process ends after the paper printing time. "Open"
// succeeds without a process. A file that does not exist gives error 2; failures can be
// arranged per path or for the next request. Every request is recorded.
class SimShell final : public ShellActions {
public:
    struct Request {
        ShellVerb verb;
        std::string path;
        std::string printer;  // the default printer when a "Print" was asked for
        int error;
        std::chrono::milliseconds time;

        bool operator==(const Request&) const = default;
    };

    SimShell(PrintSystem& printers, Clock& clock) : fPrinters(printers), fClock(clock) {}

    ShellResult Execute(ShellVerb verb, const std::string& path) override;

    // Prints to `printer` (letter case ignored) go to `program`, which must outlive the shell's
    // use of it.
    void SetPrinterProgram(const std::string& printer, SimPdfPrinter& program);
    // Every request for `path` fails with `error`.
    void FailPath(const std::string& path, int error) { fPathErrors[path] = error; }
    // The next request, whatever its path, fails with `error`.
    void FailNextRequest(int error) { fNextError = error; }
    // How long a printer without a registered program keeps its printing process running.
    void SetPaperPrintTime(std::chrono::milliseconds time) { fPaperPrintTime = time; }

    const std::vector<Request>& Requests() const { return fRequests; }
    void ClearRequests() { fRequests.clear(); }

private:
    int ErrorFor(const std::string& path);
    std::unique_ptr<Process> StartPrinting(const std::string& printer, const std::string& path);

    PrintSystem& fPrinters;
    Clock& fClock;
    std::map<std::string, SimPdfPrinter*> fPrograms;  // by upper-cased printer name
    std::map<std::string, int> fPathErrors;
    std::optional<int> fNextError;
    std::chrono::milliseconds fPaperPrintTime{1000};
    std::vector<Request> fRequests;
};

}  // namespace korvent::platform
