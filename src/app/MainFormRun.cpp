// Conversion runs: start, stop, resume, the entry step, finishing and the summary, and the
// open command.
#include "app/MainForm.h"

#include <algorithm>
#include <filesystem>

#include "app/FileQuery.h"
#include "app/FormView.h"
#include "app/PathText.h"
#include "app/RunTimer.h"
#include "platform/Clock.h"
#include "platform/DocumentWriter.h"
#include "platform/MessageBoxes.h"
#include "platform/ShellActions.h"
#include "platform/TextCase.h"
#include "printer/plSetPrinter.h"

namespace korvent::app {
namespace {

using platform::mb::Ok;
using platform::mb::TopMost;

constexpr const char* kRunningCaption = "実行中ファイル：  　";
constexpr const char* kMergingCaption = "結合ファイル：  　";

}  // namespace

std::string TMainForm::LowerExtension(const std::string& path) {
    std::string extension = ExtractFileExt(path, kPathDelimiter);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension;
}

std::string TMainForm::ShellErrorText(int code) {
    namespace e = platform::shell_error;
    switch (code) {
        case e::FileNotFound:
            return "ファイルが見つかりません";
        case e::PathNotFound:
            return "パスがみつかりません";
        case e::AccessDenied:
            return "アクセスが許否されました";
        case e::OutOfMemory:
            return "メモリ不足です";
        case e::AssociationIncomplete:
            return "ファイルの関連付け情報が不完全です";
        case e::NoAssociation:
            return "ファイル関連付けがありません";
        case e::PrintSystemUnavailable:
            return "印刷システムが応答しません";
        default:
            return {};
    }
}

void TMainForm::BtnPDFAllClick() {
    Run.FBatchMode = false;
    StartRun();
}

void TMainForm::StartRun() {
    FormModel& m = fModel;
    Run.FMergeFiles.clear();
    Run.FProducedFiles.clear();
    FindDefaultPrinter();
    PDFWriterKind = PdfWriterKind(m.CmbPDFWriter.Text);
    if (m.RBtnMerge1.Checked && m.EdtMergeFileName.Text.empty()) {
        fEnv.messages.Show("ファイル名を入力して\n\rボタンを押し直してください", "KorventＰＤＦ",
                           Ok | TopMost);
        Run.FBatchMode = false;
        return;
    }
    if (m.RBtnMerge2.Checked && m.EdtMergeAddString.Text.empty()) {
        fEnv.messages.Show("追加文字を入力して\n\rボタンを押し直してください", "KorventＰＤＦ",
                           Ok | TopMost);
        Run.FBatchMode = false;
        return;
    }
    Run.FWriterKind = PDFWriterKind;
    FindDefaultPrinter();
    if (InitializeConverterList() == 1) {
        m.BtnStopAutoCheck.Enabled = true;
        m.BtnAutoCheck.Enabled = false;
    } else {
        Run.FBatchMode = false;
    }
}

int TMainForm::InitializeConverterList() {
    FormModel& m = fModel;
    if (ExistSaveDialg() != 0) {
        fEnv.messages.Show(
            m.CmbPDFWriter.Text +
                "が既に起動しています。\n\n終了させてから変換ボタンを押してください。",
            "KorventPDF", Ok | TopMost);
        return -1;
    }
    Run.FFileCount = static_cast<int>(FFilePaths.size());
    if (Run.FFileCount == 0) {
        fEnv.messages.Show("ファイルが登録されていません", "KorventPDF", Ok | TopMost);
        return -1;
    }
    ButtonEnableFalse();
    Run.FRunPrepared = false;
    Run.FStartedCount = 0;
    std::fill(m.CheckListBox1.ItemChecked.begin(), m.CheckListBox1.ItemChecked.end(), 0);
    Run.FErrorFiles.clear();
    Run.FErrorCodes.clear();
    Run.FRunPrepared = true;
    Run.FReadyForNext = true;
    MakeWriterDefault();
    Run.FSaveDone = false;
    Run.FOverwriteDone = false;
    BtnAutoCheckClick();
    return 1;
}

void TMainForm::BtnAutoCheckClick() {
    FormModel& m = fModel;
    Run.FRunning = true;
    fEnv.timer.SetEnabled(true);
    if (m.CkbFormVisible.Checked && Run.FFromCommandLine && m.RGDD.ItemIndex != 0) {
        fEnv.view.HideWindow();
    }
    ButtonEnableFalse();
    m.LblFName.Text = Run.FPausedLabel;
    ShowRunLabels();
    MakeWriterDefault();
    m.BtnAutoCheck.Enabled = false;
    UpdateProgress();
}

void TMainForm::ShowRunLabels() {
    FormModel& m = fModel;
    m.Label2.Text = kRunningCaption;
    m.Label5.Text = Run.FBatchMode ? "一括" : "単独";
    for (Control* label : {&m.LblFName, &m.Label2, &m.Label5}) {
        label->Background = clSkyBlue;
    }
    m.LblFName.FontColor = clBlue;
}

void TMainForm::ClearStatusLabels() {
    for (Control* label : {&fModel.LblFName, &fModel.Label2, &fModel.Label5}) {
        label->Text.clear();
        label->Background = clBtnFace;
    }
}

void TMainForm::UpdateProgress() {
    Control& progress = fModel.RunProgress;
    progress.Visible = fEnv.timer.Enabled() && Run.FFileCount > 0;
    progress.Max = Run.FFileCount;
    progress.Value = Run.FStartedCount;
    progress.Text = std::to_string(Run.FStartedCount) + " / " + std::to_string(Run.FFileCount);
}

void TMainForm::SetRunButtonsEnabled(bool enabled) {
    FormModel& m = fModel;
    for (Control* c :
         {&m.BtnNewFiles, &m.BtnApendFile, &m.BtnAllClearList, &m.BtnlClearList, &m.BtnPDFAll,
          &m.BtnMerge, &m.BtnPrint, &m.BtnOpenFile, &m.BtnAutoCheck, &m.BitBtnUP, &m.BitBtnDown}) {
        c->Enabled = enabled;
    }
}

void TMainForm::ButtonEnableFalse() {
    SetRunButtonsEnabled(false);
}

void TMainForm::ButtonEnableTrue() {
    SetRunButtonsEnabled(true);
}

void TMainForm::MakeWriterDefault() {
    // An export program is no printer: the default printer stays as it is.
    if (PDFWriterKind != TWriterKind::wkExport) {
        MakePrinterDefault(fModel.CmbPDFWriter.ItemIndex);
    }
}

void TMainForm::StopAutoCheckClick() {
    Run.FRunning = false;
    fEnv.timer.SetEnabled(false);
}

void TMainForm::BtnStopAutoCheckClick() {
    FormModel& m = fModel;
    Run.FRunning = false;
    ButtonEnableTrue();
    Run.FPausedLabel = m.LblFName.Text;
    if (PDFWriterKind == TWriterKind::wkOther) {
        CompleteStop();
    }
    // Otherwise the timer runs on until the entry in progress has finished; the dialog step
    // or the picture conversion completes the stop.
    Run.FFileCount = static_cast<int>(FFilePaths.size());
    if (Run.FFileCount > 0) {
        m.BtnAutoCheck.Enabled = true;
    }
}

void TMainForm::CompleteStop() {
    fEnv.timer.SetEnabled(false);
    ClearStatusLabels();
    RestoreDefaultPrinter();
    UpdateProgress();
}

void TMainForm::Timer1Timer() {
    ExecuteListConvert();
    ControlDialog();
}

bool TMainForm::IsImageFile(const std::string& extension) const {
    return std::any_of(FImageExtensions.begin(), FImageExtensions.end(), [&](const std::string& e) {
        return platform::SameTextIgnoringCase(e, extension);
    });
}

void TMainForm::TickEntry(int index) {
    auto& checked = fModel.CheckListBox1.ItemChecked;
    if (index >= 0 && index < static_cast<int>(checked.size())) {
        checked[static_cast<std::size_t>(index)] = 1;
    }
}

void TMainForm::FinishEntry() {
    Run.FDialogPhase = TDialogPhase::dpNone;
    Run.FReadyForNext = true;
}

void TMainForm::ExecuteListConvert() {
    if (!Run.FRunPrepared || !Run.FReadyForNext) {
        return;
    }
    FormModel& m = fModel;
    ShowRunLabels();
    Run.FSaveDone = false;
    Run.FOverwriteDone = false;
    if (Run.FStartedCount >= Run.FFileCount) {
        FinishRun();
        return;
    }
    ++Run.FStartedCount;
    Run.FReadyForNext = false;
    const int index = Run.FStartedCount - 1;
    UpdateProgress();
    LastConvertedFile = CurrentEntry();
    m.LblFName.Text = ExtractFileName(LastConvertedFile, kPathDelimiter);
    Run.FSourceDir = ExtractFileDir(LastConvertedFile, kPathDelimiter);
    const std::string extension = LowerExtension(LastConvertedFile);
    if (IsImageFile(extension)) {
        Run.FDialogPhase = TDialogPhase::dpNone;
        const std::size_t produced = Run.FProducedFiles.size();
        ConvertGraphicFileToPDF();
        Run.FReadyForNext = true;
        // A check mark means converted: a picture that made no PDF stays unmarked and is
        // named in the summary, which would otherwise report the run as complete.
        if (Run.FProducedFiles.size() > produced) {
            TickEntry(index);
        } else {
            RecordFailure(LastConvertedFile, "ＰＤＦにできませんでした");
        }
    } else if (extension == ".pdf") {
        FinishEntry();
        TickEntry(index);
        // A PDF is merged as it is; it is no product of the run, so it is never removed.
        Run.FMergeFiles.push_back(LastConvertedFile);
    } else {
        ConvertButtonClick(LastConvertedFile);
    }
}

void TMainForm::ConvertButtonClick(const std::string& path) {
    if (!IsRegularFile(path)) {
        fEnv.messages.Show("ファイル名を入力し直してください", "KorventPDF", Ok);
        FinishEntry();
        return;
    }
    Run.FDialogPhase = TDialogPhase::dpPrintRequested;
    ConvertPDF(path);
}

void TMainForm::RecordFailure(const std::string& path, const std::string& codeOrReason) {
    Run.FErrorFiles.push_back(ExtractFileName(path, kPathDelimiter));
    Run.FErrorCodes.push_back(codeOrReason);
}

int TMainForm::ConvertPDF(const std::string& path) {
    if (DrivenWriter()) {
        return StartWriterJob(path);
    }
    platform::ShellResult result =
        fEnv.services.shell ? fEnv.services.shell->Execute(platform::ShellVerb::Print, path)
                            : platform::ShellResult{platform::shell_error::NoAssociation, nullptr};
    if (!result.Succeeded()) {
        FinishEntry();
        RecordFailure(path, std::to_string(result.error));
        return 0;
    }
    const int index = Run.FStartedCount - 1;
    WaitForProcess(result.process.get());
    if (PDFWriterKind == TWriterKind::wkOther) {
        FinishEntry();
        TickEntry(index);
    }
    return 1;
}

void TMainForm::WaitForProcess(platform::Process* process) {
    // Ticks go on inside this wait: the dialog is filled while the printing program runs.
    while (process && process->Running()) {
        fEnv.view.ProcessMessages();
    }
}

void TMainForm::FinishRun() {
    FormModel& m = fModel;
    StopAutoCheckClick();
    if (Run.FBatchMode) {
        m.Label2.Text = kMergingCaption;
        m.Label2.Background = clWhite;
        m.Label5.Text = "一括";
        m.Label5.Background = clSkyBlue;
        m.LblFName.Background = clWhite;
        m.LblFName.FontColor = clBlue;
        MergePDF();
    }
    ClearStatusLabels();
    Run.FRunPrepared = false;
    Run.FStartedCount = 0;
    Run.FFileCount = 0;
    Run.FBatchMode = false;
    UpdateProgress();
    ButtonEnableTrue();
    m.BtnStopAutoCheck.Enabled = false;
    m.BtnAutoCheck.Enabled = false;
    CompleteMessage();
    RestoreDefaultPrinter();
    plSetPrinter->SetPrinterIndex(PrinterDrvIndex);
    if (Run.FFromCommandLine && m.RGDD.ItemIndex != 0) {
        fEnv.view.CloseWindow();
    }
}

void TMainForm::CompleteMessage() {
    const bool printed = Run.FWriterKind == TWriterKind::wkOther;
    if (!Run.FErrorFiles.empty()) {
        std::string text = printed ? "印刷できませんでした。\n" : "ＰＤＦ変換できませんでした。\n";
        for (std::size_t i = 0; i < Run.FErrorFiles.size(); ++i) {
            text += "\n" + Run.FErrorFiles[i] + "  :  " + FailureText(Run.FErrorCodes[i]);
        }
        fEnv.messages.Show(text, "KorventPDF", Ok | TopMost);
    } else if (fModel.CkbMessage.Checked) {
        fEnv.messages.Show(printed ? "印刷完了しました。" : "ＰＤＦ変換完了しました。",
                           "KorventPDF", Ok | TopMost);
    }
}

std::string TMainForm::FailureText(const std::string& codeOrReason) {
    // A code is a shell error number; a writer's own failure carries its reason.
    const bool numeric =
        !codeOrReason.empty() && codeOrReason.find_first_not_of("0123456789") == std::string::npos;
    return numeric ? ShellErrorText(std::stoi(codeOrReason)) : codeOrReason;
}

void TMainForm::BtnOpenFileClick() {
    const auto& selected = fModel.CheckListBox1.ItemSelected;
    for (std::size_t i = 0; i < selected.size() && i < FFilePaths.size(); ++i) {
        if (selected[i]) {
            OpenFile(FFilePaths[i]);
        }
    }
}

bool TMainForm::OpenFile(const std::string& path) {
    const platform::ShellResult result =
        fEnv.services.shell ? fEnv.services.shell->Execute(platform::ShellVerb::Open, path)
                            : platform::ShellResult{platform::shell_error::NoAssociation, nullptr};
    if (result.Succeeded()) {
        return true;
    }
    fEnv.messages.Show(
        "ファイルを開くことができません。\n" + path + " : " + ShellErrorText(result.error),
        "KorventＰＤＦ", Ok | TopMost);
    return false;
}

}  // namespace korvent::app
