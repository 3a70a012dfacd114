#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "app/FormServices.h"
#include "platform/ProfileRegistry.h"
#include "platform/QpdfCombiner.h"
#include "platform/posix/CupsPrintSystem.h"
#include "platform/posix/DesktopShellActions.h"
#include "platform/posix/GioRecycleBin.h"
#include "platform/posix/IniProfileStore.h"
#include "platform/posix/LinuxDocumentWriters.h"
#include "platform/posix/SteadyClock.h"

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
    platform::DocumentWriters& Writers() { return fWriters; }

private:
    platform::IniProfileStore fProfiles;
    platform::ProfileRegistry fRegistry;
    platform::SteadyClock fClock;
    platform::CupsPrintSystem fPrinters;
    platform::DesktopShellActions fShell;
    platform::QpdfCombiner fCombiner;
    platform::GioRecycleBin fRecycleBin;
    platform::LinuxDocumentWriters fWriters;
};

}  // namespace korvent::app
