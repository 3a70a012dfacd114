#pragma once

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "FormFixture.h"
#include "app/RunTimer.h"
#include "platform/RecycleBin.h"
#include "platform/sim/SimDesktop.h"
#include "platform/sim/SimPrintSystem.h"

namespace korvent::app {

// A recycle bin that moves files into a folder and remembers them.
class FolderRecycleBin final : public platform::RecycleBin {
public:
    explicit FolderRecycleBin(std::filesystem::path folder) : fFolder(std::move(folder)) {}
    std::vector<std::string> Recycle(const std::vector<std::string>& paths) override {
        std::vector<std::string> kept;
        std::filesystem::create_directories(fFolder);
        for (const std::string& path : paths) {
            std::error_code ec;
            std::filesystem::rename(path, fFolder / std::filesystem::path(path).filename(), ec);
            (ec ? kept : recycled).push_back(path);
        }
        return kept;
    }
    std::vector<std::string> recycled;

private:
    std::filesystem::path fFolder;
};

// A main window on a simulated desktop: printers with a paper printer as the default, the
// PDF printers' programs, and a timer whose ticks a test delivers one by one (also from inside
// the window's waits, as the real message loop does).
class RunFixture : public FormFixture {
protected:
    static constexpr std::chrono::milliseconds kTick{500};

    RunFixture() {
        printers.AddPrinter("Paper");
        printers.SetDeviceValue("Paper,winspool,Ne00:");
        printSystem = &printers;
        shell = &desktop.Shell();
        windows = &desktop.Windows();
        recycleBin = &bin;
        out = temp / "out";
        source = temp / "doc";
        std::filesystem::create_directories(out);
        std::filesystem::create_directories(source);
        view.onProcessMessages = [this] { Tick(); };
    }

    // Creates the window with `writer` chosen, output into `out`, and the given files listed.
    TMainForm& Start(const std::string& writer, const std::vector<std::string>& files) {
        TMainForm& f = Create();
        SelectWriter(writer);
        M().RBtnOutPut1.Checked = true;
        M().RBtnOutPut2.Checked = false;
        f.OutputDir = out.string();
        f.FormDropFiles(files);
        clock.ClearSleeps();
        return f;
    }

    void SelectWriter(const std::string& name) {
        const auto& items = M().CmbPDFWriter.Items;
        for (std::size_t i = 0; i < items.size(); ++i) {
            if (items[i] == name) {
                M().CmbPDFWriter.ItemIndex = static_cast<int>(i);
            }
        }
        M().CmbPDFWriter.Text = name;
        form->CmbPDFWriterChange();
    }

    std::string Document(const std::string& name) {
        const auto path = source / name;
        std::ofstream(path) << "text of " << name;
        return path.string();
    }

    // One timer tick, as the message loop delivers it while the timer is on.
    void Tick() {
        clock.Advance(kTick);
        if (timer.Enabled()) {
            ++ticks;
            form->Timer1Timer();
        }
    }
    // Ticks until the timer stops (or `limit` ticks have passed).
    void RunToEnd(int limit = 200) {
        for (int i = 0; i < limit && timer.Enabled(); ++i) {
            Tick();
        }
    }

    std::vector<int> Checks() const {
        return {M().CheckListBox1.ItemChecked.begin(), M().CheckListBox1.ItemChecked.end()};
    }
    FormModel& M() const { return form->Model(); }
    std::string DefaultPrinter() { return printers.DefaultPrinterName(); }
    std::vector<long> Waits() const {
        std::vector<long> waits;
        for (const auto w : clock.Sleeps()) {
            waits.push_back(static_cast<long>(w.count()));
        }
        return waits;
    }

    platform::SimPrintSystem printers;
    platform::SimDesktop desktop{printers, clock};
    FolderRecycleBin bin{temp / "Trash"};
    std::filesystem::path out;
    std::filesystem::path source;
    int ticks = 0;
};

}  // namespace korvent::app
