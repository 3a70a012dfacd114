#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "app/FormServices.h"
#include "platform/IniProfileStore.h"
#include "platform/QpdfCombiner.h"
#include "platform/SteadyClock.h"
#ifdef _WIN32
#include "platform/win32/DesktopWindows.h"
#include "platform/win32/ShellExecuteActions.h"
#include "platform/win32/ShellRecycleBin.h"
#include "platform/win32/SpoolerPrintSystem.h"
#include "platform/win32/UserRegistry.h"
#else
#include "platform/ProfileRegistry.h"
#include "platform/posix/CupsPrintSystem.h"
#include "platform/posix/DesktopShellActions.h"
#include "platform/posix/GioRecycleBin.h"
#include "platform/posix/LinuxDocumentWriters.h"
#endif

namespace korvent::app {

// The real services of this desktop, made once for each program that runs TMainForm (the
// window and the command line), so that both run against the same system.
class DesktopServices {
public:
    DesktopServices();
    DesktopServices(const DesktopServices&) = delete;
    DesktopServices& operator=(const DesktopServices&) = delete;

    // The running program's file; `argv0` made absolute where the system does not tell.
    static std::filesystem::path ProgramFile(const char* argv0);

    // The services for a form whose INI file is named after `programFile` and kept in
    // `dataDir`, with `arguments` as its command-line paths.
    FormServices Services(std::filesystem::path programFile, std::filesystem::path dataDir,
                          std::vector<std::string> arguments);

    platform::Clock& Clock() { return fClock; }
    // The writers that make PDFs without a dialog; none on Windows, where every writer is a
    // printer with a Save dialog.
    platform::DocumentWriters* Writers();

private:
    // Other programs' windows, where a PDF printer shows a Save dialog; none elsewhere.
    platform::WindowSystem* Windows();

    platform::IniProfileStore fProfiles;
    platform::SteadyClock fClock;
    platform::QpdfCombiner fCombiner;
#ifdef _WIN32
    platform::UserRegistry fRegistry;
    platform::SpoolerPrintSystem fPrinters;
    platform::ShellExecuteActions fShell;
    platform::ShellRecycleBin fRecycleBin;
    platform::DesktopWindows fWindows;
#else
    platform::ProfileRegistry fRegistry;
    platform::CupsPrintSystem fPrinters;
    platform::DesktopShellActions fShell;
    platform::GioRecycleBin fRecycleBin;
    platform::LinuxDocumentWriters fWriters;
#endif
};

}  // namespace korvent::app
