// The job list: two parallel lists, the full paths (FFilePaths) and the shortened display
// texts of CheckListBox1, changed together by every command.
#include "app/MainForm.h"

#include <algorithm>

#include "app/FormView.h"
#include "app/PathText.h"
#include "platform/Paths.h"

namespace korvent::app {

std::string TMainForm::FitToList(const std::string& path) {
    FormView& view = fEnv.view;
    return FitPathToWidth(
        path, fModel.CheckListBox1.Width - 10,
        [&view](const std::string& text) { return view.TextWidth(text); }, kPathDelimiter);
}

void TMainForm::AddJob(const std::string& path) {
    FFilePaths.push_back(path);
    fModel.CheckListBox1.Add(FitToList(path));
}

void TMainForm::ResetRunPosition(bool prepared) {
    Run.FRunPrepared = prepared;
    if (prepared) {
        Run.FReadyForNext = true;
    }
    Run.FStartedCount = 0;
    Run.FFileCount = static_cast<int>(FFilePaths.size());
}

void TMainForm::BtnNewFilesClick() {
    fModel.LblFName.Text.clear();
    ResetRunPosition(true);
    BtnAllClearListClick();
    const auto chosen = fEnv.view.ExecuteOpenDialog(fModel.OpenDialog1);
    if (chosen) {
        for (const std::string& path : *chosen) {
            AddJob(path);
        }
    }
}

void TMainForm::BtnApendFileClick() {
    ResetRunPosition(true);
    fModel.LblFName.Text.clear();
    const auto chosen = fEnv.view.ExecuteOpenDialog(fModel.OpenDialog1);
    if (!chosen || chosen->empty()) {
        return;
    }
    for (const std::string& path : *chosen) {
        const bool known =
            std::any_of(FFilePaths.begin(), FFilePaths.end(),
                        [&](const std::string& p) { return platform::SameFilePath(p, path); });
        if (!known) {
            AddJob(path);
        }
    }
    // Every entry is fitted again, so that texts shortened at an older list width follow the
    // width the list has now.
    CheckListControl& list = fModel.CheckListBox1;
    for (int i = 0; i < list.Count(); ++i) {
        list.Items[static_cast<std::size_t>(i)] =
            FitToList(FFilePaths[static_cast<std::size_t>(i)]);
    }
    Run.FFileCount = static_cast<int>(FFilePaths.size());
}

void TMainForm::BtnUpClick() {
    MoveSelectedJobs(-1);
}

void TMainForm::BtnDownClick() {
    MoveSelectedJobs(+1);
}

void TMainForm::MoveSelectedJobs(int step) {
    CheckListControl& list = fModel.CheckListBox1;
    const int n = list.Count();
    if (n == 0) {
        return;
    }
    // The walk starts at the end the jobs move towards, so a run of selected jobs moves as a
    // block. The selection is read from the list, which stays untouched during the walk, so it
    // always names the positions before the move.
    std::vector<std::string> texts = list.Items;
    int moved = -1;
    for (int k = 1; k < n; ++k) {
        const int i = step < 0 ? k : n - 1 - k;
        if (list.ItemSelected[i]) {
            std::swap(FFilePaths[i], FFilePaths[i + step]);
            std::swap(texts[i], texts[i + step]);
            moved = i;
        }
    }
    list.Assign(std::move(texts));
    if (moved >= 0) {
        list.ItemSelected[moved + step] = 1;
    }
}

void TMainForm::BtnlClearListClick() {
    CheckListControl& list = fModel.CheckListBox1;
    for (int i = list.Count() - 1; i >= 0; --i) {
        if (list.ItemSelected[i]) {
            FFilePaths.erase(FFilePaths.begin() + i);
            list.Delete(i);
        }
    }
    fModel.LblFName.Text.clear();
    ResetRunPosition(false);
}

void TMainForm::BtnAllClearListClick() {
    FFilePaths.clear();
    fModel.CheckListBox1.Clear();
    fModel.LblFName.Text.clear();
    ResetRunPosition(false);
}

void TMainForm::CheckListBox1ClickCheck() {
    CheckListControl& list = fModel.CheckListBox1;
    if (list.ItemIndex >= 0 && list.ItemIndex < list.Count()) {
        list.ItemChecked[list.ItemIndex] = !list.ItemChecked[list.ItemIndex];
    }
}

void TMainForm::FormDropFiles(const std::vector<std::string>& paths) {
    for (const std::string& path : paths) {
        AddJob(path);
    }
    if (fModel.RGDD.ItemIndex == 1) {
        BtnPDFAllClick();
    }
}

}  // namespace korvent::app
