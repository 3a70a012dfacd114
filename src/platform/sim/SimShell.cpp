#include "platform/sim/SimShell.h"

#include <filesystem>
#include <utility>

#include "platform/TextCase.h"

namespace korvent::platform {

namespace {

// A program that prints without asking anything and ends when its time is up.
class TimedProcess final : public Process {
public:
    TimedProcess(Clock& clock, std::chrono::milliseconds end) : fClock(clock), fEnd(end) {}
    bool Running() override { return fClock.Now() < fEnd; }

private:
    Clock& fClock;
    std::chrono::milliseconds fEnd;
};

}  // namespace

ShellResult SimShell::Execute(ShellVerb verb, const std::string& path) {
    const std::string printer = verb == ShellVerb::Print ? fPrinters.DefaultPrinterName() : "";
    const int error = ErrorFor(path);
    fRequests.push_back({verb, path, printer, error, fClock.Now()});
    if (error != 0 || verb == ShellVerb::Open) {
        return {error, nullptr};
    }
    return {0, StartPrinting(printer, path)};
}

void SimShell::SetPrinterProgram(const std::string& printer, SimPdfPrinter& program) {
    fPrograms[UpperCaseText(printer)] = &program;
}

int SimShell::ErrorFor(const std::string& path) {
    if (fNextError) {
        return std::exchange(fNextError, std::nullopt).value();
    }
    if (auto it = fPathErrors.find(path); it != fPathErrors.end()) {
        return it->second;
    }
    std::error_code error;
    return std::filesystem::exists(path, error) ? 0 : shell_error::FileNotFound;
}

std::unique_ptr<Process> SimShell::StartPrinting(const std::string& printer,
                                                 const std::string& path) {
    if (auto it = fPrograms.find(UpperCaseText(printer)); it != fPrograms.end()) {
        return it->second->Print(path);
    }
    return std::make_unique<TimedProcess>(fClock, fClock.Now() + fPaperPrintTime);
}

}  // namespace korvent::platform
