#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace korvent::platform {
class Clock;
class MessageBoxes;
class PrintSystem;
class ProfileStore;
class Registry;
}  // namespace korvent::platform
namespace korvent::spi {
class TSPIFolders;
}

namespace korvent::app {

// What the program (or a test) gives the main window: the operating-system services and the
// facts of this start. The window adds itself as the view and its own timer.
struct WindowServices {
    platform::ProfileStore& profiles;
    platform::Registry& registry;
    // Null: the window shows real message boxes.
    platform::MessageBoxes* messages;
    platform::Clock& clock;
    platform::PrintSystem* printSystem;
    std::filesystem::path programFile;
    std::filesystem::path dataDir;
    std::filesystem::path desktopDir;
    std::function<bool(const std::string&)> profileExists;
    std::vector<std::string> arguments;
    // Where plug-ins are searched; none given: the system's folders.
    std::function<std::unique_ptr<spi::TSPIFolders>()> pluginFolders;
};

}  // namespace korvent::app
