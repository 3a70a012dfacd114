#pragma once

#include <memory>
#include <string>
#include <vector>

#include "app/DesktopServices.h"
#include "cli/CliOptions.h"
#include "cli/HeadlessView.h"
#include "cli/StderrMessageBoxes.h"
#include "cli/TimerLoop.h"
#include "platform/TemporaryFolder.h"

namespace korvent::app {
struct Control;
class TMainForm;
}  // namespace korvent::app

namespace korvent::cli {

// One run of korventpdf: the window's form on a private copy of the settings, the options
// applied as if set in the window, the files registered, and the run driven to its end.
class CliRun {
public:
    // Throws UsageError for a settings file or a writer that cannot be used.
    CliRun(CliOptions options, const char* argv0);
    ~CliRun();

    // The exit status: 0 every file converted, 1 some failed.
    int Execute();

private:
    struct Failure {
        std::string file;
        std::string reason;
    };
    // A PDF the run ends with, and the entry it stands for.
    struct Output {
        std::string file;
        std::string pdf;
        // Written by this run; false for a PDF entry of a single run, which is its own result.
        bool produced = true;
    };

    void CopySettings(const char* argv0);
    void ApplyOptions();
    void ApplyImageOptions();
    void SelectWriter(const std::string& name);
    void SetNumber(app::Control& control, int value, void (app::TMainForm::*changed)());
    void RegisterFiles();
    void PrintPlan();
    void PrintPlanned(const std::string& file, const std::string& pdf);
    void Convert();
    bool Tick();
    void ShowProgress();
    std::string CurrentEntry() const;
    void CollectOutputs();
    std::vector<Output> FinalOutputs() const;
    std::vector<Failure> Failures();
    // Entries that ended unticked, or ticked without a PDF, and no failure names them.
    void AddUnfinishedEntries(std::vector<Failure>& failures) const;
    void PrintOutput(const Output& output) const;
    int Report();

    CliOptions fOptions;
    app::DesktopServices fDesktop;
    platform::TemporaryFolder fSettings{"korventpdf"};
    std::filesystem::path fProgramFile;
    StderrMessageBoxes fMessages;
    TimerLoop fLoop;
    HeadlessView fView{fLoop};
    std::unique_ptr<app::TMainForm> fForm;
    std::vector<std::string> fMissing;
    int fShownProgress = 0;
    std::vector<Output> fOutputs;
    std::size_t fSeenMergeFiles = 0;
};

}  // namespace korvent::cli
