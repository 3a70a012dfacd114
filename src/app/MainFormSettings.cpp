// The settings table, its first-start file, the loads at creation and show, and the handlers
// that write a setting when its control changes.
#include "app/MainForm.h"

#include <string>

#include "app/FormView.h"
#include "app/PathText.h"
#include "app/SettingItems.h"
#include "settings/RegFiler.h"
#include "settings/RegManager.h"

namespace korvent::app {

void TMainForm::RegisterSettingsItems() {
    // Name, section, ident and default of every setting, in the order the form stores them.
    static const char* const kItems[][4] = {
        {item::OutPutDir, "OutPut", "Dir", ""},
        {item::OutPutMode, "OutPut", "Mode", "1"},
        {item::OverWriteMode, "OverWrite", "Mode", "2"},
        {item::FileName, "AppendString", "AppendStr", ""},
        {item::ExistFile, "AppendString", "Old", "_old"},
        {item::NewFile, "AppendString", "New", "_new"},
        {item::ConvertFile, "File", "Dir", ""},
        {item::PDFWriter, "Printer", "PDFWriter", ""},
        {item::Printer, "Printer", "Printer", ""},
        {item::DD, "Option", "D&D", "0"},
        {item::LeavePDFFile, "Option", "Merge", "1"},
        {item::DDVisible, "Option", "Visible", "Y"},
        {item::Message, "Option", "Message", "1"},
        {item::DelayTime, "Option", "Delay", "2"},
        {item::MergeDelayTime, "Option", "MergeDelay", "20"},
        {item::MergeFileDelete, "Option", "MergeFileDelete", "1"},
        {item::AppendString, "AppendString", "Check", "N"},
        {item::PDFWriter1, "Driver", "Driver", "-1"},
        {item::PDFWriter1Name, "Driver", "Name", ""},
        {item::Printer1, "Driver", "Printer", "-1"},
        {item::MergeMode, "Merge", "Mode", "1"},
        {item::MergeName, "Merge", "FileName", "MergeFile"},
        {item::MergeAppendStr, "Merge", "AppedStr", "Merge"},
        {item::MargineTop, "Image", "MargineTop", "10"},
        {item::MargineBottom, "Image", "MargineBottom", "10"},
        {item::MargineLeft, "Image", "MargineLeft", "10"},
        {item::MargineRight, "Image", "MargineRight", "10"},
        {item::Propotion, "Image", "Propotion", "1"},
        {item::Center, "Image", "Center", "1"},
        {item::UserPaperWidth, "Image", "UserPaperWidth", "100"},
        {item::UserPaperHeight, "Image", "UserPaperHeight", "100"},
        {item::UserImageWidth, "Image", "UserImageWidth", "100"},
        {item::UserImageHeight, "Image", "UserImageHeight", "100"},
        {item::Compressrate, "Image", "Compress", "75"},
        {item::PaperSize, "Image", "PaperSize", "0"},
        {item::Paper, "Image", "Paper", "2"},
        {item::ImageSize, "Image", "ImageSize", "0"},
        {item::Direction, "Image", "Direction", "0"},
    };
    for (const auto& row : kItems) {
        fRegManager->RegItems().Add(settings::TRegItem(row[0], row[1], row[2], row[3]));
    }
}

void TMainForm::WriteInteger(const char* item, int value) {
    fRegManager->Items(item).WriteInteger(value);
}
void TMainForm::WriteString(const char* item, const std::string& value) {
    fRegManager->Items(item).WriteString(value);
}
void TMainForm::WriteFloat(const char* item, double value) {
    fRegManager->Items(item).WriteFloat(value);
}
void TMainForm::WriteFlag(const char* item, bool value) {
    WriteInteger(item, value ? 1 : 0);
}
int TMainForm::ReadInteger(const char* item) {
    return fRegManager->Items(item).ReadInteger();
}
std::string TMainForm::ReadString(const char* item) {
    return fRegManager->Items(item).ReadString();
}

void TMainForm::SaveIniFile() {
    FormModel& m = fModel;
    WriteInteger(item::PDFWriter1, PDFWriterIndex);
    WriteString(item::PDFWriter1Name, m.CmbPDFWriter.Text);
    WriteString(item::OutPutDir, OutputDir);
    WriteInteger(item::OutPutMode, m.RBtnOutPut1.Checked ? 1 : 0);
    if (!LastConvertedFile.empty()) {
        WriteString(item::ConvertFile, ExtractFileDir(LastConvertedFile, kPathDelimiter));
    }
    WriteInteger(item::OverWriteMode, m.RadioGroup1.ItemIndex);
    WriteString(item::AppendString, m.CkbAppendStr.Checked ? "Y" : "N");
    WriteString(item::FileName, m.EdtApendStr.Text);
    WriteString(item::NewFile, m.EdtAddNewPath.Text);
    WriteString(item::ExistFile, m.EdtAddOldPath.Text);
    WriteInteger(item::DelayTime, m.UpdownEdit_delayTime.Value);
    WriteInteger(item::MergeDelayTime, m.UpdownEdit_MergeDelayTime.Value);
    WriteFlag(item::LeavePDFFile, m.ChkMergeFile.Checked);
    WriteInteger(item::DD, m.RGDD.ItemIndex);
    WriteFlag(item::MergeFileDelete, m.CkbMergeFileDelete.Checked);
    WriteFlag(item::Message, m.CkbMessage.Checked);
    WriteInteger(item::MergeMode, m.RBtnMerge1.Checked ? 0 : 1);
    WriteString(item::MergeName, m.EdtMergeFileName.Text);
    WriteString(item::MergeAppendStr, m.EdtMergeAddString.Text);
    WriteInteger(item::MargineTop, m.MarginTop.Value);
    WriteInteger(item::MargineBottom, m.MarginBottom.Value);
    WriteInteger(item::MargineLeft, m.MarginLeft.Value);
    WriteInteger(item::MargineRight, m.MarginRight.Value);
    WriteFlag(item::Propotion, m.ChkBoxGraphicPropotion.Checked);
    WriteFlag(item::Center, m.ChkBoxGraphicCenter.Checked);
    WriteInteger(item::Compressrate, m.EdtCompress.Value);
    WriteInteger(item::PaperSize, m.RadioGroupGrPaperSize.ItemIndex);
    WriteInteger(item::ImageSize, m.RGImageSize.ItemIndex);
    WriteInteger(item::UserPaperWidth, m.EdtPaperWidth.Value);
    WriteInteger(item::UserPaperHeight, m.EdtPaperHeight.Value);
    WriteInteger(item::UserImageWidth, m.EdtImageWidth.Value);
    WriteInteger(item::UserImageHeight, m.EdtImageHeight.Value);
    // The paper list is filled later in the creation, so this is -1 on a first start until
    // the window is shown.
    WriteInteger(item::Paper, m.CmbPaperSize.ItemIndex);
    WriteInteger(item::Direction, m.RGPaperDirection.ItemIndex);
}

void TMainForm::LoadSettings() {
    FormModel& m = fModel;
    if (!ReadString(item::OverWriteMode).empty()) {
        SetItemIndex(m.RadioGroup1, ReadInteger(item::OverWriteMode), &TMainForm::RadioGroup1Click);
    }
    const std::string dir = ReadString(item::OutPutDir);
    if (!dir.empty()) {
        OutputDir = dir;
    } else if (!fEnv.services.desktopDir.empty()) {
        // A desktop of "$HOME/" (xdg-user-dirs with the folder switched off) loses its separator.
        OutputDir = ExcludeTrailingDelimiter(fEnv.services.desktopDir.string(), kPathDelimiter);
    }
    if (ReadInteger(item::OutPutMode) == 1) {
        SetRadio(m.RBtnOutPut1, m.RBtnOutPut2, &TMainForm::RBtnOutPut1Click);
    } else {
        SetRadio(m.RBtnOutPut2, m.RBtnOutPut1, &TMainForm::RBtnOutPut1Click);
    }
    m.OpenDialog1.InitialDir = ReadString(item::ConvertFile);
    SetText(m.EdtAddOldPath, ReadString(item::ExistFile), &TMainForm::EdtAddOldPathChange);
    SetText(m.EdtAddNewPath, ReadString(item::NewFile), &TMainForm::EdtAddNewPathChange);
    SetText(m.EdtApendStr, ReadString(item::FileName), &TMainForm::EdtApendStrChange);
    SetChecked(m.CkbMessage, ReadInteger(item::Message) == 1, &TMainForm::CkbMessageClick);
    SetChecked(m.CkbAppendStr, ReadString(item::AppendString) == "Y",
               &TMainForm::CkbAppendStrClick);
    if (!ReadString(item::DD).empty()) {
        SetItemIndex(m.RGDD, ReadInteger(item::DD), &TMainForm::RGDDClick);
    }
    // Read only: the program never writes this one.
    SetChecked(m.CkbFormVisible, ReadString(item::DDVisible) == "Y", nullptr);
    SetText(m.EdtMergeFileName, ReadString(item::MergeName), &TMainForm::EdtMergeFileNameChange);
    SetText(m.EdtMergeAddString, ReadString(item::MergeAppendStr),
            &TMainForm::EdtMergeAddStringChange);
    SetChecked(m.ChkMergeFile, ReadInteger(item::LeavePDFFile) == 1, &TMainForm::ChkMergeFileClick);
    if (ReadInteger(item::MergeMode) == 0) {
        SetRadio(m.RBtnMerge1, m.RBtnMerge2, &TMainForm::RBtnMerge1Click);
    } else {
        SetRadio(m.RBtnMerge2, m.RBtnMerge1, &TMainForm::RBtnMerge1Click);
    }
    // Colours the two merge-name fields even when the mode did not change.
    RBtnMerge1Click();
}

void TMainForm::LoadImageSettings() {
    FormModel& m = fModel;
    SetItemIndex(m.RadioGroupGrPaperSize, ReadInteger(item::PaperSize),
                 &TMainForm::RadioGroupGrPaperSizeClick);
    SetItemIndex(m.RGImageSize, ReadInteger(item::ImageSize), &TMainForm::RGImageSizeClick);
    SetValue(m.EdtCompress, ReadInteger(item::Compressrate), &TMainForm::EdtCompressChange);
    // Unlike a radio group, the combo box takes an index past its items as no selection.
    const int paper = ReadInteger(item::Paper);
    SetItemIndex(m.CmbPaperSize, paper < static_cast<int>(m.CmbPaperSize.Items.size()) ? paper : -1,
                 &TMainForm::CmbPaperSizeChange);
    SetItemIndex(m.RGPaperDirection, ReadInteger(item::Direction),
                 &TMainForm::RGPaperDirectionClick);
    SetValue(m.UpdownEdit_delayTime, ReadInteger(item::DelayTime),
             &TMainForm::UpdownEdit_delayTimeChange);
    SetValue(m.UpdownEdit_MergeDelayTime, ReadInteger(item::MergeDelayTime),
             &TMainForm::UpdownEdit_MergeDelayTimeChange);
    if (m.CmbPaperSize.ItemIndex == -1) {
        m.CmbPaperSize.ItemIndex = 1;
        CmbPaperSizeChange();
    }
    SetChecked(m.ChkBoxGraphicPropotion, ReadInteger(item::Propotion) == 1,
               &TMainForm::ChkBoxGraphicPropotionClick);
    SetChecked(m.ChkBoxGraphicCenter, ReadInteger(item::Center) == 1,
               &TMainForm::ChkBoxGraphicCenterClick);
    SetValue(m.MarginTop, ReadInteger(item::MargineTop), &TMainForm::MarginTopChange);
    SetValue(m.MarginBottom, ReadInteger(item::MargineBottom), &TMainForm::MarginBottomChange);
    SetValue(m.MarginLeft, ReadInteger(item::MargineLeft), &TMainForm::MarginLeftChange);
    SetValue(m.MarginRight, ReadInteger(item::MargineRight), &TMainForm::MarginRightChange);
    SetValue(m.EdtPaperWidth, ReadInteger(item::UserPaperWidth), &TMainForm::EdtPaperWidthChange);
    SetValue(m.EdtPaperHeight, ReadInteger(item::UserPaperHeight),
             &TMainForm::EdtPaperHeightChange);
    SetValue(m.EdtImageWidth, ReadInteger(item::UserImageWidth), &TMainForm::EdtImageWidthChange);
    SetValue(m.EdtImageHeight, ReadInteger(item::UserImageHeight),
             &TMainForm::EdtImageHeightChange);
    SetChecked(m.CkbMergeFileDelete, ReadInteger(item::MergeFileDelete) == 1,
               &TMainForm::CkbMergeFileDeleteClick);
    ShowImagePage();
}

// --- 詳細設定 and 実行 page handlers ---

void TMainForm::RBtnOutPut1Click() {
    FormModel& m = fModel;
    if (m.RBtnOutPut1.Checked) {
        m.LblFilePath.Background = clWhite;
        m.LblFilePath.FontColor = clBlack;
        m.BtnSelectFolder.Enabled = true;
    } else {
        m.LblFilePath.Background = clBtnFace;
        m.LblFilePath.FontColor = clGrayText;
        m.BtnSelectFolder.Enabled = false;
    }
    WriteInteger(item::OutPutMode, m.RBtnOutPut1.Checked ? 1 : 0);
}

void TMainForm::RadioGroup1Click() {
    WriteInteger(item::OverWriteMode, fModel.RadioGroup1.ItemIndex);
}
void TMainForm::CkbAppendStrClick() {
    WriteString(item::AppendString, fModel.CkbAppendStr.Checked ? "Y" : "N");
}
void TMainForm::EdtAddNewPathChange() {
    WriteString(item::NewFile, fModel.EdtAddNewPath.Text);
}
void TMainForm::EdtAddOldPathChange() {
    WriteString(item::ExistFile, fModel.EdtAddOldPath.Text);
}
void TMainForm::EdtApendStrChange() {
    WriteString(item::FileName, fModel.EdtApendStr.Text);
}
void TMainForm::RGDDClick() {
    WriteInteger(item::DD, fModel.RGDD.ItemIndex);
}
void TMainForm::CkbMessageClick() {
    WriteFlag(item::Message, fModel.CkbMessage.Checked);
}
void TMainForm::UpdownEdit_delayTimeChange() {
    WriteInteger(item::DelayTime, fModel.UpdownEdit_delayTime.Value);
}
void TMainForm::UpdownEdit_MergeDelayTimeChange() {
    WriteInteger(item::MergeDelayTime, fModel.UpdownEdit_MergeDelayTime.Value);
}
void TMainForm::CkbMergeFileDeleteClick() {
    WriteFlag(item::MergeFileDelete, fModel.CkbMergeFileDelete.Checked);
}
void TMainForm::ChkMergeFileClick() {
    WriteFlag(item::LeavePDFFile, fModel.ChkMergeFile.Checked);
}

void TMainForm::RBtnMerge1Click() {
    FormModel& m = fModel;
    Control& chosen = m.RBtnMerge1.Checked ? m.EdtMergeFileName : m.EdtMergeAddString;
    Control& other = m.RBtnMerge1.Checked ? m.EdtMergeAddString : m.EdtMergeFileName;
    chosen.Background = clWhite;
    chosen.FontColor = clBlack;
    other.Background = clBtnFace;
    other.FontColor = clGrayText;
    WriteInteger(item::MergeMode, m.RBtnMerge1.Checked ? 0 : 1);
}

void TMainForm::EdtMergeFileNameChange() {
    WriteString(item::MergeName, fModel.EdtMergeFileName.Text);
}
void TMainForm::EdtMergeAddStringChange() {
    WriteString(item::MergeAppendStr, fModel.EdtMergeAddString.Text);
}

void TMainForm::BtnSelectFolderClick() {
    const auto chosen = fEnv.view.ExecuteBrowseFolder(OutputDir);
    if (!chosen) {
        return;
    }
    OutputDir = ExcludeTrailingDelimiter(*chosen, kPathDelimiter);
    fModel.LblFilePath.Text = OutputDir;
    WriteString(item::OutPutDir, OutputDir);
}

bool TMainForm::EdtXeroTimeKeyPress(char32_t key) {
    return key >= U'0' && key <= U'9';
}

void TMainForm::BtnAboutClick() {
    fEnv.view.ShowAboutBox();
}

void TMainForm::Button1Click() {
    fEnv.view.HideWindow();
}

}  // namespace korvent::app
