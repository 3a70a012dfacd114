#include "app/DesktopServices.h"

#include <system_error>

#include "platform/KnownFolders.h"
#include "platform/Paths.h"

namespace korvent::app {

namespace fs = std::filesystem;

#ifdef _WIN32
DesktopServices::DesktopServices() = default;

platform::DocumentWriters* DesktopServices::Writers() {
    return nullptr;
}

platform::WindowSystem* DesktopServices::Windows() {
    return &fWindows;
}
#else
DesktopServices::DesktopServices()
    : fRegistry(fProfiles, (platform::UserConfigDir() / "registry.ini").string()) {}

platform::DocumentWriters* DesktopServices::Writers() {
    return &fWriters;
}

// No PDF printer on this system shows a Save dialog to drive.
platform::WindowSystem* DesktopServices::Windows() {
    return nullptr;
}
#endif

fs::path DesktopServices::ProgramFile(const char* argv0) {
    fs::path program = platform::ProgramFilePath();
    return program.empty() ? fs::absolute(argv0) : program;
}

FormServices DesktopServices::Services(fs::path programFile, fs::path dataDir,
                                       std::vector<std::string> arguments) {
    return FormServices{
        .profiles = fProfiles,
        .registry = fRegistry,
        .clock = fClock,
        .printSystem = &fPrinters,
        .shell = &fShell,
        .windows = Windows(),
        .combiner = &fCombiner,
        .recycleBin = &fRecycleBin,
        .documentWriters = Writers(),
        .programFile = std::move(programFile),
        .dataDir = std::move(dataDir),
        .desktopDir = platform::SpecialFolderPath(platform::SpecialFolder::Desktop),
        .profileExists =
            [](const std::string& file) {
                std::error_code ec;
                return fs::exists(file, ec);
            },
        .arguments = std::move(arguments),
        .pluginFolders = nullptr,
    };
}

}  // namespace korvent::app
