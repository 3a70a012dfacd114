#pragma once

#include <map>
#include <memory>
#include <string>

#include "platform/Clock.h"
#include "platform/sim/SimPdfPrinter.h"
#include "platform/sim/SimPrintSystem.h"
#include "platform/sim/SimShell.h"
#include "platform/sim/SimWindowSystem.h"

namespace korvent::platform {

// A whole simulated desktop over given printers and clock: the window system, the shell and
// the PDF printers' programs, so that a test sets up a writer in one line:
//     SimDesktop desktop(printers, clock);
//     desktop.AddPdfPrinter("CutePDF Writer", SimPdfPrinter::Variant::Cute);
// and then reads desktop.Windows().Records(), desktop.Shell().Requests() and
// desktop.Printer("CutePDF Writer").Written().
class SimDesktop {
public:
    SimDesktop(SimPrintSystem& printers, Clock& clock)
        : fPrinters(printers), fClock(clock), fWindows(clock), fShell(printers, clock) {}

    // Installs the printer in the print system unless it is there, and gives it a program that
    // opens the variant's Save dialog for every print request. A second call for the same
    // name replaces the program.
    SimPdfPrinter& AddPdfPrinter(const std::string& name, SimPdfPrinter::Variant variant);
    SimPdfPrinter& AddPdfPrinter(const std::string& name, SimPdfPrinter::Variant variant,
                                 const SimPdfPrinter::Options& options);
    // The program added for `name`; throws std::out_of_range for any other name.
    SimPdfPrinter& Printer(const std::string& name) { return *fPdfPrinters.at(name); }

    SimWindowSystem& Windows() { return fWindows; }
    SimShell& Shell() { return fShell; }

private:
    SimPrintSystem& fPrinters;
    Clock& fClock;
    SimWindowSystem fWindows;
    SimShell fShell;
    // After the window system, so that the programs close their windows before it goes.
    std::map<std::string, std::unique_ptr<SimPdfPrinter>> fPdfPrinters;
};

}  // namespace korvent::platform
