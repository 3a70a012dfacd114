#pragma once

#include <vector>

#include "platform/ApplicationPrinter.h"
#include "platform/PrintSystem.h"

namespace korvent::printer {

// What all printer selectors of the program share: the print system, the program's printer
// object and the result of the last printer enumeration (whichever selector made it).
class TPrinterContext {
public:
    explicit TPrinterContext(platform::PrintSystem& system) : fSystem(system), fPrinter(system) {}
    TPrinterContext(const TPrinterContext&) = delete;
    TPrinterContext& operator=(const TPrinterContext&) = delete;

    platform::PrintSystem& System() { return fSystem; }
    platform::ApplicationPrinter& Printer() { return fPrinter; }

    // Enumerates again, replacing the shared result; returns the number of printers.
    int Enumerate() {
        EnumBuffer = fSystem.EnumPrinters();
        return static_cast<int>(EnumBuffer.size());
    }

    std::vector<platform::PrinterRecord> EnumBuffer;
    // Set by whoever makes another printer the system default for a while, so that the
    // previous default is put back only when this program changed it.
    bool DefaultChanged = false;

private:
    platform::PrintSystem& fSystem;
    platform::ApplicationPrinter fPrinter;
};

}  // namespace korvent::printer
