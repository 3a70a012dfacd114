#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace korvent::platform {
class Clock;
class DocumentWriters;
class PdfCombiner;
class PrintSystem;
class ProfileStore;
class RecycleBin;
class Registry;
class ShellActions;
class WindowSystem;
}  // namespace korvent::platform
namespace korvent::spi {
class TSPIFolders;
}

namespace korvent::app {

// What the program (or a test) gives the main window: the operating-system services and the
// facts of this start (program file, arguments).
struct FormServices {
    platform::ProfileStore& profiles;
    platform::Registry& registry;
    platform::Clock& clock;
    // The printers; none when the printer system is not wired up.
    platform::PrintSystem* printSystem = nullptr;
    // The desktop's "Print" and "Open" actions; none: every request fails as unassociated.
    platform::ShellActions* shell = nullptr;
    // Other programs' windows (the writers' Save dialogs); none: no dialog is ever found.
    platform::WindowSystem* windows = nullptr;
    // Joins the PDFs of a batch run; none: no merged file is made.
    platform::PdfCombiner* combiner = nullptr;
    // Where removed files go; none: nothing is removed.
    platform::RecycleBin* recycleBin = nullptr;
    // Writers that make PDFs without a dialog; none: only printers are offered.
    platform::DocumentWriters* documentWriters = nullptr;
    // The program file; the settings manager's RegDir is its folder.
    std::filesystem::path programFile;
    // The folder that holds the INI file: the program's folder when writable, else the
    // user's configuration folder.
    std::filesystem::path dataDir;
    // The user's desktop folder; empty when it cannot be determined.
    std::filesystem::path desktopDir;
    // Whether a file exists where the profile store keeps its files (the INI file).
    std::function<bool(const std::string&)> profileExists;
    // The command-line paths, without the program name.
    std::vector<std::string> arguments;
    // The folders the plug-in search looks in; none given: the system's (the plug-in
    // viewer's folder, the program's folder, the installed plug-in folder).
    std::function<std::unique_ptr<spi::TSPIFolders>()> pluginFolders;
};

}  // namespace korvent::app
