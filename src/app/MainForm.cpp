#include "app/MainForm.h"

#include <algorithm>

#include "app/FormView.h"
#include "app/PathText.h"
#include "app/RunTimer.h"
#include "settings/RegManager.h"

namespace korvent::app {

TMainForm::TMainForm(FormEnvironment environment)
    : fEnv(std::move(environment)),
      fRegManager(
          std::make_unique<settings::TRegManager>(fEnv.profiles, fEnv.registry, fEnv.messages)) {
    fRegManager->RegType = settings::rtIni;
    RegisterSettingsItems();
    CreatePrinterSelectors();
}

TMainForm::~TMainForm() = default;

const std::string& TMainForm::IniFileName() const {
    return fRegManager->IniFileName;
}

bool TMainForm::IniFileExists() const {
    return fEnv.profileExists && fEnv.profileExists(fRegManager->IniFileName);
}

void TMainForm::SetText(Control& control, const std::string& text, void (TMainForm::*changed)()) {
    if (control.Text == text) {
        return;
    }
    control.Text = text;
    if (changed) {
        (this->*changed)();
    }
}

void TMainForm::SetChecked(Control& control, bool checked, void (TMainForm::*clicked)()) {
    if (control.Checked == checked) {
        return;
    }
    control.Checked = checked;
    if (clicked) {
        (this->*clicked)();
    }
}

void TMainForm::SetRadio(Control& on, Control& off, void (TMainForm::*clicked)()) {
    if (on.Checked) {
        return;
    }
    on.Checked = true;
    off.Checked = false;
    if (clicked) {
        (this->*clicked)();
    }
}

void TMainForm::SetItemIndex(Control& control, int index, void (TMainForm::*clicked)()) {
    // A radio group or combo box takes an index past its items as its last item, and any
    // negative index as no selection.
    const int count = static_cast<int>(control.Items.size());
    index = std::clamp(index, -1, count - 1);
    if (control.ItemIndex == index) {
        return;
    }
    control.ItemIndex = index;
    if (clicked) {
        (this->*clicked)();
    }
}

void TMainForm::SetValue(Control& control, int value, void (TMainForm::*changed)()) {
    value = std::clamp(value, control.Min, control.Max);
    if (control.Value == value && control.Text == std::to_string(value)) {
        return;
    }
    control.Value = value;
    control.Text = std::to_string(value);
    if (changed) {
        (this->*changed)();
    }
}

void TMainForm::FormCreate() {
    // Where the settings live: the INI file is named after the program file.
    const std::string program = fEnv.programFile.string();
    fRegManager->RegDir = ExtractFileDir(program, kPathDelimiter);
    fRegManager->IniFileName =
        (fEnv.dataDir /
         ChangeFileExt(ExtractFileName(program, kPathDelimiter), ".ini", kPathDelimiter))
            .string();

    SetPrinterName();
    if (!IniFileExists()) {
        SaveIniFile();
    }
    LoadSettings();

    FBatchMode = 0;
    fModel.CheckListBox1.MultiSelect = true;
    FDialogPhase = 0;

    IsDirectoryExist();

    fEnv.timer.SetEnabled(false);
    fEnv.timer.SetInterval(500);
    FRunning = 0;
    FSaveDone = 0;
    FOverwriteDone = 0;
    FErrorFiles.clear();
    FErrorCodes.clear();
    FFilePaths.clear();
    FMergeFiles.clear();
    FProducedFiles.clear();
    FFromCommandLine = 0;

    fModel.CmbPaperSize.Items = {"A3 297×420mm", "A4 210×297mm", "B4 257×364mm", "B5 182×257mm"};

    // The window accepts drops from now on (the Qt window forwards them to FormDropFiles).
    for (const std::string& path : fEnv.arguments) {
        AddJob(path);
    }
    if (!fEnv.arguments.empty()) {
        FFromCommandLine = 1;
    }
    if (FFromCommandLine == 1 && fModel.RGDD.ItemIndex == 1) {
        BtnPDFAllClick();
    }
    fModel.BtnStopAutoCheck.Enabled = false;
    fModel.BtnAutoCheck.Enabled = false;
}

void TMainForm::FormShow() {
    fModel.LblFilePath.Text = OutputDir;
    FBatchMode = 0;
    BuildImageExtensions();
    LoadImageSettings();
}

void TMainForm::FormClose() {
    if (!LastConvertedFile.empty()) {
        WriteString("ConvertFile", ExtractFileDir(LastConvertedFile, kPathDelimiter));
    }
    RestoreDefaultPrinter();
    FErrorFiles.clear();
    FErrorCodes.clear();
    FFilePaths.clear();
    FMergeFiles.clear();
    FProducedFiles.clear();
}

void TMainForm::BuildImageExtensions() {
    // Bitmaps are read without plug-ins; the extensions of loaded image plug-ins join when
    // the plug-in host is there.
    FImageExtensions = {".bmp"};
    fModel.ListBox1.Items.clear();
    fModel.NoSPIPlugInMessage1.Visible = true;
    fModel.NoSPIPlugInMessage2.Visible = true;
}

}  // namespace korvent::app
