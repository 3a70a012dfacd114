#include "app/MainForm.h"

#include <algorithm>

#include "app/FormView.h"
#include "app/PathText.h"
#include "app/RunTimer.h"
#include "app/SettingItems.h"
#include "platform/DocumentWriter.h"
#include "settings/RegManager.h"
#include "spi/InSPI.h"
#include "spi/SPIBitmap.h"
#include "spi/SPIs.h"
#include "spi/SystemSPIFolders.h"

namespace korvent::app {

TMainForm::TMainForm(FormEnvironment environment)
    : fEnv(std::move(environment)),
      fRegManager(std::make_unique<settings::TRegManager>(fEnv.services.profiles,
                                                          fEnv.services.registry, fEnv.messages)) {
    fRegManager->RegType = settings::rtIni;
    RegisterSettingsItems();
    CreatePrinterSelectors();

    // Extensions of image plug-ins load as plug-in bitmaps. Naming the class also links its
    // unit into the program, whose start-up makes the same registration.
    if (!spi::TSPIs::DefaultGraphicClass()) {
        spi::TSPIs::SetGraphicClass(&spi::TSPIBitmap::Class());
    }
    // The plug-ins are searched while the window's components are made, before its creation
    // handler runs.
    SPIs1 = std::make_unique<spi::TSPIs>(
        fEnv.services.pluginFolders
            ? fEnv.services.pluginFolders()
            : std::make_unique<spi::TSystemSPIFolders>(&fEnv.services.registry));
    SPIs1->GraphicPreview = false;
    // Besides the plug-in viewer's folder and the program's folder, the folder the program's
    // own plug-ins are installed to.
    SPIs1->SearchOptions = {spi::spsSusieDir, spi::spsAppDir, spi::spsSystemDir};
    SPIs1->OnSearch = [this](spi::TSPIs& sender, spi::TSPI& plugin, bool& accept) {
        SPIs1Search(sender, plugin, accept);
    };
    SPIs1->OnPictureRegister = [this](spi::TSPIs& sender, spi::TInSPI& plugin,
                                      const std::string& extension, const std::string& description,
                                      const graphics::TGraphicClass*& graphicClass) {
        SPIs1PictureRegister(sender, plugin, extension, description, graphicClass);
    };
    SPIs1->Loaded();
}

TMainForm::~TMainForm() = default;

const std::string& TMainForm::IniFileName() const {
    return fRegManager->IniFileName;
}

bool TMainForm::IniFileExists() const {
    return fEnv.services.profileExists && fEnv.services.profileExists(fRegManager->IniFileName);
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
    const std::string program = fEnv.services.programFile.string();
    fRegManager->RegDir = ExtractFileDir(program, kPathDelimiter);
    fRegManager->IniFileName =
        (fEnv.services.dataDir /
         ChangeFileExt(ExtractFileName(program, kPathDelimiter), ".ini", kPathDelimiter))
            .string();

    SetPrinterName();
    if (!IniFileExists()) {
        SaveIniFile();
    }
    LoadSettings();

    Run.FBatchMode = false;
    fModel.CheckListBox1.MultiSelect = true;
    Run.FDialogPhase = TDialogPhase::dpNone;

    IsDirectoryExist();

    fEnv.timer.SetEnabled(false);
    fEnv.timer.SetInterval(500);
    Run.FRunning = false;
    Run.FSaveDone = false;
    Run.FOverwriteDone = false;
    Run.FErrorFiles.clear();
    Run.FErrorCodes.clear();
    FFilePaths.clear();
    Run.FMergeFiles.clear();
    Run.FProducedFiles.clear();
    Run.FFromCommandLine = false;

    fModel.CmbPaperSize.Items = {"A3 297×420mm", "A4 210×297mm", "B4 257×364mm", "B5 182×257mm"};

    // The window accepts drops from now on (the Qt window forwards them to FormDropFiles).
    for (const std::string& path : fEnv.services.arguments) {
        AddJob(path);
    }
    if (!fEnv.services.arguments.empty()) {
        Run.FFromCommandLine = true;
    }
    if (Run.FFromCommandLine && fModel.RGDD.ItemIndex == 1) {
        BtnPDFAllClick();
    }
    fModel.BtnStopAutoCheck.Enabled = false;
    fModel.BtnAutoCheck.Enabled = false;
}

void TMainForm::FormShow() {
    fModel.LblFilePath.Text = OutputDir;
    Run.FBatchMode = false;
    BuildImageExtensions();
    LoadImageSettings();
}

void TMainForm::FormClose() {
    if (!LastConvertedFile.empty()) {
        WriteString(item::ConvertFile, ExtractFileDir(LastConvertedFile, kPathDelimiter));
    }
    RestoreDefaultPrinter();
    Run.FErrorFiles.clear();
    Run.FErrorCodes.clear();
    FFilePaths.clear();
    Run.FMergeFiles.clear();
    Run.FProducedFiles.clear();
}

void TMainForm::SPIs1Search(spi::TSPIs&, spi::TSPI& ASPI, bool& Accept) {
    Accept = dynamic_cast<spi::TInSPI*>(&ASPI) != nullptr;
}

void TMainForm::SPIs1PictureRegister(spi::TSPIs&, spi::TInSPI&, const std::string&,
                                     const std::string&, const graphics::TGraphicClass*&) {}

void TMainForm::BuildImageExtensions() {
    FormModel& m = fModel;
    const bool loaded = SPIs1->Count() > 0;
    m.NoSPIPlugInMessage1.Visible = !loaded;
    m.NoSPIPlugInMessage2.Visible = !loaded;
    m.ListBox1.Items.clear();
    FImageExtensions = {".bmp"};
    for (int i = 0; i < SPIs1->Count(); ++i) {
        const spi::TSPI& plugin = SPIs1->Items(i);
        // A plug-in that declares no format has nothing to list and no extension to add.
        if (!plugin.Descriptions().empty()) {
            m.ListBox1.Items.push_back(plugin.Descriptions().front());
        }
        if (plugin.Filters().empty()) {
            continue;
        }
        std::string piece;
        for (const char c : plugin.Filters().front() + ";") {
            if (c == '*') {
                continue;
            }
            if (c == ';' || c == ' ') {
                if (!piece.empty()) {
                    FImageExtensions.push_back(piece);
                }
                piece.clear();
            } else {
                piece += c;
            }
        }
    }
}

}  // namespace korvent::app
