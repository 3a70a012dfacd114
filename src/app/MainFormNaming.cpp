// Output file names: folder, appended text, ".pdf" and the same-name policy.
#include "app/MainForm.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "app/FileQuery.h"
#include "app/PathText.h"
#include "platform/MessageBoxes.h"

namespace korvent::app {
namespace {

bool Contains(const std::vector<std::string>& paths, const std::string& path) {
    return std::find(paths.begin(), paths.end(), path) != paths.end();
}

}  // namespace

std::string TMainForm::MakeSaveFilePath(const std::string& baseName) {
    return SelectOverWriteMode(SaveFilePathBeforePolicy(baseName));
}

std::string TMainForm::PlannedSaveFilePath(const std::string& baseName,
                                           const std::vector<std::string>& plannedBefore) {
    const std::string path = SaveFilePathBeforePolicy(baseName);
    // Policies 1 and 3 free the name by deleting or renaming the file there; only policy 2,
    // and a name the run itself reads or writes, give the new PDF another name.
    if (BelongsToRun(path, plannedBefore) ||
        (fModel.RadioGroup1.ItemIndex == 2 && PathExists(path))) {
        return AppendToFileName(path, fModel.EdtAddNewPath.Text, plannedBefore);
    }
    return path;
}

bool TMainForm::BelongsToRun(const std::string& path,
                             const std::vector<std::string>& written) const {
    return Contains(FFilePaths, path) || Contains(written, path);
}

std::string TMainForm::SaveFilePathBeforePolicy(const std::string& baseName) {
    FormModel& m = fModel;
    OutputDir = ExcludeTrailingDelimiter(OutputDir, kPathDelimiter);
    m.LblFilePath.Text = OutputDir;
    std::string name = baseName;
    if (m.CkbAppendStr.Checked) {
        name = RemoveLastFour(baseName, kPathDelimiter) + m.EdtApendStr.Text + ".pdf";
    }
    const std::string& folder = m.RBtnOutPut1.Checked ? OutputDir : Run.FSourceDir;
    std::string path = folder;
    if (path.empty() || path.back() != kPathDelimiter) {
        path += kPathDelimiter;  // Run.FSourceDir of a root keeps its separator
    }
    return ChangeFileExt(path + name, ".pdf", kPathDelimiter);
}

std::string TMainForm::AppendToFileName(const std::string& name, const std::string& suffix,
                                        const std::vector<std::string>& alsoTaken) {
    const auto taken = [&](const std::string& path) {
        return PathExists(path) || Contains(alsoTaken, path);
    };
    std::string stem = RemoveLastFour(name, kPathDelimiter);
    if (suffix.empty()) {
        // Adding nothing never frees a taken name; number the name instead.
        for (int n = 1;; ++n) {
            const std::string candidate = stem + "(" + std::to_string(n) + ").pdf";
            if (!taken(candidate)) {
                return candidate;
            }
        }
    }
    do {
        stem += suffix;
    } while (taken(stem + ".pdf"));
    return stem + ".pdf";
}

std::string TMainForm::SelectOverWriteMode(const std::string& path) {
    if (!PathExists(path)) {
        return path;
    }
    if (BelongsToRun(path, Run.FProducedFiles)) {
        // The policy is for files from before: an entry of the list or a PDF this run wrote
        // is never deleted, moved or written over, so the new PDF takes another name.
        return AppendToFileName(path, fModel.EdtAddNewPath.Text);
    }
    switch (fModel.RadioGroup1.ItemIndex) {
        case 1: {
            // A file that cannot be deleted meets the writer's own overwrite prompt. Only a file
            // is deleted: a folder of that name (which the system call would remove when empty)
            // stays, as a failed delete.
            std::error_code ec;
            if (!std::filesystem::is_directory(std::filesystem::path(path), ec)) {
                std::filesystem::remove(std::filesystem::path(path), ec);
            }
            return path;
        }
        case 2:
            return AppendToFileName(path, fModel.EdtAddNewPath.Text);
        case 3: {
            const std::string old = AppendToFileName(path, fModel.EdtAddOldPath.Text);
            std::error_code ec;
            std::filesystem::rename(std::filesystem::path(path), std::filesystem::path(old), ec);
            if (!ec) {
                return path;
            }
            return AppendToFileName(path, fModel.EdtAddNewPath.Text);
        }
        default:
            return path;
    }
}

void TMainForm::IsDirectoryExist() {
    if (OutputDir.empty()) {
        return;
    }
    std::error_code ec;
    if (std::filesystem::is_directory(std::filesystem::path(OutputDir), ec)) {
        return;
    }
    const std::string question =
        "ディレクトリ： " + OutputDir + " がありません\n" + "新しいディレクトリを作成しますか？";
    if (fEnv.messages.Show(question, "KorventPDF",
                           platform::mb::YesNo | platform::mb::IconQuestion) !=
        platform::MessageResult::Yes) {
        return;
    }
    std::filesystem::create_directory(std::filesystem::path(OutputDir), ec);
    if (ec) {
        fEnv.messages.Show("ディレクトリ： " + OutputDir + " を作成できません。\n" + ec.message(),
                           "KorventPDF", platform::mb::Ok | platform::mb::IconError);
    }
}

}  // namespace korvent::app
