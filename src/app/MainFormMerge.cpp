// Batch runs: the checks of "一括", and the merge of the run's PDFs into one file at its end.
#include "app/MainForm.h"

#include <chrono>
#include <filesystem>

#include "app/FileQuery.h"
#include "app/PathText.h"
#include "platform/AtomicFile.h"
#include "platform/Clock.h"
#include "platform/MessageBoxes.h"
#include "platform/PdfCombiner.h"
#include "platform/RecycleBin.h"

namespace korvent::app {
namespace {

using platform::mb::Ok;
using platform::mb::TopMost;
using std::chrono::milliseconds;

constexpr const char* kNoWriter = "ＰＤＦＷｒｉｔｅｒが設定されていません。\n\r一括を中止します。";
constexpr const char* kNoFile = "ファイルがありません";
// How often a PDF that is not there yet is looked for, a second apart, before it is dropped.
constexpr int kMergeFileChecks = 22;

}  // namespace

void TMainForm::BtnMergeClick() {
    FormModel& m = fModel;
    if (m.RBtnOutPut1.Checked && m.LblFilePath.Text.empty()) {
        fEnv.messages.Show(kNoFile, "KorventＰＤＦ", Ok | TopMost);
        return;
    }
    if (FFilePaths.size() == 1) {
        fEnv.messages.Show("ファイルが１つしか登録されていません", "KorventＰＤＦ", Ok | TopMost);
        return;
    }
    if (PdfWriterKind(m.CmbPDFWriter.Text) == TWriterKind::wkOther) {
        fEnv.messages.Show(kNoWriter, "KorventＰＤＦ", Ok);
        return;
    }
    Run.FBatchMode = true;
    StartRun();
}

std::string TMainForm::MergeListPath() const {
    return (fEnv.services.dataDir / "MergeList.txt").string();
}

bool TMainForm::MergeFileReady(const std::string& path) {
    // A PDF that a writer is still writing exists before it is complete.
    return IsRegularFile(path) &&
           (!fEnv.services.combiner || fEnv.services.combiner->PageCount(path) >= 0);
}

std::vector<std::string> TMainForm::ExistingMergeFiles() {
    std::vector<std::string> missing;
    for (auto it = Run.FMergeFiles.rbegin(); it != Run.FMergeFiles.rend(); ++it) {
        bool ready = MergeFileReady(*it);
        for (int check = 1; !ready && check < kMergeFileChecks; ++check) {
            fEnv.services.clock.Sleep(milliseconds(1000));
            ready = MergeFileReady(*it);
        }
        if (!ready) {
            missing.push_back(*it);
        }
    }
    for (const std::string& path : missing) {
        std::erase(Run.FMergeFiles, path);
        std::erase(Run.FProducedFiles, path);
    }
    return missing;
}

std::string TMainForm::MergeBaseName() const {
    const FormModel& m = fModel;
    if (m.RBtnMerge1.Checked) {
        return m.EdtMergeFileName.Text;
    }
    return m.EdtMergeAddString.Text + ExtractFileName(FFilePaths.front(), kPathDelimiter);
}

bool TMainForm::WriteMergeList(const std::string& listFile) {
    std::string text;
    for (const std::string& path : Run.FMergeFiles) {
        text += path + "\r\n";
    }
    return platform::WriteFileAtomically(listFile, text);
}

void TMainForm::MergePDF() {
    if (Run.FWriterKind == TWriterKind::wkOther) {
        fEnv.messages.Show(kNoWriter, "KorventＰＤＦ", Ok);
        return;
    }
    if (Run.FMergeFiles.empty()) {
        fEnv.messages.Show(kNoFile, "KorventＰＤＦ", Ok | TopMost);
        return;
    }
    if (!ExistingMergeFiles().empty()) {
        fEnv.messages.Show(kNoFile, "KorventＰＤＦ", Ok | TopMost);
    }
    FMergeOutputPath = MakeSaveFilePath(MergeBaseName());
    const std::string listFile = MergeListPath();
    if (!WriteMergeList(listFile)) {
        RecordFailure(listFile, "結合リストを書き込めません");
        return;
    }
    platform::CombineResult result;
    if (fEnv.services.combiner) {
        result = fEnv.services.combiner->CombinePDFEx(listFile, FMergeOutputPath);
    }
    for (const std::string& skipped : result.skipped) {
        RecordFailure(skipped, "結合できませんでした");
    }
    if (result.written && IsRegularFile(FMergeOutputPath) && !fModel.ChkMergeFile.Checked &&
        Run.FProducedFiles.size() > 1) {
        RecycleProducedFiles(result);
    }
    platform::WriteFileAtomically(listFile, "");
    if (fModel.CkbMergeFileDelete.Checked) {
        fEnv.services.clock.Sleep(milliseconds(500));
        RecycleFiles({listFile});
    }
}

void TMainForm::RecycleProducedFiles(const platform::CombineResult& merged) {
    // The single PDFs go only when the merged file holds every page that was merged; the
    // combiner renames its file into place, so it is complete when it exists.
    const int pages = fEnv.services.combiner->PageCount(FMergeOutputPath);
    if (!merged.skipped.empty() || pages != merged.pages || pages <= 0) {
        RecordFailure(FMergeOutputPath, "結合ファイルが不完全なため、単独ＰＤＦを残しました");
        return;
    }
    RecycleFiles(Run.FProducedFiles);
}

void TMainForm::RecycleFiles(const std::vector<std::string>& paths) {
    const std::vector<std::string> kept =
        fEnv.services.recycleBin ? fEnv.services.recycleBin->Recycle(paths) : paths;
    for (const std::string& path : kept) {
        RecordFailure(path, "ごみ箱に移せませんでした");
    }
}

}  // namespace korvent::app
