#include "platform/sim/SimDesktop.h"

namespace korvent::platform {

SimPdfPrinter& SimDesktop::AddPdfPrinter(const std::string& name, SimPdfPrinter::Variant variant) {
    return AddPdfPrinter(name, variant, SimPdfPrinter::Options{});
}

SimPdfPrinter& SimDesktop::AddPdfPrinter(const std::string& name, SimPdfPrinter::Variant variant,
                                         const SimPdfPrinter::Options& options) {
    if (!fPrinters.DefaultDeviceMode(name)) {
        fPrinters.AddPrinter(name);
    }
    auto& program = fPdfPrinters[name];
    program = std::make_unique<SimPdfPrinter>(fWindows, fClock, variant, options);
    fShell.SetPrinterProgram(name, *program);
    return *program;
}

}  // namespace korvent::platform
