#include "cli/CliRun.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <iterator>

#include "app/MainForm.h"
#include "app/PathText.h"
#include "cli/JsonText.h"
#include "cli/UsageError.h"
#include "platform/Console.h"
#include "platform/DocumentWriter.h"
#include "platform/Paths.h"
#include "platform/ShellActions.h"

namespace korvent::cli {
namespace {

namespace fs = std::filesystem;
using app::TMainForm;

// The window's program name: the settings file is named after it.
constexpr const char* kWindowProgram = "KorventPDF";

std::string CurrentDir() {
    std::error_code ec;
    return fs::current_path(ec).string();
}

bool IsFile(const std::string& path) {
    std::error_code ec;
    return fs::is_regular_file(path, ec);
}

std::string Name(const std::string& path) {
    return app::ExtractFileName(path, TMainForm::kPathDelimiter);
}

}  // namespace

CliRun::CliRun(CliOptions options, const char* argv0)
    : fOptions(std::move(options)),
      // With --out the settings' own output folder is not used: no folder is made for it.
      fMessages(fOptions.dryRun || fOptions.out ? platform::MessageResult::No
                                                : platform::MessageResult::Yes),
      fLoop(fDesktop.Clock(), [this] { return Tick(); }) {
    CopySettings(argv0);
    fForm = std::make_unique<TMainForm>(app::FormEnvironment{
        .services = fDesktop.Services(fProgramFile, fSettings.Path(), {}),
        .messages = fMessages,
        .view = fView,
        .timer = fLoop,
    });
    fForm->FormCreate();
    fForm->FormShow();
    ApplyOptions();
}

CliRun::~CliRun() = default;

void CliRun::CopySettings(const char* argv0) {
    // The handlers write every setting at once: the run works on a copy, so that nothing an
    // option changes reaches the user's file.
    fProgramFile = app::DesktopServices::ProgramFile(argv0).parent_path() / kWindowProgram;
    const fs::path own = platform::ProgramDataDir() / (std::string(kWindowProgram) + ".ini");
    const fs::path source = fOptions.ini ? fs::path(*fOptions.ini) : own;
    if (fOptions.ini && !IsFile(*fOptions.ini)) {
        throw UsageError("--ini: no settings file '" + *fOptions.ini + "'");
    }
    if (!IsFile(source.string())) {
        return;  // a first start: the form writes its defaults into the copy
    }
    std::error_code ec;
    fs::copy_file(source, fSettings.Path() / (std::string(kWindowProgram) + ".ini"), ec);
    if (ec) {
        throw UsageError("--ini: cannot read '" + source.string() + "': " + ec.message());
    }
}

void CliRun::ApplyOptions() {
    app::FormModel& m = fForm->Model();
    // Registering files must not start a run by itself, and a taken output name is replaced
    // rather than stopping the run to ask.
    m.RGDD.ItemIndex = 0;
    fForm->RGDDClick();
    // The merge list lives in the private settings folder, which goes with the run.
    m.CkbMergeFileDelete.Checked = false;
    fForm->CkbMergeFileDeleteClick();
    if (fOptions.writer) {
        SelectWriter(*fOptions.writer);
    }
    if (fOptions.keep) {
        m.ChkMergeFile.Checked = *fOptions.keep;
        fForm->ChkMergeFileClick();
    }
    if (fOptions.out) {
        fView.SetChosenFolder(app::FullCommandLinePath(*fOptions.out, CurrentDir()));
        m.RBtnOutPut1.Checked = true;
        m.RBtnOutPut2.Checked = false;
        fForm->RBtnOutPut1Click();
        fForm->BtnSelectFolderClick();
        if (!fOptions.dryRun) {
            fMessages.SetQuestionAnswer(platform::MessageResult::Yes);
        }
        fForm->IsDirectoryExist();
    }
    ApplyImageOptions();
}

void CliRun::ApplyImageOptions() {
    app::FormModel& m = fForm->Model();
    if (fOptions.quality) {
        SetNumber(m.EdtCompress, *fOptions.quality, &TMainForm::EdtCompressChange);
    }
    if (fOptions.paper) {
        const bool fixed = *fOptions.paper >= 0;
        m.RadioGroupGrPaperSize.ItemIndex = fixed ? 0 : 2;
        fForm->RadioGroupGrPaperSizeClick();
        if (fixed) {
            m.CmbPaperSize.ItemIndex = *fOptions.paper;
            m.CmbPaperSize.Text = m.CmbPaperSize.Items[static_cast<std::size_t>(*fOptions.paper)];
            fForm->CmbPaperSizeChange();
        }
    }
    if (fOptions.landscape) {
        m.RGPaperDirection.ItemIndex = 1;
        fForm->RGPaperDirectionClick();
    }
    if (fOptions.margins) {
        SetNumber(m.MarginTop, *fOptions.margins, &TMainForm::MarginTopChange);
        SetNumber(m.MarginBottom, *fOptions.margins, &TMainForm::MarginBottomChange);
        SetNumber(m.MarginLeft, *fOptions.margins, &TMainForm::MarginLeftChange);
        SetNumber(m.MarginRight, *fOptions.margins, &TMainForm::MarginRightChange);
    }
}

void CliRun::SetNumber(app::Control& control, int value, void (TMainForm::*changed)()) {
    control.Value = value;
    control.Text = std::to_string(value);
    ((*fForm).*changed)();
}

void CliRun::SelectWriter(const std::string& name) {
    app::Control& combo = fForm->Model().CmbPDFWriter;
    // The window lists the dialog-free writers after the printers.
    std::vector<std::string> names = combo.Items;
    if (platform::DocumentWriters* writers = fDesktop.Writers()) {
        for (const std::string& extra : writers->ExtraWriterNames()) {
            names.push_back(extra);
        }
    }
    const auto found = std::find(names.begin(), names.end(), name);
    if (found == names.end()) {
        std::string known;
        for (const std::string& n : names) {
            known += (known.empty() ? "" : ", ") + ("'" + n + "'");
        }
        throw UsageError("--writer: no writer '" + name + "' (writers: " + known + ")");
    }
    const auto position = found - names.begin();
    combo.ItemIndex =
        position < static_cast<long>(combo.Items.size()) ? static_cast<int>(position) : -1;
    combo.Text = name;
    fForm->CmbPDFWriterChange();
}

void CliRun::RegisterFiles() {
    const std::string cwd = CurrentDir();
    std::vector<std::string> paths;
    for (const std::string& file : fOptions.files) {
        const std::string path = app::FullCommandLinePath(file, cwd);
        if (IsFile(path)) {
            paths.push_back(path);
        } else {
            std::fprintf(stderr, "korventpdf: %s: %s\n", file.c_str(),
                         TMainForm::ShellErrorText(platform::shell_error::FileNotFound).c_str());
            fMissing.push_back(file);
        }
    }
    fForm->FormDropFiles(paths);
}

int CliRun::Execute() {
    RegisterFiles();
    if (fForm->FFilePaths.empty()) {
        return Report();
    }
    if (fOptions.dryRun) {
        PrintPlan();
        return fMissing.empty() ? 0 : 1;
    }
    Convert();
    const int status = Report();
    // Closing puts the default printer back and empties the run's lists.
    fForm->FormClose();
    return status;
}

void CliRun::PrintPlan() {
    TMainForm& f = *fForm;
    std::vector<std::string> planned;
    for (const std::string& path : f.FFilePaths) {
        // A PDF is taken as it is; every other entry becomes a PDF named by the rules.
        if (app::ExtractFileExt(path, TMainForm::kPathDelimiter) == ".pdf") {
            continue;
        }
        f.Run.FSourceDir = app::ExtractFileDir(path, TMainForm::kPathDelimiter);
        planned.push_back(f.PlannedSaveFilePath(Name(path), planned));
        PrintPlanned(path, planned.back());
    }
    if (fOptions.merge) {
        // The merge is named after the last entry has run, in that entry's folder.
        f.Run.FSourceDir = app::ExtractFileDir(f.FFilePaths.back(), TMainForm::kPathDelimiter);
        PrintPlanned("", f.PlannedSaveFilePath(f.MergeBaseName(), planned));
    }
}

void CliRun::PrintPlanned(const std::string& file, const std::string& pdf) {
    if (fOptions.json) {
        std::printf("{\"file\":%s,\"%s\":%s}\n", JsonText(file).c_str(),
                    file.empty() ? "merged" : "pdf", JsonText(pdf).c_str());
    } else {
        std::printf("%s\n", pdf.c_str());
    }
}

void CliRun::Convert() {
    if (fOptions.merge) {
        fForm->BtnMergeClick();
    } else {
        fForm->BtnPDFAllClick();
    }
    fLoop.Run();
}

bool CliRun::Tick() {
    fForm->Timer1Timer();
    CollectOutputs();
    ShowProgress();
    return fForm->Run.FReadyForNext;
}

void CliRun::ShowProgress() {
    const app::TRunState& run = fForm->Run;
    if (run.FStartedCount != fShownProgress && run.FStartedCount > 0 &&
        platform::StandardErrorIsTerminal()) {
        fShownProgress = run.FStartedCount;
        std::fprintf(stderr, "%d/%d %s\n", run.FStartedCount, run.FFileCount,
                     Name(CurrentEntry()).c_str());
    }
}

std::string CliRun::CurrentEntry() const {
    const int index = fForm->Run.FStartedCount - 1;
    return index >= 0 ? fForm->FFilePaths[static_cast<std::size_t>(index)] : std::string();
}

void CliRun::CollectOutputs() {
    // Every PDF an entry ends with joins the merge list while that entry is the current one;
    // the list only shrinks when the merge drops files that never appeared.
    const app::TRunState& run = fForm->Run;
    fSeenMergeFiles = std::min(fSeenMergeFiles, run.FMergeFiles.size());
    for (; fSeenMergeFiles < run.FMergeFiles.size(); ++fSeenMergeFiles) {
        const std::string& pdf = run.FMergeFiles[fSeenMergeFiles];
        const bool produced = std::find(run.FProducedFiles.begin(), run.FProducedFiles.end(),
                                        pdf) != run.FProducedFiles.end();
        fOutputs.push_back({CurrentEntry(), pdf, produced});
    }
}

std::vector<CliRun::Output> CliRun::FinalOutputs() const {
    // A merge reports the single PDFs it keeps; its PDF entries are inputs, not results.
    std::vector<Output> outputs;
    std::copy_if(fOutputs.begin(), fOutputs.end(), std::back_inserter(outputs),
                 [&](const Output& o) { return (o.produced || !fOptions.merge) && IsFile(o.pdf); });
    return outputs;
}

std::vector<CliRun::Failure> CliRun::Failures() {
    TMainForm& f = *fForm;
    std::vector<Failure> failures;
    for (const std::string& file : fMissing) {
        failures.push_back({file, TMainForm::ShellErrorText(platform::shell_error::FileNotFound)});
    }
    for (std::size_t i = 0; i < f.Run.FErrorFiles.size(); ++i) {
        failures.push_back({f.Run.FErrorFiles[i], TMainForm::FailureText(f.Run.FErrorCodes[i])});
    }
    AddUnfinishedEntries(failures);
    if (fOptions.merge && !f.FFilePaths.empty() && !IsFile(f.FMergeOutputPath)) {
        failures.push_back({f.FMergeOutputPath, "no merged file was written"});
    }
    return failures;
}

void CliRun::AddUnfinishedEntries(std::vector<Failure>& failures) const {
    TMainForm& f = *fForm;
    const auto& checked = f.Model().CheckListBox1.ItemChecked;
    // A printer that is no PDF writer only prints: its entries end without a PDF.
    const bool writesPdfs = f.Run.FWriterKind != app::TWriterKind::wkOther;
    for (std::size_t i = 0; i < f.FFilePaths.size(); ++i) {
        const std::string& path = f.FFilePaths[i];
        const bool recorded = std::any_of(failures.begin(), failures.end(),
                                          [&](const Failure& x) { return x.file == Name(path); });
        const bool hasPdf = std::any_of(fOutputs.begin(), fOutputs.end(),
                                        [&](const Output& o) { return o.file == path; });
        if (!recorded && !checked[i]) {
            failures.push_back({path, "not converted"});
        } else if (!recorded && writesPdfs && !hasPdf) {
            // The window has shown why (an unreadable picture, a file that cannot be written).
            failures.push_back({path, "no PDF was written"});
        }
    }
}

void CliRun::PrintOutput(const Output& output) const {
    if (fOptions.json) {
        std::printf("{\"file\":%s,\"pdf\":%s,\"produced\":%s}\n", JsonText(output.file).c_str(),
                    JsonText(output.pdf).c_str(), output.produced ? "true" : "false");
    } else {
        std::printf("%s\n", output.pdf.c_str());
    }
}

int CliRun::Report() {
    const TMainForm& f = *fForm;
    const std::vector<Output> outputs = FinalOutputs();
    const std::vector<Failure> failures = Failures();
    for (const Output& output : outputs) {
        PrintOutput(output);
    }
    const bool merged = fOptions.merge && IsFile(f.FMergeOutputPath);
    if (merged) {
        std::printf(fOptions.json ? "{\"merged\":%s}\n" : "%s\n",
                    (fOptions.json ? JsonText(f.FMergeOutputPath) : f.FMergeOutputPath).c_str());
    }
    std::string failed;
    for (const Failure& x : failures) {
        if (fOptions.json) {
            failed += std::string(failed.empty() ? "" : ",") + "{\"file\":" + JsonText(x.file) +
                      ",\"reason\":" + JsonText(x.reason) + "}";
        } else {
            std::fprintf(stderr, "korventpdf: failed: %s: %s\n", x.file.c_str(), x.reason.c_str());
        }
    }
    if (fOptions.json) {
        const auto produced = std::count_if(outputs.begin(), outputs.end(),
                                            [](const Output& o) { return o.produced; });
        std::printf(
            "{\"summary\":{\"files\":%zu,\"produced\":%td,\"unchanged\":%td,\"merged\":%s,"
            "\"failed\":[%s]}}\n",
            fOptions.files.size(), produced, static_cast<std::ptrdiff_t>(outputs.size()) - produced,
            merged ? JsonText(f.FMergeOutputPath).c_str() : "null", failed.c_str());
    }
    return failures.empty() ? 0 : 1;
}

}  // namespace korvent::cli
