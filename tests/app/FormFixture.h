#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "ManualTimer.h"
#include "RecordingView.h"
#include "app/MainForm.h"
#include "platform/ProfileRegistry.h"
#include "platform/sim/MemoryProfileStore.h"
#include "platform/sim/RecordingMessageBoxes.h"
#include "platform/sim/VirtualClock.h"
#include "settings/RegFiler.h"
#include "settings/RegManager.h"
#include "spi/SpiTestSupport.h"

namespace korvent::app {

// A main window over an in-memory INI file, a recording view, a manual timer and a real
// temporary folder (its desktop and output folder).
class FormFixture : public ::testing::Test {
protected:
    static constexpr const char* kIni = "/opt/korvent/KorventPDF.ini";

    FormFixture() {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string name = std::string(info->test_suite_name()) + "_" + info->name();
        for (char& c : name) {
            if (c == '/') {
                c = '_';
            }
        }
        temp = std::filesystem::temp_directory_path() /
               ("korvent-app-" + std::to_string(::getpid()) + "-" + name);
        std::filesystem::remove_all(temp);
        desktop = temp / "Desktop";
        std::filesystem::create_directories(desktop);
    }
    ~FormFixture() override {
        form.reset();
        std::filesystem::remove_all(temp);
    }

    // Creates the window as the program does; `show` also runs the show handler.
    TMainForm& Create(std::vector<std::string> arguments = {}, bool show = true) {
        form.reset();  // one plug-in host at a time
        form = std::make_unique<TMainForm>(FormEnvironment{
            .services =
                {
                    .profiles = profiles,
                    .registry = registry,
                    .clock = clock,
                    .printSystem = printSystem,
                    .shell = shell,
                    .windows = windows,
                    .combiner = combiner,
                    .recycleBin = recycleBin,
                    .documentWriters = documentWriters,
                    .programFile = "/opt/korvent/KorventPDF",
                    .dataDir = dataDir,
                    .desktopDir = desktop,
                    .profileExists = [this](const std::string& f) { return profiles.Exists(f); },
                    .arguments = std::move(arguments),
                    .pluginFolders = pluginFolders,
                },
            .messages = messages,
            .view = view,
            .timer = timer,
        });
        form->Model().CheckListBox1.Width = listWidth;
        form->FormCreate();
        if (show) {
            form->FormShow();
        }
        return *form;
    }

    std::string Ini() const { return profiles.Text(kIni); }
    FormModel& M() { return form->Model(); }

    platform::MemoryProfileStore profiles;
    platform::ProfileRegistry registry{profiles, "/home/u/.config/KorventPDF/registry.ini"};
    platform::RecordingMessageBoxes messages;
    platform::VirtualClock clock;
    RecordingView view;
    ManualTimer timer;
    int listWidth = 400;
    // Where the program keeps its own files (the INI file, the merge list).
    std::filesystem::path dataDir = "/opt/korvent";
    // The printers; none unless a test wires some up.
    platform::PrintSystem* printSystem = nullptr;
    // The desktop's services a run uses; none unless a test wires them up.
    platform::ShellActions* shell = nullptr;
    platform::WindowSystem* windows = nullptr;
    platform::PdfCombiner* combiner = nullptr;
    platform::RecycleBin* recycleBin = nullptr;
    platform::DocumentWriters* documentWriters = nullptr;
    // Plug-ins are searched only in the folders of `plugins` (none unless a test sets some).
    test::TFakeFolders pluginFolderTemplate;
    std::function<std::unique_ptr<spi::TSPIFolders>()> pluginFolders = [this] {
        return std::make_unique<test::TFakeFolders>(pluginFolderTemplate);
    };
    std::filesystem::path temp;
    std::filesystem::path desktop;
    std::unique_ptr<TMainForm> form;
};

}  // namespace korvent::app
