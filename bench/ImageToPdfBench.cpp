// Converts pictures to one PDF each through the main window's own picture conversion, as a run
// does, for timing against other converters (image_to_pdf.sh).
//
//   image_to_pdf_bench OUTPUT_FOLDER PICTURE...
//
// The window works over a real INI file in a temporary folder and a view that shows nothing;
// messages and the time the conversions took go to standard error. Exit status 1 when any
// picture gave no PDF.
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/FormView.h"
#include "app/MainForm.h"
#include "app/RunTimer.h"
#include "platform/IniProfileStore.h"
#include "platform/MessageBoxes.h"
#include "platform/ProfileRegistry.h"
#include "platform/SteadyClock.h"
#include "spi/SPIFolders.h"

namespace {

namespace fs = std::filesystem;
using namespace korvent;

class NullView final : public app::FormView {
public:
    std::optional<std::vector<std::string>> ExecuteOpenDialog(
        const app::OpenDialogModel&) override {
        return std::nullopt;
    }
    std::optional<std::string> ExecuteBrowseFolder(const std::string&) override {
        return std::nullopt;
    }
    int TextWidth(const std::string& text) override { return static_cast<int>(text.size()); }
    void ShowAboutBox() override {}
    void HideWindow() override {}
    void CloseWindow() override {}
    void ProcessMessages() override {}
};

class NullTimer final : public app::RunTimer {
public:
    bool Enabled() const override { return fEnabled; }
    void SetEnabled(bool enabled) override { fEnabled = enabled; }
    int Interval() const override { return fInterval; }
    void SetInterval(int milliseconds) override { fInterval = milliseconds; }

private:
    bool fEnabled = false;
    int fInterval = 0;
};

class StderrMessages final : public platform::MessageBoxes {
public:
    platform::MessageResult Show(const std::string& text, const std::string&, unsigned) override {
        std::fprintf(stderr, "%s\n", text.c_str());
        return platform::MessageResult::Ok;
    }
};

// The plug-ins of the build tree.
class BuildPluginFolders final : public spi::TSPIFolders {
public:
    std::optional<std::string> SusieDir() override { return std::nullopt; }
    std::optional<std::string> AppDir() override { return std::string(KORVENT_PLUGIN_DIR) + "/"; }
    std::optional<std::string> CurrentDir() override { return std::nullopt; }
    std::optional<std::string> SystemDir() override { return std::nullopt; }
    std::optional<std::string> WindowsDir() override { return std::nullopt; }
};

int Run(const fs::path& work, const fs::path& output, const std::vector<std::string>& pictures) {
    platform::IniProfileStore profiles;
    platform::ProfileRegistry registry(profiles, (work / "registry.ini").string());
    platform::SteadyClock clock;
    StderrMessages messages;
    NullView view;
    NullTimer timer;
    app::TMainForm form(app::FormEnvironment{
        .services = {
            .profiles = profiles,
            .registry = registry,
            .clock = clock,
            .printSystem = nullptr,
            .programFile = work / "KorventPDF",
            .dataDir = work,
            .desktopDir = output,  // the output folder of a first start
            .profileExists =
                [](const std::string& file) {
                    std::error_code ec;
                    return fs::exists(file, ec);
                },
            .arguments = {},
            .pluginFolders = [] { return std::make_unique<BuildPluginFolders>(); },
        },
        .messages = messages,
        .view = view,
        .timer = timer,
    });
    form.FormCreate();
    form.FormShow();
    form.FFilePaths = pictures;
    form.Run.FRunning = true;
    const auto start = std::chrono::steady_clock::now();
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        form.Run.FStartedCount = static_cast<int>(i) + 1;
        form.ConvertGraphicFileToPDF();
    }
    const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - start);
    const std::size_t written = form.Run.FProducedFiles.size();
    // The conversions alone, without the window's start-up.
    std::fprintf(stderr, "%zu of %zu pictures converted in %lld ms\n", written, pictures.size(),
                 static_cast<long long>(elapsed.count()));
    return written == pictures.size() ? 0 : 1;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER PICTURE...\n", argv[0]);
        return 2;
    }
    const fs::path output = fs::absolute(argv[1]);
    std::vector<std::string> pictures;
    for (int i = 2; i < argc; ++i) {
        pictures.push_back(fs::absolute(argv[i]).string());
    }
    const fs::path work =
        fs::temp_directory_path() / ("korvent-image-bench-" + std::to_string(::getpid()));
    fs::create_directories(work);
    fs::create_directories(output);
    const int status = Run(work, output, pictures);
    std::error_code ec;
    fs::remove_all(work, ec);
    return status;
}
